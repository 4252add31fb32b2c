// CDlgImgPrintTmpl: the printing dialog's form-choice panel: the print forms of the
// template database; a click loads one and shows its first page.
#pragma once

#include "mfc.h"

#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

class CDlgImgPrint;

class CDlgImgPrintTmpl : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgPrintTmpl)
public:
    explicit CDlgImgPrintTmpl(CWnd* parent = nullptr);
    ~CDlgImgPrintTmpl() override;

    BOOL OnInitDialog() override;
    // One row per PrFormMaster row, in the order the database returns them.
    void LoadForms();

    CDlgImgPrint* m_pPrintDlg;
    CVXGridCtrl m_gridForms;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnGridNotify(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
