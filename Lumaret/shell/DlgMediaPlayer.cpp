#include "shell/DlgMediaPlayer.h"

#include "shell/DlgMediaPlayerBar.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgMediaPlayer, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgMediaPlayer, CVXDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgMediaPlayer::CDlgMediaPlayer(CDlgMediaPlayerBar* pBar, CWnd* pParent)
    : CVXDialog(IDD_MEDIAPLAYER, pParent), m_pBar(pBar), m_pBarOwner(nullptr), m_bBarShown(FALSE)
{
    m_strProfileName = "MediaPlayer";
    m_nIconID = IDR_MAINFRAME;
}

BOOL CDlgMediaPlayer::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    if (m_pBar && m_pBar->GetSafeHwnd()) {
        m_pBarOwner = m_pBar->GetParent();
        m_pBar->GetWindowRect(&m_rcBarHome);
        if (m_pBarOwner)
            m_pBarOwner->ScreenToClient(&m_rcBarHome);
        m_bBarShown = m_pBar->IsWindowVisible();
        m_pBar->SetParent(this);
        FitBar();
        m_pBar->ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CDlgMediaPlayer::FitBar()
{
    if (!m_pBar || !m_pBar->GetSafeHwnd() || m_pBar->GetParent() != this)
        return;
    CRect client;
    GetClientRect(&client);
    m_pBar->MoveWindow(&client);
}

void CDlgMediaPlayer::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    FitBar();
}

void CDlgMediaPlayer::OnDestroy()
{
    if (m_pBar && m_pBar->GetSafeHwnd() && m_pBar->GetParent() == this) {
        m_pBar->ShowWindow(SW_HIDE);
        m_pBar->SetParent(m_pBarOwner);
        m_pBar->MoveWindow(&m_rcBarHome);
        if (m_bBarShown)
            m_pBar->ShowWindow(SW_SHOW);
    }
    CVXDialog::OnDestroy();
}
