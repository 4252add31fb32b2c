// The sizing bars' shared design: non-client layout per dock side, the
// gripper, hit codes, docking moves and the floating size.
#include "controls/VXSizingBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CVXSizingBar, CControlBar)

BEGIN_MESSAGE_MAP(CVXSizingBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SETCURSOR()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVXSizingBar::CVXSizingBar(CSize minimum, int gripper, int border)
    : m_sizeMin(minimum), m_sizeHorz(200, 200), m_sizeVert(200, 200), m_sizeFloat(200, 200), m_nDockBarID(0),
      m_bInRecalcNC(FALSE), m_bTracking(FALSE), m_rectTracker(0, 0, 0, 0), m_ptOld(0, 0), m_rectBorder(0, 0, 0, 0),
      m_rectClose(0, 0, 0, 0), m_rectUndock(0, 0, 0, 0), m_rectGripper(0, 0, 0, 0), m_cxGripper(gripper), m_cxEdge(6),
      m_cxBorder(border), m_crHilite(::GetSysColor(COLOR_3DHILIGHT)), m_crShadow(::GetSysColor(COLOR_3DSHADOW)),
      m_crBackground(::GetSysColor(COLOR_3DFACE))
{
    m_brushBkgd.CreateSolidBrush(m_crBackground);
}

CVXSizingBar::~CVXSizingBar()
{
    m_brushBkgd.DeleteObject();
}

LPCSTR CVXSizingBar::RegisterBarClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)m_brushBkgd.GetSafeHandle());
}

void CVXSizingBar::ComputeSizes(CSize content, bool floatingBorder)
{
    m_sizeHorz = m_sizeVert = m_sizeFloat = content;
    if (floatingBorder)
        m_sizeFloat += CSize(2 * m_cxBorder, 2 * m_cxBorder);
    m_sizeHorz.cy += m_cxBorder + m_cxEdge;
    m_sizeVert.cx += m_cxEdge + m_cxBorder;
}

bool CVXSizingBar::Docked() const
{
    return m_nDockBarID >= AFX_IDW_DOCKBAR_TOP && m_nDockBarID <= AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CVXSizingBar::IsHorz() const
{
    return DockedAt(AFX_IDW_DOCKBAR_TOP) || DockedAt(AFX_IDW_DOCKBAR_BOTTOM);
}

void CVXSizingBar::ClientToWnd(CPoint& point) const
{
    if (DockedAt(AFX_IDW_DOCKBAR_BOTTOM))
        point.y += m_cxEdge;
    else if (DockedAt(AFX_IDW_DOCKBAR_RIGHT))
        point.x += m_cxEdge;
}

void CVXSizingBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// --- Layout -----------------------------------------------------------------

CSize CVXSizingBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (IsFloating())
        return m_sizeFloat;
    CFrameWnd* frame = m_pDockSite;
    auto dockExtent = [frame](UINT id, bool width) {
        CControlBar* dock = frame ? frame->GetControlBar(id) : nullptr;
        if (!dock || !dock->GetSafeHwnd())
            return 0;
        CRect r;
        dock->GetWindowRect(&r);
        return width ? r.Width() : r.Height();
    };
    if (bHorz)
        return CSize(bStretch ? 32767 : dockExtent(AFX_IDW_DOCKBAR_TOP, true) + FixedLayoutPad(), m_sizeHorz.cy);
    return CSize(m_sizeVert.cx, bStretch ? 32767 : dockExtent(AFX_IDW_DOCKBAR_LEFT, false) + FixedLayoutPad());
}

CSize CVXSizingBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    CFrameWnd* floating = IsFloating() ? GetParentFrame() : nullptr;
    if (floating)
        floating->ModifyStyle(MFS_4THICKFRAME, 0);
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (m_pDockSite)
            m_pDockSite->RecalcLayout();
        return CControlBar::CalcDynamicLayout(nLength, nMode);
    }
    if (nMode & LM_MRUWIDTH)
        return m_sizeFloat;
    if (nMode & LM_COMMIT) {
        m_sizeFloat.cx = nLength;
        return m_sizeFloat;
    }
    const int corner = m_pDockContext ? m_pDockContext->m_nHitTest : 0;
    if (floating && (corner == HTTOPLEFT || corner == HTTOPRIGHT || corner == HTBOTTOMLEFT || corner == HTBOTTOMRIGHT)) {
        CRect frameRect;
        floating->GetWindowRect(&frameRect);
        CPoint cursor;
        ::GetCursorPos(&cursor);
        const CPoint opposite(corner == HTTOPLEFT || corner == HTBOTTOMLEFT ? frameRect.right : frameRect.left,
                              corner == HTTOPLEFT || corner == HTTOPRIGHT ? frameRect.bottom : frameRect.top);
        m_sizeFloat.cx = std::max((int)m_sizeMin.cx, (int)std::abs(cursor.x - opposite.x));
        m_sizeFloat.cy = std::max((int)m_sizeMin.cy, (int)std::abs(cursor.y - opposite.y));
        m_pDockContext->m_rectFrameDragHorz.left = std::min(cursor.x, opposite.x);
        m_pDockContext->m_rectFrameDragHorz.top = std::min(cursor.y, opposite.y);
        return m_sizeFloat;
    }
    if (nMode & LM_LENGTHY) {
        m_sizeFloat.cy = std::max(nLength, (int)m_sizeMin.cy);
        return m_sizeFloat;
    }
    return CSize(std::max(nLength, (int)m_sizeMin.cx), m_sizeFloat.cy);
}

void CVXSizingBar::OnSize(UINT, int, int) {}

BOOL CVXSizingBar::OnEraseBkgnd(CDC* dc)
{
    return CWnd::OnEraseBkgnd(dc);
}

// Left, top, right and bottom insets of the client area for the dock side.
CRect CVXSizingBar::InsetsForSide() const
{
    if (DockedAt(AFX_IDW_DOCKBAR_TOP))
        return CRect(m_cxGripper, m_cxBorder, m_cxBorder, m_cxEdge);
    if (DockedAt(AFX_IDW_DOCKBAR_LEFT))
        return CRect(m_cxBorder, m_cxGripper, m_cxEdge, VerticalBottomInset());
    if (DockedAt(AFX_IDW_DOCKBAR_RIGHT))
        return CRect(m_cxEdge, m_cxGripper, m_cxBorder, VerticalBottomInset());
    if (DockedAt(AFX_IDW_DOCKBAR_BOTTOM))
        return CRect(m_cxGripper, m_cxEdge, m_cxBorder, m_cxBorder);
    return CRect(0, 0, 0, 0);
}

void CVXSizingBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params)
{
    CWnd* parent = GetParent();
    m_nDockBarID = parent ? parent->GetDlgCtrlID() : 0;
    RECT& rc = params->rgrc[0];
    const CSize window(rc.right - rc.left, rc.bottom - rc.top);
    m_dwStyle |= CBRS_BORDER_ANY;
    if (DockedAt(AFX_IDW_DOCKBAR_TOP)) {
        m_dwStyle &= ~CBRS_BORDER_BOTTOM;
        m_rectBorder.SetRect(0, window.cy - m_cxEdge, window.cx, window.cy);
    } else if (DockedAt(AFX_IDW_DOCKBAR_LEFT)) {
        m_dwStyle &= ~CBRS_BORDER_RIGHT;
        m_rectBorder.SetRect(window.cx - m_cxEdge, 0, window.cx, window.cy);
    } else if (DockedAt(AFX_IDW_DOCKBAR_RIGHT)) {
        m_dwStyle &= ~CBRS_BORDER_LEFT;
        m_rectBorder.SetRect(0, 0, m_cxEdge, window.cy);
    } else if (DockedAt(AFX_IDW_DOCKBAR_BOTTOM)) {
        m_dwStyle &= ~CBRS_BORDER_TOP;
        m_rectBorder.SetRect(0, 0, window.cx, m_cxEdge);
    } else {
        m_rectBorder.SetRectEmpty();
    }
    const CRect inset = InsetsForSide();
    rc.left += inset.left;
    rc.top += inset.top;
    rc.right = std::max(rc.left, rc.right - inset.right);
    rc.bottom = std::max(rc.top, rc.bottom - inset.bottom);
    CalcGripperRects(CRect(0, 0, window.cx, window.cy));
}

void CVXSizingBar::CalcGripperRects(const CRect& w)
{
    if (!Docked()) {
        m_rectClose.SetRectEmpty();
        m_rectUndock.SetRectEmpty();
        m_rectGripper.SetRectEmpty();
        return;
    }
    if (IsHorz()) {
        m_rectClose.SetRect(w.left + 7, w.top + 10, w.left + 19, w.top + 22);
        m_rectUndock = m_rectClose;
        m_rectUndock.OffsetRect(0, 13);
        m_rectGripper.SetRect(w.left, w.top + 40, w.left + m_cxGripper, w.bottom);
    } else {
        m_rectClose.SetRect(w.right - 21, w.top + 7, w.right - 10, w.top + 18);
        m_rectUndock = m_rectClose;
        m_rectUndock.OffsetRect(-13, 0);
        m_rectGripper.SetRect(w.left, w.top, w.right - 40, w.top + m_cxGripper);
    }
}

// A move between dock bars that kept the bar's rectangle brings no size
// message: the side is checked again before the non-client area is used.
void CVXSizingBar::SyncDockSide()
{
    CWnd* parent = GetParent();
    const UINT side = parent ? parent->GetDlgCtrlID() : 0;
    if (side == m_nDockBarID || m_bInRecalcNC)
        return;
    m_bInRecalcNC = TRUE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bInRecalcNC = FALSE;
}

LRESULT CVXSizingBar::OnNcHitTest(CPoint point)
{
    SyncDockSide();
    if (!Docked())
        return CControlBar::OnNcHitTest(point);
    CRect window;
    GetWindowRect(&window);
    point.Offset(-window.left, -window.top);
    if (m_rectClose.PtInRect(point))
        return HTSYSMENU;
    if (m_rectUndock.PtInRect(point))
        return HTMINBUTTON;
    if (m_rectGripper.PtInRect(point))
        return HTCAPTION;
    if (m_rectBorder.PtInRect(point))
        return HTSIZE;
    return CControlBar::OnNcHitTest(point + window.TopLeft());
}

// --- Non-client painting ----------------------------------------------------

void CVXSizingBar::OnNcPaint()
{
    SyncDockSide();
    if (m_pDockSite)
        m_pDockSite->RecalcLayout();
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    ScreenToClient(&window);
    GetClientRect(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, m_crBackground);
    dc.SelectClipRgn(nullptr);
    if (Docked())
        PaintGripper(dc);
}

void CVXSizingBar::PaintGripper(CDC& dc)
{
    CRect close = m_rectClose, undock = m_rectUndock;
    dc.DrawFrameControl(&close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    dc.DrawFrameControl(&undock, DFC_CAPTION, DFCS_CAPTIONMAX);
    PaintCaption(dc);
}

void CVXSizingBar::PaintCaption(CDC& dc)
{
    CRect window;
    GetWindowRect(&window);
    const int w = window.Width(), h = window.Height();
    if (IsHorz()) {
        dc.Draw3dRect(10, 38, 3, h - 10 - 38, m_crHilite, m_crShadow);
        dc.Draw3dRect(14, 38, 3, h - 10 - 38, m_crHilite, m_crShadow);
    } else {
        dc.Draw3dRect(10, 10, w - 38 - 10, 3, m_crHilite, m_crShadow);
        dc.Draw3dRect(10, 14, w - 38 - 10, 3, m_crHilite, m_crShadow);
    }
}

// --- Docking and content ----------------------------------------------------

void CVXSizingBar::OnWindowPosChanged(WINDOWPOS* pos)
{
    CControlBar::OnWindowPosChanged(pos);
    if (m_bInRecalcNC) {
        PlaceContent();
        return;
    }
    CWnd* parent = GetParent();
    const UINT side = parent ? parent->GetDlgCtrlID() : 0;
    const bool sameSide = side == m_nDockBarID && (pos->flags & SWP_NOSIZE) &&
                          (m_dwStyle & CBRS_BORDER_ANY) != CBRS_BORDER_ANY;
    if (sameSide)
        return;
    m_nDockBarID = side;
    m_bInRecalcNC = TRUE;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    m_bInRecalcNC = FALSE;
}

// --- Mouse ------------------------------------------------------------------

BOOL CVXSizingBar::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message)
{
    if (hitTest == HTSIZE && !m_bTracking) {
        const bool vertical = DockedAt(AFX_IDW_DOCKBAR_LEFT) || DockedAt(AFX_IDW_DOCKBAR_RIGHT);
        ::SetCursor(::LoadCursor(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, hitTest, message);
}

void CVXSizingBar::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    if (m_bTracking)
        return;
    if (hitTest == HTSYSMENU && m_pDockSite)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    else if (hitTest == HTMINBUTTON && m_pDockContext)
        m_pDockContext->ToggleDocking();
    else if (hitTest == HTCAPTION && m_pDockContext)
        m_pDockContext->StartDrag(point);
    else if (hitTest == HTSIZE)
        StartTracking();
}

void CVXSizingBar::OnNcLButtonDblClk(UINT hitTest, CPoint)
{
    if (!m_bTracking && hitTest == HTCAPTION && m_pDockContext)
        m_pDockContext->ToggleDocking();
}

void CVXSizingBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_bTracking || !m_pDockContext)
        return;
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
}

void CVXSizingBar::OnLButtonDblClk(UINT, CPoint)
{
    if (!m_bTracking && m_pDockContext)
        m_pDockContext->ToggleDocking();
}

void CVXSizingBar::OnMouseMove(UINT, CPoint point)
{
    if (m_bTracking)
        FollowCursor(point);
}

void CVXSizingBar::OnLButtonUp(UINT, CPoint)
{
    if (m_bTracking)
        StopTracking(TRUE);
}

void CVXSizingBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTracking && pWnd != this)
        StopTracking(FALSE);
    CControlBar::OnCaptureChanged(pWnd);
}
