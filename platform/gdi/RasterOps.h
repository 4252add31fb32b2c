// Painting pixels: raster operations, brush patterns and clipped spans.
#pragma once

#include "gdi/DeviceContext.h"

#include <cstdint>
#include <vector>

namespace mivo {
namespace gdi {

// The truth-table byte of a raster operation code (bits 16..23).
inline uint8_t RopByte(DWORD rop)
{
    return (uint8_t)((rop >> 16) & 0xFF);
}
// The ternary operation equal to a binary mix mode (R2_*), with the pen as pattern.
uint8_t Rop2ToRop3(int rop2);
bool RopNeedsSource(uint8_t rop);
bool RopNeedsPattern(uint8_t rop);
bool RopNeedsDest(uint8_t rop);
// d[i] = rop(p[i], s[i], d[i]) & mask. p or s may be null when the operation ignores them.
void ApplyRop(uint8_t rop, const uint32_t* p, const uint32_t* s, uint32_t* d, int n, uint32_t mask);

// A brush realized for one destination: native values, tiled from a raster origin.
struct Pattern {
    bool empty = false;  // null brush or null pen: paints nothing
    bool solid = true;
    uint32_t value = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> cells;
    std::vector<uint8_t> skip;  // 1 where a transparent hatch leaves the pixel alone
    bool hasSkip = false;
    int orgX = 0;
    int orgY = 0;

    void Row(int x, int y, int n, uint32_t* out, uint8_t* skipOut) const;
};

Pattern SolidPattern(uint32_t native);
Pattern EmptyPattern();
// The native value of a COLORREF (palette indexes resolved through the DC's palette).
uint32_t NativeColor(const DeviceContext& dc, const Raster& dst, COLORREF color);
uint32_t ResolveColor(const DeviceContext& dc, COLORREF color);  // 0x00RRGGBB
Pattern BrushPattern(const DeviceContext& dc, const BrushObject* brush, const DrawTarget& t);
Pattern CurrentBrushPattern(const DeviceContext& dc, const DrawTarget& t);

// Paints [x0, x1) of raster row y inside the clip.
void PaintSpan(DrawTarget& t, int y, int x0, int x1, uint8_t rop, const Pattern& pat);
// Paints a shape given in raster coordinates.
void PaintRegion(DrawTarget& t, const Region& shape, uint8_t rop, const Pattern& pat);
void PaintRect(DrawTarget& t, const RECT& r, uint8_t rop, const Pattern& pat);

}  // namespace gdi
}  // namespace mivo
