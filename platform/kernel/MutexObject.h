// The kernel mutex behind CreateMutex handles: recursive ownership by one thread,
// abandonment when the owner ends, and for a named mutex a lock file shared with
// other processes.
#pragma once

#include "NamedMutexFile.h"
#include "Waitable.h"

#include <memory>

namespace mivo {

struct MutexObject : Waitable, std::enable_shared_from_this<MutexObject> {
    explicit MutexObject(std::unique_ptr<NamedMutexFile> file = nullptr);

    bool IsSignalledFor(const Waiter& waiter) override;
    bool Acquire(const Waiter& waiter) override;
    void Unclaimed() override;
    bool NeedsPolling() const override;

    // With WaitLock() held. False when `threadId` does not own the mutex.
    bool Release(DWORD threadId);
    // With WaitLock() held: frees the mutex when `threadId` owns it.
    void Abandon(DWORD threadId);

private:
    DWORD owner_ = 0;
    int count_ = 0;
    bool abandoned_ = false;
    std::unique_ptr<NamedMutexFile> file_;
    bool fileLocked_ = false;
};

// Marks every mutex the calling thread still owns as abandoned; run when a thread ends.
void AbandonMutexesOfCurrentThread();

}  // namespace mivo
