#include "editor/DlgImgTextImprint.h"

#include "editor/EditorDialogs.h"
#include "editor/EditorShell.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CDlgImgTextImprint, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgTextImprint, CVXDialog)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_CBN_SELCHANGE(IDC_TX_FACE, OnFaceChange)
    ON_EN_CHANGE(IDC_TX_SIZE, OnSizeChange)
    ON_EN_CHANGE(IDC_TX_TEXT, OnTextChange)
    ON_BN_CLICKED(IDC_TX_BOLD, OnBold)
    ON_BN_CLICKED(IDC_TX_ITALIC, OnStyle)
    ON_BN_CLICKED(IDC_TX_UNDERLINE, OnStyle)
    ON_BN_CLICKED(IDC_TX_STRIKEOUT, OnStyle)
    ON_BN_CLICKED(IDC_TX_TRANSPARENT, OnTransparent)
    ON_BN_CLICKED(IDC_TX_TEXT_PICK, OnTextColor)
    ON_BN_CLICKED(IDC_TX_BACK_PICK, OnBackColor)
END_MESSAGE_MAP()

namespace {
const char kDefaultFace[] = "굴림";
const int kDefaultHeight = 80;
const int kFaceBytes = 31;
}  // namespace

CDlgImgTextImprint::CDlgImgTextImprint(CWnd* pParent)
    : CVXDialog(IDD_IMG_TEXT_IMPRINT, pParent),
      m_lf(),
      m_clrText(RGB(255, 255, 255)),
      m_clrBack(RGB(0, 0, 0)),
      m_bBold(0),
      m_bItalic(0),
      m_bUnderline(0),
      m_bStrikeOut(0),
      m_bTransparentBk(1),
      m_rcSample(0, 0, 0, 0),
      m_rcTextSwatch(0, 0, 0, 0),
      m_rcBackSwatch(0, 0, 0, 0),
      m_nTextColor(0),
      m_nBackColor(0)
{
    m_strProfileName = "ImgTextImprint";
    m_nIconID = 128;
    m_lf.lfHeight = kDefaultHeight;
    m_lf.lfWeight = FW_NORMAL;
    m_lf.lfCharSet = DEFAULT_CHARSET;
    m_lf.lfPitchAndFamily = 0x31;
    CopyFaceName(m_lf.lfFaceName, kDefaultFace);
}

CDlgImgTextImprint::~CDlgImgTextImprint() = default;

void CDlgImgTextImprint::CopyFaceName(char* target, const char* face)
{
    int n = 0;
    while (face[n] && n < kFaceBytes) {
        const bool lead = ::IsDBCSLeadByte((BYTE)face[n]) && face[n + 1];
        if (lead && n + 2 > kFaceBytes)
            break;
        n += lead ? 2 : 1;
    }
    std::memcpy(target, face, (size_t)n);
    target[n] = '\0';
}

void CDlgImgTextImprint::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_TX_TEXT_PICK, m_btnTextColor);
    DDX_Control(pDX, IDC_TX_BACK_PICK, m_btnBackColor);
    DDX_Control(pDX, IDC_TX_TRANSPARENT, m_chkTransparent);
    DDX_Control(pDX, IDC_TX_BOLD, m_chkBold);
    DDX_Control(pDX, IDC_TX_ITALIC, m_chkItalic);
    DDX_Control(pDX, IDC_TX_UNDERLINE, m_chkUnderline);
    DDX_Control(pDX, IDC_TX_STRIKEOUT, m_chkStrikeOut);
    DDX_Control(pDX, IDC_TX_FACE, m_comboFace);
    DDX_Control(pDX, IDC_TX_TEXT, m_editText);
    DDX_Control(pDX, IDC_TX_SIZE, m_editSize);
    DDX_CBString(pDX, IDC_TX_FACE, m_strFontName);
    // An empty size box keeps the height it had.
    CString size;
    if (pDX->m_bSaveAndValidate)
        GetDlgItemText(IDC_TX_SIZE, size);
    if (!pDX->m_bSaveAndValidate || !size.IsEmpty())
        DDX_Text(pDX, IDC_TX_SIZE, m_lf.lfHeight);
    DDX_Text(pDX, IDC_TX_TEXT, m_strText);
    DDX_Check(pDX, IDC_TX_TRANSPARENT, m_bTransparentBk);
    DDX_Check(pDX, IDC_TX_BOLD, m_bBold);
    DDX_Check(pDX, IDC_TX_ITALIC, m_bItalic);
    DDX_Check(pDX, IDC_TX_UNDERLINE, m_bUnderline);
    DDX_Check(pDX, IDC_TX_STRIKEOUT, m_bStrikeOut);
}

int CALLBACK CDlgImgTextImprint::AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM param)
{
    reinterpret_cast<CComboBox*>(param)->AddString(lf->lfFaceName);
    return 1;
}

BOOL CDlgImgTextImprint::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    editor_dialogs::StyleColorButton(m_btnTextColor);
    editor_dialogs::StyleColorButton(m_btnBackColor);
    editor_dialogs::StyleCheck(m_chkTransparent, m_bTransparentBk);
    editor_dialogs::StyleCheck(m_chkBold, m_bBold);
    editor_dialogs::StyleCheck(m_chkItalic, m_bItalic);
    editor_dialogs::StyleCheck(m_chkUnderline, m_bUnderline);
    editor_dialogs::StyleCheck(m_chkStrikeOut, m_bStrikeOut);
    {
        CClientDC dc(this);
        ::EnumFontFamilies(dc.GetSafeHdc(), nullptr, &CDlgImgTextImprint::AddFace, (LPARAM)&m_comboFace);
    }
    AddStringProfile("ImprintFontName", &m_strFontName);
    AddNumberProfile("ImprintFontSize", &m_lf.lfHeight);
    AddNumberProfile("ImprintTextColor", &m_nTextColor);
    AddNumberProfile("ImprintBkColor", &m_nBackColor);
    LoadProfile();
    m_clrText = (COLORREF)m_nTextColor;
    m_clrBack = (COLORREF)m_nBackColor;
    if (m_strFontName.IsEmpty())
        m_strFontName = kDefaultFace;
    if (m_lf.lfHeight == 0)
        m_lf.lfHeight = kDefaultHeight;
    if (m_clrBack == 0)
        m_clrBack = RGB(255, 255, 255);
    CopyFaceName(m_lf.lfFaceName, m_strFontName);
    UpdateData(FALSE);
    m_rcSample = editor_dialogs::ChildRect(this, IDC_TX_SAMPLE);
    m_rcTextSwatch = editor_dialogs::ChildRect(this, IDC_TX_TEXT_SWATCH);
    m_rcBackSwatch = editor_dialogs::ChildRect(this, IDC_TX_BACK_SWATCH);
    return TRUE;
}

void CDlgImgTextImprint::OnDestroy()
{
    // The store keeps the colours as numbers.
    m_nTextColor = (int)m_clrText;
    m_nBackColor = (int)m_clrBack;
    CVXDialog::OnDestroy();
}

void CDlgImgTextImprint::InvalidateSample()
{
    InvalidateRect(&m_rcSample, FALSE);
}

void CDlgImgTextImprint::OnFaceChange()
{
    const int index = m_comboFace.GetCurSel();
    if (index >= 0) {
        CString face;
        m_comboFace.GetLBText(index, face);
        CopyFaceName(m_lf.lfFaceName, face);
        m_strFontName = face;
    }
    InvalidateSample();
}

void CDlgImgTextImprint::OnSizeChange()
{
    CString text;
    GetDlgItemText(IDC_TX_SIZE, text);
    if (!text.IsEmpty())
        m_lf.lfHeight = (LONG)std::atol(text);
    InvalidateSample();
}

void CDlgImgTextImprint::OnTextChange()
{
    GetDlgItemText(IDC_TX_TEXT, m_strText);
    InvalidateSample();
}

void CDlgImgTextImprint::OnBold()
{
    UpdateData(TRUE);
    m_lf.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
    InvalidateSample();
}

void CDlgImgTextImprint::OnStyle()
{
    UpdateData(TRUE);
    m_lf.lfItalic = m_bItalic ? 1 : 0;
    m_lf.lfUnderline = m_bUnderline ? 1 : 0;
    m_lf.lfStrikeOut = m_bStrikeOut ? 1 : 0;
    InvalidateSample();
}

void CDlgImgTextImprint::OnTransparent()
{
    InvalidateRect(&m_rcSample, TRUE);
}

void CDlgImgTextImprint::OnTextColor()
{
    if (!editor_dialogs::PickColor(this, m_clrText))
        return;
    InvalidateRect(&m_rcTextSwatch, TRUE);
    InvalidateSample();
}

void CDlgImgTextImprint::OnBackColor()
{
    if (!editor_dialogs::PickColor(this, m_clrBack))
        return;
    InvalidateRect(&m_rcBackSwatch, TRUE);
    InvalidateSample();
}

void CDlgImgTextImprint::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || editor_shell::IsClosing() || m_rcSample.IsRectEmpty())
        return;
    CWnd* sample = GetDlgItem(IDC_TX_SAMPLE);
    if (!sample)
        return;
    const int left = m_rcSample.left, top = m_rcSample.top;
    m_rcSample.SetRect(left, top, left + max(cx - 2 * left, 0), top + max(cy - top - left, 0));
    sample->MoveWindow(m_rcSample, FALSE);
    Invalidate();
}

void CDlgImgTextImprint::ApplyStyles()
{
    CopyFaceName(m_lf.lfFaceName, m_strFontName);
    if (m_bBold)
        m_lf.lfWeight = FW_BOLD;
    if (m_bItalic)
        m_lf.lfItalic = 1;
    if (m_bUnderline)
        m_lf.lfUnderline = 1;
    if (m_bStrikeOut)
        m_lf.lfStrikeOut = 1;
}

void CDlgImgTextImprint::OnOK()
{
    UpdateData(TRUE);
    ApplyStyles();
    CVXDialog::OnOK();
}

void CDlgImgTextImprint::OnPaint()
{
    CPaintDC dc(this);
    UpdateData(TRUE);
    editor_dialogs::FillSwatch(&dc, m_rcTextSwatch, m_clrText);
    editor_dialogs::FillSwatch(&dc, m_rcBackSwatch, m_clrBack);
    dc.FillSolidRect(m_rcSample, m_bTransparentBk ? ::GetSysColor(COLOR_BTNFACE) : m_clrBack);
    dc.SetTextColor(m_clrText);
    dc.SetBkMode(TRANSPARENT);
    CopyFaceName(m_lf.lfFaceName, m_strFontName);
    CFont font;
    if (!font.CreateFontIndirect(&m_lf))
        return;
    CFont* old = dc.SelectObject(&font);
    CRect area = m_rcSample;
    area.left += 2;
    area.top += 2;
    dc.DrawText(m_strText, &area, 0);
    dc.SelectObject(old);
}
