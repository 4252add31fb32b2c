// Rebars: bands with child windows, rows, heights and background bitmaps.
#include "ControlFixture.h"

#include "support/WindowCapture.h"

#include <algorithm>
#include <climits>

using namespace mivo::test;
using controls_test::ControlFixture;

namespace {

class ReBarTest : public ControlFixture {
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        recorder.OnMessage(WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM l, LRESULT*) {
            codes.push_back(((NMHDR*)l)->code);
            return false;
        });
    }
    HWND MakeBar()
    {
        return CreateWindowEx(0, REBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS | WS_CLIPCHILDREN, 0, 0, 0,
                              0, parent, (HMENU)59396, nullptr, nullptr);
    }
    HWND Pane(int id)
    {
        return CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, (HMENU)(UINT_PTR)id,
                              nullptr, nullptr);
    }
    static REBARBANDINFO Band(HWND child, UINT style, int minWidth, int height, int width)
    {
        REBARBANDINFO b = {sizeof(b)};
        b.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
        b.fStyle = style;
        b.hwndChild = child;
        b.cxMinChild = (UINT)minWidth;
        b.cyMinChild = (UINT)height;
        b.cx = (UINT)width;
        return b;
    }
    int Count(UINT code) const { return (int)std::count(codes.begin(), codes.end(), code); }
    std::vector<UINT> codes;
};

// An image list of one solid 12 x 10 picture in `colour`.
HIMAGELIST SolidImageList(COLORREF colour)
{
    HIMAGELIST list = ImageList_Create(12, 10, ILC_COLOR32, 1, 1);
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 12, 10);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, picture);
    RECT all = {0, 0, 12, 10};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    ImageList_Add(list, picture, nullptr);
    DeleteObject(picture);
    return list;
}

// The bounds of the pixels of one colour, with their count.
struct Spot {
    int count = 0;
    RECT bounds = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

Spot FindColour(const WindowImage& image, COLORREF colour)
{
    Spot spot;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == colour) {
                ++spot.count;
                spot.bounds.left = std::min<LONG>(spot.bounds.left, x);
                spot.bounds.top = std::min<LONG>(spot.bounds.top, y);
                spot.bounds.right = std::max<LONG>(spot.bounds.right, x + 1);
                spot.bounds.bottom = std::max<LONG>(spot.bounds.bottom, y + 1);
            }
    return spot;
}

RECT ChildRectIn(HWND child, HWND in)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, in, (POINT*)&r, 2);
    return r;
}

}  // namespace

TEST_F(ReBarTest, BandsHoldTheirChildrenAndSetTheHeight)
{
    SetWindowPos(parent, nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
    HWND bar = MakeBar();
    HWND tools = Pane(1), ad = Pane(2);
    REBARBANDINFO first = Band(tools, 0, 300, 48, 320);
    REBARBANDINFO second = Band(ad, RBBS_FIXEDSIZE | RBBS_FIXEDBMP, 202, 52, 202);
    ASSERT_TRUE(SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&first));
    EXPECT_EQ(Count(RBN_HEIGHTCHANGE), 1);
    ASSERT_TRUE(SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&second));
    EXPECT_EQ(GetParent(tools), bar) << "a band's child lives in the rebar";
    EXPECT_EQ(SendMessage(bar, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(bar, RB_GETROWCOUNT, 0, 0), 1);

    RECT pc, br;
    GetClientRect(parent, &pc);
    GetClientRect(bar, &br);
    EXPECT_EQ(br.right, pc.right) << "the bar spans its parent";
    int height = (int)SendMessage(bar, RB_GETBARHEIGHT, 0, 0);
    EXPECT_EQ(br.bottom, height);
    EXPECT_GE(height, 52);

    RECT band0, band1;
    SendMessage(bar, RB_GETRECT, 0, (LPARAM)&band0);
    SendMessage(bar, RB_GETRECT, 1, (LPARAM)&band1);
    EXPECT_EQ(band1.right, br.right) << "the last band takes the rest of the row";
    RECT c0 = ChildRectIn(tools, bar), c1 = ChildRectIn(ad, bar);
    EXPECT_GE(c0.left, band0.left + 4) << "room for the gripper";
    EXPECT_EQ(c0.bottom - c0.top, 48);
    EXPECT_GE(c0.right - c0.left, 300);
    EXPECT_GE(c1.left, band1.left);
    EXPECT_LE(c1.right, band1.right);
    EXPECT_EQ(c1.bottom - c1.top, 52);

    // A break puts the second band on a row of its own.
    codes.clear();
    REBARBANDINFO brk = {sizeof(brk)};
    brk.fMask = RBBIM_STYLE;
    brk.fStyle = RBBS_FIXEDSIZE | RBBS_BREAK;
    SendMessage(bar, RB_SETBANDINFO, 1, (LPARAM)&brk);
    EXPECT_EQ(SendMessage(bar, RB_GETROWCOUNT, 0, 0), 2);
    EXPECT_GT(SendMessage(bar, RB_GETBARHEIGHT, 0, 0), height + 48);
    EXPECT_EQ(Count(RBN_HEIGHTCHANGE), 1);
    EXPECT_EQ(SendMessage(bar, RB_IDTOINDEX, 0, 0), 0);
}

TEST_F(ReBarTest, BackgroundBitmapTilesBehindATransparentToolBar)
{
    HWND bar = MakeBar();
    // A 4x4 tile: red left half, blue right half.
    HDC screen = GetDC(nullptr);
    HBITMAP tile = CreateCompatibleBitmap(screen, 4, 4);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, tile);
    RECT left = {0, 0, 2, 4}, right = {2, 0, 4, 4};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(mem, &left, red);
    FillRect(mem, &right, blue);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    HWND tools = CreateWindowEx(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                                    CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                0, 0, 100, 30, parent, (HMENU)59392, nullptr, nullptr);
    REBARBANDINFO band = Band(tools, RBBS_FIXEDBMP, 100, 30, 200);
    band.fMask |= RBBIM_BACKGROUND;
    band.hbmBack = tile;
    SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&band);
    PumpUntilIdle();
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();

    WindowImage img = CaptureWindow(parent, true);
    RECT c = ChildRectIn(tools, parent);
    int x = c.left + 10, y = c.top + 10;  // inside the tool bar
    COLORREF want = (x % 4) < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255);
    EXPECT_EQ(img.At(x, y), want);
    EXPECT_NE(img.At(x + 2, y), want) << "tiles, not a flat colour";
    DestroyWindow(bar);
    DeleteObject(tile);
    DeleteObject(red);
    DeleteObject(blue);
}

TEST_F(ReBarTest, AChevronShowsWhenTheIdealWidthDoesNotFit)
{
    HWND bar = MakeBar();
    REBARBANDINFO band = Band(Pane(1), RBBS_USECHEVRON, 50, 24, 100);
    band.fMask |= RBBIM_IDEALSIZE | RBBIM_ID;
    band.cxIdeal = 2000;
    band.wID = 42;
    SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&band);
    RECT r;
    SendMessage(bar, RB_GETRECT, 0, (LPARAM)&r);
    RBHITTESTINFO hit = {{r.right - 5, (r.top + r.bottom) / 2}, 0, -1};
    EXPECT_EQ(SendMessage(bar, RB_HITTEST, 0, (LPARAM)&hit), 0);
    EXPECT_EQ(hit.flags, (UINT)RBHT_CHEVRON);
    NMREBARCHEVRON pushed = {};
    recorder.OnMessage(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT*) {
        if (((NMHDR*)l)->code == RBN_CHEVRONPUSHED)
            pushed = *(NMREBARCHEVRON*)l;
        return false;
    });
    SendMessage(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    EXPECT_EQ(pushed.wID, 42u);
    EXPECT_LE(pushed.rc.left, hit.pt.x);
    EXPECT_GT(pushed.rc.right, hit.pt.x);

    band.fMask = RBBIM_IDEALSIZE;
    band.cxIdeal = 40;
    SendMessage(bar, RB_SETBANDINFO, 0, (LPARAM)&band);
    SendMessage(bar, RB_HITTEST, 0, (LPARAM)&hit);
    EXPECT_NE(hit.flags, (UINT)RBHT_CHEVRON) << "no chevron once the child fits";
}

TEST_F(ReBarTest, CcsBottomPutsTheBarAlongTheBottom)
{
    HWND bar = CreateWindowEx(0, REBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 40, 0, 0, parent,
                              (HMENU)59396, nullptr, nullptr);
    REBARBANDINFO band = Band(Pane(1), 0, 50, 24, 100);
    SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&band);
    RECT pc;
    GetClientRect(parent, &pc);
    RECT r = ChildRectIn(bar, parent);
    EXPECT_EQ(r.bottom, pc.bottom) << "CCS_BOTTOM shares a bit with CCS_NOMOVEY but means the bottom edge";
    EXPECT_EQ(r.right, pc.right);
}

TEST_F(ReBarTest, ABandsImageIsDrawnBetweenTheGripperAndTheTitle)
{
    HWND bar = MakeBar();
    HIMAGELIST images = SolidImageList(RGB(0, 200, 0));
    REBARINFO info = {sizeof(info), RBIM_IMAGELIST, images};
    SendMessage(bar, RB_SETBARINFO, 0, (LPARAM)&info);
    HWND pane = Pane(5001);
    REBARBANDINFO band = Band(pane, 0, 60, 24, 300);
    band.fMask |= RBBIM_IMAGE | RBBIM_TEXT;
    band.iImage = 0;
    band.lpText = (LPSTR)"주소";
    SendMessage(bar, RB_INSERTBAND, (WPARAM)-1, (LPARAM)&band);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();

    Spot image = FindColour(CaptureWindow(bar, true), RGB(0, 200, 0));
    EXPECT_EQ(12 * 10, image.count);
    EXPECT_EQ(12, image.bounds.right - image.bounds.left);
    EXPECT_GE(image.bounds.left, 8);
    EXPECT_LT(image.bounds.right, ChildRectIn(pane, bar).left) << "the child starts after the image and title";
    DestroyWindow(bar);
    ImageList_Destroy(images);
}
