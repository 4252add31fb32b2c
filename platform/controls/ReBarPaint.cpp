// Rebar drawing: band backgrounds (colours or tiled bitmaps), grippers,
// titles, chevrons and etched band borders.
#include "controls/ReBar.h"

namespace mivo {

namespace {

void TileBitmap(HDC hdc, HBITMAP bitmap, const RECT& area, POINT origin)
{
    BITMAP bm = {};
    if (!GetObject(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    HDC src = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(src, bitmap);
    int startX = origin.x + ((area.left - origin.x) / bm.bmWidth) * bm.bmWidth;
    int startY = origin.y + ((area.top - origin.y) / bm.bmHeight) * bm.bmHeight;
    if (startX > area.left)
        startX -= bm.bmWidth;
    if (startY > area.top)
        startY -= bm.bmHeight;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    for (int y = startY; y < area.bottom; y += bm.bmHeight)
        for (int x = startX; x < area.right; x += bm.bmWidth)
            BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
    RestoreDC(hdc, saved);
    SelectObject(src, old);
    DeleteDC(src);
}

void PaintGripper(HDC hdc, const ReBarBand& band)
{
    if ((band.style & RBBS_NOGRIPPER) || ((band.style & RBBS_FIXEDSIZE) && !(band.style & RBBS_GRIPPERALWAYS)))
        return;
    RECT grip = {band.rect.left + 2, band.rect.top + 2, band.rect.left + 5, band.rect.bottom - 2};
    DrawEdge(hdc, &grip, BDR_RAISEDINNER, BF_RECT);
}

void PaintChevron(HDC hdc, const ReBarBand& band)
{
    const RECT& c = band.chevron;
    if (c.right <= c.left)
        return;
    COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    int cx = (c.left + c.right) / 2 - 3, cy = c.top + 4;
    for (int pass = 0; pass < 2; ++pass)  // two small right-pointing wedges: >>
        for (int i = 0; i < 3; ++i) {
            SetPixel(hdc, cx + pass * 4 + i, cy + i, ink);
            SetPixel(hdc, cx + pass * 4 + i, cy + 4 - i, ink);
        }
}

}  // namespace

void PaintReBarBackgrounds(HWND hwnd, const ReBarState& rb, HDC hdc)
{
    RECT rc = ClientRect(hwnd);
    HBRUSH face = CreateSolidBrush(ResolveColor(rb.back, COLOR_3DFACE));
    FillRect(hdc, &rc, face);
    DeleteObject(face);
    for (const ReBarBand& band : rb.bands) {
        if (band.Hidden())
            continue;
        if (band.background) {
            POINT origin = (band.style & RBBS_FIXEDBMP) ? POINT{0, 0} : POINT{band.rect.left, band.rect.top};
            TileBitmap(hdc, band.background, band.rect, origin);
        } else if (band.back != CLR_DEFAULT) {
            HBRUSH brush = CreateSolidBrush(band.back);
            FillRect(hdc, &band.rect, brush);
            DeleteObject(brush);
        }
    }
}

void PaintReBar(HWND hwnd, const ReBarState& rb, HDC hdc)
{
    DWORD style = StyleOf(hwnd);
    PaintReBarBackgrounds(hwnd, rb, hdc);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    int mode = SetBkMode(hdc, TRANSPARENT);
    for (const ReBarBand& band : rb.bands) {
        if (band.Hidden())
            continue;
        PaintGripper(hdc, band);
        int left = band.rect.left + ReBarState::kGripperWidth;
        int cx = 0, cy = 0;
        if (rb.images && band.image >= 0 && ImageList_GetIconSize(rb.images, &cx, &cy)) {
            ImageList_Draw(rb.images, band.image, hdc, left, (band.rect.top + band.rect.bottom - cy) / 2,
                           ILD_TRANSPARENT);
            left += cx + ReBarState::kImageGap;
        }
        if (!band.text.empty() && !(band.style & RBBS_HIDETITLE)) {
            RECT tr = {left, band.rect.top, band.childRect.left, band.rect.bottom};
            SetTextColor(hdc, band.fore != CLR_DEFAULT ? band.fore : ResolveColor(rb.text, COLOR_BTNTEXT));
            DrawText(hdc, band.text.c_str(), (int)band.text.size(), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        PaintChevron(hdc, band);
        if (style & RBS_BANDBORDERS) {
            RECT right = {band.rect.right, band.rect.top, band.rect.right + ReBarState::kBandBorder, band.rect.bottom};
            if (right.right <= ClientRect(hwnd).right)
                DrawEdge(hdc, &right, EDGE_ETCHED, BF_LEFT);
            RECT below = {band.rect.left, band.rect.bottom, band.rect.right + ReBarState::kBandBorder,
                          band.rect.bottom + ReBarState::kBandBorder};
            if (below.bottom <= ClientRect(hwnd).bottom)
                DrawEdge(hdc, &below, EDGE_ETCHED, BF_TOP);
        }
    }
    SetBkMode(hdc, mode);
    SelectObject(hdc, oldFont);
}

}  // namespace mivo
