#include "DlgSiteInfo.h"

#include "DlgSiteSelect.h"

IMPLEMENT_DYNAMIC(CDlgSiteInfo, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgSiteInfo, CVXDialog)
END_MESSAGE_MAP()

CDlgSiteInfo::CDlgSiteInfo(CWnd* pParent) : CVXDialog(IDD, pParent)
{
    m_strProfileName = "SiteInfo";
    m_nIconID = IDR_MAINFRAME;
}

CDlgSiteInfo::~CDlgSiteInfo() {}

void CDlgSiteInfo::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Text(pDX, IDC_SITE_PHONE, m_strPhone);
    DDX_Text(pDX, IDC_SITE_FAX, m_strFax);
    DDX_Text(pDX, IDC_SITE_HOMEPAGE, m_strHomePage);
}

BOOL CDlgSiteInfo::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_btnClose.SetIcon(LoadSmallIcon(IDI_SITE_CLOSE));
    m_btnClose.SetBtnCursor(IDC_SITE_HAND, TRUE);
    LoadProfile();
    return TRUE;
}
