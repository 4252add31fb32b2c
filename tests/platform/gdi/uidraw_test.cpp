// Edges, frame controls and state drawing.
#include "GdiTestUtil.h"

using namespace gditest;

TEST(GdiUiDraw, FillRectTakesSystemColourIndexes)
{
    Canvas c(4, 4, RGB(1, 2, 3));
    RECT r = {0, 0, 2, 2};
    ASSERT_TRUE(FillRect(c.dc, &r, (HBRUSH)(uintptr_t)(5 + 1)));  // the window colour
    COLORREF window = c.At(0, 0);
    EXPECT_NE(window, RGB(1, 2, 3));
    EXPECT_EQ(c.At(1, 1), window);
    EXPECT_EQ(c.At(2, 2), RGB(1, 2, 3));
    EXPECT_FALSE(FillRect(c.dc, &r, (HBRUSH)(uintptr_t)0x7FFFFF00));
}

TEST(GdiUiDraw, InvertRectTwiceRestores)
{
    Canvas c(4, 4, RGB(10, 20, 30));
    RECT r = {1, 1, 3, 3};
    InvertRect(c.dc, &r);
    EXPECT_EQ(c.At(1, 1), RGB(245, 235, 225));
    EXPECT_EQ(c.At(0, 0), RGB(10, 20, 30));
    InvertRect(c.dc, &r);
    EXPECT_EQ(c.Count(RGB(10, 20, 30)), 16);
}

TEST(GdiUiDraw, DrawEdgeDrawsRingsAndAdjusts)
{
    const COLORREF ground = RGB(1, 2, 3);
    Canvas c(20, 20, ground);
    RECT r = {2, 2, 12, 10};
    ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_TRUE(RectIs(r, 4, 4, 10, 8));
    EXPECT_TRUE(RectIs(c.Extent(ground), 2, 2, 12, 10));
    // Outer ring: light top-left, dark bottom-right; the bottom-right colour owns the far corners.
    COLORREF topLeft = c.At(2, 2), bottomRight = c.At(11, 9);
    EXPECT_NE(topLeft, bottomRight);
    EXPECT_EQ(c.At(11, 2), bottomRight);
    EXPECT_EQ(c.At(2, 9), bottomRight);
    EXPECT_EQ(c.At(5, 5), ground);  // no BF_MIDDLE

    // Sunken is raised upside down.
    Canvas d(20, 20, ground);
    RECT s = {2, 2, 12, 10};
    DrawEdge(d.dc, &s, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    EXPECT_NE(d.At(5, 5), ground);
    EXPECT_LE(GetRValue(d.At(2, 2)), 128);  // a shadow colour at the top left

    // An etched line along the top is two rows.
    Canvas e(20, 20, ground);
    RECT line = {0, 5, 20, 15};
    DrawEdge(e.dc, &line, EDGE_ETCHED, BF_TOP);
    EXPECT_TRUE(RectIs(e.Extent(ground), 0, 5, 20, 7));
    EXPECT_NE(e.At(5, 5), e.At(5, 6));
}

TEST(GdiUiDraw, FrameControlsDraw)
{
    const COLORREF ground = RGB(1, 2, 3);
    struct Case {
        UINT type, state;
    } cases[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_MONO},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE},
        {DFC_CAPTION, DFCS_CAPTIONMAX},
        {DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_INACTIVE},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {DFC_SCROLL, DFCS_SCROLLUP},
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
        {DFC_MENU, DFCS_MENUCHECK},
    };
    for (const Case& k : cases) {
        Canvas c(20, 20, ground);
        RECT r = {2, 2, 18, 16};
        ASSERT_TRUE(DrawFrameControl(c.dc, &r, k.type, k.state)) << k.type << "/" << k.state;
        RECT ink = c.Extent(ground);
        EXPECT_GE(ink.left, 2);
        EXPECT_LE(ink.right, 18);
        EXPECT_LE(ink.bottom, 16);
        EXPECT_GT(c.Count([&](COLORREF p) { return p != ground; }), 20) << k.type << "/" << k.state;
    }
    Canvas c(20, 20);
    RECT r = {0, 0, 16, 16};
    DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK);
    COLORREF unchecked = c.At(8, 8);
    DrawFrameControl(c.dc, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(c.Count([&](COLORREF p) { return IsDark(p) && p != unchecked; }), 5);
    EXPECT_FALSE(DrawFrameControl(c.dc, &r, 99, 0));
}

TEST(GdiUiDraw, DrawStateDisabledEmbossesTheImage)
{
    HBITMAP picture = CreateBitmap(8, 8, 1, 32, nullptr);
    {
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, picture);
        PatBlt(mem, 0, 0, 8, 8, WHITENESS);
        PatBlt(mem, 2, 2, 4, 4, BLACKNESS);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    const COLORREF ground = RGB(0, 128, 0);
    Canvas c(12, 12, ground);
    ASSERT_TRUE(DrawState(c.dc, nullptr, nullptr, (LPARAM)picture, 0, 1, 1, 0, 0, DST_BITMAP | DSS_DISABLED));
    // The shape shows in the shadow colour, its highlight copy one pixel down-right.
    COLORREF shadow = c.At(3, 3);
    EXPECT_NE(shadow, ground);
    EXPECT_NE(c.At(7, 7), ground);
    EXPECT_EQ(c.At(1, 1), ground);  // white stays transparent
    EXPECT_NE(c.At(7, 7), shadow);

    Canvas n(12, 12, ground);
    DrawState(n.dc, nullptr, nullptr, (LPARAM)picture, 0, 0, 0, 8, 8, DST_BITMAP);
    EXPECT_EQ(n.At(0, 0), kWhite);
    EXPECT_EQ(n.At(3, 3), kBlack);
    DeleteObject(picture);

    Canvas t(80, 20, kWhite);
    EXPECT_TRUE(DrawState(t.dc, nullptr, nullptr, (LPARAM) "가나", 0, 2, 2, 0, 0, DST_TEXT | DSS_DISABLED));
    EXPECT_GT(t.Count([](COLORREF p) { return p != kWhite; }), 10);
}
