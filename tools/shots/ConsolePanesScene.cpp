// The console panes of the main window: the album pane with its album tree, a photo chosen
// from an album in the preview (caption, picture and navigator rectangle), its EXIF data and
// its album details; then the folder pane with check boxes on, three folders ticked and the
// folder menu open.
#include "ShotSupport.h"

#include "album/AlbumTables.h"
#include "album/DlgConsoleAlbum.h"
#include "album/DlgConsoleBrowse.h"
#include "album/DlgConsoleSubPreview.h"
#include "framework/ODBCQuery.h"
#include "framework/VXUtil.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "resource.h"
#include "support/ExifPhoto.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"

#include "mivo/testing/input.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

void WaitForPreview(CDlgConsoleSubPreview* preview)
{
    for (int i = 0; i < 100 && (preview->IsLoading() || !preview->m_bLoaded); ++i)
        Settle();
}

void ClickTab(CDlgConsolePane* pane, UINT id)
{
    pane->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)pane->GetDlgItem(id)->m_hWnd);
    Settle();
}

void TickFolder(CDlgConsoleBrowse* pane, const std::string& path)
{
    HTREEITEM item = pane->m_wndTree.GetItemFromPath(path.c_str(), nullptr);
    if (!item)
        return;
    pane->m_wndTree.SetCheck(item, TRUE);
    pane->m_arrCheckedFolders.Add((pane->m_wndTree.GetFullPath(item)));
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-console");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    std::string photos = run.windowsPath() + "사진";
    ::CreateDirectory(photos.c_str(), nullptr);
    for (const char* sub : {"\\여행", "\\가족", "\\풍경", "\\스캔"})
        ::CreateDirectory((photos + sub).c_str(), nullptr);
    std::string sea = photos + "\\여행\\해운대 바다.jpg";
    mivotest::WritePhoto(sea, 1200, 800, "Canon", "EOS 10D", "2006:08:12 10:20:30");

    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("Show=1");
    if (!theApp.StartUp())
        return 1;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    theApp.CloseSplash();
    // A folder bar wide enough for the deep temporary folder's names.
    frame->m_wndFolderBar.SetWidth(330);
    frame->RecalcLayout();
    Settle();

    int trips = CAlbumTables::NewAlbum("여행", 0);
    int busan = CAlbumTables::NewAlbum("부산 해운대", trips);
    CAlbumTables::NewAlbum("제주도 2006", trips);
    int family = CAlbumTables::NewAlbum("가족", 0);
    CAlbumTables::NewAlbum("돌잔치", family);
    CAlbumTables::AddToAlbum(busan, {{0, sea.c_str()}});
    {
        std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
        query->ResetQuery();
        query->SetStringColumn(CString("Title"), CString("해운대의 아침"), 1);
        query->SetStringColumn(CString("TargetList"), CString("가족 모두"), 1);
        query->SetStringColumn(CString("Photographer"), CString("아빠"), 1);
        query->SetStringColumn(CString("Process"), CString("보정 없음"), 1);
        query->SetStringColumn(CString("PhotoDesc"), CString("첫째 날 아침 바다"), 1);
        CString filter;
        filter.Format("AlbumID = %d and Seq = 1", busan);
        query->SetFilter(filter);
        query->RunStructQuery("Update AlbumDetail ");
        query->Commit();
    }

    CDlgConsoleAlbum* album = frame->m_pAlbumPane;
    frame->SetSelFolder(kFolderAlbum);
    Settle();
    album->m_treeAlbum.Expand(album->m_treeAlbum.GetRootItem(), TVE_EXPAND);
    // Choosing the album opens it in the browser.
    album->m_treeAlbum.SelectItem(SearchTreeItemByData(&album->m_treeAlbum, TVI_ROOT, (DWORD_PTR)busan));
    Settle();
    CMainFrame::OpenImageInPane(sea.c_str(), 1, busan, 1);
    WaitForPreview(album->m_pPreview);
    album->m_pPreview->UpdateNavigatorRect(CRect(300, 200, 780, 560));
    Settle();
    Shoot("console-album");
    SaveSurface(frame->m_hWnd, "console-album.ppm");

    ClickTab(album, IDC_CONSOLE_TAB_EXIF);
    Shoot("console-album-exif");
    ClickTab(album, IDC_CONSOLE_TAB_ALBUMINFO);
    // The bar dragged up, as a user would, to give the details room.
    CRect bar;
    album->m_wndSplitter.GetWindowRect(&bar);
    album->ScreenToClient(&bar);
    album->m_wndSplitter.MoveWindow(bar.left, 110, bar.Width(), bar.Height());
    album->m_wndSplitter.RecalcLayout();
    album->SendMessage(WM_SPLITTER_MOVED, 110 - bar.top, IDC_CONSOLE_SPLITTER);
    Settle();
    Shoot("console-album-details");
    SaveSurface(frame->m_hWnd, "console-album-details.ppm");

    CDlgConsoleBrowse* folders = frame->m_pBrowsePane;
    frame->SetSelFolder(kFolderBrowse);
    Settle();
    folders->m_wndTree.SetPathByStr(photos.c_str());
    Settle();
    folders->SendMessage(WM_COMMAND, ID_CONSOLE_SHOW_CHECKBOXES);
    for (const char* sub : {"\\여행", "\\가족", "\\풍경"})
        TickFolder(folders, photos + sub);
    CMainFrame::OpenImageInPane(sea.c_str(), 0, 0, 0);
    WaitForPreview(folders->m_pPreview);
    // The photo folder at the top of the tree, its ticked sub-folders below it.
    HTREEITEM top = folders->m_wndTree.GetItemFromPath(photos.c_str(), nullptr);
    folders->m_wndTree.SelectSetFirstVisible(top);
    Settle();
    Shoot("console-folders");

    HTREEITEM item = folders->m_wndTree.GetItemFromPath((photos + "\\풍경").c_str(), nullptr);
    folders->m_wndTree.SelectSetFirstVisible(top);
    Settle();
    CRect rect;
    folders->m_wndTree.GetItemRect(item, &rect, TRUE);
    POINT at = {rect.left + 10, rect.top + rect.Height() / 2};
    folders->m_wndTree.ClientToScreen(&at);
    RunLater(1500, [frame] {
        Shoot("console-folders-menu");
        SaveComposite(frame->m_hWnd, "console-folders-menu");
        ::EndMenu();
    });
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, true);
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, false);
    Settle();

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
