// CWinThread and CWinApp: worker and UI threads, suspended start, the application's loop.
#include <gtest/gtest.h>

#include <mfc.h>

#include "support/MessageLoop.h"

#include <atomic>

using namespace mivo::test;

namespace {

UINT AFX_CDECL Worker(LPVOID param)
{
    auto* counter = (std::atomic<int>*)param;
    ++*counter;
    return 7;
}

class CEchoThread : public CWinThread {
    DECLARE_DYNCREATE(CEchoThread)
public:
    static std::atomic<int> s_initialized;
    static std::atomic<int> s_messages;
    static std::atomic<int> s_exit;

    BOOL InitInstance() override
    {
        ++s_initialized;
        return TRUE;
    }
    int ExitInstance() override
    {
        s_exit = CWinThread::ExitInstance();
        return s_exit;
    }

protected:
    afx_msg void OnPing(WPARAM w, LPARAM) { s_messages += (int)w; }
    DECLARE_MESSAGE_MAP()
};

std::atomic<int> CEchoThread::s_initialized{0};
std::atomic<int> CEchoThread::s_messages{0};
std::atomic<int> CEchoThread::s_exit{-1};

IMPLEMENT_DYNCREATE(CEchoThread, CWinThread)

BEGIN_MESSAGE_MAP(CEchoThread, CWinThread)
ON_THREAD_MESSAGE(WM_APP + 1, OnPing)
END_MESSAGE_MAP()

}  // namespace

TEST(FrameworkThreads, WorkerRunsAndReportsItsExitCode)
{
    std::atomic<int> counter{0};
    CWinThread* t = AfxBeginThread(Worker, &counter, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, 30), (DWORD)WAIT_TIMEOUT) << "suspended until resumed";
    EXPECT_EQ(counter.load(), 0);
    t->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, INFINITE), (DWORD)WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(counter.load(), 1);
    // The object converts to its thread's handle, as waits take it.
    EXPECT_EQ((HANDLE)*t, t->m_hThread);
    EXPECT_EQ(WaitForSingleObject(*t, 0), (DWORD)WAIT_OBJECT_0);
    delete t;
}

TEST(FrameworkThreads, UiThreadHandlesThreadMessagesUntilQuit)
{
    CEchoThread::s_messages = 0;
    CWinThread* t = AfxBeginThread(RUNTIME_CLASS(CEchoThread));
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(CEchoThread::s_initialized.load() >= 0, true);
    // The thread's queue exists as soon as AfxBeginThread returns.
    EXPECT_TRUE(t->PostThreadMessage(WM_APP + 1, 5, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_APP + 1, 6, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_QUIT, 3, 0));
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, INFINITE), (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(CEchoThread::s_messages.load(), 11);
    EXPECT_EQ(CEchoThread::s_exit.load(), 3);
    delete t;
}

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("테스트") {}
    int idles = 0;
    CWnd* m_pOwnedMain = nullptr;  // the frame clears m_pMainWnd when the window goes
    BOOL InitInstance() override
    {
        m_pOwnedMain = new CWnd;
        m_pOwnedMain->CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
        m_pMainWnd = m_pOwnedMain;
        return TRUE;
    }
    BOOL OnIdle(LONG count) override
    {
        // Once the loop is idle, closing the main window ends the program.
        if (++idles == 1)
            m_pMainWnd->PostMessage(WM_CLOSE);
        return CWinApp::OnIdle(count);
    }
    int ExitInstance() override
    {
        delete m_pOwnedMain;
        m_pOwnedMain = nullptr;
        m_pMainWnd = nullptr;
        return CWinApp::ExitInstance() + 40;
    }
};

}  // namespace

TEST(FrameworkApplication, RunEndsWhenTheMainWindowCloses)
{
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    char cmd[] = "DataDir=C:\\Mivo^Show=1";
    int code = AfxWinMain(GetModuleHandle(nullptr), nullptr, cmd, SW_SHOW);
    EXPECT_EQ(code, 40);
    EXPECT_STREQ(app.m_lpCmdLine, "DataDir=C:\\Mivo^Show=1");
    EXPECT_STREQ(AfxGetAppName(), "테스트");
    EXPECT_GT(app.idles, 0);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}
