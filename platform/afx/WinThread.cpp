// CWinThread: thread start-up, the message loop with idle time, and AfxBeginThread.
#include "afx/MfcState.h"

#include <mutex>

namespace {

struct Startup {
    CWinThread* thread;
    HANDLE ready;  // the new thread has its queue and state
    HANDLE gate;   // opened by the first ResumeThread
};

DWORD WINAPI ThreadEntry(LPVOID param)
{
    Startup* startup = (Startup*)param;
    CWinThread* thread = startup->thread;
    HANDLE gate = startup->gate;
    mivo::MfcThread().thread = thread;
    MSG msg;
    ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists from now on
    ::SetEvent(startup->ready);
    ::WaitForSingleObject(gate, INFINITE);  // the creator closes the gate once it opened it
    return thread->RunThreadBody();
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread && m_hThread != ::GetCurrentThread() && (CWinThread*)AfxGetApp() != this)
        ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    if (mivo::MfcThread().thread == this)
        mivo::MfcThread().thread = nullptr;
}

namespace {
// Gates of threads created suspended, opened by their first ResumeThread.
std::mutex g_gateLock;
std::unordered_map<CWinThread*, HANDLE> g_gates;
}  // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    Startup startup;
    startup.thread = this;
    startup.ready = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    startup.gate = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE gate = startup.gate;
    DWORD id = 0;
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, ThreadEntry, &startup, 0, &id);
    if (!m_hThread) {
        ::CloseHandle(startup.ready);
        ::CloseHandle(gate);
        return FALSE;
    }
    m_nThreadID = id;
    ::WaitForSingleObject(startup.ready, INFINITE);
    ::CloseHandle(startup.ready);
    if (dwCreateFlags & CREATE_SUSPENDED) {
        std::lock_guard<std::mutex> guard(g_gateLock);
        g_gates[this] = gate;
    } else {
        ::SetEvent(gate);
        ::CloseHandle(gate);
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    HANDLE gate = nullptr;
    {
        std::lock_guard<std::mutex> guard(g_gateLock);
        auto it = g_gates.find(this);
        if (it != g_gates.end()) {
            gate = it->second;
            g_gates.erase(it);
        }
    }
    if (gate) {
        ::SetEvent(gate);
        ::CloseHandle(gate);
        return 1;
    }
    return ::ResumeThread(m_hThread);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

UINT CWinThread::RunThreadBody()
{
    UINT code;
    if (m_pfnThreadProc) {
        code = m_pfnThreadProc(m_pThreadParams);
    } else if (!InitInstance()) {
        code = (UINT)ExitInstance();
    } else {
        code = (UINT)Run();
    }
    mivo::MfcThread().thread = nullptr;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    Delete();
    return code;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd ? m_pActiveWnd : m_pMainWnd;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), pMsg->message);
    if (!e)
        return FALSE;
    LRESULT result = 0;
    AfxCallMessageEntry(e, this, pMsg->message, pMsg->wParam, pMsg->lParam, &result);
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr && DispatchThreadMessageEx(pMsg))
        return TRUE;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    // Messages of other top-level windows (modeless dialogs) also pass the main window.
    if (pMainWnd && pMsg->hwnd) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd && pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG)
{
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CMenu::DeleteTempMap();
    }
    return lCount < 0;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Repeated moves to the same place, paints and caret blinks do not restart idle time.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        if (m_ptCursorLast == CPoint(pMsg->pt) && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = CPoint(pMsg->pt);
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    LRESULT result = 0;
    if (pMsg && pMsg->message == WM_CREATE)
        result = -1;
    else if (pMsg && pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    // A user exception has already told the user.
    if (e && !e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    if (e)
        e->Delete();
    return result;
}

CWinThread* AFXAPI AfxGetThread()
{
    CWinThread* t = mivo::MfcThread().thread;
    return t;
}

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* t = AfxGetThread())
        return t->PumpMessage();
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return TRUE;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

namespace {

CWinThread* Start(CWinThread* thread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!thread)
        return nullptr;
    if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        thread->Delete();
        return nullptr;
    }
    thread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

}  // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return Start(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CObject* object = pThreadClass ? pThreadClass->CreateObject() : nullptr;
    CWinThread* thread = object && object->IsKindOf(RUNTIME_CLASS(CWinThread)) ? (CWinThread*)object : nullptr;
    if (!thread) {
        delete object;
        return nullptr;
    }
    return Start(thread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* thread = AfxGetThread();
    mivo::MfcThread().thread = nullptr;
    CWnd::DeleteTempMap();
    if (thread && bDelete)
        thread->Delete();
    ::ExitThread(nExitCode);
}
