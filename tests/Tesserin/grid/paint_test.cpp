// What the grid draws: the empty text, tree boxes, checks with their red
// cross, selection colours and aligned text.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "support/WindowCapture.h"

using gridtest::GridHost;
using mivo::test::CaptureWindow;
using mivo::test::WindowImage;

namespace {

WindowImage Shot(GridHost& h)
{
    h.grid.Invalidate();
    h.grid.UpdateWindow();
    mivo::test::PumpUntilIdle();
    return CaptureWindow(h.grid.m_hWnd, true);
}

int CountIn(const WindowImage& image, const CRect& rect, COLORREF colour)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            count += image.At(x, y) == colour;
    return count;
}

int DarkIn(const WindowImage& image, const CRect& rect)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++) {
            COLORREF c = image.At(x, y);
            count += c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
        }
    return count;
}

TEST(GridPaint, EmptyTextIsCentredAndCanBeSwitchedOff)
{
    GridHost h;
    WindowImage image = Shot(h);
    CRect header;
    h.grid.GetHeaderCtrl()->GetWindowRect(&header);
    CRect band(0, 0, 400, 300);
    band.top = header.Height();
    band.bottom = band.top + 2 * h.grid.GetItemHeight();
    CRect left(0, band.top, 60, band.bottom), middle(60, band.top, 340, band.bottom);
    EXPECT_GT(DarkIn(image, middle), 20);
    EXPECT_EQ(0, DarkIn(image, left));
    h.grid.ModifyProperty(RVP_NOITEMTEXT, (LPARAM) "");
    EXPECT_EQ(0, DarkIn(Shot(h), band));
}

TEST(GridPaint, TreeBoxIsNineByNine)
{
    GridHost h(RVS_TREEMODEL);
    h.Columns(1);
    _TREEITEM* p = h.grid.InsertItem("p", -1, -1, -1, RVTI_ROOT);
    h.grid.InsertItem("c", -1, -1, -1, p);
    WindowImage image = Shot(h);
    CRect row;
    h.grid.GetRowRect(0, 0, &row);
    int height = h.grid.GetItemHeight();
    int cx = row.left + height / 2, cy = row.top + (row.Height()) / 2;
    COLORREF frame = h.grid.GetGridColor(9);
    CRect box(cx - 4, cy - 4, cx + 5, cy + 5);
    EXPECT_EQ(32, CountIn(image, box, frame)); // the 9 x 9 outline
    EXPECT_EQ(frame, image.At(cx - 4, cy - 4));
    EXPECT_NE(frame, image.At(cx - 5, cy - 4));
    EXPECT_EQ(h.grid.GetGridColor(3), image.At(cx, cy - 2)); // collapsed: the vertical stroke
}

TEST(GridPaint, CheckTwoDrawsARedCross)
{
    GridHost h;
    h.Columns(2);
    h.Rows({"a", "b", "c"});
    h.grid.SetItemCheck(0, 1, 2);
    h.grid.SetItemCheck(1, 1, 1);
    h.grid.SetItemCheck(2, 1, 9);
    WindowImage image = Shot(h);
    CRect cells[3];
    for (int row = 0; row < 3; row++)
        h.grid.GetRowRect(row, 1, &cells[row]);
    EXPECT_GT(CountIn(image, cells[0], RGB(255, 0, 0)), 6);
    EXPECT_EQ(0, CountIn(image, cells[1], RGB(255, 0, 0)));
    EXPECT_EQ(0, CountIn(image, cells[2], RGB(255, 0, 0)));
}

TEST(GridPaint, SelectionColoursFollowTheFocusAndStyle)
{
    struct Case {
        DWORD style;
        bool focus;
        COLORREF background;
    } cases[] = {{0, true, RGB(58, 110, 165)},
                 {0, false, ::GetSysColor(COLOR_WINDOW)},
                 {RVS_SHOWSELALWAYS, false, RGB(191, 210, 232)}};
    for (const Case& c : cases) {
        GridHost h(c.style);
        h.Columns(1);
        h.Rows({"a", "b"});
        h.grid.SetSelection(1);
        if (c.focus)
            h.grid.SetFocus();
        else
            ::SetFocus(h.host);
        WindowImage image = Shot(h);
        CRect row;
        h.grid.GetRowRect(1, 0, &row);
        EXPECT_EQ(c.background, image.At(row.right - 3, row.top + 2)) << c.style << c.focus;
    }
}

TEST(GridPaint, RightAlignedColumn)
{
    GridHost h;
    _RVSUBITEM sub;
    sub.nMask = HDF_STRING | HDF_RIGHT;
    sub.iWidth = 200;
    sub.lpszText = "n";
    h.grid.DefineSubItem(0, &sub);
    h.grid.ActivateSubItem(0, 0);
    h.Rows({"1,234"});
    WindowImage image = Shot(h);
    CRect cell;
    h.grid.GetRowRect(0, 0, &cell);
    CRect leftHalf(cell.left, cell.top, cell.CenterPoint().x, cell.bottom);
    CRect rightHalf(cell.CenterPoint().x, cell.top, cell.right, cell.bottom);
    EXPECT_EQ(0, DarkIn(image, leftHalf));
    EXPECT_GT(DarkIn(image, rightHalf), 5);
}

} // namespace

namespace {

// A 4 x 4 bitmap: red in its top-left pixel, white elsewhere.
HBITMAP MarkedTile()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 4, 4);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 4, 4};
    ::FillRect(dc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::SetPixel(dc, 0, 0, RGB(255, 0, 0));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

TEST(GridPaint, BackgroundBitmapTilesAndScrollsWithTheColumns)
{
    GridHost h(0, 400, 300);
    _RVSUBITEM sub;
    sub.nMask = HDF_STRING;
    sub.iWidth = 1000;
    sub.lpszText = "wide";
    h.grid.DefineSubItem(0, &sub);
    h.grid.ActivateSubItem(0, 0);
    h.Rows({"a"});
    ASSERT_TRUE(h.grid.SetBkImage(MarkedTile()));
    CRect row;
    h.grid.GetRowRect(0, -1, &row);
    int y = row.bottom + 8 - (row.bottom + 8) % 4; // a tile row below the rows
    WindowImage image = Shot(h);
    EXPECT_EQ(RGB(255, 0, 0), image.At(200, y));
    EXPECT_EQ(RGB(255, 255, 255), image.At(201, y));
    h.grid.SendMessage(WM_HSCROLL, SB_LINERIGHT); // one eighth of 400: 50 pixels
    image = Shot(h);
    EXPECT_EQ(RGB(255, 0, 0), image.At(202, y));
    EXPECT_EQ(RGB(255, 255, 255), image.At(200, y));
}

} // namespace

TEST(GridPaint, GridLinesTakeTheColourSetForThem)
{
    GridHost h(RVS_SHOWVGRID);
    h.Columns(2);
    h.Rows({"a", "b"});
    const COLORREF magenta = RGB(255, 0, 255);
    CRect divider(79, h.grid.GetItemHeight() + 2, 80, 250);
    EXPECT_EQ(0, CountIn(Shot(h), divider, magenta));
    h.grid.SetGridColor(magenta);
    EXPECT_GT(CountIn(Shot(h), divider, magenta), 10);
}
