// The zooming image view: one borrowed picture at one of a list of zoom steps
// (thousandths of full size), centred when smaller than the window on a grey
// surround, panned by dragging, scrolled by the wheel. Derived views set the
// picture and may replace the steps; SetNavigationRect follows every change of
// the visible part.
#pragma once

#include "mfc.h"

class CImageObject;

class AFX_EXT_CLASS CImgDetailView : public CScrollView {
    DECLARE_DYNCREATE(CImgDetailView)
public:
    CImgDetailView();
    ~CImgDetailView() override;

    int GetZoomRatio();
    int SetZoomRatio(int ratio);
    void FitImageToView();
    void RebuildScrollSizes();
    void ZoomIn();
    void ZoomOut();

    CPoint GetSrcPointFromView(CPoint& p);
    CPoint GetDstPoint(CPoint& p);
    CRect GetSrcRectFromDst(CRect& d);
    CRect GetSrcRectFromView(CRect& v);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnDraw(CDC* pDC) override;
    // Called after every change of what is visible; must not zoom or scroll.
    virtual void SetNavigationRect();

    BOOL m_bActivateOnClick;
    CImageObject* m_pImgObj;  // borrowed
    CUIntArray m_ZoomRatios;
    int m_nZoomIndex;
    int m_nOffsetX, m_nOffsetY;
    COLORREF m_crBackground;
    CRect m_rcClient;
    int m_nDragStartX, m_nDragStartY, m_nDragScrollX, m_nDragScrollY;
    CPoint m_ptLastDrag;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    bool HasPicture() const;
    void RefreshClientRect();
    // r x size / 1000 at the current step, in 64 bits.
    int Zoomed(int size);
    CRect DrawArea(CDC* pDC, int ratio, int zoomedWidth, int zoomedHeight);
    void DrawShadow(CDC* pDC, const CRect& area);
    void StepZoom(int step);
    bool WheelPasses(short zDelta);
};
