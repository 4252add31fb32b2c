#include "image/BMPFile.h"

#include "image/DibHeader.h"
#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"
#include "image/PixelRows.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

using namespace mivo::image;

namespace {

const uint32_t kFileHeaderBytes = 14;
// A colour file cut short still shows the rows it has, as long as it holds
// at least this share (1/n) of the rows it declares: a tiny file never
// costs the memory of the picture it claims.
const uint64_t kLeastShareOfRowsPresent = 2;

inline uint32_t Le32(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
inline void PutLe16(BYTE* p, uint32_t v) { p[0] = BYTE(v); p[1] = BYTE(v >> 8); }
inline void PutLe32(BYTE* p, uint32_t v) { PutLe16(p, v); PutLe16(p + 2, v >> 16); }

// What the loaders need to know of a file, beyond the BITMAP fields.
struct BmpLayout {
    uint64_t width = 0;
    uint64_t height = 0;
    bool topDown = false;
    int planes = 0;
    int bits = 0;
    uint32_t colours = 0;       // palette entries read; indexes past them come out black
    BYTE palette[256 * 4] = {};  // blue, green, red, unused
    uint64_t dataOffset = 0;
    uint64_t bytesRead = 0;
    uint64_t rowBytes = 0;      // one file row
};

bool IsKnownDepth(int bits)
{
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool ReadCounted(FILE* file, void* buf, size_t n, BmpLayout* layout)
{
    size_t got = fread(buf, 1, n, file);
    layout->bytesRead += got;
    return got == n;
}

// Reads and drops bytes up to the pixel data.
bool SkipTo(FILE* file, uint64_t offset, BmpLayout* layout)
{
    BYTE chunk[512];
    while (layout->bytesRead < offset) {
        size_t n = size_t(min(uint64_t(sizeof chunk), offset - layout->bytesRead));
        if (!ReadCounted(file, chunk, n, layout))
            return false;
    }
    return true;
}

bool ParseHeaders(FILE* file, BmpLayout* layout)
{
    BYTE h[kFileHeaderBytes + kInfoHeaderBytes];
    if (!ReadCounted(file, h, sizeof h, layout))
        return false;
    if (h[0] != 'B' || h[1] != 'M')
        return false;
    layout->dataOffset = Le32(h + 10);
    DibHeader info;
    // Later header versions keep the same first 40 bytes; their palette
    // follows the header's own size.
    if (!ReadDibHeader(h + kFileHeaderBytes, kInfoHeaderBytes, &info))
        return false;
    layout->planes = info.planes;
    layout->bits = info.bits;
    if (info.compression != 0 || !IsKnownDepth(layout->bits))
        return false;
    if (info.width <= 0 || info.height == 0)
        return false;
    layout->width = uint64_t(info.width);
    layout->topDown = info.topDown;
    layout->height = uint64_t(info.height);
    // Even a reduced load holds one whole row: a row the library could not hold is refused.
    if (PixelBlockBytes(layout->width, 1) == 0)
        return false;
    layout->rowBytes = DibRowBytes(layout->width, layout->bits);
    if (!SkipTo(file, kFileHeaderBytes + uint64_t(info.headerSize), layout))
        return false;

    if (layout->bits <= 8) {
        uint32_t full = 1u << layout->bits;
        uint32_t n = info.coloursUsed == 0 || info.coloursUsed > full ? full : info.coloursUsed;
        if (!ReadCounted(file, layout->palette, n * 4, layout))
            return false;
        layout->colours = n;
    }
    if (layout->bytesRead > layout->dataOffset)
        return false;
    return SkipTo(file, layout->dataOffset, layout);
}

// Opens a file and reads up to its pixel data; NULL when it is refused.
FILE* OpenBmp(const char* path, BmpLayout* layout)
{
    FILE* file = OpenImageFile(path, "rb");
    if (!file)
        return nullptr;
    if (!ParseHeaders(file, layout)) {
        fclose(file);
        return nullptr;
    }
    return file;
}

// One file row into blue-green-red.
void ConvertRow(BYTE* dst, const BYTE* src, const BmpLayout& layout)
{
    RowFormat format;
    format.bits = layout.bits;
    format.table = layout.palette;
    format.tableEntries = layout.colours;
    ConvertRowToBGR(dst, src, layout.width, format);
}

// Whether the file behind the pixel data holds enough of the rows the
// header declares. Palette rows cannot be cut (the loaders refuse them), so
// palette files need all of them.
bool HoldsRows(FILE* file, const BmpLayout& layout)
{
    struct stat st;
    if (fstat(fileno(file), &st) != 0 || uint64_t(st.st_size) < layout.dataOffset)
        return false;
    const uint64_t present = (uint64_t(st.st_size) - layout.dataOffset) / layout.rowBytes;
    if (layout.bits <= 8)
        return present >= layout.height;
    return present >= layout.height / kLeastShareOfRowsPresent + layout.height % kLeastShareOfRowsPresent;
}

struct LoadContext {
    CWnd* wnd;
    int* interrupt;
};

// Whole load. Palette rows that cannot be read fail the load; short colour
// rows stay unfilled.
BYTE* LoadWhole(FILE* file, const BmpLayout& layout, const LoadContext& ctx)
{
    uint64_t bytes = PixelBlockBytes(layout.width, layout.height);
    if (bytes == 0 || !HoldsRows(file, layout))
        return nullptr;
    // 24-bit rows are read whole, padding included, so their block is not
    // cleared first: on a fresh process that clearing cost as much as the read.
    PixelBlock result;
    result.Replace(AllocPixelBlock(bytes, layout.bits != 24));
    std::unique_ptr<BYTE[]> rowBuf(new (std::nothrow) BYTE[size_t(layout.rowBytes + 1)]);
    if (!result || !rowBuf)
        return nullptr;
    uint64_t rowBytes = RowBytes24(layout.width);
    for (uint64_t i = 0; i < layout.height; ++i) {
        if (IsInterrupted(ctx.interrupt))
            return nullptr;
        SendRowProgress(ctx.wnd, ctx.interrupt, i, layout.height);
        BYTE* row = result + (layout.topDown ? layout.height - 1 - i : i) * rowBytes;
        if (layout.bits == 24) {
            // A row read in part, or past the end of the file, is left black.
            if (fread(row, 1, size_t(layout.rowBytes), file) != layout.rowBytes)
                memset(row, 0, size_t(rowBytes));
            continue;
        }
        bool whole = fread(rowBuf.get(), 1, size_t(layout.rowBytes), file) == layout.rowBytes;
        if (whole)
            ConvertRow(row, rowBuf.get(), layout);
        else if (layout.bits <= 8)
            return nullptr;
    }
    return result.Release();
}

// Reduced or enlarged load. Result rows are visited in file order, so the
// file is read forward only; a source row is kept while rows repeat it.
BYTE* LoadSampled(FILE* file, const BmpLayout& layout, uint64_t w, uint64_t h, const LoadContext& ctx)
{
    if (!HoldsRows(file, layout))
        return nullptr;
    PixelBlock result;
    result.Replace(AllocPixelBlock(PixelBlockBytes(w, h), true));
    if (!result)
        return nullptr;
    std::unique_ptr<BYTE[]> rowBuf(new (std::nothrow) BYTE[size_t(layout.rowBytes + 1)]);
    std::unique_ptr<BYTE[]> source(new (std::nothrow) BYTE[size_t(layout.width * 3)]);
    std::unique_ptr<uint32_t[]> columns(new (std::nothrow) uint32_t[size_t(w)]);
    if (!rowBuf || !source || !columns) {
        return nullptr;
    }
    BuildColumnOffsets(columns.get(), uint32_t(w), uint32_t(layout.width));
    uint64_t rowBytes = RowBytes24(w);
    uint64_t nextFileRow = 0;
    bool haveSource = false;
    for (uint64_t k = 0; k < h; ++k) {
        if (IsInterrupted(ctx.interrupt)) {
            return nullptr;
        }
        SendRowProgress(ctx.wnd, ctx.interrupt, k, h);
        uint64_t y = layout.topDown ? h - 1 - k : k;   // memory row of the result
        uint64_t s = y * layout.height / h;             // memory row of the picture
        uint64_t fileRow = layout.topDown ? layout.height - 1 - s : s;
        if (!haveSource || fileRow >= nextFileRow) {
            uint64_t skip = (fileRow - nextFileRow) * layout.rowBytes;
            bool whole = (skip == 0 || fseeko(file, off_t(skip), SEEK_CUR) == 0) &&
                         fread(rowBuf.get(), 1, size_t(layout.rowBytes), file) == layout.rowBytes;
            nextFileRow = fileRow + 1;
            if (!whole && layout.bits <= 8) {
                return nullptr;
            }
            if (whole)
                ConvertRow(source.get(), rowBuf.get(), layout);
            else
                memset(source.get(), 0, size_t(layout.width * 3));
            haveSource = true;
        }
        SampleRow(result + y * rowBytes, source.get(), columns.get(), uint32_t(w));
    }
    return result.Release();
}

void SetOut(UINT* p, uint64_t v)
{
    if (p)
        *p = UINT(v);
}

// Header of a written file: file header and the 40-byte info header.
void FillHeader(BYTE* h, uint32_t fileSize, uint32_t dataOffset, UINT width, UINT height, int bits,
                uint32_t imageSize, uint32_t colours)
{
    memset(h, 0, kFileHeaderBytes + kInfoHeaderBytes);
    h[0] = 'B';
    h[1] = 'M';
    PutLe32(h + 2, fileSize);
    PutLe32(h + 10, dataOffset);
    PutLe32(h + 14, kInfoHeaderBytes);
    PutLe32(h + 18, width);
    PutLe32(h + 22, height);
    PutLe16(h + 26, 1);
    PutLe16(h + 28, uint32_t(bits));
    PutLe32(h + 34, imageSize);
    PutLe32(h + 46, colours);
    PutLe32(h + 50, colours);
}

bool CloseWritten(FILE* file, bool ok)
{
    return fclose(file) == 0 && ok;
}

}  // namespace

CBMPFile::CBMPFile() : CBMPFile(nullptr, nullptr) {}

CBMPFile::CBMPFile(CWnd* progressWnd, int* interrupt) : m_pProgressWnd(progressWnd), m_pInterrupt(interrupt) {}

CBMPFile::~CBMPFile() {}

#ifdef BI_RGB
FILE* CBMPFile::ReadBMPHeader(CString path, BITMAP* bm, RGBQUAD** palette, DWORD* bytesRead, long* dataOffset)
{
    if (palette)
        *palette = nullptr;
    BmpLayout layout;
    FILE* file = OpenBmp((LPCSTR)path, &layout);
    if (bytesRead)
        *bytesRead += DWORD(layout.bytesRead);
    if (!file)
        return nullptr;
    if (bm) {
        memset(bm, 0, sizeof *bm);
        bm->bmWidth = LONG(layout.width);
        bm->bmHeight = LONG(layout.height);
        bm->bmWidthBytes = LONG(layout.rowBytes);
        bm->bmPlanes = WORD(layout.planes);
        bm->bmBitsPixel = WORD(layout.bits);
    }
    if (palette && layout.bits <= 8) {
        RGBQUAD* table = new (std::nothrow) RGBQUAD[layout.colours];
        if (!table) {
            fclose(file);
            return nullptr;
        }
        for (uint32_t i = 0; i < layout.colours; ++i) {
            table[i].rgbBlue = layout.palette[4 * i];
            table[i].rgbGreen = layout.palette[4 * i + 1];
            table[i].rgbRed = layout.palette[4 * i + 2];
            table[i].rgbReserved = 0;
        }
        *palette = table;
    }
    if (dataOffset)
        *dataOffset = long(layout.dataOffset);
    return file;
}

#endif

BYTE* CBMPFile::LoadBMP(CString path, UINT* width, UINT* height)
{
    SetOut(width, 0);
    SetOut(height, 0);
    BmpLayout layout;
    FILE* file = OpenBmp((LPCSTR)path, &layout);
    if (!file)
        return nullptr;
    BYTE* result = LoadWhole(file, layout, LoadContext{m_pProgressWnd, m_pInterrupt});
    fclose(file);
    if (!result)
        return nullptr;
    SetOut(width, layout.width);
    SetOut(height, layout.height);
    SendProgress(m_pProgressWnd, m_pInterrupt, 100);
    return result;
}

BYTE* CBMPFile::LoadBMPScaled(const char* path, UINT ratio, UINT* width, UINT* height)
{
    SetOut(width, 0);
    SetOut(height, 0);
    if (ratio == 0)
        return nullptr;
    BmpLayout layout;
    FILE* file = OpenBmp(path, &layout);
    if (!file)
        return nullptr;
    uint64_t w = max(uint64_t(1), layout.width * ratio / 1000);
    uint64_t h = max(uint64_t(1), layout.height * ratio / 1000);
    if (PixelBlockBytes(w, h) == 0) {
        ShowMessage("BMPFile :\nOut of memory", MB_ICONERROR);
        fclose(file);
        return nullptr;
    }
    BYTE* result = LoadSampled(file, layout, w, h, LoadContext{m_pProgressWnd, m_pInterrupt});
    fclose(file);
    if (!result)
        return nullptr;
    SetOut(width, w);
    SetOut(height, h);
    SendProgress(m_pProgressWnd, m_pInterrupt, 100);
    return result;
}

UINT CBMPFile::GetBMPWidth(CString path)
{
    CSize size;
    GetBMPSize(path, &size);
    return UINT(size.cx);
}

UINT CBMPFile::GetBMPHeight(CString path)
{
    CSize size;
    GetBMPSize(path, &size);
    return UINT(size.cy);
}

BOOL CBMPFile::GetBMPSize(CString path, CSize* size)
{
    BmpLayout layout;
    FILE* file = OpenBmp((LPCSTR)path, &layout);
    if (file)
        fclose(file);
    if (size) {
        size->cx = file ? LONG(layout.width) : 0;
        size->cy = file ? LONG(layout.height) : 0;
    }
    return file != nullptr;
}

BOOL CBMPFile::SaveBMP(CString path, BYTE* data, UINT width, UINT height)
{
    uint64_t bytes = PixelBlockBytes(width, height);
    if (!data || bytes == 0)
        return FALSE;
    FILE* file = OpenImageFile((LPCSTR)path, "wb");
    if (!file)
        return FALSE;
    const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
    BYTE header[offset];
    FillHeader(header, uint32_t(bytes + offset), offset, width, height, 24, 0, 0);
    bool ok = fwrite(header, 1, sizeof header, file) == sizeof header;
    uint64_t rowBytes = RowBytes24(width);
    for (uint64_t i = 0; ok && i < height; ++i) {
        SendRowProgress(m_pProgressWnd, m_pInterrupt, i, height);
        ok = fwrite(data + i * rowBytes, 1, size_t(rowBytes), file) == rowBytes;
    }
    return CloseWritten(file, ok);
}

#ifdef BI_RGB
BOOL CBMPFile::SaveBMP(CString path, BYTE* data, UINT width, UINT height, int bits, int colours, RGBQUAD* palette)
{
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8)
        return FALSE;
    colours = colours < 0 ? 0 : min(colours, 1 << bits);
    uint64_t rowBytes = DibRowBytes(width, bits);
    uint64_t imageBytes = rowBytes * height;
    if (!data || width == 0 || height == 0 || (colours > 0 && !palette) || PixelBlockBytes(width, height) == 0)
        return FALSE;
    std::vector<BYTE> row(static_cast<size_t>(rowBytes));
    FILE* file = OpenImageFile((LPCSTR)path, "wb");
    if (!file)
        return FALSE;
    const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + uint32_t(colours) * 4;
    BYTE header[kFileHeaderBytes + kInfoHeaderBytes];
    FillHeader(header, uint32_t(imageBytes + offset), offset, width, height, bits, uint32_t(imageBytes),
               uint32_t(colours));
    bool ok = fwrite(header, 1, sizeof header, file) == sizeof header;
    for (int i = 0; ok && i < colours; ++i) {
        BYTE entry[4] = {palette[i].rgbBlue, palette[i].rgbGreen, palette[i].rgbRed, 0};
        ok = fwrite(entry, 1, 4, file) == 4;
    }
    const uint32_t mask = (1u << bits) - 1;
    const int perByte = 8 / bits;
    for (uint64_t y = 0; ok && y < height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        const BYTE* src = data + y * width;
        for (uint64_t x = 0; x < width; ++x) {
            int shift = 8 - bits * (1 + int(x % perByte));
            row[size_t(x / perByte)] |= BYTE((src[x] & mask) << shift);
        }
        ok = fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    return CloseWritten(file, ok);
}
#endif
