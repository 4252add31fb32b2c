// Keyboard focus around the dialog manager: Tab in any window that pumps through IsDialogMessage,
// the default frame of a message box, and the focus an owner gets back after a modal box.
#include <gtest/gtest.h>

#include <win32.h>
#include <mivo/testing/msgbox.h>
#include <mivo/testing/native.h>

#include "support/DialogDriver.h"
#include "support/DialogTemplateBuilder.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

using namespace mivo::test;

namespace {

const int kName = 10, kOpen = 11, kClose = 12;

struct RealBoxes {
    RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(true); }
    ~RealBoxes() { mivo::ShowMessageBoxesWithoutScreen(false); }
};

HWND Control(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int id)
{
    HWND h = CreateWindow(cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, 120, 24, parent,
                          (HMENU)(UINT_PTR)id, nullptr, nullptr);
    SendMessage(h, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return h;
}

void ClickCentre(HWND control)
{
    RECT r;
    GetClientRect(control, &r);
    Click(control, r.right / 2, r.bottom / 2);
}

bool LooksDefault(HWND button)
{
    return (SendMessage(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
}

// Answers the next message box with a key once its loop goes idle.
struct BoxAnswer {
    UINT key = VK_RETURN;
};
BoxAnswer* g_answer = nullptr;

}  // namespace

TEST(DialogFocus, TabMovesFocusInAPlainWindow)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200);
    HWND name = Control(top, "Edit", "", WS_BORDER, 10, 10, kName);
    HWND open = Control(top, "Button", "열기", BS_PUSHBUTTON, 10, 40, kOpen);
    HWND close = Control(top, "Button", "닫기", BS_PUSHBUTTON, 10, 70, kClose);
    SetForegroundWindow(top);
    PumpUntilIdle();
    ClickCentre(name);
    ASSERT_EQ(GetFocus(), name);
    QueueKey(VK_TAB);
    PumpDialog(top);
    EXPECT_EQ(GetFocus(), open);
    QueueKey(VK_TAB);
    PumpDialog(top);
    EXPECT_EQ(GetFocus(), close);
    QueueKey(VK_TAB);
    PumpDialog(top);
    EXPECT_EQ(GetFocus(), name) << "the order wraps round";
    QueueKeyWith(VK_SHIFT, VK_TAB);
    PumpDialog(top);
    EXPECT_EQ(GetFocus(), close) << "Shift+Tab goes back";
    DestroyWindow(top);
    PumpUntilIdle();
}

TEST(DialogFocus, MessageBoxDrawsTheDefaultFrameOnTheDefaultButton)
{
    RealBoxes real;
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200);
    struct Case {
        UINT type;
        int defaultId;
        int firstId;
    } cases[] = {
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO, IDYES},
        {MB_OKCANCEL, IDOK, IDOK},
    };
    for (const Case& c : cases) {
        bool looked = false;
        rec.OnMessage(WM_ENTERIDLE, [&](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* r) {
            HWND box = (HWND)lParam;
            if (!looked) {
                looked = true;
                EXPECT_EQ(mivo::NativeTransientOwner(box), owner) << "the desktop keeps the box with its owner";
                HWND def = GetDlgItem(box, c.defaultId);
                EXPECT_EQ(GetFocus(), def) << c.type;
                EXPECT_TRUE(LooksDefault(def)) << c.type;
                if (c.firstId != c.defaultId) {
                    EXPECT_FALSE(LooksDefault(GetDlgItem(box, c.firstId))) << "one default frame only, " << c.type;
                }
                QueueKey(VK_RETURN);
            }
            *r = 0;
            return true;
        });
        EXPECT_EQ(MessageBox(owner, "계속할까요?", "확인", c.type), c.defaultId);
        EXPECT_TRUE(looked);
    }
    DestroyWindow(owner);
    PumpUntilIdle();
}

namespace {

INT_PTR CALLBACK OwnerDialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_ENTERIDLE && g_answer) {
        QueueKey(g_answer->key);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == kOpen && HIWORD(wParam) == BN_CLICKED) {
        MessageBox(hDlg, "열었습니다.", "알림", MB_OK);
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK PlainOwnerProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == kOpen && HIWORD(wParam) == BN_CLICKED) {
        MessageBox(h, "열었습니다.", "알림", MB_OK);
        return 0;
    }
    if (msg == WM_ENTERIDLE && g_answer) {
        QueueKey(g_answer->key);
        return 0;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace

TEST(DialogFocus, ModalBoxGivesTheFocusBackToTheButtonThatOpenedIt)
{
    RealBoxes real;
    // A dialog: its first field comes before the button.
    DialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT, 20, 20, 160, 90, u"주인");
    b.Font(9, u"굴림")
        .Item(ItemClass::Edit, u"", kName, 7, 7, 100, 12, WS_BORDER | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"열기", kOpen, 7, 25, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE)
        .Item(ItemClass::Button, u"확인", IDOK, 7, 45, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE);
    HWND dlg = CreateDialogIndirect(nullptr, b.Get(), nullptr, OwnerDialogProc);
    ASSERT_NE(dlg, nullptr);
    SetForegroundWindow(dlg);
    PumpDialog(dlg);
    HWND open = GetDlgItem(dlg, kOpen);
    BoxAnswer answer;
    g_answer = &answer;
    ClickCentre(open);
    g_answer = nullptr;
    PumpDialog(dlg);
    EXPECT_EQ(GetFocus(), open) << "a dialog owner";
    DestroyWindow(dlg);
    PumpUntilIdle();

    // A plain window with the same controls.
    static bool registered = [] {
        WNDCLASS wc = {};
        wc.lpfnWndProc = PlainOwnerProc;
        wc.lpszClassName = "MivoTestFocusOwner";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    HWND top = CreateWindow("MivoTestFocusOwner", "주인", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
    HWND name = Control(top, "Edit", "", WS_BORDER, 10, 10, kName);
    HWND plainOpen = Control(top, "Button", "열기", BS_PUSHBUTTON, 10, 40, kOpen);
    SetForegroundWindow(top);
    PumpUntilIdle();
    SetFocus(name);
    g_answer = &answer;
    ClickCentre(plainOpen);
    g_answer = nullptr;
    PumpUntilIdle();
    EXPECT_EQ(GetFocus(), plainOpen) << "a plain window owner";
    DestroyWindow(top);
    PumpUntilIdle();
}
