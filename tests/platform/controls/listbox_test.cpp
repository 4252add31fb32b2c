// List boxes: selection kinds, notifications, sorting and searching, owner-drawn items.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "mivo/testing/input.h"
#include "support/MessageSequence.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kList = 600;

class ListBoxTest : public ControlFixture {
protected:
    HWND MakeList(DWORD style, std::initializer_list<const char*> items = {"사과", "배", "포도", "귤", "감"})
    {
        HWND l = Child("ListBox", "", style | WS_BORDER | WS_VSCROLL, 10, 10, 150, 120, kList);
        for (const char* s : items)
            SendMessage(l, LB_ADDSTRING, 0, (LPARAM)s);
        recorder.Clear();
        return l;
    }
    POINT ItemCenter(HWND l, int index)
    {
        RECT rc;
        SendMessage(l, LB_GETITEMRECT, (WPARAM)index, (LPARAM)&rc);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    std::vector<int> Selected(HWND l)
    {
        int items[32];
        int n = (int)SendMessage(l, LB_GETSELITEMS, 32, (LPARAM)items);
        return std::vector<int>(items, items + std::max(n, 0));
    }
};

}  // namespace

TEST_F(ListBoxTest, SingleSelectionFollowsClicksAndKeys)
{
    HWND l = MakeList(LBS_NOTIFY);
    POINT p = ItemCenter(l, 2);
    Click(l, p.x, p.y);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetFocus(), l);
    EXPECT_ORDER(recorder, parent, {Command(l, LBN_SETFOCUS), Command(l, LBN_SELCHANGE)});
    recorder.Clear();
    PressKey(VK_DOWN);
    PressKey(VK_END);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 4);
    EXPECT_ORDER(recorder, parent, {Command(l, LBN_SELCHANGE), Command(l, LBN_SELCHANGE)});
    recorder.Clear();
    SendMessage(l, LB_SETCURSEL, 0, 0);
    EXPECT_TRUE(Notifications(kList).empty()) << "the program's own changes are not reported";
    SendMessage(l, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessage(l, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(CountOf(kList, LBN_DBLCLK), 1);
    TypeText("귤");
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3) << "typing finds the item by its first letters";
}

TEST_F(ListBoxTest, MultipleAndExtendedSelection)
{
    HWND multi = MakeList(LBS_NOTIFY | LBS_MULTIPLESEL);
    for (int i : {1, 3, 1, 4}) {
        POINT p = ItemCenter(multi, i);
        Click(multi, p.x, p.y);
    }
    EXPECT_EQ(Selected(multi), (std::vector<int>{3, 4})) << "each click toggles its item";
    EXPECT_EQ(SendMessage(multi, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(multi, LB_SETCURSEL, 0, 0), LB_ERR);
    DestroyWindow(multi);

    HWND ext = MakeList(LBS_NOTIFY | LBS_EXTENDEDSEL);
    POINT p1 = ItemCenter(ext, 1), p3 = ItemCenter(ext, 3), p0 = ItemCenter(ext, 0);
    Click(ext, p1.x, p1.y);
    mivo::InjectKey(VK_SHIFT, true);
    Click(ext, p3.x, p3.y);
    mivo::InjectKey(VK_SHIFT, false);
    PumpUntilIdle();
    EXPECT_EQ(Selected(ext), (std::vector<int>{1, 2, 3})) << "Shift extends from the anchor";
    mivo::InjectKey(VK_CONTROL, true);
    Click(ext, p0.x, p0.y);
    mivo::InjectKey(VK_CONTROL, false);
    PumpUntilIdle();
    EXPECT_EQ(Selected(ext), (std::vector<int>{0, 1, 2, 3})) << "Ctrl adds";
    Click(ext, p3.x, p3.y);
    EXPECT_EQ(Selected(ext), (std::vector<int>{3})) << "a plain click starts over";
    SendMessage(ext, LB_SELITEMRANGEEX, 0, 2);
    EXPECT_EQ(Selected(ext), (std::vector<int>{0, 1, 2, 3}));
    SendMessage(ext, LB_SETSEL, FALSE, -1);
    EXPECT_TRUE(Selected(ext).empty());
}

TEST_F(ListBoxTest, SortedInsertFindAndDelete)
{
    HWND l = MakeList(LBS_SORT | LBS_NOTIFY, {"다", "가", "Zebra", "apple", "나"});
    char text[32];
    std::vector<std::string> order;
    for (int i = 0; i < 5; ++i) {
        SendMessage(l, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
        order.push_back(text);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"apple", "Zebra", "가", "나", "다"}));
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 1, (LPARAM)"맨 앞 아님"), 1) << "inserting ignores the sort";
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 99, (LPARAM)"x"), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, 2, (LPARAM)"A"), 0) << "searching wraps around";
    EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"zebra"), 2);
    SendMessage(l, LB_SETCURSEL, 4, 0);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 1, 0), 5);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3) << "the selection moves with its item";
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 3, 0), 4);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETITEMDATA, 9, 5), LB_ERR);
}

TEST_F(ListBoxTest, OwnerDrawnVariableItemsAreMeasuredAndDrawn)
{
    std::vector<UINT> measured;
    std::vector<std::pair<UINT, UINT>> drawn;  // item, state
    recorder.OnMessage(WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* r) {
        auto* mis = (MEASUREITEMSTRUCT*)lParam;
        measured.push_back(mis->itemID);
        mis->itemHeight = 20 + 10 * mis->itemID;
        *r = TRUE;
        return true;
    });
    recorder.OnMessage(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* r) {
        auto* dis = (DRAWITEMSTRUCT*)lParam;
        EXPECT_EQ(dis->CtlType, (UINT)ODT_LISTBOX);
        EXPECT_EQ(dis->rcItem.bottom - dis->rcItem.top, (LONG)(20 + 10 * dis->itemID));
        drawn.emplace_back(dis->itemID, dis->itemState & (ODS_SELECTED | ODS_FOCUS));
        *r = TRUE;
        return true;
    });
    HWND l = Child("ListBox", "", LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | WS_BORDER, 10, 10, 150, 120, kList);
    for (ULONG_PTR data : {11u, 22u, 33u})
        SendMessage(l, LB_ADDSTRING, 0, (LPARAM)data);
    EXPECT_EQ(measured, (std::vector<UINT>{0, 1, 2}));
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 22) << "without LBS_HASSTRINGS the item is its data";
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, (WPARAM)-1, 33), 2);
    RECT second;
    SendMessage(l, LB_GETITEMRECT, 1, (LPARAM)&second);
    EXPECT_EQ(second.top, 20);
    EXPECT_EQ(second.bottom, 50);
    LRESULT hit = SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 55));
    EXPECT_EQ(LOWORD(hit), 2);
    EXPECT_EQ(HIWORD(hit), 0);

    SetFocus(l);
    SendMessage(l, LB_SETCURSEL, 1, 0);
    drawn.clear();
    UpdateWindow(l);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1], std::make_pair(1u, (UINT)(ODS_SELECTED | ODS_FOCUS)));
    EXPECT_EQ(drawn[0].second, 0u);
}

TEST_F(ListBoxTest, KeyboardInputCanBeHandedToTheParent)
{
    recorder.OnMessage(WM_VKEYTOITEM, [&](HWND, UINT, WPARAM wParam, LPARAM, LRESULT* r) {
        *r = LOWORD(wParam) == VK_DOWN ? 3 : -1;
        return true;
    });
    HWND l = MakeList(LBS_NOTIFY | LBS_WANTKEYBOARDINPUT);
    SetFocus(l);
    PressKey(VK_DOWN);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3) << "the parent chose the item";
}
