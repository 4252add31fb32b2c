// Drawing of frames, edges, captions and scroll bars, and the default control colours.
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "user/NonClientDefaults.h"
#include "user/GdiLink.h"
#include "user/NonClient.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/rect.h"
#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/paint.h"
#include "win32/scroll.h"
#include "win32/uidraw.h"
#include "win32/usersys.h"

#include <cstdio>
#include <string>

#include "user/MenuBarPainter.h"

namespace mivo {

namespace {

RECT Local(const RECT& r, const RECT& window)
{
    return RECT{r.left - window.left, r.top - window.top, r.right - window.left, r.bottom - window.top};
}

bool Empty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

void Fill(HDC dc, RECT r, int sysColor)
{
    FillRect(dc, &r, GetSysColorBrush(sysColor));
}

HFONT CaptionFont(bool small)
{
    static HFONT fonts[2] = {nullptr, nullptr};
    HFONT& f = fonts[small ? 1 : 0];
    if (!f) {
        LOGFONTA lf = {};
        lf.lfHeight = small ? -11 : -12;
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = 129;  // HANGEUL_CHARSET
        std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", "굴림");
        f = CreateFontIndirect(&lf);
    }
    return f;
}

void DrawFrame(HDC dc, RECT& r, DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        int rest = GetSystemMetrics(SM_CXFRAME) - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_ACTIVEBORDER));
            InflateRect(&r, -1, -1);
        }
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        int rest = GetSystemMetrics(SM_CXDLGFRAME) - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
            InflateRect(&r, -1, -1);
        }
    } else if (style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
}

void DrawCaption(HDC dc, const FrameLayout& L, HWND hwnd, DWORD style, DWORD exStyle, bool active)
{
    RECT cap = Local(L.caption, L.window);
    Fill(dc, cap, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    RECT line{cap.left, cap.bottom, cap.right, cap.bottom + 1};
    Fill(dc, line, COLOR_3DFACE);
    int textLeft = cap.left + 2;
    if (!Empty(L.sysMenu)) {
        RECT icon = Local(L.sysMenu, L.window);
        HICON small = (HICON)SendMessage(hwnd, WM_GETICON, ICON_SMALL, 0);
        if (!small)
            small = (HICON)GetClassLongPtr(hwnd, GCLP_HICONSM);
        if (!small)
            small = (HICON)GetClassLongPtr(hwnd, GCLP_HICON);
        if (small)
            DrawIconEx(dc, icon.left, icon.top, small, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), 0, nullptr, DI_NORMAL);
        textLeft = icon.right + 2;
    }
    int textRight = cap.right - 2;
    auto button = [&](const RECT& r, UINT kind) {
        if (Empty(r))
            return;
        RECT b = Local(r, L.window);
        DrawFrameControl(dc, &b, DFC_CAPTION, kind);
        textRight = std::min(textRight, (int)b.left - 2);
    };
    button(L.closeBtn, DFCS_CAPTIONCLOSE);
    button(L.maxBtn, (style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX | ((style & WS_MAXIMIZEBOX) ? 0 : DFCS_INACTIVE));
    button(L.minBtn, ((style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) | ((style & WS_MINIMIZEBOX) ? 0 : DFCS_INACTIVE));
    char title[256] = "";
    InternalGetWindowText(hwnd, title, sizeof(title));
    if (title[0]) {
        HGDIOBJ oldFont = SelectObject(dc, CaptionFont((exStyle & WS_EX_TOOLWINDOW) != 0));
        int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF oldColour = SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT tr{textLeft, cap.top, textRight, cap.bottom};
        DrawText(dc, title, -1, &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);
        SelectObject(dc, oldFont);
    }
}

void DrawScrollBar(HDC dc, HWND hwnd, int bar, const RECT& barScreen, const RECT& window)
{
    if (Empty(barScreen))
        return;
    ScrollBarState s;
    ScrollBarInfo(hwnd, bar, &s);
    ScrollBarParts p = LayOutScrollBar(hwnd, bar, barScreen, s.trackPos != s.pos && GetCapture() == hwnd ? s.trackPos : INT_MIN);
    bool vertical = bar == SB_VERT;
    bool all = (s.disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH || !(s.max > s.min);
    RECT a1 = Local(p.arrow1, window), a2 = Local(p.arrow2, window);
    DrawFrameControl(dc, &a1, DFC_SCROLL,
                     (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) |
                         ((all || (s.disabledArrows & ESB_DISABLE_LTUP)) ? DFCS_INACTIVE : 0));
    DrawFrameControl(dc, &a2, DFC_SCROLL,
                     (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) |
                         ((all || (s.disabledArrows & ESB_DISABLE_RTDN)) ? DFCS_INACTIVE : 0));
    RECT track = vertical ? RECT{barScreen.left, p.trackStart, barScreen.right, p.trackEnd}
                          : RECT{p.trackStart, barScreen.top, p.trackEnd, barScreen.bottom};
    RECT t = Local(track, window);
    HBRUSH brush = (HBRUSH)SendMessage(hwnd, WM_CTLCOLORSCROLLBAR, (WPARAM)dc, (LPARAM)hwnd);
    FillRect(dc, &t, brush ? brush : ScrollBarTroughBrush());
    if (!Empty(p.thumb)) {
        RECT th = Local(p.thumb, window);
        Fill(dc, th, COLOR_3DFACE);
        DrawEdge(dc, &th, EDGE_RAISED, BF_RECT);
    }
}

}  // namespace

int InternalGetWindowText(HWND hwnd, LPSTR buffer, int max)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? CopyWindowTextLocked(*w, buffer, max) : 0;
}

bool NonClientActive(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w && w->ncActive;
}

namespace {
MenuBarPainter g_menuBarPainter = nullptr;
}

void SetMenuBarPainter(MenuBarPainter painter)
{
    g_menuBarPainter = painter;
}

void DrawMenuBarHook(HWND hwnd, HDC dc, const RECT& bar)
{
    if (g_menuBarPainter)
        g_menuBarPainter(hwnd, dc, bar);
}

void DefNcPaint(HWND hwnd, HRGN)
{
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    DWORD exStyle = (DWORD)GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    FrameLayout L = LayOutFrame(hwnd);
    if (Empty(L.window) || (L.window.left == L.client.left && L.window.top == L.client.top &&
                            L.window.right == L.client.right && L.window.bottom == L.client.bottom))
        return;
    HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_USESTYLE_INTERNAL);
    if (!dc)
        return;
    RECT client = Local(L.client, L.window);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    RECT r{0, 0, L.window.right - L.window.left, L.window.bottom - L.window.top};
    DrawFrame(dc, r, style, exStyle);
    if (!Empty(L.caption))
        DrawCaption(dc, L, hwnd, style, exStyle, NonClientActive(hwnd));
    if (!Empty(L.menuBar)) {
        RECT m = Local(L.menuBar, L.window);
        Fill(dc, m, COLOR_MENU);
        DrawMenuBarHook(hwnd, dc, m);
    }
    if (!Empty(L.clientEdge)) {
        RECT e = Local(L.clientEdge, L.window);
        if (exStyle & WS_EX_CLIENTEDGE)
            DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (exStyle & WS_EX_STATICEDGE)
            DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    DrawScrollBar(dc, hwnd, SB_VERT, L.vscroll, L.window);
    DrawScrollBar(dc, hwnd, SB_HORZ, L.hscroll, L.window);
    if (!Empty(L.sizeBox)) {
        RECT b = Local(L.sizeBox, L.window);
        Fill(dc, b, COLOR_3DFACE);
    }
    ReleaseDC(hwnd, dc);
}

HBRUSH DefaultControlColor(UINT msg, HDC hdc)
{
    bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    if (hdc) {
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_3DFACE));
    }
    if (msg == WM_CTLCOLORSCROLLBAR)
        return ScrollBarTroughBrush();
    return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_3DFACE);
}

LRESULT DefPrint(HWND hwnd, HDC hdc, DWORD flags, bool clientOnly)
{
    if (clientOnly || !hdc)
        return 0;  // WM_PRINTCLIENT has nothing to draw by default
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
        return 0;
    FrameLayout L = LayOutFrame(hwnd);
    RECT client = Local(L.client, L.window);
    int saved = SaveDC(hdc);
    if (flags & PRF_NONCLIENT) {
        // The frame as it shows now, copied from the window.
        HDC own = GetDCEx(hwnd, nullptr, DCX_WINDOW);
        if (own) {
            BitBlt(hdc, 0, 0, L.window.right - L.window.left, L.window.bottom - L.window.top, own, 0, 0, SRCCOPY);
            ReleaseDC(hwnd, own);
        }
    }
    if (flags & (PRF_ERASEBKGND | PRF_CLIENT)) {
        if (flags & PRF_NONCLIENT)
            SetViewportOrgEx(hdc, client.left, client.top, nullptr);
        if (flags & PRF_ERASEBKGND)
            SendMessage(hwnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
        if (flags & PRF_CLIENT)
            SendMessage(hwnd, WM_PRINTCLIENT, (WPARAM)hdc, (LPARAM)flags);
    }
    RestoreDC(hdc, saved);
    return 0;
}

}  // namespace mivo
