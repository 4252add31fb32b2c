// Mouse and keyboard input: routing, double clicks, capture, mouse tracking, focus, activation, keys.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "mivo/testing/beep.h"
#include "mivo/testing/input.h"
#include "support/MessageSequence.h"

#include <algorithm>

using namespace mivo::test;

namespace {

std::vector<UINT> MouseMessages(const MessageRecorder& rec, HWND h)
{
    return rec.Messages(h, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP});
}

}  // namespace

TEST(MouseInput, ClicksReachTheWindowUnderThePointerInClientCoordinates)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 50, 40, 60, 30, top, 1);
    PumpUntilIdle();
    rec.Clear();
    Click(top, 60, 50);
    // The child is asked about the cursor and activation first; the clicks come from the queue.
    const LPARAM at = MAKELPARAM(10, 10);
    EXPECT_SEQUENCE(rec, child, {
        {WM_NCHITTEST, kSent},
        {WM_SETCURSOR, kSent | kWParam | kLParam, (WPARAM)child, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
        {WM_NCHITTEST, kSent},
        {WM_MOUSEACTIVATE, kSent | kWParam | kLParam, (WPARAM)top, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {WM_SETCURSOR, kSent | kWParam | kLParam, (WPARAM)child, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
        {WM_MOUSEMOVE, kPosted | kLParam, 0, at},
        {WM_LBUTTONDOWN, kPosted | kWParam | kLParam, MK_LBUTTON, at},
        {WM_NCHITTEST, kSent},
        {WM_LBUTTONUP, kPosted | kWParam | kLParam, 0, at},
    });
    EXPECT_TRUE(MouseMessages(rec, top).empty());
    // A disabled child lets its parent have the click.
    EnableWindow(child, FALSE);
    rec.Clear();
    Click(top, 60, 50);
    EXPECT_TRUE(MouseMessages(rec, child).empty());
    EXPECT_EQ(MouseMessages(rec, top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    DestroyWindow(top);
}

TEST(MouseInput, DoubleClicksOnlyForClassesThatAskForThem)
{
    for (bool dbl : {true, false}) {
        MessageRecorder rec;
        HWND top = CreateTestWindow("dbl", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, 0, 0,
                                    dbl ? MessageRecorder::ClassNameDblClks() : MessageRecorder::ClassName());
        PumpUntilIdle();
        rec.Clear();
        Click(top, 10, 10);
        Click(top, 11, 10);
        Click(top, 11, 11);
        std::vector<UINT> expected = dbl ? std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                                             WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}
                                         : std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN,
                                                             WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
        EXPECT_EQ(MessageList(MouseMessages(rec, top)), MessageList(expected)) << "CS_DBLCLKS=" << dbl;
        // Too far apart is two single clicks.
        rec.Clear();
        PumpUntilIdle();
        Click(top, 50, 50);
        Click(top, 70, 50);
        EXPECT_EQ(rec.Count(top, WM_LBUTTONDBLCLK), 0);
        DestroyWindow(top);
    }
}

TEST(MouseInput, CaptureKeepsTheMouseAndAnnouncesItsLoss)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = CreateTestWindow("a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    HWND b = CreateTestWindow("b", WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, top, 2);
    PumpUntilIdle();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(GetCapture(), a);
    rec.Clear();
    MouseMove(top, 120, 120);  // over b, but a has the capture
    EXPECT_EQ(rec.Count(b, WM_MOUSEMOVE), 0);
    ASSERT_EQ(rec.Count(a, WM_MOUSEMOVE), 1);
    for (auto& m : rec.All())
        if (m.hwnd == a && m.msg == WM_MOUSEMOVE) {
            EXPECT_EQ(GET_X_LPARAM(m.lParam), 120) << "coordinates stay relative to the capturing window";
        }
    EXPECT_EQ(SetCapture(b), a);
    int changed = 0;
    for (auto& m : rec.All())
        if (m.hwnd == a && m.msg == WM_CAPTURECHANGED && (HWND)m.lParam == b)
            ++changed;
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(rec.Count(b, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    // Destroying the capturing window releases the capture.
    SetCapture(b);
    DestroyWindow(b);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(top);
}

TEST(MouseInput, TrackMouseEventReportsLeaving)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = CreateTestWindow("a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    PumpUntilIdle();
    MouseMove(top, 10, 10);
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, a, 0};
    EXPECT_TRUE(TrackMouseEvent(&tme));
    rec.Clear();
    MouseMove(top, 20, 20);
    EXPECT_EQ(rec.Count(a, WM_MOUSELEAVE), 0);
    MouseMove(top, 100, 100);
    EXPECT_EQ(rec.Count(a, WM_MOUSELEAVE), 1);
    MouseMove(top, 10, 10);
    MouseMove(top, 100, 100);
    EXPECT_EQ(rec.Count(a, WM_MOUSELEAVE), 1) << "tracking ends with the first leave";
    // Asking while the pointer is elsewhere answers at once.
    EXPECT_TRUE(TrackMouseEvent(&tme));
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(a, WM_MOUSELEAVE), 2);
    DestroyWindow(top);
}

TEST(MouseInput, ClipCursorConfinesThePointer)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    PumpUntilIdle();
    RECT clip{10, 10, 50, 50};
    ClipCursor(&clip);
    SetCursorPos(100, 5);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 49);
    EXPECT_EQ(p.y, 10);
    ClipCursor(nullptr);
    SetCursorPos(100, 5);
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 100);
    DestroyWindow(top);
}

TEST(MouseInput, ResetDesktopInputUndoesWhatTestsChanged)
{
    RECT clip{10, 10, 50, 50};
    ClipCursor(&clip);
    SetCursorPos(30, 30);
    SwapMouseButton(TRUE);
    SetDoubleClickTime(900);
    SetCaretBlinkTime(100);
    RECT work{0, 0, 300, 200};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    mivo::InjectKey(VK_SHIFT, true);
    ASSERT_LT(GetAsyncKeyState(VK_SHIFT), 0);

    mivo::ResetDesktopInput();

    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    RECT now;
    GetClipCursor(&now);
    EXPECT_EQ(now.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_FALSE(SwapMouseButton(FALSE));
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &now, 0);
    EXPECT_EQ(now.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
}

TEST(Focus, FocusMovesWithKillAndSetFocus)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = CreateTestWindow("a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    HWND b = CreateTestWindow("b", WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top, 2);
    PumpUntilIdle();
    EXPECT_EQ(GetActiveWindow(), top);
    SetFocus(a);
    rec.Clear();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_SEQUENCE(rec, top, {
        At(a, WM_KILLFOCUS, kSent | kWParam, (WPARAM)b),
        At(b, WM_SETFOCUS, kSent | kWParam, (WPARAM)a),
    });
    // A disabled window loses the focus; a destroyed one leaves none behind.
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EnableWindow(b, TRUE);
    SetFocus(b);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(top);
}

TEST(Focus, ActivationMessagesWhenWindowsShowAndHide)
{
    MessageRecorder rec;
    HWND first = CreateTestWindow("first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    PumpUntilIdle();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first) << "DefWindowProc gives an activated window the focus";
    rec.Clear();
    HWND second = CreateTestWindow("second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 200);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_ORDER(rec, second, {
        At(first, WM_NCACTIVATE, kSent | kWParam, FALSE),
        At(first, WM_ACTIVATE, kSent | kWParam | kLParam, WA_INACTIVE, (LPARAM)second),
        {WM_NCACTIVATE, kSent | kWParam, TRUE},
        {WM_ACTIVATE, kSent | kWParam | kLParam, WA_ACTIVE, (LPARAM)first},
    });
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first) << "the activated window is on top";
    ShowWindow(second, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), first) << "hiding the active window activates the next one";
    DestroyWindow(second);
    DestroyWindow(first);
}

TEST(KeyboardInput, KeysGoToTheFocusAndTranslateIntoCharacters)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND edit = CreateTestWindow("edit", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top, 1);
    PumpUntilIdle();
    SetFocus(edit);
    rec.Clear();
    PressKey('A');
    PressKey('A', true);
    PressKey('1', true);
    PressKey(VK_RETURN);
    PressKey('C', false, true);
    std::vector<int> chars;
    for (auto& m : rec.All())
        if (m.hwnd == edit && m.msg == WM_CHAR)
            chars.push_back((int)m.wParam);
    EXPECT_EQ(chars, (std::vector<int>{'a', 'A', '!', '\r', 3}));
    EXPECT_EQ(rec.Count(top, WM_KEYDOWN), 0);
    // Key state follows the messages the thread took.
    rec.OnMessage(WM_KEYDOWN, [](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        if (w == 'Q') {
            EXPECT_LT(GetKeyState(VK_SHIFT), 0);
            EXPECT_LT(GetKeyState('Q'), 0);
        }
        *r = 0;
        return true;
    });
    PressKey('Q', true);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);

    // Korean text arrives as lead and trail bytes.
    rec.Clear();
    TypeText("가");
    std::vector<unsigned char> bytes;
    for (auto& m : rec.All())
        if (m.hwnd == edit && m.msg == WM_CHAR)
            bytes.push_back((unsigned char)m.wParam);
    EXPECT_EQ(bytes, (std::vector<unsigned char>{0xB0, 0xA1}));

    // Alt with a key is a system key.
    rec.Clear();
    mivo::InjectKey(VK_MENU, true);
    PressKey('F');
    mivo::InjectKey(VK_MENU, false);
    PumpUntilIdle();
    EXPECT_EQ(rec.Count(edit, WM_SYSKEYDOWN), 2);
    EXPECT_EQ(rec.Count(edit, WM_SYSCHAR), 1);
    DestroyWindow(top);
}

TEST(KeyboardInput, WheelGoesToTheFocusAndUpToParents)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = CreateTestWindow("child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    PumpUntilIdle();
    SetFocus(child);
    rec.Clear();
    Wheel(top, 10, 10, -WHEEL_DELTA);
    // DefWindowProc passes an unhandled wheel to the parent.
    EXPECT_ORDER(rec, child, {
        {WM_MOUSEWHEEL, kPosted | kWParam, MAKEWPARAM(0, -WHEEL_DELTA)},
        {WM_MOUSEWHEEL, kParent | kSent | kDefProc | kWParam, MAKEWPARAM(0, -WHEEL_DELTA)},
    });
    DestroyWindow(top);
}

// While a modal pop-up holds its owner disabled, the owner and everything in it see no
// mouse at all; a click there beeps and brings the pop-up to the front.
TEST(MouseInput, ClicksOnADisabledWindowBeepAndRaiseItsEnabledPopup)
{
    MessageRecorder rec;
    HWND owner = CreateTestWindow("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
    HWND view = CreateTestWindow("view", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, owner, 1);
    HWND dialog = CreateTestWindow("dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 400, 50, 120, 80, owner);
    HWND other = CreateTestWindow("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 120, 80);
    EnableWindow(owner, FALSE);
    SetForegroundWindow(other);
    PumpUntilIdle();
    std::vector<UINT> beeps;
    auto previous = mivo::SetMessageBeepHook([&](UINT type) { beeps.push_back(type); });
    rec.Clear();

    MouseMove(owner, 20, 20);
    Click(owner, 20, 20);
    Click(owner, 250, 150);
    mivo::SetMessageBeepHook(previous);

    const std::vector<UINT> mouse{WM_MOUSEACTIVATE, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCHITTEST};
    EXPECT_TRUE(rec.Messages(view, mouse).empty()) << MessageList(rec.Messages(view, mouse));
    EXPECT_TRUE(rec.Messages(owner, mouse).empty()) << MessageList(rec.Messages(owner, mouse));
    EXPECT_EQ(rec.Count(owner, WM_ACTIVATE), 0) << "a disabled window is never activated";
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_EQ(beeps.size(), 2u);
    int cursorQuestions = 0;
    for (const RecordedMessage& m : rec.All())
        if (m.hwnd == owner && m.msg == WM_SETCURSOR) {
            ++cursorQuestions;
            EXPECT_EQ((SHORT)LOWORD(m.lParam), HTERROR) << "the cursor is asked with HTERROR";
        }
    EXPECT_GT(cursorQuestions, 0);

    // Enabled again, the owner takes clicks as before.
    EnableWindow(owner, TRUE);
    rec.Clear();
    Click(owner, 20, 20);
    EXPECT_EQ(rec.Count(view, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(GetActiveWindow(), owner);
    DestroyWindow(other);
    DestroyWindow(owner);
    PumpUntilIdle();
}
