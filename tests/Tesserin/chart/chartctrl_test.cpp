// The chart control: chart types, 3-D settings, layout, forwarding to the
// legend and parent, automatic scales, printing and bitmap export.
#include <gtest/gtest.h>

#include "chart/VXChartCtrl.h"
#include "image/BMPFile.h"
#include "mivo/paths.h"
#include "mivo/testing/printdlg.h"
#include "support/GeometryPrinters.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using mivo::test::MessageRecorder;
using mivotest::TempFolder;

namespace {

const int kWidth = 500, kHeight = 400;

struct ControlFixture {
    MessageRecorder recorder;
    HWND host = mivo::test::CreateTestWindow("chart host", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight);
    CVXChartCtrl chart;

    ControlFixture() { chart.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(host), 1000); }
    ~ControlFixture()
    {
        chart.DestroyWindow();
        ::DestroyWindow(host);
    }
    void Add(int series, double x, double y, COLORREF colour = RGB(200, 0, 0), const char* caption = "p")
    {
        CDataPoint p(x, y, colour, caption);
        chart.AddDataPoint(&p, series);
    }
};

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Le32(const std::string& data, size_t at)
{
    return (uint8_t)data[at] | (uint8_t)data[at + 1] << 8 | (uint8_t)data[at + 2] << 16 | (uint32_t)(uint8_t)data[at + 3] << 24;
}

// Answers the print dialog for as long as it lives.
struct PrintAnswer {
    explicit PrintAnswer(mivo::PrintDialogAnswer answer)
    {
        mivo::SetPrintDialogHook([answer](const PRINTDLGA&, mivo::PrintDialogAnswer& out) { out = answer; });
    }
    ~PrintAnswer() { mivo::SetPrintDialogHook(nullptr); }
};

struct Rendered {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    COLORREF At(int x, int y) const
    {
        const uint8_t* p = &rgb[((size_t)y * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

bool RenderFirstPage(const std::string& pdf, int dpi, const std::string& prefix, Rendered& out)
{
    std::string cmd = "pdftoppm -r " + std::to_string(dpi) + " -f 1 -l 1 -singlefile '" + pdf + "' '" + prefix +
                      "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0)
        return false;
    std::string data = ReadAll(prefix + ".ppm");
    std::istringstream in(data);
    std::string magic;
    int maxval = 0;
    in >> magic >> out.width >> out.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255)
        return false;
    out.rgb.assign(data.begin() + (std::ptrdiff_t)in.tellg(), data.end());
    return out.rgb.size() >= (size_t)out.width * out.height * 3;
}

}  // namespace

TEST(ChartControl, CreatesItsFourParts)
{
    ControlFixture f;
    struct Part {
        int id;
        CWnd* window;
    } parts[] = {{101, &f.chart.GetPlot()}, {102, &f.chart.GetHeader()}, {103, &f.chart.GetFooter()},
                 {104, &f.chart.GetLegend()}};
    for (const Part& p : parts) {
        ASSERT_NE(nullptr, p.window->GetSafeHwnd()) << p.id;
        EXPECT_EQ(p.id, p.window->GetDlgCtrlID());
        EXPECT_TRUE(p.window->IsWindowVisible()) << p.id;
    }
    EXPECT_EQ(10, f.chart.GetPlot().GetFontSize());
    EXPECT_STREQ("Arial", f.chart.GetHeader().GetFontFace());
    EXPECT_EQ(RGB(255, 255, 255), f.chart.GetFooter().GetTextColor());
    EXPECT_EQ(RGB(0, 0, 0), f.chart.GetWindowColor());
    EXPECT_EQ(0x108u, f.chart.GetStyle());
}

TEST(ChartControl, StripCodesAndTheirKinds)
{
    ControlFixture f;
    EXPECT_EQ(256, f.chart.SetChartType(256));
    EXPECT_EQ(256, f.chart.GetChartType());
    EXPECT_EQ(16, f.chart.GetPlot().GetData().GetStripLength());
    EXPECT_EQ(512, f.chart.SetChartType(512));
    EXPECT_EQ(16, f.chart.GetPlot().GetData().GetStripLength());
    EXPECT_EQ(0x80000201u, f.chart.GetPlot().GetAxis().GetStyle(AXIS_CHART));
    EXPECT_EQ(256, f.chart.SetChartType(61));
    EXPECT_EQ(0x80000101u, f.chart.GetPlot().GetAxis().GetStyle(AXIS_CHART));
}

TEST(ChartControl, ThreeDimensionalSettingsFollowTheChartType)
{
    ControlFixture f;
    f.chart.SetChartType(2);
    f.chart.SetChartType(2);
    EXPECT_EQ(50, f.chart.GetDepth());
    EXPECT_EQ(50.0, f.chart.GetHorzRotation());
    EXPECT_EQ(50.0, f.chart.GetVertRotation());
    EXPECT_EQ(0x1E3u, f.chart.GetAxisStyleX());
    f.chart.SetDepth(20);
    EXPECT_EQ(20, f.chart.GetDepth());
    f.chart.SetChartType(1);
    EXPECT_EQ(0, f.chart.GetDepth());
    EXPECT_EQ(0.0, f.chart.GetHorzRotation());
    f.chart.SetDepth(40);
    f.chart.SetHorzRotation(10);
    EXPECT_EQ(0, f.chart.GetDepth());
    EXPECT_EQ(0.0, f.chart.GetHorzRotation());
    EXPECT_EQ(0x80000001u, f.chart.GetPlot().GetAxis().GetStyle(AXIS_CHART));
    f.chart.SetChartType(5);
    EXPECT_EQ(0x80000002u, f.chart.GetPlot().GetAxis().GetStyle(AXIS_CHART));
}

TEST(ChartControl, WithoutALegendHeaderAndFooterTakeATenthEach)
{
    ControlFixture f;
    f.chart.ShowLegend(FALSE);
    EXPECT_EQ(CRect(0, 0, kWidth, 40), f.chart.GetHeaderRect());
    EXPECT_EQ(CRect(0, 360, kWidth, kHeight), f.chart.GetFooterRect());
    EXPECT_EQ(CRect(0, 40, kWidth, 360), f.chart.GetChartRect());
    EXPECT_TRUE(f.chart.GetLegendRect().IsRectEmpty());
    CRect plot;
    f.chart.GetPlot().GetWindowRect(&plot);
    f.chart.ScreenToClient(&plot);
    EXPECT_EQ(CRect(0, 40, kWidth, 360), plot);
    f.chart.ShowHeader(FALSE);
    f.chart.ShowFooter(FALSE);
    EXPECT_EQ(CRect(0, 0, kWidth, kHeight), f.chart.GetChartRect());
}

TEST(ChartControl, ASidewaysLegendSpansBetweenHeaderAndFooter)
{
    ControlFixture f;
    f.chart.SetChartType(1);
    f.chart.AddDataSeries("Sales", RGB(0, 200, 0));
    f.Add(0, 0, 3, RGB(200, 0, 0), "Jan");
    f.Add(0, 1, 4, RGB(0, 0, 200), "Feb");
    f.chart.SetLegendPosition(CHART_LEFT);
    f.chart.SetLegendAutoHide(100, 100);
    const CRect legend = f.chart.GetLegendRect();
    EXPECT_EQ(40, legend.top);
    EXPECT_EQ(360, legend.bottom);
    EXPECT_EQ(0, legend.left);
    EXPECT_GT(legend.right, 20);
    EXPECT_EQ(legend.right, f.chart.GetChartRect().left);
    EXPECT_EQ(40, f.chart.GetChartRect().top);
}

TEST(ChartControl, LegendAtTheBottomHidesWhenTooTall)
{
    ControlFixture f;
    f.chart.SetChartType(1);
    f.chart.AddDataSeries("s", 0);
    for (int i = 0; i < 40; ++i)
        f.Add(0, i, i, RGB(200, 0, 0), "A long caption for a point");
    f.chart.ShowLegend(TRUE);  // auto-hide 20 / 10: more than a tenth of the height
    EXPECT_EQ(kHeight, f.chart.GetLegendRect().top);
    EXPECT_EQ(f.chart.GetFooterRect().bottom, kHeight);
}

TEST(ChartControl, PointsOfTheFirstSeriesBecomeLegendItems)
{
    ControlFixture f;
    f.chart.SetChartType(1);
    f.chart.AddDataSeries("a", RGB(1, 1, 1));
    f.chart.AddDataSeries("b", RGB(2, 2, 2));
    f.Add(0, 0, 1);
    f.Add(0, 1, 2);
    f.Add(1, 0, 5);
    EXPECT_EQ(2, f.chart.GetLegend().GetPointItemCount());
    EXPECT_EQ(2, f.chart.GetLegend().GetSeriesItemCount());
    EXPECT_EQ(2, f.chart.GetCount());
    f.chart.GetDataSeries(0)->SetMaxNumDataPoints(2);
    f.Add(0, 2, 3);
    f.Add(0, 3, 3);
    EXPECT_EQ(3, f.chart.GetNumOfDataPoints(0));
    EXPECT_EQ(3, f.chart.GetLegend().GetPointItemCount());  // the dropped point's item went with it
    f.chart.Purge();
    EXPECT_EQ(0, f.chart.GetCount());
    EXPECT_EQ(0, f.chart.GetLegend().GetPointItemCount());
}

TEST(ChartControl, UnansweredPopupRequestsShowThePresetText)
{
    ControlFixture f;
    f.chart.SetChartType(5);
    f.chart.AddDataSeries("s", 0);
    f.Add(0, 0, 1);
    f.chart.UpdateWindow();
    CRect plot = f.chart.GetChartRect();
    f.chart.GetPlot().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(plot.Width() / 2, plot.Height() / 2));
    CString shown;
    f.chart.GetPlot().GetPopup().GetWindowText(shown);
    EXPECT_STREQ("MessageTextHere", shown);
    EXPECT_EQ(1, f.recorder.Count(f.host, WM_CHART_GET_POPUP_TEXT));
}

TEST(ChartControl, AxisScaleFixedByTheProgram)
{
    ControlFixture f;
    f.chart.SetAxisStyleY(0x4B9 | AXIS_AUTO_SCALE);
    EXPECT_EQ(0x5B9u, f.chart.GetAxisStyleY());
    f.chart.SetAxisScale(AXIS_Y, -2, 8);
    EXPECT_EQ(0x4B9u, f.chart.GetAxisStyleY());
    double min = 0, max = 0;
    f.chart.GetAxisScale(AXIS_Y, min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(10, max);
    f.chart.SetLineColor(RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), f.chart.GetLineColor());
    EXPECT_EQ(RGB(10, 20, 30), f.chart.GetLegend().GetTextColor());
}

TEST(ChartControl, AutomaticScalesRoundToScaleMarks)
{
    ControlFixture f;
    f.chart.SetChartType(1);
    f.chart.AddDataSeries("s", 0);
    for (int i = 0; i < 12; ++i)
        f.Add(0, i, 3 + i * 6);  // 3 .. 69
    f.chart.SetAxisStyleX(0xB9 | AXIS_AUTO_SCALE);
    f.chart.SetAxisStyleY(0x4B9 | AXIS_AUTO_SCALE);
    f.chart.UpdateWindow();
    double min = 0, max = 0, minor = 0, major = 0;
    f.chart.GetAxisScale(AXIS_X, min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(20, max);  // eleven rounds up to twenty
    f.chart.GetScaleStep(AXIS_X, minor, major);
    EXPECT_DOUBLE_EQ(2, minor);
    EXPECT_DOUBLE_EQ(4, major);
    f.chart.GetAxisScale(AXIS_Y, min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(68, max);  // 2 .. 70, stored from 0
    f.chart.GetScaleStep(AXIS_Y, minor, major);
    EXPECT_DOUBLE_EQ(7, minor);
    EXPECT_DOUBLE_EQ(14, major);
}

TEST(ChartControl, AutomaticScalesOverEmptyZeroAndNegativeDataStillPaint)
{
    struct Case {
        const char* name;
        int type;
        std::vector<double> ys;
    } cases[] = {
        {"empty line", 1, {}},         {"zeros", 1, {0, 0, 0}},    {"negatives", 1, {-5, -2, -9}},
        {"empty bar", 2, {}},          {"zero bar", 2, {0, 0}},    {"new strip", 16, {}},
        {"new strip area", 17, {}},    {"one point", 513, {4}},    {"zero pie", 5, {0, 0}},
    };
    for (const Case& c : cases) {
        ControlFixture f;
        f.chart.SetChartType(c.type);
        f.chart.AddDataSeries("s", RGB(0, 200, 0));
        for (size_t i = 0; i < c.ys.size(); ++i)
            f.Add(0, (double)i, c.ys[i]);
        f.chart.SetAxisStyleX(0xB9 | AXIS_AUTO_SCALE);
        f.chart.SetAxisStyleY(0x4B9 | AXIS_AUTO_SCALE);
        f.chart.UpdateWindow();
        f.chart.SendMessage(WM_CHART_UPDATE, 0, 0);
        SUCCEED() << c.name;
    }
}

TEST(ChartControl, StripAreaChartScrollsFromItsFirstPointOn)
{
    ControlFixture f;
    f.chart.SetChartType(17);
    f.chart.ShowLegend(FALSE);
    f.chart.AddDataSeries("load", RGB(0, 200, 0));
    f.chart.SetAxisStyleX(0xB9 | AXIS_AUTO_SCALE);
    f.chart.SetAxisScale(AXIS_Y, 0, 10);
    f.chart.UpdateWindow();
    double start = (double)time(nullptr);
    for (int k = 1; k <= 25; ++k) {
        f.Add(0, start + k, 1 + k % 7);
        f.chart.UpdateWindow();
    }
    EXPECT_EQ(17, f.chart.GetNumOfDataPoints(0));
    // The newest segment is drawn at the right end of the data area.
    CClientDC dc(&f.chart.GetPlot());
    CRect plot;
    f.chart.GetPlot().GetClientRect(&plot);
    int green = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = plot.right - 80; x < plot.right; ++x)
            if (dc.GetPixel(x, y) == RGB(0, 200, 0))
                ++green;
    EXPECT_GT(green, 50);
}

TEST(ChartControl, ExportWritesABitmapFileOurLoaderReads)
{
    TempFolder folder("mivo-chart");
    ControlFixture f;
    f.chart.SetChartType(2);
    f.chart.SetWindowColor(RGB(0, 0, 60));
    f.chart.AddDataSeries("s", RGB(0, 200, 0));
    f.Add(0, 0, 3, RGB(200, 0, 0), "a");
    f.Add(0, 1, 5, RGB(0, 0, 200), "b");
    f.chart.SetHeaderText(CHART_MIDDLE, "Header");
    f.chart.UpdateWindow();
    CString path = mivo::FromPosixPath(folder.file("chart.bmp")).c_str();
    ASSERT_EQ(0, f.chart.ExportBMPToFile(&path));
    std::string data = ReadAll(folder.file("chart.bmp"));
    ASSERT_GT(data.size(), 54u);
    EXPECT_EQ("BM", data.substr(0, 2));
    EXPECT_EQ(data.size(), Le32(data, 2));
    EXPECT_EQ(54u, Le32(data, 10));  // a 32-bit surface has no colour table
    EXPECT_EQ(40u, Le32(data, 14));
    EXPECT_EQ((uint32_t)kWidth, Le32(data, 18));
    EXPECT_EQ(std::vector<std::string>{"chart.bmp"}, folder.names());

    CBMPFile loader;
    UINT w = 0, h = 0;
    std::unique_ptr<BYTE[]> pixels(loader.LoadBMP(path, &w, &h));
    ASSERT_TRUE(pixels);
    ASSERT_EQ((UINT)kWidth, w);
    ASSERT_EQ((UINT)kHeight, h);
    // The top-left corner is the header's colour; rows are stored bottom first.
    const BYTE* topLeft = pixels.get() + (size_t)(h - 1) * ((w * 3 + 3) & ~3u);
    EXPECT_EQ(60, topLeft[0]);
    EXPECT_EQ(0, topLeft[1]);
    EXPECT_EQ(0, topLeft[2]);
}

TEST(ChartControl, ExportToAnUnwritablePlaceFailsAndLeavesNoFile)
{
    TempFolder folder("mivo-chart");
    ControlFixture f;
    f.chart.UpdateWindow();
    CString missing = mivo::FromPosixPath(folder.file("no/such/folder/chart.bmp")).c_str();
    EXPECT_EQ(1, f.chart.ExportBMPToFile(&missing));
    EXPECT_TRUE(folder.names().empty());
    EXPECT_EQ(1, CVXChartCtrl::WriteDIB(&missing, nullptr));
    CBitmap bitmap;
    EXPECT_EQ(nullptr, CVXChartCtrl::DDBToDIB(bitmap, BI_RGB, nullptr));
    CClientDC screen(nullptr);
    bitmap.CreateCompatibleBitmap(&screen, 4, 4);
    EXPECT_EQ(nullptr, CVXChartCtrl::DDBToDIB(bitmap, BI_BITFIELDS, nullptr));
}

TEST(ChartControl, PrintsOnePageInsideHalfInchMargins)
{
    TempFolder folder("mivo-chart-print");
    ControlFixture f;
    f.chart.SetChartType(1);
    f.chart.SetHeaderText(CHART_MIDDLE, "Printed");
    f.chart.AddDataSeries("s", RGB(0, 200, 0));
    for (int i = 0; i < 5; ++i)
        f.Add(0, i, 1 + i);
    f.chart.UpdateWindow();
    mivo::PrintDialogAnswer answer;
    answer.printQuality = 600;
    answer.outputFile = mivo::FromPosixPath(folder.file("chart.pdf"));
    {
        PrintAnswer hook(answer);
        f.chart.Print();
    }
    ASSERT_TRUE(FileExists(folder.file("chart.pdf")));
    // The parts are back on the screen afterwards.
    EXPECT_EQ(CRect(0, 0, kWidth, 40), f.chart.GetHeaderRect());
    if (std::system("command -v pdftoppm >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm is not installed; the page is not rendered back";
    Rendered page;
    ASSERT_TRUE(RenderFirstPage(folder.file("chart.pdf"), 60, folder.file("page"), page));
    // 600 dots per inch: the black header starts at (300, 300), here (30, 30).
    auto light = [&](int x, int y) { return GetRValue(page.At(x, y)) > 240 && GetBValue(page.At(x, y)) > 240; };
    auto dark = [&](int x, int y) { return GetRValue(page.At(x, y)) < 15 && GetBValue(page.At(x, y)) < 15; };
    EXPECT_TRUE(light(28, 28));
    EXPECT_TRUE(dark(32, 32));
    EXPECT_TRUE(light(page.width - 28, page.height - 28));
    EXPECT_TRUE(dark(page.width - 32, page.height - 32));
    // The header's text keeps its size in points on paper: a 10-point line is
    // about eight pixels high here, where the screen's font would give one.
    int textRows = 0;
    for (int y = 30; y < 30 + (page.height - 60) / 10; ++y) {
        bool bright = false;
        for (int x = 30; x < page.width - 30 && !bright; ++x)
            bright = GetGValue(page.At(x, y)) > 128;
        textRows += bright;
    }
    EXPECT_GE(textRows, 5);
}

TEST(ChartControl, ACancelledPrintDialogPrintsNothing)
{
    TempFolder folder("mivo-chart-print");
    ControlFixture f;
    f.chart.UpdateWindow();
    mivo::PrintDialogAnswer answer;
    answer.ok = false;
    answer.outputFile = mivo::FromPosixPath(folder.file("chart.pdf"));
    PrintAnswer hook(answer);
    f.chart.Print();
    EXPECT_TRUE(folder.names().empty());
    EXPECT_FALSE(f.chart.GetPlot().IsPrinting());
}

TEST(ChartControl, ParentGetsDoubleClicksAndRightClicksInItsCoordinates)
{
    MessageRecorder recorder;
    HWND host = mivo::test::CreateTestWindow("host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    {
        CVXChartCtrl chart;
        chart.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(30, 40, 330, 240), CWnd::FromHandle(host), 7);
        for (UINT msg : {WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) {
            recorder.Clear();
            chart.SendMessage(msg, MK_CONTROL, MAKELPARAM(5, 6));
            auto all = recorder.All();
            bool found = false;
            for (const auto& m : all)
                if (m.hwnd == host && m.msg == msg) {
                    found = true;
                    EXPECT_EQ(MAKELPARAM(35, 46), m.lParam);
                    EXPECT_EQ((WPARAM)MK_CONTROL, m.wParam);
                }
            EXPECT_TRUE(found) << msg;
        }
        chart.DestroyWindow();
    }
    ::DestroyWindow(host);
}

TEST(ChartControl, RemovingPointsTakesThePopupAway)
{
    ControlFixture f;
    f.chart.SetChartType(5);
    f.chart.AddDataSeries("s", 0);
    f.Add(0, 0, 1);
    f.chart.UpdateWindow();
    CRect plot = f.chart.GetChartRect();
    f.chart.GetPlot().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(plot.Width() / 2, plot.Height() / 2));
    ASSERT_NE(nullptr, f.chart.GetPlot().GetHoveredPoint());
    f.chart.RemoveDataPoint(0, 0);
    EXPECT_EQ(nullptr, f.chart.GetPlot().GetHoveredPoint());
    EXPECT_FALSE(f.chart.GetPlot().GetPopup().IsWindowVisible());
}
