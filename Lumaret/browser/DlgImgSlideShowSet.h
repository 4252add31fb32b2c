// CDlgImgSlideShowSet: "슬라이드 쇼 설정", the seconds between slides and the choice between the
// automatic and the manual mode. While open it borrows the folder pane's music player and shows
// it inside itself; closing gives it back where and as it was.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

#include <functional>

class CDlgMediaPlayerBar;

class CDlgImgSlideShowSet : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgSlideShowSet)
public:
    explicit CDlgImgSlideShowSet(CWnd* pParent = nullptr);
    ~CDlgImgSlideShowSet() override;

    // The music player of the main frame's folder pane; null when there is none.
    static CDlgMediaPlayerBar* FolderPanePlayer();
    // Tests put their own player here; empty asks the main frame.
    static std::function<CDlgMediaPlayerBar*()> s_findPlayer;

    BOOL OnInitDialog() override;

    int m_nSeconds;
    CImageButton m_btnStart;
    CImageButton m_btnManual;
    CDlgMediaPlayerBar* m_pMusicBar;
    CRect m_rcMusicBar;      // in its pane's client coordinates
    BOOL m_bMusicBarVisible;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void BorrowPlayer();
    void GiveBackPlayer();

    CWnd* m_pMusicPane = nullptr;
};
