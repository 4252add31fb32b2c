// The browser's batch resize dialog after a run, and the slide show over a Korean folder: the
// strip with the caption and position, a slide half revealed, the context menu opened by a right
// click, and the settings dialog holding the folder pane's music player.
#include "ShotSupport.h"
#include "ScenePicture.h"

#include "album/DlgConsoleBrowse.h"
#include "browser/DlgImgBrowseResize.h"
#include "browser/DlgImgBrowser.h"
#include "browser/DlgImgSlideShow.h"
#include "browser/DlgImgSlideShowSet.h"
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

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-slideshow");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    std::string photos = run.windowsPath() + "제주 여행\\";
    ::CreateDirectory(photos.c_str(), nullptr);
    ::CreateDirectory((run.windowsPath() + "작은 사진").c_str(), nullptr);
    struct {
        const char* name;
        int w, h;
        COLORREF sky, sea;
    } pictures[] = {
        {"성산 일출.jpg", 800, 600, RGB(250, 180, 90), RGB(30, 80, 150)},
        {"협재 해변.jpg", 1024, 683, RGB(140, 200, 250), RGB(40, 170, 190)},
        {"한라산.jpg", 600, 800, RGB(200, 220, 240), RGB(60, 120, 60)},
        {"감귤밭.jpg", 900, 600, RGB(170, 210, 250), RGB(240, 150, 30)},
        {"우도 등대.jpg", 700, 700, RGB(120, 170, 230), RGB(250, 250, 250)},
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
    frame->SetSelFolder(kFolderBrowse);
    Settle();
    frame->m_pBrowsePane->OpenFolderInBrowser(photos.c_str());
    CDlgImgBrowser* browser = CDlgImgBrowser::OpenLayer(IDR_MAINFRAME);
    if (!browser) {
        std::fprintf(stderr, "slide show scene: no browser window\n");
        return 1;
    }
    for (int i = 0; i < 20 && !theApp.m_bThumbThreadDone; i++)
        Settle();
    CMivoImgBrowserView* view = browser->m_pThumbView;

    // The batch resize of the folder's pictures into another folder, after the run.
    {
        CDlgImgBrowseResize resize(frame);
        for (int i = browser->m_nFolderCount; i < browser->m_nItemCount; i++) {
            resize.m_arrSrcPath.Add(browser->m_arrPath[i]);
            resize.m_arrSrcName.Add(browser->m_arrName[i]);
            resize.m_arrDstName.Add("");
            resize.m_arrDstPath.Add("");
        }
        resize.Create(IDD_BATCH_RESIZE, frame);
        resize.m_bSameFolder = 0;
        resize.m_bDiffFolder = 1;
        resize.m_strFolder = (run.windowsPath() + "작은 사진\\").c_str();
        resize.m_nMaxWidth = 320;
        resize.m_nMaxHeight = 320;
        resize.UpdateData(FALSE);
        resize.RefreshResultList();
        resize.ShowWindow(SW_SHOW);
        RunLater(3000, [] {
            if (HWND box = ::GetActiveWindow())
                ::PostMessage(box, WM_COMMAND, IDOK, 0);
        });
        resize.SendMessage(WM_COMMAND, IDOK);
        for (int i = 0; i < 10 && CDlgImgBatch::IsRunning(CDlgImgBatch::kBatchResize); i++)
            Settle();
        Settle();
        Shoot("slideshow-batch-resize");
        SaveSurface(resize.m_hWnd, "slideshow-batch-resize");
        resize.DestroyWindow();
    }

    // The slide show from the second picture.
    auto owned = std::make_unique<CDlgImgSlideShow>();
    if (!owned->TakeItems(view, browser->m_nFolderCount + 1, FALSE) || !owned->Open()) {
        std::fprintf(stderr, "slide show scene: no slide show\n");
        return 1;
    }
    CDlgImgSlideShow* show = owned.release();
    Settle();
    show->WaitForWorkers();
    Settle();
    Shoot("slideshow");
    SaveSurface(show->m_hWnd, "slideshow");

    // Half-way through the bands of the next slide.
    show->NextSlide();
    for (int i = 0; i < 400 && !show->m_pSlideImage; i++) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(5);
    }
    ::Sleep(60);
    SaveSurface(show->m_hWnd, "slideshow-transition");
    Shoot("slideshow-transition");
    show->WaitForWorkers();
    Settle();

    // The context menu at a right click in the picture.
    CPoint at = show->m_rcPicture.CenterPoint();
    RunLater(1500, [show] {
        Shoot("slideshow-menu");
        SaveComposite(show->m_hWnd, "slideshow-menu");
        ::EndMenu();
    });
    mivo::InjectMouseMove(at);
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, true);
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, false);
    Settle();

    // The settings with the borrowed music player; closed with "수동모드로".
    RunLater(1500, [] {
        HWND settings = ::FindWindow(nullptr, "슬라이드 쇼 설정");
        Shoot("slideshow-settings");
        if (settings) {
            SaveSurface(settings, "slideshow-settings");
            ::PostMessage(settings, WM_COMMAND, IDCANCEL, 0);
        }
    });
    show->SendMessage(WM_COMMAND, ID_SLIDE_AUTO);
    Settle();
    show->SendMessage(WM_COMMAND, IDCANCEL);
    Settle();

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
