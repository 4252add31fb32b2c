// Stacked dialog pages: layout of captions and pages, insertion order and
// ids, caption clicks, panning a stack larger than the window, and the page
// frame around a layer.
#include <gtest/gtest.h>

#include "controls/VXDlgLayer.h"
#include "controls/VXDlgLayerFrame.h"
#include "mivo/modules.h"
#include "mivo/resources.h"
#include "support/DialogTemplateBuilder.h"
#include "support/GeometryPrinters.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"

#include <vector>

using namespace mivo::test;

namespace {

const WORD kPageTemplate = 31001;
const UINT kShownExpanded = CVXDlgLayer::kShown;
const UINT kShownCollapsed = CVXDlgLayer::kShown | CVXDlgLayer::kCollapsed;
const UINT kHidden = 0;

// A child dialog page holding one edit.
std::vector<BYTE> PageBytes()
{
    DialogTemplateBuilder page(WS_CHILD | DS_CONTROL, 0, 0, 60, 30, u"");
    page.Font(9, u"굴림").Item(ItemClass::Edit, u"", 1001, 4, 4, 40, 12, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    return page.Bytes();
}

class PageResources : public mivo::test::ProgramDialogTemplate {
public:
    PageResources() : ProgramDialogTemplate(kPageTemplate, PageBytes()) {}
};

class DlgLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame->Create(nullptr, "layer", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
        frame->ShowWindow(SW_SHOW);
        ASSERT_TRUE(layer->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 350), frame, 7));
        PumpUntilIdle();
    }
    void TearDown() override
    {
        frame->DestroyWindow();  // the frame deletes itself
        PumpUntilIdle();
        DiscardQuitRequest();
    }
    // Three pages A, B, C of heights 30, 50 and 40.
    void AddThreePages()
    {
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(1, layer->InsertPage(new CDialog, kPageTemplate, "caption", kShownExpanded, -1));
        const int heights[] = {30, 50, 40};
        for (int i = 0; i < 3; ++i)
            layer->GetPageInfo(i)->height = heights[i];
        layer->RecalcLayout(TRUE);
    }
    CRect DialogRect(int index)
    {
        CRect r;
        layer->GetPageDialog(index)->GetWindowRect(&r);
        layer->ScreenToClient(&r);
        return r;
    }
    CPoint CaptionCentre(int index)
    {
        CRect r;
        layer->CalcCaptionRect(layer->GetPageInfo(index), &r);
        return r.CenterPoint();
    }

    PageResources resources;
    CFrameWnd* frame = new CFrameWnd;
    CVXDlgLayer layerObject;
    CVXDlgLayer* layer = &layerObject;
};

struct LayoutRow {
    const char* name;
    BOOL captions;
    UINT states[3];
    int tops[3], bottoms[3];  // page rectangles (hidden pages are not laid out)
    int dialogTops[3];        // -1: the dialog is hidden
};

}  // namespace

TEST_F(DlgLayerTest, LayoutStacksCaptionsAndPages)
{
    AddThreePages();
    const LayoutRow rows[] = {
        {"captions, all open", TRUE, {kShownExpanded, kShownExpanded, kShownExpanded},
         {0, 50, 120}, {50, 120, 180}, {20, 70, 140}},
        {"captions, B collapsed", TRUE, {kShownExpanded, kShownCollapsed, kShownExpanded},
         {0, 50, 70}, {50, 70, 130}, {20, -1, 90}},
        {"captions, B hidden", TRUE, {kShownExpanded, kHidden, kShownExpanded},
         {0, -1, 50}, {50, -1, 110}, {20, -1, 70}},
        {"no captions, all open", FALSE, {kShownExpanded, kShownExpanded, kShownExpanded},
         {0, 30, 80}, {30, 80, 120}, {0, 30, 80}},
        {"no captions, B collapsed", FALSE, {kShownExpanded, kShownCollapsed, kShownExpanded},
         {0, 30, 30}, {30, 30, 70}, {0, -1, 30}},
    };
    for (const LayoutRow& row : rows) {
        layer->SetCaptionVisible(row.captions);
        for (int i = 0; i < 3; ++i)
            layer->GetPageInfo(i)->state = row.states[i];
        layer->RecalcLayout(TRUE);
        const int width = layer->GetContentSize().cx;
        for (int i = 0; i < 3; ++i) {
            const RECT& r = layer->GetPageInfo(i)->rect;
            if (row.tops[i] >= 0) {
                EXPECT_EQ(CRect(0, row.tops[i], width, row.bottoms[i]), CRect(r)) << row.name << " page " << i;
            }
            CDialog* dlg = layer->GetPageDialog(i);
            if (row.dialogTops[i] < 0) {
                EXPECT_FALSE(dlg->IsWindowVisible()) << row.name << " page " << i;
                continue;
            }
            EXPECT_TRUE(dlg->IsWindowVisible()) << row.name << " page " << i;
            EXPECT_EQ(CPoint(0, row.dialogTops[i]), DialogRect(i).TopLeft()) << row.name << " page " << i;
        }
        EXPECT_EQ(row.bottoms[2], layer->GetContentSize().cy) << row.name;
    }
}

TEST_F(DlgLayerTest, InsertsPlacePagesAndNumberTheirDialogsByPosition)
{
    CDialog *a = new CDialog, *b = new CDialog, *c = new CDialog;
    ASSERT_EQ(1, layer->InsertPage(a, kPageTemplate, "A", kShownExpanded, -1));
    ASSERT_EQ(1, layer->InsertPage(b, kPageTemplate, "B", kShownExpanded, 0));
    ASSERT_EQ(1, layer->InsertPage(c, kPageTemplate, "C", kShownExpanded, 1));
    EXPECT_EQ(b, layer->GetPageDialog(0));
    EXPECT_EQ(c, layer->GetPageDialog(1));
    EXPECT_EQ(a, layer->GetPageDialog(2));
    EXPECT_EQ(a, layer->GetPageDialog(9)) << "past the end gives the last page";
    // Ids come from the position at insertion, so they repeat after inserts at 0.
    EXPECT_EQ(0xE901, a->GetDlgCtrlID());
    EXPECT_EQ(0xE901, b->GetDlgCtrlID());
    EXPECT_EQ(0xE902, c->GetDlgCtrlID());
    EXPECT_TRUE(layer->IsPage(c->m_hWnd));
    EXPECT_FALSE(layer->IsPage(frame->m_hWnd));
}

TEST_F(DlgLayerTest, CaptionTextIsKeptAfterTheCallersBufferChanges)
{
    char caption[] = "Colours";
    ASSERT_EQ(1, layer->InsertPage(new CDialog, kPageTemplate, caption, kShownExpanded, -1));
    caption[0] = 'X';
    EXPECT_STREQ("Colours", layer->GetPageInfo(0)->caption);
}

TEST_F(DlgLayerTest, MissingTemplateInsertsNothing)
{
    CDialog dlg;
    EXPECT_EQ(0, layer->InsertPage(&dlg, 31999, "none", kShownExpanded, -1));
    EXPECT_EQ(0, layer->GetPageCount());
    EXPECT_EQ(nullptr, layer->GetPageDialog(0));
}

TEST_F(DlgLayerTest, ClickOnACaptionTogglesItsPageAndAReleaseElsewhereDoesNothing)
{
    AddThreePages();
    CPoint caption = CaptionCentre(1);
    Click(layer->m_hWnd, caption.x, caption.y);
    EXPECT_EQ(kShownCollapsed, layer->GetPageInfo(1)->state);
    Click(layer->m_hWnd, caption.x, caption.y);
    EXPECT_EQ(kShownExpanded, layer->GetPageInfo(1)->state);

    MouseDown(layer->m_hWnd, caption.x, caption.y);
    EXPECT_EQ(kShownExpanded | CVXDlgLayer::kPressed, layer->GetPageInfo(1)->state);
    MouseMove(layer->m_hWnd, caption.x, caption.y + 100);
    MouseUp(layer->m_hWnd, caption.x, caption.y + 100);
    EXPECT_EQ(kShownExpanded, layer->GetPageInfo(1)->state);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DlgLayerTest, CollapsingThePageWithTheFocusGivesTheFocusToTheFrame)
{
    AddThreePages();
    CWnd* edit = layer->GetPageDialog(0)->GetDlgItem(1001);
    ASSERT_NE(nullptr, edit);
    edit->SetFocus();
    ASSERT_EQ(edit->m_hWnd, ::GetFocus());
    layer->SetPageState(layer->GetPageInfo(0), TRUE, TRUE, TRUE);
    EXPECT_EQ(frame->m_hWnd, ::GetFocus());
}

struct PanRow {
    const char* name;
    std::vector<CPoint> moves;  // cursor moves after the press, relative to it
    CPoint pan;
};

TEST_F(DlgLayerTest, PanningKeepsTheContentInsideItsBounds)
{
    const PanRow rows[] = {
        {"up a little", {{0, -30}}, {0, -30}},
        {"up too far stops at the bottom", {{0, -300}}, {0, -80}},
        {"down from the top stays", {{0, 60}}, {0, 0}},
        {"up then back down past the top", {{0, -40}, {0, 100}}, {0, 0}},
        {"sideways when the width fits", {{-50, 0}}, {0, 0}},
    };
    layerObject.ShowWindow(SW_HIDE);
    for (const PanRow& row : rows) {
        // A fresh 120 x 100 layer over a stack 180 high.
        CVXDlgLayer fresh;
        ASSERT_TRUE(fresh.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 100), frame, 8));
        layer = &fresh;
        AddThreePages();
        const CPoint start(100, 30);  // on page A, away from its edit
        MouseDown(layer->m_hWnd, start.x, start.y);
        for (CPoint move : row.moves)
            MouseMove(layer->m_hWnd, start.x + move.x, start.y + move.y);
        CPoint last = start + row.moves.back();
        MouseUp(layer->m_hWnd, last.x, last.y);
        EXPECT_EQ(row.pan, layer->GetPanOffset()) << row.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << row.name;
        layer = &layerObject;
    }
}

TEST_F(DlgLayerTest, StillCursorOverALargeStackGetsThePanCursor)
{
    layer->MoveWindow(0, 0, 120, 100);
    AddThreePages();
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    MouseMove(layer->m_hWnd, 100, 40);
    EXPECT_EQ(arrow, ::GetCursor());
    EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() != arrow; }, 3000));
    EXPECT_EQ(layer->GetPanCursor(), ::GetCursor());
    EXPECT_NE(::LoadCursor(nullptr, IDC_SIZEALL), layer->GetPanCursor()) << "the library's own pan cursor";
}

TEST_F(DlgLayerTest, FittingStackKeepsTheArrow)
{
    AddThreePages();  // 180 high in a 350-high layer
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    MouseMove(layer->m_hWnd, 100, 40);
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(arrow, ::GetCursor());
}

// The page frame: an MDI child whose client is one layer.
namespace {

class CLayerMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CLayerMain)
};
IMPLEMENT_DYNCREATE(CLayerMain, CMDIFrameWnd)

class DlgLayerFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = new CLayerMain;
        ASSERT_TRUE(main->LoadFrame(7300));
        app.m_pMainWnd = main;
        main->MoveWindow(0, 0, 640, 480);
        main->ShowWindow(SW_SHOW);
        child = new CVXDlgLayerFrame;
        ASSERT_TRUE(child->LoadFrame(7301, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main));
        child->ShowWindow(SW_SHOW);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            main->SendMessage(WM_CLOSE);
        PumpUntilIdle();
        DiscardQuitRequest();
    }

    PageResources resources;
    CWinApp app{"layer frame"};
    CLayerMain* main = nullptr;
    CVXDlgLayerFrame* child = nullptr;
};

}  // namespace

TEST_F(DlgLayerFrameTest, LayerFillsTheFrameWithThePaneId)
{
    CWnd* layer = child->GetDlgItem(AFX_IDW_PANE_FIRST);
    ASSERT_EQ(child->GetLayer(), layer);
    CRect client, area;
    child->GetClientRect(&client);
    layer->GetWindowRect(&area);
    child->ScreenToClient(&area);
    EXPECT_EQ(client, area);
}

TEST_F(DlgLayerFrameTest, TitleStaysExactlyTheStoredOne)
{
    child->SetFrameTitle("보정 도구");
    child->OnUpdateFrameTitle(TRUE);
    CString text;
    child->GetWindowText(text);
    EXPECT_STREQ("보정 도구", text);
}

TEST_F(DlgLayerFrameTest, InsertedDialogsAreAppendedAndShownWhateverStateAndPosition)
{
    CDialog *first = new CDialog, *second = new CDialog;
    ASSERT_EQ(1, child->InsertDialogToLayer(first, kPageTemplate, "one", 0, 0));
    ASSERT_EQ(1, child->InsertDialogToLayer(second, kPageTemplate, "two", 0, 0));
    EXPECT_EQ(first, child->GetPageDialog(0));
    EXPECT_EQ(second, child->GetPageDialog(1));
    EXPECT_EQ(CVXDlgLayer::kShown, child->GetLayer()->GetPageInfo(1)->state);
    EXPECT_TRUE(second->IsWindowVisible());
}

TEST_F(DlgLayerTest, PaintIntoADeviceGivenInWParam)
{
    AddThreePages();
    layer->m_bNoPaint = FALSE;
    layer->SetPageState(layer->GetPageInfo(1), TRUE, TRUE, FALSE);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(300, 350, 1, 32, nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 300, 350, RGB(1, 2, 3));
    layer->SendMessage(WM_PAINT, (WPARAM)memory.GetSafeHdc());
    CRect open, closed;
    layer->CalcCaptionRect(layer->GetPageInfo(0), &open);
    layer->CalcCaptionRect(layer->GetPageInfo(1), &closed);
    EXPECT_EQ(RGB(220, 220, 220), memory.GetPixel(open.left + 3, open.top + 3)) << "an open page's caption";
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), memory.GetPixel(closed.left + 3, closed.top + 3)) << "a collapsed one";
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), memory.GetPixel(5, 345)) << "below the last page";
    memory.SelectObject(old);
}
