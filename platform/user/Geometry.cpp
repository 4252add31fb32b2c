// Window positions and sizes: SetWindowPos, ShowWindow, coordinate mapping, hit points.
#include "user/InputRouting.h"
#include "user/WindowTree.h"
#include "user/Geometry.h"
#include "user/NativeSurface.h"
#include "user/Backend.h"
#include "win32/codepage.h"
#include "win32/usersys.h"
#include "gdi/Display.h"
#include "gdi/Surface.h"
#include "user/ForeignWindows.h"

#include <algorithm>

namespace mivo {

SIZE ScreenSize()
{
    SIZE s{1024, 768};
    if (NativeBackend* b = EnsureBackend())
        b->ScreenSize(&s);
    return s;
}

void EnsureDesktopLocked()
{
    if (FindWindowLocked(DesktopHandle()))
        return;
    auto w = std::make_shared<Window>();
    w->cls = std::make_shared<WindowClass>();
    w->cls->name = "#32769";
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    w->handle = DesktopHandle();
    w->messageOnly = true;  // never listed among the top-level windows
    State().windows[(uintptr_t)w->handle] = w;
}

HWND DesktopWindow()
{
    SIZE s = ScreenSize();
    std::shared_ptr<Surface> installed;
    {
        UserGuard guard(UserLock());
        EnsureDesktopLocked();
        Window* w = FindWindowLocked(DesktopHandle());
        w->rect = RECT{0, 0, s.cx, s.cy};
        w->client = w->rect;
        // The desktop's surface is the display GDI draws the screen into.
        if (!w->surface) {
            w->surface = std::make_shared<Surface>();
            installed = w->surface;
        }
        if (w->surface->width != s.cx || w->surface->height != s.cy)
            w->surface->Resize(s.cx, s.cy);
    }
    if (installed)
        SetDisplaySurface(installed);
    return DesktopHandle();
}

// Puts together what the screen shows: the desktop colour and every visible
// top-level window, the lowest first.
void RefreshDisplaySurface()
{
    HWND desktop = DesktopWindow();
    SIZE size = {0, 0};
    {
        UserGuard guard(UserLock());
        Window* d = FindWindowLocked(desktop);
        if (!d || !d->surface)
            return;
        size = SIZE{d->surface->width, d->surface->height};
    }
    // Where the display can be read (X11), the desktop shows what is really on the screen; the
    // grab happens outside the window manager's lock.
    std::vector<uint32_t> grabbed;
    NativeBackend* backend = Backend();
    bool real = backend && backend->GrabScreen(RECT{0, 0, size.cx, size.cy}, grabbed) &&
                grabbed.size() == (size_t)size.cx * (size_t)size.cy;
    UserGuard guard(UserLock());
    Window* d = FindWindowLocked(desktop);
    if (!d || !d->surface)
        return;
    Surface& screen = *d->surface;
    std::lock_guard<std::recursive_mutex> screenLock(screen.lock);
    if (real && screen.width == size.cx && screen.height == size.cy) {
        std::copy(grabbed.begin(), grabbed.end(), screen.pixels.begin());
        ++screen.generation;
        return;
    }
    COLORREF bg = GetSysColor(COLOR_BACKGROUND);
    uint32_t bgPixel = ((uint32_t)GetRValue(bg) << 16) | ((uint32_t)GetGValue(bg) << 8) | GetBValue(bg);
    std::fill(screen.pixels.begin(), screen.pixels.end(), bgPixel);
    auto& tops = State().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = FindWindowLocked(*it);
        if (!w || !w->surface || w->messageOnly || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            continue;
        Surface& src = *w->surface;
        std::lock_guard<std::recursive_mutex> srcLock(src.lock);
        for (int y = 0; y < src.height; ++y) {
            int sy = w->rect.top + y;
            if (sy < 0 || sy >= screen.height)
                continue;
            int x0 = std::max(0, -(int)w->rect.left), x1 = std::min(src.width, screen.width - (int)w->rect.left);
            if (x1 <= x0)
                continue;
            std::copy(&src.pixels[(size_t)y * (size_t)src.width + (size_t)x0],
                      &src.pixels[(size_t)y * (size_t)src.width + (size_t)x1],
                      &screen.pixels[(size_t)sy * (size_t)screen.width + (size_t)(w->rect.left + x0)]);
        }
    }
    ++screen.generation;
}

bool HasMenuBarLocked(const Window& w)
{
    return !(w.style & WS_CHILD) && w.id != 0;
}

RECT NonClientInsets(DWORD style, DWORD exStyle, bool menuBar)
{
    int b = 0;
    if (style & WS_THICKFRAME)
        b = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        b = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        b = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE)
        b += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        b += GetSystemMetrics(SM_CXBORDER);
    RECT r{b, b, b, b};
    if ((style & WS_CAPTION) == WS_CAPTION)
        r.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (menuBar)
        r.top += GetSystemMetrics(SM_CYMENU);
    return r;
}

MINMAXINFO DefaultMinMaxInfo(HWND hwnd)
{
    MINMAXINFO mmi = {};
    SIZE s = ScreenSize();
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    DWORD ex = (DWORD)GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    RECT ins = NonClientInsets(style & ~WS_CAPTION, ex, false);
    mmi.ptMaxSize = POINT{s.cx + ins.left + ins.right, s.cy + ins.top + ins.bottom};
    mmi.ptMaxPosition = POINT{-ins.left, -ins.top};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    return mmi;
}

RECT WindowRectInTopLevelLocked(const Window& w)
{
    const Window* top = TopLevelOf(const_cast<Window*>(&w));
    POINT o = WindowScreenOrigin(w);
    POINT t = WindowScreenOrigin(*top);
    int x = o.x - t.x, y = o.y - t.y;
    return RECT{x, y, x + (w.rect.right - w.rect.left), y + (w.rect.bottom - w.rect.top)};
}

void RecalcClientRect(HWND hwnd, WINDOWPOS* pos)
{
    RECT window, oldClient;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return;
        window = w->rect;
        oldClient = w->client;
        OffsetRectBy(oldClient, window.left, window.top);
    }
    RECT client;
    if (pos) {
        NCCALCSIZE_PARAMS p;
        p.rgrc[0] = window;
        p.rgrc[1] = window;
        p.rgrc[2] = oldClient;
        p.lppos = pos;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, (LPARAM)&p);
        client = p.rgrc[0];
    } else {
        client = window;
        SendMessage(hwnd, WM_NCCALCSIZE, FALSE, (LPARAM)&client);
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return;
    // The client area stays inside the window.
    client.left = std::max(client.left, w->rect.left);
    client.top = std::max(client.top, w->rect.top);
    client.right = std::min(std::max(client.right, client.left), w->rect.right);
    client.bottom = std::min(std::max(client.bottom, client.top), w->rect.bottom);
    client.left = std::min(client.left, client.right);
    client.top = std::min(client.top, client.bottom);
    w->client = RECT{client.left - w->rect.left, client.top - w->rect.top, client.right - w->rect.left,
                     client.bottom - w->rect.top};
}

POINT ClientOriginInParent(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return POINT{0, 0};
    return POINT{w->rect.left + w->client.left, w->rect.top + w->client.top};
}

void OffsetRectBy(RECT& r, int dx, int dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

}  // namespace mivo

using namespace mivo;

namespace {

bool SameSize(const RECT& a, const RECT& b)
{
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

void ApplyZOrderLocked(Window& w, HWND after)
{
    auto& list = SiblingListLocked(w);
    if (after == HWND_TOPMOST)
        w.exStyle |= WS_EX_TOPMOST;
    else if (after == HWND_NOTOPMOST)
        w.exStyle &= ~WS_EX_TOPMOST;
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    if (after == HWND_BOTTOM) {
        list.push_back(w.handle);
        return;
    }
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        LinkLocked(w, false);
        return;
    }
    auto it = std::find(list.begin(), list.end(), after);
    if (it == list.end())
        LinkLocked(w, false);
    else
        list.insert(it + 1, w.handle);
}

}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    RECT oldRect;
    bool wasVisible, isChild;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || hWnd == DesktopHandle())
            return FALSE;
        if (w->threadId != CurrentThreadId()) {
            guard.unlock();
            return (BOOL)RunOnOwnerThread(hWnd, [=]() -> LRESULT {
                return SetWindowPos(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
            });
        }
        oldRect = w->rect;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        isChild = (w->style & WS_CHILD) != 0;
    }
    if (hWndInsertAfter == hWnd)
        uFlags |= SWP_NOZORDER;
    WINDOWPOS wp;
    wp.hwnd = hWnd;
    wp.hwndInsertAfter = hWndInsertAfter;
    wp.x = (uFlags & SWP_NOMOVE) ? oldRect.left : X;
    wp.y = (uFlags & SWP_NOMOVE) ? oldRect.top : Y;
    wp.cx = (uFlags & SWP_NOSIZE) ? oldRect.right - oldRect.left : cx;
    wp.cy = (uFlags & SWP_NOSIZE) ? oldRect.bottom - oldRect.top : cy;
    wp.flags = uFlags;
    if (!(uFlags & SWP_NOSENDCHANGING))
        SendMessage(hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)&wp);
    UINT flags = wp.flags;
    RECT newRect{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    if (flags & SWP_NOMOVE)
        OffsetRectBy(newRect, oldRect.left - newRect.left, oldRect.top - newRect.top);
    if (flags & SWP_NOSIZE) {
        newRect.right = newRect.left + (oldRect.right - oldRect.left);
        newRect.bottom = newRect.top + (oldRect.bottom - oldRect.top);
    }
    bool sized = !SameSize(oldRect, newRect);
    bool moved = oldRect.left != newRect.left || oldRect.top != newRect.top;
    bool show = (flags & SWP_SHOWWINDOW) && !wasVisible;
    bool hide = (flags & SWP_HIDEWINDOW) && wasVisible;
    bool zordered = false;
    RECT oldClient;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        oldClient = w->client;
        w->rect = newRect;
        if (!(flags & SWP_NOZORDER)) {
            auto& list = SiblingListLocked(*w);
            std::vector<HWND> before = list;
            ApplyZOrderLocked(*w, wp.hwndInsertAfter);
            zordered = before != list;
        }
        if (show)
            w->style |= WS_VISIBLE;
        if (hide)
            w->style &= ~WS_VISIBLE;
        if (!w->parent && sized)
            ResizeSurfaceLocked(*w);
    }
    if (sized || (flags & SWP_FRAMECHANGED)) {
        wp.x = newRect.left;
        wp.y = newRect.top;
        wp.cx = newRect.right - newRect.left;
        wp.cy = newRect.bottom - newRect.top;
        RecalcClientRect(hWnd, &wp);
    }
    if (!(flags & SWP_NOREDRAW))
        InvalidateAfterMove(hWnd, oldRect, oldClient, wasVisible, show, hide, sized, moved, zordered,
                            (flags & SWP_FRAMECHANGED) != 0);
    SyncNativeWindow(hWnd, show, hide);
    WINDOWPOS changed = wp;
    changed.x = newRect.left;
    changed.y = newRect.top;
    changed.cx = newRect.right - newRect.left;
    changed.cy = newRect.bottom - newRect.top;
    changed.flags = flags;
    if (!sized)
        changed.flags |= SWP_NOSIZE;
    if (!moved)
        changed.flags |= SWP_NOMOVE;
    if (sized || moved || show || hide || zordered || (flags & SWP_FRAMECHANGED) || !(flags & SWP_NOZORDER))
        SendMessage(hWnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&changed);
    if (!isChild) {
        if (show && !(flags & SWP_NOACTIVATE))
            ActivateOnShow(hWnd);
        if (hide)
            ActivateOtherOnHide(hWnd);
    }
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->BringWindowToTop(hWnd);
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

RECT MaximizedRect(HWND hwnd)
{
    RECT r;
    HWND parent = GetParent(hwnd);
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    DWORD ex = (DWORD)GetWindowLongPtr(hwnd, GWL_EXSTYLE);
    if ((style & WS_CHILD) && parent) {
        GetClientRect(parent, &r);
        // A maximized child's frame hangs outside its parent, the client fills it.
        RECT ins = NonClientInsets(style, ex, false);
        r.left -= ins.left;
        r.top -= ins.top;
        r.right += ins.right;
        r.bottom += ins.bottom;
        return r;
    }
    SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
    MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
    mmi.ptMaxPosition.x += r.left;
    mmi.ptMaxPosition.y += r.top;
    mmi.ptMaxSize.x = (r.right - r.left) - 2 * mmi.ptMaxPosition.x + 2 * r.left;
    mmi.ptMaxSize.y = (r.bottom - r.top) - 2 * (mmi.ptMaxPosition.y - r.top);
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
}

RECT MinimizedRect(HWND hwnd)
{
    int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    HWND parent = GetParent(hwnd);
    if ((style & WS_CHILD) && parent) {
        RECT pc;
        GetClientRect(parent, &pc);
        return RECT{0, pc.bottom - cy, cx, pc.bottom};
    }
    return RECT{-32000, -32000, -32000 + cx, -32000 + cy};
}

// Remembers where a window sits in its normal state before it is minimized or maximized.
void SaveRestoreRect(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (w && !(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->restoreRect = w->rect;
}

void SetStateStyle(HWND hwnd, DWORD set, DWORD clear)
{
    UserGuard guard(UserLock());
    if (Window* w = FindWindowLocked(hwnd))
        w->style = (w->style & ~clear) | set;
}

}  // namespace

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->ShowWindow(hWnd, nCmdShow);
    DWORD style;
    RECT restore;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        if (w->threadId != CurrentThreadId()) {
            guard.unlock();
            return (BOOL)RunOnOwnerThread(hWnd, [=]() -> LRESULT { return ShowWindow(hWnd, nCmdShow); });
        }
        style = w->style;
        restore = w->restoreRect;
    }
    bool wasVisible = (style & WS_VISIBLE) != 0;
    UINT flags = SWP_NOZORDER;
    RECT target{0, 0, 0, 0};
    bool place = false;
    bool visible = true;
    switch (nCmdShow) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        visible = false;
        flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        if (!(style & WS_MINIMIZE)) {
            SaveRestoreRect(hWnd);
            SetStateStyle(hWnd, WS_MINIMIZE, WS_MAXIMIZE);
            target = MinimizedRect(hWnd);
            place = true;
            flags |= SWP_FRAMECHANGED;
        }
        flags |= SWP_SHOWWINDOW;
        if (nCmdShow != SW_SHOWMINIMIZED)
            flags |= SWP_NOACTIVATE;
        break;
    case SW_SHOWMAXIMIZED:
        if (!(style & WS_MAXIMIZE)) {
            SaveRestoreRect(hWnd);
            SetStateStyle(hWnd, WS_MAXIMIZE, WS_MINIMIZE);
            target = MaximizedRect(hWnd);
            place = true;
            flags |= SWP_FRAMECHANGED;
        }
        flags |= SWP_SHOWWINDOW;
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            SetStateStyle(hWnd, 0, WS_MINIMIZE | WS_MAXIMIZE);
            target = restore;
            place = true;
            flags |= SWP_FRAMECHANGED;
        }
        flags |= SWP_SHOWWINDOW;
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
        break;
    case SW_SHOW:
    default:
        flags |= SWP_SHOWWINDOW;
        break;
    }
    if (!place)
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    if (wasVisible != visible)
        SendMessage(hWnd, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    if (!IsWindow(hWnd))
        return wasVisible;
    if (wasVisible == visible && !place) {
        if (visible && !(flags & SWP_NOACTIVATE) && !(style & WS_CHILD))
            ActivateOnShow(hWnd);
        return wasVisible;
    }
    if (place && (flags & SWP_SHOWWINDOW) && !(flags & SWP_NOACTIVATE))
        flags &= ~SWP_NOZORDER;
    SetWindowPos(hWnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 flags);
    if (place)
        NotifyNativeState(hWnd);
    return wasVisible;
}

BOOL ShowWindowAsync(HWND hWnd, int nCmdShow)
{
    return ShowWindow(hWnd, nCmdShow);
}

BOOL ShowOwnedPopups(HWND hWnd, BOOL fShow)
{
    std::vector<HWND> owned;
    {
        UserGuard guard(UserLock());
        for (HWND h : State().topLevels) {
            Window* w = FindWindowLocked(h);
            if (w && w->owner == hWnd && (w->style & WS_POPUP))
                owned.push_back(h);
        }
    }
    for (HWND h : owned)
        ShowWindow(h, fShow ? SW_SHOWNA : SW_HIDE);
    return TRUE;
}

BOOL OpenIcon(HWND hWnd)
{
    ShowWindow(hWnd, SW_RESTORE);
    return TRUE;
}

BOOL CloseWindow(HWND hWnd)
{
    ShowWindow(hWnd, SW_MINIMIZE);
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    if (hWnd == DesktopHandle() || !hWnd) {
        SIZE s = ScreenSize();
        *lpRect = RECT{0, 0, s.cx, s.cy};
        return hWnd != nullptr;
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return FALSE;
    POINT o = WindowScreenOrigin(*w);
    *lpRect = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    if (hWnd == DesktopHandle()) {
        SIZE s = ScreenSize();
        *lpRect = RECT{0, 0, s.cx, s.cy};
        return TRUE;
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return FALSE;
    *lpRect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

namespace {

bool ClientOrigin(HWND hwnd, POINT* origin)
{
    if (!hwnd || hwnd == DesktopHandle()) {
        *origin = POINT{0, 0};
        return true;
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return false;
    *origin = ClientScreenOrigin(*w);
    return true;
}

}  // namespace

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    POINT o;
    if (!lpPoint || !hWnd || !ClientOrigin(hWnd, &o))
        return FALSE;
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    POINT o;
    if (!lpPoint || !hWnd || !ClientOrigin(hWnd, &o))
        return FALSE;
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    POINT from, to;
    if (!ClientOrigin(hWndFrom, &from) || !ClientOrigin(hWndTo, &to))
        return 0;
    int dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG((WORD)(SHORT)dx, (WORD)(SHORT)dy);
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (!lpRect)
        return FALSE;
    if (!(dwStyle & (WS_CHILD | WS_POPUP)))
        dwStyle |= WS_CAPTION;
    RECT ins = NonClientInsets(dwStyle, dwExStyle, bMenu != FALSE);
    lpRect->left -= ins.left;
    lpRect->top -= ins.top;
    lpRect->right += ins.right;
    lpRect->bottom += ins.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu)
{
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl)
{
    if (!lpwndpl)
        return FALSE;
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    lpwndpl->flags = 0;
    lpwndpl->showCmd = !(w->style & WS_VISIBLE)      ? SW_HIDE
                       : (w->style & WS_MINIMIZE)    ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE)    ? SW_SHOWMAXIMIZED
                                                     : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = POINT{-1, -1};
    lpwndpl->ptMaxPosition = POINT{-1, -1};
    lpwndpl->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->restoreRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl)
{
    if (!lpwndpl || !IsWindow(hWnd))
        return FALSE;
    const RECT& r = lpwndpl->rcNormalPosition;
    bool special = IsIconic(hWnd) || IsZoomed(hWnd);
    if (special) {
        UserGuard guard(UserLock());
        if (Window* w = FindWindowLocked(hWnd))
            w->restoreRect = r;
    } else {
        SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SaveRestoreRect(hWnd);
    }
    ShowWindow(hWnd, (int)lpwndpl->showCmd);
    return TRUE;
}

namespace {

struct DeferredPos {
    HWND hwnd, after;
    int x, y, cx, cy;
    UINT flags;
};

struct DeferList {
    std::vector<DeferredPos> items;
};

}  // namespace

HDWP BeginDeferWindowPos(int nNumWindows)
{
    auto* list = new DeferList;
    list->items.reserve((size_t)std::max(nNumWindows, 0));
    return (HDWP)list;
}

HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    if (!hWinPosInfo)
        return nullptr;
    auto* list = (DeferList*)hWinPosInfo;
    for (auto& d : list->items)
        if (d.hwnd == hWnd) {
            d = DeferredPos{hWnd, hWndInsertAfter, x, y, cx, cy, uFlags};
            return hWinPosInfo;
        }
    list->items.push_back(DeferredPos{hWnd, hWndInsertAfter, x, y, cx, cy, uFlags});
    return hWinPosInfo;
}

BOOL EndDeferWindowPos(HDWP hWinPosInfo)
{
    if (!hWinPosInfo)
        return FALSE;
    auto* list = (DeferList*)hWinPosInfo;
    for (auto& d : list->items)
        SetWindowPos(d.hwnd, d.after, d.x, d.y, d.cx, d.cy, d.flags);
    delete list;
    return TRUE;
}

namespace {

bool ContainsPoint(const RECT& r, POINT pt)
{
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// Candidates for a mouse event under a screen point (lock held), in the order the hit test
// asks them: each child's own children before it, siblings from top to bottom, the parent
// last. A disabled child ends its level: the parent takes the event in its place.
void CandidatesAtLocked(Window& w, POINT screen, std::vector<HWND>& out)
{
    POINT c = ClientScreenOrigin(w);
    POINT local{screen.x - c.x, screen.y - c.y};
    for (HWND h : w.children) {
        Window* child = FindWindowLocked(h);
        if (!child || !(child->style & WS_VISIBLE) || !ContainsPoint(child->rect, local))
            continue;
        if (child->shaped && !child->shape.Contains(local.x - child->rect.left, local.y - child->rect.top))
            continue;
        if (child->style & WS_DISABLED)
            break;
        CandidatesAtLocked(*child, screen, out);
    }
    out.push_back(w.handle);
}

HWND TopLevelAtLocked(POINT pt)
{
    for (HWND h : State().topLevels) {
        Window* w = FindWindowLocked(h);
        if (!w || w->messageOnly || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
            continue;
        POINT o = WindowScreenOrigin(*w);
        RECT r{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
        if (!ContainsPoint(r, pt))
            continue;
        if (w->shaped && !w->shape.Contains(pt.x - o.x, pt.y - o.y))
            continue;
        return h;
    }
    return nullptr;
}

}  // namespace

namespace mivo {

std::vector<HWND> WindowsAtPoint(POINT pt)
{
    std::vector<HWND> out;
    UserGuard guard(UserLock());
    HWND top = TopLevelAtLocked(pt);
    Window* w = top ? FindWindowLocked(top) : nullptr;
    // A disabled top-level window takes the event whole: nothing inside it sees the mouse.
    if (w && (w->style & WS_DISABLED))
        out.push_back(top);
    else if (w)
        CandidatesAtLocked(*w, pt, out);
    return out;
}

}  // namespace mivo

using namespace mivo;

HWND WindowFromPoint(POINT Point)
{
    LRESULT hit;
    return HitTestWindowAt(Point, &hit);
}

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return nullptr;
    RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    if (!ContainsPoint(client, pt))
        return nullptr;
    for (HWND h : w->children) {
        Window* c = FindWindowLocked(h);
        if (!c || !ContainsPoint(c->rect, pt))
            continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        return h;
    }
    return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

// The child under a point of the parent's client area, looking through the transparent parts
// of controls (a group box's inside) but not through static text, which answers the same.
HWND RealChildWindowFromPoint(HWND hwndParent, POINT pt)
{
    std::vector<HWND> children;
    POINT screen = pt;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwndParent);
        if (!w)
            return nullptr;
        RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
        if (!ContainsPoint(client, pt))
            return nullptr;
        for (HWND h : w->children) {
            Window* c = FindWindowLocked(h);
            if (c && (c->style & WS_VISIBLE) && !(c->exStyle & WS_EX_TRANSPARENT) && ContainsPoint(c->rect, pt))
                children.push_back(h);
        }
        POINT o = ClientScreenOrigin(*w);
        screen = POINT{pt.x + o.x, pt.y + o.y};
    }
    for (HWND h : children) {
        LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM((SHORT)screen.x, (SHORT)screen.y));
        char cls[16] = {};
        if (hit != HTTRANSPARENT || (GetClassName(h, cls, sizeof(cls)) && lstrcmpi(cls, "Static") == 0))
            return h;
    }
    return hwndParent;
}
