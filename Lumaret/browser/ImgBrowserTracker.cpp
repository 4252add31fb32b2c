#include "browser/ImgBrowserTracker.h"

#include "browser/MivoImgBrowserView.h"

void CImgBrowserTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    if (m_pOwner && lpRect) {
        CRect band(lpRect);
        m_pOwner->SelectInTrackRect(&band);
    }
    CRectTracker::DrawTrackerRect(lpRect, pWndClipTo, pDC, pWnd);
}
