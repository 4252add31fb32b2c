// CDlgImgThreshold: turns the picture into two colours around a grey
// threshold, with a preview; the colours can be picked from the untouched
// preview (left button dark, right button light) or from the colour dialog.
#pragma once

#include "controls/ImageButton.h"
#include "editor/DlgImgPreview.h"

class CDlgImgThreshold : public CDlgImgPreview {
    DECLARE_DYNAMIC(CDlgImgThreshold)
public:
    explicit CDlgImgThreshold(CWnd* pParent = nullptr);
    ~CDlgImgThreshold() override;

    BOOL OnInitDialog() override;
    void RenderPreview();
    void ResetSettings();

    int m_nInitThreshold;
    int m_nThreshold;
    COLORREF m_clrDark;
    COLORREF m_clrLight;
    BOOL m_bOverPreview;

    CSliderCtrl m_slider;
    CImageButton m_btnOK;
    CImageButton m_btnClose;
    CImageButton m_btnReset;
    CImageButton m_btnDark;
    CImageButton m_btnLight;

protected:
    CRect m_rcDarkSwatch;
    CRect m_rcLightSwatch;

    void DoDataExchange(CDataExchange* pDX) override;
    void ColorChanged(const CRect& swatch);
    void InvalidateSwatches();

    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnReset();
    afx_msg void OnPickDark();
    afx_msg void OnPickLight();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
