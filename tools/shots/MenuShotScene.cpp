// A window with a menu bar whose 편집 popup is owner-drawn (colour swatches
// drawn by the window) and whose submenu 최근 파일 is drawn by the menus
// themselves; photographed with both open, as a user would open them.
#include "ShotSupport.h"
#include <win32.h>
#include <mivo/testing/input.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const UINT kShotTimer = 7;
const UINT kRedrawTimer = 8;
HWND g_window = nullptr;
HMENU g_edit = nullptr;
bool g_shot = false;

struct Swatch {
    const char16_t* text;
    COLORREF color;
};
const Swatch kSwatches[] = {
    {u"빨강 테두리", RGB(200, 40, 40)},
    {u"초록 테두리", RGB(40, 160, 60)},
    {u"파랑 테두리", RGB(40, 80, 200)},
};

// What the windows drew on their own surfaces, put together where they stand on the screen,
// as a PPM beside the screen shots (the display may not have shown a popup's pixels yet).
void SaveComposite(const char* name)
{
    const char* folder = std::getenv("MIVO_SHOT_FOLDER");
    if (!folder)
        return;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    std::vector<uint32_t> screen((size_t)sw * (size_t)sh, 0x404040);
    std::vector<HWND> windows{g_window};
    std::vector<HWND> popups;
    for (HWND w = FindWindow("#32768", nullptr); w; w = FindWindowEx(nullptr, w, "#32768", nullptr))
        popups.push_back(w);
    windows.insert(windows.end(), popups.rbegin(), popups.rend());
    for (HWND w : windows) {
        std::vector<uint32_t> pixels;
        int width = 0, height = 0;
        RECT r;
        if (!GetWindowRect(w, &r) || !mivo::CaptureWindowPixels(w, false, pixels, width, height))
            continue;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                int sx = r.left + x, sy = r.top + y;
                if (sx >= 0 && sy >= 0 && sx < sw && sy < sh)
                    screen[(size_t)sy * (size_t)sw + (size_t)sx] = pixels[(size_t)y * (size_t)width + (size_t)x];
            }
    }
    WritePpm(name, screen, sw, sh);
}

void DrawSwatchItem(const DRAWITEMSTRUCT* dis)
{
    const Swatch& s = kSwatches[dis->itemData % 3];
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    RECT r = dis->rcItem;
    FillRect(dis->hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    RECT box{r.left + 4, r.top + 3, r.left + 20, r.bottom - 3};
    HBRUSH brush = CreateSolidBrush(s.color);
    FillRect(dis->hDC, &box, brush);
    DeleteObject(brush);
    FrameRect(dis->hDC, &box, (HBRUSH)GetStockObject(BLACK_BRUSH));
    SetBkMode(dis->hDC, TRANSPARENT);
    SetTextColor(dis->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text{r.left + 28, r.top, r.right, r.bottom};
    DrawTextW(dis->hDC, s.text, -1, &text, DT_SINGLELINE | DT_VCENTER);
}

LRESULT CALLBACK SceneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* mis = (MEASUREITEMSTRUCT*)lParam;
        if (mis->CtlType == ODT_MENU) {
            mis->itemWidth = 130;
            mis->itemHeight = 22;
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* dis = (DRAWITEMSTRUCT*)lParam;
        if (dis->CtlType == ODT_MENU) {
            DrawSwatchItem(dis);
            return TRUE;
        }
        break;
    }
    case WM_ENTERIDLE:
        // Both popups are open once the posted keys are used up.
        if (!g_shot) {
            g_shot = true;
            SetTimer(hwnd, kRedrawTimer, 1000, nullptr);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kRedrawTimer) {
            // Draw the menus again once the display has mapped their windows.
            KillTimer(hwnd, kRedrawTimer);
            for (HWND w = FindWindow("#32768", nullptr); w; w = FindWindowEx(nullptr, w, "#32768", nullptr))
                RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            SetTimer(hwnd, kShotTimer, 1000, nullptr);
            return 0;
        }
        if (wParam == kShotTimer) {
            KillTimer(hwnd, kShotTimer);
            Shoot("menus");
            SaveComposite("menus-surfaces.ppm");
            EndMenu();
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HMENU BuildMenus()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 100, "새 앨범(&N)\tCtrl+N");
    AppendMenu(file, MF_STRING, 101, "열기(&O)...\tCtrl+O");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_STRING, 102, "끝내기(&X)");
    g_edit = CreatePopupMenu();
    for (int i = 0; i < 3; ++i)
        AppendMenu(g_edit, MF_OWNERDRAW, 200 + i, (LPCSTR)(ULONG_PTR)i);
    AppendMenu(g_edit, MF_SEPARATOR, 0, nullptr);
    HMENU recent = CreatePopupMenu();
    AppendMenu(recent, MF_STRING | MF_CHECKED, 300, "&1 제주도 여행.jpg");
    AppendMenu(recent, MF_STRING, 301, "&2 가족 사진.jpg\tCtrl+2");
    AppendMenu(recent, MF_STRING | MF_GRAYED, 302, "&3 지워진 사진.bmp");
    AppendMenu(recent, MF_SEPARATOR, 0, nullptr);
    AppendMenu(recent, MF_STRING, 303, "목록 지우기(&C)");
    AppendMenu(g_edit, MF_POPUP, (UINT_PTR)recent, "최근 파일(&R)");
    AppendMenu(g_edit, MF_STRING | MF_GRAYED, 204, "붙여넣기(&P)\tCtrl+V");
    HMENU view = CreatePopupMenu();
    AppendMenu(view, MF_STRING, 400, "도구 모음(&T)");
    HMENU help = CreatePopupMenu();
    AppendMenu(help, MF_STRING, 500, "정보(&A)...");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)file, "파일(&F)");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)g_edit, "편집(&E)");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)view, "보기(&V)");
    AppendMenu(bar, MF_POPUP, (UINT_PTR)help, "도움말(&H)");
    return bar;
}

}  // namespace

int main()
{
    WNDCLASS wc = {};
    wc.lpfnWndProc = SceneProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "MenuShotScene";
    RegisterClass(&wc);
    g_window = CreateWindow("MenuShotScene", "메뉴 보기", WS_OVERLAPPEDWINDOW, 40, 40, 520, 360, nullptr,
                            BuildMenus(), nullptr, nullptr);
    if (!g_window)
        return 1;
    ShowWindow(g_window, SW_SHOW);
    SetForegroundWindow(g_window);
    Settle();
    Shoot("menubar");

    // Alt+E opens 편집 on its first item; three steps down reach 최근 파일, Right opens it.
    for (int i = 0; i < 3; ++i)
        PostMessage(g_window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessage(g_window, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessage(g_window, WM_KEYDOWN, VK_DOWN, 0);
    SendMessage(g_window, WM_SYSCOMMAND, SC_KEYMENU, 'e');
    Settle();
    DestroyWindow(g_window);
    Settle();
    return 0;
}
