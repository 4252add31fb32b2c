#include "dialogs/DlgUserInputBox.h"

#include "dialogs/DialogButtons.h"
#include "mivo/codepage.h"
#include "res/resource.h"

#include <cstring>

namespace {
const int kInputLimit = kUserInputBufferSize - 1;
}

IMPLEMENT_DYNAMIC(CDlgUserInputBox, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgUserInputBox, CVXDialog)
END_MESSAGE_MAP()

CDlgUserInputBox::CDlgUserInputBox(CWnd* parent) : CVXDialog(IDD_USER_INPUT, parent)
{
    m_strProfileName = "UserInputBox";
}

void CDlgUserInputBox::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_USERINPUT_EDIT, m_edit);
    DDX_Text(pDX, IDC_USERINPUT_EDIT, m_strInput);
}

BOOL CDlgUserInputBox::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    SetWindowText(m_strCaption);
    m_edit.SetLimitText(kInputLimit);
    SetupDialogButton(m_btnCancel, IDI_VX_CANCEL);
    SetupDialogButton(m_btnOK, IDI_VX_OK);
    return TRUE;
}

void CDlgUserInputBox::OnOK()
{
    UpdateData(TRUE);
    CVXDialog::OnOK();
}

int GetUserInput(CString caption, char* out)
{
    CDlgUserInputBox dlg;
    dlg.m_strCaption = caption;
    if (dlg.DoModal() != IDOK || dlg.m_strInput.IsEmpty())
        return 0;
    // The field's limit does not hold text set from outside; cut here as well.
    const char* text = dlg.m_strInput;
    size_t length = mivo::CutToCharBoundary(text, strlen(text), kInputLimit);
    if (length == 0)
        return 0;
    memcpy(out, text, length);
    out[length] = '\0';
    return 1;
}
