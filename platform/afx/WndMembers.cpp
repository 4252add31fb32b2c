// CWnd members that wrap the window manager's functions.
#include "afx/MfcState.h"

#include <cstdio>
#include <cstdlib>

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessage(m_hWnd, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const
{
    return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_STYLE);
}

DWORD CWnd::GetExStyle() const
{
    return (DWORD)::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE);
}

namespace {

BOOL ChangeStyle(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags)
{
    DWORD style = (DWORD)::GetWindowLongPtr(hWnd, index);
    DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtr(hWnd, index, (LONG_PTR)(LONG)newStyle);
    if (flags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ChangeStyle(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ChangeStyle(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    ::SetWindowText(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    LPSTR buf = rString.GetBufferSetLength(n);
    ::GetWindowText(m_hWnd, buf, n + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLength(m_hWnd);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return (HICON)SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0);
}

CMenu* CWnd::GetMenu() const
{
    if (GetStyle() & WS_CHILD)
        return nullptr;
    return mivo::MenuFromHandle(::GetMenu(m_hWnd));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                 bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, mivo::HandleOf(pwndTo), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, mivo::HandleOf(pwndTo), (LPPOINT)lpRect, 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    // Centre over the owner (or parent), else over the work area, staying on screen.
    DWORD style = GetStyle();
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : nullptr;
    if (!center)
        center = (style & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (center && (!::IsWindowVisible(center) || ::IsIconic(center)))
        center = nullptr;
    RECT area, target, self;
    ::GetWindowRect(m_hWnd, &self);
    if (style & WS_CHILD) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        if (center && center != parent) {
            ::GetWindowRect(center, &target);
            ::MapWindowPoints(nullptr, parent, (LPPOINT)&target, 2);
        } else {
            target = area;
        }
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
        if (center)
            ::GetWindowRect(center, &target);
        else
            target = area;
    }
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = (target.left + target.right) / 2 - w / 2;
    int y = (target.top + target.bottom) / 2 - h / 2;
    if (x + w > area.right)
        x = area.right - w;
    if (x < area.left)
        x = area.left;
    if (y + h > area.bottom)
        y = area.bottom - h;
    if (y < area.top)
        y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    return ::SetWindowPlacement(m_hWnd, lpwndpl);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}

void CWnd::ShowOwnedPopups(BOOL bShow)
{
    ::ShowOwnedPopups(m_hWnd, bShow);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, mivo::HandleOf(pWnd));
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (nFlag == reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
    HWND leftOver = nullptr;
    // Each bar takes its part of the rectangle; what remains goes to nIDLeftOver.
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        UINT id = (UINT)::GetDlgCtrlID(child);
        if (id == nIDLeftOver)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast)
            ::SendMessage(child, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (nFlag == reposQuery) {
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }
    if (nIDLeftOver != 0 && leftOver) {
        RECT r = layout.rect;
        if (nFlag == reposExtra && lpRectParam) {
            r.left += lpRectParam->left;
            r.top += lpRectParam->top;
            r.right -= lpRectParam->right;
            r.bottom -= lpRectParam->bottom;
        }
        CWnd* w = CWnd::FromHandle(leftOver);
        w->CalcWindowRect(&r, CWnd::adjustBorder);
        layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOver, nullptr, r.left, r.top, r.right - r.left,
                                       r.bottom - r.top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    SendMessage(WM_SETREDRAW, bRedraw, 0);
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

BOOL CWnd::LockWindowUpdate()
{
    return ::LockWindowUpdate(m_hWnd);
}

void CWnd::UnlockWindowUpdate()
{
    ::LockWindowUpdate(nullptr);
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, mivo::HandleOf(pWndNewParent)));
}

namespace {
// A child's owner set by SetOwner, kept with the window; its parent otherwise.
const char kOwnerProperty[] = "MivoFrameworkOwner";
}  // namespace

CWnd* CWnd::GetOwner() const
{
    HWND set = (HWND)::GetProp(m_hWnd, kOwnerProperty);
    if (set && ::IsWindow(set))
        return FromHandle(set);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    if (GetStyle() & WS_CHILD)
        ::SetProp(m_hWnd, kOwnerProperty, (HANDLE)mivo::HandleOf(pOwnerWnd));
    else
        ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)mivo::HandleOf(pOwnerWnd));
}

CWnd* CWnd::GetParentOwner() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    return FromHandle(h);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    HWND parent;
    while ((parent = ::GetParent(h)) != nullptr)
        h = parent;
    return FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND h = m_hWnd;
    HWND owner;
    while ((owner = ::GetWindow(h, GW_OWNER)) != nullptr)
        h = owner;
    return FromHandle(::GetAncestor(h, GA_ROOT));
}

namespace {

CRuntimeClass* FrameClass()
{
    static CRuntimeClass* frame = CRuntimeClass::FromName("CFrameWnd");
    if (!frame)
        frame = CRuntimeClass::FromName("CFrameWnd");
    return frame;
}

}  // namespace

CFrameWnd* CWnd::GetParentFrame() const
{
    CRuntimeClass* frame = FrameClass();
    if (!m_hWnd || !frame)
        return nullptr;
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (p->IsKindOf(frame))
            return (CFrameWnd*)p;
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CRuntimeClass* frame = FrameClass();
    if (!m_hWnd || !frame)
        return nullptr;
    CFrameWnd* result = IsKindOf(frame) ? (CFrameWnd*)this : GetParentFrame();
    while (result) {
        CFrameWnd* next = ((CWnd*)result)->GetParentFrame();
        if (!next)
            break;
        result = next;
    }
    return result;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID)
{
    return ::SetDlgCtrlID(m_hWnd, nID);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == nID) {
            if (!bOnlyPerm)
                return FromHandle(child);
            if (CWnd* p = FromHandlePermanent(child))
                return p;
        }
        CWnd tmp(child);
        CWnd* found = tmp.GetDescendantWindow(nID, bOnlyPerm);
        tmp.m_hWnd = nullptr;
        if (found)
            return found;
    }
    return nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}

CWnd* CWnd::GetLastActivePopup() const
{
    return FromHandle(::GetLastActivePopup(m_hWnd));
}

CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemText(m_hWnd, nID, lpszString);
}

int CWnd::GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const
{
    return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND item = ::GetDlgItem(m_hWnd, nID);
    if (!item)
        return 0;
    CWnd tmp(item);
    tmp.GetWindowText(rString);
    tmp.m_hWnd = nullptr;
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    char text[16];
    if (bSigned)
        std::snprintf(text, sizeof(text), "%d", (int)nValue);
    else
        std::snprintf(text, sizeof(text), "%u", nValue);
    ::SetDlgItemText(m_hWnd, nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    char text[64] = "";
    ::GetDlgItemText(m_hWnd, nID, text, sizeof(text));
    char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    char* end = nullptr;
    long long v = bSigned ? std::strtoll(p, &end, 10) : (long long)std::strtoull(p, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    BOOL ok = end != p && end && *end == 0 && (!bSigned || (v >= INT_MIN && v <= INT_MAX)) &&
              (bSigned || (*p != '-' && v <= (long long)UINT_MAX));
    if (lpTrans)
        *lpTrans = ok;
    return ok ? (UINT)v : 0;
}

namespace {
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
}  // namespace

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::SendDlgItemMessage(m_hWnd, nIDButton, kBmSetCheck, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return (UINT)::SendDlgItemMessage(m_hWnd, nIDButton, kBmGetCheck, 0, 0);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? 1 : 0);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (IsDlgButtonChecked(id))
            return id;
    return 0;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        CWnd wndTemp(child);
        state.m_pOther = &wndTemp;
        state.m_nID = (UINT)(WORD)::GetDlgCtrlID(child);
        // Only push buttons are disabled for lack of a handler.
        char cls[16] = "";
        ::GetClassName(child, cls, sizeof(cls));
        DWORD type = (DWORD)::GetWindowLongPtr(child, GWL_STYLE) & 0x0F;
        BOOL pushButton = lstrcmpi(cls, "Button") == 0 && (type == 0 /* BS_PUSHBUTTON */ || type == 1);
        if (!CWnd::FromHandlePermanent(child) || !CWnd::FromHandlePermanent(child)->OnCmdMsg(
                                                       state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(pTarget, bDisableIfNoHndler && pushButton);
        wndTemp.m_hWnd = nullptr;
    }
}

CWnd* PASCAL CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}

CWnd* PASCAL CWnd::FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName)
{
    return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
}

CWnd* PASCAL CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

BOOL CWnd::FlashWindow(BOOL bInvert)
{
    return ::FlashWindow(m_hWnd, bInvert);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return nullptr;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        return ::SetScrollPos(((CWnd*)bar)->m_hWnd, SB_CTL, nPos, bRedraw);
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

int CWnd::GetScrollPos(int nBar) const
{
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        return ::GetScrollPos(((CWnd*)bar)->m_hWnd, SB_CTL);
    return ::GetScrollPos(m_hWnd, nBar);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        ::SetScrollRange(((CWnd*)bar)->m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    else
        ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        ::GetScrollRange(((CWnd*)bar)->m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    else
        ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, (int)nBar, bShow);
}

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable)
{
    if (CScrollBar* bar = GetScrollBarCtrl(nBar)) {
        ((CWnd*)bar)->EnableWindow(bEnable);
        return;
    }
    ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, (UINT)nSBFlags, nArrowFlags);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    if (CScrollBar* bar = GetScrollBarCtrl(nBar)) {
        ::SetScrollInfo(((CWnd*)bar)->m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
        return TRUE;
    }
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    if (CScrollBar* bar = GetScrollBarCtrl(nBar))
        return ::GetScrollInfo(((CWnd*)bar)->m_hWnd, SB_CTL, lpScrollInfo);
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int limit = info.nMax;
    if (info.nPage > 0)
        limit -= (int)info.nPage - 1;
    return limit < info.nMin ? info.nMin : limit;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return m_hWnd && ::IsDialogMessage(m_hWnd, lpMsg);
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    bool input = (lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST) ||
                 (lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST);
    return input && IsDialogMessage(lpMsg);
}
