// Drawing the data by chart kind: pie slices, bar colours and widths, the
// regions left on points, captions under bars, and kinds that draw nothing.
#include <gtest/gtest.h>

#include "ChartCanvas.h"
#include "chart/2DScale.h"
#include "chart/DataSeriesArray.h"
#include "support/GeometryPrinters.h"

#include <memory>

using charttest::Canvas;

namespace {

const COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 230);

// Data, axes and a canvas; the axes only measure (no axes are drawn) unless asked.
struct Chart {
    Canvas canvas;
    C2DScale axis;
    CDataSeriesArray data;
    CRect rect;

    Chart(int width, int height, int kind, bool axes = false) : canvas(width, height), rect(0, 0, width, height)
    {
        axis.m_pFont = &canvas.font();
        axis.m_pVertFont = &canvas.font();
        axis.SetStyle(AXIS_CHART | (axes ? CHART_STYLE_AXES : 0));
        axis.SetDepth(0);
        data.SetChartType(kind);
    }
    int Series(COLORREF colour) { return data.AddDataSeries("s", colour); }
    void Add(int series, double y, COLORREF colour = 0, const char* caption = "")
    {
        CDataPoint p(data.GetNumOfDataPoints(series), y, colour, caption);
        data.AddDataPoint(&p, series);
    }
    void Scale(double xMax, double yMin, double yMax)
    {
        double a = 0, b = xMax;
        axis.SetAxisScale(AXIS_X, a, b);
        a = yMin, b = yMax;
        axis.SetAxisScale(AXIS_Y, a, b);
        data.SetAxisOffset(AXIS_Y, axis.GetAxisOffset(AXIS_Y));
    }
    void Draw()
    {
        axis.DrawAxis(&canvas.dc(), &rect);
        data.DrawData(&canvas.dc(), &axis);
        data.DrawIcons(&canvas.dc(), &axis);
    }
    CRect Box(CRgn& region)
    {
        CRect box(0, 0, 0, 0);
        if (region.GetSafeHandle())
            region.GetRgnBox(&box);
        return box;
    }
};

}  // namespace

TEST(ChartDrawing, PieSlicesRunClockwiseFromTwelveSmallestFirst)
{
    Chart chart(220, 220, CHART_PIE);
    int s = chart.Series(0);
    chart.Add(s, 2, kRed);
    chart.Add(s, -1, kGreen);  // the magnitude counts
    chart.Add(s, 1, kBlue);
    chart.rect.SetRect(10, 10, 210, 210);
    chart.Draw();
    EXPECT_EQ(kGreen, chart.canvas.At(150, 60));   // 0 to 90 degrees
    EXPECT_EQ(kBlue, chart.canvas.At(150, 150));   // 90 to 180
    EXPECT_EQ(kRed, chart.canvas.At(60, 150));     // 180 to 360
    EXPECT_EQ(kRed, chart.canvas.At(60, 60));
    EXPECT_EQ(kRed, chart.canvas.At(105, 30));     // just left of twelve
    // Anchors carry the side of the centre in their signs.
    CDataSeries* series = chart.data.GetDataSeries(0);
    CRect green = chart.Box(series->GetAt(1)->m_AnchorRegion);
    CRect red = chart.Box(series->GetAt(0)->m_AnchorRegion);
    EXPECT_GT(green.left, 110);
    EXPECT_LT(green.top, 0);
    EXPECT_LT(red.left, 0);
    EXPECT_TRUE(series->GetAt(2)->m_HitRegion.PtInRegion(150, 150));
    EXPECT_FALSE(series->GetAt(2)->m_HitRegion.PtInRegion(60, 60));
}

TEST(ChartDrawing, PieOfZeroValuesDrawsNothing)
{
    Chart chart(100, 100, CHART_PIE);
    int s = chart.Series(0);
    chart.Add(s, 0, kRed);
    chart.Add(s, 0, kGreen);
    chart.Draw();
    EXPECT_EQ(0, chart.canvas.Ink(chart.canvas.bounds()));
    Chart rotated(100, 100, CHART_ROTATED_PIE);
    rotated.Add(rotated.Series(0), 0, kRed);
    rotated.Draw();
    EXPECT_EQ(0, rotated.canvas.Ink(rotated.canvas.bounds()));
}

TEST(ChartDrawing, RotatedPieDrawsEveryPointWithRegions)
{
    Chart chart(240, 240, CHART_ROTATED_PIE);
    int s = chart.Series(0);
    chart.Add(s, 3, kRed);
    chart.Add(s, 1, kGreen);
    chart.Add(s, 2, kBlue);
    chart.Draw();
    for (COLORREF c : {kRed, kGreen, kBlue})
        EXPECT_GT(chart.canvas.Count(chart.canvas.bounds(), c), 100);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(chart.Box(chart.data.GetDataSeries(0)->GetAt(i)->m_HitRegion).IsRectEmpty()) << i;
}

TEST(ChartDrawing, SingleSeriesBarsTakeTheirPointsColours)
{
    Chart chart(300, 200, CHART_BAR);
    int s = chart.Series(RGB(90, 90, 90));
    chart.Add(s, 3, kRed);
    chart.Add(s, 5, kGreen);
    chart.Add(s, 4, kBlue);
    chart.Scale(4, 0, 6);
    chart.Draw();
    for (COLORREF c : {kRed, kGreen, kBlue})
        EXPECT_GT(chart.canvas.Count(chart.canvas.bounds(), DarkenColor(c)), 100);
    EXPECT_EQ(0, chart.canvas.Count(chart.canvas.bounds(), DarkenColor(RGB(90, 90, 90))));
}

TEST(ChartDrawing, SeveralSeriesBarsTakeTheSeriesColours)
{
    Chart chart(300, 200, CHART_BAR);
    int a = chart.Series(kRed), b = chart.Series(kBlue);
    chart.Add(a, 3, kGreen);
    chart.Add(a, 5, kGreen);
    chart.Add(b, 4, kGreen);
    chart.Scale(3, 0, 6);
    chart.Draw();
    EXPECT_GT(chart.canvas.Count(chart.canvas.bounds(), DarkenColor(kRed)), 100);
    EXPECT_GT(chart.canvas.Count(chart.canvas.bounds(), DarkenColor(kBlue)), 100);
    EXPECT_EQ(0, chart.canvas.Count(chart.canvas.bounds(), DarkenColor(kGreen)));
}

TEST(ChartDrawing, BarWidthFollowsTheDataWidth)
{
    struct Case {
        int width, series, points, barWidth;
    } cases[] = {{50, 3, 10, 1}, {200, 1, 2, 50}, {100, 2, 3, 8}};
    for (const Case& c : cases) {
        Chart chart(c.width, 100, CHART_BAR);
        for (int s = 0; s < c.series; ++s) {
            chart.Series(kRed);
            for (int i = 0; i < c.points; ++i)
                chart.Add(s, 1 + i);
        }
        chart.Scale(c.points + 1, 0, 20);
        chart.Draw();
        CRect anchor = chart.Box(chart.data.GetDataSeries(0)->GetAt(0)->m_AnchorRegion);
        EXPECT_EQ(c.barWidth, anchor.Width()) << c.width << " " << c.series << " " << c.points;
    }
}

TEST(ChartDrawing, AZeroBarStillHasAOnePixelAnchor)
{
    Chart chart(200, 100, CHART_BAR);
    int s = chart.Series(kRed);
    chart.Add(s, 0);
    chart.Add(s, 3);
    chart.Scale(3, 0, 5);
    chart.Draw();
    CRect anchor = chart.Box(chart.data.GetDataSeries(0)->GetAt(0)->m_AnchorRegion);
    EXPECT_EQ(1, anchor.Height());
    EXPECT_GT(anchor.Width(), 0);
    EXPECT_FALSE(chart.Box(chart.data.GetDataSeries(0)->GetAt(1)->m_HitRegion).IsRectEmpty());
}

TEST(ChartDrawing, BarCaptionsShowOnlyWhenNoneCollide)
{
    auto captionInk = [](const char* caption) {
        Chart chart(300, 200, CHART_BAR);
        chart.data.SetCustomChartStyle(0x1000);
        chart.canvas.dc().SetTextColor(RGB(255, 255, 255));
        int s = chart.Series(kRed);
        for (int i = 0; i < 4; ++i)
            chart.Add(s, 2 + i, kRed, caption);
        chart.rect.SetRect(0, 0, 300, 150);
        chart.Scale(5, 0, 6);
        chart.Draw();
        return chart.canvas.Count(CRect(0, 151, 300, 200), RGB(255, 255, 255));
    };
    EXPECT_GT(captionInk("Q1"), 0);
    EXPECT_EQ(0, captionInk("A caption far too long to fit"));
}

TEST(ChartDrawing, LineAndXYPointsGetRegionsAroundThem)
{
    for (int kind : {CHART_LINE, CHART_XY, CHART_XY_LINE}) {
        Chart chart(200, 200, kind);
        int s = chart.Series(kRed);
        chart.Add(s, 2);
        chart.Add(s, 8);
        chart.Scale(4, 0, 10);
        chart.Draw();
        CDataPoint* p = chart.data.GetDataSeries(0)->GetAt(1);
        int px = chart.axis._XValueToPixel(1), py = chart.axis._YValueToPixel(8);
        EXPECT_TRUE(p->m_HitRegion.PtInRegion(px, py)) << kind;
        EXPECT_FALSE(p->m_HitRegion.PtInRegion(px + 8, py)) << kind;
        EXPECT_GT(chart.canvas.Count(chart.canvas.bounds(), kRed), 0) << kind;
    }
}

TEST(ChartDrawing, AreaChartFillsDownToTheBaseline)
{
    Chart chart(200, 200, CHART_AREA);
    int s = chart.Series(kGreen);
    chart.Add(s, 5);
    chart.Add(s, 5);
    chart.Add(s, 5);
    chart.Scale(2, 0, 10);
    chart.Draw();
    EXPECT_EQ(kGreen, chart.canvas.At(100, 150));
    EXPECT_NE(kGreen, chart.canvas.At(100, 50));
    EXPECT_TRUE(chart.data.GetDataSeries(0)->GetAt(0)->m_HitRegion.PtInRegion(100, 150));
    // One point alone runs to the right edge.
    Chart single(200, 200, CHART_AREA);
    single.Add(single.Series(kGreen), 5);
    single.Scale(2, 0, 10);
    single.Draw();
    EXPECT_EQ(kGreen, single.canvas.At(190, 150));
}

TEST(ChartDrawing, UnknownKindsDrawNoData)
{
    Chart chart(200, 200, 7, true);
    int s = chart.Series(kRed);
    chart.Add(s, 3, kRed);
    chart.Add(s, 6, kRed);
    chart.axis.DrawAxis(&chart.canvas.dc(), &chart.rect);
    auto axesOnly = chart.canvas.Pixels();
    EXPECT_GT(chart.canvas.Ink(chart.canvas.bounds()), 0);
    chart.data.DrawData(&chart.canvas.dc(), &chart.axis);
    EXPECT_EQ(axesOnly, chart.canvas.Pixels());
}

TEST(ChartDrawing, IconsStandOnTheirPoints)
{
    Chart chart(200, 200, CHART_LINE);
    int s = chart.Series(kRed);
    CDataPoint p(0, 5, 0, "");
    p.m_hIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    ASSERT_NE(nullptr, p.m_hIcon);
    chart.data.AddDataPoint(&p, s);
    chart.Scale(2, 0, 10);
    chart.Draw();
    int px = chart.axis._XValueToPixel(0), py = chart.axis._YValueToPixel(5);
    EXPECT_GT(chart.canvas.Ink(CRect(px, py, px + 32, py + 32)), 50);
}
