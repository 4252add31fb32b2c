// A view of pixels in one of the DIB layouts (1, 4, 8, 16, 24 or 32 bits).
//
// Drawing works on "native" values: the colour index for 1, 4 and 8 bits,
// and 0x00RRGGBB for 16, 24 and 32 bits (16-bit channels widened by repeating
// their top bits, so bitwise raster operations give what they give on the
// packed pixels).
#pragma once

#include "win32/types.h"
#include "win32/gdi.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace mivo {
namespace gdi {

// 0x00RRGGBB from and to a COLORREF (0x00BBGGRR).
inline uint32_t RgbFromColorref(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ColorrefFromRgb(uint32_t rgb)
{
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}
inline uint32_t RgbFromQuad(const RGBQUAD& q)
{
    return ((uint32_t)q.rgbRed << 16) | ((uint32_t)q.rgbGreen << 8) | q.rgbBlue;
}
inline RGBQUAD QuadFromRgb(uint32_t rgb)
{
    RGBQUAD q;
    q.rgbRed = (BYTE)(rgb >> 16);
    q.rgbGreen = (BYTE)(rgb >> 8);
    q.rgbBlue = (BYTE)rgb;
    q.rgbReserved = 0;
    return q;
}

// One colour channel of a bit-field layout.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    void Set(uint32_t m);
    uint32_t Expand(uint32_t raw) const;  // to 8 bits
    uint32_t Pack(uint32_t v8) const;     // from 8 bits
};

class Raster {
public:
    int width = 0;
    int height = 0;
    int bpp = 32;
    uint8_t* row0 = nullptr;  // top row
    int64_t stride = 0;       // bytes from one row to the next one down (negative when bottom-up)
    const RGBQUAD* colors = nullptr;
    int numColors = 0;
    // A monochrome device bitmap: colour conversions follow the text and
    // background colour rules instead of nearest colour.
    bool monoDevice = false;

    // Bit fields for 16 and 32 bits; all zero means 5-5-5 or 8-8-8.
    void SetMasks(uint32_t r, uint32_t g, uint32_t b);

    bool Indexed() const { return bpp <= 8; }
    uint8_t* Row(int y) const { return row0 + (int64_t)y * stride; }
    uint32_t NativeMask() const { return Indexed() ? ((1u << bpp) - 1) : 0x00FFFFFFu; }

    void Read(int x, int y, int n, uint32_t* out) const;
    void Write(int x, int y, int n, const uint32_t* in);
    uint32_t ReadOne(int x, int y) const;
    void WriteOne(int x, int y, uint32_t v);
    // The fourth byte of 32-bit pixels (alpha), or 255 for other layouts.
    void ReadAlpha(int x, int y, int n, uint8_t* out) const;

    uint32_t ToRgb(uint32_t native) const;
    // The native value nearest to an RGB colour.
    uint32_t FromRgb(uint32_t rgb) const;

private:
    bool custom_ = false;
    Channel r_, g_, b_;
    // Small direct-mapped cache for nearest-colour searches.
    mutable std::shared_ptr<std::vector<uint64_t>> cache_;
    uint32_t Nearest(uint32_t rgb) const;
};

// Bytes per row of a DIB (rows padded to 32 bits), computed in 64 bits.
inline int64_t DibStride(int64_t width, int bpp)
{
    return ((width * bpp + 31) / 32) * 4;
}
// Bytes per row of a device bitmap (rows padded to 16 bits).
inline int64_t DdbStride(int64_t width, int bpp)
{
    return ((width * bpp + 15) / 16) * 2;
}

// The 16-colour and 256-colour default tables used for 4- and 8-bit output
// when no colour table is given.
const std::vector<RGBQUAD>& DefaultColors16();
const std::vector<RGBQUAD>& HalftoneColors256();

}  // namespace gdi
}  // namespace mivo
