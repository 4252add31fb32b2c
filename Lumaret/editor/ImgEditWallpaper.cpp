// The editor's wallpaper commands: the picture as the desktop wallpaper, centred, tiled or
// stretched, named after the document's file when it has one.
#include "editor/ImgEditView.h"

#include "album/DesktopWallpaper.h"
#include "resource.h"

void CImgEditView::OnWallpaper(UINT id)
{
    // A worker may be changing the picture; the command waits until it is done.
    if (!HasImage() || IsBusy())
        return;
    CWaitCursor wait;
    CDesktopWallpaper wallpaper;
    if (!wallpaper.PrepareFromImage(m_pImage, m_strPathName))
        return;
    if (id == IDM_ED_WALLPAPER_TILE)
        wallpaper.ApplyTiled();
    else if (id == IDM_ED_WALLPAPER_STRETCH)
        wallpaper.ApplyStretched();
    else
        wallpaper.ApplyCentered();
}
