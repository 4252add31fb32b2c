#include "kernel/PathMapper.h"

#include "win32/codepage.h"
#include "win32/errors.h"
#include "win32/fileapi.h"
#include "mivo/codepage.h"
#include "mivo/errors.h"
#include "mivo/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

namespace {

std::mutex g_driveLock;
std::map<char, std::string> g_driveOverrides;

char UpperLetter(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A POSIX folder without trailing slashes ("/" stays "/"); empty when not absolute.
std::string CleanRoot(std::string root)
{
    if (root.empty() || root[0] != '/')
        return std::string();
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

bool IsForbiddenNameChar(unsigned char c)
{
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

// Windows drops trailing dots and spaces of a name ("a.txt." is "a.txt").
std::string TrimNameEnd(const std::string& name)
{
    size_t end = name.size();
    while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' '))
        --end;
    return name.substr(0, end);
}

// Applies the components of `rest` (backslash-separated) to `parts`.
bool AppendComponents(const std::string& rest, std::vector<std::string>& parts, bool checkNames)
{
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t next = rest.find('\\', pos);
        if (next == std::string::npos)
            next = rest.size();
        std::string name = rest.substr(pos, next - pos);
        pos = next + 1;
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        for (unsigned char c : name) {
            if (checkNames && IsForbiddenNameChar(c)) {
                SetLastError(ERROR_INVALID_NAME);
                return false;
            }
        }
        name = TrimNameEnd(name);
        if (!name.empty())
            parts.push_back(name);
    }
    return true;
}

std::vector<std::string> SplitPosix(const std::string& posix)
{
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= posix.size()) {
        size_t next = posix.find('/', pos);
        if (next == std::string::npos)
            next = posix.size();
        std::string name = posix.substr(pos, next - pos);
        pos = next + 1;
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(name);
    }
    return parts;
}

std::string JoinPosix(const std::string& dir, const std::string& name)
{
    if (dir.empty() || dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

bool Exists(const std::string& posix)
{
    struct stat st;
    return lstat(posix.c_str(), &st) == 0;
}

// The entry of `dir` equal to `name` ignoring ASCII case; the smallest such
// name when several differ only in case, so the choice is stable.
bool FindNameIgnoringCase(const std::string& dir, const std::string& name, std::string& found)
{
    DIR* d = opendir(dir.c_str());
    if (!d)
        return false;
    const std::string wanted = FoldAscii(name);
    bool any = false;
    while (struct dirent* entry = readdir(d)) {
        std::string candidate = entry->d_name;
        if (candidate == "." || candidate == "..")
            continue;
        if (FoldAscii(candidate) != wanted)
            continue;
        if (!any || candidate < found)
            found = candidate;
        any = true;
    }
    closedir(d);
    return any;
}

}  // namespace

std::string WinPath::ToString() const
{
    std::string s;
    s += drive;
    s += ":\\";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            s += '\\';
        s += parts[i];
    }
    return s;
}

std::string FoldAscii(const std::string& s)
{
    std::string folded = s;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string PosixParent(const std::string& posix)
{
    size_t slash = posix.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return posix.substr(0, slash);
}

std::string PosixName(const std::string& posix)
{
    size_t slash = posix.find_last_of('/');
    return slash == std::string::npos ? posix : posix.substr(slash + 1);
}

void SetDriveRoot(char letter, const std::string& root)
{
    if (!IsLetter(letter))
        return;
    std::lock_guard<std::mutex> guard(g_driveLock);
    std::string clean = CleanRoot(root);
    if (clean.empty())
        g_driveOverrides.erase(UpperLetter(letter));
    else
        g_driveOverrides[UpperLetter(letter)] = clean;
}

std::string DriveRoot(char letter)
{
    if (!IsLetter(letter))
        return std::string();
    letter = UpperLetter(letter);
    {
        std::lock_guard<std::mutex> guard(g_driveLock);
        auto it = g_driveOverrides.find(letter);
        if (it != g_driveOverrides.end())
            return it->second;
    }
    std::string var = std::string("MIVO_DRIVE_") + letter;
    if (const char* value = getenv(var.c_str())) {
        std::string clean = CleanRoot(value);
        if (!clean.empty())
            return clean;
    }
    return letter == 'C' ? std::string("/") : std::string();
}

bool PathTextToUtf8(LPCSTR ansi, std::string& utf8)
{
    if (!AnsiToUtf8(ansi, utf8)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    return true;
}

bool WinPathFromPosix(const std::string& posix, WinPath& out)
{
    std::string absolute = posix;
    if (absolute.empty() || absolute[0] != '/') {
        char buffer[4096];
        if (!getcwd(buffer, sizeof buffer))
            return false;
        absolute = JoinPosix(buffer, absolute);
    }
    const std::vector<std::string> parts = SplitPosix(absolute);

    int bestLetter = -1;
    size_t bestDepth = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string root = DriveRoot(letter);
        if (root.empty())
            continue;
        std::vector<std::string> rootParts = SplitPosix(root);
        if (rootParts.size() > parts.size())
            continue;
        if (!std::equal(rootParts.begin(), rootParts.end(), parts.begin()))
            continue;
        if (bestLetter < 0 || rootParts.size() > bestDepth) {
            bestLetter = letter;
            bestDepth = rootParts.size();
        }
    }
    if (bestLetter < 0)
        return false;
    out.drive = static_cast<char>(bestLetter);
    out.parts.assign(parts.begin() + static_cast<long>(bestDepth), parts.end());
    return true;
}

WinPath CurrentWinPath()
{
    WinPath current;
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer) || !WinPathFromPosix(buffer, current))
        current = WinPath();
    return current;
}

bool ParseWinPath(const std::string& text, WinPath& out, bool checkNames)
{
    std::string s = text;
    std::replace(s.begin(), s.end(), '/', '\\');
    if (s.compare(0, 4, "\\\\?\\") == 0) {
        s.erase(0, 4);
        if (s.compare(0, 4, "UNC\\") == 0) {
            SetLastError(ERROR_BAD_NETPATH);
            return false;
        }
    }
    if (s.compare(0, 2, "\\\\") == 0) {
        SetLastError(ERROR_BAD_NETPATH);  // network shares have no mapping
        return false;
    }
    if (s.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }

    WinPath result;
    std::string rest;
    if (s.size() >= 2 && IsLetter(s[0]) && s[1] == ':') {
        result.drive = UpperLetter(s[0]);
        rest = s.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            // "D:name" is relative to the current folder when it is on D:.
            WinPath current = CurrentWinPath();
            if (current.drive == result.drive)
                result.parts = current.parts;
        }
    } else if (s[0] == '\\') {
        result.drive = CurrentWinPath().drive;
        rest = s;
    } else {
        result = CurrentWinPath();
        rest = s;
    }
    if (!AppendComponents(rest, result.parts, checkNames))
        return false;
    out = result;
    return true;
}

bool MapWinPath(const WinPath& path, std::string& posix)
{
    std::string current = DriveRoot(path.drive);
    if (current.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    bool resolving = true;
    for (const std::string& name : path.parts) {
        std::string exact = JoinPosix(current, name);
        if (resolving && !Exists(exact)) {
            std::string found;
            if (FindNameIgnoringCase(current, name, found)) {
                current = JoinPosix(current, found);
                continue;
            }
            resolving = false;  // the rest does not exist: keep it as written
        }
        current = exact;
    }
    posix = current;
    return true;
}

void SetPathError(int err, const std::string& posix)
{
    if (err == ENOENT || err == ENOTDIR) {
        struct stat st;
        std::string parent = PosixParent(posix);
        bool folderThere = stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        SetLastError(err == ENOENT && folderThere ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return;
    }
    SetLastError(ErrorFromErrno(err));
}

bool ToPosixPath(LPCSTR winPath, std::string& posixUtf8)
{
    if (!winPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::string utf8;
    WinPath parsed;
    if (!PathTextToUtf8(winPath, utf8) || !ParseWinPath(utf8, parsed))
        return false;
    return MapWinPath(parsed, posixUtf8);
}

bool FromPosixPath(const std::string& posixUtf8, std::string& winAnsi)
{
    WinPath path;
    if (!WinPathFromPosix(posixUtf8, path)) {
        winAnsi.clear();
        return false;
    }
    return Utf8ToAnsi(path.ToString(), winAnsi);
}

std::string FromPosixPath(const std::string& posixUtf8)
{
    std::string winAnsi;
    FromPosixPath(posixUtf8, winAnsi);
    return winAnsi;
}

}  // namespace mivo
