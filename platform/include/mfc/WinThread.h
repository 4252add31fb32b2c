// CWinThread: a thread with the framework's message loop, and AfxBeginThread.
#pragma once

#include "mfc/CmdTarget.h"
#include "mfc/Point.h"

class CException;

class CWnd;

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class AFX_EXT_CLASS CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual CWnd* GetMainWnd();
    virtual void Delete();

    // Thread messages go through the thread's own message map (ON_THREAD_MESSAGE).
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    LPVOID m_pThreadParams = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    MSG m_msgCur = {};

    // Runs a thread's body; used by the thread start-up.
    UINT RunThreadBody();

protected:
    DECLARE_MESSAGE_MAP()

private:
    CPoint m_ptCursorLast;
    UINT m_nMsgLast = 0;
};

AFX_EXT_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                              int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                              DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
AFX_EXT_API CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                              UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                              LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
AFX_EXT_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
AFX_EXT_API CWinThread* AFXAPI AfxGetThread();
AFX_EXT_API BOOL AFXAPI AfxPumpMessage();
AFX_EXT_API void AFXAPI AfxPostQuitMessage(int nExitCode);
