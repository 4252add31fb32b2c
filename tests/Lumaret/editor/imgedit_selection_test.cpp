// The editor's selection, drawing tools and clipboard, driven by input as
// a user gives it where the behaviour lives in the mouse loop.
#include "EditorFixture.h"

#include "editor/EditorShell.h"
#include "mivo/testing/input.h"
#include "support/MessageLoop.h"

#include <cstring>
#include <vector>

using namespace editortest;

namespace {

POINT Screen(CWnd* wnd, int x, int y)
{
    POINT p = {x, y};
    ::ClientToScreen(wnd->GetSafeHwnd(), &p);
    return p;
}

// A drag from one client point to another, queued so that the view's
// capture loop takes the moves and the release.
void Drag(CWnd* wnd, CPoint from, CPoint to)
{
    mivo::InjectMouseMove(Screen(wnd, from.x, from.y));
    mivo::InjectMouseButton(Screen(wnd, from.x, from.y), mivo::MouseButton::Left, true);
    mivo::InjectMouseMove(Screen(wnd, (from.x + to.x) / 2, (from.y + to.y) / 2));
    mivo::InjectMouseMove(Screen(wnd, to.x, to.y));
    mivo::InjectMouseButton(Screen(wnd, to.x, to.y), mivo::MouseButton::Left, false);
    mivo::test::PumpUntilIdle();
}

std::vector<BYTE> Bytes(HGLOBAL handle)
{
    std::vector<BYTE> out;
    if (!handle)
        return out;
    const BYTE* data = static_cast<const BYTE*>(::GlobalLock(handle));
    out.assign(data, data + ::GlobalSize(handle));
    ::GlobalUnlock(handle);
    return out;
}

}  // namespace

class EditorSelection : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        editor_shell::NoPaneTools() = editor_shell::ToolDefaults();
    }
    void TearDown() override
    {
        editor_shell::NoPaneTools() = editor_shell::ToolDefaults();
        EditorTest::TearDown();
    }
    // A view at 100 % with room around the picture.
    CImgEditView* Editor(int width = 200, int height = 150)
    {
        CImgEditView* view = OpenWith(MakePattern(width, height));
        if (view) {
            view->GetParentFrame()->MoveWindow(0, 0, 500, 400);
            view->UpdateScrollSizes();
            mivo::test::PumpUntilIdle();
        }
        return view;
    }
    void Select(CImgEditView* view, CRect client)
    {
        view->ClearSelection();
        view->m_pTracker = new CRectTracker(client, CRectTracker::dottedLine);
        view->SelectionFromTracker();
    }
};

TEST_F(EditorSelection, RubberBandOfEightPixelsMakesNoSelectionNineMakeOne)
{
    CImgEditView* view = Editor();
    ASSERT_NE(nullptr, view);
    Drag(view, CPoint(20, 20), CPoint(28, 28));
    EXPECT_EQ(CPoint(20, 20), view->m_ptDown);
    EXPECT_EQ(nullptr, view->m_pTracker);
    // Elsewhere, so that the second press is no double click.
    Drag(view, CPoint(40, 50), CPoint(50, 70));
    ASSERT_NE(nullptr, view->m_pTracker);
    EXPECT_EQ(CRect(40, 50, 49, 69), view->m_rcSelection);
    EXPECT_TRUE(view->m_pTracker->m_nStyle & CRectTracker::resizeInside);
}

TEST_F(EditorSelection, AtFourHundredPerCentEdgesFallOnPixelBlocks)
{
    CImgEditView* view = Editor(60, 40);
    ASSERT_NE(nullptr, view);
    view->ZoomToStep(33081 + 7);
    ASSERT_EQ(4000, view->GetZoomRatio());
    view->ScrollToPosition(CPoint(6, 10));
    CPoint scroll = view->GetScrollPosition();
    for (CRect r : {CRect(13, 22, 57, 91), CRect(1, 2, 39, 43), CRect(40, 41, 80, 79)}) {
        ASSERT_TRUE(view->AdjustTracker(r, -1));
        EXPECT_EQ(0, (r.left + scroll.x) % 4) << r.left;
        EXPECT_EQ(0, (r.top + scroll.y) % 4);
        EXPECT_EQ(0, (r.right + scroll.x) % 4);
        EXPECT_EQ(0, (r.bottom + scroll.y) % 4);
    }
    CRect tiny(0, 0, 4, 30);
    EXPECT_FALSE(view->AdjustTracker(tiny, -1)) << "below 5 client pixels";
}

TEST_F(EditorSelection, AspectRatioFollowsTheDraggedEdge)
{
    CImgEditView* view = Editor();
    ASSERT_NE(nullptr, view);
    editor_shell::NoPaneTools().ratioX = 4;
    editor_shell::NoPaneTools().ratioY = 3;
    CRect right(10, 10, 90, 20);
    ASSERT_TRUE(view->AdjustTracker(right, CRectTracker::hitRight));
    EXPECT_EQ(CRect(10, 10, 90, 70), right) << "height = width x 3 / 4";
    CRect bottom(10, 10, 20, 70);
    ASSERT_TRUE(view->AdjustTracker(bottom, CRectTracker::hitBottom));
    EXPECT_EQ(CRect(10, 10, 90, 70), bottom) << "width = height x 4 / 3";
    CRect clipped(150, 10, 190, 100);
    ASSERT_TRUE(view->AdjustTracker(clipped, CRectTracker::hitBottom));
    EXPECT_EQ(200, clipped.right) << "clamped to the picture";
    EXPECT_EQ(clipped.Width() * 3 / 4, clipped.Height());
}

TEST_F(EditorSelection, ArrowsMoveShiftArrowsResizeByOnePicturePixel)
{
    CImgEditView* view = Editor();
    ASSERT_NE(nullptr, view);
    Select(view, CRect(10, 10, 30, 30));
    view->NudgeSelection(VK_RIGHT, FALSE);
    EXPECT_EQ(CRect(11, 10, 30, 29), view->m_rcSelection);
    view->NudgeSelection(VK_DOWN, TRUE);
    EXPECT_EQ(CRect(11, 10, 30, 30), view->m_rcSelection);
    view->NudgeSelection(VK_LEFT, TRUE);
    EXPECT_EQ(CRect(11, 10, 29, 30), view->m_rcSelection);
    view->ZoomToStep(33081 + 5);  // 200 %
    Select(view, CRect(10, 10, 30, 30));
    view->NudgeSelection(VK_UP, FALSE);
    EXPECT_EQ(CRect(10, 8, 30, 28), CRect(view->m_pTracker->m_rect)) << "one picture pixel is two screen pixels";
}

TEST_F(EditorSelection, CutCopiesThePieceAndFillsTheHoleWithThePaneColourAndOpacity)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    editor_shell::NoPaneTools().colour = RGB(200, 0, 0);
    editor_shell::NoPaneTools().opacity = 50;
    Select(view, CRect(4, 5, 14, 12));
    CImageObject* original = view->m_pImage->DuplicateImgObj();
    CImageObject* piece = original->CropToNewImgObj(view->m_rcSelection);
    HGLOBAL expectedDib = piece->DibFromImgObj();
    view->Cut();

    ASSERT_TRUE(::OpenClipboard(nullptr));
    std::vector<BYTE> copied = Bytes((HGLOBAL)::GetClipboardData(CF_DIB));
    ::CloseClipboard();
    EXPECT_EQ(Bytes(expectedDib), copied) << "CF_DIB byte for byte";

    CImageObject* expected = original->DuplicateImgObj();
    expected->DrawRect(CRect(4, 5, 13, 11), RGB(200, 0, 0), 1, 50, 8, 0, 0);
    EXPECT_TRUE(SamePixels(expected, view->m_pImage));
    EXPECT_NE(RGB(255, 255, 255), view->m_pImage->GetPixelColor(6, 6)) << "not white";
    EXPECT_EQ(1, view->m_nUndoPos);
    ::GlobalFree(expectedDib);
    delete piece;
    delete expected;
    delete original;
}

TEST_F(EditorSelection, PastingALargerPictureAnsweredNoKeepsTheCanvasAndFloatsItWhole)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    CImageObject* big = MakePattern(60, 20);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_DIB, big->DibFromImgObj());
    ::CloseClipboard();
    m_boxes.setAnswer(IDNO);
    view->Paste();
    auto boxes = m_boxes.shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("붙여넣을 이미지가 현재 캔버스영역을 초과합니다.\r\n 캔버스 크기를 조정하시겠습니까?", boxes[0].text);
    EXPECT_EQ(40, view->m_pImage->GetWidth());
    ASSERT_EQ(1, view->m_nFloatMode);
    EXPECT_TRUE(SamePixels(big, view->m_pFloatImage));
    ASSERT_NE(nullptr, view->m_pTracker);
    EXPECT_EQ(CRect(0, 10, 60, 30), CRect(view->m_pTracker->m_rect)) << "offset min(room, 32) on the axis with room";

    m_boxes.setAnswer(IDYES);
    view->Paste();
    EXPECT_EQ(60, view->m_pImage->GetWidth()) << "Yes makes the canvas as large as both";
    EXPECT_EQ(30, view->m_pImage->GetHeight());
    EXPECT_EQ(RGB(255, 255, 255), view->m_pImage->GetPixelColor(50, 25));
    view->MergeFloat();
    EXPECT_EQ(0, view->m_nFloatMode);
    EXPECT_EQ(big->GetPixelColor(59, 19), view->m_pImage->GetPixelColor(59, 29)) << "floated 10 rows down";
    delete big;
}

TEST_F(EditorSelection, ABrushMoveToTheSamePointDrawsOneDab)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    editor_shell::NoPaneTools().colour = RGB(0, 0, 255);
    editor_shell::NoPaneTools().brushSize = 4;
    view->m_nEditTool = ETM_BRUSH;
    CImageObject* expected = view->m_pImage->DuplicateImgObj();
    expected->BrushEffect(10, 10, RGB(0, 0, 255), 4, 1);
    expected->BrushEffect(10, 10, RGB(0, 0, 255), 4, 1);
    view->m_ptLast = CPoint(10, 10);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(SamePixels(expected, view->m_pImage));
    EXPECT_TRUE(view->m_bModified);
    EXPECT_EQ(0, view->m_nUndoPos) << "tools take no undo copy";
    delete expected;
}

TEST_F(EditorSelection, PenStrokesFillEveryPixelOfTheSegment)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    editor_shell::NoPaneTools().colour = RGB(1, 2, 3);
    view->m_nEditTool = ETM_PEN;
    view->m_ptLast = CPoint(2, 3);
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 8));
    for (int x = 2; x <= 12; ++x)
        EXPECT_EQ(RGB(1, 2, 3), view->m_pImage->GetPixelColor(x, 3 + (x - 2) * 5 / 10)) << x;
}

TEST_F(EditorSelection, ColourPickerTakesOnlyPicturePixels)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    view->m_nEditTool = ETM_PICKER;
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
    EXPECT_EQ(RGB(7, 5, 7 ^ 5), editor_shell::NoPaneTools().colour);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(RGB(7, 5, 7 ^ 5), editor_shell::NoPaneTools().colour) << "the hatch beside the picture";
}

TEST_F(EditorSelection, TrimKeepsTheSelectionAndUndoBringsTheWholeBack)
{
    CImgEditView* view = Editor(40, 30);
    ASSERT_NE(nullptr, view);
    Select(view, CRect(5, 6, 15, 26));
    view->Trim();
    EXPECT_EQ(10, view->m_pImage->GetWidth());
    EXPECT_EQ(20, view->m_pImage->GetHeight());
    EXPECT_EQ(RGB(5, 6, 5 ^ 6), view->m_pImage->GetPixelColor(0, 0));
    EXPECT_EQ(nullptr, view->m_pTracker);
    view->Undo();
    EXPECT_EQ(40, view->m_pImage->GetWidth());
}

TEST_F(EditorSelection, FloatingTextMergesIntoThePicture)
{
    CImgEditView* view = Editor(120, 60);
    ASSERT_NE(nullptr, view);
    view->m_strImprintText = "가나 Text";
    view->m_lfImprint = LOGFONT();
    view->m_lfImprint.lfHeight = -20;
    std::strcpy(view->m_lfImprint.lfFaceName, "굴림");
    view->m_clrImprintText = RGB(255, 0, 0);
    view->m_bImprintTransparent = TRUE;
    view->FloatText(CPoint(10, 10));
    ASSERT_EQ(2, view->m_nFloatMode);
    ASSERT_NE(nullptr, view->m_pFloatShown);
    EXPECT_EQ(0, view->m_pFloatImage->GetWidth() % 4);
    CImageObject* before = view->m_pImage->DuplicateImgObj();
    view->MergeFloat();
    EXPECT_EQ(0, view->m_nFloatMode);
    EXPECT_FALSE(SamePixels(before, view->m_pImage)) << "the text was drawn";
    EXPECT_EQ(RGB(0, 0, 0), view->m_pImage->GetPixelColor(0, 0)) << "outside the text nothing changed";
    view->Undo();
    EXPECT_TRUE(SamePixels(before, view->m_pImage));
    delete before;
}
