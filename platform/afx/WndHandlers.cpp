// CWnd's default message handlers: each passes the message it handles on to the
// window's default procedure; a few first let the child control that sent a
// message handle it (reflection).
#include "afx/MfcState.h"
#include "afx/MenuMaps.h"

using namespace mivo;

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_CTLCOLOR()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_CHARTOITEM()
ON_WM_VKEYTOITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_PARENTNOTIFY()
ON_WM_NCDESTROY()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

void CWnd::OnNcDestroy()
{
    // The thread's main window going away ends the thread's message loop.
    if (CWinThread* thread = AfxGetThread()) {
        if (thread->m_pMainWnd == this) {
            AfxPostQuitMessage(0);
            thread->m_pMainWnd = nullptr;
        }
        if (thread->m_pActiveWnd == this)
            thread->m_pActiveWnd = nullptr;
    }
    WNDPROC current = (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if ((WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == current) {
        WNDPROC super = *GetSuperWndProcAddr();
        if (super)
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)super);
    }
    Detach();
    PostNcDestroy();
}

// A menu item goes to the menu object of its menu (the handle comes in hwndItem).
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType == ODT_MENU) {
        if (CMenu* menu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem)) {
            menu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (lpDrawItemStruct && ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

// A menu item is measured by the menu object of the popup holding its id: the tracked
// popup's, else one of the window's menu bar or system menu.
void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType == ODT_MENU) {
        UINT id = lpMeasureItemStruct->itemID;
        CMenu* menu = nullptr;
        if (HMENU tracking = mivo::afx::TrackingMenu())
            menu = mivo::afx::FindPopupMenuFromID(tracking, id);
        if (!menu && !(GetStyle() & WS_CHILD) && ::GetMenu(m_hWnd))
            menu = mivo::afx::FindPopupMenuFromID(::GetMenu(m_hWnd), id);
        if (!menu)
            menu = mivo::afx::FindPopupMenuFromID(::GetSystemMenu(m_hWnd, FALSE), id);
        if (menu) {
            menu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else if (lpMeasureItemStruct) {
        HWND control = ::GetDlgItem(m_hWnd, nIDCtl);
        if (control && ReflectLastMsg(control))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT result;
    if (lpCompareItemStruct && ReflectLastMsg(lpCompareItemStruct->hwndItem, &result))
        return (int)result;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (lpDeleteItemStruct && ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT result;
    if (pListBox && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &result))
        return (int)result;
    return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT result;
    if (pListBox && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &result))
        return (int)result;
    return (int)Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result;
    if (pWnd && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result))
        return (HBRUSH)result;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(((CWnd*)pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}

void CWnd::OnSysColorChange()
{
    // The main window passes the change on to every window of the program.
    if (AfxGetMainWnd() == this)
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

void CWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    (void)nState;
    (void)pWndOther;
    (void)bMinimized;
    Default();
}

void CWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    (void)bActive;
    (void)dwThreadID;
    Default();
}

void CWnd::OnCancelMode()
{
    Default();
}

void CWnd::OnChildActivate()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnContextMenu(CWnd* pWnd, CPoint pos)
{
    (void)pWnd;
    (void)pos;
    Default();
}

BOOL CWnd::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    (void)pWnd;
    (void)pCopyDataStruct;
    return (BOOL)Default();
}

int CWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    return (int)Default();
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnEnable(BOOL bEnable)
{
    (void)bEnable;
    Default();
}

void CWnd::OnEndSession(BOOL bEnding)
{
    (void)bEnding;
    Default();
}

void CWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    (void)nWhy;
    (void)pWho;
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return (BOOL)Default();
}

void CWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    (void)lpMMI;
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO* lpHelpInfo)
{
    (void)lpHelpInfo;
    return (BOOL)Default();
}

void CWnd::OnIconEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    Default();
}

void CWnd::OnKillFocus(CWnd* pNewWnd)
{
    (void)pNewWnd;
    Default();
}

LRESULT CWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    (void)nChar;
    (void)nFlags;
    (void)pMenu;
    return (LRESULT)Default();
}

void CWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    (void)nItemID;
    (void)nFlags;
    (void)hSysMenu;
    Default();
}

void CWnd::OnMove(int x, int y)
{
    (void)x;
    (void)y;
    Default();
}

void CWnd::OnMoving(UINT fwSide, LPRECT pRect)
{
    (void)fwSide;
    (void)pRect;
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSyncPaint()
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return (HCURSOR)Default();
}

BOOL CWnd::OnQueryEndSession()
{
    return (BOOL)Default();
}

BOOL CWnd::OnQueryNewPalette()
{
    return (BOOL)Default();
}

BOOL CWnd::OnQueryOpen()
{
    return (BOOL)Default();
}

void CWnd::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    Default();
}

void CWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    (void)bShow;
    (void)nStatus;
    Default();
}

void CWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    (void)cx;
    (void)cy;
    Default();
}

void CWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    (void)fwSide;
    (void)pRect;
    Default();
}

void CWnd::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    (void)nStyleType;
    (void)lpStyleStruct;
    Default();
}

void CWnd::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    (void)nStyleType;
    (void)lpStyleStruct;
    Default();
}

void CWnd::OnTimer(UINT_PTR nIDEvent)
{
    (void)nIDEvent;
    Default();
}

void CWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    (void)lpwndpos;
    Default();
}

void CWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    (void)lpwndpos;
    Default();
}

void CWnd::OnWinIniChange(LPCSTR lpszSection)
{
    (void)lpszSection;
    Default();
}

void CWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    (void)uFlags;
    (void)lpszSection;
    Default();
}

void CWnd::OnFontChange()
{
    Default();
}

void CWnd::OnTimeChange()
{
    Default();
}

void CWnd::OnDevModeChange(LPSTR lpDeviceName)
{
    (void)lpDeviceName;
    Default();
}

void CWnd::OnCaptureChanged(CWnd* pWnd)
{
    (void)pWnd;
    Default();
}

void CWnd::OnDropFiles(HDROP hDropInfo)
{
    (void)hDropInfo;
    Default();
}

void CWnd::OnPaletteChanged(CWnd* pFocusWnd)
{
    (void)pFocusWnd;
    Default();
}

void CWnd::OnPaletteIsChanging(CWnd* pRealizeWnd)
{
    (void)pRealizeWnd;
    Default();
}

BOOL CWnd::OnNcActivate(BOOL bActive)
{
    (void)bActive;
    return (BOOL)Default();
}

void CWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    (void)lpncsp;
    Default();
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    return (BOOL)Default();
}

LRESULT CWnd::OnNcHitTest(CPoint point)
{
    (void)point;
    return (LRESULT)Default();
}

void CWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcMButtonDblClk(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcMButtonDown(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcMButtonUp(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcPaint()
{
    Default();
}

void CWnd::OnNcRButtonDblClk(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    (void)point;
    Default();
}

void CWnd::OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    (void)nID;
    (void)lParam;
    Default();
}

void CWnd::OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return (UINT)Default();
}

void CWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    Default();
}

void CWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnMButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnMButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

int CWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return (int)Default();
}

void CWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

BOOL CWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)zDelta;
    (void)pt;
    return (BOOL)Default();
}

void CWnd::OnMouseHover(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnMouseLeave()
{
    Default();
}

void CWnd::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

void CWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
}

BOOL CWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)nHitTest;
    (void)message;
    return (BOOL)Default();
}

void CWnd::OnInitMenu(CMenu* pMenu)
{
    (void)pMenu;
    Default();
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    (void)pPopupMenu;
    (void)nIndex;
    (void)bSysMenu;
    Default();
}

void CWnd::OnEnterMenuLoop(BOOL bIsTrackPopupMenu)
{
    (void)bIsTrackPopupMenu;
    Default();
}

void CWnd::OnExitMenuLoop(BOOL bIsTrackPopupMenu)
{
    (void)bIsTrackPopupMenu;
    Default();
}

void CWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    (void)bActivate;
    (void)pActivateWnd;
    (void)pDeactivateWnd;
    Default();
}
