// CScrollView: a view larger than its window, scrolled by bars, keys and
// the wheel. Positions are 32-bit throughout (thumb positions come from
// SIF_TRACKPOS, not the message's 16 bits).
#pragma once

#include "mfc/View.h"

class AFX_EXT_CLASS CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    CScrollView();

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    void ScrollToPosition(POINT pt);

    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    void UpdateBars();
    void UpdateBarsOnce();
    // Scroll position (device units) that keeps the window inside the total size.
    CPoint ClampedPosition(CPoint pt) const;
    CSize ClientSizeWithoutBars() const;
    BOOL ScrollTo(CPoint target);
    int ThumbPosition(int nBar, UINT nPos);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode = 0;  // 0 until SetScrollSizes
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;
    BOOL m_bUpdateAgain = FALSE;  // sizes changed while the bars were being updated
};
