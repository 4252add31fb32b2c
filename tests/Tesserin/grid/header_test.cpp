// The flat header: extended items, automatic sizing, fixed dividers, drops.
#include <gtest/gtest.h>

#include "GridFixture.h"
#include "support/InputSynth.h"

#include <numeric>

namespace {

struct HeaderHost {
    mivo::test::MessageRecorder recorder;
    HWND host;
    CFlatHeaderCtrl header;
    HeaderHost(int width = 300)
    {
        host = mivo::test::CreateTestWindow("header host", WS_POPUP | WS_VISIBLE, 0, 0, width, 100);
        header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_DRAGDROP | HDS_FULLDRAG, CRect(0, 0, width, 24),
                      CWnd::FromHandle(host), 1);
    }
    ~HeaderHost()
    {
        header.DestroyWindow();
        ::DestroyWindow(host);
    }
    void Add(int width, int minimum = 0, int maximum = 0, UINT style = 0)
    {
        HDITEM hdi = {HDI_WIDTH | HDI_TEXT | HDI_FORMAT};
        hdi.cxy = width;
        hdi.fmt = HDF_STRING;
        hdi.pszText = const_cast<char*>("h");
        int index = header.InsertItem(header.GetItemCount(), &hdi);
        _HDITEMEX ex;
        ex.nStyle = style;
        ex.iMinWidth = minimum;
        ex.iMaxWidth = maximum;
        header.SetItemEx(index, &ex);
    }
    std::vector<int> Widths()
    {
        std::vector<int> widths;
        for (int i = 0; i < header.GetItemCount(); i++) {
            HDITEM hdi = {HDI_WIDTH};
            header.GetItem(i, &hdi);
            widths.push_back(hdi.cxy);
        }
        return widths;
    }
};

TEST(FlatHeader, ExtendedItemsHoldTheirLimits)
{
    HeaderHost h;
    h.Add(10, 30, 60);
    h.Add(100, 30, 60);
    h.Add(40, 0, 0, HDF_EX_FIXEDWIDTH);
    EXPECT_EQ((std::vector<int>{30, 60, 40}), h.Widths());
    _HDITEMEX ex;
    ASSERT_TRUE(h.header.GetItemEx(2, &ex));
    EXPECT_EQ(40, ex.iMinWidth);
    EXPECT_EQ(40, ex.iMaxWidth);
    EXPECT_FALSE(h.header.GetItemEx(3, &ex));
    EXPECT_FALSE(h.header.SetItemExStyle(5, 0));
    h.header.DeleteItem(0);
    EXPECT_EQ((UINT)HDF_EX_FIXEDWIDTH, h.header.GetItemExStyle(1));
}

TEST(FlatHeader, AutoSizingFillsTheParentWithinTheLimits)
{
    struct Case {
        int parent;
        std::vector<int> widths, mins, maxs;
        int expectedSum;
    } cases[] = {
        {300, {50, 50, 100}, {0, 0, 0}, {0, 0, 0}, 300},
        {300, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 300},        // nothing to share by: equal parts
        {100, {50, 50, 50}, {60, 60, 60}, {0, 0, 0}, 180},  // narrower than the minimums
        {301, {10, 10, 10}, {0, 0, 0}, {0, 0, 0}, 301},     // the remainder goes pixel by pixel
        {400, {10, 10}, {0, 0}, {50, 60}, 110},             // maximums stop the correction
    };
    for (const Case& c : cases) {
        HeaderHost h(c.parent);
        for (size_t i = 0; i < c.widths.size(); i++)
            h.Add(c.widths[i], c.mins[i], c.maxs[i]);
        h.header.ModifyProperty(FH_PROPERTY_AUTOSIZE, 1);
        std::vector<int> widths = h.Widths();
        EXPECT_EQ(c.expectedSum, std::accumulate(widths.begin(), widths.end(), 0)) << c.parent;
        for (size_t i = 0; i < widths.size(); i++)
            EXPECT_GE(widths[i], c.mins[i]);
    }
}

TEST(FlatHeader, DividerDragKeepsTheMinimumAndFixedDividersStay)
{
    HeaderHost h;
    h.Add(100, 60, 0);
    h.Add(80, 0, 0, HDF_EX_FIXEDWIDTH);
    HWND wnd = h.header.m_hWnd;
    h.header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
    h.header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 5));
    h.header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(60, h.Widths()[0]);
    h.header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 5));
    h.header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    h.header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(80, h.Widths()[1]);
    (void)wnd;
}

struct DropCase {
    int x, y;
    UINT style;
    int result;
};

TEST(FlatHeader, DropResults)
{
    const DropCase cases[] = {
        {70, 5, 0, 0},                 // over the header
        {30, 5, 0, 0},                 // onto itself
        {70, 80, 0, -1},               // off the header
        {70, 80, HDF_EX_NOREMOVE, 2},  // off, but the item may not leave
    };
    for (const DropCase& c : cases) {
        HeaderHost h;
        h.Add(60, 0, 0, c.style);
        h.Add(60);
        h.header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
        h.header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 8));
        h.header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        h.header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(c.result, h.header.GetDropResult()) << c.x << "," << c.y;
    }
}

TEST(FlatHeader, SortColumnAndProperties)
{
    HeaderHost h;
    h.Add(60);
    BOOL ascending = TRUE;
    EXPECT_EQ(-1, h.header.GetSortColumn(&ascending));
    EXPECT_FALSE(ascending);
    h.header.SetSortColumn(0, TRUE);
    EXPECT_EQ(0, h.header.GetSortColumn(&ascending));
    EXPECT_TRUE(ascending);
    EXPECT_FALSE(h.header.ModifyProperty(8, 0));
    EXPECT_TRUE(h.header.ModifyProperty(FH_PROPERTY_SPACING, 3));
    EXPECT_EQ(3, h.header.GetSpacing());
}

TEST(FlatHeader, ContentWidthCountsSpacingArrowAndText)
{
    HeaderHost h;
    h.Add(60);
    int plain = h.header.GetItemWidth(0, FALSE);
    EXPECT_GT(plain, 12);
    EXPECT_EQ(plain + 8 + 6, h.header.GetItemWidth(0, TRUE));
}

} // namespace
