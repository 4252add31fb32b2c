// Attributes, folders, deleting, moving and copying by Windows-form path.
#include "kernel/FileInfo.h"
#include "kernel/FileOps.h"
#include "kernel/PathMapper.h"

#include "win32/fileapi.h"
#include "mivo/errors.h"
#include "mivo/paths.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A path argument mapped to POSIX, with its parsed Windows form.
struct PathArg {
    mivo::WinPath win;
    std::string posix;
};

bool MapArg(LPCSTR path, PathArg& arg)
{
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::string utf8;
    return mivo::PathTextToUtf8(path, utf8) && mivo::ParseWinPath(utf8, arg.win) &&
           mivo::MapWinPath(arg.win, arg.posix);
}

bool IsOwnerReadOnly(const struct stat& st)
{
    return !(st.st_mode & S_IWUSR);
}

// True when `target` names `source` itself, found through a different case
// of its name: moving then only changes the case.
bool IsCaseRename(const std::string& source, const PathArg& target, const struct stat& sourceStat)
{
    struct stat st;
    if (lstat(target.posix.c_str(), &st) != 0 || st.st_dev != sourceStat.st_dev || st.st_ino != sourceStat.st_ino)
        return false;
    if (target.win.parts.empty() || mivo::PosixParent(source) != mivo::PosixParent(target.posix))
        return false;
    return mivo::FoldAscii(mivo::PosixName(source)) == mivo::FoldAscii(target.win.parts.back());
}

BOOL MoveCaseOnly(const std::string& source, const PathArg& target)
{
    std::string renamed = mivo::PosixParent(target.posix);
    if (renamed != "/")
        renamed += '/';
    renamed += target.win.parts.back();
    if (renamed == source)
        return TRUE;
    if (rename(source.c_str(), renamed.c_str()) != 0) {
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(lpFileName, GetFileExInfoStandard, &data))
        return INVALID_FILE_ATTRIBUTES;
    return data.dwFileAttributes;
}

DWORD GetFileAttributes(LPCSTR lpFileName)
{
    return GetFileAttributesA(lpFileName);
}

BOOL GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation)
{
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string posix;
    if (!mivo::ToPosixPath(lpFileName, posix))
        return FALSE;
    mivo::FileInfo info;
    if (!mivo::QueryFileInfo(posix, info)) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    auto data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
    data->dwFileAttributes = info.attributes;
    data->ftCreationTime = info.created;
    data->ftLastAccessTime = info.accessed;
    data->ftLastWriteTime = info.written;
    data->nFileSizeHigh = static_cast<DWORD>(info.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(info.size & 0xFFFFFFFFu);
    return TRUE;
}

BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation)
{
    return GetFileAttributesExA(lpFileName, fInfoLevelId, lpFileInformation);
}

// Only the read-only attribute has a POSIX form (the owner's write
// permission); the others are accepted and ignored.
BOOL SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpFileName, posix))
        return FALSE;
    struct stat st;
    if (stat(posix.c_str(), &st) != 0) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    mode_t mode = st.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        mode &= static_cast<mode_t>(~0222);
    else if (IsOwnerReadOnly(st))
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && chmod(posix.c_str(), mode) != 0) {
        mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    return SetFileAttributesA(lpFileName, dwFileAttributes);
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpPathName, posix))
        return FALSE;
    if (mkdir(posix.c_str(), 0777) != 0) {
        if (errno == EEXIST)
            SetLastError(ERROR_ALREADY_EXISTS);
        else if (errno == ENOENT || errno == ENOTDIR)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            mivo::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    return CreateDirectoryA(lpPathName, lpSecurityAttributes);
}

BOOL RemoveDirectoryA(LPCSTR lpPathName)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpPathName, posix))
        return FALSE;
    struct stat st;
    if (lstat(posix.c_str(), &st) != 0) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    struct stat target;
    if (S_ISLNK(st.st_mode) && stat(posix.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        // A link to a folder goes by itself; the folder it names stays.
        if (unlink(posix.c_str()) != 0) {
            mivo::SetLastErrorFromErrno();
            return FALSE;
        }
        return TRUE;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (rmdir(posix.c_str()) != 0) {
        SetLastError(errno == EEXIST || errno == ENOTEMPTY ? ERROR_DIR_NOT_EMPTY : mivo::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectory(LPCSTR lpPathName)
{
    return RemoveDirectoryA(lpPathName);
}

// As on Windows, folders and read-only files are refused (ERROR_ACCESS_DENIED).
BOOL DeleteFileA(LPCSTR lpFileName)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpFileName, posix))
        return FALSE;
    struct stat st;
    if (lstat(posix.c_str(), &st) != 0) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && IsOwnerReadOnly(st))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(posix.c_str()) != 0) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFile(LPCSTR lpFileName)
{
    return DeleteFileA(lpFileName);
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    PathArg source, target;
    if (!lpNewFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);  // deleting at the next boot is not supported
        return FALSE;
    }
    if (!MapArg(lpExistingFileName, source) || !MapArg(lpNewFileName, target))
        return FALSE;
    struct stat sourceStat;
    if (lstat(source.posix.c_str(), &sourceStat) != 0) {
        mivo::SetPathError(errno, source.posix);
        return FALSE;
    }
    if (IsCaseRename(source.posix, target, sourceStat))
        return MoveCaseOnly(source.posix, target);

    const bool replace = (dwFlags & MOVEFILE_REPLACE_EXISTING) != 0;
    struct stat targetStat;
    if (lstat(target.posix.c_str(), &targetStat) == 0) {
        if (!replace) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        if (S_ISDIR(targetStat.st_mode) || S_ISDIR(sourceStat.st_mode) || IsOwnerReadOnly(targetStat)) {
            SetLastError(ERROR_ACCESS_DENIED);  // folders and read-only files are never replaced
            return FALSE;
        }
    }
    int rc = replace ? rename(source.posix.c_str(), target.posix.c_str())
                     : mivo::RenameNoReplace(source.posix, target.posix);
    if (rc == 0)
        return TRUE;
    int err = errno;
    if (err == EXDEV) {
        if (!(dwFlags & MOVEFILE_COPY_ALLOWED)) {
            SetLastError(ERROR_NOT_SAME_DEVICE);
            return FALSE;
        }
        err = mivo::MoveByCopy(source.posix, target.posix, replace);
        if (err == 0)
            return TRUE;
    }
    if (err == EEXIST || err == ENOTEMPTY)
        SetLastError(ERROR_ALREADY_EXISTS);
    else if (err == ENOENT || err == ENOTDIR)
        SetLastError(ERROR_PATH_NOT_FOUND);  // the source exists: the target's folder is missing
    else
        SetLastError(mivo::ErrorFromErrno(err));
    return FALSE;
}

BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    return MoveFileExA(lpExistingFileName, lpNewFileName, dwFlags);
}

BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileExA(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileA(lpExistingFileName, lpNewFileName);
}

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    std::string source, target;
    if (!mivo::ToPosixPath(lpExistingFileName, source) || !mivo::ToPosixPath(lpNewFileName, target))
        return FALSE;
    struct stat sourceStat, targetStat;
    if (stat(source.c_str(), &sourceStat) != 0) {
        mivo::SetPathError(errno, source);
        return FALSE;
    }
    if (stat(target.c_str(), &targetStat) == 0) {
        if (bFailIfExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino) {
            SetLastError(ERROR_SHARING_VIOLATION);  // a file copied onto itself would be lost
            return FALSE;
        }
        if (S_ISDIR(targetStat.st_mode) || IsOwnerReadOnly(targetStat)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    int err = mivo::CopyFileContents(source, target, !bFailIfExists);
    if (err == 0)
        return TRUE;
    if (err == EEXIST)
        SetLastError(ERROR_FILE_EXISTS);
    else if (err == ENOENT || err == ENOTDIR)
        SetLastError(ERROR_PATH_NOT_FOUND);
    else
        SetLastError(mivo::ErrorFromErrno(err));
    return FALSE;
}

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    return CopyFileA(lpExistingFileName, lpNewFileName, bFailIfExists);
}
