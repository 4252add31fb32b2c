// The chart axes: stored values and offsets, scale marks, colour helpers,
// label thinning, planes, graticules, the time axis and hostile settings.
#include <gtest/gtest.h>

#include "ChartCanvas.h"
#include "chart/2DScale.h"
#include "support/GeometryPrinters.h"

#include <cmath>
#include <limits>
#include <memory>

using charttest::Canvas;

namespace {

const double kEps = 2.220446049250313e-16;
const COLORREF kLine = RGB(255, 255, 255);

// An axis object with the canvas font and only the given styles.
struct Axes {
    C2DScale scale;
    explicit Axes(Canvas& canvas, DWORD xStyle = AXIS_X | AXIS_NEAR_SIDE, DWORD yStyle = AXIS_Y | AXIS_NEAR_SIDE)
    {
        scale.m_pFont = &canvas.font();
        scale.m_pVertFont = &canvas.font();
        scale.SetStyle(xStyle);
        scale.SetStyle(yStyle);
        scale.SetStyle(AXIS_CHART | CHART_STYLE_AXES);
        scale.SetDepth(0);
    }
};

}  // namespace

TEST(ChartAxes, SetAxisScaleStoresShiftedValues)
{
    struct Case {
        AXIS axis;
        double min, max;
        double storedMin, storedMax, offset;
    } cases[] = {
        {AXIS_X, -5, 5, 0, 10, 5},
        {AXIS_X, 3, 8, 3, 8, 0},  // X is shifted only for a negative minimum
        {AXIS_Y, 2, 8, 0, 6, -2},
        {AXIS_Y, -4, 4, 0, 8, 4},
        {AXIS_X, 0, 0, 0, 2 * kEps, kEps},
        {AXIS_Y, 0, 0, 0, 2 * kEps, kEps},
    };
    for (const Case& c : cases) {
        C2DScale scale;
        double min = c.min, max = c.max;
        scale.SetAxisScale(c.axis, min, max);
        EXPECT_DOUBLE_EQ(c.storedMin, min) << c.min << ".." << c.max;
        EXPECT_DOUBLE_EQ(c.storedMax, max) << c.min << ".." << c.max;
        double gotMin = -1, gotMax = -1;
        scale.GetAxisScale(c.axis, gotMin, gotMax);
        EXPECT_DOUBLE_EQ(c.storedMin, gotMin);
        EXPECT_DOUBLE_EQ(c.storedMax, gotMax);
        EXPECT_DOUBLE_EQ(c.offset, scale.GetAxisOffset(c.axis));
    }
}

TEST(ChartAxes, VerticalScalingChangeComparesWithThePreviousRange)
{
    C2DScale scale;
    double min = 2, max = 8;
    scale.SetAxisScale(AXIS_Y, min, max);
    EXPECT_EQ(1, scale.HasVerticalScalingChanged());  // 0..6 after 0..10
    min = 12, max = 18;
    scale.SetAxisScale(AXIS_Y, min, max);
    EXPECT_EQ(0, scale.HasVerticalScalingChanged());  // 0..6 again
    min = 7;
    max = 8;
    scale.SetAxisScale(AXIS_X, min, max);
    EXPECT_EQ(0, scale.HasVerticalScalingChanged());
}

TEST(ChartAxes, StylesBySelector)
{
    C2DScale scale;
    EXPECT_EQ(0xB9u, scale.GetStyle(AXIS_X));
    EXPECT_EQ(0x4B9u, scale.GetStyle(AXIS_Y));
    EXPECT_EQ(0u, scale.GetStyle(AXIS_CHART));
    EXPECT_EQ(0u, scale.GetStyle(0x40000000));
    scale.SetStyle(AXIS_X | AXIS_Y | 0x13);
    EXPECT_EQ(AXIS_X | AXIS_Y | 0x13u, scale.GetStyle(AXIS_X));
    EXPECT_EQ(AXIS_X | AXIS_Y | 0x13u, scale.GetStyle(AXIS_Y));
    scale.ClearStyle(AXIS_X | 0x10);
    EXPECT_EQ(AXIS_Y | 0x3u, scale.GetStyle(AXIS_X));
    EXPECT_EQ(AXIS_X | AXIS_Y | 0x13u, scale.GetStyle(AXIS_Y));
    double minor = 0, major = 0;
    scale.GetScaleStep(AXIS_Y, minor, major);
    EXPECT_EQ(1.0, minor);
    EXPECT_EQ(5.0, major);
    scale.SetScaleStep((AXIS)0x40000000, 7, 9);
    scale.GetScaleStep((AXIS)0x40000000, minor, major);  // unknown selectors leave both alone
    EXPECT_EQ(5.0, major);
}

TEST(ChartAxes, RoundToScaleMark)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        int down;
        double expected;
    } cases[] = {
        {1, 1, 1},   {3, 1, 2},   {7.5, 1, 7},  {10, 1, 9},   {12, 1, 10},  {1, 0, 2},
        {3, 0, 3},   {7.5, 0, 8}, {10, 0, 10},  {12, 0, 20},  {-3, 1, -3}, {-3, 0, -2},
        {0, 1, 0},   {0, 0, 0},   {0.25, 0, 0.3}, {450, 1, 400}, {3, 2, 0},   {inf, 0, 0},
        {-inf, 1, 0}, {std::nan(""), 0, 0}, {1e-320, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.expected, RoundToScaleMark(c.v, c.down), 1e-12 + std::fabs(c.expected) * 1e-12)
            << c.v << " down " << c.down;
}

TEST(ChartAxes, ColourHelpers)
{
    struct Case {
        COLORREF c, darker, half;
    } cases[] = {
        {RGB(100, 150, 200), RGB(70, 120, 170), RGB(50, 75, 100)},
        {RGB(10, 30, 31), RGB(0, 0, 1), RGB(5, 15, 15)},
        {0x01FFFFFF, RGB(225, 225, 225), RGB(127, 127, 127)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.darker, DarkenColor(c.c));
        EXPECT_EQ(c.half, HalfColor(c.c));
    }
}

TEST(ChartAxes, LabelsThatWouldNotFitAreThinnedByDoublingTheStep)
{
    Canvas canvas(700, 200);
    Axes axes(canvas, AXIS_X | AXIS_NEAR_SIDE | AXIS_LABELS);
    CString format = "%.0f";
    axes.scale.SetAxisFormatString(AXIS_X, format);
    double min = 0, max = 100;
    axes.scale.SetAxisScale(AXIS_X, min, max);
    axes.scale.SetScaleStep(AXIS_X, 1, 5);
    // The usable width holds ten of the widest labels but not twenty.
    const int widest = canvas.Measure("100").cx;
    const int margin = widest / 2;
    CRect rect(0, 0, 10 * widest + 2 * margin + 1, 150);
    axes.scale.DrawAxis(&canvas.dc(), &rect);
    ASSERT_EQ(10 * widest + 1, rect.Width());
    const int labelTop = rect.bottom + canvas.Measure("0").cy / 2 + 3;
    auto labelInk = [&](double value, int halfWidth) {
        int x = axes.scale._XValueToPixel(value);
        return canvas.Ink(CRect(x - halfWidth, labelTop, x + halfWidth + 1, labelTop + canvas.Measure("0").cy));
    };
    EXPECT_GT(labelInk(10, widest / 2), 0);
    EXPECT_GT(labelInk(50, widest / 2), 0);
    EXPECT_EQ(0, labelInk(5, 2));
    EXPECT_EQ(0, labelInk(45, 2));
}

TEST(ChartAxes, FloorWallAndBackPlaneColours)
{
    const COLORREF fill = RGB(100, 150, 200);
    for (bool filled : {true, false}) {
        Canvas canvas(300, 240);
        Axes axes(canvas);
        axes.scale.SetDepth(30);  // 15 px each way at 30 degrees
        if (filled)
            axes.scale.SetChartFillColor(fill);
        CRect rect(20, 20, 280, 220);
        axes.scale.DrawAxis(&canvas.dc(), &rect);
        const COLORREF floor = canvas.At(rect.left + 100, rect.bottom - 7);
        const COLORREF wall = canvas.At(rect.left + 7, rect.top + 100);
        const COLORREF back = canvas.At(rect.left + 100, rect.top + 60);
        if (filled) {
            EXPECT_EQ(RGB(70, 120, 170), floor);
            EXPECT_EQ(RGB(40, 90, 140), wall);
            EXPECT_EQ(fill, back);
        } else {
            EXPECT_EQ(RGB(0, 0, 0), floor);
            EXPECT_EQ(RGB(0, 0, 0), wall);
            EXPECT_EQ(RGB(0, 0, 0), back);
            EXPECT_GT(canvas.Count(canvas.bounds(), kLine), 0);  // the frame lines
        }
    }
}

TEST(ChartAxes, FlatAxesRunAlongTheBottomAndTheLeft)
{
    Canvas canvas(200, 160);
    Axes axes(canvas);
    CRect rect(10, 10, 190, 150);
    axes.scale.DrawAxis(&canvas.dc(), &rect);
    EXPECT_EQ(CRect(10, 10, 190, 150), rect);
    EXPECT_EQ(kLine, canvas.At(100, 150));
    EXPECT_EQ(kLine, canvas.At(10, 80));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(100, 80));
}

TEST(ChartAxes, ZeroLineForANegativeRealMinimum)
{
    for (bool zeroLine : {true, false}) {
        Canvas canvas(200, 160);
        DWORD y = AXIS_Y | AXIS_NEAR_SIDE | AXIS_MAJOR_GRID | (zeroLine ? AXIS_ZERO_LINE : 0);
        Axes axes(canvas, AXIS_X | AXIS_NEAR_SIDE, y);
        double min = -3, max = 7;
        axes.scale.SetAxisScale(AXIS_Y, min, max);
        axes.scale.SetScaleStep(AXIS_Y, 1, 5);
        CRect rect(10, 10, 190, 150);
        axes.scale.DrawAxis(&canvas.dc(), &rect);
        int zeroRow = axes.scale._YValueToPixel(3);  // the stored value of a real 0
        EXPECT_EQ(zeroLine, canvas.At(100, zeroRow) == kLine) << zeroLine;
        EXPECT_EQ(kLine, canvas.At(100, axes.scale._YValueToPixel(5)));  // real 2
    }
}

TEST(ChartAxes, WithoutTheAxesBitNothingIsDrawnButTheTextColourIsSet)
{
    Canvas canvas(200, 160);
    C2DScale scale;
    scale.m_pFont = &canvas.font();
    scale.SetLineColor(RGB(1, 2, 3));
    CRect rect(10, 10, 190, 150);
    scale.DrawAxis(&canvas.dc(), &rect);
    EXPECT_EQ(CRect(10, 10, 190, 150), rect);
    EXPECT_EQ(0, canvas.Ink(canvas.bounds()));
    EXPECT_EQ(RGB(1, 2, 3), canvas.dc().GetTextColor());
}

TEST(ChartAxes, StepsThatDoNotAdvanceDrawOnlyTheFirstMark)
{
    const DWORD everything = AXIS_NEAR_SIDE | AXIS_LABELS | AXIS_MAJOR_GRID | AXIS_MAJOR_TICKS | AXIS_TICKS_OUTSIDE;
    auto draw = [&](double xMajor, double yMajor, double yMin, double yMax) {
        auto canvas = std::make_unique<Canvas>(240, 180);
        Axes axes(*canvas, AXIS_X | everything, AXIS_Y | everything);
        axes.scale.SetScaleStep(AXIS_X, xMajor, xMajor);
        axes.scale.SetScaleStep(AXIS_Y, yMajor, yMajor);
        axes.scale.SetAxisScale(AXIS_Y, yMin, yMax);
        CRect rect(5, 5, 235, 175);
        axes.scale.DrawAxis(&canvas->dc(), &rect);
        return canvas->Pixels();
    };
    // Negative steps walk like positive ones.
    EXPECT_EQ(draw(5, 2, 0, 10), draw(-5, -2, 0, 10));
    // Zero steps, and ranges that are not numbers, finish.
    draw(0, 0, 0, 10);
    draw(1e-300, 1e-300, 0, 10);
    draw(5, 2, 0, std::numeric_limits<double>::infinity());
    draw(5, 2, std::nan(""), 10);
}

TEST(ChartAxes, PixelMapsOfEmptyOrForeignValuesStayAtTheMinimumEdge)
{
    Canvas canvas(200, 160);
    Axes axes(canvas);
    double min = 1e20, max = 1e20;
    axes.scale.SetAxisScale(AXIS_X, min, max);  // the epsilon cannot separate these
    min = max = 1e20;
    axes.scale.SetAxisScale(AXIS_Y, min, max);
    CRect rect(10, 10, 190, 150);
    axes.scale.DrawAxis(&canvas.dc(), &rect);
    EXPECT_EQ(rect.left, axes.scale._XValueToPixel(1e20));
    EXPECT_EQ(rect.bottom, axes.scale._YValueToPixel(5));
    min = 0, max = 10;
    axes.scale.SetAxisScale(AXIS_X, min, max);
    EXPECT_EQ(rect.left, axes.scale._XValueToPixel(std::nan("")));
    EXPECT_GT(axes.scale._XValueToPixel(1e300), rect.right);
    EXPECT_LT(axes.scale._XValueToPixel(-1e300), rect.left);
}

TEST(ChartAxes, LabelFormatsOtherThanOneNumberFallBackToPlainNumbers)
{
    auto draw = [](const char* format) {
        auto canvas = std::make_unique<Canvas>(240, 180);
        Axes axes(*canvas, AXIS_X | AXIS_NEAR_SIDE | AXIS_LABELS, AXIS_Y | AXIS_NEAR_SIDE | AXIS_LABELS);
        CString text = format;
        axes.scale.SetAxisFormatString(AXIS_X, text);
        axes.scale.SetAxisFormatString(AXIS_Y, text);
        CRect rect(5, 5, 235, 175);
        axes.scale.DrawAxis(&canvas->dc(), &rect);
        return canvas->Pixels();
    };
    const auto plain = draw("%f");
    for (const char* hostile : {"%s", "%d %f", "%f %f", "%n", "%*f", "%Lf", "%d"})
        EXPECT_EQ(plain, draw(hostile)) << hostile;
    EXPECT_NE(plain, draw("%.1f"));
    EXPECT_NE(plain, draw("-"));  // a fixed text is safe and shown as it is
}

TEST(ChartAxes, TimeAxisLabelsAreLocalTimes)
{
    auto draw = [](const char* zone, const char* format) {
        charttest::PinnedTimeZone tz(zone);
        auto canvas = std::make_unique<Canvas>(400, 180);
        Axes axes(*canvas, AXIS_X | AXIS_NEAR_SIDE | AXIS_LABELS | AXIS_MAJOR_GRID | AXIS_TICKS_OUTSIDE);
        axes.scale.SetStyle(AXIS_CHART | CHART_STYLE_AXES | 0x100);
        if (format) {
            CString text = format;
            axes.scale.SetAxisFormatString(AXIS_X, text);
        }
        double min = 0, max = 60;  // the first minute of 1970
        axes.scale.SetAxisScale(AXIS_X, min, max);
        CRect rect(5, 5, 395, 175);
        axes.scale.DrawAxis(&canvas->dc(), &rect);
        return canvas->Pixels();
    };
    const auto utc = draw("UTC", nullptr);
    EXPECT_EQ(utc, draw("UTC", "00:%M:%S"));  // the default format is %H:%M:%S
    EXPECT_NE(utc, draw("Asia/Seoul", nullptr));
}

TEST(ChartAxes, RemovedPointsAlignTimeLabels)
{
    charttest::PinnedTimeZone tz("UTC");
    auto draw = [](int removed) {
        auto canvas = std::make_unique<Canvas>(400, 180);
        Axes axes(*canvas, AXIS_X | AXIS_NEAR_SIDE | AXIS_LABELS | AXIS_MAJOR_GRID | AXIS_TICKS_OUTSIDE);
        axes.scale.SetStyle(AXIS_CHART | CHART_STYLE_AXES | 0x200);
        axes.scale.NotifyRemovedDataPoint(removed);
        double min = 1000003, max = 1000063;
        axes.scale.SetAxisScale(AXIS_X, min, max);
        CRect rect(5, 5, 395, 175);
        axes.scale.DrawAxis(&canvas->dc(), &rect);
        return canvas->Pixels();
    };
    EXPECT_NE(draw(0), draw(1));
}
