#include <gtest/gtest.h>

#include "mfc.h"

namespace {

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected (" << expected.left << "," << expected.top << "," << expected.right << ","
           << expected.bottom << ") got (" << actual.left << "," << actual.top << "," << actual.right << ","
           << actual.bottom << ")";
}

struct RectCase {
    const char* name;
    RECT a;
    RECT b;
    BOOL result;
    RECT expected;
};

const RECT kEmpty = {0, 0, 0, 0};

}  // namespace

TEST(Geometry, PointAndSizeArithmetic)
{
    CPoint p(10, 20);
    CSize s(3, 4);
    EXPECT_EQ(CPoint(13, 24), p + s);
    EXPECT_EQ(CPoint(7, 16), p - s);
    EXPECT_EQ(CSize(7, 16), p - CPoint(3, 4));
    EXPECT_EQ(CPoint(-10, -20), -p);
    EXPECT_EQ(CSize(-3, -4), -s);
    EXPECT_EQ(CPoint(13, 24), s + p);
    EXPECT_EQ(CSize(5, 7), s + CSize(2, 3));
    p += s;
    EXPECT_EQ(CPoint(13, 24), p);
    p -= CPoint(13, 24);
    EXPECT_EQ(CPoint(0, 0), p);
    p.Offset(1, -1);
    EXPECT_NE(CPoint(0, 0), p);
    EXPECT_EQ(CRect(11, 21, 31, 41), CPoint(1, 1) + CRect(10, 20, 30, 40));
}

TEST(Geometry, PointFromPackedCoordinatesIsSigned)
{
    CPoint p(MAKELPARAM(-5, 300));
    EXPECT_EQ(-5, p.x);
    EXPECT_EQ(300, p.y);
    CPoint q((LPARAM)(DWORD)0xFFFEFFFF);
    EXPECT_EQ(-1, q.x);
    EXPECT_EQ(-2, q.y);
}

TEST(Geometry, RectMembersAndCorners)
{
    CRect r(CPoint(10, 20), CSize(30, 40));
    EXPECT_EQ(30, r.Width());
    EXPECT_EQ(40, r.Height());
    EXPECT_EQ(CSize(30, 40), r.Size());
    EXPECT_EQ(CPoint(25, 40), r.CenterPoint());

    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x += 5;
    EXPECT_TRUE(SameRect({0, 0, 45, 60}, r));
    const CRect& cr = r;
    EXPECT_EQ(CPoint(45, 60), cr.BottomRight());

    LPRECT lp = r;
    LPCRECT lpc = cr;
    EXPECT_EQ(static_cast<RECT*>(&r), lp);
    EXPECT_EQ(static_cast<const RECT*>(&r), lpc);
    EXPECT_TRUE(CRect(0, 0, 0, 0).IsRectNull());
    EXPECT_FALSE(CRect(1, 1, 1, 1).IsRectNull());
    EXPECT_TRUE(CRect(1, 1, 1, 1).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 0, 1, 10).IsRectEmpty());
}

TEST(Geometry, PtInRectExcludesRightAndBottom)
{
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(r.PtInRect(CPoint(-1, 5)));
    EXPECT_FALSE(CRect(0, 0, 0, 0).PtInRect(CPoint(0, 0)));
}

TEST(Geometry, IntersectRectTable)
{
    const RectCase cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}},
        {"contained", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
        {"touching edges share nothing", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, kEmpty},
        {"disjoint", {0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, kEmpty},
        {"empty source", {0, 0, 10, 10}, {5, 5, 5, 8}, FALSE, kEmpty},
        {"unnormalized source", {10, 10, 0, 0}, {0, 0, 10, 10}, FALSE, kEmpty},
    };
    for (const RectCase& c : cases) {
        RECT out = {99, 99, 99, 99};
        EXPECT_EQ(c.result, IntersectRect(&out, &c.a, &c.b)) << c.name;
        EXPECT_TRUE(SameRect(c.expected, out)) << c.name;
        CRect r;
        EXPECT_EQ(c.result, r.IntersectRect(&c.a, &c.b)) << c.name;
        EXPECT_TRUE(SameRect(c.expected, CRect(c.a) & c.b)) << c.name;
    }
}

TEST(Geometry, UnionRectTable)
{
    const RectCase cases[] = {
        {"two rects", {0, 0, 10, 10}, {20, 5, 30, 15}, TRUE, {0, 0, 30, 15}},
        {"first empty", {50, 50, 50, 60}, {1, 2, 3, 4}, TRUE, {1, 2, 3, 4}},
        {"second empty", {1, 2, 3, 4}, {-9, -9, -9, -9}, TRUE, {1, 2, 3, 4}},
        {"both empty", {5, 5, 5, 5}, {3, 3, 1, 1}, FALSE, kEmpty},
    };
    for (const RectCase& c : cases) {
        RECT out = {99, 99, 99, 99};
        EXPECT_EQ(c.result, UnionRect(&out, &c.a, &c.b)) << c.name;
        EXPECT_TRUE(SameRect(c.expected, out)) << c.name;
        CRect r(c.a);
        r |= c.b;
        EXPECT_TRUE(SameRect(c.expected, r)) << c.name;
    }
}

TEST(Geometry, SubtractRectTable)
{
    const RectCase cases[] = {
        {"cut left side", {0, 0, 10, 10}, {-5, -5, 4, 20}, TRUE, {4, 0, 10, 10}},
        {"cut right side", {0, 0, 10, 10}, {6, 0, 10, 10}, TRUE, {0, 0, 6, 10}},
        {"cut top", {0, 0, 10, 10}, {0, 0, 10, 3}, TRUE, {0, 3, 10, 10}},
        {"cut bottom", {0, 0, 10, 10}, {-1, 7, 11, 12}, TRUE, {0, 0, 10, 7}},
        {"hole in the middle keeps all", {0, 0, 10, 10}, {3, 3, 6, 6}, TRUE, {0, 0, 10, 10}},
        {"corner overlap keeps all", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {0, 0, 10, 10}},
        {"middle band keeps all", {0, 0, 10, 10}, {3, -1, 6, 11}, TRUE, {0, 0, 10, 10}},
        {"disjoint keeps all", {0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}},
        {"fully covered", {2, 2, 8, 8}, {0, 0, 10, 10}, FALSE, kEmpty},
        {"empty first", {0, 0, 0, 10}, {0, 0, 5, 5}, FALSE, kEmpty},
    };
    for (const RectCase& c : cases) {
        RECT out = {99, 99, 99, 99};
        EXPECT_EQ(c.result, SubtractRect(&out, &c.a, &c.b)) << c.name;
        EXPECT_TRUE(SameRect(c.expected, out)) << c.name;
    }
}

TEST(Geometry, ResultMayOverwriteASource)
{
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.IntersectRect(r, CRect(5, 5, 20, 20)));
    EXPECT_EQ(CRect(5, 5, 10, 10), r);
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 1, 1), r));
    EXPECT_EQ(CRect(0, 0, 10, 10), r);
    EXPECT_TRUE(r.SubtractRect(r, CRect(0, 0, 10, 4)));
    EXPECT_EQ(CRect(0, 4, 10, 10), r);
}

TEST(Geometry, InflateDeflateOffsetAndMove)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(2, 3);
    EXPECT_EQ(CRect(8, 7, 22, 23), r);
    r.DeflateRect(CSize(2, 3));
    EXPECT_EQ(CRect(10, 10, 20, 20), r);
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(9, 8, 23, 24), r);
    r.DeflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(10, 10, 20, 20), r);
    // Deflating past the centre turns the rectangle inside out; it is then empty.
    r.DeflateRect(6, 6);
    EXPECT_EQ(CRect(16, 16, 14, 14), r);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(CRect(14, 14, 16, 16), r);

    r.OffsetRect(CPoint(-14, 1));
    EXPECT_EQ(CRect(0, 15, 2, 17), r);
    r.MoveToXY(100, 200);
    EXPECT_EQ(CRect(100, 200, 102, 202), r);
    r.MoveToX(0);
    r.MoveToY(0);
    EXPECT_EQ(CRect(0, 0, 2, 2), r);

    RECT w = {0, 0, 4, 4};
    InflateRect(&w, -1, 1);
    EXPECT_TRUE(SameRect({1, -1, 3, 5}, w));
    OffsetRect(&w, 1, 1);
    EXPECT_TRUE(SameRect({2, 0, 4, 6}, w));
}

TEST(Geometry, RectOperators)
{
    CRect r(0, 0, 10, 10);
    EXPECT_EQ(CRect(5, 6, 15, 16), r + CPoint(5, 6));
    EXPECT_EQ(CRect(-5, -6, 5, 4), r - CSize(5, 6));
    EXPECT_EQ(CRect(-1, -2, 13, 14), r + CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(1, 2, 7, 6), r - CRect(1, 2, 3, 4));
    r += CSize(1, 1);
    EXPECT_EQ(CRect(1, 1, 11, 11), r);
    r -= CPoint(1, 1);
    r &= CRect(5, 5, 50, 50);
    EXPECT_EQ(CRect(5, 5, 10, 10), r);
    EXPECT_EQ(CRect(0, 0, 10, 10), r | CRect(0, 0, 1, 1));
    EXPECT_TRUE(r != CRect(0, 0, 1, 1));
    RECT plain = r;
    EXPECT_TRUE(r == plain);
}

TEST(Geometry, Win32RectangleBasics)
{
    RECT r;
    EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
    RECT copy;
    EXPECT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(EqualRect(&r, &copy));
    EXPECT_TRUE(SetRectEmpty(&copy));
    EXPECT_TRUE(IsRectEmpty(&copy));
    EXPECT_FALSE(IsRectEmpty(&r));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(EqualRect(&r, nullptr));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
}
