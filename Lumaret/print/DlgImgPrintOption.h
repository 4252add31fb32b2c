// CDlgImgPrintOption: the printing dialog's options panel: stretch, crop (never both),
// decoration and real preview, read by the page composition and the print job.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class CDlgImgPrint;

class CDlgImgPrintOption : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgPrintOption)
public:
    explicit CDlgImgPrintOption(CWnd* parent = nullptr);
    ~CDlgImgPrintOption() override;

    BOOL OnInitDialog() override;

    CDlgImgPrint* m_pPrintDlg;
    CImageButton m_btnStretch;
    CImageButton m_btnCrop;
    CImageButton m_btnDecoration;
    CImageButton m_btnRealPreview;
    int m_bStretch;
    int m_bCrop;
    int m_bDecoration;
    int m_bRealPreview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnStretch();
    afx_msg void OnCrop();
    afx_msg void OnDecoration();
    afx_msg void OnRealPreview();
    DECLARE_MESSAGE_MAP()

private:
    void Rebuild();
};
