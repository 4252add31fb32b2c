// CDlgMediaPlayer: the player as a window of its own. It borrows the folder
// pane's player bar for as long as it is open and gives it back, at its old
// place, when it closes.
#pragma once

#include "dialogs/VXDialog.h"

class CDlgMediaPlayerBar;

class CDlgMediaPlayer : public CVXDialog {
    DECLARE_DYNAMIC(CDlgMediaPlayer)
public:
    // `pBar`: the bar to borrow (may be null: the window is then empty).
    CDlgMediaPlayer(CDlgMediaPlayerBar* pBar, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    CDlgMediaPlayerBar* m_pBar;
    CWnd* m_pBarOwner;   // the bar's parent before it was borrowed
    CRect m_rcBarHome;   // its rectangle there
    BOOL m_bBarShown;    // whether it was visible there

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FitBar();
};
