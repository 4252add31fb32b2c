// The main frame's commands for the shell's periphery: the music player and the settings.
#include "MainFrame.h"

#include "DlgMediaPlayer.h"
#include "DlgSetEnv.h"
#include "album/DlgConsoleBrowse.h"

void CMainFrame::OnMediaPlayer()
{
    if (GetSelFolder() == kFolderBrowse) {
        if (m_pBrowsePane)
            m_pBrowsePane->ShowMusicTab();
        return;
    }
    CDlgMediaPlayer player(m_pBrowsePane ? m_pBrowsePane->GetPlayerBar() : nullptr, this);
    player.DoModal();
}

void CMainFrame::OnSettings()
{
    CDlgSetEnv settings(this);
    settings.DoModal();
}
