#include "editor/DlgImgEditFrame.h"

#include "editor/EditorDialogs.h"
#include "editor/OwnedSlot.h"
#include "image/ImageComposer.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDlgImgEditFrame, CDlgImgTemplatePicker)

BEGIN_MESSAGE_MAP(CDlgImgEditFrame, CDlgImgTemplatePicker)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_ED_PREVIEW, OnPreview)
END_MESSAGE_MAP()

namespace {

const CDlgImgTemplatePicker::TableInfo kFrames = {TEMPLATE_FRAME, "< 액자 모양 선택 >", 200, IDC_FR_LIST};
const int kSampleInset = 3;

}  // namespace

CDlgImgEditFrame::CDlgImgEditFrame(CWnd* pParent)
    : CDlgImgTemplatePicker(IDD_IMG_EDIT_FRAME, pParent),
      m_pFrameCorner(nullptr),
      m_pFrameEdge(nullptr),
      m_pFrameSample(nullptr),
      m_nFrameRatio(15),
      m_rcSample(0, 0, 0, 0)
{
    m_strProfileName = "ImgEditFrame";
}

CDlgImgEditFrame::~CDlgImgEditFrame()
{
    owned_slot::Free(m_pFrameSample);
}

const CDlgImgTemplatePicker::TableInfo& CDlgImgEditFrame::Table() const
{
    return kFrames;
}

void CDlgImgEditFrame::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgTemplatePicker::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_ED_PREVIEW, m_btnPreview);
    DDX_Control(pDX, IDC_FR_SLIDER, m_slider);
    DDX_Text(pDX, IDC_FR_RATIO, m_nFrameRatio);
    // The ratio divides the picture here and in the editor.
    if (pDX->m_bSaveAndValidate)
        m_nFrameRatio = editor_dialogs::ClampRatio(m_nFrameRatio, kMinRatio, kMaxRatio);
}

BOOL CDlgImgEditFrame::OnInitDialog()
{
    CDlgImgTemplatePicker::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    editor_dialogs::StyleButton(m_btnPreview, IDI_BUTTON_PREVIEW);
    m_slider.SetRange(kMinRatio, kMaxRatio);
    m_slider.SetPos(m_nFrameRatio);
    StoreFrameRects();
    m_rcSample = editor_dialogs::ChildRect(this, IDC_FR_SAMPLE);
    StyleList();
    MakePickerPreviews();
    UpdateData(FALSE);
    FillTemplateList();
    return TRUE;
}

void CDlgImgEditFrame::LoadTile(CImageObject*& tile, const CString& path)
{
    owned_slot::Replace(tile, LoadTemplatePicture(path));
}

void CDlgImgEditFrame::OnTemplateFiles(const CString* paths)
{
    m_strFrameFile1 = paths[0];
    m_strFrameFile2 = paths[1];
    LoadTile(m_pFrameCorner, m_strFrameFile1);
    LoadTile(m_pFrameEdge, m_strFrameFile2);
    // A frame missing a tile cannot be made: it counts as not chosen.
    if (!m_pFrameCorner || !m_pFrameEdge)
        m_nTemplateNo = -1;
    MakeSample();
    RenderPreview();
}

void CDlgImgEditFrame::MakeSample()
{
    CWaitCursor wait;
    owned_slot::Free(m_pFrameSample);
    CRect inner = m_rcSample;
    inner.DeflateRect(kSampleInset, kSampleInset);
    const int t = inner.Width() / 10;
    if (m_pFrameCorner && m_pFrameEdge && t > 0) {
        CImageObject empty(this, nullptr);
        m_pFrameSample = CImageComposer(&empty).MakeFrame(
            m_pFrameCorner, m_pFrameEdge, CSize(inner.Width() - 2 * t, inner.Height() - 2 * t), t);
        CentreIn(m_pFrameSample, inner);
    }
    InvalidateRect(&m_rcSample, TRUE);
}

void CDlgImgEditFrame::RenderPreview()
{
    if (!m_pFrameCorner || !m_pFrameEdge || !m_pPreviewOrg)
        return;
    CWaitCursor wait;
    owned_slot::Free(m_pPreviewNew);
    UpdateData(TRUE);
    UpdateData(FALSE);
    const int width = m_pPreviewOrg->GetWidth(), height = m_pPreviewOrg->GetHeight();
    const int w = (width < height ? height : width) / m_nFrameRatio;
    std::unique_ptr<CImageObject> framed(CImageComposer(m_pPreviewOrg).MakeFrame(m_pFrameCorner, m_pFrameEdge, w));
    if (framed) {
        const int r = framed->GetThumbRatio(m_rcPreviewNew, nullptr, TRUE);
        m_pPreviewNew = framed->Resample((long)r * (width + 2 * w) / 1000, (long)r * (height + 2 * w) / 1000, 3);
        if (m_pPreviewNew) {
            m_pPreviewNew->SetParent(this);
            CentreIn(m_pPreviewNew, m_rcPreviewNew);
        }
    }
    InvalidateRect(&m_rcPreviewNew, TRUE);
}

void CDlgImgEditFrame::OnPreview()
{
    RenderPreview();
}

void CDlgImgEditFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == IDC_FR_SLIDER) {
        m_nFrameRatio = m_slider.GetPos();
        UpdateData(FALSE);
        const BOOL buttonDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        if (!(nSBCode == SB_THUMBTRACK && buttonDown) && nSBCode != SB_ENDSCROLL)
            RenderPreview();
    }
    CDlgImgTemplatePicker::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDlgImgEditFrame::DrawFrames(CDC* pDC)
{
    CDlgImgTemplatePicker::DrawFrames(pDC);
    DrawThirdFrame(pDC, m_rcSample);
}

void CDlgImgEditFrame::OnPaint()
{
    CPaintDC dc(this);
    DrawPreviews(&dc);
    if (m_pFrameSample)
        m_pFrameSample->DrawStretch(&dc);
}

void CDlgImgEditFrame::OnDestroy()
{
    CDlgImgTemplatePicker::OnDestroy();
    FreePreviews();
    owned_slot::Free(m_pFrameSample);
}
