#include "controls/VXDlgLayer.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNCREATE(CVXDlgLayer, CWnd)

BEGIN_MESSAGE_MAP(CVXDlgLayer, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CVXDlgLayer::CVXDlgLayer()
    : m_bNoPaint(TRUE), m_bCaptionVisible(TRUE), m_pFirst(nullptr), m_pPressed(nullptr), m_nPageCount(0),
      m_client(0, 0), m_lastWindowSize(0, 0), m_nContentWidth(0), m_nContentHeight(0), m_nCaptionHeight(18),
      m_nGap(2), m_ptPan(0, 0), m_bPanning(FALSE), m_bPanReady(FALSE), m_ptLastPan(0, 0),
      m_hNormalCursor(nullptr), m_hPanCursor(nullptr)
{
}

CVXDlgLayer::~CVXDlgLayer()
{
    ClearPageInfo();
    m_dottedBrush.DeleteObject();
}

BOOL CVXDlgLayer::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS);
    return CWnd::PreCreateWindow(cs);
}

int CVXDlgLayer::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CreateDottedBrush();
    m_hNormalCursor = ::LoadCursor(nullptr, IDC_ARROW);
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(kPanCursorId), RT_GROUP_CURSOR);
    m_hPanCursor = ::LoadCursor(module, MAKEINTRESOURCE(kPanCursorId));
    if (!m_hPanCursor)
        m_hPanCursor = ::LoadCursor(nullptr, IDC_SIZEALL);
    return 0;
}

void CVXDlgLayer::CreateDottedBrush()
{
    WORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = (i % 2) ? 0x55AA : 0xAA55;
    CBitmap pattern;
    if (pattern.CreateBitmap(8, 8, 1, 1, rows))
        m_dottedBrush.CreatePatternBrush(&pattern);
}

// --- Pages -----------------------------------------------------------------

int CVXDlgLayer::InsertPage(CDialog* dlg, const char* templateName, const char* caption, DWORD state,
                            int position)
{
    if (!dlg || !dlg->Create(templateName, this))
        return 0;
    const int inserted = InsertCreated(dlg, caption, state, position);
    if (inserted && !IS_INTRESOURCE(templateName))
        GetPageInfo(-1)->templateName = templateName;
    return inserted;
}

int CVXDlgLayer::InsertPage(CDialog* dlg, UINT templateId, const char* caption, DWORD state, int position)
{
    if (!dlg || !dlg->Create(templateId, this))
        return 0;
    return InsertCreated(dlg, caption, state, position);
}

int CVXDlgLayer::InsertCreated(CDialog* dlg, const char* caption, DWORD state, int position)
{
    CPageInfo* page = new (std::nothrow) CPageInfo;
    if (!page) {
        dlg->DestroyWindow();
        return 0;
    }
    CRect window;
    dlg->GetWindowRect(&window);
    page->pDialog = dlg;
    page->width = window.Width();
    page->height = window.Height();
    page->state = state & 0xFF;
    if (caption)
        page->caption = caption;
    dlg->SetOwner(this);
    const int index = InsertPageInfo(page, position);
    dlg->SetDlgCtrlID(kFirstPageId + index);
    m_nContentWidth = std::max(m_nContentWidth, page->width);
    ++m_nPageCount;
    RecalcLayout(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 1;
}

int CVXDlgLayer::InsertPageInfo(CPageInfo* page, int position)
{
    CPageInfo** link = &m_pFirst;
    int index = 0;
    while (*link && (position < 0 || index < position)) {
        link = &(*link)->next;
        ++index;
    }
    page->next = *link;
    *link = page;
    return index;
}

CVXDlgLayer::CPageInfo* CVXDlgLayer::GetPageInfo(int index)
{
    CPageInfo* page = m_pFirst;
    for (int i = 0; page && page->next && (index < 0 || i < index); ++i)
        page = page->next;
    return page;
}

CDialog* CVXDlgLayer::GetPageDialog(int index)
{
    CPageInfo* page = GetPageInfo(index);
    return page ? page->pDialog : nullptr;
}

BOOL CVXDlgLayer::IsPage(HWND hWnd)
{
    if (!hWnd || !::IsChild(m_hWnd, hWnd))
        return FALSE;
    for (CPageInfo* page = m_pFirst; page; page = page->next)
        if (page->pDialog && page->pDialog->m_hWnd == hWnd)
            return TRUE;
    return FALSE;
}

void CVXDlgLayer::ClearPageInfo()
{
    while (m_pFirst) {
        CPageInfo* page = m_pFirst;
        m_pFirst = page->next;
        delete page->pDialog;
        delete page;
    }
    m_pPressed = nullptr;
    m_nPageCount = 0;
}

// --- Layout ----------------------------------------------------------------

void CVXDlgLayer::RecalcLayout(BOOL move)
{
    int y = 0;
    for (CPageInfo* page = m_pFirst; page; page = page->next) {
        if (!(page->state & kShown))
            continue;
        RECT r = {0, y, m_nContentWidth, y + CaptionSpace()};
        if (!(page->state & kCollapsed))
            r.bottom += page->height;
        y = r.bottom;
        page->rect = r;
    }
    m_nContentHeight = y;
    if (!move || m_nPageCount == 0)
        return;
    HDWP batch = ::BeginDeferWindowPos(m_nPageCount);
    if (!batch)
        AfxThrowMemoryException();
    MovePages(&batch);
    if (batch)
        ::EndDeferWindowPos(batch);
}

void CVXDlgLayer::MovePages(HDWP* batch)
{
    for (CPageInfo* page = m_pFirst; page && *batch; page = page->next)
        if (page->pDialog && page->pDialog->m_hWnd)
            PlacePage(batch, page);
}

void CVXDlgLayer::PlacePage(HDWP* batch, CPageInfo* page)
{
    const HWND hwnd = page->pDialog->m_hWnd;
    const BOOL visible = ::IsWindowVisible(hwnd);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!(page->state & kShown)) {
        if (visible)
            flags |= SWP_HIDEWINDOW;
        *batch = ::DeferWindowPos(*batch, hwnd, nullptr, 0, 0, 0, 0, flags);
        return;
    }
    const bool expanded = !(page->state & kCollapsed);
    if (expanded && !visible)
        flags |= SWP_SHOWWINDOW;
    if (!expanded && visible)
        flags |= SWP_HIDEWINDOW;
    *batch = ::DeferWindowPos(*batch, hwnd, nullptr, m_ptPan.x + page->rect.left,
                              m_ptPan.y + page->rect.top + CaptionSpace(), 0, 0, flags | SWP_NOSIZE);
}

void CVXDlgLayer::CalcCaptionRect(CPageInfo* page, RECT* rect)
{
    if (!page || !rect)
        return;
    *rect = page->rect;
    rect->bottom = rect->top + m_nCaptionHeight;
    ::OffsetRect(rect, m_ptPan.x, m_ptPan.y);
}

CVXDlgLayer::CPageInfo* CVXDlgLayer::CaptionHitTest(POINT point)
{
    for (CPageInfo* page = m_pFirst; page; page = page->next) {
        if (!(page->state & kShown))
            continue;
        RECT r;
        CalcCaptionRect(page, &r);
        if (::PtInRect(&r, point))
            return page;
    }
    return nullptr;
}

BOOL CVXDlgLayer::IsPanEnabled(BOOL horizontal, BOOL vertical)
{
    return (horizontal && m_nContentWidth > m_client.cx) || (vertical && m_nContentHeight > m_client.cy);
}

void CVXDlgLayer::SetChildDlgSizes(int cx, int cy)
{
    for (CPageInfo* page = m_pFirst; page; page = page->next) {
        int height = page->height;
        if (m_nPageCount == 1)
            height = m_bCaptionVisible ? cy - m_nGap - m_nCaptionHeight : cy;
        page->width = cx;
        page->height = height;
        if (page->pDialog && page->pDialog->m_hWnd)
            page->pDialog->SetWindowPos(nullptr, 0, 0, cx, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CVXDlgLayer::ClampPan(CPoint& pan) const
{
    if (m_nContentWidth + pan.x < m_client.cx)
        pan.x = std::min(0, m_client.cx - m_nContentWidth);
    if (m_nContentHeight + pan.y < m_client.cy)
        pan.y = std::min(0, m_client.cy - m_nContentHeight);
    pan.x = std::min(0L, (long)pan.x);
    pan.y = std::min(0L, (long)pan.y);
}

void CVXDlgLayer::ScrollPageIntoView(const CPageInfo* page, CPoint& pan) const
{
    const RECT& r = page->rect;
    const int right = r.right + pan.x, bottom = r.bottom + pan.y;
    if (right > m_client.cx)
        pan.x -= std::min(right - m_client.cx, std::max(0, (int)(r.left + pan.x)));
    if (bottom > m_client.cy)
        pan.y -= std::min(bottom - m_client.cy, std::max(0, (int)(r.top + pan.y)));
}

BOOL CVXDlgLayer::FocusInside(CPageInfo* page)
{
    const HWND focus = ::GetFocus();
    const HWND dlg = page->pDialog ? page->pDialog->m_hWnd : nullptr;
    return focus && dlg && (focus == dlg || ::IsChild(dlg, focus));
}

void CVXDlgLayer::SetPageState(CPageInfo* page, BOOL show, BOOL collapse, BOOL scrollIntoView)
{
    if (!page)
        return;
    const UINT state = (page->state & ~(kShown | kCollapsed)) | (show ? (UINT)kShown : 0u) | (collapse ? (UINT)kCollapsed : 0u);
    const bool leaving = !show || collapse;
    const bool moveFocus = leaving && FocusInside(page);
    if (leaving)
        scrollIntoView = FALSE;
    if (state == page->state)
        return;
    page->state = state;
    RecalcLayout(FALSE);
    CPoint pan = m_ptPan;
    if (scrollIntoView)
        ScrollPageIntoView(page, pan);
    ClampPan(pan);
    m_ptPan = pan;
    RecalcLayout(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CFrameWnd* frame = GetParentFrame();
    if (moveFocus && frame)
        frame->SetFocus();
}

void CVXDlgLayer::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    m_nContentWidth = cx;
    m_client = CSize(cx, cy);
    SetChildDlgSizes(cx, cy);
    if (type == SIZE_MINIMIZED || m_nPageCount == 0)
        return;
    RecalcLayout(FALSE);
    CPoint pan = m_ptPan;
    ClampPan(pan);
    const int dx = pan.x - m_ptPan.x, dy = pan.y - m_ptPan.y;
    m_ptPan = pan;
    if (dx || dy)
        ScrollContent(dx, dy);
    RecalcLayout(FALSE);
    Invalidate(FALSE);
}

void CVXDlgLayer::OnWindowPosChanged(WINDOWPOS* pos)
{
    CWnd::OnWindowPosChanged(pos);
    if (!pos || (pos->flags & SWP_NOSIZE) || CSize(pos->cx, pos->cy) == m_lastWindowSize)
        return;
    m_lastWindowSize = CSize(pos->cx, pos->cy);
    for (CPageInfo* page = m_pFirst; page; page = page->next)
        if (page->pDialog && page->pDialog->m_hWnd)
            page->pDialog->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CVXDlgLayer::ScrollContent(int dx, int dy)
{
    ScrollWindowEx(dx, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

// --- Painting --------------------------------------------------------------

void CVXDlgLayer::OnPaint()
{
    CPaintDC dc(this);
    if (m_bNoPaint)
        return;
    CRect client(0, 0, m_client.cx, m_client.cy);
    for (CPageInfo* page = m_pFirst; page; page = page->next)
        if (page->state & kShown)
            PaintPage(dc, page, client);
    CRect below(0, m_nContentHeight + m_ptPan.y, client.right, client.bottom);
    if (below.top < below.bottom)
        dc.FillSolidRect(&below, ::GetSysColor(COLOR_3DFACE));
}

void CVXDlgLayer::PaintPage(CDC& dc, CPageInfo* page, const CRect& client)
{
    CRect r(page->rect);
    r.OffsetRect(m_ptPan);
    if (r.top >= client.bottom)
        return;
    int top = r.top;
    if (m_bCaptionVisible) {
        CRect caption;
        CalcCaptionRect(page, &caption);
        DrawPageCaption(&dc, page->caption.IsEmpty() ? nullptr : (const char*)page->caption, page->state, &caption);
        CRect gap(r.left, caption.bottom, r.right, caption.bottom + m_nGap);
        dc.FillSolidRect(&gap, ::GetSysColor(COLOR_3DFACE));
        top = gap.bottom;
    }
    if (!(page->state & kCollapsed)) {
        CRect right(r.left + page->width, top, r.right, r.bottom);
        if (right.left < right.right)
            dc.FillSolidRect(&right, ::GetSysColor(COLOR_3DFACE));
    }
}

void CVXDlgLayer::DrawCaptionOf(CPageInfo* page)
{
    CClientDC dc(this);
    CRect caption;
    CalcCaptionRect(page, &caption);
    DrawPageCaption(&dc, page->caption.IsEmpty() ? nullptr : (const char*)page->caption, page->state, &caption);
}

void CVXDlgLayer::DrawPageCaption(CDC* dc, const char* caption, UINT state, RECT* rect)
{
    const bool pressed = (state & kPressed) != 0, expanded = !(state & kCollapsed);
    CRect r(*rect);
    if (!expanded && !pressed)
        dc->Draw3dRect(&r, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
    else
        dc->Draw3dRect(&r, RGB(235, 235, 235), RGB(235, 235, 235));
    r.DeflateRect(1, 1);
    dc->FillSolidRect(&r, expanded && !pressed ? RGB(220, 220, 220) : ::GetSysColor(COLOR_3DFACE));
    if (pressed || expanded)
        r.OffsetRect(1, 1);
    if (!caption)
        return;
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock)
        stock = ::GetStockObject(SYSTEM_FONT);
    LOGFONT lf = {};
    ::GetObject(stock, sizeof(lf), &lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&font);
    dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(caption, -1, &r, DT_CENTER | DT_VCENTER);
    dc->SelectObject(old);
}
