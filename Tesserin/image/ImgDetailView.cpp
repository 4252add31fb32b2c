#include "image/ImgDetailView.h"

#include "image/ImageObject.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CImgDetailView, CScrollView)

BEGIN_MESSAGE_MAP(CImgDetailView, CScrollView)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_MOUSEACTIVATE()
ON_WM_ERASEBKGND()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

const UINT kDefaultSteps[] = {100, 125, 200, 250, 333, 500, 660, 750, 800, 1000, 1250, 1500, 2000, 2500, 3000, 4000};
const COLORREF kShadowColour = RGB(0x40, 0x40, 0x40);

// The step that r x value / 1000 rounds through; derived views may list huge steps.
int Scale(long long value, long long ratio)
{
    return (int)(value * ratio / 1000);
}

int Unscale(long long value, long long ratio)
{
    return ratio > 0 ? (int)(value * 1000 / ratio) : 0;
}

// A grid edge below (or at) the edge when it is not on the grid of s.
int WidenLow(int edge, int s)
{
    return edge % s ? (edge / s - 1) * s : edge;
}

int WidenHigh(int edge, int s)
{
    return edge % s ? (edge / s + 1) * s : edge;
}

}  // namespace

CImgDetailView::CImgDetailView()
    : m_bActivateOnClick(TRUE),
      m_pImgObj(NULL),
      m_nZoomIndex(1),
      m_nOffsetX(0),
      m_nOffsetY(0),
      m_crBackground(RGB(0x80, 0x80, 0x80)),
      m_rcClient(-1, -1, -1, -1),
      m_nDragStartX(-1),
      m_nDragStartY(-1),
      m_nDragScrollX(-1),
      m_nDragScrollY(-1),
      m_ptLastDrag(0, 0)
{
    for (UINT step : kDefaultSteps)
        m_ZoomRatios.Add(step);
}

CImgDetailView::~CImgDetailView() = default;

bool CImgDetailView::HasPicture() const
{
    return m_pImgObj != NULL;
}

void CImgDetailView::RefreshClientRect()
{
    if (m_hWnd)
        GetClientRect(&m_rcClient);
}

int CImgDetailView::GetZoomRatio()
{
    if (m_ZoomRatios.GetSize() == 0)
        return 1000;
    int index = std::clamp(m_nZoomIndex, 0, (int)m_ZoomRatios.GetSize() - 1);
    return (int)m_ZoomRatios[index];
}

int CImgDetailView::Zoomed(int size)
{
    return Scale(size, GetZoomRatio());
}

int CImgDetailView::SetZoomRatio(int ratio)
{
    int chosen = 0;
    for (int i = 0; i < (int)m_ZoomRatios.GetSize(); i++) {
        if ((long long)m_ZoomRatios[i] <= ratio)
            chosen = i;
    }
    m_nZoomIndex = chosen;
    return GetZoomRatio();
}

void CImgDetailView::FitImageToView()
{
    if (!HasPicture() || m_pImgObj->GetWidth() <= 0 || m_pImgObj->GetHeight() <= 0)
        return;
    SetZoomRatio(m_pImgObj->GetThumbRatio(m_rcClient, NULL, TRUE));
}

void CImgDetailView::RebuildScrollSizes()
{
    if (!HasPicture())
        return;
    CSize total(Zoomed(m_pImgObj->GetWidth()), Zoomed(m_pImgObj->GetHeight()));
    CSize page(m_rcClient.Width() / 2, m_rcClient.Height() / 2);
    CSize line(m_rcClient.Width() / 6, m_rcClient.Height() / 6);
    SetScrollSizes(MM_TEXT, total, page, line);
    if (m_hWnd)
        Invalidate(TRUE);
}

void CImgDetailView::ZoomIn()
{
    StepZoom(+1);
}

void CImgDetailView::ZoomOut()
{
    StepZoom(-1);
}

// Keeps the picture point under the client centre where it was.
void CImgDetailView::StepZoom(int step)
{
    if (!HasPicture())
        return;
    CPoint centre(m_rcClient.Width() / 2, m_rcClient.Height() / 2);
    CPoint c = GetSrcPointFromView(centre);
    if (c.x >= m_pImgObj->GetWidth())
        c.x = m_pImgObj->GetWidth() / 2;
    if (c.y >= m_pImgObj->GetHeight())
        c.y = m_pImgObj->GetHeight() / 2;

    SendMessage(WM_SETREDRAW, FALSE);
    m_nZoomIndex = std::clamp(m_nZoomIndex + step, 0, std::max(0, (int)m_ZoomRatios.GetSize() - 1));
    RebuildScrollSizes();
    CPoint d = GetDstPoint(c);
    CPoint target = GetScrollPosition();
    if (Zoomed(m_pImgObj->GetWidth()) > m_rcClient.Width())
        target.x = d.x - m_rcClient.Width() / 2;
    if (Zoomed(m_pImgObj->GetHeight()) > m_rcClient.Height())
        target.y = d.y - m_rcClient.Height() / 2;
    ScrollToPosition(target);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
    RefreshClientRect();
    SetNavigationRect();
}

CPoint CImgDetailView::GetSrcPointFromView(CPoint& p)
{
    if (!HasPicture())
        return CPoint(-1, -1);
    CPoint scroll = GetScrollPosition();
    int r = GetZoomRatio();
    return CPoint(Unscale((long long)scroll.x + p.x, r), Unscale((long long)scroll.y + p.y, r));
}

CPoint CImgDetailView::GetDstPoint(CPoint& p)
{
    int r = GetZoomRatio();
    return CPoint(Scale(p.x, r), Scale(p.y, r));
}

CRect CImgDetailView::GetSrcRectFromDst(CRect& d)
{
    int r = GetZoomRatio();
    if (r == 333)
        return CRect(d.left * 3, d.top * 3, d.right * 3, d.bottom * 3);
    return CRect(Unscale(d.left, r), Unscale(d.top, r), Unscale((long long)d.right + 1, r) - 1,
                 Unscale((long long)d.bottom + 1, r) - 1);
}

CRect CImgDetailView::GetSrcRectFromView(CRect& v)
{
    if (!HasPicture())
        return CRect(-1, -1, -1, -1);
    CRect shifted = v;
    shifted.OffsetRect(GetScrollPosition());
    CRect src = GetSrcRectFromDst(shifted);
    src.left = std::max(0, (int)src.left);
    src.top = std::max(0, (int)src.top);
    src.right = std::min(m_pImgObj->GetWidth() - 1, (int)src.right);
    src.bottom = std::min(m_pImgObj->GetHeight() - 1, (int)src.bottom);
    return src;
}

void CImgDetailView::SetNavigationRect()
{
}

BOOL CImgDetailView::PreCreateWindow(CREATESTRUCT& cs)
{
    // The view paints its own surround: no class brush to flash first.
    if (!CScrollView::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW), NULL, NULL);
    return TRUE;
}

void CImgDetailView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMapMode = MM_TEXT;
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CImgDetailView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    RebuildScrollSizes();
}

void CImgDetailView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate)
        SetNavigationRect();
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// The part of the zoomed picture (its own coordinates) that the clip box
// needs, widened to whole source pixels above 1:1; empty when none.
CRect CImgDetailView::DrawArea(CDC* pDC, int ratio, int zoomedWidth, int zoomedHeight)
{
    CRect clip;
    int kind = pDC->GetClipBox(&clip);
    if (kind == ERROR || kind == NULLREGION || clip.IsRectEmpty())
        return CRect();
    // The clip box is in window terms; the picture starts at the centring offsets.
    clip.OffsetRect(-m_nOffsetX, -m_nOffsetY);
    CRect picture(0, 0, zoomedWidth, zoomedHeight);
    CRect area;
    if (!area.IntersectRect(&picture, &clip))
        return CRect();
    if (ratio > 1000) {
        int s = ratio / 1000;
        area.SetRect(WidenLow(area.left, s), WidenLow(area.top, s), WidenHigh(area.right, s),
                     WidenHigh(area.bottom, s));
        // The widened edges can fall outside the picture; those pixels have no source.
        area.IntersectRect(&area, &picture);
    }
    return area;
}

void CImgDetailView::OnDraw(CDC* pDC)
{
    if (!HasPicture() || !pDC)
        return;
    RefreshClientRect();
    int r = GetZoomRatio();
    int w = Zoomed(m_pImgObj->GetWidth());
    int h = Zoomed(m_pImgObj->GetHeight());
    m_nOffsetX = w < m_rcClient.Width() ? (m_rcClient.Width() - w) / 2 : 0;
    m_nOffsetY = h < m_rcClient.Height() ? (m_rcClient.Height() - h) / 2 : 0;
    CRect area = DrawArea(pDC, r, w, h);
    if (area.IsRectEmpty())
        return;
    if (r > 1000) {
        pDC->SetStretchBltMode(COLORONCOLOR);
    } else {
        pDC->SetStretchBltMode(HALFTONE);
        pDC->SetBrushOrg(0, 0);
    }
    m_pImgObj->SetDst_x(m_nOffsetX + area.left);
    m_pImgObj->SetDst_y(m_nOffsetY + area.top);
    m_pImgObj->SetDst_width(area.Width());
    m_pImgObj->SetDst_height(area.Height());
    m_pImgObj->SetSrc_x(Unscale(area.left, r));
    m_pImgObj->SetSrc_y(Unscale(area.top, r));
    m_pImgObj->SetSrc_width(Unscale(area.Width(), r));
    m_pImgObj->SetSrc_height(Unscale(area.Height(), r));
    m_pImgObj->DrawStretch(pDC);
    if (m_nOffsetX && m_nOffsetY)
        DrawShadow(pDC, area);
}

void CImgDetailView::DrawShadow(CDC* pDC, const CRect& area)
{
    int depth = area.Width() / 100;
    int left = m_nOffsetX + area.left;
    int top = m_nOffsetY + area.top;
    pDC->FillSolidRect(left + area.Width(), top + depth, depth, area.Height(), kShadowColour);
    pDC->FillSolidRect(left + depth, top + area.Height(), area.Width(), depth, kShadowColour);
}

BOOL CImgDetailView::OnEraseBkgnd(CDC* pDC)
{
    RefreshClientRect();
    if (!HasPicture()) {
        pDC->FillSolidRect(&m_rcClient, m_crBackground);
        return 0;
    }
    int w = Zoomed(m_pImgObj->GetWidth());
    int h = Zoomed(m_pImgObj->GetHeight());
    if (w < m_rcClient.Width())
        m_nOffsetX = (m_rcClient.Width() - w) / 2;
    if (h < m_rcClient.Height())
        m_nOffsetY = (m_rcClient.Height() - h) / 2;
    CRgn surround, picture;
    surround.CreateRectRgnIndirect(&m_rcClient);
    picture.CreateRectRgn(m_nOffsetX, m_nOffsetY, m_nOffsetX + w, m_nOffsetY + h);
    surround.CombineRgn(&surround, &picture, RGN_DIFF);
    CBrush brush(m_crBackground);
    pDC->FillRgn(&surround, &brush);
    return 0;
}

void CImgDetailView::OnDestroy()
{
    CScrollView::OnDestroy();
    if (!m_bActivateOnClick)
        return;
    CFrameWnd* mainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (mainFrame)
        mainFrame->SetActiveView(NULL);
}

void CImgDetailView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    RefreshClientRect();
    RebuildScrollSizes();
    RefreshClientRect();
    SetNavigationRect();
}

int CImgDetailView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (!m_bActivateOnClick)
        return MA_ACTIVATE;
    return CScrollView::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CImgDetailView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (nSBCode == SB_THUMBTRACK)
        nPos = (UINT)ThumbPosition(SB_VERT, nPos);
    CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
    RefreshClientRect();
    SetNavigationRect();
}

void CImgDetailView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (nSBCode == SB_THUMBTRACK)
        nPos = (UINT)ThumbPosition(SB_HORZ, nPos);
    CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
    RefreshClientRect();
    SetNavigationRect();
}

// Whether a wheel turn has anywhere to go; a picture that fits passes every turn.
bool CImgDetailView::WheelPasses(short zDelta)
{
    int w = Zoomed(m_pImgObj->GetWidth());
    int h = Zoomed(m_pImgObj->GetHeight());
    bool vertical = h > m_rcClient.Height();
    bool horizontal = !vertical && w > m_rcClient.Width();
    if (!vertical && !horizontal)
        return true;
    CPoint pos = GetScrollPosition();
    int position = vertical ? pos.y : pos.x;
    if (zDelta < 1) {
        long long reach = (long long)position + (vertical ? m_rcClient.Height() : m_rcClient.Width());
        return reach < (vertical ? h : w);
    }
    return position != 0;
}

BOOL CImgDetailView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (!HasPicture())
        return 0;
    RefreshClientRect();
    if (WheelPasses(zDelta)) {
        CScrollView::OnMouseWheel(nFlags, zDelta, pt);
        Invalidate(FALSE);
        SetNavigationRect();
    }
    return 1;
}

void CImgDetailView::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CPoint scroll = GetScrollPosition();
    m_nDragStartX = point.x;
    m_nDragStartY = point.y;
    m_nDragScrollX = scroll.x;
    m_nDragScrollY = scroll.y;
    m_ptLastDrag = point;
    CScrollView::OnLButtonDown(nFlags, point);
}

void CImgDetailView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!HasPicture() || nFlags != MK_LBUTTON) {
        CScrollView::OnMouseMove(nFlags, point);
        return;
    }
    m_ptLastDrag = point;
    CSize total = GetTotalSize();
    RefreshClientRect();
    CPoint target(0, 0);
    if (total.cx > m_rcClient.Width())
        target.x = m_nDragScrollX + m_nDragStartX - point.x;
    if (total.cy > m_rcClient.Height())
        target.y = m_nDragScrollY + m_nDragStartY - point.y;
    ScrollToPosition(target);
    Invalidate(FALSE);
    UpdateWindow();
    SetNavigationRect();
}
