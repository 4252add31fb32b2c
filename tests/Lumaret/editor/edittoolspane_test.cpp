// The edit-tools pane: the colour row and its hex text, the aspect ratio,
// the tool buttons and the editor's tool, the window-switch caption, and the
// navigator: its frame, dragging it, its popup and editors without pictures.
#include "PaneFixture.h"

#include "resource.h"
#include "support/InputSynth.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/WindowCapture.h"

#include <algorithm>
#include <iterator>

using namespace editortest;

namespace {

std::string TextOf(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return std::string(text);
}

std::string HexShown(CDlgConsoleEditTools& pane)
{
    return TextOf(*pane.GetDlgItem(IDC_ET_COLOR_HEX));
}

std::vector<COLORREF> Row(const CDlgConsoleEditTools& pane)
{
    return std::vector<COLORREF>(std::begin(pane.m_arrSwatch), std::end(pane.m_arrSwatch));
}

// Popups opened for `owner` while the recorder lives, by their first item; each is closed at once.
class PopupWatch {
public:
    explicit PopupWatch(HWND owner)
    {
        m_recorder.Attach(owner);
        m_recorder.OnMessage(WM_INITMENUPOPUP, [this](HWND, UINT, WPARAM menu, LPARAM, LRESULT*) {
            opened.push_back(::GetMenuItemID((HMENU)menu, 0));
            return false;
        });
        m_recorder.OnMessage(WM_ENTERIDLE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
            ::EndMenu();
            *result = 0;
            return true;
        });
    }
    std::vector<UINT> opened;

private:
    mivo::test::MessageRecorder m_recorder;
};

}  // namespace

TEST_F(PaneTest, ANewColourGoesFirstAndPushesTheLastOutWhileAKnownOneKeepsTheRow)
{
    CDlgConsoleEditTools& pane = *m_pane;
    const std::vector<COLORREF> start = Row(pane);
    ASSERT_EQ(0x000000u, start.back());
    struct Case {
        COLORREF colour;
        const char* hex;
        bool isNew;
    } cases[] = {
        {0x0000FF, "FF0000", false},  // red, already in the row
        {0xFF0000, "0000FF", false},  // blue, already in the row
        {0x123456, "563412", true},
    };
    std::vector<COLORREF> expected = start;
    for (const Case& c : cases) {
        pane.SetCurrentColor(c.colour);
        if (c.isNew) {
            expected.insert(expected.begin(), c.colour);
            expected.pop_back();
        }
        EXPECT_EQ(expected, Row(pane)) << c.hex;
        EXPECT_EQ(c.colour, pane.m_clrCurrent);
        EXPECT_EQ(c.hex, std::string(pane.m_strColorHex));
        EXPECT_EQ(c.hex, HexShown(pane));
    }

    // A click on a swatch picks its colour and leaves the row as it is.
    const std::vector<COLORREF> row = Row(pane);
    CPoint swatch = pane.m_rcSwatch[5].CenterPoint();
    mivo::test::Click(pane.m_hWnd, swatch.x, swatch.y);
    EXPECT_EQ(row[5], pane.m_clrCurrent);
    EXPECT_EQ(row, Row(pane));
    EXPECT_EQ(std::string(CDlgConsoleEditTools::ColorHex(row[5])), HexShown(pane));
}

TEST_F(PaneTest, TheColourBoxShowsTheBrushInTheColourOutlinedInTheShiftedColour)
{
    CDlgConsoleEditTools& pane = *m_pane;
    pane.SetCurrentColor(RGB(0x20, 0x90, 0xF0));
    pane.m_sliderSize.SetPos(16);
    pane.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 16), (LPARAM)pane.m_sliderSize.m_hWnd);
    EXPECT_EQ(16, pane.m_nBrushSize);
    EXPECT_EQ("16", TextOf(*pane.GetDlgItem(IDC_ET_SIZE_EDIT)));
    pane.RedrawWindow();
    mivo::test::WindowImage shot = mivo::test::CaptureWindow(pane.m_hWnd, true);
    CPoint c = pane.m_rcColorBox.CenterPoint();
    EXPECT_EQ(RGB(0x20, 0x90, 0xF0), shot.At(c.x, c.y));
    EXPECT_EQ(RGB(0xA0, 0x10, 0x70), shot.At(c.x - 16, c.y)) << "the circle's outline at radius 16";
    EXPECT_EQ(RGB(0x20, 0x90, 0xF0), shot.At(c.x - 12, c.y));
}

TEST_F(PaneTest, TheRatioIsReadAfterTheFirstXAndHeadingsGiveAFreeSelection)
{
    struct Case {
        const char* text;
        int x, y;
    } cases[] = {
        {"3 x 2", 3, 2}, {"5 x 7", 5, 7}, {"1 x 1", 1, 1}, {"없음", 0, 0},
        {"가로방향", 0, 0}, {"세로방향", 0, 0}, {"16X9", 16, 9}, {"", 0, 0},
        // The trail byte of "걒" is 'x': it is no separator.
        {"2걒3", 0, 0},
    };
    for (const Case& c : cases) {
        int x = -1, y = -1;
        CDlgConsoleEditTools::ParseRatio(c.text, &x, &y);
        EXPECT_EQ(c.x, x) << c.text;
        EXPECT_EQ(c.y, y) << c.text;
    }

    // Through the list: a pick sets the ratio; another tool greys the list and keeps it.
    CDlgConsoleEditTools& pane = *m_pane;
    auto pick = [&](const char* text) {
        int index = pane.m_cbRatio.FindStringExact(-1, text);
        ASSERT_GE(index, 0) << text;
        pane.m_cbRatio.SetCurSel(index);
        pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ET_RATIO, CBN_SELENDOK), (LPARAM)pane.m_cbRatio.m_hWnd);
    };
    EXPECT_EQ(14, pane.m_cbRatio.GetCount());
    pick("세로방향");
    EXPECT_EQ(0, pane.m_nRatioX);
    pick("3 x 2");
    EXPECT_EQ(3, pane.m_nRatioX);
    EXPECT_EQ(2, pane.m_nRatioY);
    pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ET_PEN, BN_CLICKED), (LPARAM)pane.m_btnTools[1].m_hWnd);
    EXPECT_FALSE(pane.m_cbRatio.IsWindowEnabled());
    EXPECT_EQ(3, pane.m_nRatioX);
    EXPECT_EQ(2, pane.m_nRatioY);
    pane.SetCurrentColor(0x010203);
    EXPECT_EQ("3 x 2", TextOf(pane.m_cbRatio)) << "the list keeps its pick through the pane's data exchange";
}

TEST_F(PaneTest, EachToolButtonSetsTheEditorsToolAndTheButtonsFollowAnActivatedEditor)
{
    CImgEditView* first = OpenInPane(MakePattern(120, 90));
    ASSERT_NE(nullptr, first);
    ASSERT_EQ(first, ActiveView());
    EXPECT_EQ(std::vector<UINT>{IDC_ET_SELECT}, CheckedTools()) << "the editor starts with the selection";
    struct Case {
        UINT id;
        int tool;
    } cases[] = {{IDC_ET_PEN, 4},   {IDC_ET_BRUSH, 1},  {IDC_ET_SPRAY, 5}, {IDC_ET_ZOOM, 6},
                 {IDC_ET_PICKER, 3}, {IDC_ET_PAN, 7}, {IDC_ET_TEXT, 8},  {IDC_ET_SELECT, 2}};
    for (const Case& c : cases) {
        CWnd* button = m_pane->GetDlgItem(int(c.id));
        CRect r;
        button->GetClientRect(&r);
        mivo::test::Click(button->m_hWnd, r.CenterPoint().x, r.CenterPoint().y);
        EXPECT_EQ(c.tool, first->m_nEditTool) << c.id;
        EXPECT_EQ(std::vector<UINT>{c.id}, CheckedTools());
        EXPECT_EQ(c.id == IDC_ET_SELECT, m_pane->m_cbRatio.IsWindowEnabled() != FALSE) << c.id;
    }
    for (const CCheckButton& unfinished : m_pane->m_btnUnfinished)
        EXPECT_FALSE(unfinished.IsWindowEnabled());

    CImgEditView* second = OpenInPane(MakePattern(80, 60));
    second->m_nEditTool = 6;
    Activate(first);
    Activate(second);
    EXPECT_EQ(std::vector<UINT>{IDC_ET_ZOOM}, CheckedTools());
    EXPECT_FALSE(m_pane->m_cbRatio.IsWindowEnabled());
    Activate(first);
    EXPECT_EQ(std::vector<UINT>{IDC_ET_SELECT}, CheckedTools());
    EXPECT_EQ(2, first->m_nEditTool);
}

TEST_F(PaneTest, TheWindowSwitchButtonCountsTheEditors)
{
    CCheckButton& button = m_pane->m_btnWindowList;
    EXPECT_EQ("창 전환", TextOf(button));
    EXPECT_FALSE(button.IsWindowEnabled());
    std::vector<CImgEditView*> views;
    for (int i = 0; i < 3; ++i)
        views.push_back(OpenInPane(MakePattern(60 + i, 40)));
    EXPECT_EQ("창 전환-3", TextOf(button));
    EXPECT_TRUE(button.IsWindowEnabled());
    views[1]->GetParentFrame()->SendMessage(WM_CLOSE);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ("창 전환-2", TextOf(button));
    EXPECT_EQ(2, List()->GetCount());
}

TEST_F(PaneTest, TheNavigatorFrameMapsTheVisiblePartAtTheThumbnailsScale)
{
    CRect inner = m_pane->ImageBoxRect();
    inner.DeflateRect(3, 3);
    // Four times the box's width: the thumbnail is a quarter of the picture.
    CImgEditView* view = OpenInPane(MakePattern(inner.Width() * 4, inner.Height() * 2));
    ASSERT_NE(nullptr, view);
    m_pane->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ET_NAVIGATOR, BN_CLICKED), (LPARAM)m_pane->m_btnNavigator.m_hWnd);
    EXPECT_FALSE(m_pane->m_pImgListView->IsWindowVisible());
    ASSERT_EQ(250, m_pane->m_nNavRatio);
    ASSERT_TRUE(m_pane->m_pNavImage);
    CRect thumb = m_pane->NavThumbRect();
    EXPECT_EQ(inner.Width(), thumb.Width());

    m_pane->UpdateNavigatorFrame(CRect(400, 200, 799, 599));
    EXPECT_EQ(CRect(thumb.left + 100, thumb.top + 50, thumb.left + 199, thumb.top + 149), m_pane->m_rcNavFrame);
    m_pane->UpdateWindow();
    mivo::test::WindowImage shot = mivo::test::CaptureWindow(m_pane->m_hWnd, true);
    const COLORREF cyan = 0xFFFF00;
    EXPECT_EQ(cyan, shot.At(thumb.left + 100, thumb.top + 80));
    EXPECT_EQ(cyan, shot.At(thumb.left + 150, thumb.top + 149));
    EXPECT_NE(cyan, shot.At(thumb.left + 150, thumb.top + 80)) << "only the outline";

    // A double click in the box goes back to the list.
    CPoint inBox = m_pane->ImageBoxRect().TopLeft() + CPoint(2, 2);
    mivo::test::Click(m_pane->m_hWnd, inBox.x, inBox.y);
    mivo::test::Click(m_pane->m_hWnd, inBox.x, inBox.y);
    EXPECT_TRUE(m_pane->m_bWindowListMode);
    EXPECT_TRUE(m_pane->m_pImgListView->IsWindowVisible());
    EXPECT_EQ(1, m_pane->m_btnWindowList.GetCheckState());
    EXPECT_EQ(0, m_pane->m_btnNavigator.GetCheckState());
}

TEST_F(PaneTest, DraggingTheFrameStopsAtTheThumbnailsEdgeAndScrollsTheEditorThere)
{
    CImgEditView* view = OpenInPane(MakePattern(400, 300));
    ASSERT_NE(nullptr, view);
    view->ZoomToStep(33081 + 5);  // 200 %
    m_pane->ShowNavigator();
    mivo::test::PumpUntilIdle();
    ASSERT_NE(-1, m_pane->m_rcNavFrame.left);
    const CRect thumb = m_pane->NavThumbRect();
    const int ratio = m_pane->m_nNavRatio;
    CRect client;
    view->GetClientRect(&client);
    const CSize zoomed = view->ZoomedSize();
    struct Case {
        CSize move;
        bool rightBottom;  // pushed against the right and bottom edges, else the left and top
    } cases[] = {{CSize(500, 500), true}, {CSize(-500, -500), false}};
    for (const Case& c : cases) {
        CRect frame = m_pane->m_rcNavFrame;
        CPoint grab = frame.CenterPoint();
        mivo::test::MouseMove(m_pane->m_hWnd, grab.x, grab.y);
        mivo::test::MouseDown(m_pane->m_hWnd, grab.x, grab.y);
        mivo::test::MouseMove(m_pane->m_hWnd, grab.x + c.move.cx / 2, grab.y + c.move.cy / 2);
        mivo::test::MouseMove(m_pane->m_hWnd, grab.x + c.move.cx, grab.y + c.move.cy);
        mivo::test::MouseUp(m_pane->m_hWnd, grab.x + c.move.cx, grab.y + c.move.cy);
        const CRect moved = m_pane->m_rcNavFrame;
        EXPECT_EQ(frame.Size(), moved.Size());
        if (c.rightBottom) {
            EXPECT_EQ(thumb.right, moved.right);
            EXPECT_EQ(thumb.bottom, moved.bottom);
        } else {
            EXPECT_EQ(thumb.TopLeft(), moved.TopLeft());
        }
        CPoint image((moved.left - thumb.left) * 1000 / ratio, (moved.top - thumb.top) * 1000 / ratio);
        CPoint logical = view->ImageToLogical(image);
        CPoint expected(std::min<int>(logical.x, zoomed.cx - client.Width()),
                        std::min<int>(logical.y, zoomed.cy - client.Height()));
        EXPECT_EQ(expected, view->GetScrollPosition());
    }
    EXPECT_EQ(CPoint(0, 0), view->GetScrollPosition());
}

TEST_F(PaneTest, TheNavigatorMenuOpensOnlyInNavigatorModeAndItsCommandsReachTheEditor)
{
    CImgEditView* view = OpenInPane(MakePattern(400, 300));
    ASSERT_NE(nullptr, view);
    CPoint inBox = m_pane->ImageBoxRect().CenterPoint();
    {
        PopupWatch watch(m_pane->m_hWnd);
        mivo::test::Click(m_pane->m_hWnd, 5, inBox.y, mivo::MouseButton::Right);
        mivo::test::PumpUntilIdle();
        EXPECT_TRUE(watch.opened.empty()) << "no menu in window-list mode";
    }
    m_pane->ShowNavigator();
    {
        PopupWatch watch(m_pane->m_hWnd);
        mivo::test::Click(m_pane->m_hWnd, inBox.x, inBox.y, mivo::MouseButton::Right);
        mivo::test::PumpUntilIdle();
        EXPECT_EQ(std::vector<UINT>{IDM_ED_ZOOM_IN}, watch.opened);
    }
    const int start = view->m_nZoomIndex;
    m_pane->SendMessage(WM_COMMAND, IDM_ED_ZOOM_IN);
    EXPECT_EQ(start + 1, view->m_nZoomIndex);
    m_pane->SendMessage(WM_COMMAND, IDM_ED_ZOOM_IN);
    m_pane->SendMessage(WM_COMMAND, IDM_ED_ZOOM_OUT);
    EXPECT_EQ(start + 1, view->m_nZoomIndex);
    // Fitting picks the largest step at which the picture fits the window.
    CRect client;
    view->GetClientRect(&client);
    int fit = view->m_pImage->GetThumbRatio(client.Size(), nullptr, TRUE);
    int expected = 0;
    for (int i = 0; i < view->m_arrZoomRatios.GetSize(); ++i)
        if (int(view->m_arrZoomRatios[i]) <= fit)
            expected = i;
    m_pane->SendMessage(WM_COMMAND, IDM_ED_FULL_SCREEN);
    EXPECT_EQ(expected, view->m_nZoomIndex);
    EXPECT_LT(view->m_nZoomIndex, start + 1);
}

// A loading editor has no picture: an empty cell, no thumbnail, no frame, and
// nothing to drag; neither has the pane once no editor is active.
TEST_F(PaneTest, WithoutAPictureTheNavigatorHasNoFrameAndNothingToDrag)
{
    std::string path = WritePicture("큰 그림.JPG", 1600, 1200);
    CImgEditView* view = OpenInPane(MakePattern(400, 300));
    ASSERT_NE(nullptr, view);
    m_pane->ShowNavigator();
    ASSERT_NE(-1, m_pane->m_rcNavFrame.left);
    CPoint onFrame = m_pane->m_rcNavFrame.CenterPoint();
    mivo::test::MouseMove(m_pane->m_hWnd, onFrame.x, onFrame.y);

    view->LoadImage(path.c_str(), "");
    ASSERT_TRUE(view->IsBusy());
    m_pane->OnEditorViewChanged(view);
    m_pane->OnEditorViewActivated(view);
    m_pane->UpdateNavigatorFrame(CRect(0, 0, 100, 100));
    EXPECT_FALSE(m_pane->m_pNavImage);
    EXPECT_EQ(-1, m_pane->m_rcNavFrame.left) << "the old frame is forgotten with its thumbnail";
    EXPECT_EQ(nullptr, List()->GetThumb(0));
    mivo::test::MouseDown(m_pane->m_hWnd, onFrame.x, onFrame.y);
    mivo::test::MouseMove(m_pane->m_hWnd, onFrame.x + 20, onFrame.y + 20);
    mivo::test::MouseUp(m_pane->m_hWnd, onFrame.x + 20, onFrame.y + 20);
    List()->RedrawWindow();
    m_pane->RedrawWindow();
    WaitIdle(view);
    ASSERT_TRUE(view->HasImage());
    EXPECT_TRUE(m_pane->m_pNavImage);
    EXPECT_NE(nullptr, List()->GetThumb(0));

    view->GetParentFrame()->SendMessage(WM_CLOSE);
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(nullptr, ActiveView());
    EXPECT_FALSE(m_pane->m_pNavImage);
    EXPECT_EQ(-1, m_pane->m_rcNavFrame.left);
    EXPECT_EQ(0, List()->GetCount());
}
