// CDlgAdvertising: the band beside the toolbar. It shows the program logo;
// the advertising page is not shown in this build.
#pragma once

#include "dialogs/VXDialog.h"

class CHtmlView;

class CDlgAdvertising : public CVXDialog {
public:
    explicit CDlgAdvertising(CWnd* pParent);

    BOOL OnInitDialog() override;

    CHtmlView* m_pWebView;  // null: the logo is shown
    CString m_strAdURL;
    CString m_strAdHost;
    int m_bSoundsSilenced;

protected:
    // A child band: Enter and Escape must not end it.
    void OnOK() override {}
    void OnCancel() override {}
};
