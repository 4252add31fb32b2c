// Lines, shapes, pixels, mix modes and coordinate mapping on memory DCs.
#include "GdiTestUtil.h"

using namespace gditest;

namespace {

const COLORREF kGround = RGB(10, 20, 30);

}  // namespace

TEST(GdiLines, LineExcludesItsLastPixel)
{
    Canvas c(12, 12);
    MoveToEx(c.dc, 1, 1, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 6, 1));
    for (int x = 1; x <= 5; ++x)
        EXPECT_EQ(c.At(x, 1), kBlack) << x;
    EXPECT_EQ(c.At(6, 1), kWhite);
    EXPECT_EQ(c.At(0, 1), kWhite);

    POINT pos;
    GetCurrentPositionEx(c.dc, &pos);
    EXPECT_EQ(pos.x, 6);
    EXPECT_EQ(pos.y, 1);

    // Drawn backwards the start is in and the end is out.
    MoveToEx(c.dc, 6, 4, nullptr);
    LineTo(c.dc, 1, 4);
    EXPECT_EQ(c.At(6, 4), kBlack);
    EXPECT_EQ(c.At(2, 4), kBlack);
    EXPECT_EQ(c.At(1, 4), kWhite);

    // A diagonal covers one pixel per step.
    MoveToEx(c.dc, 0, 6, nullptr);
    LineTo(c.dc, 4, 10);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(c.At(i, 6 + i), kBlack) << i;
    EXPECT_EQ(c.At(4, 10), kWhite);
    EXPECT_EQ(c.Count(kBlack), 5 + 5 + 4);
}

TEST(GdiLines, PolylineDrawsEveryVertexButTheLast)
{
    Canvas c(10, 10);
    POINT pts[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    ASSERT_TRUE(Polyline(c.dc, pts, 4));
    EXPECT_EQ(c.At(5, 1), kBlack);
    EXPECT_EQ(c.At(5, 5), kBlack);
    EXPECT_EQ(c.At(1, 5), kWhite);
    EXPECT_EQ(c.Count(kBlack), 4 + 4 + 4);
    EXPECT_FALSE(Polyline(c.dc, pts, 1));
}

TEST(GdiLines, DottedPenAlternatesWithBackgroundWhenOpaque)
{
    Canvas c(40, 4);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(255, 0, 0));
    Select s(c.dc, pen);
    SetBkColor(c.dc, RGB(0, 0, 255));
    MoveToEx(c.dc, 0, 1, nullptr);
    LineTo(c.dc, 30, 1);
    EXPECT_GT(c.Count(RGB(255, 0, 0)), 0);
    EXPECT_GT(c.Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)) + c.Count(RGB(0, 0, 255)), 30);

    c.Fill(kWhite);
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 0, 1, nullptr);
    LineTo(c.dc, 30, 1);
    EXPECT_EQ(c.Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)) + c.Count(kWhite), 40 * 4);
    DeleteObject(pen);
}

TEST(GdiShapes, RectangleExcludesRightAndBottom)
{
    Canvas c(10, 10, kGround);
    ASSERT_TRUE(Rectangle(c.dc, 2, 2, 6, 5));
    // Frame in the pen, inside in the brush, nothing at x = 6 or y = 5.
    EXPECT_TRUE(RectIs(c.Extent(kGround), 2, 2, 6, 5));
    EXPECT_EQ(c.At(2, 2), kBlack);
    EXPECT_EQ(c.At(5, 4), kBlack);
    EXPECT_EQ(c.At(3, 3), kWhite);
    EXPECT_EQ(c.At(4, 3), kWhite);
    EXPECT_EQ(c.Count(kWhite), 2);
}

TEST(GdiShapes, RectangleWithoutPenIsOnePixelSmaller)
{
    Canvas c(10, 10, kGround);
    Select pen(c.dc, GetStockObject(NULL_PEN));
    Select brush(c.dc, GetStockObject(BLACK_BRUSH));
    Rectangle(c.dc, 2, 2, 6, 5);
    EXPECT_TRUE(RectIs(c.Extent(kGround), 2, 2, 5, 4));
}

TEST(GdiShapes, FillRectAndFrameRectCoverHalfOpenRectangles)
{
    Canvas c(10, 10, kGround);
    RECT r = {1, 2, 7, 6};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    ASSERT_TRUE(FillRect(c.dc, &r, red));
    EXPECT_TRUE(RectIs(c.Extent(kGround), 1, 2, 7, 6));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 6 * 4);

    c.Fill(kGround);
    ASSERT_TRUE(FrameRect(c.dc, &r, red));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 2 * 6 + 2 * 2);
    EXPECT_EQ(c.At(3, 4), kGround);
    DeleteObject(red);
}

TEST(GdiShapes, EllipseTouchesItsBoxAndStaysInside)
{
    Canvas c(20, 20, kGround);
    ASSERT_TRUE(Ellipse(c.dc, 2, 3, 14, 11));
    EXPECT_TRUE(RectIs(c.Extent(kGround), 2, 3, 14, 11));
    EXPECT_EQ(c.At(2, 3), kGround);  // corners stay outside
    EXPECT_EQ(c.At(13, 10), kGround);
    EXPECT_EQ(c.At(8, 7), kWhite);    // filled with the brush
    EXPECT_EQ(c.At(2, 7), kBlack);    // the pen at the left end
    // Symmetric left to right and top to bottom.
    for (int y = 3; y < 11; ++y)
        for (int x = 2; x < 14; ++x)
            EXPECT_EQ(c.At(x, y), c.At(15 - x, y)) << x << "," << y;
}

TEST(GdiShapes, RoundRectKeepsItsBoxAndCutsCorners)
{
    Canvas c(30, 30, kGround);
    ASSERT_TRUE(RoundRect(c.dc, 2, 2, 22, 17, 8, 8));
    EXPECT_TRUE(RectIs(c.Extent(kGround), 2, 2, 22, 17));
    EXPECT_EQ(c.At(2, 2), kGround);
    EXPECT_EQ(c.At(12, 2), kBlack);
    EXPECT_EQ(c.At(12, 9), kWhite);
}

TEST(GdiShapes, WidePenIsCentredOnTheOutline)
{
    Canvas c(30, 30, kGround);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(255, 0, 0));
    Select s(c.dc, pen);
    MoveToEx(c.dc, 5, 10, nullptr);
    LineTo(c.dc, 20, 10);
    EXPECT_EQ(c.At(10, 9), RGB(255, 0, 0));
    EXPECT_EQ(c.At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(c.At(10, 11), RGB(255, 0, 0));
    EXPECT_EQ(c.At(10, 12), kGround);
    EXPECT_EQ(c.At(10, 8), kGround);
    DeleteObject(pen);
}

TEST(GdiShapes, PolygonFillModes)
{
    // A five-pointed star: the centre is inside twice.
    POINT star[] = {{50, 0}, {79, 90}, {2, 34}, {97, 34}, {21, 90}};
    Canvas c(100, 100);
    Select pen(c.dc, GetStockObject(NULL_PEN));
    Select brush(c.dc, GetStockObject(BLACK_BRUSH));
    ASSERT_EQ(GetPolyFillMode(c.dc), ALTERNATE);
    Polygon(c.dc, star, 5);
    EXPECT_EQ(c.At(50, 50), kWhite);
    EXPECT_EQ(c.At(50, 20), kBlack);

    c.Fill(kWhite);
    SetPolyFillMode(c.dc, WINDING);
    Polygon(c.dc, star, 5);
    EXPECT_EQ(c.At(50, 50), kBlack);
    EXPECT_EQ(c.At(50, 20), kBlack);
}

TEST(GdiShapes, PolygonFillMatchesRectangleWhileItsPenReachesTheCorner)
{
    POINT square[] = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
    Canvas c(10, 10, kGround);
    {
        Select pen(c.dc, GetStockObject(NULL_PEN));
        Polygon(c.dc, square, 4);
        EXPECT_TRUE(RectIs(c.Extent(kGround), 1, 1, 6, 6));
    }
    c.Fill(kGround);
    Polygon(c.dc, square, 4);
    EXPECT_TRUE(RectIs(c.Extent(kGround), 1, 1, 7, 7));
}

TEST(GdiShapes, PieAndChordStayInTheirBox)
{
    Canvas c(40, 40, kGround);
    ASSERT_TRUE(Pie(c.dc, 0, 0, 40, 40, 40, 20, 20, 0));  // the upper-right quarter
    RECT e = c.Extent(kGround);
    EXPECT_GE(e.left, 18);
    EXPECT_LE(e.bottom, 22);
    EXPECT_EQ(c.At(30, 10), kWhite);
    EXPECT_EQ(c.At(10, 30), kGround);

    c.Fill(kGround);
    ASSERT_TRUE(Chord(c.dc, 0, 0, 40, 40, 0, 20, 40, 20));  // counter-clockwise from left: the lower half
    EXPECT_EQ(c.At(20, 30), kWhite);
    EXPECT_EQ(c.At(20, 10), kGround);

    c.Fill(kGround);
    ASSERT_TRUE(Arc(c.dc, 0, 0, 40, 40, 40, 20, 0, 20));  // upper half of the circle
    EXPECT_GT(c.Count(kBlack), 40);
    EXPECT_LE(c.Extent(kGround).bottom, 22);
}

TEST(GdiPixels, SetPixelAndGetPixel)
{
    Canvas c(4, 4);
    EXPECT_EQ(SetPixel(c.dc, 1, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(c.dc, 1, 2), RGB(1, 2, 3));
    EXPECT_TRUE(SetPixelV(c.dc, 3, 3, RGB(9, 9, 9)));
    EXPECT_EQ(GetPixel(c.dc, 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc, 4, 4, kBlack), CLR_INVALID);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

TEST(GdiPixels, FloodFillStopsAtTheBorderColour)
{
    Canvas c(20, 20);
    Select brush(c.dc, GetStockObject(NULL_BRUSH));
    Rectangle(c.dc, 5, 5, 15, 15);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(c.dc, red);
    ASSERT_TRUE(FloodFill(c.dc, 10, 10, kBlack));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 8 * 8);
    EXPECT_EQ(c.At(2, 2), kWhite);
    EXPECT_FALSE(FloodFill(c.dc, 5, 5, kBlack));  // starting on the border

    ASSERT_TRUE(ExtFloodFill(c.dc, 0, 0, kWhite, FLOODFILLSURFACE));
    EXPECT_EQ(c.Count(kWhite), 0);
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
}

// The result of a binary mix mode, computed bit by bit from its definition.
static COLORREF Mix(int rop2, COLORREF pen, COLORREF dst)
{
    int m = rop2 - 1;
    COLORREF out = 0;
    for (int bit = 0; bit < 24; ++bit) {
        int p = (pen >> bit) & 1, d = (dst >> bit) & 1;
        if ((m >> ((p << 1) | d)) & 1)
            out |= 1u << bit;
    }
    return out;
}

TEST(GdiMixModes, EveryBinaryModeFollowsItsTruthTable)
{
    const COLORREF pen = RGB(0xF0, 0x3C, 0x55);
    const COLORREF dst = RGB(0xCC, 0x0F, 0xAA);
    Canvas c(4, 1, dst);
    HPEN hp = CreatePen(PS_SOLID, 1, pen);
    Select s(c.dc, hp);
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        c.Fill(dst);
        SetROP2(c.dc, mode);
        MoveToEx(c.dc, 0, 0, nullptr);
        LineTo(c.dc, 3, 0);
        EXPECT_EQ(c.At(1, 0), Mix(mode, pen, dst)) << "mode " << mode;
        EXPECT_EQ(c.At(3, 0), dst);
    }
    EXPECT_EQ(Mix(R2_NOT, pen, dst), (~dst) & 0xFFFFFF);
    EXPECT_EQ(Mix(R2_XORPEN, pen, dst), pen ^ dst);
    EXPECT_EQ(SetROP2(c.dc, 0), 0);
    DeleteObject(hp);
}

TEST(GdiMixModes, XorRectangleDrawnTwiceRestores)
{
    Canvas c(20, 20, RGB(30, 60, 90));
    SetROP2(c.dc, R2_XORPEN);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    Select s(c.dc, pen);
    Select b(c.dc, GetStockObject(NULL_BRUSH));
    Rectangle(c.dc, 2, 2, 15, 12);
    EXPECT_NE(c.Count(RGB(30, 60, 90)), 400);
    Rectangle(c.dc, 2, 2, 15, 12);
    EXPECT_EQ(c.Count(RGB(30, 60, 90)), 400);
    DeleteObject(pen);
}

TEST(GdiMixModes, FocusRectangleCancelsOut)
{
    Canvas c(20, 20, RGB(200, 100, 50));
    RECT r = {2, 3, 17, 15};
    ASSERT_TRUE(DrawFocusRect(c.dc, &r));
    int changed = 400 - c.Count(RGB(200, 100, 50));
    EXPECT_GT(changed, 10);
    EXPECT_LT(changed, 2 * 15 + 2 * 12);  // dotted: not every border pixel
    EXPECT_EQ(c.At(8, 8), RGB(200, 100, 50));
    DrawFocusRect(c.dc, &r);
    EXPECT_EQ(c.Count(RGB(200, 100, 50)), 400);
}

TEST(GdiMapping, LometricPointsUpAtOneTenthMillimetre)
{
    Canvas c(200, 200);
    EXPECT_EQ(SetMapMode(c.dc, MM_LOMETRIC), MM_TEXT);
    POINT p[2] = {{254, -254}, {0, 0}};
    ASSERT_TRUE(LPtoDP(c.dc, p, 2));
    EXPECT_EQ(p[0].x, 96);  // one inch at 96 dots per inch
    EXPECT_EQ(p[0].y, 96);  // y grows upwards
    EXPECT_EQ(p[1].x, 0);
    ASSERT_TRUE(DPtoLP(c.dc, p, 1));
    EXPECT_EQ(p[0].x, 254);
    EXPECT_EQ(p[0].y, -254);

    // A rectangle given bottom-up is still drawn with its corners normalized.
    Rectangle(c.dc, 0, 0, 254, -127);
    SetMapMode(c.dc, MM_TEXT);
    EXPECT_TRUE(RectIs(c.Extent(kWhite), 0, 0, 96, 48));
}

TEST(GdiMapping, AnisotropicAndIsotropicExtents)
{
    Canvas c(100, 100);
    SetMapMode(c.dc, MM_ANISOTROPIC);
    SetWindowExtEx(c.dc, 100, 100, nullptr);
    SetViewportExtEx(c.dc, 200, 50, nullptr);
    SetWindowOrgEx(c.dc, 10, 0, nullptr);
    SetViewportOrgEx(c.dc, 5, 5, nullptr);
    POINT p = {20, 10};
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p.x, 25);  // (20 - 10) * 2 + 5
    EXPECT_EQ(p.y, 10);  // 10 / 2 + 5
    DPtoLP(c.dc, &p, 1);
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 10);

    SetMapMode(c.dc, MM_ISOTROPIC);
    SetWindowExtEx(c.dc, 100, 100, nullptr);
    SetViewportExtEx(c.dc, 200, 50, nullptr);
    SIZE ext;
    GetViewportExtEx(c.dc, &ext);
    EXPECT_EQ(ext.cx, 50);
    EXPECT_EQ(ext.cy, 50);

    // Extents are fixed outside the scalable modes.
    SetMapMode(c.dc, MM_TEXT);
    SetWindowExtEx(c.dc, 7, 7, nullptr);
    GetWindowExtEx(c.dc, &ext);
    EXPECT_EQ(ext.cx, 1);
}

TEST(GdiMapping, ViewportOriginMovesDrawing)
{
    Canvas c(10, 10);
    SetViewportOrgEx(c.dc, 3, 4, nullptr);
    SetPixel(c.dc, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(c.At(3, 4), RGB(255, 0, 0));
    EXPECT_EQ(c.At(0, 0), kWhite);
}

TEST(GdiState, SaveAndRestoreDC)
{
    Canvas c(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SetTextColor(c.dc, RGB(1, 1, 1));
    int level = SaveDC(c.dc);
    EXPECT_EQ(level, 1);
    HGDIOBJ oldPen = SelectObject(c.dc, pen);
    SetTextColor(c.dc, RGB(2, 2, 2));
    SetMapMode(c.dc, MM_LOMETRIC);
    EXPECT_EQ(SaveDC(c.dc), 2);
    SetTextColor(c.dc, RGB(3, 3, 3));
    ASSERT_TRUE(RestoreDC(c.dc, -1));
    EXPECT_EQ(GetTextColor(c.dc), RGB(2, 2, 2));
    ASSERT_TRUE(RestoreDC(c.dc, level));
    EXPECT_EQ(GetTextColor(c.dc), RGB(1, 1, 1));
    EXPECT_EQ(GetMapMode(c.dc), MM_TEXT);
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), oldPen);
    EXPECT_FALSE(RestoreDC(c.dc, 1));
    EXPECT_FALSE(RestoreDC(c.dc, -1));
    EXPECT_TRUE(DeleteObject(pen));
}
