// The chart's data: points, series with their statistics and caps, the
// series list with chart kinds, strip pre-filling and index checks.
#include <gtest/gtest.h>

#include "chart/DataSeriesArray.h"

#include <cfloat>
#include <ctime>
#include <functional>

namespace {

bool ThrowsInvalidArgument(const std::function<void()>& call)
{
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

void AddPoints(CDataSeriesArray& data, int series, std::initializer_list<double> ys)
{
    double x = data.GetNumOfDataPoints(series);
    for (double y : ys) {
        CDataPoint p(x++, y, RGB(1, 2, 3), "p");
        data.AddDataPoint(&p, series);
    }
}

}  // namespace

TEST(ChartData, PointsStartKnownAndCopiesNeverTakeRegions)
{
    CDataPoint blank;
    EXPECT_EQ(0.0, blank.m_dX);
    EXPECT_EQ(0.0, blank.m_dY);
    EXPECT_EQ(0u, blank.m_Color);
    EXPECT_EQ(-1, blank.m_nSerial);
    EXPECT_EQ(-1, blank.m_nSeries);
    EXPECT_EQ(nullptr, blank.m_hIcon);

    CDataPoint source(2.5, -1.0, RGB(9, 8, 7), "가격");
    source.m_nSerial = 4;
    source.m_nSeries = 1;
    source.m_HitRegion.CreateRectRgn(0, 0, 5, 5);
    CDataPoint copy;
    copy = source;
    EXPECT_EQ(2.5, copy.m_dX);
    EXPECT_EQ(RGB(9, 8, 7), copy.m_Color);
    EXPECT_STREQ("가격", copy.m_sCaption);
    EXPECT_EQ(4, copy.m_nSerial);
    EXPECT_EQ(1, copy.m_nSeries);
    EXPECT_EQ(nullptr, copy.m_HitRegion.GetSafeHandle());
    CDataPoint viaPointer;
    viaPointer = &source;
    EXPECT_EQ(-1.0, viaPointer.m_dY);
    EXPECT_EQ(nullptr, viaPointer.m_HitRegion.GetSafeHandle());
}

TEST(ChartData, ChartTypeCodes)
{
    struct Case {
        int code, kind, strip, seriesCap;
    } cases[] = {
        {1, 1, 0, 0},       {2, 2, 0, 0},       {5, 5, 0, 0},       {6, 6, 0, 0},     {16, 256, 16, 16},
        {601, 256, 601, 601}, {17, 512, 16, 17},  {602, 512, 601, 602}, {7, 7, 0, 0}, {513, 513, 0, 0},
    };
    for (const Case& c : cases) {
        CDataSeriesArray data;
        data.AddDataSeries("a", 0);
        EXPECT_EQ(c.kind, data.SetChartType(c.code)) << c.code;
        EXPECT_EQ(c.kind, data.GetChartType());
        EXPECT_EQ(c.strip, data.GetStripLength()) << c.code;
        EXPECT_EQ(c.seriesCap, data.GetDataSeries(0)->GetMaxNumDataPoints()) << c.code;
    }
}

TEST(ChartData, StripSeriesArePrefilledWithTheLastSecondsAndKeepTheirLength)
{
    CDataSeriesArray data;
    data.SetChartType(16);
    double before = (double)time(nullptr);
    ASSERT_EQ(0, data.AddDataSeries("온도", RGB(0, 200, 0)));
    double after = (double)time(nullptr);
    CDataSeries* series = data.GetDataSeries(0);
    ASSERT_EQ(16, series->GetCount());
    for (int i = 0; i < 16; ++i) {
        CDataPoint* p = series->GetAt(i);
        EXPECT_EQ(0.0, p->m_dY);
        EXPECT_EQ(RGB(0, 200, 0), p->m_Color);
        EXPECT_EQ(0, p->m_nSeries);
        if (i > 0) {
            EXPECT_EQ(1.0, p->m_dX - series->GetAt(i - 1)->m_dX);
        }
    }
    EXPECT_GE(series->GetAt(15)->m_dX, before);
    EXPECT_LE(series->GetAt(15)->m_dX, after);

    CDataPoint first(after + 1, 5.0, 0, "");
    EXPECT_EQ(0, data.AddDataPoint(&first, 0));
    EXPECT_EQ(17, data.GetNumOfDataPoints(0));
    for (int k = 2; k <= 4; ++k) {
        double previousNewest = series->GetAt(16)->m_dX, previousValue = series->GetAt(16)->m_dY;
        CDataPoint next(after + k, 5.0 + k, 0, "");
        EXPECT_EQ(1, data.AddDataPoint(&next, 0)) << k;
        EXPECT_EQ(1, data.DataRemoved());
        EXPECT_EQ(17, data.GetNumOfDataPoints(0));
        EXPECT_EQ(after + k, series->GetAt(16)->m_dX);  // the newest keeps its time
        EXPECT_EQ(previousNewest - 1.0, series->GetAt(15)->m_dX);  // the others move back a second
        EXPECT_EQ(previousValue, series->GetAt(15)->m_dY);
    }
}

TEST(ChartData, RemovingAPointMovesTheLaterOnesBack)
{
    CDataSeriesArray data;
    data.AddDataSeries("a", 0);
    AddPoints(data, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(0, data.RemoveDataPoint(3, 0));
    CDataSeries* series = data.GetDataSeries(0);
    ASSERT_EQ(9, series->GetCount());
    for (int i = 0; i < 9; ++i) {
        double y = i < 3 ? i : i + 1;  // the values stay; x closes the gap
        EXPECT_EQ(y, series->GetAt(i)->m_dY);
        EXPECT_EQ(i < 3 ? i : y - 1.0, series->GetAt(i)->m_dX);
    }
    EXPECT_EQ(1, data.RemoveDataPoint(9, 0));
    EXPECT_EQ(9, series->GetCount());
    EXPECT_TRUE(ThrowsInvalidArgument([&] { series->RemoveDataPoint(-1); }));
}

TEST(ChartData, StatisticsFollowRemovalsAndPurges)
{
    CDataSeriesArray data;
    data.AddDataSeries("negative", 0);
    AddPoints(data, 0, {-5, -3, -8});
    double min = 0, max = 0;
    data.GetRangeInDataSeries(0, min, max, AXIS_Y);
    EXPECT_EQ(-8, min);
    EXPECT_EQ(-3, max);
    data.RemoveDataPoint(1, 0);
    data.GetRangeInDataSeries(0, min, max, AXIS_Y);
    EXPECT_EQ(-5, max);
    data.GetYAxisRange(min, max);
    EXPECT_EQ(-8, min);
    EXPECT_EQ(-5, max);
    data.GetDataSeries(0)->Purge();
    AddPoints(data, 0, {-7, -4});
    data.GetRangeInDataSeries(0, min, max, AXIS_Y);
    EXPECT_EQ(-7, min);
    EXPECT_EQ(-4, max);
    data.GetRangeInDataSeries(0, min, max, AXIS_X);
    EXPECT_EQ(0, min);
    EXPECT_EQ(1, max);

    data.AddDataSeries("second", 0);
    AddPoints(data, 1, {10, 20, 30, 40});
    data.GetXAxisRange(min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(3, max);
    data.GetYAxisRange(min, max);
    EXPECT_EQ(-7, min);
    EXPECT_EQ(40, max);
    EXPECT_EQ(4, data.GetMaxInAllSeries());
    data.Purge();
    EXPECT_EQ(0, data.GetCount());
    data.GetYAxisRange(min, max);
    EXPECT_EQ(DBL_MAX, min);
    EXPECT_EQ(-DBL_MAX, max);
}

TEST(ChartData, SerialsCountUpAndStartAgainAfterAPurge)
{
    CDataSeries series;
    CDataPoint p(0, 1, 0, "");
    series.AddDataPoint(&p);
    series.AddDataPoint(&p);
    EXPECT_EQ(1, series.GetAt(1)->m_nSerial);
    EXPECT_EQ(-1, p.m_nSerial);  // the caller's point is left alone
    series.Purge();
    series.AddDataPoint(&p);
    EXPECT_EQ(0, series.GetAt(0)->m_nSerial);
}

TEST(ChartData, HeightAndElevationAreClamped)
{
    struct Case {
        double given, height, elevation;
    } cases[] = {{150, 100, 49.5}, {1, 1, 5}, {-3, 0, 5}, {30, 30, 30}, {49.5, 49.5, 49.5}, {100, 100, 49.5}};
    for (const Case& c : cases) {
        CDataSeriesArray data;
        data.SetHeight(c.given);
        data.SetElevation(c.given);
        EXPECT_EQ(c.height, data.GetHeight()) << c.given;
        EXPECT_EQ(c.elevation, data.GetElevation()) << c.given;
    }
}

TEST(ChartData, SeriesIndexesOutsideTheListChangeNothing)
{
    CDataSeriesArray data;
    data.AddDataSeries("only", RGB(4, 5, 6));
    AddPoints(data, 0, {1, 2});
    for (int series : {-1, 1, 7}) {
        CDataPoint p(0, 9, 0, "");
        EXPECT_EQ(0, data.AddDataPoint(&p, series)) << series;
        EXPECT_EQ(1, data.RemoveDataPoint(0, series)) << series;
        EXPECT_EQ(0, data.GetNumOfDataPoints(series)) << series;
        double min = 42, max = 43;
        data.GetRangeInDataSeries(series, min, max, AXIS_Y);
        EXPECT_EQ(42, min);
        EXPECT_EQ(43, max);
    }
    EXPECT_EQ(2, data.GetNumOfDataPoints(0));
    data.SetColor(RGB(1, 1, 1), -1);
    EXPECT_EQ(0u, data.GetColor(-1));
    EXPECT_EQ(RGB(4, 5, 6), data.GetColor(0));
    data.SetCaption("x", -1);
    EXPECT_STREQ("", data.GetCaption(-1));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { data.GetColor(1); }));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { data.SetCaption("x", 1); }));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { data.GetDataSeries(3); }));
}
