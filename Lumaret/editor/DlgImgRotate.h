// CDlgImgRotate: the angle (one decimal) and direction of a free rotation.
#pragma once

#include "controls/ImageButton.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"

class CDlgImgRotate : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgRotate)
public:
    explicit CDlgImgRotate(CWnd* pParent = nullptr);
    ~CDlgImgRotate() override;

    BOOL OnInitDialog() override;

    float m_fAngle;
    int m_bClockwise;

    CVXEdit m_editAngle;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    afx_msg void OnClockwise();
    afx_msg void OnCounterClockwise();
    DECLARE_MESSAGE_MAP()
};
