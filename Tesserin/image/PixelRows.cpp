#include "image/PixelRows.h"

#include "image/PixelBlock.h"

#include <cstring>

namespace mivo {
namespace image {

namespace {

inline uint32_t Le16(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t Le32(const BYTE* p) { return Le16(p) | Le16(p + 2) << 16; }

// One channel of a bit-field pixel, widened or narrowed to 8 bits.
struct Channel {
    DWORD mask = 0;
    int shift = 0;
    int width = 0;
    explicit Channel(DWORD m) : mask(m)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        while (shift + width < 32 && ((mask >> (shift + width)) & 1))
            ++width;
    }
    BYTE operator()(DWORD pixel) const
    {
        if (!width)
            return 0;
        DWORD v = (pixel & mask) >> shift;
        return BYTE(width >= 8 ? v >> (width - 8) : v << (8 - width));
    }
};

void ConvertFields(BYTE* dst, const BYTE* src, uint64_t width, int bits, const DWORD* masks)
{
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    const int step = bits / 8;
    for (uint64_t x = 0; x < width; ++x, dst += 3, src += step) {
        const DWORD px = bits == 32 ? Le32(src) : Le16(src);
        dst[0] = blue(px);
        dst[1] = green(px);
        dst[2] = red(px);
    }
}

void ConvertIndexes(BYTE* dst, const BYTE* src, uint64_t width, const RowFormat& f)
{
    static const BYTE black[4] = {0, 0, 0, 0};
    const uint32_t mask = (1u << f.bits) - 1;
    for (uint64_t x = 0; x < width; ++x, dst += 3) {
        const uint64_t bit = x * uint64_t(f.bits);
        const int shift = 8 - f.bits - int(bit % 8);
        const uint64_t index = (src[bit / 8] >> shift) & mask;
        memcpy(dst, index < f.tableEntries && f.table ? f.table + 4 * index : black, 3);
    }
}

}  // namespace

void ConvertRowToBGR(BYTE* dst, const BYTE* src, uint64_t width, const RowFormat& f)
{
    if ((f.bits == 16 || f.bits == 32) && f.masks) {
        ConvertFields(dst, src, width, f.bits, f.masks);
        return;
    }
    switch (f.bits) {
    case 24:
        memcpy(dst, src, size_t(width * 3));
        return;
    case 32:
        for (uint64_t x = 0; x < width; ++x, dst += 3, src += 4)
            memcpy(dst, src, 3);
        return;
    case 16:
        for (uint64_t x = 0; x < width; ++x, dst += 3, src += 2) {
            const uint32_t v = Le16(src);
            dst[0] = BYTE((v & 31) << 3);
            dst[1] = BYTE(((v >> 5) & 31) << 3);
            dst[2] = BYTE(((v >> 10) & 31) << 3);
        }
        return;
    default:
        ConvertIndexes(dst, src, width, f);
        return;
    }
}

BYTE* PackRows(const BYTE* buf, UINT widthPix, UINT widthBytes, UINT height)
{
    const uint64_t packedRow = uint64_t(widthPix) * 3;
    if (!buf || widthBytes < packedRow)
        return nullptr;
    BYTE* packed = AllocPixelBlock(packedRow * height, false);
    if (!packed)
        return nullptr;
    for (uint64_t y = 0; y < height; ++y)
        memcpy(packed + y * packedRow, buf + y * widthBytes, size_t(packedRow));
    return packed;
}

BYTE* PadRows(const BYTE* buf, UINT widthPix, UINT height, UINT* widthBytes)
{
    if (!buf)
        return nullptr;
    const uint64_t packedRow = uint64_t(widthPix) * 3;
    const uint64_t paddedRow = RowBytes24(widthPix);
    BYTE* padded = AllocPixelBlock(paddedRow * height, true);
    if (!padded)
        return nullptr;
    for (uint64_t y = 0; y < height; ++y)
        memcpy(padded + y * paddedRow, buf + y * packedRow, size_t(packedRow));
    if (widthBytes)
        *widthBytes = UINT(paddedRow);
    return padded;
}

void FlipRows(BYTE* buf, UINT widthBytes, UINT height)
{
    BYTE chunk[1024];
    for (UINT i = 0; i < height / 2; ++i) {
        BYTE* a = buf + uint64_t(i) * widthBytes;
        BYTE* b = buf + uint64_t(height - 1 - i) * widthBytes;
        for (UINT done = 0; done < widthBytes;) {
            const UINT n = min(UINT(sizeof chunk), widthBytes - done);
            memcpy(chunk, a + done, n);
            memcpy(a + done, b + done, n);
            memcpy(b + done, chunk, n);
            done += n;
        }
    }
}

void SwapRedBlue(BYTE* buf, uint64_t pixels)
{
    for (uint64_t i = 0; i < pixels; ++i, buf += 3) {
        const BYTE t = buf[0];
        buf[0] = buf[2];
        buf[2] = t;
    }
}

void GreyPixels(BYTE* buf, uint64_t pixels)
{
    for (uint64_t i = 0; i < pixels; ++i, buf += 3) {
        const BYTE grey = BYTE(0.299 * buf[0] + 0.587 * buf[1] + 0.114 * buf[2]);
        buf[0] = buf[1] = buf[2] = grey;
    }
}

}  // namespace image
}  // namespace mivo
