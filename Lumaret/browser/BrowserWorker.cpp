#include "browser/BrowserWorker.h"

BOOL CBrowserWorker::Start(AFX_THREADPROC proc, LPVOID param)
{
    Join();
    CWinThread* thread = AfxBeginThread(proc, param, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread)
        return FALSE;
    thread->m_bAutoDelete = FALSE;
    m_pThread.reset(thread);
    thread->ResumeThread();
    return TRUE;
}

void CBrowserWorker::Join()
{
    if (!m_pThread)
        return;
    ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
    m_pThread.reset();
}
