// CScrollBar: the "ScrollBar" control.
#pragma once

#include "mfc/Wnd.h"

class AFX_EXT_CLASS CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;
    ~CScrollBar() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetScrollPos() const { return (int)::SendMessage(m_hWnd, SBM_GETPOS, 0, 0); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return (int)::SendMessage(m_hWnd, SBM_SETPOS, (WPARAM)nPos, bRedraw); }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
    {
        ::SendMessage(m_hWnd, SBM_GETRANGE, (WPARAM)lpMinPos, (LPARAM)lpMaxPos);
    }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SendMessage(m_hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, (WPARAM)nMinPos, nMaxPos);
    }
    void ShowScrollBar(BOOL bShow = TRUE) { ::ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH)
    {
        return (BOOL)::SendMessage(m_hWnd, SBM_ENABLE_ARROWS, nArrowFlags, 0);
    }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    int GetScrollLimit();
};
