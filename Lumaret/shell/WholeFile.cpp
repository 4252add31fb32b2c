#include "shell/WholeFile.h"

bool ReadWholeFile(const CString& path, size_t limit, std::vector<BYTE>& bytes)
{
    bytes.clear();
    HANDLE file = ::CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = ::GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size > 0 && size <= limit;
    if (ok) {
        bytes.resize(size);
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
    }
    ::CloseHandle(file);
    if (!ok)
        bytes.clear();
    return ok;
}

bool WriteWholeFile(const CString& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFile(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size() &&
              ::SetEndOfFile(file);
    ::CloseHandle(file);
    return ok;
}
