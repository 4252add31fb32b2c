// Clicks and keys: the focus row, the selected set, the notifications and a
// parent that vetoes; selection by pattern and by data.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "support/InputSynth.h"

#include <algorithm>

using gridtest::GridHost;

namespace {

struct InputGrid : GridHost {
    explicit InputGrid(DWORD style = 0) : GridHost(style)
    {
        Columns(2);
        for (int i = 0; i < 8; i++)
            Rows({"r" + std::to_string(i)});
        mivo::test::PumpUntilIdle();
    }
    void Click(int row, UINT keys = 0, UINT message = WM_LBUTTONDOWN)
    {
        CRect rc;
        ASSERT_TRUE(grid.GetRowRect(row, 0, &rc));
        grid.SendMessage(message, MK_LBUTTON | keys, MAKELPARAM(rc.left + 40, rc.top + 2));
    }
    std::vector<int> Selected()
    {
        std::vector<int> rows;
        grid.SelectionToSortedArray(rows);
        return rows;
    }
};

using Rows = std::vector<int>;

struct ClickCase {
    int row;
    UINT keys;
};

TEST(GridInput, ClicksWithShiftAndCtrl)
{
    struct Sequence {
        std::vector<ClickCase> clicks;
        Rows selected;
        int focus;
    } sequences[] = {
        {{{1, 0}}, {1}, 1},
        {{{1, 0}, {4, MK_SHIFT}}, {1, 2, 3, 4}, 4},
        {{{1, 0}, {4, MK_SHIFT}, {2, MK_SHIFT}}, {1, 2}, 2}, // the anchor stays
        {{{1, 0}, {3, MK_CONTROL}, {5, MK_CONTROL}}, {1, 3, 5}, 5},
        {{{1, 0}, {3, MK_CONTROL}, {3, MK_CONTROL}}, {1}, 3}, // Ctrl toggles
        {{{1, 0}, {3, MK_CONTROL}, {5, MK_CONTROL | MK_SHIFT}}, {1, 3, 4, 5}, 5},
    };
    for (const Sequence& s : sequences) {
        InputGrid g;
        for (const ClickCase& c : s.clicks)
            g.Click(c.row, c.keys);
        EXPECT_EQ(s.selected, g.Selected()) << s.clicks.size();
        EXPECT_EQ(s.focus, g.grid.GetCurrentFocus());
    }
}

TEST(GridInput, SingleSelectionKeepsOneRow)
{
    InputGrid g(RVS_SINGLESELECT);
    g.Click(1);
    g.Click(4, MK_CONTROL);
    EXPECT_EQ((Rows{4}), g.Selected());
    g.Click(6, MK_SHIFT);
    EXPECT_EQ((Rows{6}), g.Selected());
}

TEST(GridInput, NotificationsAroundEachRow)
{
    InputGrid g;
    g.Click(1);
    g.notices.clear();
    g.Click(2);
    std::vector<std::pair<int, int>> seen;
    for (const gridtest::Notice& n : g.notices)
        seen.push_back({n.code, n.item});
    std::vector<std::pair<int, int>> expected = {{RVN_ITEMCLICK, 2},          {RVN_ITEMSTATECHANGING, 2},
                                                 {RVN_ITEMSTATECHANGED, 2},   {RVN_ITEMSTATECHANGING, 1},
                                                 {RVN_ITEMSTATECHANGED, 1}};
    EXPECT_EQ(expected, seen);
}

TEST(GridInput, AVetoingParentKeepsRowsSelected)
{
    InputGrid g;
    g.Click(1);
    g.Click(2, MK_CONTROL);
    g.reply = [](int code, NMHDR* header) -> LRESULT {
        const _NMREPORTVIEW* nm = (const _NMREPORTVIEW*)header;
        return code == RVN_ITEMSTATECHANGING && !(nm->nState & RVIS_SELECTED);
    };
    g.Click(5);
    EXPECT_EQ((Rows{1, 2, 5}), g.Selected());
    g.reply = [](int code, NMHDR*) -> LRESULT { return code == RVN_ITEMCLICK; };
    g.Click(6);
    EXPECT_EQ(5, g.grid.GetCurrentFocus()); // a vetoed click changes nothing
}

struct KeyCase {
    UINT key;
    bool shift, ctrl;
    Rows selected;
    int focus;
};

TEST(GridInput, KeysMoveTheFocusAndSelection)
{
    const KeyCase cases[] = {
        {VK_DOWN, false, false, {3}, 3},   {VK_UP, false, false, {1}, 1},  {VK_DOWN, true, false, {2, 3}, 3},
        {VK_UP, true, false, {1, 2}, 1},   {VK_DOWN, false, true, {2}, 3}, {VK_HOME, false, false, {0}, 0},
        {VK_END, false, false, {7}, 7},    {VK_END, true, false, {2, 3, 4, 5, 6, 7}, 7},
        {VK_SPACE, false, true, {}, 2},
    };
    for (const KeyCase& c : cases) {
        InputGrid g;
        g.grid.SetFocus();
        g.Click(2);
        mivo::test::PressKey(c.key, c.shift, c.ctrl);
        EXPECT_EQ(c.selected, g.Selected()) << c.key;
        EXPECT_EQ(c.focus, g.grid.GetCurrentFocus()) << c.key;
    }
}

TEST(GridInput, EveryKeyIsOfferedToTheParentFirst)
{
    InputGrid g;
    g.grid.SetFocus();
    g.Click(2);
    g.reply = [](int code, NMHDR*) -> LRESULT { return code == RVN_KEYDOWN; };
    mivo::test::PressKey(VK_DOWN);
    EXPECT_EQ(2, g.grid.GetCurrentFocus());
    EXPECT_FALSE(g.Codes(RVN_KEYDOWN).empty());
}

TEST(GridInput, TreeBoxClickToggles)
{
    GridHost h(RVS_TREEMODEL);
    h.Columns(1);
    _TREEITEM* p = h.grid.InsertItem("p", -1, -1, -1, RVTI_ROOT);
    h.grid.InsertItem("c", -1, -1, -1, p);
    mivo::test::PumpUntilIdle();
    CRect rc;
    h.grid.GetRowRect(0, 0, &rc);
    int box = rc.left + h.grid.GetItemHeight() / 2; // the square left of the indented cell
    h.reply = [](int code, NMHDR*) -> LRESULT { return code == RVN_ITEMEXPANDING; };
    h.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box, rc.top + 3));
    EXPECT_EQ(1, h.grid.GetItemCount(RVTI_ROOT, FALSE));
    EXPECT_EQ(1u, h.grid.GetItemRowArray().size());
    h.reply = nullptr;
    h.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box, rc.top + 3));
    EXPECT_EQ(2u, h.grid.GetItemRowArray().size());
    EXPECT_EQ(1u, h.Codes(RVN_ITEMEXPANDED).size());
}

TEST(GridInput, SelectionByPatternAndByData)
{
    InputGrid g;
    const char* texts[] = {"abc", "ac", "abcbc", "axbyc", "abxbc", "b", "a", "abcb"};
    for (int i = 0; i < 8; i++) {
        g.grid.SetItemText(i, 1, texts[i]);
        g.grid.SetItemData(i, (DWORD_PTR)(LONG_PTR)(i - 3));
    }
    // "a" matches: the text ends where the rest of the pattern begins with "*".
    g.grid.SetSelection(1, "a*c", FALSE);
    EXPECT_EQ((Rows{0, 1, 3, 4, 6}), g.Selected());
    // "abcbc" fails: the run "c" is taken at its first place only.
    g.grid.SetSelection(1, "a*b*c", FALSE);
    EXPECT_EQ((Rows{0, 3, 4, 6}), g.Selected());
    g.grid.SetSelectionLessEq(0, -2, FALSE);
    EXPECT_EQ((Rows{0, 1}), g.Selected());
    g.grid.SelectAll();
    EXPECT_EQ(8, g.grid.GetSelectedItems(nullptr, 0));
    g.grid.InvertSelection();
    EXPECT_EQ(-2, g.grid.GetFirstSelectedItem());
}

TEST(GridInput, HitTestParts)
{
    InputGrid g;
    g.grid.SetItemCheck(0, 1, 1);
    CRect cell;
    g.grid.GetRowRect(0, 1, &cell);
    _RVHITTESTINFO hit;
    hit.point = CPoint(cell.left + 4, cell.top + 3);
    EXPECT_EQ(0, g.grid.HitTest(&hit));
    EXPECT_EQ((UINT)RVHT_ONITEMCHECK, hit.nFlags);
    EXPECT_EQ(1, hit.iSubItem);
    hit.point = CPoint(cell.right + 300, cell.top + 3);
    g.grid.HitTest(&hit);
    EXPECT_TRUE(hit.nFlags & (RVHT_NOWHERE | RVHT_TORIGHT));
    hit.point = CPoint(10, 290);
    EXPECT_EQ(-2, g.grid.HitTest(&hit));
    EXPECT_EQ((UINT)RVHT_NOWHERE, hit.nFlags);
}

} // namespace
