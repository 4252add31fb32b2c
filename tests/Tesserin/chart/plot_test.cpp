// The plot window: hovering pops up the program's text for a point, double
// clicks report points, Ctrl-drag turns the view, the popup's frame.
#include <gtest/gtest.h>

#include "chart/ChartPlotWnd.h"
#include "support/GeometryPrinters.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

using mivo::test::MessageRecorder;

namespace {

const COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 230);

// A plot filling a recorded host window that answers the popup text request.
struct PlotFixture {
    MessageRecorder recorder;
    HWND host = mivo::test::CreateTestWindow("plot host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    ChartPlotWnd plot;
    int textRequests = 0;
    CString answer = "";

    PlotFixture(int kind, DWORD style = 0x108)
    {
        recorder.OnMessage(WM_CHART_GET_POPUP_TEXT, [this](HWND, UINT, WPARAM, LPARAM lParam, LRESULT* result) {
            ++textRequests;
            if (!answer.IsEmpty())
                *(CString*)lParam = answer;
            *result = 0;
            return true;
        });
        plot.Create(nullptr, "", 0x50000000, CRect(0, 0, 400, 300), CWnd::FromHandle(host), 101);
        plot.SetFont(10, "Arial", 0);
        plot.SetStyle(style);
        plot.SetChartType(kind);
    }
    ~PlotFixture()
    {
        plot.DestroyWindow();
        ::DestroyWindow(host);
    }
    int Series(COLORREF colour) { return plot.GetData().AddDataSeries("s", colour); }
    CDataPoint* Add(int series, double y, COLORREF colour = 0)
    {
        CDataPoint p(plot.GetData().GetNumOfDataPoints(series), y, colour, "");
        plot.GetData().AddDataPoint(&p, series);
        CDataSeries* s = plot.GetData().GetDataSeries(series);
        return s->GetAt(s->GetCount() - 1);
    }
    void Scale(double xMax, double yMax)
    {
        double a = 0, b = xMax;
        plot.GetAxis().SetAxisScale(AXIS_X, a, b);
        a = 0, b = yMax;
        plot.GetAxis().SetAxisScale(AXIS_Y, a, b);
    }
    void Move(int x, int y, UINT flags = 0) { plot.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(x, y)); }
    CRect PopupRect()
    {
        CRect r;
        plot.GetPopup().GetWindowRect(&r);
        plot.ScreenToClient(&r);
        return r;
    }
    int Count(UINT msg) { return recorder.Count(host, msg); }
};

}  // namespace

TEST(ChartPlot, PiePopupsStandBesideTheRimOnTheOutsideOfTheSlice)
{
    PlotFixture f(CHART_PIE);
    int s = f.Series(0);
    f.Add(s, 1, kGreen);
    f.Add(s, 1, kBlue);
    f.Add(s, 2, kRed);
    f.plot.UpdatePicture();
    CPoint centre(200, 150);
    f.Move(centre.x + 40, centre.y - 40);  // the green slice, right of the centre
    ASSERT_TRUE(f.plot.GetPopup().IsWindowVisible());
    CRect right = f.PopupRect();
    CRect anchor;
    f.plot.GetHoveredPoint()->m_AnchorRegion.GetRgnBox(&anchor);
    EXPECT_EQ(anchor.left, right.right);  // to the left of the rim point
    EXPECT_EQ(kGreen, f.plot.GetHoveredPoint()->m_Color);

    f.Move(centre.x - 60, centre.y + 20);  // the red slice, left of the centre
    CRect left = f.PopupRect();
    f.plot.GetHoveredPoint()->m_AnchorRegion.GetRgnBox(&anchor);
    EXPECT_EQ(-anchor.left, left.left);  // to the right of the rim point
    EXPECT_EQ(kRed, f.plot.GetHoveredPoint()->m_Color);
}

TEST(ChartPlot, TheProgramIsAskedOncePerPointAndItsTextShown)
{
    PlotFixture f(CHART_PIE);
    f.answer = "매출 42";
    int s = f.Series(0);
    f.Add(s, 1, kGreen);
    f.Add(s, 3, kRed);
    f.plot.UpdatePicture();
    f.Move(240, 110);
    f.Move(242, 112);
    f.Move(244, 110);
    EXPECT_EQ(1, f.textRequests);
    CString shown;
    f.plot.GetPopup().GetWindowText(shown);
    EXPECT_STREQ("매출 42", shown);
    f.Move(150, 200);  // another point
    EXPECT_EQ(2, f.textRequests);
    f.Move(2, 2);  // outside the pie
    EXPECT_FALSE(f.plot.GetPopup().IsWindowVisible());
    EXPECT_EQ(nullptr, f.plot.GetHoveredPoint());
}

TEST(ChartPlot, UnansweredRequestsShowThePresetText)
{
    PlotFixture f(CHART_PIE);
    f.Add(f.Series(0), 1, kGreen);
    f.plot.UpdatePicture();
    f.Move(220, 150);
    CString shown;
    f.plot.GetPopup().GetWindowText(shown);
    EXPECT_STREQ("MessageTextHere", shown);
    CRect popup = f.PopupRect();
    CClientDC dc(&f.plot.GetPopup());
    dc.SelectObject(f.plot.GetPopup().GetFont());
    CSize text = dc.GetTextExtent("MessageTextHere", 15);
    EXPECT_EQ(text.cx + 8, popup.Width());
    EXPECT_EQ(text.cy + 4, popup.Height());
}

TEST(ChartPlot, APopupNearTheRightEdgeIsKeptTenPixelsInside)
{
    PlotFixture f(CHART_LINE, 0x101);
    f.plot.GetAxis().SetStyle(AXIS_CHART | CHART_STYLE_AXES);
    f.answer = "a rather long popup text";
    int s = f.Series(kRed);
    f.Add(s, 2);
    f.Add(s, 5);
    f.Scale(1, 10);
    f.plot.UpdatePicture();
    CDataPoint* last = f.plot.GetData().GetDataSeries(0)->GetAt(1);
    CRect anchor;
    last->m_AnchorRegion.GetRgnBox(&anchor);
    f.Move(anchor.CenterPoint().x, anchor.CenterPoint().y);
    ASSERT_EQ(last, f.plot.GetHoveredPoint());
    EXPECT_EQ(400 - 10, f.PopupRect().right);
    EXPECT_EQ(anchor.top, f.PopupRect().top);
}

TEST(ChartPlot, HoverTestsEachSeriesOverItsOwnPoints)
{
    PlotFixture f(CHART_LINE);
    f.plot.GetAxis().SetStyle(AXIS_CHART | CHART_STYLE_AXES);
    int a = f.Series(kRed), b = f.Series(kBlue);
    for (int i = 0; i < 5; ++i)
        f.Add(a, 1 + i);
    f.Add(b, 9);
    f.Scale(4, 10);
    f.plot.UpdatePicture();
    CDataPoint* distant = f.plot.GetData().GetDataSeries(a)->GetAt(4);
    CRect anchor;
    distant->m_AnchorRegion.GetRgnBox(&anchor);
    f.Move(anchor.CenterPoint().x, anchor.CenterPoint().y);
    EXPECT_EQ(distant, f.plot.GetHoveredPoint());
    CDataPoint* lone = f.plot.GetData().GetDataSeries(b)->GetAt(0);
    lone->m_AnchorRegion.GetRgnBox(&anchor);
    f.Move(anchor.CenterPoint().x, anchor.CenterPoint().y);
    EXPECT_EQ(lone, f.plot.GetHoveredPoint());
}

TEST(ChartPlot, DoubleClicksReportThePointOrPassTheClickOn)
{
    PlotFixture f(CHART_PIE);
    f.Add(f.Series(0), 1, kGreen);
    f.plot.UpdatePicture();
    WPARAM reported = 0;
    f.recorder.OnMessage(WM_CHART_POINT_DBLCLK, [&](HWND, UINT, WPARAM wParam, LPARAM, LRESULT* result) {
        reported = wParam;
        *result = 0;
        return true;
    });
    f.plot.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 150));
    EXPECT_EQ((WPARAM)f.plot.GetData().GetDataSeries(0)->GetAt(0), reported);
    f.recorder.Clear();
    f.plot.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_EQ(0, f.Count(WM_CHART_POINT_DBLCLK));
    EXPECT_EQ(1, f.Count(WM_LBUTTONDBLCLK));
}

TEST(ChartPlot, CtrlDragTurnsTheViewAndAsksForARedraw)
{
    PlotFixture bar(CHART_BAR);
    bar.plot.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 10));
    bar.Move(200, 100, MK_LBUTTON | MK_CONTROL);
    EXPECT_DOUBLE_EQ(45.0, bar.plot.GetAxis().GetHorzRotation());
    EXPECT_DOUBLE_EQ(30.0, bar.plot.GetAxis().GetVertRotation());
    EXPECT_EQ(1, bar.Count(WM_CHART_UPDATE));
    bar.Move(400, 300, MK_LBUTTON | MK_CONTROL);
    EXPECT_DOUBLE_EQ(90.0, bar.plot.GetAxis().GetHorzRotation());
    bar.Move(0, 0, MK_LBUTTON);  // Ctrl let go: the drag ends
    bar.Move(100, 100, MK_LBUTTON | MK_CONTROL);
    EXPECT_DOUBLE_EQ(90.0, bar.plot.GetAxis().GetHorzRotation());

    PlotFixture pie(CHART_ROTATED_PIE);
    pie.plot.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 10));
    pie.Move(400, 100, MK_LBUTTON | MK_CONTROL);
    EXPECT_DOUBLE_EQ(90.0, pie.plot.GetData().GetHeight());
    EXPECT_DOUBLE_EQ(30.0, pie.plot.GetData().GetElevation());

    PlotFixture line(CHART_LINE);
    line.plot.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(10, 10));
    line.Move(200, 100, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(0, line.Count(WM_CHART_UPDATE));  // line charts do not turn
}

TEST(ChartPlot, PopupFrame)
{
    PlotFixture f(CHART_PIE);
    f.Add(f.Series(0), 1, kGreen);
    f.plot.UpdatePicture();
    f.Move(220, 150);
    f.plot.GetPopup().CWnd::UpdateWindow();
    CRect r = f.PopupRect();
    auto image = mivo::test::CaptureWindow(f.host, true);
    EXPECT_EQ(RGB(0, 0, 0), image.At(r.left + 3, r.bottom - 1));
    EXPECT_EQ(RGB(0, 0, 0), image.At(r.right - 1, r.top + 3));
    EXPECT_EQ(DarkenColor(0xC6FFFF), image.At(r.right - 2, r.top + 3));
    EXPECT_EQ(RGB(255, 255, 255), image.At(r.left + 1, r.top + 3));
    EXPECT_EQ((COLORREF)0xC6FFFF, image.At(r.left + 2, r.top + 2));
}
