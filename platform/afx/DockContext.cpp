#include "mfc/DockContext.h"

#include "mfc/DC.h"
#include "mfc/DockBar.h"
#include "mfc/FrameWnd.h"

#include <algorithm>

namespace {

const int kDockMargin = 8;       // how near a dock bar a dragged bar docks
const CSize kFloatFrame(3, 3);   // the floating shape's thick frame
const CSize kDockFrame(1, 1);

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar)
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_rectMRUDockPos.SetRectEmpty();
    m_ptMRUFloatPos = CPoint(-1, -1);
    m_nHitTest = HTNOWHERE;
}

CDockContext::~CDockContext() = default;

CDockBar* CDockContext::CanDock(const CRect& rect, DWORD dwDockStyle) const
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site)
        return nullptr;
    static const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                               AFX_IDW_DOCKBAR_RIGHT};
    for (UINT id : ids) {
        CDockBar* dock = dynamic_cast<CDockBar*>(site->GetControlBar(id));
        if (!dock || !(dock->GetBarStyle() & dwDockStyle & CBRS_ALIGN_ANY) || !dock->IsWindowVisible())
            continue;
        CRect zone;
        dock->GetWindowRect(&zone);
        zone.InflateRect(kDockMargin, kDockMargin);
        CRect overlap;
        if (overlap.IntersectRect(zone, rect))
            return dock;
    }
    return nullptr;
}

// The shape follows the mouse: docked shapes as thin frames, the floating one thick.
void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (!m_pDC)
        return;
    CRect origin;
    m_pBar->m_pDockSite->GetWindowRect(&origin);
    CRect local = m_rectLast;
    local.OffsetRect(-origin.left, -origin.top);
    CSize size = bRemoveRect ? CSize(0, 0) : m_sizeLast;
    m_pDC->DrawDragRect(local, size, &m_rectShown, m_sizeShown);
    m_rectShown = local;
    m_sizeShown = size;
}

void CDockContext::Move(CPoint pt)
{
    CPoint offset = pt - m_ptLast;
    CRect horz = m_rectDragHorz, vert = m_rectDragVert, floating = m_rectFrameDragHorz;
    horz.OffsetRect(offset);
    vert.OffsetRect(offset);
    floating.OffsetRect(offset);
    bool noDock = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    CDockBar* dock = nullptr;
    if (!noDock) {
        dock = CanDock(horz, m_dwDockStyle & CBRS_ORIENT_HORZ);
        if (!dock)
            dock = CanDock(vert, m_dwDockStyle & CBRS_ORIENT_VERT);
    }
    m_uDockOver = dock ? (UINT)dock->GetDlgCtrlID() : 0;
    if (dock)
        m_rectLast = (dock->GetBarStyle() & CBRS_ORIENT_HORZ) ? horz : vert;
    else
        m_rectLast = floating;
    m_sizeLast = dock ? kDockFrame : kFloatFrame;
    DrawFocusRect(FALSE);
}

void CDockContext::StartDrag(CPoint pt)
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site || !m_pBar->m_hWnd)
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->GetBarStyle();
    CRect bar;
    m_pBar->GetWindowRect(&bar);
    CSize horz = m_pBar->CalcFixedLayout(FALSE, TRUE);
    CSize vert = m_pBar->CalcFixedLayout(FALSE, FALSE);
    if (m_pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) {
        horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    }
    // The shapes keep the grab point where it is on the bar.
    m_rectDragHorz = CRect(bar.TopLeft(), horz);
    m_rectDragVert = CRect(bar.TopLeft(), vert);
    CSize floating = (m_pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) ? m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH)
                                                                   : horz;
    m_rectFrameDragHorz = CRect(bar.TopLeft(), floating);
    m_rectFrameDragHorz.InflateRect(kFloatFrame);
    m_rectFrameDragVert = m_rectFrameDragHorz;
    m_ptLast = pt;
    Track();
}

BOOL CDockContext::Track()
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    HWND bar = m_pBar->m_hWnd;
    m_pBar->SetCapture();
    m_pDC = site->GetDCEx(nullptr, DCX_WINDOW | DCX_CACHE);
    m_bDragging = TRUE;
    m_rectShown.SetRectEmpty();
    m_sizeShown = CSize(0, 0);
    CPoint start = m_ptLast;
    Move(start);

    bool accepted = false;
    CPoint end = start;
    for (;;) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (::GetCapture() != bar)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            Move(msg.pt);
        } else if (msg.message == WM_LBUTTONUP) {
            Move(msg.pt);
            end = msg.pt;
            accepted = true;
            break;
        } else if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
            break;
        } else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL) {
            POINT now;
            ::GetCursorPos(&now);
            Move(now);
        } else if (!IsInputMessage(msg.message)) {
            ::DispatchMessage(&msg);
        }
    }
    DrawFocusRect(TRUE);
    site->ReleaseDC(m_pDC);
    m_pDC = nullptr;
    m_bDragging = FALSE;
    if (::GetCapture() == bar)
        ::ReleaseCapture();
    if (accepted && end != start)
        EndDrag(TRUE, end);
    return accepted;
}

void CDockContext::EndDrag(BOOL, CPoint)
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (m_uDockOver) {
        CDockBar* dock = dynamic_cast<CDockBar*>(site->GetControlBar(m_uDockOver));
        if (dock)
            site->DockControlBar(m_pBar, dock, &m_rectLast);
        return;
    }
    CRect floating = m_rectLast;
    floating.DeflateRect(kFloatFrame);
    site->FloatControlBar(m_pBar, floating.TopLeft(), m_dwStyle & CBRS_ALIGN_ANY);
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* site = m_pBar->m_pDockSite;
    if (!site)
        return;
    if (m_pBar->IsFloating()) {
        UINT id = m_uMRUDockID;
        CDockBar* dock = id ? dynamic_cast<CDockBar*>(site->GetControlBar(id)) : nullptr;
        if (dock)
            site->DockControlBar(m_pBar, dock, m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
        else
            site->DockControlBar(m_pBar, (UINT)0);
        return;
    }
    CPoint at = m_ptMRUFloatPos;
    if (at.x < 0 && at.y < 0) {
        CRect bar;
        m_pBar->GetWindowRect(&bar);
        at = bar.TopLeft() + CSize(16, 16);
    }
    site->FloatControlBar(m_pBar, at, m_pBar->GetBarStyle() & CBRS_ALIGN_ANY);
}

// The floating frame follows the edge or corner being dragged; the bar is asked
// for its size along the way and keeps what it answers.
void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    CWnd* frame = m_pBar->m_pDockBar ? m_pBar->m_pDockBar->GetParent() : nullptr;
    if (!frame || !m_pBar->IsFloating())
        return;
    m_nHitTest = nHitTest;
    CRect start;
    frame->GetWindowRect(&start);
    m_rectFrameDragHorz = start;
    frame->SetCapture();
    for (;;) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (::GetCapture() != frame->m_hWnd || msg.message == WM_LBUTTONUP ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE) {
            if (!IsInputMessage(msg.message))
                ::DispatchMessage(&msg);
            continue;
        }
        CPoint by = CPoint(msg.pt) - pt;
        CRect rect = start;
        if (nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT)
            rect.left += by.x;
        if (nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT)
            rect.right += by.x;
        if (nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
            rect.top += by.y;
        if (nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
            rect.bottom += by.y;
        m_rectFrameDragHorz = rect;
        CRect client;
        frame->GetClientRect(&client);
        CRect window;
        frame->GetWindowRect(&window);
        CSize chrome(window.Width() - client.Width(), window.Height() - client.Height());
        CSize size;
        if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
            size = m_pBar->CalcDynamicLayout(rect.Width() - chrome.cx, LM_HORZ | LM_COMMIT);
        else if (nHitTest == HTTOP || nHitTest == HTBOTTOM)
            size = m_pBar->CalcDynamicLayout(rect.Height() - chrome.cy, LM_HORZ | LM_LENGTHY);
        else
            size = m_pBar->CalcDynamicLayout(0, LM_HORZ);
        CRect placed(rect.TopLeft(), CSize(size.cx + chrome.cx, size.cy + chrome.cy));
        if (rect.left != start.left)
            placed.OffsetRect(rect.right - placed.right, 0);
        if (rect.top != start.top)
            placed.OffsetRect(0, rect.bottom - placed.bottom);
        frame->SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (::GetCapture() == frame->m_hWnd)
        ::ReleaseCapture();
    m_nHitTest = HTNOWHERE;
}
