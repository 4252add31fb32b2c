// CFrameClient: subclasses a main frame's MDI client and tiles a bitmap
// file over its background.
#pragma once

#include "mfc.h"

#include <memory>

class CDibDraw;

class AFX_EXT_CLASS CFrameClient : public CWnd {
public:
    explicit CFrameClient(CString file);
    ~CFrameClient() override;

    WNDPROC* GetSuperWndProcAddr() override;

protected:
    std::unique_ptr<CDibDraw> m_pDibDraw;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    static WNDPROC s_superWndProc;
};
