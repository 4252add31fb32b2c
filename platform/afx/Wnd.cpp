// CWnd core: handle maps, creation, the window procedure and message dispatch.
#include "mivo/Trace.h"
#include "afx/MfcState.h"
#include "user/CreationHook.h"

#include <exception>
#include <mutex>

namespace mivo {

MfcThreadState& MfcThread()
{
    // Temporary objects die with their thread; they never own their windows.
    struct Holder {
        MfcThreadState state;
        ~Holder()
        {
            for (auto& t : state.temporary) {
                t.second->m_hWnd = nullptr;
                delete t.second;
            }
        }
    };
    static thread_local Holder holder;
    return holder.state;
}

namespace {

std::mutex& PermanentLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::unordered_map<HWND, CWnd*>& Permanent()
{
    static auto* map = new std::unordered_map<HWND, CWnd*>;
    return *map;
}

void CreationHook(HWND hwnd)
{
    MfcThreadState& state = MfcThread();
    CWnd* pending = state.pendingCreate;
    if (!pending)
        return;
    state.pendingCreate = nullptr;
    pending->AttachForCreation(hwnd);
}

}  // namespace

CWnd* LookupPermanent(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(PermanentLock());
    auto it = Permanent().find(hwnd);
    return it == Permanent().end() ? nullptr : it->second;
}

void AddPermanent(HWND hwnd, CWnd* wnd)
{
    std::lock_guard<std::mutex> guard(PermanentLock());
    Permanent()[hwnd] = wnd;
}

void RemovePermanent(HWND hwnd, CWnd* wnd)
{
    std::lock_guard<std::mutex> guard(PermanentLock());
    auto it = Permanent().find(hwnd);
    if (it != Permanent().end() && it->second == wnd)
        Permanent().erase(it);
}

CWnd* WndFromHandle(HWND hwnd)
{
    return CWnd::FromHandle(hwnd);
}

HWND ThisHwnd(MsgCall& c)
{
    return static_cast<CWnd*>(c.target)->m_hWnd;
}

namespace {
CMenu* (*g_menuFromHandle)(HMENU) = nullptr;
}

CMenu* MenuFromHandle(HMENU hmenu)
{
    return g_menuFromHandle && hmenu ? g_menuFromHandle(hmenu) : nullptr;
}

void SetMenuFromHandleHook(CMenu* (*hook)(HMENU))
{
    g_menuFromHandle = hook;
}

namespace {
HMENU (*g_menuHandle)(CMenu*) = nullptr;
}

void SetMenuHandleHook(HMENU (*hook)(CMenu*))
{
    g_menuHandle = hook;
}

HMENU MenuHandle(CMenu* menu)
{
    return g_menuHandle && menu ? g_menuHandle(menu) : nullptr;
}

void ReportHandlerFailure(const char* what)
{
    MIVO_WARN(kTraceAfx, "a message handler failed: %s", what ? what : "unknown error");
}

void ReportHandlerException(CException* e)
{
    if (!e)
        return;
    e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    e->Delete();
}

}  // namespace mivo

using namespace mivo;

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop((HWND)0);
const CWnd CWnd::wndBottom((HWND)1);
const CWnd CWnd::wndTopMost((HWND)-1);
const CWnd CWnd::wndNoTopMost((HWND)-2);

const char _afxWnd[] = "AfxWnd";
const char _afxWndControlBar[] = "AfxControlBar";
const char _afxWndMDIFrame[] = "AfxMDIFrame";
const char _afxWndFrameOrView[] = "AfxFrameOrView";
const char _afxWndOleControl[] = "AfxOleControl";

namespace {
constexpr DWORD WF_CONTINUEMODAL = 0x0001;
constexpr DWORD WF_MODALLOOP = 0x0002;
}  // namespace

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd && this != &wndTop && this != &wndBottom && this != &wndTopMost && this != &wndNoTopMost) {
        if (LookupPermanent(m_hWnd) == this)
            DestroyWindow();
        if (m_hWnd) {
            RemovePermanent(m_hWnd, this);
            m_hWnd = nullptr;
        }
    }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? LookupPermanent(hWnd) : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* p = LookupPermanent(hWnd))
        return p;
    auto& temp = MfcThread().temporary;
    auto it = temp.find(hWnd);
    if (it != temp.end())
        return it->second;
    CWnd* w = new CWnd(hWnd);
    temp[hWnd] = w;
    return w;
}

void PASCAL CWnd::DeleteTempMap()
{
    auto& temp = MfcThread().temporary;
    for (auto& t : temp) {
        t.second->m_hWnd = nullptr;
        delete t.second;
    }
    temp.clear();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    m_hWnd = hWndNew;
    AddPermanent(hWndNew, this);
    // A temporary object for the same window is no longer needed.
    auto& temp = MfcThread().temporary;
    auto it = temp.find(hWndNew);
    if (it != temp.end()) {
        it->second->m_hWnd = nullptr;
        delete it->second;
        temp.erase(it);
    }
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h)
        RemovePermanent(h, this);
    m_hWnd = nullptr;
    return h;
}

void CWnd::AttachForCreation(HWND hWnd)
{
    Attach(hWnd);
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc)
        *GetSuperWndProcAddr() = old;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc)
        *GetSuperWndProcAddr() = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*super);
        *super = nullptr;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        AfxDeferRegisterClass(AFX_WND_REG);
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD exStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        exStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // creation failed before the window existed
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND h = m_hWnd;
    BOOL permanent = LookupPermanent(h) == this;
    BOOL ok = ::DestroyWindow(h);
    // A window that was not ours to follow is simply let go.
    if (!permanent && m_hWnd == h)
        Detach();
    return ok;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    static bool installed = [] {
        mivo::SetWindowCreationHook(CreationHook);
        return true;
    }();
    (void)installed;
    MfcThread().pendingCreate = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    MfcThreadState& state = MfcThread();
    if (state.pendingCreate) {
        state.pendingCreate = nullptr;
        return FALSE;
    }
    return TRUE;
}

WNDPROC AfxGetAfxWndProc()
{
    return AfxWndProc;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MfcThreadState& state = MfcThread();
    MSG saved = state.lastSentMsg;
    state.lastSentMsg.hwnd = hWnd;
    state.lastSentMsg.message = nMsg;
    state.lastSentMsg.wParam = wParam;
    state.lastSentMsg.lParam = lParam;
    LRESULT result = 0;
    // Exceptions end here: they are reported and the program goes on.
    try {
        result = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        CWinThread* thread = AfxGetThread();
        if (thread)
            result = thread->ProcessWndProcException(e, &state.lastSentMsg);
        else
            ReportHandlerException(e);
    } catch (const std::exception& e) {
        ReportHandlerFailure(e.what());
        if (nMsg == WM_CREATE)
            result = -1;
    } catch (...) {
        ReportHandlerFailure(nullptr);
        if (nMsg == WM_CREATE)
            result = -1;
    }
    state.lastSentMsg = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC super = m_pfnSuper;
    if (super && super != AfxWndProc)
        return ::CallWindowProc(super, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = MfcThread().lastSentMsg;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG& m = MfcThread().lastSentMsg;
    m.time = (DWORD)::GetMessageTime();
    DWORD pos = ::GetMessagePos();
    m.pt.x = (short)LOWORD(pos);
    m.pt.y = (short)HIWORD(pos);
    return &m;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        auto* hdr = (NMHDR*)lParam;
        if (!hdr || !hdr->hwndFrom || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // Every WM_CTLCOLORxxx reaches the map as WM_CTLCOLOR.
        AFX_CTLCOLOR cc{(HWND)lParam, (HDC)wParam, message - WM_CTLCOLORMSGBOX};
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_CTLCOLOR);
        if (!e)
            return FALSE;
        AfxCallMessageEntry(e, this, WM_CTLCOLOR, wParam, (LPARAM)&cc, &lResult);
    } else {
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message);
        if (!e)
            return FALSE;
        AfxCallMessageEntry(e, this, message, wParam, lParam, &lResult);
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

namespace {

// Records what an update handler decides, to learn whether a command may run.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        // Menus and accelerators: a disabled command does not run.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;  // the control handled its own notification
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = (NMHDR*)lParam;
    HWND hWndCtrl = hdr->hwndFrom;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    if (!nID)
        nID = (UINT)hdr->idFrom;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, hdr};
    return OnCmdMsg(nID, (int)MAKELONG(hdr->code, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    if (!child)
        return FALSE;
    const MSG m = MfcThread().lastSentMsg;
    return child->OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT local = 0;
    if (!pResult)
        pResult = &local;
    switch (uMsg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);
    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        auto* hdr = (NMHDR*)lParam;
        AFX_NOTIFY notify{pResult, hdr};
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG(hdr->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    }
    if (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR cc{m_hWnd, (HDC)wParam, uMsg - WM_CTLCOLORMSGBOX};
        BOOL handled = OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&cc, pResult);
        // A NULL brush means "not handled": the parent decides.
        return handled && *pResult != 0;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* w = FromHandlePermanent(h);
        if (w && w->PreTranslateMessage(pMsg))
            return TRUE;
        if (h == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* w = FromHandlePermanent(child))
                AfxCallWndProc(w, child, message, wParam, lParam);
        } else {
            ::SendMessage(child, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(child)) {
            CWnd tmp(child);
            tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            tmp.m_hWnd = nullptr;
        }
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    CWinThread* thread = AfxGetThread();
    MSG local = {};
    MSG* pMsg = thread ? &thread->m_msgCur : &local;
    for (;;) {
        while (bIdle && !::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, 0 /* MSGF_DIALOGBOX */, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, 0, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal())
                goto ExitModal;
        }
        do {
            if (!AfxPumpMessage()) {
                AfxPostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (!thread || thread->IsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}
