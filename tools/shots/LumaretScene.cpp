// The main program as a user first sees it: the main frame with its toolbar,
// logo band, folder bar with the folder tree and the status bar; the zoom steps
// dropped from the toolbar's zoom button by a click on its arrow; the About
// box; and the open dialog showing a picture's preview.
#include "ShotSupport.h"

#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "image/ImageObject.h"
#include "resource.h"
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

std::function<void()> g_step;

// Runs the step from inside whatever modal loop is running by then.
void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    std::function<void()> step = std::move(g_step);
    g_step = nullptr;
    if (step)
        step();
}

void Later(int ms, std::function<void()> step)
{
    g_step = std::move(step);
    ::SetTimer(nullptr, 0, ms, RunStep);
}

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
    Later(1500, [] {
        Shoot("lumaret-zoommenu");
        ::EndMenu();
    });
    mivo::InjectMouseButton(arrow, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(arrow, mivo::MouseButton::Left, false);
    Settle();

    Later(1500, [] {
        Shoot("lumaret-about");
        if (HWND about = ::FindWindow(nullptr, "Mivo 정보"))
            ::SendMessage(about, WM_COMMAND, IDOK, 0);
    });
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    Settle();

    CMainApp::CopyFolderBuffer(theApp.m_szImageOpenDir, photos.c_str());
    Later(1500, [] {
        HWND open = ::GetForegroundWindow();
        SelectFile(open, "바다.jpg");
        Later(1500, [open] {
            Shoot("lumaret-open");
            ::SendMessage(open, WM_COMMAND, IDCANCEL, 0);
        });
    });
    frame->SendMessage(WM_COMMAND, ID_FILE_OPEN_IMAGE);
    Settle();

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
