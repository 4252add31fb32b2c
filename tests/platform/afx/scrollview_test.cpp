// CScrollView: bars only when needed, line/page/thumb/wheel scrolling kept
// inside the range, 32-bit positions, and views living outside any frame.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

using namespace mivo::test;

namespace {

class CTallView : public CScrollView {
    DECLARE_DYNCREATE(CTallView)
public:
    CPoint lastOrigin;
    void OnDraw(CDC* pDC) override { lastOrigin = pDC->GetViewportOrg(); }
    BOOL Scroll(UINT code, UINT pos) { return OnScroll(code, pos); }
};
IMPLEMENT_DYNCREATE(CTallView, CScrollView)

class ScrollViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr));
        view = new CTallView;  // deletes itself with its window
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &host, 1));
        view->SetScrollSizes(MM_TEXT, CSize(1000, 70000), CSize(100, 50), CSize(10, 5));
        view->GetClientRect(&client);
    }
    void TearDown() override { host.DestroyWindow(); }

    CPoint Position() const { return view->GetScrollPosition(); }

    CWnd host;
    CTallView* view = nullptr;
    CRect client;
};

}  // namespace

TEST_F(ScrollViewTest, LinesPagesAndEndsStayInsideTheRange)
{
    ASSERT_TRUE(view->GetStyle() & WS_VSCROLL);
    ASSERT_TRUE(view->GetStyle() & WS_HSCROLL);
    const int bottom = 70000 - client.Height();
    struct Step {
        UINT msg;
        UINT code;
        int expectedY;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 5},   {WM_VSCROLL, SB_PAGEDOWN, 55}, {WM_VSCROLL, SB_LINEUP, 50},
        {WM_VSCROLL, SB_PAGEUP, 0},     {WM_VSCROLL, SB_LINEUP, 0},    {WM_VSCROLL, SB_BOTTOM, bottom},
        {WM_VSCROLL, SB_LINEDOWN, bottom}, {WM_VSCROLL, SB_TOP, 0},
    };
    for (const Step& s : steps) {
        view->SendMessage(s.msg, s.code);
        EXPECT_EQ(s.expectedY, Position().y) << "code " << s.code;
    }
    view->SendMessage(WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(1000 - client.Width(), Position().x);
}

TEST_F(ScrollViewTest, PositionsBeyondSixteenBitsAndClampedTargets)
{
    EXPECT_TRUE(view->Scroll(MAKEWORD(0xFF, SB_THUMBTRACK), 69000));
    EXPECT_EQ(CPoint(0, 69000), Position());
    view->ScrollToPosition(CPoint(-50, 66000));
    EXPECT_EQ(CPoint(0, 66000), Position());
    EXPECT_EQ(66000, view->GetScrollPos(SB_VERT));
    view->ScrollToPosition(CPoint(5000, 900000));
    EXPECT_EQ(CPoint(1000 - client.Width(), 70000 - client.Height()), Position());
}

TEST_F(ScrollViewTest, WheelScrollsByTheUsersLines)
{
    UINT lines = 0;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_GT(lines, 0u);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    EXPECT_EQ(CPoint(0, int(lines) * 5), Position());
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)(2 * WHEEL_DELTA)), 0);
    EXPECT_EQ(CPoint(0, 0), Position());
}

TEST_F(ScrollViewTest, ContentThatFitsShowsNoBarsAndTheDcFollowsThePosition)
{
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    view->SendMessage(WM_HSCROLL, SB_LINEDOWN);
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(CPoint(-10, -50), view->lastOrigin);

    view->SetScrollSizes(MM_TEXT, CSize(150, 60));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(view->GetStyle() & WS_HSCROLL);
    EXPECT_EQ(CPoint(0, 0), Position()) << "a shrunk content scrolls back";
    EXPECT_EQ(CSize(150, 60), view->GetTotalSize());
}

// Views set their sizes while they paint: the same sizes again must not touch
// the bars or ask for another paint.
TEST_F(ScrollViewTest, TheSameSizesAgainRepaintNothing)
{
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    PumpUntilIdle();
    view->ValidateRect(nullptr);
    MessageRecorder recorder;
    recorder.Attach(view->m_hWnd);
    view->SetScrollSizes(MM_TEXT, CSize(1000, 70000), CSize(100, 50), CSize(10, 5));
    PumpUntilIdle();
    EXPECT_TRUE(recorder.Messages(view->m_hWnd, {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_NCCALCSIZE, WM_SIZE}).empty());
    EXPECT_FALSE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE));
    EXPECT_EQ(CPoint(0, 50), Position());

    view->SetScrollSizes(MM_TEXT, CSize(1000, 80000), CSize(100, 50), CSize(10, 5));
    EXPECT_TRUE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE)) << "new sizes do paint";
}

TEST_F(ScrollViewTest, AViewOutsideAnyFrameTakesAClick)
{
    ASSERT_EQ(nullptr, view->GetParentFrame());
    Click(view->m_hWnd, 20, 20);
    EXPECT_TRUE(::IsWindow(view->m_hWnd));
}

namespace {

// Sets a total that depends on its width from its size handler.
class CSelfSizingView : public CScrollView {
    DECLARE_DYNCREATE(CSelfSizingView)
public:
    void OnDraw(CDC*) override {}

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CScrollView::OnSize(nType, cx, cy);
        // Narrower rows make the content taller, as a grid of cells does.
        int rows = cx > 0 ? 40000 / cx + 1 : 1;
        SetScrollSizes(MM_TEXT, CSize(cx, rows * 100));
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CSelfSizingView, CScrollView)
BEGIN_MESSAGE_MAP(CSelfSizingView, CScrollView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

}  // namespace

TEST(ScrollViewSizes, SizesSetByTheSizeHandlerWhileABarComesAreShown)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                              nullptr));
    auto* view = new CSelfSizingView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &host, 1));
    view->SetScrollSizes(MM_TEXT, CSize(100, 100));
    view->MoveWindow(0, 0, 250, 150);
    PumpUntilIdle();
    // The bar shown matches the last total the size handler set, even though that was set while
    // the bar itself was coming.
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    SCROLLINFO si = {sizeof(si), SIF_RANGE};
    view->GetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(view->GetTotalSize().cy - 1, si.nMax);
    host.DestroyWindow();
}
