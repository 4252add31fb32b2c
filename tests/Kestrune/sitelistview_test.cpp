// The site grid: columns by width, selection by keys and clicks, what a paint shows, the pictures
// it loads, and a long list painted through a bitmap of the visible band only.
#include <gtest/gtest.h>

#include "KestruneTestSupport.h"
#include "SiteListView.h"
#include "DlgSiteSelect.h"  // the chooser's resource ids
#include "support/MessageBoxCapture.h"
#include "support/MessageLoop.h"
#include "support/WebDatabaseSeed.h"
#include "support/WindowCapture.h"

#include "image/ImageObject.h"

using mivo::test::CaptureWindow;
using mivo::test::PumpUntilIdle;

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kSelectedFrame = 0xC06830;
const COLORREF kSelectedFill = 0xDD9E75;
const COLORREF kCellFrame = 0xC8C8C8;

void AddSite(CSiteTable& table, const CString& id, const CString& picture = "")
{
    CString row[CSiteTable::COLUMN_COUNT];
    row[CSiteTable::COL_SITE_ID] = id;
    row[CSiteTable::COL_SITE_URL] = "http://" + id + ".example/";
    row[CSiteTable::COL_PICTURE_FILE] = picture;
    table.AddRow(row);
}

CImageObject* Picture(COLORREF colour, int width, int height)
{
    CImageObject maker;
    return maker.MakeBlankImageObject(colour, width, height);
}

class SiteViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "사이트 격자", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 800)));
    }
    void TearDown() override
    {
        m_frame->DestroyWindow();
        PumpUntilIdle();
    }

    // A view of `sites` sites whose client area is width x height (no border, no bars).
    CSiteListView* MakeView(int sites, int width, int height)
    {
        m_view = (CSiteListView*)RUNTIME_CLASS(CSiteListView)->CreateObject();
        for (int i = 0; i < sites; ++i)
            AddSite(*m_view, ("site" + std::to_string(i)).c_str());
        m_view->SyncPictureSlots();
        m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), m_frame, 0xE900);
        m_view->m_bFrameActivation = FALSE;
        m_view->SetBkColor(kWhite);
        m_view->SendMessage(WM_INITIALUPDATE);
        m_view->MoveWindow(0, 0, width, height);
        m_view->UpdateWindow();
        PumpUntilIdle();
        return m_view;
    }

    void Key(UINT vk)
    {
        MSG msg = {m_view->m_hWnd, WM_KEYDOWN, vk, 0};
        EXPECT_TRUE(m_view->PreTranslateMessage(&msg));
    }
    void Click(UINT message, int x, int y)
    {
        m_view->SendMessage(message, message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON,
                            MAKELPARAM((WORD)(short)x, (WORD)(short)y));
    }

    CFrameWnd* m_frame = nullptr;
    CSiteListView* m_view = nullptr;
};

}  // namespace

TEST_F(SiteViewTest, ColumnsFollowTheWidthInCellsOf210)
{
    const struct {
        int width;
        int columns;
    } cases[] = {{630, 3}, {629, 2}, {420, 2}, {211, 1}, {210, 1}, {150, 1}, {860, 4}};
    MakeView(3, 630, 700);
    for (const auto& c : cases) {
        m_view->MoveWindow(0, 0, c.width, 700);
        EXPECT_EQ(c.columns, m_view->m_nColumns) << c.width;
        EXPECT_EQ(210, m_view->m_nCellSize) << c.width;
    }
    m_view->m_nFixedColumns = 4;
    m_view->MoveWindow(0, 0, 600, 700);
    EXPECT_EQ(4, m_view->m_nColumns);
    EXPECT_EQ(150, m_view->m_nCellSize);
    m_view->MoveWindow(0, 0, 2, 700);
    EXPECT_EQ(1, m_view->m_nCellSize) << "never a cell of no size";
}

TEST_F(SiteViewTest, KeysMoveTheSelectionInsideTheList)
{
    MakeView(7, 630, 700);
    ASSERT_EQ(3, m_view->m_nColumns);
    const struct {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {5, VK_DOWN, 6},  {6, VK_DOWN, 6},  {2, VK_END, 6},  {6, VK_HOME, 0}, {0, VK_LEFT, 0},
        {4, VK_UP, 1},    {1, VK_UP, 0},    {1, VK_RIGHT, 2}, {6, VK_RIGHT, 6}, {-1, VK_RIGHT, 0},
        {-1, VK_DOWN, 2}, {2, VK_NEXT, 6},  {6, VK_PRIOR, 0},
    };
    for (const auto& c : cases) {
        m_view->m_nSelected = c.from;
        Key(c.key);
        EXPECT_EQ(c.to, m_view->m_nSelected) << "from " << c.from << " key " << c.key;
    }
    MSG other = {m_view->m_hWnd, WM_KEYDOWN, 'A', 0};
    EXPECT_FALSE(m_view->PreTranslateMessage(&other)) << "other keys pass on";
}

TEST_F(SiteViewTest, ClicksSelectOnlyASitesCell)
{
    MakeView(7, 630, 700);
    ASSERT_EQ(2, m_view->m_nLeftMargin);
    const struct {
        int x, y;
        int selected;
    } cases[] = {
        {2 + 210 + 50, 210 + 50, 4},   // the middle cell of the second row
        {2 + 420 + 100, 420 + 100, 4}, // right of the short last row: nothing
        {2 + 30, 420 + 30, 6},         // the last site
        {2 + 630 + 20, 30, 6},         // right of the grid
        {-5, 30, 6},                   // left of the view
        {100, -30, 6},                 // above the view
    };
    for (const auto& c : cases) {
        Click(WM_LBUTTONDOWN, c.x, c.y);
        EXPECT_EQ(c.selected, m_view->m_nSelected) << c.x << "," << c.y;
    }
}

TEST_F(SiteViewTest, PaintShowsFramesThePictureAndTheSelection)
{
    MakeView(3, 630, 420);
    m_view->m_arrPictures[0] = Picture(RGB(200, 0, 0), 100, 80);
    m_view->m_arrPictures[2] = Picture(RGB(0, 0, 200), 196, 150);
    m_view->m_nSelected = 1;
    m_view->Invalidate();
    m_view->UpdateWindow();
    mivo::test::WindowImage image = CaptureWindow(m_view->m_hWnd, true);
    ASSERT_EQ(630, image.width);
    // Site 0: its frame from x 4, its picture centred at (4 + 54, 68).
    EXPECT_EQ(kCellFrame, image.At(4, 100));
    EXPECT_EQ(kWhite, image.At(30, 100));
    EXPECT_EQ((COLORREF)RGB(200, 0, 0), image.At(58, 68));
    EXPECT_EQ((COLORREF)RGB(200, 0, 0), image.At(157, 147));
    EXPECT_EQ(kWhite, image.At(57, 100));
    EXPECT_EQ(kWhite, image.At(158, 100));
    // Site 1, selected, without a picture: the frame only.
    EXPECT_EQ(kSelectedFrame, image.At(214, 100));
    EXPECT_EQ(kSelectedFill, image.At(315, 105));
    // Site 2: a picture of 196 x 150 at (424 + 6, 33).
    EXPECT_EQ((COLORREF)RGB(0, 0, 200), image.At(430, 33));
    EXPECT_EQ((COLORREF)RGB(0, 0, 200), image.At(625, 182));
    // No text, no cells in the second row: background.
    EXPECT_EQ(kWhite, image.At(100, 300));
    EXPECT_EQ(CRect(430, 32, 626, 182), m_view->PictureRect(2));
}

TEST_F(SiteViewTest, ALongListPaintsTheVisibleBandOnly)
{
    // 3000 rows: a bitmap of the whole content would be 630 x 630000 pixels.
    // Three columns beside the vertical bar.
    MakeView(9000, 630 + GetSystemMetrics(SM_CXVSCROLL), 420);
    ASSERT_EQ(3, m_view->m_nColumns);
    Key(VK_END);
    EXPECT_EQ(8999, m_view->m_nSelected);
    PumpUntilIdle();
    EXPECT_EQ(2999 * 210 + 210 - 420, m_view->GetScrollPosition().y);
    mivo::test::WindowImage image = CaptureWindow(m_view->m_hWnd, true);
    // The last site is the third of the last row, at the bottom of the window.
    EXPECT_EQ(kSelectedFrame, image.At(2 * 210 + 4, 420 - 100));
    EXPECT_EQ(kSelectedFill, image.At(2 * 210 + 100, 420 - 100));
    EXPECT_EQ(kCellFrame, image.At(4, 420 - 100));
    EXPECT_EQ(kCellFrame, image.At(4, 100));
}

TEST_F(SiteViewTest, WithoutSitesKeysAndClicksDoNothing)
{
    MakeView(0, 630, 420);
    EXPECT_EQ(3, m_view->m_nLeftMargin);
    for (UINT key : {VK_END, VK_DOWN, VK_HOME, VK_RIGHT, VK_NEXT, VK_RETURN}) {
        Key(key);
        EXPECT_EQ(-1, m_view->m_nSelected) << key;
    }
    Click(WM_LBUTTONDOWN, 50, 50);
    Click(WM_RBUTTONDOWN, 50, 50);
    Click(WM_LBUTTONDBLCLK, 50, 50);
    EXPECT_EQ(-1, m_view->m_nSelected);
    EXPECT_EQ(CRect(0, 0, 0, 0), m_view->PictureRect(-1));
    EXPECT_EQ(CRect(0, 0, 0, 0), m_view->PictureRect(0));
}

TEST_F(SiteViewTest, PicturesAreLoadedIntoTheBoxAndAFailedOneLeavesAnEmptyFrame)
{
    kestrunetest::DataFolder data;
    kestrunetest::WriteFile(data.temp("big.jpg"), mivotest::MakePicture("big.jpg", RGB(0, 150, 0), 392, 300));
    kestrunetest::WriteFile(data.temp("small.bmp"), mivotest::MakePicture("small.bmp", RGB(150, 0, 150), 100, 60));
    kestrunetest::WriteFile(data.temp("broken.jpg"), "no picture here");
    mivotest::MessageBoxCapture boxes;
    m_view = (CSiteListView*)RUNTIME_CLASS(CSiteListView)->CreateObject();
    const char* files[] = {"big.jpg", "small.bmp", "missing.jpg", "broken.jpg", "..\\Temp\\big.jpg"};
    for (const char* f : files)
        AddSite(*m_view, "s", f);
    m_view->m_strDataDir = data.dataDir().c_str();
    m_view->LoadThumbnails();
    ASSERT_EQ(5, m_view->GetSiteCount());
    ASSERT_NE(nullptr, m_view->m_arrPictures[0]);
    EXPECT_EQ(196, m_view->m_arrPictures[0]->GetWidth());
    EXPECT_EQ(150, m_view->m_arrPictures[0]->GetHeight());
    ASSERT_NE(nullptr, m_view->m_arrPictures[1]);
    EXPECT_EQ(100, m_view->m_arrPictures[1]->GetWidth()) << "never enlarged";
    EXPECT_EQ(nullptr, m_view->m_arrPictures[2]);
    EXPECT_EQ(nullptr, m_view->m_arrPictures[3]);
    EXPECT_EQ(nullptr, m_view->m_arrPictures[4]) << "a name that is no plain file name is not read";
    EXPECT_TRUE(boxes.shown().empty()) << "a missing or broken picture is no error to report";
    delete m_view;
    m_view = nullptr;
}

TEST_F(SiteViewTest, OverAPictureTheSiteCursorShowsAndMouseActivationIsPlain)
{
    MakeView(2, 630, 420);
    m_view->m_arrPictures[0] = Picture(RGB(200, 0, 0), 100, 80);
    m_view->Invalidate();
    m_view->UpdateWindow();
    ASSERT_NE(nullptr, ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(IDC_SITE_HAND), RT_GROUP_CURSOR),
                                    MAKEINTRESOURCE(IDC_SITE_HAND)));
    const struct {
        int x, y;
        BOOL over;
    } cases[] = {{100, 100, TRUE}, {30, 30, FALSE}, {100, 100, TRUE}, {300, 100, TRUE} /* no picture: kept */,
                 {500, 300, TRUE} /* no site: kept */, {20, 100, FALSE}};
    for (const auto& c : cases) {
        m_view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(c.over, m_view->m_bOverPicture) << c.x << "," << c.y;
    }
    m_view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_TRUE(m_view->SendMessage(WM_SETCURSOR, (WPARAM)m_view->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
        << "the site cursor is set and the message consumed";
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(::GetCursor(), &info));
    EXPECT_EQ(11u, info.xHotspot) << "the pointing finger's hot spot";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    EXPECT_EQ(MA_ACTIVATE, m_view->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_frame->m_hWnd,
                                               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
}
