// Buttons: owner-drawn states, check boxes, radio groups, clicks by mouse and keyboard.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/MessageSequence.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

class ButtonTest : public ControlFixture {};

struct Drawn {
    UINT action;
    UINT state;
    UINT ctlType;
    UINT id;
};

}  // namespace

TEST_F(ButtonTest, OwnerDrawnButtonHearsEveryStateChange)
{
    std::vector<Drawn> drawn;
    recorder.OnMessage(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* result) {
        auto* dis = (const DRAWITEMSTRUCT*)lParam;
        drawn.push_back({dis->itemAction, dis->itemState, dis->CtlType, dis->CtlID});
        EXPECT_NE(dis->hDC, nullptr);
        EXPECT_EQ(dis->rcItem.right - dis->rcItem.left, 80);
        *result = TRUE;
        return true;
    });
    HWND b = Child("Button", "그림", BS_OWNERDRAW, 10, 10, 80, 30, 400);
    UpdateWindow(b);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().action, (UINT)ODA_DRAWENTIRE);
    EXPECT_EQ(drawn.back().state, 0u);
    EXPECT_EQ(drawn.back().ctlType, (UINT)ODT_BUTTON);
    EXPECT_EQ(drawn.back().id, 400u);

    drawn.clear();
    SetFocus(b);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().action, (UINT)ODA_FOCUS);
    EXPECT_EQ(drawn.back().state, (UINT)ODS_FOCUS);

    drawn.clear();
    SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().action, (UINT)ODA_SELECT);
    EXPECT_EQ(drawn.back().state, (UINT)(ODS_SELECTED | ODS_FOCUS));
    SendMessage(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(drawn.back().action, (UINT)ODA_SELECT);
    EXPECT_EQ(drawn.back().state, (UINT)ODS_FOCUS);
    EXPECT_EQ(Notifications(400), (std::vector<int>{BN_CLICKED}));

    drawn.clear();
    SetFocus(parent);
    EnableWindow(b, FALSE);
    UpdateWindow(b);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().state, (UINT)ODS_DISABLED);
}

TEST_F(ButtonTest, ReleasingOutsideDoesNotClick)
{
    HWND b = Child("Button", "확인", BS_PUSHBUTTON, 10, 10, 80, 30, 401);
    SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    SendMessage(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "the button pops up when the mouse leaves";
    SendMessage(b, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_TRUE(Notifications(401).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButton)
{
    HWND b = Child("Button", "확인", BS_PUSHBUTTON, 10, 10, 80, 30, 402);
    SetFocus(b);
    PumpUntilIdle();
    PressKey(VK_SPACE);
    PumpUntilIdle();
    EXPECT_EQ(Notifications(402), (std::vector<int>{BN_CLICKED}));
}

TEST_F(ButtonTest, CheckBoxesCycleThroughTheirStates)
{
    struct Case {
        DWORD style;
        std::vector<UINT> after;  // check state after each click
    } cases[] = {
        {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
        {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
        {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}},
    };
    int id = 410;
    for (const Case& c : cases) {
        HWND b = Child("Button", "선택", c.style, 10, 10, 120, 20, id);
        for (UINT expected : c.after) {
            SendMessage(b, BM_CLICK, 0, 0);
            EXPECT_EQ((UINT)SendMessage(b, BM_GETCHECK, 0, 0), expected) << c.style;
        }
        EXPECT_EQ(CountOf(id, BN_CLICKED), (int)c.after.size()) << "every click is reported";
        SendMessage(b, BM_SETCHECK, BST_INDETERMINATE, 0);
        UINT check = (UINT)SendMessage(b, BM_GETCHECK, 0, 0);
        EXPECT_EQ(check, c.style == BS_AUTO3STATE ? (UINT)BST_INDETERMINATE : (UINT)BST_CHECKED)
            << "two-state boxes know no third state";
        DestroyWindow(b);
        ++id;
    }
    HWND push = Child("Button", "누름", BS_PUSHBUTTON, 10, 40, 80, 24, 420);
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, DoubleClicksAreReportedToNotifyingButtons)
{
    HWND plain = Child("Button", "보통", BS_PUSHBUTTON, 10, 10, 80, 24, 430);
    HWND notify = Child("Button", "알림", BS_PUSHBUTTON | BS_NOTIFY, 10, 40, 80, 24, 431);
    for (HWND b : {plain, notify}) {
        SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessage(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        SendMessage(b, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessage(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    EXPECT_ORDER(recorder, parent, {
        Command(plain, BN_CLICKED),
        Command(plain, BN_CLICKED),
        Command(notify, BN_SETFOCUS),
        Command(notify, BN_CLICKED),
        Command(notify, BN_DOUBLECLICKED),
    });
}

TEST_F(ButtonTest, DialogCodesTellWhatKindItIs)
{
    struct Case {
        DWORD style;
        UINT code;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON}, {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON}, {BS_CHECKBOX, DLGC_BUTTON},
        {BS_GROUPBOX, DLGC_STATIC},                           {BS_OWNERDRAW, DLGC_BUTTON},
    };
    for (const Case& c : cases) {
        HWND b = Child("Button", "x", c.style, 0, 0, 40, 20, 440);
        EXPECT_EQ((UINT)SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << c.style;
        DestroyWindow(b);
    }
    HWND b = Child("Button", "x", BS_PUSHBUTTON | BS_CENTER, 0, 0, 40, 20, 441);
    SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(b, GWL_STYLE) & (BS_TYPEMASK | BS_CENTER), BS_DEFPUSHBUTTON | BS_CENTER)
        << "BM_SETSTYLE changes the kind only";
}
