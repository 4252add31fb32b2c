// CBrowserWorker: one worker thread of a browser window, joined before its window goes. The
// join waits the way the user-interface thread waits, so a worker that reports with a sent
// message or raises a message box meanwhile is served rather than deadlocked.
#pragma once

#include "mfc.h"

#include <memory>

class CBrowserWorker {
public:
    CBrowserWorker() = default;
    ~CBrowserWorker() { Join(); }
    CBrowserWorker(const CBrowserWorker&) = delete;
    CBrowserWorker& operator=(const CBrowserWorker&) = delete;

    // Joins the previous thread first; FALSE when no thread could be started.
    BOOL Start(AFX_THREADPROC proc, LPVOID param);
    // Waits for the thread to end, then forgets it. Nothing when none ran.
    void Join();
    BOOL IsStarted() const { return m_pThread != nullptr; }

private:
    std::unique_ptr<CWinThread> m_pThread;
};
