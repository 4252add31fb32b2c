#include "AboutDlg.h"

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
    // The membership lives in the settings dialog, which this build does not have yet.
    if (CWnd* join = GetDlgItem(IDC_ABOUT_JOIN))
        join->EnableWindow(FALSE);
    return TRUE;
}

void CAboutDlg::OnJoinCommunity()
{
}
