#include "editor/DlgImgEditMask.h"

#include "editor/EditorDialogs.h"
#include "editor/OwnedSlot.h"
#include "image/ImageComposer.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDlgImgEditMask, CDlgImgTemplatePicker)

BEGIN_MESSAGE_MAP(CDlgImgEditMask, CDlgImgTemplatePicker)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_ED_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_MK_INVERT, OnPreview)
    ON_BN_CLICKED(IDC_MK_PICK, OnPickColor)
END_MESSAGE_MAP()

namespace {

const CDlgImgTemplatePicker::TableInfo kMasks = {TEMPLATE_MASK, "< 마스크 모양 선택 >", 200, IDC_MK_LIST};
const int kThumbInset = 3;

}  // namespace

CDlgImgEditMask::CDlgImgEditMask(CWnd* pParent)
    : CDlgImgTemplatePicker(IDD_IMG_EDIT_MASK, pParent),
      m_pMaskImage(nullptr),
      m_clrFill(RGB(255, 255, 255)),
      m_nMaskOffset(0),
      m_bInvertMask(0),
      m_bOverPreview(FALSE),
      m_rcThumb(0, 0, 0, 0),
      m_rcSwatch(0, 0, 0, 0)
{
    m_strProfileName = "ImgEditMask";
}

CDlgImgEditMask::~CDlgImgEditMask() = default;

const CDlgImgTemplatePicker::TableInfo& CDlgImgEditMask::Table() const
{
    return kMasks;
}

void CDlgImgEditMask::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgTemplatePicker::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_MK_PICK, m_btnColor);
    DDX_Control(pDX, IDC_ED_PREVIEW, m_btnPreview);
    DDX_Control(pDX, IDC_MK_INVERT, m_chkInvert);
    DDX_Control(pDX, IDC_MK_SLIDER, m_slider);
    DDX_Text(pDX, IDC_MK_OFFSET, m_nMaskOffset);
    DDX_Check(pDX, IDC_MK_INVERT, m_bInvertMask);
}

BOOL CDlgImgEditMask::OnInitDialog()
{
    CDlgImgTemplatePicker::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    m_btnColor.SetNormalBorder(TRUE);
    editor_dialogs::StyleButton(m_btnColor, IDI_BUTTON_RESET);
    editor_dialogs::StyleButton(m_btnPreview, IDI_BUTTON_PREVIEW);
    editor_dialogs::StyleCheck(m_chkInvert, m_bInvertMask);
    m_slider.SetRange(0, 255);
    m_slider.SetPos(m_nMaskOffset);
    StoreFrameRects();
    m_rcThumb = editor_dialogs::ChildRect(this, IDC_MK_THUMB);
    m_rcSwatch = editor_dialogs::ChildRect(this, IDC_MK_SWATCH);
    StyleList();
    MakePickerPreviews();
    UpdateData(FALSE);
    FillTemplateList();
    return TRUE;
}

void CDlgImgEditMask::OnTemplateFiles(const CString* paths)
{
    m_strMaskFile = paths[0];
    LoadMaskThumbnail();
    if (!m_pMaskImage)
        m_nTemplateNo = -1;
    RenderPreview();
}

void CDlgImgEditMask::LoadMaskThumbnail()
{
    owned_slot::Free(m_pMaskImage);
    if (!m_strMaskFile.IsEmpty()) {
        CRect box = m_rcThumb;
        box.DeflateRect(kThumbInset, kThumbInset);
        std::unique_ptr<CImageObject> mask(new CImageObject(this, nullptr));
        if (mask->LoadScaled(m_strMaskFile, CSize(box.Width(), box.Height()), 1) && mask->IsLoaded() &&
            mask->GetWidth() > 0 && mask->GetHeight() > 0) {
            m_pMaskImage = mask.release();
            CentreIn(m_pMaskImage, m_rcThumb);
        }
    }
    InvalidateRect(&m_rcThumb, TRUE);
}

void CDlgImgEditMask::RenderPreview()
{
    if (!m_pMaskImage) {
        AfxMessageBox("마스크 이미지를 선택하십시요.");
        return;
    }
    UpdateData(TRUE);
    CWaitCursor wait;
    if (!RestartProcessed())
        return;
    CImageComposer(m_pPreviewNew)
        .Mask(CRect(0, 0, m_pPreviewNew->GetWidth(), m_pPreviewNew->GetHeight()), m_pMaskImage, m_clrFill,
              m_nMaskOffset, m_bInvertMask);
    InvalidateRect(&m_rcPreviewNew, TRUE);
}

void CDlgImgEditMask::OnPreview()
{
    RenderPreview();
}

void CDlgImgEditMask::OnPickColor()
{
    if (!editor_dialogs::PickColor(this, m_clrFill))
        return;
    InvalidateRect(&m_rcSwatch, TRUE);
    RenderPreview();
}

void CDlgImgEditMask::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == IDC_MK_SLIDER) {
        m_nMaskOffset = m_slider.GetPos();
        UpdateData(FALSE);
        // Without a mask the number follows and nothing else happens.
        const BOOL buttonDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        if (m_pMaskImage && !(nSBCode == SB_THUMBTRACK && buttonDown) && nSBCode != SB_ENDSCROLL)
            RenderPreview();
    }
    CDlgImgTemplatePicker::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDlgImgEditMask::OnLButtonDown(UINT nFlags, CPoint point)
{
    COLORREF picked;
    if (m_rcPreviewOrg.PtInRect(point)) {
        if (PixelUnder(m_pPreviewOrg, point, &picked)) {
            m_clrFill = picked;
            RenderPreview();
        }
    } else if (m_rcPreviewNew.PtInRect(point)) {
        if (PixelUnder(m_pPreviewNew, point, &picked)) {
            m_clrFill = picked;
            RenderPreview();
        }
    } else if (m_rcSwatch.PtInRect(point)) {
        OnPickColor();
    }
    if (m_bOverPreview)
        InvalidateRect(&m_rcSwatch, TRUE);
    CDlgImgTemplatePicker::OnLButtonDown(nFlags, point);
}

void CDlgImgEditMask::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bOverPreview = m_rcPreviewOrg.PtInRect(point) || m_rcPreviewNew.PtInRect(point);
    CDlgImgTemplatePicker::OnMouseMove(nFlags, point);
}

BOOL CDlgImgEditMask::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverPreview) {
        ::SetCursor(AfxGetApp()->LoadCursor(IDC_EDITOR_PICKER));
        return TRUE;
    }
    return CDlgImgTemplatePicker::OnSetCursor(pWnd, nHitTest, message);
}

void CDlgImgEditMask::DrawFrames(CDC* pDC)
{
    CDlgImgTemplatePicker::DrawFrames(pDC);
    DrawThirdFrame(pDC, m_rcThumb);
}

void CDlgImgEditMask::OnPaint()
{
    CPaintDC dc(this);
    DrawPreviews(&dc);
    if (m_pMaskImage)
        m_pMaskImage->DrawStretch(&dc);
    editor_dialogs::FillSwatch(&dc, m_rcSwatch, m_clrFill);
}

void CDlgImgEditMask::OnDestroy()
{
    CDlgImgTemplatePicker::OnDestroy();
    FreePreviews();
}
