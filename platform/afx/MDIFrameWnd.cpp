#include "mfc.h"


IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnWindowCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateWindowCommand)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, mivo::MenuFromHandle(GetWindowMenuPopup(m_hMenuDefault)));
}

// The client sits where a view would (AFX_IDW_PANE_FIRST), so the bars lay it out.
BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs;
    ccs.hWindowMenu = pWindowMenu ? (HANDLE)mivo::MenuHandle(pWindowMenu) : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, MDICLIENT_CLASS, nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, m_hWnd,
                                       (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

// The Window menu is the popup whose items are the window commands.
HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar)
        return nullptr;
    for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(hMenuBar, i);
        if (!popup)
            continue;
        for (int j = 0, n = ::GetMenuItemCount(popup); j < n; ++j) {
            UINT id = ::GetMenuItemID(popup, j);
            if (id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST)
                return popup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = m_hWndMDIClient ? (HWND)::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&maximized)
                                  : nullptr;
    if (pbMaximized)
        *pbMaximized = active && maximized;
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(active));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)mivo::HandleOf(pWndActivate), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)mivo::HandleOf(pWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)mivo::HandleOf(pWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    return (HMENU)::SendMessage(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hFrameMenu, (LPARAM)hWindowMenu);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return mivo::MenuFromHandle(MDISetMenu(mivo::MenuHandle(pFrameMenu), mivo::MenuHandle(pWindowMenu)));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu && ::GetMenu(m_hWnd) != menu)
        MDISetMenu(menu, GetWindowMenuPopup(menu));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? (CFrameWnd*)child : this;
}

// The active child's document titles the frame unless the child is
// maximized; then the child's caption joins the frame's in brackets.
void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    CString text = m_strTitle;
    if (bAddToTitle && child && maximized) {
        CString caption;
        child->GetWindowText(caption);
        text += " - [" + caption + "]";
    } else if (bAddToTitle && doc) {
        text += " - " + doc->GetTitle();
    }
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* child = MDIGetActive();
    return child && child->m_hAccelTable ? child->m_hAccelTable : m_hAccelTable;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL accel = GetDefaultAccelerator();
    if (accel && ::TranslateAccelerator(m_hWnd, accel, pMsg))
        return TRUE;
    return (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
           ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
}

// Commands go to the active child (its view and document) before the frame.
BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The Window menu's child entries.
    UINT id = LOWORD(wParam);
    if (!lParam && id >= AFX_IDM_FIRST_MDICHILD) {
        ::DefFrameProc(m_hWnd, m_hWndMDIClient, WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void CMDIFrameWnd::OnWindowCommand(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    default: break;
    }
}

void CMDIFrameWnd::OnUpdateWindowCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}
