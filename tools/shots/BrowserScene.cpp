// The image browser in the main window: a Korean folder's thumbnails with its sub-folders and
// the parent entry, a rubber band half-way through a drag, the thumbnail context menu, the photo
// list, and one picture in the zoom view at 200 %.
#include "ShotSupport.h"
#include "ScenePicture.h"

#include "album/DlgConsoleBrowse.h"
#include "browser/DlgImgBrowser.h"
#include "browser/ImgBrowserDetailView.h"
#include "browser/MivoImgBrowserView.h"
#include "image/ImageObject.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "resource.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"

#include "mivo/testing/input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {


POINT ScreenPoint(CWnd* wnd, CPoint client)
{
    wnd->ClientToScreen(&client);
    return client;
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-browser");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    std::string photos = run.windowsPath() + "제주 여행\\";
    ::CreateDirectory(photos.c_str(), nullptr);
    for (const char* sub : {"바다", "오름"})
        ::CreateDirectory((photos + sub).c_str(), nullptr);
    struct {
        const char* name;
        int w, h;
        COLORREF sky, sea;
    } pictures[] = {
        {"성산 일출.jpg", 800, 600, RGB(250, 180, 90), RGB(30, 80, 150)},
        {"협재 해변.jpg", 1024, 683, RGB(140, 200, 250), RGB(40, 170, 190)},
        {"한라산.jpg", 600, 800, RGB(200, 220, 240), RGB(60, 120, 60)},
        {"돌하르방.bmp", 320, 240, RGB(230, 230, 230), RGB(90, 90, 90)},
        {"감귤밭.jpg", 900, 600, RGB(170, 210, 250), RGB(240, 150, 30)},
        {"우도 등대.jpg", 700, 700, RGB(120, 170, 230), RGB(250, 250, 250)},
        {"섭지코지.jpg", 1200, 500, RGB(100, 150, 220), RGB(20, 60, 120)},
    };
    for (auto& p : pictures)
        WriteScene(photos + p.name, p.w, p.h, p.sky, p.sea);

    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("Show=1");
    if (!theApp.StartUp())
        return 1;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    theApp.CloseSplash();
    frame->MoveWindow(0, 0, 800, 600);
    Settle();

    CDlgConsoleBrowse* folders = frame->m_pBrowsePane;
    frame->SetSelFolder(kFolderBrowse);
    Settle();
    folders->OpenFolderInBrowser(photos.c_str());
    CDlgImgBrowser* browser = CDlgImgBrowser::OpenLayer(IDR_MAINFRAME);
    if (!browser) {
        std::fprintf(stderr, "browser scene: no browser window\n");
        return 1;
    }
    for (int i = 0; i < 20 && !theApp.m_bThumbThreadDone; i++)
        Settle();
    CMivoImgBrowserView* view = browser->m_pThumbView;
    view->SelectItem(3, TRUE, TRUE);
    view->SelectItem(5, FALSE, FALSE);
    Settle();
    Shoot("browser-thumbs");
    SaveSurface(frame->m_hWnd, "browser-thumbs");

    // A band from the middle of the empty space right of the cells, half-way to the first row.
    CRect client;
    view->GetClientRect(&client);
    CPoint start(client.right - 12, client.bottom - 40);
    CPoint middle(view->Grid().CellRect(1).CenterPoint().x, view->Grid().CellRect(1).CenterPoint().y);
    mivo::InjectMouseMove(ScreenPoint(view, start));
    RunLater(600, [view, middle, start, frame] {
        CPoint between((start.x + middle.x) / 2, (start.y + middle.y) / 2);
        mivo::InjectMouseMove(ScreenPoint(view, between));
        mivo::InjectMouseMove(ScreenPoint(view, middle));
        RunLater(800, [view, middle, frame] {
            Shoot("browser-band");
            SaveSurface(frame->m_hWnd, "browser-band");
            mivo::InjectMouseButton(ScreenPoint(view, middle), mivo::MouseButton::Left, false);
        });
    });
    mivo::InjectMouseButton(ScreenPoint(view, start), mivo::MouseButton::Left, true);
    Settle();
    Settle();

    // The context menu over a selected picture.
    CPoint on = view->Grid().CellRect(4).CenterPoint();
    view->SelectItem(4, TRUE, FALSE);
    RunLater(1500, [frame] {
        Shoot("browser-menu");
        SaveComposite(frame->m_hWnd, "browser-menu");
        ::EndMenu();
    });
    mivo::InjectMouseMove(ScreenPoint(view, on));
    mivo::InjectMouseButton(ScreenPoint(view, on), mivo::MouseButton::Right, true);
    mivo::InjectMouseButton(ScreenPoint(view, on), mivo::MouseButton::Right, false);
    Settle();

    browser->ShowPhotoList();
    Settle();
    Shoot("browser-list");

    // The folder pane's file in the zoom view, at 200 %.
    CMainFrame::OpenImageInPane(browser->m_arrPath[browser->m_nFolderCount], 0, -1, -1);
    browser->ShowDetail();
    for (int i = 0; i < 20 && theApp.m_bBrowserLoading; i++)
        Settle();
    Settle();
    browser->m_pDetailView->SendMessage(WM_COMMAND, ID_BROWSER_ZOOM_FIRST + 5);
    Settle();
    Shoot("browser-zoom");
    SaveSurface(frame->m_hWnd, "browser-zoom");

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
