#include "ImageOpsSupport.h"

#include <cstdio>
#include <cstring>

namespace opstest {

ImagePtr MakeImage(int width, int height, const std::function<COLORREF(int, int)>& colour, CWnd* progressWnd)
{
    CImageObject maker(progressWnd);
    ImagePtr img(maker.MakeBlankImageObject(RGB(0, 0, 0), width, height));
    if (!img)
        return img;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            BYTE* p = img->m_pImageBuf + size_t(height - 1 - y) * img->m_nRowBytes + 3 * size_t(x);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return img;
}

ImagePtr MakeUniform(int width, int height, COLORREF colour, CWnd* progressWnd)
{
    return MakeImage(width, height, [colour](int, int) { return colour; }, progressWnd);
}

COLORREF Pixel(const CImageObject& img, int x, int y)
{
    const BYTE* p = img.m_pImageBuf + size_t(img.m_nHeight - 1 - y) * img.m_nRowBytes + 3 * size_t(x);
    return RGB(p[2], p[1], p[0]);
}

std::string FirstOtherThan(const CImageObject& img, COLORREF colour)
{
    for (int y = 0; y < img.m_nHeight; ++y) {
        for (int x = 0; x < img.m_nWidth; ++x) {
            COLORREF c = Pixel(img, x, y);
            if (c != colour) {
                char text[64];
                snprintf(text, sizeof text, "(%d,%d)=%02x%02x%02x", x, y, GetRValue(c), GetGValue(c), GetBValue(c));
                return text;
            }
        }
    }
    return "";
}

std::vector<std::vector<COLORREF>> Table(const CImageObject& img)
{
    std::vector<std::vector<COLORREF>> rows(size_t(img.m_nHeight));
    for (int y = 0; y < img.m_nHeight; ++y)
        for (int x = 0; x < img.m_nWidth; ++x)
            rows[size_t(y)].push_back(Pixel(img, x, y));
    return rows;
}

MemoryCanvas::MemoryCanvas(int w, int h, COLORREF fill) : width(w), height(h)
{
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(w, h, 1, 32, nullptr);
    m_old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

MemoryCanvas::~MemoryCanvas()
{
    SelectObject(dc, m_old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

HGLOBAL MakeDib(const DibSpec& spec)
{
    const size_t bytes = spec.headerSize + spec.extra.size() + spec.rows.size();
    HGLOBAL dib = GlobalAlloc(GHND, bytes);
    BYTE* block = static_cast<BYTE*>(GlobalLock(dib));
    BITMAPINFOHEADER h;
    memset(&h, 0, sizeof h);
    h.biSize = spec.headerSize;
    h.biWidth = spec.width;
    h.biHeight = spec.height;
    h.biPlanes = 1;
    h.biBitCount = WORD(spec.bits);
    h.biCompression = spec.compression;
    h.biSizeImage = spec.sizeImage;
    h.biClrUsed = spec.clrUsed;
    memcpy(block, &h, min(sizeof h, size_t(spec.headerSize)));
    if (!spec.extra.empty())
        memcpy(block + spec.headerSize, spec.extra.data(), spec.extra.size());
    if (!spec.rows.empty())
        memcpy(block + spec.headerSize + spec.extra.size(), spec.rows.data(), spec.rows.size());
    GlobalUnlock(dib);
    return dib;
}

}  // namespace opstest
