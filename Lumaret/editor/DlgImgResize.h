// CDlgImgResize: the new size of the picture in pixels or per cent, with
// the ratio kept or not, and the resampling method. Every box recomputes
// the others as it changes.
#pragma once

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class CDlgImgResize : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgResize)
public:
    explicit CDlgImgResize(CWnd* pParent = nullptr);
    ~CDlgImgResize() override;

    BOOL OnInitDialog() override;

    // a x b / c in 64 bits, truncated toward zero and held within int;
    // 0 when c is 0.
    static int Scaled(int a, int b, int c);

    int m_nOrgWidth;
    int m_nOrgHeight;
    int m_bKeepRatio;
    int m_nNewWidth;
    int m_nNewHeight;
    int m_nWidthPercent;
    int m_nHeightPercent;
    int m_bBilinear;
    int m_bBicubic;

    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_chkKeepRatio;
    CImageButton m_chkBilinear;
    CImageButton m_chkBicubic;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The typed number of a box, as atol reads it.
    long TypedValue(int id);
    void ReadKeepRatio();

    afx_msg void OnChangeNewWidth();
    afx_msg void OnChangeNewHeight();
    afx_msg void OnChangeWidthPercent();
    afx_msg void OnChangeHeightPercent();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnBilinear();
    afx_msg void OnBicubic();
    DECLARE_MESSAGE_MAP()
};
