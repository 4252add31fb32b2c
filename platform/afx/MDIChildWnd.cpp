#include "mfc.h"

#include "afx/CreateExtent.h"


IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_MDIACTIVATE()
ON_WM_MOUSEACTIVATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CHILD;
    return TRUE;
}

// The child is made by the MDI client; the framework object attaches to it as
// any window it creates.
BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pParentWnd || !pParentWnd->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    CREATESTRUCT cs = {};
    cs.style = (LONG)(dwStyle | WS_CHILD);
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = mivo::afx::CreateExtent(rect.left, rect.right);
    cs.cy = mivo::afx::CreateExtent(rect.top, rect.bottom);
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCT mcs;
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = (DWORD)cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)pContext;
    AfxHookWindowCreate(this);
    HWND hwnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (!hwnd)
        return FALSE;
    if (dwStyle & WS_MAXIMIZE)
        MDIMaximize();
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString full;
    if (full.LoadString(nIDResource)) {
        int newline = full.Find('\n');
        m_strTitle = newline >= 0 ? full.Left(newline) : full;
    }
    // The template's shared menu and accelerators serve every child of its kind.
    if (pContext) {
        if (auto* docTemplate = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate)) {
            m_hMenuShared = docTemplate->m_hMenuShared;
            m_hAccelTable = docTemplate->m_hAccelTable;
        }
    }
    LPCSTR name = MAKEINTRESOURCE(nIDResource);
    HICON icon = ::LoadIcon(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
    LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, icon);
    return Create(className, m_strTitle, dwDefaultStyle, rectDefault, dynamic_cast<CMDIFrameWnd*>(pParentWnd),
                  pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    auto* mcs = (MDICREATESTRUCT*)lpCreateStruct->lpCreateParams;
    return OnCreateHelper(lpCreateStruct, mcs ? (CCreateContext*)mcs->lParam : nullptr);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND client = ::GetParent(m_hWnd);
    return client ? dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(client))) : nullptr;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // Through the client, so it activates the next child and updates its list.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL maximized = FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* active = frame ? frame->MDIGetActive(&maximized) : nullptr;
    if (nCmdShow == -1 && !IsWindowVisible())
        nCmdShow = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (active != this)
        MDIActivate();
    if (frame)
        frame->OnUpdateFrameTitle(TRUE);
}

// The caption is the document's title (numbered when several children show it).
void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame)
        frame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    if (!bAddToTitle || !doc)
        return;
    CString text = doc->GetTitle();
    if (m_nWindow > 0) {
        CString number;
        number.Format(":%d", m_nWindow);
        text += number;
    }
    CString current;
    GetWindowText(current);
    if (current != text) {
        SetWindowText(text);
        if (frame)
            frame->OnUpdateFrameTitle(bAddToTitle);  // a maximized child's caption shows in the frame
    }
}

// Keys are translated for the MDI frame, so the main frame's commands run
// from anywhere inside the child (a dialog page included).
BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    HACCEL accel = GetDefaultAccelerator();
    if (!accel && frame)
        accel = frame->m_hAccelTable;
    return frame && accel && ::TranslateAccelerator(frame->m_hWnd, accel, pMsg);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    if (!hMenuAlt && bActivate)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt && bActivate) {
        frame->MDISetMenu(hMenuAlt, frame->GetWindowMenuPopup(hMenuAlt));
    } else if (!bActivate && !pActivateWnd) {
        // The last child went: the frame's own menu comes back.
        HMENU menu = frame->m_hMenuDefault;
        if (menu)
            frame->MDISetMenu(menu, frame->GetWindowMenuPopup(menu));
    }
    frame->DrawMenuBar();
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    CView* view = GetActiveView();
    if (!bActivate && view)
        view->OnActivateView(FALSE, view, view);
    OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (bActivate && view)
        view->OnActivateView(TRUE, view, view);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(TRUE);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    MDIActivate();
    return result;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(TRUE);  // maximizing changes the frame's caption
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
    // A maximized child's caption stands in the frame's, so a new one shows there at once.
    if (message == WM_SETTEXT && IsZoomed()) {
        if (CMDIFrameWnd* frame = GetMDIFrame())
            frame->OnUpdateFrameTitle(TRUE);
    }
    return result;
}
