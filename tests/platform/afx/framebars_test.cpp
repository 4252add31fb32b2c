// The main frame's bars together: a tool bar and another window in a rebar,
// the status bar and a docked side bar lay out around the MDI client and
// follow the frame's size; the rebar's bands hold their children.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/BarResourceBuilder.h"
#include "support/MessageLoop.h"

#include <memory>

using namespace mivo::test;

namespace {

const WORD kToolBarId = 7620;
const WORD kOpen = 0x8180, kSave = 0x8181, kPrint = 0x8182;
const UINT kSideBarId = 0xE830, kBandWindowId = 0xE831;

void RegisterResources()
{
    static ResourceSet* set = [] {
        auto* s = new ResourceSet("framebars_test");
        s->Add(RT_TOOLBAR, kToolBarId, BuildToolBarResource(16, 15, {kOpen, kSave, 0, kPrint}));
        s->Add(RT_BITMAP, kToolBarId, BuildSixteenColourStrip(3, 16, 15));
        s->Register();
        return s;
    }();
    (void)set;
}

// A docking pane of a fixed shape, like the folder bar.
class CSideBar : public CControlBar {
public:
    BOOL Create(CWnd* parent)
    {
        m_dwStyle = CBRS_LEFT | CBRS_GRIPPER;
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS), "폴더", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                            parent, kSideBarId);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = bHorz ? CSize(200, 40) : CSize(150, 200);
        if (bStretch)
            (bHorz ? size.cx : size.cy) = 32767;
        return size;
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class FrameBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterResources();
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Mivo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        app.m_pMainWnd = frame;
        ASSERT_TRUE(toolBar.CreateEx(frame, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                                     WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, CRect(0, 0, 0, 0)));
        ASSERT_TRUE(toolBar.LoadToolBar(kToolBarId));
        ASSERT_TRUE(bandWindow.Create(AfxRegisterWndClass(0), "광고", WS_CHILD | WS_VISIBLE, CRect(0, 0, 202, 52),
                                      frame, kBandWindowId));
        ASSERT_TRUE(reBar.Create(frame, RBS_BANDBORDERS, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_TOP,
                                 AFX_IDW_REBAR));
        background.CreateBitmap(8, 8, 1, 32, nullptr);
        ASSERT_TRUE(reBar.AddBar(&toolBar, nullptr, &background, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_USECHEVRON));
        ASSERT_TRUE(reBar.AddBar(&bandWindow, nullptr, nullptr, RBBS_FIXEDSIZE | RBBS_FIXEDBMP));
        ASSERT_TRUE(statusBar.Create(frame));
        const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_INDICATOR_CAPS};
        ASSERT_TRUE(statusBar.SetIndicators(indicators, 3));
        statusBar.SetPaneInfo(1, ID_SEPARATOR, SBPS_NORMAL, 100);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(sideBar.Create(frame));
        sideBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&sideBar, AFX_IDW_DOCKBAR_LEFT);
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        PumpUntilIdle();
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    CRect InFrame(HWND child) const
    {
        CRect rect;
        ::GetWindowRect(child, &rect);
        frame->ScreenToClient(&rect);
        return rect;
    }
    void ExpectLaidOutAroundTheClient()
    {
        CRect client;
        frame->GetClientRect(&client);
        CRect rebar = InFrame(reBar.m_hWnd), status = InFrame(statusBar.m_hWnd);
        CRect dock = InFrame(frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->m_hWnd);
        CRect side = InFrame(sideBar.m_hWnd), mdi = InFrame(frame->m_hWndMDIClient);
        EXPECT_EQ(CRect(0, 0, client.right, (int)reBar.GetReBarCtrl().GetBarHeight()), rebar);
        EXPECT_GT(rebar.Height(), 0);
        EXPECT_EQ(client.bottom, status.bottom);
        EXPECT_EQ(client.Width(), status.Width());
        EXPECT_EQ(CRect(0, rebar.bottom, dock.right, status.top), dock);
        EXPECT_EQ(rebar.bottom, side.top);
        EXPECT_EQ(dock.right, side.right);
        EXPECT_EQ(CRect(dock.right, rebar.bottom, client.right, status.top), mdi);
    }

    CWinApp app{"FrameBars Test"};
    CMDIFrameWnd* frame = nullptr;
    CReBar reBar;
    CToolBar toolBar;
    CWnd bandWindow;
    CBitmap background;
    CStatusBar statusBar;
    CSideBar sideBar;
};

TEST_F(FrameBarsTest, BarsLayOutAroundTheMdiClientAndFollowAResize)
{
    ExpectLaidOutAroundTheClient();
    frame->SetWindowPos(nullptr, 0, 0, 760, 560, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    ExpectLaidOutAroundTheClient();
    frame->SetWindowPos(nullptr, 0, 0, 300, 400, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    ExpectLaidOutAroundTheClient();
}

TEST_F(FrameBarsTest, BandsHoldTheirChildren)
{
    CReBarCtrl& ctrl = reBar.GetReBarCtrl();
    EXPECT_EQ(reBar.m_hWnd, ctrl.m_hWnd);
    ASSERT_EQ(2u, ctrl.GetBandCount());
    EXPECT_EQ(&reBar, toolBar.GetParent());
    EXPECT_EQ(&reBar, bandWindow.GetParent());

    REBARBANDINFO info = {sizeof(info)};
    info.fMask = RBBIM_CHILD | RBBIM_STYLE | RBBIM_BACKGROUND | RBBIM_CHILDSIZE;
    ASSERT_TRUE(ctrl.GetBandInfo(0, &info));
    EXPECT_EQ(toolBar.m_hWnd, info.hwndChild);
    EXPECT_EQ((UINT)(RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_USECHEVRON), info.fStyle);
    EXPECT_EQ((HBITMAP)background, info.hbmBack);
    CSize toolSize = toolBar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ((UINT)toolSize.cx, info.cxMinChild);
    EXPECT_EQ((UINT)toolSize.cy, info.cyMinChild);
    ASSERT_TRUE(ctrl.GetBandInfo(1, &info));
    EXPECT_EQ(bandWindow.m_hWnd, info.hwndChild);
    EXPECT_EQ(202u, info.cxMinChild);
    EXPECT_EQ(52u, info.cyMinChild);

    // The frame widens the tool bar's band the way the main frame does.
    info.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
    info.cxMinChild = (UINT)toolSize.cx + 24;
    info.cyMinChild = (UINT)toolSize.cy;
    info.cx = info.cxMinChild;
    ASSERT_TRUE(ctrl.SetBandInfo(0, &info));
    frame->RecalcLayout();
    PumpUntilIdle();
    CRect toolRect;
    toolBar.GetWindowRect(&toolRect);
    EXPECT_GE(toolRect.Width(), toolSize.cx + 24);
    CRect rebar = InFrame(reBar.m_hWnd);
    EXPECT_GE(rebar.Height(), 52);  // the taller band sets the row
    ExpectLaidOutAroundTheClient();
}

TEST_F(FrameBarsTest, ToolBarInTheRebarUpdatesOnIdle)
{
    app.OnIdle(0);
    // No handler anywhere: the frame greys every button.
    EXPECT_FALSE(toolBar.GetToolBarCtrl().IsButtonEnabled(kOpen));
    EXPECT_TRUE(toolBar.GetButtonStyle(0) & TBBS_DISABLED);
}

}  // namespace
