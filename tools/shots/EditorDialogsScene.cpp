// The image editor's parameter dialogs, each opened by its command over an
// editor's picture: resize, canvas, free rotation, colour balance after a
// slider drag, threshold, the frame, mask and margin pickers with a shipped
// template chosen by a click on their list, the text dialog with Korean text typed,
// and the histogram.
#include "ShotSupport.h"

#include "editor/ImgEditDoc.h"
#include "editor/ImgEditFrame.h"
#include "editor/ImgEditView.h"
#include "framework/VXUtil.h"
#include "grid/VXGridCtrl.h"
#include "image/ImageObject.h"
#include "mivo/testing/input.h"
#include "resource.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

const UINT kStepMs = 900;

struct Shot {
    UINT command;
    const char* caption;
    const char* name;
    std::function<void(HWND dialog)> act;
};

const Shot* g_shot = nullptr;
int g_step = 0;
bool g_settling = false;

POINT ScreenOf(HWND hwnd, int x, int y)
{
    POINT p = {x, y};
    ::ClientToScreen(hwnd, &p);
    return p;
}

void ClickAt(HWND hwnd, int x, int y)
{
    POINT at = ScreenOf(hwnd, x, y);
    mivo::InjectMouseMove(at);
    mivo::InjectMouseButton(at, mivo::MouseButton::Left, true);
    mivo::InjectMouseButton(at, mivo::MouseButton::Left, false);
}

// A click on the first row of a dialog's template list.
void ClickFirstRow(HWND dialog, int listId)
{
    HWND list = ::GetDlgItem(dialog, listId);
    CVXGridCtrl* grid = dynamic_cast<CVXGridCtrl*>(CWnd::FromHandlePermanent(list));
    RECT row = {0, 0, 0, 0};
    if (grid)
        grid->GetRowRect(0, 0, &row);
    ClickAt(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
}

void DragSlider(HWND dialog, int sliderId, int dx)
{
    HWND bar = ::GetDlgItem(dialog, sliderId);
    RECT thumb = {};
    ::SendMessage(bar, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    mivo::InjectMouseMove(ScreenOf(bar, x, y));
    mivo::InjectMouseButton(ScreenOf(bar, x, y), mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(ScreenOf(bar, x + dx / 2, y));
    mivo::InjectMouseMove(ScreenOf(bar, x + dx, y));
    mivo::InjectMouseButton(ScreenOf(bar, x + dx, y), mivo::MouseButton::Left, false);
}

void CALLBACK ShotStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_settling)
        return;
    HWND dialog = g_shot ? ::FindWindow(nullptr, g_shot->caption) : nullptr;
    std::fprintf(stderr, "editor dialogs scene: %s step %d%s\n", g_shot ? g_shot->name : "-", g_step,
                 dialog ? "" : " (no dialog)");
    if (!dialog)
        return;
    switch (g_step++) {
    case 0:
        break;
    case 1:
        if (g_shot->act)
            g_shot->act(dialog);
        break;
    case 2:
        // The timer fires again while the display settles: the step waits for it.
        g_settling = true;
        Settle(dialog);
        g_settling = false;
        SaveSurface(dialog, (std::string(g_shot->name) + "-surface").c_str());
        Shoot(g_shot->name);
        break;
    default:
        ::PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

// A landscape: sky, sun, hills and a lake.
CImageObject* Landscape(int width, int height)
{
    CImageObject maker;
    CImageObject* p = maker.MakeBlankImageObject(RGB(135, 190, 235), width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double fx = double(x) / width, fy = double(y) / height;
            double hill = 0.55 + 0.08 * std::sin(fx * 9.0) + 0.05 * std::sin(fx * 23.0);
            COLORREF c = RGB(int(120 + 100 * fy), int(180 + 50 * fy), 240);
            if (std::hypot(fx - 0.75, fy - 0.2) < 0.07)
                c = RGB(250, 210, 60);
            if (fy > hill)
                c = RGB(40 + int(60 * fx), 120 + int(50 * (1 - fy)), 50);
            if (fy > 0.8)
                c = RGB(40, 90 + int(40 * fx), 170 + int(40 * (fy - 0.8) * 5));
            p->SetPixelColor(x, y, c);
        }
    }
    return p;
}

class CShotFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CShotFrame)
public:
    CShotFrame() { m_strTitle = "Mivo 이미지 편집"; }
};
IMPLEMENT_DYNCREATE(CShotFrame, CMDIFrameWnd)

}  // namespace

int main()
{
    mivotest::TempFolder data("mivo-editor-dialogs-shot");
    ::mkdir(data.file("Temp").c_str(), 0755);
    // The template database as shipped, with its frames, masks and patterns.
    mivotest::TempDatabase db("MivoDialogShots", {"Mivo.sql", "MivoSeed.sql", "TemplateSeed.sql"});

    CMainApp& app = theApp;
    app.m_strDataDir = data.windowsPath().c_str();
    app.m_strTmplDSN = db.dsn().c_str();
    auto* frame = new CShotFrame;
    if (!frame->LoadFrame(7320))
        return 1;
    app.m_pMainWnd = frame;
    frame->MoveWindow(10, 10, 780, 570);
    frame->ShowWindow(SW_SHOW);
    auto* editorTemplate = new CMultiDocTemplate(157, RUNTIME_CLASS(CImgEditDoc), RUNTIME_CLASS(CImgEditFrame),
                                                 RUNTIME_CLASS(CImgEditView));
    editorTemplate->m_strDocStrings = "\nImgEdit\nImgEdit";
    app.AddDocTemplate(editorTemplate);

    CImgEditView* view = dynamic_cast<CImgEditView*>(OpenView("ImgEdit", TRUE, FALSE));
    if (!view)
        return 1;
    view->LoadImage("", "설악산 풍경.JPG");
    delete view->m_pImage;
    view->m_pImage = Landscape(640, 420);
    view->m_pImage->SetParent(view);
    view->OnImageLoaded();
    Settle();

    const Shot shots[] = {
        {IDM_ED_RESIZE, "이미지 크기 변경", "editor-dialog-resize",
         [](HWND d) { ::SetDlgItemText(d, IDC_RS_WIDTH_PERCENT, "75"); }},
        {IDM_ED_CANVAS, "캔바스 크기 변경", "editor-dialog-canvas", nullptr},
        {IDM_ED_ROTATE_ANGLE, "임의 각도 회전", "editor-dialog-rotate",
         [](HWND d) { ::SetDlgItemText(d, IDC_RT_ANGLE, "12.5"); }},
        {IDM_ED_COLOR_BALANCE, "밝기/대비/색조 조정(Brightness/Contrast/Tone)", "editor-dialog-colorbalance",
         [](HWND d) { DragSlider(d, IDC_CB_RED_SLIDER, 45); }},
        {IDM_ED_THRESHOLD, "단색이미지로 변환", "editor-dialog-threshold", nullptr},
        {IDM_ED_FRAME, "액자(Frame)에 넣기", "editor-dialog-frame", [](HWND d) { ClickFirstRow(d, IDC_FR_LIST); }},
        {IDM_ED_MASK, "마스크(Mask)", "editor-dialog-mask", [](HWND d) { ClickFirstRow(d, IDC_MK_LIST); }},
        {IDM_ED_MARGIN_SHADOW, "여백 및 그림자 넣기", "editor-dialog-shadow",
         [](HWND d) {
             ::CheckDlgButton(d, IDC_SH_USE_PATTERN, BST_CHECKED);
             ClickFirstRow(d, IDC_SH_LIST);
         }},
        {IDM_ED_TEXT, "글꼴선택 및 텍스트입력", "editor-dialog-text",
         [](HWND d) {
             ::SetDlgItemText(d, IDC_TX_SIZE, "40");
             ::SetFocus(::GetDlgItem(d, IDC_TX_TEXT));
             mivo::InjectText("가을 설악산 2026 ");
             // A syllable still being composed shows underlined at the caret.
             mivo::InjectComposition("풍");
         }},
        {IDM_ED_HISTOGRAM, "이미지 히스토그램", "editor-dialog-histogram",
         [](HWND d) {
             ::SendDlgItemMessage(d, IDC_HG_TABS, TCM_SETCURSEL, 1, 0);
             NMHDR change = {::GetDlgItem(d, IDC_HG_TABS), IDC_HG_TABS, (UINT)TCN_SELCHANGE};
             ::SendMessage(d, WM_NOTIFY, IDC_HG_TABS, (LPARAM)&change);
         }},
    };
    for (const Shot& shot : shots) {
        g_shot = &shot;
        g_step = 0;
        UINT_PTR timer = ::SetTimer(nullptr, 0, kStepMs, ShotStep);
        view->SendMessage(WM_COMMAND, shot.command);
        ::KillTimer(nullptr, timer);
        // What OK would start is not wanted: every dialog was cancelled.
        Settle();
    }
    view->m_bModified = FALSE;
    frame->SendMessage(WM_CLOSE);
    Settle();
    return 0;
}
