#include "AboutDlg.h"

#include "DlgSetEnv.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CVXDialog)
    ON_BN_CLICKED(IDC_ABOUT_JOIN, OnJoinCommunity)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CVXDialog(IDD_ABOUTBOX, nullptr)
{
    m_strProfileName = "AboutBox";
    m_nIconID = IDR_MAINFRAME;
}

BOOL CAboutDlg::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    LoadProfile();
    CString host;
    host.LoadString(IDS_WDBC_HOST);
    SetDlgItemText(IDC_ABOUT_HOMEPAGE, host);
    return TRUE;
}

// The membership is kept in the settings dialog.
void CAboutDlg::OnJoinCommunity()
{
    CDlgSetEnv settings(this);
    settings.DoModal();
}
