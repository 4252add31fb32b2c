// CWindowDC: a DC on a whole window, non-client area included (GetWindowDC / ReleaseDC).
#pragma once

#include "mfc/DC.h"

class AFX_EXT_CLASS CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    // Throws CResourceException without a DC.
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
