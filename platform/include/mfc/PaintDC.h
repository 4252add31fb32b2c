// CPaintDC: the DC of a WM_PAINT handler, between BeginPaint and EndPaint.
#pragma once

#include "mfc/DC.h"

class AFX_EXT_CLASS CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    // Throws CResourceException when BeginPaint gives no DC.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
