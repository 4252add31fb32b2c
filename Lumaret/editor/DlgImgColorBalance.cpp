#include "editor/DlgImgColorBalance.h"

#include "editor/EditorDialogs.h"
#include "image/ImageFilter.h"
#include "image/ImageObject.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgColorBalance, CDlgImgPreview)

BEGIN_MESSAGE_MAP(CDlgImgColorBalance, CDlgImgPreview)
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_ED_RESET, OnReset)
END_MESSAGE_MAP()

namespace {
const int kSliderIds[CDlgImgColorBalance::kSettings] = {IDC_CB_RED_SLIDER, IDC_CB_GREEN_SLIDER, IDC_CB_BLUE_SLIDER,
                                                        IDC_CB_BRIGHT_SLIDER, IDC_CB_CONTRAST_SLIDER};
const int kBoxIds[CDlgImgColorBalance::kSettings] = {IDC_CB_RED, IDC_CB_GREEN, IDC_CB_BLUE, IDC_CB_BRIGHT,
                                                     IDC_CB_CONTRAST};
}  // namespace

CDlgImgColorBalance::CDlgImgColorBalance(CWnd* pParent)
    : CDlgImgPreview(IDD_IMG_COLOR_BALANCE, pParent),
      m_nRed(0),
      m_nGreen(0),
      m_nBlue(0),
      m_nBrightness(0),
      m_nContrast(0)
{
    m_strProfileName = "ImgColorBalance";
}

CDlgImgColorBalance::~CDlgImgColorBalance() = default;

int* CDlgImgColorBalance::Setting(int index)
{
    int* settings[kSettings] = {&m_nRed, &m_nGreen, &m_nBlue, &m_nBrightness, &m_nContrast};
    return index >= 0 && index < kSettings ? settings[index] : nullptr;
}

void CDlgImgColorBalance::DoDataExchange(CDataExchange* pDX)
{
    CDlgImgPreview::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Control(pDX, IDC_ED_RESET, m_btnReset);
    for (int i = 0; i < kSettings; ++i) {
        DDX_Control(pDX, kSliderIds[i], m_sliders[i]);
        DDX_Text(pDX, kBoxIds[i], *Setting(i));
    }
}

BOOL CDlgImgColorBalance::OnInitDialog()
{
    CDlgImgPreview::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnClose, IDI_BUTTON_CANCEL);
    editor_dialogs::StyleButton(m_btnReset, IDI_BUTTON_RESET);
    for (int i = 0; i < kSettings; ++i) {
        m_sliders[i].SetRange(-100, 100);
        m_sliders[i].SetPos(*Setting(i));
    }
    UpdateData(FALSE);
    StoreFrameRects();
    MakePreviews(TRUE);
    Invalidate();
    return TRUE;
}

void CDlgImgColorBalance::RenderPreview()
{
    if (!RestartProcessed())
        return;
    CWaitCursor wait;
    const CRect whole(0, 0, m_pPreviewNew->GetWidth() - 1, m_pPreviewNew->GetHeight() - 1);
    if (m_nRed || m_nGreen || m_nBlue)
        CImageFilter(m_pPreviewNew).ChangeRGBBalance(m_nRed, m_nGreen, m_nBlue, whole);
    if (m_nBrightness)
        CImageFilter(m_pPreviewNew).ChangeBrightness(m_nBrightness, whole);
    if (m_nContrast)
        CImageFilter(m_pPreviewNew).ChangeContrast(m_nContrast, whole);
    InvalidateRect(&m_rcPreviewNew, FALSE);
}

void CDlgImgColorBalance::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (nSBCode != SB_ENDSCROLL && pScrollBar) {
        const BOOL buttonDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        const int id = pScrollBar->GetDlgCtrlID();
        for (int i = 0; i < kSettings; ++i)
            if (kSliderIds[i] == id)
                *Setting(i) = m_sliders[i].GetPos();
        UpdateData(FALSE);
        // While a thumb is dragged only the numbers follow it.
        if (!(nSBCode == SB_THUMBTRACK && buttonDown))
            RenderPreview();
    }
    CDlgImgPreview::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CDlgImgColorBalance::ResetSettings()
{
    for (int i = 0; i < kSettings; ++i) {
        *Setting(i) = 0;
        m_sliders[i].SetPos(0);
    }
    UpdateData(FALSE);
    RestartProcessed();
    InvalidateRect(&m_rcPreviewNew, FALSE);
}

void CDlgImgColorBalance::OnReset()
{
    ResetSettings();
}

void CDlgImgColorBalance::OnPaint()
{
    CPaintDC dc(this);
    DrawPreviews(&dc);
}
