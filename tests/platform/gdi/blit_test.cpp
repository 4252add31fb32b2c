// Raster operations, monochrome conversions, stretching and brushes.
#include "GdiTestUtil.h"

#include <mivo/testing/TraceSink.h>

#include <cstdio>
#include <functional>
#include <vector>

using namespace gditest;

namespace {

const COLORREF kP = RGB(0xF0, 0x0F, 0x33);
const COLORREF kS = RGB(0xCC, 0x55, 0x0F);
const COLORREF kD = RGB(0xAA, 0x33, 0x99);

COLORREF Ternary(uint8_t code, COLORREF p, COLORREF s, COLORREF d)
{
    COLORREF out = 0;
    for (int bit = 0; bit < 24; ++bit) {
        int idx = (((p >> bit) & 1) << 2) | (((s >> bit) & 1) << 1) | ((d >> bit) & 1);
        if ((code >> idx) & 1)
            out |= 1u << bit;
    }
    return out;
}

// One pixel of each: destination D, source S, brush P.
COLORREF Blit1(DWORD rop)
{
    Canvas dst(1, 1, kD), src(1, 1, kS);
    HBRUSH brush = CreateSolidBrush(kP);
    Select s(dst.dc, brush);
    BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, rop);
    COLORREF out = dst.At(0, 0);
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    return out;
}

}  // namespace

TEST(GdiRop3, AllTernaryOperationsFollowTheirTruthTable)
{
    Canvas dst(1, 1), src(1, 1, kS);
    HBRUSH brush = CreateSolidBrush(kP);
    Select s(dst.dc, brush);
    for (int code = 0; code < 256; ++code) {
        dst.Fill(kD);
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, (DWORD)code << 16));
        EXPECT_EQ(dst.At(0, 0), Ternary((uint8_t)code, kP, kS, kD)) << "code " << code;
    }
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(GdiRop3, NamedOperations)
{
    const COLORREF all = 0xFFFFFF;
    struct Case {
        DWORD rop;
        COLORREF expected;
        const char* name;
    } cases[] = {
        {SRCCOPY, kS, "SRCCOPY"},
        {SRCPAINT, kS | kD, "SRCPAINT"},
        {SRCAND, kS & kD, "SRCAND"},
        {SRCINVERT, kS ^ kD, "SRCINVERT"},
        {SRCERASE, kS & (~kD & all), "SRCERASE"},
        {NOTSRCCOPY, ~kS & all, "NOTSRCCOPY"},
        {NOTSRCERASE, ~(kS | kD) & all, "NOTSRCERASE"},
        {MERGECOPY, kP & kS, "MERGECOPY"},
        {MERGEPAINT, (~kS & all) | kD, "MERGEPAINT"},
        {PATCOPY, kP, "PATCOPY"},
        {PATPAINT, kP | (~kS & all) | kD, "PATPAINT"},
        {PATINVERT, kP ^ kD, "PATINVERT"},
        {DSTINVERT, ~kD & all, "DSTINVERT"},
        {BLACKNESS, 0, "BLACKNESS"},
        {WHITENESS, all, "WHITENESS"},
        {0x00B8074A, (kS & kD) | (~kS & kP), "PSDPxax"},
        {0x00E20746, (kS & kP) | (~kS & kD), "DSPDxax"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Blit1(c.rop), c.expected) << c.name;
}

TEST(GdiRop3, PatBltRefusesOperationsThatReadASource)
{
    Canvas c(4, 4);
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 2, 4, BLACKNESS));
    EXPECT_EQ(c.Count(kBlack), 8);
    EXPECT_TRUE(PatBlt(c.dc, 0, 0, 4, 4, DSTINVERT));
    EXPECT_EQ(c.Count(kBlack), 8);
    EXPECT_EQ(c.Count(kWhite), 8);
    EXPECT_FALSE(BitBlt(c.dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
}

TEST(GdiRop3, OverlappingCopyInsideOneBitmap)
{
    Canvas c(6, 1);
    for (int x = 0; x < 6; ++x)
        SetPixel(c.dc, x, 0, RGB(x * 10, 0, 0));
    ASSERT_TRUE(BitBlt(c.dc, 1, 0, 5, 1, c.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 0));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(c.At(x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST(GdiMonochrome, ColourToMonochromeUsesTheSourceBackground)
{
    Canvas colour(3, 1);
    SetPixel(colour.dc, 0, 0, RGB(1, 2, 3));
    SetPixel(colour.dc, 1, 0, RGB(255, 255, 255));
    SetPixel(colour.dc, 2, 0, RGB(0, 0, 0));
    Canvas mono(3, 1, kBlack, 1);
    SetBkColor(colour.dc, RGB(1, 2, 3));
    ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY));
    // Only the background colour turns white, even plain white turns black.
    EXPECT_EQ(mono.At(0, 0), kWhite);
    EXPECT_EQ(mono.At(1, 0), kBlack);
    EXPECT_EQ(mono.At(2, 0), kBlack);

    SetBkColor(colour.dc, kWhite);
    BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.At(0, 0), kBlack);
    EXPECT_EQ(mono.At(1, 0), kWhite);
}

TEST(GdiMonochrome, MonochromeToColourUsesDestinationTextAndBackground)
{
    Canvas mono(2, 1, kBlack, 1);
    SetPixel(mono.dc, 1, 0, kWhite);
    Canvas colour(2, 1);
    SetTextColor(colour.dc, RGB(255, 0, 0));
    SetBkColor(colour.dc, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(colour.dc, 0, 0, 2, 1, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(colour.At(1, 0), RGB(0, 0, 255));
}

TEST(GdiMonochrome, OneBitDibSectionTakesTheNearerTableColour)
{
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } bmi = {};
    bmi.h.biSize = sizeof(BITMAPINFOHEADER);
    bmi.h.biWidth = 3;
    bmi.h.biHeight = 1;
    bmi.h.biPlanes = 1;
    bmi.h.biBitCount = 1;
    bmi.colors[0] = RGBQUAD{0, 0, 0, 0};
    bmi.colors[1] = RGBQUAD{255, 255, 255, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    Canvas mono(dib, 3, 1);
    Canvas colour(3, 1);
    SetPixel(colour.dc, 0, 0, RGB(200, 200, 200));
    SetPixel(colour.dc, 1, 0, RGB(60, 60, 60));
    SetPixel(colour.dc, 2, 0, RGB(1, 2, 3));
    SetBkColor(colour.dc, RGB(1, 2, 3));  // has no say for DIB sections
    BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.At(0, 0), kWhite);
    EXPECT_EQ(mono.At(1, 0), kBlack);
    EXPECT_EQ(mono.At(2, 0), kBlack);
    EXPECT_EQ(static_cast<uint8_t*>(bits)[0] & 0xE0, 0x80);
}

TEST(GdiMonochrome, MaskDrawingWithB8074A)
{
    // Paint a brush through a mask: where the mask is black the brush shows.
    Canvas mask(4, 1, kWhite, 1);
    SetPixel(mask.dc, 1, 0, kBlack);
    SetPixel(mask.dc, 2, 0, kBlack);
    Canvas image(4, 1, RGB(10, 200, 30));
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    Select s(image.dc, brush);
    SetTextColor(image.dc, kBlack);
    SetBkColor(image.dc, kWhite);
    ASSERT_TRUE(BitBlt(image.dc, 0, 0, 4, 1, mask.dc, 0, 0, 0x00B8074A));
    EXPECT_EQ(image.At(0, 0), RGB(10, 200, 30));
    EXPECT_EQ(image.At(1, 0), RGB(255, 0, 255));
    EXPECT_EQ(image.At(2, 0), RGB(255, 0, 255));
    EXPECT_EQ(image.At(3, 0), RGB(10, 200, 30));

    // 0xE20746 is the other way round.
    image.Fill(RGB(10, 200, 30));
    BitBlt(image.dc, 0, 0, 4, 1, mask.dc, 0, 0, 0x00E20746);
    EXPECT_EQ(image.At(0, 0), RGB(255, 0, 255));
    EXPECT_EQ(image.At(1, 0), RGB(10, 200, 30));
    SelectObject(image.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(GdiMonochrome, TransparentMaskTrick)
{
    // The classic: a mask from the key colour, AND the mask, OR the masked image.
    Canvas image(3, 1, RGB(255, 0, 255));
    SetPixel(image.dc, 1, 0, RGB(0, 128, 0));
    Canvas mask(3, 1, kBlack, 1);
    SetBkColor(image.dc, RGB(255, 0, 255));
    BitBlt(mask.dc, 0, 0, 3, 1, image.dc, 0, 0, SRCCOPY);
    // Clear the key colour out of the image: mask white -> black.
    SetTextColor(image.dc, kWhite);
    SetBkColor(image.dc, kBlack);
    BitBlt(image.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);

    Canvas screen(3, 1, RGB(5, 6, 7));
    SetTextColor(screen.dc, kBlack);
    SetBkColor(screen.dc, kWhite);
    BitBlt(screen.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);
    BitBlt(screen.dc, 0, 0, 3, 1, image.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(screen.At(0, 0), RGB(5, 6, 7));
    EXPECT_EQ(screen.At(1, 0), RGB(0, 128, 0));
    EXPECT_EQ(screen.At(2, 0), RGB(5, 6, 7));
}

TEST(GdiMonochrome, DrawingOnMonochromeTakesTheNearerOfBlackAndWhite)
{
    Canvas mono(4, 1, kBlack, 1);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(200, 200, 200));
    Select s(mono.dc, light);
    MoveToEx(mono.dc, 0, 0, nullptr);
    LineTo(mono.dc, 2, 0);
    EXPECT_EQ(mono.At(0, 0), kWhite);
    EXPECT_EQ(mono.At(2, 0), kBlack);
    EXPECT_EQ(GetDeviceCaps(mono.dc, BITSPIXEL), 1);
    SelectObject(mono.dc, GetStockObject(BLACK_PEN));
    DeleteObject(light);
}

TEST(GdiStretch, ColorOnColorRepeatsPixels)
{
    Canvas src(2, 2);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 255, 0));
    SetPixel(src.dc, 0, 1, RGB(0, 0, 255));
    SetPixel(src.dc, 1, 1, RGB(9, 9, 9));
    Canvas dst(4, 4);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.At(2, 0), RGB(0, 255, 0));
    EXPECT_EQ(dst.At(3, 1), RGB(0, 255, 0));
    EXPECT_EQ(dst.At(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(dst.At(3, 3), RGB(9, 9, 9));

    // A negative destination width mirrors.
    StretchBlt(dst.dc, 4, 0, -4, 4, src.dc, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(dst.At(3, 0), RGB(255, 0, 0));
}

TEST(GdiStretch, HalftoneAveragesAndBlackOnWhiteKeepsBlack)
{
    Canvas src(4, 1);
    SetPixel(src.dc, 0, 0, RGB(0, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(200, 100, 50));
    SetPixel(src.dc, 2, 0, RGB(255, 255, 255));
    SetPixel(src.dc, 3, 0, RGB(255, 255, 255));
    Canvas dst(2, 1);
    EXPECT_EQ(GetStretchBltMode(dst.dc), BLACKONWHITE);
    StretchBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), kBlack);  // AND of black and the colour
    EXPECT_EQ(dst.At(1, 0), kWhite);

    SetStretchBltMode(dst.dc, HALFTONE);
    StretchBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dst.At(0, 0), RGB(100, 50, 25));
    EXPECT_EQ(dst.At(1, 0), kWhite);
}

TEST(GdiStretch, TransparentBltSkipsTheKeyColour)
{
    Canvas src(2, 2, RGB(0, 255, 0));
    SetPixel(src.dc, 1, 1, RGB(10, 20, 30));
    Canvas dst(4, 4, RGB(1, 1, 1));
    ASSERT_TRUE(TransparentBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, RGB(0, 255, 0)));
    EXPECT_EQ(dst.Count(RGB(1, 1, 1)), 12);
    EXPECT_EQ(dst.At(3, 3), RGB(10, 20, 30));
    EXPECT_FALSE(TransparentBlt(dst.dc, 0, 0, -4, 4, src.dc, 0, 0, 2, 2, 0));
}

TEST(GdiStretch, AlphaBlendConstantAndPerPixel)
{
    Canvas dst(2, 1, RGB(0, 0, 0));
    Canvas src(2, 1, RGB(200, 100, 50));
    BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 2, 1, half));
    EXPECT_EQ(dst.At(0, 0), RGB(100, 50, 25));

    // A 32-bit DIB section with premultiplied alpha: one opaque, one clear pixel.
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = -1;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    uint32_t* px = static_cast<uint32_t*>(bits);
    px[0] = 0xFF0000FF;  // opaque blue
    px[1] = 0x00000000;  // clear
    Canvas alpha(dib, 2, 1);
    dst.Fill(RGB(0, 255, 0));
    BLENDFUNCTION perPixel = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, 2, 1, alpha.dc, 0, 0, 2, 1, perPixel));
    EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dst.At(1, 0), RGB(0, 255, 0));
    // A source rectangle outside the source fails.
    EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 2, 1, alpha.dc, 1, 0, 2, 1, perPixel));
}

TEST(GdiBrushes, HatchBrushUsesBackgroundUnlessTransparent)
{
    Canvas c(16, 16, RGB(1, 2, 3));
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    RECT r = {0, 0, 16, 16};
    SetBkColor(c.dc, RGB(0, 0, 255));
    FillRect(c.dc, &r, hatch);
    int red = c.Count(RGB(255, 0, 0)), blue = c.Count(RGB(0, 0, 255));
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, red);
    EXPECT_EQ(red + blue, 256);

    c.Fill(RGB(1, 2, 3));
    SetBkMode(c.dc, TRANSPARENT);
    FillRect(c.dc, &r, hatch);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), red);
    EXPECT_EQ(c.Count(RGB(1, 2, 3)), blue);
    DeleteObject(hatch);
    EXPECT_EQ(CreateHatchBrush(17, 0), nullptr);
}

TEST(GdiBrushes, MonochromePatternTakesTextAndBackgroundColours)
{
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, nullptr);  // all 0 bits
    HDC pdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(pdc, pattern);
    SetPixel(pdc, 0, 0, kWhite);
    SelectObject(pdc, old);
    DeleteDC(pdc);
    HBRUSH brush = CreatePatternBrush(pattern);
    ASSERT_NE(brush, nullptr);
    DeleteObject(pattern);  // the brush keeps its own copy
    Canvas c(16, 8);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 255, 0));
    RECT r = {0, 0, 16, 8};
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(8, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.Count(RGB(0, 255, 0)), 2);

    // The brush origin shifts the pattern.
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(c.At(1, 0), RGB(0, 255, 0));
    DeleteObject(brush);
}

TEST(GdiTrace, CallsArePrintedOnTheGdiChannel)
{
    std::vector<std::string> lines;
    mivo::SetTraceSink([&lines](const std::string& line) { lines.push_back(line); });
    Canvas dst(2, 2, kD), src(2, 2, kS);
    mivo::SetTraceAreas("gdi");
    BitBlt(dst.dc, 0, 0, 2, 2, src.dc, 1, 1, SRCCOPY);
    mivo::SetTraceAreas("user");
    BitBlt(dst.dc, 0, 0, 2, 2, src.dc, 1, 1, SRCCOPY);
    mivo::SetTraceAreas("");
    mivo::SetTraceSink(nullptr);
    char expected[128];
    std::snprintf(expected, sizeof(expected), "[gdi] BitBlt(%p, 0, 0, 2, 2, %p, 1, 1, 00cc0020)", (void*)dst.dc,
                  (void*)src.dc);
    EXPECT_EQ(lines, std::vector<std::string>{expected});
}
