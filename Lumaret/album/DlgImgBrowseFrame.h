// CDlgImgBrowseFrame: "액자에 넣기 일괄처리", many files put into one frame template in one run of the
// batch mechanism. The frame's width is a fraction 1/N of each picture's longer side; a preview
// shows the first file in the chosen frame.
#pragma once

#include "album/DlgImgBatch.h"

class CDlgImgBrowseFrame : public CDlgImgBatch {
    DECLARE_DYNAMIC(CDlgImgBrowseFrame)
public:
    static constexpr int kDefaultDivisor = 15;
    static constexpr int kMinDivisor = 3;
    static constexpr int kMaxDivisor = 50;

    explicit CDlgImgBrowseFrame(CWnd* pParent = nullptr);
    ~CDlgImgBrowseFrame() override;

    BOOL OnInitDialog() override;
    // The frame's width for a picture: its longer side / divisor, held within 1 and the shorter side.
    static int FrameTileSize(int width, int height, int divisor);
    // The picture inside the frame of the two tiles; null when it cannot be made.
    static std::unique_ptr<CImageObject> Framed(CImageObject& picture, CImageObject* corner, CImageObject* edge,
                                                int divisor);
    // What a click on the template row with this key does: the tiles unpacked and loaded.
    void ChooseTemplate(int frameNo);
    // The first file in the frame, fitted into the preview area.
    void UpdatePreview();

    CVXGridCtrl m_gridFrames;
    CSliderCtrl m_sliderWidth;
    int m_nDivisor;
    int m_nFrameNo;
    CString m_strTileFile[2];
    std::unique_ptr<CImageObject> m_pCorner;
    std::unique_ptr<CImageObject> m_pEdge;
    std::unique_ptr<CImageObject> m_pSample;
    std::unique_ptr<CImageObject> m_pPreview;
    // The preview area (client coordinates) and where the preview is drawn inside it.
    CRect m_rcPreviewArea;
    CRect m_rcPreview;

protected:
    BOOL ProcessImage(std::unique_ptr<CImageObject>& image) override;
    BOOL ReadyToStart() const override { return m_pCorner && m_pEdge; }
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFrameItemClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpTemplateList();
    CSize PreviewBox() const;
};
