// The "msctls_trackbar32" class: a thumb moved along a channel over a range,
// with tic marks; reports to its parent with WM_HSCROLL (WM_VSCROLL when
// vertical) and takes its background from the parent's WM_CTLCOLORSTATIC.
#include "controls/BarsInternal.h"
#include "win32/cursors.h"

#include <algorithm>
#include <vector>

namespace mivo {

namespace {

const UINT_PTR kRepeatTimer = 1;
const UINT kRepeatDelayMs = 300;
const UINT kRepeatRateMs = 100;
const int kDefaultThumbLength = 21;
const int kTicLength = 4;
const int kTicGap = 2;
const int kChannelBreadth = 4;
const int kSelectionChannelBreadth = 10;  // room inside the edges to show the selection
const int kMaxTics = 4096;  // auto tics with a tiny frequency over a huge range

// Geometry along the bar ("u") and across it ("v"); vertical bars swap axes.
struct Geometry {
    RECT channel;
    RECT thumb;
    int thumbBreadth;  // across the bar, tip included
    int thumbWidth;    // along the bar
    int first, last;   // pixel range of the thumb's centre
};

class Trackbar {
public:
    int min = 0, max = 100, pos = 0;
    int page = -1;  // -1: a fifth of the range
    int line = 1;
    int ticFreq = 1;
    std::vector<int> customTics;
    std::vector<int> ticCache;  // what TBM_GETPTICS hands out
    int selStart = 0, selEnd = 0;
    int thumbLength = kDefaultThumbLength;
    HWND buddies[2] = {nullptr, nullptr};
    bool dragging = false;
    int grabOffset = 0;
    int pagingCode = -1;  // TB_PAGEUP/TB_PAGEDOWN while the channel is held
    POINT pagingPoint = {0, 0};
    int keyCode = -1;     // a key's scroll code until the key comes up

    int Clamp(int v) const { return std::max(min, std::min(v, max)); }
    int PageSize() const { return page >= 0 ? page : std::max(1, (max - min) / 5); }

    // Tics between the ends, sorted, without the ends themselves.
    const std::vector<int>& InteriorTics(DWORD style)
    {
        ticCache.clear();
        if (style & TBS_NOTICKS)
            return ticCache;
        for (int t : customTics)
            if (t > min && t < max)
                ticCache.push_back(t);
        if ((style & TBS_AUTOTICKS) && ticFreq > 0) {
            for (long long t = (long long)min + ticFreq; t < max && (int)ticCache.size() < kMaxTics; t += ticFreq)
                ticCache.push_back((int)t);
        }
        std::sort(ticCache.begin(), ticCache.end());
        ticCache.erase(std::unique(ticCache.begin(), ticCache.end()), ticCache.end());
        return ticCache;
    }
};

bool Vertical(DWORD style)
{
    return (style & TBS_VERT) != 0;
}

bool TicsBefore(DWORD style)
{
    return !(style & TBS_NOTICKS) && (style & (TBS_TOP | TBS_BOTH));
}

bool TicsAfter(DWORD style)
{
    return !(style & TBS_NOTICKS) && (!(style & TBS_TOP) || (style & TBS_BOTH));
}

RECT MakeRect(bool vertical, int u0, int v0, int u1, int v1)
{
    return vertical ? RECT{v0, u0, v1, u1} : RECT{u0, v0, u1, v1};
}

Geometry Measure(HWND hwnd, const Trackbar& tb, int position)
{
    DWORD style = WindowStyle(hwnd);
    bool vertical = Vertical(style);
    RECT rc = ClientRect(hwnd);
    int length = vertical ? rc.bottom : rc.right;
    int breadth = vertical ? rc.right : rc.bottom;
    Geometry g;
    int ticSpace = kTicLength + kTicGap;
    int spare = breadth - (TicsBefore(style) ? ticSpace : 0) - (TicsAfter(style) ? ticSpace : 0);
    g.thumbBreadth = std::max(4, std::min(tb.thumbLength, spare - 2));
    g.thumbWidth = g.thumbBreadth / 2 + 1;
    int total = g.thumbBreadth + (TicsBefore(style) ? ticSpace : 0) + (TicsAfter(style) ? ticSpace : 0);
    int v0 = std::max(0, (breadth - total) / 2) + (TicsBefore(style) ? ticSpace : 0);
    int margin = g.thumbWidth / 2 + 3;
    g.first = margin;
    g.last = std::max(margin, length - margin - 1);
    int mid = v0 + g.thumbBreadth / 2;
    int channel = (style & TBS_ENABLESELRANGE) ? std::min(kSelectionChannelBreadth, g.thumbBreadth - 4) : kChannelBreadth;
    g.channel = MakeRect(vertical, margin - 1, mid - channel / 2, g.last + 2, mid - channel / 2 + channel);
    long long span = (long long)tb.max - tb.min;
    int centre = g.first;
    if (span > 0)
        centre += (int)(((long long)(g.last - g.first) * (position - tb.min) + span / 2) / span);
    int u0 = centre - g.thumbWidth / 2;
    g.thumb = MakeRect(vertical, u0, v0, u0 + g.thumbWidth, v0 + g.thumbBreadth);
    return g;
}

int PixelOf(HWND hwnd, const Trackbar& tb, int value)
{
    Geometry g = Measure(hwnd, tb, value);
    RECT t = g.thumb;
    return Vertical(WindowStyle(hwnd)) ? (t.top + t.bottom) / 2 : (t.left + t.right) / 2;
}

int ValueAt(HWND hwnd, const Trackbar& tb, int pixel)
{
    Geometry g = Measure(hwnd, tb, tb.pos);
    long long span = (long long)tb.max - tb.min;
    int range = g.last - g.first;
    if (range <= 0 || span <= 0)
        return tb.min;
    long long offset = std::max(0, std::min(pixel - g.first, range));
    return tb.Clamp((int)(tb.min + (offset * span + range / 2) / range));
}

void Notify(HWND hwnd, int code, int position = 0)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    UINT msg = Vertical(WindowStyle(hwnd)) ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, msg, MAKEWPARAM(code, (WORD)position), (LPARAM)hwnd);
}

// ---------------------------------------------------------------- painting

void Segment(HDC hdc, POINT a, POINT b, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, a.x, a.y, nullptr);
    LineTo(hdc, b.x, b.y);
    SetPixel(hdc, b.x, b.y, color);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

// The classic pointed thumb: a raised body whose tip points at the tics.
void PaintPointedThumb(HDC hdc, const Geometry& g, bool vertical, bool tipBefore, bool pressed)
{
    RECT t = g.thumb;
    int u0 = vertical ? t.top : t.left, u1 = (vertical ? t.bottom : t.right) - 1;
    int v0 = vertical ? t.left : t.top, v1 = (vertical ? t.right : t.bottom) - 1;
    int uc = (u0 + u1) / 2;
    int tip = (u1 - u0) / 2 + 1;
    auto P = [&](int u, int v) {
        if (tipBefore)
            v = v0 + v1 - v;
        return vertical ? POINT{v, u} : POINT{u, v};
    };
    POINT body[5] = {P(u0, v0), P(u1, v0), P(u1, v1 - tip), P(uc, v1), P(u0, v1 - tip)};
    HBRUSH face = GetSysColorBrush(pressed ? COLOR_3DHILIGHT : COLOR_3DFACE);
    HGDIOBJ oldBrush = SelectObject(hdc, face);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
    Polygon(hdc, body, 5);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    POINT c = P(uc, (v0 + v1) / 2);
    for (int i = 0; i < 5; ++i) {
        POINT a = body[i], b = body[(i + 1) % 5];
        int mx = a.x + b.x, my = a.y + b.y;  // twice the midpoint
        bool light = mx < 2 * c.x || (mx == 2 * c.x && my < 2 * c.y);
        Segment(hdc, a, b, GetSysColor(light ? COLOR_3DHILIGHT : COLOR_3DDKSHADOW));
    }
    // The inner shadow along the far side and the far diagonal.
    Segment(hdc, P(u1 - 1, v0 + 1), P(u1 - 1, v1 - tip), GetSysColor(COLOR_3DSHADOW));
    Segment(hdc, P(u1 - 1, v1 - tip), P(uc, v1 - 1), GetSysColor(COLOR_3DSHADOW));
}

void PaintTics(HWND hwnd, Trackbar& tb, HDC hdc, const Geometry& g, DWORD style)
{
    if (style & TBS_NOTICKS)
        return;
    bool vertical = Vertical(style);
    std::vector<int> values = tb.InteriorTics(style);
    values.push_back(tb.min);
    values.push_back(tb.max);
    int v0 = vertical ? g.thumb.left : g.thumb.top;
    int v1 = vertical ? g.thumb.right : g.thumb.bottom;
    COLORREF color = GetSysColor(COLOR_BTNTEXT);
    for (int value : values) {
        int u = PixelOf(hwnd, tb, value);
        int extra = (value == tb.min || value == tb.max) ? 1 : 0;
        if (TicsAfter(style)) {
            int a = v1 + kTicGap, b = a + kTicLength - 1 + extra;
            Segment(hdc, vertical ? POINT{a, u} : POINT{u, a}, vertical ? POINT{b, u} : POINT{u, b}, color);
        }
        if (TicsBefore(style)) {
            int b = v0 - kTicGap - 1, a = b - kTicLength + 1 - extra;
            Segment(hdc, vertical ? POINT{a, u} : POINT{u, a}, vertical ? POINT{b, u} : POINT{u, b}, color);
        }
    }
}

void Paint(HWND hwnd, Trackbar& tb, HDC hdc)
{
    DWORD style = WindowStyle(hwnd);
    bool vertical = Vertical(style);
    RECT rc = ClientRect(hwnd);
    HBRUSH back = ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
    if (back)
        FillRect(hdc, &rc, back);
    Geometry g = Measure(hwnd, tb, tb.pos);
    RECT channel = g.channel;
    DrawEdge(hdc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(hdc, &channel, GetSysColorBrush(COLOR_3DHILIGHT));
    if ((style & TBS_ENABLESELRANGE) && tb.selEnd > tb.selStart) {
        RECT sel = channel;
        int a = PixelOf(hwnd, tb, tb.selStart), b = PixelOf(hwnd, tb, tb.selEnd);
        if (vertical) {
            sel.top = a;
            sel.bottom = b + 1;
        } else {
            sel.left = a;
            sel.right = b + 1;
        }
        FillRect(hdc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    PaintTics(hwnd, tb, hdc, g, style);
    if (!(style & TBS_NOTHUMB)) {
        bool pointed = !(style & (TBS_BOTH | TBS_NOTICKS));
        if (pointed) {
            PaintPointedThumb(hdc, g, vertical, (style & TBS_TOP) != 0, tb.dragging);
        } else {
            RECT thumb = g.thumb;
            DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        }
    }
    if (GetFocus() == hwnd)
        DrawFocusRect(hdc, &rc);
}

// ---------------------------------------------------------------- behaviour

void Redraw(HWND hwnd)
{
    InvalidateRect(hwnd, nullptr, FALSE);
}

void MoveTo(HWND hwnd, Trackbar& tb, int value)
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
    return Vertical(WindowStyle(hwnd)) ? pt.y : pt.x;
}

// One page step toward the held point; false once the thumb has reached it.
bool PageStep(HWND hwnd, Trackbar& tb)
{
    Geometry g = Measure(hwnd, tb, tb.pos);
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

void ButtonDown(HWND hwnd, Trackbar& tb, POINT pt)
{
    if (!(WindowStyle(hwnd) & WS_DISABLED) && GetFocus() != hwnd)
        SetFocus(hwnd);
    Geometry g = Measure(hwnd, tb, tb.pos);
    SetCapture(hwnd);
    if (!(WindowStyle(hwnd) & TBS_NOTHUMB) && PointInRect(g.thumb, pt)) {
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

void MouseMove(HWND hwnd, Trackbar& tb, POINT pt)
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
void EndTracking(HWND hwnd, Trackbar& tb)
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

void ButtonUp(HWND hwnd, Trackbar& tb)
{
    if (GetCapture() == hwnd)
        ReleaseCapture();  // WM_CAPTURECHANGED ends the tracking
    EndTracking(hwnd, tb);
}

int KeyCode(HWND hwnd, UINT vk)
{
    bool downIsLeft = (WindowStyle(hwnd) & TBS_DOWNISLEFT) != 0;
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

bool KeyDown(HWND hwnd, Trackbar& tb, UINT vk)
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

void SetRange(HWND hwnd, Trackbar& tb, int min, int max, bool redraw)
{
    tb.min = min;
    tb.max = std::max(min, max);
    tb.pos = tb.Clamp(tb.pos);
    if (redraw)
        Redraw(hwnd);
}

LRESULT HandleMessage(HWND hwnd, Trackbar& tb, UINT msg, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK TrackbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Trackbar* tb = ControlData<Trackbar>(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        SetControlData(hwnd, new Trackbar);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        SetControlData<Trackbar>(hwnd, nullptr);
        delete tb;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!tb)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return HandleMessage(hwnd, *tb, msg, wParam, lParam);
}

LRESULT HandleMessage(HWND hwnd, Trackbar& tb, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD style = WindowStyle(hwnd);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintInto(hwnd, wParam, [&](HDC hdc) { Paint(hwnd, tb, hdc); });
    case WM_PRINTCLIENT:
        Paint(hwnd, tb, (HDC)wParam);
        return 0;
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
            *(RECT*)lParam = Measure(hwnd, tb, tb.pos).thumb;
        return 0;
    case TBM_GETCHANNELRECT:
        if (lParam)
            *(RECT*)lParam = Measure(hwnd, tb, tb.pos).channel;
        return 0;
    case TBM_SETTHUMBLENGTH:
        if (style & TBS_FIXEDLENGTH) {
            tb.thumbLength = std::max(4, (int)wParam);
            Redraw(hwnd);
        }
        return 0;
    case TBM_GETTHUMBLENGTH:
        return Measure(hwnd, tb, tb.pos).thumbBreadth;
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
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct TrackbarClassRegistrar {
    TrackbarClassRegistrar() { RegisterControlClass(TRACKBAR_CLASS, TrackbarProc, CS_HREDRAW | CS_VREDRAW, IDC_ARROW); }
};

TrackbarClassRegistrar registrar;

}  // namespace

}  // namespace mivo
