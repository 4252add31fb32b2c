// CVXSizingBar: the resizable docking bar shared by the folder bar and the
// dialog bar. It draws its own non-client area: a gripper with a close box
// and a docking box, and a sizing edge facing the frame's centre, dragged
// with an inverted tracker line.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXSizingBar : public CControlBar {
    DECLARE_DYNAMIC(CVXSizingBar)
public:
    CVXSizingBar(CSize minimum, int gripper, int border);
    ~CVXSizingBar() override;

    BOOL IsHorz() const;
    void ClientToWnd(CPoint& point) const;
    CSize GetDockedHorzSize() const { return m_sizeHorz; }
    CSize GetDockedVertSize() const { return m_sizeVert; }
    CSize GetFloatingSize() const { return m_sizeFloat; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    CSize m_sizeMin;
    CSize m_sizeHorz;
    CSize m_sizeVert;
    CSize m_sizeFloat;
    UINT m_nDockBarID;
    BOOL m_bInRecalcNC;
    BOOL m_bTracking;
    CRect m_rectTracker;
    CPoint m_ptOld;
    CRect m_rectBorder, m_rectClose, m_rectUndock, m_rectGripper;
    int m_cxGripper;
    int m_cxEdge;
    int m_cxBorder;
    COLORREF m_crHilite, m_crShadow, m_crBackground;
    CBrush m_brushBkgd;

    LPCSTR RegisterBarClass();
    // Remembered sizes from the content's size: the docked ones grow by the
    // border and the sizing edge, the floating one by the border on every side.
    void ComputeSizes(CSize content, bool floatingBorder);
    bool DockedAt(UINT id) const { return m_nDockBarID == id; }
    bool Docked() const;

    // What the two bars do differently.
    virtual int VerticalBottomInset() const = 0;
    virtual int FixedLayoutPad() const = 0;
    virtual void PlaceContent() = 0;
    virtual void PaintCaption(CDC& dc);

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
    afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void SyncDockSide();
    CRect InsetsForSide() const;
    void CalcGripperRects(const CRect& window);
    void PaintGripper(CDC& dc);
    void StartTracking();
    void StopTracking(BOOL accept);
    void InvertTracker();
    void FollowCursor(CPoint client);
    int ClampedExtent(int extent) const;
};
