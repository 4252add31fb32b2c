#include "mfc.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

const int kMaxBarPasses = 3;

// Logical to device units for a mapping mode, measured on the screen (96 dpi).
CSize ToDevice(int mapMode, SIZE size)
{
    if (mapMode == MM_TEXT)
        return size;
    CWindowDC dc(nullptr);
    dc.SetMapMode(mapMode);
    CSize result = size;
    dc.LPtoDP(&result);
    return CSize(std::abs(result.cx), std::abs(result.cy));
}

// Scroll-bar codes of OnScroll: the horizontal one in the low byte, the vertical one in the high byte; 0xFF is none.
const BYTE kNoScroll = 0xFF;

}  // namespace

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    const int oldMapMode = m_nMapMode;
    const CSize oldTotal = m_totalDev, oldPage = m_pageDev, oldLine = m_lineDev;
    m_nMapMode = nMapMode;
    m_totalLog = CSize(std::max(0L, (long)sizeTotal.cx), std::max(0L, (long)sizeTotal.cy));
    m_totalDev = ToDevice(nMapMode, m_totalLog);
    m_pageDev = ToDevice(nMapMode, sizePage);
    m_lineDev = ToDevice(nMapMode, sizeLine);
    // Defaults: a tenth of the total a page, a tenth of a page a line, and never nothing.
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    m_pageDev.cx = std::max(1L, (long)m_pageDev.cx);
    m_pageDev.cy = std::max(1L, (long)m_pageDev.cy);
    m_lineDev.cx = std::max(1L, (long)m_lineDev.cx);
    m_lineDev.cy = std::max(1L, (long)m_lineDev.cy);
    // Views set their sizes from their paint handlers too: the same sizes must
    // neither touch the bars nor paint again.
    if (m_hWnd && (oldMapMode != m_nMapMode || oldTotal != m_totalDev || oldPage != m_pageDev || oldLine != m_lineDev)) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint device = pt;
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0) {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&device);
        device.y = std::abs(device.y);
    }
    ScrollTo(device);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode != 0)
        pDC->SetMapMode(m_nMapMode);
    if (!pInfo) {
        CPoint pos = GetDeviceScrollPosition();
        pDC->SetViewportOrg(-pos.x, -pos.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

// The client area the view would have with neither bar shown.
CSize CScrollView::ClientSizeWithoutBars() const
{
    CRect client;
    GetClientRect(&client);
    CSize size = client.Size();
    DWORD style = GetStyle();
    if (style & WS_VSCROLL)
        size.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        size.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    return size;
}

CPoint CScrollView::ClampedPosition(CPoint pt) const
{
    CRect client;
    GetClientRect(&client);
    int maxX = std::max(0, (int)m_totalDev.cx - client.Width());
    int maxY = std::max(0, (int)m_totalDev.cy - client.Height());
    return CPoint(std::clamp((int)pt.x, 0, maxX), std::clamp((int)pt.y, 0, maxY));
}

// Bars appear only when the content is larger than the room; one bar can
// take away enough room to need the other.
void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate) {
        // A size change handler set new sizes while a bar came or went: redo the bars after.
        m_bUpdateAgain = TRUE;
        return;
    }
    // Bounded: bars that take room may change the sizes a size change handler sets.
    for (int pass = 0; pass < kMaxBarPasses; ++pass) {
        m_bUpdateAgain = FALSE;
        UpdateBarsOnce();
        if (!m_bUpdateAgain)
            break;
    }
}

void CScrollView::UpdateBarsOnce()
{
    if (m_nMapMode == 0 || !m_hWnd)
        return;
    m_bInsideUpdate = TRUE;
    CSize room = ClientSizeWithoutBars();
    bool needH = m_totalDev.cx > room.cx;
    bool needV = m_totalDev.cy > room.cy;
    if (needH && !needV)
        needV = m_totalDev.cy > room.cy - ::GetSystemMetrics(SM_CYHSCROLL);
    if (needV && !needH)
        needH = m_totalDev.cx > room.cx - ::GetSystemMetrics(SM_CXVSCROLL);
    CPoint before = GetDeviceScrollPosition();
    ShowScrollBar(SB_HORZ, needH);
    ShowScrollBar(SB_VERT, needV);

    CRect client;
    GetClientRect(&client);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (needH) {
        si.nMax = m_totalDev.cx - 1;
        si.nPage = (UINT)client.Width();
        SetScrollInfo(SB_HORZ, &si, TRUE);
    }
    if (needV) {
        si.nMax = m_totalDev.cy - 1;
        si.nPage = (UINT)client.Height();
        SetScrollInfo(SB_VERT, &si, TRUE);
    }
    m_bInsideUpdate = FALSE;
    // A window grown past the end scrolls the content back into it.
    CPoint wanted = ClampedPosition(CPoint(needH ? before.x : 0, needV ? before.y : 0));
    if (wanted != before) {
        SetScrollPos(SB_HORZ, wanted.x, TRUE);
        SetScrollPos(SB_VERT, wanted.y, TRUE);
        ScrollWindow(before.x - wanted.x, before.y - wanted.y);
    }
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

BOOL CScrollView::ScrollTo(CPoint target)
{
    CPoint from = GetDeviceScrollPosition();
    CPoint to = ClampedPosition(target);
    DWORD style = GetStyle();
    if (!(style & WS_HSCROLL))
        to.x = from.x;
    if (!(style & WS_VSCROLL))
        to.y = from.y;
    if (to == from)
        return FALSE;
    if (to.x != from.x)
        SetScrollPos(SB_HORZ, to.x, TRUE);
    if (to.y != from.y)
        SetScrollPos(SB_VERT, to.y, TRUE);
    ScrollWindow(from.x - to.x, from.y - to.y);
    return TRUE;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint from = GetDeviceScrollPosition();
    CPoint to = ClampedPosition(from + sizeScroll);
    DWORD style = GetStyle();
    if (!(style & WS_HSCROLL))
        to.x = from.x;
    if (!(style & WS_VSCROLL))
        to.y = from.y;
    if (to == from)
        return FALSE;
    if (bDoScroll)
        ScrollTo(to);
    return TRUE;
}

// One axis's new position for a scroll-bar code; `pos` is that axis's current one.
static int ScrollTarget(UINT code, int pos, int thumb, int line, int page, int total)
{
    switch (code) {
    case SB_TOP: return 0;
    case SB_BOTTOM: return total;
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return thumb;
    default: return pos;
    }
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    CPoint from = GetDeviceScrollPosition();
    CRect client;
    GetClientRect(&client);
    CPoint to = from;
    UINT hCode = LOBYTE(nScrollCode);
    UINT vCode = HIBYTE(nScrollCode);
    if (hCode != kNoScroll)
        to.x = ScrollTarget(hCode, from.x, (int)nPos, m_lineDev.cx, m_pageDev.cx, m_totalDev.cx);
    if (vCode != kNoScroll)
        to.y = ScrollTarget(vCode, from.y, (int)nPos, m_lineDev.cy, m_pageDev.cy, m_totalDev.cy);
    return OnScrollBy(to - from, bDoScroll);
}

// The message's position holds only 16 bits: take the thumb's from the bar.
int CScrollView::ThumbPosition(int nBar, UINT nPos)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
        return si.nTrackPos;
    return (int)nPos;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->m_hWnd != nullptr && pScrollBar != GetScrollBarCtrl(SB_HORZ))
        return;  // a scroll-bar control of the view's own
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
        nPos = (UINT)ThumbPosition(SB_HORZ, nPos);
    OnScroll(MAKEWORD(nSBCode, kNoScroll), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar && pScrollBar->m_hWnd != nullptr && pScrollBar != GetScrollBarCtrl(SB_VERT))
        return;
    if (nSBCode == SB_THUMBTRACK || nSBCode == SB_THUMBPOSITION)
        nPos = (UINT)ThumbPosition(SB_VERT, nPos);
    OnScroll(MAKEWORD(kNoScroll, nSBCode), nPos);
}

// The wheel scrolls by the user's number of lines (or a page), vertically
// when there is a vertical bar, else horizontally.
BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    DWORD style = GetStyle();
    bool vertical = (style & WS_VSCROLL) != 0;
    if (!vertical && !(style & WS_HSCROLL))
        return FALSE;
    UINT lines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int line = vertical ? m_lineDev.cy : m_lineDev.cx;
    int page = vertical ? m_pageDev.cy : m_pageDev.cx;
    long long distance = lines == WHEEL_PAGESCROLL ? page : (long long)lines * line;
    distance = std::min<long long>(distance, page) * -zDelta / WHEEL_DELTA;
    CSize step = vertical ? CSize(0, (int)distance) : CSize((int)distance, 0);
    return OnScrollBy(step, TRUE);
}
