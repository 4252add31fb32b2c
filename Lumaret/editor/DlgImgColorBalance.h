// CDlgImgColorBalance: colour balance, brightness and contrast of the
// picture (or an area of it), with a preview of the settings.
#pragma once

#include "controls/ImageButton.h"
#include "editor/DlgImgPreview.h"

class CDlgImgColorBalance : public CDlgImgPreview {
    DECLARE_DYNAMIC(CDlgImgColorBalance)
public:
    enum { kSettings = 5 };

    explicit CDlgImgColorBalance(CWnd* pParent = nullptr);
    ~CDlgImgColorBalance() override;

    BOOL OnInitDialog() override;
    // Runs the five settings on a fresh copy of the untouched preview.
    void RenderPreview();
    void ResetSettings();

    int m_nRed;
    int m_nGreen;
    int m_nBlue;
    int m_nBrightness;
    int m_nContrast;

    CSliderCtrl m_sliders[kSettings];
    CImageButton m_btnOK;
    CImageButton m_btnClose;
    CImageButton m_btnReset;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int* Setting(int index);

    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnReset();
    DECLARE_MESSAGE_MAP()
};
