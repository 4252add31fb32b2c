// CClientDC: a DC on a window's client area (GetDC / ReleaseDC).
#pragma once

#include "mfc/DC.h"

class AFX_EXT_CLASS CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    // A NULL window gives a DC on the screen. Throws CResourceException without a DC.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
