#include "mfc.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::~CScrollBar()
{
    DestroyWindow();
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_SCROLLBAR, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    ::SendMessage(m_hWnd, SBM_SETSCROLLINFO, bRedraw, (LPARAM)lpScrollInfo);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->fMask = nMask;
    return (BOOL)::SendMessage(m_hWnd, SBM_GETSCROLLINFO, 0, (LPARAM)lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!GetScrollInfo(&si, SIF_RANGE | SIF_PAGE))
        return 0;
    int limit = si.nMax - (si.nPage ? (int)si.nPage - 1 : 0);
    return limit < si.nMin ? si.nMin : limit;
}
