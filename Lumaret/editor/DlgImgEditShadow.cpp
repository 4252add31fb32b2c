#include "editor/DlgImgEditShadow.h"

#include "editor/EditorDialogs.h"
#include "editor/OwnedSlot.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <memory>

IMPLEMENT_DYNAMIC(CDlgImgEditShadow, CDlgImgTemplatePicker)

BEGIN_MESSAGE_MAP(CDlgImgEditShadow, CDlgImgTemplatePicker)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_ED_PREVIEW, OnPreview)
    ON_BN_CLICKED(IDC_SH_FADE, OnPreview)
    ON_BN_CLICKED(IDC_SH_USE_PATTERN, OnPreview)
    ON_BN_CLICKED(IDC_SH_MARGIN_PICK, OnPickMargin)
    ON_BN_CLICKED(IDC_SH_SHADOW_PICK, OnPickShadow)
    ON_BN_CLICKED(IDC_SH_BORDER_PICK, OnPickBorder)
END_MESSAGE_MAP()

namespace {

const CDlgImgTemplatePicker::TableInfo kPatterns = {TEMPLATE_PATTERN, "< 배경무늬 선택 >", 168, IDC_SH_LIST};
const int kPreviewInset = 6;

}  // namespace

CDlgImgEditShadow::CDlgImgEditShadow(CWnd* pParent)
    : CDlgImgTemplatePicker(IDD_IMG_EDIT_SHADOW, pParent),
      m_pPatternImage(nullptr),
      m_nMarginRatio(15),
      m_nShadowRatio(30),
      m_nPatternTransparency(50),
      m_bShadowFade(1),
      m_bUsePattern(0),
      m_clrMargin(RGB(255, 255, 255)),
      m_clrShadow(RGB(0, 0, 0)),
      m_clrBorder(RGB(200, 200, 0)),
      m_rcPattern(0, 0, 0, 0),
      m_rcMarginSwatch(0, 0, 0, 0),
      m_rcShadowSwatch(0, 0, 0, 0),
      m_rcBorderSwatch(0, 0, 0, 0)
{
    m_strProfileName = "ImgEditShadow";
}

CDlgImgEditShadow::~CDlgImgEditShadow() = default;

const CDlgImgTemplatePicker::TableInfo& CDlgImgEditShadow::Table() const
{
    return kPatterns;
}

void CDlgImgEditShadow::MarginAndShadow(int width, int marginRatio, int shadowRatio, int* margin, int* shadow)
{
    if (shadowRatio < marginRatio)
        shadowRatio = marginRatio;
    *margin = marginRatio > 0 ? width / marginRatio : 0;
    *shadow = shadowRatio > 0 ? width / shadowRatio : 0;
    if (*shadow >= *margin)
        *shadow = *margin - 1;
}

void CDlgImgEditShadow::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgTemplatePicker::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_ED_PREVIEW, m_btnPreview);
    DDX_Control(pDX, IDC_SH_MARGIN_PICK, m_btnMargin);
    DDX_Control(pDX, IDC_SH_SHADOW_PICK, m_btnShadow);
    DDX_Control(pDX, IDC_SH_BORDER_PICK, m_btnBorder);
    DDX_Control(pDX, IDC_SH_FADE, m_chkFade);
    DDX_Control(pDX, IDC_SH_USE_PATTERN, m_chkPattern);
    DDX_Control(pDX, IDC_SH_MARGIN_SLIDER, m_sliderMargin);
    DDX_Control(pDX, IDC_SH_SHADOW_SLIDER, m_sliderShadow);
    DDX_Control(pDX, IDC_SH_PATTERN_SLIDER, m_sliderPattern);
    DDX_Text(pDX, IDC_SH_MARGIN_RATIO, m_nMarginRatio);
    DDX_Text(pDX, IDC_SH_SHADOW_RATIO, m_nShadowRatio);
    DDX_Text(pDX, IDC_SH_PATTERN_ALPHA, m_nPatternTransparency);
    DDX_Check(pDX, IDC_SH_FADE, m_bShadowFade);
    DDX_Check(pDX, IDC_SH_USE_PATTERN, m_bUsePattern);
    // The ratios divide the picture here and in the editor.
    if (pDX->m_bSaveAndValidate) {
        m_nMarginRatio = editor_dialogs::ClampRatio(m_nMarginRatio, kMinRatio, kMaxRatio);
        m_nShadowRatio = editor_dialogs::ClampRatio(m_nShadowRatio, kMinRatio, kMaxRatio);
        m_nPatternTransparency = editor_dialogs::ClampRatio(m_nPatternTransparency, 0, 100);
    }
}

BOOL CDlgImgEditShadow::OnInitDialog()
{
    CDlgImgTemplatePicker::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    editor_dialogs::StyleButton(m_btnPreview, IDI_BUTTON_PREVIEW);
    editor_dialogs::StyleColorButton(m_btnMargin);
    editor_dialogs::StyleColorButton(m_btnShadow);
    editor_dialogs::StyleColorButton(m_btnBorder);
    editor_dialogs::StyleCheck(m_chkFade, m_bShadowFade);
    editor_dialogs::StyleCheck(m_chkPattern, m_bUsePattern);
    m_sliderMargin.SetRange(kMinRatio, kMaxRatio);
    m_sliderMargin.SetPos(m_nMarginRatio);
    m_sliderShadow.SetRange(kMinRatio, kMaxRatio);
    m_sliderShadow.SetPos(m_nShadowRatio);
    m_sliderPattern.SetRange(0, 100);
    m_sliderPattern.SetPos(m_nPatternTransparency);
    StoreFrameRects();
    m_rcPattern = editor_dialogs::ChildRect(this, IDC_SH_PATTERN_THUMB);
    m_rcMarginSwatch = editor_dialogs::ChildRect(this, IDC_SH_MARGIN_SWATCH);
    m_rcShadowSwatch = editor_dialogs::ChildRect(this, IDC_SH_SHADOW_SWATCH);
    m_rcBorderSwatch = editor_dialogs::ChildRect(this, IDC_SH_BORDER_SWATCH);
    StyleList();
    MakePickerPreviews();
    UpdateData(FALSE);
    FillTemplateList();
    return TRUE;
}

void CDlgImgEditShadow::OnTemplateFiles(const CString* paths)
{
    m_strPatternFile = paths[0];
    owned_slot::Replace(m_pPatternImage, LoadTemplatePicture(m_strPatternFile));
    if (!m_pPatternImage)
        m_nTemplateNo = -1;
    InvalidateRect(&m_rcPattern, TRUE);
    RenderPreview();
}

void CDlgImgEditShadow::RenderPreview()
{
    CWaitCursor wait;
    owned_slot::Free(m_pPreviewNew);
    UpdateData(TRUE);
    if (m_nMarginRatio > m_nShadowRatio) {
        m_nShadowRatio = m_nMarginRatio;
        m_sliderShadow.SetPos(m_nShadowRatio);
    }
    UpdateData(FALSE);
    if (!m_pPreviewOrg)
        return;
    const int width = m_pPreviewOrg->GetWidth(), height = m_pPreviewOrg->GetHeight();
    int m = 0, s = 0;
    MarginAndShadow(width, m_nMarginRatio, m_nShadowRatio, &m, &s);
    std::unique_ptr<CImageObject> canvas(m_pPreviewOrg->MakeBlankImageObject(m_clrMargin, width + 2 * m, height + 2 * m));
    if (!canvas)
        return;
    if (m_pPatternImage && m_bUsePattern)
        canvas->FillPattern(CRect(0, 0, width + 2 * m - 1, height + 2 * m - 1), m_pPatternImage, m_nPatternTransparency);
    const CRect inner(m, m, width + m - 1, height + m - 1);
    canvas->ImageProjection(inner, m_pPreviewOrg, 100, -1);
    canvas->DrawRect(inner, m_clrBorder, 0, 0, 1, 0, 0);
    canvas->DropShadow(inner, m_clrShadow, 40, s, m_bShadowFade);
    const CSize box(max(m_rcPreviewNew.Width() - kPreviewInset, 1), max(m_rcPreviewNew.Height() - kPreviewInset, 1));
    const int r = canvas->GetThumbRatio(box, nullptr, TRUE);
    m_pPreviewNew = canvas->Resample((long)r * (width + 2 * m) / 1000, (long)r * (height + 2 * m) / 1000, 3);
    if (m_pPreviewNew) {
        m_pPreviewNew->SetParent(this);
        CentreIn(m_pPreviewNew, m_rcPreviewNew);
    }
    InvalidateRect(&m_rcPreviewNew, TRUE);
}

void CDlgImgEditShadow::OnPreview()
{
    RenderPreview();
}

void CDlgImgEditShadow::PickInto(COLORREF& colour, const CRect& swatch)
{
    if (!editor_dialogs::PickColor(this, colour))
        return;
    InvalidateRect(&swatch, TRUE);
    RenderPreview();
}

void CDlgImgEditShadow::OnPickMargin()
{
    PickInto(m_clrMargin, m_rcMarginSwatch);
}

void CDlgImgEditShadow::OnPickShadow()
{
    PickInto(m_clrShadow, m_rcShadowSwatch);
}

void CDlgImgEditShadow::OnPickBorder()
{
    PickInto(m_clrBorder, m_rcBorderSwatch);
}

void CDlgImgEditShadow::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int id = pScrollBar ? pScrollBar->GetDlgCtrlID() : 0;
    if (id == IDC_SH_MARGIN_SLIDER || id == IDC_SH_SHADOW_SLIDER || id == IDC_SH_PATTERN_SLIDER) {
        // The numbers follow; the preview waits for its button.
        if (id == IDC_SH_MARGIN_SLIDER)
            m_nMarginRatio = m_sliderMargin.GetPos();
        else if (id == IDC_SH_SHADOW_SLIDER)
            m_nShadowRatio = m_sliderShadow.GetPos();
        else
            m_nPatternTransparency = m_sliderPattern.GetPos();
        UpdateData(FALSE);
        return;
    }
    CDlgImgTemplatePicker::OnHScroll(nSBCode, nPos, pScrollBar);
}

int CDlgImgEditShadow::PatternScale() const
{
    if (!m_pPatternImage || m_pPatternImage->GetHeight() <= 0)
        return 0;
    return m_rcPattern.Height() / m_pPatternImage->GetHeight();
}

void CDlgImgEditShadow::DrawFrames(CDC* pDC)
{
    CDlgImgTemplatePicker::DrawFrames(pDC);
    DrawThirdFrame(pDC, m_rcPattern);
}

void CDlgImgEditShadow::OnPaint()
{
    CPaintDC dc(this);
    DrawPreviews(&dc);
    const int k = PatternScale();
    if (k > 0) {
        const int w = m_pPatternImage->GetWidth() * k, h = m_pPatternImage->GetHeight() * k;
        m_pPatternImage->DrawStretchDirect(&dc, 0, 0, -1, -1, m_rcPattern.left + (m_rcPattern.Width() - w) / 2,
                                           m_rcPattern.top + (m_rcPattern.Height() - h) / 2, w, h);
    }
    editor_dialogs::FillSwatch(&dc, m_rcMarginSwatch, m_clrMargin);
    editor_dialogs::FillSwatch(&dc, m_rcShadowSwatch, m_clrShadow);
    editor_dialogs::FillSwatch(&dc, m_rcBorderSwatch, m_clrBorder);
}

void CDlgImgEditShadow::OnDestroy()
{
    CDlgImgTemplatePicker::OnDestroy();
    FreePreviews();
}
