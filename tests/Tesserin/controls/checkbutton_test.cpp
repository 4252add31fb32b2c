// The check button: latched check drawn pressed, colours kept when asked,
// oversized images centred, and auto-repeat commands in pairs before the click.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/CheckButton.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

#include <chrono>
#include <thread>

using controlstest::ControlHost;

namespace {

const int kId = 500;

struct CheckField {
    ControlHost host;
    CCheckButton button;

    explicit CheckField(DWORD type = BS_PUSHBUTTON, int width = 60, int height = 30)
    {
        HWND h = ::CreateWindow("Button", "", WS_CHILD | WS_VISIBLE | type, 20, 20, width, height, host.wnd()->m_hWnd,
                                (HMENU)(INT_PTR)kId, nullptr, nullptr);
        button.SubclassWindow(h);
        mivo::test::PumpUntilIdle();
    }
    mivo::test::WindowImage Shot()
    {
        button.Invalidate();
        mivo::test::PumpUntilIdle();
        return mivo::test::CaptureWindow(button.m_hWnd, true);
    }
};

}  // namespace

TEST(CheckButton, SetColorsWithKeepEverywhereChangesNothing)
{
    CCheckButton b;
    COLORREF before[6], after[6];
    for (BYTE i = 0; i < 6; ++i)
        b.GetColor(i, &before[i]);
    b.SetColors(CCheckButton::kKeep, CCheckButton::kKeep, CCheckButton::kKeep, CCheckButton::kKeep,
                CCheckButton::kKeep, CCheckButton::kKeep, 0);
    for (BYTE i = 0; i < 6; ++i) {
        b.GetColor(i, &after[i]);
        EXPECT_EQ(after[i], before[i]) << int(i);
    }
    EXPECT_EQ(before[4], RGB(255, 255, 255));
    b.SetColors(RGB(1, 1, 1), CCheckButton::kKeep, RGB(3, 3, 3), CCheckButton::kKeep, CCheckButton::kKeep,
                CCheckButton::kKeep, 0);
    b.GetColor(0, &after[0]);
    b.GetColor(1, &after[1]);
    b.GetColor(2, &after[2]);
    EXPECT_EQ(after[0], RGB(1, 1, 1));
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], RGB(3, 3, 3));
    EXPECT_EQ(b.SetColor(6, 0, 0), 3u);
    EXPECT_EQ(CCheckButton::GetVersionI(), 32);
    EXPECT_STREQ(CCheckButton::GetVersionC(), "3.2");
}

TEST(CheckButton, CursorSetterAnswersOneForNoneAndZeroWhenItFails)
{
    CCheckButton b;
    EXPECT_EQ(b.SetBtnCursor(0), 1u);
    EXPECT_EQ(b.SetBtnCursor(0x7777), 0u);
}

TEST(CheckButton, LatchedCheckIsDrawnPressedAndHoldsWhileTheMouseIsDown)
{
    CheckField f;
    f.button.SetColor(4, RGB(250, 240, 10), 0);
    f.button.SetColor(2, RGB(10, 20, 200), 0);
    EXPECT_EQ(f.Shot().At(30, 15), RGB(10, 20, 200));
    f.button.SetCheckState(1);
    mivo::test::WindowImage checked = f.Shot();
    EXPECT_EQ(checked.At(30, 15), RGB(250, 240, 10));
    mivo::test::MouseDown(f.button.m_hWnd, 30, 15);
    mivo::test::WindowImage held = f.Shot();
    EXPECT_EQ(held.At(30, 15), RGB(250, 240, 10));
    mivo::test::MouseUp(f.button.m_hWnd, 30, 15);
    EXPECT_EQ(f.button.GetCheckState(), 1) << "a click does not unlatch it";
}

TEST(CheckButton, CheckBoxModeTogglesItsOwnCheck)
{
    CheckField f(BS_AUTOCHECKBOX);
    mivo::test::Click(f.button.m_hWnd, 30, 15);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(f.button.GetCheck(), 1);
    f.button.SetCheck(0, 1);
    EXPECT_EQ(f.button.GetCheck(), 0);
}

TEST(CheckButton, OversizedImageIsCentredOverhangingBothSides)
{
    CheckField f(BS_PUSHBUTTON, 30, 20);
    CClientDC screen(nullptr);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, 40, 40);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&picture);
    dc.FillSolidRect(0, 0, 20, 40, RGB(200, 0, 0));
    dc.FillSolidRect(20, 0, 20, 40, RGB(0, 0, 200));
    dc.SelectObject(old);
    ASSERT_EQ(f.button.SetBitmaps((HBITMAP)picture.Detach(), RGB(0, 255, 0)), 0u);
    mivo::test::WindowImage img = f.Shot();
    // (30 - 40) / 2 = -5: the picture's middle column lands on the button's.
    EXPECT_EQ(img.At(14, 10), RGB(200, 0, 0));
    EXPECT_EQ(img.At(15, 10), RGB(0, 0, 200));
    EXPECT_EQ(img.At(0, 10), RGB(200, 0, 0));
    EXPECT_EQ(img.At(29, 10), RGB(0, 0, 200));
}

TEST(CheckButton, AutoRepeatSendsPairsThenTheOrdinaryClick)
{
    CheckField f;
    f.button.SetAutoRepeat(TRUE, 100);
    mivo::test::MessageRecorder rec;
    rec.Attach(f.host.wnd()->m_hWnd);
    rec.Attach(f.button.m_hWnd);
    HWND button = f.button.m_hWnd;
    std::thread release([button] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        ::PostMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(30, 15));
    });
    mivo::test::MouseDown(button, 30, 15);
    release.join();
    mivo::test::PumpUntilIdle();

    int repeated = 0, after = 0;
    bool released = false;
    for (const auto& m : rec.All()) {
        if (m.hwnd == button && m.msg == WM_LBUTTONUP && !m.posted)
            released = true;
        if (m.hwnd == f.host.wnd()->m_hWnd && m.msg == WM_COMMAND && LOWORD(m.wParam) == kId &&
            HIWORD(m.wParam) == 0)
            ++(released ? after : repeated);
    }
    EXPECT_GE(repeated, 6);
    EXPECT_EQ(repeated % 2, 0) << repeated;
    EXPECT_EQ(after, 1) << "the ordinary click follows the release";
}
