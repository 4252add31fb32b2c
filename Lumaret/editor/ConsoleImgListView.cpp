#include "editor/ConsoleImgListView.h"

#include "controls/VXGDI.h"
#include "controls/VXMenu.h"
#include "editor/DlgConsoleEditTools.h"
#include "editor/ImgEditView.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "resource.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNCREATE(CConsoleImgListView, CScrollView)

BEGIN_MESSAGE_MAP(CConsoleImgListView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEACTIVATE()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
    ON_COMMAND(ID_FILE_CLOSE, OnCloseEditor)
    ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE, OnUpdateCloseEditor)
END_MESSAGE_MAP()

namespace {

const COLORREF kSelBorder = 0xC06830;

}  // namespace

CConsoleImgListView::CConsoleImgListView()
    : m_bActivateOnClick(1),
      m_pOwnerPane(nullptr),
      m_nFixedColumns(0),
      m_nColumns(1),
      m_nMargin(0),
      m_nCellSize(kCellSize),
      m_nSel(-1),
      m_nMenuItem(-1),
      m_bOverThumb(0),
      m_rcClient(0, 0, 0, 0),
      m_clrBk(0),
      m_clrSelFill(0xDD9E75),
      m_clrCellBorder(0xDCDCDC)
{
}

CConsoleImgListView::~CConsoleImgListView() = default;

// --- Entries ---------------------------------------------------------------

std::unique_ptr<CImageObject> CConsoleImgListView::MakeThumb(CImgEditView* pView)
{
    // A view still loading has no picture yet: its cell stays empty.
    if (!pView || !pView->HasImage())
        return nullptr;
    return std::unique_ptr<CImageObject>(
        pView->m_pImage->MakeScaledImgObj(CSize(kThumbSide, kThumbSide), nullptr, nullptr));
}

int CConsoleImgListView::FindView(const CImgEditView* pView) const
{
    auto it = std::find(m_arrViews.begin(), m_arrViews.end(), pView);
    return it == m_arrViews.end() ? -1 : int(it - m_arrViews.begin());
}

CImgEditView* CConsoleImgListView::GetView(int index) const
{
    if (index < 0 || index >= GetCount())
        AfxThrowInvalidArgException();
    return m_arrViews[size_t(index)];
}

CImageObject* CConsoleImgListView::GetThumb(int index) const
{
    if (index < 0 || index >= GetCount())
        AfxThrowInvalidArgException();
    return m_arrThumbs[size_t(index)].get();
}

void CConsoleImgListView::AddOrUpdateView(CImgEditView* pView)
{
    if (!pView)
        return;
    int index = FindView(pView);
    if (index >= 0) {
        m_arrThumbs[size_t(index)] = MakeThumb(pView);
        if (::IsWindow(m_hWnd))
            InvalidateRect(GetCellRect(index), TRUE);
        if (index != m_nSel)
            ChangeSelection(m_nSel, index);
        return;
    }
    m_arrViews.push_back(pView);
    m_arrThumbs.push_back(MakeThumb(pView));
    if (::IsWindow(m_hWnd))
        RecalcLayout();
    ChangeSelection(m_nSel, GetCount() - 1);
}

void CConsoleImgListView::SelectView(CImgEditView* pView)
{
    int index = FindView(pView);
    if (index >= 0 && index != m_nSel)
        ChangeSelection(m_nSel, index);
}

void CConsoleImgListView::RemoveView(CImgEditView* pView)
{
    int index = FindView(pView);
    if (index < 0)
        return;
    m_arrThumbs.erase(m_arrThumbs.begin() + index);
    m_arrViews.erase(m_arrViews.begin() + index);
    if (m_nSel == index)
        m_nSel = -1;
    else if (m_nSel > index)
        --m_nSel;
    if (m_nMenuItem == index)
        m_nMenuItem = -1;
    else if (m_nMenuItem > index)
        --m_nMenuItem;
    if (!::IsWindow(m_hWnd))
        return;
    RecalcLayout();
    Invalidate(TRUE);
    UpdateWindow();
}

// --- Geometry ----------------------------------------------------------------

CRect CConsoleImgListView::GetCellRect(int index) const
{
    int columns = std::max(m_nColumns, 1);
    int column = index % columns, row = index / columns;
    CPoint scroll = GetScrollPosition();
    int x = m_nCellSize * column + m_nMargin - scroll.x + 2;
    int y = m_nCellSize * row - scroll.y + 2;
    return CRect(x, y, x + m_nCellSize, y + m_nCellSize);
}

// Where the drawing puts the thumbnail in its cell.
CRect CConsoleImgListView::GetThumbRect(int index) const
{
    CImageObject* thumb = GetThumb(index);
    if (!thumb)
        return CRect(0, 0, 0, 0);
    CRect cell = GetCellRect(index);
    int x = cell.left + (m_nCellSize - thumb->GetWidth() - 2) / 2;
    int y = cell.top - 1 + (m_nCellSize - thumb->GetHeight()) / 2;
    return CRect(x, y, x + thumb->GetWidth(), y + thumb->GetHeight());
}

int CConsoleImgListView::CellAt(CPoint point) const
{
    if (m_nCellSize <= 0)
        return -1;
    CPoint scroll = GetScrollPosition();
    int x = scroll.x + point.x - m_nMargin;
    int y = scroll.y + point.y;
    if (x < 1 || y < 0)
        return -1;
    int column = x / m_nCellSize, row = y / m_nCellSize;
    if (column >= m_nColumns)
        return -1;
    long long index = (long long)row * m_nColumns + column;
    return index < GetCount() ? int(index) : -1;
}

int CConsoleImgListView::ThumbAt(CPoint point) const
{
    int index = CellAt(point);
    return index >= 0 && GetThumbRect(index).PtInRect(point) ? index : -1;
}

CSize CConsoleImgListView::ContentSize() const
{
    int columns = std::max(m_nColumns, 1);
    int rows = GetCount() ? (GetCount() - 1) / columns + 1 : (kPlaceholders - 1) / columns + 1;
    int height = rows * m_nCellSize;
    if (GetCount())
        height = std::max(height, int(m_rcClient.Height()));
    return CSize(columns * m_nCellSize, height);
}

void CConsoleImgListView::RecalcLayout()
{
    GetClientRect(&m_rcClient);
    SetScrollSizes(MM_TEXT, ContentSize(), ScrollPage(), ScrollLine());
    Invalidate(TRUE);
}

CSize CConsoleImgListView::ScrollPage() const
{
    return CSize(std::max(int(m_rcClient.Width()) / 2, 1), std::max(int(m_rcClient.Height()) / 2, 1));
}

CSize CConsoleImgListView::ScrollLine() const
{
    return CSize(std::max(int(m_rcClient.Width()) / 6, 1), std::max(int(m_rcClient.Height()) / 6, 1));
}

// --- Selection ---------------------------------------------------------------

void CConsoleImgListView::ChangeSelection(int nOld, int nNew)
{
    m_nSel = nNew;
    if (!::IsWindow(m_hWnd))
        return;
    // Only the frame round a thumbnail changes colour.
    for (int index : {nOld, nNew}) {
        if (index < 0 || index >= GetCount())
            continue;
        CRgn frame, thumb;
        frame.CreateRectRgnIndirect(GetCellRect(index));
        thumb.CreateRectRgnIndirect(GetThumbRect(index));
        frame.CombineRgn(&frame, &thumb, RGN_DIFF);
        InvalidateRgn(&frame, TRUE);
    }
    if (nNew >= 0 && nNew < GetCount()) {
        CRect client;
        GetClientRect(&client);
        CRect cell = GetCellRect(nNew);
        int row = nNew / std::max(m_nColumns, 1);
        CPoint pos = GetScrollPosition();
        BOOL scroll = FALSE;
        if (cell.top < 0) {
            pos.y = row * m_nCellSize;
            scroll = TRUE;
        } else if (cell.bottom - 2 > client.Height()) {
            pos.y = (row + 1) * m_nCellSize - client.Height();
            scroll = TRUE;
        }
        if (scroll) {
            ScrollToPosition(pos);
            Invalidate(TRUE);
        }
    }
    UpdateWindow();
}

// The entry's editor becomes the active MDI child.
void CConsoleImgListView::ActivateEntry(int index)
{
    CImgEditView* view = GetView(index);
    CFrameWnd* frame = ::IsWindow(view->GetSafeHwnd()) ? view->GetParentFrame() : nullptr;
    HWND client = frame ? ::GetParent(frame->GetSafeHwnd()) : nullptr;
    if (client)
        ::SendMessage(client, WM_MDIACTIVATE, (WPARAM)frame->GetSafeHwnd(), 0);
}

// --- Painting ----------------------------------------------------------------

void CConsoleImgListView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(kCellSize, kCellSize));
}

BOOL CConsoleImgListView::OnEraseBkgnd(CDC*)
{
    // OnDraw covers the whole client area.
    return TRUE;
}

void CConsoleImgListView::OnDraw(CDC* pDC)
{
    GetClientRect(&m_rcClient);
    CSize content = ContentSize();
    SetScrollSizes(MM_TEXT, content, ScrollPage(), ScrollLine());
    // Wide and tall enough for the whole content and the whole window.
    int width = std::max(int(m_rcClient.Width()), int(content.cx) + 4);
    int height = std::max(int(content.cy), int(m_rcClient.Height()));
    if (height <= 0)
        return;
    CDC mem;
    CBitmap bitmap;
    if (width <= 0 || !mem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, width, height))
        return;
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, width, height, m_clrBk);
    const int cell = m_nCellSize, columns = std::max(m_nColumns, 1);
    if (GetCount() == 0) {
        m_nMargin = 3;
        for (int i = 0; i < kPlaceholders; ++i) {
            int column = i % columns, row = i / columns;
            CRect r(cell * column + m_nMargin + 2, cell * row + 4, (column + 1) * cell + m_nMargin - 2, (row + 1) * cell);
            CVXGDI::VXRoundRect(&mem, &r, m_clrCellBorder, m_clrBk);
        }
    } else {
        m_nMargin = 2;
        for (int i = 0; i < GetCount(); ++i) {
            int column = i % columns, row = i / columns;
            CRect r(cell * column + m_nMargin + 2, cell * row + 2, (column + 1) * cell + m_nMargin - 2, (row + 1) * cell);
            bool selected = i == m_nSel;
            CVXGDI::VXRoundRect(&mem, &r, selected ? kSelBorder : m_clrCellBorder, selected ? m_clrSelFill : m_clrBk);
            CImageObject* thumb = m_arrThumbs[size_t(i)].get();
            if (!thumb)
                continue;
            thumb->SetSrc_x(0);
            thumb->SetSrc_y(0);
            thumb->SetSrc_width(thumb->GetWidth());
            thumb->SetSrc_height(thumb->GetHeight());
            thumb->SetDst_x(r.left + (cell - thumb->GetWidth() - 2) / 2);
            thumb->SetDst_y(r.top - 1 + (cell - thumb->GetHeight()) / 2);
            thumb->SetDst_width(thumb->GetWidth());
            thumb->SetDst_height(thumb->GetHeight());
            thumb->DrawStretch(&mem);
        }
    }
    pDC->BitBlt(0, 0, width, height, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(oldBitmap);
}

// --- Messages ----------------------------------------------------------------

void CConsoleImgListView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_nFixedColumns > 0) {
        m_nColumns = m_nFixedColumns;
        m_nCellSize = std::max(cx / m_nColumns, 1);
    } else {
        m_nCellSize = kCellSize;
        m_nColumns = cx >= kCellSize + 1 ? cx / kCellSize : 1;
    }
    GetClientRect(&m_rcClient);
    CPoint pos = GetScrollPosition();
    int contentHeight = ContentSize().cy;
    if (pos.y + cy > contentHeight && pos.y > 0)
        ScrollToPosition(CPoint(pos.x, std::max(contentHeight - cy, 0)));
    RecalcLayout();
}

void CConsoleImgListView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDown(nFlags, point);
    int index = CellAt(point);
    if (index >= 0) {
        ChangeSelection(m_nSel, index);
        ActivateEntry(index);
    }
    SetFocus();
}

void CConsoleImgListView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDblClk(nFlags, point);
    if (m_pOwnerPane)
        m_pOwnerPane->ShowNavigator();
}

void CConsoleImgListView::OnRButtonDown(UINT nFlags, CPoint point)
{
    CScrollView::OnRButtonDown(nFlags, point);
    int index = ThumbAt(point);
    if (index < 0)
        return;
    if (index != m_nSel)
        ChangeSelection(m_nSel, index);
    UpdateWindow();
    m_nMenuItem = index;
    CPoint screen;
    ::GetCursorPos(&screen);
    ShowMenu(screen);
}

void CConsoleImgListView::ShowMenu(CPoint screen)
{
    CVXMenu menu;
    if (!menu.LoadMenu(IDR_EDITOR_WINDOW_MENU)) {
        MIVO_WARN(kTraceLumaret, "the open-editor list's popup %d is missing", IDR_EDITOR_WINDOW_MENU);
        return;
    }
    menu.LoadToolbar(IDR_EDITOR_MENU_IMAGES);
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

// Closes through the editor frame's own close, which asks about a changed
// picture and refuses while the editor works.
void CConsoleImgListView::OnCloseEditor()
{
    if (m_nMenuItem < 0 || m_nMenuItem >= GetCount())
        return;
    CImgEditView* view = GetView(m_nMenuItem);
    CFrameWnd* frame = ::IsWindow(view->GetSafeHwnd()) ? view->GetParentFrame() : nullptr;
    if (frame)
        frame->SendMessage(WM_CLOSE);
}

void CConsoleImgListView::OnUpdateCloseEditor(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMenuItem >= 0 && m_nMenuItem < GetCount());
}

void CConsoleImgListView::OnMouseMove(UINT nFlags, CPoint point)
{
    CScrollView::OnMouseMove(nFlags, point);
    m_bOverThumb = ThumbAt(point) >= 0;
}

BOOL CConsoleImgListView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_bOverThumb) {
        if (HCURSOR hand = AfxGetApp() ? AfxGetApp()->LoadCursor(IDC_EDITOR_HAND) : nullptr) {
            ::SetCursor(hand);
            return TRUE;
        }
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CConsoleImgListView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    int doubled = std::clamp(zDelta * 2, SHRT_MIN, SHRT_MAX);
    return CScrollView::OnMouseWheel(nFlags, short(doubled), pt);
}

int CConsoleImgListView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (!m_bActivateOnClick)
        return MA_ACTIVATE;
    return CScrollView::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CConsoleImgListView::OnDestroy()
{
    CScrollView::OnDestroy();
    CFrameWnd* main = m_bActivateOnClick ? dynamic_cast<CFrameWnd*>(AfxGetMainWnd()) : nullptr;
    if (main && main->GetActiveView() == this)
        main->SetActiveView(nullptr);
}

// --- Keys ----------------------------------------------------------------------

BOOL CConsoleImgListView::MoveByKey(UINT vk)
{
    int columns = std::max(m_nColumns, 1);
    CRect client;
    GetClientRect(&client);
    int page = std::max(int(client.Height()) / std::max(m_nCellSize, 1), 1) * columns;
    long long target;
    switch (vk) {
    case VK_LEFT:
        target = (long long)m_nSel - 1;
        break;
    case VK_RIGHT:
        target = (long long)m_nSel + 1;
        break;
    case VK_UP:
        target = (long long)m_nSel - columns;
        break;
    case VK_DOWN:
        target = (long long)m_nSel + columns;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = GetCount() - 1;
        break;
    case VK_PRIOR:
        target = (long long)m_nSel - page;
        break;
    case VK_NEXT:
        target = (long long)m_nSel + page;
        break;
    default:
        return FALSE;
    }
    if (GetCount() == 0)
        return TRUE;
    int index = int(std::clamp<long long>(target, 0, GetCount() - 1));
    ChangeSelection(m_nSel, index);
    ActivateEntry(index);
    SetFocus();
    return TRUE;
}

BOOL CConsoleImgListView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && MoveByKey(UINT(pMsg->wParam)))
        return TRUE;
    return CScrollView::PreTranslateMessage(pMsg);
}

void CConsoleImgListView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!MoveByKey(nChar))
        CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}
