// The memory DC with an origin: every drawing call lands shifted by the
// origin, regions stay shifted, and measuring with DT_CALCRECT ignores it.
#include <gtest/gtest.h>

#include "controls/MemDC.h"
#include "support/GeometryPrinters.h"

#include <functional>
#include <vector>

namespace {

const int kWidth = 80, kHeight = 60;
const COLORREF kPaper = RGB(255, 255, 255), kInk = RGB(200, 30, 40);

// A white bitmap in a CMemDC whose origin is `x`, `y`.
struct Sheet {
    CClientDC screen{nullptr};
    CRect rect{0, 0, kWidth, kHeight};
    CBitmap bitmap;
    CMemDC dc{&screen, &rect, &bitmap};
    CPen pen{PS_SOLID, 1, kInk};
    CBrush brush{kInk};
    CFont font;

    Sheet(int x, int y)
    {
        dc.FillSolidRect(&rect, kPaper);
        dc.x = x;
        dc.y = y;
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        font.CreatePointFont(100, "Arial");
        dc.SelectObject(&font);
        dc.SetTextColor(kInk);
        dc.SetBkColor(kPaper);
    }
    std::vector<COLORREF> Pixels()
    {
        std::vector<COLORREF> all;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                all.push_back(dc.GetPixel(x, y));
        return all;
    }
};

struct ShiftCase {
    const char* name;
    std::function<void(CMemDC&, int, int)> draw;  // at a position, through the origin or not
};

}  // namespace

TEST(MemDC, EveryDrawingCallLandsShiftedByTheOrigin)
{
    const int ox = 17, oy = 9;
    std::vector<ShiftCase> cases = {
        {"line", [](CMemDC& dc, int x, int y) { dc.MoveTo(x + 2, y + 3); dc.LineTo(x + 30, y + 20); }},
        {"solid rectangle", [](CMemDC& dc, int x, int y) { CRect r(x + 1, y + 1, x + 20, y + 12); dc.FillSolidRect(&r, kInk); }},
        {"text", [](CMemDC& dc, int x, int y) { dc.TextOut(x + 1, y + 1, "Ab", 2); }},
        {"drawn text", [](CMemDC& dc, int x, int y) { CRect r(x, y, x + 50, y + 30); dc.DrawText("Ab", 2, &r, DT_LEFT | DT_TOP); }},
        {"polygon", [](CMemDC& dc, int x, int y) {
             POINT p[3] = {{x + 1, y + 1}, {x + 30, y + 5}, {x + 10, y + 25}};
             dc.Polygon(p, 3);
         }},
        {"polyline", [](CMemDC& dc, int x, int y) {
             POINT p[3] = {{x + 1, y + 1}, {x + 30, y + 5}, {x + 10, y + 25}};
             dc.Polyline(p, 3);
         }},
        {"ellipse", [](CMemDC& dc, int x, int y) { dc.Ellipse(x + 2, y + 2, x + 30, y + 20); }},
        {"pie", [](CMemDC& dc, int x, int y) { dc.Pie(x, y, x + 40, y + 40, x + 40, y + 20, x + 20, y); }},
        {"icon", [](CMemDC& dc, int x, int y) { dc.DrawIcon(x + 3, y + 2, ::LoadIcon(nullptr, IDI_INFORMATION)); }},
    };
    for (const ShiftCase& c : cases) {
        Sheet shifted(ox, oy), direct(0, 0);
        c.draw(shifted.dc, 0, 0);
        c.draw(direct.dc, ox, oy);
        EXPECT_EQ(direct.Pixels(), shifted.Pixels()) << c.name;
        EXPECT_NE(std::vector<COLORREF>(kWidth * kHeight, kPaper), shifted.Pixels()) << c.name << " drew nothing";
    }
}

TEST(MemDC, PointsGivenToPolygonsAreLeftAsTheyWere)
{
    Sheet sheet(5, 6);
    POINT p[3] = {{1, 1}, {30, 5}, {10, 25}};
    sheet.dc.Polygon(p, 3);
    sheet.dc.Polyline(p, 3);
    EXPECT_EQ(1, p[0].x);
    EXPECT_EQ(5, p[1].y);
}

TEST(MemDC, BitBltCopiesToTheShiftedPlace)
{
    Sheet source(0, 0), target(20, 10);
    CRect block(0, 0, 4, 3);
    source.dc.FillSolidRect(&block, kInk);
    target.dc.BitBlt(1, 1, 4, 3, &source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(kInk, target.dc.GetPixel(21, 11));
    EXPECT_EQ(kInk, target.dc.GetPixel(24, 13));
    EXPECT_EQ(kPaper, target.dc.GetPixel(25, 11));
    EXPECT_EQ(kPaper, target.dc.GetPixel(1, 1));
}

TEST(MemDC, FillRgnLeavesTheRegionShifted)
{
    Sheet sheet(10, 20);
    CRgn region;
    region.CreateRectRgn(0, 0, 5, 5);
    ASSERT_TRUE(sheet.dc.FillRgn(&region, &sheet.brush));
    CRect box;
    region.GetRgnBox(&box);
    EXPECT_EQ(CRect(10, 20, 15, 25), box);
    EXPECT_EQ(kInk, sheet.dc.GetPixel(12, 22));
    EXPECT_EQ(kPaper, sheet.dc.GetPixel(2, 2));
}

TEST(MemDC, MeasuringWithExactlyCalcRectIgnoresTheOrigin)
{
    Sheet shifted(30, 40), plain(0, 0);
    CRect measured(0, 0, 0, 0), expected(0, 0, 0, 0);
    shifted.dc.DrawText("Chart", 5, &measured, DT_CALCRECT);
    plain.dc.CDC::DrawText("Chart", 5, &expected, DT_CALCRECT);
    EXPECT_EQ(expected, measured);
    EXPECT_EQ(0, measured.left);
    EXPECT_GT(measured.Width(), 0);
    EXPECT_EQ(std::vector<COLORREF>(kWidth * kHeight, kPaper), shifted.Pixels());
}

TEST(MemDC, BitmapIsMadeAtTheRectangleSizeAndGivenBackOnDestruction)
{
    CClientDC screen(nullptr);
    CRect rect(10, 10, 42, 26);
    CBitmap bitmap;
    {
        CMemDC dc(&screen, &rect, &bitmap);
        EXPECT_EQ(bitmap.GetSafeHandle(), ::GetCurrentObject(dc.m_hDC, OBJ_BITMAP));
    }
    BITMAP bm;
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
    // No longer held by a DC: another one can take it.
    CDC other;
    other.CreateCompatibleDC(&screen);
    EXPECT_NE(nullptr, other.SelectObject(&bitmap));
}

TEST(MemDC, DefaultObjectTakesAnAttachedDeviceAndDeletesIt)
{
    HDC device = ::CreateCompatibleDC(nullptr);
    {
        CMemDC dc;
        EXPECT_EQ(nullptr, dc.m_hDC);
        EXPECT_EQ(0, dc.x);
        EXPECT_EQ(0, dc.y);
        ASSERT_TRUE(dc.Attach(device));
        dc.x = 3;
    }
    EXPECT_EQ(0u, ::GetObjectType((HGDIOBJ)device));
}

TEST(MemDC, MeasuringWithCalcRectAndOtherFlagsUsesAMovedCopy)
{
    Sheet shifted(30, 40);
    CRect rect(0, 0, 0, 0);
    shifted.dc.DrawText("Chart", 5, &rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(CRect(0, 0, 0, 0), rect);
}

TEST(MemDC, FillRgnTwiceMovesTheRegionTwice)
{
    Sheet sheet(4, 3);
    CRgn region;
    region.CreateRectRgn(0, 0, 5, 5);
    sheet.dc.FillRgn(&region, &sheet.brush);
    sheet.dc.FillRgn(&region, &sheet.brush);
    CRect box;
    region.GetRgnBox(&box);
    EXPECT_EQ(CRect(8, 6, 13, 11), box);
    EXPECT_EQ(kInk, sheet.dc.GetPixel(12, 10));
}

TEST(MemDC, KeepFlagRefusesAFontAndStillTakesPensAndBrushes)
{
    Sheet sheet(0, 0);
    CFont other;
    other.CreatePointFont(120, "Arial");
    sheet.dc.m_bKeep = TRUE;
    HGDIOBJ font = ::GetCurrentObject(sheet.dc, OBJ_FONT);
    EXPECT_EQ(nullptr, sheet.dc.SelectObject(&other));
    EXPECT_EQ(font, ::GetCurrentObject(sheet.dc, OBJ_FONT));
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_NE(nullptr, sheet.dc.SelectObject(&pen));
    EXPECT_EQ(pen.GetSafeHandle(), ::GetCurrentObject(sheet.dc, OBJ_PEN));
    sheet.dc.m_bKeep = FALSE;
    EXPECT_NE(nullptr, sheet.dc.SelectObject(&other));
}

TEST(MemDC, PrinterFontIsTakenByTheDefaultObject)
{
    // The chart selects its print font into the device it attaches.
    HDC device = ::CreateCompatibleDC(nullptr);
    CMemDC dc;
    dc.Attach(device);
    CFont font;
    font.CreatePointFont(120, "Arial");
    EXPECT_NE(nullptr, dc.SelectObject(&font));
    EXPECT_EQ(font.GetSafeHandle(), ::GetCurrentObject(device, OBJ_FONT));
}

TEST(MemDC, DeviceTheOwnerDeletedIsNotDeletedAgain)
{
    HDC device = ::CreateCompatibleDC(nullptr);
    HDC later = nullptr;
    {
        CMemDC dc;
        dc.Attach(device);
        ::DeleteDC(device);
        later = ::CreateCompatibleDC(nullptr);
    }
    EXPECT_NE(0u, ::GetObjectType((HGDIOBJ)later));
    ::DeleteDC(later);
}

TEST(MemDC, RectangleAndBitmapWithoutADeviceMakeNothing)
{
    CRect rect(0, 0, 20, 10);
    CBitmap bitmap;
    CMemDC dc(nullptr, &rect, &bitmap);
    EXPECT_EQ(nullptr, dc.m_hDC);
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
}

TEST(MemDC, WithoutARectangleTheDeviceIsCompatibleWithTheScreen)
{
    CMemDC dc(nullptr);
    EXPECT_NE(nullptr, dc.m_hDC);
    EXPECT_EQ(OBJ_MEMDC, ::GetObjectType((HGDIOBJ)dc.m_hDC));
}
