// The chart's window base, title, legend, legend items and markers.
#include <gtest/gtest.h>

#include "ChartCanvas.h"
#include "chart/LegendWnd.h"
#include "chart/TitleWnd.h"
#include "support/GeometryPrinters.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

#include <memory>

using charttest::Canvas;
using mivo::test::MessageRecorder;

namespace {

const COLORREF kWindow = RGB(0, 0, 0), kText = RGB(255, 255, 255);

// A top-level window whose messages are recorded, as the parts' parent.
struct Host {
    MessageRecorder recorder;
    HWND hwnd = mivo::test::CreateTestWindow("chart host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400);
    CWnd* wnd() { return CWnd::FromHandle(hwnd); }
    ~Host() { ::DestroyWindow(hwnd); }
};

// The rectangle of a child window in its parent's client coordinates.
CRect PlaceOf(CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    child.GetParent()->ScreenToClient(&r);
    return r;
}

}  // namespace

TEST(ChartWindows, MouseClicksReachTheParentInItsCoordinates)
{
    Host host;
    CTitleWnd title;
    ASSERT_TRUE(title.Create(nullptr, "", 0x50000000, CRect(10, 20, 110, 60), host.wnd(), 102));
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
        host.recorder.Clear();
        title.SendMessage(msg, MK_SHIFT, MAKELPARAM(3, 4));
        std::vector<mivo::test::RecordedMessage> got;
        for (const auto& m : host.recorder.All())
            if (m.hwnd == host.hwnd && m.msg == msg)
                got.push_back(m);
        ASSERT_EQ(1u, got.size()) << msg;
        EXPECT_EQ((WPARAM)MK_SHIFT, got[0].wParam);
        EXPECT_EQ(MAKELPARAM(13, 24), got[0].lParam);
    }
    EXPECT_TRUE(title.SendMessage(WM_ERASEBKGND, 0, 0));
}

TEST(ChartWindows, FontFacesAreCutWithoutSplittingACharacter)
{
    struct Case {
        std::string face;
        size_t kept;
    } cases[] = {
        {std::string(40, 'A'), 31},
        {"Arial", 5},
    };
    for (const Case& c : cases) {
        LOGFONT lf;
        ChartWndBase::MakeLogFont(10, c.face.c_str(), 0x1 | 0x2 | 0x4, lf);
        EXPECT_EQ(c.kept, strlen(lf.lfFaceName));
        EXPECT_EQ(100, lf.lfHeight);
        EXPECT_EQ(700, lf.lfWeight);
        EXPECT_EQ(1, lf.lfItalic);
        EXPECT_EQ(1, lf.lfUnderline);
    }
    // Twenty Korean letters take 40 bytes; fifteen fit.
    std::string korean;
    for (int i = 0; i < 20; ++i)
        korean += "가";
    LOGFONT lf;
    ChartWndBase::MakeLogFont(10, korean.c_str(), 0, lf);
    EXPECT_EQ(30u, strlen(lf.lfFaceName));
    EXPECT_EQ(400, lf.lfWeight);
    CTitleWnd title;
    EXPECT_EQ(0, title.SetFont(12, korean.c_str(), 0));
    EXPECT_EQ(30, title.GetFontFace().GetLength());
    EXPECT_EQ(12, title.GetFontSize());
    EXPECT_GT(title.GetFontHeight(), 0);
}

TEST(ChartWindows, TitleCentresItsMiddleTextAndDrawsNothingForEmptyTexts)
{
    Host host;
    CTitleWnd title;
    ASSERT_TRUE(title.Create(nullptr, "", 0x50000000, CRect(0, 0, 300, 40), host.wnd(), 102));
    title.SetFont(10, "Arial", 0);
    title.SetTextColor(kText);
    title.SetWindowColor(RGB(0, 0, 80));
    Canvas empty(300, 40);
    title.Draw(&empty.dc());
    EXPECT_EQ(300 * 40, empty.Count(empty.bounds(), RGB(0, 0, 80)));

    CString middle = "Middle";
    title.SetMText(middle);
    Canvas canvas(300, 40);
    title.Draw(&canvas.dc());
    int left = 300, right = -1;
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 40; ++y)
            if (canvas.At(x, y) != RGB(0, 0, 80)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR(150, (left + right + 1) / 2, 2);

    DWORD height = 0;
    EXPECT_EQ(0, title.CalculateWndHeight(&canvas.dc(), &height));
    CFont* font = title.GetFont();
    canvas.dc().SelectObject(font);
    EXPECT_EQ((DWORD)canvas.dc().GetTextExtent("X", 1).cy + 10, height);
}

TEST(ChartWindows, LegendItemsUseAtLeastTenPoints)
{
    CLegendText item;
    item.SetFont(8, "Arial", 0);
    EXPECT_EQ(10, item.GetFontSize());
    LOGFONT got, expected;
    item.GetItemFont()->GetLogFont(&got);
    CFont reference;
    reference.CreatePointFont(100, "Arial");
    reference.GetLogFont(&expected);
    EXPECT_EQ(expected.lfHeight, got.lfHeight);
    item.SetFont(14, "Arial", 0);
    EXPECT_EQ(14, item.GetFontSize());
}

TEST(ChartWindows, MarkerShapes)
{
    const COLORREF back = RGB(10, 10, 10), fill = RGB(0, 0, 255), border = RGB(255, 255, 0);
    struct Case {
        BYTE style;
        bool filledCentre;
    } cases[] = {{0, true}, {1, true}, {2, true}, {3, true}, {4, true}, {5, false}, {9, false}};
    Host host;
    for (const Case& c : cases) {
        CShape shape;
        ASSERT_TRUE(shape.Create(nullptr, "", 0x50000000, CRect(0, 0, 21, 21), host.wnd(), 1010));
        shape.SetBackgroundColor(back);
        shape.SetItemColor(fill);
        shape.SetBorderColor(border);
        shape.SetItemStyle(c.style);
        Canvas canvas(21, 21);
        shape.Draw(&canvas.dc());
        EXPECT_EQ(c.filledCentre ? fill : back, canvas.At(10, 12)) << int(c.style);
        EXPECT_EQ(c.style == 0 ? border : back, canvas.At(20, 20)) << int(c.style);  // only the square reaches the corner
        shape.DestroyWindow();
    }
}

TEST(ChartWindows, PlusSignOfANinePixelMarker)
{
    Host host;
    CShape shape;
    ASSERT_TRUE(shape.Create(nullptr, "", 0x50000000, CRect(0, 0, 9, 9), host.wnd(), 1010));
    const COLORREF back = RGB(10, 10, 10), fill = RGB(0, 0, 255), border = RGB(255, 255, 0);
    shape.SetBackgroundColor(back);
    shape.SetItemColor(fill);
    shape.SetBorderColor(border);
    shape.SetItemStyle(4);
    Canvas canvas(9, 9);
    shape.Draw(&canvas.dc());
    // a = 2, b = 5: the arms run from 2 to 5 across and from 0 to 8 along.
    EXPECT_EQ(border, canvas.At(2, 0));
    EXPECT_EQ(border, canvas.At(5, 0));
    EXPECT_EQ(border, canvas.At(0, 2));
    EXPECT_EQ(border, canvas.At(0, 5));
    EXPECT_EQ(border, canvas.At(8, 3));
    EXPECT_EQ(border, canvas.At(3, 8));
    EXPECT_EQ(fill, canvas.At(4, 4));
    EXPECT_EQ(fill, canvas.At(3, 1));
    EXPECT_EQ(back, canvas.At(1, 1));
    EXPECT_EQ(back, canvas.At(7, 7));
    EXPECT_EQ(back, canvas.At(0, 6));
}

TEST(ChartWindows, MarkerLineStyles)
{
    Host host;
    const COLORREF back = RGB(10, 10, 10), border = RGB(255, 255, 0);
    for (BYTE line : {5, 6, 7, 8, 9, 10}) {
        CShape shape;
        ASSERT_TRUE(shape.Create(nullptr, "", 0x50000000, CRect(0, 0, 40, 9), host.wnd(), 1010));
        shape.SetBackgroundColor(back);
        shape.SetBorderColor(border);
        shape.SetItemStyle(5);
        shape.SetLineStyle(line);
        Canvas canvas(40, 9);
        shape.Draw(&canvas.dc());
        int drawn = canvas.Count(CRect(0, 4, 40, 5), border);
        if (line == 5)
            EXPECT_EQ(0, drawn);
        else if (line == 6)
            EXPECT_EQ(39, drawn);
        else
            EXPECT_TRUE(drawn > 0 && drawn < 39) << int(line);
        shape.DestroyWindow();
    }
}

namespace {

// A legend of `n` point items named alike, in a host window.
struct LegendFixture {
    Host host;
    CLegendWnd legend;
    int itemWidth = 0, itemHeight = 0;

    explicit LegendFixture(int n)
    {
        legend.Create(nullptr, "", 0x50000000, CRect(0, 0, 10, 10), host.wnd(), 104);
        legend.SetFont(10, "Arial", 0);
        legend.SetLegendTextColor(kText);
        for (int i = 0; i < n; ++i) {
            CString caption;
            caption.Format("Item %d", i);
            legend.AddPointItem(caption, RGB(255, 0, 0));
        }
        for (int i = 0; i < n; ++i) {
            CRect r;
            legend.GetPointItem(i)->GetClientRect(&r);
            itemWidth = std::max(itemWidth, r.Width());
            itemHeight = legend.GetPointItem(0) == legend.GetPointItem(i) ? r.Height() : itemHeight;
        }
    }
    int RowWidth(int columns) const { return (columns - 1) * (itemWidth / 2) + columns * itemWidth; }
};

}  // namespace

TEST(ChartWindows, FiveItemsWithRoomForThreeAreLaidOutInTwoRows)
{
    LegendFixture f(5);
    CRect stored(0, 0, f.RowWidth(3) + 5, 200);
    f.legend.MoveWindow(&stored);
    f.legend.SetInitialWindowSize(&stored);
    CRect minimum;
    f.legend.GetMinimumWindowRect(&minimum);
    EXPECT_EQ(CRect(0, 0, f.RowWidth(3), f.itemHeight / 2 + 2 * f.itemHeight), minimum);

    Canvas canvas(stored.Width(), stored.Height());
    f.legend.Draw(&canvas.dc());
    const int x0 = (stored.Width() - f.RowWidth(3)) / 2;
    const int y0 = (stored.Height() - (f.itemHeight / 2 + 2 * f.itemHeight)) / 2;
    const int stepX = f.itemWidth / 2 + f.itemWidth, stepY = f.itemHeight / 2 + f.itemHeight;
    for (int i = 0; i < 5; ++i) {
        CRect place = PlaceOf(*f.legend.GetPointItem(i));
        EXPECT_EQ(CPoint(x0 + (i % 3) * stepX, y0 + (i / 3) * stepY), place.TopLeft()) << i;
    }
    EXPECT_GT(canvas.Count(CRect(x0, y0, x0 + f.itemWidth, y0 + f.itemHeight), RGB(255, 0, 0)), 0);
}

TEST(ChartWindows, LegendTooTallForItsShareHidesItself)
{
    LegendFixture f(5);
    // One column only: five rows, far more than a tenth of the height.
    CRect stored(0, 0, f.RowWidth(1) + 1, 300);
    f.legend.SetInitialWindowSize(&stored);
    f.legend.SetAutoHide(20, 10);
    CRect minimum(1, 1, 2, 2);
    f.legend.GetMinimumWindowRect(&minimum);
    EXPECT_TRUE(minimum.IsRectEmpty());
    f.legend.SetAutoHide(255, 255);  // capped at the whole height
    f.legend.GetMinimumWindowRect(&minimum);
    EXPECT_FALSE(minimum.IsRectEmpty());
}

TEST(ChartWindows, SidewaysLegendFillsColumnByColumn)
{
    LegendFixture f(5);
    f.legend.SetLegendPosition(CHART_LEFT);
    const int twoRows = f.itemHeight / 2 + 2 * f.itemHeight;
    CRect stored(0, 0, 400, twoRows + 1);
    f.legend.MoveWindow(&stored);
    f.legend.SetInitialWindowSize(&stored);
    CRect minimum;
    f.legend.GetMinimumWindowRect(&minimum);
    // c = 1: 5 rows; c = 2: 3 rows; c = 3: 1 + 2 = 3 rows; c = 4: 1 + 1 = 2 rows fit, so 3 columns.
    EXPECT_EQ(CRect(0, 0, f.RowWidth(3), twoRows), minimum);
    Canvas canvas(stored.Width(), stored.Height());
    f.legend.Draw(&canvas.dc());
    EXPECT_EQ(PlaceOf(*f.legend.GetPointItem(0)).left, PlaceOf(*f.legend.GetPointItem(1)).left);
    EXPECT_LT(PlaceOf(*f.legend.GetPointItem(0)).top, PlaceOf(*f.legend.GetPointItem(1)).top);
    EXPECT_LT(PlaceOf(*f.legend.GetPointItem(1)).left, PlaceOf(*f.legend.GetPointItem(2)).left);
}

TEST(ChartWindows, LegendListsAndItemColours)
{
    LegendFixture f(2);
    CString series = "Series";
    f.legend.AddSeriesItem(series, RGB(0, 255, 0));
    EXPECT_EQ(2, f.legend.GetPointItemCount());
    EXPECT_EQ(1, f.legend.GetSeriesItemCount());
    f.legend.SetLegendSeriesItemColor(RGB(1, 2, 3), 0);
    EXPECT_EQ(RGB(1, 2, 3), f.legend.GetLegendSeriesItemColor(0));
    EXPECT_EQ(0u, f.legend.GetLegendSeriesItemColor(5));
    EXPECT_EQ(RGB(255, 0, 0), f.legend.GetLegendPointItemColor(1));
    f.legend.RemovePointItem(0);
    EXPECT_EQ(1, f.legend.GetPointItemCount());
    f.legend.Purge();
    EXPECT_EQ(0, f.legend.GetPointItemCount());
    EXPECT_EQ(0, f.legend.GetSeriesItemCount());
}

TEST(ChartWindows, OnScreenPaintingStopsWhilePrinting)
{
    Host host;
    CTitleWnd title;
    ASSERT_TRUE(title.Create(nullptr, "", 0x50000000, CRect(10, 10, 110, 50), host.wnd(), 102));
    title.SetWindowColor(RGB(0, 128, 0));
    title.CWnd::Invalidate();
    title.CWnd::UpdateWindow();
    auto shown = mivo::test::CaptureWindow(host.hwnd, true);
    EXPECT_EQ(RGB(0, 128, 0), shown.At(60, 30));

    CMemDC printer;
    title.SetPrinting(&printer);
    title.SetWindowColor(RGB(128, 0, 0));
    title.CWnd::Invalidate();
    title.CWnd::UpdateWindow();
    EXPECT_EQ(RGB(0, 128, 0), mivo::test::CaptureWindow(host.hwnd, true).At(60, 30));
    title.SetPrinting(nullptr);
    title.CWnd::Invalidate();
    title.CWnd::UpdateWindow();
    EXPECT_EQ(RGB(128, 0, 0), mivo::test::CaptureWindow(host.hwnd, true).At(60, 30));
}
