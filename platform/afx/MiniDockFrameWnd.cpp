#include "mfc/MiniDockFrameWnd.h"

#include "afx/DockingMessages.h"
#include "afxres.h"
#include "mfc/DockContext.h"
#include "mfc/MessageMap.h"

#include <algorithm>

namespace {

CControlBar* FirstBar(const CDockBar& dock, bool visibleOnly)
{
    for (INT_PTR i = 0; i < dock.m_arrBars.GetSize(); ++i) {
        CControlBar* bar = (CControlBar*)dock.m_arrBars[i];
        if (bar && (!visibleOnly || bar->IsVisible()))
            return bar;
    }
    return nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(mivo::afx::kFloatingFrameEmptied, OnFloatStatus)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                  MFS_BLOCKSYSMENU;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, CRect(0, 0, 0, 0), pParent))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.m_pDockSite = dynamic_cast<CFrameWnd*>(pParent);
    return TRUE;
}

// The frame fits its bars; the caption shows the bar's title.
void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInLayout || !m_wndDockBar.m_hWnd)
        return;
    m_bInLayout = TRUE;
    CSize size = m_wndDockBar.LayoutBars(CRect(0, 0, 0, 0), FALSE);
    size.cx = std::max<LONG>(size.cx, 16);
    size.cy = std::max<LONG>(size.cy, 8);
    CRect frame(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.LayoutBars(CRect(0, 0, size.cx, size.cy), TRUE);
    if (CControlBar* bar = FirstBar(m_wndDockBar, false)) {
        CString title;
        bar->GetWindowText(title);
        CString shown;
        GetWindowText(shown);
        if (shown != title)
            SetWindowText(title);
    }
    m_bInLayout = FALSE;
}

// Sized by the user: a bar that sizes itself is told the new length first.
void CMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_bInLayout || !m_wndDockBar.m_hWnd || nType == SIZE_MINIMIZED)
        return;
    m_bInLayout = TRUE;
    CControlBar* bar = FirstBar(m_wndDockBar, true);
    if (bar && (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC) && m_wndDockBar.GetDockedVisibleCount() == 1) {
        bar->CalcDynamicLayout(cx, LM_HORZ | LM_COMMIT);
        bar->CalcDynamicLayout(cy, LM_HORZ | LM_LENGTHY);
    }
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInLayout = FALSE;
}

// The close box hides the bars; the frame stays for their next float.
void CMiniDockFrameWnd::OnClose()
{
    CFrameWnd* site = m_wndDockBar.m_pDockSite;
    for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        CControlBar* bar = (CControlBar*)m_wndDockBar.m_arrBars[i];
        if (!bar)
            continue;
        if (site)
            site->ShowControlBar(bar, FALSE, FALSE);
        else
            bar->DelayShow(FALSE);
    }
    ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* bar = FirstBar(m_wndDockBar, true);
    if (bar && bar->m_pDockContext && m_wndDockBar.GetDockedVisibleCount() == 1) {
        if (nHitTest == HTCAPTION) {
            bar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
            bar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* bar = FirstBar(m_wndDockBar, true);
    if (nHitTest == HTCAPTION && bar && bar->m_pDockContext) {
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (IsWindowVisible())
        m_wndDockBar.SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, 0, TRUE, TRUE);
    return 0;
}

LRESULT CMiniDockFrameWnd::OnFloatStatus(WPARAM, LPARAM)
{
    if (m_wndDockBar.GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}

void CMiniDockFrameWnd::PostNcDestroy()
{
    CMiniFrameWnd::PostNcDestroy();  // deletes the frame
}
