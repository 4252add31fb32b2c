// CDockContext: a bar's drag between the frame's dock bars and floating,
// with the halftone rectangle following the mouse.
#pragma once

#include "mfc/Rect.h"
#include "mfc/afxdefs.h"

class CControlBar;
class CDockBar;
class CDC;

class AFX_EXT_CLASS CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    // Runs the drag loop from a point (screen coordinates): over a dock bar the
    // bar docks there, elsewhere it floats; Escape leaves it where it was.
    virtual void StartDrag(CPoint pt);
    // Sizes the floating frame from the edge or corner nHitTest names.
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void ToggleDocking();

    CControlBar* m_pBar;
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz, m_rectDragVert, m_rectFrameDragHorz, m_rectFrameDragVert;
    CRect m_rectMRUDockPos;     // where it was docked last (screen coordinates)
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;     // where it floated last
    UINT m_uMRUDockID = 0;      // the dock bar it was docked in last
    DWORD m_dwDockStyle = 0;
    DWORD m_dwOverDockStyle = 0;
    DWORD m_dwStyle = 0;
    BOOL m_bFlip = FALSE;
    BOOL m_bForceFrame = FALSE;
    int m_nHitTest = 0;         // the frame edge being sized, HTNOWHERE otherwise
    BOOL m_bDragging = FALSE;
    CDC* m_pDC = nullptr;

protected:
    // The dock bar of the frame that takes the bar at this rectangle (screen), or NULL.
    CDockBar* CanDock(const CRect& rect, DWORD dwDockStyle) const;
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    void Move(CPoint pt);
    void EndDrag(BOOL bDock, CPoint pt);
    BOOL Track();
    UINT m_uDockOver = 0;
    CRect m_rectShown;  // the frame inverted on the screen now, in the frame's window coordinates
    CSize m_sizeShown;
};
