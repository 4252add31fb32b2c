// The main frame's commands for the shell's periphery: the music player.
#include "MainFrame.h"

#include "DlgMediaPlayer.h"
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
