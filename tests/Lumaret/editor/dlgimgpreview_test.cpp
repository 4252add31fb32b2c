// The colour balance and threshold dialogs: previews made again from the
// untouched copy, a dragged slider that only moves the number, the reset,
// and colours picked from the untouched preview.
#include "DialogFixture.h"
#include "EditorFixture.h"

#include "editor/DlgImgColorBalance.h"
#include "editor/DlgImgThreshold.h"
#include "resource.h"
#include "support/InputSynth.h"

using editortest::DialogTest;
using editortest::MakePattern;
using editortest::SamePixels;

namespace {

class PreviewDialog : public DialogTest {
protected:
    // Drags the slider's thumb `dx` pixels; `during` runs before the release.
    static void DragThumb(HWND dialog, int slider, int dx, const std::function<void()>& during)
    {
        HWND bar = ::GetDlgItem(dialog, slider);
        RECT thumb = {};
        ::SendMessage(bar, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
        const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
        mivo::test::MouseDown(bar, x, y);
        mivo::test::MouseMove(bar, x + dx, y);
        during();
        mivo::test::MouseUp(bar, x + dx, y);
    }
    // A client point of the dialog inside a preview's picture, at (fx, fy) of its size.
    static CPoint Inside(CImageObject* preview, double fx, double fy)
    {
        return CPoint(preview->GetDst_x() + int(preview->GetWidth() * fx),
                      preview->GetDst_y() + int(preview->GetHeight() * fy));
    }
};

}  // namespace

TEST_F(PreviewDialog, ADraggedSliderMovesTheNumberAndThePreviewFollowsOnRelease)
{
    std::unique_ptr<CImageObject> picture(MakePattern(120, 80));
    CDlgImgColorBalance dlg;
    dlg.m_pSrcImage = picture.get();
    dlg.m_rcArea = CRect(0, 0, 119, 79);
    bool untouchedAtStart = false, untouchedWhileDragging = false, changedAfter = false;
    std::string numberWhileDragging;
    Run(dlg, {[&](HWND box) {
        untouchedAtStart = SamePixels(dlg.m_pPreviewOrg, dlg.m_pPreviewNew);
        DragThumb(box, IDC_CB_BRIGHT_SLIDER, 40, [&] {
            numberWhileDragging = Text(box, IDC_CB_BRIGHT);
            untouchedWhileDragging = SamePixels(dlg.m_pPreviewOrg, dlg.m_pPreviewNew);
        });
        changedAfter = !SamePixels(dlg.m_pPreviewOrg, dlg.m_pPreviewNew);
        Press(box, IDOK);
    }});
    EXPECT_TRUE(untouchedAtStart);
    EXPECT_NE("0", numberWhileDragging);
    EXPECT_TRUE(untouchedWhileDragging);
    EXPECT_TRUE(changedAfter);
    EXPECT_GT(dlg.m_nBrightness, 0);
    EXPECT_EQ(0, dlg.m_nRed);
    // The previews go with the window.
    EXPECT_EQ(nullptr, dlg.m_pPreviewNew);
    EXPECT_EQ(nullptr, dlg.m_pPreviewOrg);
}

TEST_F(PreviewDialog, ResetReturnsEverySettingAndTheUntouchedPreview)
{
    std::unique_ptr<CImageObject> picture(MakePattern(60, 60));
    CDlgImgColorBalance dlg;
    dlg.m_pSrcImage = picture.get();
    dlg.m_rcArea = CRect(0, 0, 59, 59);
    bool untouched = false;
    std::string numbers;
    Run(dlg, {[&](HWND box) {
        dlg.m_sliders[0].SetPos(30);
        ::SendMessage(box, WM_HSCROLL, SB_THUMBPOSITION, (LPARAM)dlg.m_sliders[0].m_hWnd);
        dlg.m_sliders[4].SetPos(-20);
        ::SendMessage(box, WM_HSCROLL, SB_LINEDOWN, (LPARAM)dlg.m_sliders[4].m_hWnd);
        Press(box, IDC_ED_RESET);
        untouched = SamePixels(dlg.m_pPreviewOrg, dlg.m_pPreviewNew);
        numbers = Text(box, IDC_CB_RED) + Text(box, IDC_CB_CONTRAST) + std::to_string(dlg.m_sliders[0].GetPos());
        Press(box, IDCANCEL);
    }});
    EXPECT_TRUE(untouched);
    EXPECT_EQ("000", numbers);
}

TEST_F(PreviewDialog, ThresholdPicksColoursOnlyFromThePicture)
{
    // Left half black, right half white; wide, so the frame has room above and below it.
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(255, 255, 255), 200, 40));
    picture->DrawRect(CRect(0, 0, 99, 39), RGB(0, 0, 0), 1, 0, 1, 0, 0);
    CDlgImgThreshold dlg;
    dlg.m_nInitThreshold = 77;
    dlg.m_pSrcImage = picture.get();
    dlg.m_rcArea = CRect(0, 0, 199, 39);
    dlg.m_clrDark = RGB(1, 2, 3);
    dlg.m_clrLight = RGB(4, 5, 6);
    COLORREF darkBeside = 0, lightBeside = 0;
    Run(dlg, {[&](HWND box) {
        CImageObject* org = dlg.m_pPreviewOrg;
        CPoint above(org->GetDst_x() + 5, org->GetDst_y() - 3);
        mivo::test::Click(box, above.x, above.y);
        mivo::test::Click(box, above.x, above.y, mivo::MouseButton::Right);
        darkBeside = dlg.m_clrDark;
        lightBeside = dlg.m_clrLight;
        CPoint white = Inside(org, 0.75, 0.5), black = Inside(org, 0.25, 0.5);
        mivo::test::Click(box, white.x, white.y, mivo::MouseButton::Right);
        mivo::test::Click(box, black.x, black.y);
        Press(box, IDOK);
    }});
    EXPECT_EQ(RGB(1, 2, 3), darkBeside);
    EXPECT_EQ(RGB(4, 5, 6), lightBeside);
    EXPECT_EQ(RGB(255, 255, 255), dlg.m_clrLight);
    EXPECT_EQ(RGB(0, 0, 0), dlg.m_clrDark);
    EXPECT_EQ(77, dlg.m_nThreshold);
}

TEST_F(PreviewDialog, ThresholdResetAndEveryScrollReRender)
{
    std::unique_ptr<CImageObject> picture(MakePattern(64, 64));
    CDlgImgThreshold dlg;
    dlg.m_nInitThreshold = 20;
    dlg.m_pSrcImage = picture.get();
    dlg.m_rcArea = CRect(0, 0, 63, 63);
    COLORREF before = 0, during = 0;
    std::string shownAfterReset;
    Run(dlg, {[&](HWND box) {
        CPoint middle = Inside(dlg.m_pPreviewNew, 0.5, 0.5);
        CPoint at(middle.x - dlg.m_pPreviewNew->GetDst_x(), middle.y - dlg.m_pPreviewNew->GetDst_y());
        before = dlg.m_pPreviewNew->GetPixelColor(at.x, at.y);
        // A drag re-renders at once here: the preview is cheap.
        dlg.m_slider.SetPos(255);
        ::SendMessage(box, WM_HSCROLL, SB_THUMBTRACK, (LPARAM)dlg.m_slider.m_hWnd);
        during = dlg.m_pPreviewNew->GetPixelColor(at.x, at.y);
        dlg.m_clrDark = RGB(200, 0, 0);
        Press(box, IDC_ED_RESET);
        shownAfterReset = Text(box, IDC_TH_VALUE) + "/" + std::to_string(dlg.m_slider.GetPos());
        Press(box, IDOK);
    }});
    EXPECT_NE(before, during);
    EXPECT_EQ(RGB(0, 0, 0), during);
    EXPECT_EQ("20/20", shownAfterReset);
    EXPECT_EQ(20, dlg.m_nThreshold);
    EXPECT_EQ(RGB(0, 0, 0), dlg.m_clrDark);
    EXPECT_EQ(RGB(255, 255, 255), dlg.m_clrLight);
}
