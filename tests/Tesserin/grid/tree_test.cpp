// Tree mode: sorted insertion, expansion and focus, deletion, navigation.
#include <gtest/gtest.h>

#include "GridFixture.h"

using gridtest::GridHost;

namespace {

struct TreeGrid : GridHost {
    TreeGrid() : GridHost(RVS_TREEMODEL) { Columns(2); }
    _TREEITEM* Add(const char* text, _TREEITEM* parent = RVTI_ROOT, _TREEITEM* after = RVTI_LAST)
    {
        return grid.InsertItem(text, -1, -1, -1, parent, after);
    }
    std::vector<std::string> Visible()
    {
        std::vector<std::string> texts;
        for (int item : grid.GetItemRowArray())
            texts.push_back((LPCSTR)grid.GetItemText(item, 0));
        return texts;
    }
    int RowOf(_TREEITEM* node) { return grid.GetRowFromItem(grid.GetItemIndex(node)); }
};

using Texts = std::vector<std::string>;

TEST(GridTree, SortedInsertOrdersChildren)
{
    TreeGrid t;
    _TREEITEM* parent = t.Add("p");
    t.grid.Expand(parent, 1);
    for (const char* text : {"b", "a", "c"})
        t.Add(text, parent, RVTI_SORT);
    EXPECT_EQ((Texts{"p", "a", "b", "c"}), t.Visible());
}

TEST(GridTree, ListInsertsAndDeletesAreRefused)
{
    TreeGrid t;
    EXPECT_EQ(-2, t.grid.InsertItem(0, "x"));
    _TREEITEM* node = t.Add("n");
    EXPECT_EQ(-2, t.grid.DeleteItem(0));
    EXPECT_FALSE(t.grid.DeleteItem(RVTI_ROOT));
    EXPECT_FALSE(t.grid.DeleteItem(RVTI_SORT));
    EXPECT_EQ(1, t.grid.GetItemCount());
    EXPECT_TRUE(t.grid.DeleteItem(node));
    EXPECT_EQ(0, t.grid.GetItemCount());
}

TEST(GridTree, AfterANodeOfAnotherParentAppends)
{
    TreeGrid t;
    _TREEITEM* p = t.Add("p");
    _TREEITEM* q = t.Add("q");
    t.grid.Expand(p, 1);
    _TREEITEM* child = t.Add("p1", p);
    t.Add("q-first?", q, RVTI_FIRST);
    t.Add("after-stranger", p, q); // q is not one of p's children
    t.Add("after-p1", p, child);
    EXPECT_EQ((Texts{"p", "p1", "after-p1", "after-stranger", "q"}), t.Visible());
}

TEST(GridTree, CollapseMovesTheFocusAndDeselects)
{
    TreeGrid t;
    _TREEITEM* p = t.Add("p");
    t.grid.Expand(p, 1);
    _TREEITEM* a = t.Add("a", p);
    t.grid.Expand(a, 1);
    _TREEITEM* a1 = t.Add("a1", a);
    t.grid.SetSelection(a, FALSE);
    t.grid.SetSelection(a1, TRUE);
    EXPECT_EQ(t.RowOf(a1), t.grid.GetCurrentFocus());
    t.grid.Expand(p, 0);
    EXPECT_EQ(0, t.grid.GetCurrentFocus());
    EXPECT_EQ(-2, t.grid.GetFirstSelectedItem());
    EXPECT_EQ((Texts{"p"}), t.Visible());
    t.grid.Expand(p, 2);
    t.grid.Expand(p, 2);
    EXPECT_EQ((Texts{"p"}), t.Visible());
    t.grid.Expand(p, 2);
    EXPECT_EQ((Texts{"p", "a", "a1"}), t.Visible());
}

TEST(GridTree, DeletingTheFocusedTopNodeMovesToItsSibling)
{
    TreeGrid t;
    _TREEITEM* a = t.Add("a");
    _TREEITEM* b = t.Add("b");
    t.grid.SetSelection(a);
    t.grid.DeleteItem(a);
    EXPECT_EQ(t.RowOf(b), t.grid.GetCurrentFocus());
    EXPECT_EQ(b, t.grid.GetNextItem(RVTI_ROOT, 5));
    t.grid.DeleteItem(b);
    EXPECT_EQ(nullptr, t.grid.GetNextItem(RVTI_ROOT, 5));
    EXPECT_EQ(-1, t.grid.GetCurrentFocus());
}

TEST(GridTree, DeletingABranchRenumbersTheRest)
{
    TreeGrid t;
    _TREEITEM* a = t.Add("a");
    t.Add("a1", a);
    t.Add("a2", a);
    _TREEITEM* b = t.Add("b");
    t.grid.DeleteItem(a);
    EXPECT_EQ(0, t.grid.GetItemIndex(b));
    EXPECT_STREQ("b", t.grid.GetItemText(0, 0));
    EXPECT_EQ(3u, t.Codes(RVN_ITEMDELETED).size());
}

TEST(GridTree, Navigation)
{
    TreeGrid t;
    _TREEITEM* a = t.Add("a");
    _TREEITEM* a1 = t.Add("a1", a);
    _TREEITEM* a2 = t.Add("a2", a);
    _TREEITEM* a21 = t.Add("a21", a2);
    struct Case {
        _TREEITEM* node;
        int code;
        _TREEITEM* expected;
    } cases[] = {{a1, 2, nullptr}, {a2, 2, a1}, {a, 3, nullptr}, {a21, 3, a2},  {a21, 0, a},
                 {a, 0, a},        {a, 4, a1},  {a1, 1, a2},     {a21, 9, nullptr}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, t.grid.GetNextItem(c.node, c.code)) << c.code;
    EXPECT_EQ(4, t.grid.GetItemCount(RVTI_ROOT, TRUE));
    EXPECT_EQ(2, t.grid.GetItemCount(a, FALSE));
    EXPECT_TRUE(t.grid.IsDescendent(a, a21));
    EXPECT_FALSE(t.grid.IsChild(a, a21));
    t.grid.SetItemData(t.grid.GetItemIndex(a21), 77);
    EXPECT_EQ(a21, t.grid.SearchTreeItemByData(RVTI_ROOT, 77));
    EXPECT_EQ(nullptr, t.grid.SearchTreeItemByData(RVTI_ROOT, 0x1234));
    EXPECT_EQ(a2, t.grid.SearchTreeItemByTitle(RVTI_ROOT, "a2"));
}

TEST(GridTree, TreeSortReversesEqualKeys)
{
    TreeGrid t;
    _TREEITEM* first = t.Add("same");
    t.grid.SetItemText(t.grid.GetItemIndex(first), 1, "first");
    _TREEITEM* second = t.Add("same");
    t.grid.SetItemText(t.grid.GetItemIndex(second), 1, "second");
    t.grid.TreeSort(0, RVTI_ROOT, TRUE, TRUE);
    EXPECT_EQ(second, t.grid.GetNextItem(RVTI_ROOT, 4));
}

TEST(GridTree, ItemStringShowsTheBranch)
{
    TreeGrid t;
    _TREEITEM* a = t.Add("a");
    t.Add("a1", a);
    t.grid.ExpandAll(RVTI_ROOT, 1);
    EXPECT_STREQ("-a\t\n", t.grid.GetItemString(0, '\t'));
    EXPECT_STREQ("   a1\t\n", t.grid.GetItemString(1, '\t'));
    t.grid.Expand(a, 0);
    EXPECT_STREQ("+a\t\n", t.grid.GetItemString(0, '\t'));
}

} // namespace
