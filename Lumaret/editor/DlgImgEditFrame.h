// CDlgImgEditFrame: puts the picture into a frame template: a corner tile
// and an edge tile from the FrameImgs table, with the frame's width as a
// part of the picture's longer side.
#pragma once

#include "controls/ImageButton.h"
#include "editor/DlgImgTemplatePicker.h"

class CDlgImgEditFrame : public CDlgImgTemplatePicker {
    DECLARE_DYNAMIC(CDlgImgEditFrame)
public:
    enum { kMinRatio = 3, kMaxRatio = 50 };

    explicit CDlgImgEditFrame(CWnd* pParent = nullptr);
    ~CDlgImgEditFrame() override;

    BOOL OnInitDialog() override;
    void MakeSample();
    void RenderPreview();

    // Handed to the caller on OK, who deletes them.
    CImageObject* m_pFrameCorner;
    CImageObject* m_pFrameEdge;
    CString m_strFrameFile1;
    CString m_strFrameFile2;
    // Owned: the frame drawn small beside the list.
    CImageObject* m_pFrameSample;
    int m_nFrameRatio;

    CSliderCtrl m_slider;
    CImageButton m_btnOK;
    CImageButton m_btnCancel;
    CImageButton m_btnPreview;

protected:
    CRect m_rcSample;

    const TableInfo& Table() const override;
    void OnTemplateFiles(const CString* paths) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void DrawFrames(CDC* pDC) override;
    void LoadTile(CImageObject*& tile, const CString& path);

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnPreview();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
