// The print-site chooser against the demo's web database (the same stand-in
// and seed as scripts/kestrune-demo.sh): the dialog with a selected site and
// an empty frame, the context menu with its images and a greyed item, and the
// information dialog.
#include "ShotSupport.h"

#include "DlgSiteSelect.h"
#include "SiteListView.h"
#include "support/TempFolder.h"
#include "support/WebDatabaseSeed.h"

#include "mivo/testing/input.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const UINT kStepMs = 1200;
CDlgSiteSelect* g_dialog = nullptr;
int g_step = 0;

CPoint CellCentre(int index)
{
    CSiteListView* view = g_dialog->m_pSiteView;
    CRect cell = view->CellRect(index);
    CPoint at = cell.CenterPoint();
    view->ClientToScreen(&at);
    return at;
}

void Key(UINT vk)
{
    mivo::InjectKey(vk, true);
    mivo::InjectKey(vk, false);
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD)
{
    CSiteListView* view = g_dialog->m_pSiteView;
    std::fprintf(stderr, "kestrune scene: step %d\n", g_step);
    switch (g_step++) {
    case 0:
        // Wide enough for three columns and tall enough for two rows; the fifth site has no picture.
        g_dialog->MoveWindow(10, 2, 780, 596);
        break;
    case 1: {
        // A click on the maker's site selects it.
        CPoint at = CellCentre(1);
        mivo::InjectMouseMove(at);
        mivo::InjectMouseButton(at, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(at, mivo::MouseButton::Left, false);
        break;
    }
    case 2:
        Settle();
        SaveSurface(g_dialog->m_hWnd, "kestrune_dialog_surface");
        Shoot("kestrune_dialog");
        {
            // The context menu of the site without a home page: the home-page item greyed.
            // Posted, so that the menu runs from the dialog's loop rather than inside this step.
            CPoint at = CellCentre(3);
            mivo::InjectMouseMove(at);
            view->ScreenToClient(&at);
            view->PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        }
        break;
    case 3:
        Key(VK_DOWN);
        break;
    case 4: {
        // The menu's native window shows once it has painted.
        HWND popup = ::FindWindow("#32768", nullptr);
        if (popup)
            ::RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
        if (popup)
            SaveSurface(popup, "kestrune_menu_surface");
        Shoot("kestrune_menu");
        Key(VK_ESCAPE);
        break;
    }
    case 5:
        view->m_nSelected = 1;
        view->PostMessage(WM_COMMAND, ID_SITE_INFO, 0);
        break;
    case 6: {
        Settle();
        Shoot("kestrune_info");
        HWND info = ::FindWindow(nullptr, "인화 사이트 등록정보");
        if (info) {
            SaveSurface(info, "kestrune_info_surface");
            ::PostMessage(info, WM_COMMAND, IDCANCEL, 0);
        }
        break;
    }
    default:
        g_dialog->PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

}  // namespace

int main()
{
    CWinApp app("Kestrune");
    mivotest::TempFolder data("mivo-kestrune-shot");
    mkdir(data.file("Temp").c_str(), 0755);
    mivotest::WebDatabaseStub stub;
    mivotest::SeedDemo(stub);
    std::string map = "127.0.0.1:80=127.0.0.1:" + std::to_string(stub.port());
    setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1);

    CDlgSiteSelect dialog;
    dialog.m_strServer = "127.0.0.1";
    dialog.m_strDataDir = data.windowsPath().c_str();
    g_dialog = &dialog;
    // As the program does: the chooser is the main window, so its own dialogs are owned by it.
    app.m_pMainWnd = &dialog;
    UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, NextStep);
    dialog.DoModal();
    app.m_pMainWnd = nullptr;
    ::KillTimer(nullptr, timer);
    return 0;
}
