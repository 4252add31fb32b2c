// Cells and rows: masks, texts, numbers, inserting, deleting, searching.
#include <gtest/gtest.h>

#include "GridFixture.h"

using gridtest::GridHost;

namespace {

_RVITEM ReadCell(CVXGridCtrl& grid, int item, int subItem, char* buffer, int size)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.lpszText = buffer;
    rvi.iTextMax = size;
    EXPECT_TRUE(grid.GetItem(&rvi));
    return rvi;
}

TEST(GridItems, CellMasksFollowWhatWasStored)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"x", "y", "z"});
    h.grid.SetItemText(0, 1, "");
    h.grid.SetItemText(1, 1, nullptr);
    h.grid.SetItemText(2, 1, "a|b");
    char text[256];
    struct Case {
        int item;
        UINT cellBits;
        const char* text;
    } cases[] = {{0, RVIM_TEXT, ""}, {1, 0, ""}, {2, RVIM_TEXT, "a b"}};
    for (const Case& c : cases) {
        _RVITEM rvi = ReadCell(h.grid, c.item, 1, text, sizeof(text));
        EXPECT_EQ(c.cellBits | RVIM_STATE | RVIM_LPARAM, rvi.nMask) << c.item;
        EXPECT_STREQ(c.text, text) << c.item;
    }
    // The separator in a text never moves the later cells.
    EXPECT_EQ(-1, h.grid.GetItemImage(2, 1));
    EXPECT_STREQ("z", h.grid.GetItemText(2, 0));
    EXPECT_STREQ("z\ta b\n", h.grid.GetItemString(2, '\t'));
}

TEST(GridItems, FreshColumnIsEmptyEverywhere)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b"});
    _RVSUBITEM sub;
    sub.lpszText = "new";
    h.grid.DefineSubItem(0, &sub);
    char text[16];
    for (int item = -1; item < 2; item++) {
        _RVITEM rvi = ReadCell(h.grid, item, 0, text, sizeof(text));
        EXPECT_EQ((UINT)(RVIM_STATE | RVIM_LPARAM), rvi.nMask);
    }
    EXPECT_STREQ("b", h.grid.GetItemText(1, 1));
}

TEST(GridItems, RefusedAccessLeavesTheGridAlone)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"a"});
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = 0;
    rvi.iSubItem = 2; // past the defined columns
    rvi.lpszText = const_cast<char*>("x");
    EXPECT_FALSE(h.grid.SetItem(&rvi));
    rvi.iItem = -2;
    EXPECT_FALSE(h.grid.GetItem(&rvi));
    char untouched[4] = "zz";
    EXPECT_EQ(0, h.grid.GetItemText(0, 0, untouched, 0));
    EXPECT_STREQ("zz", untouched);
    EXPECT_EQ(-2, h.grid.InsertItem(-1, "neg"));
    EXPECT_EQ(1, h.grid.InsertItem(50, "appended"));
    EXPECT_STREQ("appended", h.grid.GetItemText(1, 0));
}

TEST(GridItems, StateBitsOfTheGridAreNotSetByCallers)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a"});
    _RVITEM rvi;
    rvi.nMask = RVIM_STATE;
    rvi.iItem = 0;
    rvi.nState = RVIS_SELECTED | RVIS_BOLD;
    h.grid.SetItem(&rvi);
    _RVITEM back;
    back.iItem = 0;
    h.grid.GetItem(&back);
    EXPECT_EQ((UINT)RVIS_BOLD, back.nState);
    EXPECT_EQ(-2, h.grid.GetFirstSelectedItem());
}

TEST(GridItems, NumbersKeepTheirValue)
{
    GridHost h;
    h.Columns(1);
    h.Rows({""});
    h.grid.SetItemValue(0, 0, "1,234.5", 2, -1);
    EXPECT_STREQ("1,234.50", h.grid.GetItemText(0, 0));
    EXPECT_DOUBLE_EQ(1234.5, h.grid.GetItemValue(0, 0));
}

TEST(GridItems, LongTextIsCutWhole)
{
    GridHost h;
    h.Columns(1);
    std::string text(254, 'a');
    text += "가"; // 256 bytes: the double-byte character cannot be cut in half
    h.Rows({text});
    EXPECT_EQ(254, h.grid.GetItemText(0, 0).GetLength());
}

TEST(GridItems, ItemStringFallsBackToImageOrCheck)
{
    GridHost h;
    h.Columns(3);
    h.Rows({"a\tb"});
    h.grid.SetItemImage(0, 1, 7);
    h.grid.SetItemCheck(0, 2, 1);
    EXPECT_STREQ("a b\t7\t1\n", h.grid.GetItemString(0, '\t'));
}

TEST(GridItems, InsertAndDeleteKeepFocusSelectionAndRowsInStep)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b", "c"});
    h.grid.SetSelection(2);
    EXPECT_EQ(2, h.grid.GetCurrentFocus());
    h.grid.InsertItem(1, "new");
    EXPECT_EQ(3, h.grid.GetCurrentFocus());
    EXPECT_EQ(3, h.grid.GetFirstSelectedItem());
    EXPECT_STREQ("c", h.grid.GetItemText(h.grid.GetItemFromRow(3), 0));
    EXPECT_EQ(1, h.grid.DeleteItem(0));
    EXPECT_EQ(2, h.grid.GetCurrentFocus());
    EXPECT_EQ(2, h.grid.GetFirstSelectedItem());
    EXPECT_EQ((std::vector<int>{0, 1, 2}), h.grid.GetItemRowArray());
    EXPECT_STREQ("new", h.grid.GetItemText(0, 0));
    EXPECT_EQ((std::vector<int>{0}), h.Codes(RVN_ITEMDELETED));
}

TEST(GridItems, DeletingTheOnlyRowLeavesNoFocus)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a"});
    h.grid.SetSelection(0);
    h.grid.DeleteItem(0);
    EXPECT_EQ(-1, h.grid.GetCurrentFocus());
    EXPECT_EQ(0, h.grid.GetItemCount());
}

TEST(GridItems, FindWrapsThroughTheFixedRowAndEnds)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b", "a"});
    _RVFINDINFO find;
    find.nFlags = RVFI_TEXT | RVFI_WRAP;
    find.lpszText = "a";
    EXPECT_EQ(0, h.grid.FindItem(&find, 0, 2));
    find.lpszText = "none";
    struct Start {
        int start;
        UINT flags;
    } starts[] = {{-1, RVFI_WRAP}, {2, RVFI_WRAP}, {0, RVFI_WRAP | RVFI_UP}, {57, RVFI_WRAP}, {-40, RVFI_WRAP},
                  {57, RVFI_WRAP | RVFI_UP}, {1, 0}};
    for (const Start& s : starts) {
        find.nFlags = RVFI_TEXT | s.flags;
        EXPECT_EQ(-2, h.grid.FindItem(&find, 0, s.start)) << s.start;
    }
    find.nFlags = RVFI_TEXT | RVFI_PARTIAL;
    find.lpszText = "b";
    EXPECT_EQ(1, h.grid.FindItem(&find, 0, -1));
}

TEST(GridItems, FindOnAnEmptyGridEnds)
{
    GridHost h;
    h.Columns(1);
    _RVFINDINFO find;
    find.nFlags = RVFI_TEXT | RVFI_WRAP;
    find.lpszText = "x";
    EXPECT_EQ(-2, h.grid.FindItem(&find, 0, 0));
}

TEST(GridItems, MoveUpAndDownAtTheEnds)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b"});
    EXPECT_FALSE(h.grid.MoveUp(0));
    EXPECT_FALSE(h.grid.MoveDown(1));
    EXPECT_TRUE(h.grid.MoveDown(0));
    EXPECT_EQ((std::vector<int>{1, 0}), h.grid.GetItemRowArray());
}

TEST(GridItems, AddingWithoutARecordCopiesTheFixedRow)
{
    GridHost h;
    h.Columns(2);
    h.grid.SetItemText(-1, 0, "t0");
    h.grid.SetItemCheck(-1, 1, 1);
    EXPECT_EQ(0, h.grid.AddItem((LPRVITEM) nullptr));
    EXPECT_STREQ("t0", h.grid.GetItemText(0, 0));
    EXPECT_EQ(1, h.grid.GetItemCheck(0, 1));
}

TEST(GridColumns, DefiningBeforeShownColumnsRenumbersTheHeader)
{
    GridHost h;
    h.Columns(2);
    _RVSUBITEM sub;
    sub.lpszText = "first";
    h.grid.DefineSubItem(0, &sub);
    EXPECT_EQ(1, h.grid.GetSubItemFromColumn(0));
    EXPECT_EQ(2, h.grid.GetSubItemFromColumn(1));
    EXPECT_EQ(-1, h.grid.GetColumnFromSubItem(0));
}

TEST(GridColumns, WidthsFollowTheLimitsAndTheIndent)
{
    GridHost h;
    _RVSUBITEM sub;
    sub.nMask = HDF_STRING;
    sub.iWidth = 50;
    sub.iMinWidth = 30;
    sub.iMaxWidth = 100;
    sub.lpszText = "a";
    h.grid.DefineSubItem(0, &sub);
    h.grid.ActivateSubItem(0, 0);
    h.grid.SetSubItemWidth(0, 10);
    EXPECT_EQ(30, h.grid.GetSubItemWidth(0));
    h.grid.SetSubItemWidth(0, 500);
    EXPECT_EQ(100, h.grid.GetSubItemWidth(0));
    h.grid.SetIndentFirstColumn(16);
    EXPECT_EQ(100, h.grid.GetSubItemWidth(0));
    HDITEM hdi = {HDI_WIDTH};
    h.grid.GetHeaderCtrl()->GetItem(0, &hdi);
    EXPECT_EQ(116, hdi.cxy);
    h.grid.SetIndentFirstColumn(0);
    h.grid.GetHeaderCtrl()->GetItem(0, &hdi);
    EXPECT_EQ(100, hdi.cxy);
}

} // namespace
