// Control bars and docking in an MDI frame: bars lay out around the MDI
// client, float and dock again, are dragged, hidden, updated on idle, and
// their layout comes back from the registry store.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"
#include "support/WindowCapture.h"

#include <cstdlib>
#include <memory>

using namespace mivo::test;

namespace {

const UINT kSideBar = 0xE820, kTopBar = 0xE821, kStatusBar = 0xE822;

// A bar of a fixed shape that paints itself and counts its idle updates.
class CTestBar : public CControlBar {
public:
    CTestBar(CSize horz, CSize vert, COLORREF colour) : m_horz(horz), m_vert(vert), m_colour(colour)
    {
        m_bAutoDelete = TRUE;
    }
    BOOL Create(CWnd* parent, DWORD style, UINT id, LPCSTR title)
    {
        m_dwStyle = style & CBRS_ALL;
        return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), title,
                            WS_CHILD | WS_VISIBLE | (style & ~CBRS_ALL), CRect(0, 0, 0, 0), parent, id);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = bHorz ? m_horz : m_vert;
        if (bStretch && bHorz)
            size.cx = 32767;
        if (bStretch && !bHorz)
            size.cy = 32767;
        return size;
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        ++updates;
        lastTarget = pTarget;
        lastDisable = bDisableIfNoHndler;
    }
    void DoPaint(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, m_colour);
    }

    int updates = 0;
    CFrameWnd* lastTarget = nullptr;
    BOOL lastDisable = FALSE;

private:
    CSize m_horz, m_vert;
    COLORREF m_colour;
};

class CMainFrame : public CMDIFrameWnd {
public:
    CMainFrame() { m_strTitle = "Mivo"; }
};

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry = std::make_unique<mivotest::TempFolder>("mivo-docking");
        setenv("MIVO_REGISTRY_FILE", (registry->path() + "/registry").c_str(), 1);
        app.SetRegistryKey("Mivo Test");

        main = new CMainFrame;
        ASSERT_TRUE(main->Create(nullptr, "Mivo", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        app.m_pMainWnd = main;
        status = new CTestBar(CSize(100, 20), CSize(20, 100), RGB(200, 200, 200));
        ASSERT_TRUE(status->Create(main, CBRS_BOTTOM, kStatusBar, "status"));
        main->EnableDocking(CBRS_ALIGN_ANY);
        side = new CTestBar(CSize(200, 30), CSize(120, 300), RGB(0, 120, 0));
        ASSERT_TRUE(side->Create(main, CBRS_LEFT | CBRS_GRIPPER, kSideBar, "폴더"));
        side->EnableDocking(CBRS_ALIGN_ANY);
        main->DockControlBar(side, AFX_IDW_DOCKBAR_LEFT);
        top = new CTestBar(CSize(200, 30), CSize(40, 150), RGB(0, 0, 160));
        ASSERT_TRUE(top->Create(main, CBRS_TOP, kTopBar, "tools"));
        top->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        main->DockControlBar(top, AFX_IDW_DOCKBAR_TOP);
        main->ShowWindow(SW_SHOW);
        main->RecalcLayout();
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            main->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
        unsetenv("MIVO_REGISTRY_FILE");
    }

    // A child's rectangle in the frame's client coordinates.
    CRect InFrame(HWND child) const
    {
        CRect rect;
        ::GetWindowRect(child, &rect);
        main->ScreenToClient(&rect);
        return rect;
    }
    CRect Client() const
    {
        CRect rect;
        main->GetClientRect(&rect);
        return rect;
    }
    CRect MdiClient() const { return InFrame(main->m_hWndMDIClient); }
    CRect ScreenRect(CWnd* wnd) const
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        return rect;
    }

    CWinApp app{"Docking Test"};
    std::unique_ptr<mivotest::TempFolder> registry;
    CMainFrame* main = nullptr;
    CTestBar* status = nullptr;
    CTestBar* side = nullptr;
    CTestBar* top = nullptr;
};

}  // namespace

TEST_F(DockingTest, BarsLayOutAroundTheMdiClientAndFollowAResize)
{
    for (CSize frameSize : {CSize(640, 480), CSize(800, 600), CSize(500, 400)}) {
        main->MoveWindow(0, 0, frameSize.cx, frameSize.cy);
        PumpUntilIdle();
        CRect c = Client();
        EXPECT_EQ(CRect(0, c.bottom - 20, c.right, c.bottom), InFrame(status->m_hWnd)) << frameSize.cx;
        EXPECT_EQ(CRect(0, 0, c.right, 30), InFrame(main->GetControlBar(AFX_IDW_DOCKBAR_TOP)->m_hWnd));
        EXPECT_EQ(CRect(0, 0, 200, 30), InFrame(top->m_hWnd));
        EXPECT_EQ(CRect(0, 30, 120, 330), InFrame(side->m_hWnd));  // its own length
        EXPECT_EQ(CRect(120, 30, c.right, c.bottom - 20), MdiClient()) << frameSize.cx;
    }
}

TEST_F(DockingTest, TheFourDockBarsAreBarsOfTheFrame)
{
    for (UINT id : {59419u, 59420u, 59421u, 59422u}) {
        CDockBar* dock = dynamic_cast<CDockBar*>(main->GetControlBar(id));
        ASSERT_NE(nullptr, dock) << id;
        EXPECT_EQ(main, dock->GetParent());
        EXPECT_FALSE(dock->m_bFloating);
    }
    EXPECT_EQ(side, main->GetControlBar(kSideBar));
    EXPECT_EQ(main->GetControlBar(AFX_IDW_DOCKBAR_LEFT), (CWnd*)side->m_pDockBar);
    EXPECT_EQ(main, side->m_pDockSite);
    EXPECT_EQ(nullptr, main->GetControlBar(0xE8F0));
    EXPECT_TRUE(side->GetBarStyle() & CBRS_ALIGN_LEFT);
    EXPECT_FALSE(side->IsFloating());
}

TEST_F(DockingTest, ABarFloatsAndDocksAgain)
{
    main->FloatControlBar(side, CPoint(300, 200));
    PumpUntilIdle();
    ASSERT_TRUE(side->IsFloating());
    CWnd* floating = side->GetParent()->GetParent();
    ASSERT_TRUE(dynamic_cast<CMiniDockFrameWnd*>(floating));
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(CPoint(300, 200), ScreenRect(floating).TopLeft());
    CRect client;
    floating->GetClientRect(&client);
    EXPECT_EQ(CSize(200, 30), client.Size());  // floating bars lie across
    EXPECT_EQ(CRect(0, 30, Client().right, Client().bottom - 20), MdiClient());
    HWND floatingWnd = floating->m_hWnd;

    main->DockControlBar(side, AFX_IDW_DOCKBAR_LEFT);
    PumpUntilIdle();
    EXPECT_FALSE(side->IsFloating());
    EXPECT_EQ(main->GetControlBar(AFX_IDW_DOCKBAR_LEFT), side->GetParent());
    EXPECT_FALSE(::IsWindow(floatingWnd));  // the empty floating frame went
    EXPECT_EQ(CRect(120, 30, Client().right, Client().bottom - 20), MdiClient());
}

// What the frame shows after a bar floats away is what a full repaint shows: no bar left behind.
TEST_F(DockingTest, AFloatedBarLeavesNoPixelsOnTheFrame)
{
    for (CTestBar* bar : {side, top}) {
        CRect was = InFrame(bar->m_hWnd);
        main->FloatControlBar(bar, CPoint(300, 200));
        PumpUntilIdle();
        ASSERT_TRUE(bar->IsFloating());
        WindowImage shown = CaptureWindow(main->m_hWnd, true);
        main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        WindowImage repainted = CaptureWindow(main->m_hWnd, true);
        ASSERT_EQ(shown.width, repainted.width);
        int stale = 0;
        for (int y = was.top; y < was.bottom; ++y)
            for (int x = was.left; x < was.right; ++x)
                stale += shown.At(x, y) != repainted.At(x, y);
        EXPECT_EQ(stale, 0) << bar->GetDlgCtrlID();
    }
}

TEST_F(DockingTest, ToggleDockingRemembersBothPlaces)
{
    side->m_pDockContext->m_ptMRUFloatPos = CPoint(260, 140);
    side->m_pDockContext->ToggleDocking();
    PumpUntilIdle();
    ASSERT_TRUE(side->IsFloating());
    EXPECT_EQ(CPoint(260, 140), ScreenRect(side->GetParent()->GetParent()).TopLeft());
    side->m_pDockContext->ToggleDocking();
    PumpUntilIdle();
    EXPECT_FALSE(side->IsFloating());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, (UINT)side->GetParent()->GetDlgCtrlID());
}

TEST_F(DockingTest, DraggingFloatsAwayFromTheEdgesAndDocksNearOne)
{
    CRect before = ScreenRect(side);
    CPoint grab = before.TopLeft() + CSize(20, 40);
    mivo::InjectMouseMove(grab + CSize(100, 10));
    mivo::InjectMouseMove(grab + CSize(250, 60));
    mivo::InjectMouseButton(grab + CSize(250, 60), mivo::MouseButton::Left, false);
    side->m_pDockContext->StartDrag(grab);
    PumpUntilIdle();
    ASSERT_TRUE(side->IsFloating());
    EXPECT_EQ(before.TopLeft() + CSize(250, 60), ScreenRect(side->GetParent()->GetParent()).TopLeft());
    EXPECT_EQ(nullptr, ::GetCapture());

    // Back to the right edge of the frame: it docks on the right, upright.
    CRect frameClient = Client();
    main->ClientToScreen(&frameClient);
    CRect now = ScreenRect(side);
    CPoint from = now.TopLeft() + CSize(5, 5);
    CPoint to(frameClient.right - 60, frameClient.top + 100);
    mivo::InjectMouseMove(to);
    mivo::InjectMouseButton(to, mivo::MouseButton::Left, false);
    side->m_pDockContext->StartDrag(from);
    PumpUntilIdle();
    EXPECT_FALSE(side->IsFloating());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, (UINT)side->GetParent()->GetDlgCtrlID());
    EXPECT_EQ(CSize(120, 300), InFrame(side->m_hWnd).Size());
    EXPECT_EQ(CRect(0, 30, Client().right - 120, Client().bottom - 20), MdiClient());
}

TEST_F(DockingTest, EscapeLeavesTheBarWhereItWas)
{
    CRect before = ScreenRect(side);
    CPoint grab = before.TopLeft() + CSize(20, 40);
    mivo::InjectMouseMove(grab + CSize(250, 60));
    mivo::InjectKey(VK_ESCAPE, true);
    mivo::InjectKey(VK_ESCAPE, false);
    side->m_pDockContext->StartDrag(grab);
    PumpUntilIdle();
    EXPECT_FALSE(side->IsFloating());
    EXPECT_EQ(before, ScreenRect(side));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DockingTest, HiddenBarsGiveTheirRoomBack)
{
    main->ShowControlBar(side, FALSE, FALSE);
    EXPECT_FALSE(side->IsWindowVisible());
    EXPECT_EQ(CRect(0, 30, Client().right, Client().bottom - 20), MdiClient());
    main->ShowControlBar(top, FALSE, TRUE);  // delayed: the idle update lays out
    EXPECT_EQ(CRect(0, 30, Client().right, Client().bottom - 20), MdiClient());
    main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(CRect(0, 0, Client().right, Client().bottom - 20), MdiClient());
    main->ShowControlBar(side, TRUE, FALSE);
    EXPECT_EQ(CRect(120, 0, Client().right, Client().bottom - 20), MdiClient());
}

TEST_F(DockingTest, VisibleBarsUpdateOnIdleDockedOrFloating)
{
    main->FloatControlBar(top, CPoint(400, 300));
    main->ShowControlBar(status, FALSE, FALSE);
    PumpUntilIdle();
    side->updates = top->updates = status->updates = 0;
    // What the idle loop sends.
    main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(1, side->updates);
    EXPECT_EQ(1, top->updates);
    EXPECT_EQ(0, status->updates);
    EXPECT_EQ(main, side->lastTarget);
    EXPECT_EQ(main, top->lastTarget);
    EXPECT_TRUE(top->lastDisable);
}

TEST_F(DockingTest, TheFloatingFramesCloseBoxHidesTheBar)
{
    main->FloatControlBar(side, CPoint(300, 200));
    CWnd* floating = side->GetParent()->GetParent();
    floating->SendMessage(WM_CLOSE);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(floating->m_hWnd));
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_FALSE(side->IsVisible());
    main->ShowControlBar(side, TRUE, FALSE);
    EXPECT_TRUE(floating->IsWindowVisible());
}

TEST_F(DockingTest, SaveAndLoadBarStateRestoreTheLayout)
{
    main->FloatControlBar(side, CPoint(310, 220));
    main->ShowControlBar(status, FALSE, FALSE);
    PumpUntilIdle();
    main->SaveBarState("Bars");

    main->DockControlBar(side, AFX_IDW_DOCKBAR_RIGHT);
    main->ShowControlBar(status, TRUE, FALSE);
    main->DockControlBar(top, AFX_IDW_DOCKBAR_BOTTOM);
    PumpUntilIdle();
    ASSERT_FALSE(side->IsFloating());

    main->LoadBarState("Bars");
    PumpUntilIdle();
    ASSERT_TRUE(side->IsFloating());
    EXPECT_EQ(CPoint(310, 220), ScreenRect(side->GetParent()->GetParent()).TopLeft());
    EXPECT_FALSE(status->IsVisible());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, (UINT)top->GetParent()->GetDlgCtrlID());
    EXPECT_EQ(CRect(0, 30, Client().right, Client().bottom), MdiClient());

    // A docked layout with two rows on one side comes back row by row.
    main->DockControlBar(side, AFX_IDW_DOCKBAR_TOP);
    PumpUntilIdle();
    main->SaveBarState("Rows");
    int row = -1;
    CDockBar* topDock = dynamic_cast<CDockBar*>(main->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(topDock->FindBar(side, &row, nullptr));
    EXPECT_EQ(1, row);
    main->FloatControlBar(top, CPoint(50, 300));
    main->LoadBarState("Rows");
    PumpUntilIdle();
    EXPECT_TRUE(topDock->FindBar(top, &row, nullptr));
    EXPECT_EQ(0, row);
    EXPECT_TRUE(topDock->FindBar(side, &row, nullptr));
    EXPECT_EQ(1, row);
    EXPECT_EQ(CRect(0, 60, Client().right, Client().bottom), MdiClient());
}

TEST_F(DockingTest, SavedStateCannotPutABarWhereItsDockingStyleForbids)
{
    struct Entry {
        UINT bar;
        int floating;
        UINT dock;
    } entries[] = {
        {kTopBar, 0, AFX_IDW_DOCKBAR_LEFT},     // docks on top and bottom only
        {kStatusBar, 1, 0},                    // never enabled for docking: cannot float
        {kStatusBar, 0, AFX_IDW_DOCKBAR_TOP},  // nor dock
    };
    for (const Entry& e : entries) {
        main->ShowControlBar(status, TRUE, FALSE);
        app.WriteProfileInt("Outside-Summary", "Bars", 1);
        app.WriteProfileInt("Outside-Bar0", "BarID", (int)e.bar);
        app.WriteProfileInt("Outside-Bar0", "Floating", e.floating);
        app.WriteProfileInt("Outside-Bar0", "XPos", 300);
        app.WriteProfileInt("Outside-Bar0", "YPos", 200);
        app.WriteProfileInt("Outside-Bar0", "DockBarID", (int)e.dock);
        main->LoadBarState("Outside");
        PumpUntilIdle();
        EXPECT_FALSE(top->IsFloating());
        EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, (UINT)top->GetParent()->GetDlgCtrlID()) << e.bar;
        EXPECT_FALSE(status->IsFloating()) << e.bar;
        EXPECT_EQ(main, status->GetParent()) << e.bar;
        EXPECT_EQ(CRect(120, 30, Client().right, Client().bottom - 20), MdiClient()) << e.bar;
    }
}

TEST_F(DockingTest, DamagedSavedStateIsIgnored)
{
    app.WriteProfileInt("Broken-Summary", "Bars", 100000);
    app.WriteProfileInt("Broken-Bar0", "BarID", kSideBar);
    app.WriteProfileInt("Broken-Bar0", "DockBarID", 12345);  // no such dock bar
    app.WriteProfileInt("Broken-Bar1", "BarID", AFX_IDW_DOCKBAR_TOP);  // a dock bar is not a bar to place
    main->LoadBarState("Broken");
    PumpUntilIdle();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, (UINT)side->GetParent()->GetDlgCtrlID());
    EXPECT_EQ(CRect(120, 30, Client().right, Client().bottom - 20), MdiClient());
}
