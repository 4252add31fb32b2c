#include "image/PixelBlock.h"

#include <climits>
#include <cstring>
#include <new>

namespace mivo {
namespace image {

uint64_t PixelBlockBytes(uint64_t width, uint64_t height)
{
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX)
        return 0;
    uint64_t rowBytes = RowBytes24(width);
    if (rowBytes > kMaxPixelBlockBytes || height > kMaxPixelBlockBytes / rowBytes)
        return 0;
    return rowBytes * height;
}

BYTE* AllocPixelBlock(uint64_t bytes, bool zero)
{
    if (bytes == 0 || bytes > kMaxPixelBlockBytes)
        return nullptr;
    BYTE* block = new (std::nothrow) BYTE[size_t(bytes)];
    if (block && zero)
        memset(block, 0, size_t(bytes));
    return block;
}

void BuildColumnOffsets(uint32_t* offsets, uint32_t dstWidth, uint32_t srcWidth)
{
    for (uint32_t x = 0; x < dstWidth; ++x)
        offsets[x] = 3 * NearestIndex(x, srcWidth, dstWidth);
}

void SampleRow(BYTE* dst, const BYTE* src, const uint32_t* offsets, uint32_t dstWidth)
{
    for (uint32_t x = 0; x < dstWidth; ++x, dst += 3) {
        const BYTE* s = src + offsets[x];
        dst[0] = s[0];
        dst[1] = s[1];
        dst[2] = s[2];
    }
}

}  // namespace image
}  // namespace mivo
