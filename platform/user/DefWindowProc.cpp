// DefWindowProc: the system's default handling of window messages.
#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "user/Geometry.h"
#include "user/NativeSurface.h"
#include "user/NonClientDefaults.h"
#include "user/GdiLink.h"
#include "user/NonClient.h"
#include "user/MenuTracking.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/usersys.h"
#include "win32/msgbox.h"

#include <cstring>

namespace mivo {

namespace {

HBRUSH ClassBackground(HWND hwnd)
{
    HBRUSH b = (HBRUSH)GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND);
    // (COLOR_xxx + 1) stands for the system colour's brush.
    if (b && (ULONG_PTR)b <= 31)
        return GetSysColorBrush((int)(ULONG_PTR)b - 1);
    return b;
}

LRESULT EraseBackground(HWND hwnd, HDC hdc)
{
    HBRUSH brush = ClassBackground(hwnd);
    if (!brush || !hdc)
        return 0;
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillWithBrush(hdc, rc, brush);
    return 1;
}

bool IsChildWindow(HWND hwnd)
{
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) != 0;
}

LRESULT SetText(HWND hwnd, LPCSTR text)
{
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return FALSE;
        SetWindowTextLocked(*w, text);
    }
    NotifyNativeState(hwnd);
    // A caption drawn by us shows the new text.
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

LRESULT ShowWindowDefault(HWND hwnd, BOOL show, LPARAM reason)
{
    // Owned popups hide and come back with their owner's minimize and restore.
    if (reason == SW_PARENTCLOSING || reason == SW_PARENTOPENING)
        ShowWindow(hwnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    return 0;
}

void SizeAndMoveAfterPosChange(HWND hwnd, const WINDOWPOS* wp)
{
    if (!wp)
        return;
    if (!(wp->flags & SWP_NOMOVE)) {
        POINT o = ClientOriginInParent(hwnd);
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM((SHORT)o.x, (SHORT)o.y));
    }
    if (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED)) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
        WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        if ((wp->flags & SWP_NOSIZE) && !(wp->flags & SWP_FRAMECHANGED))
            return;
        SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(rc.right, rc.bottom));
    }
}

// Alt pressed and released with no other key between opens the menu bar.
thread_local bool g_altAlone = false;

void MouseMenu(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if ((wParam & 0x000F) == HTSYSMENU) {
        FrameLayout L = LayOutFrame(hwnd);
        TrackSystemMenu(hwnd, POINT{L.sysMenu.left, L.caption.bottom});
        return;
    }
    TrackMenuBarByMouse(hwnd, pt);
}

HWND RootOf(HWND hwnd)
{
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return root ? root : hwnd;
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_KEYMENU:
        TrackMenuBarByKey(hwnd, (UINT)lParam);
        return 0;
    case SC_MOUSEMENU:
        MouseMenu(hwnd, wParam, lParam);
        return 0;
    case SC_CLOSE:
        return SendMessage(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        return 0;
    }
    return 0;
}

// Parents get a say first for cursors, mouse activation, wheel and context menus.
LRESULT AskParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsChildWindow(hwnd))
        return 0;
    HWND parent = GetParent(hwnd);
    return parent ? SendMessage(parent, msg, wParam, lParam) : 0;
}

LRESULT SetCursorDefault(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (AskParent(hwnd, WM_SETCURSOR, wParam, lParam))
        return TRUE;
    short hit = (short)LOWORD(lParam);
    if (hit == HTERROR) {
        UINT mouseMsg = HIWORD(lParam);
        if (mouseMsg == WM_LBUTTONDOWN || mouseMsg == WM_RBUTTONDOWN || mouseMsg == WM_MBUTTONDOWN)
            MessageBeep(0);
        return FALSE;
    }
    if (hit == HTCLIENT) {
        HCURSOR c = (HCURSOR)GetClassLongPtr(hwnd, GCLP_HCURSOR);
        if (c) {
            SetCursor(c);
            return TRUE;
        }
        return FALSE;
    }
    SetCursor(CursorForHitTest(hit));
    return TRUE;
}

LRESULT NonClientCreate(HWND hwnd, LPARAM lParam)
{
    auto* cs = (const CREATESTRUCTA*)lParam;
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        UserGuard guard(UserLock());
        if (Window* w = FindWindowLocked(hwnd))
            SetWindowTextLocked(*w, cs->lpszName);
    }
    EnsureScrollBarsFromStyle(hwnd);
    return TRUE;
}

LRESULT NonClientActivate(HWND hwnd, WPARAM active)
{
    {
        UserGuard guard(UserLock());
        if (Window* w = FindWindowLocked(hwnd))
            w->ncActive = active != FALSE;
    }
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

LRESULT NonClientButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    if (hit == HTMENU || hit == HTSYSMENU) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | (hit & 0x000F), lParam);
        return 0;
    }
    return DefNcLButtonDown(hwnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT NonClientDoubleClick(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    if (hit == HTCAPTION && (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX))
        SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
    return 0;
}

// A right button released asks for the context menu at the screen point.
LRESULT RightButtonUp(HWND hwnd, UINT msg, LPARAM lParam)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (msg == WM_RBUTTONUP)
        ClientToScreen(hwnd, &pt);
    SendMessage(hwnd, WM_CONTEXTMENU, (WPARAM)hwnd, MAKELPARAM((SHORT)pt.x, (SHORT)pt.y));
    return 0;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPARAM buffer)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? CopyWindowTextLocked(*w, (LPSTR)buffer, (int)size) : 0;
}

LRESULT GetTextLength(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? (LRESULT)w->text.size() : 0;
}

LRESULT PaintNothing(HWND hwnd)
{
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
}

// Redraw off hides the window from painting without a visible change.
LRESULT SetRedraw(HWND hwnd, WPARAM on)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return 0;
    if (on)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~WS_VISIBLE;
    w->redrawOff = !on;
    return 0;
}

LRESULT Activate(HWND hwnd, WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        SetFocus(hwnd);
    return 0;
}

LRESULT MouseActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = AskParent(hwnd, msg, wParam, lParam);
    return r ? r : MA_ACTIVATE;
}

LRESULT SystemKeyDown(HWND hwnd, WPARAM key, LPARAM lParam)
{
    g_altAlone = key == VK_MENU;
    if (key == VK_F4 && (lParam & (1 << 29)) && !IsChildWindow(hwnd))
        PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

LRESULT SystemKeyUp(HWND hwnd, WPARAM key)
{
    if ((key == VK_MENU && g_altAlone) || key == VK_F10) {
        g_altAlone = false;
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
}

LRESULT SystemChar(HWND hwnd, WPARAM ch)
{
    g_altAlone = false;
    if (ch != VK_RETURN && ch != VK_ESCAPE && ch != VK_TAB)
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)ch);
    return 0;
}

LRESULT SetIcon(HWND hwnd, WPARAM which, LPARAM icon)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return 0;
    HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
    HICON old = slot;
    slot = (HICON)icon;
    return (LRESULT)old;
}

LRESULT GetIcon(HWND hwnd, WPARAM which)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return 0;
    return (LRESULT)(which == ICON_BIG ? w->iconBig : w->iconSmall);
}

LRESULT SetFont(HWND hwnd, WPARAM font)
{
    UserGuard guard(UserLock());
    if (Window* w = FindWindowLocked(hwnd))
        w->font = (HFONT)font;
    return 0;
}

LRESULT GetFont(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? (LRESULT)w->font : 0;
}

LRESULT CancelMode(HWND hwnd)
{
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return 0;
}

// A double-byte character reaches ANSI windows as two WM_CHAR messages.
LRESULT ImeChar(HWND hwnd, WPARAM ch, LPARAM lParam)
{
    if (ch > 0xFF)
        SendMessage(hwnd, WM_CHAR, (ch >> 8) & 0xFF, lParam);
    SendMessage(hwnd, WM_CHAR, ch & 0xFF, lParam);
    return 0;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case WM_NCCREATE: return NonClientCreate(hWnd, lParam);
    case WM_NCCALCSIZE: return DefNcCalcSize(hWnd, (BOOL)wParam, lParam);
    case WM_NCHITTEST: return DefNcHitTest(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: DefNcPaint(hWnd, (HRGN)wParam); return 0;
    case WM_NCACTIVATE: return NonClientActivate(hWnd, wParam);
    case WM_NCLBUTTONDOWN: return NonClientButtonDown(hWnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return NonClientDoubleClick(hWnd, wParam, lParam);
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP: return RightButtonUp(hWnd, Msg, lParam);
    case WM_CONTEXTMENU: return AskParent(hWnd, Msg, wParam, lParam);
    case WM_NCDESTROY:
    case WM_DESTROY:
    case WM_CREATE: return 0;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    case WM_SETTEXT: return SetText(hWnd, (LPCSTR)lParam);
    case WM_GETTEXT: return GetText(hWnd, wParam, lParam);
    case WM_GETTEXTLENGTH: return GetTextLength(hWnd);
    case WM_PAINT: return PaintNothing(hWnd);
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND: return EraseBackground(hWnd, (HDC)wParam);
    case WM_SETREDRAW: return SetRedraw(hWnd, wParam);
    case WM_SHOWWINDOW: return ShowWindowDefault(hWnd, (BOOL)wParam, lParam);
    case WM_WINDOWPOSCHANGING: return 0;
    case WM_WINDOWPOSCHANGED: SizeAndMoveAfterPosChange(hWnd, (const WINDOWPOS*)lParam); return 0;
    case WM_GETMINMAXINFO: return 0;
    case WM_ACTIVATE: return Activate(hWnd, wParam);
    case WM_MOUSEACTIVATE: return MouseActivate(hWnd, Msg, wParam, lParam);
    case WM_SETCURSOR: return SetCursorDefault(hWnd, wParam, lParam);
    case WM_MOUSEWHEEL: return AskParent(hWnd, Msg, wParam, lParam);
    case WM_SYSCOMMAND: return SysCommand(hWnd, wParam, lParam);
    case WM_SYSKEYDOWN: return SystemKeyDown(hWnd, wParam, lParam);
    case WM_KEYDOWN: g_altAlone = false; return 0;
    case WM_SYSKEYUP: return SystemKeyUp(hWnd, wParam);
    case WM_SYSCHAR: return SystemChar(hWnd, wParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return (LRESULT)DefaultControlColor(Msg, (HDC)wParam);
    case WM_SETICON: return SetIcon(hWnd, wParam, lParam);
    case WM_GETICON: return GetIcon(hWnd, wParam);
    case WM_SETFONT: return SetFont(hWnd, wParam);
    case WM_GETFONT: return GetFont(hWnd);
    case WM_QUERYDRAGICON: return (LRESULT)GetClassLongPtr(hWnd, GCLP_HICON);
    case WM_CANCELMODE: return CancelMode(hWnd);
    case WM_HSCROLL:
    case WM_VSCROLL: return 0;
    case WM_NOTIFYFORMAT: return 1;  // NFR_ANSI
    case WM_PRINT:
    case WM_PRINTCLIENT: return DefPrint(hWnd, (HDC)wParam, (DWORD)lParam, Msg == WM_PRINTCLIENT);
    case WM_IME_CHAR: return ImeChar(hWnd, wParam, lParam);
    }
    return 0;
}
