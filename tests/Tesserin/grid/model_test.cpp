// Owner data, the 128-slot cache, the row count and the colour table.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "support/FrameworkThrow.h"

#include <cstring>

using gridtest::GridHost;

namespace {

struct OwnerGrid : GridHost {
    std::vector<int> asked;
    std::string reply = "row";
    OwnerGrid() : GridHost(RVS_OWNERDATA)
    {
        GridHost::reply = [this](int code, NMHDR* header) -> LRESULT {
            if (code != RVN_LOADITEMDATA)
                return 0;
            _NMRVITEM* request = (_NMRVITEM*)header;
            asked.push_back(request->item.iItem);
            std::string text = reply + std::to_string(request->item.iItem);
            if (request->item.lpszText) {
                memset(request->item.lpszText, 'x', 256); // an owner that fills the whole buffer
                memcpy(request->item.lpszText, text.c_str(), text.size() + 1);
                if (reply == "full")
                    memset(request->item.lpszText, 'y', 256);
            }
            request->item.nMask |= RVIM_TEXT;
            return 0;
        };
        Columns(1);
        grid.FlushCache(-2);
    }
};

TEST(GridModel, ItemsSharingASlotAskTheOwnerAgain)
{
    OwnerGrid g;
    g.grid.SetItemCount(200);
    mivo::test::PumpUntilIdle();
    g.grid.FlushCache(-2);
    g.asked.clear();
    EXPECT_STREQ("row5", g.grid.GetItemText(5, 0));
    EXPECT_STREQ("row5", g.grid.GetItemText(5, 0));
    EXPECT_STREQ("row133", g.grid.GetItemText(133, 0));
    EXPECT_STREQ("row5", g.grid.GetItemText(5, 0));
    EXPECT_EQ((std::vector<int>{5, 133, 5}), g.asked);
}

TEST(GridModel, OwnerRepliesAreReadTo255Bytes)
{
    OwnerGrid g;
    g.reply = "full";
    g.grid.SetItemCount(1);
    EXPECT_EQ(255, g.grid.GetItemText(0, 0).GetLength());
}

TEST(GridModel, CacheMissesBelowMinusOne)
{
    OwnerGrid g;
    EXPECT_EQ(nullptr, g.grid.CacheLookup(-2));
    EXPECT_EQ(nullptr, g.grid.CacheLookup(-130));
    EXPECT_EQ(nullptr, g.grid.CacheLookup(-1));
    g.grid.CacheAdd(-1);
    EXPECT_NE(nullptr, g.grid.CacheLookup(-1));
}

TEST(GridModel, OwnerDataRefusesRowChanges)
{
    OwnerGrid g;
    g.grid.SetItemCount(3);
    EXPECT_EQ(-2, g.grid.InsertItem(0, "x"));
    EXPECT_EQ(-2, g.grid.DeleteItem(0));
    EXPECT_FALSE(g.grid.SetItemText(0, 0, "x"));
    EXPECT_FALSE(g.grid.DeleteAllItems());
}

TEST(GridModel, ShrinkingTheCountMovesFocusAndDropsSelection)
{
    OwnerGrid g;
    g.grid.SetItemCount(20);
    g.grid.SetSelection(4, TRUE);
    g.grid.SetSelection(10, TRUE);
    EXPECT_EQ(10, g.grid.GetCurrentFocus());
    g.grid.SetItemCount(3);
    EXPECT_EQ(2, g.grid.GetCurrentFocus());
    std::vector<int> rows;
    g.grid.SelectionToSortedArray(rows);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(3, g.grid.GetItemCount());
}

TEST(GridModel, ColourTableAndPalette)
{
    GridHost h;
    EXPECT_EQ(nullptr, h.grid.GetPalette());
    EXPECT_EQ(0, h.grid.InsertColor(0, RGB(1, 2, 3)));
    EXPECT_EQ(0, h.grid.InsertColor(0, RGB(4, 5, 6)));
    EXPECT_EQ(RGB(1, 2, 3), h.grid.GetColor(1));
    ASSERT_NE(nullptr, h.grid.GetPalette());
    EXPECT_EQ(2, h.grid.GetPalette()->GetEntryCount());
    EXPECT_FALSE(h.grid.SetColor(2, 0));
    EXPECT_FALSE(h.grid.DeleteColor(2));
    EXPECT_TRUE(mivo::test::ThrowsFrameworkException<CInvalidArgException>([&] { h.grid.GetColor(5); }));
    for (int i = 0; i < 300; i++)
        h.grid.InsertColor(i, RGB(i, 0, 0));
    ASSERT_NE(nullptr, h.grid.GetPalette());
    EXPECT_EQ(256, h.grid.GetPalette()->GetEntryCount()); // a halftone palette
    h.grid.DeleteAllColors();
    EXPECT_EQ(nullptr, h.grid.GetPalette());
}

TEST(GridModel, NotifyMaskSilencesNotices)
{
    GridHost h;
    h.Columns(1);
    h.Rows({"a", "b"});
    h.grid.ModifyProperty(RVP_NOTIFYMASK, 0);
    h.grid.DeleteItem(0);
    EXPECT_TRUE(h.Codes(RVN_ITEMDELETED).empty());
    h.grid.ModifyProperty(RVP_NOTIFYMASK, 1 << 7);
    h.grid.DeleteItem(0);
    EXPECT_EQ(1u, h.Codes(RVN_ITEMDELETED).size());
}

TEST(GridModel, PropertiesRefuseUnknownNumbersAndValues)
{
    GridHost h;
    EXPECT_FALSE(h.grid.ModifyProperty(16, 0));
    EXPECT_FALSE(h.grid.ModifyProperty(RVP_GRIDSTYLE, 3));
    EXPECT_FALSE(h.grid.ModifyProperty(RVP_CHECKSTYLE, 7));
    EXPECT_TRUE(h.grid.ModifyProperty(RVP_SPACING, 4));
}

TEST(GridModel, ChangingTheSeparatorRewritesTheRows)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"a;b"});
    h.grid.SetItemText(0, 1, "second");
    ASSERT_TRUE(h.grid.ModifyProperty(RVP_SEPARATOR, ';'));
    EXPECT_STREQ("a b", h.grid.GetItemText(0, 0));
    EXPECT_STREQ("second", h.grid.GetItemText(0, 1));
    h.grid.ModifyProperty(RVP_SEPARATOR, '|');
    EXPECT_STREQ("second", h.grid.GetItemText(0, 1));
}

TEST(GridModel, HorizontalGridStyleAddsOnePixelOnce)
{
    GridHost h;
    int height = h.grid.GetItemHeight();
    h.grid.ModifyStyle(0, RVS_SHOWHGRID);
    h.grid.ModifyStyle(0, RVS_SHOWHGRID);
    EXPECT_EQ(height + 1, h.grid.GetItemHeight());
    h.grid.ModifyStyle(RVS_SHOWHGRID, 0);
    EXPECT_EQ(height, h.grid.GetItemHeight());
}

} // namespace

namespace {

TEST(GridWindow, WheelLinesComeFromTheDesktopSettings)
{
    HKEY key = nullptr;
    ::RegCreateKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                     nullptr);
    ASSERT_NE(nullptr, key);
    ::RegDeleteValue(key, "WheelScrollLines");
    {
        GridHost h;
        EXPECT_EQ(3u, h.grid.GetMouseScrollLines());
    }
    struct Case {
        const char* value;
        UINT lines;
    } cases[] = {{"5", 5}, {"-1", 0xFFFFFFFF}};
    for (const Case& c : cases) {
        ::RegSetValueEx(key, "WheelScrollLines", 0, REG_SZ, (const BYTE*)c.value, (DWORD)strlen(c.value) + 1);
        GridHost h;
        EXPECT_EQ(c.lines, h.grid.GetMouseScrollLines()) << c.value;
    }
    ::RegDeleteValue(key, "WheelScrollLines");
    ::RegCloseKey(key);
}

TEST(GridWindow, WheelScrollsByLinesOrPages)
{
    GridHost h(0, 300, 200);
    h.Columns(1);
    for (int i = 0; i < 100; i++)
        h.Rows({std::to_string(i)});
    h.grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(2 * (int)h.grid.GetMouseScrollLines(), h.grid.GetTopIndex());
}

TEST(GridWindow, HiddenHeaderAndFixedRowLayout)
{
    GridHost plain(RVS_NOHEADER);
    plain.Columns(1);
    plain.Rows({"a"});
    CRect row;
    plain.grid.GetRowRect(0, 0, &row);
    EXPECT_EQ(0, row.top);
    EXPECT_FALSE(::IsWindowVisible(plain.grid.GetHeaderCtrl()->m_hWnd));

    GridHost fixed(RVS_SHOWFIXEDROW);
    fixed.Columns(1);
    fixed.Rows({"a"});
    CRect header, first;
    fixed.grid.GetHeaderCtrl()->GetWindowRect(&header);
    fixed.grid.GetRowRect(0, 0, &first);
    EXPECT_EQ(header.Height() + fixed.grid.GetItemHeight() + 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME), first.top);
}

} // namespace
