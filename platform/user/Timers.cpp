// SetTimer and KillTimer: WM_TIMER is made when a thread's queue has nothing else.
#include "user/MessageLoop.h"

#include <algorithm>

namespace mivo {

void KillWindowTimersLocked(ThreadQueue& q, HWND hwnd)
{
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                   q.timers.end());
}

void PurgeWindowMessagesLocked(HWND hwnd)
{
    for (auto& e : State().queues) {
        ThreadQueue& q = *e.second;
        auto gone = [&](const MSG& m) { return m.hwnd == hwnd; };
        q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), gone), q.posted.end());
        q.input.erase(std::remove_if(q.input.begin(), q.input.end(), gone), q.input.end());
    }
}

bool IsThreadTimerAlive(UINT_PTR id, TIMERPROC proc)
{
    auto q = CurrentQueue();
    UserGuard guard(UserLock());
    for (const Timer& t : q->timers)
        if (!t.hwnd && t.id == id && t.proc == proc)
            return true;
    return false;
}

}  // namespace mivo

using namespace mivo;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    std::shared_ptr<ThreadQueue> q;
    if (!hWnd)
        q = CurrentQueue();
    UserGuard guard(UserLock());
    if (hWnd) {
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        q = QueueOfThreadLocked(w->threadId);
        if (!q)
            return 0;
    }
    uElapse = std::max<UINT>(uElapse, 10);
    if (!hWnd) {
        // Thread timers get an id of their own unless an existing one is renewed.
        bool renew = false;
        for (const Timer& t : q->timers)
            renew = renew || (!t.hwnd && t.id == nIDEvent);
        if (!renew) {
            nIDEvent = State().nextThreadTimerId++;
            if (State().nextThreadTimerId == 0)
                State().nextThreadTimerId = 0x7FF0;
        }
    }
    for (Timer& t : q->timers)
        if (t.hwnd == hWnd && t.id == nIDEvent) {
            t.interval = uElapse;
            t.proc = lpTimerFunc;
            t.due = MonotonicMs() + uElapse;
            WakeQueueLocked(*q);
            return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
        }
    Timer t;
    t.hwnd = hWnd;
    t.id = nIDEvent;
    t.interval = uElapse;
    t.proc = lpTimerFunc;
    t.due = MonotonicMs() + uElapse;
    q->timers.push_back(t);
    WakeQueueLocked(*q);
    return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    std::shared_ptr<ThreadQueue> q;
    if (!hWnd)
        q = CurrentQueue();
    UserGuard guard(UserLock());
    if (hWnd) {
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        q = QueueOfThreadLocked(w->threadId);
        if (!q)
            return FALSE;
    }
    auto it = std::find_if(q->timers.begin(), q->timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == q->timers.end())
        return FALSE;
    q->timers.erase(it);
    return TRUE;
}
