// Thread objects: CreateThread, _beginthreadex, exit codes, suspension, priorities.
#include "kernel/MutexObject.h"
#include "kernel/Waitable.h"

#include "win32/sync.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <pthread.h>
#include <unistd.h>

namespace mivo {

namespace {

struct ThreadObject : Waitable {
    bool IsSignalledFor(const Waiter&) override { return finished; }
    bool Acquire(const Waiter&) override { return false; }

    // Fixed at creation.
    LPTHREAD_START_ROUTINE start = nullptr;
    LPVOID parameter = nullptr;

    // Guarded by WaitLock().
    DWORD id = 0;
    bool running = false;     // the start routine has been entered
    bool finished = false;
    bool terminated = false;  // ended by TerminateThread before it ran
    DWORD exitCode = STILL_ACTIVE;
    DWORD suspendCount = 0;
    int priority = THREAD_PRIORITY_NORMAL;
};

constexpr DWORD kMaximumSuspendCount = 127;

thread_local ThreadObject* t_self = nullptr;                  // set in threads we started
thread_local int t_foreignPriority = THREAD_PRIORITY_NORMAL;  // for threads started elsewhere
thread_local DWORD t_exitCode = 0;                            // set by ExitThread before unwinding
thread_local bool t_exiting = false;

const HANDLE kCurrentThreadPseudo = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

// Marks the thread finished however it leaves its start routine (return or ExitThread).
struct FinishGuard {
    ThreadObject& self;
    DWORD returned = 0;

    ~FinishGuard()
    {
        AbandonMutexesOfCurrentThread();
        {
            std::lock_guard<std::mutex> guard(WaitLock());
            self.exitCode = t_exiting ? t_exitCode : returned;
            self.finished = true;
        }
        NotifyWaiters();
    }
};

void* ThreadMain(void* arg)
{
    auto* holder = static_cast<std::shared_ptr<ThreadObject>*>(arg);
    std::shared_ptr<ThreadObject> self = std::move(*holder);
    delete holder;
    t_self = self.get();
    {
        std::unique_lock<std::mutex> lock(WaitLock());
        self->id = GetCurrentThreadId();
        NotifyWaiters();
        while (self->suspendCount > 0 && !self->terminated)
            WaitForChange(lock);
        if (self->terminated)
            return nullptr;  // TerminateThread already marked it finished
        self->running = true;
    }
    FinishGuard guard{*self};
    guard.returned = self->start(self->parameter);
    return nullptr;
}

// The thread object behind a handle; the pseudo handle names the calling thread
// when we started it (else `foreign` is set and the result is null).
std::shared_ptr<ThreadObject> LookupThread(HANDLE handle, bool& foreign)
{
    foreign = false;
    if (handle == kCurrentThreadPseudo) {
        if (t_self)
            return std::shared_ptr<ThreadObject>(std::shared_ptr<void>(), t_self);  // not owning
        foreign = true;
        return nullptr;
    }
    auto thread = LookupHandleAs<ThreadObject>(handle);
    if (!thread)
        SetLastError(ERROR_INVALID_HANDLE);
    return thread;
}

bool IsValidPriority(int priority)
{
    return (priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_HIGHEST) ||
           priority == THREAD_PRIORITY_IDLE || priority == THREAD_PRIORITY_TIME_CRITICAL;
}

pthread_attr_t ThreadAttributes(SIZE_T stackSize)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    if (stackSize > 0) {
        const SIZE_T page = static_cast<SIZE_T>(sysconf(_SC_PAGESIZE));
        SIZE_T size = std::max<SIZE_T>(stackSize, PTHREAD_STACK_MIN);
        if (size <= SIZE_MAX - page)
            size = (size + page - 1) / page * page;
        pthread_attr_setstacksize(&attr, size);
    }
    return attr;
}

}  // namespace

}  // namespace mivo

DWORD GetCurrentThreadId()
{
    // Not cached: a forked child's thread must not report its parent's id.
    return static_cast<DWORD>(gettid());
}

HANDLE GetCurrentThread()
{
    return mivo::kCurrentThreadPseudo;
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress,
                    LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    if (!lpStartAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<mivo::ThreadObject>();
    thread->start = lpStartAddress;
    thread->parameter = lpParameter;
    if (dwCreationFlags & CREATE_SUSPENDED)
        thread->suspendCount = 1;

    pthread_attr_t attr = mivo::ThreadAttributes(dwStackSize);
    auto* holder = new std::shared_ptr<mivo::ThreadObject>(thread);
    pthread_t id;
    int rc = pthread_create(&id, &attr, mivo::ThreadMain, holder);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        delete holder;
        SetLastError(rc == EAGAIN ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    {
        // The id is known once the thread runs; callers expect it at return.
        std::unique_lock<std::mutex> lock(mivo::WaitLock());
        while (thread->id == 0)
            mivo::WaitForChange(lock);
        if (lpThreadId)
            *lpThreadId = thread->id;
    }
    return mivo::RegisterHandle(thread);
}

uintptr_t _beginthreadex(void*, unsigned stack_size, unsigned(WINAPI* start_address)(void*), void* arglist,
                         unsigned initflag, unsigned* thrdaddr)
{
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, stack_size, start_address, arglist, initflag, &id);
    if (!handle) {
        errno = GetLastError() == ERROR_NOT_ENOUGH_MEMORY ? EAGAIN : EINVAL;
        return 0;
    }
    if (thrdaddr)
        *thrdaddr = id;
    return reinterpret_cast<uintptr_t>(handle);
}

void ExitThread(DWORD dwExitCode)
{
    mivo::t_exitCode = dwExitCode;
    mivo::t_exiting = true;
    pthread_exit(nullptr);  // unwinds the stack; the finish guard records the code
}

void _endthreadex(unsigned retval)
{
    ExitThread(retval);
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode)
{
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (!thread) {
        if (foreign)
            ExitThread(dwExitCode);
        return FALSE;
    }
    if (thread.get() == mivo::t_self)
        ExitThread(dwExitCode);
    {
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        if (thread->finished)
            return TRUE;
        if (thread->running) {
            SetLastError(ERROR_NOT_SUPPORTED);
            return FALSE;
        }
        thread->terminated = true;
        thread->finished = true;
        thread->exitCode = dwExitCode;
    }
    mivo::NotifyWaiters();
    return TRUE;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    if (!lpExitCode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (!thread && !foreign)
        return FALSE;
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    *lpExitCode = thread && thread->finished ? thread->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD SuspendThread(HANDLE hThread)
{
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (!thread) {
        if (foreign)
            SetLastError(ERROR_NOT_SUPPORTED);
        return static_cast<DWORD>(-1);
    }
    std::unique_lock<std::mutex> lock(mivo::WaitLock());
    if (thread->finished) {
        SetLastError(ERROR_ACCESS_DENIED);
        return static_cast<DWORD>(-1);
    }
    if (thread->suspendCount >= mivo::kMaximumSuspendCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return static_cast<DWORD>(-1);
    }
    const bool self = thread.get() == mivo::t_self;
    if (thread->running && !self) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return static_cast<DWORD>(-1);
    }
    const DWORD previous = thread->suspendCount++;
    if (self) {
        while (thread->suspendCount > 0)
            mivo::WaitForChange(lock);
    }
    return previous;
}

DWORD ResumeThread(HANDLE hThread)
{
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (!thread)
        return foreign ? 0 : static_cast<DWORD>(-1);
    DWORD previous;
    {
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        previous = thread->suspendCount;
        if (thread->suspendCount > 0)
            --thread->suspendCount;
    }
    mivo::NotifyWaiters();
    return previous;
}

BOOL SetThreadPriority(HANDLE hThread, int nPriority)
{
    if (!mivo::IsValidPriority(nPriority)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (foreign) {
        mivo::t_foreignPriority = nPriority;
        return TRUE;
    }
    if (!thread)
        return FALSE;
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    thread->priority = nPriority;
    return TRUE;
}

int GetThreadPriority(HANDLE hThread)
{
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (foreign)
        return mivo::t_foreignPriority;
    if (!thread)
        return THREAD_PRIORITY_ERROR_RETURN;
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    return thread->priority;
}

DWORD GetThreadId(HANDLE hThread)
{
    bool foreign;
    auto thread = mivo::LookupThread(hThread, foreign);
    if (foreign)
        return GetCurrentThreadId();
    if (!thread)
        return 0;
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    return thread->id;
}
