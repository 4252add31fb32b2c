// The seven-segment clock read back by pixels: lit and dark segments of each
// digit, the colons' colour, and a first digit out of range left blank.
#include <gtest/gtest.h>

#include "ControlHost.h"
#include "controls/DigitalClock.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <string>
#include <vector>

using controlstest::ControlHost;

namespace {

const COLORREF kOn = RGB(19, 220, 24), kOff = RGB(96, 112, 96), kBack = RGB(96, 96, 96);
const int kMargin = 4, kGap = 4, kThick = 3;

struct ClockField {
    ControlHost host{340, 120};
    CDigitalClock clock;
    CRect client{0, 0, 300, 60};

    ClockField()
    {
        clock.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 70), host.wnd(), 1);
        clock.Init(client, kMargin, kMargin, kGap, kThick);
    }
    mivo::test::WindowImage Show(BYTE h, BYTE m, BYTE s, int colon)
    {
        _TIME_ t = {h, m, s};
        clock.SetTime(t, colon);
        clock.Invalidate(TRUE);
        mivo::test::PumpUntilIdle();
        return mivo::test::CaptureWindow(clock.m_hWnd, true);
    }
    // Digit i's rectangle by the layout: pairs of digits with a gap, colons in 3 x gap.
    CRect Digit(int i) const
    {
        int L = kMargin, T = kMargin, R = client.right - kMargin, B = client.bottom - kMargin;
        int d = (R - L - 9 * kGap) / 6;
        int x = L + (i / 2) * (2 * d + 4 * kGap) + (i % 2) * (d + kGap);
        return CRect(x, T, x + d, B);
    }
};

// Inside each segment a..g of a digit rectangle.
std::vector<CPoint> SegmentPoints(const CRect& r)
{
    int w = kThick, mid = r.top + r.Height() / 2, cx = r.left + r.Width() / 2;
    return {{cx, r.top + w},          {r.right - w, (r.top + mid) / 2}, {r.right - w, (mid + r.bottom) / 2},
            {cx, r.bottom - w},       {r.left + w, (mid + r.bottom) / 2}, {r.left + w, (r.top + mid) / 2},
            {cx, mid}};
}

std::string Lit(const mivo::test::WindowImage& img, const CRect& digit)
{
    std::string lit;
    const char names[] = "abcdefg";
    int i = 0;
    for (CPoint p : SegmentPoints(digit)) {
        COLORREF c = img.At(p.x, p.y);
        if (c == kOn)
            lit += names[i];
        else if (c != kOff)
            lit += '?';
        ++i;
    }
    return lit;
}

}  // namespace

TEST(DigitalClock, ShowsTheTimeBySegments)
{
    ClockField f;
    mivo::test::WindowImage img = f.Show(7, 5, 9, 1);
    const char* expected[6] = {"abcdef", "abc", "abcdef", "acdfg", "abcdef", "abcdfg"};  // 07:05:09
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Lit(img, f.Digit(i)), expected[i]) << "digit " << i;
}

TEST(DigitalClock, EveryDigitLightsItsSegments)
{
    const char* table[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
    ClockField f;
    for (int n = 0; n < 10; ++n) {
        mivo::test::WindowImage img = f.Show(0, 0, (BYTE)n, 0);
        EXPECT_EQ(Lit(img, f.Digit(5)), table[n]) << n;
    }
}

TEST(DigitalClock, ColonsAreDarkNotInvisible)
{
    ClockField f;
    CRect d2 = f.Digit(1);
    CPoint upperDot(d2.right + kGap + kGap / 2, kMargin + (f.client.Height() - 2 * kMargin) / 4);
    EXPECT_EQ(f.Show(1, 2, 3, 0).At(upperDot.x, upperDot.y), kOff);
    EXPECT_EQ(f.Show(1, 2, 3, 1).At(upperDot.x, upperDot.y), kOn);
}

TEST(DigitalClock, HourAboveNinetyNineLeavesTheFirstDigitBlank)
{
    ClockField f;
    mivo::test::WindowImage img = f.Show(100, 0, 0, 0);
    for (CPoint p : SegmentPoints(f.Digit(0)))
        EXPECT_EQ(img.At(p.x, p.y), kBack);
    EXPECT_EQ(Lit(img, f.Digit(1)), "abcdef") << "100 % 10 = 0";
}

TEST(DigitalClock, NewColoursReplaceTheOld)
{
    ClockField f;
    f.clock.SetColour(RGB(255, 0, 0), RGB(0, 0, 80), RGB(0, 0, 0));
    mivo::test::WindowImage img = f.Show(8, 8, 8, 1);
    CPoint a = SegmentPoints(f.Digit(0))[0];
    EXPECT_EQ(img.At(a.x, a.y), RGB(255, 0, 0));
    EXPECT_EQ(img.At(1, 1), RGB(0, 0, 0));
}
