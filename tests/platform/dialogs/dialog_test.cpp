// Dialogs from templates: layout in dialog units, tab order, Enter and
// Escape, the default push button, the modal loop and its owner.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/MessageLoop.h"
#include "mivo/dialogs.h"
#include "mivo/resources.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"
#include "support/WindowCapture.h"

#include <functional>
#include <vector>

using namespace mivo::test;

namespace {

const int kName = 101;
const int kAgree = 103;
const int kApply = 104;
const int kLabel = 100;

// A DIALOGEX in "굴림" 9 point: dialog units are 6 by 12 pixels.
DialogTemplateBuilder SampleDialog()
{
    DialogTemplateBuilder b(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 10, 200, 90, u"정보 입력");
    b.Font(9, u"굴림")
        .Item(ItemClass::Static, u"이름(&N):", kLabel, 7, 9, 40, 8, SS_LEFT | WS_VISIBLE)
        .Item(ItemClass::Edit, u"", kName, 50, 7, 100, 14, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"동의함(&A)", kAgree, 7, 30, 80, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"확인", IDOK, 30, 66, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"취소", IDCANCEL, 85, 66, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"적용", kApply, 140, 66, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE);
    return b;
}

struct Log {
    std::vector<std::pair<int, int>> commands;  // id, notification
    bool endOnButtons = true;
};

INT_PTR CALLBACK RecordingProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        return TRUE;
    }
    auto* log = (Log*)GetWindowLongPtr(hDlg, DWLP_USER);
    if (msg == WM_COMMAND && log) {
        log->commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (log->endOnButtons && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

RECT ItemRectInDialog(HWND dlg, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(dlg, id), &r);
    MapWindowPoints(nullptr, dlg, (LPPOINT)&r, 2);
    return r;
}

DWORD ButtonType(HWND dlg, int id)
{
    return (DWORD)GetWindowLong(GetDlgItem(dlg, id), GWL_STYLE) & BS_TYPEMASK;
}

}  // namespace

TEST(DialogLayout, DialogUnitsComeFromTheTemplateFont)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, RecordingProc, (LPARAM)&log);
    ASSERT_NE(dlg, nullptr);
    char cls[32];
    GetClassName(dlg, cls, sizeof(cls));
    EXPECT_STREQ(cls, "#32770");

    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 300) << "200 units at 6 pixels per 4 units";
    EXPECT_EQ(client.bottom, 135) << "90 units at 12 pixels per 8 units";

    RECT edit = ItemRectInDialog(dlg, kName);
    EXPECT_EQ(edit.left, 75);
    EXPECT_EQ(edit.top, 11) << "10.5 pixels round away from zero";
    EXPECT_EQ(edit.right - edit.left, 150);
    EXPECT_EQ(edit.bottom - edit.top, 21);

    RECT units = {50, 7, 150, 21};
    ASSERT_TRUE(MapDialogRect(dlg, &units));
    EXPECT_EQ(units.left, 75);
    EXPECT_EQ(units.top, 11);
    EXPECT_EQ(units.right, 225);
    EXPECT_EQ(units.bottom, 32);

    char text[64];
    GetDlgItemText(dlg, kAgree, text, sizeof(text));
    EXPECT_STREQ(text, "동의함(&A)") << "titles arrive as CP949";
    GetWindowText(dlg, text, sizeof(text));
    EXPECT_STREQ(text, "정보 입력");
    EXPECT_NE(SendMessage(dlg, WM_GETFONT, 0, 0), 0) << "the dialog keeps its template font";
    EXPECT_EQ(SendDlgItemMessage(dlg, kName, WM_GETFONT, 0, 0), SendMessage(dlg, WM_GETFONT, 0, 0));
    DestroyWindow(dlg);
}

TEST(DialogLayout, BaseUnitsOfTheFacesTemplatesUse)
{
    struct Case {
        const char16_t* face;
        WORD points;
        LONG cx, cy;
    } cases[] = {
        {u"굴림", 9, 6, 12}, {u"돋움", 9, 6, 12}, {u"Gulim", 10, 7, 13}, {u"MS Shell Dlg", 8, 6, 11},
        {u"ms sans serif", 8, 6, 11},
    };
    for (const Case& c : cases) {
        SIZE u = mivo::DialogBaseUnitsForFont(c.face, c.points);
        EXPECT_EQ(u.cx, c.cx) << c.points;
        EXPECT_EQ(u.cy, c.cy) << c.points;
    }
    SIZE other = mivo::DialogBaseUnitsForFont(u"Courier New", 10);
    EXPECT_GT(other.cx, 0);
    EXPECT_GT(other.cy, 0) << "other faces are measured";
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16)) << "the system font's units";
}

TEST(DialogLayout, TabAndShiftTabFollowTheTemplateOrder)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, RecordingProc, (LPARAM)&log);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, kName)) << "WM_INITDIALOG returning TRUE focuses the first tab stop";

    std::vector<int> order;
    for (int i = 0; i < 5; ++i) {
        QueueKey(VK_TAB);
        PumpDialog(dlg);
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int>{kAgree, IDOK, IDCANCEL, kApply, kName})) << "the label is no tab stop";

    QueueKeyWith(VK_SHIFT, VK_TAB);
    PumpDialog(dlg);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), kApply);

    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, kName), TRUE), GetDlgItem(dlg, kApply));
    EnableWindow(GetDlgItem(dlg, kAgree), FALSE);
    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, kName), FALSE), GetDlgItem(dlg, IDOK))
        << "disabled controls are passed over";
    DestroyWindow(dlg);
}

TEST(DialogKeys, MnemonicOfALabelFocusesTheNextControl)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, RecordingProc, (LPARAM)&log);
    ShowWindow(dlg, SW_SHOW);
    SetFocus(GetDlgItem(dlg, IDOK));
    PumpDialog(dlg);
    QueueKeyWith(VK_MENU, 'N');
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, kName));
    QueueKeyWith(VK_MENU, 'A');
    PumpDialog(dlg);
    EXPECT_EQ(IsDlgButtonChecked(dlg, kAgree), (UINT)BST_CHECKED) << "a check box's mnemonic clicks it";
    DestroyWindow(dlg);
}

TEST(DialogModal, EnterEndsWithOkAndEscapeWithCancel)
{
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        DialogTemplateBuilder b = SampleDialog();
        Log log;
        ModalScript script;
        script.Then([&](HWND) { QueueText("abc"); }).Then([&](HWND) { QueueKey(key); });
        INT_PTR result = script.Run(b.Get(), RecordingProc, (LPARAM)&log);
        EXPECT_EQ(result, key == VK_RETURN ? IDOK : IDCANCEL);
        EXPECT_TRUE(script.OwnerWasDisabled()) << "the owner is disabled while the dialog runs";
        EXPECT_TRUE(IsWindowEnabled(script.Owner())) << "and enabled again after";
    }
}

TEST(DialogModal, DefaultButtonFollowsDmSetDefId)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    log.endOnButtons = false;
    MessageRecorder rec;
    ModalScript script;
    script
        .Then([&](HWND dlg) {
            rec.Attach(dlg);
            EXPECT_EQ(SendMessage(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
            SendMessage(dlg, DM_SETDEFID, kApply, 0);
            EXPECT_EQ(SendMessage(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(kApply, DC_HASDEFID));
            EXPECT_EQ(ButtonType(dlg, kApply), (DWORD)BS_DEFPUSHBUTTON);
            EXPECT_EQ(ButtonType(dlg, IDOK), (DWORD)BS_PUSHBUTTON);
            rec.Clear();
            QueueKey(VK_RETURN);  // the edit has the focus
        })
        .Then([&](HWND dlg) {
            EXPECT_ORDER(rec, dlg, {Command(GetDlgItem(dlg, kApply), BN_CLICKED)});
            EXPECT_EQ(log.commands.back(), std::make_pair(kApply, (int)BN_CLICKED));
            EndDialog(dlg, 7);
        });
    EXPECT_EQ(script.Run(b.Get(), RecordingProc, (LPARAM)&log), 7);
}

TEST(DialogModal, FocusedPushButtonTakesEnterAndTheDefaultLook)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    log.endOnButtons = false;
    ModalScript script;
    script
        .Then([&](HWND dlg) {
            // Tab moves to the check box, then to OK, Cancel.
            QueueKey(VK_TAB);
            QueueKey(VK_TAB);
            QueueKey(VK_TAB);
            (void)dlg;
        })
        .Then([&](HWND dlg) {
            EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));
            EXPECT_EQ(ButtonType(dlg, IDCANCEL), (DWORD)BS_DEFPUSHBUTTON);
            EXPECT_EQ(ButtonType(dlg, IDOK), (DWORD)BS_PUSHBUTTON);
            QueueKey(VK_RETURN);
        })
        .Then([&](HWND dlg) {
            ASSERT_FALSE(log.commands.empty());
            EXPECT_EQ(log.commands.back().first, IDCANCEL);
            SendMessage(dlg, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dlg, kName), TRUE);
            EXPECT_EQ(ButtonType(dlg, IDOK), (DWORD)BS_DEFPUSHBUTTON) << "leaving the buttons restores the default";
            EndDialog(dlg, 1);
        });
    script.Run(b.Get(), RecordingProc, (LPARAM)&log);
}

TEST(DialogModal, CloseBoxPostsCancel)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    MessageRecorder rec;
    ModalScript script;
    rec.Attach(script.Owner());
    HWND dialog = nullptr, cancel = nullptr;
    script.Then([&](HWND dlg) {
        dialog = dlg;
        cancel = GetDlgItem(dlg, IDCANCEL);
        rec.Attach(dlg);
        rec.Clear();
        SendMessage(dlg, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(script.Run(b.Get(), RecordingProc, (LPARAM)&log), IDCANCEL);
    // The owner is enabled again before the dialog goes, so activation can return to it.
    EXPECT_ORDER(rec, dialog, {
        {WM_CLOSE, kSent},
        {WM_COMMAND, kPosted | kWParam | kLParam, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel},
        At(script.Owner(), WM_ENABLE, kSent | kWParam, TRUE),
        {WM_COMMAND, kSent | kWParam, MAKEWPARAM(kName, EN_KILLFOCUS)},
        {WM_DESTROY, kSent},
        {WM_NCDESTROY, kSent},
    });
}

TEST(DialogModal, QuitMessageEndsTheLoopAndIsPostedAgain)
{
    DialogTemplateBuilder b = SampleDialog();
    Log log;
    ModalScript script;
    script.Then([&](HWND) { PostQuitMessage(3); });
    script.Run(b.Get(), RecordingProc, (LPARAM)&log);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(DialogItems, NumbersChecksAndRadioGroups)
{
    const DWORD v = WS_VISIBLE;
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION, 0, 0, 120, 80, u"items");
    b.Font(9, u"돋움")
        .Item(ItemClass::Edit, u"", 10, 5, 5, 60, 12, WS_TABSTOP | WS_BORDER | v)
        .Item(ItemClass::Button, u"하나", 20, 5, 20, 50, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | v)
        .Item(ItemClass::Button, u"둘", 21, 5, 32, 50, 10, BS_AUTORADIOBUTTON | v)
        .Item(ItemClass::Button, u"셋", 22, 5, 44, 50, 10, BS_AUTORADIOBUTTON | v)
        .Item(ItemClass::Button, u"확인", IDOK, 60, 60, 50, 14, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | v);
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);

    struct Case {
        const char* text;
        BOOL isSigned;
        UINT value;
        BOOL ok;
    } cases[] = {
        {"  42", TRUE, 42, TRUE},      {"-17", TRUE, (UINT)-17, TRUE}, {"-17", FALSE, 0, FALSE},
        {"12abc", TRUE, 12, TRUE},     {"abc", TRUE, 0, FALSE},        {"", FALSE, 0, FALSE},
        {"4294967295", FALSE, 4294967295u, TRUE}, {"4294967296", FALSE, 0, FALSE},
        {"2147483648", TRUE, 0, FALSE}, {"-2147483648", TRUE, 0x80000000u, TRUE},
    };
    for (const Case& c : cases) {
        SetDlgItemText(dlg, 10, c.text);
        BOOL ok = !c.ok;
        EXPECT_EQ(GetDlgItemInt(dlg, 10, &ok, c.isSigned), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
    SetDlgItemInt(dlg, 10, (UINT)-5, TRUE);
    char text[16];
    GetDlgItemText(dlg, 10, text, sizeof(text));
    EXPECT_STREQ(text, "-5");

    CheckRadioButton(dlg, 20, 22, 21);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), 0u);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), 1u);
    SendDlgItemMessage(dlg, 22, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), 0u) << "an automatic radio button unchecks its group";
    EXPECT_EQ(IsDlgButtonChecked(dlg, 22), 1u);
    EXPECT_TRUE(GetWindowLong(GetDlgItem(dlg, 22), GWL_STYLE) & WS_TABSTOP) << "the checked radio is the tab stop";
    EXPECT_FALSE(GetWindowLong(GetDlgItem(dlg, 20), GWL_STYLE) & WS_TABSTOP);

    EXPECT_EQ(GetNextDlgGroupItem(dlg, GetDlgItem(dlg, 22), FALSE), GetDlgItem(dlg, 20)) << "groups wrap";
    EXPECT_EQ(GetNextDlgGroupItem(dlg, GetDlgItem(dlg, 20), TRUE), GetDlgItem(dlg, 22));
    DestroyWindow(dlg);
}

TEST(DialogItems, ArrowKeysMoveAndCheckWithinARadioGroup)
{
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 120, 80, u"radio");
    b.Font(9, u"굴림")
        .Item(ItemClass::Button, u"하나", 20, 5, 20, 50, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"둘", 21, 5, 32, 50, 10, BS_AUTORADIOBUTTON | WS_VISIBLE)
        .Item(ItemClass::Button, u"확인", IDOK, 60, 60, 50, 14, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP | WS_VISIBLE);
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    CheckRadioButton(dlg, 20, 21, 20);
    SetFocus(GetDlgItem(dlg, 20));
    PumpDialog(dlg);
    QueueKey(VK_DOWN);
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 21));
    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), 1u);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), 0u);
    QueueKey(VK_DOWN);
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 20)) << "arrows stay inside the group";
    DestroyWindow(dlg);
}

TEST(DialogTemplates, DamagedTemplatesFailWithoutAWindow)
{
    DialogTemplateBuilder b = SampleDialog();
    std::vector<BYTE> bytes = b.Bytes();
    // Cut inside the items: the reader stops at the end of the block it is given.
    for (size_t cut : {size_t(4), size_t(30), bytes.size() / 2, bytes.size() - 3}) {
        std::vector<DWORD> block((cut + 3) / 4 + 1, 0);
        memcpy(block.data(), bytes.data(), cut);
        mivo::ResourceEntry entry = {5, nullptr, 900, nullptr, (const BYTE*)block.data(), (DWORD)cut};
        mivo::ResourceTable table = {&entry, 1};
        mivo::RegisterModuleResources("damaged_dialog_test", &table, false);
        EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(900), nullptr, nullptr, 0), nullptr) << cut;
        mivo::UnregisterModuleResources(&table);
    }
    DialogTemplateBuilder unknown(WS_POPUP, 0, 0, 50, 50, u"x");
    unknown.Item(u"NoSuchClass", u"", 1, 0, 0, 10, 10, WS_VISIBLE);
    EXPECT_EQ(CreateDialogIndirectParam(nullptr, unknown.Get(), nullptr, nullptr, 0), nullptr)
        << "a control that cannot be made fails the dialog";
    DialogTemplateBuilder lenient(WS_POPUP | DS_NOFAILCREATE, 0, 0, 50, 50, u"x");
    lenient.Item(u"NoSuchClass", u"", 1, 0, 0, 10, 10, WS_VISIBLE);
    HWND dlg = CreateDialogIndirectParam(nullptr, lenient.Get(), nullptr, nullptr, 0);
    EXPECT_NE(dlg, nullptr) << "unless the template says DS_NOFAILCREATE";
    DestroyWindow(dlg);
}

TEST(DialogTemplates, PlainDialogTemplatesWorkAsExtendedOnes)
{
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION, 0, 0, 100, 60, u"옛 형식", false);
    b.Font(9, u"굴림")
        .Item(ItemClass::Static, u"글", 5, 5, 5, 40, 8, SS_LEFT | WS_VISIBLE)
        .Item(ItemClass::Button, u"확인", IDOK, 5, 20, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE);
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    char text[32];
    GetDlgItemText(dlg, IDOK, text, sizeof(text));
    EXPECT_STREQ(text, "확인");
    RECT r = ItemRectInDialog(dlg, IDOK);
    EXPECT_EQ(r.right - r.left, 60);
    EXPECT_EQ(SendMessage(dlg, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    DestroyWindow(dlg);
}

TEST(DialogLayout, TabEntersANestedControlDialog)
{
    const DWORD v = WS_VISIBLE;
    DialogTemplateBuilder outer(WS_POPUP | WS_CAPTION | v, 0, 0, 200, 120, u"바깥");
    outer.Font(9, u"굴림")
        .Item(ItemClass::Edit, u"", 10, 5, 5, 60, 12, WS_TABSTOP | WS_BORDER | v)
        .Item(ItemClass::Button, u"확인", IDOK, 140, 100, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | v);
    DialogTemplateBuilder page(DS_CONTROL | WS_CHILD | v, 5, 25, 150, 60, u"");
    page.Font(9, u"굴림")
        .Item(ItemClass::Edit, u"", 2, 5, 5, 60, 12, WS_TABSTOP | WS_BORDER | v)
        .Item(ItemClass::Button, u"선택", 3, 5, 25, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP | v);
    HWND dlg = CreateDialogIndirectParam(nullptr, outer.Get(), nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    HWND child = CreateDialogIndirectParam(nullptr, page.Get(), dlg, nullptr, 0);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(GetWindowLong(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE((GetWindowLong(child, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
    // The page was made last, so its controls come last in the tab order.
    HWND first = GetDlgItem(dlg, 10);
    EXPECT_EQ(GetNextDlgTabItem(dlg, first, FALSE), GetDlgItem(dlg, IDOK));
    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, IDOK), FALSE), GetDlgItem(child, 2));
    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(child, 3), FALSE), first) << "and the order wraps around";
    SetFocus(GetDlgItem(dlg, IDOK));
    QueueKey(VK_TAB);
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), GetDlgItem(child, 2));
    DestroyWindow(dlg);
}

namespace {

// Pixels of the window inside its border that are not the edit's background.
int InkInside(const WindowImage& img, COLORREF background)
{
    int n = 0;
    for (int y = 2; y < img.height - 2; ++y)
        for (int x = 2; x < img.width - 2; ++x)
            n += img.At(x, y) != background;
    return n;
}

// The outermost ring of pixels: the control's border.
std::vector<COLORREF> Frame(const WindowImage& img)
{
    std::vector<COLORREF> ring;
    for (int x = 0; x < img.width; ++x) {
        ring.push_back(img.At(x, 0));
        ring.push_back(img.At(x, img.height - 1));
    }
    for (int y = 0; y < img.height; ++y) {
        ring.push_back(img.At(0, y));
        ring.push_back(img.At(img.width - 1, y));
    }
    return ring;
}

}  // namespace

TEST(DialogPainting, EditShowsItsBorderAndNewTextAfterSetTextAndTyping)
{
    DialogTemplateBuilder b = SampleDialog();
    HWND dlg = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, RecordingProc, 0);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOW);
    PumpDialog(dlg);
    HWND edit = GetDlgItem(dlg, kName);
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    WindowImage shown = CaptureWindow(edit);
    ASSERT_GT(shown.width, 4);
    ASSERT_NE(shown.At(0, shown.height / 2), GetSysColor(COLOR_3DFACE)) << "the border is drawn before any change";
    const int caretInk = InkInside(shown, back);  // the empty edit has the focus

    struct Change {
        const char* what;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"SetDlgItemText", [&] { SetDlgItemText(dlg, kName, "사진첩 이름"); }},
        {"typed keys", [&] {
             SetDlgItemText(dlg, kName, "");
             PumpDialog(dlg);
             SetFocus(edit);
             QueueText("abc 가");
         }},
    };
    for (const Change& change : changes) {
        change.make();
        PumpDialog(dlg);
        WindowImage after = CaptureWindow(edit);
        ASSERT_EQ(after.width, shown.width);
        EXPECT_EQ(Frame(after), Frame(shown)) << change.what << ": the border is drawn as before";
        EXPECT_EQ(after.At(after.width - 4, after.height / 2), back) << change.what << ": background";
        EXPECT_GT(InkInside(after, back), caretInk + after.height) << change.what << ": the new text is shown";
    }
    char text[64] = {};
    GetDlgItemText(dlg, kName, text, sizeof text);
    EXPECT_STREQ(text, "abc 가");
    DestroyWindow(dlg);
    PumpUntilIdle();
}
