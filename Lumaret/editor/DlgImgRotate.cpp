#include "editor/DlgImgRotate.h"

#include "editor/EditorDialogs.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CDlgImgRotate, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgRotate, CVXDialog)
    ON_BN_CLICKED(IDC_RT_CLOCKWISE, OnClockwise)
    ON_BN_CLICKED(IDC_RT_COUNTER, OnCounterClockwise)
END_MESSAGE_MAP()

CDlgImgRotate::CDlgImgRotate(CWnd* pParent) : CVXDialog(IDD_IMG_ROTATE, pParent), m_fAngle(0.0f), m_bClockwise(1)
{
    m_strProfileName = "ImgRotate";
    m_nIconID = 128;
}

CDlgImgRotate::~CDlgImgRotate() = default;

void CDlgImgRotate::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_RT_ANGLE, m_editAngle);
    DDX_Text(pDX, IDC_RT_ANGLE, m_fAngle);
}

BOOL CDlgImgRotate::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    editor_dialogs::StyleButton(m_btnOK, IDI_BUTTON_OK);
    editor_dialogs::StyleButton(m_btnCancel, IDI_BUTTON_CANCEL);
    CheckRadioButton(IDC_RT_CLOCKWISE, IDC_RT_COUNTER, IDC_RT_CLOCKWISE);
    m_editAngle.m_bNumeric = TRUE;
    m_editAngle.EnableCommas(FALSE);
    m_editAngle.SetDecimals(1);
    UpdateData(FALSE);
    return TRUE;
}

void CDlgImgRotate::OnClockwise()
{
    m_bClockwise = 1;
}

void CDlgImgRotate::OnCounterClockwise()
{
    m_bClockwise = 0;
}

void CDlgImgRotate::OnOK()
{
    UpdateData(TRUE);
    CVXDialog::OnOK();
}
