#include <gtest/gtest.h>

#include <win32.h>

#include <cstdint>

namespace {

// A 32-bit top-down DIB section selected into a memory DC, for reading pixels.
struct Canvas {
    Canvas(int w, int h) : width(w)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
        old = SelectObject(dc, bmp);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    void Fill(COLORREF c)
    {
        RECT rc = {0, 0, width, 1000};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    int width;
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    uint32_t* bits = nullptr;
};

// Two 4x4 images side by side: red with a magenta (mask colour) top-left quarter, then blue.
HBITMAP StripBitmap()
{
    Canvas c(8, 4);
    c.Fill(RGB(255, 0, 0));
    RECT key = {0, 0, 2, 2}, blue = {4, 0, 8, 4};
    HBRUSH m = CreateSolidBrush(RGB(255, 0, 255)), b = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(c.dc, &key, m);
    FillRect(c.dc, &blue, b);
    DeleteObject(m);
    DeleteObject(b);
    SelectObject(c.dc, c.old);
    HBITMAP out = c.bmp;
    c.bmp = CreateCompatibleBitmap(c.dc, 1, 1);  // the canvas frees this one instead
    c.old = SelectObject(c.dc, c.bmp);
    return out;
}

TEST(ImageList, MaskColourMakesPixelsTransparentAndNormalDrawingUsesTheBackground)
{
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 0);
    ASSERT_NE(list, nullptr);
    HBITMAP strip = StripBitmap();
    EXPECT_EQ(ImageList_AddMasked(list, strip, RGB(255, 0, 255)), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);

    Canvas c(4, 4);
    c.Fill(RGB(0, 255, 0));
    ASSERT_TRUE(ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0)) << "masked pixel keeps what was below";
    EXPECT_EQ(c.At(3, 3), RGB(255, 0, 0));

    // Without ILD_TRANSPARENT the list's background colour fills the masked part.
    ImageList_SetBkColor(list, RGB(10, 20, 30));
    c.Fill(RGB(0, 255, 0));
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.At(1, 1), RGB(10, 20, 30));
    // CLR_NONE as background draws transparently even in normal mode.
    ImageList_SetBkColor(list, CLR_NONE);
    c.Fill(RGB(0, 255, 0));
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.At(1, 1), RGB(0, 255, 0));

    DeleteObject(strip);
    ImageList_Destroy(list);
}

TEST(ImageList, Blend50MixesHalfWithTheHighlightColour)
{
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 1);
    HBITMAP strip = StripBitmap();
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    Canvas c(4, 4);
    c.Fill(RGB(0, 255, 0));
    ASSERT_TRUE(ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT | ILD_BLEND50));
    COLORREF hi = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF want = RGB((255 + GetRValue(hi)) / 2, GetGValue(hi) / 2, GetBValue(hi) / 2);
    EXPECT_EQ(c.At(3, 3), want);
    EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0)) << "the mask still holds while blending";

    // An explicit foreground colour replaces the highlight.
    ImageList_DrawEx(list, 1, c.dc, 0, 0, 0, 0, CLR_NONE, RGB(255, 255, 255), ILD_BLEND50);
    EXPECT_EQ(c.At(2, 2), RGB(127, 127, 255));
    DeleteObject(strip);
    ImageList_Destroy(list);
}

TEST(ImageList, RemoveReplaceInfoAndStaleHandles)
{
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 0);
    HBITMAP strip = StripBitmap();
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    IMAGEINFO info = {};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 1, &info));
    EXPECT_EQ(info.rcImage.left, 4);
    EXPECT_EQ(info.rcImage.right, 8);
    EXPECT_FALSE(ImageList_GetImageInfo(list, 2, &info));

    EXPECT_TRUE(ImageList_Remove(list, 0));
    Canvas c(4, 4);
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.At(1, 1), RGB(0, 0, 255)) << "the blue image moved to index 0";
    EXPECT_FALSE(ImageList_Remove(list, 5));
    EXPECT_TRUE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);

    HICON icon = nullptr;
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    icon = ImageList_GetIcon(list, 0, 0);
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 2);
    DestroyIcon(icon);

    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    ImageList_Destroy(list);
    // A destroyed list is gone for good: calls fail instead of touching freed memory.
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR24, 1, 1), nullptr);
    DeleteObject(strip);
}

TEST(ImageList, OverlayDrawsOverTheImage)
{
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 0);
    HBITMAP strip = StripBitmap();
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    // Image 0 (red with a clear corner) as overlay 1 over image 1 (blue).
    ASSERT_TRUE(ImageList_SetOverlayImage(list, 0, 1));
    Canvas c(4, 4);
    ImageList_Draw(list, 1, c.dc, 0, 0, ILD_NORMAL | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255)) << "the overlay's clear corner shows the image";
    EXPECT_EQ(c.At(3, 3), RGB(255, 0, 0));
    DeleteObject(strip);
    ImageList_Destroy(list);
}

TEST(ImageList, ThirtyTwoBitImagesBlendByTheirAlpha)
{
    Canvas src(2, 1);
    src.bits[0] = 0x80FF0000;  // half-transparent red
    src.bits[1] = 0xFF0000FF;  // opaque blue
    SelectObject(src.dc, src.old);
    HIMAGELIST list = ImageList_Create(2, 1, ILC_COLOR32, 1, 0);
    ASSERT_EQ(ImageList_Add(list, src.bmp, nullptr), 0);
    src.old = SelectObject(src.dc, src.bmp);
    Canvas c(2, 1);
    c.Fill(RGB(255, 255, 255));
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.At(0, 0), RGB(255, 127, 127));
    EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
    ImageList_Destroy(list);
}

}  // namespace

TEST(ImageList, CountsBeyondThePixelBudgetAreRefused)
{
    HIMAGELIST list = ImageList_Create(4096, 4096, ILC_COLOR32, 0, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(ImageList_SetImageCount(list, 65536));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Create(5000, 16, ILC_COLOR24, 1, 1), nullptr);
    ImageList_Destroy(list);
}

// An icon added to a list draws with its own mask, in both colour depths and
// for the layer's own icons.
TEST(ImageList, IconsKeepTheirPicturesAndMasks)
{
    Canvas color(4, 4), mask(4, 4);
    color.Fill(RGB(200, 0, 0));
    mask.Fill(RGB(0, 0, 0));
    RECT corner = {0, 0, 2, 2};
    FillRect(mask.dc, &corner, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SelectObject(color.dc, color.old);
    SelectObject(mask.dc, mask.old);
    ICONINFO ii = {TRUE, 0, 0, mask.bmp, color.bmp};
    HICON icon = CreateIconIndirect(&ii);
    color.old = SelectObject(color.dc, color.bmp);
    mask.old = SelectObject(mask.dc, mask.bmp);
    ASSERT_NE(icon, nullptr);
    for (UINT depth : {ILC_COLOR24, ILC_COLOR32}) {
        SCOPED_TRACE(depth);
        HIMAGELIST list = ImageList_Create(4, 4, depth | ILC_MASK, 1, 0);
        ASSERT_EQ(ImageList_AddIcon(list, icon), 0);
        Canvas c(4, 4);
        c.Fill(RGB(0, 255, 0));
        ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT);
        EXPECT_EQ(c.At(3, 3), RGB(200, 0, 0));
        EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
        ImageList_Destroy(list);
    }
    DestroyIcon(icon);

    HICON folder = (HICON)LoadImage(GetModuleHandle("platform"), MAKEINTRESOURCE(0xE100), IMAGE_ICON, 16, 16, 0);
    ASSERT_NE(folder, nullptr);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    ASSERT_EQ(ImageList_AddIcon(list, folder), 0);
    Canvas c(16, 16);
    c.Fill(RGB(0, 255, 0));
    ImageList_Draw(list, 0, c.dc, 0, 0, ILD_TRANSPARENT);
    int painted = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            painted += c.At(x, y) != RGB(0, 255, 0);
    EXPECT_GT(painted, 32) << "the folder shows";
    ImageList_Destroy(list);
    DestroyIcon(folder);
}
