// Window scroll bars: their ranges and positions, and tracking them with the mouse.
#include "user/NonClientDefaults.h"
#include "user/NonClient.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/scroll.h"
#include "win32/usersys.h"

#include <algorithm>
#include <climits>

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

// Shows or hides a window's bar; the frame is recalculated when it changes. The style bit
// records that the window wants the bar: hiding one that no longer scrolls keeps it, so
// the bar comes back when the range grows again. `dropWish` clears it (ShowScrollBar).
void SetBarVisible(HWND hwnd, int bar, bool visible, bool dropWish = false)
{
    DWORD flag = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    bool changed = false;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return;
        ScrollBarState* s = BarLocked(*w, bar);
        if (!s)
            return;
        if (visible)
            w->style |= flag;
        else if (dropWish)
            w->style &= ~flag;
        changed = s->shown != visible;
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
        SetBarVisible(hWnd, SB_HORZ, bShow != FALSE, true);
    if (wBar == SB_VERT || wBar == SB_BOTH)
        SetBarVisible(hWnd, SB_VERT, bShow != FALSE, true);
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

namespace mivo {

namespace {

int PosRange(const ScrollBarState& s)
{
    return MaxPos(s) - s.min;
}

}  // namespace

ScrollBarParts LayOutScrollBar(HWND hwnd, int bar, const RECT& barRect, int trackPosOverride)
{
    ScrollBarParts p;
    p.bar = barRect;
    p.vertical = bar == SB_VERT;
    ScrollBarState s;
    if (!ScrollBarInfo(hwnd, bar, &s) || RectSet::IsEmptyRect(barRect))
        return p;
    int start = p.vertical ? barRect.top : barRect.left;
    int end = p.vertical ? barRect.bottom : barRect.right;
    int arrow = std::min(GetSystemMetrics(p.vertical ? SM_CYVSCROLL : SM_CXHSCROLL), (end - start) / 2);
    auto span = [&](int a, int b) {
        return p.vertical ? RECT{barRect.left, a, barRect.right, b} : RECT{a, barRect.top, b, barRect.bottom};
    };
    p.arrow1 = span(start, start + arrow);
    p.arrow2 = span(end - arrow, end);
    p.trackStart = start + arrow;
    p.trackEnd = end - arrow;
    int trackLen = p.trackEnd - p.trackStart;
    bool enabled = (s.disabledArrows & ESB_DISABLE_BOTH) != ESB_DISABLE_BOTH;
    if (!Scrollable(s) || !enabled || trackLen < 8)
        return p;
    int range = s.max - s.min + 1;
    int thumb = s.page ? (int)((int64_t)trackLen * s.page / range) : GetSystemMetrics(SM_CYVTHUMB);
    thumb = std::max(thumb, 8);
    thumb = std::min(thumb, trackLen);
    int pos = trackPosOverride != INT_MIN ? trackPosOverride : s.pos;
    int posRange = PosRange(s);
    int offset = posRange > 0 ? (int)((int64_t)(pos - s.min) * (trackLen - thumb) / posRange) : 0;
    p.thumbLength = thumb;
    p.thumb = span(p.trackStart + offset, p.trackStart + offset + thumb);
    return p;
}

int ScrollPosFromThumb(HWND hwnd, int bar, const ScrollBarParts& parts, int along)
{
    ScrollBarState s;
    if (!ScrollBarInfo(hwnd, bar, &s))
        return 0;
    int room = parts.trackEnd - parts.trackStart - parts.thumbLength;
    int posRange = PosRange(s);
    if (room <= 0 || posRange <= 0)
        return s.min;
    int offset = std::max(0, std::min(along - parts.trackStart, room));
    int pos = s.min + (int)(((int64_t)offset * posRange + room / 2) / room);
    return std::max(s.min, std::min(pos, MaxPos(s)));
}

namespace {

bool Inside(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

enum class Part { None, Arrow1, Arrow2, Page1, Page2, Thumb };

Part PartAt(const ScrollBarParts& parts, POINT p)
{
    if (Inside(parts.arrow1, p))
        return Part::Arrow1;
    if (Inside(parts.arrow2, p))
        return Part::Arrow2;
    if (RectSet::IsEmptyRect(parts.thumb) || !Inside(parts.bar, p))
        return Part::None;
    if (Inside(parts.thumb, p))
        return Part::Thumb;
    int along = parts.vertical ? p.y : p.x;
    int thumbStart = parts.vertical ? parts.thumb.top : parts.thumb.left;
    return along < thumbStart ? Part::Page1 : Part::Page2;
}

WORD CodeOf(Part part)
{
    switch (part) {
    case Part::Arrow1: return SB_LINEUP;
    case Part::Arrow2: return SB_LINEDOWN;
    case Part::Page1: return SB_PAGEUP;
    case Part::Page2: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
    }
}

}  // namespace

// The user holds the left button on a window scroll bar: arrows and page areas
// repeat while held, the thumb follows the pointer with SB_THUMBTRACK.
void TrackScrollBar(HWND hwnd, int bar, POINT screen)
{
    FrameLayout L = LayOutFrame(hwnd);
    RECT barRect = bar == SB_VERT ? L.vscroll : L.hscroll;
    UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    ScrollBarParts parts = LayOutScrollBar(hwnd, bar, barRect);
    Part part = PartAt(parts, screen);
    if (part == Part::None)
        return;
    ScrollBarState s;
    ScrollBarInfo(hwnd, bar, &s);
    if ((part == Part::Arrow1 && (s.disabledArrows & ESB_DISABLE_LTUP)) ||
        (part == Part::Arrow2 && (s.disabledArrows & ESB_DISABLE_RTDN)))
        return;
    SetCapture(hwnd);
    int grab = part == Part::Thumb ? ((parts.vertical ? screen.y : screen.x) -
                                      (parts.vertical ? parts.thumb.top : parts.thumb.left))
                                   : 0;
    int trackPos = s.pos;
    if (part == Part::Thumb) {
        SetScrollTrackPos(hwnd, bar, trackPos);
    } else {
        SendMessage(hwnd, msg, MAKEWPARAM(CodeOf(part), 0), 0);
    }
    UINT_PTR repeat = part == Part::Thumb ? 0 : SetTimer(nullptr, 0, 400, nullptr);
    bool first = true;
    POINT pointer = screen;
    MSG m;
    while (GetCapture() == hwnd) {
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP)
            break;
        if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
            pointer = m.pt;
            if (part == Part::Thumb) {
                int along = (parts.vertical ? pointer.y : pointer.x) - grab;
                int pos = ScrollPosFromThumb(hwnd, bar, parts, along);
                if (pos != trackPos) {
                    trackPos = pos;
                    SetScrollTrackPos(hwnd, bar, trackPos);
                    SendMessage(hwnd, msg, MAKEWPARAM(SB_THUMBTRACK, (WORD)trackPos), 0);
                }
            }
            continue;
        }
        if (m.message == WM_TIMER && m.hwnd == nullptr && m.wParam == repeat && repeat) {
            if (first) {
                first = false;
                repeat = SetTimer(nullptr, repeat, 50, nullptr);
            }
            // Repeats only while the pointer stays on the part; pages stop at the pointer.
            ScrollBarParts now = LayOutScrollBar(hwnd, bar, barRect);
            if (PartAt(now, pointer) == part)
                SendMessage(hwnd, msg, MAKEWPARAM(CodeOf(part), 0), 0);
            continue;
        }
        if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE)
            break;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    if (repeat)
        KillTimer(nullptr, repeat);
    if (part == Part::Thumb)
        SendMessage(hwnd, msg, MAKEWPARAM(SB_THUMBPOSITION, (WORD)trackPos), 0);
    SendMessage(hwnd, msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    ScrollBarState after;
    if (ScrollBarInfo(hwnd, bar, &after))
        SetScrollTrackPos(hwnd, bar, after.pos);
}

}  // namespace mivo
