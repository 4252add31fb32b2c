// Clipboard data conversions: global blocks, packed DIBs and bitmaps.
#include "dialogs/ClipboardInternal.h"
#include "win32/globalmem.h"
#include "win32/paint.h"

#include <cstdint>

#include <cstring>

namespace mivo {

namespace {

const int kMaxSide = 16384;
const uint64_t kMaxPixels = 64ull * 1024 * 1024;

uint32_t Read32(const BYTE* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

void Write16(std::vector<BYTE>& out, size_t at, uint16_t v)
{
    out[at] = (BYTE)v;
    out[at + 1] = (BYTE)(v >> 8);
}

void Write32(std::vector<BYTE>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + (size_t)i] = (BYTE)(v >> (8 * i));
}

// Where the bits of a packed DIB start; 0 when the header is not one we read.
size_t BitsOffset(const std::vector<BYTE>& dib, int& width, int& height, int& bitCount)
{
    if (dib.size() < 12)
        return 0;
    uint32_t headerSize = Read32(dib.data());
    if (headerSize == 12) {
        width = dib[4] | (dib[5] << 8);
        height = dib[6] | (dib[7] << 8);
        bitCount = dib[10] | (dib[11] << 8);
        size_t colors = bitCount <= 8 ? ((size_t)1 << bitCount) : 0;
        return 12 + colors * 3;
    }
    if (headerSize < 40 || headerSize > dib.size())
        return 0;
    width = (int)Read32(dib.data() + 4);
    height = (int)Read32(dib.data() + 8);
    bitCount = dib[14] | (dib[15] << 8);
    uint32_t compression = Read32(dib.data() + 16);
    uint32_t used = Read32(dib.data() + 32);
    uint64_t colors = used ? used : (bitCount <= 8 ? (1ull << bitCount) : 0);
    if (colors > 256)
        return 0;
    uint64_t offset = headerSize + colors * 4;
    if (compression == 3 /* BI_BITFIELDS */ && headerSize == 40)
        offset += 12;
    return offset > dib.size() ? 0 : (size_t)offset;
}

}  // namespace

HGLOBAL GlobalFromBytes(const void* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!block)
        return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    if (size)
        std::memcpy(p, data, size);
    GlobalUnlock(block);
    return block;
}

std::vector<BYTE> BytesOfGlobal(HANDLE block)
{
    std::vector<BYTE> out;
    if (!block)
        return out;
    SIZE_T size = GlobalSize((HGLOBAL)block);
    const BYTE* p = (const BYTE*)GlobalLock((HGLOBAL)block);
    if (!p)
        return out;
    out.assign(p, p + size);
    GlobalUnlock((HGLOBAL)block);
    return out;
}

std::string TextOfGlobal(HANDLE block)
{
    std::vector<BYTE> bytes = BytesOfGlobal(block);
    size_t n = 0;
    while (n < bytes.size() && bytes[n])
        ++n;
    return std::string((const char*)bytes.data(), n);
}

bool PixelsFromPackedDib(const std::vector<BYTE>& dib, int& width, int& height, std::vector<uint32_t>& pixels)
{
    int w = 0, h = 0, bits = 0;
    size_t offset = BitsOffset(dib, w, h, bits);
    if (!offset || w <= 0 || h == 0 || h == INT32_MIN || w > kMaxSide)
        return false;
    int rows = h < 0 ? -h : h;
    if (rows > kMaxSide || (uint64_t)w * (uint64_t)rows > kMaxPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    uint64_t stride = (((uint64_t)w * (uint64_t)bits + 31) / 32) * 4;
    uint32_t compression = Read32(dib.data()) >= 40 ? Read32(dib.data() + 16) : 0;
    if ((compression == 0 || compression == 3) && offset + stride * (uint64_t)rows > dib.size())
        return false;

    // GDI reads every layout (palettes, bit fields, run-length data) into a 32-bit section.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -rows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* target = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &target, nullptr, 0) : nullptr;
    bool ok = false;
    if (section && target) {
        HGDIOBJ old = SelectObject(dc, section);
        int lines = SetDIBitsToDevice(dc, 0, 0, (DWORD)w, (DWORD)rows, 0, 0, 0, (UINT)rows, dib.data() + offset,
                                      (const BITMAPINFO*)dib.data(), DIB_RGB_COLORS);
        SelectObject(dc, old);
        if (lines > 0) {
            pixels.resize((size_t)w * (size_t)rows);
            const uint32_t* src = (const uint32_t*)target;
            for (size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = src[i] & 0x00FFFFFF;
            width = w;
            height = rows;
            ok = true;
        }
    }
    if (section)
        DeleteObject(section);
    if (dc)
        DeleteDC(dc);
    return ok;
}

std::vector<BYTE> PackedDibFromPixels(int width, int height, const std::vector<uint32_t>& pixels)
{
    std::vector<BYTE> out;
    if (width <= 0 || height <= 0 || pixels.size() != (size_t)width * (size_t)height)
        return out;
    size_t stride = (((size_t)width * 24 + 31) / 32) * 4;
    out.assign(40 + stride * (size_t)height, 0);
    Write32(out, 0, 40);
    Write32(out, 4, (uint32_t)width);
    Write32(out, 8, (uint32_t)height);
    Write16(out, 12, 1);
    Write16(out, 14, 24);
    Write32(out, 20, (uint32_t)(stride * (size_t)height));
    Write32(out, 24, 3780);  // 96 dots per inch
    Write32(out, 28, 3780);
    for (int y = 0; y < height; ++y) {
        BYTE* row = out.data() + 40 + stride * (size_t)(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[(size_t)y * (size_t)width + (size_t)x];
            row[x * 3] = (BYTE)p;
            row[x * 3 + 1] = (BYTE)(p >> 8);
            row[x * 3 + 2] = (BYTE)(p >> 16);
        }
    }
    return out;
}

HGLOBAL DibFromBitmap(HBITMAP bitmap)
{
    BITMAP bm = {};
    if (!bitmap || !GetObject(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    if (bm.bmWidth > kMaxSide || bm.bmHeight > kMaxSide)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    size_t stride = (((size_t)bm.bmWidth * 24 + 31) / 32) * 4;
    std::vector<BYTE> out(40 + stride * (size_t)bm.bmHeight, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = dc ? GetDIBits(dc, bitmap, 0, (UINT)bm.bmHeight, out.data() + 40, &info, DIB_RGB_COLORS) : 0;
    if (dc)
        DeleteDC(dc);
    if (lines <= 0)
        return nullptr;
    info.bmiHeader.biSizeImage = (DWORD)(stride * (size_t)bm.bmHeight);
    std::memcpy(out.data(), &info.bmiHeader, 40);
    return GlobalFromBytes(out.data(), out.size());
}

HBITMAP BitmapFromDib(HANDLE dib)
{
    std::vector<BYTE> bytes = BytesOfGlobal(dib);
    int w = 0, h = 0;
    std::vector<uint32_t> pixels;
    if (!PixelsFromPackedDib(bytes, w, h, pixels))
        return nullptr;
    std::vector<BYTE> packed = PackedDibFromPixels(w, h, pixels);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, (const BITMAPINFOHEADER*)packed.data(), CBM_INIT, packed.data() + 40,
                                    (const BITMAPINFO*)packed.data(), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace mivo
