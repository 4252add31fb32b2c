// Regions and clipping.
#include "GdiTestUtil.h"

using namespace gditest;

TEST(GdiRegion, CombineModes)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    struct Case {
        int mode;
        int type;
        bool in00, in77, in1212;
    } cases[] = {
        {RGN_AND, SIMPLEREGION, false, true, false},
        {RGN_OR, COMPLEXREGION, true, true, true},
        {RGN_XOR, COMPLEXREGION, true, false, true},
        {RGN_DIFF, COMPLEXREGION, true, false, false},
        {RGN_COPY, SIMPLEREGION, true, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.type) << c.mode;
        EXPECT_EQ(PtInRegion(out, 0, 0), c.in00) << c.mode;
        EXPECT_EQ(PtInRegion(out, 7, 7), c.in77) << c.mode;
        EXPECT_EQ(PtInRegion(out, 12, 12), c.in1212) << c.mode;
    }
    // The source may be the destination.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
    EXPECT_TRUE(RectIs(box, 5, 5, 10, 10));
    EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), NULLREGION);
    EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
    EXPECT_TRUE(RectIs(box, 0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(out);
}

TEST(GdiRegion, QueriesAndOffset)
{
    HRGN r = CreateRectRgn(10, 20, 0, 0);  // corners are normalized
    RECT box;
    GetRgnBox(r, &box);
    EXPECT_TRUE(RectIs(box, 0, 0, 10, 20));
    EXPECT_TRUE(PtInRegion(r, 9, 19));
    EXPECT_FALSE(PtInRegion(r, 10, 19));
    RECT inside = {9, 19, 30, 30}, outside = {10, 0, 20, 20};
    EXPECT_TRUE(RectInRegion(r, &inside));
    EXPECT_FALSE(RectInRegion(r, &outside));
    EXPECT_EQ(OffsetRgn(r, 5, -5), SIMPLEREGION);
    GetRgnBox(r, &box);
    EXPECT_TRUE(RectIs(box, 5, -5, 15, 15));

    HRGN same = CreateRectRgn(5, -5, 15, 15);
    EXPECT_TRUE(EqualRgn(r, same));
    SetRectRgn(same, 0, 0, 1, 1);
    EXPECT_FALSE(EqualRgn(r, same));
    DeleteObject(r);
    DeleteObject(same);
}

TEST(GdiRegion, ShapedRegions)
{
    HRGN ellipse = CreateEllipticRgn(0, 0, 20, 10);
    RECT box;
    EXPECT_EQ(GetRgnBox(ellipse, &box), COMPLEXREGION);
    EXPECT_TRUE(RectIs(box, 0, 0, 20, 10));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    EXPECT_TRUE(PtInRegion(ellipse, 10, 5));

    POINT square[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}};
    HRGN poly = CreatePolygonRgn(square, 4, ALTERNATE);
    HRGN rect = CreateRectRgn(0, 0, 8, 8);
    EXPECT_TRUE(EqualRgn(poly, rect));

    HRGN round = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 10, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 10));

    POINT star[] = {{50, 0}, {79, 90}, {2, 34}, {97, 34}, {21, 90}};
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    EXPECT_FALSE(PtInRegion(alternate, 50, 50));
    EXPECT_TRUE(PtInRegion(winding, 50, 50));
    EXPECT_EQ(CreatePolygonRgn(star, 5, 7), nullptr);
    for (HRGN h : {ellipse, poly, rect, round, alternate, winding})
        DeleteObject(h);
}

TEST(GdiRegion, RegionDataRoundTrip)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(20, 0, 30, 5);
    CombineRgn(a, a, b, RGN_OR);
    DWORD size = GetRegionData(a, 0, nullptr);
    ASSERT_GT(size, sizeof(RGNDATAHEADER));
    std::vector<char> buf(size);
    ASSERT_EQ(GetRegionData(a, size, reinterpret_cast<RGNDATA*>(buf.data())), size);
    HRGN copy = ExtCreateRegion(nullptr, size, reinterpret_cast<RGNDATA*>(buf.data()));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(a, copy));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(copy);
}

TEST(GdiRegion, FillFrameAndInvert)
{
    Canvas c(20, 20);
    HRGN r = CreateRectRgn(2, 2, 12, 8);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    ASSERT_TRUE(FillRgn(c.dc, r, red));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 60);

    c.Fill(kWhite);
    ASSERT_TRUE(FrameRgn(c.dc, r, red, 1, 1));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 2 * 10 + 2 * 4);
    EXPECT_EQ(c.At(5, 5), kWhite);

    c.Fill(kWhite);
    ASSERT_TRUE(InvertRgn(c.dc, r));
    EXPECT_EQ(c.Count(kBlack), 60);

    // Region coordinates are logical: they follow the viewport origin.
    c.Fill(kWhite);
    SetViewportOrgEx(c.dc, 5, 5, nullptr);
    FillRgn(c.dc, r, red);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(c.At(7, 7), RGB(255, 0, 0));
    EXPECT_EQ(c.At(3, 3), kWhite);
    EXPECT_FALSE(FillRgn(c.dc, r, nullptr));
    DeleteObject(red);
    DeleteObject(r);
}

TEST(GdiClip, SelectClipRgnLimitsDrawing)
{
    Canvas c(20, 20);
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_TRUE(RectIs(box, 0, 0, 20, 20));
    HRGN clip = CreateRectRgn(5, 5, 10, 10);
    EXPECT_EQ(SelectClipRgn(c.dc, clip), SIMPLEREGION);
    DeleteObject(clip);  // the DC keeps its own copy
    PatBlt(c.dc, 0, 0, 20, 20, BLACKNESS);
    EXPECT_EQ(c.Count(kBlack), 25);
    EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
    EXPECT_TRUE(RectIs(box, 5, 5, 10, 10));

    EXPECT_EQ(ExcludeClipRect(c.dc, 5, 5, 7, 7), COMPLEXREGION);
    c.Fill(kWhite);  // FillRect is clipped too
    EXPECT_EQ(c.Count(kWhite), 25 - 4);

    HRGN got = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(c.dc, got), 1);
    EXPECT_FALSE(PtInRegion(got, 5, 5));
    EXPECT_TRUE(PtInRegion(got, 9, 9));

    EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(c.dc, got), 0);
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 4, 3), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(c.dc, 10, 10, 12, 12), NULLREGION);
    EXPECT_EQ(GetClipBox(c.dc, &box), NULLREGION);
    EXPECT_FALSE(PtVisible(c.dc, 1, 1));
    DeleteObject(got);
}

TEST(GdiClip, SaveDCRestoresTheClip)
{
    Canvas c(10, 10);
    SaveDC(c.dc);
    IntersectClipRect(c.dc, 0, 0, 2, 2);
    EXPECT_TRUE(PtVisible(c.dc, 1, 1));
    EXPECT_FALSE(PtVisible(c.dc, 5, 5));
    RestoreDC(c.dc, -1);
    EXPECT_TRUE(PtVisible(c.dc, 5, 5));
    RECT r = {8, 8, 20, 20};
    EXPECT_TRUE(RectVisible(c.dc, &r));
    RECT away = {10, 10, 20, 20};
    EXPECT_FALSE(RectVisible(c.dc, &away));
}

TEST(GdiClip, ClipRegionIsInDeviceUnits)
{
    Canvas c(20, 20);
    SetViewportOrgEx(c.dc, 10, 10, nullptr);
    HRGN clip = CreateRectRgn(0, 0, 5, 5);
    SelectClipRgn(c.dc, clip);
    DeleteObject(clip);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    PatBlt(c.dc, 0, 0, 20, 20, BLACKNESS);
    SelectClipRgn(c.dc, nullptr);  // GetPixel outside the clip gives CLR_INVALID
    EXPECT_TRUE(RectIs(c.Extent(kWhite), 0, 0, 5, 5));
    // IntersectClipRect takes logical units.
    c.Fill(kWhite);
    SetViewportOrgEx(c.dc, 10, 10, nullptr);
    IntersectClipRect(c.dc, 0, 0, 5, 5);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    PatBlt(c.dc, 0, 0, 20, 20, BLACKNESS);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), CLR_INVALID);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_TRUE(RectIs(c.Extent(kWhite), 10, 10, 15, 15));
}
