// Trackbar geometry and drawing: the channel, tics on either side and the
// classic thumb, pointed toward the tics when they are on one side only.
#include "controls/Trackbar.h"

namespace mivo {

namespace {

const int kTicLength = 4;
const int kTicGap = 2;
const int kChannelBreadth = 4;
const int kSelectionChannelBreadth = 10;  // room inside the edges to show the selection

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


}  // namespace

TrackGeometry MeasureTrackbar(HWND hwnd, const TrackbarState& tb, int position)
{
    DWORD style = StyleOf(hwnd);
    bool vertical = Vertical(style);
    RECT rc = ClientRect(hwnd);
    int length = vertical ? rc.bottom : rc.right;
    int breadth = vertical ? rc.right : rc.bottom;
    TrackGeometry g;
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
        centre += (int)(((long long)(g.last - g.first) * ((long long)position - tb.min) + span / 2) / span);
    int u0 = centre - g.thumbWidth / 2;
    g.thumb = MakeRect(vertical, u0, v0, u0 + g.thumbWidth, v0 + g.thumbBreadth);
    return g;
}

int PixelOf(HWND hwnd, const TrackbarState& tb, int value)
{
    TrackGeometry g = MeasureTrackbar(hwnd, tb, value);
    RECT t = g.thumb;
    return Vertical(StyleOf(hwnd)) ? (t.top + t.bottom) / 2 : (t.left + t.right) / 2;
}

int ValueAt(HWND hwnd, const TrackbarState& tb, int pixel)
{
    TrackGeometry g = MeasureTrackbar(hwnd, tb, tb.pos);
    long long span = (long long)tb.max - tb.min;
    int range = g.last - g.first;
    if (range <= 0 || span <= 0)
        return tb.min;
    long long offset = std::max(0, std::min(pixel - g.first, range));
    return tb.Clamp((int)(tb.min + (offset * span + range / 2) / range));
}

namespace {

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
void PaintPointedThumb(HDC hdc, const TrackGeometry& g, bool vertical, bool tipBefore, bool pressed)
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

void PaintTics(HWND hwnd, TrackbarState& tb, HDC hdc, const TrackGeometry& g, DWORD style)
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

}  // namespace

void PaintTrackbar(HWND hwnd, TrackbarState& tb, HDC hdc)
{
    DWORD style = StyleOf(hwnd);
    bool vertical = Vertical(style);
    RECT rc = ClientRect(hwnd);
    HBRUSH back = ControlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
    if (back)
        FillRect(hdc, &rc, back);
    TrackGeometry g = MeasureTrackbar(hwnd, tb, tb.pos);
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

}  // namespace mivo
