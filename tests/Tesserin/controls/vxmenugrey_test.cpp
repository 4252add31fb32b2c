// Greying an image keeps its background: only the picture turns to shadow.
#include "MenuTestSupport.h"

#include <gtest/gtest.h>

namespace {

using menutest::Canvas;

// A face-coloured 16 x 15 bitmap with a black square at 3..12 x 3..11.
void MakeImage(CBitmap& bitmap)
{
    HDC screen = ::GetDC(nullptr);
    bitmap.Attach(::CreateCompatibleBitmap(screen, 16, 15));
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, (HBITMAP)bitmap.GetSafeHandle());
    HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    RECT all = {0, 0, 16, 15}, square = {3, 3, 13, 12};
    ::FillRect(dc, &all, face);
    ::FillRect(dc, &square, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    ::DeleteObject(face);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

enum Style { kDither, kMask, kHighColour };

void Grey(CVXMenu& menu, Style style, Canvas& canvas, COLORREF background)
{
    CBitmap image;
    MakeImage(image);
    CDC* dc = CDC::FromHandle(canvas.dc());
    if (style == kDither)
        menu.DitherBlt(canvas.dc(), 2, 2, 16, 15, (HBITMAP)image.GetSafeHandle(), 0, 0, background);
    else if (style == kMask)
        menu.DitherBlt2(dc, 2, 2, 16, 15, image, 0, 0, background);
    else
        menu.DitherBlt3(dc, 2, 2, 16, 15, image, background);
}

TEST(VXMenuGrey, PictureTurnsToShadowAndBackgroundStays)
{
    const COLORREF backgrounds[] = {RGB(200, 100, 50), ::GetSysColor(COLOR_3DFACE)};
    for (Style style : {kDither, kMask, kHighColour})
        for (COLORREF background : backgrounds) {
            CVXMenu menu;
            Canvas canvas(24, 24, RGB(1, 2, 3));
            Grey(menu, style, canvas, background);
            EXPECT_EQ(background, canvas.At(2, 2)) << "style " << style << ": a face pixel takes the background";
            EXPECT_EQ(background, canvas.At(17, 3)) << "style " << style;
            EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.At(9, 9)) << "style " << style;
        }
}

TEST(VXMenuGrey, RaisedStylesLeaveAHighlightEdge)
{
    for (Style style : {kDither, kMask}) {
        CVXMenu menu;
        Canvas canvas(24, 24, RGB(1, 2, 3));
        Grey(menu, style, canvas, RGB(200, 100, 50));
        EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), canvas.At(2 + 13, 2 + 12)) << "style " << style;
    }
}

}  // namespace
