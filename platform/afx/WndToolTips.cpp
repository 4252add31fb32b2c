// CWnd's tool tips: one tool tip per thread serves every window that enabled them.
#include "mfc.h"

#include <set>

namespace {

struct ThreadToolTips {
    std::set<HWND> enabled;
    HWND tip = nullptr;
    TOOLINFO current = {};
    bool hasCurrent = false;
};

ThreadToolTips& State()
{
    thread_local ThreadToolTips state;
    return state;
}

bool IsMouseMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
           message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_MBUTTONDOWN ||
           message == WM_MBUTTONUP;
}

HWND EnsureTip(HWND owner)
{
    ThreadToolTips& st = State();
    if (st.tip && ::IsWindow(st.tip))
        return st.tip;
    HWND top = owner;
    while (::GetParent(top))
        top = ::GetParent(top);
    st.tip = ::CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, top,
                              nullptr, nullptr, nullptr);
    st.hasCurrent = false;
    return st.tip;
}

void DropCurrent()
{
    ThreadToolTips& st = State();
    if (st.hasCurrent && st.tip && ::IsWindow(st.tip))
        ::SendMessage(st.tip, TTM_DELTOOL, 0, (LPARAM)&st.current);
    st.hasCurrent = false;
}

}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    ThreadToolTips& st = State();
    if (bEnable)
        st.enabled.insert(m_hWnd);
    else {
        st.enabled.erase(m_hWnd);
        if (st.hasCurrent && st.current.hwnd == m_hWnd)
            DropCurrent();
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)child;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return ::GetDlgCtrlID(child);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    ThreadToolTips& st = State();
    if (!pMsg || !IsMouseMessage(pMsg->message) || !st.enabled.count(m_hWnd))
        return;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return;
    HWND tip = EnsureTip(m_hWnd);
    if (!tip)
        return;
    POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
    ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    INT_PTR hit = OnToolHitTest(CPoint(pt), &ti);
    bool same = st.hasCurrent && hit != -1 && ti.hwnd == st.current.hwnd && ti.uId == st.current.uId;
    if (!same) {
        DropCurrent();
        if (hit != -1) {
            if (!(ti.uFlags & TTF_IDISHWND) && ti.uId == 0)
                ti.uId = (UINT_PTR)hit;
            ::SendMessage(tip, TTM_ADDTOOL, 0, (LPARAM)&ti);
            st.current = ti;
            st.hasCurrent = true;
        }
    }
    // The tip sees the move in the tool's own terms: the child for window tools, else this window.
    MSG relay = *pMsg;
    if (st.hasCurrent && (st.current.uFlags & TTF_IDISHWND)) {
        relay.hwnd = (HWND)st.current.uId;
        POINT c = pt;
        ::MapWindowPoints(m_hWnd, relay.hwnd, &c, 1);
        relay.lParam = MAKELPARAM(c.x, c.y);
    } else {
        relay.hwnd = st.hasCurrent ? st.current.hwnd : m_hWnd;
        relay.lParam = MAKELPARAM(pt.x, pt.y);
    }
    ::SendMessage(tip, TTM_RELAYEVENT, 0, (LPARAM)&relay);
}
