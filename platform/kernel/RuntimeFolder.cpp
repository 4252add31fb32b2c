// A runtime folder for sessions without one (services, ssh, containers): without it
// Qt warns at every start and falls back to a folder of its own choosing.
#include "mivo/paths.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

namespace {

// Ours alone: a real folder (not a link) owned by us, closed to everyone else.
bool MakeOwnFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
        return false;
    return (st.st_mode & 0777) == 0700 || chmod(path.c_str(), 0700) == 0;
}

}  // namespace

std::string EnsureRuntimeFolder()
{
    const char* set = std::getenv("XDG_RUNTIME_DIR");
    if (set && *set)
        return set;
    std::string folder = "/tmp/mivo-runtime-" + std::to_string(geteuid());
    if (!MakeOwnFolder(folder))
        return std::string();
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
    return folder;
}

namespace {

// Before main, so that every program of the suite and the named mutexes see the same folder.
[[maybe_unused]] const bool g_runtimeFolderReady = !EnsureRuntimeFolder().empty();

}  // namespace

}  // namespace mivo
