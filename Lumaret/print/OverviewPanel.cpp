#include "print/OverviewPanel.h"

#include "controls/VXGDI.h"
#include "framework/VXApp.h"
#include "image/ImageObject.h"
#include "image/ImgDetailView.h"

namespace {

const COLORREF kPanelColour = RGB(0x80, 0x80, 0x80);
const COLORREF kFrameColour = RGB(0, 0, 0xFF);
const UINT kHandCursor = 128;

bool Closing()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app && app->m_bClosing;
}

}  // namespace

const char COverviewPanel::kStatusZoomFormat[] = "화면 축소/확대 비율 = %.1f %%";
const char COverviewPanel::kEditZoomFormat[] = "화면 비율 = %.1f %%";

COverviewPanel::COverviewPanel() : m_rcViewSrc(-1, -1, -1, -1), m_rcOverviewFrame(-1, -1, -1, -1), m_ptLast(-1, -1)
{
}

COverviewPanel::~COverviewPanel() = default;

void COverviewPanel::Attach(CWnd* owner, UINT controlId)
{
    m_pOwner = owner;
    m_nControlId = controlId;
}

void COverviewPanel::SetZoomSink(const char* format, std::function<void(const CString&)> sink)
{
    m_strZoomFormat = format;
    m_zoomSink = std::move(sink);
}

CRect COverviewPanel::ControlRect() const
{
    CRect rect(0, 0, 0, 0);
    CWnd* control = m_pOwner ? m_pOwner->GetDlgItem(m_nControlId) : nullptr;
    if (!control)
        return rect;
    control->GetWindowRect(&rect);
    m_pOwner->ScreenToClient(&rect);
    return rect;
}

CRect COverviewPanel::PanelRect() const
{
    CRect rect = ControlRect();
    return CRect(rect.left + 3, rect.top + 5, rect.right - 3, rect.bottom - 3);
}

CPoint COverviewPanel::PicturePos() const
{
    CRect panel = PanelRect();
    if (!m_pOverviewImg)
        return panel.TopLeft();
    return CPoint(panel.left + (panel.Width() - m_pOverviewImg->GetWidth()) / 2,
                  panel.top + (panel.Height() - m_pOverviewImg->GetHeight()) / 2);
}

void COverviewPanel::Drop()
{
    m_pOverviewImg.reset();
    m_rcOverviewFrame.SetRect(-1, -1, -1, -1);
    m_bDragging = FALSE;
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->InvalidateRect(ControlRect(), FALSE);
}

void COverviewPanel::Rebuild()
{
    m_pOverviewImg.reset();
    m_nOverviewRatio = 0;
    CImageObject* picture = m_pView ? m_pView->m_pImgObj : nullptr;
    CRect panel = PanelRect();
    if (picture && picture->IsLoaded() && panel.Width() > 0 && panel.Height() > 0) {
        m_nOverviewRatio = picture->GetThumbRatio(panel, nullptr, TRUE);
        // A ratio of 0 (a picture a thousand times the panel) gets no small picture.
        if (m_nOverviewRatio > 0) {
            UINT w = 0, h = 0;
            m_pOverviewImg.reset(picture->MakeScaledImgObj(m_nOverviewRatio, &w, &h));
        }
    }
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->InvalidateRect(ControlRect(), FALSE);
}

void COverviewPanel::InvalidateRing(const CRect& frame)
{
    if (frame.left == -1 || !m_pOwner || !m_pOwner->GetSafeHwnd())
        return;
    CRgn outer, inner;
    outer.CreateRectRgn(frame.left, frame.top, frame.right + 1, frame.bottom + 1);
    inner.CreateRectRgn(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1);
    outer.CombineRgn(&outer, &inner, RGN_DIFF);
    m_pOwner->InvalidateRgn(&outer, FALSE);
}

void COverviewPanel::OnViewRectChanged(const CRect& source)
{
    if (Closing() || !m_pOverviewImg)
        return;
    if (m_zoomSink && m_pView) {
        CString text;
        text.Format(m_strZoomFormat, m_pView->GetZoomRatio() * 0.1);
        m_zoomSink(text);
    }
    InvalidateRing(m_rcOverviewFrame);
    m_rcViewSrc = source;
    CRect panel = PanelRect();
    CPoint at = PicturePos();
    if (panel.Width() > 0 && panel.Height() > 0 && at.x >= 0 && at.y >= 0) {
        int r = m_nOverviewRatio;
        CRect& f = m_rcOverviewFrame;
        f.left = source.left * r / 1000 + at.x;
        f.top = source.top * r / 1000 + at.y;
        f.right = (source.right - source.left) * r / 1000 + f.left + 1;
        f.bottom = (source.bottom - source.top) * r / 1000 + f.top + 1;
        InvalidateRing(f);
    }
}

void COverviewPanel::Relayout()
{
    OnViewRectChanged(m_rcViewSrc);
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->InvalidateRect(ControlRect(), FALSE);
}

void COverviewPanel::Paint(CDC* dc)
{
    CRect outline = ControlRect();
    CVXGDI::VXRoundRect(dc, &outline, kPanelColour, kPanelColour);
    if (m_pOverviewImg) {
        CPoint at = PicturePos();
        m_pOverviewImg->DrawStretchDirect(dc, 0, 0, -1, -1, at.x, at.y, -1, -1);
    }
    if (m_rcOverviewFrame.left != -1) {
        CPen pen(PS_SOLID, 1, kFrameColour);
        CPen* old = dc->SelectObject(&pen);
        const CRect& f = m_rcOverviewFrame;
        POINT ring[5] = {{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}, {f.left, f.top}};
        dc->Polyline(ring, 5);
        dc->SelectObject(old);
    }
}

void COverviewPanel::PushInside(CRect& frame) const
{
    if (!m_pOverviewImg)
        return;
    CPoint at = PicturePos();
    if (frame.left < at.x)
        frame.OffsetRect(at.x - frame.left, 0);
    if (frame.top < at.y)
        frame.OffsetRect(0, at.y - frame.top);
    int right = at.x + m_pOverviewImg->GetWidth();
    int bottom = at.y + m_pOverviewImg->GetHeight();
    if (frame.right > right)
        frame.OffsetRect(right - frame.right, 0);
    if (frame.bottom > bottom)
        frame.OffsetRect(0, bottom - frame.bottom);
}

void COverviewPanel::ScrollViewToFrame()
{
    // Without a ratio there is no mapping back to the page.
    if (!m_pView || !m_pView->GetSafeHwnd() || m_nOverviewRatio <= 0)
        return;
    CPoint at = PicturePos();
    CPoint source((m_rcOverviewFrame.left - at.x) * 1000 / m_nOverviewRatio,
                  (m_rcOverviewFrame.top - at.y) * 1000 / m_nOverviewRatio);
    m_pView->ScrollToPosition(m_pView->GetDstPoint(source));
}

void COverviewPanel::OnMouseMove(UINT flags, CPoint point)
{
    if (flags == MK_LBUTTON) {
        if (!m_bDragging || m_rcOverviewFrame.left == -1)
            return;
        InvalidateRing(m_rcOverviewFrame);
        m_rcOverviewFrame.OffsetRect(point - m_ptLast);
        PushInside(m_rcOverviewFrame);
        InvalidateRing(m_rcOverviewFrame);
        if (m_pOwner)
            m_pOwner->UpdateWindow();
        ScrollViewToFrame();
        m_ptLast = point;
        return;
    }
    if ((flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
        m_bDragging = m_rcOverviewFrame.PtInRect(point);
}

void COverviewPanel::OnLButtonDown(UINT, CPoint point)
{
    if (!m_pOverviewImg || !m_pOwner)
        return;
    m_pOwner->SetFocus();
    m_pOwner->SetCapture();
    if (m_bDragging)
        m_ptLast = point;
}

void COverviewPanel::OnLButtonUp(UINT, CPoint)
{
    if (m_pOverviewImg && ::GetCapture() == (m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr))
        ::ReleaseCapture();
}

BOOL COverviewPanel::OnSetCursor()
{
    if (!m_bDragging)
        return FALSE;
    ::SetCursor(AfxGetApp()->LoadCursor(kHandCursor));
    return TRUE;
}
