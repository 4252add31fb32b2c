// The editor view's commands that ask a parameter dialog first: resize,
// canvas, free rotation, colour balance, threshold, mask, margin and
// shadow, frame, text and histogram. What runs after OK goes through the
// operation worker (ImgEditOperations.cpp) or, for a floating piece, stays
// on the user-interface thread.
#include "editor/ImgEditView.h"

#include "editor/DlgImgCanvasSize.h"
#include "editor/DlgImgColorBalance.h"
#include "editor/DlgImgEditFrame.h"
#include "editor/DlgImgEditMask.h"
#include "editor/DlgImgEditShadow.h"
#include "editor/DlgImgHistogram.h"
#include "editor/DlgImgResize.h"
#include "editor/DlgImgRotate.h"
#include "editor/DlgImgTextImprint.h"
#include "editor/DlgImgThreshold.h"
#include "editor/OwnedSlot.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

namespace {

CRect WholePicture(CImageObject* picture)
{
    return CRect(0, 0, picture->GetWidth() - 1, picture->GetHeight() - 1);
}

void SetRectParams(INT_PTR* p, const CRect& rect)
{
    p[0] = rect.left;
    p[1] = rect.top;
    p[2] = rect.right;
    p[3] = rect.bottom;
}

}  // namespace

// --- Resize, canvas and free rotation -------------------------------------------

void CImgEditView::OnResize()
{
    if (!HasImage())
        return;
    CImageObject* target = m_nFloatMode == 1 && m_pFloatImage ? m_pFloatImage : m_pImage;
    CDlgImgResize dlg(this);
    dlg.m_nOrgWidth = dlg.m_nNewWidth = target->GetWidth();
    dlg.m_nOrgHeight = dlg.m_nNewHeight = target->GetHeight();
    dlg.m_nWidthPercent = dlg.m_nHeightPercent = 100;
    if (dlg.DoModal() != IDOK || (dlg.m_nWidthPercent == 100 && dlg.m_nHeightPercent == 100))
        return;
    if (target != m_pImage) {
        ResizeFloat(dlg.m_nWidthPercent, dlg.m_nHeightPercent, dlg.m_bBicubic ? 2 : 3);
        return;
    }
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    PrepareOperation(IOC_RESIZE, TRUE);
    m_anOpParam[0] = dlg.m_nNewWidth;
    m_anOpParam[1] = dlg.m_nNewHeight;
    m_anOpParam[2] = dlg.m_bBicubic ? 2 : 3;
    StartImageOperation();
}

// The floating pictures and the tracker follow the per cents.
void CImgEditView::ResizeFloat(int widthPercent, int heightPercent, int mode)
{
    if (!m_pFloatImage || !m_pFloatShown || !m_pTracker)
        return;
    const long width = (long)CDlgImgResize::Scaled(m_pFloatImage->GetWidth(), widthPercent, 100);
    const long height = (long)CDlgImgResize::Scaled(m_pFloatImage->GetHeight(), heightPercent, 100);
    if (width < 1 || height < 1)
        return;
    std::unique_ptr<CImageObject> image(m_pFloatImage->Resample(width, height, mode));
    std::unique_ptr<CImageObject> shown(m_pFloatShown->Resample(width, height, mode));
    if (!image || !shown)
        return;
    InvalidateTracker(TRUE);
    image->SetParent(this);
    shown->SetParent(this);
    owned_slot::Replace(m_pFloatImage, std::move(image));
    owned_slot::Replace(m_pFloatShown, std::move(shown));
    CRect r = m_pTracker->m_rect;
    r.NormalizeRect();
    r.right = r.left + CDlgImgResize::Scaled(r.Width(), widthPercent, 100);
    r.bottom = r.top + CDlgImgResize::Scaled(r.Height(), heightPercent, 100);
    if (AdjustTracker(r, CRectTracker::hitMiddle))
        m_pTracker->m_rect = r;
    SelectionFromTracker();
    RenderFloat();
    InvalidateTracker(TRUE);
    UpdateSelectionStatus();
}

void CImgEditView::OnCanvasSize()
{
    if (!HasImage())
        return;
    const int width = m_pImage->GetWidth(), height = m_pImage->GetHeight();
    CDlgImgCanvasSize dlg(this);
    dlg.m_nOrgWidth = dlg.m_nNewWidth = width;
    dlg.m_nOrgHeight = dlg.m_nNewHeight = height;
    if (dlg.DoModal() != IDOK || (dlg.m_nNewWidth == width && dlg.m_nNewHeight == height))
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    // A canvas below one pixel would give no picture.
    if (dlg.m_nNewWidth < 1 || dlg.m_nNewHeight < 1)
        return;
    m_nEditTool = ETM_SELECT;
    PrepareOperation(IOC_CANVAS, TRUE);
    m_anOpParam[0] = RGB(255, 255, 255);
    m_anOpParam[1] = dlg.m_nNewWidth;
    m_anOpParam[2] = dlg.m_nNewHeight;
    m_anOpParam[3] = min(width, dlg.m_nNewWidth);
    m_anOpParam[4] = min(height, dlg.m_nNewHeight);
    m_anOpParam[5] = 100;
    StartImageOperation();
}

void CImgEditView::OnRotateAngle()
{
    if (!HasImage())
        return;
    MarkModified();
    CDlgImgRotate dlg(this);
    if (dlg.DoModal() == IDCANCEL)
        return;
    RunFreeRotation(dlg.m_fAngle, dlg.m_bClockwise);
}

// --- Colour balance and threshold ---------------------------------------------------

void CImgEditView::RunColorBalance(const CRect& area, BOOL selection)
{
    SaveUndo(selection ? area : CRect(-1, -1, -1, -1));
    CDlgImgColorBalance dlg(this);
    dlg.m_pSrcImage = m_pImage;
    dlg.m_rcArea = area;
    if (dlg.DoModal() != IDOK)
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    PrepareOperation(IOC_COLOR_BALANCE, FALSE);
    SetRectParams(m_anOpParam, area);
    m_anOpParam[4] = dlg.m_nRed;
    m_anOpParam[5] = dlg.m_nGreen;
    m_anOpParam[6] = dlg.m_nBlue;
    m_anOpParam[7] = dlg.m_nBrightness;
    m_anOpParam[8] = dlg.m_nContrast;
    StartImageOperation();
}

void CImgEditView::OnColorBalance()
{
    if (HasImage())
        RunColorBalance(WholePicture(m_pImage), FALSE);
}

void CImgEditView::OnSelColorBalance()
{
    if (HasImage() && m_pTracker)
        RunColorBalance(m_rcSelection, TRUE);
}

void CImgEditView::OnThreshold()
{
    if (!HasImage())
        return;
    CDlgImgThreshold dlg(this);
    dlg.m_nInitThreshold = CImageFilter(m_pImage).MeanGrayValue();
    dlg.m_pSrcImage = m_pImage;
    dlg.m_rcArea = WholePicture(m_pImage);
    if (dlg.DoModal() != IDOK)
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    PrepareOperation(IOC_THRESHOLD, TRUE);
    m_anOpParam[0] = dlg.m_nThreshold;
    m_anOpParam[1] = dlg.m_clrDark;
    m_anOpParam[2] = dlg.m_clrLight;
    StartImageOperation();
}

// --- Mask, margin and shadow, frame -----------------------------------------------
// These dialogs live on the heap: on OK they and the pictures they loaded
// go to the worker, which frees them when it is done.

void CImgEditView::OnMask()
{
    if (!HasImage())
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    std::unique_ptr<CDlgImgEditMask> dlg(new CDlgImgEditMask(this));
    dlg->m_pSrcImage = m_pImage;
    if (dlg->DoModal() != IDOK || !dlg->m_pMaskImage) {
        owned_slot::Free(dlg->m_pMaskImage);
        return;
    }
    dlg->m_pMaskImage->SetParent(this);
    PrepareOperation(IOC_MASK, TRUE);
    m_anOpParam[0] = (INT_PTR)dlg->m_pMaskImage;
    m_anOpParam[1] = dlg->m_clrFill;
    m_anOpParam[2] = dlg->m_nMaskOffset;
    m_anOpParam[3] = dlg->m_bInvertMask;
    m_anOpParam[4] = (INT_PTR)static_cast<CDialog*>(dlg.release());
    StartImageOperation();
}

void CImgEditView::OnMarginShadow()
{
    if (!HasImage())
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    std::unique_ptr<CDlgImgEditShadow> dlg(new CDlgImgEditShadow(this));
    dlg->m_pSrcImage = m_pImage;
    if (dlg->DoModal() != IDOK) {
        owned_slot::Free(dlg->m_pPatternImage);
        return;
    }
    const int width = m_pImage->GetWidth(), height = m_pImage->GetHeight();
    const int marginRatio = max(dlg->m_nMarginRatio, 1);
    const int shadowRatio = max(dlg->m_nShadowRatio, marginRatio);
    const int m = width / marginRatio;
    PrepareOperation(IOC_MARGIN_SHADOW, TRUE);
    m_anOpParam[0] = dlg->m_clrMargin;
    m_anOpParam[1] = width + 2 * m;
    m_anOpParam[2] = height + 2 * m;
    m_anOpParam[3] = (INT_PTR)dlg->m_pPatternImage;
    m_anOpParam[4] = dlg->m_bUsePattern;
    m_anOpParam[5] = dlg->m_nPatternTransparency;
    m_anOpParam[6] = m;
    m_anOpParam[7] = dlg->m_clrBorder;
    m_anOpParam[8] = dlg->m_clrShadow;
    m_anOpParam[9] = dlg->m_bShadowFade;
    m_anOpParam[10] = width / shadowRatio;
    m_anOpParam[11] = (INT_PTR)static_cast<CDialog*>(dlg.release());
    StartImageOperation();
}

void CImgEditView::OnFrame()
{
    if (!HasImage())
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    std::unique_ptr<CDlgImgEditFrame> dlg(new CDlgImgEditFrame(this));
    dlg->m_pSrcImage = m_pImage;
    if (dlg->DoModal() != IDOK || !dlg->m_pFrameCorner || !dlg->m_pFrameEdge) {
        owned_slot::Free(dlg->m_pFrameCorner);
        owned_slot::Free(dlg->m_pFrameEdge);
        return;
    }
    const int width = m_pImage->GetWidth(), height = m_pImage->GetHeight();
    const int ratio = max(dlg->m_nFrameRatio, 1);
    PrepareOperation(IOC_FRAME, TRUE);
    m_anOpParam[0] = (INT_PTR)dlg->m_pFrameCorner;
    m_anOpParam[1] = (INT_PTR)dlg->m_pFrameEdge;
    m_anOpParam[2] = (width < height ? height : width) / ratio;
    m_anOpParam[3] = (INT_PTR)static_cast<CDialog*>(dlg.release());
    StartImageOperation();
}

// --- Text and histogram -------------------------------------------------------------

void CImgEditView::PlaceText(CPoint imagePoint)
{
    if (!HasImage())
        return;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    CDlgImgTextImprint dlg(this);
    dlg.m_strText = m_strImprintText;
    if (dlg.DoModal() == IDCANCEL)
        return;
    m_bImprintTransparent = dlg.m_bTransparentBk;
    m_lfImprint = dlg.m_lf;
    m_strImprintText = dlg.m_strText;
    m_clrImprintBack = dlg.m_clrBack;
    m_clrImprintText = dlg.m_clrText;
    FloatText(imagePoint);
}

void CImgEditView::OnText()
{
    CPoint at(0, 0);
    if (m_pTracker && !m_nFloatMode)
        at = m_rcSelection.TopLeft();
    PlaceText(at);
}

void CImgEditView::OnHistogram()
{
    if (!HasImage())
        return;
    int* table;
    {
        CWaitCursor wait;
        table = CImageFilter(m_pImage).CreateHistogram(0, 0, m_pImage->GetWidth() - 1, m_pImage->GetHeight() - 1);
    }
    if (!table)
        return;
    std::unique_ptr<int[]> owned(table);
    CDlgImgHistogram dlg(this);
    dlg.m_pHistogram = owned.get();
    dlg.DoModal();
}

// --- The mask of a floating picture -------------------------------------------------

void CImgEditView::MaskFloat()
{
    if (!HasImage() || m_nFloatMode != 1 || !m_pFloatImage || !m_pTracker)
        return;
    DeletePicture(m_pFloatMask);
    std::unique_ptr<CDlgImgEditMask> dlg(new CDlgImgEditMask(this));
    dlg->m_pSrcImage = m_pFloatImage;
    if (dlg->DoModal() != IDOK || !dlg->m_pMaskImage) {
        owned_slot::Free(dlg->m_pMaskImage);
        return;
    }
    m_pFloatMask = dlg->m_pMaskImage;
    m_pFloatMask->SetParent(this);
    m_bFloatMaskInvert = dlg->m_bInvertMask;
    m_nFloatMaskOffset = dlg->m_nMaskOffset;
    RenderFloat();
    InvalidateTracker(TRUE);
}
