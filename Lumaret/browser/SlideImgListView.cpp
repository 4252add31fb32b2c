#include "browser/SlideImgListView.h"

#include "browser/DlgImgSlideShow.h"
#include "browser/ThumbCellPainter.h"
#include "image/ImageObject.h"

#include <algorithm>

namespace {

// One column below this width (a cell and its border).
const int kOneColumnBelow = 161;
const int kHandCursor = 128;
const COLORREF kCurrentBorder = RGB(48, 104, 192);

}  // namespace

IMPLEMENT_DYNCREATE(CSlideImgListView, CScrollView)

BEGIN_MESSAGE_MAP(CSlideImgListView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CSlideImgListView::CSlideImgListView()
    : m_bActivateOnClick(TRUE),
      m_pSlideShow(nullptr),
      m_nCols(1),
      m_nMargin(0),
      m_nCellSize(CThumbGrid::CELL),
      m_nCurrent(-1),
      m_bOverThumb(FALSE),
      m_clrBack(0),
      m_clrSelFill(RGB(117, 158, 221)),
      m_clrCellBorder(RGB(0, 128, 128)),
      m_clrCurText(RGB(0, 0, 192)),
      m_clrNumText(RGB(192, 192, 0))
{
}

CSlideImgListView::~CSlideImgListView() = default;

int CSlideImgListView::Count() const
{
    return m_pSlideShow ? m_pSlideShow->SlideCount() : 0;
}

CImageObject* CSlideImgListView::Thumb(int slide) const
{
    if (!m_pSlideShow || slide < 0 || slide >= Count())
        return nullptr;
    return static_cast<CImageObject*>(m_pSlideShow->m_arrSlideThumb[slide]);
}

CThumbGrid CSlideImgListView::Grid() const
{
    CThumbGrid grid;
    grid.m_nCols = m_nCols;
    grid.m_nCellSize = m_nCellSize;
    grid.m_nMargin = CThumbGrid::MARGIN;
    return grid;
}

void CSlideImgListView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CSlideImgListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(MM_TEXT);
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CSlideImgListView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    m_nCellSize = CThumbGrid::CELL;
    m_nCols = cx >= kOneColumnBelow ? cx / m_nCellSize : 1;
    RecalcScrollSizes();
}

void CSlideImgListView::RecalcScrollSizes()
{
    if (!m_pSlideShow)
        return;
    GetClientRect(&m_rcClient);
    const int count = Count(), cols = std::max(1, m_nCols), cell = m_nCellSize;
    const int height = count > 0 ? std::max(((count - 1) / cols + 1) * cell, (int)m_rcClient.Height())
                                 : (31 / cols + 1) * cell;
    SetScrollSizes(MM_TEXT, CSize(cols * cell, height), CSize(m_rcClient.Width() / 2, m_rcClient.Height() / 2),
                   CSize(m_rcClient.Width() / 6, m_rcClient.Height() / 6));
    Invalidate(TRUE);
}

BOOL CSlideImgListView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void CSlideImgListView::OnDraw(CDC* pDC)
{
    CRect clip;
    const int kind = pDC->GetClipBox(&clip);
    if (kind == ERROR || kind == NULLREGION || clip.IsRectEmpty())
        return;
    GetClientRect(&m_rcClient);
    if (m_rcClient.IsRectEmpty())
        return;
    const CPoint scroll = GetScrollPosition();
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    memory.SetMapMode(MM_TEXT);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, m_rcClient.Width(), m_rcClient.Height());
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, m_rcClient.Width(), m_rcClient.Height(), m_clrBack);
    const CThumbGrid grid = Grid();
    m_nMargin = CThumbGrid::MARGIN;
    const int count = Count();
    const int current = m_pSlideShow ? m_pSlideShow->m_nSlide : -1;
    // The current slide's number has its own colour: its cell gets a painter of its own.
    auto paint = [&](COLORREF numberColour, auto&& body) {
        CThumbCellPainter::Colours colours;
        colours.back = m_clrBack;
        colours.selFill = m_clrSelFill;
        colours.selBorder = kCurrentBorder;
        colours.cellBorder = m_clrCellBorder;
        colours.indexText = numberColour;
        CThumbCellPainter painter(&memory, m_nCellSize, colours);
        body(painter);
    };
    if (count == 0) {
        paint(m_clrNumText, [&](CThumbCellPainter& painter) {
            for (int i = 0; i < CThumbGrid::PLACEHOLDERS; i++) {
                CRect r = grid.CellRect(i);
                r.OffsetRect(-scroll.x, -scroll.y);
                painter.DrawPlaceholder(r);
            }
        });
    } else {
        auto cellOf = [&](int i, CThumbCellPainter& painter) {
            CRect r = grid.CellRect(i), seen;
            if (!seen.IntersectRect(&r, &clip))
                return;
            r.OffsetRect(-scroll.x, -scroll.y);
            CThumbCellPainter::Cell c;
            c.rect = r;
            c.cellSize = m_nCellSize;
            c.index = i + 1;
            c.selected = i == current;
            c.picture = Thumb(i);
            painter.DrawCell(c);
        };
        paint(m_clrNumText, [&](CThumbCellPainter& painter) {
            for (int i = 0; i < count; i++)
                if (i != current)
                    cellOf(i, painter);
        });
        if (current >= 0 && current < count)
            paint(m_clrCurText, [&](CThumbCellPainter& painter) { cellOf(current, painter); });
    }
    pDC->BitBlt(scroll.x, scroll.y, m_rcClient.Width(), m_rcClient.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

int CSlideImgListView::HitTest(CPoint point) const
{
    return Grid().HitTest(point, GetScrollPosition(), Count());
}

CRect CSlideImgListView::PictureRect(int slide) const
{
    CImageObject* thumb = Thumb(slide);
    if (!thumb)
        return CRect(0, 0, 0, 0);
    const int w = thumb->GetWidth(), h = thumb->GetHeight();
    const CPoint at = Grid().PicturePos(slide, w, h, GetScrollPosition());
    return CRect(at, CSize(w, h));
}

void CSlideImgListView::SetCurrentSlide(int before, int now)
{
    m_nCurrent = now;
    const CThumbGrid grid = Grid();
    const CPoint scroll = GetScrollPosition();
    for (int slide : {before, now})
        if (slide >= 0 && slide < Count())
            InvalidateRect(grid.ItemRect(slide, scroll), TRUE);
    if (now >= 0 && now < Count()) {
        GetClientRect(&m_rcClient);
        const CRect box = grid.ItemRect(now, scroll);
        const int cols = std::max(1, m_nCols), cell = m_nCellSize;
        if (box.top < 0) {
            ScrollToPosition(CPoint(scroll.x, (now / cols) * cell));
            Invalidate(TRUE);
        } else if (box.bottom - 2 > m_rcClient.Height()) {
            ScrollToPosition(CPoint(scroll.x, std::max(0, (now / cols + 1) * cell - (int)m_rcClient.Height())));
            Invalidate(TRUE);
        }
    }
    UpdateWindow();
}

void CSlideImgListView::Pick(int slide)
{
    SetCurrentSlide(m_nCurrent, slide);
    m_pSlideShow->m_nSlide = slide;
    m_pSlideShow->UpdateNavButtons();
    m_pSlideShow->LoadSlide();
}

BOOL CSlideImgListView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    return CScrollView::OnMouseWheel(nFlags, (short)std::max(-32768, std::min(32767, zDelta * 2)), pt);
}

void CSlideImgListView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pSlideShow)
        return;
    const int hit = HitTest(point);
    if (hit < 0) {
        CScrollView::OnLButtonDown(nFlags, point);
        return;
    }
    Pick(hit);
    SetFocus();
}

void CSlideImgListView::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!m_pSlideShow)
        return;
    // Only a picture itself is picked with this button.
    const int hit = HitTest(point);
    if (hit < 0 || !PictureRect(hit).PtInRect(point))
        return;
    Pick(hit);
    m_pSlideShow->UpdateWindow();
    SetFocus();
}

void CSlideImgListView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_pSlideShow && Count() > 0) {
        const int hit = HitTest(point);
        m_bOverThumb = hit >= 0 && PictureRect(hit).PtInRect(point);
    }
    CScrollView::OnMouseMove(nFlags, point);
}

BOOL CSlideImgListView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverThumb) {
        if (HCURSOR hand = AfxGetApp()->LoadCursor(kHandCursor)) {
            ::SetCursor(hand);
            return TRUE;
        }
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

int CSlideImgListView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    // The strip lives in a dialog, not a frame: clicking it only takes the focus.
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return MA_ACTIVATE;
}

BOOL CSlideImgListView::MoveByKey(UINT key)
{
    const int count = Count();
    if (!m_pSlideShow || count == 0)
        return FALSE;
    GetClientRect(&m_rcClient);
    const int cols = std::max(1, m_nCols), page = (m_rcClient.Height() / m_nCellSize) * cols;
    const int from = m_pSlideShow->m_nSlide;
    int to;
    switch (key) {
    case VK_LEFT: to = from - 1; break;
    case VK_RIGHT: to = from + 1; break;
    case VK_UP: to = from - cols; break;
    case VK_DOWN: to = from + cols; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_PRIOR: to = from - page; break;
    case VK_NEXT: to = from + page; break;
    default: return FALSE;
    }
    Pick(std::max(0, std::min(count - 1, to)));
    return TRUE;
}

BOOL CSlideImgListView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && MoveByKey((UINT)pMsg->wParam))
        return TRUE;
    return CScrollView::PreTranslateMessage(pMsg);
}
