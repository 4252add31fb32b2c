#include "image/xDib.h"

#include "image/DibLayout.h"
#include "image/PixelBlock.h"

#include <climits>
#include <cstdlib>
#include <cstring>

using namespace mivo::image;

namespace {

const int HSLMAX = 240;
const int RGBMAX = 255;
const int HSLUNDEFINED = HSLMAX * 2 / 3;

inline BYTE ClampByte(int v) { return BYTE(v < 0 ? 0 : v > 255 ? 255 : v); }

// The hue arithmetic wraps once either way; a hue that went below 0 arrives
// as a large unsigned value.
int HueToRGBInt(int p, int q, int hue)
{
    if (hue < 0)
        hue += HSLMAX;
    if (hue > HSLMAX)
        hue -= HSLMAX;
    if (hue < HSLMAX / 6)
        return p + ((q - p) * hue + HSLMAX / 12) / (HSLMAX / 6);
    if (hue < HSLMAX / 2)
        return q;
    if (hue < HSLMAX * 2 / 3)
        return p + ((q - p) * (HSLMAX * 2 / 3 - hue) + HSLMAX / 12) / (HSLMAX / 6);
    return p;
}

}  // namespace

CxDib::CxDib() : m_pDib(nullptr), m_nLineWidth(0), m_nColors(0)
{
    memset(&m_bi, 0, sizeof m_bi);
    m_bi.biSize = sizeof(BITMAPINFOHEADER);
}

CxDib::~CxDib()
{
    free(m_pDib);
}

void* CxDib::Create(DWORD width, DWORD height, WORD bits)
{
    free(m_pDib);
    m_pDib = nullptr;
    bits = bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24;
    const WORD colours = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    const uint64_t rowBytes = ((uint64_t(bits) * width + 31) / 32) * 4;
    const uint64_t image = rowBytes * height;
    if (width > INT_MAX || height > INT_MAX || image > kMaxPixelBlockBytes)
        return nullptr;
    memset(&m_bi, 0, sizeof m_bi);
    m_bi.biSize = sizeof(BITMAPINFOHEADER);
    m_bi.biWidth = LONG(width);
    m_bi.biHeight = LONG(height);
    m_bi.biPlanes = 1;
    m_bi.biBitCount = bits;
    m_bi.biCompression = BI_RGB;
    m_bi.biSizeImage = DWORD(image);
    m_nLineWidth = int(rowBytes);
    m_nColors = colours;
    m_pDib = static_cast<BYTE*>(calloc(1, size_t(GetSize())));
    if (m_pDib)
        memcpy(m_pDib, &m_bi, sizeof m_bi);
    return m_pDib;
}

void CxDib::Clone(CxDib* src)
{
    if (!src || src == this || !src->m_pDib)
        return;
    if (Create(src->GetWidth(), src->GetHeight(), src->GetBitCount()))
        memcpy(m_pDib, src->m_pDib, size_t(min(GetSize(), src->GetSize())));
}

bool CxDib::IsWin30Dib() const
{
    if (!m_pDib)
        return false;
    DWORD size;
    memcpy(&size, m_pDib, sizeof size);
    return size == sizeof(BITMAPINFOHEADER);
}

BYTE* CxDib::GetBits() const
{
    return m_pDib ? m_pDib + m_bi.biSize + GetPaletteSize() : nullptr;
}

void CxDib::Clear(BYTE value)
{
    if (m_pDib)
        memset(GetBits(), value, m_bi.biSizeImage);
}

RGBQUAD* CxDib::Palette() const
{
    return m_pDib && m_nColors ? reinterpret_cast<RGBQUAD*>(m_pDib + m_bi.biSize) : nullptr;
}

void CxDib::SetPaletteIndex(BYTE idx, BYTE r, BYTE g, BYTE b)
{
    RGBQUAD* pal = Palette();
    if (!pal || idx >= m_nColors)
        return;
    pal[idx].rgbRed = r;
    pal[idx].rgbGreen = g;
    pal[idx].rgbBlue = b;
    pal[idx].rgbReserved = 0;
}

void CxDib::SetPaletteIndex(BYTE idx, RGBQUAD c) { SetPaletteIndex(idx, c.rgbRed, c.rgbGreen, c.rgbBlue); }

void CxDib::SetPaletteIndex(BYTE idx, COLORREF c) { SetPaletteIndex(idx, GetRValue(c), GetGValue(c), GetBValue(c)); }

RGBQUAD CxDib::GetPaletteIndex(BYTE idx) const
{
    RGBQUAD none = {0, 0, 0, 0};
    const RGBQUAD* pal = Palette();
    return pal && idx < m_nColors ? pal[idx] : none;
}

// Only 8-bit palette DIBs have a byte per pixel; other depths are refused.
BYTE* CxDib::PixelAt(long x, long y) const
{
    if (!m_pDib || m_bi.biBitCount != 8 || !m_nColors)
        return nullptr;
    if (x < 0 || y < 0 || x >= m_bi.biWidth || y >= m_bi.biHeight)
        return nullptr;
    return GetBits() + int64_t(m_bi.biHeight - 1 - y) * m_nLineWidth + x;
}

BYTE CxDib::GetPixelIndex(long x, long y) const
{
    const BYTE* p = PixelAt(x, y);
    return p ? *p : 0;
}

void CxDib::SetPixelIndex(long x, long y, BYTE i)
{
    BYTE* p = PixelAt(x, y);
    if (p)
        *p = i;
}

RGBQUAD CxDib::GetPixelColor(long x, long y) const
{
    RGBQUAD none = {0, 0, 0, 0};
    const BYTE* p = PixelAt(x, y);
    return p ? GetPaletteIndex(*p) : none;
}

void CxDib::SetPixelColor(long x, long y, RGBQUAD c)
{
    if (PixelAt(x, y))
        SetPixelIndex(x, y, GetNearestIndex(c));
}

void CxDib::SetPixelColor(long x, long y, COLORREF c) { SetPixelColor(x, y, RGB2RGBQUAD(c)); }

BYTE CxDib::GetNearestIndex(RGBQUAD c) const
{
    const RGBQUAD* pal = Palette();
    if (!pal)
        return 0;
    long best = LONG_MAX;
    BYTE found = 0;
    for (int i = 0; i < m_nColors; ++i) {
        long dr = long(pal[i].rgbRed) - c.rgbRed, dg = long(pal[i].rgbGreen) - c.rgbGreen;
        long db = long(pal[i].rgbBlue) - c.rgbBlue;
        long distance = dr * dr + dg * dg + db * db;
        if (distance == 0)
            return BYTE(i);
        if (distance < best) {
            best = distance;
            found = BYTE(i);
        }
    }
    return found;
}

void CxDib::SetGrayPalette()
{
    RGBQUAD* pal = Palette();
    if (!pal)
        return;
    for (int i = 0; i < m_nColors; ++i)
        pal[i].rgbRed = pal[i].rgbGreen = pal[i].rgbBlue = BYTE(i);
    SetPaletteIndex(0, BYTE(0), BYTE(0), BYTE(0));
    SetPaletteIndex(BYTE(m_nColors - 1), BYTE(255), BYTE(255), BYTE(255));
}

void CxDib::BlendPalette(COLORREF c, long percent)
{
    RGBQUAD* pal = Palette();
    if (!pal)
        return;
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    const long r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    for (int i = 0; i < m_nColors; ++i) {
        pal[i].rgbRed = BYTE((pal[i].rgbRed * (100 - percent) + r * percent) / 100);
        pal[i].rgbGreen = BYTE((pal[i].rgbGreen * (100 - percent) + g * percent) / 100);
        pal[i].rgbBlue = BYTE((pal[i].rgbBlue * (100 - percent) + b * percent) / 100);
    }
}

RGBQUAD CxDib::RGBtoHSL(RGBQUAD rgb)
{
    const int R = rgb.rgbRed, G = rgb.rgbGreen, B = rgb.rgbBlue;
    const int cMax = max(max(R, G), B), cMin = min(min(R, G), B);
    const int L = ((cMax + cMin) * HSLMAX + RGBMAX) / (2 * RGBMAX);
    int H, S;
    if (cMax == cMin) {
        S = 0;
        H = HSLUNDEFINED;
    } else {
        const int d = cMax - cMin, s = cMax + cMin;
        if (L <= HSLMAX / 2)
            S = (d * HSLMAX + s / 2) / s;
        else
            S = (d * HSLMAX + (2 * RGBMAX - s) / 2) / (2 * RGBMAX - s);
        const int Rd = ((cMax - R) * (HSLMAX / 6) + d / 2) / d;
        const int Gd = ((cMax - G) * (HSLMAX / 6) + d / 2) / d;
        const int Bd = ((cMax - B) * (HSLMAX / 6) + d / 2) / d;
        if (R == cMax)
            H = Bd - Gd;
        else if (G == cMax)
            H = HSLMAX / 3 + Rd - Bd;
        else
            H = 2 * HSLMAX / 3 + Gd - Rd;
        if (H < 0)
            H += HSLMAX;
        if (H > HSLMAX)
            H -= HSLMAX;
    }
    RGBQUAD hsl = {BYTE(L), BYTE(S), BYTE(H), 0};
    return hsl;
}

WORD CxDib::HueToRGB(WORD p, WORD q, WORD hue)
{
    const int h = hue >= 0x8000 ? int(hue) - 0x10000 : int(hue);
    return WORD(HueToRGBInt(p, q, h));
}

RGBQUAD CxDib::HSLtoRGB(RGBQUAD hsl)
{
    const int L = hsl.rgbBlue, S = hsl.rgbGreen, H = hsl.rgbRed;
    int R, G, B;
    if (S == 0) {
        R = G = B = L * RGBMAX / HSLMAX;
    } else {
        const int m2 = L <= HSLMAX / 2 ? (L * (HSLMAX + S) + HSLMAX / 2) / HSLMAX
                                       : L + S - (L * S + HSLMAX / 2) / HSLMAX;
        const int m1 = 2 * L - m2;
        R = (HueToRGBInt(m1, m2, H + HSLMAX / 3) * RGBMAX + HSLMAX / 2) / HSLMAX;
        G = (HueToRGBInt(m1, m2, H) * RGBMAX + HSLMAX / 2) / HSLMAX;
        B = (HueToRGBInt(m1, m2, H - HSLMAX / 3) * RGBMAX + HSLMAX / 2) / HSLMAX;
    }
    RGBQUAD rgb = {ClampByte(B), ClampByte(G), ClampByte(R), 0};
    return rgb;
}

RGBQUAD CxDib::HSLtoRGB(COLORREF hsl) { return HSLtoRGB(RGB2RGBQUAD(hsl)); }

RGBQUAD CxDib::RGB2RGBQUAD(COLORREF c)
{
    RGBQUAD q = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
    return q;
}

COLORREF CxDib::RGBQUAD2RGB(RGBQUAD c) { return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue); }

long CxDib::Draw(HDC dc, long x, long y)
{
    if (!m_pDib || !dc)
        return 0;
    SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, int(x), int(y), DWORD(m_bi.biWidth), DWORD(m_bi.biHeight), 0, 0, 0, UINT(m_bi.biHeight),
                      GetBits(), reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS);
    return 1;
}

long CxDib::Stretch(HDC dc, long x, long y, long w, long h)
{
    if (!m_pDib || !dc)
        return 0;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, int(x), int(y), int(w), int(h), 0, 0, int(m_bi.biWidth), int(m_bi.biHeight), GetBits(),
                  reinterpret_cast<BITMAPINFO*>(m_pDib), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

long CxDib::WriteBMP(const char* path)
{
    if (!path || !*path || !m_pDib)
        return 0;
    const uint64_t offset = sizeof(BITMAPFILEHEADER) + m_bi.biSize + GetPaletteSize();
    const BITMAPFILEHEADER file = MakeFileHeader(sizeof(BITMAPFILEHEADER) + uint64_t(GetSize()), offset);
    const FilePiece pieces[] = {{&file, sizeof file}, {m_pDib, GetSize()}};
    return WriteFilePieces(path, pieces, 2) ? 1 : 0;
}
