// Scroll bars of the controls that own one: they come and go with the content and scroll by mouse.
#include "ControlFixture.h"

#include "support/InputSynth.h"

#include <cstdio>

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kList = 700, kCombo = 701, kEdit = 702;

class ControlBarsTest : public ControlFixture {
protected:
    static int ClientWidth(HWND h)
    {
        RECT r;
        GetClientRect(h, &r);
        return r.right;
    }
    static int ClientHeight(HWND h)
    {
        RECT r;
        GetClientRect(h, &r);
        return r.bottom;
    }
    // Clicks at a point given in screen coordinates.
    static void ClickScreen(POINT pt)
    {
        mivo::InjectMouseMove(pt);
        mivo::InjectMouseButton(pt, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(pt, mivo::MouseButton::Left, false);
        PumpUntilIdle();
    }
    // The shown list of a dropped combo box: a top-level window of the thread.
    static HWND DroppedList()
    {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM l) -> BOOL {
            char cls[32] = {};
            GetClassName(h, cls, sizeof(cls));
            if (IsWindowVisible(h) && lstrcmpi(cls, "ComboLBox") == 0)
                *(HWND*)l = h;
            return TRUE;
        }, (LPARAM)&found);
        return found;
    }
    static SCROLLINFO Info(HWND h, int bar)
    {
        SCROLLINFO si = {sizeof(si), SIF_ALL};
        GetScrollInfo(h, bar, &si);
        return si;
    }
};

}  // namespace

TEST_F(ControlBarsTest, ListBoxBarComesAndGoesWithItems)
{
    HWND l = Child("ListBox", "", WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10, 150, 100, kList);
    int full = ClientWidth(l);
    auto fill = [&](int n) {
        for (int i = 0; i < n; ++i)
            SendMessage(l, LB_ADDSTRING, 0, (LPARAM)"항목");
    };
    fill(20);
    int narrow = ClientWidth(l);
    EXPECT_EQ(narrow, full - GetSystemMetrics(SM_CXVSCROLL)) << "a list that started empty still gets its bar";
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(ClientWidth(l), full) << "an empty list hides it";
    fill(20);
    EXPECT_EQ(ClientWidth(l), narrow) << "and it comes back";

    // The down arrow, at the bottom of the bar, scrolls a line.
    RECT w;
    GetWindowRect(l, &w);
    ClickScreen(POINT{w.right - 3, w.bottom - 4});
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_EQ(Info(l, SB_VERT).nPos, 1);
}

TEST_F(ControlBarsTest, DroppedComboListShowsItsBar)
{
    HWND c = Child("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 10, 150, 120, kCombo);
    for (int i = 0; i < 20; ++i) {
        char text[16];
        std::snprintf(text, sizeof(text), "도시 %d", i);
        SendMessage(c, CB_ADDSTRING, 0, (LPARAM)text);
    }
    RECT field;
    GetWindowRect(c, &field);
    ClickScreen(POINT{(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    ASSERT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    RECT lw, lc;
    GetWindowRect(list, &lw);
    GetClientRect(list, &lc);
    EXPECT_GE((lw.right - lw.left) - lc.right, GetSystemMetrics(SM_CXVSCROLL)) << "twenty items need the bar";
    // A click on its down arrow scrolls without closing the list.
    ClickScreen(POINT{lw.right - 3, lw.bottom - 4});
    EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(c, CB_GETTOPINDEX, 0, 0), 1);
    PressKey(VK_ESCAPE);
}

TEST_F(ControlBarsTest, MultiLineEditBarsFollowTheTypedText)
{
    HWND e = Child("Edit", "", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL |
                                   WS_BORDER,
                   10, 10, 160, 80, kEdit);
    int fullWidth = ClientWidth(e), fullHeight = ClientHeight(e);
    SetFocus(e);
    PumpUntilIdle();
    for (int i = 0; i < 12; ++i) {
        TypeText(i == 5 ? "아주 길게 이어지는 한 줄의 글이 창보다 넓습니다" : "줄");
        PressKey(VK_RETURN);
    }
    EXPECT_EQ(ClientWidth(e), fullWidth - GetSystemMetrics(SM_CXVSCROLL)) << "more lines than fit: a vertical bar";
    EXPECT_EQ(ClientHeight(e), fullHeight - GetSystemMetrics(SM_CYHSCROLL)) << "a line wider than the box: a horizontal bar";

    // The horizontal bar counts pixels: the widest line is the range, the text width a page.
    SCROLLINFO h = Info(e, SB_HORZ);
    RECT format;
    SendMessage(e, EM_GETRECT, 0, (LPARAM)&format);
    EXPECT_EQ(h.nPage, (UINT)(format.right - format.left));
    EXPECT_GT(h.nMax, (int)h.nPage);
    EXPECT_LT(h.nMax, 1000);

    PressKey(VK_HOME, false, true);
    EXPECT_EQ(Info(e, SB_HORZ).nPos, 0);
    RECT w;
    GetWindowRect(e, &w);
    // The right arrow of the horizontal bar sits left of the corner box.
    int corner = GetSystemMetrics(SM_CXVSCROLL);
    ClickScreen(POINT{w.right - 2 - corner - 4, w.bottom - 5});
    EXPECT_GT(Info(e, SB_HORZ).nPos, 0) << "the bar scrolls the text sideways";
    EXPECT_EQ(CountOf(kEdit, EN_HSCROLL), 1);

    // Emptied, both bars hide; typed full again, both come back.
    SetWindowText(e, "");
    EXPECT_EQ(ClientWidth(e), fullWidth);
    EXPECT_EQ(ClientHeight(e), fullHeight);
    for (int i = 0; i < 12; ++i)
        PressKey(VK_RETURN);
    EXPECT_EQ(ClientWidth(e), fullWidth - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ControlBarsTest, ComboEditReportsOnlyWhatTheUserTypes)
{
    HWND c = Child("ComboBox", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 10, 10, 150, 120, kCombo);
    for (const char* s : {"서울", "부산", "대구"})
        SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
    recorder.Clear();
    SendMessage(c, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(TextOf(c), "부산");
    EXPECT_EQ(CountOf(kCombo, CBN_EDITCHANGE) + CountOf(kCombo, CBN_EDITUPDATE), 0) << "the program's own selection";

    // Picking from the dropped list with the mouse.
    RECT field;
    GetWindowRect(c, &field);
    ClickScreen(POINT{field.right - 5, (field.top + field.bottom) / 2});
    ASSERT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    recorder.Clear();
    RECT dropped;
    GetWindowRect(DroppedList(), &dropped);
    int item = (int)SendMessage(c, CB_GETITEMHEIGHT, 0, 0);
    ClickScreen(POINT{dropped.left + 20, dropped.top + 1 + item * 2 + item / 2});
    EXPECT_EQ(TextOf(c), "대구");
    EXPECT_EQ(Notifications(kCombo), (std::vector<int>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}))
        << "no edit notifications for a pick from the list";

    // Typing still reports.
    recorder.Clear();
    TypeText("시");
    EXPECT_EQ(CountOf(kCombo, CBN_EDITUPDATE), 1);
    EXPECT_EQ(CountOf(kCombo, CBN_EDITCHANGE), 1);
}
