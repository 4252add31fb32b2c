// CDlgImgEditMask: blends a fill colour into the picture through a grey
// mask template from the MaskImgs table.
#pragma once

#include "controls/ImageButton.h"
#include "editor/DlgImgTemplatePicker.h"

class CDlgImgEditMask : public CDlgImgTemplatePicker {
    DECLARE_DYNAMIC(CDlgImgEditMask)
public:
    explicit CDlgImgEditMask(CWnd* pParent = nullptr);
    ~CDlgImgEditMask() override;

    BOOL OnInitDialog() override;
    void LoadMaskThumbnail();
    void RenderPreview();

    CString m_strMaskFile;
    // Handed to the caller on OK, who deletes it.
    CImageObject* m_pMaskImage;
    COLORREF m_clrFill;
    int m_nMaskOffset;
    int m_bInvertMask;
    BOOL m_bOverPreview;

    CSliderCtrl m_slider;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_btnColor;
    CImageButton m_btnPreview;
    CImageButton m_chkInvert;

protected:
    CRect m_rcThumb;
    CRect m_rcSwatch;

    const TableInfo& Table() const override;
    void OnTemplateFiles(const CString* paths) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void DrawFrames(CDC* pDC) override;

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnPreview();
    afx_msg void OnPickColor();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
