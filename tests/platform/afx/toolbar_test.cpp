// CToolBar over the tool bar control: loading from TOOLBAR and 16-colour
// bitmap resources (also as a hidden child of the desktop), button styles and
// texts, wrapped rows, and buttons greyed and checked by update handlers.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/BarResourceBuilder.h"
#include "support/MessageLoop.h"
#include "support/WindowCapture.h"

#include <memory>

using namespace mivo::test;

namespace {

const WORD kToolBarId = 7600, kBadVersionId = 7601, kShortListId = 7602, kNoBitmapId = 7603,
           kShortBitmapId = 7604, kHugeBitmapId = 7605, kEightBitId = 7606;
const WORD kOpen = 0x8100, kSave = 0x8101, kPrint = 0x8102, kZoom = 0x8103, kNobody = 0x8104;

ResourceSet& Resources()
{
    static ResourceSet* set = [] {
        auto* s = new ResourceSet("toolbar_test");
        s->Add(RT_TOOLBAR, kToolBarId, BuildToolBarResource(16, 15, {kOpen, kSave, 0, kPrint, kZoom, kNobody}));
        s->Add(RT_BITMAP, kToolBarId, BuildSixteenColourStrip(5, 16, 15));
        std::vector<BYTE> badVersion = BuildToolBarResource(16, 15, {kOpen});
        badVersion[0] = 2;
        s->Add(RT_TOOLBAR, kBadVersionId, badVersion);
        s->Add(RT_BITMAP, kBadVersionId, BuildSixteenColourStrip(1, 16, 15));
        std::vector<BYTE> shortList = BuildToolBarResource(16, 15, {kOpen, kSave, kPrint});
        shortList.resize(shortList.size() - 3);
        s->Add(RT_TOOLBAR, kShortListId, shortList);
        s->Add(RT_BITMAP, kShortListId, BuildSixteenColourStrip(3, 16, 15));
        s->Add(RT_TOOLBAR, kNoBitmapId, BuildToolBarResource(16, 15, {kOpen}));
        std::vector<BYTE> shortBitmap = BuildSixteenColourStrip(2, 16, 15);
        shortBitmap.resize(shortBitmap.size() - 10);
        s->Add(RT_BITMAP, kShortBitmapId, shortBitmap);
        std::vector<BYTE> huge = BuildSixteenColourStrip(1, 16, 15);
        ((BITMAPINFOHEADER*)huge.data())->biWidth = 0x7FFFFFF0;
        s->Add(RT_BITMAP, kHugeBitmapId, huge);
        std::vector<BYTE> eightBit = BuildSixteenColourStrip(1, 16, 15);
        ((BITMAPINFOHEADER*)eightBit.data())->biBitCount = 8;
        s->Add(RT_BITMAP, kEightBitId, eightBit);
        s->Add(RT_STRING, (WORD)(kOpen / 16 + 1),
               BuildStringBlock({{kOpen, u"그림을 엽니다"}, {kSave, u"그림을 저장합니다\n저장"}}));
        s->Register();
        return s;
    }();
    return *set;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    COLORREF c = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return c;
}

HBITMAP LoadSysColor(WORD id)
{
    HRSRC found = ::FindResource(nullptr, MAKEINTRESOURCE(id), RT_BITMAP);
    return AfxLoadSysColorBitmap(nullptr, found);
}

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override { Resources(); }
    void TearDown() override
    {
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    CWinApp app{"ToolBar Test"};
};

struct MappedColour {
    int x, y;
    int sysColor;  // -1: the strip's own colour stays
    COLORREF own;
};

TEST_F(ToolBarTest, SysColorBitmapTakesTheButtonColours)
{
    HBITMAP bitmap = LoadSysColor(kToolBarId);
    ASSERT_NE(nullptr, bitmap);
    const MappedColour cases[] = {
        {3, 3, COLOR_BTNTEXT, 0},             // black
        {7, 7, COLOR_BTNSHADOW, 0},           // dark grey
        {0, 0, COLOR_BTNFACE, 0},             // light grey background
        {9, 9, COLOR_BTNHIGHLIGHT, 0},        // white
        {4, 11, -1, RGB(255, 0, 0)},          // image 0's red bar stays red
        {16 + 4, 11, -1, RGB(0, 255, 0)},     // image 1's green bar
    };
    for (const MappedColour& c : cases) {
        COLORREF expected = c.sysColor >= 0 ? ::GetSysColor(c.sysColor) : c.own;
        EXPECT_EQ(expected, PixelOf(bitmap, c.x, c.y)) << "at " << c.x << "," << c.y;
    }
    BITMAP info = {};
    ASSERT_TRUE(::GetObject(bitmap, sizeof(info), &info));
    EXPECT_EQ(80, info.bmWidth);
    EXPECT_EQ(15, info.bmHeight);
    ::DeleteObject(bitmap);
}

TEST_F(ToolBarTest, SysColorBitmapMonoKeepsOnlyBlackAndWhite)
{
    HRSRC found = ::FindResource(nullptr, MAKEINTRESOURCE(kToolBarId), RT_BITMAP);
    HBITMAP bitmap = AfxLoadSysColorBitmap(nullptr, found, TRUE);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(bitmap, 7, 7));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(bitmap, 0, 0));
    ::DeleteObject(bitmap);
}

TEST_F(ToolBarTest, SysColorBitmapRefusesDamagedResources)
{
    EXPECT_EQ(nullptr, AfxLoadSysColorBitmap(nullptr, nullptr));
    for (WORD id : {kShortBitmapId, kHugeBitmapId, kEightBitId})
        EXPECT_EQ(nullptr, LoadSysColor(id)) << id;
}

// The owner-drawn menus load a tool bar without any main window to take its
// images; nothing is shown.
TEST_F(ToolBarTest, DesktopChildLoadsAndAnswersUnshown)
{
    ASSERT_EQ(nullptr, app.m_pMainWnd);
    CToolBar bar;
    ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(bar.LoadToolBar(kToolBarId));
    EXPECT_FALSE(bar.IsWindowVisible());
    ASSERT_EQ(6, bar.GetCount());
    const UINT ids[] = {kOpen, kSave, ID_SEPARATOR, kPrint, kZoom, kNobody};
    const int images[] = {0, 1, -1, 2, 3, 4};
    for (int i = 0; i < 6; ++i) {
        UINT id, style;
        int image;
        bar.GetButtonInfo(i, id, style, image);
        EXPECT_EQ(ids[i], id) << i;
        EXPECT_EQ(ids[i], bar.GetItemID(i)) << i;
        if (images[i] >= 0)
            EXPECT_EQ(images[i], image) << i;
        else
            EXPECT_TRUE(style & TBBS_SEPARATOR);
    }
    EXPECT_EQ(3, bar.CommandToIndex(kPrint));
    EXPECT_EQ(-1, bar.CommandToIndex(0x7777));
    ASSERT_NE(nullptr, bar.m_hbmImageWell);
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), PixelOf(bar.m_hbmImageWell, 2 * 16 + 3, 3));
    EXPECT_EQ(RGB(255, 0, 255), PixelOf(bar.m_hbmImageWell, 4 * 16 + 4, 11));  // image 4: index 13
    EXPECT_EQ(bar.m_hWnd, bar.GetToolBarCtrl().m_hWnd);
    EXPECT_EQ(6, bar.GetToolBarCtrl().GetButtonCount());
    bar.DestroyWindow();
}

TEST_F(ToolBarTest, DamagedOrMissingResourcesFailToLoad)
{
    CToolBar bar;
    ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD | CBRS_TOP));
    for (WORD id : {kBadVersionId, kShortListId, kNoBitmapId, (WORD)7699})
        EXPECT_FALSE(bar.LoadToolBar(id)) << id;
    EXPECT_FALSE(bar.LoadBitmap(kHugeBitmapId));
    EXPECT_EQ(nullptr, bar.m_hbmImageWell);
    EXPECT_TRUE(bar.LoadToolBar(kToolBarId));
    bar.DestroyWindow();
}

class ToolBarButtonsTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(bar.Create(CWnd::GetDesktopWindow(), WS_CHILD | CBRS_TOP));
        ASSERT_TRUE(bar.LoadToolBar(kToolBarId));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        ToolBarTest::TearDown();
    }
    CToolBar bar;
};

TEST_F(ToolBarButtonsTest, StylesReachTheControl)
{
    CToolBarCtrl& ctrl = bar.GetToolBarCtrl();
    struct Case {
        UINT style;
        bool enabled, checked, hidden;
    } cases[] = {
        {TBBS_BUTTON, true, false, false},
        {TBBS_DISABLED, false, false, false},
        {TBBS_CHECKBOX | TBBS_CHECKED, true, true, false},
        {TBBS_HIDDEN, true, false, true},
        {TBBS_DROPDOWN | TBBS_DISABLED, false, false, false},
    };
    for (const Case& c : cases) {
        bar.SetButtonStyle(1, c.style);
        EXPECT_EQ(c.style, bar.GetButtonStyle(1)) << std::hex << c.style;
        EXPECT_EQ(c.enabled, ctrl.IsButtonEnabled(kSave) != 0) << std::hex << c.style;
        EXPECT_EQ(c.checked, ctrl.IsButtonChecked(kSave) != 0) << std::hex << c.style;
        EXPECT_EQ(c.hidden, ctrl.IsButtonHidden(kSave) != 0) << std::hex << c.style;
    }
}

TEST_F(ToolBarButtonsTest, InfoTextAndRectsByIndex)
{
    bar.SetButtonInfo(4, 0x8200, TBBS_DROPDOWN, 1);
    UINT id, style;
    int image;
    bar.GetButtonInfo(4, id, style, image);
    EXPECT_EQ(0x8200u, id);
    EXPECT_EQ((UINT)TBBS_DROPDOWN, style);
    EXPECT_EQ(1, image);
    EXPECT_EQ(4, bar.CommandToIndex(0x8200));

    EXPECT_TRUE(bar.SetButtonText(0, "열기"));
    EXPECT_EQ(CString("열기"), bar.GetButtonText(0));
    EXPECT_EQ(CString(""), bar.GetButtonText(1));
    EXPECT_FALSE(bar.SetButtonText(17, "x"));

    CRect previous;
    bar.GetItemRect(0, &previous);
    EXPECT_FALSE(previous.IsRectEmpty());
    for (int i = 1; i < bar.GetCount(); ++i) {
        CRect rect;
        bar.GetItemRect(i, &rect);
        EXPECT_EQ(previous.right, rect.left) << i;
        EXPECT_EQ(previous.top, rect.top) << i;
        previous = rect;
    }
    CRect none;
    bar.GetItemRect(42, &none);
    EXPECT_TRUE(none.IsRectEmpty());
}

TEST_F(ToolBarButtonsTest, SetButtonsNumbersImagesAndSeparators)
{
    const UINT ids[] = {kPrint, ID_SEPARATOR, kOpen, kSave};
    ASSERT_TRUE(bar.SetButtons(ids, 4));
    ASSERT_EQ(4, bar.GetCount());
    UINT id, style;
    int image;
    bar.GetButtonInfo(3, id, style, image);
    EXPECT_EQ(2, image);
    EXPECT_EQ(kSave, id);
    EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_SEPARATOR);
    ASSERT_TRUE(bar.SetButtons(nullptr, 2));
    EXPECT_EQ(ID_SEPARATOR, bar.GetItemID(0));
    EXPECT_FALSE(bar.SetButtons(ids, -1));
}

// A fixed-size bar keeps the rows its wrapped buttons make; a dynamic bar
// wraps to the width asked for and docks vertically as one column.
TEST_F(ToolBarButtonsTest, WrappedRowsInTheLayout)
{
    CSize oneRow = bar.CalcFixedLayout(FALSE, TRUE);
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_FIXED);
    bar.SetButtonStyle(3, bar.GetButtonStyle(3) | TBBS_WRAPPED);
    CSize twoRows = bar.CalcFixedLayout(FALSE, TRUE);
    CRect first, nextRow;
    bar.GetItemRect(0, &first);
    bar.GetItemRect(4, &nextRow);
    EXPECT_EQ(first.left, nextRow.left);
    EXPECT_EQ(first.bottom, nextRow.top);
    EXPECT_EQ(oneRow.cy + first.Height(), twoRows.cy);
    EXPECT_LT(twoRows.cx, oneRow.cx);

    bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_SIZE_FIXED) | CBRS_SIZE_DYNAMIC);
    CSize horz = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(oneRow, horz);
    EXPECT_EQ(0u, bar.GetButtonStyle(3) & TBBS_WRAPPED);
    CSize narrow = bar.CalcDynamicLayout(2 * first.Width() + 20, LM_HORZ | LM_COMMIT);
    EXPECT_LE(narrow.cx, 2 * first.Width() + 20);
    EXPECT_GE(narrow.cy, oneRow.cy + 2 * first.Height());
    EXPECT_EQ((UINT)narrow.cx, bar.m_nMRUWidth);

    CSize column = bar.CalcFixedLayout(FALSE, FALSE);
    for (int i = 1; i < bar.GetCount(); ++i) {
        CRect a, b;
        bar.GetItemRect(i - 1, &a);
        bar.GetItemRect(i, &b);
        if (!(bar.GetButtonStyle(i) & TBBS_SEPARATOR) && !(bar.GetButtonStyle(i - 1) & TBBS_SEPARATOR)) {
            EXPECT_GE(b.top, a.bottom) << i;
        }
    }
    EXPECT_GT(column.cy, column.cx);
}

// Update handlers on the frame: kSave disabled, kPrint checked, kOpen handled,
// kNobody without any handler greys on idle.
class CToolFrame : public CFrameWnd {
public:
    BOOL saveEnabled = FALSE;
    void OnOpen() {}
    void OnZoom() {}
    void OnUpdateSave(CCmdUI* ui) { ui->Enable(saveEnabled); }
    void OnUpdatePrint(CCmdUI* ui) { ui->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolFrame, CFrameWnd)
ON_COMMAND(kOpen, OnOpen)
ON_COMMAND(kZoom, OnZoom)
ON_COMMAND(kPrint, OnZoom)
ON_UPDATE_COMMAND_UI(kSave, OnUpdateSave)
ON_UPDATE_COMMAND_UI(kPrint, OnUpdatePrint)
END_MESSAGE_MAP()

TEST_F(ToolBarTest, IdleUpdateGreysAndChecksButtons)
{
    CToolFrame* frame = new CToolFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Mivo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    app.m_pMainWnd = frame;
    auto bar = std::make_unique<CToolBar>();
    ASSERT_TRUE(bar->Create(frame));
    ASSERT_TRUE(bar->LoadToolBar(kToolBarId));
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    PumpUntilIdle();
    CRect saveRect;
    bar->GetItemRect(1, &saveRect);
    auto blackInSave = [&] {
        PumpUntilIdle();
        WindowImage image = CaptureWindow(bar->m_hWnd, true);
        int black = 0;
        for (int y = saveRect.top; y < saveRect.bottom; ++y)
            for (int x = saveRect.left; x < saveRect.right; ++x)
                black += image.At(x, y) == RGB(0, 0, 0);
        return black;
    };
    EXPECT_EQ(16, blackInSave());

    app.OnIdle(0);
    CToolBarCtrl& ctrl = bar->GetToolBarCtrl();
    EXPECT_TRUE(ctrl.IsButtonEnabled(kOpen));
    EXPECT_FALSE(ctrl.IsButtonEnabled(kSave));
    EXPECT_TRUE(ctrl.IsButtonChecked(kPrint));
    EXPECT_TRUE(bar->GetButtonStyle(3) & TBBS_CHECKBOX);
    EXPECT_TRUE(ctrl.IsButtonEnabled(kZoom));
    EXPECT_FALSE(ctrl.IsButtonEnabled(kNobody));
    EXPECT_EQ(0, blackInSave());  // drawn embossed in the shadow colours

    frame->saveEnabled = TRUE;
    app.OnIdle(0);
    EXPECT_TRUE(ctrl.IsButtonEnabled(kSave));
    EXPECT_EQ(16, blackInSave());

    bar->DestroyWindow();
    frame->DestroyWindow();
}

// Tips are the text after the newline of the command's string; fly-by
// prompts, the text before it, go to the status bar while the pointer is
// over a button.
TEST_F(ToolBarTest, TipsAndFlyByPromptsComeFromTheStringTable)
{
    CFrameWnd* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Mivo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200)));
    app.m_pMainWnd = frame;
    CStatusBar status;
    ASSERT_TRUE(status.Create(frame));
    const UINT panes[] = {ID_SEPARATOR};
    ASSERT_TRUE(status.SetIndicators(panes, 1));
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
    ASSERT_TRUE(bar.LoadToolBar(kToolBarId));
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    PumpUntilIdle();

    struct TipCase {
        UINT id;
        const char* tip;
    } tips[] = {{kSave, "저장"}, {kOpen, ""}, {kPrint, ""}};
    for (const TipCase& c : tips) {
        NMTTDISPINFO info = {};
        info.hdr.code = TTN_NEEDTEXT;
        info.hdr.idFrom = c.id;
        bar.SendMessage(WM_NOTIFY, c.id, (LPARAM)&info);
        ASSERT_NE(nullptr, info.lpszText) << c.id;
        EXPECT_EQ(std::string(c.tip), std::string(info.lpszText)) << c.id;
    }

    CRect save;
    bar.GetItemRect(1, &save);
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(save.CenterPoint().x, save.CenterPoint().y));
    EXPECT_EQ(CString("그림을 저장합니다"), status.GetPaneText(0));
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(CString("준비"), status.GetPaneText(0));

    bar.DestroyWindow();
    status.DestroyWindow();
    frame->DestroyWindow();
}

}  // namespace
