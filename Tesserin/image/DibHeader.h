// The info header of a device-independent bitmap (BITMAPINFOHEADER, or a
// later version that begins with the same 40 bytes), as .bmp files and
// packed DIBs carry it. One reader for the whole library. Internal to the
// image library.
#pragma once

#include "win32.h"

#include <cstdint>

namespace mivo {
namespace image {

constexpr uint32_t kInfoHeaderBytes = 40;

struct DibHeader {
    uint32_t headerSize = 0;    // biSize: 40, or a larger (V4, V5) header
    int64_t width = 0;
    int64_t height = 0;         // rows, always positive (0 when biHeight is 0)
    bool topDown = false;       // negative biHeight: first row is the top one
    int planes = 0;
    int bits = 0;
    DWORD compression = BI_RGB;
    DWORD sizeImage = 0;
    DWORD coloursUsed = 0;
};

// Reads the header fields at `block` (`size` bytes there, little-endian).
// False when fewer than 40 bytes are there or biSize is below 40; what the
// fields describe is for the caller to check.
bool ReadDibHeader(const BYTE* block, uint64_t size, DibHeader* header);

// Bytes of one stored row of `width` pixels at `bits`, padded to 4 bytes.
inline uint64_t DibRowBytes(uint64_t width, int bits) { return ((width * uint64_t(bits) + 31) / 32) * 4; }

}  // namespace image
}  // namespace mivo
