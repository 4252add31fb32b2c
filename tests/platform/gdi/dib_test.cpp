// DIB sections of every depth, GetDIBits/SetDIBits and the DIB transfers.
#include "GdiTestUtil.h"

#include <cstring>
#include <vector>

using namespace gditest;

namespace {

// A BITMAPINFO with room for a full colour table or bit-field masks.
struct Info {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

Info MakeInfo(int w, int h, int bpp)
{
    Info info;
    std::memset(&info, 0, sizeof(info));
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = w;
    info.h.biHeight = h;
    info.h.biPlanes = 1;
    info.h.biBitCount = (WORD)bpp;
    info.h.biCompression = BI_RGB;
    return info;
}

// Colours that every output depth can hold exactly (the VGA colours).
const COLORREF kVga[] = {RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                         RGB(0, 0, 128),   RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                         RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
                         RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

}  // namespace

class GdiDibDepth : public ::testing::TestWithParam<int> {};

TEST_P(GdiDibDepth, DibSectionKeepsItsLayoutWhileGdiDrawsIntoIt)
{
    int bpp = GetParam();
    Info info = MakeInfo(9, 5, bpp);  // bottom-up
    if (bpp <= 8) {
        int n = 1 << bpp;
        for (int i = 0; i < n && i < 16; ++i)
            info.colors[i] = RGBQUAD{GetBValue(kVga[i]), GetGValue(kVga[i]), GetRValue(kVga[i]), 0};
        if (bpp == 1)
            info.colors[1] = RGBQUAD{255, 255, 255, 0};
    }
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);
    Canvas c(dib, 9, 5);
    c.Fill(kBlack);
    COLORREF fg = bpp == 1 ? kWhite : RGB(255, 0, 0);
    HBRUSH brush = CreateSolidBrush(fg);
    RECT r = {0, 0, 3, 1};  // the top row: the last row in memory
    FillRect(c.dc, &r, brush);
    DeleteObject(brush);
    EXPECT_EQ(c.At(0, 0), fg);
    EXPECT_EQ(c.At(3, 0), kBlack);
    EXPECT_EQ(c.At(0, 1), kBlack);

    int stride = ((9 * bpp + 31) / 32) * 4;
    const uint8_t* top = static_cast<uint8_t*>(bits) + 4 * stride;
    const uint8_t* bottom = static_cast<uint8_t*>(bits);
    switch (bpp) {
    case 1:
        EXPECT_EQ(top[0] & 0xF0, 0xE0);
        break;
    case 4:
        EXPECT_EQ(top[0], 0x99);  // index 9 is bright red
        EXPECT_EQ(top[1] & 0xF0, 0x90);
        break;
    case 8:
        EXPECT_EQ(top[0], 9);
        EXPECT_EQ(top[3], 0);
        break;
    case 16:
        EXPECT_EQ(top[0] | (top[1] << 8), 0x7C00);  // 5-5-5 red
        break;
    case 24:
        EXPECT_EQ(top[2], 255);
        EXPECT_EQ(top[1], 0);
        break;
    case 32:
        EXPECT_EQ(top[2], 255);
        break;
    }
    EXPECT_EQ(bottom[0], 0);

    DIBSECTION ds;
    ASSERT_EQ(GetObject(dib, sizeof(ds), &ds), (int)sizeof(ds));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, stride);
    EXPECT_EQ(ds.dsBmih.biBitCount, bpp);
    EXPECT_EQ(ds.dsBmih.biHeight, 5);
}

TEST_P(GdiDibDepth, GetDIBitsRoundTrip)
{
    int bpp = GetParam();
    const int w = 7, h = 3;
    Canvas src(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // 16 bits hold 5 bits a channel: keep to full and empty channels there.
            static const COLORREF pure[] = {RGB(0, 0, 0),   RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                                            RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
            COLORREF c = bpp == 1    ? ((x + y) % 2 ? kWhite : kBlack)
                         : bpp == 16 ? pure[(x + y * w) % 8]
                                     : kVga[(x + y * w) % 16];
            SetPixel(src.dc, x, y, c);
        }
    HBITMAP bmp = (HBITMAP)GetCurrentObject(src.dc, OBJ_BITMAP);

    // The call without bits completes the header.
    Info info = MakeInfo(0, 0, bpp);
    info.h.biWidth = 0;
    info.h.biHeight = 0;
    ASSERT_NE(GetDIBits(src.dc, bmp, 0, h, nullptr, info.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.h.biWidth, w);
    EXPECT_EQ(info.h.biHeight, h);
    int64_t stride = ((w * bpp + 31) / 32) * 4;
    EXPECT_EQ(info.h.biSizeImage, (DWORD)(stride * h));

    std::vector<uint8_t> bits((size_t)info.h.biSizeImage);
    ASSERT_EQ(GetDIBits(src.dc, bmp, 0, h, bits.data(), info.get(), DIB_RGB_COLORS), h);

    Canvas dst(w, h, RGB(1, 2, 3));
    HBITMAP target = (HBITMAP)GetCurrentObject(dst.dc, OBJ_BITMAP);
    SelectObject(dst.dc, dst.old);  // SetDIBits works on an unselected bitmap
    ASSERT_EQ(SetDIBits(dst.dc, target, 0, h, bits.data(), info.get(), DIB_RGB_COLORS), h);
    SelectObject(dst.dc, target);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(dst.At(x, y), src.At(x, y)) << bpp << " bits at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, GdiDibDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(GdiDib, GetDIBitsReportsTheBitmapFormat)
{
    Canvas c(10, 4);
    Info info = MakeInfo(0, 0, 0);
    ASSERT_NE(GetDIBits(c.dc, (HBITMAP)GetCurrentObject(c.dc, OBJ_BITMAP), 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.h.biBitCount, 32);
    EXPECT_EQ(info.h.biWidth, 10);
    EXPECT_EQ(info.h.biHeight, 4);
    EXPECT_EQ(info.h.biSizeImage, 160u);
}

TEST(GdiDib, TopDownOutputAndPartialScanLines)
{
    Canvas src(2, 4);
    for (int y = 0; y < 4; ++y)
        SetPixel(src.dc, 0, y, RGB(y * 50, 0, 0));
    HBITMAP bmp = (HBITMAP)GetCurrentObject(src.dc, OBJ_BITMAP);
    Info info = MakeInfo(2, -4, 32);
    uint32_t px[2 * 4] = {};
    ASSERT_EQ(GetDIBits(src.dc, bmp, 0, 4, px, info.get(), DIB_RGB_COLORS), 4);
    EXPECT_EQ(px[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(px[2 * 3] & 0xFFFFFF, 150u << 16);
    // Bottom-up scan lines 1..2 are image rows 2 and 1.
    info = MakeInfo(2, 4, 32);
    uint32_t part[2 * 2] = {};
    ASSERT_EQ(GetDIBits(src.dc, bmp, 1, 2, part, info.get(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(part[0] & 0xFFFFFF, 100u << 16);
    EXPECT_EQ(part[2] & 0xFFFFFF, 50u << 16);
}

TEST(GdiDib, StretchDIBitsOfABottomUpSubRectangle)
{
    // A 4 x 4 bottom-up 24-bit DIB whose rows (top to bottom) are red, green, blue, grey.
    const COLORREF rows[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(90, 90, 90)};
    Info info = MakeInfo(4, 4, 24);
    std::vector<uint8_t> bits(4 * 12);
    for (int y = 0; y < 4; ++y) {
        uint8_t* row = bits.data() + (3 - y) * 12;  // bottom-up
        for (int x = 0; x < 4; ++x) {
            row[x * 3] = GetBValue(rows[y]);
            row[x * 3 + 1] = GetGValue(rows[y]);
            row[x * 3 + 2] = GetRValue(rows[y]);
        }
    }
    Canvas c(4, 4);
    // Source y counts from the bottom: rows 1 and 2 from the bottom are blue and green.
    int lines = StretchDIBits(c.dc, 0, 0, 2, 2, 1, 1, 2, 2, bits.data(), info.get(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(lines, 4);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(c.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(c.At(2, 0), kWhite);

    // Upside down by a negative destination height.
    StretchDIBits(c.dc, 0, 4, 4, -4, 0, 0, 4, 4, bits.data(), info.get(), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(c.At(0, 0), RGB(90, 90, 90));
    EXPECT_EQ(c.At(0, 3), RGB(255, 0, 0));

    // Stretched to the whole canvas from a top-down copy.
    Info topDown = MakeInfo(4, -4, 24);
    std::vector<uint8_t> flipped(bits.size());
    for (int y = 0; y < 4; ++y)
        std::memcpy(flipped.data() + y * 12, bits.data() + (3 - y) * 12, 12);
    Canvas big(8, 8);
    EXPECT_EQ(StretchDIBits(big.dc, 0, 0, 8, 8, 0, 0, 4, 4, flipped.data(), topDown.get(), DIB_RGB_COLORS, SRCCOPY), 4);
    EXPECT_EQ(big.At(7, 1), RGB(255, 0, 0));
    EXPECT_EQ(big.At(0, 7), RGB(90, 90, 90));

    EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(GdiDib, SetDIBitsToDeviceCopiesOneToOne)
{
    Info info = MakeInfo(2, 2, 8);
    info.colors[0] = RGBQUAD{0, 0, 255, 0};  // red
    info.colors[1] = RGBQUAD{255, 0, 0, 0};  // blue
    info.h.biClrUsed = 2;
    uint8_t bits[8] = {1, 0, 0, 0, 0, 1, 0, 0};  // bottom row: blue red; top row: red blue
    Canvas c(4, 4);
    EXPECT_EQ(SetDIBitsToDevice(c.dc, 1, 1, 2, 2, 0, 0, 0, 2, bits, info.get(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(c.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(c.At(2, 1), RGB(0, 0, 255));
    EXPECT_EQ(c.At(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(c.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(c.At(0, 0), kWhite);
}

TEST(GdiDib, BadHeadersFail)
{
    void* bits = reinterpret_cast<void*>(1);
    Info bad = MakeInfo(4, 4, 7);
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    bad = MakeInfo(-4, 4, 24);
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bad = MakeInfo(4, 0, 24);
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bad = MakeInfo(0x7FFFFFFF, 0x7FFFFFFF, 32);
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bad = MakeInfo(4, 4, 24);
    bad.h.biPlanes = 0;
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    bad = MakeInfo(4, 4, 24);
    bad.h.biCompression = BI_JPEG;
    EXPECT_EQ(CreateDIBSection(nullptr, bad.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(GdiDib, BitmapBitsRoundTrip)
{
    uint8_t in[2 * 4] = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
    HBITMAP bmp = CreateBitmap(2, 1, 1, 32, in);
    ASSERT_NE(bmp, nullptr);
    uint8_t out[8] = {};
    EXPECT_EQ(GetBitmapBits(bmp, sizeof(out), out), 8);
    EXPECT_EQ(std::memcmp(in, out, 3), 0);
    EXPECT_EQ(std::memcmp(in + 4, out + 4, 3), 0);
    EXPECT_EQ(GetBitmapBits(bmp, 0, nullptr), 8);

    BITMAP bm;
    ASSERT_EQ(GetObject(bmp, sizeof(bm), &bm), (int)sizeof(bm));
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    DeleteObject(bmp);

    uint8_t mono[4] = {0xA0, 0, 0x40, 0};  // two rows of 16-bit padded bits
    HBITMAP m = CreateBitmap(3, 2, 1, 1, mono);
    uint8_t back[4] = {};
    EXPECT_EQ(GetBitmapBits(m, 4, back), 4);
    EXPECT_EQ(back[0] & 0xE0, 0xA0);
    EXPECT_EQ(back[2] & 0xE0, 0x40);
    DeleteObject(m);
}
