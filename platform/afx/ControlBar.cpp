#include "mfc/ControlBar.h"

#include "afx/FrameworkStrings.h"
#include "afxres.h"
#include "mfc/DC.h"
#include "mfc/DockBar.h"
#include "mfc/DockContext.h"
#include "mfc/FrameWnd.h"
#include "mfc/GdiWrappers.h"
#include "mfc/MessageMap.h"

#include <algorithm>

namespace {

const int kGripperWidth = 8;
const int kEdge = 2;  // a 3-D border: a light and a dark line

bool IsOwnerMessage(UINT message)
{
    switch (message) {
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM:
        return true;
    }
    return false;
}

// A command's tip is the part of its string after the newline.
bool AnswerToolTipText(NMHDR* hdr)
{
    if (!hdr || hdr->code != TTN_NEEDTEXT)
        return false;
    auto* info = (NMTTDISPINFO*)hdr;
    if ((info->uFlags & TTF_IDISHWND) || hdr->idFrom == 0)
        return false;
    thread_local CString tip;
    CString full = mivo::afx::FrameworkString((UINT)hdr->idFrom);
    int newline = full.Find('\n');
    tip = newline >= 0 ? full.Mid(newline + 1) : CString();
    int second = tip.Find('\n');
    if (second >= 0)
        tip = tip.Left(second);
    info->lpszText = const_cast<LPSTR>((LPCSTR)tip);
    info->szText[0] = '\0';
    return true;
}

}  // namespace

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD old = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_hWnd && (old & (CBRS_BORDER_ANY | CBRS_GRIPPER)) != (m_dwStyle & (CBRS_BORDER_ANY | CBRS_GRIPPER)))
        Invalidate();
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (dwDockStyle && !m_pDockContext)
        m_pDockContext = new CDockContext(this);
}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    if (m_pDockSite)
        return m_pDockSite;
    return GetParentFrame();
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow)
{
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT)
        rect.left += kEdge;
    if (style & CBRS_BORDER_TOP)
        rect.top += kEdge;
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= kEdge;
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= kEdge;
    if (bHorz) {
        rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
        if (style & CBRS_GRIPPER)
            rect.left += kGripperWidth;
    } else {
        rect.DeflateRect(m_cyTopBorder, m_cxLeftBorder, m_cyBottomBorder, m_cxRightBorder);
        if (style & CBRS_GRIPPER)
            rect.top += kGripperWidth;
    }
}

// The base bar is its borders; stretching takes the whole length.
CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    CSize size(-inside.Width(), -inside.Height());
    if (bStretch && bHorz)
        size.cx = 32767;
    if (bStretch && !bHorz)
        size.cy = 32767;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), dark = ::GetSysColor(COLOR_3DSHADOW);
    DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_TOP) {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, dark);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
        rect.top += kEdge;
    }
    if (style & CBRS_BORDER_BOTTOM) {
        pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, dark);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
        rect.bottom -= kEdge;
    }
    if (style & CBRS_BORDER_LEFT) {
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), dark);
        pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
        rect.left += kEdge;
    }
    if (style & CBRS_BORDER_RIGHT) {
        pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), dark);
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
        rect.right -= kEdge;
    }
}

// Two raised lines across the leading end of the bar.
void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!(m_dwStyle & CBRS_GRIPPER) || IsFloating())
        return;
    COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), dark = ::GetSysColor(COLOR_3DSHADOW);
    bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    for (int i = 0; i < 2; ++i) {
        if (horz) {
            int x = rect.left + m_cxLeftBorder / 2 + i * 3;
            pDC->Draw3dRect(x, rect.top + 2, 3, rect.Height() - 4, light, dark);
        } else {
            int y = rect.top + m_cxLeftBorder / 2 + i * 3;
            pDC->Draw3dRect(rect.left + 2, y, rect.Width() - 4, 3, light, dark);
        }
    }
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::SetStatusText(int nHit)
{
    CFrameWnd* frame = GetDockingFrame();
    if (!frame)
        return;
    if (nHit > 0) {
        m_nFlyByHit = (UINT)nHit;
        frame->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    } else if (m_nFlyByHit) {
        m_nFlyByHit = 0;
        frame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
}

// Commands and drawing requests of the bar's controls go on to its owner,
// the frame, unless the bar handles them itself.
LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsOwnerMessage(message)) {
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        if (message == WM_NOTIFY && AnswerToolTipText((NMHDR*)lParam))
            return TRUE;
        CWnd* owner = m_pDockSite ? (CWnd*)m_pDockSite : GetOwner();
        if (owner && owner->m_hWnd && owner->m_hWnd != m_hWnd)
            return owner->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(GetParent());
    if (frame && !IsDockBar()) {
        m_pDockSite = frame;
        frame->AddControlBar(this);
    } else if (CDockBar* dock = dynamic_cast<CDockBar*>(GetParent())) {
        m_pDockSite = dock->m_pDockSite;
        if (m_pDockSite && !IsDockBar())
            m_pDockSite->AddControlBar(this);
    } else if (frame) {
        m_pDockSite = frame;
        frame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext && !IsDockBar()) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext && !IsDockBar()) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

CSize CControlBar::SizeInParent(const CRect& available, BOOL bStretch, BOOL)
{
    BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC)
                     ? CalcDynamicLayout(-1, (bStretch ? LM_STRETCH : 0) | (horz ? LM_HORZ : 0))
                     : CalcFixedLayout(bStretch, horz);
    size.cx = std::max(0, std::min<int>(size.cx, available.Width()));
    size.cy = std::max(0, std::min<int>(size.cy, available.Height()));
    return size;
}

// A visible bar aligned to an edge takes its strip of what is left.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* layout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD align = m_dwStyle & CBRS_ALIGN_ANY;
    if (!layout || !(GetStyle() & WS_VISIBLE) || align == 0)
        return 0;
    CRect available(layout->rect);
    CSize size = SizeInParent(available, layout->bStretch, layout->hDWP != nullptr);
    CRect rect = available;
    if (align & CBRS_ALIGN_TOP) {
        rect.bottom = rect.top + size.cy;
        layout->rect.top += size.cy;
    } else if (align & CBRS_ALIGN_BOTTOM) {
        rect.top = rect.bottom - size.cy;
        layout->rect.bottom -= size.cy;
    } else if (align & CBRS_ALIGN_LEFT) {
        rect.right = rect.left + size.cx;
        layout->rect.left += size.cx;
    } else {
        rect.left = rect.right - size.cx;
        layout->rect.right -= size.cx;
    }
    if (align & CBRS_ORIENT_HORZ) {
        rect.right = rect.left + size.cx;
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, size.cx);
    } else {
        rect.bottom = rect.top + size.cy;
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max<LONG>(layout->sizeTotal.cy, size.cy);
    }
    if (layout->hDWP)
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                        rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* target = GetDockingFrame();
    if (target)
        OnUpdateCmdUI(target, (BOOL)wParam);
    return 0;
}
