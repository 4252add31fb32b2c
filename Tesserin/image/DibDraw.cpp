#include "image/DibDraw.h"

#include "image/DibLayout.h"
#include "image/ImageFile.h"
#include "image/ImageNotifier.h"
#include "image/PixelBlock.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

using namespace mivo::image;

namespace {

// Copies at most cap - 1 bytes, never ending inside a double-byte character.
void CopyBounded(char* dst, size_t cap, const char* src)
{
    size_t n = 0;
    while (src && src[n]) {
        size_t step = IsDBCSLeadByte(BYTE(src[n])) && src[n + 1] ? 2 : 1;
        if (n + step > cap - 1)
            break;
        n += step;
    }
    if (n)
        memcpy(dst, src, n);
    dst[n] = '\0';
}

std::string Format(const char* format, const char* path)
{
    int n = snprintf(nullptr, 0, format, path);
    std::string text(n > 0 ? size_t(n) : 0, '\0');
    if (n > 0)
        snprintf(&text[0], size_t(n) + 1, format, path);
    return text;
}

// Closes the file in every case.
struct OpenFile {
    FILE* f;
    explicit OpenFile(const char* path) : f(OpenImageFile(path, "rb")) {}
    ~OpenFile()
    {
        if (f)
            fclose(f);
    }
    uint64_t Size() const
    {
        long here = ftell(f);
        if (here < 0 || fseek(f, 0, SEEK_END) != 0)
            return 0;
        long end = ftell(f);
        fseek(f, here, SEEK_SET);
        return end < 0 ? 0 : uint64_t(end);
    }
};

}  // namespace

CDibDraw::CDibDraw(const char* path)
    : m_pInfoHeader(nullptr), m_pCoreHeader(nullptr), m_nWidth(0), m_nHeight(0), m_hLogPalette(nullptr),
      m_pLogPalette(nullptr), m_hDib(nullptr), m_pDib(nullptr), m_nColors(0), m_bWinDib(0),
      m_nDibBytes(0), m_nRowsOffset(0)
{
    m_szError[0] = '\0';
    memset(&m_FileHeader, 0, sizeof m_FileHeader);
    CopyBounded(m_szFileName, sizeof m_szFileName, path);
    if (!Load(path))
        ShowMessage(m_szError, MB_OK);
}

CDibDraw::~CDibDraw()
{
    FreeDib();
    m_pPalette.reset();
    if (m_hLogPalette) {
        GlobalUnlock(m_hLogPalette);
        GlobalFree(m_hLogPalette);
    }
}

bool CDibDraw::Fail(const char* format, const char* path)
{
    CopyBounded(m_szError, sizeof m_szError, Format(format, path ? path : "").c_str());
    return false;
}

void CDibDraw::FreeDib()
{
    if (m_hDib) {
        GlobalUnlock(m_hDib);
        GlobalFree(m_hDib);
    }
    m_hDib = nullptr;
    m_pDib = nullptr;
    m_pInfoHeader = nullptr;
    m_pCoreHeader = nullptr;
}

// Every size in the file is checked against the bytes the file really has.
bool CDibDraw::Load(const char* path)
{
    OpenFile file(path);
    if (!file.f)
        return Fail("%s 화일이 없습니다", path);
    const uint64_t fileSize = file.Size();
    if (fread(&m_FileHeader, 1, sizeof m_FileHeader, file.f) != sizeof m_FileHeader)
        return Fail("%s BMPHEADER 를 읽을수 없습니다!", path);
    if (m_FileHeader.bfType != 0x4D42)
        return Fail("%s BMP 화일이 아닙니다.", path);
    // A size field that the file cannot hold is not trusted: the file's own
    // length decides.
    uint64_t total = m_FileHeader.bfSize;
    if (total < sizeof m_FileHeader || total > fileSize)
        total = fileSize;
    const uint64_t dibBytes = total - sizeof m_FileHeader;
    if (dibBytes < sizeof(BITMAPCOREHEADER) || dibBytes > kMaxPixelBlockBytes)
        return Fail("%s 화일을 읽을수 없습니다.", path);
    // Zeroed spare bytes after the data: drawing code that looks for masks
    // after a header of an unusual size finds zeros there, not another block.
    m_hDib = GlobalAlloc(GHND, SIZE_T(dibBytes + 16));
    m_pDib = m_hDib ? static_cast<BYTE*>(GlobalLock(m_hDib)) : nullptr;
    if (!m_pDib) {
        FreeDib();
        return Fail("%s 메모리가 부족합니다.", path);
    }
    if (fread(m_pDib, 1, size_t(dibBytes), file.f) != dibBytes) {
        FreeDib();
        return Fail("%s 화일을 읽을수 없습니다.", path);
    }
    m_nDibBytes = DWORD(dibBytes);
    m_FileHeader.bfSize = DWORD(total);

    DWORD headerSize;
    memcpy(&headerSize, m_pDib, sizeof headerSize);
    m_pInfoHeader = reinterpret_cast<BITMAPINFOHEADER*>(m_pDib);
    m_pCoreHeader = reinterpret_cast<BITMAPCOREHEADER*>(m_pDib);
    uint64_t rowsOffset;
    if (headerSize >= sizeof(BITMAPINFOHEADER)) {
        DibLayout layout;
        if (!ReadDibLayout(m_pDib, dibBytes, false, &layout)) {
            FreeDib();
            return Fail("%s 화일을 읽을수 없습니다.", path);
        }
        m_bWinDib = 1;
        m_nWidth = int(layout.width);
        m_nHeight = int(layout.height);
        m_nColors = int(layout.tableEntries);
        rowsOffset = layout.bitsOffset;
    } else if (headerSize == sizeof(BITMAPCOREHEADER)) {
        const BITMAPCOREHEADER& core = *m_pCoreHeader;
        const int bits = core.bcBitCount;
        m_bWinDib = 0;
        m_nWidth = core.bcWidth;
        m_nHeight = core.bcHeight;
        m_nColors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
        rowsOffset = headerSize + uint64_t(m_nColors) * 3;
        const uint64_t rows = ((uint64_t(bits) * m_nWidth + 31) / 32) * 4 * m_nHeight;
        if ((bits != 1 && bits != 4 && bits != 8 && bits != 24) || rowsOffset > dibBytes ||
            rows > dibBytes - rowsOffset) {
            FreeDib();
            return Fail("%s 화일을 읽을수 없습니다.", path);
        }
    } else {
        FreeDib();
        return Fail("%s BMP 화일이 아닙니다.", path);
    }
    m_nRowsOffset = DWORD(rowsOffset);
    MakePalette(path);
    return true;
}

void CDibDraw::MakePalette(const char* path)
{
    if (m_nColors <= 0)
        return;
    // A logical palette holds at most 256 entries; the colour table may list more.
    const int entries = min(m_nColors, 256);
    const size_t bytes = sizeof(LOGPALETTE) + size_t(entries) * sizeof(PALETTEENTRY);
    m_hLogPalette = GlobalAlloc(GHND, bytes);
    m_pLogPalette = m_hLogPalette ? static_cast<LOGPALETTE*>(GlobalLock(m_hLogPalette)) : nullptr;
    if (!m_pLogPalette) {
        if (m_hLogPalette)
            GlobalFree(m_hLogPalette);
        m_hLogPalette = nullptr;
        Fail("%s palette 메모리가 부족합니다.", path);
        return;
    }
    m_pLogPalette->palVersion = 0x300;
    m_pLogPalette->palNumEntries = WORD(entries);
    const BYTE* table = m_pDib + (m_bWinDib ? m_pInfoHeader->biSize : sizeof(BITMAPCOREHEADER));
    if (m_bWinDib && m_pInfoHeader->biCompression == BI_BITFIELDS && m_pInfoHeader->biSize == sizeof(BITMAPINFOHEADER))
        table += 12;
    const size_t step = m_bWinDib ? 4 : 3;
    for (int i = 0; i < entries; ++i) {
        const BYTE* e = table + size_t(i) * step;
        m_pLogPalette->palPalEntry[i].peRed = e[2];
        m_pLogPalette->palPalEntry[i].peGreen = e[1];
        m_pLogPalette->palPalEntry[i].peBlue = e[0];
        m_pLogPalette->palPalEntry[i].peFlags = 0;
    }
    AdoptPalette(m_pLogPalette);
}

// The palette object replaces the one held before.
bool CDibDraw::AdoptPalette(LOGPALETTE* log)
{
    std::unique_ptr<CPalette> palette(new (std::nothrow) CPalette);
    if (!palette || !palette->CreatePalette(log))
        return false;
    m_pPalette = std::move(palette);
    return true;
}

// Selects the own palette as background palette; the DC's old one comes back.
HPALETTE CDibDraw::SelectOwnPalette(HDC dc)
{
    if (!m_pPalette) {
        SetSystemPalette(dc);
        return nullptr;
    }
    HPALETTE old = SelectPalette(dc, HPALETTE(*m_pPalette), TRUE);
    RealizePalette(dc);
    return old;
}

const BYTE* CDibDraw::Rows() const { return m_pDib ? m_pDib + m_nRowsOffset : nullptr; }

BOOL CDibDraw::SetSystemPalette(HDC dc)
{
    if (!dc || m_nColors != 0 || !(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
        return FALSE;
    const int count = GetDeviceCaps(dc, SIZEPALETTE);
    if (count <= 0 || count > 256)
        return FALSE;
    std::string block(sizeof(LOGPALETTE) + size_t(count) * sizeof(PALETTEENTRY), '\0');
    LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(&block[0]);
    log->palVersion = 0x300;
    log->palNumEntries = WORD(count);
    GetSystemPaletteEntries(dc, 0, UINT(count), log->palPalEntry);
    if (!AdoptPalette(log))
        return FALSE;
    SelectPalette(dc, HPALETTE(*m_pPalette), TRUE);
    RealizePalette(dc);
    return TRUE;
}

void CDibDraw::PaintImage(int x, int y, HDC dc)
{
    if (!m_pDib || !dc)
        return;
    HPALETTE old = SelectOwnPalette(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, x, y, DWORD(m_nWidth), DWORD(m_nHeight), 0, 0, 0, UINT(m_nHeight), Rows(),
                      reinterpret_cast<const BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);
    if (old)
        SelectPalette(dc, old, TRUE);
}

void CDibDraw::PaintImage(int x, int y, int w, int h, HDC dc)
{
    if (!m_pDib || !dc)
        return;
    HPALETTE old = SelectOwnPalette(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, w, h, 0, 0, m_nWidth, m_nHeight, Rows(), reinterpret_cast<const BITMAPINFO*>(m_pDib),
                  DIB_RGB_COLORS, SRCCOPY);
    if (old)
        SelectPalette(dc, old, TRUE);
}

BOOL CDibDraw::SaveImage(const char* path)
{
    if (path)
        CopyBounded(m_szFileName, sizeof m_szFileName, path);
    if (!m_pDib)
        return FALSE;
    const char* target = path ? path : m_szFileName;
    const FilePiece pieces[] = {{&m_FileHeader, sizeof m_FileHeader}, {m_pDib, m_nDibBytes}};
    return WriteFilePieces(target, pieces, 2) ? TRUE : FALSE;
}
