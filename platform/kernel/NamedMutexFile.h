// Area interface: the cross-process side of a named mutex: two lock files per name in a private
// per-user folder ($XDG_RUNTIME_DIR/mivo, else /tmp/mivo-<uid>).
//   <name>.name  held with a shared flock by every process that has the name open;
//                an exclusive try-lock tells whether anyone else has it open.
//   <name>.owner held with an exclusive flock by the process whose thread owns it.
//   <name>.guard serialises the open-and-test step between processes.
// A process that dies releases its locks with its descriptors, so a crashed
// owner never leaves the name taken (its ownership is not reported as abandoned
// to other processes).
#pragma once

#include "win32/types.h"

#include <memory>
#include <string>

namespace mivo {

class NamedMutexFile {
public:
    ~NamedMutexFile();
    NamedMutexFile(const NamedMutexFile&) = delete;
    NamedMutexFile& operator=(const NamedMutexFile&) = delete;

    // Opens the name. `openedElsewhere` tells whether another process had it open.
    // With `mustExist`, a name nobody else has open fails with ERROR_FILE_NOT_FOUND.
    // On failure returns null and sets `error` to a Windows error code.
    static std::unique_ptr<NamedMutexFile> Open(const std::string& name, bool mustExist, bool& openedElsewhere,
                                                DWORD& error);

    // Non-blocking: takes cross-process ownership.
    bool TryLockOwner();
    void UnlockOwner();

    // The folder holding the lock files (created when missing), or empty when it
    // cannot be made safely.
    static std::string LockFolder();

private:
    NamedMutexFile(int nameFd, int ownerFd);
    int nameFd_;
    int ownerFd_;
};

}  // namespace mivo
