// How controls look in states reached by the mouse: the indeterminate check box,
// scroll bar troughs and the focused scroll bar's blinking thumb.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/WindowCapture.h"

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

const int kCheck = 800, kBar = 801;

class ControlLookTest : public ControlFixture {
protected:
    // Pixels of `colour` inside the 13-pixel check box at the left of a check box control.
    static int InBox(HWND button, COLORREF colour)
    {
        WindowImage img = CaptureWindow(button, true);
        int n = 0;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < 13 && x < img.width; ++x)
                n += img.At(x, y) == colour;
        return n;
    }
    // Whether the pixels of a row alternate between the two colours, as a 50% checker does.
    static bool Checkered(const WindowImage& img, int x0, int x1, int y, COLORREF a, COLORREF b)
    {
        for (int x = x0; x < x1; ++x) {
            COLORREF c = img.At(x, y), next = img.At(x + 1, y);
            if (!((c == a && next == b) || (c == b && next == a)))
                return false;
        }
        return true;
    }
};

}  // namespace

TEST_F(ControlLookTest, IndeterminateCheckBoxShowsTheGreyedCheck)
{
    HWND b = Child("Button", "세 가지", BS_AUTO3STATE | WS_TABSTOP, 10, 10, 120, 20, kCheck);
    Click(b, 6, 10);
    ASSERT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    UpdateWindow(b);
    int blackWhenChecked = InBox(b, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_GT(blackWhenChecked, 10) << "a checked box shows the check in the text colour";

    Click(b, 6, 10);
    ASSERT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    UpdateWindow(b);
    EXPECT_EQ(InBox(b, GetSysColor(COLOR_WINDOWTEXT)), 0) << "no black check when indeterminate";
    EXPECT_GE(InBox(b, GetSysColor(COLOR_3DSHADOW)), blackWhenChecked) << "the check greyed";
    EXPECT_GT(InBox(b, GetSysColor(COLOR_3DHILIGHT)), 10) << "on the dithered face";
}

TEST_F(ControlLookTest, ScrollBarTroughsAreTheDitheredChecker)
{
    COLORREF face = GetSysColor(COLOR_3DFACE), light = GetSysColor(COLOR_3DHILIGHT);
    // A window's own bar.
    HWND list = Child("ListBox", "", WS_VSCROLL | WS_BORDER, 10, 10, 120, 100, 0);
    for (int i = 0; i < 40; ++i)
        SendMessage(list, LB_ADDSTRING, 0, (LPARAM)"항목");
    // A scroll bar control.
    HWND bar = Child("ScrollBar", "", SBS_HORZ, 150, 10, 200, 17, kBar);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    UpdateWindow(parent);
    PumpUntilIdle();

    WindowImage lw = CaptureWindow(list);
    int troughX = lw.width - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    int troughY = lw.height - 1 - GetSystemMetrics(SM_CYVSCROLL) - 6;  // just above the down arrow
    EXPECT_TRUE(Checkered(lw, troughX - 3, troughX + 3, troughY, face, light)) << "the list's bar";

    WindowImage bw = CaptureWindow(bar);
    int arrow = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_TRUE(Checkered(bw, bw.width - arrow - 12, bw.width - arrow - 2, bw.height / 2, face, light))
        << "the scroll bar control";
}

TEST_F(ControlLookTest, FocusedScrollBarBlinksItsThumb)
{
    UINT blink = GetCaretBlinkTime();
    SetCaretBlinkTime(20);
    HWND bar = Child("ScrollBar", "", SBS_HORZ | WS_TABSTOP, 10, 10, 200, 17, kBar);
    HWND other = Child("Button", "다른", BS_PUSHBUTTON | WS_TABSTOP, 10, 40, 80, 24, kCheck);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    PumpUntilIdle();
    // The thumb's middle, well inside its raised edges.
    int thumbX = GetSystemMetrics(SM_CXHSCROLL) + 20;
    COLORREF face = GetSysColor(COLOR_3DFACE);
    auto thumb = [&] {
        UpdateWindow(bar);
        return CaptureWindow(bar).At(thumbX, 8);
    };
    ASSERT_EQ(thumb(), face);

    // The page area right of the thumb: the click scrolls and takes the focus.
    Click(bar, 190, 8);
    ASSERT_EQ(GetFocus(), bar);
    EXPECT_TRUE(PumpUntil([&] { return thumb() != face; })) << "the focused thumb blinks";
    EXPECT_TRUE(PumpUntil([&] { return thumb() == face; })) << "and back";

    Click(other, 10, 10);
    ASSERT_EQ(GetFocus(), other);
    PumpUntilIdle();
    EXPECT_EQ(thumb(), face) << "without the focus the thumb stays plain";
    SetCaretBlinkTime(blink);
}
