#include "album/DlgConsoleAlbum.h"

#include "browser/DlgImgBrowser.h"
#include "resource.h"

CDlgConsoleAlbum::CDlgConsoleAlbum(CWnd* pParent) : CVXDialog(IDD_CONSOLE_ALBUM, pParent), m_bTreeLoaded(0)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
}

void CDlgConsoleAlbum::LoadAlbumTree()
{
    m_bTreeLoaded = 1;
}

void CDlgConsoleAlbum::OpenAlbumInBrowser(int albumId)
{
    if (CDlgImgBrowser* browser = CDlgImgBrowser::OpenLayer(IDR_MAINFRAME))
        browser->ListAlbum(albumId, FALSE);
}

int CDlgConsoleAlbum::ShowImageInSubPanes(int, int)
{
    return 1;
}

void CDlgConsoleAlbum::SetPreviewDetailView(CImgDetailView*) {}

int CDlgConsoleAlbum::GetSelectedAlbumID()
{
    return -1;
}

void CDlgConsoleAlbum::UpdateNavigatorRect(CRect) {}
