// Current, temporary and program folders, full path names and drives.
#include "kernel/PathMapper.h"

#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "kernel/ModulePath.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <ctime>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

std::mutex g_resolverLock;
mivo::ModulePathResolver g_moduleResolver = nullptr;

// Windows' buffer convention: the length without the terminator when it
// fits, else the size needed including the terminator (nothing written).
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

bool IsDirectory(const std::string& posix)
{
    struct stat st;
    return stat(posix.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The temporary folder in Windows form with its trailing backslash.
std::string TempFolder()
{
    std::string candidates[3];
    if (const char* env = getenv("TMPDIR"))
        candidates[0] = env;
    candidates[1] = "/tmp";
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        candidates[2] = cwd;
    for (const std::string& candidate : candidates) {
        if (candidate.empty() || candidate[0] != '/' || !IsDirectory(candidate))
            continue;
        std::string win;
        if (!mivo::FromPosixPath(candidate, win))
            continue;
        if (win.back() != '\\')
            win += '\\';
        return win;
    }
    return std::string();
}

char DriveLetterOf(LPCSTR root)
{
    if (!root)
        return mivo::CurrentWinPath().drive;
    if (root[0] && root[1] == ':' && (root[2] == 0 || ((root[2] == '\\' || root[2] == '/') && root[3] == 0)))
        return root[0] >= 'a' && root[0] <= 'z' ? static_cast<char>(root[0] - 'a' + 'A') : root[0];
    return 0;
}

std::atomic<unsigned> g_tempCounter{0};

unsigned NextTempNumber()
{
    static std::once_flag seeded;
    std::call_once(seeded, [] {
        g_tempCounter = static_cast<unsigned>(time(nullptr)) ^ (static_cast<unsigned>(getpid()) << 4);
    });
    return g_tempCounter++ & 0xFFFF;
}

}  // namespace

namespace mivo {

void SetModulePathResolver(ModulePathResolver resolver)
{
    std::lock_guard<std::mutex> guard(g_resolverLock);
    g_moduleResolver = resolver;
}

bool ModulePathOf(HMODULE module, std::string& posixUtf8)
{
    if (!module) {
        char buffer[PATH_MAX];
        ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (length <= 0)
            return false;
        posixUtf8.assign(buffer, static_cast<size_t>(length));
        return true;
    }
    ModulePathResolver resolver;
    {
        std::lock_guard<std::mutex> guard(g_resolverLock);
        resolver = g_moduleResolver;
    }
    return resolver && resolver(module, posixUtf8);
}

}  // namespace mivo

DWORD GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::string folder = TempFolder();
    if (folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return CopyOut(folder, lpBuffer, nBufferLength);
}

DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer)
{
    return GetTempPathA(nBufferLength, lpBuffer);
}

// The name is folder + up to three prefix characters + the number in hex +
// ".tmp". With uUnique 0 a free number is found and the file created empty.
UINT GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName)
{
    if (!lpPathName || !lpTempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string base = lpPathName;
    if (!base.empty() && base.back() != '\\' && base.back() != '/')
        base += '\\';
    if (lpPrefixString)
        base.append(lpPrefixString, mivo::CutToCharBoundary(lpPrefixString, strlen(lpPrefixString), 3));

    auto nameFor = [&base](unsigned number) {
        char hex[8];
        snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
        return base + hex + ".tmp";
    };
    auto deliver = [lpTempFileName](const std::string& name) {
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_BUFFER_OVERFLOW);
            return false;
        }
        memcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return true;
    };

    if (uUnique != 0)
        return deliver(nameFor(uUnique)) ? uUnique : 0;
    for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
        unsigned number = NextTempNumber();
        if (number == 0)
            continue;
        std::string name = nameFor(number);
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_BUFFER_OVERFLOW);
            return 0;
        }
        HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            SetLastError(ERROR_SUCCESS);
            return deliver(name) ? number : 0;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return 0;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName)
{
    return GetTempFileNameA(lpPathName, lpPrefixString, uUnique, lpTempFileName);
}

// A name cut to the buffer is terminated and reported with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    std::string posix, win;
    if (!mivo::ModulePathOf(hModule, posix)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    win = mivo::FromPosixPath(posix);
    if (win.empty() || !lpFilename || nSize == 0) {
        SetLastError(win.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (win.size() >= nSize) {
        size_t cut = mivo::CutToCharBoundary(win.c_str(), win.size(), nSize - 1);
        memcpy(lpFilename, win.c_str(), cut);
        lpFilename[cut] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    memcpy(lpFilename, win.c_str(), win.size() + 1);
    return static_cast<DWORD>(win.size());
}

DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    return GetModuleFileNameA(hModule, lpFilename, nSize);
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::string win;
    mivo::Utf8ToAnsi(mivo::CurrentWinPath().ToString(), win);
    return CopyOut(win, lpBuffer, nBufferLength);
}

DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer)
{
    return GetCurrentDirectoryA(nBufferLength, lpBuffer);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpPathName, posix))
        return FALSE;
    if (chdir(posix.c_str()) != 0) {
        if (errno == ENOTDIR && !IsDirectory(posix) && access(posix.c_str(), F_OK) == 0)
            SetLastError(ERROR_DIRECTORY);
        else
            mivo::SetPathError(errno, posix);
        return FALSE;
    }
    return TRUE;
}

BOOL SetCurrentDirectory(LPCSTR lpPathName)
{
    return SetCurrentDirectoryA(lpPathName);
}

// Works on the text only: the file need not exist and case is kept as written.
DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    if (lpFilePart)
        *lpFilePart = nullptr;
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string utf8, ansi;
    mivo::WinPath path;
    if (!mivo::PathTextToUtf8(lpFileName, utf8) || !mivo::ParseWinPath(utf8, path, false))
        return 0;
    std::string full = path.ToString();
    const char last = utf8.empty() ? 0 : utf8.back();
    if ((last == '\\' || last == '/') && !path.parts.empty())
        full += '\\';
    mivo::Utf8ToAnsi(full, ansi);
    DWORD result = CopyOut(ansi, lpBuffer, nBufferLength);
    if (result < nBufferLength && lpFilePart && ansi.back() != '\\')
        *lpFilePart = lpBuffer + ansi.find_last_of('\\') + 1;
    return result;
}

DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart)
{
    return GetFullPathNameA(lpFileName, nBufferLength, lpBuffer, lpFilePart);
}

BOOL GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    std::string posix;
    if (!mivo::ToPosixPath(lpDirectoryName ? lpDirectoryName : ".", posix))
        return FALSE;
    struct statvfs vfs;
    if (statvfs(posix.c_str(), &vfs) != 0) {
        mivo::SetPathError(errno, posix);
        return FALSE;
    }
    const ULONGLONG unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    if (lpFreeBytesAvailableToCaller)
        lpFreeBytesAvailableToCaller->QuadPart = static_cast<ULONGLONG>(vfs.f_bavail) * unit;
    if (lpTotalNumberOfBytes)
        lpTotalNumberOfBytes->QuadPart = static_cast<ULONGLONG>(vfs.f_blocks) * unit;
    if (lpTotalNumberOfFreeBytes)
        lpTotalNumberOfFreeBytes->QuadPart = static_cast<ULONGLONG>(vfs.f_bfree) * unit;
    return TRUE;
}

BOOL GetDiskFreeSpaceEx(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                        PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    return GetDiskFreeSpaceExA(lpDirectoryName, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes,
                               lpTotalNumberOfFreeBytes);
}

DWORD GetLogicalDrives()
{
    DWORD mask = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!mivo::DriveRoot(letter).empty())
            mask |= 1u << (letter - 'A');
    }
    return mask;
}

DWORD GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer)
{
    std::string list;
    DWORD mask = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (mask & (1u << (letter - 'A'))) {
            list += letter;
            list += ":\\";
            list += '\0';
        }
    }
    // The list ends with an extra terminator; the length excludes it.
    if (!lpBuffer || nBufferLength < list.size() + 1)
        return static_cast<DWORD>(list.size() + 1);
    memcpy(lpBuffer, list.data(), list.size());
    lpBuffer[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
}

DWORD GetLogicalDriveStrings(DWORD nBufferLength, LPSTR lpBuffer)
{
    return GetLogicalDriveStringsA(nBufferLength, lpBuffer);
}

UINT GetDriveTypeA(LPCSTR lpRootPathName)
{
    char letter = DriveLetterOf(lpRootPathName);
    if (!letter || mivo::DriveRoot(letter).empty())
        return DRIVE_NO_ROOT_DIR;
    return DRIVE_FIXED;
}

UINT GetDriveType(LPCSTR lpRootPathName)
{
    return GetDriveTypeA(lpRootPathName);
}

BOOL PathFileExistsA(LPCSTR pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

BOOL PathFileExists(LPCSTR pszPath)
{
    return PathFileExistsA(pszPath);
}
