// CAboutDlg: "Mivo 정보", the logo, the version line and the home-page host.
#pragma once

#include "dialogs/VXDialog.h"

class CAboutDlg : public CVXDialog {
public:
    CAboutDlg();

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnJoinCommunity();
    DECLARE_MESSAGE_MAP()
};
