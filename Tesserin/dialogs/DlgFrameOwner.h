// CDlgFrameOwner: a plain OK/Cancel dialog exported for hosts that want a dialog window to own frames.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CDlgFrameOwner : public CDialog {
    DECLARE_DYNAMIC(CDlgFrameOwner)
public:
    explicit CDlgFrameOwner(CWnd* pParentWnd = nullptr);
    ~CDlgFrameOwner() override;

protected:
    DECLARE_MESSAGE_MAP()
};
