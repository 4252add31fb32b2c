// CDlgImgHistogram: the picture's brightness or one colour channel as a
// 256-column bar chart, one tab per channel.
#pragma once

#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"

class CDlgImgHistogram : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgHistogram)
public:
    enum { kLevels = 256, kTables = 4 };

    explicit CDlgImgHistogram(CWnd* pParent = nullptr);
    ~CDlgImgHistogram() override;

    BOOL OnInitDialog() override;
    // The table a tab draws: "Gray" luminance, then red, green and blue
    // (the producer's order is luminance, blue, green, red).
    static int TableOfTab(int tab);

    int m_nChannel;
    // Borrowed: 4 x 256 values scaled to 0..255.
    const int* m_pHistogram;

    CTabCtrl m_tabs;
    CImageButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnPaint();
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
