// The image object on device contexts and Windows bitmaps in handle form.
#include "image/ImageGdi.h"

#include "image/DibLayout.h"
#include "image/ImageObject.h"

#include <cstring>

namespace mivo {
namespace image {

int StretchImage(const CImageObject& img, HDC dc, int srcX, int srcY, int srcW, int srcH, int dstX, int dstY,
                 int dstW, int dstH)
{
    if (!dc || !img.m_pImageBuf || img.m_nWidth <= 0 || img.m_nHeight <= 0)
        return 0;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = img.m_nWidth;
    info.bmiHeader.biHeight = img.m_nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int mode = GetStretchBltMode(dc);
    if (mode != COLORONCOLOR && mode != HALFTONE)
        SetStretchBltMode(dc, COLORONCOLOR);
    // The DIB counts rows from the bottom: the source rectangle's lower edge.
    int lines = StretchDIBits(dc, dstX, dstY, dstW, dstH, srcX, img.m_nHeight - srcY - srcH, srcW, srcH,
                              img.m_pImageBuf, &info, DIB_RGB_COLORS, SRCCOPY);
    return lines == img.m_nHeight ? 1 : 0;
}

namespace {

// Selects and realizes a palette in a DC for the lifetime of the object.
class RealizedPalette {
public:
    RealizedPalette(HDC dc, HPALETTE palette) : m_dc(dc), m_old(nullptr)
    {
        if (dc && palette) {
            m_old = SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
    }
    ~RealizedPalette()
    {
        if (m_old)
            SelectPalette(m_dc, m_old, FALSE);
    }
    RealizedPalette(const RealizedPalette&) = delete;
    RealizedPalette& operator=(const RealizedPalette&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old;
};

HGLOBAL DibOfBitmap(HDC dc, HBITMAP bitmap, DWORD compression)
{
    BITMAP bm;
    if (!GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    const int bits = bm.bmPlanes * bm.bmBitsPixel;
    const uint64_t tableBytes = bits <= 8 ? 4 * (uint64_t(1) << bits) : 0;
    const uint64_t headBytes = sizeof(BITMAPINFOHEADER) + tableBytes + 12;  // room for masks
    HGLOBAL block = GlobalAlloc(GHND, SIZE_T(headBytes));
    BITMAPINFO* info = block ? static_cast<BITMAPINFO*>(GlobalLock(block)) : nullptr;
    if (!info) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = bm.bmWidth;
    h.biHeight = bm.bmHeight;
    h.biPlanes = 1;
    h.biBitCount = WORD(bits);
    h.biCompression = compression;
    if (!GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), nullptr, info, DIB_RGB_COLORS)) {
        GlobalUnlock(block);
        GlobalFree(block);
        return nullptr;
    }
    uint64_t imageBytes = h.biSizeImage;
    if (!imageBytes) {
        imageBytes = ((uint64_t(bits) * uint64_t(h.biWidth) + 31) & ~uint64_t(31)) / 8 * uint64_t(bm.bmHeight);
        if (compression != BI_RGB)
            imageBytes = imageBytes * 3 / 2;
    }
    const uint64_t rowsAt = sizeof(BITMAPINFOHEADER) + tableBytes;
    GlobalUnlock(block);
    HGLOBAL grown = GlobalReAlloc(block, SIZE_T(rowsAt + imageBytes), GMEM_MOVEABLE);
    if (!grown) {
        GlobalFree(block);
        return nullptr;
    }
    info = static_cast<BITMAPINFO*>(GlobalLock(grown));
    bool ok = info && GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), reinterpret_cast<BYTE*>(info) + rowsAt, info,
                                DIB_RGB_COLORS) != 0;
    if (info)
        GlobalUnlock(grown);
    if (!ok) {
        GlobalFree(grown);
        return nullptr;
    }
    return grown;
}

}  // namespace

HGLOBAL BitmapToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette)
{
    if (compression == BI_BITFIELDS || !bitmap)
        return nullptr;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return nullptr;
    HGLOBAL dib;
    {
        RealizedPalette realized(screen, palette ? palette : HPALETTE(GetStockObject(DEFAULT_PALETTE)));
        dib = DibOfBitmap(screen, bitmap, compression);
    }
    ReleaseDC(nullptr, screen);
    return dib;
}

void DrawDibBlock(HDC dc, HGLOBAL dib, HPALETTE palette, int x, int y)
{
    if (!dc || !dib)
        return;
    const BYTE* block = static_cast<const BYTE*>(GlobalLock(dib));
    if (!block)
        return;
    DibLayout layout;
    if (ReadDibLayout(block, GlobalSize(dib), false, &layout)) {
        const bool paletteDevice = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
        RealizedPalette realized(dc, paletteDevice ? palette : nullptr);
        const int w = int(layout.width), h = int(layout.height);
        StretchDIBits(dc, x, y, w, h, 0, 0, w, h, block + layout.bitsOffset,
                      reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS, SRCCOPY);
    }
    GlobalUnlock(dib);
}

}  // namespace image
}  // namespace mivo

namespace {

HPALETTE HandleOf(CPalette* palette) { return palette ? HPALETTE(palette->GetSafeHandle()) : nullptr; }

}  // namespace

int CImageObject::DrawStretch(CDC* dc)
{
    if (!dc || !m_pImageBuf || m_nWidth <= 0 || m_nHeight <= 0)
        return 0;
    if (m_nDstWidth == -1)
        m_nDstWidth = m_nWidth;
    if (m_nDstHeight == -1)
        m_nDstHeight = m_nHeight;
    if (m_nSrcWidth == -1)
        m_nSrcWidth = m_nWidth;
    if (m_nSrcHeight == -1)
        m_nSrcHeight = m_nHeight;
    return mivo::image::StretchImage(*this, dc->GetSafeHdc(), m_nSrcX, m_nSrcY, m_nSrcWidth, m_nSrcHeight, m_nDstX,
                                     m_nDstY, m_nDstWidth, m_nDstHeight);
}

int CImageObject::DrawStretchDirect(CDC* dc, int srcX, int srcY, int srcW, int srcH, int dstX, int dstY, int dstW,
                                    int dstH)
{
    if (!dc)
        return 0;
    auto position = [](int v) { return v == -1 ? 0 : v; };
    return mivo::image::StretchImage(*this, dc->GetSafeHdc(), position(srcX), position(srcY),
                                     srcW == -1 ? m_nWidth : srcW, srcH == -1 ? m_nHeight : srcH, position(dstX),
                                     position(dstY), dstW == -1 ? m_nWidth : dstW, dstH == -1 ? m_nHeight : dstH);
}

CImageObject* CImageObject::DDBToImgObj(CBitmap& bitmap, DWORD compression, CPalette* palette)
{
    HGLOBAL dib = mivo::image::BitmapToDib(HBITMAP(bitmap.GetSafeHandle()), compression, HandleOf(palette));
    if (!dib)
        return nullptr;
    CImageObject* img = HandleToImgObj(dib);
    GlobalFree(dib);
    return img;
}

HGLOBAL CImageObject::DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette)
{
    return mivo::image::BitmapToDib(HBITMAP(bitmap.GetSafeHandle()), compression, HandleOf(palette));
}

void CImageObject::DrawDIB(CDC* dc, HGLOBAL dib, CPalette* palette, int x, int y)
{
    if (dc)
        mivo::image::DrawDibBlock(dc->GetSafeHdc(), dib, HandleOf(palette), x, y);
}
