// CreateFile and the calls on file handles.
#include "kernel/FileInfo.h"
#include "kernel/FileObject.h"
#include "kernel/PathMapper.h"

#include "win32/fileapi.h"
#include "mivo/errors.h"
#include "mivo/filetime.h"
#include "mivo/paths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

FileObject::FileObject(int descriptor, std::string posixPath, bool removeOnClose)
    : fd(descriptor), path(std::move(posixPath)), deleteOnClose(removeOnClose)
{
}

FileObject::~FileObject()
{
    if (fd >= 0)
        close(fd);
    if (deleteOnClose)
        unlink(path.c_str());
}

}  // namespace mivo

namespace {

using mivo::FileObject;

std::shared_ptr<FileObject> FileOf(HANDLE h)
{
    auto file = mivo::LookupHandleAs<FileObject>(h);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

bool WantsRead(DWORD access)
{
    return access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA);
}

bool WantsWrite(DWORD access)
{
    return access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA);
}

int OpenFlags(DWORD access, DWORD disposition)
{
    int flags = O_CLOEXEC;
    if (WantsRead(access) && WantsWrite(access))
        flags |= O_RDWR;
    else if (WantsWrite(access))
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: break;
    }
    return flags;
}

bool ValidDisposition(DWORD disposition, DWORD access)
{
    switch (disposition) {
    case CREATE_NEW:
    case CREATE_ALWAYS:
    case OPEN_EXISTING:
    case OPEN_ALWAYS: return true;
    case TRUNCATE_EXISTING: return WantsWrite(access);
    default: return false;
    }
}

void SetOpenError(int err, DWORD disposition, const std::string& posix)
{
    if (err == EEXIST && disposition == CREATE_NEW)
        SetLastError(ERROR_FILE_EXISTS);
    else
        mivo::SetPathError(err, posix);
}

bool IsRegularFile(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Moves the file pointer; false with ERROR_NEGATIVE_SEEK before the start.
bool Seek(int fd, int64_t distance, DWORD method, int64_t& newPosition)
{
    int whence;
    switch (method) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return false;
    }
    off_t base = 0;
    if (whence == SEEK_CUR)
        base = lseek(fd, 0, SEEK_CUR);
    else if (whence == SEEK_END) {
        struct stat st;
        base = fstat(fd, &st) == 0 ? st.st_size : -1;
    }
    if (base < 0) {
        mivo::SetLastErrorFromErrno();
        return false;
    }
    if (distance < 0 && base + distance < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return false;
    }
    off_t result = lseek(fd, static_cast<off_t>(base + distance), SEEK_SET);
    if (result < 0) {
        mivo::SetLastErrorFromErrno();
        return false;
    }
    newPosition = result;
    return true;
}

struct timespec TimespecFrom(const FILETIME* ft)
{
    struct timespec ts;
    // NULL, and all bits set, leave the time as it is.
    if (!ft || (ft->dwLowDateTime == 0xFFFFFFFFu && ft->dwHighDateTime == 0xFFFFFFFFu)) {
        ts.tv_sec = 0;
        ts.tv_nsec = UTIME_OMIT;
        return ts;
    }
    long ns = 0;
    ts.tv_sec = static_cast<time_t>(mivo::UnixFromFileTime(*ft, &ns));
    ts.tv_nsec = ns;
    return ts;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE /*hTemplateFile*/)
{
    if (!ValidDisposition(dwCreationDisposition, dwDesiredAccess)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string posix;
    if (!mivo::ToPosixPath(lpFileName, posix))
        return INVALID_HANDLE_VALUE;

    struct stat before;
    const bool existed = stat(posix.c_str(), &before) == 0;
    // Read-only files refuse writing even to root, as the attribute does on Windows.
    const bool changes = WantsWrite(dwDesiredAccess) || dwCreationDisposition == CREATE_ALWAYS ||
                         dwCreationDisposition == TRUNCATE_EXISTING;
    if (existed && S_ISREG(before.st_mode) && !(before.st_mode & S_IWUSR) && changes) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = open(posix.c_str(), OpenFlags(dwDesiredAccess, dwCreationDisposition), mode);
    if (fd < 0) {
        SetOpenError(errno, dwCreationDisposition, posix);
        return INVALID_HANDLE_VALUE;
    }
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && !(dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);  // a folder opens only for backup semantics
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<FileObject>(fd, posix, (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0);
    HANDLE handle = mivo::RegisterHandle(file);
    const bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

HANDLE CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                  LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                  DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    return CreateFileA(lpFileName, dwDesiredAccess, dwShareMode, lpSecurityAttributes, dwCreationDisposition,
                       dwFlagsAndAttributes, hTemplateFile);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (!lpBuffer && nNumberOfBytesToRead > 0) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (lpOverlapped) {
        off_t offset = static_cast<off_t>((static_cast<uint64_t>(lpOverlapped->OffsetHigh) << 32) | lpOverlapped->Offset);
        lseek(file->fd, offset, SEEK_SET);
    }
    // Files fill the whole request up to their end; pipes return what is there.
    const bool whole = IsRegularFile(file->fd);
    auto out = static_cast<char*>(lpBuffer);
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        ssize_t got = read(file->fd, out + total, nNumberOfBytesToRead - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : mivo::ErrorFromErrno(errno));
            if (lpNumberOfBytesRead)
                *lpNumberOfBytesRead = total;
            return FALSE;
        }
        if (got == 0)
            break;
        total += static_cast<DWORD>(got);
        if (!whole)
            break;
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    if (lpOverlapped)
        lpOverlapped->InternalHigh = total;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (!lpBuffer && nNumberOfBytesToWrite > 0) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (lpOverlapped) {
        off_t offset = static_cast<off_t>((static_cast<uint64_t>(lpOverlapped->OffsetHigh) << 32) | lpOverlapped->Offset);
        lseek(file->fd, offset, SEEK_SET);
    }
    auto in = static_cast<const char*>(lpBuffer);
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        ssize_t put = write(file->fd, in + total, nNumberOfBytesToWrite - total);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : mivo::ErrorFromErrno(errno));
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = total;
            return FALSE;
        }
        total += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    if (lpOverlapped)
        lpOverlapped->InternalHigh = total;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod)
{
    auto file = FileOf(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    int64_t distance = lDistanceToMove;
    if (lpDistanceToMoveHigh) {
        uint64_t combined = (static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                            static_cast<uint32_t>(lDistanceToMove);
        distance = static_cast<int64_t>(combined);
    }
    int64_t position = 0;
    if (!Seek(file->fd, distance, dwMoveMethod, position))
        return INVALID_SET_FILE_POINTER;
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
    else if (position > 0xFFFFFFFELL) {
        SetLastError(ERROR_INVALID_PARAMETER);  // the position does not fit in 32 bits
        return INVALID_SET_FILE_POINTER;
    }
    DWORD low = static_cast<DWORD>(static_cast<uint64_t>(position) & 0xFFFFFFFFu);
    if (low == INVALID_SET_FILE_POINTER)
        SetLastError(NO_ERROR);  // lets the caller tell this position from a failure
    return low;
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                      DWORD dwMoveMethod)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    int64_t position = 0;
    if (!Seek(file->fd, liDistanceToMove.QuadPart, dwMoveMethod, position))
        return FALSE;
    if (lpNewFilePointer)
        lpNewFilePointer->QuadPart = position;
    return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    off_t position = lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(file->fd, position) != 0) {
        SetLastError(errno == EINVAL || errno == EBADF ? ERROR_ACCESS_DENIED : mivo::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(hFile, &size))
        return INVALID_FILE_SIZE;
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(size.QuadPart) >> 32);
    DWORD low = static_cast<DWORD>(static_cast<uint64_t>(size.QuadPart) & 0xFFFFFFFFu);
    if (low == INVALID_FILE_SIZE)
        SetLastError(NO_ERROR);
    return low;
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    struct stat st;
    if (fstat(file->fd, &st) != 0) {
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    if (lpFileSize)
        lpFileSize->QuadPart = S_ISDIR(st.st_mode) ? 0 : st.st_size;
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (fsync(file->fd) != 0 && errno != EINVAL) {  // pipes cannot be synced and need not be
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    mivo::FileInfo info;
    if (!mivo::QueryFileInfo(file->fd, file->path, info)) {
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    if (lpCreationTime)
        *lpCreationTime = info.created;
    if (lpLastAccessTime)
        *lpLastAccessTime = info.accessed;
    if (lpLastWriteTime)
        *lpLastWriteTime = info.written;
    return TRUE;
}

// The creation time cannot be set on POSIX file systems and is ignored.
BOOL SetFileTime(HANDLE hFile, const FILETIME* /*lpCreationTime*/, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime)
{
    auto file = FileOf(hFile);
    if (!file)
        return FALSE;
    struct timespec times[2] = {TimespecFrom(lpLastAccessTime), TimespecFrom(lpLastWriteTime)};
    if (futimens(file->fd, times) != 0) {
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}
