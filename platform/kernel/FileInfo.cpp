#include "kernel/FileInfo.h"

#include "kernel/PathMapper.h"
#include "mivo/filetime.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace mivo {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

FILETIME FromTimespec(const struct timespec& ts)
{
    return FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

// The birth time when the file system keeps one, else the older of the
// change and modification times.
FILETIME CreationTime(int dirfd, const char* path, int flags, const struct stat& st)
{
    struct statx sx;
    if (statx(dirfd, path, flags, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        return FileTimeFromUnix(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
    const struct timespec& older =
        (st.st_ctim.tv_sec < st.st_mtim.tv_sec) ? st.st_ctim : st.st_mtim;
    return FromTimespec(older);
}

void Fill(const std::string& posix, const struct stat& st, FileInfo& info)
{
    info.attributes = AttributesFromStat(PosixName(posix), st);
    info.accessed = FromTimespec(st.st_atim);
    info.written = FromTimespec(st.st_mtim);
    info.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
}

}  // namespace

FILETIME FileTimeFromUnix(int64_t seconds, long nanoseconds)
{
    int64_t ticks = (seconds + kEpochDifference) * kTicksPerSecond + nanoseconds / 100;
    if (ticks < 0)
        ticks = 0;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    return ft;
}

int64_t UnixFromFileTime(const FILETIME& ft, long* nanoseconds)
{
    uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    if (nanoseconds)
        *nanoseconds = static_cast<long>(ticks % kTicksPerSecond) * 100;
    return static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochDifference;
}

DWORD AttributesFromStat(const std::string& name, const struct stat& st)
{
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if (S_ISREG(st.st_mode))
        attributes |= FILE_ATTRIBUTE_ARCHIVE;
    else
        attributes |= FILE_ATTRIBUTE_SYSTEM;  // devices, sockets, pipes
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

bool QueryFileInfo(const std::string& posix, FileInfo& info)
{
    struct stat st;
    if (lstat(posix.c_str(), &st) != 0)
        return false;
    const bool link = S_ISLNK(st.st_mode);
    int statFlags = AT_SYMLINK_NOFOLLOW;
    if (link && stat(posix.c_str(), &st) == 0)
        statFlags = 0;
    Fill(posix, st, info);
    // Links are marked as Windows marks its own, so a recursive delete can
    // leave what they point to alone.
    if (link)
        info.attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    info.created = CreationTime(AT_FDCWD, posix.c_str(), statFlags, st);
    return true;
}

bool QueryFileInfo(int fd, const std::string& posix, FileInfo& info)
{
    struct stat st;
    if (fstat(fd, &st) != 0)
        return false;
    Fill(posix, st, info);
    info.created = CreationTime(fd, "", AT_EMPTY_PATH, st);
    return true;
}

}  // namespace mivo
