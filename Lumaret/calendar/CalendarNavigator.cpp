#include "calendar/CalendarNavigator.h"

#include "controls/VXGDI.h"
#include "image/ImageObject.h"
#include "image/ImgDetailView.h"

CCalendarNavigator::CCalendarNavigator(CWnd& owner, UINT frameId)
    : m_rcSource(-1, -1, -1, -1), m_rcNav(-1, -1, -1, -1), m_bNavGrab(FALSE), m_ptLast(-1, -1), m_nNavRatio(0),
      m_owner(owner), m_nFrameId(frameId)
{
}

CCalendarNavigator::~CCalendarNavigator() = default;

CRect CCalendarNavigator::Frame() const
{
    CRect rect(0, 0, 0, 0);
    CWnd* frame = m_owner.GetSafeHwnd() ? m_owner.GetDlgItem(m_nFrameId) : nullptr;
    if (frame) {
        frame->GetWindowRect(&rect);
        m_owner.ScreenToClient(&rect);
    }
    return rect;
}

CRect CCalendarNavigator::Box() const
{
    CRect frame = Frame();
    return CRect(frame.left + 3, frame.top + 5, frame.right - 3, frame.bottom - 3);
}

CPoint CCalendarNavigator::PicturePos() const
{
    CRect box = Box();
    if (!m_pNavImage)
        return box.TopLeft();
    return CPoint(box.left + (box.Width() - m_pNavImage->GetWidth()) / 2,
                  box.top + (box.Height() - m_pNavImage->GetHeight()) / 2);
}

void CCalendarNavigator::Make(CImgDetailView* view)
{
    m_pNavImage.reset();
    if (view && view->m_pImgObj && view->m_pImgObj->IsLoaded()) {
        CRect box = Box();
        m_nNavRatio = view->m_pImgObj->GetThumbRatio(box, nullptr, TRUE);
        UINT w = 0, h = 0;
        if (m_nNavRatio > 0)
            m_pNavImage.reset(view->m_pImgObj->MakeScaledImgObj(m_nNavRatio, &w, &h));
    }
    CRect frame = Frame();
    m_owner.InvalidateRect(&frame, TRUE);
}

void CCalendarNavigator::Paint(CDC& dc)
{
    CRect frame = Frame();
    if (frame.IsRectEmpty())
        return;
    CVXGDI::VXRoundRect(&dc, &frame, PANEL_COLOR, PANEL_COLOR);
    if (m_pNavImage) {
        CPoint at = PicturePos();
        m_pNavImage->DrawStretchDirect(&dc, 0, 0, m_pNavImage->GetWidth(), m_pNavImage->GetHeight(), at.x, at.y,
                                       m_pNavImage->GetWidth(), m_pNavImage->GetHeight());
    }
    if (HasOutline()) {
        CPen pen(PS_SOLID, 1, (COLORREF)OUTLINE_COLOR);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(m_rcNav.left, m_rcNav.top);
        dc.LineTo(m_rcNav.right, m_rcNav.top);
        dc.LineTo(m_rcNav.right, m_rcNav.bottom);
        dc.LineTo(m_rcNav.left, m_rcNav.bottom);
        dc.LineTo(m_rcNav.left, m_rcNav.top);
        dc.SelectObject(old);
    }
}

void CCalendarNavigator::InvalidateOutline(BOOL erase)
{
    if (!HasOutline() || !m_owner.GetSafeHwnd())
        return;
    CRgn outer, inner;
    outer.CreateRectRgn(m_rcNav.left, m_rcNav.top, m_rcNav.right + 1, m_rcNav.bottom + 1);
    inner.CreateRectRgn(m_rcNav.left + 1, m_rcNav.top + 1, m_rcNav.right - 1, m_rcNav.bottom - 1);
    outer.CombineRgn(&outer, &inner, RGN_DIFF);
    m_owner.InvalidateRgn(&outer, erase);
}

void CCalendarNavigator::ViewRectChanged(const CRect& visible)
{
    if (!m_pNavImage)
        return;
    InvalidateOutline(FALSE);
    m_rcSource = visible;
    CRect frame = Frame();
    CPoint at = PicturePos();
    if (frame.Width() <= 0 || frame.Height() <= 0 || at.x < 0 || at.y < 0)
        return;
    const long long ratio = m_nNavRatio;
    m_rcNav.left = (int)(visible.left * ratio / 1000) + at.x;
    m_rcNav.top = (int)(visible.top * ratio / 1000) + at.y;
    m_rcNav.right = m_rcNav.left + (int)((long long)visible.Width() * ratio / 1000) + 1;
    m_rcNav.bottom = m_rcNav.top + (int)((long long)visible.Height() * ratio / 1000) + 1;
    InvalidateOutline(FALSE);
}

void CCalendarNavigator::ButtonDown(CPoint point)
{
    if (!m_pNavImage)
        return;
    m_owner.SetFocus();
    m_owner.SetCapture();
    if (m_bNavGrab)
        m_ptLast = point;
}

void CCalendarNavigator::ButtonUp()
{
    if (m_pNavImage && ::GetCapture() == m_owner.GetSafeHwnd())
        ::ReleaseCapture();
}

void CCalendarNavigator::MouseMove(UINT flags, CPoint point, CImgDetailView* view)
{
    if (!m_pNavImage) {
        m_bNavGrab = FALSE;
        return;
    }
    if (flags != MK_LBUTTON) {
        m_bNavGrab = HasOutline() && m_rcNav.PtInRect(point);
        return;
    }
    if (!m_bNavGrab)
        return;
    InvalidateOutline(TRUE);
    m_rcNav.OffsetRect(point.x - m_ptLast.x, point.y - m_ptLast.y);
    const CPoint at = PicturePos();
    const int right = at.x + m_pNavImage->GetWidth(), bottom = at.y + m_pNavImage->GetHeight();
    if (m_rcNav.left < at.x)
        m_rcNav.OffsetRect(at.x - m_rcNav.left, 0);
    if (m_rcNav.top < at.y)
        m_rcNav.OffsetRect(0, at.y - m_rcNav.top);
    if (m_rcNav.right > right)
        m_rcNav.OffsetRect(right - m_rcNav.right, 0);
    if (m_rcNav.bottom > bottom)
        m_rcNav.OffsetRect(0, bottom - m_rcNav.bottom);
    InvalidateOutline(TRUE);
    m_owner.UpdateWindow();
    // A ratio of 0 maps no point back into the picture.
    if (view && m_nNavRatio > 0) {
        m_rcSource.left = (int)((long long)(m_rcNav.left - at.x) * 1000 / m_nNavRatio);
        m_rcSource.top = (int)((long long)(m_rcNav.top - at.y) * 1000 / m_nNavRatio);
        CPoint source(m_rcSource.left, m_rcSource.top);
        view->ScrollToPosition(view->GetDstPoint(source));
    }
    m_ptLast = point;
}
