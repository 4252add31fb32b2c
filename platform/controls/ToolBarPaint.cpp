// Tool bar drawing in the classic look: raised buttons (or flat ones that
// rise under the mouse), etched separators, embossed disabled images and
// drop-down arrows. Transparent bars let their parent paint behind them.
#include "controls/ToolBar.h"

#include <algorithm>

namespace mivo {

namespace {

// Toolbar strips mark their background with light grey.
const COLORREF kStripBackground = RGB(192, 192, 192);

bool Transparent(DWORD style)
{
    return (style & (TBSTYLE_TRANSPARENT | TBSTYLE_FLAT)) != 0;
}

// A transparent bar has its parent erase behind it, in the parent's coordinates.
void PaintBackground(HWND hwnd, HDC hdc, DWORD style)
{
    RECT rc = ClientRect(hwnd);
    HWND parent = GetParent(hwnd);
    if (Transparent(style) && parent) {
        POINT origin = {0, 0};
        MapWindowPoints(hwnd, parent, &origin, 1);
        int saved = SaveDC(hdc);
        IntersectClipRect(hdc, rc.left, rc.top, rc.right, rc.bottom);
        POINT old;
        OffsetViewportOrgEx(hdc, -origin.x, -origin.y, &old);
        BOOL erased = (BOOL)SendMessage(parent, WM_ERASEBKGND, (WPARAM)hdc, 0);
        RestoreDC(hdc, saved);
        if (erased)
            return;
    }
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_3DFACE));
}

void PaintDivider(HWND hwnd, HDC hdc, DWORD style)
{
    if (style & CCS_NODIVIDER)
        return;
    RECT rc = ClientRect(hwnd);
    RECT line = {rc.left, rc.top, rc.right, rc.top + 2};
    DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
}

bool FindImage(const ToolBarState& tb, int image, const ToolStrip** strip, int* offset)
{
    for (const ToolStrip& s : tb.strips) {
        if (image < s.count) {
            *strip = &s;
            *offset = image;
            return s.bitmap != nullptr;
        }
        image -= s.count;
    }
    return false;
}

// A copy of one strip image in which the button face counts as background
// too: strips loaded in the system's colours have their grey turned into it.
HBITMAP CopyStripImage(HDC hdc, HDC src, int offsetX, int w, int h, HDC work)
{
    HBITMAP copy = CreateCompatibleBitmap(hdc, w, h);
    SelectObject(work, copy);
    BitBlt(work, 0, 0, w, h, src, offsetX, 0, SRCCOPY);
    COLORREF face = GetSysColor(COLOR_3DFACE);
    if (face != kStripBackground)
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                if (GetPixel(work, px, py) == face)
                    SetPixel(work, px, py, kStripBackground);
    return copy;
}

// Draws one strip image with its grey background left out; disabled images
// are embossed: a white copy offset by one pixel under a grey one.
void DrawStripImage(const ToolBarState& tb, HDC hdc, int image, int x, int y, bool disabled)
{
    const ToolStrip* strip = nullptr;
    int offset = 0;
    if (image < 0 || !FindImage(tb, image, &strip, &offset))
        return;
    int w = tb.bitmapSize.cx, h = tb.bitmapSize.cy;
    HDC src = CreateCompatibleDC(hdc);
    HGDIOBJ oldSrc = SelectObject(src, strip->bitmap);
    HDC work = CreateCompatibleDC(hdc);
    HGDIOBJ oldWork = GetCurrentObject(work, OBJ_BITMAP);
    HBITMAP copy = CopyStripImage(hdc, src, offset * w, w, h, work);
    if (!disabled) {
        TransparentBlt(hdc, x, y, w, h, work, 0, 0, w, h, kStripBackground);
    } else {
        // Mask: 1 where the image has dark pixels (neither background nor white).
        for (int py = 0; py < h; ++py) {
            for (int px = 0; px < w; ++px) {
                COLORREF c = GetPixel(work, px, py);
                bool ink = c != kStripBackground && c != RGB(255, 255, 255);
                SetPixel(work, px, py, ink ? RGB(0, 0, 0) : kStripBackground);
            }
        }
        for (int pass = 0; pass < 2; ++pass) {
            COLORREF ink = GetSysColor(pass == 0 ? COLOR_3DHILIGHT : COLOR_3DSHADOW);
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px)
                    if (GetPixel(work, px, py) == RGB(0, 0, 0))
                        SetPixel(hdc, x + px + (pass == 0 ? 1 : 0), y + py + (pass == 0 ? 1 : 0), ink);
        }
    }
    SelectObject(work, oldWork);
    DeleteObject(copy);
    DeleteDC(work);
    SelectObject(src, oldSrc);
    DeleteDC(src);
}

// The image list for the button's look: the hot or disabled list when there
// is one, else the normal list.
HIMAGELIST ListFor(const ToolBarState& tb, const ToolButton& b, bool hot)
{
    if (!b.Enabled() && tb.imageLists[2])
        return tb.imageLists[2];
    if (hot && tb.imageLists[1])
        return tb.imageLists[1];
    return tb.imageLists[0];
}

void DrawImage(const ToolBarState& tb, HDC hdc, const ToolButton& b, int x, int y, bool hot)
{
    if (b.image == I_IMAGENONE || b.image < 0)
        return;
    HIMAGELIST list = ListFor(tb, b, hot);
    if (list) {
        ImageList_Draw(list, b.image, hdc, x, y, ILD_TRANSPARENT);
        return;
    }
    DrawStripImage(tb, hdc, b.image, x, y, !b.Enabled());
}

void DrawArrow(HDC hdc, int cx, int cy, bool enabled)
{
    COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row < 3; ++row)
        for (int x = cx - 2 + row; x <= cx + 2 - row; ++x)
            SetPixel(hdc, x, cy - 1 + row, color);
}

void FillChecked(HDC hdc, const RECT& r)
{
    // The classic dither of button face and highlight.
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + ((y ^ r.left) & 1); x < r.right; x += 2)
            SetPixel(hdc, x, y, GetSysColor(COLOR_3DHILIGHT));
}

void PaintSeparator(HDC hdc, const ToolButton& b, DWORD style, bool vertical)
{
    if (!(style & TBSTYLE_FLAT))
        return;
    RECT line = b.rect;
    if (vertical) {
        int mid = (line.top + line.bottom) / 2;
        line.top = mid - 1;
        line.bottom = mid + 1;
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
    } else {
        int mid = (line.left + line.right) / 2;
        line.left = mid - 1;
        line.right = mid + 1;
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_LEFT);
    }
}

void PaintText(HWND hwnd, const ToolButton& b, HDC hdc, RECT r, UINT format)
{
    if (b.text.empty())
        return;
    (void)hwnd;
    int mode = SetBkMode(hdc, TRANSPARENT);
    if (!b.Enabled()) {
        RECT lit = r;
        OffsetRect(&lit, 1, 1);
        SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
        DrawText(hdc, b.text.c_str(), (int)b.text.size(), &lit, format);
        SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
    } else {
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawText(hdc, b.text.c_str(), (int)b.text.size(), &r, format);
    SetBkMode(hdc, mode);
}

void PaintButton(HWND hwnd, ToolBarState& tb, HDC hdc, int index, DWORD style)
{
    ToolButton& b = tb.buttons[(size_t)index];
    bool flat = (style & TBSTYLE_FLAT) != 0;
    bool pressed = (b.state & TBSTATE_PRESSED) != 0;
    bool checked = (b.state & TBSTATE_CHECKED) != 0;
    bool hot = index == tb.hot && b.Enabled();
    RECT face = b.rect;
    RECT arrow = tb.ArrowRect(b);
    if (arrow.right > arrow.left)
        face.right = arrow.left;
    if (checked && !pressed) {
        RECT inner = face;
        InflateRect(&inner, -1, -1);
        FillChecked(hdc, inner);
    }
    if (pressed || checked)
        DrawEdge(hdc, &face, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat)
        DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT);
    else if (hot)
        DrawEdge(hdc, &face, BDR_RAISEDINNER, BF_RECT);
    if (arrow.right > arrow.left) {
        if (!flat || hot || pressed)
            DrawEdge(hdc, &arrow, pressed ? (flat ? BDR_SUNKENOUTER : EDGE_SUNKEN) : (flat ? BDR_RAISEDINNER : EDGE_RAISED),
                     BF_RECT);
        DrawArrow(hdc, (arrow.left + arrow.right) / 2, (arrow.top + arrow.bottom) / 2, b.Enabled());
    } else if (b.style & BTNS_WHOLEDROPDOWN) {
        DrawArrow(hdc, face.right - ToolBarState::kDropArrowWidth / 2, (face.top + face.bottom) / 2, b.Enabled());
        face.right -= ToolBarState::kDropArrowWidth;
    }
    int shift = (pressed || checked) ? 1 : 0;
    bool text = tb.HasText() && !b.text.empty();
    bool list = (style & TBSTYLE_LIST) != 0;
    int imageX, imageY;
    if (list) {
        imageX = face.left + tb.padding.cx / 2;
        imageY = face.top + (RectHeight(face) - tb.bitmapSize.cy) / 2;
    } else {
        imageX = face.left + (RectWidth(face) - tb.bitmapSize.cx) / 2;
        imageY = face.top + (text ? tb.padding.cy / 2 : (RectHeight(face) - tb.bitmapSize.cy) / 2);
    }
    DrawImage(tb, hdc, b, imageX + shift, imageY + shift, hot);
    if (!text)
        return;
    RECT tr = face;
    if (list)
        tr.left = imageX + tb.bitmapSize.cx + 2;
    else
        tr.top = imageY + tb.bitmapSize.cy + 1;
    tr.bottom -= 1;
    OffsetRect(&tr, shift, shift);
    PaintText(hwnd, b, hdc, tr, (list ? DT_LEFT | DT_VCENTER : DT_CENTER | DT_TOP) | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace

void PaintToolBar(HWND hwnd, ToolBarState& tb, HDC hdc)
{
    DWORD style = StyleOf(hwnd);
    PaintBackground(hwnd, hdc, style);
    PaintDivider(hwnd, hdc, style);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    for (size_t i = 0; i < tb.buttons.size(); ++i) {
        const ToolButton& b = tb.buttons[i];
        if (b.Hidden())
            continue;
        if (b.Separator())
            PaintSeparator(hdc, b, style, (b.state & TBSTATE_WRAP) != 0);
        else
            PaintButton(hwnd, tb, hdc, (int)i, style);
    }
    SelectObject(hdc, oldFont);
}

}  // namespace mivo
