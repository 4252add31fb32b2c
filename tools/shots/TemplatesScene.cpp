// The template pages as the main frame's template commands open them on the shipped template
// database: the frame page after a click on a stored frame (both pieces, the sample frame and
// the list of three), the mask page on a stored mask, and the pattern page with its small tile
// drawn enlarged.
#include "ShotSupport.h"

#include "controls/VXDlgLayerFrame.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"
#include "templates/DlgTemplatePage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The page of the active layer window.
CDlgTemplatePage* ActivePage(CMainFrame* frame)
{
    auto* layer = dynamic_cast<CVXDlgLayerFrame*>(frame->MDIGetActive());
    return layer ? dynamic_cast<CDlgTemplatePage*>(layer->GetPageDialog(0)) : nullptr;
}

// A click on a list row, as the mouse gives it.
void ClickRow(CDlgTemplatePage* page, int row)
{
    CRect rect;
    if (!page->m_wndList.GetItemRect(row, 0, &rect))
        return;
    CPoint at = rect.CenterPoint();
    page->m_wndList.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    page->m_wndList.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void Photograph(CMainFrame* frame, UINT command, int row, const char* name)
{
    frame->SendMessage(WM_COMMAND, command);
    Settle();
    CDlgTemplatePage* page = ActivePage(frame);
    if (!page) {
        std::fprintf(stderr, "templates scene: no page for %s\n", name);
        return;
    }
    ClickRow(page, row);
    Settle();
    Shoot(name);
    SaveSurface(frame->m_hWnd, (std::string(name) + "-surface").c_str());
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-templates");
    setenv("ODBCINI", run.file("odbc.ini").c_str(), 1);
    setenv("MIVO_REGISTRY_FILE", run.file("registry").c_str(), 1);
    for (const char* name : {"Mivo.dat", "MivoUser.dat"})
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name, run.file(name));

    theApp.m_strRunDir = run.windowsPath().c_str();
    theApp.m_lpCmdLine = strdup("Show=1");
    if (!theApp.StartUp())
        return 1;
    CMainFrame* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    Settle();
    theApp.CloseSplash();
    frame->ShowWindow(SW_MAXIMIZE);
    Settle();

    Photograph(frame, ID_TEMPLATE_FRAME, 1, "templates-frame");
    Photograph(frame, ID_TEMPLATE_MASK, 1, "templates-mask");
    Photograph(frame, ID_TEMPLATE_PATTERN, 1, "templates-pattern");

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
