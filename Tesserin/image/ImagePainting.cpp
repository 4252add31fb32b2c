// Painting into the image object's own pixels: pixels, lines, rectangles,
// circles, shadows, tiled patterns and the brush and spray dabs.
#include "image/ImageObject.h"

#include <cmath>
#include <cstdint>

namespace {

// Clipped access to the picture; rows in memory order (bottom-up).
struct Canvas {
    BYTE* pixels;
    int64_t width;
    int64_t height;
    int64_t rowBytes;

    bool valid() const { return pixels && width > 0 && height > 0; }
    int64_t memoryRow(int64_t yTop) const { return height - yTop - 1; }
    BYTE* at(int64_t x, int64_t memRow) const
    {
        if (x < 0 || x >= width || memRow < 0 || memRow >= height)
            return nullptr;
        return pixels + memRow * rowBytes + 3 * x;
    }
};

Canvas CanvasOf(const CImageObject& img)
{
    return Canvas{img.m_pImageBuf, img.m_nWidth, img.m_nHeight, img.m_nRowBytes};
}

inline int ClampPercent(int v) { return v < 0 ? 0 : v > 100 ? 100 : v; }

struct Colour {
    BYTE b, g, r;
    explicit Colour(COLORREF c) : b(GetBValue(c)), g(GetGValue(c)), r(GetRValue(c)) {}
    BYTE operator[](int k) const { return k == 0 ? b : k == 1 ? g : r; }
};

// `keep` percent of the old byte stays, the rest is the colour.
inline void Blend(BYTE* px, const Colour& c, int keep)
{
    for (int k = 0; k < 3; ++k)
        px[k] = BYTE((px[k] * keep + c[k] * (100 - keep)) / 100);
}

inline void Paint(BYTE* px, const Colour& c)
{
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
}

// Inclusive ranges clipped to [0, limit).
inline void ClipRange(int64_t* first, int64_t* last, int64_t limit)
{
    if (*first < 0)
        *first = 0;
    if (*last > limit - 1)
        *last = limit - 1;
}

void BlendArea(const Canvas& cv, int64_t x1, int64_t x2, int64_t r1, int64_t r2, const Colour& c, int keep)
{
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r)
        for (int64_t x = x1; x <= x2; ++x)
            Blend(cv.at(x, r), c, keep);
}

void PaintArea(const Canvas& cv, int64_t x1, int64_t x2, int64_t r1, int64_t r2, const Colour& c)
{
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r)
        for (int64_t x = x1; x <= x2; ++x)
            Paint(cv.at(x, r), c);
}

// One cell of a dab: each byte from the old byte and the colour byte.
template <typename Mix>
void MixArea(const Canvas& cv, int64_t x1, int64_t x2, int64_t r1, int64_t r2, const Colour& c, Mix mix)
{
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r) {
        for (int64_t x = x1; x <= x2; ++x) {
            BYTE* px = cv.at(x, r);
            for (int k = 0; k < 3; ++k)
                px[k] = BYTE(mix(int(px[k]), int(c[k])));
        }
    }
}

// Cells -n..n-1 of a dab, limited to those that can touch the picture.
void CellRange(int64_t origin, int64_t cell, int64_t n, int64_t limit, int64_t* first, int64_t* last)
{
    *first = -n;
    *last = n - 1;
    int64_t lo = (-origin) / cell - 1;  // cells left of this end before 0
    int64_t hi = (limit - origin) / cell + 1;
    if (*first < lo)
        *first = lo;
    if (*last > hi)
        *last = hi;
}

// d = 4 (i^2 + j^2) / n^2 picks the strength of each cell.
template <typename Strength>
int Dab(CImageObject& img, int x, int y, COLORREF colour, int size, int cell, Strength strength)
{
    Canvas cv = CanvasOf(img);
    if (!cv.valid() || cell <= 0 || size < 0)
        return 0;
    const int64_t n = size / cell;
    if (n == 0)
        return 1;
    const Colour c(colour);
    const int64_t centreRow = cv.memoryRow(y);
    int64_t i1, i2, j1, j2;
    CellRange(x, cell, n, cv.width, &i1, &i2);
    CellRange(centreRow, cell, n, cv.height, &j1, &j2);
    for (int64_t j = j1; j <= j2; ++j) {
        for (int64_t i = i1; i <= i2; ++i) {
            int64_t d = 4 * (i * i + j * j) / (n * n);
            int64_t cx = x + i * cell, cr = centreRow + j * cell;
            strength(cv, cx, cx + cell - 1, cr, cr + cell - 1, c, d);
        }
    }
    return 1;
}

}  // namespace

COLORREF CImageObject::GetPixelColor(int x, int y)
{
    Canvas cv = CanvasOf(*this);
    const BYTE* px = cv.valid() ? cv.at(x, cv.memoryRow(y)) : nullptr;
    return px ? RGB(px[2], px[1], px[0]) : 0;
}

int CImageObject::SetPixelColor(int x, int y, COLORREF colour)
{
    Canvas cv = CanvasOf(*this);
    BYTE* px = cv.valid() ? cv.at(x, cv.memoryRow(y)) : nullptr;
    if (!px)
        return 0;
    Paint(px, Colour(colour));
    return 1;
}

int CImageObject::ReplacePixelColor(CRect rc, COLORREF from, COLORREF to)
{
    Canvas cv = CanvasOf(*this);
    if (!cv.valid())
        return 0;
    const Colour f(from), t(to);
    int64_t x1 = rc.left, x2 = rc.right, r1 = cv.memoryRow(rc.bottom), r2 = cv.memoryRow(rc.top);
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r) {
        for (int64_t x = x1; x <= x2; ++x) {
            BYTE* px = cv.at(x, r);
            if (px[0] == f.b && px[1] == f.g && px[2] == f.r)
                Paint(px, t);
        }
    }
    return 1;
}

int CImageObject::DrawLine(CPoint p1, CPoint p2, COLORREF colour, int opacity, int thickness)
{
    Canvas cv = CanvasOf(*this);
    if (!cv.valid())
        return 0;
    const Colour c(colour);
    const int keep = ClampPercent(opacity);
    if (p1.y == p2.y) {
        // The line grows upward in the picture from its row.
        int64_t r = cv.memoryRow(p1.y);
        BlendArea(cv, min(p1.x, p2.x), max(p1.x, p2.x), r, r + int64_t(thickness) - 1, c, keep);
        return 1;
    }
    if (p1.x == p2.x) {
        int64_t r1 = cv.memoryRow(p1.y), r2 = cv.memoryRow(p2.y);
        BlendArea(cv, p1.x, int64_t(p1.x) + thickness - 1, min(r1, r2), max(r1, r2), c, keep);
        return 1;
    }
    return 0;
}

int CImageObject::DrawRect(CRect rc, COLORREF colour, BOOL fill, int opacity, int lineWidth, BOOL gradient,
                           int direction)
{
    Canvas cv = CanvasOf(*this);
    if (!cv.valid())
        return 0;
    const Colour c(colour);
    const int o = ClampPercent(opacity);
    const int64_t lower = max(int64_t(0), cv.memoryRow(rc.bottom)), upper = cv.memoryRow(rc.top);
    const int64_t left = max(int64_t(0), int64_t(rc.left)), right = rc.right;
    if (upper < lower || right < left)
        return 1;
    if (!fill) {
        const int64_t lw = lineWidth;
        PaintArea(cv, left, right, lower, lower + lw - 1, c);
        PaintArea(cv, left, right, upper - lw + 1, upper, c);
        PaintArea(cv, left, left + lw - 1, lower, upper, c);
        PaintArea(cv, right - lw + 1, right, lower, upper, c);
        return 1;
    }
    if (!gradient) {
        BlendArea(cv, left, right, lower, upper, c, o);
        return 1;
    }
    if (direction < 1 || direction > 4)
        return 1;
    // A one-pixel span has no room for a gradient: it takes the opacity.
    const int64_t w = right - left, hgt = upper - lower;
    int64_t x1 = left, x2 = right, r1 = lower, r2 = upper;
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r) {
        const int64_t j = r - lower;
        for (int64_t x = x1; x <= x2; ++x) {
            const int64_t i = x - left;
            int64_t t = o;
            switch (direction) {
            case 1: t = w ? i * (100 - o) / w + o : o; break;
            case 2: t = w ? (w - i) * (100 - o) / w + o : o; break;
            case 3: t = hgt ? (hgt - j) * (100 - o) / hgt + o : o; break;
            default: t = hgt ? j * (100 - o) / hgt + o : o; break;
            }
            Blend(cv.at(x, r), c, int(t));
        }
    }
    return 1;
}

int CImageObject::DrawCircle(CPoint centre, COLORREF colour, int radius, BOOL fill, int quadrant, int opacity,
                             int lineWidth, BOOL gradient)
{
    Canvas cv = CanvasOf(*this);
    if (!cv.valid() || radius < 0 || quadrant < 0 || quadrant > 4)
        return 0;
    const Colour c(colour);
    const int o = ClampPercent(opacity);
    const int64_t R = radius, cx = centre.x, rc = cv.memoryRow(centre.y);
    int64_t x1 = cx - R, x2 = cx + R, r1 = rc - R, r2 = rc + R;
    if (quadrant == 1 || quadrant == 4)
        x1 = cx;
    if (quadrant == 2 || quadrant == 3)
        x2 = cx;
    if (quadrant == 1 || quadrant == 2)
        r1 = rc;
    if (quadrant == 3 || quadrant == 4)
        r2 = rc;
    ClipRange(&x1, &x2, cv.width);
    ClipRange(&r1, &r2, cv.height);
    for (int64_t r = r1; r <= r2; ++r) {
        for (int64_t x = x1; x <= x2; ++x) {
            const double dx = double(x - cx), dy = double(r - rc);
            const int64_t d = int64_t(std::sqrt(dx * dx + dy * dy));
            if (fill) {
                if (d > R)
                    continue;
                int64_t t = gradient && R > 0 ? (100 - o) * d / R + o : o;
                Blend(cv.at(x, r), c, int(t));
            } else if (R - lineWidth <= d && d <= R) {
                Blend(cv.at(x, r), c, o);
            }
        }
    }
    return 1;
}

int CImageObject::DropShadow(CRect rc, COLORREF colour, int opacity, int width, BOOL rounded)
{
    if (!IsLoaded())
        return 0;
    const int w = width;
    if (!rounded) {
        DrawRect(CRect(rc.left + w, rc.bottom + 1, rc.right + w, rc.bottom + w), colour, TRUE, opacity, w, FALSE, 0);
        DrawRect(CRect(rc.right + 1, rc.top + w, rc.right + w, rc.bottom), colour, TRUE, opacity, w, FALSE, 0);
        return 1;
    }
    DrawCircle(CPoint(rc.left + 2 * w, rc.bottom + 1), colour, w, TRUE, 3, opacity, 0, TRUE);
    DrawRect(CRect(rc.left + 2 * w + 1, rc.bottom + 1, rc.right, rc.bottom + w + 1), colour, TRUE, opacity, w, TRUE, 3);
    DrawCircle(CPoint(rc.right + 1, rc.top + 2 * w), colour, w, TRUE, 1, opacity, 0, TRUE);
    DrawRect(CRect(rc.right + 1, rc.top + 2 * w + 1, rc.right + w + 1, rc.bottom), colour, TRUE, opacity, w, TRUE, 1);
    DrawCircle(CPoint(rc.right + 1, rc.bottom + 1), colour, w, TRUE, 4, opacity, 0, TRUE);
    return 1;
}

int CImageObject::FillPattern(CRect rc, CImageObject* pattern, int transparency)
{
    if (!IsLoaded() || !pattern || !pattern->IsLoaded() || pattern->m_nWidth <= 0 || pattern->m_nHeight <= 0)
        return 0;
    const int64_t pw = pattern->m_nWidth, ph = pattern->m_nHeight;
    // Tiles stay aligned on rc's corner; those wholly left of or above the
    // picture are stepped over rather than projected.
    auto firstTile = [](int64_t start, int64_t size) {
        int64_t skip = start + size - 1 < 0 ? (-(start + size - 1) + size - 1) / size : 0;
        return start + skip * size;
    };
    const int64_t lastX = min(int64_t(rc.right), int64_t(m_nWidth) - 1);
    const int64_t lastY = min(int64_t(rc.bottom), int64_t(m_nHeight) - 1);
    for (int64_t y = firstTile(rc.top, ph); y <= lastY; y += ph) {
        for (int64_t x = firstTile(rc.left, pw); x <= lastX; x += pw) {
            CRect tile(int(x), int(y), int(x + pw - 1), int(y + ph - 1));
            ImageProjection(tile, pattern, 100 - transparency, -1);
        }
    }
    return 1;
}

int CImageObject::BrushEffect(int x, int y, COLORREF colour, int size, int cell)
{
    return Dab(*this, x, y, colour, size, cell,
               [](const Canvas& cv, int64_t x1, int64_t x2, int64_t r1, int64_t r2, const Colour& c, int64_t d) {
                   if (d <= 1)
                       PaintArea(cv, x1, x2, r1, r2, c);
                   else if (d == 2)
                       MixArea(cv, x1, x2, r1, r2, c, [](int o, int k) { return (o + k) >> 1; });
                   else if (d <= 4)
                       MixArea(cv, x1, x2, r1, r2, c, [](int o, int k) { return (3 * o + k) >> 2; });
               });
}

int CImageObject::SprayEffect(int x, int y, COLORREF colour, int size, int cell)
{
    return Dab(*this, x, y, colour, size, cell,
               [](const Canvas& cv, int64_t x1, int64_t x2, int64_t r1, int64_t r2, const Colour& c, int64_t d) {
                   if (d <= 1)
                       MixArea(cv, x1, x2, r1, r2, c, [](int o, int k) { return (3 * o + k) >> 2; });
                   else if (d == 2)
                       MixArea(cv, x1, x2, r1, r2, c, [](int o, int k) { return (7 * o + k) >> 3; });
                   else if (d <= 4)
                       MixArea(cv, x1, x2, r1, r2, c, [](int o, int k) { return (15 * o + k) >> 4; });
               });
}
