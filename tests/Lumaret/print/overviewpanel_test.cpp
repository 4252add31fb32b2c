// The overview panel on a window with a zooming view: the small picture and its ratio,
// the frame of the visible part, dragging it (held inside the picture, the view
// following), and a page too large for any ratio.
#include "PrintFixture.h"

#include "image/ImgDetailView.h"
#include "print/OverviewPanel.h"
#include "support/MessageLoop.h"

using namespace printtest;
using mivo::test::PumpUntilIdle;

namespace {

const UINT kPanelId = 6110;

class Overview : public ::testing::Test {
protected:
    CWnd owner;
    CStatic control;
    CImgDetailView* view = nullptr;
    COverviewPanel panel;
    std::unique_ptr<CImageObject> page;
    CString zoomText;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 500),
                                   nullptr, 0));
        // A 206 x 208 control: the panel inside it is 200 x 200 from (13, 15).
        ASSERT_TRUE(control.Create("", WS_CHILD, CRect(10, 10, 216, 218), &owner, kPanelId));
        view = new CImgDetailView;
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(250, 10, 650, 410), &owner, 1));
        view->m_bActivateOnClick = FALSE;
        panel.Attach(&owner, kPanelId);
        panel.SetView(view);
        panel.SetZoomSink(COverviewPanel::kEditZoomFormat, [this](const CString& text) { zoomText = text; });
    }
    void TearDown() override
    {
        panel.Drop();
        view->m_pImgObj = nullptr;
        owner.DestroyWindow();
        PumpUntilIdle();
    }
    void Show(int w, int h)
    {
        page.reset(QuarterPicture(w, h));
        view->m_pImgObj = page.get();
        view->SetZoomRatio(1000);
        view->RebuildScrollSizes();
        panel.Rebuild();
    }
};

}  // namespace

TEST_F(Overview, TheFrameShowsTheVisiblePartScaledAndCentred)
{
    Show(1000, 800);
    EXPECT_EQ(CRect(13, 15, 213, 215), panel.PanelRect());
    EXPECT_EQ(200, panel.Ratio());
    ASSERT_TRUE(panel.OverviewImage());
    EXPECT_EQ(200, panel.OverviewImage()->GetWidth());
    EXPECT_EQ(160, panel.OverviewImage()->GetHeight());
    EXPECT_EQ(CPoint(13, 35), panel.PicturePos());
    panel.OnViewRectChanged(CRect(100, 50, 499, 449));
    EXPECT_EQ(CRect(33, 45, 113, 125), panel.Frame());
    EXPECT_EQ("화면 비율 = 100.0 %", std::string(zoomText));
}

TEST_F(Overview, DraggingStopsAtThePicturesEdgeAndScrollsTheView)
{
    Show(1000, 800);
    panel.OnViewRectChanged(CRect(100, 50, 499, 449));
    struct Drag {
        CPoint to;
        CRect frame;
    } drags[] = {
        {CPoint(60, 60), CRect(43, 55, 123, 135)},      // ten pixels right and down
        {CPoint(0, 0), CRect(13, 35, 93, 115)},         // pushed back at the left and top
        {CPoint(400, 400), CRect(133, 115, 213, 195)},  // and at the right and bottom
    };
    panel.OnMouseMove(0, CPoint(50, 50));
    ASSERT_TRUE(panel.Dragging());
    panel.OnLButtonDown(MK_LBUTTON, CPoint(50, 50));
    for (const Drag& d : drags) {
        panel.OnMouseMove(MK_LBUTTON, d.to);
        EXPECT_EQ(d.frame, panel.Frame()) << d.to.x << "," << d.to.y;
    }
    // The view's visible top-left is the frame's, mapped back to the page.
    EXPECT_EQ(CPoint(600, 400), view->GetScrollPosition());
    // Another button held with the left one moves nothing.
    panel.OnMouseMove(MK_LBUTTON | MK_SHIFT, CPoint(300, 300));
    EXPECT_EQ(CRect(133, 115, 213, 195), panel.Frame());
    panel.OnLButtonUp(0, CPoint(400, 400));
}

TEST_F(Overview, APageThousandsOfTimesThePanelGetsNoSmallPicture)
{
    Show(4000, 30);
    control.MoveWindow(10, 10, 8, 10);  // a 2 x 2 panel
    panel.Rebuild();
    EXPECT_EQ(0, panel.Ratio());
    EXPECT_FALSE(panel.OverviewImage());
    panel.OnViewRectChanged(CRect(0, 0, 100, 20));
    panel.OnMouseMove(MK_LBUTTON, CPoint(5, 5));
    EXPECT_EQ(-1, panel.Frame().left);
}
