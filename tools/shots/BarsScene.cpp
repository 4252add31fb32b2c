// Shows the common bars and small controls to be checked by eye: a Korean
// dialog with tabs, a trackbar and a month calendar; then a frame with a
// tool bar in a rebar over a background bitmap and a status bar holding a
// progress bar. Runs the command given in MIVO_SHOT_COMMAND at each moment.
#include "ShotSupport.h"
#include <win32.h>
#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kTabs = 200, kTrack = 201, kCalendar = 202, kLabel = 203, kRebar = 300, kTools = 301, kStatus = 302,
          kProgress = 303;

HWND g_dialog = nullptr;

HWND Item(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int cx, int cy, int id,
          DWORD ex = 0)
{
    HWND h = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                            (HMENU)(UINT_PTR)id, nullptr, nullptr);
    HFONT font = (HFONT)SendMessage(parent, WM_GETFONT, 0, 0);
    SendMessage(h, WM_SETFONT, (WPARAM)(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

std::vector<WORD> DialogTemplate()
{
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
    for (WORD w : {LOWORD(style), HIWORD(style), (WORD)0, (WORD)0, (WORD)0, (WORD)10, (WORD)10, (WORD)330,
                   (WORD)165, (WORD)0, (WORD)0})
        t.push_back(w);
    for (char16_t c : std::u16string(u"사진 보정"))
        t.push_back((WORD)c);
    t.push_back(0);
    t.push_back(9);
    for (char16_t c : std::u16string(u"굴림"))
        t.push_back((WORD)c);
    t.push_back(0);
    return t;
}

INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void ShowDialog()
{
    std::vector<WORD> tmpl = DialogTemplate();
    g_dialog = CreateDialogIndirect(nullptr, (LPCDLGTEMPLATE)tmpl.data(), nullptr, DialogProc);
    if (!g_dialog)
        return;
    HWND tabs = Item(g_dialog, WC_TABCONTROL, "", WS_CLIPSIBLINGS, 10, 10, 240, 150, kTabs);
    const char* names[] = {"밝기", "색상", "크기", "효과"};
    for (int i = 0; i < 4; ++i) {
        TCITEM item = {TCIF_TEXT};
        item.pszText = (LPSTR)names[i];
        SendMessage(tabs, TCM_INSERTITEM, i, (LPARAM)&item);
    }
    SendMessage(tabs, TCM_SETCURSEL, 1, 0);
    Item(g_dialog, "Static", "채도", 0, 24, 50, 60, 16, kLabel);
    HWND track = Item(g_dialog, TRACKBAR_CLASS, "", TBS_AUTOTICKS | WS_TABSTOP, 20, 70, 220, 32, kTrack);
    SendMessage(track, TBM_SETRANGE, TRUE, MAKELONG(0, 100));
    SendMessage(track, TBM_SETTICFREQ, 10, 0);
    SendMessage(track, TBM_SETPOS, TRUE, 60);
    HWND calendar = Item(g_dialog, MONTHCAL_CLASS, "", WS_TABSTOP | WS_BORDER, 262, 10, 200, 180, kCalendar);
    SYSTEMTIME day = {};
    day.wYear = 2026;
    day.wMonth = 12;
    day.wDay = 24;
    SendMessage(calendar, MCM_SETCURSEL, 0, (LPARAM)&day);
    Item(g_dialog, "Button", "확인", BS_DEFPUSHBUTTON | WS_TABSTOP, 175, 170, 75, 23, IDOK);
    ShowWindow(g_dialog, SW_SHOW);
    SetForegroundWindow(g_dialog);
    Settle(g_dialog);
    // Drag the thumb a little, as a user would, so that it shows where it stops.
    RECT thumb;
    SendMessage(track, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    POINT p{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(track, &p);
    mivo::InjectMouseMove(p);
    mivo::InjectMouseButton(p, mivo::MouseButton::Left, true);
    Settle(g_dialog);
    p.x += 30;
    mivo::InjectMouseMove(p);
    Settle(g_dialog);
    mivo::InjectMouseButton(p, mivo::MouseButton::Left, false);
    Settle(g_dialog);
    Shoot("bars-dialog");
    DestroyWindow(g_dialog);
    g_dialog = nullptr;
}

// Tool bar images on the strips' grey: each a simple shape in its own colour.
HBITMAP MakeStrip(int count)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 16 * count, 15);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    RECT all = {0, 0, 16 * count, 15};
    HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
    FillRect(dc, &all, grey);
    DeleteObject(grey);
    const COLORREF colors[] = {RGB(200, 160, 0), RGB(0, 90, 200), RGB(60, 60, 60), RGB(200, 40, 40), RGB(0, 140, 60)};
    for (int i = 0; i < count; ++i) {
        HBRUSH b = CreateSolidBrush(colors[i % 5]);
        HGDIOBJ ob = SelectObject(dc, b);
        HGDIOBJ op = SelectObject(dc, GetStockObject(BLACK_PEN));
        int x = 16 * i;
        if (i % 3 == 0)
            Rectangle(dc, x + 2, x % 2 + 3, x + 14, 13);
        else if (i % 3 == 1)
            Ellipse(dc, x + 2, 2, x + 14, 14);
        else {
            POINT tri[3] = {{x + 8, 1}, {x + 14, 13}, {x + 2, 13}};
            Polygon(dc, tri, 3);
        }
        SelectObject(dc, op);
        SelectObject(dc, ob);
        DeleteObject(b);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
}

// A soft diagonal wash, the kind of picture a rebar tiles behind its bands.
HBITMAP MakeBackground()
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int v = ((x + y) % 64) * 2;
            SetPixel(dc, x, y, RGB(170 + v / 3, 190 + v / 4, 230 - v / 5));
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE) {
        if (HWND rebar = GetDlgItem(hwnd, kRebar))
            SendMessage(rebar, WM_SIZE, 0, 0);
        if (HWND status = GetDlgItem(hwnd, kStatus))
            SendMessage(status, WM_SIZE, 0, 0);
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void ShowFrame()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "MivoBarsFrame";
    RegisterClass(&wc);
    HWND frame = CreateWindowEx(0, "MivoBarsFrame", "루마렛 - 앨범", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                                620, 360, nullptr, nullptr, nullptr, nullptr);

    HWND rebar = Item(frame, REBARCLASSNAME, "", RBS_BANDBORDERS | RBS_VARHEIGHT | WS_CLIPCHILDREN, 0, 0, 0, 0, kRebar);
    HWND tools = Item(rebar, TOOLBARCLASSNAME, "",
                      TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NODIVIDER |
                          CCS_NOPARENTALIGN,
                      0, 0, 0, 0, kTools);
    SendMessage(tools, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(tools, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    TBADDBITMAP add = {nullptr, (UINT_PTR)MakeStrip(5)};
    SendMessage(tools, TB_ADDBITMAP, 5, (LPARAM)&add);
    SendMessage(tools, TB_ADDSTRING, 0, (LPARAM) "열기\0저장\0인쇄\0\0");
    TBBUTTON buttons[7] = {};
    const int images[] = {0, 1, -1, 2, 3, -1, 4};
    const BYTE styles[] = {TBSTYLE_BUTTON, TBSTYLE_DROPDOWN, TBSTYLE_SEP, TBSTYLE_BUTTON,
                           TBSTYLE_CHECK, TBSTYLE_SEP, TBSTYLE_BUTTON};
    const INT_PTR texts[] = {0, 1, -1, 2, -1, -1, -1};
    for (int i = 0; i < 7; ++i) {
        buttons[i].iBitmap = images[i] < 0 ? 0 : images[i];
        buttons[i].idCommand = images[i] < 0 ? 0 : 40000 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = styles[i];
        buttons[i].iString = texts[i];
    }
    buttons[4].fsState |= TBSTATE_CHECKED;
    buttons[6].fsState = 0;  // disabled: drawn embossed
    SendMessage(tools, TB_ADDBUTTONS, 7, (LPARAM)buttons);
    SendMessage(tools, TB_AUTOSIZE, 0, 0);
    SIZE max = {};
    SendMessage(tools, TB_GETMAXSIZE, 0, (LPARAM)&max);

    HBITMAP background = MakeBackground();
    REBARBANDINFOA band = {sizeof(band)};
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_BACKGROUND | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_FIXEDBMP | RBBS_USECHEVRON;
    band.hwndChild = tools;
    band.cxMinChild = 60;
    band.cyMinChild = max.cy;
    band.cx = 360;
    band.cxIdeal = max.cx;
    band.hbmBack = background;
    SendMessage(rebar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&band);
    HWND search = Item(rebar, "Edit", "바닷가", 0, 0, 0, 150, 20, 304, WS_EX_CLIENTEDGE);
    REBARBANDINFOA second = {sizeof(second)};
    second.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_TEXT | RBBIM_BACKGROUND;
    second.fStyle = RBBS_CHILDEDGE | RBBS_FIXEDBMP;
    second.lpText = (LPSTR) "찾기";
    second.hwndChild = search;
    second.cxMinChild = 120;
    second.cyMinChild = 20;
    second.hbmBack = background;
    SendMessage(rebar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&second);

    HWND status = Item(frame, STATUSCLASSNAME, "준비", SBARS_SIZEGRIP, 0, 0, 0, 0, kStatus);
    int edges[] = {260, 420, -1};
    SendMessage(status, SB_SETPARTS, 3, (LPARAM)edges);
    SendMessage(status, SB_SETTEXT, 2 | SBT_NOBORDERS, (LPARAM) "사진 12장 / 40장");
    RECT part;
    SendMessage(status, SB_GETRECT, 1, (LPARAM)&part);
    InflateRect(&part, -2, -2);
    HWND progress = Item(status, PROGRESS_CLASS, "", 0, part.left, part.top, part.right - part.left,
                         part.bottom - part.top, kProgress);
    SendMessage(progress, PBM_SETPOS, 30, 0);

    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    Settle(g_dialog);
    // Point at the drop-down button so that it shows raised.
    RECT r;
    SendMessage(tools, TB_GETITEMRECT, 1, (LPARAM)&r);
    POINT p{r.left + 6, (r.top + r.bottom) / 2};
    ClientToScreen(tools, &p);
    mivo::InjectMouseMove(p);
    Settle(g_dialog);
    Shoot("bars-frame");
    DestroyWindow(frame);
    DeleteObject(background);
}

}  // namespace

int main()
{
    ShowDialog();
    ShowFrame();
    return 0;
}
