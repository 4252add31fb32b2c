// CDlgSiteSelect: the chooser's main dialog: a tab, the site grid, the close
// button and the maker's notice. Before it is first shown it reads the notice
// and the site list and refreshes the cached pictures and program.
#pragma once

#include "dialogs/VXDialog.h"
#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "res/resource.h"

class CSiteListView;

// The 16-pixel image of an icon resource, for buttons.
HICON LoadSmallIcon(UINT id);

class CDlgSiteSelect : public CVXDialog {
public:
    explicit CDlgSiteSelect(CWnd* pParent = nullptr);
    ~CDlgSiteSelect() override;

    enum { IDD = IDD_SITE_SELECT };

    void LoadSiteList();

    CCheckButton m_btnTab;
    CImageButton m_btnClose;
    CString m_strNotice;
    CSiteListView* m_pSiteView;
    CString m_strServer;   // the web database, from the command line
    CString m_strDataDir;  // the data folder, ending in a backslash

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void CreateSiteView();

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTabClicked();
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon;
};
