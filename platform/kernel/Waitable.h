// Area interface: objects a thread can wait for (threads, processes, events, mutexes, semaphores)
// and the hooks that keep a waiting UI thread handling sent messages.
//
// All waitable state lives under one process-wide lock with one condition
// variable. A wait takes the lock, tests its objects, and sleeps on the condition
// variable until some object changes; every change notifies all waiters. This
// makes WaitForMultipleObjects (any and all) exact without per-object queues.
#pragma once

#include "HandleTable.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace mivo {

// One thread's wait in progress, registered with each object it waits for.
struct Waiter {
    DWORD threadId = 0;
    // Objects that were pulsed (PulseEvent) for this waiter since its last check.
    std::set<const void*> pulsed;
};

struct Waitable : KernelObject {
    // The following run with WaitLock() held.

    // Would a wait by `waiter` be satisfied now?
    virtual bool IsSignalledFor(const Waiter& waiter) = 0;
    // Takes the signal for the waiter (resets an auto-reset event, takes a
    // semaphore count, takes mutex ownership). True when a mutex was abandoned.
    virtual bool Acquire(const Waiter& waiter) = 0;
    // Called after a test that did not lead to Acquire (lets a named mutex drop
    // a cross-process lock it took while testing).
    virtual void Unclaimed() {}
    // True when the state can change without a notification (another process),
    // so waits must look again from time to time.
    virtual bool NeedsPolling() const { return false; }

    // Waiters currently blocked on this object, oldest first.
    std::vector<Waiter*> waiters;
};

// The lock guarding every waitable object's state, and its condition variable.
std::mutex& WaitLock();
// Wakes every waiting thread to look at its objects again. Call with or without
// WaitLock() held, after changing state.
void NotifyWaiters();
// Blocks until the next NotifyWaiters (or a spurious wake-up); `lock` holds WaitLock().
void WaitForChange(std::unique_lock<std::mutex>& lock);

// Wait for objects. Returns WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT,
// or, when `returnOnWake` is set, WAIT_OBJECT_0 + objects.size() after
// WakeWaitingThread was called for this thread. With an empty list it only sleeps.
DWORD WaitForObjects(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll, DWORD milliseconds,
                     bool returnOnWake);

// The waitable object behind a handle (pseudo handles included), or null with
// ERROR_INVALID_HANDLE set.
std::shared_ptr<Waitable> LookupWaitable(HANDLE handle);

// ---- Hooks for the window manager ----
//
// A thread that waits (WaitForSingleObject, WaitForMultipleObjects, Sleep, SleepEx,
// CSingleLock...) must keep handling messages that other threads send to it.
// The window manager installs a pump: waits call it on the waiting thread before
// they block and each time they are woken by WakeWaitingThread; it handles the
// calling thread's pending sent messages and returns true when it handled any.
// The window manager calls WakeWaitingThread(id) after queueing a sent message for
// thread `id`; a wake for a thread that is not waiting is kept and makes its next
// wait run the pump once more before it blocks. Waits also run the pump every
// 100 ms as a safety net.
using WaitPump = bool (*)();
void SetWaitPump(WaitPump pump);
void WakeWaitingThread(DWORD threadId);

// For MsgWaitForMultipleObjects and modal loops: waits for handles like
// WaitForMultipleObjects but does not run the pump; a WakeWaitingThread for the
// calling thread ends it with WAIT_OBJECT_0 + count.
DWORD WaitForHandlesOrWake(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

}  // namespace mivo
