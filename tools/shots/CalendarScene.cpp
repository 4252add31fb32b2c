// The calendar windows on the shipped template database, driven by synthesized clicks: the
// template editor after a click on a stored template (month preview, navigator and zoom text),
// the make-calendar dialog after a click on a template (the composed month with a photo, status
// text), then its options page. A fixture template whose background carries the weekday names
// is composed for a real month, written out whole, and printed through the printing dialog to a
// PDF that pdftoppm renders beside the shots.
#include "ShotSupport.h"

#include "calendar/CalendarComposer.h"
#include "calendar/CalendarForms.h"
#include "calendar/DlgImgAppCalendar.h"
#include "calendar/DlgImgAppCalendarPages.h"
#include "calendar/DlgTemplateCalendar.h"
#include "controls/VXDlgLayerFrame.h"
#include "image/ImageObject.h"
#include "mivo/testing/printdlg.h"
#include "print/DlgImgPrint.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"
#include "support/PrivateRuntimeFolder.h"
#include "support/TempFolder.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

void ClickGridRow(CVXGridCtrl& grid, int row)
{
    CRect rect;
    if (!grid.GetItemRect(row, 0, &rect))
        return;
    CPoint at = rect.CenterPoint();
    grid.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void ClickButton(CWnd& dialog, UINT id)
{
    CWnd* button = dialog.GetDlgItem(id);
    if (!button)
        return;
    CRect rect;
    button->GetClientRect(&rect);
    CPoint at = rect.CenterPoint();
    button->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    button->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

// A photo of a sunset over hills, written as a JPEG.
CString WritePhoto(const std::string& folder)
{
    CImageObject base;
    std::unique_ptr<CImageObject> photo(base.MakeBlankImageObject(RGB(250, 190, 120), 640, 420));
    for (int y = 0; y < 420; y += 6)
        photo->DrawRect(CRect(0, y, 639, y + 5), RGB(250 - y / 4, 170 - y / 5, 110 + y / 6), TRUE, 0, 1, FALSE, 0);
    photo->DrawCircle(CPoint(420, 170), RGB(255, 235, 140), 60, TRUE, 0, 0, 1, FALSE);
    for (int x = 0; x < 640; x += 4) {
        int top = 260 + (int)(40 * std::sin(x / 70.0));
        photo->DrawRect(CRect(x, top, x + 3, 419), RGB(60, 110 + x / 16, 70), TRUE, 0, 1, FALSE, 0);
    }
    CString path = (folder + "sunset.jpg").c_str();
    photo->Save(path);
    return path;
}

// A page whose weekday header is part of the background: 일 월 화 수 목 금 토 over the grid.
int StoreWeekdayTemplate(const std::string& folder)
{
    CImageObject base;
    std::unique_ptr<CImageObject> back(base.MakeBlankImageObject(RGB(255, 253, 247), 620, 877));
    back->DrawRect(CRect(0, 0, 619, 16), RGB(200, 90, 80), TRUE, 0, 1, FALSE, 0);
    const char* names[7] = {"일", "월", "화", "수", "목", "금", "토"};
    for (int d = 0; d < 7; ++d) {
        COLORREF colour = d == 0 ? RGB(220, 40, 40) : d == 6 ? RGB(40, 70, 220) : RGB(60, 60, 60);
        LOGFONT font = {};
        font.lfHeight = 22;
        font.lfWeight = 700;
        font.lfCharSet = 1;
        std::strcpy(font.lfFaceName, "돋움");
        CPoint at(40 + d * 77 + 28, 506);
        back->DrawTextA(names[d], &at, &font, colour, RGB(255, 255, 255), TRUE, 100, nullptr);
    }
    CString file = (folder + "weekdays.bmp").c_str();
    back->Save(file);
    CalendarForm form;
    form.strName = "요일 머리";
    form.strDir = "세로";
    form.strSize = "A4";
    form.strFileType = "bmp";
    const int values[CAL_VALUE_COUNT] = {40, 30, 40, 0x333333, 500, 20, 72, 0x2828DC,
                                         40, 540, 540, 300, 1, 0xB4B4B4,
                                         40, 100, 540, 380, 40, 490, 0x555555, 0};
    for (int i = 0; i < CAL_VALUE_COUNT; ++i)
        form.nValue[i] = values[i];
    return CCalendarForms::Save(form, &file);
}

void WriteWholePage(const char* name, CImageObject& page)
{
    std::vector<uint32_t> pixels((size_t)page.GetWidth() * page.GetHeight());
    for (int y = 0; y < page.GetHeight(); ++y)
        for (int x = 0; x < page.GetWidth(); ++x) {
            COLORREF c = page.GetPixelColor(x, y);
            pixels[(size_t)y * page.GetWidth() + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    WritePpm(name, pixels, page.GetWidth(), page.GetHeight());
}

CDlgImgPrint* g_print = nullptr;
std::string g_pdfPosix, g_pdfWindows;

// Prints the borrowed page on form 1 (A4 portrait, one picture) to the PDF, then closes.
void CALLBACK PrintPage(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    CDlgImgPrint& dlg = *g_print;
    dlg.ChooseForm(1);
    dlg.WaitForBuild();
    std::string windows = g_pdfWindows;
    mivo::SetPrintDialogHook([windows](const PRINTDLGA&, mivo::PrintDialogAnswer& a) {
        a.printQuality = 150;
        a.outputFile = windows;
    });
    dlg.OnPrint();
    mivo::SetPrintDialogHook(nullptr);
    dlg.PostMessage(WM_COMMAND, IDCANCEL, 0);
}

void PrintToPdf(CImageObject& page, const std::string& posixFolder, const std::string& windowsFolder)
{
    g_pdfPosix = posixFolder + "calendar-page-print.pdf";
    g_pdfWindows = windowsFolder + "calendar-page-print.pdf";
    CDlgImgPrint dlg(nullptr);
    dlg.m_pBorrowImg = &page;
    dlg.m_arrPaths.Add("");
    g_print = &dlg;
    ::SetTimer(nullptr, 0, 1500, PrintPage);
    dlg.DoModal();
    g_print = nullptr;
    const char* out = std::getenv("MIVO_SHOT_FOLDER");
    if (out) {
        std::string cmd = "pdftoppm -r 40 -png '" + g_pdfPosix + "' '" + out + "/calendar-page-print'";
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "calendar scene: pdftoppm failed\n");
    }
}

void ShootEditor(CMainFrame* frame)
{
    frame->SendMessage(WM_COMMAND, ID_TEMPLATE_CALENDAR);
    Settle();
    auto* layer = dynamic_cast<CVXDlgLayerFrame*>(frame->MDIGetActive());
    auto* editor = layer ? dynamic_cast<CDlgTemplateCalendar*>(layer->GetPageDialog(0)) : nullptr;
    if (!editor) {
        std::fprintf(stderr, "calendar scene: no template editor\n");
        return;
    }
    ClickGridRow(editor->m_wndGrid, 0);
    Settle();
    ClickButton(*editor, IDC_CAL_ZOOM_IN);
    Settle();
    Shoot("calendar-template-editor");
    SaveSurface(frame->m_hWnd, "calendar-template-editor-surface");
    ClickButton(*editor, IDC_CAL_TAB_USERIMG);
    Settle();
    Shoot("calendar-template-editor-userimg");
    layer->MDIDestroy();
    Settle();
}

void ShootMakeCalendar(CMainFrame* frame, const CString& photo)
{
    CDlgImgAppCalendar dialog(nullptr);
    dialog.m_bFromFile = 1;
    dialog.m_strSrcPath = photo;
    dialog.Create(IDD_IMGAPP_CALENDAR, frame);
    dialog.MoveWindow(0, 0, 800, 590);
    dialog.ShowWindow(SW_SHOW);
    Settle();
    ClickGridRow(dialog.m_pTmplPage->m_wndGrid, 0);
    Settle();
    dialog.WaitComposition();
    Settle();
    Shoot("calendar-make");
    SaveSurface(dialog.m_hWnd, "calendar-make-surface");
    ClickButton(dialog, IDC_CAL_TAB_OPTION);
    Settle();
    Shoot("calendar-make-options");
    dialog.SendMessage(WM_COMMAND, IDCANCEL);
    dialog.DestroyWindow();
    Settle();
}

}  // namespace

int main()
{
    mivotest::PrivateRuntimeFolder runtime;
    mivotest::TempFolder run("mivo-shot-calendar");
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

    ShootEditor(frame);
    CString photo = WritePhoto(run.windowsPath());
    ShootMakeCalendar(frame, photo);

    // The weekday fixture composed for February 2026 with the photo, as a whole page.
    int key = StoreWeekdayTemplate(run.windowsPath());
    CalendarForm form;
    CalendarUnpacked picture;
    if (key && CCalendarForms::Load(key, form, picture)) {
        CImageObject back, source;
        if (back.LoadImageFromFile(picture.strPath, 0) && source.LoadImageFromFile(photo, 0)) {
            CalendarComposeInput in;
            in.form = form;
            in.strYear = "2026";
            in.strMonth = "2";
            in.strYearFace = in.strMonthFace = in.strDayFace = in.strDescFace = "돋움";
            in.strDescText = "Mivo 달력 - 2026년 2월";
            in.nYearSize = 40;
            in.nMonthSize = 72;
            in.nDescSize = 16;
            in.bCrop = TRUE;
            std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(back, &source, in, nullptr, nullptr));
            if (page) {
                WriteWholePage("calendar-page-weekdays", *page);
                PrintToPdf(*page, run.file(""), run.windowsPath());
            }
        }
    }

    frame->DestroyWindow();
    Settle();
    theApp.CloseDBProfile();
    return 0;
}
