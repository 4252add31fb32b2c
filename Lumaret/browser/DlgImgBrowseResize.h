// CDlgImgBrowseResize: "이미지 축소/확대 일괄처리", many pictures brought to a largest size or
// scaled by a percentage in one run of the batch mechanism.
#pragma once

#include "album/DlgImgBatch.h"

class CDlgImgBrowseResize : public CDlgImgBatch {
    DECLARE_DYNAMIC(CDlgImgBrowseResize)
public:
    // What one file's run reads, taken from the dialog on its own thread.
    struct SizeRule {
        int bSizeMaxRes = 1;
        int bKeepAspect = 1;
        int nMaxWidth = 1024;
        int nMaxHeight = 1024;
        int nResizeRatio = 100;
        int bBicubic = 0;
    };
    // Sides above this fail the file: no encoder writes them.
    enum { kMaxSide = 65500 };

    explicit CDlgImgBrowseResize(CWnd* pParent = nullptr);
    ~CDlgImgBrowseResize() override;

    // The result size of a w x h picture; FALSE when the rule gives no picture (a limit or a
    // ratio of 0 or below, or a side above kMaxSide). A side that rounds to 0 becomes 1.
    static BOOL NewSize(const SizeRule& rule, int w, int h, CSize* size);

    BOOL OnInitDialog() override;

    int m_bSizeMaxRes;
    int m_bSizeRatio;
    int m_nMaxWidth;
    int m_nMaxHeight;
    int m_bKeepAspect;
    int m_nResizeRatio;
    int m_bBilinear;
    int m_bBicubic;

    CImageButton m_btnMaxRes;
    CImageButton m_btnRatioMode;
    CImageButton m_btnKeepAspect;
    CImageButton m_btnBilinear;
    CImageButton m_btnBicubic;

protected:
    BOOL ProcessImage(std::unique_ptr<CImageObject>& image) override;
    // An empty list has nothing to run (and the progress would divide by it).
    BOOL ReadyToStart() const override { return m_arrSrcPath.GetSize() > 0; }
    void UpdateKindControls(BOOL running) override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnMaxRes();
    afx_msg void OnRatioMode();
    afx_msg void OnMaxWidthChange();
    afx_msg void OnMaxHeightChange();
    afx_msg void OnRatioChange();
    afx_msg void OnBilinear();
    afx_msg void OnBicubic();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg LRESULT OnTakeRule(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Sets one size mode and clears the other; keep-aspect follows the largest-size mode.
    void SetSizeMode(BOOL maxRes);
    void NumberFromEdit(int id, int& member);

    BOOL m_bReady = FALSE;  // edits report changes only after the dialog is set up
};
