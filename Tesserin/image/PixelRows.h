// Row converters of the image library, shared by every codec: stored DIB
// rows into blue-green-red, and the whole-block helpers the codecs offer
// (packed and padded rows, row flips, red-blue swaps, grey). Internal to
// the image library.
#pragma once

#include "win32.h"

#include <cstdint>

namespace mivo {
namespace image {

// How the pixels of one stored row are laid out.
struct RowFormat {
    int bits = 24;                 // 1, 2, 4, 8, 16, 24 or 32
    const BYTE* table = nullptr;   // colour table: blue, green, red, unused per entry
    uint64_t tableEntries = 0;     // indexes at or past this come out black
    const DWORD* masks = nullptr;  // red, green, blue bit fields of 16 and 32-bit rows; NULL: 5-5-5 and plain
};

// `width` pixels of a stored row into blue-green-red. Indexes come from the
// most significant end of each byte; 16-bit pixels without masks keep five
// bits a channel without repeating the high bits into the low ones.
void ConvertRowToBGR(BYTE* dst, const BYTE* src, uint64_t width, const RowFormat& format);

// Whole-block helpers on blocks of 3 bytes a pixel.
// A new block of rows of exactly widthPix x 3 bytes from padded rows; NULL
// when widthBytes is shorter or memory is short.
BYTE* PackRows(const BYTE* buf, UINT widthPix, UINT widthBytes, UINT height);
// A new block of rows padded to 4 bytes from packed rows; NULL when memory is short.
BYTE* PadRows(const BYTE* buf, UINT widthPix, UINT height, UINT* widthBytes);
void FlipRows(BYTE* buf, UINT widthBytes, UINT height);
void SwapRedBlue(BYTE* buf, uint64_t pixels);
void GreyPixels(BYTE* buf, uint64_t pixels);

}  // namespace image
}  // namespace mivo
