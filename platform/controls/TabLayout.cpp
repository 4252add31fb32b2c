// Tab control layout and drawing: tabs in rows with the selected one raised
// and joined to the display area's frame.
#include "controls/Tab.h"

#include <algorithm>

namespace mivo {

namespace {

const int kMargin = 2;     // left of the first tab, above the row
const int kSelectedRise = 2;

int TabsBottom(const TabState& tc)
{
    return kMargin + tc.rows * tc.tabHeight;
}


void Line(HDC hdc, int x0, int y0, int x1, int y1, int sysColor)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysColor));
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void PaintTab(HWND hwnd, const TabState& tc, HDC hdc, int index)
{
    const TabItem& item = tc.items[(size_t)index];
    bool selected = index == tc.current;
    RECT r = item.rect;
    if (selected)
        InflateRect(&r, kSelectedRise, 0), r.top -= kSelectedRise, r.bottom += 1;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
    if (StyleOf(hwnd) & TCS_BUTTONS) {
        DrawEdge(hdc, &r, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else {
        // Rounded top corners, light on the left and top, shadow on the right.
        Line(hdc, r.left, r.bottom - 1, r.left, r.top + 2, COLOR_3DHILIGHT);
        Line(hdc, r.left, r.top + 2, r.left + 2, r.top, COLOR_3DHILIGHT);
        Line(hdc, r.left + 2, r.top, r.right - 2, r.top, COLOR_3DHILIGHT);
        Line(hdc, r.right - 2, r.top + 1, r.right - 2, r.bottom, COLOR_3DSHADOW);
        Line(hdc, r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_3DDKSHADOW);
        Line(hdc, r.right - 1, r.top + 2, r.right - 1, r.bottom, COLOR_3DDKSHADOW);
    }
    RECT text = item.rect;
    if (selected)
        OffsetRect(&text, 0, -1);
    // The image stands left of the text, which centres in the room after it.
    int cx = 0, cy = 0;
    if (tc.images && item.image >= 0 && ImageList_GetIconSize(tc.images, &cx, &cy)) {
        int x = text.left + tc.padding.cx;
        ImageList_Draw(tc.images, item.image, hdc, x, (text.top + text.bottom - cy) / 2, ILD_TRANSPARENT);
        text.left = x + cx;
    }
    int mode = SetBkMode(hdc, TRANSPARENT);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    SetTextColor(hdc, GetSysColor((item.state & TCIS_HIGHLIGHTED) ? COLOR_HIGHLIGHT
                                  : enabled                       ? COLOR_BTNTEXT
                                                                  : COLOR_GRAYTEXT));
    DrawText(hdc, item.text.c_str(), (int)item.text.size(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(hdc, mode);
    if (selected && GetFocus() == hwnd && !(StyleOf(hwnd) & TCS_FOCUSNEVER)) {
        RECT focus = item.rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

}  // namespace

void LayoutTabs(HWND hwnd, TabState& tc)
{
    DWORD style = StyleOf(hwnd);
    RECT rc = ClientRect(hwnd);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(hwnd));
    TEXTMETRICA tm = {};
    GetTextMetrics(dc, &tm);
    int iconSize = 0, iconHeight = 0;
    if (tc.images)
        ImageList_GetIconSize(tc.images, &iconSize, &iconHeight);
    tc.tabHeight =
        tc.fixedSize.cy > 0 ? tc.fixedSize.cy : std::max((int)tm.tmHeight, iconHeight) + 2 * tc.padding.cy + 2;
    int x = kMargin, row = 0;
    for (TabItem& item : tc.items) {
        int w;
        if ((style & TCS_FIXEDWIDTH) && tc.fixedSize.cx > 0) {
            w = tc.fixedSize.cx;
        } else {
            w = TextWidth(dc, item.text.c_str(), (int)item.text.size()) + 2 * tc.padding.cx;
            if (tc.images && item.image >= 0)
                w += iconSize + tc.padding.cx;
            w = std::max(w, tc.minTabWidth >= 0 ? tc.minTabWidth : 2 * tc.padding.cx + 8);
        }
        if ((style & TCS_MULTILINE) && x > kMargin && x + w > rc.right - kMargin) {
            x = kMargin;
            ++row;
        }
        item.row = row;
        item.rect = RECT{x, 0, x + w, 0};
        x += w;
    }
    tc.rows = row + 1;
    // Row 0 sits next to the display area; later rows stack above it.
    for (TabItem& item : tc.items) {
        int top = kMargin + (tc.rows - 1 - item.row) * tc.tabHeight;
        item.rect.top = top;
        item.rect.bottom = top + tc.tabHeight;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

// Window rectangle to display area (or back, when larger).
void AdjustTabRect(const TabState& tc, bool larger, RECT* r)
{
    int top = TabsBottom(tc) + 2;
    if (larger) {
        r->left -= kMargin;
        r->right += kMargin;
        r->top -= top;
        r->bottom += kMargin;
    } else {
        r->left += kMargin;
        r->right -= kMargin;
        r->top += top;
        r->bottom -= kMargin;
    }
}

void PaintTabs(HWND hwnd, TabState& tc, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DFACE));
    RECT display = rc;
    display.top = TabsBottom(tc);
    if (!(StyleOf(hwnd) & TCS_BUTTONS))
        DrawEdge(hdc, &display, EDGE_RAISED, BF_RECT | BF_SOFT);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    for (int i = 0; i < (int)tc.items.size(); ++i)
        if (i != tc.current)
            PaintTab(hwnd, tc, hdc, i);
    if (tc.Valid(tc.current))
        PaintTab(hwnd, tc, hdc, tc.current);
    SelectObject(hdc, oldFont);
}

int TabHitTest(const TabState& tc, POINT pt, UINT* flags)
{
    for (size_t i = 0; i < tc.items.size(); ++i) {
        const RECT& r = tc.items[i].rect;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom) {
            if (flags)
                *flags = TCHT_ONITEMLABEL;
            return (int)i;
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

}  // namespace mivo
