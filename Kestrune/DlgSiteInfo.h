// CDlgSiteInfo: a site's telephone, fax and home page.
#pragma once

#include "dialogs/VXDialog.h"
#include "controls/ImageButton.h"
#include "res/resource.h"

class CDlgSiteInfo : public CVXDialog {
    DECLARE_DYNAMIC(CDlgSiteInfo)
public:
    explicit CDlgSiteInfo(CWnd* pParent = nullptr);
    ~CDlgSiteInfo() override;

    enum { IDD = IDD_SITE_INFO };

    CString m_strPhone;
    CString m_strFax;
    CString m_strHomePage;
    CImageButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
