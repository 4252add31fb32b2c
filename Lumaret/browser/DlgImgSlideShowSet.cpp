#include "browser/DlgImgSlideShowSet.h"

#include "album/DlgConsoleBrowse.h"
#include "shell/DlgMediaPlayerBar.h"
#include "shell/MainFrame.h"

#include "resource.h"

namespace {

const int kHandCursor = 128;
const int kStartIcon = 216;
const int kManualIcon = 185;
const short kColourLift = 50;

}  // namespace

std::function<CDlgMediaPlayerBar*()> CDlgImgSlideShowSet::s_findPlayer;

IMPLEMENT_DYNAMIC(CDlgImgSlideShowSet, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgSlideShowSet, CVXDialog)
    ON_WM_VSCROLL()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgSlideShowSet::CDlgImgSlideShowSet(CWnd* pParent)
    : CVXDialog(IDD_SLIDE_SHOW_SET, pParent), m_nSeconds(5), m_pMusicBar(nullptr), m_bMusicBarVisible(FALSE)
{
    m_strProfileName = "ImgSlideShowSet";
    m_nIconID = 128;
}

CDlgImgSlideShowSet::~CDlgImgSlideShowSet() = default;

CDlgMediaPlayerBar* CDlgImgSlideShowSet::FolderPanePlayer()
{
    if (s_findPlayer)
        return s_findPlayer();
    CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame && frame->m_pBrowsePane ? frame->m_pBrowsePane->GetPlayerBar() : nullptr;
}

void CDlgImgSlideShowSet::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnStart);
    DDX_Control(pDX, IDCANCEL, m_btnManual);
    DDX_Text(pDX, IDC_SLIDESET_SECONDS, m_nSeconds);
}

BOOL CDlgImgSlideShowSet::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    m_btnStart.SetIcon(kStartIcon);
    m_btnManual.SetIcon(kManualIcon);
    for (CImageButton* button : {&m_btnStart, &m_btnManual}) {
        button->SetBtnCursor(kHandCursor, TRUE);
        button->OffsetColor(CImageButton::COLOR_BK_IN, kColourLift, TRUE);
    }
    BorrowPlayer();
    return TRUE;
}

void CDlgImgSlideShowSet::BorrowPlayer()
{
    // Without a folder pane there is no player to show: the place stays empty.
    m_pMusicBar = FolderPanePlayer();
    if (!m_pMusicBar || !m_pMusicBar->m_hWnd)
        return;
    m_pMusicPane = m_pMusicBar->GetParent();
    // Its own flag: the pane itself may be hidden behind another tab.
    m_bMusicBarVisible = (m_pMusicBar->GetStyle() & WS_VISIBLE) != 0;
    m_pMusicBar->GetWindowRect(&m_rcMusicBar);
    if (m_pMusicPane)
        m_pMusicPane->ScreenToClient(&m_rcMusicBar);
    CRect place;
    if (CWnd* stand = GetDlgItem(IDC_SLIDESET_PLAYER)) {
        stand->GetWindowRect(&place);
        ScreenToClient(&place);
    }
    m_pMusicBar->SetParent(this);
    m_pMusicBar->MoveWindow(&place);
    m_pMusicBar->ShowWindow(SW_SHOW);
    // Its controls now draw into this window: all of them, not only the part that moved.
    m_pMusicBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDlgImgSlideShowSet::GiveBackPlayer()
{
    if (!m_pMusicBar || !::IsWindow(m_pMusicBar->m_hWnd))
        return;
    if (m_bMusicBarVisible)
        m_pMusicBar->ShowWindow(SW_SHOW);
    else
        m_pMusicBar->ShowWindow(SW_HIDE);
    m_pMusicBar->SetParent(m_pMusicPane);
    m_pMusicBar->MoveWindow(&m_rcMusicBar);
    m_pMusicBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_pMusicBar = nullptr;
}

void CDlgImgSlideShowSet::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (!pScrollBar || pScrollBar->GetDlgCtrlID() != IDC_SLIDESET_SPIN) {
        CVXDialog::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    UpdateData(TRUE);
    // The show waits at least a second between slides.
    if (nSBCode == SB_LINEUP)
        m_nSeconds++;
    else if (nSBCode == SB_LINEDOWN && m_nSeconds > 1)
        m_nSeconds--;
    UpdateData(FALSE);
}

void CDlgImgSlideShowSet::OnDestroy()
{
    CVXDialog::OnDestroy();
    GiveBackPlayer();
}
