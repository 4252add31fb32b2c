// Handle lifetimes, object kinds, GetObject and bad input.
#include "GdiTestUtil.h"

#include <cstring>

using namespace gditest;

TEST(GdiHandles, StaleHandlesFail)
{
    Canvas c(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    ASSERT_NE(pen, nullptr);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(c.dc, pen), nullptr);
    LOGPEN lp;
    EXPECT_EQ(GetObject(pen, sizeof(lp), &lp), 0);
    EXPECT_EQ(GetObjectType(pen), 0u);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_FALSE(Rectangle(dc, 0, 0, 2, 2));
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);

    // A handle that was never made, and a new object reusing nothing of the old.
    EXPECT_FALSE(DeleteObject((HGDIOBJ)(uintptr_t)0x12345));
    EXPECT_EQ(GetObjectType((HGDIOBJ)(uintptr_t)0xDEADBEEF), 0u);
    HPEN again = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(again, pen);
    DeleteObject(again);
}

TEST(GdiHandles, WrongKindsFail)
{
    Canvas c(4, 4);
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_FALSE(Rectangle((HDC)brush, 0, 0, 2, 2));
    EXPECT_EQ(CreatePatternBrush((HBITMAP)brush), nullptr);
    EXPECT_EQ(SelectPalette(c.dc, (HPALETTE)brush, FALSE), nullptr);
    EXPECT_FALSE(DeleteObject(c.dc));  // DCs go through DeleteDC
    EXPECT_EQ(GetObjectType(c.dc), (DWORD)OBJ_MEMDC);
    EXPECT_EQ(GetObjectType(brush), (DWORD)OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(c.bitmap), (DWORD)OBJ_BITMAP);
    EXPECT_EQ(SelectObject(nullptr, brush), nullptr);
    EXPECT_EQ(SelectObject(c.dc, nullptr), nullptr);
    DeleteObject(brush);
}

TEST(GdiHandles, SelectedBitmapCannotBeDeletedOrShared)
{
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(a, bmp);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_EQ(SelectObject(b, bmp), nullptr);  // one DC at a time
    EXPECT_EQ(SelectObject(a, old), (HGDIOBJ)bmp);
    EXPECT_NE(SelectObject(b, bmp), nullptr);
    DeleteDC(b);  // deleting the DC lets the bitmap go
    EXPECT_TRUE(DeleteObject(bmp));
    DeleteDC(a);
}

TEST(GdiHandles, SelectedPenIsDeletedWhenDeselected)
{
    Canvas c(8, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(c.dc, pen);
    EXPECT_TRUE(DeleteObject(pen));  // deferred
    EXPECT_EQ(GetObjectType(pen), (DWORD)OBJ_PEN);
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 4, 0);
    EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
    SelectObject(c.dc, old);
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiHandles, StockObjects)
{
    HGDIOBJ black = GetStockObject(BLACK_PEN);
    ASSERT_NE(black, nullptr);
    EXPECT_EQ(GetStockObject(BLACK_PEN), black);
    EXPECT_TRUE(DeleteObject(black));  // ignored
    EXPECT_EQ(GetObjectType(black), (DWORD)OBJ_PEN);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    LOGFONT lf;
    ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf), (int)sizeof(lf));
    EXPECT_STREQ(lf.lfFaceName, "굴림");
    LOGBRUSH lb;
    GetObject(GetStockObject(LTGRAY_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
    GetObject(GetStockObject(NULL_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, (UINT)BS_NULL);
    WORD entries = 0;
    GetObject(GetStockObject(DEFAULT_PALETTE), sizeof(entries), &entries);
    EXPECT_EQ(entries, 20);

    // A fresh DC starts with the stock pen, brush and font.
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), black);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
}

TEST(GdiHandles, GetObjectDescribesEachKind)
{
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN lp;
    ASSERT_EQ(GetObject(pen, sizeof(lp), &lp), (int)sizeof(lp));
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObject(pen, 0, nullptr), (int)sizeof(LOGPEN));
    DeleteObject(pen);
    // Wide styled pens become solid.
    pen = CreatePen(PS_DOT, 3, 0);
    GetObject(pen, sizeof(lp), &lp);
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_SOLID);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    DeleteObject(pen);

    LOGFONT in = {};
    in.lfHeight = -13;
    in.lfWeight = FW_BOLD;
    std::strcpy(in.lfFaceName, "돋움");
    HFONT font = CreateFontIndirect(&in);
    LOGFONT out;
    ASSERT_EQ(GetObject(font, sizeof(out), &out), (int)sizeof(out));
    EXPECT_EQ(out.lfHeight, -13);
    EXPECT_EQ(out.lfWeight, FW_BOLD);
    EXPECT_STREQ(out.lfFaceName, "돋움");
    DeleteObject(font);

    HBITMAP mono = CreateBitmap(17, 3, 1, 1, nullptr);
    BITMAP bm;
    ASSERT_EQ(GetObject(mono, sizeof(bm), &bm), (int)sizeof(bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 4);  // rows padded to 16 bits
    DeleteObject(mono);
}

TEST(GdiHandles, CompatibleBitmapFollowsTheSelectedBitmap)
{
    HDC mem = CreateCompatibleDC(nullptr);
    // A fresh memory DC holds a 1 x 1 monochrome bitmap: so is its compatible bitmap.
    HBITMAP m = CreateCompatibleBitmap(mem, 8, 8);
    BITMAP bm;
    GetObject(m, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HBITMAP colour = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(mem, colour);
    HBITMAP c = CreateCompatibleBitmap(mem, 8, 8);
    GetObject(c, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    HBITMAP empty = CreateCompatibleBitmap(mem, 0, 5);
    GetObject(empty, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(CreateCompatibleBitmap(mem, -1, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 5, 5), nullptr);
    SelectObject(mem, old);
    for (HBITMAP h : {m, colour, c, empty})
        DeleteObject(h);
    DeleteDC(mem);
}

TEST(GdiHandles, BadSizesAndNullPointers)
{
    EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 33, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(1 << 30, 1 << 30, 1, 32, nullptr), nullptr);
    HBITMAP tiny = CreateBitmap(0, 0, 1, 32, nullptr);
    ASSERT_NE(tiny, nullptr);
    DeleteObject(tiny);
    EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
    EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
    Canvas c(4, 4);
    EXPECT_FALSE(Polygon(c.dc, nullptr, 3));
    EXPECT_FALSE(LPtoDP(c.dc, nullptr, 2));
    EXPECT_EQ(DrawText(c.dc, nullptr, -1, nullptr, 0), 0);
    EXPECT_FALSE(GetTextExtentPoint32(c.dc, "x", 1, nullptr));
    EXPECT_FALSE(FillRect(c.dc, nullptr, (HBRUSH)GetStockObject(BLACK_BRUSH)));
    EXPECT_FALSE(ExtTextOut(c.dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
}

TEST(GdiPalettes, StoredAndAnsweredNeverADevice)
{
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[3];
    } lp = {0x300, 3, {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}}};
    HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(10, 240, 10)), 1u);
    PALETTEENTRY e[3];
    EXPECT_EQ(GetPaletteEntries(pal, 1, 5, e), 2u);
    EXPECT_EQ(e[1].peBlue, 255);

    Canvas c(2, 2);
    HPALETTE old = SelectPalette(c.dc, pal, FALSE);
    EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(RealizePalette(c.dc), 0u);
    EXPECT_EQ(GetDeviceCaps(c.dc, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(c.dc, SIZEPALETTE), 0);
    SetPixel(c.dc, 0, 0, PALETTEINDEX(2));
    EXPECT_EQ(c.At(0, 0), RGB(0, 0, 255));
    SelectPalette(c.dc, old, FALSE);

    HPALETTE half = CreateHalftonePalette(c.dc);
    EXPECT_EQ(GetPaletteEntries(half, 0, 0, nullptr), 256u);
    PALETTEENTRY sys[256];
    EXPECT_EQ(GetSystemPaletteEntries(c.dc, 0, 256, sys), 256u);
    DeleteObject(half);
    DeleteObject(pal);
}
