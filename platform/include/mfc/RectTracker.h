// CRectTracker: a rectangle the user moves and resizes by its handles, or
// drags out as a rubber band, drawn inverted while the mouse is captured.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"
#include "mfc/Point.h"
#include "mfc/Rect.h"
#include "mfc/Size.h"

class CDC;
class CWnd;

class AFX_EXT_CLASS CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    // Handles as HitTest reports them, for the rectangle as it is seen (normalized).
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin;
    int m_nHandleSize = 4;

    void Draw(CDC* pDC) const;
    void GetTrueRect(LPRECT lpTrueRect) const;
    BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
    // Both run a capture loop on pWnd (client coordinates); nonzero when the
    // rectangle was changed and kept. Escape or the right button cancels.
    BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);
    int HitTest(CPoint point) const;
    // Maps a handle of the seen rectangle to the stored one's (they differ when inverted).
    int NormalizeHit(int nHandle) const;

    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void AdjustRect(int nHandle, LPRECT lpRect);
    virtual void OnChangedRect(const CRect& rectOld);
    virtual UINT GetHandleMask() const;
    virtual ~CRectTracker();

protected:
    BOOL m_bAllowInvert = FALSE;
    CRect m_rectLast;     // the rectangle shown inverted now
    CSize m_sizeLast;     // its frame thickness
    BOOL m_bErase = FALSE;       // DrawTrackerRect is asked to erase
    BOOL m_bFinalErase = FALSE;  // ... for the last time, at the end of the loop

    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int nHandle, CRect* pHandleRect) const;
    void GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py);
    virtual int GetHandleSize(LPCRECT lpRect = nullptr) const;
    BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

private:
    void Construct();
    void ClampToMinimum(int nHandle);
};
