// The "msctls_trackbar32" class: a thumb moved along a channel over a range,
// with tic marks; reports to its parent with WM_HSCROLL (WM_VSCROLL when
// vertical) and takes its background from the parent's WM_CTLCOLORSTATIC.
#include "controls/BuiltinClasses.h"
#include "controls/Trackbar.h"

namespace mivo {

namespace {

const UINT_PTR kRepeatTimer = 1;
const UINT kRepeatDelayMs = 300;
const UINT kRepeatRateMs = 100;

void Notify(HWND hwnd, int code, int position = 0)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    UINT msg = Vertical(StyleOf(hwnd)) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(code, (WORD)position), (LPARAM)hwnd);
}

// ---------------------------------------------------------------- behaviour

void Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, FALSE);
}

void MoveTo(HWND hwnd, TrackbarState& tb, int value)
{
    int next = tb.Clamp(value);
    if (next == tb.pos)
        return;
    tb.pos = next;
    Redraw(hwnd);
}

bool PointInRect(const RECT& r, POINT pt)
{
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

int Along(HWND hwnd, POINT pt)
{
    return Vertical(StyleOf(hwnd)) ? pt.y : pt.x;
}

// One page step toward the held point; false once the thumb has reached it.
bool PageStep(HWND hwnd, TrackbarState& tb)
{
    TrackGeometry g = MeasureTrackbar(hwnd, tb, tb.pos);
    if (PointInRect(g.thumb, tb.pagingPoint))
        return false;
    int at = Along(hwnd, tb.pagingPoint);
    int thumbAt = PixelOf(hwnd, tb, tb.pos);
    if ((tb.pagingCode == TB_PAGEUP && at >= thumbAt) || (tb.pagingCode == TB_PAGEDOWN && at <= thumbAt))
        return false;
    MoveTo(hwnd, tb, tb.pos + (tb.pagingCode == TB_PAGEUP ? -tb.PageSize() : tb.PageSize()));
    Notify(hwnd, tb.pagingCode);
    return true;
}

void ButtonDown(HWND hwnd, TrackbarState& tb, POINT pt)
{
    if (!(StyleOf(hwnd) & WS_DISABLED) && GetFocus() != hwnd)
        SetFocus(hwnd);
    TrackGeometry g = MeasureTrackbar(hwnd, tb, tb.pos);
    SetCapture(hwnd);
    if (!(StyleOf(hwnd) & TBS_NOTHUMB) && PointInRect(g.thumb, pt)) {
        tb.dragging = true;
        tb.grabOffset = Along(hwnd, pt) - PixelOf(hwnd, tb, tb.pos);
        Redraw(hwnd);
        return;
    }
    tb.pagingCode = Along(hwnd, pt) < PixelOf(hwnd, tb, tb.pos) ? TB_PAGEUP : TB_PAGEDOWN;
    tb.pagingPoint = pt;
    PageStep(hwnd, tb);
    SetTimer(hwnd, kRepeatTimer, kRepeatDelayMs, nullptr);
}

void MouseMove(HWND hwnd, TrackbarState& tb, POINT pt)
{
    if (tb.pagingCode >= 0) {
        tb.pagingPoint = pt;
        return;
    }
    if (!tb.dragging)
        return;
    int value = ValueAt(hwnd, tb, Along(hwnd, pt) - tb.grabOffset);
    if (value == tb.pos)
        return;
    MoveTo(hwnd, tb, value);
    Notify(hwnd, TB_THUMBTRACK, tb.pos);
}

// Ends a drag or a held page click: the final position, then the end code.
void EndTracking(HWND hwnd, TrackbarState& tb)
{
    bool wasDragging = tb.dragging, wasPaging = tb.pagingCode >= 0;
    tb.dragging = false;
    tb.pagingCode = -1;
    KillTimer(hwnd, kRepeatTimer);
    if (wasDragging) {
        Redraw(hwnd);
        Notify(hwnd, TB_THUMBPOSITION, tb.pos);
    }
    if (wasDragging || wasPaging)
        Notify(hwnd, TB_ENDTRACK);
}

void ButtonUp(HWND hwnd, TrackbarState& tb)
{
    if (GetCapture() == hwnd)
        ReleaseCapture();  // WM_CAPTURECHANGED ends the tracking
    EndTracking(hwnd, tb);
}

int KeyCode(HWND hwnd, UINT vk)
{
    bool downIsLeft = (StyleOf(hwnd) & TBS_DOWNISLEFT) != 0;
    switch (vk) {
    case VK_LEFT:
    case VK_UP: return TB_LINEUP;
    case VK_RIGHT:
    case VK_DOWN: return TB_LINEDOWN;
    case VK_PRIOR: return downIsLeft ? TB_PAGEDOWN : TB_PAGEUP;
    case VK_NEXT: return downIsLeft ? TB_PAGEUP : TB_PAGEDOWN;
    case VK_HOME: return TB_TOP;
    case VK_END: return TB_BOTTOM;
    }
    return -1;
}

bool KeyDown(HWND hwnd, TrackbarState& tb, UINT vk)
{
    int code = KeyCode(hwnd, vk);
    if (code < 0)
        return false;
    int target = tb.pos;
    switch (code) {
    case TB_LINEUP: target -= tb.line; break;
    case TB_LINEDOWN: target += tb.line; break;
    case TB_PAGEUP: target -= tb.PageSize(); break;
    case TB_PAGEDOWN: target += tb.PageSize(); break;
    case TB_TOP: target = tb.min; break;
    case TB_BOTTOM: target = tb.max; break;
    }
    MoveTo(hwnd, tb, target);
    tb.keyCode = code;
    Notify(hwnd, code);
    return true;
}

void SetRange(HWND hwnd, TrackbarState& tb, int min, int max, bool redraw)
{
    tb.min = min;
    tb.max = std::max(min, max);
    tb.pos = tb.Clamp(tb.pos);
    if (redraw)
        Redraw(hwnd);
}

LRESULT Handle(HWND hwnd, TrackbarState& tb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD style = StyleOf(hwnd);
    switch (msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return PaintMessage(hwnd, msg, wParam, [&](HDC hdc) { PaintTrackbar(hwnd, tb, hdc); });
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        Redraw(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        ButtonDown(hwnd, tb, PointFromLParam(lParam));
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(hwnd, tb, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(hwnd, tb);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != hwnd)
            EndTracking(hwnd, tb);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer && tb.pagingCode >= 0) {
            SetTimer(hwnd, kRepeatTimer, kRepeatRateMs, nullptr);
            if (!PageStep(hwnd, tb))
                KillTimer(hwnd, kRepeatTimer);
        }
        return 0;
    case WM_KEYDOWN:
        if (KeyDown(hwnd, tb, (UINT)wParam))
            return 0;
        break;
    case WM_KEYUP:
        if (tb.keyCode >= 0 && KeyCode(hwnd, (UINT)wParam) >= 0) {
            tb.keyCode = -1;
            Notify(hwnd, TB_ENDTRACK);
            return 0;
        }
        break;
    case TBM_GETPOS:
        return tb.pos;
    case TBM_GETRANGEMIN:
        return tb.min;
    case TBM_GETRANGEMAX:
        return tb.max;
    case TBM_SETPOS:
        tb.pos = tb.Clamp((int)lParam);
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_SETRANGE:
        SetRange(hwnd, tb, (short)LOWORD(lParam), (short)HIWORD(lParam), wParam != 0);
        return 0;
    case TBM_SETRANGEMIN:
        SetRange(hwnd, tb, (int)lParam, std::max((int)lParam, tb.max), wParam != 0);
        return 0;
    case TBM_SETRANGEMAX:
        SetRange(hwnd, tb, std::min(tb.min, (int)lParam), (int)lParam, wParam != 0);
        return 0;
    case TBM_SETTIC:
        if ((int)lParam < tb.min || (int)lParam > tb.max)
            return FALSE;
        tb.customTics.push_back((int)lParam);
        Redraw(hwnd);
        return TRUE;
    case TBM_CLEARTICS:
        tb.customTics.clear();
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_SETTICFREQ:
        tb.ticFreq = std::max(1, (int)wParam);
        Redraw(hwnd);
        return 0;
    case TBM_GETNUMTICS:
        return (style & TBS_NOTICKS) ? 0 : (LRESULT)tb.InteriorTics(style).size() + 2;
    case TBM_GETTIC: {
        const std::vector<int>& tics = tb.InteriorTics(style);
        return wParam < tics.size() ? tics[wParam] : -1;
    }
    case TBM_GETTICPOS: {
        const std::vector<int>& tics = tb.InteriorTics(style);
        return wParam < tics.size() ? PixelOf(hwnd, tb, tics[wParam]) : -1;
    }
    case TBM_GETPTICS: {
        const std::vector<int>& tics = tb.InteriorTics(style);
        return tics.empty() ? 0 : (LRESULT)tics.data();
    }
    case TBM_SETSEL:
        tb.selStart = (short)LOWORD(lParam);
        tb.selEnd = (short)HIWORD(lParam);
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_SETSELSTART:
        tb.selStart = (int)lParam;
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_SETSELEND:
        tb.selEnd = (int)lParam;
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_GETSELSTART:
        return tb.selStart;
    case TBM_GETSELEND:
        return tb.selEnd;
    case TBM_CLEARSEL:
        tb.selStart = tb.selEnd = 0;
        if (wParam)
            Redraw(hwnd);
        return 0;
    case TBM_SETPAGESIZE: {
        int old = tb.PageSize();
        tb.page = std::max(0, (int)lParam);
        return old;
    }
    case TBM_GETPAGESIZE:
        return tb.PageSize();
    case TBM_SETLINESIZE: {
        int old = tb.line;
        tb.line = std::max(0, (int)lParam);
        return old;
    }
    case TBM_GETLINESIZE:
        return tb.line;
    case TBM_GETTHUMBRECT:
        if (lParam)
            *(RECT*)lParam = MeasureTrackbar(hwnd, tb, tb.pos).thumb;
        return 0;
    case TBM_GETCHANNELRECT:
        if (lParam)
            *(RECT*)lParam = MeasureTrackbar(hwnd, tb, tb.pos).channel;
        return 0;
    case TBM_SETTHUMBLENGTH:
        if (style & TBS_FIXEDLENGTH) {
            tb.thumbLength = std::max(4, (int)wParam);
            Redraw(hwnd);
        }
        return 0;
    case TBM_GETTHUMBLENGTH:
        return MeasureTrackbar(hwnd, tb, tb.pos).thumbBreadth;
    case TBM_SETBUDDY: {
        HWND& slot = tb.buddies[wParam ? 0 : 1];
        HWND old = slot;
        slot = (HWND)lParam;
        return (LRESULT)old;
    }
    case TBM_GETBUDDY:
        return (LRESULT)tb.buddies[wParam ? 0 : 1];
    case TBM_SETTOOLTIPS:
    case TBM_SETTIPSIDE:
        return 0;
    case TBM_GETTOOLTIPS:
        return 0;
    }
    return ControlDefault(hwnd, msg, wParam, lParam);
}

}  // namespace

const WNDPROC TrackBarProc = ControlWindow<TrackbarState>::Procedure<Handle>;

}  // namespace mivo
