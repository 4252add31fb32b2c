// Editor operations: the worker gives what the library gives, the picture
// on screen is replaced only by the done handler, and the undo store keeps
// its depth, its redo states and its pieces.
#include "EditorFixture.h"

#include "image/ImageComposer.h"
#include "image/ImageFilter.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <functional>
#include <vector>

using namespace editortest;

namespace {

const int kW = 13, kH = 9;

int kBlur[] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
int kGauss3[] = {1, 2, 1, 2, 4, 2, 1, 2, 1};
int kGauss5[] = {0, 1, 2, 1, 0, 1, 3, 4, 3, 1, 2, 4, 8, 4, 2, 1, 3, 4, 3, 1, 0, 1, 2, 1, 0};
int kSoften[] = {1, 1, 1, 1, 8, 1, 1, 1, 1};
int kSharpen[] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
int kOutline[] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
int kEmboss[] = {0, 0, -1, 0, 0, 0, 1, 0, 0};

struct OperationCase {
    const char* name;
    int code;
    std::vector<INT_PTR> params;
    // The same change made directly on a copy; returns the expected picture.
    std::function<CImageObject*(CImageObject*)> direct;
};

CImageObject* InPlace(CImageObject* p, const std::function<void(CImageObject*)>& f)
{
    f(p);
    return p;
}

std::vector<OperationCase> Cases()
{
    const CRect whole(0, 0, kW - 1, kH - 1);
    const CRect part(2, 1, 7, 5);
    auto filter = [](int* kernel, int size, int divisor, int offset) {
        return [=](CImageObject* p) {
            return InPlace(p, [&](CImageObject* q) { CImageFilter(q).Filtering(kernel, size, divisor, offset); });
        };
    };
    return {
        {"edge", 16, {0, 0, kW - 1, kH - 1},
         [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { CImageFilter(q).EdgeEnhance(0, 0, kW - 1, kH - 1); }); }},
        {"highpass", 17, {0, 0, kW - 1, kH - 1},
         [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { CImageFilter(q).HighpassFilter(0, 0, kW - 1, kH - 1); }); }},
        {"median", 18, {0, 0, kW - 1, kH - 1},
         [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { CImageFilter(q).MedianFilter(0, 0, kW - 1, kH - 1); }); }},
        {"lowpass", 19, {0, 0, kW - 1, kH - 1},
         [](CImageObject* p) {
             return InPlace(p, [](CImageObject* q) { CImageFilter(q).LowpassFilter(0, 0, kW - 1, kH - 1, nullptr); });
         }},
        {"blur", 21, {}, filter(kBlur, 3, 9, 0)},
        {"gaussian 3", 22, {}, filter(kGauss3, 3, 16, 0)},
        {"gaussian 5", 23, {}, filter(kGauss5, 5, 52, 0)},
        {"soften", 24, {}, filter(kSoften, 3, 16, 0)},
        {"sharpen", 25, {}, filter(kSharpen, 3, 7, 0)},
        {"outline", 26, {}, filter(kOutline, 3, -1, 255)},
        {"emboss", 27, {}, filter(kEmboss, 3, 0, 127)},
        {"threshold", 28, {100, RGB(10, 20, 30), RGB(200, 210, 220)},
         [](CImageObject* p) {
             return InPlace(p, [](CImageObject* q) { CImageFilter(q).MonotoneThreshold(100, RGB(10, 20, 30), RGB(200, 210, 220)); });
         }},
        {"colour balance", 31, {part.left, part.top, part.right, part.bottom, 10, -20, 5, 15, 30},
         [part](CImageObject* p) {
             return InPlace(p, [part](CImageObject* q) {
                 CImageFilter(q).ChangeRGBBalance(10, -20, 5, part);
                 CImageFilter(q).ChangeBrightness(15, part);
                 CImageFilter(q).ChangeContrast(30, part);
             });
         }},
        {"grey", 32, {part.left, part.top, part.right, part.bottom},
         [part](CImageObject* p) { return InPlace(p, [part](CImageObject* q) { CImageFilter(q).MakeGray(part); }); }},
        {"negative", 33, {whole.left, whole.top, whole.right, whole.bottom},
         [whole](CImageObject* p) { return InPlace(p, [whole](CImageObject* q) { CImageFilter(q).NegativeColors(whole); }); }},
        {"rotate 90", 41, {90}, [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { q->Rotate(90); }); }},
        {"rotate 270", 41, {270}, [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { q->Rotate(270); }); }},
        {"flip", 43, {}, [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { q->InvertVert(); }); }},
        {"mirror", 44, {}, [](CImageObject* p) { return InPlace(p, [](CImageObject* q) { q->ReverseHorz(); }); }},
        {"resize", 11, {20, 7, 3},
         [](CImageObject* p) {
             CImageObject* r = p->Resample(20, 7, 3);
             delete p;
             return r;
         }},
        {"free rotation", 42, {-45000},
         [](CImageObject* p) {
             CImageObject* r = p->RotateAngle(-45.0);
             delete p;
             return r;
         }},
    };
}

}  // namespace

class EditorOperations : public EditorTest {
protected:
    // Runs one code on the view's worker and waits for it.
    void RunCode(CImgEditView* view, int code, std::vector<INT_PTR> params)
    {
        view->m_nOperation = code;
        for (int i = 0; i < CImgEditView::kParams; ++i)
            view->m_anOpParam[i] = i < int(params.size()) ? params[i] : 0;
        ASSERT_TRUE(view->StartImageOperation());
        WaitIdle(view);
    }
};

TEST_F(EditorOperations, WorkerGivesWhatTheLibraryGives)
{
    for (const OperationCase& c : Cases()) {
        CImgEditView* view = OpenWith(MakePattern(kW, kH));
        ASSERT_NE(nullptr, view);
        CImageObject* expected = c.direct(MakePattern(kW, kH));
        CImageObject* before = view->m_pImage;
        RunCode(view, c.code, c.params);
        EXPECT_TRUE(SamePixels(expected, view->m_pImage)) << c.name;
        EXPECT_FALSE(view->IsBusy()) << c.name;
        EXPECT_TRUE(view->m_bModified) << c.name;
        EXPECT_NE(before, view->m_pImage) << c.name << ": the shown picture was swapped, not changed in place";
        delete expected;
        view->m_bModified = FALSE;
        view->GetParentFrame()->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
    }
}


namespace {

// Counts the dialogs alive, as the mask, margin and frame dialogs would be.
class CCountedDialog : public CDialog {
public:
    static int s_alive;
    CCountedDialog() { ++s_alive; }
    ~CCountedDialog() override { --s_alive; }
};
int CCountedDialog::s_alive = 0;

}  // namespace

TEST_F(EditorOperations, MaskAndFrameGiveWhatTheComposerGivesAndFreeWhatTheyWereHanded)
{
    CImageObject* corner = MakePattern(3, 3);
    CImageObject* edge = MakePattern(3, 3);
    edge->ReverseHorz();
    CImageObject* mask = MakePattern(kW, kH);
    CImageObject* expected = MakePattern(kW, kH);
    CImageComposer(expected).Mask(CRect(0, 0, kW, kH), mask, RGB(0, 128, 255), 20, TRUE);
    CImageObject* framed = CImageComposer(expected).MakeFrame(corner, edge, 3);

    CImgEditView* view = OpenWith(MakePattern(kW, kH));
    ASSERT_NE(nullptr, view);
    // The view takes the pictures and the dialogs over.
    RunCode(view, 61, {INT_PTR(mask->DuplicateImgObj()), RGB(0, 128, 255), 20, TRUE,
                       INT_PTR(static_cast<CDialog*>(new CCountedDialog))});
    EXPECT_TRUE(SamePixels(expected, view->m_pImage)) << "mask";
    RunCode(view, 63, {INT_PTR(corner->DuplicateImgObj()), INT_PTR(edge->DuplicateImgObj()), 3,
                       INT_PTR(static_cast<CDialog*>(new CCountedDialog))});
    EXPECT_TRUE(SamePixels(framed, view->m_pImage)) << "frame";
    EXPECT_EQ(kW + 6, view->m_pImage->GetWidth());
    EXPECT_EQ(0, CCountedDialog::s_alive);
    EXPECT_EQ(0, view->m_anOpParam[0]);
    for (CImageObject* p : {corner, edge, mask, expected, framed})
        delete p;
}

TEST_F(EditorOperations, CanvasGrowsOnWhiteAtTheTopLeftAndShrinksByCutting)
{
    CImgEditView* view = OpenWith(MakePattern(10, 8));
    ASSERT_NE(nullptr, view);
    RunCode(view, 12, {RGB(255, 255, 255), 14, 11, 10, 8, 100});
    ASSERT_EQ(14, view->m_pImage->GetWidth());
    ASSERT_EQ(11, view->m_pImage->GetHeight());
    EXPECT_EQ(RGB(9, 7, 9 ^ 7), view->m_pImage->GetPixelColor(9, 7));
    EXPECT_EQ(RGB(255, 255, 255), view->m_pImage->GetPixelColor(10, 7));
    EXPECT_EQ(RGB(255, 255, 255), view->m_pImage->GetPixelColor(3, 10));
    RunCode(view, 12, {RGB(255, 255, 255), 4, 3, 4, 3, 100});
    ASSERT_EQ(4, view->m_pImage->GetWidth());
    EXPECT_EQ(RGB(3, 2, 3 ^ 2), view->m_pImage->GetPixelColor(3, 2));
}


TEST_F(EditorOperations, SizesBelowOnePixelAndMissingTemplatesStartNothing)
{
    CImgEditView* view = OpenWith(MakePattern(10, 8));
    ASSERT_NE(nullptr, view);
    CImageObject* before = view->m_pImage;
    const struct {
        int code;
        std::vector<INT_PTR> params;
    } refused[] = {
        {11, {0, 5, 3}}, {11, {5, -1, 3}}, {12, {0xFFFFFF, 0, 5, 0, 5, 100}},
        {61, {0, 0, 0, 0, INT_PTR(static_cast<CDialog*>(new CCountedDialog))}},
        {63, {0, 0, 5, INT_PTR(static_cast<CDialog*>(new CCountedDialog))}},
    };
    for (const auto& r : refused) {
        view->m_nOperation = r.code;
        for (int i = 0; i < CImgEditView::kParams; ++i)
            view->m_anOpParam[i] = i < int(r.params.size()) ? r.params[i] : 0;
        EXPECT_FALSE(view->StartImageOperation()) << r.code;
        EXPECT_FALSE(view->IsBusy());
    }
    EXPECT_EQ(before, view->m_pImage);
    EXPECT_FALSE(view->m_bModified);
    EXPECT_EQ(0, CCountedDialog::s_alive) << "a template missing: the dialog goes as on Cancel";
}

TEST_F(EditorOperations, MarginAndShadowReportTheirStepsThenRefitTheWindow)
{
    CImgEditView* view = OpenWith(MakePattern(20, 10));
    ASSERT_NE(nullptr, view);
    view->GetParentFrame()->MoveWindow(0, 0, 400, 300);
    mivo::test::MessageRecorder recorder;
    recorder.Attach(view->GetSafeHwnd());
    // m = 2, d = 1: a white margin, black border, grey shadow.
    RunCode(view, 62,
        {RGB(255, 255, 255), 24, 14, 0, 0, 0, 2, RGB(0, 0, 0), RGB(128, 128, 128), 0, 1, 0});
    std::vector<UINT> order = recorder.Messages(view->GetSafeHwnd(), {WM_IMAGE_PROGRESS, WM_IMAGE_DONE, WM_EDIT_OPERATION_DONE});
    std::vector<WPARAM> percents;
    for (const auto& m : recorder.All())
        if (m.msg == WM_IMAGE_PROGRESS && m.hwnd == view->GetSafeHwnd())
            percents.push_back(m.wParam);
    EXPECT_EQ((std::vector<WPARAM>{20, 60, 80, 100}), percents) << "no pattern: no 40";
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(UINT(WM_IMAGE_DONE), order[order.size() - 2]);
    EXPECT_EQ(UINT(WM_EDIT_OPERATION_DONE), order.back());
    EXPECT_EQ(24, view->m_pImage->GetWidth());
    EXPECT_EQ(RGB(0, 0, 0), view->m_pImage->GetPixelColor(2, 2)) << "the border";
    EXPECT_EQ(RGB(5, 5, 5 ^ 5), view->m_pImage->GetPixelColor(7, 7));
    EXPECT_EQ("시험 (100.0 %) *", Title(view));
}

TEST_F(EditorOperations, FreeRotationRunsQuarterTurnsAsTheirOwnCommands)
{
    const struct {
        double angle;
        BOOL clockwise;
        int code;
        INT_PTR p0;
    } cases[] = {
        {90, TRUE, 41, 90}, {180, FALSE, 41, 180}, {270, TRUE, 41, 270}, {90, FALSE, 42, -90000}, {45, FALSE, 42, -45000},
    };
    for (const auto& c : cases) {
        CImgEditView* view = OpenWith(MakePattern(12, 8));
        ASSERT_NE(nullptr, view);
        view->RunFreeRotation(c.angle, c.clockwise);
        WaitIdle(view);
        EXPECT_EQ(c.code, view->m_nOperation) << c.angle << (c.clockwise ? " clockwise" : " anticlockwise");
        EXPECT_EQ(c.p0, view->m_anOpParam[0]) << c.angle;
        EXPECT_EQ(1, view->m_nUndoPos);
        view->m_bModified = FALSE;
        view->GetParentFrame()->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
    }
}

// --- Undo -------------------------------------------------------------------------------

namespace {

// A change the test can read back: pixel 0,0 holds the step number.
void Change(CImgEditView* view, int step, CRect undoRect = CRect(-1, -1, -1, -1))
{
    view->SaveUndo(undoRect);
    view->m_pImage->SetPixelColor(0, 0, RGB(step, 0, 0));
}

int Step(CImgEditView* view)
{
    return GetRValue(view->m_pImage->GetPixelColor(0, 0));
}

}  // namespace

TEST_F(EditorOperations, UndoKeepsTheLastStepsOfItsDepthAndRedoes)
{
    CImgEditView* view = OpenWith(MakePattern(6, 4));
    ASSERT_NE(nullptr, view);
    view->m_nUndoLevel = 3;
    for (int step = 1; step <= 4; ++step)
        Change(view, step);
    for (int i = 0; i < 3; ++i)
        view->Undo();
    EXPECT_EQ(1, Step(view)) << "step 0 was dropped as the oldest";
    EXPECT_FALSE(view->CanUndo());
    view->Undo();
    EXPECT_EQ(1, Step(view));
    view->Redo();
    EXPECT_EQ(2, Step(view));
    EXPECT_TRUE(view->CanRedo());
    Change(view, 9);
    EXPECT_FALSE(view->CanRedo()) << "a new change drops the redo states";
    view->Undo();
    EXPECT_EQ(2, Step(view));
    EXPECT_TRUE(view->m_bModified);
}

TEST_F(EditorOperations, SelectionUndoRestoresOnlyItsRectangle)
{
    CImgEditView* view = OpenWith(MakePattern(10, 8));
    ASSERT_NE(nullptr, view);
    const CRect piece(2, 1, 5, 4);
    view->SaveUndo(piece);
    EXPECT_EQ(piece, view->m_arcUndo[0]);
    view->m_pImage->SetPixelColor(3, 2, RGB(1, 2, 3));  // inside
    view->m_pImage->SetPixelColor(8, 6, RGB(4, 5, 6));  // outside
    view->Undo();
    EXPECT_EQ(RGB(3, 2, 3 ^ 2), view->m_pImage->GetPixelColor(3, 2));
    EXPECT_EQ(RGB(4, 5, 6), view->m_pImage->GetPixelColor(8, 6));
    EXPECT_EQ(4, view->m_apUndo[0]->GetWidth()) << "the redo state is the replaced piece";
    view->Redo();
    EXPECT_EQ(RGB(1, 2, 3), view->m_pImage->GetPixelColor(3, 2));
}

TEST_F(EditorOperations, UndoDepthOutsideTheStoreIsClamped)
{
    for (int depth : {0, 20, -3}) {
        CImgEditView* view = OpenWith(MakePattern(6, 4));
        ASSERT_NE(nullptr, view);
        view->m_nUndoLevel = depth;
        for (int step = 1; step <= 12; ++step)
            Change(view, step);
        const int kept = depth <= 0 ? 0 : 8;
        EXPECT_EQ(kept, view->m_nUndoPos) << depth;
        for (int i = 0; i < 12; ++i)
            view->Undo();
        EXPECT_EQ(depth <= 0 ? 12 : 4, Step(view)) << depth;
        view->Redo();
        view->m_bModified = FALSE;
        view->GetParentFrame()->SendMessage(WM_CLOSE);
        mivo::test::PumpUntilIdle();
    }
}

TEST_F(EditorOperations, CommandsRefuseWhileTheWorkerRuns)
{
    CImgEditView* view = OpenWith(MakePattern(400, 300));
    ASSERT_NE(nullptr, view);
    view->m_nOperation = 23;
    ASSERT_TRUE(view->StartImageOperation());
    // Everything below runs before the worker's report is handled.
    EXPECT_TRUE(view->IsBusy());
    EXPECT_FALSE(view->StartImageOperation());
    EXPECT_FALSE(view->CanUndo());
    EXPECT_FALSE(static_cast<CImgEditFrame*>(view->GetParentFrame())->QueryClose());
    view->Undo();
    view->Trim();
    view->Paste();
    WaitIdle(view);
    auto boxes = m_boxes.shown();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("이미지 작업이 진행중입니다. 작업이 종료된 후 다시 시도하십시요.", boxes[0].text);
    EXPECT_EQ(boxes[0].text, boxes[1].text);
    EXPECT_FALSE(view->IsBusy());
}

TEST_F(EditorOperations, PaintStatusAndPaneCallsDuringLoadsAndReplacingCodesAreSafe)
{
    std::string path = WritePicture("큰 그림.JPG", 900, 700);
    CImgEditView* view = Open();
    ASSERT_NE(nullptr, view);
    const std::vector<std::pair<int, std::vector<INT_PTR>>> replacing = {
        {11, {300, 200, 2}}, {12, {0xFFFFFF, 950, 720, 900, 700, 100}}, {42, {30000}}, {62, {0xFFFFFF, 960, 760, 0, 0, 0, 30, 0, 0x808080, 1, 20}},
    };
    CImgEditFrame* frame = static_cast<CImgEditFrame*>(view->GetParentFrame());
    for (int round = 0; round < 2; ++round) {
        view->LoadImage(path.c_str(), "");
        EXPECT_TRUE(view->IsBusy());
        EXPECT_FALSE(frame->QueryClose()) << "closing during a load is refused";
        while (view->IsBusy()) {
            view->Invalidate();
            view->UpdateWindow();
            view->UpdateSizeStatus();
            view->UpdateSelectionStatus();
            view->VisibleImageRect();
            mivo::test::PumpUntilIdle();
        }
        ASSERT_TRUE(view->HasImage());
        for (const auto& r : replacing) {
            view->m_nOperation = r.first;
            for (int i = 0; i < CImgEditView::kParams; ++i)
                view->m_anOpParam[i] = i < int(r.second.size()) ? r.second[i] : 0;
            ASSERT_TRUE(view->StartImageOperation());
            while (view->IsBusy()) {
                view->Invalidate();
                view->UpdateWindow();
                view->UpdateSizeStatus();
                view->FitToWindow();
                mivo::test::PumpUntilIdle();
            }
        }
    }
    EXPECT_TRUE(view->HasImage());
}
