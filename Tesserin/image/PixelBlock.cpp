#include "image/PixelBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

namespace mivo {
namespace image {

namespace {

// Below this a block is cleared by hand; above it whole pages go back to
// the system and come back zero when first touched.
const uint64_t kLazyZeroBytes = uint64_t(1) << 18;

uint64_t PageBytes()
{
    static const uint64_t page = [] {
        long n = sysconf(_SC_PAGESIZE);
        return n > 0 ? uint64_t(n) : uint64_t(4096);
    }();
    return page;
}

// Zero-fill-on-demand for the whole pages inside the block (a private
// anonymous mapping, as every heap is); the ends are cleared by hand.
void ClearBlock(BYTE* block, uint64_t bytes)
{
    const uint64_t page = PageBytes();
    const uintptr_t start = reinterpret_cast<uintptr_t>(block);
    const uintptr_t first = (start + page - 1) / page * page;
    const uintptr_t last = (start + bytes) / page * page;
    if (bytes < kLazyZeroBytes || last <= first) {
        memset(block, 0, size_t(bytes));
        return;
    }
    memset(block, 0, size_t(first - start));
    memset(reinterpret_cast<BYTE*>(last), 0, size_t(start + bytes - last));
    if (madvise(reinterpret_cast<void*>(first), size_t(last - first), MADV_DONTNEED) != 0)
        memset(reinterpret_cast<BYTE*>(first), 0, size_t(last - first));
}

}  // namespace

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
        ClearBlock(block, bytes);
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
