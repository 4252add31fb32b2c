#include "editor/DlgImgPreview.h"

#include "controls/VXGDI.h"
#include "editor/EditorDialogs.h"
#include "editor/OwnedSlot.h"
#include "image/ImageObject.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgPreview, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgPreview, CVXDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
const COLORREF kFrameGrey = RGB(0x80, 0x80, 0x80);
const int kPreviewInset = 6;
}  // namespace

CDlgImgPreview::CDlgImgPreview(UINT nIDTemplate, CWnd* pParent)
    : CVXDialog(nIDTemplate, pParent),
      m_pSrcImage(nullptr),
      m_rcArea(-1, -1, -1, -1),
      m_pPreviewOrg(nullptr),
      m_pPreviewNew(nullptr),
      m_pWorkImage(nullptr),
      m_rcPreviewOrg(0, 0, 0, 0),
      m_rcPreviewNew(0, 0, 0, 0)
{
    m_nIconID = 128;
}

CDlgImgPreview::~CDlgImgPreview()
{
    FreePreviews();
}

void CDlgImgPreview::FreePreviews()
{
    owned_slot::Free(m_pPreviewNew);
    owned_slot::Free(m_pPreviewOrg);
    m_pWorkImage = nullptr;
    m_workCrop.reset();
}

BOOL CDlgImgPreview::DestroyWindow()
{
    FreePreviews();
    return CVXDialog::DestroyWindow();
}

void CDlgImgPreview::StoreFrameRects()
{
    m_rcPreviewOrg = editor_dialogs::ChildRect(this, IDC_ED_PREVIEW_ORG);
    m_rcPreviewNew = editor_dialogs::ChildRect(this, IDC_ED_PREVIEW_NEW);
}

void CDlgImgPreview::CentreIn(CImageObject* picture, const CRect& frame)
{
    if (!picture)
        return;
    picture->SetDst_x(frame.left + (frame.Width() - picture->GetWidth()) / 2);
    picture->SetDst_y(frame.top + (frame.Height() - picture->GetHeight()) / 2);
}

BOOL CDlgImgPreview::MakePreviews(BOOL fromArea)
{
    FreePreviews();
    if (!m_pSrcImage || !m_pSrcImage->IsLoaded())
        return FALSE;
    m_pWorkImage = m_pSrcImage;
    // The editor passes inclusive rectangles, so its whole picture is cut
    // too; the copy is harmless.
    if (fromArea && m_rcArea.right - m_rcArea.left != m_pSrcImage->GetWidth() &&
        m_rcArea.bottom - m_rcArea.top != m_pSrcImage->GetHeight()) {
        m_workCrop.reset(m_pSrcImage->CropToNewImgObj(m_rcArea));
        if (m_workCrop)
            m_pWorkImage = m_workCrop.get();
    }
    CSize box(max(m_rcPreviewNew.Width() - kPreviewInset, 1), max(m_rcPreviewNew.Height() - kPreviewInset, 1));
    UINT width = 0, height = 0;
    m_pPreviewOrg = m_pWorkImage->MakeScaledImgObj(box, &width, &height);
    if (!m_pPreviewOrg)
        return FALSE;
    m_pPreviewOrg->SetParent(this);
    CentreIn(m_pPreviewOrg, m_rcPreviewOrg);
    return RestartProcessed() != nullptr;
}

CImageObject* CDlgImgPreview::RestartProcessed()
{
    owned_slot::Replace(m_pPreviewNew,
                        std::unique_ptr<CImageObject>(m_pPreviewOrg ? m_pPreviewOrg->DuplicateImgObj() : nullptr));
    if (m_pPreviewNew) {
        m_pPreviewNew->SetParent(this);
        CentreIn(m_pPreviewNew, m_rcPreviewNew);
    }
    return m_pPreviewNew;
}

BOOL CDlgImgPreview::PixelUnder(CImageObject* preview, CPoint point, COLORREF* colour)
{
    if (!preview || !preview->IsLoaded())
        return FALSE;
    const int x = point.x - preview->GetDst_x();
    const int y = point.y - preview->GetDst_y();
    // Beside the picture, inside its frame, there is nothing to pick.
    if (x < 0 || y < 0 || x >= preview->GetWidth() || y >= preview->GetHeight())
        return FALSE;
    *colour = preview->GetPixelColor(x, y);
    return TRUE;
}

void CDlgImgPreview::DrawPreviews(CDC* pDC)
{
    if (m_pPreviewNew)
        m_pPreviewNew->DrawStretch(pDC);
    if (m_pPreviewOrg)
        m_pPreviewOrg->DrawStretch(pDC);
}

void CDlgImgPreview::DrawFrame(CDC* pDC, const CRect& rect, COLORREF colour)
{
    if (rect.IsRectEmpty())
        return;
    CRect frame = rect;
    CVXGDI::VXRoundRect(pDC, &frame, colour, colour);
}

BOOL CDlgImgPreview::OnEraseBkgnd(CDC* pDC)
{
    CVXDialog::OnEraseBkgnd(pDC);
    DrawFrames(pDC);
    return TRUE;
}

void CDlgImgPreview::DrawFrames(CDC* pDC)
{
    DrawFrame(pDC, m_rcPreviewOrg, kFrameGrey);
    DrawFrame(pDC, m_rcPreviewNew, kFrameGrey);
}
