// CVXMenu's colour arithmetic and the bitmap effects: the faded, shadow and
// disabled variants, light grey made transparent, the three greyings and the
// colour swatch.
#include "controls/VXMenu.h"

#include <functional>

namespace {

// A bitmap selected into a memory context for its pixels; restored on leaving.
class PixelAccess {
public:
    explicit PixelAccess(HBITMAP bitmap) : m_dc(::CreateCompatibleDC(nullptr))
    {
        BITMAP info = {};
        ::GetObject(bitmap, sizeof(info), &info);
        m_width = info.bmWidth;
        m_height = info.bmHeight;
        m_old = ::SelectObject(m_dc, bitmap);
    }
    ~PixelAccess()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    PixelAccess(const PixelAccess&) = delete;
    PixelAccess& operator=(const PixelAccess&) = delete;

    // Column by column, as the effects always did.
    void Each(const std::function<COLORREF(COLORREF)>& change)
    {
        for (int x = 0; x < m_width; ++x)
            for (int y = 0; y < m_height; ++y) {
                COLORREF before = ::GetPixel(m_dc, x, y);
                COLORREF after = change(before);
                if (after != before)
                    ::SetPixel(m_dc, x, y, after);
            }
    }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// `colour` as a bitmap of the same format as `bitmap` represents it.
COLORREF AsStoredIn(HBITMAP bitmap, COLORREF colour)
{
    BITMAP info = {};
    if (!::GetObject(bitmap, sizeof(info), &info) || info.bmWidth < 2 || info.bmHeight < 2)
        return colour;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP scratch = info.bmBitsPixel == 1 ? ::CreateBitmap(2, 2, 1, 1, nullptr)
                                            : ::CreateCompatibleBitmap(screen, 2, 2);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, scratch);
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all = {0, 0, 2, 2};
    ::FillRect(dc, &all, brush);
    COLORREF stored = ::GetPixel(dc, 1, 1);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteObject(scratch);
    ::DeleteDC(dc);
    return stored;
}

COLORREF KeyColour(HBITMAP bitmap)
{
    return AsStoredIn(bitmap, ::GetSysColor(COLOR_3DFACE));
}

// A 1-bit section with black then white in its table: each colour copied in
// becomes the nearer of the two.
HBITMAP MonochromeSection(HDC dc, int width, int height)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    return ::CreateDIBSection(dc, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void BlitWithBrush(HDC target, int x, int y, int width, int height, HDC mask, COLORREF colour, DWORD rop)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    HGDIOBJ old = ::SelectObject(target, brush);
    ::BitBlt(target, x, y, width, height, mask, 0, 0, rop);
    ::SelectObject(target, old);
    ::DeleteObject(brush);
}

const DWORD kPaintWhereBlack = 0xB8074A;  // mask white keeps the target, black takes the brush
const DWORD kPaintThroughMask = 0xE20746;

}  // namespace

COLORREF CVXMenu::LightenColor(COLORREF col, double factor)
{
    if (!(factor > 0.0 && factor <= 1.0))
        return col;
    auto lighten = [factor](BYTE c) { return (BYTE)(int)(c + (255 - c) * factor); };
    return RGB(lighten(GetRValue(col)), lighten(GetGValue(col)), lighten(GetBValue(col)));
}

COLORREF CVXMenu::DarkenColor(COLORREF col, double factor)
{
    if (!(factor > 0.0 && factor <= 1.0))
        return col;
    auto darken = [factor](BYTE c) { return (BYTE)(int)(c - c * factor); };
    return RGB(darken(GetRValue(col)), darken(GetGValue(col)), darken(GetBValue(col)));
}

void CVXMenu::GetFadedBitmap(CBitmap& bmp)
{
    COLORREF key = KeyColour(bmp);
    PixelAccess(bmp).Each([key](COLORREF c) { return c == key ? c : LightenColor(c, 0.3); });
}

void CVXMenu::GetShadowBitmap(CBitmap& bmp)
{
    COLORREF key = KeyColour(bmp);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (!IsWinXPLuna())
        shadow = LightenColor(shadow, 0.49);
    PixelAccess(bmp).Each([key, shadow](COLORREF c) { return c == key ? c : shadow; });
}

void CVXMenu::GetDisabledBitmap(CBitmap& bmp, COLORREF background)
{
    COLORREF key = KeyColour(bmp);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    PixelAccess(bmp).Each([=](COLORREF c) {
        if (c == key)
            return background ? background : c;
        int average = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        return LightenColor(shadow, average / 255.0);
    });
}

void CVXMenu::GetTransparentBitmap(CBitmap& bmp)
{
    COLORREF grey = AsStoredIn(bmp, RGB(192, 192, 192));
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    PixelAccess(bmp).Each([grey, face](COLORREF c) { return c == grey ? face : c; });
}

void CVXMenu::DitherBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HBITMAP hbm, int nXSrc,
                        int nYSrc, COLORREF bgcolor)
{
    HDC image = ::CreateCompatibleDC(hdcDest);
    HGDIOBJ oldImage = ::SelectObject(image, hbm);
    HDC mono = ::CreateCompatibleDC(hdcDest);
    HBITMAP mask = MonochromeSection(hdcDest, nWidth, nHeight);
    HGDIOBJ oldMask = ::SelectObject(mono, mask);
    ::BitBlt(mono, 0, 0, nWidth, nHeight, image, nXSrc, nYSrc, SRCCOPY);

    HBRUSH back = ::CreateSolidBrush(bgcolor);
    RECT area = {nXDest, nYDest, nXDest + nWidth, nYDest + nHeight};
    ::FillRect(hdcDest, &area, back);
    ::DeleteObject(back);
    BlitWithBrush(hdcDest, nXDest + 1, nYDest + 1, nWidth, nHeight, mono, ::GetSysColor(COLOR_3DHILIGHT),
                  kPaintWhereBlack);
    BlitWithBrush(hdcDest, nXDest, nYDest, nWidth, nHeight, mono, ::GetSysColor(COLOR_3DSHADOW), kPaintWhereBlack);

    ::SelectObject(mono, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(mono);
    ::SelectObject(image, oldImage);
    ::DeleteDC(image);
}

void CVXMenu::DitherBlt2(CDC* drawdc, int nXDest, int nYDest, int nWidth, int nHeight, CBitmap& bmp, int nXSrc,
                         int nYSrc, COLORREF bgcolor)
{
    HDC target = drawdc->GetSafeHdc();
    HDC maskDC = ::CreateCompatibleDC(nullptr);
    HBITMAP mask = ::CreateBitmap(nWidth, nHeight, 1, 1, nullptr);
    HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
    ::PatBlt(maskDC, 0, 0, nWidth, nHeight, WHITENESS);

    HDC image = ::CreateCompatibleDC(target);
    HGDIOBJ oldImage = ::SelectObject(image, (HBITMAP)bmp.GetSafeHandle());
    ::SetBkColor(image, ::GetSysColor(COLOR_3DFACE));
    ::BitBlt(maskDC, 0, 0, nWidth, nHeight, image, nXSrc, nYSrc, SRCCOPY);
    ::SetBkColor(image, ::GetSysColor(COLOR_3DHILIGHT));
    ::BitBlt(maskDC, 0, 0, nWidth, nHeight, image, nXSrc, nYSrc, SRCPAINT);

    HBRUSH back = ::CreateSolidBrush(bgcolor);
    RECT all = {0, 0, nWidth, nHeight};
    ::FillRect(image, &all, back);
    ::DeleteObject(back);
    ::SetBkColor(image, RGB(0, 0, 0));
    ::SetTextColor(image, RGB(255, 255, 255));

    COLORREF highlight = ::GetSysColor(COLOR_3DHILIGHT);
    BlitWithBrush(image, 0, 0, nWidth, nHeight, maskDC, highlight, kPaintThroughMask);
    ::BitBlt(target, nXDest + 1, nYDest + 1, nWidth, nHeight, image, 0, 0, SRCCOPY);
    BlitWithBrush(image, 1, 1, nWidth, nHeight, maskDC, highlight, kPaintThroughMask);
    BlitWithBrush(image, 0, 0, nWidth, nHeight, maskDC, ::GetSysColor(COLOR_3DSHADOW), kPaintThroughMask);
    ::BitBlt(target, nXDest, nYDest, nWidth, nHeight, image, 0, 0, SRCCOPY);

    ::SelectObject(image, oldImage);
    ::DeleteDC(image);
    ::SelectObject(maskDC, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(maskDC);
}

void CVXMenu::DitherBlt3(CDC* drawdc, int nXDest, int nYDest, int nWidth, int nHeight, CBitmap& bmp,
                         COLORREF bgcolor)
{
    GetDisabledBitmap(bmp, bgcolor);
    HDC target = drawdc->GetSafeHdc();
    HDC image = ::CreateCompatibleDC(target);
    HGDIOBJ old = ::SelectObject(image, (HBITMAP)bmp.GetSafeHandle());
    ::BitBlt(target, nXDest, nYDest, nWidth, nHeight, image, 0, 0, SRCCOPY);
    ::SelectObject(image, old);
    ::DeleteDC(image);
}

void CVXMenu::ColorBitmap(CDC* pDC, CBitmap& bmp, CSize bitmap_size, CSize icon_size, COLORREF fill,
                          COLORREF border, int hatchstyle)
{
    bmp.DeleteObject();
    bmp.CreateCompatibleBitmap(pDC, icon_size.cx, icon_size.cy);
    HDC dc = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ oldBitmap = ::SelectObject(dc, (HBITMAP)bmp.GetSafeHandle());
    CPoint offset(0, 0);
    if (bitmap_size != icon_size) {
        HBRUSH back = ::CreateSolidBrush(::GetSysColor(IsWinXPLuna() ? COLOR_3DFACE : COLOR_MENU));
        RECT all = {0, 0, icon_size.cx, icon_size.cy};
        ::FillRect(dc, &all, back);
        ::DeleteObject(back);
        offset = CPoint((icon_size.cx - bitmap_size.cx) / 2, (icon_size.cy - bitmap_size.cy) / 2);
    }
    HPEN pen = ::CreatePen(PS_SOLID, 1, border);
    HBRUSH brush = hatchstyle == -1 ? ::CreateSolidBrush(fill) : ::CreateHatchBrush(hatchstyle, fill);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, offset.x, offset.y, offset.x + bitmap_size.cx, offset.y + bitmap_size.cy);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(brush);
    ::DeleteObject(pen);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
}
