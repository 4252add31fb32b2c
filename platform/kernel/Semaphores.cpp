// Kernel semaphores: counts up to a maximum, named inside the process.
#include "kernel/NamedObjects.h"

#include "win32/sync.h"

namespace mivo {

namespace {

struct SemaphoreObject : Waitable {
    SemaphoreObject(LONG initial, LONG maximum) : count(initial), maximum(maximum) {}

    bool IsSignalledFor(const Waiter&) override { return count > 0; }

    bool Acquire(const Waiter&) override
    {
        --count;
        return false;
    }

    LONG count;
    const LONG maximum;
};

}  // namespace

}  // namespace mivo

HANDLE CreateSemaphore(LPSECURITY_ATTRIBUTES, LONG lInitialCount, LONG lMaximumCount, LPCSTR lpName)
{
    if (lMaximumCount <= 0 || lInitialCount < 0 || lInitialCount > lMaximumCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return mivo::CreateNamedHandle<mivo::SemaphoreObject>(
        lpName, [&](bool&) { return std::make_shared<mivo::SemaphoreObject>(lInitialCount, lMaximumCount); });
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES lpSemaphoreAttributes, LONG lInitialCount, LONG lMaximumCount,
                        LPCSTR lpName)
{
    return CreateSemaphore(lpSemaphoreAttributes, lInitialCount, lMaximumCount, lpName);
}

HANDLE OpenSemaphore(DWORD, BOOL, LPCSTR lpName)
{
    return mivo::OpenNamedHandle<mivo::SemaphoreObject>(lpName);
}

HANDLE OpenSemaphoreA(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName)
{
    return OpenSemaphore(dwDesiredAccess, bInheritHandle, lpName);
}

BOOL ReleaseSemaphore(HANDLE hSemaphore, LONG lReleaseCount, LPLONG lpPreviousCount)
{
    auto semaphore = mivo::LookupHandleAs<mivo::SemaphoreObject>(hSemaphore);
    if (!semaphore) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (lReleaseCount <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    {
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        if (static_cast<int64_t>(semaphore->count) + lReleaseCount > semaphore->maximum) {
            SetLastError(ERROR_TOO_MANY_POSTS);
            return FALSE;
        }
        if (lpPreviousCount)
            *lpPreviousCount = semaphore->count;
        semaphore->count += lReleaseCount;
    }
    mivo::NotifyWaiters();
    return TRUE;
}
