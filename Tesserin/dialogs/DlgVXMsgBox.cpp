#include "dialogs/DlgVXMsgBox.h"

#include "res/resource.h"

namespace {

// Control 11008 is not a button of the box.
const UINT kButtonIds[CDlgVXMsgBox::kButtons] = {
    IDC_VXMSGBOX_BUTTON1, IDC_VXMSGBOX_BUTTON2, IDC_VXMSGBOX_BUTTON3, IDC_VXMSGBOX_BUTTON4,
    IDC_VXMSGBOX_BUTTON5, IDC_VXMSGBOX_BUTTON6, IDC_VXMSGBOX_BUTTON7,
};
const int kHoverBrighten = 50;

}  // namespace

IMPLEMENT_DYNAMIC(CDlgVXMsgBox, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgVXMsgBox, CVXDialog)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON1, OnButton1)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON2, OnButton2)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON3, OnButton3)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON4, OnButton4)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON5, OnButton5)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON6, OnButton6)
    ON_BN_CLICKED(IDC_VXMSGBOX_BUTTON7, OnButton7)
END_MESSAGE_MAP()

CDlgVXMsgBox::CDlgVXMsgBox(CWnd* pParentWnd) : CVXDialog(IDD_VXMSGBOX, pParentWnd), m_nResult(0)
{
    m_strProfileName = "VXMsgBox";
    for (int& icon : m_nIcon)
        icon = kNoIcon;
}

CDlgVXMsgBox::~CDlgVXMsgBox() {}

UINT CDlgVXMsgBox::ButtonControlId(int number)
{
    return number >= 1 && number <= kButtons ? kButtonIds[number - 1] : 0;
}

void CDlgVXMsgBox::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    for (int i = 0; i < kButtons; ++i)
        DDX_Control(pDX, kButtonIds[i], m_btnChoice[i]);
    DDX_Text(pDX, IDC_VXMSGBOX_TEXT, m_strMessage);
}

void CDlgVXMsgBox::SetUpButton(CImageButton& button, int icon, const CString& label)
{
    button.SetNormalBorder(TRUE);
    button.SetBtnCursor(IDC_TESSERIN_HAND, TRUE);
    if (icon != kNoIcon)
        button.SetIcon(icon, 0);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kHoverBrighten, TRUE);
    button.SetWindowText(label);
}

BOOL CDlgVXMsgBox::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    SetWindowText(m_strCaption);
    for (int i = 0; i < kButtons; ++i)
        SetUpButton(m_btnChoice[i], m_nIcon[i], m_strLabel[i]);
    for (int i = 0; i < kButtons; ++i) {
        if (m_strLabel[i].IsEmpty())
            m_btnChoice[i].ShowWindow(SW_HIDE);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CDlgVXMsgBox::Choose(int number)
{
    m_nResult = number;
    OnOK();
}

void CDlgVXMsgBox::OnButton1() { Choose(1); }
void CDlgVXMsgBox::OnButton2() { Choose(2); }
void CDlgVXMsgBox::OnButton3() { Choose(3); }
void CDlgVXMsgBox::OnButton4() { Choose(4); }
void CDlgVXMsgBox::OnButton5() { Choose(5); }
void CDlgVXMsgBox::OnButton6() { Choose(6); }
void CDlgVXMsgBox::OnButton7() { Choose(7); }

int VxMsgBox(CString strCaption, CString strText, CString strLabel1, int nIcon1, CString strLabel2, int nIcon2,
             CString strLabel3, int nIcon3, CString strLabel4, int nIcon4, CString strLabel5, int nIcon5,
             CString strLabel6, int nIcon6, CString strLabel7, int nIcon7)
{
    CDlgVXMsgBox dlg(nullptr);
    dlg.m_strCaption = strCaption;
    dlg.m_strMessage = strText;
    const CString labels[CDlgVXMsgBox::kButtons] = {strLabel1, strLabel2, strLabel3, strLabel4,
                                                    strLabel5, strLabel6, strLabel7};
    const int icons[CDlgVXMsgBox::kButtons] = {nIcon1, nIcon2, nIcon3, nIcon4, nIcon5, nIcon6, nIcon7};
    for (int i = 0; i < CDlgVXMsgBox::kButtons; ++i) {
        dlg.m_strLabel[i] = labels[i];
        dlg.m_nIcon[i] = icons[i];
    }
    if (dlg.DoModal() != IDOK)
        return 0;
    return dlg.m_nResult;
}
