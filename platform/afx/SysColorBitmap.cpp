// Tool bar and menu bitmaps drawn in black, greys and white on light grey,
// shown in the current button colours.
#include "mfc/ToolBar.h"

#include <cstring>
#include <vector>

namespace {

struct ColorMap {
    COLORREF from;
    int sysColor;
    COLORREF mono;
};

const ColorMap kButtonColors[] = {
    {RGB(0, 0, 0), COLOR_BTNTEXT, RGB(0, 0, 0)},
    {RGB(128, 128, 128), COLOR_BTNSHADOW, RGB(0, 0, 0)},
    {RGB(192, 192, 192), COLOR_BTNFACE, RGB(255, 255, 255)},
    {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
};

// Bitmaps larger than this are not tool bar strips; refusing them keeps a
// damaged header from asking for gigabytes.
const LONG kMaxSide = 32767;

COLORREF ColorOf(const RGBQUAD& q)
{
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void MapTable(RGBQUAD* table, DWORD count, BOOL bMono)
{
    for (DWORD i = 0; i < count; ++i) {
        for (const ColorMap& m : kButtonColors) {
            if (ColorOf(table[i]) != m.from)
                continue;
            COLORREF to = bMono ? m.mono : ::GetSysColor(m.sysColor);
            table[i].rgbRed = GetRValue(to);
            table[i].rgbGreen = GetGValue(to);
            table[i].rgbBlue = GetBValue(to);
            break;
        }
    }
}

// The palette entries that follow a header of this depth; -1 for a header
// this loader does not take.
long long TableSize(const BITMAPINFOHEADER& h)
{
    if (h.biBitCount > 8)
        return h.biCompression == BI_BITFIELDS ? 3 : 0;
    if (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8)
        return -1;
    long long full = 1LL << h.biBitCount;
    if (h.biClrUsed == 0)
        return full;
    return h.biClrUsed <= (DWORD)full ? (long long)h.biClrUsed : -1;
}

bool PlausibleHeader(const BITMAPINFOHEADER& h)
{
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1)
        return false;
    if (h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight > kMaxSide ||
        h.biHeight < -kMaxSide)
        return false;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return false;
    return h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 16 ||
           h.biBitCount == 24 || h.biBitCount == 32;
}

}  // namespace

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono)
{
    if (!hRsrc)
        return nullptr;
    const BYTE* data = (const BYTE*)::LockResource(::LoadResource(hInst, hRsrc));
    unsigned long long size = ::SizeofResource(hInst, hRsrc);
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    long long colors = TableSize(header);
    if (!PlausibleHeader(header) || colors < 0)
        return nullptr;
    unsigned long long tableBytes = (unsigned long long)colors * sizeof(RGBQUAD);
    unsigned long long infoBytes = header.biSize + tableBytes;
    long long rows = header.biHeight < 0 ? -(long long)header.biHeight : header.biHeight;
    unsigned long long stride = (((unsigned long long)header.biWidth * header.biBitCount + 31) / 32) * 4;
    if (infoBytes + stride * (unsigned long long)rows > size)
        return nullptr;

    // The palette is changed in a copy: the resource itself is shared and read-only.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + tableBytes + sizeof(RGBQUAD));
    std::memcpy(info.data(), &header, sizeof(header));
    ((BITMAPINFOHEADER*)info.data())->biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), data + header.biSize, tableBytes);
    if (header.biBitCount <= 8)
        MapTable((RGBQUAD*)(info.data() + sizeof(BITMAPINFOHEADER)), (DWORD)colors, bMono);

    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBitmap(screen, (const BITMAPINFOHEADER*)info.data(), CBM_INIT, data + infoBytes,
                                      (const BITMAPINFO*)info.data(), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}
