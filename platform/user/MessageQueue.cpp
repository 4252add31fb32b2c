// Per-thread message queues: sending across threads, posting, retrieving and dispatching.
#include "user/UserState.h"
#include "user/MessageLoop.h"
#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "user/Geometry.h"
#include "kernel/Waitable.h"
#include "mivo/Trace.h"
#include "win32/sync.h"
#include "user/ForeignWindows.h"
#include "mivo/testing/MessageDelivery.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace mivo {

std::mutex& UserLock()
{
    static std::mutex* lock = new std::mutex;  // outlives every thread's exit handling
    return *lock;
}

UserState& State()
{
    static UserState* state = new UserState;
    return *state;
}

DWORD CurrentThreadId()
{
    return GetCurrentThreadId();
}

uint64_t MonotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u;
}

DWORD TickNow()
{
    return (DWORD)MonotonicMs();
}

namespace {

// Tears down the queue when its thread ends: senders waiting on it get 0,
// and the thread's windows disappear from the table.
struct QueueOwner {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueOwner()
    {
        if (queue)
            ForgetThreadQueue(queue);
    }
};

thread_local QueueOwner t_queueOwner;

}  // namespace

void WakeQueueLocked(ThreadQueue& q)
{
    ++q.wakeCount;
    q.cv.notify_all();
    if (q.waiter)
        q.waiter->Wake();
    // A thread blocked in a kernel wait looks at its queue again.
    WakeWaitingThread(q.threadId);
}

std::shared_ptr<ThreadQueue> QueueOfThreadLocked(DWORD threadId)
{
    auto it = State().queues.find(threadId);
    if (it == State().queues.end() || it->second->dead)
        return nullptr;
    return it->second;
}

// Kernel waits on a thread with a queue keep handling what others send to it.
static bool WaitPumpForKernel()
{
    return HasCurrentQueue() && ProcessSentMessages(*CurrentQueue());
}

std::shared_ptr<ThreadQueue> CurrentQueue()
{
    if (t_queueOwner.queue)
        return t_queueOwner.queue;
    static bool pumpInstalled = [] {
        SetWaitPump(WaitPumpForKernel);
        return true;
    }();
    (void)pumpInstalled;
    auto q = std::make_shared<ThreadQueue>();
    q->threadId = CurrentThreadId();
    {
        UserGuard guard(UserLock());
        EnsureDesktopLocked();
        State().queues[q->threadId] = q;
    }
    t_queueOwner.queue = q;
    return q;
}

bool HasCurrentQueue()
{
    return t_queueOwner.queue != nullptr;
}

static void CompleteLocked(SentMessage& rec, LRESULT result)
{
    if (rec.done)
        return;
    rec.result = result;
    rec.done = true;
    if (rec.sender)
        WakeQueueLocked(*rec.sender);
}

void ForgetThreadQueue(const std::shared_ptr<ThreadQueue>& q)
{
    std::vector<std::shared_ptr<SentMessage>> pending;
    {
        UserGuard guard(UserLock());
        q->dead = true;
        pending.assign(q->sent.begin(), q->sent.end());
        q->sent.clear();
        for (auto& rec : pending)
            CompleteLocked(*rec, 0);
        auto it = State().queues.find(q->threadId);
        if (it != State().queues.end() && it->second == q)
            State().queues.erase(it);
    }
    DropWindowsOfThread(q->threadId);
}

static void RunSentMessage(ThreadQueue& q, SentMessage& rec)
{
    LRESULT result = 0;
    {
        UserGuard guard(UserLock());
        q.receiving.push_back(&rec);
    }
    try {
        if (rec.task)
            result = rec.task();
        else if (IsWindow(rec.hwnd))
            result = CallWindowProcOf(rec.hwnd, rec.msg, rec.wParam, rec.lParam);
    } catch (...) {
        MIVO_WARN(kTraceUser, "a handler of %s sent from another thread failed", MessageName(rec.msg).c_str());
        result = 0;
    }
    UserGuard guard(UserLock());
    q.receiving.pop_back();
    if (rec.callback && rec.sender) {
        // The reply goes back to the sender's queue and runs there.
        auto reply = std::make_shared<SentMessage>();
        SENDASYNCPROC cb = rec.callback;
        HWND hwnd = rec.hwnd;
        UINT msg = rec.msg;
        ULONG_PTR data = rec.callbackData;
        reply->wantsReply = false;
        reply->task = [cb, hwnd, msg, data, result]() -> LRESULT {
            cb(hwnd, msg, data, result);
            return 0;
        };
        if (!rec.sender->dead) {
            rec.sender->sent.push_back(reply);
            WakeQueueLocked(*rec.sender);
        }
    }
    CompleteLocked(rec, result);
}

bool ProcessSentMessages(ThreadQueue& q)
{
    bool any = false;
    for (;;) {
        std::shared_ptr<SentMessage> rec;
        {
            UserGuard guard(UserLock());
            if (q.sent.empty())
                return any;
            rec = q.sent.front();
            q.sent.pop_front();
        }
        any = true;
        RunSentMessage(q, *rec);
    }
}

bool ProcessCurrentThreadSentMessages()
{
    if (!HasCurrentQueue())
        return false;
    return ProcessSentMessages(*CurrentQueue());
}

// Queues `rec` for the target thread and waits for it, handling what others send
// to this thread meanwhile. timeoutMs < 0 waits without limit.
static bool DeliverAndWait(const std::shared_ptr<ThreadQueue>& target, const std::shared_ptr<SentMessage>& rec,
                           int timeoutMs)
{
    auto self = CurrentQueue();
    rec->sender = self;
    uint64_t deadline = timeoutMs >= 0 ? MonotonicMs() + (uint64_t)timeoutMs : 0;
    {
        UserGuard guard(UserLock());
        if (target->dead)
            return false;
        target->sent.push_back(rec);
        WakeQueueLocked(*target);
    }
    for (;;) {
        ProcessSentMessages(*self);
        UserGuard guard(UserLock());
        if (rec->done)
            return true;
        if (!self->sent.empty())
            continue;
        uint64_t seen = self->wakeCount;
        auto woken = [&] { return self->wakeCount != seen || rec->done; };
        if (timeoutMs < 0) {
            self->cv.wait(guard, woken);
        } else {
            uint64_t now = MonotonicMs();
            if (now >= deadline)
                return false;
            self->cv.wait_for(guard, std::chrono::milliseconds(deadline - now), woken);
        }
    }
}

LRESULT RunOnOwnerThread(HWND hwnd, const std::function<LRESULT()>& task)
{
    std::shared_ptr<ThreadQueue> target;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return 0;
        if (w->threadId == CurrentThreadId()) {
            guard.unlock();
            return task();
        }
        target = QueueOfThreadLocked(w->threadId);
    }
    if (!target)
        return 0;
    auto rec = std::make_shared<SentMessage>();
    rec->hwnd = hwnd;
    rec->task = task;
    DeliverAndWait(target, rec, -1);
    return rec->result;
}

namespace {

// Whether the procedure call in progress came from DispatchMessage; each call
// sets it and puts the caller's value back, so nested sends read false.
thread_local bool t_inPosted = false;

struct DeliveryKind {
    bool saved;
    explicit DeliveryKind(bool posted) : saved(t_inPosted) { t_inPosted = posted; }
    ~DeliveryKind() { t_inPosted = saved; }
};

}  // namespace

bool InPostedMessage()
{
    return t_inPosted;
}

static LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool posted)
{
    DeliveryKind kind(posted);
    WNDPROC proc;
    bool tracing = Tracing(kTraceUser);
    std::string className;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w)
            return 0;
        proc = w->proc;
        if (tracing && w->cls)
            className = w->cls->name;
    }
    if (tracing)
        TraceMessage(kTraceUser, hwnd, className.c_str(), msg, wParam, lParam);
    if (!proc)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT CallWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Deliver(hwnd, msg, wParam, lParam, false);
}

// Finds the thread owning a window; 0 when the handle is stale.
static DWORD OwnerThread(HWND hwnd, std::shared_ptr<ThreadQueue>* queue)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return 0;
    if (queue)
        *queue = QueueOfThreadLocked(w->threadId);
    return w->threadId;
}

static std::vector<HWND> BroadcastTargets()
{
    UserGuard guard(UserLock());
    std::vector<HWND> out;
    for (HWND h : State().topLevels) {
        Window* w = FindWindowLocked(h);
        if (w && !w->messageOnly && (!(w->style & WS_CHILD)))
            out.push_back(h);
    }
    return out;
}

}  // namespace mivo

using namespace mivo;

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : BroadcastTargets())
            SendMessage(h, Msg, wParam, lParam);
        return 0;
    }
    std::shared_ptr<ThreadQueue> target;
    DWORD owner = OwnerThread(hWnd, &target);
    if (owner == 0) {
        ForeignWindows* foreign = ForeignWindowsFor(hWnd);
        return foreign ? foreign->SendMessage(hWnd, Msg, wParam, lParam) : 0;
    }
    if (owner == CurrentThreadId())
        return CallWindowProcOf(hWnd, Msg, wParam, lParam);
    if (!target)
        return 0;
    auto rec = std::make_shared<SentMessage>();
    rec->hwnd = hWnd;
    rec->msg = Msg;
    rec->wParam = wParam;
    rec->lParam = lParam;
    DeliverAndWait(target, rec, -1);
    return rec->result;
}

LRESULT SendMessageTimeout(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, UINT, UINT uTimeout,
                           DWORD_PTR* lpdwResult)
{
    std::shared_ptr<ThreadQueue> target;
    DWORD owner = OwnerThread(hWnd, &target);
    if (owner == 0)
        return 0;
    if (owner == CurrentThreadId()) {
        LRESULT r = CallWindowProcOf(hWnd, Msg, wParam, lParam);
        if (lpdwResult)
            *lpdwResult = (DWORD_PTR)r;
        return 1;
    }
    if (!target)
        return 0;
    auto rec = std::make_shared<SentMessage>();
    rec->hwnd = hWnd;
    rec->msg = Msg;
    rec->wParam = wParam;
    rec->lParam = lParam;
    if (!DeliverAndWait(target, rec, (int)std::min<UINT>(uTimeout, 0x7FFFFFFF)))
        return 0;
    if (lpdwResult)
        *lpdwResult = (DWORD_PTR)rec->result;
    return 1;
}

static BOOL SendWithoutWaiting(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, SENDASYNCPROC cb, ULONG_PTR data)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->PostMessage(hWnd, Msg, wParam, lParam);
    std::shared_ptr<ThreadQueue> target;
    DWORD owner = OwnerThread(hWnd, &target);
    if (owner == 0)
        return FALSE;
    if (owner == CurrentThreadId()) {
        LRESULT r = CallWindowProcOf(hWnd, Msg, wParam, lParam);
        if (cb)
            cb(hWnd, Msg, data, r);
        return TRUE;
    }
    if (!target)
        return FALSE;
    auto rec = std::make_shared<SentMessage>();
    rec->hwnd = hWnd;
    rec->msg = Msg;
    rec->wParam = wParam;
    rec->lParam = lParam;
    rec->wantsReply = false;
    rec->callback = cb;
    rec->callbackData = data;
    if (cb)
        rec->sender = CurrentQueue();
    UserGuard guard(UserLock());
    if (target->dead)
        return FALSE;
    target->sent.push_back(rec);
    WakeQueueLocked(*target);
    return TRUE;
}

BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : BroadcastTargets())
            SendWithoutWaiting(h, Msg, wParam, lParam, nullptr, 0);
        return TRUE;
    }
    return SendWithoutWaiting(hWnd, Msg, wParam, lParam, nullptr, 0);
}

BOOL SendMessageCallback(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, SENDASYNCPROC cb, ULONG_PTR data)
{
    return SendWithoutWaiting(hWnd, Msg, wParam, lParam, cb, data);
}

static MSG MakeMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = TickNow();
    m.pt = CursorScreenPos();
    return m;
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == nullptr)
        return PostThreadMessage(CurrentThreadId(), Msg, wParam, lParam);
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : BroadcastTargets())
            PostMessage(h, Msg, wParam, lParam);
        return TRUE;
    }
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->PostMessage(hWnd, Msg, wParam, lParam);
    MSG m = MakeMsg(hWnd, Msg, wParam, lParam);
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return FALSE;
    auto q = QueueOfThreadLocked(w->threadId);
    if (!q)
        return FALSE;
    q->posted.push_back(m);
    WakeQueueLocked(*q);
    return TRUE;
}

BOOL PostThreadMessage(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (idThread == CurrentThreadId())
        CurrentQueue();
    MSG m = MakeMsg(nullptr, Msg, wParam, lParam);
    UserGuard guard(UserLock());
    auto q = QueueOfThreadLocked(idThread);
    if (!q)
        return FALSE;
    q->posted.push_back(m);
    WakeQueueLocked(*q);
    return TRUE;
}

namespace mivo {

void PostInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screenPt)
{
    MSG m = MakeMsg(hwnd, msg, wParam, lParam);
    m.pt = screenPt;
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return;
    auto q = QueueOfThreadLocked(w->threadId);
    if (!q)
        return;
    // Consecutive moves collapse into the newest, as the system does.
    if (msg == WM_MOUSEMOVE && !q->input.empty() && q->input.back().message == WM_MOUSEMOVE &&
        q->input.back().hwnd == hwnd && q->input.back().wParam == wParam)
        q->input.back() = m;
    else
        q->input.push_back(m);
    WakeQueueLocked(*q);
}

}  // namespace mivo

void PostQuitMessage(int nExitCode)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    q->quitPosted = true;
    q->quitCode = nExitCode;
    WakeQueueLocked(*q);
}

namespace {

struct Filter {
    HWND hwnd;
    UINT min, max;

    bool MatchesRange(UINT msg) const { return (min == 0 && max == 0) || (msg >= min && msg <= max); }
    bool MatchesWindow(HWND h) const
    {
        if (hwnd == nullptr)
            return true;
        if (hwnd == (HWND)-1)
            return h == nullptr;
        return h == hwnd || (h != nullptr && IsDescendantLocked(hwnd, h));
    }
    bool Matches(const MSG& m) const { return MatchesRange(m.message) && MatchesWindow(m.hwnd); }
};

bool TakeFromLocked(std::deque<MSG>& queue, const Filter& f, bool remove, MSG* out)
{
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!f.Matches(*it))
            continue;
        *out = *it;
        if (remove)
            queue.erase(it);
        return true;
    }
    return false;
}

bool TakeTimerLocked(ThreadQueue& q, const Filter& f, bool remove, MSG* out)
{
    if (!f.MatchesRange(WM_TIMER))
        return false;
    uint64_t now = MonotonicMs();
    for (Timer& t : q.timers) {
        if (t.due > now || !f.MatchesWindow(t.hwnd))
            continue;
        *out = MakeMsg(t.hwnd, WM_TIMER, t.id, (LPARAM)t.proc);
        if (remove)
            t.due = now + t.interval;
        return true;
    }
    return false;
}

// Where the next message could come from without anyone waking us: the next timer.
int MsUntilNextTimerLocked(const ThreadQueue& q)
{
    if (q.timers.empty())
        return -1;
    uint64_t now = MonotonicMs();
    uint64_t best = UINT64_MAX;
    for (const Timer& t : q.timers)
        best = std::min(best, t.due);
    return best <= now ? 0 : (int)std::min<uint64_t>(best - now, 0x7FFFFFFF);
}

}  // namespace

namespace mivo {

// Picks the next message by the system's priorities: posted, input, quit, paint, timer.
static bool TakeMessageLocked(ThreadQueue& q, const Filter& f, bool remove, MSG* out)
{
    if (TakeFromLocked(q.posted, f, remove, out))
        return true;
    if (TakeFromLocked(q.input, f, remove, out)) {
        if (remove)
            NoteInputRetrievedLocked(*out);
        return true;
    }
    if (q.quitPosted) {
        *out = MakeMsg(nullptr, WM_QUIT, (WPARAM)q.quitCode, 0);
        if (remove)
            q.quitPosted = false;
        return true;
    }
    if (f.MatchesRange(WM_PAINT)) {
        HWND h = FindWindowToPaintLocked(q.threadId, f.hwnd == (HWND)-1 ? nullptr : f.hwnd);
        if (h && f.hwnd != (HWND)-1) {
            *out = MakeMsg(h, WM_PAINT, 0, 0);
            return true;
        }
    }
    return TakeTimerLocked(q, f, remove, out);
}

// The heart of GetMessage, PeekMessage and WaitMessage.
bool RetrieveMessage(MSG* out, HWND hwnd, UINT min, UINT max, bool remove, bool wait)
{
    auto q = CurrentQueue();
    Filter f{hwnd, min, max};
    for (;;) {
        ProcessSentMessages(*q);
        if (q->waiter)
            q->waiter->Poll();
        UserGuard guard(UserLock());
        if (!q->sent.empty())
            continue;
        uint64_t seen = q->wakeCount;
        MSG m;
        if (TakeMessageLocked(*q, f, remove, &m)) {
            if (remove)
                q->last = m;
            if (out)
                *out = m;
            return true;
        }
        if (!wait)
            return false;
        int timeout = MsUntilNextTimerLocked(*q);
        if (q->waiter) {
            QueueWaiter* waiter = q->waiter;
            guard.unlock();
            waiter->Wait(timeout);
            continue;
        }
        auto woken = [&] { return q->wakeCount != seen; };
        if (timeout < 0)
            q->cv.wait(guard, woken);
        else
            q->cv.wait_for(guard, std::chrono::milliseconds(timeout), woken);
    }
}

}  // namespace mivo

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    MSG m;
    RetrieveMessage(&m, hWnd, wMsgFilterMin, wMsgFilterMax, true, true);
    if (lpMsg)
        *lpMsg = m;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return RetrieveMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0, false) ? TRUE
                                                                                                            : FALSE;
}

BOOL WaitMessage()
{
    RetrieveMessage(nullptr, nullptr, 0, 0, false, true);
    return TRUE;
}

DWORD GetQueueStatus(UINT flags)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    DWORD now = 0;
    if (!q->posted.empty())
        now |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    if (!q->sent.empty())
        now |= QS_SENDMESSAGE;
    for (const MSG& m : q->input)
        now |= (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ? QS_KEY
               : m.message == WM_MOUSEMOVE                           ? QS_MOUSEMOVE
                                                                     : QS_MOUSEBUTTON;
    if (FindWindowToPaintLocked(q->threadId, nullptr))
        now |= QS_PAINT;
    if (MsUntilNextTimerLocked(*q) == 0)
        now |= QS_TIMER;
    now &= flags;
    return (now << 16) | now;
}

BOOL GetInputState()
{
    return (GetQueueStatus(QS_INPUT) & 0xFFFF) != 0;
}

LONG GetMessageTime()
{
    return (LONG)CurrentQueue()->last.time;
}

DWORD GetMessagePos()
{
    POINT pt = CurrentQueue()->last.pt;
    return (DWORD)MAKELONG((SHORT)pt.x, (SHORT)pt.y);
}

LPARAM GetMessageExtraInfo()
{
    return CurrentQueue()->extraInfo;
}

BOOL InSendMessage()
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    return q->receiving.empty() ? FALSE : TRUE;
}

DWORD InSendMessageEx(LPVOID)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    if (q->receiving.empty())
        return ISMEX_NOSEND;
    SentMessage* rec = q->receiving.back();
    DWORD r = rec->wantsReply ? ISMEX_SEND : ISMEX_NOTIFY;
    if (rec->done)
        r |= ISMEX_REPLIED;
    return r;
}

BOOL ReplyMessage(LRESULT lResult)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    if (q->receiving.empty() || q->receiving.back()->done)
        return FALSE;
    CompleteLocked(*q->receiving.back(), lResult);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg || !lpMsg->hwnd) {
        if (lpMsg && lpMsg->message == WM_TIMER && lpMsg->lParam) {
            TIMERPROC proc = (TIMERPROC)lpMsg->lParam;
            if (IsThreadTimerAlive(lpMsg->wParam, proc))
                proc(nullptr, WM_TIMER, lpMsg->wParam, TickNow());
        }
        return 0;
    }
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        TIMERPROC proc = (TIMERPROC)lpMsg->lParam;
        if (IsWindow(lpMsg->hwnd))
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, TickNow());
        return 0;
    }
    if (OwnerThread(lpMsg->hwnd, nullptr) != CurrentThreadId())
        return 0;
    return Deliver(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam, true);
}

UINT RegisterWindowMessage(LPCSTR lpString)
{
    if (!lpString || !*lpString)
        return 0;
    std::string key = FoldCaseCp949(lpString);
    UserGuard guard(UserLock());
    auto& table = State().registeredMessages;
    auto it = table.find(key);
    if (it != table.end())
        return it->second;
    if (State().nextRegisteredMessage > 0xFFFF)
        return 0;
    UINT id = State().nextRegisteredMessage++;
    table[key] = id;
    return id;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD nCount, const HANDLE* pHandles, DWORD dwMilliseconds, DWORD dwWakeMask,
                                  DWORD dwFlags)
{
    auto q = CurrentQueue();
    uint64_t start = MonotonicMs();
    for (;;) {
        ProcessSentMessages(*q);
        if (q->waiter)
            q->waiter->Poll();
        if (GetQueueStatus(dwWakeMask) & 0xFFFF)
            return WAIT_OBJECT_0 + nCount;
        DWORD wait = dwMilliseconds;
        bool timerCap = false;
        if (dwMilliseconds != INFINITE) {
            uint64_t spent = MonotonicMs() - start;
            wait = spent >= dwMilliseconds ? 0 : (DWORD)(dwMilliseconds - spent);
        }
        if (dwWakeMask & QS_TIMER) {
            UserGuard guard(UserLock());
            int next = MsUntilNextTimerLocked(*q);
            if (next >= 0 && (wait == INFINITE || (DWORD)next < wait)) {
                wait = (DWORD)next;
                timerCap = true;
            }
        }
        if (q->waiter && wait > 10) {
            // Native events arrive through polling; look again soon.
            wait = 10;
            timerCap = true;
        }
        DWORD r = WaitForHandlesOrWake(nCount, pHandles, (dwFlags & MWMO_WAITALL) ? TRUE : FALSE, wait);
        if (r == WAIT_OBJECT_0 + nCount)
            continue;
        if (r == WAIT_TIMEOUT && timerCap)
            continue;
        return r;
    }
}

DWORD MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds,
                                DWORD dwWakeMask)
{
    return MsgWaitForMultipleObjectsEx(nCount, pHandles, dwMilliseconds, dwWakeMask, fWaitAll ? MWMO_WAITALL : 0);
}
