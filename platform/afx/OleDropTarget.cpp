#include "mfc/OleDropTarget.h"

#include "afx/DropTargets.h"
#include "afx/OleDragLoop.h"
#include "mfc/View.h"
#include "mfc/Wnd.h"

int COleDropTarget::nScrollInset = 11;

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd)
        mivo::afx::RevokeDropTarget(m_hWnd, this);
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hwnd = mivo::HandleOf(pWnd);
    if (!hwnd || m_hWnd || !mivo::afx::RegisterDropTarget(hwnd, this))
        return FALSE;
    m_hWnd = hwnd;
    mivo::afx::InstallDesktopDrops();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd)
        mivo::afx::RevokeDropTarget(m_hWnd, this);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

// Inside a view's border band the view scrolls one line toward that edge.
DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        return DROPEFFECT_NONE;
    DWORD style = pWnd->GetStyle();
    CRect client;
    pWnd->GetClientRect(&client);
    CRect inner = client;
    inner.DeflateRect(nScrollInset, nScrollInset);
    if (!client.PtInRect(point) || inner.PtInRect(point))
        return DROPEFFECT_NONE;
    bool scrolled = false;
    if (style & WS_VSCROLL) {
        if (point.y < inner.top)
            pWnd->SendMessage(WM_VSCROLL, SB_LINEUP), scrolled = true;
        else if (point.y >= inner.bottom)
            pWnd->SendMessage(WM_VSCROLL, SB_LINEDOWN), scrolled = true;
    }
    if (style & WS_HSCROLL) {
        if (point.x < inner.left)
            pWnd->SendMessage(WM_HSCROLL, SB_LINELEFT), scrolled = true;
        else if (point.x >= inner.right)
            pWnd->SendMessage(WM_HSCROLL, SB_LINERIGHT), scrolled = true;
    }
    if (!scrolled)
        return DROPEFFECT_NONE;
    return DROPEFFECT_SCROLL | ((dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
}
