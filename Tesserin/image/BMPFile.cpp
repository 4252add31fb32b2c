#include "image/BMPFile.h"

#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

using namespace mivo::image;

namespace {

const uint32_t kFileHeaderBytes = 14;
const uint32_t kInfoHeaderBytes = 40;

inline uint32_t Le16(const BYTE* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t Le32(const BYTE* p) { return Le16(p) | Le16(p + 2) << 16; }
inline void PutLe16(BYTE* p, uint32_t v) { p[0] = BYTE(v); p[1] = BYTE(v >> 8); }
inline void PutLe32(BYTE* p, uint32_t v) { PutLe16(p, v); PutLe16(p + 2, v >> 16); }

inline uint64_t FileRowBytes(uint64_t width, int bits) { return ((width * bits + 31) / 32) * 4; }

// What the loaders need to know of a file, beyond the BITMAP fields.
struct BmpLayout {
    uint64_t width = 0;
    uint64_t height = 0;
    bool topDown = false;
    int planes = 0;
    int bits = 0;
    uint32_t colours = 0;       // palette entries read
    BYTE palette[256 * 3] = {};  // blue, green, red; entries past `colours` stay black
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
    uint32_t headerSize = Le32(h + 14);
    int32_t width = int32_t(Le32(h + 18));
    int32_t height = int32_t(Le32(h + 22));
    layout->planes = int(Le16(h + 26));
    layout->bits = int(Le16(h + 28));
    uint32_t compression = Le32(h + 30);
    uint32_t coloursUsed = Le32(h + 46);
    // Later header versions keep the same first 40 bytes; their palette
    // follows the header's own size.
    if (headerSize < kInfoHeaderBytes || compression != 0 || !IsKnownDepth(layout->bits))
        return false;
    if (width <= 0 || height == 0)
        return false;
    layout->width = uint64_t(width);
    layout->topDown = height < 0;
    layout->height = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    // Even a reduced load holds one whole row: a row the library could not hold is refused.
    if (PixelBlockBytes(layout->width, 1) == 0)
        return false;
    layout->rowBytes = FileRowBytes(layout->width, layout->bits);
    if (!SkipTo(file, kFileHeaderBytes + uint64_t(headerSize), layout))
        return false;

    if (layout->bits <= 8) {
        uint32_t full = 1u << layout->bits;
        uint32_t n = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
        BYTE entries[256 * 4];
        if (!ReadCounted(file, entries, n * 4, layout))
            return false;
        for (uint32_t i = 0; i < n; ++i)
            memcpy(layout->palette + 3 * i, entries + 4 * i, 3);
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
    uint64_t width = layout.width;
    switch (layout.bits) {
    case 32:
        for (uint64_t x = 0; x < width; ++x, dst += 3, src += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
        return;
    case 24:
        memcpy(dst, src, size_t(width * 3));
        return;
    case 16:
        for (uint64_t x = 0; x < width; ++x, dst += 3, src += 2) {
            uint32_t v = Le16(src);
            dst[0] = BYTE((v & 31) << 3);
            dst[1] = BYTE(((v >> 5) & 31) << 3);
            dst[2] = BYTE(((v >> 10) & 31) << 3);
        }
        return;
    default:
        break;
    }
    int bits = layout.bits;
    uint32_t mask = (1u << bits) - 1;
    int perByte = 8 / bits;
    for (uint64_t x = 0; x < width; ++x, dst += 3) {
        int shift = 8 - bits * (1 + int(x % perByte));
        uint32_t index = (src[x / perByte] >> shift) & mask;
        memcpy(dst, layout.palette + 3 * index, 3);
    }
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
    BYTE* result = AllocPixelBlock(bytes, true);
    std::unique_ptr<BYTE[]> rowBuf(new (std::nothrow) BYTE[size_t(layout.rowBytes + 1)]);
    if (!result || !rowBuf) {
        delete[] result;
        return nullptr;
    }
    uint64_t rowBytes = RowBytes24(layout.width);
    for (uint64_t i = 0; i < layout.height; ++i) {
        if (IsInterrupted(ctx.interrupt)) {
            delete[] result;
            return nullptr;
        }
        SendRowProgress(ctx.wnd, ctx.interrupt, i, layout.height);
        BYTE* row = result + (layout.topDown ? layout.height - 1 - i : i) * rowBytes;
        if (layout.bits == 24) {
            if (fread(row, 1, size_t(layout.rowBytes), file) != layout.rowBytes)
                memset(row, 0, size_t(rowBytes));
            continue;
        }
        bool whole = fread(rowBuf.get(), 1, size_t(layout.rowBytes), file) == layout.rowBytes;
        if (whole)
            ConvertRow(row, rowBuf.get(), layout);
        else if (layout.bits <= 8) {
            delete[] result;
            return nullptr;
        }
    }
    return result;
}

// Reduced or enlarged load. Result rows are visited in file order, so the
// file is read forward only; a source row is kept while rows repeat it.
BYTE* LoadSampled(FILE* file, const BmpLayout& layout, uint64_t w, uint64_t h, const LoadContext& ctx)
{
    BYTE* result = AllocPixelBlock(PixelBlockBytes(w, h), true);
    if (!result)
        return nullptr;
    std::unique_ptr<BYTE[]> rowBuf(new (std::nothrow) BYTE[size_t(layout.rowBytes + 1)]);
    std::unique_ptr<BYTE[]> source(new (std::nothrow) BYTE[size_t(layout.width * 3)]);
    std::unique_ptr<uint32_t[]> columns(new (std::nothrow) uint32_t[size_t(w)]);
    if (!rowBuf || !source || !columns) {
        delete[] result;
        return nullptr;
    }
    BuildColumnOffsets(columns.get(), uint32_t(w), uint32_t(layout.width));
    uint64_t rowBytes = RowBytes24(w);
    uint64_t nextFileRow = 0;
    bool haveSource = false;
    for (uint64_t k = 0; k < h; ++k) {
        if (IsInterrupted(ctx.interrupt)) {
            delete[] result;
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
                delete[] result;
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
    return result;
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
            table[i].rgbBlue = layout.palette[3 * i];
            table[i].rgbGreen = layout.palette[3 * i + 1];
            table[i].rgbRed = layout.palette[3 * i + 2];
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
    uint64_t rowBytes = FileRowBytes(width, bits);
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
