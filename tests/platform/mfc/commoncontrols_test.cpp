// The framework's common control classes over their window classes.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/MessageLoop.h"

using namespace mivo::test;

namespace {

class CommonControlClasses : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                    nullptr));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        PumpUntilIdle();
    }
    CWnd parent;
    CRect rect{10, 10, 250, 60};
};

}  // namespace

TEST_F(CommonControlClasses, SliderAndItsDataExchange)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, rect, &parent, 1318));
    EXPECT_TRUE(slider.IsKindOf(RUNTIME_CLASS(CSliderCtrl)));
    slider.SetRange(3, 50, TRUE);
    slider.SetPos(99);
    EXPECT_EQ(slider.GetPos(), 50);
    int lo = 0, hi = 0;
    slider.GetRange(lo, hi);
    EXPECT_EQ(lo, 3);
    EXPECT_EQ(hi, 50);

    int ratio = 15;
    CDataExchange toControls(&parent, FALSE);
    DDX_Slider(&toControls, 1318, ratio);
    EXPECT_EQ(slider.GetPos(), 15);
    slider.SetPos(30);
    CDataExchange fromControls(&parent, TRUE);
    DDX_Slider(&fromControls, 1318, ratio);
    EXPECT_EQ(ratio, 30);
}

TEST_F(CommonControlClasses, MonthCalendarDatesAsOleDates)
{
    CMonthCalCtrl cal;
    ASSERT_TRUE(cal.Create(WS_CHILD | WS_VISIBLE, CPoint(10, 10), &parent, 11000));
    CRect r;
    cal.GetWindowRect(&r);
    EXPECT_GT(r.Width(), 100) << "sized to show a month";
    EXPECT_TRUE(cal.SetCurSel(COleDateTime(2026, 12, 10, 15, 30, 0)));
    COleDateTime got;
    ASSERT_TRUE(cal.GetCurSel(got));
    EXPECT_EQ(got.GetYear(), 2026);
    EXPECT_EQ(got.GetMonth(), 12);
    EXPECT_EQ(got.GetDay(), 10);
    EXPECT_EQ(got.GetHour(), 0);
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_FALSE(cal.SetCurSel(invalid));
    int old = -1;
    cal.SetFirstDayOfWeek(0, &old);
    EXPECT_EQ(old, 6);
    EXPECT_EQ(cal.GetFirstDayOfWeek(), 0);
}

TEST_F(CommonControlClasses, StatusBarToolBarAndTabs)
{
    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &parent, 59393));
    int widths[] = {300, 400, -1};
    EXPECT_TRUE(status.SetParts(3, widths));
    status.SetText("페이지 1 / 2", 2, SBT_NOBORDERS);
    int type = 0;
    EXPECT_EQ(status.GetText(2, &type), CString("페이지 1 / 2"));
    EXPECT_EQ(type, SBT_NOBORDERS);
    int h = 0, v = 0, s = 0;
    EXPECT_TRUE(status.GetBorders(h, v, s));
    CRect part;
    EXPECT_TRUE(status.GetRect(1, &part));
    EXPECT_EQ(part.left, 300 + s);

    CToolBarCtrl tools;
    ASSERT_TRUE(tools.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, CRect(0, 0, 0, 0), &parent, 59392));
    EXPECT_EQ(tools.AddStrings("작게\0크게\0"), 0);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 33116;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = TBSTYLE_DROPDOWN;
    buttons[0].iString = 0;
    buttons[1].idCommand = 33115;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[1].iString = 1;
    EXPECT_TRUE(tools.AddButtons(2, buttons));
    EXPECT_EQ(tools.GetButtonText(33115), CString("크게"));
    EXPECT_EQ(tools.CommandToIndex(33115), 1u);
    tools.EnableButton(33115, FALSE);
    EXPECT_FALSE(tools.IsButtonEnabled(33115));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, rect, &parent, 1011));
    EXPECT_EQ(tabs.InsertItem(0, "밝기"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "빨강"), 1);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, part, &status, 1));
    progress.SetRange(0, 100);
    progress.SetPos(40);
    EXPECT_EQ(progress.GetPos(), 40);
    EXPECT_EQ(progress.GetParent(), &status);

    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS, CRect(0, 0, 0, 0), &parent, 59396));
    REBARBANDINFO band = {sizeof(band)};
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    band.hwndChild = tools.GetSafeHwnd();
    band.cyMinChild = 30;
    band.wID = 7;
    EXPECT_TRUE(rebar.InsertBand(0, &band));
    EXPECT_EQ(rebar.GetBandCount(), 1u);
    EXPECT_EQ(rebar.IDToIndex(7), 0);
    EXPECT_GE(rebar.GetBarHeight(), 30u);
}

TEST(RichEditInit, AnswersTrue)
{
    EXPECT_TRUE(AfxInitRichEdit());
    EXPECT_TRUE(AfxInitRichEdit2());
}
