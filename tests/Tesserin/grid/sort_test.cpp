// Sorting rows by a column: texts, numbers, checks and images, callbacks,
// the sort mark on the header and the focus.
#include <gtest/gtest.h>

#include "GridFixture.h"

using gridtest::GridHost;

namespace {

std::vector<std::string> Column(CVXGridCtrl& grid, int subItem)
{
    std::vector<std::string> texts;
    for (int item : grid.GetItemRowArray())
        texts.push_back((LPCSTR)grid.GetItemText(item, subItem));
    return texts;
}

using Texts = std::vector<std::string>;

TEST(GridSort, TextsSortAsTextAndNumbersAsNumbers)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"", ""});
    h.grid.SetItemText(0, 0, "10");
    h.grid.SetItemText(1, 0, "9");
    h.grid.SetItemValue(0, 1, 10.0, 0);
    h.grid.SetItemValue(1, 1, 9.0, 0);
    ASSERT_TRUE(h.grid.SortItems(0, TRUE));
    EXPECT_EQ((Texts{"10", "9"}), Column(h.grid, 0));
    ASSERT_TRUE(h.grid.SortItems(1, TRUE));
    EXPECT_EQ((Texts{"9", "10"}), Column(h.grid, 1));
    ASSERT_TRUE(h.grid.SortItems(1, FALSE));
    EXPECT_EQ((Texts{"10", "9"}), Column(h.grid, 1));
}

TEST(GridSort, CellsWithoutTextSortByCheckOrImage)
{
    GridHost h;
    h.Columns(3);
    h.Rows({"a", "b", "c"});
    int checks[] = {2, 0, 1}, images[] = {1, 2, 0};
    for (int i = 0; i < 3; i++) {
        h.grid.SetItemCheck(i, 1, checks[i]);
        h.grid.SetItemImage(i, 2, images[i]);
    }
    h.grid.SortItems(1, TRUE);
    EXPECT_EQ((Texts{"b", "c", "a"}), Column(h.grid, 0));
    h.grid.SortItems(2, TRUE);
    EXPECT_EQ((Texts{"c", "a", "b"}), Column(h.grid, 0));
}

int CALLBACK AlwaysBelow(int, int, int, int, LPARAM)
{
    return -1;
}

int CALLBACK ByData(int item1, int, int item2, int, LPARAM grid)
{
    DWORD_PTR a = ((CVXGridCtrl*)grid)->GetItemData(item1), b = ((CVXGridCtrl*)grid)->GetItemData(item2);
    return a < b ? -1 : a > b ? 1 : 0;
}

TEST(GridSort, AnInconsistentCallbackStaysWithinTheRows)
{
    GridHost h;
    h.Columns(1);
    for (int i = 0; i < 50; i++)
        h.Rows({std::to_string(i)});
    h.grid.SetSortCallback(AlwaysBelow, 0);
    ASSERT_TRUE(h.grid.SortItems(0, TRUE));
    ASSERT_TRUE(h.grid.SortItems(0, FALSE));
    std::vector<int> rows = h.grid.GetItemRowArray();
    std::sort(rows.begin(), rows.end());
    for (int i = 0; i < 50; i++)
        EXPECT_EQ(i, rows[(size_t)i]); // every row once, none lost or doubled
}

TEST(GridSort, CallbackDecides)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b", "c"});
    DWORD_PTR data[] = {3, 1, 2};
    for (int i = 0; i < 3; i++)
        h.grid.SetItemData(i, data[i]);
    h.grid.SetSortCallback(ByData, (LPARAM)&h.grid);
    h.grid.SortItems(0, TRUE);
    EXPECT_EQ((Texts{"b", "c", "a"}), Column(h.grid, 0));
}

TEST(GridSort, HiddenColumnIsRefusedAndTheMarkStays)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"b", "a"});
    _RVSUBITEM sub;
    h.grid.DefineSubItem(2, &sub);
    h.grid.SortItems(1, FALSE);
    EXPECT_FALSE(h.grid.SortItems(2, TRUE));
    int subItem = -5;
    BOOL ascending = TRUE;
    EXPECT_EQ(1, h.grid.GetSortSettings(&subItem, &ascending));
    EXPECT_EQ(1, subItem);
    EXPECT_FALSE(ascending);
}

TEST(GridSort, ResortFollowsTheSubItemAfterAMove)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"b", "a", "c"});
    h.grid.SortItems(0, TRUE);
    h.grid.DeactivateSubItem(1);
    h.grid.ActivateSubItem(1, 0); // sub-item 0 now shows second
    h.grid.InsertItem(0, "0");
    EXPECT_TRUE(h.grid.ResortItems());
    EXPECT_EQ((Texts{"0", "a", "b", "c"}), Column(h.grid, 0));
}

TEST(GridSort, FocusFollowsItsItem)
{
    GridHost h(0, 300, 120);
    h.Columns(1);
    for (int i = 0; i < 40; i++)
        h.Rows({std::string(1, (char)('A' + i % 26)) + std::to_string(i)});
    h.grid.SetSelection(0); // "A0"
    h.grid.SortItems(0, FALSE);
    int row = h.grid.GetCurrentFocus();
    EXPECT_EQ(0, h.grid.GetItemFromRow(row));
    EXPECT_TRUE(h.grid.IsItemVisible(0));
}

TEST(GridSort, TreeSortsEveryLevel)
{
    GridHost h(RVS_TREEMODEL);
    h.Columns(1);
    _TREEITEM* b = h.grid.InsertItem("b", -1, -1, -1, RVTI_ROOT);
    h.grid.InsertItem("a", -1, -1, -1, RVTI_ROOT);
    h.grid.InsertItem("b2", -1, -1, -1, b);
    h.grid.InsertItem("b1", -1, -1, -1, b);
    h.grid.ExpandAll(RVTI_ROOT, 1);
    h.grid.SortItems(0, TRUE);
    EXPECT_EQ((Texts{"a", "b", "b1", "b2"}), Column(h.grid, 0));
}

} // namespace
