// The wait engine: one lock and one condition variable for every waitable object,
// the window manager's pump hooks, and the Win32 wait and sleep functions.
#include "kernel/Waitable.h"

#include "win32/sync.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <sched.h>
#include <unordered_set>

namespace mivo {

namespace {

using Clock = std::chrono::steady_clock;

// Objects whose state changes in another process are looked at this often.
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// A waiting thread runs the pump at least this often, in case a wake was missed.
constexpr auto kPumpInterval = std::chrono::milliseconds(100);

struct WaitState {
    std::mutex lock;
    std::condition_variable changed;
    std::unordered_set<DWORD> wakes;  // threads with a pending WakeWaitingThread
};

WaitState& State()
{
    static WaitState* state = new WaitState;  // never destroyed: threads may wait during exit
    return *state;
}

std::atomic<WaitPump> g_pump{nullptr};

// Pseudo handles name the calling process and thread; a wait for either
// can only end by its time-out.
struct NeverSignalled : Waitable {
    bool IsSignalledFor(const Waiter&) override { return false; }
    bool Acquire(const Waiter&) override { return false; }
};

const HANDLE kCurrentProcessPseudo = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
const HANDLE kCurrentThreadPseudo = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

void Register(const std::vector<std::shared_ptr<Waitable>>& objects, Waiter& waiter)
{
    for (auto& o : objects)
        o->waiters.push_back(&waiter);
}

void Unregister(const std::vector<std::shared_ptr<Waitable>>& objects, Waiter& waiter)
{
    for (auto& o : objects) {
        auto& list = o->waiters;
        list.erase(std::remove(list.begin(), list.end(), &waiter), list.end());
    }
}

// Tests the objects once; on success takes their signals and stores the result.
bool TryComplete(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll, Waiter& waiter,
                 DWORD& result)
{
    std::optional<size_t> done;
    bool abandoned = false;
    size_t abandonedIndex = 0;
    if (waitAll) {
        bool all = !objects.empty();
        for (auto& o : objects) {
            if (!o->IsSignalledFor(waiter)) {
                all = false;
                break;
            }
        }
        if (all) {
            for (size_t i = 0; i < objects.size(); ++i) {
                if (objects[i]->Acquire(waiter) && !abandoned) {
                    abandoned = true;
                    abandonedIndex = i;
                }
            }
            done = 0;
        }
    } else {
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->IsSignalledFor(waiter)) {
                abandoned = objects[i]->Acquire(waiter);
                abandonedIndex = i;
                done = i;
                break;
            }
        }
    }
    for (auto& o : objects)
        o->Unclaimed();
    waiter.pulsed.clear();
    if (!done)
        return false;
    result = abandoned ? WAIT_ABANDONED_0 + static_cast<DWORD>(abandonedIndex)
                       : WAIT_OBJECT_0 + static_cast<DWORD>(*done);
    return true;
}

bool TakeWake(DWORD threadId)
{
    return State().wakes.erase(threadId) > 0;
}

bool AnyNeedsPolling(const std::vector<std::shared_ptr<Waitable>>& objects)
{
    return std::any_of(objects.begin(), objects.end(), [](auto& o) { return o->NeedsPolling(); });
}

// Resolves and checks a wait's handle list; null entries make the wait fail.
bool ResolveHandles(DWORD count, const HANDLE* handles, bool waitAll,
                    std::vector<std::shared_ptr<Waitable>>& objects)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    for (DWORD i = 0; i < count; ++i) {
        auto object = LookupWaitable(handles[i]);
        if (!object)
            return false;
        if (waitAll && std::find(objects.begin(), objects.end(), object) != objects.end()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        objects.push_back(std::move(object));
    }
    return true;
}

}  // namespace

std::mutex& WaitLock()
{
    return State().lock;
}

void NotifyWaiters()
{
    State().changed.notify_all();
}

void WaitForChange(std::unique_lock<std::mutex>& lock)
{
    State().changed.wait(lock);
}

void SetWaitPump(WaitPump pump)
{
    g_pump.store(pump);
    NotifyWaiters();
}

void WakeWaitingThread(DWORD threadId)
{
    {
        std::lock_guard<std::mutex> guard(WaitLock());
        State().wakes.insert(threadId);
    }
    NotifyWaiters();
}

DWORD WaitForObjects(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll, DWORD milliseconds,
                     bool returnOnWake)
{
    Waiter waiter;
    waiter.threadId = GetCurrentThreadId();
    std::optional<Clock::time_point> deadline;
    if (milliseconds != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    const WaitPump pump = returnOnWake ? nullptr : g_pump.load();
    bool pumped = false;
    bool registered = false;
    Clock::time_point lastPump = Clock::now();

    WaitState& state = State();
    std::unique_lock<std::mutex> lock(state.lock);
    for (;;) {
        DWORD result;
        if (TryComplete(objects, waitAll, waiter, result)) {
            if (registered)
                Unregister(objects, waiter);
            return result;
        }
        const bool woken = TakeWake(waiter.threadId);
        if (woken && returnOnWake) {
            if (registered)
                Unregister(objects, waiter);
            return WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
        }
        if (!registered) {
            Register(objects, waiter);
            registered = true;
        }
        const auto now = Clock::now();
        if (deadline && now >= *deadline) {
            Unregister(objects, waiter);
            return WAIT_TIMEOUT;
        }
        if (pump && (woken || !pumped || now - lastPump >= kPumpInterval)) {
            pumped = true;
            lastPump = now;
            lock.unlock();
            pump();
            lock.lock();
            continue;
        }
        std::optional<Clock::time_point> until = deadline;
        auto limit = [&](Clock::time_point t) {
            if (!until || t < *until)
                until = t;
        };
        if (AnyNeedsPolling(objects))
            limit(now + kPollInterval);
        if (pump)
            limit(lastPump + kPumpInterval);
        if (until)
            state.changed.wait_until(lock, *until);
        else
            state.changed.wait(lock);
    }
}

std::shared_ptr<Waitable> LookupWaitable(HANDLE handle)
{
    if (handle == kCurrentProcessPseudo || handle == kCurrentThreadPseudo) {
        static auto never = std::make_shared<NeverSignalled>();
        return never;
    }
    auto object = LookupHandleAs<Waitable>(handle);
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

DWORD WaitForHandlesOrWake(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
    std::vector<std::shared_ptr<Waitable>> objects;
    if (count > 0 && !ResolveHandles(count, handles, waitAll != FALSE, objects))
        return WAIT_FAILED;
    return WaitForObjects(objects, waitAll != FALSE, milliseconds, true);
}

}  // namespace mivo

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

DWORD WaitForSingleObjectEx(HANDLE hHandle, DWORD dwMilliseconds, BOOL)
{
    return WaitForSingleObject(hHandle, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    std::vector<std::shared_ptr<mivo::Waitable>> objects;
    if (!mivo::ResolveHandles(nCount, lpHandles, bWaitAll != FALSE, objects))
        return WAIT_FAILED;
    return mivo::WaitForObjects(objects, bWaitAll != FALSE, dwMilliseconds, false);
}

DWORD WaitForMultipleObjectsEx(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds, BOOL)
{
    return WaitForMultipleObjects(nCount, lpHandles, bWaitAll, dwMilliseconds);
}

void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0) {
        sched_yield();
        return;
    }
    mivo::WaitForObjects({}, false, dwMilliseconds, false);
}

DWORD SleepEx(DWORD dwMilliseconds, BOOL)
{
    Sleep(dwMilliseconds);
    return 0;
}

BOOL SwitchToThread()
{
    sched_yield();
    return TRUE;
}
