#include "print/DlgImgPrintOption.h"

#include "print/DlgImgPrint.h"
#include "resource.h"

namespace {

const UINT kHandCursor = 128;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgPrintOption, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgPrintOption, CVXDialog)
    ON_BN_CLICKED(IDC_PRINT_OPT_STRETCH, OnStretch)
    ON_BN_CLICKED(IDC_PRINT_OPT_CROP, OnCrop)
    ON_BN_CLICKED(IDC_PRINT_OPT_DECORATION, OnDecoration)
    ON_BN_CLICKED(IDC_PRINT_OPT_REALPREVIEW, OnRealPreview)
END_MESSAGE_MAP()

CDlgImgPrintOption::CDlgImgPrintOption(CWnd* parent)
    : CVXDialog(IDD_IMG_PRINT_OPTION, parent),
      m_pPrintDlg(nullptr),
      m_bStretch(0),
      m_bCrop(1),
      m_bDecoration(1),
      m_bRealPreview(1)
{
}

CDlgImgPrintOption::~CDlgImgPrintOption() = default;

void CDlgImgPrintOption::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRINT_OPT_STRETCH, m_btnStretch);
    DDX_Control(pDX, IDC_PRINT_OPT_CROP, m_btnCrop);
    DDX_Control(pDX, IDC_PRINT_OPT_DECORATION, m_btnDecoration);
    DDX_Control(pDX, IDC_PRINT_OPT_REALPREVIEW, m_btnRealPreview);
    DDX_Check(pDX, IDC_PRINT_OPT_STRETCH, m_bStretch);
    DDX_Check(pDX, IDC_PRINT_OPT_CROP, m_bCrop);
    DDX_Check(pDX, IDC_PRINT_OPT_DECORATION, m_bDecoration);
    DDX_Check(pDX, IDC_PRINT_OPT_REALPREVIEW, m_bRealPreview);
}

BOOL CDlgImgPrintOption::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    struct {
        CImageButton* button;
        int value;
    } buttons[] = {{&m_btnStretch, m_bStretch}, {&m_btnCrop, m_bCrop}, {&m_btnDecoration, m_bDecoration},
                   {&m_btnRealPreview, m_bRealPreview}};
    for (auto& b : buttons) {
        // The first icon shows while the button is checked, the second while it is not.
        b.button->SetIcon(IDI_PRINT_CHECK_ON, IDI_PRINT_CHECK_OFF);
        b.button->SetBtnCursor(kHandCursor, TRUE);
        b.button->DrawBorder(FALSE, TRUE);
        b.button->SetCheck(b.value, TRUE);
    }
    return TRUE;
}

void CDlgImgPrintOption::Rebuild()
{
    if (m_pPrintDlg)
        m_pPrintDlg->RebuildCurrentPage();
}

void CDlgImgPrintOption::OnStretch()
{
    UpdateData(TRUE);
    if (m_bStretch && m_bCrop)
        m_bCrop = 0;
    UpdateData(FALSE);
    Rebuild();
}

void CDlgImgPrintOption::OnCrop()
{
    UpdateData(TRUE);
    if (m_bCrop && m_bStretch)
        m_bStretch = 0;
    UpdateData(FALSE);
    Rebuild();
}

void CDlgImgPrintOption::OnRealPreview()
{
    UpdateData(TRUE);
    Rebuild();
}

void CDlgImgPrintOption::OnDecoration()
{
    // Read only: no item kind is drawn for decorations.
    UpdateData(TRUE);
}
