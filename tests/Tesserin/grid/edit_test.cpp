// In-cell editing: the start text, the end keys, numbers with their sign,
// read-only cells, the "..." button and notices of ended editors.
#include <gtest/gtest.h>

#include "GridFixture.h"

using gridtest::GridHost;

namespace {

struct EditGrid : GridHost {
    EditGrid() : GridHost(RVS_FOCUSSUBITEMS)
    {
        Columns(3);
        Rows({"a", "b"});
        grid.SetItemValue(0, 1, 1234.5, 2);
        grid.SetItemValue(1, 1, 0.0, 0);
        grid.SetItemText(0, 2, "text");
        grid.SetFocus();
        mivo::test::PumpUntilIdle();
    }
    HWND Editor() { return grid.GetEditWindow(); }
    std::string EditorText()
    {
        char text[256] = "";
        ::GetWindowText(Editor(), text, sizeof(text));
        return text;
    }
    void Focus(int row, int column) { ASSERT_TRUE(grid.AdjustFocus(row, column)); }
    void Type(UINT character)
    {
        grid.SendMessage(WM_KEYDOWN, character, 0);
        grid.SendMessage(WM_CHAR, character, 0);
    }
    void EndWith(UINT key)
    {
        ::SendMessage(Editor(), WM_KEYDOWN, key, 0);
        mivo::test::PumpUntilIdle();
    }
};

TEST(GridEdit, TypedCharacterReplacesTheNumber)
{
    EditGrid g;
    g.Focus(0, 1);
    g.Type('5');
    ASSERT_NE(nullptr, g.Editor());
    EXPECT_EQ("5", g.EditorText());
    g.EndWith(VK_RETURN);
    EXPECT_EQ(nullptr, g.Editor());
    EXPECT_STREQ("5.00", g.grid.GetItemText(0, 1));
}

TEST(GridEdit, EnterOpensTheDigitsWithTheCaretAtTheEnd)
{
    EditGrid g;
    g.Focus(0, 1);
    g.grid.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_NE(nullptr, g.Editor());
    EXPECT_EQ("1234.50", g.EditorText());
    DWORD start = 0, end = 0;
    ::SendMessage(g.Editor(), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(7u, start);
    EXPECT_EQ(7u, end);
}

TEST(GridEdit, ZeroOpensEmpty)
{
    EditGrid g;
    g.Focus(1, 1);
    EXPECT_TRUE(g.grid.EditCurrentCell());
    EXPECT_EQ("", g.EditorText());
}

TEST(GridEdit, NegativeNumbersKeepTheirSign)
{
    EditGrid g;
    g.grid.SetItemValue(0, 1, -1234.5, 2);
    g.Focus(0, 1);
    g.grid.EditCurrentCell();
    EXPECT_EQ("-1234.50", g.EditorText());
    ::SetWindowText(g.Editor(), "-42.5");
    g.EndWith(VK_RETURN);
    EXPECT_STREQ("-42.50", g.grid.GetItemText(0, 1));
    EXPECT_DOUBLE_EQ(-42.5, g.grid.GetItemValue(0, 1));
}

TEST(GridEdit, EscapeKeepsTheCell)
{
    EditGrid g;
    g.Focus(0, 2);
    g.grid.EditCurrentCell();
    ::SetWindowText(g.Editor(), "changed");
    g.EndWith(VK_ESCAPE);
    EXPECT_STREQ("text", g.grid.GetItemText(0, 2));
    EXPECT_EQ(nullptr, g.Editor());
}

TEST(GridEdit, ParentVetoStoresNothing)
{
    EditGrid g;
    g.reply = [](int code, NMHDR*) -> LRESULT { return code == RVN_ENDITEMEDIT; };
    g.Focus(0, 2);
    g.grid.EditCurrentCell();
    ::SetWindowText(g.Editor(), "changed");
    g.EndWith(VK_RETURN);
    EXPECT_STREQ("text", g.grid.GetItemText(0, 2));
}

TEST(GridEdit, TabInAllCellModeStoresAndOpensTheNextCell)
{
    EditGrid g;
    g.grid.SetAllCellEditMode(TRUE);
    g.Focus(0, 0);
    g.grid.EditCurrentCell();
    ::SetWindowText(g.Editor(), "first");
    g.EndWith(VK_TAB);
    EXPECT_STREQ("first", g.grid.GetItemText(0, 0));
    int column = -1;
    EXPECT_EQ(0, g.grid.GetCurrentFocus(&column));
    EXPECT_EQ(1, column);
    ASSERT_NE(nullptr, g.Editor());
    EXPECT_EQ("1234.50", g.EditorText());
}

TEST(GridEdit, ReadOnlyAndEmptyCellsOpenNothing)
{
    EditGrid g;
    _RVITEM rvi;
    rvi.nMask = RVIM_STATE;
    rvi.iItem = 0;
    rvi.nState = RVIS_READONLY;
    g.grid.SetItem(&rvi);
    g.Focus(0, 2);
    EXPECT_FALSE(g.grid.EditCurrentCell());
    g.Focus(1, 2); // no text in this cell
    EXPECT_FALSE(g.grid.EditCurrentCell());
    EXPECT_FALSE(g.grid.BeginEdit(-1, 0, 1)); // no fixed row shown
    EXPECT_EQ(nullptr, g.Editor());
}

TEST(GridEdit, ButtonOnlyWhenTheCellIsWideEnough)
{
    for (int width : {80, 20}) {
        EditGrid g;
        g.reply = [](int code, NMHDR* header) -> LRESULT {
            if (code == RVN_BEGINITEMEDIT)
                ((_NMRVITEMEDIT*)header)->nFlags = 1;
            return 0;
        };
        g.grid.SetSubItemWidth(2, width);
        g.Focus(0, 2);
        ASSERT_TRUE(g.grid.EditCurrentCell());
        HWND button = ::FindWindowEx(g.grid.m_hWnd, nullptr, "Button", nullptr);
        EXPECT_EQ(width == 80, button != nullptr) << width;
    }
}

TEST(GridEdit, NoticeOfAnEndedEditorIsIgnored)
{
    EditGrid g;
    g.Focus(0, 2);
    g.grid.EditCurrentCell();
    HWND old = g.Editor();
    ::SetWindowText(old, "kept");
    g.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN); // scrolling ends the edit and stores it
    EXPECT_STREQ("kept", g.grid.GetItemText(0, 2));
    g.Focus(0, 0);
    g.grid.EditCurrentCell();
    char late[] = "late";
    _NMRVITEMEDIT notice;
    memset(&notice.hdr, 0, sizeof(notice.hdr));
    notice.hdr.hwndFrom = old;
    notice.hdr.code = (UINT)RVN_ENDITEMEDIT;
    notice.nKey = VK_RETURN;
    notice.lpszText = late;
    g.grid.SendMessage(WM_NOTIFY, 0, (LPARAM)&notice);
    EXPECT_STREQ("a", g.grid.GetItemText(0, 0));
    EXPECT_NE(nullptr, g.Editor());
    mivo::test::PumpUntilIdle();
}

TEST(GridEdit, ParentSuppliedEditor)
{
    EditGrid g;
    HWND own = ::CreateWindow("Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, g.grid.m_hWnd, nullptr, nullptr,
                              nullptr);
    g.reply = [own](int code, NMHDR* header) -> LRESULT {
        if (code != RVN_BEGINITEMEDIT)
            return 0;
        ((_NMRVITEMEDIT*)header)->hWnd = own;
        return 1;
    };
    g.Focus(0, 2);
    EXPECT_TRUE(g.grid.EditCurrentCell());
    EXPECT_EQ(own, g.Editor());
    EXPECT_EQ(own, ::GetFocus());
    g.grid.EndEdit(FALSE);
    mivo::test::PumpUntilIdle();
}

} // namespace
