// Packed DIBs as other programs hand them over (clipboard, scanners, files):
// where the colour table, the masks and the rows lie, checked against the
// bytes actually there, and their rows turned into the library's 24-bit
// layout. Internal to the image library.
#pragma once

#include "win32.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace mivo {
namespace image {

struct DibLayout {
    uint32_t headerSize = 0;   // biSize: 40, or a larger (V4, V5) info header
    int64_t width = 0;
    int64_t height = 0;        // rows, always positive
    bool topDown = false;      // negative biHeight: first row is the top one
    int bits = 0;
    DWORD compression = BI_RGB;
    uint64_t maskBytes = 0;    // BI_BITFIELDS masks after a 40-byte header
    uint64_t tableEntries = 0; // RGBQUADs after the header and masks
    uint64_t bitsOffset = 0;   // header + masks + table
    uint64_t rowBytes = 0;     // each row padded to 4 bytes
    uint64_t imageBytes = 0;   // rows x row bytes, or biSizeImage when compressed
    DWORD masks[3] = {0, 0, 0};  // red, green, blue
};

// Reads the header at `block` (`size` bytes there). False when the header is
// not an info header or what it describes does not fit in `size`.
// `pixelsNeeded` also refuses what ConvertDibRows cannot read: compressed
// rows, depths other than 1, 4, 8, 16, 24 and 32, and empty pictures.
bool ReadDibLayout(const BYTE* block, uint64_t size, bool pixelsNeeded, DibLayout* layout);

// The DIB's rows in the library's layout (bottom-up, 24 bits): `dst` holds
// height rows of `dstRowBytes`.
void ConvertDibRows(const BYTE* block, const DibLayout& layout, BYTE* dst, uint64_t dstRowBytes);

// Writes the pieces one after another to a temporary file beside `path` and
// puts it in place; false (and `path` untouched) when any step fails.
struct FilePiece {
    const void* data;
    uint64_t size;
};
bool WriteFilePieces(const char* path, const FilePiece* pieces, size_t count);

// The 14-byte .bmp file header.
BITMAPFILEHEADER MakeFileHeader(uint64_t fileSize, uint64_t bitsOffset);

}  // namespace image
}  // namespace mivo
