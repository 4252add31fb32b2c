// Printing as a person sees it, driven by synthesized clicks: the printing dialog on
// form 3 with four photographs and its overview frame, the preview's menu opened by a
// right click, the options panel; the print-form editor on form 3; the order cart.
// Pages of forms 3 and 5 printed to PDF are rendered beside the shots (pdftoppm).
#include "ShotSupport.h"

#include "grid/VXGridCtrl.h"
#include "image/ImageObject.h"
#include "mivo/testing/input.h"
#include "mivo/testing/printdlg.h"
#include "print/DlgCart.h"
#include "print/DlgImgPrint.h"
#include "print/DlgImgPrintTmpl.h"
#include "print/DlgTemplatePrForm.h"
#include "print/ImgPrintView.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

const UINT kStepMs = 1200;
CDlgImgPrint* g_print = nullptr;
int g_step = 0;
std::string g_pdfFolder;   // POSIX
std::string g_pdfWindows;  // the same folder as the program names it

void Click(HWND window, CPoint client, mivo::MouseButton button = mivo::MouseButton::Left)
{
    CPoint screen = client;
    ::ClientToScreen(window, &screen);
    mivo::InjectMouseMove(screen);
    mivo::InjectMouseButton(screen, button, true);
    mivo::InjectMouseButton(screen, button, false);
}

void Key(UINT vk)
{
    mivo::InjectKey(vk, true);
    mivo::InjectKey(vk, false);
}

// The centre of a form's row in a grid.
CPoint RowPoint(CVXGridCtrl& grid, int formNo)
{
    for (int row = 0; row < grid.GetItemCount(); ++row) {
        if ((int)grid.GetItemData(row) != formNo)
            continue;
        CRect rect;
        grid.GetItemRect(row, 1, &rect);
        return rect.CenterPoint();
    }
    return CPoint(10, 10);
}

// A photograph made of coloured bands and a sun, so placement shows at a glance.
CString Photo(const mivotest::TempFolder& data, const char* name, int w, int h, COLORREF sky, COLORREF ground)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> p(maker.MakeBlankImageObject(sky, w, h));
    p->DrawRect(CRect(0, h * 2 / 3, w - 1, h - 1), ground, TRUE, 0, 1, FALSE, 0);
    p->DrawCircle(CPoint(w * 3 / 4, h / 4), RGB(250, 220, 60), h / 8, TRUE, 0, 0, 1, FALSE);
    p->DrawRect(CRect(0, 0, w - 1, h - 1), RGB(40, 40, 40), FALSE, 0, 3, FALSE, 0);
    CString path = CString(data.windowsPath().c_str()) + name;
    p->Save(path);
    return path;
}

void PrintPdf(CDlgImgPrint& dlg, int formNo, const char* name)
{
    dlg.ChooseForm(formNo);
    dlg.WaitForBuild();
    std::string windows = g_pdfWindows + name + ".pdf";
    mivo::SetPrintDialogHook([windows](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
        a.printQuality = 150;
        a.outputFile = windows;
    });
    dlg.OnPrint();
    mivo::SetPrintDialogHook(nullptr);
    const char* out = std::getenv("MIVO_SHOT_FOLDER");
    if (out) {
        std::string cmd = "pdftoppm -r 40 -png '" + g_pdfFolder + "/" + name + ".pdf' '" + out + "/" + name + "'";
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "print scene: pdftoppm failed for %s\n", name);
    }
}

void CALLBACK PrintStep(HWND, UINT, UINT_PTR, DWORD)
{
    CDlgImgPrint& dlg = *g_print;
    std::fprintf(stderr, "print scene: dialog step %d\n", g_step);
    switch (g_step++) {
    case 0:
        dlg.MoveWindow(4, 4, 790, 560);
        break;
    case 1:
        Click(dlg.m_pTmplDlg->m_gridForms.GetSafeHwnd(), RowPoint(dlg.m_pTmplDlg->m_gridForms, 3));
        break;
    case 2:
        dlg.m_pView->ZoomIn();
        dlg.m_pView->ZoomIn();
        break;
    case 3:
        Settle();
        SaveSurface(dlg.m_hWnd, "print_dialog_surface");
        Shoot("print_dialog");
        break;
    case 4: {
        CRect view;
        dlg.m_pView->GetClientRect(&view);
        CPoint at(view.Width() / 3, view.Height() / 3);
        CPoint screen = at;
        dlg.m_pView->ClientToScreen(&screen);
        mivo::InjectMouseMove(screen);
        dlg.m_pView->PostMessage(WM_CONTEXTMENU, (WPARAM)dlg.m_pView->m_hWnd, MAKELPARAM(screen.x, screen.y));
        break;
    }
    case 5:
        Settle();
        SaveComposite(dlg.m_hWnd, "print_menu");
        Shoot("print_menu");
        Key(VK_ESCAPE);
        break;
    case 6: {
        CRect button;
        dlg.m_btnOptions.GetWindowRect(&button);
        dlg.ScreenToClient(&button);
        Click(dlg.m_hWnd, button.CenterPoint());
        break;
    }
    case 7:
        Settle();
        SaveSurface(dlg.m_hWnd, "print_options_surface");
        Shoot("print_options");
        break;
    case 8:
        PrintPdf(dlg, 3, "print_pdf_form3");
        PrintPdf(dlg, 5, "print_pdf_form5");
        break;
    default:
        dlg.PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

CDlgTemplatePrForm* g_editor = nullptr;
CWnd* g_host = nullptr;

void CALLBACK EditorStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    std::fprintf(stderr, "print scene: editor step %d\n", g_step);
    switch (g_step++) {
    case 0:
        Click(g_editor->m_gridForms.GetSafeHwnd(), RowPoint(g_editor->m_gridForms, 3));
        break;
    case 1:
        Settle();
        SaveSurface(g_host->m_hWnd, "print_form_editor_surface");
        Shoot("print_form_editor");
        break;
    default:
        ::KillTimer(nullptr, timer);
        ::PostQuitMessage(0);
        break;
    }
}

void CALLBACK CartStep(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ::FindWindow(nullptr, "인화 주문 목록 관리");
    std::fprintf(stderr, "print scene: cart step %d\n", g_step);
    if (!dialog)
        return;
    switch (g_step++) {
    case 0:
        ::SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        break;
    case 1: {
        CVXGridCtrl* grid = (CVXGridCtrl*)CWnd::FromHandle(::GetDlgItem(dialog, IDC_CART_GRID));
        CRect rect;
        grid->GetItemRect(1, 1, &rect);
        Click(grid->GetSafeHwnd(), rect.CenterPoint());
        break;
    }
    case 2:
        Settle(dialog);
        SaveSurface(dialog, "print_cart_surface");
        Shoot("print_cart");
        break;
    default:
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

}  // namespace

int main()
{
    mivotest::TempFolder data("mivo-print-shot");
    ::mkdir(data.file("Temp").c_str(), 0755);
    g_pdfFolder = data.path();
    g_pdfWindows = data.windowsPath();
    mivotest::TempDatabase tmpl("Mivo", {"Mivo.sql", "MivoSeed.sql"});
    theApp.m_strDataDir = data.windowsPath().c_str();
    theApp.m_strTmplDSN = "Mivo";

    {
        CDlgImgPrint dlg(nullptr);
        dlg.m_arrPaths.Add(Photo(data, "바다.jpg", 1200, 900, RGB(120, 180, 240), RGB(30, 90, 170)));
        dlg.m_arrPaths.Add(Photo(data, "들판.jpg", 900, 1200, RGB(150, 200, 250), RGB(70, 150, 50)));
        dlg.m_arrPaths.Add(Photo(data, "노을.jpg", 1200, 800, RGB(240, 150, 90), RGB(90, 60, 40)));
        dlg.m_arrPaths.Add(Photo(data, "눈.jpg", 1000, 1000, RGB(200, 210, 230), RGB(245, 245, 250)));
        g_print = &dlg;
        UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, PrintStep);
        dlg.DoModal();
        ::KillTimer(nullptr, timer);
    }

    {
        g_step = 0;
        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "인쇄양식 템플릿 등록 및 관리",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, CRect(4, 4, 794, 594), nullptr, 0);
        CRect client;
        host.GetClientRect(&client);
        auto editor = std::make_unique<CDlgTemplatePrForm>(&host);
        editor->Create(IDD_TEMPLATE_PRFORM, &host);
        editor->MoveWindow(&client);
        editor->ShowWindow(SW_SHOW);
        g_editor = editor.get();
        g_host = &host;
        ::SetTimer(nullptr, 0, kStepMs, EditorStep);
        MSG msg;
        while (::GetMessage(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        editor->DestroyWindow();
        host.DestroyWindow();
    }

    {
        g_step = 0;
        mivotest::TempDatabase user("MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"},
                                    u8"insert into CartMaster values (1,'기본 장바구니'),(2,'가족 여행'),(3,'돌잔치');"
                                    u8"insert into CartItems values (2,'C:\\사진\\a.jpg'),(2,'C:\\사진\\b.jpg'),"
                                    u8"(3,'C:\\사진\\c.jpg');");
        theApp.m_strUserDSN = "MivoUser";
        CDlgCart cart(nullptr);
        cart.m_arrPaths.Add("C:\\사진\\바다.jpg");
        cart.m_arrPaths.Add("C:\\사진\\들판.jpg");
        cart.m_arrPaths.Add("C:\\사진\\노을.jpg");
        UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, CartStep);
        cart.DoModal();
        ::KillTimer(nullptr, timer);
    }
    return 0;
}
