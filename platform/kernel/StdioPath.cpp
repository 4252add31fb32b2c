// C run-time file calls that take Windows-form paths.
#include "kernel/PathMapper.h"

#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The errno a run-time call reports for a path with no mapping.
void SetErrnoFromMappingFailure()
{
    switch (GetLastError()) {
    case ERROR_NO_UNICODE_TRANSLATION: errno = EILSEQ; break;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER: errno = EINVAL; break;
    default: errno = ENOENT; break;
    }
}

bool MapForRuntime(const char* path, std::string& posix)
{
    if (!mivo::ToPosixPath(path, posix)) {
        SetErrnoFromMappingFailure();
        return false;
    }
    return true;
}

// The run-time's mode letters that stdio here understands; 't' and the
// Microsoft extras have no effect. "e" keeps the descriptor from children.
bool PosixMode(const char* mode, std::string& out)
{
    if (!mode || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a'))
        return false;
    out.assign(1, mode[0]);
    bool plus = false, binary = false, exclusive = false;
    for (const char* p = mode + 1; *p && *p != ','; ++p) {
        plus |= *p == '+';
        binary |= *p == 'b';
        exclusive |= *p == 'x';
    }
    if (plus)
        out += '+';
    if (binary)
        out += 'b';
    if (exclusive)
        out += 'x';
    out += 'e';
    return true;
}

std::string CurrentAnsi()
{
    std::string ansi;
    mivo::Utf8ToAnsi(mivo::CurrentWinPath().ToString(), ansi);
    return ansi;
}

}  // namespace

namespace mivo {

FILE* FOpen(LPCSTR winPath, LPCSTR mode)
{
    std::string posixMode, posix;
    if (!PosixMode(mode, posixMode)) {
        errno = EINVAL;
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!MapForRuntime(winPath, posix))
        return nullptr;
    struct stat before;
    const bool writes = posixMode[0] != 'r' || posixMode.find('+') != std::string::npos;
    if (writes && stat(posix.c_str(), &before) == 0 && S_ISREG(before.st_mode) && !(before.st_mode & S_IWUSR)) {
        errno = EACCES;  // read-only, even for root
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    FILE* file = fopen(posix.c_str(), posixMode.c_str());
    if (!file) {
        SetPathError(errno, posix);
        return nullptr;
    }
    struct stat st;
    if (fstat(fileno(file), &st) == 0 && S_ISDIR(st.st_mode)) {
        fclose(file);  // folders do not open as files on Windows
        errno = EACCES;
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return file;
}

}  // namespace mivo

FILE* _tfopen(const char* filename, const char* mode)
{
    return mivo::FOpen(filename, mode);
}

// The sharing flag has no effect: POSIX files are not locked.
FILE* _fsopen(const char* filename, const char* mode, int /*shflag*/)
{
    return mivo::FOpen(filename, mode);
}

int _stat(const char* path, struct _stat* buffer)
{
    std::string posix;
    if (!buffer) {
        errno = EINVAL;
        return -1;
    }
    if (!MapForRuntime(path, posix))
        return -1;
    return stat(posix.c_str(), buffer);
}

int _fstat(int fd, struct _stat* buffer)
{
    if (!buffer) {
        errno = EINVAL;
        return -1;
    }
    return fstat(fd, buffer);
}

int _mkdir(const char* dirname)
{
    std::string posix;
    if (!MapForRuntime(dirname, posix))
        return -1;
    return mkdir(posix.c_str(), 0777);
}

int _rmdir(const char* dirname)
{
    std::string posix;
    if (!MapForRuntime(dirname, posix))
        return -1;
    return rmdir(posix.c_str());
}

// Read-only files are refused with EACCES, as by the run-time on Windows.
int _unlink(const char* filename)
{
    std::string posix;
    if (!MapForRuntime(filename, posix))
        return -1;
    struct stat st;
    if (lstat(posix.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) {
        errno = EACCES;
        return -1;
    }
    return unlink(posix.c_str());
}

// Mode 0 asks for existence, 2 for writing, 4 for reading, 6 for both;
// writing is refused for read-only files.
int _access(const char* path, int mode)
{
    std::string posix;
    if (!MapForRuntime(path, posix))
        return -1;
    struct stat st;
    if (stat(posix.c_str(), &st) != 0)
        return -1;
    if ((mode & 2) && !(st.st_mode & S_IWUSR)) {
        errno = EACCES;
        return -1;
    }
    if ((mode & 4) && access(posix.c_str(), R_OK) != 0)
        return -1;
    return 0;
}

int _chdir(const char* dirname)
{
    std::string posix;
    if (!MapForRuntime(dirname, posix))
        return -1;
    return chdir(posix.c_str());
}

char* _getcwd(char* buffer, int maxlen)
{
    std::string current = CurrentAnsi();
    if (!buffer) {
        size_t size = current.size() + 1;
        if (maxlen > 0 && static_cast<size_t>(maxlen) > size)
            size = static_cast<size_t>(maxlen);
        buffer = static_cast<char*>(malloc(size));
        if (!buffer) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxlen <= 0 || current.size() + 1 > static_cast<size_t>(maxlen)) {
        errno = ERANGE;
        return nullptr;
    }
    memcpy(buffer, current.c_str(), current.size() + 1);
    return buffer;
}

char* _fullpath(char* absPath, const char* relPath, size_t maxLength)
{
    std::string full;
    if (!relPath || !*relPath) {
        full = CurrentAnsi();
    } else {
        DWORD needed = GetFullPathNameA(relPath, 0, nullptr, nullptr);
        if (needed == 0) {
            SetErrnoFromMappingFailure();
            return nullptr;
        }
        full.resize(needed);
        DWORD length = GetFullPathNameA(relPath, needed, &full[0], nullptr);
        full.resize(length);
    }
    if (!absPath) {
        absPath = static_cast<char*>(malloc(full.size() + 1));
        if (!absPath) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (full.size() + 1 > maxLength) {
        errno = ERANGE;
        return nullptr;
    }
    memcpy(absPath, full.c_str(), full.size() + 1);
    return absPath;
}
