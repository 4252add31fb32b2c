// Kernel mutexes: CreateMutex, OpenMutex, ReleaseMutex.
#include "kernel/MutexObject.h"
#include "kernel/NamedObjects.h"

#include "win32/sync.h"

#include <vector>

namespace mivo {

namespace {

// The mutexes a thread has owned, so they can be abandoned when it ends.
struct OwnedMutexes {
    std::vector<std::weak_ptr<MutexObject>> list;
    ~OwnedMutexes() { AbandonMutexesOfCurrentThread(); }
};

thread_local OwnedMutexes t_owned;

void RememberOwned(const std::weak_ptr<MutexObject>& mutex)
{
    auto& list = t_owned.list;
    for (auto it = list.begin(); it != list.end();) {
        if (it->expired())
            it = list.erase(it);
        else
            ++it;
    }
    list.push_back(mutex);
}

}  // namespace

MutexObject::MutexObject(std::unique_ptr<NamedMutexFile> file) : file_(std::move(file)) {}

bool MutexObject::IsSignalledFor(const Waiter& waiter)
{
    if (owner_ == waiter.threadId)
        return true;
    if (owner_ != 0)
        return false;
    if (file_ && !fileLocked_)
        fileLocked_ = file_->TryLockOwner();
    return !file_ || fileLocked_;
}

bool MutexObject::Acquire(const Waiter& waiter)
{
    if (owner_ != waiter.threadId) {
        owner_ = waiter.threadId;
        count_ = 0;
        RememberOwned(weak_from_this());
    }
    ++count_;
    bool wasAbandoned = abandoned_;
    abandoned_ = false;
    return wasAbandoned;
}

void MutexObject::Unclaimed()
{
    if (owner_ == 0 && fileLocked_) {
        file_->UnlockOwner();
        fileLocked_ = false;
    }
}

bool MutexObject::NeedsPolling() const
{
    return file_ && owner_ == 0;
}

bool MutexObject::Release(DWORD threadId)
{
    if (owner_ != threadId || count_ <= 0)
        return false;
    if (--count_ == 0) {
        owner_ = 0;
        Unclaimed();
        NotifyWaiters();
    }
    return true;
}

void MutexObject::Abandon(DWORD threadId)
{
    if (owner_ != threadId)
        return;
    owner_ = 0;
    count_ = 0;
    abandoned_ = true;
    Unclaimed();
    NotifyWaiters();
}

void AbandonMutexesOfCurrentThread()
{
    auto list = std::move(t_owned.list);
    t_owned.list.clear();
    if (list.empty())
        return;
    const DWORD self = GetCurrentThreadId();
    std::lock_guard<std::mutex> guard(WaitLock());
    for (auto& weak : list) {
        if (auto mutex = weak.lock())
            mutex->Abandon(self);
    }
}

namespace {

std::shared_ptr<MutexObject> MakeMutex(const char* name, bool mustExist, bool& openedElsewhere)
{
    std::unique_ptr<NamedMutexFile> file;
    if (name && *name) {
        DWORD error = ERROR_SUCCESS;
        file = NamedMutexFile::Open(name, mustExist, openedElsewhere, error);
        if (!file) {
            SetLastError(error);
            return nullptr;
        }
    }
    return std::make_shared<MutexObject>(std::move(file));
}

}  // namespace

}  // namespace mivo

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName)
{
    bool madeHere = false;
    HANDLE handle = mivo::CreateNamedHandle<mivo::MutexObject>(
        lpName, [&](bool& openedElsewhere) {
            madeHere = true;
            return mivo::MakeMutex(lpName, false, openedElsewhere);
        });
    if (!handle)
        return nullptr;
    // The initial owner is ignored when the mutex already existed, as on Windows.
    const DWORD error = GetLastError();
    if (bInitialOwner && madeHere && error != ERROR_ALREADY_EXISTS) {
        auto mutex = mivo::LookupHandleAs<mivo::MutexObject>(handle);
        mivo::Waiter self;
        self.threadId = GetCurrentThreadId();
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        if (mutex->IsSignalledFor(self))
            mutex->Acquire(self);
        else
            mutex->Unclaimed();
    }
    SetLastError(error);
    return handle;
}

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName)
{
    return CreateMutex(lpMutexAttributes, bInitialOwner, lpName);
}

HANDLE OpenMutex(DWORD, BOOL, LPCSTR lpName)
{
    if (!lpName || !*lpName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD error = ERROR_FILE_NOT_FOUND;
    mivo::NamedLookup found = mivo::FindOrMakeNamed(lpName, [&]() -> std::shared_ptr<mivo::Waitable> {
        bool openedElsewhere = false;
        auto mutex = mivo::MakeMutex(lpName, true, openedElsewhere);
        if (!mutex)
            error = GetLastError();
        return mutex;
    });
    if (!found.object) {
        SetLastError(error);
        return nullptr;
    }
    auto mutex = std::dynamic_pointer_cast<mivo::MutexObject>(found.object);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HANDLE handle = mivo::RegisterHandle(mutex);
    SetLastError(ERROR_SUCCESS);
    return handle;
}

HANDLE OpenMutexA(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName)
{
    return OpenMutex(dwDesiredAccess, bInheritHandle, lpName);
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    auto mutex = mivo::LookupHandleAs<mivo::MutexObject>(hMutex);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    if (!mutex->Release(GetCurrentThreadId())) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}
