// The thumbnail grid's arithmetic: columns by width, cells, pictures and hit tests at the cell
// edges with the margin and scrolling.
#include <gtest/gtest.h>

#include "browser/ThumbGrid.h"
#include "support/GeometryPrinters.h"

TEST(ThumbGrid, ColumnsFollowTheWidthWithOneBelow179)
{
    struct Case {
        int width, columns;
    } cases[] = {{0, 1}, {178, 1}, {179, 1}, {319, 1}, {320, 2}, {479, 2}, {480, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(c.columns, CThumbGrid::ColumnsFor(c.width)) << c.width;
}

TEST(ThumbGrid, CellsAndPicturesSitInTheirColumnAndRow)
{
    CThumbGrid grid;
    grid.m_nCols = 3;
    grid.m_nMargin = 3;
    EXPECT_EQ(CRect(5, 4, 161, 160), grid.CellRect(0));
    EXPECT_EQ(CRect(325, 164, 481, 320), grid.CellRect(5));
    EXPECT_EQ(CRect(165, 162 - 40, 325, 322 - 40), grid.ItemRect(4, CPoint(0, 40)));
    // A 146 x 109 picture centred in the upper three quarters of cell 4.
    EXPECT_EQ(CPoint(160 + 3 + 1 + 7, 160 + 4 + 5), grid.PicturePos(4, 146, 109, CPoint(0, 0)));
}

TEST(ThumbGrid, HitTestsFindTheCellUnderThePointAndNothingOutside)
{
    CThumbGrid grid;
    grid.m_nCols = 2;
    grid.m_nMargin = 3;
    struct Case {
        CPoint point;
        CPoint scroll;
        int count;
        int item;
    } cases[] = {
        {{3, 10}, {0, 0}, 5, -1},     // the margin itself: x' = 0
        {{4, 10}, {0, 0}, 5, 0},      // first pixel past the margin
        {{162, 10}, {0, 0}, 5, 0},    // x' = 159, last pixel of column 0
        {{163, 10}, {0, 0}, 5, 1},    // x' = 160, column 1
        {{323, 10}, {0, 0}, 5, -1},   // x' = 320: a third column does not exist
        {{10, 159}, {0, 0}, 5, 0},
        {{10, 160}, {0, 0}, 5, 2},
        {{170, 330}, {0, 0}, 5, -1},  // row 2 holds only item 4
        {{10, 330}, {0, 0}, 5, 4},
        {{10, 10}, {0, 320}, 5, 4},   // scrolled two rows down
        {{10, 10}, {0, 0}, 0, -1},    // nothing in an empty list
        {{10, -5}, {0, 0}, 5, -1},    // above the view
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.item, grid.HitTest(c.point, c.scroll, c.count)) << c.point.x << "," << c.point.y;
}
