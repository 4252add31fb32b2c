#include "CommonFixture.h"

#include <string>

namespace commctrl_test {
namespace {

class ListView : public CommonFixture {
protected:
    void SetUp() override
    {
        CommonFixture::SetUp();
        list = Child(WC_LISTVIEW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER, 10, 10, 380, 240, 200);
        ASSERT_NE(list, nullptr);
        const char* titles[] = {"이름", "크기", "날짜"};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMN col = {LVCF_TEXT | LVCF_WIDTH | LVCF_FMT};
            col.pszText = (LPSTR)titles[i];
            col.cx = 100;
            col.fmt = i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            ASSERT_EQ(SendMessage(list, LVM_INSERTCOLUMN, i, (LPARAM)&col), i);
        }
        const char* names[] = {"가족.jpg", "여행.jpg", "풍경.jpg"};
        for (int i = 0; i < 3; ++i) {
            LVITEM item = {LVIF_TEXT | LVIF_PARAM};
            item.iItem = i;
            item.pszText = (LPSTR)names[i];
            item.lParam = 100 + i;
            ASSERT_EQ(SendMessage(list, LVM_INSERTITEM, 0, (LPARAM)&item), i);
            SetText(i, 1, "12 KB");
        }
    }

    void SetText(int item, int sub, const char* text)
    {
        LVITEM lv = {};
        lv.iSubItem = sub;
        lv.pszText = (LPSTR)text;
        SendMessage(list, LVM_SETITEMTEXT, item, (LPARAM)&lv);
    }

    std::string Text(int item, int sub = 0)
    {
        char buf[128] = "";
        LVITEM lv = {};
        lv.iSubItem = sub;
        lv.pszText = buf;
        lv.cchTextMax = sizeof(buf);
        SendMessage(list, LVM_GETITEMTEXT, item, (LPARAM)&lv);
        return buf;
    }

    RECT ItemRect(int item, int code)
    {
        RECT rc = {code};
        SendMessage(list, LVM_GETITEMRECT, item, (LPARAM)&rc);
        return rc;
    }

    UINT Check(int item) { return ((UINT)SendMessage(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) >> 12; }

    HWND list = nullptr;
};

TEST_F(ListView, CheckBoxesToggleByClickAndSpace)
{
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    EXPECT_EQ(Check(0), 1u);
    RECT icon = ItemRect(1, LVIR_ICON);
    int y = (icon.top + icon.bottom) / 2;
    LVHITTESTINFO hit = {{icon.left - 8, y}};
    EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, (LPARAM)&hit), 1);
    EXPECT_EQ(hit.flags, (UINT)LVHT_ONITEMSTATEICON);

    Click(list, icon.left - 8, y);
    EXPECT_EQ(Check(1), 2u);
    std::vector<UINT> order = Codes({LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK});
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.back(), NM_CLICK) << "the box changed before the click is reported";
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 0) << "the box alone does not select";

    // A refused change keeps the box as it was.
    answers[LVN_ITEMCHANGING] = [](NMHDR*) -> LRESULT { return TRUE; };
    Click(list, icon.left - 8, y);
    EXPECT_EQ(Check(1), 2u);
    answers.erase(LVN_ITEMCHANGING);

    RECT label = ItemRect(2, LVIR_LABEL);
    Click(list, label.left + 3, (label.top + label.bottom) / 2);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTIONMARK, 0, 0), 2);
    SendMessage(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(Check(2), 2u);
    EXPECT_EQ(Codes({LVN_KEYDOWN}).size(), 1u);
}

TEST_F(ListView, SubItemHitTestAndRectangles)
{
    RECT sub = {LVIR_BOUNDS, 1};
    ASSERT_TRUE(SendMessage(list, LVM_GETSUBITEMRECT, 1, (LPARAM)&sub));
    EXPECT_EQ(sub.right - sub.left, 100);
    LVHITTESTINFO hit = {{sub.left + 10, (sub.top + sub.bottom) / 2}};
    EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, (LPARAM)&hit), 1);
    EXPECT_EQ(hit.iItem, 1);
    EXPECT_EQ(hit.iSubItem, 1);
    // A plain hit test there finds nothing without full-row selection, and the row with it.
    LVHITTESTINFO plain = {hit.pt};
    EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, (LPARAM)&plain), -1);
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, (LPARAM)&plain), 1);

    // Reordering the columns moves the sub-item's rectangle with its column.
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(SendMessage(list, LVM_SETCOLUMNORDERARRAY, 3, (LPARAM)order));
    RECT moved = {LVIR_BOUNDS, 1};
    SendMessage(list, LVM_GETSUBITEMRECT, 1, (LPARAM)&moved);
    EXPECT_EQ(moved.left - sub.left, 100);
    LVHITTESTINFO below = {{5, 230}};
    EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, (LPARAM)&below), -1);
    EXPECT_EQ(below.flags, (UINT)LVHT_NOWHERE);
}

TEST_F(ListView, ClicksBesideTheLabelsAreReportedWithoutARow)
{
    NMITEMACTIVATE seen = {};
    answers[NM_CLICK] = [&](NMHDR* hdr) -> LRESULT {
        seen = *(NMITEMACTIVATE*)hdr;
        return 0;
    };
    RECT sub = {LVIR_BOUNDS, 1};
    ASSERT_TRUE(SendMessage(list, LVM_GETSUBITEMRECT, 1, (LPARAM)&sub));
    POINT pt = {sub.left + 10, (sub.top + sub.bottom) / 2};
    Click(list, pt.x, pt.y);
    ASSERT_EQ(Codes({NM_CLICK}).size(), 1u);
    EXPECT_EQ(seen.iItem, -1) << "only the first column's label names the row";
    EXPECT_EQ(seen.iSubItem, 1);
    EXPECT_EQ(seen.ptAction.x, pt.x);
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    Click(list, 5, 230);
    EXPECT_EQ(Codes({NM_CLICK}).size(), 2u);
    EXPECT_EQ(seen.iItem, -1);
}

TEST_F(ListView, CustomDrawColoursShowInThePixels)
{
    answers[NM_CUSTOMDRAW] = [](NMHDR* hdr) -> LRESULT {
        auto* cd = (NMLVCUSTOMDRAW*)hdr;
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            cd->clrTextBk = cd->nmcd.dwItemSpec == 1 ? RGB(0xC0, 0xC0, 0xC0) : RGB(255, 255, 255);
            cd->clrText = RGB(0x80, 0, 0);
        }
        return CDRF_DODEFAULT;
    };
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    mivo::test::WindowImage img = mivo::test::CaptureWindow(list, true);
    RECT row1 = ItemRect(1, LVIR_BOUNDS), row0 = ItemRect(0, LVIR_BOUNDS);
    EXPECT_EQ(img.At(290, (row1.top + row1.bottom) / 2), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.At(290, (row0.top + row0.bottom) / 2), RGB(255, 255, 255));
    // The text of row 1 is drawn in the colour the parent gave.
    int found = 0;
    for (int y = row1.top; y < row1.bottom; ++y)
        for (int x = row1.left; x < 100; ++x)
            found += img.At(x, y) == RGB(0x80, 0, 0);
    EXPECT_GT(found, 3);
}

TEST_F(ListView, LabelEditingEndsWithTextOrByEscape)
{
    SetWindowLong(list, GWL_STYLE, GetWindowLong(list, GWL_STYLE) | LVS_EDITLABELS);
    std::vector<std::string> ended;
    answers[LVN_ENDLABELEDIT] = [&](NMHDR* hdr) -> LRESULT {
        auto* di = (NMLVDISPINFO*)hdr;
        ended.push_back(di->item.pszText ? di->item.pszText : "(취소)");
        return di->item.pszText != nullptr;
    };
    HWND edit = (HWND)SendMessage(list, LVM_EDITLABEL, 1, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Codes({LVN_BEGINLABELEDIT}).size(), 1u);
    EXPECT_EQ((HWND)SendMessage(list, LVM_GETEDITCONTROL, 0, 0), edit);
    SetWindowText(edit, "새폴더");
    SendMessage(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Text(1), "새폴더");

    edit = (HWND)SendMessage(list, LVM_EDITLABEL, 1, 0);
    SetWindowText(edit, "무시");
    SendMessage(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(Text(1), "새폴더");
    EXPECT_EQ(ended, (std::vector<std::string>{"새폴더", "(취소)"}));
    EXPECT_EQ((HWND)SendMessage(list, LVM_GETEDITCONTROL, 0, 0), nullptr);

    // A parent that refuses to begin keeps the list out of editing.
    answers[LVN_BEGINLABELEDIT] = [](NMHDR*) -> LRESULT { return TRUE; };
    EXPECT_EQ((HWND)SendMessage(list, LVM_EDITLABEL, 0, 0), nullptr);
}

TEST_F(ListView, ItemsSelectionAndHeaderNotifications)
{
    EXPECT_EQ(Text(2, 1), "12 KB");
    LVITEM sel = {};
    sel.state = sel.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 0, (LPARAM)&sel);
    SendMessage(list, LVM_SETITEMSTATE, 2, (LPARAM)&sel);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 0);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, 0, LVNI_SELECTED), 2);
    SetWindowLong(list, GWL_STYLE, GetWindowLong(list, GWL_STYLE) | LVS_SINGLESEL);
    SendMessage(list, LVM_SETITEMSTATE, 1, (LPARAM)&sel);
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);

    LVFINDINFO find = {LVFI_PARAM};
    find.lParam = 102;
    EXPECT_EQ(SendMessage(list, LVM_FINDITEM, -1, (LPARAM)&find), 2);
    EXPECT_TRUE(SendMessage(list, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessage(list, LVM_FINDITEM, -1, (LPARAM)&find), 1);
    EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_GT(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0), 5);

    // A click on a column title reaches the parent as the header's and the list's notification.
    HWND header = (HWND)SendMessage(list, LVM_GETHEADER, 0, 0);
    ASSERT_NE(header, nullptr);
    codes.clear();
    RECT title;
    SendMessage(header, HDM_GETITEMRECT, 1, (LPARAM)&title);
    Click(header, title.left + 20, 5);
    EXPECT_EQ(Codes({HDN_ITEMCLICK, LVN_COLUMNCLICK}), (std::vector<UINT>{HDN_ITEMCLICK, LVN_COLUMNCLICK}));
}

}  // namespace
}  // namespace commctrl_test
