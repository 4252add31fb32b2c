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

}  // namespace

}  // namespace mivo

using namespace mivo;

LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = (const CREATESTRUCTA*)lParam;
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
            UserGuard guard(UserLock());
            if (Window* w = FindWindowLocked(hWnd))
                SetWindowTextLocked(*w, cs->lpszName);
        }
        EnsureScrollBarsFromStyle(hWnd);
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return DefNcCalcSize(hWnd, (BOOL)wParam, lParam);
    case WM_NCHITTEST:
        return DefNcHitTest(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
        DefNcPaint(hWnd, (HRGN)wParam);
        return 0;
    case WM_NCACTIVATE:
        {
            UserGuard guard(UserLock());
            if (Window* w = FindWindowLocked(hWnd))
                w->ncActive = wParam != FALSE;
        }
        if ((GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
            RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
        return TRUE;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTMENU || wParam == HTSYSMENU) {
            SendMessage(hWnd, WM_SYSCOMMAND, SC_MOUSEMENU | (wParam & 0x000F), lParam);
            return 0;
        }
        return DefNcLButtonDown(hWnd, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (GetWindowLongPtr(hWnd, GWL_STYLE) & WS_MAXIMIZEBOX))
            SendMessage(hWnd, WM_SYSCOMMAND, IsZoomed(hWnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (Msg == WM_RBUTTONUP)
            ClientToScreen(hWnd, &pt);
        SendMessage(hWnd, WM_CONTEXTMENU, (WPARAM)hWnd, MAKELPARAM((SHORT)pt.x, (SHORT)pt.y));
        return 0;
    }
    case WM_CONTEXTMENU:
        return AskParent(hWnd, Msg, wParam, lParam);
    case WM_NCDESTROY:
    case WM_DESTROY:
    case WM_CREATE:
        return 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    case WM_SETTEXT:
        return SetText(hWnd, (LPCSTR)lParam);
    case WM_GETTEXT: {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        return w ? CopyWindowTextLocked(*w, (LPSTR)lParam, (int)wParam) : 0;
    }
    case WM_GETTEXTLENGTH: {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        return w ? (LRESULT)w->text.size() : 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseBackground(hWnd, (HDC)wParam);
    case WM_ICONERASEBKGND:
        return EraseBackground(hWnd, (HDC)wParam);
    case WM_SETREDRAW: {
        // Redraw off hides the window from painting without a visible change.
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        if (wParam)
            w->style |= WS_VISIBLE;
        else
            w->style &= ~WS_VISIBLE;
        w->redrawOff = !wParam;
        return 0;
    }
    case WM_SHOWWINDOW:
        return ShowWindowDefault(hWnd, (BOOL)wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        return 0;
    case WM_WINDOWPOSCHANGED:
        SizeAndMoveAfterPosChange(hWnd, (const WINDOWPOS*)lParam);
        return 0;
    case WM_GETMINMAXINFO:
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hWnd);
        return 0;
    case WM_MOUSEACTIVATE: {
        LRESULT r = AskParent(hWnd, Msg, wParam, lParam);
        return r ? r : MA_ACTIVATE;
    }
    case WM_SETCURSOR:
        return SetCursorDefault(hWnd, wParam, lParam);
    case WM_MOUSEWHEEL:
        return AskParent(hWnd, Msg, wParam, lParam);
    case WM_SYSCOMMAND:
        return SysCommand(hWnd, wParam, lParam);
    case WM_SYSKEYDOWN:
        g_altAlone = wParam == VK_MENU;
        if (wParam == VK_F4 && (lParam & (1 << 29)) && !IsChildWindow(hWnd))
            PostMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_KEYDOWN:
        g_altAlone = false;
        return 0;
    case WM_SYSKEYUP:
        if ((wParam == VK_MENU && g_altAlone) || wParam == VK_F10) {
            g_altAlone = false;
            SendMessage(RootOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        g_altAlone = false;
        if (wParam != VK_RETURN && wParam != VK_ESCAPE && wParam != VK_TAB)
            SendMessage(RootOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)wParam);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return (LRESULT)DefaultControlColor(Msg, (HDC)wParam);
    case WM_SETICON: {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        HICON old = slot;
        slot = (HICON)lParam;
        return (LRESULT)old;
    }
    case WM_GETICON: {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        return (LRESULT)(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    }
    case WM_SETFONT: {
        UserGuard guard(UserLock());
        if (Window* w = FindWindowLocked(hWnd))
            w->font = (HFONT)wParam;
        return 0;
    }
    case WM_GETFONT: {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        return w ? (LRESULT)w->font : 0;
    }
    case WM_QUERYDRAGICON:
        return (LRESULT)GetClassLongPtr(hWnd, GCLP_HICON);
    case WM_CANCELMODE:
        // Modes the window started end: its menu and its capture.
        EndMenuOf(hWnd);
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return 0;
    case WM_NOTIFYFORMAT:
        return 1;  // NFR_ANSI
    case WM_PRINT:
    case WM_PRINTCLIENT:
        return DefPrint(hWnd, (HDC)wParam, (DWORD)lParam, Msg == WM_PRINTCLIENT);
    case WM_IME_CHAR:
        // A double-byte character reaches ANSI windows as two WM_CHAR messages.
        if (wParam > 0xFF)
            SendMessage(hWnd, WM_CHAR, (wParam >> 8) & 0xFF, lParam);
        SendMessage(hWnd, WM_CHAR, wParam & 0xFF, lParam);
        return 0;
    }
    return 0;
}
