#include "twain/PackedDib.h"

#include "win32/gdi.h"
#include "win32/globalmem.h"

#include <cstring>

namespace mivo::twain {

namespace {

// Larger pictures than this are refused rather than half-allocated.
const uint64_t kMaxPixelBytes = uint64_t(1) << 31;

int TableEntries(int bits)
{
    return bits == 1 ? 2 : bits == 8 ? 256 : 0;
}

void FillTable(RGBQUAD* table, int entries)
{
    for (int i = 0; i < entries; i++) {
        BYTE level = BYTE(entries == 2 ? i * 255 : i);
        table[i].rgbBlue = table[i].rgbGreen = table[i].rgbRed = level;
        table[i].rgbReserved = 0;
    }
}

}  // namespace

PackedDib::~PackedDib()
{
    if (m_handle) {
        GlobalUnlock(m_handle);
        GlobalFree(m_handle);
    }
}

bool PackedDib::Create(int width, int height, int bits, int dotsPerInch)
{
    if (m_handle || width <= 0 || height <= 0 || (bits != 1 && bits != 8 && bits != 24))
        return false;
    uint64_t rowBytes = RowBytesFor(width, bits);
    uint64_t pixelBytes = rowBytes * uint64_t(height);
    if (pixelBytes > kMaxPixelBytes)
        return false;
    int entries = TableEntries(bits);
    uint64_t headerBytes = sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD);
    m_handle = GlobalAlloc(GHND, SIZE_T(headerBytes + pixelBytes));
    BYTE* block = m_handle ? (BYTE*)GlobalLock(m_handle) : nullptr;
    if (!block) {
        if (m_handle)
            GlobalFree(m_handle);
        m_handle = nullptr;
        return false;
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = WORD(bits);
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(pixelBytes);
    header.biXPelsPerMeter = header.biYPelsPerMeter = LONG(dotsPerInch * 10000 / 254);
    header.biClrUsed = DWORD(entries);
    memcpy(block, &header, sizeof(header));
    FillTable((RGBQUAD*)(block + sizeof(header)), entries);
    m_bits = block + headerBytes;
    m_height = height;
    m_rowBytes = rowBytes;
    return true;
}

BYTE* PackedDib::Row(int yTop)
{
    if (!m_bits || yTop < 0 || yTop >= m_height)
        return nullptr;
    return m_bits + uint64_t(m_height - 1 - yTop) * m_rowBytes;
}

HGLOBAL PackedDib::Release()
{
    HGLOBAL handle = m_handle;
    if (handle)
        GlobalUnlock(handle);
    m_handle = nullptr;
    m_bits = nullptr;
    return handle;
}

}  // namespace mivo::twain
