// The tip over cells whose text does not fit.
#include <gtest/gtest.h>

#include "GridFixture.h"

using gridtest::GridHost;

namespace {

struct TipGrid : GridHost {
    TipGrid() : GridHost(RVS_EXPANDSUBITEMS)
    {
        Columns(2);
        Rows({"a long text that cannot fit in the cell", "short", "another text much too long for it"});
        grid.SetFocus();
        mivo::test::PumpUntilIdle();
    }
    bool Hover(int row)
    {
        CRect rc;
        grid.GetRowRect(row, 0, &rc);
        grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 20, rc.top + 3));
        return TipShown();
    }
    bool TipShown() { return ::IsWindowVisible(grid.GetTipCtrl()->m_hWnd) != 0; }
};

TEST(GridTip, OnlyTextsThatDoNotFit)
{
    TipGrid g;
    ASSERT_NE(nullptr, g.grid.GetTipCtrl());
    EXPECT_FALSE(g.Hover(1));
    EXPECT_TRUE(g.Hover(0));
    EXPECT_TRUE(g.Hover(2));
    EXPECT_TRUE(g.Hover(0)); // back to the first shows it again
}

TEST(GridTip, NotAgainRightAfterItHid)
{
    TipGrid g;
    EXPECT_TRUE(g.Hover(0));
    g.grid.GetTipCtrl()->Hide();
    EXPECT_FALSE(g.Hover(0));
}

TEST(GridTip, NoTipWithoutTheStyleOrWhileEditing)
{
    TipGrid g;
    g.grid.ModifyStyle(RVS_EXPANDSUBITEMS, 0);
    EXPECT_FALSE(g.Hover(0));
}

TEST(GridTip, KeysReachTheGrid)
{
    TipGrid g;
    ASSERT_TRUE(g.Hover(0));
    g.grid.GetTipCtrl()->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(g.TipShown());
    mivo::test::PumpUntilIdle();
    EXPECT_FALSE(g.Codes(RVN_KEYDOWN).empty());
}

TEST(GridTip, ClickOnTheTipReachesTheCellBelow)
{
    TipGrid g;
    ASSERT_TRUE(g.Hover(2));
    CRect tip;
    g.grid.GetTipCtrl()->GetWindowRect(&tip);
    CPoint inside(5, 3);
    g.grid.GetTipCtrl()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(2, g.grid.GetCurrentFocus());
}

} // namespace
