#include "SiteListView.h"

#include "DlgSiteInfo.h"
#include "SiteCache.h"
#include "res/resource.h"

#include "controls/VXGDI.h"
#include "controls/VXMenu.h"
#include "image/ImageObject.h"

#include <climits>
#include <memory>

namespace {

const COLORREF kSelectedFrame = 0xC06830;
const int kEmptyListRows = 32;  // rows of cells the empty grid scrolls over

// A rectangle's region with another cut out of it.
void InvalidateRectWithout(CWnd& wnd, const CRect& rect, const CRect& hole)
{
    CRgn area, cut;
    area.CreateRectRgnIndirect(&rect);
    if (!hole.IsRectEmpty()) {
        cut.CreateRectRgnIndirect(&hole);
        area.CombineRgn(&area, &cut, RGN_DIFF);
    }
    wnd.InvalidateRgn(&area, TRUE);
}

// Takes a slot's picture (the slots own theirs) and frees it, leaving the slot empty.
void FreePicture(CImageObject*& slot)
{
    std::unique_ptr<CImageObject> owned(slot);
    slot = nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CSiteListView, CScrollView)

BEGIN_MESSAGE_MAP(CSiteListView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_COMMAND(ID_SITE_ORDER, OnSiteOrder)
    ON_COMMAND(ID_SITE_HOMEPAGE, OnSiteHomepage)
    ON_COMMAND(ID_SITE_INFO, OnSiteInfo)
END_MESSAGE_MAP()

CSiteListView::CSiteListView()
    : m_pOwner(nullptr),
      m_bFrameActivation(1),
      m_nCancelLoad(0),
      m_nFixedColumns(0),
      m_nColumns(1),
      m_nLeftMargin(0),
      m_nCellSize(CELL_SIZE),
      m_nSelected(-1),
      m_bOverPicture(0),
      m_rcClient(0, 0, 0, 0),
      m_clrBk(0),
      m_clrSelFill(0xDD9E75),
      m_clrCellBorder(0xC8C8C8)
{
}

CSiteListView::~CSiteListView()
{
    for (int i = 0; i < (int)m_arrPictures.GetSize(); ++i)
        FreePicture(m_arrPictures[i]);
    m_arrPictures.RemoveAll();
    RemoveAllSites();
}

void CSiteListView::SyncPictureSlots()
{
    while (m_arrPictures.GetSize() < CSiteTable::GetSiteCount())
        m_arrPictures.Add(nullptr);
}

// ---- geometry ----

CRect CSiteListView::CellRect(int i) const
{
    if (i < 0)
        return CRect(0, 0, 0, 0);
    const int s = m_nCellSize, c = m_nColumns;
    CPoint scroll = GetScrollPosition();
    int left = m_nLeftMargin + (i % c) * s - scroll.x + 2;
    int top = (i / c) * s - scroll.y + 2;
    return CRect(left, top, left + s, top + s);
}

CRect CSiteListView::PictureRect(int i) const
{
    if (!IsValidSite(i) || !m_arrPictures[i])
        return CRect(0, 0, 0, 0);
    const int s = m_nCellSize, c = m_nColumns;
    const int w = m_arrPictures[i]->GetWidth(), h = m_arrPictures[i]->GetHeight();
    CPoint scroll = GetScrollPosition();
    int left = (i % c) * s + (s - w) / 2 + m_nLeftMargin - scroll.x + 1;
    int top = (i / c) * s + (s - h) / 2 - scroll.y + 2;
    return CRect(left, top, left + w, top + h);
}

int CSiteListView::ContentHeight() const
{
    const int s = m_nCellSize, c = m_nColumns, n = GetSiteCount();
    if (n == 0)
        return ((kEmptyListRows - 1) / c + 1) * s;
    int height = ((n - 1) / c + 1) * s;
    return height > m_rcClient.Height() ? height : m_rcClient.Height();
}

void CSiteListView::UpdateScrollSizes()
{
    const int cw = m_rcClient.Width(), ch = m_rcClient.Height();
    SetScrollSizes(MM_TEXT, CSize(m_nColumns * m_nCellSize, ContentHeight()), CSize(cw / 2, ch / 2),
                   CSize(cw / 6, ch / 6));
    Invalidate();
}

CSiteListView::HitKind CSiteListView::HitTest(CPoint point, int& index) const
{
    index = -1;
    const int n = GetSiteCount(), s = m_nCellSize, c = m_nColumns;
    CPoint scroll = GetScrollPosition();
    int x = scroll.x + point.x - m_nLeftMargin;
    if (n == 0 || x <= 0)
        return HIT_OUTSIDE;
    int y = scroll.y + point.y;
    if (y < 0)
        return HIT_NONE;  // above the grid: no row
    int column = x / s, row = y / s;
    if (column < c && row <= n / c && row * c + column < n) {
        index = row * c + column;
        return HIT_SITE;
    }
    return HIT_NONE;
}

// ---- pictures ----

void CSiteListView::LoadThumbnails()
{
    SyncPictureSlots();
    for (int i = 0; i < GetSiteCount(); ++i) {
        FreePicture(m_arrPictures[i]);
        CString path = CSiteCache::PicturePath(*this, i, m_strDataDir);
        // A name that is no plain file name has no picture; a file the server never
        // delivered is not handed to the decoder, which would report it as unopenable.
        if (path.IsEmpty() || ::GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
            continue;
        auto picture = std::make_unique<CImageObject>(nullptr, &m_nCancelLoad);
        int ratio = picture->GetThumbRatioFromFile(path, CSize(PICTURE_BOX, PICTURE_BOX), nullptr, TRUE);
        if (ratio == 0 || !picture->LoadScaled(path, ratio, 1))
            continue;
        m_arrPictures[i] = picture.release();
        if (m_hWnd)
            InvalidateRect(CellRect(i), FALSE);
    }
}

// ---- painting ----

void CSiteListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    m_nMapMode = MM_TEXT;
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CSiteListView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CSiteListView::DrawCell(CDC* dc, int i, int bandTop)
{
    const int s = m_nCellSize, c = m_nColumns, g = m_nLeftMargin;
    const int col = i % c, row = i / c;
    CRect frame(col * s + g + 2, row * s + 4 - bandTop, (col + 1) * s + g - 2, (row + 1) * s - bandTop);
    if (i == m_nSelected)
        CVXGDI::VXRoundRect(dc, &frame, kSelectedFrame, m_clrSelFill);
    else
        CVXGDI::VXRoundRect(dc, &frame, m_clrCellBorder, m_clrBk);
    CImageObject* picture = m_arrPictures[i];
    if (!picture)
        return;
    const int w = picture->GetWidth(), h = picture->GetHeight();
    int x = frame.left + (s - w - 2) / 2;
    int y = row * s + (s - h) / 2 + 3 - bandTop;
    picture->DrawStretchDirect(dc, 0, 0, w, h, x, y, w, h);
}

void CSiteListView::OnDraw(CDC* pDC)
{
    GetClientRect(&m_rcClient);
    const int height = ContentHeight();
    // The total follows the list; page and line stay as the last size change set them, so that a
    // paint never changes the sizes and asks for another paint.
    CSize total(m_nColumns * m_nCellSize, height);
    if (total != GetTotalSize())
        SetScrollSizes(MM_TEXT, total, m_pageDev, m_lineDev);
    const int n = GetSiteCount();
    m_nLeftMargin = n == 0 ? 3 : 2;

    // Only the band of the content that the window shows is drawn: the whole
    // content would need a bitmap as tall as every row of the server's list.
    const int width = m_rcClient.Width();
    const int bandTop = GetScrollPosition().y;
    const int bandBottom = bandTop + m_rcClient.Height() < height ? bandTop + m_rcClient.Height() : height;
    if (width <= 0 || bandBottom <= bandTop)
        return;
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, width, bandBottom - bandTop))
        return;
    CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
    memDC.FillSolidRect(0, 0, width, bandBottom - bandTop, m_clrBk);
    if (n > 0) {
        const int s = m_nCellSize, c = m_nColumns;
        int firstRow = bandTop / s;
        int lastRow = (bandBottom - 1) / s;
        for (int row = firstRow; row <= lastRow; ++row)
            for (int col = 0; col < c && row * c + col < n; ++col)
                DrawCell(&memDC, row * c + col, bandTop);
    }
    pDC->BitBlt(0, bandTop, width, bandBottom - bandTop, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(oldBitmap);
    DrawFocusMark(pDC);
}

// The dotted frame inside the border says the keyboard is on the grid.
void CSiteListView::DrawFocusMark(CDC* pDC)
{
    if (GetFocus() != this)
        return;
    CRect mark = m_rcClient;
    mark.OffsetRect(GetScrollPosition());
    mark.DeflateRect(1, 1);
    pDC->DrawFocusRect(&mark);
}

void CSiteListView::OnSetFocus(CWnd* pOldWnd)
{
    CScrollView::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CSiteListView::OnKillFocus(CWnd* pNewWnd)
{
    CScrollView::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}

BOOL CSiteListView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

// ---- size, scrolling and selection ----

void CSiteListView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    GetClientRect(&m_rcClient);
    if (m_nFixedColumns <= 0) {
        m_nCellSize = CELL_SIZE;
        m_nColumns = cx > CELL_SIZE ? cx / CELL_SIZE : 1;
    } else {
        m_nColumns = m_nFixedColumns;
        m_nCellSize = cx / m_nColumns > 0 ? cx / m_nColumns : 1;  // a cell is never empty: it divides
    }
    const int n = GetSiteCount();
    int rowsBottom = n > 0 ? ((n - 1) / m_nColumns + 1) * m_nCellSize : 0;
    CPoint scroll = GetScrollPosition();
    if (scroll.y + cy > rowsBottom) {
        int y = rowsBottom - cy;
        ScrollToPosition(CPoint(scroll.x, y > 0 ? y : 0));
    }
    UpdateScrollSizes();
}

BOOL CSiteListView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    int doubled = zDelta * 2;
    if (doubled > SHRT_MAX)
        doubled = SHRT_MAX;
    if (doubled < SHRT_MIN)
        doubled = SHRT_MIN;
    return CScrollView::OnMouseWheel(nFlags, (short)doubled, pt);
}

void CSiteListView::InvalidateFrame(int i)
{
    if (IsValidSite(i))
        InvalidateRectWithout(*this, CellRect(i), PictureRect(i));
}

void CSiteListView::SetSelection(int oldIndex, int newIndex)
{
    InvalidateFrame(oldIndex);
    if (IsValidSite(newIndex)) {
        InvalidateFrame(newIndex);
        const int s = m_nCellSize, c = m_nColumns;
        CRect cell = CellRect(newIndex);
        CRect client;
        GetClientRect(&client);
        CPoint scroll = GetScrollPosition();
        if (cell.top < 0) {
            ScrollToPosition(CPoint(scroll.x, (newIndex / c) * s));
            Invalidate();
        } else if (client.Height() < cell.bottom - 2) {
            ScrollToPosition(CPoint(scroll.x, (newIndex / c + 1) * s - client.Height()));
            Invalidate();
        }
    }
    UpdateWindow();
}

BOOL CSiteListView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CScrollView::PreTranslateMessage(pMsg);
    const int n = GetSiteCount(), c = m_nColumns;
    const int page = (m_rcClient.Height() / m_nCellSize) * c;
    int next;
    switch (pMsg->wParam) {
    case VK_LEFT: next = m_nSelected - 1; break;
    case VK_RIGHT: next = m_nSelected + 1; break;
    case VK_UP: next = m_nSelected - c; break;
    case VK_DOWN: next = m_nSelected + c; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = n - 1; break;
    case VK_PRIOR: next = m_nSelected - page; break;
    case VK_NEXT: next = m_nSelected + page; break;
    case VK_RETURN:
        OpenSelectedSite(m_nSelected);
        return TRUE;
    default:
        return CScrollView::PreTranslateMessage(pMsg);
    }
    if (next < 0)
        next = 0;
    if (next >= n)
        next = n - 1;  // -1 without sites: nothing selected
    int old = m_nSelected;
    m_nSelected = next;
    SetSelection(old, next);
    return TRUE;
}

// ---- mouse ----

void CSiteListView::OnLButtonDown(UINT nFlags, CPoint point)
{
    int index;
    HitKind hit = HitTest(point, index);
    if (hit == HIT_SITE) {
        int old = m_nSelected;
        m_nSelected = index;
        SetSelection(old, index);
        SetFocus();
    } else if (hit == HIT_OUTSIDE) {
        SetFocus();
    }
    CScrollView::OnLButtonDown(nFlags, point);
}

void CSiteListView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OpenSelectedSite(m_nSelected);
    (void)nFlags;
    (void)point;
}

void CSiteListView::OnRButtonDown(UINT nFlags, CPoint point)
{
    int index;
    HitKind hit = HitTest(point, index);
    if (hit == HIT_OUTSIDE)
        return;
    if (hit == HIT_SITE) {
        int old = m_nSelected;
        m_nSelected = index;
        SetSelection(old, index);
        ShowContextMenu();
    }
    CScrollView::OnRButtonDown(nFlags, point);
}

void CSiteListView::OnMouseMove(UINT nFlags, CPoint point)
{
    int index;
    if (HitTest(point, index) == HIT_SITE && m_arrPictures[index])
        m_bOverPicture = PictureRect(index).PtInRect(point);
    CScrollView::OnMouseMove(nFlags, point);
}

BOOL CSiteListView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverPicture) {
        LPCSTR id = MAKEINTRESOURCE(IDC_SITE_HAND);
        ::SetCursor(::LoadCursor(AfxFindResourceHandle(id, RT_GROUP_CURSOR), id));
        return TRUE;
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

int CSiteListView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_bFrameActivation)
        return CScrollView::OnMouseActivate(pDesktopWnd, nHitTest, message);
    return MA_ACTIVATE;
}

void CSiteListView::OnDestroy()
{
    if (m_bFrameActivation)
        CScrollView::OnDestroy();
    else
        CWnd::OnDestroy();
}

// ---- hand-over and the context menu ----

CString CSiteListView::HomePageAddress(const CString& homePage)
{
    if (homePage.IsEmpty() || homePage.Find("://") >= 0)
        return homePage;
    return "http://" + homePage;  // as the desktop's browser takes "www.x.co.kr"
}

void CSiteListView::OpenSelectedSite(int i)
{
    if (!IsValidSite(i))
        return;
    if (IsOwnSite(i)) {
        // Only a program kept under a plain ".exe" name in the data folder is ever started.
        CString program = CSiteCache::ProgramPath(*this, i, m_strDataDir);
        if (!program.IsEmpty()) {
            CString argument;
            argument.Format("SiteID=%s", (LPCSTR)m_arrSiteId[i]);
            ::ShellExecute(m_hWnd, "open", program, argument, nullptr, SW_SHOW);
        }
    } else {
        ::ShellExecute(m_hWnd, "open", "IEXPLORE.EXE", m_arrSiteUrl[i], nullptr, SW_SHOW);
    }
    if (m_pOwner)
        m_pOwner->SendMessage(WM_CLOSE);
}

CMenu* CSiteListView::BuildContextMenu(CVXMenu& menu)
{
    if (!menu.LoadMenu(IDR_SITELIST_MENU))
        return nullptr;
    UINT toolbars[] = {IDR_SITELIST_TOOLBAR};
    menu.LoadToolbars(toolbars, 1);
    CMenu* popup = menu.GetSubMenu(0);
    if (popup && IsValidSite(m_nSelected) && m_arrHomePage[m_nSelected].IsEmpty())
        popup->EnableMenuItem(ID_SITE_HOMEPAGE, MF_BYCOMMAND | MF_GRAYED);
    return popup;
}

void CSiteListView::ShowContextMenu()
{
    CVXMenu menu;
    CMenu* popup = BuildContextMenu(menu);
    if (!popup)
        return;
    CPoint at;
    ::GetCursorPos(&at);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, at.x, at.y, this);
}

void CSiteListView::OnSiteOrder()
{
    if (IsValidSite(m_nSelected))
        OpenSelectedSite(m_nSelected);
}

void CSiteListView::OnSiteHomepage()
{
    if (!IsValidSite(m_nSelected))
        return;
    ::ShellExecute(m_hWnd, "open", "IEXPLORE.EXE", HomePageAddress(m_arrHomePage[m_nSelected]), nullptr, SW_SHOW);
}

void CSiteListView::OnSiteInfo()
{
    if (!IsValidSite(m_nSelected))
        return;
    CDlgSiteInfo dialog(nullptr);
    dialog.m_strPhone = m_arrPhone[m_nSelected];
    dialog.m_strFax = m_arrFax[m_nSelected];
    dialog.m_strHomePage = m_arrHomePage[m_nSelected];
    dialog.DoModal();
}
