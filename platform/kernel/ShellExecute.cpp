// ShellExecute: Windows program names, documents and web addresses mapped to this
// system's programs and the desktop's opener (xdg-open).
#include "ProcessStart.h"

#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "win32/procapi.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"
#include "mivo/process.h"

#include <cctype>
#include <mutex>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr INT_PTR kStarted = 42;  // any value above 32 means success

const char kOpener[] = "xdg-open";

// Programs whose job here is done by the desktop's default program for a file.
const char* const kDocumentPrograms[] = {"excel.exe", "notepad.exe", "hh.exe", "winhlp32.exe"};

std::string Trim(const std::string& s)
{
    size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// The URL scheme of `text` in lower case, or empty. One letter before ':' is a drive.
std::string SchemeOf(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' ||
                               text[i] == '-' || text[i] == '.'))
        ++i;
    if (i < 2 || i >= text.size() || text[i] != ':' || !std::isalpha(static_cast<unsigned char>(text[0])))
        return std::string();
    std::string scheme = text.substr(0, i);
    for (char& c : scheme)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return scheme;
}

bool IsWebAddress(const std::string& text)
{
    const std::string scheme = SchemeOf(text);
    return (scheme == "http" || scheme == "https") && text.compare(scheme.size(), 3, "://") == 0 &&
           text.find_first_of(" \t\r\n") == std::string::npos;
}

std::string BaseName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsDocumentProgram(const std::string& file)
{
    const std::string name = BaseName(file);
    for (const char* program : kDocumentPrograms) {
        if (strcasecmp(name.c_str(), program) == 0)
            return true;
    }
    return false;
}

bool IsNamed(const std::string& file, const char* name)
{
    const std::string base = BaseName(file);
    return strcasecmp(base.c_str(), name) == 0 ||
           (base.size() + 4 == std::strlen(name) && strncasecmp(base.c_str(), name, base.size()) == 0);
}

bool IsAbsolute(const std::string& p)
{
    return (p.size() >= 2 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

// The POSIX path of a file named relative to `folder` (Windows form) when not absolute.
bool MapFile(const std::string& file, const std::string& folder, std::string& posix, DWORD& error)
{
    std::string full = file;
    if (!folder.empty() && !IsAbsolute(file))
        full = folder + (folder.back() == '\\' ? "" : "\\") + file;
    if (!mivo::ToPosixPath(full.c_str(), posix)) {
        error = GetLastError();
        return false;
    }
    return true;
}

// The first argument of a parameter string, without its quotes.
std::string FirstArgument(const char* parameters)
{
    std::vector<std::string> args = mivo::SplitArguments(parameters);
    return args.empty() ? std::string() : Trim(args[0]);
}

// The file named by a document program's parameters: the whole text (paths with
// blanks often come unquoted), else its first argument.
std::string DocumentArgument(const char* parameters, const std::string& folder)
{
    std::string whole = Trim(parameters ? parameters : "");
    if (whole.size() >= 2 && whole.front() == '"' && whole.back() == '"' &&
        whole.find('"', 1) == whole.size() - 1)
        whole = whole.substr(1, whole.size() - 2);
    std::string posix;
    DWORD ignored;
    struct stat st;
    if (!whole.empty() && MapFile(whole, folder, posix, ignored) && stat(posix.c_str(), &st) == 0)
        return whole;
    return FirstArgument(parameters);
}

struct Request {
    std::string verb;  // lower case; empty for the default
    std::string file;
    const char* parameters = nullptr;
    std::string folder;  // Windows form
};

struct Outcome {
    DWORD error = ERROR_SUCCESS;  // a Windows or SE_ERR_ code
    HANDLE process = nullptr;
};

bool Start(mivo::ProgramStart& start, bool wantProcess, Outcome& outcome)
{
    DWORD error = ERROR_SUCCESS;
    if (!mivo::StartProgram(start, wantProcess ? &outcome.process : nullptr, nullptr, error)) {
        outcome.error = error;
        return false;
    }
    return true;
}

void OpenWithDesktop(const std::string& target, bool wantProcess, Outcome& outcome)
{
    mivo::ProgramStart start;
    start.argv = {kOpener, target};
    if (!Start(start, wantProcess, outcome) && outcome.error == ERROR_FILE_NOT_FOUND)
        outcome.error = SE_ERR_NOASSOC;  // no desktop opener installed
}

// Opens an existing file or folder named the Windows way with the desktop's program.
void OpenDocument(const std::string& file, const std::string& folder, bool wantProcess, Outcome& outcome)
{
    std::string posix;
    struct stat st;
    if (!MapFile(file, folder, posix, outcome.error))
        return;
    if (stat(posix.c_str(), &st) != 0) {
        outcome.error = ERROR_FILE_NOT_FOUND;
        return;
    }
    OpenWithDesktop(posix, wantProcess, outcome);
}

void RunProgram(const Request& r, bool wantProcess, Outcome& outcome)
{
    mivo::ProgramStart start;
    std::string program;
    if (!mivo::ResolveProgram(r.file, r.folder, program, outcome.error))
        return;
    start.argv.push_back(program);
    for (const std::string& a : mivo::SplitArguments(r.parameters)) {
        std::string utf8;
        if (!mivo::AnsiToUtf8(a, utf8)) {
            outcome.error = ERROR_NO_UNICODE_TRANSLATION;
            return;
        }
        start.argv.push_back(utf8);
    }
    if (!r.folder.empty() && !mivo::ToPosixPath(r.folder.c_str(), start.folder)) {
        outcome.error = ERROR_PATH_NOT_FOUND;
        return;
    }
    Start(start, wantProcess, outcome);
}

bool FolderExists(const std::string& posix)
{
    const size_t slash = posix.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : posix.substr(0, slash);
    struct stat st;
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Programs are named "X.exe" (found as "X" here) or have no extension at all.
bool LooksLikeProgram(const std::string& posix, const std::string& file)
{
    const std::string base = BaseName(file);
    const size_t dot = base.rfind('.');
    const bool exe = dot != std::string::npos &&
                     (strcasecmp(base.c_str() + dot, ".exe") == 0 || strcasecmp(base.c_str() + dot, ".com") == 0);
    struct stat st;
    if (stat(posix.c_str(), &st) != 0)
        return exe || dot == std::string::npos;
    if (!S_ISREG(st.st_mode))
        return false;
    return exe || (dot == std::string::npos && access(posix.c_str(), X_OK) == 0);
}

std::mutex g_helpLock;

mivo::HelpViewer& HelpViewerSlot()
{
    static mivo::HelpViewer viewer;
    return viewer;
}

// A help file "X.chm" that is not there, with its page "X.html" beside it: the page is shown
// instead. False when the request is no such case.
bool OpenHelpPage(const std::string& posix, bool wantProcess, Outcome& outcome)
{
    const size_t dot = posix.rfind('.');
    struct stat st;
    if (dot == std::string::npos || strcasecmp(posix.c_str() + dot, ".chm") != 0 || stat(posix.c_str(), &st) == 0)
        return false;
    const std::string page = posix.substr(0, dot) + ".html";
    if (stat(page.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    mivo::HelpViewer viewer;
    {
        std::lock_guard<std::mutex> guard(g_helpLock);
        viewer = HelpViewerSlot();
    }
    if (viewer && viewer(page))
        return true;
    OpenWithDesktop(page, wantProcess, outcome);
    return true;
}

Outcome Execute(const Request& r, bool wantProcess)
{
    Outcome outcome;
    if (!r.verb.empty() && r.verb != "open" && r.verb != "explore") {
        outcome.error = SE_ERR_NOASSOC;
        return outcome;
    }
    if (Trim(r.file).empty()) {
        outcome.error = ERROR_FILE_NOT_FOUND;
        return outcome;
    }
    if (!SchemeOf(r.file).empty()) {
        if (IsWebAddress(r.file))
            OpenWithDesktop(r.file, wantProcess, outcome);
        else
            outcome.error = SE_ERR_NOASSOC;
        return outcome;
    }
    if (IsNamed(r.file, "iexplore.exe")) {
        const std::string address = FirstArgument(r.parameters);
        if (IsWebAddress(address))
            OpenWithDesktop(address, wantProcess, outcome);
        else
            outcome.error = SE_ERR_NOASSOC;
        return outcome;
    }
    if (IsDocumentProgram(r.file)) {
        const std::string document = DocumentArgument(r.parameters, r.folder);
        if (document.empty())
            outcome.error = SE_ERR_NOASSOC;
        else
            OpenDocument(document, r.folder, wantProcess, outcome);
        return outcome;
    }
    std::string posix;
    if (!MapFile(r.file, r.folder, posix, outcome.error))
        return outcome;
    if (OpenHelpPage(posix, wantProcess, outcome))
        return outcome;
    struct stat st;
    if (LooksLikeProgram(posix, r.file))
        RunProgram(r, wantProcess, outcome);
    else if (stat(posix.c_str(), &st) == 0)
        OpenWithDesktop(posix, wantProcess, outcome);
    else
        outcome.error = FolderExists(posix) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    return outcome;
}

Request MakeRequest(LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder)
{
    Request r;
    if (verb) {
        r.verb = Trim(verb);
        for (char& c : r.verb)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    r.file = file ? Trim(file) : std::string();
    if (r.file.size() >= 2 && r.file.front() == '"' && r.file.back() == '"')
        r.file = r.file.substr(1, r.file.size() - 2);
    r.parameters = parameters;
    r.folder = folder ? Trim(folder) : std::string();
    return r;
}

HINSTANCE ResultValue(const Outcome& outcome)
{
    if (outcome.error == ERROR_SUCCESS)
        return reinterpret_cast<HINSTANCE>(kStarted);
    // Codes above 32 must not read as success.
    const INT_PTR code = outcome.error <= 32 ? static_cast<INT_PTR>(outcome.error) : SE_ERR_NOASSOC;
    return reinterpret_cast<HINSTANCE>(code);
}

}  // namespace

void mivo::SetHelpViewer(HelpViewer viewer)
{
    std::lock_guard<std::mutex> guard(g_helpLock);
    HelpViewerSlot() = std::move(viewer);
}

HINSTANCE ShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT)
{
    Outcome outcome = Execute(MakeRequest(lpOperation, lpFile, lpParameters, lpDirectory), false);
    SetLastError(outcome.error);
    return ResultValue(outcome);
}

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd)
{
    return ShellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

BOOL ShellExecuteEx(LPSHELLEXECUTEINFOA info)
{
    if (!info || info->cbSize < sizeof(SHELLEXECUTEINFOA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool wantProcess = (info->fMask & SEE_MASK_NOCLOSEPROCESS) != 0;
    Outcome outcome = Execute(MakeRequest(info->lpVerb, info->lpFile, info->lpParameters, info->lpDirectory),
                              wantProcess);
    info->hInstApp = ResultValue(outcome);
    info->hProcess = wantProcess ? outcome.process : nullptr;
    SetLastError(outcome.error);
    return outcome.error == ERROR_SUCCESS ? TRUE : FALSE;
}

BOOL ShellExecuteExA(LPSHELLEXECUTEINFOA lpExecInfo)
{
    return ShellExecuteEx(lpExecInfo);
}
