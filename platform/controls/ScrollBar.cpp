// The "ScrollBar" class: a scroll bar control that reports to its parent with
// WM_HSCROLL or WM_VSCROLL; also the size box styles.
#include "controls/BuiltinClasses.h"
#include "controls/ControlsInternal.h"
#include "win32/cursors.h"

#include <algorithm>

namespace mivo {

namespace {

const UINT_PTR kRepeatTimer = 1;
const UINT_PTR kBlinkTimer = 2;  // a focused bar blinks its thumb at the caret's rate

enum class Part { None, ArrowBack, PageBack, Thumb, PageForward, ArrowForward };

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = 0;
    Part pressed = Part::None;
    bool pressedInside = false;
    int grabOffset = 0;  // where on the thumb the mouse holds it
    bool keyScrolling = false;
    bool focused = false;
    bool thumbBlinkedOff = false;  // the focus cue: the thumb shows inverted
};

bool Vertical(HWND hwnd)
{
    return (StyleOf(hwnd) & SBS_VERT) != 0;
}

bool SizeBox(HWND hwnd)
{
    return (StyleOf(hwnd) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

int MaxPos(const ScrollBarState& st)
{
    int top = st.max - (st.page ? (int)st.page - 1 : 0);
    return std::max(st.min, top);
}

int Clamp(const ScrollBarState& st, int pos)
{
    return std::max(st.min, std::min(pos, MaxPos(st)));
}

// The bar's geometry along its length: arrows, then the track with the thumb.
struct Layout {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbSize = 0;
    bool thumb = false;
};

Layout Measure(HWND hwnd, const ScrollBarState& st)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    Layout l;
    bool vert = Vertical(hwnd);
    l.length = vert ? rc.bottom : rc.right;
    int breadth = vert ? rc.right : rc.bottom;
    l.arrow = std::min(vert ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL), l.length / 2);
    (void)breadth;
    int track = l.length - 2 * l.arrow;
    int range = st.max - st.min + 1;
    if (track < 8 || range <= 1 || !IsWindowEnabled(hwnd) || (st.page && (int)st.page >= range))
        return l;
    int size = st.page ? (int)((long long)track * st.page / range) : GetSystemMetrics(SM_CXHTHUMB);
    size = std::max(8, std::min(size, track));
    int span = MaxPos(st) - st.min;
    int pos = st.pressed == Part::Thumb ? st.trackPos : st.pos;
    l.thumbSize = size;
    l.thumbStart = l.arrow + (span > 0 ? (int)((long long)(track - size) * (pos - st.min) / span) : 0);
    l.thumb = true;
    return l;
}

RECT PartRect(HWND hwnd, int from, int to)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (Vertical(hwnd))
        return RECT{rc.left, from, rc.right, to};
    return RECT{from, rc.top, to, rc.bottom};
}

Part PartAt(HWND hwnd, const ScrollBarState& st, POINT pt)
{
    Layout l = Measure(hwnd, st);
    int v = Vertical(hwnd) ? pt.y : pt.x;
    if (v < 0 || v >= l.length)
        return Part::None;
    if (v < l.arrow)
        return Part::ArrowBack;
    if (v >= l.length - l.arrow)
        return Part::ArrowForward;
    if (!l.thumb)
        return Part::None;
    if (v < l.thumbStart)
        return Part::PageBack;
    if (v >= l.thumbStart + l.thumbSize)
        return Part::PageForward;
    return Part::Thumb;
}

void Report(HWND hwnd, int code, int pos = 0)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    UINT msg = Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(code, (WORD)pos), (LPARAM)hwnd);
}

int CodeOf(Part part)
{
    switch (part) {
    case Part::ArrowBack: return SB_LINEUP;
    case Part::ArrowForward: return SB_LINEDOWN;
    case Part::PageBack: return SB_PAGEUP;
    case Part::PageForward: return SB_PAGEDOWN;
    default: return -1;
    }
}

bool ArrowDisabled(const ScrollBarState& st, Part part)
{
    if (part == Part::ArrowBack)
        return (st.disabledArrows & ESB_DISABLE_LTUP) != 0;
    if (part == Part::ArrowForward)
        return (st.disabledArrows & ESB_DISABLE_RTDN) != 0;
    return false;
}

void Paint(HWND hwnd, ScrollBarState& st, HDC hdc)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (SizeBox(hwnd)) {
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DFACE));
        if (StyleOf(hwnd) & SBS_SIZEGRIP)
            DrawFrameControl(hdc, &rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    bool vert = Vertical(hwnd);
    bool disabled = !IsWindowEnabled(hwnd);
    Layout l = Measure(hwnd, st);
    HBRUSH track = ControlColor(hwnd, hdc, WM_CTLCOLORSCROLLBAR);
    RECT back = PartRect(hwnd, 0, l.arrow);
    RECT forward = PartRect(hwnd, l.length - l.arrow, l.length);
    UINT backKind = vert ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
    UINT forwardKind = vert ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
    bool pressedInside = st.pressedInside;
    DrawFrameControl(hdc, &back, DFC_SCROLL,
                     backKind | ((st.pressed == Part::ArrowBack && pressedInside) ? DFCS_PUSHED | DFCS_FLAT : 0) |
                         ((disabled || ArrowDisabled(st, Part::ArrowBack)) ? DFCS_INACTIVE : 0));
    DrawFrameControl(hdc, &forward, DFC_SCROLL,
                     forwardKind | ((st.pressed == Part::ArrowForward && pressedInside) ? DFCS_PUSHED | DFCS_FLAT : 0) |
                         ((disabled || ArrowDisabled(st, Part::ArrowForward)) ? DFCS_INACTIVE : 0));
    RECT middle = PartRect(hwnd, l.arrow, l.length - l.arrow);
    if (track)
        FillRect(hdc, &middle, track);
    if (!l.thumb)
        return;
    if (pressedInside && (st.pressed == Part::PageBack || st.pressed == Part::PageForward)) {
        RECT page = st.pressed == Part::PageBack ? PartRect(hwnd, l.arrow, l.thumbStart)
                                                 : PartRect(hwnd, l.thumbStart + l.thumbSize, l.length - l.arrow);
        FillRect(hdc, &page, GetSysColorBrush(COLOR_3DDKSHADOW));
    }
    RECT thumb = PartRect(hwnd, l.thumbStart, l.thumbStart + l.thumbSize);
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (st.focused && st.thumbBlinkedOff)
        InvertRect(hdc, &thumb);
}

void Focus(HWND hwnd, ScrollBarState& st, bool focused)
{
    st.focused = focused;
    st.thumbBlinkedOff = false;
    if (focused)
        SetTimer(hwnd, kBlinkTimer, GetCaretBlinkTime(), nullptr);
    else
        KillTimer(hwnd, kBlinkTimer);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Blink(HWND hwnd, ScrollBarState& st)
{
    if (!st.focused)
        return;
    st.thumbBlinkedOff = !st.thumbBlinkedOff;
    InvalidateRect(hwnd, nullptr, FALSE);
}

int PosFromThumb(HWND hwnd, const ScrollBarState& st, int thumbStart)
{
    Layout l = Measure(hwnd, st);
    int track = l.length - 2 * l.arrow - l.thumbSize;
    int span = MaxPos(st) - st.min;
    if (track <= 0 || span <= 0)
        return st.min;
    int offset = std::max(0, std::min(thumbStart - l.arrow, track));
    return st.min + (int)(((long long)offset * span + track / 2) / track);
}

void SetInfo(HWND hwnd, ScrollBarState& st, const SCROLLINFO& si, bool redraw)
{
    if (si.fMask & SIF_RANGE) {
        st.min = si.nMin;
        st.max = std::max(si.nMin, si.nMax);
    }
    if (si.fMask & SIF_PAGE)
        st.page = std::min<UINT>(si.nPage, (UINT)(st.max - st.min + 1));
    if (si.fMask & SIF_POS)
        st.pos = si.nPos;
    st.pos = Clamp(st, st.pos);
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void GetInfo(const ScrollBarState& st, SCROLLINFO& si)
{
    if (si.fMask & SIF_RANGE) {
        si.nMin = st.min;
        si.nMax = st.max;
    }
    if (si.fMask & SIF_PAGE)
        si.nPage = st.page;
    if (si.fMask & SIF_POS)
        si.nPos = st.pos;
    if (si.fMask & SIF_TRACKPOS)
        si.nTrackPos = st.pressed == Part::Thumb ? st.trackPos : st.pos;
}

void MouseDown(HWND hwnd, ScrollBarState& st, POINT pt)
{
    if (SizeBox(hwnd))
        return;
    if ((StyleOf(hwnd) & WS_TABSTOP) && GetFocus() != hwnd)
        SetFocus(hwnd);
    Part part = PartAt(hwnd, st, pt);
    if (part == Part::None || ArrowDisabled(st, part))
        return;
    st.pressed = part;
    st.pressedInside = true;
    SetCapture(hwnd);
    if (part == Part::Thumb) {
        Layout l = Measure(hwnd, st);
        st.trackPos = st.pos;
        st.grabOffset = (Vertical(hwnd) ? pt.y : pt.x) - l.thumbStart;
    } else {
        Report(hwnd, CodeOf(part));
        SetTimer(hwnd, kRepeatTimer, 400, nullptr);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void MouseMove(HWND hwnd, ScrollBarState& st, POINT pt)
{
    if (st.pressed == Part::None || GetCapture() != hwnd)
        return;
    if (st.pressed == Part::Thumb) {
        int pos = PosFromThumb(hwnd, st, (Vertical(hwnd) ? pt.y : pt.x) - st.grabOffset);
        if (pos != st.trackPos) {
            st.trackPos = pos;
            InvalidateRect(hwnd, nullptr, FALSE);
            Report(hwnd, SB_THUMBTRACK, pos);
        }
        return;
    }
    bool inside = PartAt(hwnd, st, pt) == st.pressed;
    if (inside != st.pressedInside) {
        st.pressedInside = inside;
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

void MouseUp(HWND hwnd, ScrollBarState& st)
{
    if (st.pressed == Part::None)
        return;
    Part part = st.pressed;
    st.pressed = Part::None;
    KillTimer(hwnd, kRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    InvalidateRect(hwnd, nullptr, FALSE);
    if (part == Part::Thumb)
        Report(hwnd, SB_THUMBPOSITION, st.trackPos);
    if (IsWindow(hwnd))
        Report(hwnd, SB_ENDSCROLL);
}

void Repeat(HWND hwnd, ScrollBarState& st)
{
    if (st.pressed == Part::None || st.pressed == Part::Thumb) {
        KillTimer(hwnd, kRepeatTimer);
        return;
    }
    SetTimer(hwnd, kRepeatTimer, 50, nullptr);
    if (!st.pressedInside)
        return;
    if (st.pressed == Part::PageBack || st.pressed == Part::PageForward) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd, &pt);
        if (PartAt(hwnd, st, pt) != st.pressed)
            return;  // the thumb reached the mouse
    }
    Report(hwnd, CodeOf(st.pressed));
}

void KeyDown(HWND hwnd, ScrollBarState& st, WPARAM vk)
{
    int code = -1;
    bool vert = Vertical(hwnd);
    switch (vk) {
    case VK_UP: code = vert ? SB_LINEUP : -1; break;
    case VK_DOWN: code = vert ? SB_LINEDOWN : -1; break;
    case VK_LEFT: code = vert ? -1 : SB_LINELEFT; break;
    case VK_RIGHT: code = vert ? -1 : SB_LINERIGHT; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    }
    if (code < 0)
        return;
    st.keyScrolling = true;
    Report(hwnd, code);
}

LRESULT Handle(HWND hwnd, ScrollBarState& st, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { Paint(hwnd, st, hdc); });
    case WM_ENABLE:
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(hwnd, st, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(hwnd, st, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        MouseUp(hwnd, st);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != hwnd && st.pressed != Part::None)
            MouseUp(hwnd, st);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer)
            Repeat(hwnd, st);
        else if (wParam == kBlinkTimer)
            Blink(hwnd, st);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (!SizeBox(hwnd))
            Focus(hwnd, st, msg == WM_SETFOCUS);
        return 0;
    case WM_KEYDOWN:
        KeyDown(hwnd, st, wParam);
        return 0;
    case WM_KEYUP:
        if (st.keyScrolling) {
            st.keyScrolling = false;
            Report(hwnd, SB_ENDSCROLL);
        }
        return 0;
    case SBM_SETPOS: {
        int old = st.pos;
        st.pos = Clamp(st, (int)wParam);
        if (lParam)
            InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case SBM_GETPOS:
        return st.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int old = st.pos;
        st.min = (int)wParam;
        st.max = std::max((int)wParam, (int)lParam);
        st.pos = Clamp(st, st.pos);
        if (msg == SBM_SETRANGEREDRAW)
            InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case SBM_GETRANGE:
        if (wParam)
            *(int*)wParam = st.min;
        if (lParam)
            *(int*)lParam = st.max;
        return 0;
    case SBM_ENABLE_ARROWS:
        st.disabledArrows = (UINT)wParam & ESB_DISABLE_BOTH;
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case SBM_SETSCROLLINFO:
        if (!lParam)
            return st.pos;
        SetInfo(hwnd, st, *(const SCROLLINFO*)lParam, wParam != 0);
        return st.pos;
    case SBM_GETSCROLLINFO:
        if (!lParam)
            return FALSE;
        GetInfo(st, *(SCROLLINFO*)lParam);
        return TRUE;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC ScrollBarProc = ControlWindow<ScrollBarState>::Procedure<Handle>;

}  // namespace mivo
