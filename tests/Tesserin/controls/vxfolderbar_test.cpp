// The folder and dialog bars: remembered sizes, the gripper's hit codes per dock side,
// dragging the sizing edge (clamped to the minimum and to the frame), and
// the forwarders of a bar without an out-bar.
#include <gtest/gtest.h>

#include "controls/DevDialogBar.h"
#include "controls/VXFolderBar.h"
#include "mivo/modules.h"
#include "mivo/resources.h"
#include "mivo/testing/input.h"
#include "support/DialogTemplateBuilder.h"
#include "support/GeometryPrinters.h"
#include "support/MessageLoop.h"

using namespace mivo::test;

namespace {

class FolderBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        CString title = "폴더";
        ASSERT_EQ(1, bar.Create(frame, title, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        frame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    void DockAt(UINT side)
    {
        frame->DockControlBar(&bar, side);
        frame->RecalcLayout();
        PumpUntilIdle();
    }
    // A point of the bar's window given from its top-left corner, on the screen.
    CPoint OnWindow(int x, int y)
    {
        CRect w;
        bar.GetWindowRect(&w);
        return CPoint(w.left + x, w.top + y);
    }
    CSize WindowSize()
    {
        CRect w;
        bar.GetWindowRect(&w);
        return w.Size();
    }
    LRESULT HitAt(CPoint screen) { return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)); }

    CFrameWnd* frame = nullptr;
    CVXFolderBar bar;
};

}  // namespace

TEST_F(FolderBarTest, SizesComeFromTheOutBarPlusBordersAndEdge)
{
    EXPECT_EQ(CSize(200, 412), bar.GetDockedHorzSize());
    EXPECT_EQ(CSize(212, 400), bar.GetDockedVertSize());
    EXPECT_EQ(CSize(212, 412), bar.GetFloatingSize());
    EXPECT_EQ(CSize(32767, 412), bar.CalcFixedLayout(TRUE, TRUE));
    EXPECT_EQ(CSize(212, 32767), bar.CalcFixedLayout(TRUE, FALSE));
    bar.SetWidth(50);
    EXPECT_EQ(CSize(112, 400), bar.GetDockedVertSize()) << "below the minimum width";
    bar.SetWidth(150);
    EXPECT_EQ(CSize(162, 400), bar.GetDockedVertSize());
    EXPECT_EQ(200, bar.GetWidth());
    ASSERT_NE(nullptr, bar.GetOutBar());
    EXPECT_EQ(frame, bar.GetOutBar()->GetOwner());
    EXPECT_EQ(0x1FCu, bar.GetFlag());
}

TEST_F(FolderBarTest, GripperHitCodesPerDockSide)
{
    struct Row {
        const char* name;
        UINT side;
        bool horizontal;
    } rows[] = {{"left", AFX_IDW_DOCKBAR_LEFT, false},
                {"right", AFX_IDW_DOCKBAR_RIGHT, false},
                {"top", AFX_IDW_DOCKBAR_TOP, true},
                {"bottom", AFX_IDW_DOCKBAR_BOTTOM, true}};
    for (const Row& row : rows) {
        DockAt(row.side);
        const CSize s = WindowSize();
        CPoint close, toggle, gripper, edge;
        if (row.horizontal) {
            close = OnWindow(12, 15);
            toggle = OnWindow(12, 28);
            gripper = OnWindow(12, 60);
            edge = row.side == AFX_IDW_DOCKBAR_TOP ? OnWindow(100, s.cy - 3) : OnWindow(100, 2);
        } else {
            close = OnWindow(s.cx - 15, 12);
            toggle = OnWindow(s.cx - 28, 12);
            gripper = OnWindow(40, 12);
            edge = row.side == AFX_IDW_DOCKBAR_LEFT ? OnWindow(s.cx - 3, 100) : OnWindow(2, 100);
        }
        EXPECT_EQ(HTSYSMENU, HitAt(close)) << row.name;
        EXPECT_EQ(HTMINBUTTON, HitAt(toggle)) << row.name;
        EXPECT_EQ(HTCAPTION, HitAt(gripper)) << row.name;
        EXPECT_EQ(HTSIZE, HitAt(edge)) << row.name;
    }
}

TEST_F(FolderBarTest, DockedOutBarFillsTheClientArea)
{
    DockAt(AFX_IDW_DOCKBAR_LEFT);
    CRect client, outBar;
    bar.GetClientRect(&client);
    bar.GetOutBar()->GetWindowRect(&outBar);
    bar.ScreenToClient(&outBar);
    EXPECT_EQ(client, outBar);
    CRect window;
    bar.GetWindowRect(&window);
    bar.ScreenToClient(&window);
    EXPECT_EQ(CRect(-6, -24, client.right + 6, client.bottom + 12), window);
}

TEST_F(FolderBarTest, FloatingBarHasNoGripper)
{
    frame->FloatControlBar(&bar, CPoint(100, 100));
    PumpUntilIdle();
    CRect window, client;
    bar.GetWindowRect(&window);
    bar.GetClientRect(&client);
    EXPECT_EQ(window.Size(), client.Size());
    EXPECT_EQ(HTCLIENT, HitAt(window.TopLeft() + CPoint(12, 12)));
    EXPECT_EQ(bar.GetFloatingSize(), bar.CalcDynamicLayout(0, LM_MRUWIDTH));
    EXPECT_EQ(CSize(150, 412), bar.CalcDynamicLayout(150, LM_COMMIT));
    EXPECT_EQ(CSize(150, 100), bar.CalcDynamicLayout(20, LM_LENGTHY)) << "never below the minimum";
}

TEST_F(FolderBarTest, DraggingTheSizingEdgeStaysBetweenTheMinimumAndTheFrame)
{
    DockAt(AFX_IDW_DOCKBAR_LEFT);
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    struct Row {
        const char* name;
        int dx;
        bool loseCapture;
        int width;  // -1: unchanged
    } rows[] = {
        {"a little wider", 40, false, 252},
        {"beyond the frame", 2000, false, frameClient.right},
        {"below the minimum", -2000, false, 100},
        {"capture lost", 60, true, -1},
    };
    for (const Row& row : rows) {
        const int before = bar.GetDockedVertSize().cx;
        const CSize s = WindowSize();
        const CPoint edge = OnWindow(s.cx - 3, 100);
        ASSERT_EQ(HTSIZE, HitAt(edge)) << row.name;
        bar.SendMessage(WM_NCLBUTTONDOWN, HTSIZE, MAKELPARAM(edge.x, edge.y));
        ASSERT_EQ(&bar, CWnd::GetCapture()) << row.name;
        CPoint to(edge.x + row.dx, edge.y);
        bar.ScreenToClient(&to);
        bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        if (row.loseCapture)
            frame->SetCapture();
        else
            bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        ::ReleaseCapture();
        PumpUntilIdle();
        EXPECT_EQ(row.width < 0 ? before : row.width, bar.GetDockedVertSize().cx) << row.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << row.name;
    }
}

TEST_F(FolderBarTest, NonClientPaintDoesNotRepeatItself)
{
    DockAt(AFX_IDW_DOCKBAR_LEFT);
    bar.SetClassicGripper(FALSE);
    bar.SendMessage(WM_NCPAINT, 1);
    EXPECT_LT(PumpUntilIdle(), 100);
}

TEST(FolderBarWithoutOutBar, ForwardersAnswerWithFixedValues)
{
    CVXFolderBar bar;
    CRect r(1, 2, 3, 4);
    int index = 5;
    EXPECT_EQ(-1, bar.AddFolder("x", 0));
    EXPECT_EQ(-1, bar.GetFolderCount());
    EXPECT_EQ(-1, bar.GetSelFolder());
    EXPECT_EQ(-1, bar.InsertItem(0, 0, "x"));
    EXPECT_EQ(-1, bar.HitTestEx(CPoint(0, 0), index));
    EXPECT_EQ(-1, bar.GetDragItemRect(0, r));
    EXPECT_EQ(nullptr, bar.GetFolderChild());
    EXPECT_FALSE(bar.IsValidItem(0));
    EXPECT_FALSE(bar.GetFolderRect(0, r));
    EXPECT_STREQ("", bar.GetItemText(0));
    EXPECT_STREQ("", bar.GetItemText(0, 0));
    EXPECT_EQ(CSize(0, 0), bar.GetItemSize(0, 0, 3));
    bar.SetSelFolder(0);
    bar.RemoveFolder(0);
    bar.SetWidth(300);
    EXPECT_EQ(0, bar.GetWidth());
    EXPECT_EQ(CRect(1, 2, 3, 4), r);
}

// The dialog bar: the same bar around a caller's dialog.
namespace {

const WORD kBarDialog = 31601;

class DialogBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mivo::test::DialogTemplateBuilder page(WS_CHILD | DS_CONTROL, 0, 0, 80, 60, u"");
        page.Font(9, u"굴림");
        bytes = page.Bytes();
        entries = {mivo::ResourceEntry{5, nullptr, kBarDialog, nullptr, bytes.data(), (DWORD)bytes.size()}};
        table = {entries.data(), entries.size()};
        mivo::RegisterModuleResources(mivo::ProgramModule(), &table, true);
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        PumpUntilIdle();
        DiscardQuitRequest();
        mivo::UnregisterModuleResources(&table);
    }

    std::vector<BYTE> bytes;
    std::vector<mivo::ResourceEntry> entries;
    mivo::ResourceTable table{};
    CFrameWnd* frame = nullptr;
    CDialog dialog;
    CDevDialogBar bar;
};

}  // namespace

TEST_F(DialogBarTest, DialogFillsTheDockedBarAndSizesGrowByBorderAndEdge)
{
    CString title = "도구";
    ASSERT_EQ(1, bar.Create(frame, &dialog, title, kBarDialog, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    CRect d;
    dialog.GetWindowRect(&d);
    EXPECT_EQ(CSize(d.Width() + 9, d.Height()), bar.GetDockedVertSize());
    EXPECT_EQ(CSize(d.Width(), d.Height() + 9), bar.GetDockedHorzSize());
    EXPECT_EQ(d.Size(), bar.GetFloatingSize());
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    PumpUntilIdle();
    CRect client, placed, window;
    bar.GetClientRect(&client);
    dialog.GetWindowRect(&placed);
    bar.ScreenToClient(&placed);
    EXPECT_EQ(client, placed);
    bar.GetWindowRect(&window);
    bar.ScreenToClient(&window);
    EXPECT_EQ(CRect(-3, -20, client.right + 6, client.bottom + 3), window) << "once the border below";
}

TEST_F(DialogBarTest, MissingTemplateMakesNoBar)
{
    CString title = "도구";
    EXPECT_EQ(0, bar.Create(frame, &dialog, title, 31699, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    EXPECT_EQ(nullptr, bar.m_hWnd);
}
