#include "DlgAdvertising.h"

#include "resource.h"

CDlgAdvertising::CDlgAdvertising(CWnd* pParent)
    : CVXDialog(IDD_ADVERTISING, pParent), m_pWebView(nullptr), m_bSoundsSilenced(0)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
    m_strAdURL.LoadString(IDS_AD_URL);
    m_strAdHost.LoadString(IDS_AD_HOST);
}

BOOL CDlgAdvertising::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    return TRUE;
}
