// Paths: splitting, relative and absolute forms, emptying folders, whole-file reads and writes,
// and the folder browser.
#include "framework/VXUtil.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A backslash that is a character of its own, not the trail byte of a double-byte one.
bool EndsWithBackslash(const char* s)
{
    const size_t length = strlen(s);
    return length && s[length - 1] == '\\' && mivo::CutToCharBoundary(s, length, length - 1) == length - 1;
}

std::string Canonical(const std::string& posix)
{
    char resolved[PATH_MAX];
    return realpath(posix.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool Contains(const std::string& folder, const std::string& inner)
{
    return inner == folder || (inner.size() > folder.size() && inner.compare(0, folder.size(), folder) == 0 &&
                               (folder == "/" || inner[folder.size()] == '/'));
}

enum class FolderKind { Refused, Link, Folder };

// Whether a folder may be emptied: never a drive root, the home folder or a folder holding it,
// nor what a link points to (the link itself may go).
FolderKind ClassifyFolder(const CString& folder)
{
    std::string posix;
    if (folder.IsEmpty() || !mivo::ToPosixPath(folder, posix))
        return FolderKind::Refused;
    // "link/" would name what the link points to.
    while (posix.size() > 1 && posix.back() == '/')
        posix.pop_back();
    struct stat st;
    if (lstat(posix.c_str(), &st) != 0)
        return FolderKind::Refused;
    if (S_ISLNK(st.st_mode))
        return FolderKind::Link;
    if (!S_ISDIR(st.st_mode))
        return FolderKind::Refused;
    const std::string canonical = Canonical(posix);
    if (canonical.empty() || canonical == "/")
        return FolderKind::Refused;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string root = mivo::DriveRoot(letter);
        if (!root.empty() && Canonical(root) == canonical)
            return FolderKind::Refused;
    }
    const char* home = getenv("HOME");
    if (home && *home) {
        std::string homeCanonical = Canonical(home);
        if (!homeCanonical.empty() && Contains(canonical, homeCanonical))
            return FolderKind::Refused;
    }
    return FolderKind::Folder;
}

CString WithBackslash(const CString& folder)
{
    return EndsWithBackslash(folder) ? folder : folder + "\\";
}

CString WithoutBackslash(CString folder)
{
    while (folder.GetLength() > 1 && EndsWithBackslash(folder))
        folder.Delete(folder.GetLength() - 1);
    return folder;
}

void DeleteContents(const CString& folder)
{
    const CString prefix = WithBackslash(folder);
    WIN32_FIND_DATA found;
    HANDLE find = FindFirstFile(prefix + "*.*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!strcmp(found.cFileName, ".") || !strcmp(found.cFileName, ".."))
            continue;
        const CString path = prefix + found.cFileName;
        const DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A link goes by itself; what it points to stays.
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || !RemoveDirectory(path))
                DeleteFile(path);
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteContents(path);
            RemoveDirectory(path);
        } else {
            DeleteFile(path);
        }
    } while (FindNextFile(find, &found));
    FindClose(find);
}

}  // namespace

char* DivideFilePathAndName(const char* path, char* dir, char* fileName, char* ext)
{
    char drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
    _splitpath(path ? path : "", drive, folder, name, extension);
    if (dir)
        strcat(strcpy(dir, drive), folder);
    if (fileName)
        strcat(strcpy(fileName, name), extension);
    if (ext)
        strcpy(ext, extension);
    return fileName;
}

char* RelativePathFromFullPath(const char* base, const char* full, char* out)
{
    const std::string whole = full ? full : "";
    const size_t length = base ? strlen(base) : 0;
    std::string result = whole;
    // Only a whole-folder prefix counts: "C:\photo" is no folder of "C:\photos\a.jpg".
    if (length && whole.compare(0, length, base) == 0) {
        if (EndsWithBackslash(base))
            result = whole.substr(length);
        else if (whole.size() > length && whole[length] == '\\')
            result = whole.substr(length + 1);
    }
    memcpy(out, result.c_str(), result.size() + 1);
    return out;
}

char* FullPathFromRelativePath(const char* base, const char* rel, char* out)
{
    const std::string relative = rel ? rel : "";
    std::string result;
    if (relative.compare(0, 2, "\\\\") == 0 || relative.find(':') != std::string::npos) {
        result = relative;
    } else {
        result = base ? base : "";
        if (!EndsWithBackslash(result.c_str()))
            result += '\\';
        result += relative;
    }
    memcpy(out, result.c_str(), result.size() + 1);
    return out;
}

void RecursiveDeleteFolder(CString folder)
{
    if (ClassifyFolder(folder) == FolderKind::Folder)
        DeleteContents(folder);
}

void EraseFolder(CString folder)
{
    switch (ClassifyFolder(folder)) {
    case FolderKind::Folder:
        DeleteContents(folder);
        RemoveDirectory(folder);
        break;
    case FolderKind::Link: {
        const CString link = WithoutBackslash(folder);
        if (!RemoveDirectory(link))
            DeleteFile(link);
        break;
    }
    case FolderKind::Refused:
        break;
    }
}

int ReadFileToBuf(CString path, void* buf, UINT len)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return 0;
    file.Read(buf, len);
    file.Close();
    return 1;
}

int WriteFileFromBuf(CString path, const char* text)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite))
        return 0;
    if (text)
        file.Write(text, (UINT)strlen(text));
    file.Close();
    return 1;
}

int CALLBACK BrowseCallbackProc(HWND wnd, UINT msg, LPARAM param, LPARAM data)
{
    if (msg == BFFM_INITIALIZED && data) {
        SendMessage(wnd, BFFM_SETSELECTION, TRUE, data);
    } else if (msg == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDList((LPCITEMIDLIST)param, path) && path[0])
            SendMessage(wnd, BFFM_SETSTATUSTEXT, 0, (LPARAM)path);
    }
    return 0;
}

int GetFolder(CString& out, HWND owner, const char* title, const char* root, const char* initial)
{
    LPITEMIDLIST rootList = nullptr;
    if (root && *root) {
        IShellFolder* desktop = nullptr;
        if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
            std::u16string wide = mivo::AnsiToUtf16(root);
            ULONG eaten = 0;
            desktop->ParseDisplayName(owner, nullptr, (LPOLESTR)wide.c_str(), &eaten, &rootList, nullptr);
            desktop->Release();
        }
    }
    char display[MAX_PATH] = "";
    BROWSEINFO info = {};
    info.hwndOwner = owner;
    info.pidlRoot = rootList;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = BrowseCallbackProc;
    info.lParam = (LPARAM)(initial && *initial ? initial : nullptr);
    LPITEMIDLIST chosen = SHBrowseForFolder(&info);
    char path[MAX_PATH] = "";
    const bool found = chosen && SHGetPathFromIDList(chosen, path);
    if (chosen)
        CoTaskMemFree(chosen);
    if (rootList)
        CoTaskMemFree(rootList);
    if (!found) {
        out.Empty();
        return 0;
    }
    out = path;
    return 1;
}
