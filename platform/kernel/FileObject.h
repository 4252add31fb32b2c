// The kernel object behind a file HANDLE: an open POSIX descriptor.
#pragma once

#include "kernel/HandleTable.h"

#include <string>

namespace mivo {

struct FileObject : KernelObject {
    FileObject(int descriptor, std::string posixPath, bool deleteOnClose);
    // The descriptor closes when the last user lets go, so a ReadFile running
    // on another thread never sees it reused.
    ~FileObject() override;

    int fd;
    std::string path;  // POSIX, UTF-8
    bool deleteOnClose;
};

}  // namespace mivo
