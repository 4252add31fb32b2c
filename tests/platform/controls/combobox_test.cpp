// Combo boxes: a drop-down list filled from DLGINIT and driven by keys, the
// list's messages, the drop-down with its edit, the dropped list and the mouse.
#include "ControlFixture.h"

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "mivo/dialogs.h"
#include "mivo/resources.h"
#include "mivo/testing/input.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kCombo = 500;

class ComboTest : public ControlFixture {
protected:
    HWND MakeCombo(DWORD type, DWORD extra = 0)
    {
        HWND c = Child("ComboBox", "", type | WS_VSCROLL | extra, 10, 10, 150, 120, kCombo);
        recorder.Clear();
        return c;
    }
    static std::string ItemText(HWND c, int i)
    {
        char buf[128] = {};
        SendMessage(c, CB_GETLBTEXT, (WPARAM)i, (LPARAM)buf);
        return buf;
    }
};

INT_PTR CALLBACK ComboDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* log = (std::vector<int>*)GetWindowLongPtr(hDlg, DWLP_USER);
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCombo && log)
            log->push_back(HIWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TEST_F(ComboTest, DropDownListFromDialogInitSelectsWithKeys)
{
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 160, 80, u"월 선택");
    b.Font(9, u"굴림")
        .Item(ItemClass::ComboBox, u"", kCombo, 7, 7, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"확인", IDOK, 100, 60, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE);
    std::vector<BYTE> dialog = b.Bytes();
    std::vector<BYTE> init = DialogInitData({{kCombo, "1월"}, {kCombo, "2월"}, {kCombo, "3월"}});
    mivo::ResourceEntry entries[] = {
        {5, nullptr, 700, nullptr, dialog.data(), (DWORD)dialog.size()},
        {240, nullptr, 700, nullptr, init.data(), (DWORD)init.size()},
    };
    mivo::ResourceTable table = {entries, 2};
    mivo::RegisterModuleResources("combo_dialog_test", &table, false);

    std::vector<int> log;
    HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(700), nullptr, ComboDialogProc, (LPARAM)&log);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(mivo::ExecuteDialogInit(dlg, nullptr, MAKEINTRESOURCE(700)));
    HWND combo = GetDlgItem(dlg, kCombo);
    ASSERT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(combo, 1), "2월");
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);

    RECT rc;
    GetWindowRect(combo, &rc);
    EXPECT_LT(rc.bottom - rc.top, 40) << "the control keeps the selection field's height, the list drops below";

    SetFocus(combo);
    PumpDialog(dlg);
    log.clear();
    QueueKey(VK_DOWN);
    PumpDialog(dlg);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(log, (std::vector<int>{CBN_SELENDOK, CBN_SELCHANGE}));
    QueueKey(VK_DOWN);
    PumpDialog(dlg);
    EXPECT_EQ(TextOf(combo), "2월") << "a drop-down list's text is its selection";

    log.clear();
    QueueKey(VK_F4);
    PumpDialog(dlg);
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN);
    PumpDialog(dlg);
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(log, (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}))
        << "Enter closes the list instead of pressing the default button";
    EXPECT_TRUE(IsWindow(dlg));

    log.clear();
    QueueKey(VK_F4);
    QueueKey(VK_ESCAPE);
    PumpDialog(dlg);
    EXPECT_EQ(log, (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_TRUE(IsWindow(dlg)) << "Escape closed the list, not the dialog";

    QueueText("1");
    PumpDialog(dlg);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0) << "typing selects by the first letters";
    DestroyWindow(dlg);
    mivo::UnregisterModuleResources(&table);
}

TEST_F(ComboTest, ListMessagesSortFindAndHoldData)
{
    HWND c = MakeCombo(CBS_DROPDOWNLIST, CBS_SORT | CBS_HASSTRINGS);
    EXPECT_FALSE(GetWindowLong(c, GWL_STYLE) & WS_VSCROLL) << "the scroll bar style goes to the list";
    for (const char* s : {"다람쥐", "가방", "Banana", "apple", "나무"})
        SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
    std::vector<std::string> order;
    for (int i = 0; i < 5; ++i)
        order.push_back(ItemText(c, i));
    EXPECT_EQ(order, (std::vector<std::string>{"apple", "Banana", "가방", "나무", "다람쥐"}));
    EXPECT_EQ(SendMessage(c, CB_FINDSTRING, (WPARAM)-1, (LPARAM)"BAN"), 1) << "prefixes match without case";
    EXPECT_EQ(SendMessage(c, CB_FINDSTRING, (WPARAM)-1, (LPARAM)"나"), 3);
    EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"나"), CB_ERR);
    EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"APPLE"), 0);
    EXPECT_EQ(SendMessage(c, CB_GETLBTEXTLEN, 2, 0), 4);
    EXPECT_EQ(SendMessage(c, CB_GETLBTEXTLEN, 9, 0), CB_ERR);

    EXPECT_EQ(SendMessage(c, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"다"), 4);
    EXPECT_EQ(TextOf(c), "다람쥐");
    EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(TextOf(c), "");

    SendMessage(c, CB_SETITEMDATA, 1, (LPARAM)0x1234);
    EXPECT_EQ(SendMessage(c, CB_GETITEMDATA, 1, 0), 0x1234);
    std::vector<ULONG_PTR> deleted;
    recorder.OnMessage(WM_DELETEITEM, [&](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* r) {
        auto* dis = (const DELETEITEMSTRUCT*)lParam;
        EXPECT_EQ(dis->CtlType, (UINT)ODT_COMBOBOX);
        EXPECT_EQ(dis->CtlID, (UINT)kCombo);
        deleted.push_back(dis->itemData);
        *r = TRUE;
        return true;
    });
    EXPECT_EQ(SendMessage(c, CB_DELETESTRING, 0, 0), 4);
    SendMessage(c, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{0x1234})) << "items with data are announced as they go";
}

TEST_F(ComboTest, DropDownEditReportsTypingAndFollowsSelection)
{
    HWND c = MakeCombo(CBS_DROPDOWN, CBS_AUTOHSCROLL);
    SendMessage(c, CB_ADDSTRING, 0, (LPARAM)"서울");
    SendMessage(c, CB_ADDSTRING, 0, (LPARAM)"부산");
    SetFocus(c);
    PumpUntilIdle();
    HWND edit = GetWindow(c, GW_CHILD);
    EXPECT_EQ(GetFocus() == c || GetParent(GetFocus()) == c, true) << "the focus goes to the combo's edit";
    recorder.Clear();
    QueueText("대구");
    PumpUntilIdle();
    EXPECT_EQ(TextOf(c), "대구");
    EXPECT_EQ(CountOf(kCombo, CBN_EDITCHANGE), 2);
    EXPECT_EQ(CountOf(kCombo, CBN_EDITUPDATE), 2);
    SendMessage(c, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(TextOf(c), "부산");
    SetWindowText(c, "광주");
    EXPECT_EQ(TextOf(c), "광주");
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1) << "setting the text leaves the selection";
    (void)edit;
    SendMessage(c, CB_LIMITTEXT, 2, 0);
    SetWindowText(c, "");
    QueueText("제주도");
    PumpUntilIdle();
    EXPECT_EQ(TextOf(c), "제");
}

TEST_F(ComboTest, DroppedListTakesAClickOnAnItem)
{
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 160, 100, u"마우스");
    b.Font(9, u"굴림").Item(ItemClass::ComboBox, u"", kCombo, 7, 7, 100, 60,
                           CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE);
    std::vector<int> log;
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, ComboDialogProc, (LPARAM)&log);
    ASSERT_NE(dlg, nullptr);
    HWND c = GetDlgItem(dlg, kCombo);
    for (const char* s : {"하나", "둘", "셋"})
        SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
    SendMessage(c, CB_SETCURSEL, 0, 0);
    PumpDialog(dlg);
    RECT field;
    GetWindowRect(c, &field);
    auto click = [&](POINT pt) {
        mivo::InjectMouseMove(pt);
        mivo::InjectMouseButton(pt, mivo::MouseButton::Left, true);
        mivo::InjectMouseButton(pt, mivo::MouseButton::Left, false);
        PumpDialog(dlg);
    };
    log.clear();
    click(POINT{(field.left + field.right) / 2, (field.top + field.bottom) / 2});
    ASSERT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0)) << "a click on the field drops the list";
    EXPECT_EQ(log, (std::vector<int>{CBN_DROPDOWN})) << "the first tab stop had the focus already";

    int itemHeight = (int)SendMessage(c, CB_GETITEMHEIGHT, 0, 0);
    log.clear();
    click(POINT{field.left + 20, field.bottom + 1 + itemHeight * 2 + itemHeight / 2});
    EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(log, (std::vector<int>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(GetFocus(), c) << "the combo box keeps the focus";

    // A click away from the dropped list dismisses it without a change.
    SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
    log.clear();
    click(POINT{field.right + 100, field.bottom + 60});
    EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), CBN_SELENDCANCEL);
    DestroyWindow(dlg);
}
