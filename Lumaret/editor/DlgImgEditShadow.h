// CDlgImgEditShadow: sets the picture on a larger canvas with a coloured
// margin (optionally a pattern from the PatternImgs table), a one-pixel
// border and a drop shadow, previewed on a small copy.
#pragma once

#include "controls/ImageButton.h"
#include "editor/DlgImgTemplatePicker.h"

class CDlgImgEditShadow : public CDlgImgTemplatePicker {
    DECLARE_DYNAMIC(CDlgImgEditShadow)
public:
    enum { kMinRatio = 3, kMaxRatio = 50 };

    explicit CDlgImgEditShadow(CWnd* pParent = nullptr);
    ~CDlgImgEditShadow() override;

    BOOL OnInitDialog() override;
    void RenderPreview();
    // Margin m and shadow depth s of a width: s stays below m.
    static void MarginAndShadow(int width, int marginRatio, int shadowRatio, int* margin, int* shadow);
    // How many times the pattern fits the thumbnail frame's height.
    int PatternScale() const;

    CString m_strPatternFile;
    // Handed to the caller on OK, who deletes it.
    CImageObject* m_pPatternImage;
    int m_nMarginRatio;
    int m_nShadowRatio;
    int m_nPatternTransparency;
    int m_bShadowFade;
    int m_bUsePattern;
    COLORREF m_clrMargin;
    COLORREF m_clrShadow;
    COLORREF m_clrBorder;

    CSliderCtrl m_sliderMargin;
    CSliderCtrl m_sliderShadow;
    CSliderCtrl m_sliderPattern;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_btnPreview;
    CImageButton m_btnMargin;
    CImageButton m_btnShadow;
    CImageButton m_btnBorder;
    CImageButton m_chkFade;
    CImageButton m_chkPattern;

protected:
    CRect m_rcPattern;
    CRect m_rcMarginSwatch;
    CRect m_rcShadowSwatch;
    CRect m_rcBorderSwatch;

    const TableInfo& Table() const override;
    void OnTemplateFiles(const CString* paths) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void DrawFrames(CDC* pDC) override;
    void PickInto(COLORREF& colour, const CRect& swatch);

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnPreview();
    afx_msg void OnPickMargin();
    afx_msg void OnPickShadow();
    afx_msg void OnPickBorder();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
