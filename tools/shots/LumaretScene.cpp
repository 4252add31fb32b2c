// The main program as a user first sees it: the main frame with its toolbar,
// logo band, folder bar with the folder tree and the status bar; the zoom steps
// dropped from the toolbar's zoom button by a click on its arrow; the About
// box; the open dialog showing a picture's preview; and the edit-tools pane
// with three editors: its list, the list's popup, and the navigator with its
// frame dragged over a zoomed editor.
#include "ShotSupport.h"

#include "editor/ConsoleImgListView.h"
#include "editor/DlgConsoleEditTools.h"
#include "editor/ImgEditView.h"

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "image/ImageObject.h"
#include "resource.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"

#include "mivo/testing/input.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

void WritePicture(const std::string& path, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(90, 150, 220), width, height));
    for (int y = height / 2; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture->SetPixelColor(x, y, RGB(60, 140 + (x * 60) / width, 50));
    for (int y = 0; y < height / 5; ++y)
        for (int x = 0; x < height / 5; ++x)
            picture->SetPixelColor(width * 3 / 4 + x, height / 6 + y, RGB(250, 220, 60));
    picture->Save(path.c_str());
}

// A landscape whose sky, sun, hills and lake tell the pictures apart.
CImageObject* Landscape(int width, int height, COLORREF sky, COLORREF hills)
{
    CImageObject maker;
    CImageObject* picture = maker.MakeBlankImageObject(sky, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double fx = double(x) / width, fy = double(y) / height;
            double ridge = 0.55 + 0.08 * std::sin(fx * 9.0) + 0.05 * std::sin(fx * 23.0);
            if (std::hypot(fx - 0.75, fy - 0.22) < 0.08)
                picture->SetPixelColor(x, y, RGB(250, 210, 60));
            else if (fy > 0.82)
                picture->SetPixelColor(x, y, RGB(40, 90 + int(40 * fx), 170 + int(60 * (fy - 0.8))));
            else if (fy > ridge)
                picture->SetPixelColor(x, y, RGB(GetRValue(hills) + int(40 * fx), GetGValue(hills), GetBValue(hills)));
        }
    }
    return picture;
}

POINT ScreenPoint(CWnd* wnd, CPoint client)
{
    POINT p = client;
    ::ClientToScreen(wnd->GetSafeHwnd(), &p);
    return p;
}

// Three editors beside the edit-tools pane: the list, its popup, then the
// navigator's frame dragged over the zoomed editor.
void ShootEditTools(CMainFrame* frame)
{
    CImgEditView* views[] = {
        frame->OpenImageAsNewEditor(Landscape(900, 600, RGB(135, 190, 235), RGB(40, 130, 50)), "설악산.jpg"),
        frame->OpenImageAsNewEditor(Landscape(600, 800, RGB(250, 170, 120), RGB(120, 80, 40)), "노을.jpg"),
        frame->OpenImageAsNewEditor(Landscape(800, 500, RGB(200, 220, 240), RGB(60, 100, 60)), "호수.bmp"),
    };
    for (CImgEditView* view : views)
        if (!view)
            return;
    // The user has widened the folder bar to see two columns of editors.
    frame->m_wndFolderBar.SetWidth(240);
    frame->RecalcLayout();
    Settle();
    ::SendMessage(frame->m_hWndMDIClient, WM_MDICASCADE, 0, 0);
    Settle();
    CImgEditView* zoomed = views[2];
    zoomed->GetParentFrame()->MoveWindow(150, 60, 420, 320);
    zoomed->ZoomToStep(33081 + 5);  // 200 %
    // The sunset editor is active: its cell is marked in the first row.
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)views[1]->GetParentFrame()->m_hWnd, 0);
    Settle();
    Shoot("lumaret-edittools-list");
    SaveSurface(frame->m_hWnd, "lumaret-edittools-list.ppm");

    CDlgConsoleEditTools* pane = frame->m_pEditToolsPane;
    CConsoleImgListView* list = pane->m_pImgListView;
    if (!list)
        return;
    CPoint thumb = list->GetThumbRect(1).CenterPoint();
    RunLater(1500, [frame] {
        Shoot("lumaret-edittools-menu");
        SaveComposite(frame->m_hWnd, "lumaret-edittools-menu");
        ::EndMenu();
    });
    POINT at = ScreenPoint(list, thumb);
    mivo::InjectMouseMove(at);
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, true);
    mivo::InjectMouseButton(at, mivo::MouseButton::Right, false);
    Settle();

    frame->ActivateFrame();
    ::SendMessage(frame->m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)zoomed->GetParentFrame()->m_hWnd, 0);
    Settle();
    POINT navigator = ScreenPoint(&pane->m_btnNavigator, CPoint(10, 8));
    mivo::InjectMouseMove(navigator);
    mivo::InjectMouseButton(navigator, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(navigator, mivo::MouseButton::Left, false);
    Settle();
    CPoint grab = pane->m_rcNavFrame.CenterPoint();
    mivo::InjectMouseMove(ScreenPoint(pane, grab));
    mivo::InjectMouseButton(ScreenPoint(pane, grab), mivo::MouseButton::Left, true);
    for (int step = 1; step <= 4; ++step)
        mivo::InjectMouseMove(ScreenPoint(pane, grab + CPoint(12 * step, 9 * step)));
    mivo::InjectMouseButton(ScreenPoint(pane, grab + CPoint(48, 36)), mivo::MouseButton::Left, false);
    mivo::InjectMouseMove(ScreenPoint(pane, CPoint(5, 5)));
    Settle();
    Shoot("lumaret-edittools-navigator");
    SaveSurface(frame->m_hWnd, "lumaret-edittools-navigator.ppm");

    for (CImgEditView* view : views)
        view->m_bModified = FALSE;
}

void SelectFile(HWND dialog, const char* name)
{
    HWND list = ::GetDlgItem(dialog, lst1);
    LVFINDINFO find = {LVFI_STRING};
    find.psz = name;
    int index = (int)::SendMessage(list, LVM_FINDITEM, (WPARAM)-1, (LPARAM)&find);
    LVITEM state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessage(list, LVM_SETITEMSTATE, index, (LPARAM)&state);
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-lumaret");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));
    // Through the layer: the Korean names are CP949 here and UTF-8 on disk.
    std::string photos = run.windowsPath() + "사진";
    ::CreateDirectory(photos.c_str(), nullptr);
    WritePicture(photos + "\\바다.jpg", 640, 480);

    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("Show=1");
    if (!theApp.StartUp())
        return 1;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    Settle();
    theApp.CloseSplash();
    Settle();
    Shoot("lumaret-main");
    SaveSurface(frame->m_hWnd, "lumaret-main.ppm");

    // The zoom steps: a click on the arrow beside "크게".
    CRect button;
    frame->m_wndToolBar.GetToolBarCtrl().GetRect(ID_VIEW_ZOOMIN, &button);
    frame->m_wndToolBar.ClientToScreen(&button);
    POINT arrow = {button.right - 5, button.top + button.Height() / 2};
    RunLater(1500, [] {
        Shoot("lumaret-zoommenu");
        ::EndMenu();
    });
    mivo::InjectMouseButton(arrow, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(arrow, mivo::MouseButton::Left, false);
    Settle();

    RunLater(1500, [] {
        Shoot("lumaret-about");
        if (HWND about = ::FindWindow(nullptr, "Mivo 정보"))
            ::SendMessage(about, WM_COMMAND, IDOK, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    Settle();

    CMainApp::CopyFolderBuffer(theApp.m_szImageOpenDir, photos.c_str());
    RunLater(1500, [] {
        HWND open = ::GetForegroundWindow();
        SelectFile(open, "바다.jpg");
        RunLater(1500, [open] {
            Shoot("lumaret-open");
            ::SendMessage(open, WM_COMMAND, IDCANCEL, 0);
        });
    });
    frame->SendMessage(WM_COMMAND, ID_FILE_OPEN_IMAGE);
    Settle();

    ShootEditTools(frame);

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
