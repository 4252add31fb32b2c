#include "mfc.h"

#include "afx/FrameworkStrings.h"
#include "afx/CreateExtent.h"
#include "mfc/MessageMap.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_ERASEBKGND()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ACTIVATE()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (m_hMenuDefault)
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName) {
        menu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (!menu) {
            PostNcDestroy();  // as a failed creation does: the frame goes
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  mivo::afx::CreateExtent(rect.left, rect.right), mivo::afx::CreateExtent(rect.top, rect.bottom), mivo::HandleOf(pParentWnd), menu,
                  (LPVOID)pContext)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

// The resource id names the menu, the accelerators, the icon and the title
// string ("Title\nDocName\n..."): the frame's title is its first part.
BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    if (title.LoadString(nIDResource)) {
        int newline = title.Find('\n');
        m_strTitle = newline >= 0 ? title.Left(newline) : title;
    }

    // Each resource comes from the first module of the chain that has it: the program, then the library.
    LPCSTR name = MAKEINTRESOURCE(nIDResource);
    HICON icon = ::LoadIcon(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
    LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, icon);

    m_hMenuDefault = ::LoadMenu(AfxFindResourceHandle(name, RT_MENU), name);
    if (!m_hAccelTable)
        m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(name, RT_ACCELERATOR), name);

    const RECT& r = rectDefault;
    if (!CreateEx(0, className, m_strTitle, dwDefaultStyle, r.left, r.top, mivo::afx::CreateExtent(r.left, r.right),
                  mivo::afx::CreateExtent(r.top, r.bottom),
                  mivo::HandleOf(pParentWnd), m_hMenuDefault, (LPVOID)pContext))
        return FALSE;
    if (icon)
        SetIcon(icon, TRUE);
    // Frames made for a document get their views' first update from InitialUpdateFrame.
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return OnCreateHelper(lpCreateStruct, (CCreateContext*)lpCreateStruct->lpCreateParams);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    CWnd* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view deletes itself (PostNcDestroy) when its creation fails, as when its window goes.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (!view) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        view = dynamic_cast<CView*>(pane);
        if (view)
            SetActiveView(view, FALSE);
    }
    if (bMakeVisible) {
        // Views get their first update before the frame shows.
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view)
            view->OnActivateView(TRUE, view, view);
        ActivateFrame();
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;  // no active view while the old one hears of it
    if (old && bNotify)
        old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

// Bars may ask for the layout while it runs (a bar sizing itself); once is enough.
void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_bLayoutPending = FALSE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area; erasing under it only flickers.
    if (GetActiveView() || GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* view = GetActiveView();
    if (view && nState != WA_INACTIVE && !bMinimized)
        view->OnActivateView(TRUE, view, view);
}

// The document title joins the frame's: "frame - document", or
// "document - frame" with FWS_PREFIXTITLE; ":n" numbers one of several frames.
void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc)
        UpdateFrameTitleForDocument(doc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName)
{
    CString text;
    if (lpszDocName && *lpszDocName) {
        CString doc = lpszDocName;
        if (m_nWindow > 0) {
            CString number;
            number.Format(":%d", m_nWindow);
            doc += number;
        }
        if (GetStyle() & FWS_PREFIXTITLE)
            text = m_strTitle.IsEmpty() ? doc : doc + " - " + m_strTitle;
        else
            text = m_strTitle.IsEmpty() ? doc : m_strTitle + " - " + doc;
    } else {
        text = m_strTitle;
    }
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

// Commands: the active view (and through it its document), the frame, then the application.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CView* view = GetActiveView();
    if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

// Keys reach the innermost frame's accelerators first: the message walk
// calls this for each frame from the focus outwards.
BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL accel = GetDefaultAccelerator();
    return accel && ::TranslateAccelerator(m_hWnd, accel, pMsg);
}

// Menu items are enabled, checked and named by their update handlers before
// the popup shows; a command nobody handles is greyed.
void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopupMenu)
        return;
    HMENU menu = mivo::MenuHandle(pPopupMenu);
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = (UINT)::GetMenuItemCount(menu);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT id = ::GetMenuItemID(menu, (int)state.m_nIndex);
        if (id == 0 || id == (UINT)-1)
            continue;  // separators and popups
        state.m_nID = id;
        state.m_pSubMenu = nullptr;
        state.DoUpdate(this, m_bAutoMenuEnable && id < 0xF000);
        // An update handler may remove items.
        UINT count = (UINT)::GetMenuItemCount(menu);
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            state.m_nIndexMax = count;
        }
    }
}

// Status-bar prompts follow the highlighted menu item; closing the menu
// brings back the idle text.
void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;
    else
        m_nIDTracking = nItemID;
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking ? m_nIDTracking : AFX_IDS_IDLEMESSAGE);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

// A command's prompt is the part of its string before the newline (the rest is its tool tip).
void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString text = mivo::afx::FrameworkString(nID);
    int newline = text.Find('\n');
    rMessage = newline >= 0 ? text.Left(newline) : text;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT previous = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    CWnd* bar = GetMessageBar();
    if (!bar)
        return previous;
    CString text;
    if (lParam)
        text = (LPCSTR)lParam;
    else if (wParam)
        GetMessageString((UINT)wParam, text);
    bar->SetWindowText(text);
    return previous;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nIDTracking)
        return SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    return SendMessage(WM_SETMESSAGESTRING, wParam ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

// A key indicator shows while its key's lock is on.
void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int key = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
              : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
              : pCmdUI->m_nID == ID_INDICATOR_SCRL ? VK_SCROLL
                                                   : VK_KANA;
    pCmdUI->Enable((::GetKeyState(key) & 1) != 0);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_bLayoutPending)
        RecalcLayout();
    UpdateFloatingBars((BOOL)wParam);
    OnUpdateFrameTitle(TRUE);
    return 0;
}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    // Disable the frame and its enabled top-level companions of this thread.
    DWORD thread = ::GetCurrentThreadId();
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetNextWindow(w, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(w, nullptr) != thread || !::IsWindowEnabled(w) || !::IsWindowVisible(w))
            continue;
        if (w != m_hWnd && ::GetWindow(w, GW_OWNER) != m_hWnd)
            continue;
        ::EnableWindow(w, FALSE);
        m_modalDisabled.AddTail(w);
    }
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0)
        return;
    while (!m_modalDisabled.IsEmpty()) {
        HWND w = (HWND)m_modalDisabled.RemoveHead();
        if (::IsWindow(w))
            ::EnableWindow(w, TRUE);
    }
}

// Closing asks the document (save question); the main frame closes every
// document and ends the program.
void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd)
            return;  // closing the documents took the main window with it
    }
    if (doc && doc->m_bAutoDelete) {
        bool otherFrame = false;
        for (POSITION pos = doc->GetFirstViewPosition(); pos && !otherFrame;)
            otherFrame = doc->GetNextView(pos)->GetParentFrame() != this;
        if (!otherFrame) {
            doc->OnCloseDocument();  // destroys this frame
            return;
        }
        doc->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Views go with the frame; they must not be reached as active meanwhile.
    m_pViewActive = nullptr;
    DestroyFloatingBars();
    // The window takes its menu with it: that must be the frame's own, never a shared one.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
