#include "mfc/RectTracker.h"

#include "mfc/DC.h"
#include "mfc/GdiWrappers.h"
#include "mfc/Wnd.h"

#include <algorithm>
#include <cstdlib>

namespace {

CRect Normalized(const CRect& rect)
{
    CRect r = rect;
    r.NormalizeRect();
    return r;
}

bool IsMouseOrKey(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The message's client point, seen from pWnd (input posted before the
// capture may have gone to another window).
CPoint PointIn(const MSG& msg, CWnd* pWnd)
{
    POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.hwnd && msg.hwnd != pWnd->m_hWnd)
        ::MapWindowPoints(msg.hwnd, pWnd->m_hWnd, &pt, 1);
    return CPoint(pt);
}

}  // namespace

CRectTracker::CRectTracker()
{
    Construct();
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
{
    Construct();
    if (lpSrcRect)
        m_rect = *lpSrcRect;
    m_nStyle = nStyle;
}

CRectTracker::~CRectTracker() = default;

void CRectTracker::Construct()
{
    m_rect.SetRectEmpty();
    m_nHandleSize = 4;
    m_sizeMin = CSize(m_nHandleSize * 2, m_nHandleSize * 2);
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
}

// Inside handles shrink with a small rectangle so that they never cover it.
int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    if (m_nStyle & resizeOutside)
        return m_nHandleSize;
    CRect rect = Normalized(lpRect ? CRect(lpRect) : m_rect);
    int room = std::min(rect.Width(), rect.Height()) / 3;
    return std::max(1, std::min(m_nHandleSize, room));
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;  // the corners always
    int needed = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - needed > 4)
        mask |= (1u << hitTop) | (1u << hitBottom);
    if (std::abs(m_rect.Height()) - needed > 4)
        mask |= (1u << hitLeft) | (1u << hitRight);
    return mask;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = Normalized(m_rect);
    if (m_nStyle & (resizeOutside | hatchedBorder)) {
        int size = GetHandleSize();
        rect.InflateRect(size, size);
    }
    *lpTrueRect = rect;
}

// Handles lie inside the rectangle, or inside the ring around it with resizeOutside.
void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    CRect rect = Normalized(m_rect);
    int size = GetHandleSize();
    if (m_nStyle & resizeOutside)
        rect.InflateRect(size, size);
    int midX = rect.left + (rect.Width() - size) / 2;
    int midY = rect.top + (rect.Height() - size) / 2;
    int x = rect.left, y = rect.top;
    switch (nHandle) {
    case hitTopLeft: break;
    case hitTopRight: x = rect.right - size; break;
    case hitBottomRight: x = rect.right - size; y = rect.bottom - size; break;
    case hitBottomLeft: y = rect.bottom - size; break;
    case hitTop: x = midX; break;
    case hitRight: x = rect.right - size; y = midY; break;
    case hitBottom: x = midX; y = rect.bottom - size; break;
    case hitLeft: y = midY; break;
    default: pHandleRect->SetRectEmpty(); return;
    }
    pHandleRect->SetRect(x, y, x + size, y + size);
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    CRect trueRect;
    GetTrueRect(&trueRect);
    if (!trueRect.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect handle;
            GetHandleRect(i, &handle);
            if (handle.PtInRect(point))
                return i;
        }
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    return HitTestHandles(point);
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < 0 || nHandle == hitMiddle)
        return nHandle;
    if (m_rect.Width() < 0) {
        static const int swapX[8] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight,
                                     hitTop, hitLeft, hitBottom, hitRight};
        nHandle = swapX[nHandle];
    }
    if (m_rect.Height() < 0) {
        static const int swapY[8] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft,
                                     hitBottom, hitRight, hitTop, hitLeft};
        nHandle = swapY[nHandle];
    }
    return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT || !pWnd)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    int hit = HitTest(point);
    if (hit < 0)
        return FALSE;
    static const LPCSTR cursors[9] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS,
                                      IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
    ::SetCursor(::LoadCursor(nullptr, cursors[hit]));
    return TRUE;
}

void CRectTracker::Draw(CDC* pDC) const
{
    if (!pDC)
        return;
    int saved = pDC->SaveDC();
    CRect rect = Normalized(m_rect);

    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
        pDC->SelectObject(&pen);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->SetROP2(R2_COPYPEN);
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->Rectangle(rect);
        pDC->RestoreDC(saved);
        saved = pDC->SaveDC();
    }

    if (m_nStyle & (hatchInside | hatchedBorder)) {
        CBrush hatch;
        hatch.CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        if (m_nStyle & hatchInside)
            pDC->FillRect(rect, &hatch);
        if (m_nStyle & hatchedBorder) {
            CRect outer;
            GetTrueRect(&outer);
            pDC->FillRect(CRect(outer.left, outer.top, outer.right, rect.top), &hatch);
            pDC->FillRect(CRect(outer.left, rect.bottom, outer.right, outer.bottom), &hatch);
            pDC->FillRect(CRect(outer.left, rect.top, rect.left, rect.bottom), &hatch);
            pDC->FillRect(CRect(rect.right, rect.top, outer.right, rect.bottom), &hatch);
        }
    }

    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect handle;
            GetHandleRect(i, &handle);
            pDC->FillSolidRect(handle, RGB(0, 0, 0));
        }
    }
    pDC->RestoreDC(saved);
}

// Only the difference between the last frame and the new one is inverted, so
// the erase call before a draw has nothing to do; the final erase removes it.
void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    if (!lpRect || !pDC)
        return;
    CRect rect = Normalized(CRect(lpRect));
    if (pWndClipTo && pWnd) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        if (m_nStyle & hatchedBorder) {
            int thick = std::max(1, GetHandleSize(rect) - 1);
            size = CSize(thick, thick);
            rect.InflateRect(size);
        } else {
            size = CSize(1, 1);
        }
    }
    if (m_bFinalErase || !m_bErase) {
        pDC->DrawDragRect(rect, size, m_rectLast, m_sizeLast);
        m_rectLast = rect;
        m_sizeLast = size;
    }
}

void CRectTracker::AdjustRect(int, LPRECT) {}

void CRectTracker::OnChangedRect(const CRect&) {}

// The coordinates of the stored rectangle a handle moves, and how far the
// point lies from them.
void CRectTracker::GetModifyPointers(int nHandle, int** ppx, int** ppy, int* px, int* py)
{
    *ppx = nullptr;
    *ppy = nullptr;
    switch (nHandle) {
    case hitTopLeft: *ppx = &m_rect.left; *ppy = &m_rect.top; break;
    case hitTopRight: *ppx = &m_rect.right; *ppy = &m_rect.top; break;
    case hitBottomRight: *ppx = &m_rect.right; *ppy = &m_rect.bottom; break;
    case hitBottomLeft: *ppx = &m_rect.left; *ppy = &m_rect.bottom; break;
    case hitTop: *ppy = &m_rect.top; break;
    case hitRight: *ppx = &m_rect.right; break;
    case hitBottom: *ppy = &m_rect.bottom; break;
    case hitLeft: *ppx = &m_rect.left; break;
    case hitMiddle: *ppx = &m_rect.left; *ppy = &m_rect.top; break;
    }
    if (px)
        *px = *ppx ? *px - **ppx : 0;
    if (py)
        *py = *ppy ? *py - **ppy : 0;
}

// Without inversion a moving edge stops at the minimum distance from the fixed one.
void CRectTracker::ClampToMinimum(int nHandle)
{
    if (m_bAllowInvert || nHandle == hitMiddle)
        return;
    switch (nHandle) {
    case hitTopLeft: case hitBottomLeft: case hitLeft:
        m_rect.left = std::min(m_rect.left, m_rect.right - m_sizeMin.cx);
        break;
    case hitTopRight: case hitBottomRight: case hitRight:
        m_rect.right = std::max(m_rect.right, m_rect.left + m_sizeMin.cx);
        break;
    }
    switch (nHandle) {
    case hitTopLeft: case hitTopRight: case hitTop:
        m_rect.top = std::min(m_rect.top, m_rect.bottom - m_sizeMin.cy);
        break;
    case hitBottomLeft: case hitBottomRight: case hitBottom:
        m_rect.bottom = std::max(m_rect.bottom, m_rect.top + m_sizeMin.cy);
        break;
    }
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    int hit = HitTest(point);
    if (hit < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(hit, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    BOOL moved = TrackHandle(hitBottomRight, pWnd, point, nullptr);
    return moved && !Normalized(m_rect).IsRectEmpty();
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    if (!pWnd || !pWnd->m_hWnd || ::GetCapture() != nullptr)
        return FALSE;
    pWnd->UpdateWindow();
    if (pWndClipTo)
        pWndClipTo->UpdateWindow();

    // Handles name the rectangle as seen; an inverted one moves its other coordinates.
    int stored = NormalizeHit(nHandle);
    CRect rectSave = m_rect;
    CSize sizeMove = m_rect.Size();
    int *px, *py;
    int dx = point.x, dy = point.y;
    GetModifyPointers(stored, &px, &py, &dx, &dy);

    pWnd->SetCapture();
    CWnd* drawIn = pWndClipTo ? pWndClipTo : pWnd;
    CDC* dc = drawIn->GetDCEx(nullptr, DCX_CACHE);
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    DrawTrackerRect(&m_rect, pWndClipTo, dc, pWnd);

    bool moved = false, cancelled = false, done = false;
    while (!done) {
        MSG msg;
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage((int)msg.wParam);
            cancelled = true;
            break;
        }
        if (CWnd::GetCapture() != pWnd) {
            cancelled = true;
            ::DispatchMessage(&msg);
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            CPoint pt = PointIn(msg, pWnd);
            CRect old = m_rect;
            if (px)
                *px = pt.x - dx;
            if (py)
                *py = pt.y - dy;
            if (stored == hitMiddle) {
                m_rect.right = m_rect.left + sizeMove.cx;
                m_rect.bottom = m_rect.top + sizeMove.cy;
            }
            ClampToMinimum(stored);
            AdjustRect(nHandle, &m_rect);
            if (m_rect != old) {
                moved = true;
                m_bErase = TRUE;
                DrawTrackerRect(&old, pWndClipTo, dc, pWnd);
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, pWndClipTo, dc, pWnd);
                OnChangedRect(old);
            }
            done = msg.message == WM_LBUTTONUP;
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                cancelled = done = true;
            break;
        case WM_RBUTTONDOWN:
            cancelled = done = true;
            break;
        default:
            if (!IsMouseOrKey(msg.message))
                ::DispatchMessage(&msg);
            break;
        }
    }

    m_bErase = TRUE;
    m_bFinalErase = TRUE;
    DrawTrackerRect(&m_rect, pWndClipTo, dc, pWnd);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    drawIn->ReleaseDC(dc);
    if (CWnd::GetCapture() == pWnd)
        ::ReleaseCapture();

    if (cancelled) {
        if (m_rect != rectSave) {
            CRect old = m_rect;
            m_rect = rectSave;
            OnChangedRect(old);
        }
        return FALSE;
    }
    return moved;
}
