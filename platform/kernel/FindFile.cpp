// FindFirstFile / FindNextFile / FindClose over a folder listing.
#include "kernel/FileInfo.h"
#include "kernel/HandleTable.h"
#include "kernel/NameMatch.h"
#include "kernel/PathMapper.h"

#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "mivo/codepage.h"
#include "mivo/errors.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

struct FoundEntry {
    std::string ansiName;
    mivo::FileInfo info;
};

// The listing is taken when the search starts, as a snapshot.
struct FindObject : mivo::KernelObject {
    std::vector<FoundEntry> entries;
    size_t next = 0;
};

// Windows lists names in the order of their upper-cased form.
std::string SortKey(const std::string& name)
{
    std::string key = name;
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

bool Ordered(const FoundEntry& a, const FoundEntry& b)
{
    auto rank = [](const std::string& n) { return n == "." ? 0 : n == ".." ? 1 : 2; };
    if (rank(a.ansiName) != rank(b.ansiName))
        return rank(a.ansiName) < rank(b.ansiName);
    std::string ka = SortKey(a.ansiName), kb = SortKey(b.ansiName);
    return ka != kb ? ka < kb : a.ansiName < b.ansiName;
}

void FillFindData(const FoundEntry& entry, WIN32_FIND_DATAA* data)
{
    memset(data, 0, sizeof *data);
    data->dwFileAttributes = entry.info.attributes;
    data->ftCreationTime = entry.info.created;
    data->ftLastAccessTime = entry.info.accessed;
    data->ftLastWriteTime = entry.info.written;
    data->nFileSizeHigh = static_cast<DWORD>(entry.info.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(entry.info.size & 0xFFFFFFFFu);
    memcpy(data->cFileName, entry.ansiName.c_str(), entry.ansiName.size() + 1);
}

// Splits "C:\dir\*.jpg" into the folder ("C:\dir\") and the name pattern.
void SplitPattern(const std::string& utf8, std::string& folder, std::string& pattern)
{
    size_t slash = utf8.find_last_of("\\/");
    if (slash != std::string::npos) {
        folder = utf8.substr(0, slash + 1);
        pattern = utf8.substr(slash + 1);
    } else if (utf8.size() >= 2 && utf8[1] == ':') {
        folder = utf8.substr(0, 2);
        pattern = utf8.substr(2);
    } else {
        folder = ".";
        pattern = utf8;
    }
}

bool AddEntry(const std::string& folder, const std::string& name, std::vector<FoundEntry>& entries)
{
    FoundEntry entry;
    // Names with no CP949 form cannot reach the program and are left out.
    if (!mivo::Utf8ToAnsi(name, entry.ansiName) || entry.ansiName.size() >= MAX_PATH)
        return false;
    std::string full = name == "." ? folder : name == ".." ? mivo::PosixParent(folder)
                                                           : (folder == "/" ? "/" + name : folder + "/" + name);
    if (!mivo::QueryFileInfo(full, entry.info))
        return false;  // vanished meanwhile
    entries.push_back(std::move(entry));
    return true;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string utf8, folderText, pattern;
    if (!mivo::PathTextToUtf8(lpFileName, utf8))
        return INVALID_HANDLE_VALUE;
    SplitPattern(utf8, folderText, pattern);
    mivo::WinPath folderPath;
    std::string folder;
    if (!mivo::ParseWinPath(folderText, folderPath) || !mivo::MapWinPath(folderPath, folder))
        return INVALID_HANDLE_VALUE;
    mivo::NameMatcher matcher;
    if (!matcher.Compile(pattern)) {
        SetLastError(pattern.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }

    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : mivo::ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<FindObject>();
    // Drive roots have no "." and ".." entries on Windows; other folders list them.
    const bool listDots = !folderPath.parts.empty();
    while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if ((name == "." || name == "..") && !listDots)
            continue;
        if (matcher.Matches(name))
            AddEntry(folder, name, search->entries);
    }
    closedir(dir);
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->entries.begin(), search->entries.end(), Ordered);
    FillFindData(search->entries[0], lpFindFileData);
    search->next = 1;
    return mivo::RegisterHandle(search);
}

HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData)
{
    return FindFirstFileA(lpFileName, lpFindFileData);
}

BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    auto search = mivo::LookupHandleAs<FindObject>(hFindFile);
    if (!search || !lpFindFileData) {
        SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    FillFindData(search->entries[search->next++], lpFindFileData);
    return TRUE;
}

BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData)
{
    return FindNextFileA(hFindFile, lpFindFileData);
}

BOOL FindClose(HANDLE hFindFile)
{
    if (!mivo::LookupHandleAs<FindObject>(hFindFile) || !mivo::CloseKernelHandle(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
