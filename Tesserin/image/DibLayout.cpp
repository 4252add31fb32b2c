#include "image/DibLayout.h"

#include "image/ImageFile.h"

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

}  // namespace

bool ReadDibLayout(const BYTE* block, uint64_t size, bool pixelsNeeded, DibLayout* layout)
{
    *layout = DibLayout();
    if (!block || size < 40)
        return false;
    DibLayout l;
    l.headerSize = ReadAt<DWORD>(block, 0);
    if (l.headerSize < 40 || l.headerSize > size)
        return false;
    l.width = ReadAt<LONG>(block, 4);
    int64_t height = ReadAt<LONG>(block, 8);
    l.topDown = height < 0;
    l.height = l.topDown ? -height : height;
    l.bits = ReadAt<WORD>(block, 14);
    l.compression = ReadAt<DWORD>(block, 16);
    const DWORD sizeImage = ReadAt<DWORD>(block, 20);
    const DWORD clrUsed = ReadAt<DWORD>(block, 32);
    if (l.width <= 0 || l.height <= 0 || !KnownDepth(l.bits) || !KnownCompression(l.compression, l.bits, pixelsNeeded))
        return false;
    if (l.compression == BI_BITFIELDS) {
        // A plain info header is followed by the three masks; the later
        // headers hold them at the same place inside.
        l.maskBytes = l.headerSize == 40 ? 12 : 0;
        if (40 + 12 > size)
            return false;
        for (int k = 0; k < 3; ++k)
            l.masks[k] = ReadAt<DWORD>(block, 40 + 4 * uint64_t(k));
    }
    l.tableEntries = clrUsed ? clrUsed : l.bits <= 8 ? (uint64_t(1) << l.bits) : 0;
    l.bitsOffset = l.headerSize + l.maskBytes + 4 * l.tableEntries;
    l.rowBytes = ((uint64_t(l.bits) * uint64_t(l.width) + 31) / 32) * 4;
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4)
        l.imageBytes = sizeImage ? sizeImage : (l.bitsOffset <= size ? size - l.bitsOffset : 0);
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
    const BYTE* table = block + l.headerSize + l.maskBytes;
    const BYTE* rows = block + l.bitsOffset;
    const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]);
    const bool fields = l.compression == BI_BITFIELDS;
    static const BYTE black[4] = {0, 0, 0, 0};
    for (int64_t j = 0; j < l.height; ++j) {
        const BYTE* in = rows + uint64_t(l.topDown ? l.height - 1 - j : j) * l.rowBytes;
        BYTE* out = dst + uint64_t(j) * dstRowBytes;
        for (int64_t x = 0; x < l.width; ++x, out += 3) {
            switch (l.bits) {
            case 24:
                memcpy(out, in + 3 * x, 3);
                break;
            case 32:
            case 16: {
                DWORD px = l.bits == 32 ? ReadAt<DWORD>(in, 4 * uint64_t(x)) : ReadAt<WORD>(in, 2 * uint64_t(x));
                if (fields) {
                    out[0] = blue(px);
                    out[1] = green(px);
                    out[2] = red(px);
                } else if (l.bits == 32) {
                    memcpy(out, in + 4 * x, 3);
                } else {
                    out[0] = BYTE((px & 0x1F) << 3);
                    out[1] = BYTE(((px >> 5) & 0x1F) << 3);
                    out[2] = BYTE(((px >> 10) & 0x1F) << 3);
                }
                break;
            }
            default: {
                // Index bits from the most significant end of each byte.
                const uint64_t bit = uint64_t(x) * uint64_t(l.bits);
                const int shift = 8 - l.bits - int(bit % 8);
                const uint64_t index = (in[bit / 8] >> shift) & ((1u << l.bits) - 1);
                const BYTE* entry = index < l.tableEntries ? table + 4 * index : black;
                memcpy(out, entry, 3);
                break;
            }
            }
        }
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
