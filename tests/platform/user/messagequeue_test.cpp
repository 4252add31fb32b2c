// Message queues: posting and retrieving, sending across threads, timers.
#include <gtest/gtest.h>

#include <win32.h>

#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"
#include "support/MessageSequence.h"

#include <mivo/Trace.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace mivo::test;

namespace {

// The thread id the window manager uses for the calling thread.
DWORD ThisThread()
{
    HWND h = CreateTestWindow("probe", WS_POPUP, 0, 0, 1, 1);
    DWORD id = GetWindowThreadProcessId(h, nullptr);
    DestroyWindow(h);
    return id;
}

}  // namespace

TEST(MessageQueue, PeekRemovesOnlyWhenAskedAndFilters)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("q", WS_POPUP, 0, 0, 10, 10);
    PumpUntilIdle();
    PostMessage(h, WM_USER + 1, 1, 0);
    PostMessage(h, WM_USER + 2, 2, 0);
    PostMessage(h, WM_USER + 3, 3, 0);

    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 1);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 1) << "PM_NOREMOVE leaves it in place";

    ASSERT_TRUE(PeekMessage(&msg, h, WM_USER + 2, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 2) << "a range filter skips earlier messages";
    EXPECT_EQ(msg.hwnd, h);
    EXPECT_FALSE(PeekMessage(&msg, (HWND)-1, 0, 0, PM_NOREMOVE)) << "-1 asks only for thread messages";

    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 1);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 3);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(h);
}

TEST(MessageQueue, QuitComesAfterPostedMessagesAndEndsGetMessage)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("q", WS_POPUP, 0, 0, 10, 10);
    PumpUntilIdle();
    PostQuitMessage(3);
    PostMessage(h, WM_USER, 0, 0);
    PostThreadMessage(ThisThread(), WM_USER + 5, 9, 0);

    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_USER);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_USER + 5);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, (WPARAM)3);
    DestroyWindow(h);
}

TEST(MessageQueue, PostedMessagesToDestroyedWindowsAreDropped)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("q", WS_POPUP, 0, 0, 10, 10);
    PumpUntilIdle();
    PostMessage(h, WM_USER + 7, 0, 0);
    DestroyWindow(h);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE));
}

TEST(MessageQueue, ProceduresTellPostedFromSentAndDefaultProcedureDeliveries)
{
    MessageRecorder rec;
    HWND top = CreateTestWindow("top", WS_POPUP, 0, 0, 100, 100);
    HWND child = CreateTestWindow("child", WS_CHILD, 0, 0, 10, 10, top, 4);
    PumpUntilIdle();
    // A posted message that sends another on its way in: the nested one is sent.
    rec.OnMessage(WM_USER + 1, [&](HWND, UINT, WPARAM, LPARAM, LRESULT*) {
        SendMessage(child, WM_USER + 2, 0, 0);
        return false;
    });
    rec.Clear();
    PostMessage(top, WM_USER + 1, 11, 12);
    SendMessage(top, WM_USER + 3, 0, 0);
    PumpUntilIdle();
    // The default procedure hands an unhandled wheel to the parent.
    SendMessage(child, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_SEQUENCE(rec, child, {
        {WM_USER + 3, kParent | kSent},
        {WM_USER + 1, kParent | kPosted | kWParam | kLParam, 11, 12},
        {WM_USER + 2, kSent},
        {WM_MOUSEWHEEL, kSent},
        {WM_MOUSEWHEEL, kParent | kSent | kDefProc},
    });
    for (const auto& m : rec.All()) {
        if (m.msg != WM_MOUSEWHEEL || m.hwnd == child) {
            EXPECT_FALSE(m.defProc) << mivo::MessageName(m.msg) << " came straight from its sender";
        }
    }
    DestroyWindow(top);
}

TEST(MessageSequenceTables, OptionalRepeatedAndParameterRows)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("t", WS_POPUP, 0, 0, 10, 10);
    rec.Clear();
    for (WPARAM w : {1, 2, 2, 2, 3})
        SendMessage(h, WM_USER, w, 0);
    struct Case {
        const char* what;
        Sequence table;
        bool matches;
    } cases[] = {
        {"exact", {{WM_USER, kWParam, 1}, {WM_USER, kAnyNumber | kWParam, 2}, {WM_USER, kWParam, 3}}, true},
        {"optional absent", {{WM_USER}, {WM_PAINT, kOptional}, {WM_USER, kAnyNumber}}, true},
        {"any number may be none", {{WM_USER, kAnyNumber | kWParam, 9}, {WM_USER, kAnyNumber}}, true},
        {"too few rows", {{WM_USER}, {WM_USER}}, false},
        {"wrong parameter", {{WM_USER, kWParam, 2}, {WM_USER, kAnyNumber}}, false},
        {"posted but sent", {{WM_USER, kPosted}, {WM_USER, kAnyNumber}}, false},
        {"missing message", {{WM_USER, kAnyNumber}, {WM_CLOSE}}, false},
        {"another window's", {{WM_USER, kParent | kAnyNumber}}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ((bool)MatchSequence(rec, h, c.table), c.matches) << c.what;
    EXPECT_TRUE(MatchSequence(rec, h, {{WM_USER, kWParam, 3}}, SequenceScope::Named) == false);
    EXPECT_TRUE(MatchSequence(rec, h, {{WM_CLOSE, kOptional}, {WM_USER, kAnyNumber}}, SequenceScope::Named));

    // A failure shows both sides by name and marks the first row that differs.
    std::string text = MatchSequence(rec, h, {{WM_USER}, {WM_USER}, {WM_CLOSE}}).message();
    EXPECT_NE(text.find("=> WM_CLOSE"), std::string::npos) << text;
    EXPECT_NE(text.find("| WM_USER+0x0000 sent wp=0x2"), std::string::npos) << text;
    DestroyWindow(h);
}

TEST(SendMessageAcrossThreads, HandlerRunsOnOwnerThreadWhileSenderWaits)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("ui", WS_POPUP, 0, 0, 10, 10);
    DWORD uiThread = ThisThread();
    std::atomic<DWORD> handlerThread{0};
    std::atomic<BOOL> inSend{FALSE};
    rec.OnMessage(WM_USER + 10, [&](HWND, UINT, WPARAM w, LPARAM l, LRESULT* r) {
        handlerThread = GetWindowThreadProcessId(h, nullptr) == uiThread ? ThisThread() : 0;
        inSend = InSendMessage();
        *r = (LRESULT)(w * 100 + l);
        return true;
    });

    std::atomic<LRESULT> result{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        result = SendMessage(h, WM_USER + 10, 4, 2);
        finished = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
    worker.join();
    EXPECT_EQ(result.load(), 402);
    EXPECT_EQ(handlerThread.load(), uiThread) << "the handler ran on the window's own thread";
    EXPECT_TRUE(inSend.load());
    DestroyWindow(h);
}

TEST(SendMessageAcrossThreads, WaitingSenderHandlesMessagesSentToIt)
{
    // The UI thread sends to a worker's window; the worker, while handling it, sends
    // back to a UI window. The UI thread must handle that while it waits: no deadlock.
    MessageRecorder rec;
    HWND ui = CreateTestWindow("ui", WS_POPUP, 0, 0, 10, 10);
    rec.OnMessage(WM_USER + 20, [](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        *r = (LRESULT)w + 1;
        return true;
    });

    std::mutex m;
    std::condition_variable cv;
    HWND workerWindow = nullptr;
    std::thread worker([&] {
        WNDCLASS wc = {};
        wc.lpszClassName = "WorkerEcho";
        wc.lpfnWndProc = [](HWND hw, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
            if (msg == WM_USER + 21) {
                HWND back = (HWND)l;
                return SendMessage(back, WM_USER + 20, w, 0) * 2;
            }
            return DefWindowProc(hw, msg, w, l);
        };
        RegisterClass(&wc);
        HWND mine = CreateWindow("WorkerEcho", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> g(m);
            workerWindow = mine;
        }
        cv.notify_all();
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0))
            DispatchMessage(&msg);
        DestroyWindow(mine);
    });
    {
        std::unique_lock<std::mutex> g(m);
        cv.wait(g, [&] { return workerWindow != nullptr; });
    }
    EXPECT_EQ(SendMessage(workerWindow, WM_USER + 21, 5, (LPARAM)ui), 12);
    EXPECT_EQ(rec.Count(ui, WM_USER + 20), 1);
    DWORD workerId = GetWindowThreadProcessId(workerWindow, nullptr);
    EXPECT_TRUE(PostThreadMessage(workerId, WM_QUIT, 0, 0));
    worker.join();
    EXPECT_FALSE(IsWindow(workerWindow));
    DestroyWindow(ui);
}

TEST(SendMessageAcrossThreads, SendToWindowOfEndedThreadFails)
{
    HWND orphan = nullptr;
    std::thread t([&] {
        orphan = CreateTestWindow("orphan", WS_POPUP, 0, 0, 1, 1);
    });
    t.join();
    EXPECT_FALSE(IsWindow(orphan)) << "a thread's windows go with it";
    EXPECT_EQ(SendMessage(orphan, WM_USER, 0, 0), 0);
}

TEST(SendMessageAcrossThreads, TimeoutAndNotifyDoNotWaitForABusyThread)
{
    std::mutex m;
    std::condition_variable cv;
    HWND target = nullptr;
    std::atomic<bool> release{false};
    std::atomic<int> notified{0};
    std::thread worker([&] {
        WNDCLASS wc = {};
        wc.lpszClassName = "BusyWorker";
        wc.lpfnWndProc = DefWindowProc;
        RegisterClass(&wc);
        HWND mine = CreateWindow("BusyWorker", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> g(m);
            target = mine;
        }
        cv.notify_all();
        while (!release)
            std::this_thread::yield();
        // Now look at the queue: the notification waits there.
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        char text[32] = "";
        GetWindowText(mine, text, sizeof(text));
        notified = strcmp(text, "notified") == 0 ? 1 : 0;
        DestroyWindow(mine);
    });
    {
        std::unique_lock<std::mutex> g(m);
        cv.wait(g, [&] { return target != nullptr; });
    }
    DWORD_PTR r = 0;
    EXPECT_EQ(SendMessageTimeout(target, WM_NULL, 0, 0, SMTO_NORMAL, 20, &r), 0) << "the worker never looked";
    EXPECT_TRUE(SendNotifyMessage(target, WM_SETTEXT, 0, (LPARAM)"notified"));
    release = true;
    worker.join();
    EXPECT_EQ(notified.load(), 1) << "the notification was handled later by the worker";
}

TEST(Timers, WindowTimersArriveAndStop)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("timer", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SetTimer(h, 42, 10, nullptr), (UINT_PTR)42);
    EXPECT_TRUE(PumpUntil([&] { return rec.Count(h, WM_TIMER) >= 2; }));
    for (auto& m : rec.All()) {
        if (m.msg == WM_TIMER) {
            EXPECT_EQ(m.wParam, (WPARAM)42);
        }
    }
    EXPECT_TRUE(KillTimer(h, 42));
    EXPECT_FALSE(KillTimer(h, 42));
    PumpUntilIdle();
    rec.Clear();
    // With the timer gone nothing more arrives, even after another timer fired.
    UINT_PTR other = SetTimer(h, 43, 30, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return rec.Count(h, WM_TIMER) >= 1; }));
    KillTimer(h, other);
    for (auto& m : rec.All()) {
        if (m.msg == WM_TIMER) {
            EXPECT_EQ(m.wParam, (WPARAM)43);
        }
    }
    DestroyWindow(h);
}

namespace {
std::atomic<int> g_timerProcCalls{0};
UINT_PTR g_timerProcId = 0;
void CALLBACK CountingTimerProc(HWND, UINT msg, UINT_PTR id, DWORD)
{
    if (msg == WM_TIMER && id == g_timerProcId)
        ++g_timerProcCalls;
}
}  // namespace

TEST(Timers, ThreadTimerCallsItsProcedure)
{
    g_timerProcCalls = 0;
    g_timerProcId = SetTimer(nullptr, 0, 10, CountingTimerProc);
    ASSERT_NE(g_timerProcId, 0u);
    EXPECT_TRUE(PumpUntil([] { return g_timerProcCalls >= 2; }));
    EXPECT_TRUE(KillTimer(nullptr, g_timerProcId));
}

TEST(Timers, DestroyingTheWindowKillsItsTimers)
{
    MessageRecorder rec;
    HWND h = CreateTestWindow("timer", WS_POPUP, 0, 0, 10, 10);
    SetTimer(h, 1, 10, nullptr);
    DestroyWindow(h);
    EXPECT_FALSE(KillTimer(h, 1));
}

namespace {

struct ReportJob {
    HWND target;
    LRESULT answer = 0;
};

DWORD WINAPI ReportingWorker(LPVOID p)
{
    auto* job = (ReportJob*)p;
    // Progress reports the way the image classes send them.
    for (int percent = 10; percent <= 100; percent += 45)
        job->answer += SendMessage(job->target, 0x84F, (WPARAM)percent, 0);
    return 0;
}

}  // namespace

TEST(SendMessageAcrossThreads, UiThreadWaitingOnWorkerKeepsHandlingItsReports)
{
    MessageRecorder rec;
    HWND ui = CreateTestWindow("ui", WS_POPUP, 0, 0, 10, 10);
    std::vector<int> seen;
    DWORD uiThread = GetCurrentThreadId();
    bool onUiThread = true;
    rec.OnMessage(0x84F, [&](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        seen.push_back((int)w);
        onUiThread = onUiThread && GetCurrentThreadId() == uiThread;
        *r = 1;
        return true;
    });
    ReportJob job{ui};
    HANDLE thread = CreateThread(nullptr, 0, ReportingWorker, &job, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), (DWORD)WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(seen, (std::vector<int>{10, 55, 100}));
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(job.answer, 3);
    DestroyWindow(ui);
}

TEST(MessageQueue, MsgWaitWakesForPostedMessagesAndHandles)
{
    MessageRecorder rec;
    HWND ui = CreateTestWindow("ui", WS_POPUP, 0, 0, 10, 10);
    PumpUntilIdle();
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread poster([&] { PostMessage(ui, WM_USER + 3, 0, 0); });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT), (DWORD)WAIT_OBJECT_0 + 1);
    poster.join();
    PumpUntilIdle();
    std::thread setter([&] { SetEvent(event); });
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT), (DWORD)WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT), (DWORD)WAIT_TIMEOUT);
    CloseHandle(event);
    DestroyWindow(ui);
}
