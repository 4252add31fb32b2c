#include "browser/ImgBrowserTracker.h"

#include "browser/MivoImgBrowserView.h"

void CImgBrowserTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    // Only the band being drawn selects: the band being erased is the one drawn before, and the
    // view repaints at once, so the inverted frame is never half painted over.
    if (m_pOwner && lpRect && !m_bErase) {
        CRect band(lpRect);
        m_pOwner->SelectInTrackRect(&band);
    }
    CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
}
