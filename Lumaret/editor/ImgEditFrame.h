// The image editor's MDI child frame: a window class of its own with the
// editor's icon; closing asks about unsaved pictures.
#pragma once

#include "mfc.h"

class CImgEditView;

class CImgEditFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CImgEditFrame)
public:
    CImgEditFrame();
    ~CImgEditFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The editor view inside this frame, or NULL.
    CImgEditView* GetEditView() const;
    // Whether the frame may close now: refuses while the view works and
    // asks about a changed picture. A failed or cancelled save keeps it.
    BOOL QueryClose();

protected:
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};
