// Window scroll bars: their ranges and positions, and tracking them with the mouse.
#include "user/UserInternal.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/scroll.h"
#include "win32/usersys.h"

#include <algorithm>

namespace mivo {

namespace {

// Scroll-bar control messages: SB_CTL calls go to the control itself.
constexpr UINT kSbmSetPos = 0x00E0;
constexpr UINT kSbmGetPos = 0x00E1;
constexpr UINT kSbmSetRange = 0x00E2;
constexpr UINT kSbmGetRange = 0x00E3;
constexpr UINT kSbmEnableArrows = 0x00E4;
constexpr UINT kSbmSetScrollInfo = 0x00E9;
constexpr UINT kSbmGetScrollInfo = 0x00EA;

ScrollBarState* BarLocked(Window& w, int bar)
{
    if (bar == SB_HORZ)
        return &w.hscroll;
    if (bar == SB_VERT)
        return &w.vscroll;
    return nullptr;
}

int MaxPos(const ScrollBarState& s)
{
    int page = (int)std::max<UINT>(s.page, 1);
    return std::max(s.min, s.max - page + 1);
}

void Clamp(ScrollBarState& s)
{
    if (s.page > (UINT)std::max(0, s.max - s.min + 1))
        s.page = (UINT)std::max(0, s.max - s.min + 1);
    s.pos = std::max(s.min, std::min(s.pos, MaxPos(s)));
}

bool Scrollable(const ScrollBarState& s)
{
    return s.max > s.min && s.page <= (UINT)(s.max - s.min);
}

// Shows or hides a window's bar by its style; the frame is recalculated when it changes.
void SetBarVisible(HWND hwnd, int bar, bool visible)
{
    DWORD flag = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    bool changed = false;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return;
        bool now = (w->style & flag) != 0;
        if (now != visible) {
            if (visible)
                w->style |= flag;
            else
                w->style &= ~flag;
            changed = true;
        }
        if (ScrollBarState* s = BarLocked(*w, bar))
            s->shown = visible;
    }
    if (changed)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void RedrawBars(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

}  // namespace

bool ScrollBarInfo(HWND hwnd, int bar, ScrollBarState* out)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return false;
    ScrollBarState* s = BarLocked(*w, bar);
    if (!s)
        return false;
    *out = *s;
    return true;
}

void SetScrollTrackPos(HWND hwnd, int bar, int trackPos)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return;
    if (ScrollBarState* s = BarLocked(*w, bar))
        s->trackPos = trackPos;
}

}  // namespace mivo

using namespace mivo;

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw)
{
    if (!lpsi)
        return 0;
    if (nBar == SB_CTL)
        return (int)SendMessage(hwnd, kSbmSetScrollInfo, redraw, (LPARAM)lpsi);
    int pos;
    bool show, disableOnly = false;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return 0;
        ScrollBarState* s = BarLocked(*w, nBar);
        if (!s)
            return 0;
        if (lpsi->fMask & SIF_RANGE) {
            s->min = lpsi->nMin;
            s->max = lpsi->nMax;
        }
        if (lpsi->fMask & SIF_PAGE)
            s->page = lpsi->nPage;
        if (lpsi->fMask & SIF_POS)
            s->pos = lpsi->nPos;
        Clamp(*s);
        pos = s->pos;
        show = Scrollable(*s);
        // SIF_DISABLENOSCROLL keeps a useless bar visible but disabled.
        if (!show && (lpsi->fMask & SIF_DISABLENOSCROLL) && (w->style & (nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL))) {
            s->disabledArrows = ESB_DISABLE_BOTH;
            disableOnly = true;
        } else if (show) {
            s->disabledArrows = ESB_ENABLE_BOTH;
        }
    }
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE))
        SetBarVisible(hwnd, nBar, show || disableOnly);
    if (redraw)
        RedrawBars(hwnd);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi)
{
    if (!lpsi)
        return FALSE;
    if (nBar == SB_CTL)
        return (BOOL)SendMessage(hwnd, kSbmGetScrollInfo, 0, (LPARAM)lpsi);
    ScrollBarState s;
    if (!ScrollBarInfo(hwnd, nBar, &s))
        return FALSE;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s.min;
        lpsi->nMax = s.max;
    }
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = s.page;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = s.pos;
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = s.trackPos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
    if (nBar == SB_CTL)
        return (int)SendMessage(hWnd, kSbmSetPos, (WPARAM)nPos, bRedraw);
    ScrollBarState before;
    if (!ScrollBarInfo(hWnd, nBar, &before))
        return 0;
    SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return before.pos;
}

int GetScrollPos(HWND hWnd, int nBar)
{
    if (nBar == SB_CTL)
        return (int)SendMessage(hWnd, kSbmGetPos, 0, 0);
    ScrollBarState s;
    return ScrollBarInfo(hWnd, nBar, &s) ? s.pos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (nBar == SB_CTL)
        return SendMessage(hWnd, kSbmSetRange, (WPARAM)nMinPos, (LPARAM)nMaxPos) ? TRUE : TRUE;
    if (!IsWindow(hWnd))
        return FALSE;
    SCROLLINFO si = {sizeof(si), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos)
{
    if (nBar == SB_CTL) {
        SendMessage(hWnd, kSbmGetRange, (WPARAM)lpMinPos, (LPARAM)lpMaxPos);
        return TRUE;
    }
    ScrollBarState s;
    if (!ScrollBarInfo(hWnd, nBar, &s))
        return FALSE;
    if (lpMinPos)
        *lpMinPos = s.min;
    if (lpMaxPos)
        *lpMaxPos = s.max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow)
{
    if (!IsWindow(hWnd))
        return FALSE;
    if (wBar == SB_CTL) {
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (wBar == SB_HORZ || wBar == SB_BOTH)
        SetBarVisible(hWnd, SB_HORZ, bShow != FALSE);
    if (wBar == SB_VERT || wBar == SB_BOTH)
        SetBarVisible(hWnd, SB_VERT, bShow != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    if (wSBflags == SB_CTL)
        return (BOOL)SendMessage(hWnd, kSbmEnableArrows, wArrows, 0);
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        if (wSBflags == SB_HORZ || wSBflags == SB_BOTH)
            w->hscroll.disabledArrows = wArrows;
        if (wSBflags == SB_VERT || wSBflags == SB_BOTH)
            w->vscroll.disabledArrows = wArrows;
    }
    RedrawBars(hWnd);
    return TRUE;
}
