// Non-client areas: frame sizes, hit testing and the default non-client mouse handling.
#include "user/Geometry.h"
#include "user/NonClientDefaults.h"
#include "user/GdiLink.h"
#include "user/NonClient.h"
#include "user/Backend.h"
#include "win32/input.h"

#include <algorithm>
#include "win32/paint.h"
#include "win32/scroll.h"
#include "win32/usersys.h"

namespace mivo {

namespace {

struct Frame {
    DWORD style = 0;
    DWORD exStyle = 0;
    bool menu = false;
    bool hscroll = false;
    bool vscroll = false;
    RECT window = {0, 0, 0, 0};  // screen
    RECT client = {0, 0, 0, 0};  // screen
};

bool ReadFrame(HWND hwnd, Frame* f)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return false;
    f->style = w->style;
    f->exStyle = w->exStyle;
    f->menu = HasMenuBarLocked(*w);
    f->hscroll = w->hscroll.shown;
    f->vscroll = w->vscroll.shown;
    POINT o = WindowScreenOrigin(*w);
    f->window = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    f->client = RECT{o.x + w->client.left, o.y + w->client.top, o.x + w->client.right, o.y + w->client.bottom};
    return true;
}

bool In(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

LRESULT DefNcCalcSize(HWND hwnd, BOOL, LPARAM lParam)
{
    RECT* r = (RECT*)lParam;  // rgrc[0] of NCCALCSIZE_PARAMS sits first as well
    if (!r)
        return 0;
    Frame f;
    if (!ReadFrame(hwnd, &f))
        return 0;
    RECT ins = NonClientInsets(f.style, f.exStyle, f.menu);
    r->left += ins.left;
    r->top += ins.top;
    r->right -= ins.right;
    r->bottom -= ins.bottom;
    if (f.vscroll && r->right - r->left >= GetSystemMetrics(SM_CXVSCROLL))
        r->right -= GetSystemMetrics(SM_CXVSCROLL);
    if (f.hscroll && r->bottom - r->top >= GetSystemMetrics(SM_CYHSCROLL))
        r->bottom -= GetSystemMetrics(SM_CYHSCROLL);
    if (r->right < r->left)
        r->right = r->left;
    if (r->bottom < r->top)
        r->bottom = r->top;
    return 0;
}

FrameLayout LayOutFrame(HWND hwnd)
{
    FrameLayout L;
    Frame f;
    if (!ReadFrame(hwnd, &f))
        return L;
    RECT ins = NonClientInsets(f.style, f.exStyle, false);
    int frame = ins.left;
    int edge = 0;
    if (f.exStyle & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    if (f.exStyle & WS_EX_STATICEDGE)
        edge += GetSystemMetrics(SM_CXBORDER);
    L.border = frame - edge;
    L.window = f.window;
    L.client = f.client;
    int x0 = f.window.left + L.border, x1 = f.window.right - L.border;
    int y = f.window.top + L.border;
    if ((f.style & WS_CAPTION) == WS_CAPTION) {
        int ch = GetSystemMetrics((f.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
        L.caption = RECT{x0, y, x1, y + ch};
        int bw = GetSystemMetrics((f.exStyle & WS_EX_TOOLWINDOW) ? SM_CXSMSIZE : SM_CXSIZE) - 2;
        int bh = ch - 4;
        int bx = x1 - 2;
        if (f.style & WS_SYSMENU) {
            L.closeBtn = RECT{bx - bw, y + 2, bx, y + 2 + bh};
            bx -= bw + 2;
            if (f.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
                L.maxBtn = RECT{bx - bw, y + 2, bx, y + 2 + bh};
                bx -= bw;
                L.minBtn = RECT{bx - bw, y + 2, bx, y + 2 + bh};
            }
            if (!(f.exStyle & WS_EX_TOOLWINDOW))
                L.sysMenu = RECT{x0 + 2, y + 1, x0 + 2 + GetSystemMetrics(SM_CXSMICON), y + 1 + ch - 2};
        }
        y += ch + 1;
    }
    if (f.menu) {
        L.menuBar = RECT{x0, y, x1, y + GetSystemMetrics(SM_CYMENU)};
        y = L.menuBar.bottom;
    }
    if (edge)
        L.clientEdge = RECT{x0, y, x1, f.window.bottom - L.border};
    if (f.vscroll)
        L.vscroll = RECT{f.client.right, f.client.top, f.client.right + GetSystemMetrics(SM_CXVSCROLL), f.client.bottom};
    if (f.hscroll)
        L.hscroll = RECT{f.client.left, f.client.bottom, f.client.right, f.client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    if (f.vscroll && f.hscroll)
        L.sizeBox = RECT{L.vscroll.left, L.hscroll.top, L.vscroll.right, L.hscroll.bottom};
    return L;
}

LRESULT DefNcHitTest(HWND hwnd, POINT pt)
{
    Frame f;
    if (!ReadFrame(hwnd, &f) || !In(f.window, pt))
        return HTNOWHERE;
    if (In(f.client, pt))
        return HTCLIENT;
    FrameLayout L = LayOutFrame(hwnd);
    bool sizable = (f.style & WS_THICKFRAME) && !(f.style & (WS_MAXIMIZE | WS_MINIMIZE));
    if (sizable) {
        int b = L.border;
        int corner = GetSystemMetrics(SM_CYCAPTION) + b;
        bool left = pt.x < f.window.left + b, right = pt.x >= f.window.right - b;
        bool top = pt.y < f.window.top + b, bottom = pt.y >= f.window.bottom - b;
        if (left || right || top || bottom) {
            bool nearLeft = pt.x < f.window.left + corner, nearRight = pt.x >= f.window.right - corner;
            bool nearTop = pt.y < f.window.top + corner, nearBottom = pt.y >= f.window.bottom - corner;
            if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
            if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
            if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
            if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
            if (left) return HTLEFT;
            if (right) return HTRIGHT;
            if (top) return HTTOP;
            return HTBOTTOM;
        }
    }
    if (In(L.caption, pt)) {
        if (In(L.sysMenu, pt)) return HTSYSMENU;
        if (In(L.closeBtn, pt)) return HTCLOSE;
        if (In(L.maxBtn, pt)) return HTMAXBUTTON;
        if (In(L.minBtn, pt)) return HTMINBUTTON;
        return HTCAPTION;
    }
    if (In(L.menuBar, pt))
        return HTMENU;
    if (In(L.sizeBox, pt))
        return sizable ? HTBOTTOMRIGHT : HTSIZE;
    if (In(L.vscroll, pt))
        return HTVSCROLL;
    if (In(L.hscroll, pt))
        return HTHSCROLL;
    return HTBORDER;
}

void EnsureScrollBarsFromStyle(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return;
    w->hscroll.shown = (w->style & WS_HSCROLL) != 0;
    w->vscroll.shown = (w->style & WS_VSCROLL) != 0;
}

}  // namespace mivo

namespace mivo {

namespace {

int SizingEdge(WPARAM hit)
{
    switch (hit) {
    case HTLEFT: return WMSZ_LEFT;
    case HTRIGHT: return WMSZ_RIGHT;
    case HTTOP: return WMSZ_TOP;
    case HTTOPLEFT: return WMSZ_TOPLEFT;
    case HTTOPRIGHT: return WMSZ_TOPRIGHT;
    case HTBOTTOM: return WMSZ_BOTTOM;
    case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
    case HTBOTTOMRIGHT: return WMSZ_BOTTOMRIGHT;
    }
    return 0;
}

// Moves or sizes a window with the mouse until the button comes up (Escape puts it back).
void MoveSizeLoop(HWND hwnd, WPARAM hit, POINT start)
{
    RECT orig;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return;
        orig = w->rect;  // parent client coordinates, or screen for top-level windows
    }
    int edge = SizingEdge(hit);
    MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    MSG m;
    while (GetCapture() == hwnd) {
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP)
            break;
        if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
            SetWindowPos(hwnd, nullptr, orig.left, orig.top, orig.right - orig.left, orig.bottom - orig.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        if (m.message != WM_MOUSEMOVE && m.message != WM_NCMOUSEMOVE) {
            TranslateMessage(&m);
            DispatchMessage(&m);
            continue;
        }
        int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
        RECT r = orig;
        if (!edge) {
            OffsetRectBy(r, dx, dy);
            SendMessage(hwnd, WM_MOVING, 0, (LPARAM)&r);
        } else {
            if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
                r.left = std::min(r.left + dx, r.right - (LONG)mmi.ptMinTrackSize.x);
            if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
                r.right = std::max(r.right + dx, r.left + (LONG)mmi.ptMinTrackSize.x);
            if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
                r.top = std::min(r.top + dy, r.bottom - (LONG)mmi.ptMinTrackSize.y);
            if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
                r.bottom = std::max(r.bottom + dy, r.top + (LONG)mmi.ptMinTrackSize.y);
            SendMessage(hwnd, WM_SIZING, (WPARAM)edge, (LPARAM)&r);
        }
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | (edge ? 0 : SWP_NOSIZE));
        UpdateWindow(hwnd);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

// Top-level windows are moved and sized by the native window system when it can.
bool NativeMoveSize(HWND hwnd, WPARAM hit)
{
    NativeBackend* b = Backend();
    void* native = nullptr;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w || w->parent)
            return false;
        native = w->native;
    }
    return b && native && b->StartNativeMoveSize(native, (int)hit);
}

}  // namespace

LRESULT DefNcLButtonDown(HWND hwnd, WPARAM hit, POINT screen)
{
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    if (hit == HTCAPTION || SizingEdge(hit)) {
        if (style & (WS_MAXIMIZE | WS_MINIMIZE))
            return 0;
        if (SizingEdge(hit) && !(style & WS_THICKFRAME))
            return 0;
        if (!NativeMoveSize(hwnd, hit))
            MoveSizeLoop(hwnd, hit, screen);
        return 0;
    }
    switch (hit) {
    case HTVSCROLL:
        TrackScrollBar(hwnd, SB_VERT, screen);
        return 0;
    case HTHSCROLL:
        TrackScrollBar(hwnd, SB_HORZ, screen);
        return 0;
    case HTCLOSE:
        PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case HTMAXBUTTON:
        PostMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return 0;
    case HTMINBUTTON:
        PostMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 0;
    }
    return 0;
}

}  // namespace mivo
