// The true-colour tool bar's image lists (mask colour, which list goes where,
// rebuilding) and the palette bar's columns and borders.
#include "MenuResources.h"
#include "MenuTestSupport.h"

#include "controls/ToolPaletteBar.h"
#include "controls/VXToolBar.h"
#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

using namespace mivo::test;

namespace {

const COLORREF kGrey = menutest::kLightGrey;
const COLORREF kCanvas = RGB(10, 20, 30);
const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(30, 160, 60), kBlue = RGB(40, 60, 200);

enum : WORD { kNormal = 7970, kDisabled = 7971, kHot = 7972, kMaskCases = 7973, kMissing = 7979 };

// Cells of the mask strip: the light grey itself, then one step off it on each channel.
const COLORREF kMaskCells[] = {kGrey,
                               RGB(193, 192, 192),
                               RGB(191, 192, 192),
                               RGB(192, 193, 192),
                               RGB(192, 191, 192),
                               RGB(192, 192, 193),
                               RGB(192, 192, 191)};

std::vector<COLORREF> Seven(COLORREF c)
{
    return std::vector<COLORREF>(7, c);
}

class CInspectedToolBar : public CVXToolBar {
public:
    CImageList& Normal() { return m_ilNormal; }
};

class VXToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_resources.Add(2, kNormal, menutest::StripBitmap(Seven(kRed), 24));
        m_resources.Add(2, kDisabled, menutest::StripBitmap(Seven(kGreen), 24));
        m_resources.Add(2, kHot, menutest::StripBitmap(Seven(kBlue), 24));
        m_resources.Add(2, kMaskCases,
                        menutest::StripBitmap(std::vector<COLORREF>(std::begin(kMaskCells), std::end(kMaskCells)), 24));
        m_resources.Register();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        ASSERT_TRUE(bar.Create(frame));
        const UINT ids[] = {0x8200, 0x8201, 0x8202, 0x8203, 0x8204, 0x8205, 0x8206};
        ASSERT_TRUE(bar.SetButtons(ids, 7));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    HIMAGELIST Slot(UINT message) { return (HIMAGELIST)bar.SendMessage(message); }
    // The centre and the corner of image `index` of `list`, drawn transparent on the canvas colour.
    static std::pair<COLORREF, COLORREF> Drawn(HIMAGELIST list, int index)
    {
        menutest::Canvas canvas(16, 15, kCanvas);
        EXPECT_TRUE(ImageList_Draw(list, index, canvas.dc(), 0, 0, ILD_TRANSPARENT));
        return {canvas.At(7, 7), canvas.At(0, 0)};
    }

    menutest::Resources m_resources{"vxtoolbar_test"};
    CFrameWnd* frame = nullptr;
    CInspectedToolBar bar;
};

TEST_F(VXToolBarTest, EachResourceGoesToItsSlot)
{
    bar.AttachToolbarImages(kNormal, kDisabled, kHot);
    struct {
        UINT message;
        COLORREF colour;
    } const slots[] = {{TB_GETIMAGELIST, kRed}, {TB_GETDISABLEDIMAGELIST, kGreen}, {TB_GETHOTIMAGELIST, kBlue}};
    for (const auto& s : slots) {
        HIMAGELIST list = Slot(s.message);
        ASSERT_NE(nullptr, list) << s.message;
        EXPECT_EQ(7, ImageList_GetImageCount(list)) << s.message;
        int cx = 0, cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
        EXPECT_EQ(16, cx);
        EXPECT_EQ(15, cy);
        EXPECT_EQ(std::make_pair(s.colour, kCanvas), Drawn(list, 6)) << s.message;
    }
}

TEST_F(VXToolBarTest, OnlyTheExactMaskColourIsTransparent)
{
    bar.AttachToolbarImages(kMaskCases, kMaskCases, kMaskCases);
    HIMAGELIST list = Slot(TB_GETIMAGELIST);
    ASSERT_EQ(7, ImageList_GetImageCount(list));
    EXPECT_EQ(kCanvas, Drawn(list, 0).first) << "the exact grey";
    for (int i = 1; i < 7; ++i)
        EXPECT_EQ(kMaskCells[i], Drawn(list, i).first) << "one step off, cell " << i;
}

// Rebuilt, not appended to: the count stays, the old lists go, and a new mask counts.
TEST_F(VXToolBarTest, SecondAttachRebuildsTheLists)
{
    bar.AttachToolbarImages(kMaskCases, kDisabled, kHot);
    HIMAGELIST first = Slot(TB_GETIMAGELIST);
    bar.SetVXToolBarBasic(16, 15, 8, kMaskCells[1]);
    bar.AttachToolbarImages(kMaskCases, kDisabled, kHot);
    HIMAGELIST second = Slot(TB_GETIMAGELIST);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(bar.Normal().GetSafeHandle(), second);
    EXPECT_EQ(7, ImageList_GetImageCount(second));
    EXPECT_EQ(7, ImageList_GetImageCount(Slot(TB_GETDISABLEDIMAGELIST)));
    EXPECT_EQ(7, ImageList_GetImageCount(Slot(TB_GETHOTIMAGELIST)));
    EXPECT_EQ(kGrey, Drawn(second, 0).first);
    EXPECT_EQ(kCanvas, Drawn(second, 1).first);
    if (first != second) {
        EXPECT_EQ(0, ImageList_GetImageCount(first)) << "the first list was destroyed";
    }
}

TEST_F(VXToolBarTest, MissingBitmapLeavesTheListAlone)
{
    ASSERT_TRUE(bar.MakeToolbarImageList(kNormal, bar.Normal()));
    EXPECT_FALSE(bar.MakeToolbarImageList(kMissing, bar.Normal()));
    EXPECT_EQ(7, bar.Normal().GetImageCount());
}

TEST_F(VXToolBarTest, ImageSizeFromTheBasics)
{
    bar.SetVXToolBarBasic(8, 15, 4, kGrey);
    ASSERT_TRUE(bar.MakeToolbarImageList(kNormal, bar.Normal()));
    EXPECT_EQ(14, bar.Normal().GetImageCount());
    int cx = 0, cy = 0;
    bar.Normal().GetIconSize(&cx, &cy);
    EXPECT_EQ(8, cx);
}

class ToolPaletteBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 400)));
        ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_FIXED));
        const UINT ids[] = {0x8300, 0x8301, 0x8302, 0x8303, 0x8304, 0x8305, 0x8306};
        ASSERT_TRUE(bar.SetButtons(ids, 7));
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    // One letter per button: 'w' where a row ends.
    std::string Wraps()
    {
        std::string s;
        for (int i = 0; i < bar.GetCount(); ++i)
            s += (bar.GetButtonStyle(i) & TBBS_WRAPPED) ? 'w' : '.';
        return s;
    }
    // The row of each button, counted from its top edge.
    std::vector<int> Rows()
    {
        CRect first;
        bar.GetItemRect(0, &first);
        std::vector<int> rows;
        for (int i = 0; i < bar.GetCount(); ++i) {
            CRect r;
            bar.GetItemRect(i, &r);
            rows.push_back((r.top - first.top) / first.Height());
        }
        return rows;
    }

    CFrameWnd* frame = nullptr;
    CToolPaletteBar bar;
};

TEST_F(ToolPaletteBarTest, ColumnsWrapTheButtons)
{
    struct {
        UINT columns;
        const char* wraps;
        std::vector<int> rows;
    } const cases[] = {
        {2, ".w.w.w.", {0, 0, 1, 1, 2, 2, 3}},
        {1, "wwwwwww", {0, 1, 2, 3, 4, 5, 6}},
        {3, "..w..w.", {0, 0, 0, 1, 1, 1, 2}},
        {7, "......w", {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        bar.SetColumns(c.columns);
        EXPECT_EQ(c.columns, bar.GetColumns());
        EXPECT_EQ(c.wraps, Wraps()) << c.columns;
        EXPECT_EQ(c.rows, Rows()) << c.columns;
    }
}

TEST_F(ToolPaletteBarTest, ZeroColumnsChangesNothing)
{
    bar.SetColumns(3);
    bar.SetColumns(0);
    EXPECT_EQ(3u, bar.GetColumns());
    EXPECT_EQ("..w..w.", Wraps());
}

// The frame lays the bar out again: its window grows by the new rows.
TEST_F(ToolPaletteBarTest, FrameTakesTheNewRows)
{
    CRect button, before, after;
    bar.GetItemRect(0, &button);
    bar.GetWindowRect(&before);
    bar.SetColumns(2);
    bar.GetWindowRect(&after);
    EXPECT_EQ(before.Height() + 3 * button.Height(), after.Height());
}

TEST_F(ToolPaletteBarTest, BordersAroundTheButtons)
{
    CRect window;
    bar.GetWindowRect(&window);
    CPoint client(0, 0);
    bar.ClientToScreen(&client);
    EXPECT_EQ(CSize(6, 5), client - window.TopLeft());
    CRect inside;
    bar.GetClientRect(&inside);
    EXPECT_EQ(window.Width() - 12, inside.Width());
}

}  // namespace
