// Scroll bar controls and statics.
#include "ControlFixture.h"

#include "support/InputSynth.h"
#include "support/MessageSequence.h"

using namespace mivo::test;
using controls_test::ControlFixture;

using ScrollBarTest = ControlFixture;

TEST_F(ScrollBarTest, RangePageAndPosition)
{
    HWND bar = Child("ScrollBar", "", SBS_VERT, 10, 10, 16, 200, 700);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 95;
    EXPECT_EQ(SendMessage(bar, SBM_SETSCROLLINFO, TRUE, (LPARAM)&si), 90) << "the position stops a page before the end";
    SCROLLINFO got = {};
    got.cbSize = sizeof(got);
    got.fMask = SIF_ALL;
    EXPECT_TRUE(SendMessage(bar, SBM_GETSCROLLINFO, 0, (LPARAM)&got));
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(SendMessage(bar, SBM_SETPOS, 5, TRUE), 90);
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(SendMessage(bar, SBM_SETRANGE, 10, 20), 5);
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 10);
    int lo = 0, hi = 0;
    SendMessage(bar, SBM_GETRANGE, (WPARAM)&lo, (LPARAM)&hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 20);
}

TEST_F(ScrollBarTest, ArrowsAndTrackReportToTheParent)
{
    HWND bar = Child("ScrollBar", "", SBS_VERT, 10, 10, 16, 200, 701);
    SendMessage(bar, SBM_SETRANGE, 0, 100);
    recorder.Clear();
    Click(bar, 8, 195);
    EXPECT_ORDER(recorder, bar, {
        {WM_VSCROLL, kParent | kSent | kWParam | kLParam, SB_LINEDOWN, (LPARAM)bar},
        {WM_VSCROLL, kParent | kSent | kWParam | kLParam, SB_ENDSCROLL, (LPARAM)bar},
    });
    recorder.Clear();
    Click(bar, 8, 150);
    EXPECT_ORDER(recorder, bar, {
        {WM_VSCROLL, kParent | kWParam, SB_PAGEDOWN},
        {WM_VSCROLL, kParent | kAnyNumber | kWParam, SB_PAGEDOWN},
        {WM_VSCROLL, kParent | kWParam, SB_ENDSCROLL},
    });

    HWND horz = Child("ScrollBar", "", SBS_HORZ, 10, 250, 200, 16, 702);
    SendMessage(horz, SBM_SETRANGE, 0, 10);
    recorder.Clear();
    MouseDown(horz, 24, 8);  // on the thumb at the start
    MouseMove(horz, 120, 8);
    MouseUp(horz, 120, 8);
    EXPECT_ORDER(recorder, horz, {
        {WM_HSCROLL, kParent | kWParamLow | kLParam, SB_THUMBTRACK, (LPARAM)horz},
        {WM_HSCROLL, kParent | kWParamLow | kAnyNumber, SB_THUMBTRACK},
        {WM_HSCROLL, kParent | kWParamLow, SB_THUMBPOSITION},
        {WM_HSCROLL, kParent | kWParam, SB_ENDSCROLL},
    });
}

TEST_F(ScrollBarTest, StaticsNotifyOnlyWhenAsked)
{
    HWND plain = Child("Static", "설명", SS_LEFT, 10, 10, 100, 20, 710);
    HWND notify = Child("Static", "누르기", SS_LEFT | SS_NOTIFY, 10, 40, 100, 20, 711);
    EXPECT_EQ(SendMessage(plain, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    Click(notify, 5, 5);
    EXPECT_EQ(Notifications(711), (std::vector<int>{STN_CLICKED}));
    EXPECT_EQ(SendMessage(plain, WM_GETDLGCODE, 0, 0), DLGC_STATIC);

    HWND icon = Child("Static", "", SS_ICON, 10, 70, 5, 5, 712);
    HICON question = LoadIcon(nullptr, IDI_QUESTION);
    EXPECT_EQ(SendMessage(icon, STM_SETICON, (WPARAM)question, 0), 0);
    EXPECT_EQ((HICON)SendMessage(icon, STM_GETICON, 0, 0), question);
    RECT rc;
    GetClientRect(icon, &rc);
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXICON)) << "an icon static takes its icon's size";
}
