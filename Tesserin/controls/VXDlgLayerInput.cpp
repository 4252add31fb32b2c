// The layer's mouse: caption presses that toggle a page, and panning a
// stack larger than the window.
#include "controls/VXDlgLayer.h"

#include <algorithm>

BOOL CVXDlgLayer::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CFrameWnd* top = GetTopLevelFrame();
    if (top && top->m_bHelpMode)
        return FALSE;
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
        if (frame->PreTranslateMessage(pMsg))
            return TRUE;
    return PreTranslateInput(pMsg);
}

void CVXDlgLayer::OnLButtonDown(UINT, CPoint point)
{
    BeginCaptionPress(point);
}

void CVXDlgLayer::OnLButtonDblClk(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
}

void CVXDlgLayer::BeginCaptionPress(POINT point)
{
    if (!m_bCaptionVisible || m_pPressed)
        return;
    CPageInfo* page = CaptionHitTest(point);
    if (!page)
        return;
    page->state |= kPressed;
    m_pPressed = page;
    DrawCaptionOf(page);
    SetCapture();
}

void CVXDlgLayer::OnMouseMove(UINT, CPoint point)
{
    if (m_bPanning) {
        ContinuePanning(point);
        return;
    }
    if (!m_pPressed)
        return;
    CRect caption;
    CalcCaptionRect(m_pPressed, &caption);
    const bool over = caption.PtInRect(point) != FALSE;
    if (over == ((m_pPressed->state & kPressed) != 0))
        return;
    m_pPressed->state ^= kPressed;
    DrawCaptionOf(m_pPressed);
}

void CVXDlgLayer::OnLButtonUp(UINT, CPoint point)
{
    if (m_bPanning) {
        EndPanning();
        return;
    }
    if (m_pPressed)
        EndCaptionPress(point);
}

void CVXDlgLayer::EndCaptionPress(CPoint point)
{
    CPageInfo* page = m_pPressed;
    m_pPressed = nullptr;
    CRect caption;
    CalcCaptionRect(page, &caption);
    page->state &= ~kPressed;
    DrawCaptionOf(page);
    if (GetCapture() == this)
        ReleaseCapture();
    if (caption.PtInRect(point))
        SetPageState(page, TRUE, !(page->state & kCollapsed), TRUE);
}

void CVXDlgLayer::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_bPanning) {
        EndPanning();
        return;
    }
    if (!m_pPressed)
        return;
    CPageInfo* page = m_pPressed;
    m_pPressed = nullptr;
    page->state &= ~kPressed;
    DrawCaptionOf(page);
    if (GetCapture() == this)
        ReleaseCapture();
}

BOOL CVXDlgLayer::CountsForPanning(CWnd* pWnd)
{
    if (pWnd == this) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        return CaptionHitTest(cursor) == nullptr;
    }
    return pWnd && IsPage(pWnd->m_hWnd);
}

BOOL CVXDlgLayer::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message)
{
    if (CountsForPanning(pWnd) && IsPanEnabled(TRUE, TRUE)) {
        DelayedShowPanCursor(m_bPanReady);
        if (message == WM_LBUTTONDOWN) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            BeginPanning(cursor);
        }
        return TRUE;
    }
    m_bPanReady = FALSE;
    if (pWnd == this) {
        ::SetCursor(m_hNormalCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, hitTest, message);
}

void CVXDlgLayer::DelayedShowPanCursor(BOOL ready)
{
    if (ready) {
        KillTimer(kPanTimer);
        ::SetCursor(m_hPanCursor);
        return;
    }
    ::SetCursor(m_hNormalCursor);
    ::GetCursorPos(&m_ptLastPan);
    SetTimer(kPanTimer, kPanDelay, nullptr);
}

void CVXDlgLayer::OnTimer(UINT_PTR id)
{
    if (id != kPanTimer) {
        CWnd::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (cursor != m_ptLastPan)
        return;
    KillTimer(kPanTimer);
    ::SetCursor(m_hPanCursor);
    m_bPanReady = TRUE;
}

void CVXDlgLayer::BeginPanning(CPoint point)
{
    ::SetCursor(m_hPanCursor);
    m_ptLastPan = point;
    SetCapture();
    m_bPanning = TRUE;
}

namespace {

// The new offset along one axis: content never moves right of (below) the
// origin nor leaves room right of (below) itself.
int PannedAxis(int offset, int delta, int content, int client)
{
    if (content <= client)
        return offset;
    return std::max(client - content, std::min(0, offset + delta));
}

}  // namespace

void CVXDlgLayer::ContinuePanning(CPoint point)
{
    const int x = PannedAxis(m_ptPan.x, point.x - m_ptLastPan.x, m_nContentWidth, m_client.cx);
    const int y = PannedAxis(m_ptPan.y, point.y - m_ptLastPan.y, m_nContentHeight, m_client.cy);
    const int dx = x - m_ptPan.x, dy = y - m_ptPan.y;
    m_ptLastPan = point;
    if (!dx && !dy)
        return;
    m_ptPan = CPoint(x, y);
    ScrollContent(dx, dy);
    RecalcLayout(FALSE);
}

void CVXDlgLayer::EndPanning()
{
    if (GetCapture() == this)
        ReleaseCapture();
    m_bPanReady = TRUE;
    m_bPanning = FALSE;
}
