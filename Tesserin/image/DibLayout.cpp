#include "image/DibLayout.h"

#include "image/DibHeader.h"
#include "image/ImageFile.h"
#include "image/PixelRows.h"

#include <cstdio>
#include <cstring>

namespace mivo {
namespace image {

namespace {

template <typename T>
T ReadAt(const BYTE* block, uint64_t offset)
{
    T value;
    memcpy(&value, block + offset, sizeof value);
    return value;
}

bool KnownDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool KnownCompression(DWORD compression, int bits, bool pixelsNeeded)
{
    switch (compression) {
    case BI_RGB:
        return true;
    case BI_BITFIELDS:
        return bits == 16 || bits == 32;
    case BI_RLE8:
        return !pixelsNeeded && bits == 8;
    case BI_RLE4:
        return !pixelsNeeded && bits == 4;
    default:
        return false;
    }
}

}  // namespace

bool ReadDibLayout(const BYTE* block, uint64_t size, bool pixelsNeeded, DibLayout* layout)
{
    *layout = DibLayout();
    DibHeader h;
    if (!ReadDibHeader(block, size, &h) || h.headerSize > size)
        return false;
    DibLayout l;
    l.headerSize = h.headerSize;
    l.width = h.width;
    l.height = h.height;
    l.topDown = h.topDown;
    l.bits = h.bits;
    l.compression = h.compression;
    if (l.width <= 0 || l.height <= 0 || !KnownDepth(l.bits) || !KnownCompression(l.compression, l.bits, pixelsNeeded))
        return false;
    if (l.compression == BI_BITFIELDS) {
        // A plain info header is followed by the three masks; the later
        // headers hold them at the same place inside.
        l.maskBytes = l.headerSize == kInfoHeaderBytes ? 12 : 0;
        if (kInfoHeaderBytes + 12 > size)
            return false;
        for (int k = 0; k < 3; ++k)
            l.masks[k] = ReadAt<DWORD>(block, kInfoHeaderBytes + 4 * uint64_t(k));
    }
    l.tableEntries = h.coloursUsed ? h.coloursUsed : l.bits <= 8 ? (uint64_t(1) << l.bits) : 0;
    l.bitsOffset = l.headerSize + l.maskBytes + 4 * l.tableEntries;
    l.rowBytes = DibRowBytes(uint64_t(l.width), l.bits);
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4)
        l.imageBytes = h.sizeImage ? h.sizeImage : (l.bitsOffset <= size ? size - l.bitsOffset : 0);
    else if (l.height > int64_t(size / l.rowBytes))
        return false;
    else
        l.imageBytes = l.rowBytes * uint64_t(l.height);
    if (l.bitsOffset > size || l.imageBytes > size - l.bitsOffset)
        return false;
    *layout = l;
    return true;
}

void ConvertDibRows(const BYTE* block, const DibLayout& l, BYTE* dst, uint64_t dstRowBytes)
{
    RowFormat format;
    format.bits = l.bits;
    format.table = block + l.headerSize + l.maskBytes;
    format.tableEntries = l.tableEntries;
    format.masks = l.compression == BI_BITFIELDS ? l.masks : nullptr;
    const BYTE* rows = block + l.bitsOffset;
    for (int64_t j = 0; j < l.height; ++j) {
        const BYTE* in = rows + uint64_t(l.topDown ? l.height - 1 - j : j) * l.rowBytes;
        ConvertRowToBGR(dst + uint64_t(j) * dstRowBytes, in, uint64_t(l.width), format);
    }
}

bool WriteFilePieces(const char* path, const FilePiece* pieces, size_t count)
{
    if (!path || !*path)
        return false;
    std::string temp = TempPathBeside(path);
    FILE* f = OpenImageFile(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = true;
    for (size_t i = 0; i < count && ok; ++i)
        ok = pieces[i].size == 0 || fwrite(pieces[i].data, 1, size_t(pieces[i].size), f) == pieces[i].size;
    ok = (fclose(f) == 0) && ok;
    ok = ok && ReplaceWithFile(temp.c_str(), path);
    if (!ok)
        RemoveImageFile(temp.c_str());
    return ok;
}

BITMAPFILEHEADER MakeFileHeader(uint64_t fileSize, uint64_t bitsOffset)
{
    BITMAPFILEHEADER h;
    memset(&h, 0, sizeof h);
    h.bfType = 0x4D42;
    h.bfSize = DWORD(fileSize);
    h.bfOffBits = DWORD(bitsOffset);
    return h;
}

}  // namespace image
}  // namespace mivo
