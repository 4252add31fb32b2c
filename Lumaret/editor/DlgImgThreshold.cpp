#include "editor/DlgImgThreshold.h"

#include "editor/EditorDialogs.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgThreshold, CDlgImgPreview)

BEGIN_MESSAGE_MAP(CDlgImgThreshold, CDlgImgPreview)
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_ED_RESET, OnReset)
    ON_BN_CLICKED(IDC_TH_DARK_PICK, OnPickDark)
    ON_BN_CLICKED(IDC_TH_LIGHT_PICK, OnPickLight)
END_MESSAGE_MAP()

namespace {
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
}  // namespace

CDlgImgThreshold::CDlgImgThreshold(CWnd* pParent)
    : CDlgImgPreview(IDD_IMG_THRESHOLD, pParent),
      m_nInitThreshold(0),
      m_nThreshold(0),
      m_clrDark(kBlack),
      m_clrLight(kWhite),
      m_bOverPreview(FALSE),
      m_rcDarkSwatch(0, 0, 0, 0),
      m_rcLightSwatch(0, 0, 0, 0)
{
    m_strProfileName = "ImgThreshold";
}

CDlgImgThreshold::~CDlgImgThreshold() = default;

void CDlgImgThreshold::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgPreview::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_ED_RESET, m_btnReset);
    DDX_Control(pDX, IDC_TH_DARK_PICK, m_btnDark);
    DDX_Control(pDX, IDC_TH_LIGHT_PICK, m_btnLight);
    DDX_Control(pDX, IDC_TH_SLIDER, m_slider);
    DDX_Text(pDX, IDC_TH_VALUE, m_nThreshold);
}

BOOL CDlgImgThreshold::OnInitDialog()
{
    CDlgImgPreview::OnInitDialog();
    LoadProfile();
    m_nThreshold = m_nInitThreshold;
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnClose, IDI_BUTTON_CANCEL);
    m_btnReset.SetNormalBorder(TRUE);
    editor_dialogs::StyleButton(m_btnReset, IDI_BUTTON_RESET);
    editor_dialogs::StyleColorButton(m_btnDark);
    editor_dialogs::StyleColorButton(m_btnLight);
    m_slider.SetRange(0, 255);
    m_slider.SetPos(m_nThreshold);
    UpdateData(FALSE);
    StoreFrameRects();
    m_rcDarkSwatch = editor_dialogs::ChildRect(this, IDC_TH_DARK_SWATCH);
    m_rcLightSwatch = editor_dialogs::ChildRect(this, IDC_TH_LIGHT_SWATCH);
    MakePreviews(TRUE);
    RenderPreview();
    return TRUE;
}

void CDlgImgThreshold::RenderPreview()
{
    if (!RestartProcessed())
        return;
    CImageFilter(m_pPreviewNew).MonotoneThreshold(m_nThreshold, m_clrDark, m_clrLight);
    InvalidateRect(&m_rcPreviewNew, FALSE);
}

void CDlgImgThreshold::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->GetDlgCtrlID() == IDC_TH_SLIDER) {
        m_nThreshold = m_slider.GetPos();
        UpdateData(FALSE);
    }
    RenderPreview();
    CDlgImgPreview::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDlgImgThreshold::InvalidateSwatches()
{
    InvalidateRect(&m_rcLightSwatch, TRUE);
    InvalidateRect(&m_rcDarkSwatch, TRUE);
}

void CDlgImgThreshold::ResetSettings()
{
    m_nThreshold = m_nInitThreshold;
    m_slider.SetPos(m_nThreshold);
    m_clrDark = kBlack;
    m_clrLight = kWhite;
    UpdateData(FALSE);
    RenderPreview();
    InvalidateSwatches();
}

void CDlgImgThreshold::OnReset()
{
    ResetSettings();
}

void CDlgImgThreshold::ColorChanged(const CRect& swatch)
{
    InvalidateRect(&swatch, TRUE);
    RenderPreview();
}

void CDlgImgThreshold::OnPickDark()
{
    if (editor_dialogs::PickColor(this, m_clrDark))
        ColorChanged(m_rcDarkSwatch);
}

void CDlgImgThreshold::OnPickLight()
{
    if (editor_dialogs::PickColor(this, m_clrLight))
        ColorChanged(m_rcLightSwatch);
}

void CDlgImgThreshold::OnLButtonDown(UINT nFlags, CPoint point)
{
    COLORREF picked;
    if (m_rcPreviewOrg.PtInRect(point)) {
        if (PixelUnder(m_pPreviewOrg, point, &picked)) {
            m_clrDark = picked;
            ColorChanged(m_rcDarkSwatch);
        }
    } else if (m_rcLightSwatch.PtInRect(point)) {
        OnPickLight();
    } else if (m_rcDarkSwatch.PtInRect(point)) {
        OnPickDark();
    }
    CDlgImgPreview::OnLButtonDown(nFlags, point);
}

void CDlgImgThreshold::OnRButtonDown(UINT nFlags, CPoint point)
{
    COLORREF picked;
    if (m_rcPreviewOrg.PtInRect(point) && PixelUnder(m_pPreviewOrg, point, &picked)) {
        m_clrLight = picked;
        ColorChanged(m_rcLightSwatch);
    }
    CDlgImgPreview::OnRButtonDown(nFlags, point);
}

void CDlgImgThreshold::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bOverPreview = m_rcPreviewOrg.PtInRect(point) || m_rcPreviewNew.PtInRect(point);
    CDlgImgPreview::OnMouseMove(nFlags, point);
}

BOOL CDlgImgThreshold::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverPreview) {
        ::SetCursor(AfxGetApp()->LoadCursor(IDC_EDITOR_PICKER));
        return TRUE;
    }
    return CDlgImgPreview::OnSetCursor(pWnd, nHitTest, message);
}

void CDlgImgThreshold::OnPaint()
{
    CPaintDC dc(this);
    DrawPreviews(&dc);
    editor_dialogs::FillSwatch(&dc, m_rcLightSwatch, m_clrLight);
    editor_dialogs::FillSwatch(&dc, m_rcDarkSwatch, m_clrDark);
}
