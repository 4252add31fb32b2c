#include "editor/DlgImgResize.h"

#include "editor/EditorDialogs.h"
#include "resource.h"

#include <climits>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDlgImgResize, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgResize, CVXDialog)
    ON_EN_CHANGE(IDC_RS_NEW_WIDTH, OnChangeNewWidth)
    ON_EN_CHANGE(IDC_RS_NEW_HEIGHT, OnChangeNewHeight)
    ON_EN_CHANGE(IDC_RS_WIDTH_PERCENT, OnChangeWidthPercent)
    ON_EN_CHANGE(IDC_RS_HEIGHT_PERCENT, OnChangeHeightPercent)
    ON_WM_VSCROLL()
    ON_BN_CLICKED(IDC_RS_BILINEAR, OnBilinear)
    ON_BN_CLICKED(IDC_RS_BICUBIC, OnBicubic)
END_MESSAGE_MAP()

CDlgImgResize::CDlgImgResize(CWnd* pParent)
    : CVXDialog(IDD_IMG_RESIZE, pParent),
      m_nOrgWidth(0),
      m_nOrgHeight(0),
      m_bKeepRatio(1),
      m_nNewWidth(0),
      m_nNewHeight(0),
      m_nWidthPercent(0),
      m_nHeightPercent(0),
      m_bBilinear(1),
      m_bBicubic(0)
{
    m_strProfileName = "ImgResize";
    m_nIconID = 128;
}

CDlgImgResize::~CDlgImgResize() = default;

int CDlgImgResize::Scaled(int a, int b, int c)
{
    if (c == 0)
        return 0;
    long long v = (long long)a * b / c;
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v;
}

void CDlgImgResize::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_RS_KEEP_RATIO, m_chkKeepRatio);
    DDX_Control(pDX, IDC_RS_BILINEAR, m_chkBilinear);
    DDX_Control(pDX, IDC_RS_BICUBIC, m_chkBicubic);
    DDX_Text(pDX, IDC_RS_ORG_WIDTH, m_nOrgWidth);
    DDX_Text(pDX, IDC_RS_ORG_HEIGHT, m_nOrgHeight);
    DDX_Check(pDX, IDC_RS_KEEP_RATIO, m_bKeepRatio);
    DDX_Text(pDX, IDC_RS_NEW_WIDTH, m_nNewWidth);
    DDX_Text(pDX, IDC_RS_NEW_HEIGHT, m_nNewHeight);
    DDX_Text(pDX, IDC_RS_WIDTH_PERCENT, m_nWidthPercent);
    DDX_Text(pDX, IDC_RS_HEIGHT_PERCENT, m_nHeightPercent);
    DDX_Check(pDX, IDC_RS_BILINEAR, m_bBilinear);
    DDX_Check(pDX, IDC_RS_BICUBIC, m_bBicubic);
}

BOOL CDlgImgResize::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    editor_dialogs::StyleCheck(m_chkKeepRatio, m_bKeepRatio);
    editor_dialogs::StyleCheck(m_chkBilinear, m_bBilinear);
    editor_dialogs::StyleCheck(m_chkBicubic, m_bBicubic);
    UpdateData(FALSE);
    return TRUE;
}

long CDlgImgResize::TypedValue(int id)
{
    CString text;
    GetDlgItemText(id, text);
    return std::atol(text);
}

void CDlgImgResize::ReadKeepRatio()
{
    m_bKeepRatio = m_chkKeepRatio.GetCheck();
}

// Each handler writes every box back; a box whose text changes reports
// again, and the round ends once the texts stop changing.
void CDlgImgResize::OnChangeNewWidth()
{
    ReadKeepRatio();
    const int n = (int)TypedValue(IDC_RS_NEW_WIDTH);
    m_nNewWidth = n;
    m_nWidthPercent = Scaled(n, 100, m_nOrgWidth);
    if (m_bKeepRatio) {
        m_nNewHeight = Scaled(m_nOrgHeight, n, m_nOrgWidth);
        m_nHeightPercent = Scaled(m_nNewHeight, 100, m_nOrgHeight);
    }
    UpdateData(FALSE);
}

void CDlgImgResize::OnChangeNewHeight()
{
    ReadKeepRatio();
    const int n = (int)TypedValue(IDC_RS_NEW_HEIGHT);
    m_nNewHeight = n;
    m_nHeightPercent = Scaled(n, 100, m_nOrgHeight);
    if (m_bKeepRatio) {
        m_nNewWidth = Scaled(m_nOrgWidth, n, m_nOrgHeight);
        m_nWidthPercent = Scaled(m_nNewWidth, 100, m_nOrgWidth);
    }
    UpdateData(FALSE);
}

void CDlgImgResize::OnChangeWidthPercent()
{
    ReadKeepRatio();
    const int p = (int)TypedValue(IDC_RS_WIDTH_PERCENT);
    m_nWidthPercent = p;
    m_nNewWidth = Scaled(m_nOrgWidth, p, 100);
    if (m_bKeepRatio) {
        m_nHeightPercent = p;
        m_nNewHeight = Scaled(m_nOrgHeight, p, 100);
    }
    UpdateData(FALSE);
}

void CDlgImgResize::OnChangeHeightPercent()
{
    ReadKeepRatio();
    const int p = (int)TypedValue(IDC_RS_HEIGHT_PERCENT);
    m_nHeightPercent = p;
    m_nNewHeight = Scaled(m_nOrgHeight, p, 100);
    if (m_bKeepRatio) {
        m_nWidthPercent = p;
        m_nNewWidth = Scaled(m_nOrgWidth, p, 100);
    }
    UpdateData(FALSE);
}

void CDlgImgResize::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int id = pScrollBar ? pScrollBar->GetDlgCtrlID() : 0;
    if (id == IDC_RS_WIDTH_SPIN || id == IDC_RS_HEIGHT_SPIN) {
        UpdateData(TRUE);
        int& percent = id == IDC_RS_WIDTH_SPIN ? m_nWidthPercent : m_nHeightPercent;
        if (nSBCode == SB_LINEUP)
            ++percent;
        else if (nSBCode == SB_LINEDOWN)
            --percent;
        UpdateData(FALSE);
        if (id == IDC_RS_WIDTH_SPIN)
            OnChangeWidthPercent();
        else
            OnChangeHeightPercent();
    }
    CVXDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CDlgImgResize::OnBilinear()
{
    UpdateData(TRUE);
    m_bBicubic = !m_bBilinear;
    UpdateData(FALSE);
}

void CDlgImgResize::OnBicubic()
{
    UpdateData(TRUE);
    m_bBilinear = !m_bBicubic;
    UpdateData(FALSE);
}
