// CReBar: bands holding tool bars and other windows, over the rebar control.
#include "mfc/ReBar.h"

#include "afxres.h"
#include "mfc/Bitmap.h"
#include "mfc/FrameWnd.h"
#include "mfc/MessageMap.h"

#include <algorithm>

namespace {

// The frame places the bar; the control only lays its bands out.
const DWORD kControlPlacement = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
const int kStretched = 32767;

}  // namespace

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CReBar::~CReBar()
{
    DestroyWindow();
    m_reBarCtrl.m_hWnd = nullptr;  // a view of this window, not its owner
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | kControlPlacement;
    if (!CWnd::CreateEx(0, REBARCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFO info = {sizeof(info)};
    info.fMask = RBBIM_STYLE;
    info.fStyle = dwStyle;
    if (pszText) {
        info.fMask |= RBBIM_TEXT;
        info.lpText = const_cast<LPSTR>(pszText);
    }
    if (pbmp && pbmp->GetSafeHandle()) {
        info.fMask |= RBBIM_BACKGROUND;
        info.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
    }
    return AddBand(pBar, info);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText, DWORD dwStyle)
{
    REBARBANDINFO info = {sizeof(info)};
    info.fMask = RBBIM_STYLE | RBBIM_COLORS;
    info.fStyle = dwStyle;
    info.clrFore = clrFore;
    info.clrBack = clrBack;
    if (pszText) {
        info.fMask |= RBBIM_TEXT;
        info.lpText = const_cast<LPSTR>(pszText);
    }
    return AddBand(pBar, info);
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFO& info)
{
    if (!m_hWnd || !pBar || !pBar->m_hWnd || pBar->m_hWnd == m_hWnd)
        return FALSE;
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    CSize size;
    if (CControlBar* bar = dynamic_cast<CControlBar*>(pBar)) {
        size = bar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    info.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    info.hwndChild = pBar->m_hWnd;
    info.cxMinChild = (UINT)std::max(0, (int)size.cx);
    info.cyMinChild = (UINT)std::max(0, (int)size.cy);
    info.cx = info.cxMinChild;
    info.cxIdeal = info.cxMinChild;
    if (!SendMessage(RB_INSERTBAND, (WPARAM)-1, (LPARAM)&info))
        return FALSE;
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
    return TRUE;
}

CReBarCtrl& CReBar::GetReBarCtrl() const
{
    m_reBarCtrl.m_hWnd = m_hWnd;
    return m_reBarCtrl;
}

// The height the bands take at the bar's present width.
CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&client);
    CSize size(client.Width(), m_hWnd ? (int)SendMessage(RB_GETBARHEIGHT) : 0);
    if (bStretch) {
        if (bHorz)
            size.cx = kStretched;
        else
            size.cy = kStretched;
    }
    return size;
}

CSize CReBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

// Bands wrap to the width the frame offers, so the height is asked at that width.
CSize CReBar::SizeInParent(const CRect& available, BOOL bStretch, BOOL bMove)
{
    if (m_hWnd && (m_dwStyle & CBRS_ORIENT_HORZ)) {
        CRect client;
        GetClientRect(&client);
        if (client.Width() != available.Width())
            SetWindowPos(nullptr, 0, 0, available.Width(), std::max(1, client.Height()),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CControlBar::SizeInParent(available, bStretch, bMove);
}

// The bars in the bands update themselves; windows in bands are no dialog
// controls to be greyed for want of a handler.
void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CReBar::OnPaint()
{
    Default();
}

BOOL CReBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

void CReBar::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CReBar::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->DelayRecalcLayout();
    *pResult = 0;
}
