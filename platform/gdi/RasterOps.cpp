#include "gdi/RasterOps.h"

#include <algorithm>

namespace mivo {
namespace gdi {

uint8_t Rop2ToRop3(int rop2)
{
    int m = (rop2 - 1) & 0x0F;
    uint8_t rop = 0;
    for (int k = 0; k < 8; ++k) {
        int p = (k >> 2) & 1, d = k & 1;
        if ((m >> ((p << 1) | d)) & 1)
            rop |= (uint8_t)(1 << k);
    }
    return rop;
}

bool RopNeedsSource(uint8_t rop)
{
    return (((rop >> 2) ^ rop) & 0x33) != 0;
}

bool RopNeedsPattern(uint8_t rop)
{
    return (((rop >> 4) ^ rop) & 0x0F) != 0;
}

bool RopNeedsDest(uint8_t rop)
{
    return (((rop >> 1) ^ rop) & 0x55) != 0;
}

void ApplyRop(uint8_t rop, const uint32_t* p, const uint32_t* s, uint32_t* d, int n, uint32_t mask)
{
    switch (rop) {
    case 0x00:
        for (int i = 0; i < n; ++i)
            d[i] = 0;
        return;
    case 0xFF:
        for (int i = 0; i < n; ++i)
            d[i] = mask;
        return;
    case 0xAA:
        return;
    case 0x55:
        for (int i = 0; i < n; ++i)
            d[i] = ~d[i] & mask;
        return;
    case 0xCC:
        for (int i = 0; i < n; ++i)
            d[i] = s[i] & mask;
        return;
    case 0x33:
        for (int i = 0; i < n; ++i)
            d[i] = ~s[i] & mask;
        return;
    case 0x88:
        for (int i = 0; i < n; ++i)
            d[i] &= s[i];
        return;
    case 0xEE:
        for (int i = 0; i < n; ++i)
            d[i] = (d[i] | s[i]) & mask;
        return;
    case 0x66:
        for (int i = 0; i < n; ++i)
            d[i] = (d[i] ^ s[i]) & mask;
        return;
    case 0x44:
        for (int i = 0; i < n; ++i)
            d[i] = s[i] & ~d[i] & mask;
        return;
    case 0x11:
        for (int i = 0; i < n; ++i)
            d[i] = ~(s[i] | d[i]) & mask;
        return;
    case 0xF0:
        for (int i = 0; i < n; ++i)
            d[i] = p[i] & mask;
        return;
    case 0x0F:
        for (int i = 0; i < n; ++i)
            d[i] = ~p[i] & mask;
        return;
    case 0x5A:
        for (int i = 0; i < n; ++i)
            d[i] = (d[i] ^ p[i]) & mask;
        return;
    case 0xC0:
        for (int i = 0; i < n; ++i)
            d[i] = p[i] & s[i] & mask;
        return;
    case 0xBB:
        for (int i = 0; i < n; ++i)
            d[i] = (~s[i] | d[i]) & mask;
        return;
    case 0xFB:
        for (int i = 0; i < n; ++i)
            d[i] = (p[i] | ~s[i] | d[i]) & mask;
        return;
    case 0xB8:
        for (int i = 0; i < n; ++i)
            d[i] = ((s[i] & d[i]) | (~s[i] & p[i])) & mask;
        return;
    case 0xE2:
        for (int i = 0; i < n; ++i)
            d[i] = ((s[i] & p[i]) | (~s[i] & d[i])) & mask;
        return;
    default:
        break;
    }
    for (int i = 0; i < n; ++i) {
        uint32_t pv = p ? p[i] : 0, sv = s ? s[i] : 0, dv = d[i];
        uint32_t r = 0;
        for (int k = 0; k < 8; ++k) {
            if (((rop >> k) & 1) == 0)
                continue;
            uint32_t term = ((k & 4) ? pv : ~pv) & ((k & 2) ? sv : ~sv) & ((k & 1) ? dv : ~dv);
            r |= term;
        }
        d[i] = r & mask;
    }
}

void Pattern::Row(int x, int y, int n, uint32_t* out, uint8_t* skipOut) const
{
    if (solid || width <= 0 || height <= 0) {
        for (int i = 0; i < n; ++i)
            out[i] = value;
        if (skipOut != nullptr)
            std::fill(skipOut, skipOut + n, (uint8_t)0);
        return;
    }
    int py = (y - orgY) % height;
    if (py < 0)
        py += height;
    int px = (x - orgX) % width;
    if (px < 0)
        px += width;
    const uint32_t* row = cells.data() + (size_t)py * (size_t)width;
    const uint8_t* skipRow = hasSkip ? skip.data() + (size_t)py * (size_t)width : nullptr;
    for (int i = 0; i < n; ++i) {
        out[i] = row[px];
        if (skipOut != nullptr)
            skipOut[i] = skipRow ? skipRow[px] : 0;
        if (++px == width)
            px = 0;
    }
}

Pattern SolidPattern(uint32_t native)
{
    Pattern p;
    p.value = native;
    return p;
}

Pattern EmptyPattern()
{
    Pattern p;
    p.empty = true;
    return p;
}

uint32_t ResolveColor(const DeviceContext& dc, COLORREF color)
{
    if ((color & 0xFF000000) == 0x01000000) {
        // PALETTEINDEX: an entry of the selected palette.
        PaletteObject* pal = dc.st.palette.get();
        uint32_t index = color & 0xFFFF;
        if (pal != nullptr) {
            std::lock_guard<std::mutex> guard(pal->lock);
            if (index < pal->entries.size()) {
                const PALETTEENTRY& e = pal->entries[index];
                return ((uint32_t)e.peRed << 16) | ((uint32_t)e.peGreen << 8) | e.peBlue;
            }
        }
        return 0;
    }
    return RgbFromColorref(color & 0x00FFFFFF);
}

uint32_t NativeColor(const DeviceContext& dc, const Raster& dst, COLORREF color)
{
    return dst.FromRgb(ResolveColor(dc, color));
}

namespace {

bool HatchBit(int hatch, int x, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL:
        return y == 0;
    case HS_VERTICAL:
        return x == 0;
    case HS_FDIAGONAL:
        return x == y;
    case HS_BDIAGONAL:
        return x + y == 7;
    case HS_CROSS:
        return x == 0 || y == 0;
    case HS_DIAGCROSS:
        return x == y || x + y == 7;
    default:
        return false;
    }
}

}  // namespace

Pattern BrushPattern(const DeviceContext& dc, const BrushObject* brush, const DrawTarget& t)
{
    if (brush == nullptr || brush->style == BS_NULL)
        return EmptyPattern();
    const Raster& dst = t.raster;
    if (brush->dcBrush)
        return SolidPattern(NativeColor(dc, dst, dc.st.dcBrushColor));
    Pattern p;
    p.orgX = t.origin.x + dc.st.brushOrg.x;
    p.orgY = t.origin.y + dc.st.brushOrg.y;
    if (brush->style == BS_HATCHED) {
        uint32_t fg = NativeColor(dc, dst, brush->color);
        uint32_t bg = NativeColor(dc, dst, dc.st.bkColor);
        bool transparent = dc.st.bkMode == TRANSPARENT;
        p.solid = false;
        p.width = p.height = 8;
        p.cells.resize(64);
        p.skip.assign(64, 0);
        p.hasSkip = transparent;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool on = HatchBit(brush->hatch, x, y);
                p.cells[(size_t)(y * 8 + x)] = on ? fg : bg;
                p.skip[(size_t)(y * 8 + x)] = (!on && transparent) ? 1 : 0;
            }
        return p;
    }
    if ((brush->style == BS_PATTERN || brush->style == BS_DIBPATTERN || brush->style == BS_DIBPATTERNPT) &&
        brush->pattern) {
        const PatternPixels& pp = *brush->pattern;
        p.solid = false;
        p.width = pp.width;
        p.height = pp.height;
        p.cells.resize(pp.pixels.size());
        if (pp.mono) {
            uint32_t fg = NativeColor(dc, dst, dc.st.textColor);
            uint32_t bg = NativeColor(dc, dst, dc.st.bkColor);
            for (size_t i = 0; i < pp.pixels.size(); ++i)
                p.cells[i] = pp.pixels[i] ? bg : fg;
        } else {
            for (size_t i = 0; i < pp.pixels.size(); ++i)
                p.cells[i] = dst.FromRgb(pp.pixels[i]);
        }
        return p;
    }
    return SolidPattern(NativeColor(dc, dst, brush->color));
}

Pattern CurrentBrushPattern(const DeviceContext& dc, const DrawTarget& t)
{
    return BrushPattern(dc, dc.st.brush.get(), t);
}

namespace {

struct Buffers {
    std::vector<uint32_t> d, p, orig;
    std::vector<uint8_t> skip;
    void Ensure(int n)
    {
        if ((int)d.size() < n) {
            d.resize((size_t)n);
            p.resize((size_t)n);
            orig.resize((size_t)n);
            skip.resize((size_t)n);
        }
    }
};

Buffers& ThreadBuffers()
{
    thread_local Buffers b;
    return b;
}

}  // namespace

void PaintSpan(DrawTarget& t, int y, int x0, int x1, uint8_t rop, const Pattern& pat)
{
    if (pat.empty || t.raster.row0 == nullptr)
        return;
    uint32_t mask = t.raster.NativeMask();
    bool needDest = RopNeedsDest(rop) || pat.hasSkip;
    ForEachClipped(t.clip, y, x0, x1, [&](int a, int b) {
        int n = b - a;
        Buffers& buf = ThreadBuffers();
        buf.Ensure(n);
        if (needDest)
            t.raster.Read(a, y, n, buf.d.data());
        pat.Row(a, y, n, buf.p.data(), pat.hasSkip ? buf.skip.data() : nullptr);
        if (pat.hasSkip)
            std::copy(buf.d.begin(), buf.d.begin() + n, buf.orig.begin());
        ApplyRop(rop, buf.p.data(), nullptr, buf.d.data(), n, mask);
        if (pat.hasSkip)
            for (int i = 0; i < n; ++i)
                if (buf.skip[(size_t)i])
                    buf.d[(size_t)i] = buf.orig[(size_t)i];
        t.raster.Write(a, y, n, buf.d.data());
    });
}

void PaintRegion(DrawTarget& t, const Region& shape, uint8_t rop, const Pattern& pat)
{
    if (pat.empty)
        return;
    for (const Region::Band& band : shape.Bands()) {
        int top = std::max(band.top, 0), bottom = std::min(band.bottom, t.raster.height);
        for (int y = top; y < bottom; ++y)
            for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
                PaintSpan(t, y, band.xs[i], band.xs[i + 1], rop, pat);
    }
}

void PaintRect(DrawTarget& t, const RECT& r, uint8_t rop, const Pattern& pat)
{
    if (pat.empty || r.left >= r.right)
        return;
    int top = std::max<int>(r.top, 0), bottom = std::min<int>(r.bottom, t.raster.height);
    for (int y = top; y < bottom; ++y)
        PaintSpan(t, y, r.left, r.right, rop, pat);
}

}  // namespace gdi
}  // namespace mivo
