// What Windows reports about a file (attributes, times, size), read from POSIX.
#pragma once

#include "win32/fileapi.h"

#include <string>
#include <sys/stat.h>

namespace mivo {

struct FileInfo {
    DWORD attributes = 0;
    FILETIME created = {0, 0};
    FILETIME accessed = {0, 0};
    FILETIME written = {0, 0};
    uint64_t size = 0;
};

// Follows symbolic links, adding FILE_ATTRIBUTE_REPARSE_POINT; a dangling
// link is described itself. False with errno set when nothing is there.
bool QueryFileInfo(const std::string& posix, FileInfo& info);
bool QueryFileInfo(int fd, const std::string& posix, FileInfo& info);
// Read-only is the owner's write permission; dot-names are hidden.
DWORD AttributesFromStat(const std::string& name, const struct stat& st);

}  // namespace mivo
