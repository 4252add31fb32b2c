// Pixel blocks of the library's one layout: 24-bit blue-green-red rows,
// bottom-up, each padded to 4 bytes, and the owner an image object keeps
// its block in.
#pragma once

#include "win32.h"

#include <cstddef>
#include <cstdint>

namespace mivo {
namespace image {

// Largest block the library allocates. Files can declare any size; a block
// beyond this is refused rather than trusted.
#ifdef MIVO_IMAGE_MAX_BLOCK_BYTES  // smaller in fuzzing builds, to keep runs fast
constexpr uint64_t kMaxPixelBlockBytes = MIVO_IMAGE_MAX_BLOCK_BYTES;
#else
constexpr uint64_t kMaxPixelBlockBytes = uint64_t(1) << 30;
#endif

inline uint64_t RowBytes24(uint64_t width) { return ((width * 24 + 31) / 32) * 4; }

// Bytes of a width x height block, or 0 when either side is 0, the block is
// larger than the library allows, or a side does not fit an int.
uint64_t PixelBlockBytes(uint64_t width, uint64_t height);

// A new block from the array form of new, or NULL when memory is short.
// `zero` clears it the way fresh memory is clear: pages of a new large block
// are handed back to the system instead of written, so the pages a caller
// never touches cost nothing. Decoders that write every byte pass false.
// A large block may be one freed a moment ago (see FreePixelBlock): cleared
// by hand when `zero` asks for it, else its bytes are whatever they were, so
// only callers that write every byte, padding included, pass false. New
// large blocks asked for without clearing lie on huge pages where the system
// allows, whole if it can: a fresh process's first picture then takes a
// fault every 2 MB instead of every page.
BYTE* AllocPixelBlock(uint64_t bytes, bool zero = true);

// Frees a block of AllocPixelBlock or the array form of new. The last large
// blocks freed are kept a moment for the next AllocPixelBlock of their size
// instead of going back to the system (mapping a fresh one costs a page
// fault a page); they are released after an idle second or at once when
// memory runs short.
void FreePixelBlock(BYTE* block);

// The owner of an image object's pixels: one block from AllocPixelBlock or
// the array form of new, freed when replaced or destroyed. It reads as the
// raw block pointer the image API hands out.
class PixelBlock {
public:
    PixelBlock() = default;
    ~PixelBlock() { FreePixelBlock(m_bytes); }
    PixelBlock(const PixelBlock&) = delete;

    // Store a pointer without freeing the block held, as the API's raw field
    // and SetImageBuf always have: whoever assigns has taken the old block
    // over, and hands the new one's former owner nothing to free.
    PixelBlock& operator=(BYTE* bytes)
    {
        m_bytes = bytes;
        return *this;
    }
    PixelBlock& operator=(const PixelBlock& other) { return *this = other.m_bytes; }
    operator BYTE*() const { return m_bytes; }
    BYTE* get() const { return m_bytes; }

    // Frees the block held and keeps `bytes` in its place.
    void Replace(BYTE* bytes)
    {
        if (bytes != m_bytes)
            FreePixelBlock(m_bytes);
        m_bytes = bytes;
    }
    // Gives the block up to the caller.
    BYTE* Release()
    {
        BYTE* bytes = m_bytes;
        m_bytes = nullptr;
        return bytes;
    }

private:
    BYTE* m_bytes = nullptr;
};

// Nearest-neighbour source index of destination index i when n source
// items map onto m destination items.
inline uint32_t NearestIndex(uint64_t i, uint64_t n, uint64_t m) { return uint32_t(i * n / m); }

// Builds the source column table for a row of `dstWidth` pixels taken from
// `srcWidth` pixels: entry x is the byte offset (3 x source column).
void BuildColumnOffsets(uint32_t* offsets, uint32_t dstWidth, uint32_t srcWidth);

// Copies pixels of a 3-byte row through a column table.
void SampleRow(BYTE* dst, const BYTE* src, const uint32_t* offsets, uint32_t dstWidth);

}  // namespace image
}  // namespace mivo
