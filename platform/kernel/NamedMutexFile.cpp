#include "kernel/NamedMutexFile.h"

#include "win32/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

namespace {

// Windows names in "Global\" and "Local\" share one namespace here (one session).
std::string StripNamespace(const std::string& name)
{
    for (const char* prefix : {"Global\\", "Local\\"}) {
        size_t n = std::char_traits<char>::length(prefix);
        if (name.compare(0, n, prefix) == 0)
            return name.substr(n);
    }
    return name;
}

// A file-name-safe form of a kernel object name (which may hold any byte,
// CP949 included). Long names keep a prefix and get a hash so they stay unique.
std::string FileStem(const std::string& name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string stem;
    for (unsigned char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
            c == '.') {
            stem += static_cast<char>(c);
        } else {
            stem += '%';
            stem += kHex[c >> 4];
            stem += kHex[c & 15];
        }
    }
    if (stem.size() > 160) {
        uint64_t hash = 1469598103934665603ull;  // FNV-1a
        for (unsigned char c : name)
            hash = (hash ^ c) * 1099511628211ull;
        char tail[24];
        snprintf(tail, sizeof tail, "~%016llx", static_cast<unsigned long long>(hash));
        stem = stem.substr(0, 140) + tail;
    }
    if (stem.empty() || stem[0] == '.')
        stem = "%" + stem;
    return stem;
}

// A folder we made and only we can write to.
bool IsPrivateFolder(const std::string& path)
{
    struct stat st;
    if (lstat(path.c_str(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool MakePrivateFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsPrivateFolder(path);
}

int OpenLockFile(const std::string& path)
{
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

int FlockRetry(int fd, int operation)
{
    int rc;
    do {
        rc = flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

}  // namespace

std::string NamedMutexFile::LockFolder()
{
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/' && IsPrivateFolder(runtime)) {
        std::string folder = std::string(runtime) + "/mivo";
        if (MakePrivateFolder(folder))
            return folder;
    }
    std::string folder = "/tmp/mivo-" + std::to_string(geteuid());
    return MakePrivateFolder(folder) ? folder : std::string();
}

NamedMutexFile::NamedMutexFile(int nameFd, int ownerFd) : nameFd_(nameFd), ownerFd_(ownerFd) {}

NamedMutexFile::~NamedMutexFile()
{
    close(ownerFd_);
    close(nameFd_);
}

std::unique_ptr<NamedMutexFile> NamedMutexFile::Open(const std::string& name, bool mustExist, bool& openedElsewhere,
                                                     DWORD& error)
{
    openedElsewhere = false;
    const std::string folder = LockFolder();
    if (folder.empty()) {
        error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    const std::string base = folder + "/" + FileStem(StripNamespace(name));
    int guard = OpenLockFile(base + ".guard");
    if (guard < 0) {
        error = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    FlockRetry(guard, LOCK_EX);
    int nameFd = OpenLockFile(base + ".name");
    int ownerFd = OpenLockFile(base + ".owner");
    std::unique_ptr<NamedMutexFile> result;
    if (nameFd < 0 || ownerFd < 0) {
        error = ERROR_ACCESS_DENIED;
    } else {
        // Holders keep shared locks, so an exclusive try fails exactly when another
        // process has the name open. The guard keeps other openers out while the
        // exclusive lock turns into a shared one.
        openedElsewhere = FlockRetry(nameFd, LOCK_EX | LOCK_NB) != 0;
        if (mustExist && !openedElsewhere) {
            error = ERROR_FILE_NOT_FOUND;
        } else if (FlockRetry(nameFd, LOCK_SH) != 0) {
            error = ERROR_ACCESS_DENIED;
        } else {
            result.reset(new NamedMutexFile(nameFd, ownerFd));
            nameFd = ownerFd = -1;
        }
    }
    if (nameFd >= 0)
        close(nameFd);
    if (ownerFd >= 0)
        close(ownerFd);
    close(guard);  // releases the guard lock
    return result;
}

bool NamedMutexFile::TryLockOwner()
{
    return FlockRetry(ownerFd_, LOCK_EX | LOCK_NB) == 0;
}

void NamedMutexFile::UnlockOwner()
{
    FlockRetry(ownerFd_, LOCK_UN);
}

}  // namespace mivo
