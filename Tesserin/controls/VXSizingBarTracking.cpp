// Dragging the sizing edge: an inverted line on the frame
// follows the mouse; the release sets the bar's docked extent.
#include "controls/VXSizingBar.h"

#include <algorithm>

void CVXSizingBar::StartTracking()
{
    SetCapture();
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (m_pDockSite)
        m_pDockSite->LockWindowUpdate();
    m_ptOld = m_rectBorder.CenterPoint();
    m_rectTracker = m_rectBorder;
    if (!IsHorz())
        m_rectTracker.bottom -= 4;
    m_bTracking = TRUE;
    InvertTracker();
}

void CVXSizingBar::InvertTracker()
{
    CFrameWnd* frame = m_pDockSite;
    if (!frame || !frame->GetSafeHwnd())
        return;
    CRect bar, target;
    GetWindowRect(&bar);
    frame->GetWindowRect(&target);
    CRect r = m_rectTracker;
    r.OffsetRect(bar.left - target.left, bar.top - target.top);
    r.DeflateRect(1, 1);
    CDC* dc = frame->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!dc)
        return;
    CBrush* old = dc->SelectObject(CDC::GetHalftoneBrush());
    dc->PatBlt(r.left, r.top, r.Width(), r.Height(), PATINVERT);
    dc->SelectObject(old);
    frame->ReleaseDC(dc);
}

void CVXSizingBar::FollowCursor(CPoint client)
{
    CRect window;
    GetWindowRect(&window);
    CPoint p = client;
    ClientToScreen(&p);
    p -= window.TopLeft();
    InvertTracker();
    const CPoint centre = m_rectTracker.CenterPoint();
    if (IsHorz())
        m_rectTracker.OffsetRect(0, p.y - centre.y);
    else
        m_rectTracker.OffsetRect(p.x - centre.x, 0);
    InvertTracker();
}

// The bar never gets smaller than its minimum, and its sizing edge stays
// inside the frame's client area so that it can be dragged back.
int CVXSizingBar::ClampedExtent(int extent) const
{
    const int lower = IsHorz() ? m_sizeMin.cy : m_sizeMin.cx;
    int upper = extent;
    if (m_pDockSite && m_pDockSite->GetSafeHwnd()) {
        CRect client, bar;
        m_pDockSite->GetClientRect(&client);
        GetWindowRect(&bar);
        m_pDockSite->ScreenToClient(&bar);
        if (DockedAt(AFX_IDW_DOCKBAR_LEFT))
            upper = client.right - bar.left;
        else if (DockedAt(AFX_IDW_DOCKBAR_RIGHT))
            upper = bar.right - client.left;
        else if (DockedAt(AFX_IDW_DOCKBAR_TOP))
            upper = client.bottom - bar.top;
        else if (DockedAt(AFX_IDW_DOCKBAR_BOTTOM))
            upper = bar.bottom - client.top;
    }
    return std::max(lower, std::min(extent, upper));
}

void CVXSizingBar::StopTracking(BOOL accept)
{
    InvertTracker();
    if (m_pDockSite)
        m_pDockSite->UnlockWindowUpdate();
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (!accept)
        return;
    const CPoint delta = m_rectTracker.CenterPoint() - m_ptOld;
    if (DockedAt(AFX_IDW_DOCKBAR_TOP))
        m_sizeHorz.cy = ClampedExtent(m_sizeHorz.cy + delta.y);
    else if (DockedAt(AFX_IDW_DOCKBAR_BOTTOM))
        m_sizeHorz.cy = ClampedExtent(m_sizeHorz.cy - delta.y);
    else if (DockedAt(AFX_IDW_DOCKBAR_LEFT))
        m_sizeVert.cx = ClampedExtent(m_sizeVert.cx + delta.x);
    else if (DockedAt(AFX_IDW_DOCKBAR_RIGHT))
        m_sizeVert.cx = ClampedExtent(m_sizeVert.cx - delta.x);
    if (m_pDockSite)
        m_pDockSite->RecalcLayout();
}
