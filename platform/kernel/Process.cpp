// Process objects and program starts: CreateProcess, WinExec, OpenProcess,
// TerminateProcess, exit codes and the spawn hook for tests.
#include "ProcessStart.h"
#include "Waitable.h"

#include "win32/codepage.h"
#include "win32/fileapi.h"
#include "win32/procapi.h"
#include "mivo/codepage.h"
#include "mivo/errors.h"
#include "mivo/paths.h"
#include "mivo/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace mivo {

namespace {

const HANDLE kCurrentProcessPseudo = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

struct ProcessObject : Waitable {
    enum Kind { Child, Foreign, Self, Recorded };

    ProcessObject(Kind k, pid_t p) : kind(k), pid(p) {}
    ~ProcessObject() override
    {
        if (pidfd >= 0)
            close(pidfd);
    }

    bool IsSignalledFor(const Waiter&) override
    {
        Refresh();
        return finished;
    }
    bool Acquire(const Waiter&) override { return false; }
    bool NeedsPolling() const override { return !finished && (kind == Foreign || polled); }

    // With WaitLock() held: notices the end of a process nobody reports to us.
    void Refresh()
    {
        if (finished)
            return;
        if (kind == Foreign) {
            bool gone;
            if (pidfd >= 0) {
                pollfd p = {pidfd, POLLIN, 0};
                gone = poll(&p, 1, 0) > 0;
            } else {
                gone = kill(pid, 0) != 0 && errno == ESRCH;
            }
            if (gone)
                Finish(killed ? killCode : 0);
        } else if (kind == Child && polled) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid || errno == ECHILD)
                Finish(ExitCodeFromStatus(status));
        }
    }

    void Finish(DWORD code)
    {
        finished = true;
        exitCode = code;
    }

    DWORD ExitCodeFromStatus(int status) const
    {
        if (WIFEXITED(status))
            return static_cast<DWORD>(WEXITSTATUS(status));
        if (WIFSIGNALED(status))
            return killed ? killCode : static_cast<DWORD>(128 + WTERMSIG(status));
        return 0;
    }

    const Kind kind;
    const pid_t pid;
    int pidfd = -1;
    bool polled = false;  // a child without a reaper thread
    // Guarded by WaitLock().
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
    bool killed = false;
    DWORD killCode = 0;
};

struct Children {
    std::mutex lock;
    std::map<pid_t, std::weak_ptr<ProcessObject>> byPid;  // started and not yet reaped
};

Children& TheChildren()
{
    static Children* children = new Children;  // never destroyed: reapers may run during exit
    return *children;
}

std::mutex g_hookLock;
SpawnHook g_hook;

SpawnHook CurrentHook()
{
    std::lock_guard<std::mutex> guard(g_hookLock);
    return g_hook;
}

void Reap(const std::shared_ptr<ProcessObject>& process)
{
    int status = 0;
    pid_t rc;
    do {
        rc = waitpid(process->pid, &status, 0);
    } while (rc < 0 && errno == EINTR);
    {
        std::lock_guard<std::mutex> guard(TheChildren().lock);
        TheChildren().byPid.erase(process->pid);
    }
    {
        std::lock_guard<std::mutex> guard(WaitLock());
        process->Finish(rc == process->pid ? process->ExitCodeFromStatus(status) : 0);
    }
    NotifyWaiters();
}

DWORD ErrorFromSpawn(int rc)
{
    switch (rc) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
    case ENOMEM:
    case EAGAIN: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ErrorFromErrno(rc);
    }
}

bool Spawn(const ProgramStart& start, pid_t& pid, DWORD& error)
{
    std::vector<char*> argv;
    for (const std::string& a : start.argv)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    if (start.replaceEnvironment) {
        for (const std::string& e : start.environment)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!start.folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, start.folder.c_str());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    char** env = start.replaceEnvironment ? envp.data() : environ;
    const bool search = start.argv[0].find('/') == std::string::npos;
    int rc = search ? posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), env)
                    : posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), env);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        error = ErrorFromSpawn(rc);
        return false;
    }
    return true;
}

std::shared_ptr<ProcessObject> TrackChild(pid_t pid)
{
    auto process = std::make_shared<ProcessObject>(ProcessObject::Child, pid);
    {
        std::lock_guard<std::mutex> guard(TheChildren().lock);
        TheChildren().byPid[pid] = process;
    }
    try {
        std::thread([process] { Reap(process); }).detach();
    } catch (const std::system_error&) {
        process->polled = true;  // no thread to spare: waits look for the end themselves
    }
    return process;
}

std::shared_ptr<ProcessObject> LookupProcess(HANDLE handle)
{
    auto process = LookupHandleAs<ProcessObject>(handle);
    if (!process)
        SetLastError(ERROR_INVALID_HANDLE);
    return process;
}

bool IsRunnable(const std::string& posix)
{
    struct stat st;
    return stat(posix.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(posix.c_str(), X_OK) == 0;
}

bool Exists(const std::string& posix)
{
    struct stat st;
    return stat(posix.c_str(), &st) == 0;
}

bool EndsWithExe(const std::string& name)
{
    return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0;
}

bool IsAbsoluteWindowsPath(const std::string& p)
{
    return (p.size() >= 2 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

bool HasFolderPart(const std::string& p)
{
    return p.find_first_of("\\/:") != std::string::npos;
}

// The directory-missing or file-missing error for a program that was not found.
DWORD MissingError(const std::string& posix)
{
    const size_t slash = posix.rfind('/');
    if (slash == std::string::npos)
        return ERROR_FILE_NOT_FOUND;
    struct stat st;
    const std::string parent = slash == 0 ? "/" : posix.substr(0, slash);
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// A Windows environment block ("A=1\0B=2\0\0") as "NAME=value" strings in UTF-8.
bool ReadEnvironmentBlock(const char* block, std::vector<std::string>& out, DWORD& error)
{
    for (const char* p = block; *p; p += std::strlen(p) + 1) {
        std::string utf8;
        if (!AnsiToUtf8(p, utf8)) {
            error = ERROR_NO_UNICODE_TRANSLATION;
            return false;
        }
        out.push_back(utf8);
    }
    return true;
}

}  // namespace

void SetSpawnHook(SpawnHook hook)
{
    std::lock_guard<std::mutex> guard(g_hookLock);
    g_hook = std::move(hook);
}

bool ResolveProgram(const std::string& windowsName, const std::string& folder, std::string& posixPath, DWORD& error)
{
    if (windowsName.empty()) {
        error = ERROR_FILE_NOT_FOUND;
        return false;
    }
    // A bare name without ".exe" may be a program of this system found in PATH.
    if (!HasFolderPart(windowsName) && !EndsWithExe(windowsName) && folder.empty()) {
        std::string local;
        if (ToPosixPath(windowsName.c_str(), local) && IsRunnable(local)) {
            posixPath = local;
            return true;
        }
        if (!AnsiToUtf8(windowsName, posixPath)) {
            error = ERROR_NO_UNICODE_TRANSLATION;
            return false;
        }
        return true;  // posix_spawnp searches PATH
    }
    std::string full = windowsName;
    if (!folder.empty() && !IsAbsoluteWindowsPath(windowsName))
        full = folder + (folder.back() == '\\' ? "" : "\\") + windowsName;
    std::string posix;
    if (!ToPosixPath(full.c_str(), posix)) {
        error = GetLastError();
        return false;
    }
    if (IsRunnable(posix)) {
        posixPath = posix;
        return true;
    }
    if (EndsWithExe(full)) {
        std::string stem;
        if (ToPosixPath(full.substr(0, full.size() - 4).c_str(), stem) && IsRunnable(stem)) {
            posixPath = stem;
            return true;
        }
    }
    error = Exists(posix) ? ERROR_BAD_FORMAT : MissingError(posix);
    return false;
}

bool StartProgram(const ProgramStart& start, HANDLE* handle, DWORD* processId, DWORD& error)
{
    if (start.argv.empty() || start.argv[0].empty()) {
        error = ERROR_INVALID_PARAMETER;
        return false;
    }
    if (!start.folder.empty()) {
        struct stat st;
        if (stat(start.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            error = ERROR_DIRECTORY;
            return false;
        }
    }
    std::shared_ptr<ProcessObject> process;
    if (SpawnHook hook = CurrentHook()) {
        if (!hook(start.argv)) {
            error = ERROR_FILE_NOT_FOUND;
            return false;
        }
        process = std::make_shared<ProcessObject>(ProcessObject::Recorded, 0);
        process->Finish(0);
    } else {
        pid_t pid;
        if (!Spawn(start, pid, error))
            return false;
        process = TrackChild(pid);
    }
    if (processId)
        *processId = static_cast<DWORD>(process->pid);
    if (handle)
        *handle = RegisterHandle(process);
    return true;
}

}  // namespace mivo

namespace {

// The program and argument words of a command line. Without an application name,
// an unquoted program path with blanks is tried word by word, as Windows does
// ("C:\Program Files\x.exe a" first tries "C:\Program").
bool ResolveCommand(LPCSTR application, LPCSTR commandLine, std::string& program,
                    std::vector<std::string>& arguments, DWORD& error)
{
    std::vector<std::string> words = mivo::SplitCommandLine(commandLine);
    if (application && *application) {
        if (!words.empty())
            arguments.assign(words.begin() + 1, words.end());
        return mivo::ResolveProgram(application, "", program, error);
    }
    if (words.empty()) {
        error = ERROR_INVALID_PARAMETER;
        return false;
    }
    const char* text = commandLine;
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text != '"') {
        for (const char* blank = std::strpbrk(text, " \t"); blank; blank = std::strpbrk(blank + 1, " \t")) {
            std::string prefix(text, blank);
            DWORD ignored;
            if (mivo::ResolveProgram(prefix, "", program, ignored)) {
                arguments = mivo::SplitArguments(blank);
                return true;
            }
        }
    }
    arguments.assign(words.begin() + 1, words.end());
    return mivo::ResolveProgram(words[0], "", program, error);
}

}  // namespace

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                   BOOL, DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFOA,
                   LPPROCESS_INFORMATION lpProcessInformation)
{
    DWORD error = ERROR_SUCCESS;
    auto fail = [&error] {
        SetLastError(error);
        return FALSE;
    };
    if (dwCreationFlags & CREATE_SUSPENDED) {
        error = ERROR_NOT_SUPPORTED;
        return fail();
    }
    if (dwCreationFlags & CREATE_UNICODE_ENVIRONMENT) {
        error = ERROR_INVALID_PARAMETER;
        return fail();
    }
    std::string program;
    std::vector<std::string> arguments;
    if (!ResolveCommand(lpApplicationName, lpCommandLine ? lpCommandLine : "", program, arguments, error))
        return fail();

    mivo::ProgramStart start;
    start.argv.push_back(program);
    for (const std::string& a : arguments) {
        std::string utf8;
        if (!mivo::AnsiToUtf8(a, utf8)) {
            error = ERROR_NO_UNICODE_TRANSLATION;
            return fail();
        }
        start.argv.push_back(utf8);
    }
    if (lpCurrentDirectory && *lpCurrentDirectory && !mivo::ToPosixPath(lpCurrentDirectory, start.folder)) {
        error = ERROR_DIRECTORY;
        return fail();
    }
    if (lpEnvironment) {
        start.replaceEnvironment = true;
        if (!mivo::ReadEnvironmentBlock(static_cast<const char*>(lpEnvironment), start.environment, error))
            return fail();
    }
    HANDLE process = nullptr;
    DWORD pid = 0;
    if (!mivo::StartProgram(start, lpProcessInformation ? &process : nullptr, &pid, error))
        return fail();
    if (lpProcessInformation) {
        lpProcessInformation->hProcess = process;
        lpProcessInformation->hThread = mivo::RegisterHandle(mivo::LookupHandle(process));
        lpProcessInformation->dwProcessId = pid;
        lpProcessInformation->dwThreadId = pid;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                    LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                    LPPROCESS_INFORMATION lpProcessInformation)
{
    return CreateProcess(lpApplicationName, lpCommandLine, lpProcessAttributes, lpThreadAttributes, bInheritHandles,
                         dwCreationFlags, lpEnvironment, lpCurrentDirectory, lpStartupInfo, lpProcessInformation);
}

UINT WinExec(LPCSTR lpCmdLine, UINT)
{
    if (!lpCmdLine)
        return ERROR_FILE_NOT_FOUND;
    std::string commandLine = lpCmdLine;
    PROCESS_INFORMATION pi;
    if (!CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi)) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_FORMAT)
            return error;
        return error == ERROR_BAD_EXE_FORMAT ? ERROR_BAD_FORMAT : 0;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 33;
}

HANDLE GetCurrentProcess()
{
    return mivo::kCurrentProcessPseudo;
}

HANDLE OpenProcess(DWORD, BOOL, DWORD dwProcessId)
{
    using mivo::ProcessObject;
    const pid_t pid = static_cast<pid_t>(dwProcessId);
    if (pid <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::shared_ptr<ProcessObject> process;
    {
        std::lock_guard<std::mutex> guard(mivo::TheChildren().lock);
        auto it = mivo::TheChildren().byPid.find(pid);
        if (it != mivo::TheChildren().byPid.end())
            process = it->second.lock();
    }
    if (!process) {
        if (pid == getpid()) {
            process = std::make_shared<ProcessObject>(ProcessObject::Self, pid);
        } else {
            if (kill(pid, 0) != 0 && errno == ESRCH) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            process = std::make_shared<ProcessObject>(ProcessObject::Foreign, pid);
#ifdef SYS_pidfd_open
            process->pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#endif
        }
    }
    SetLastError(ERROR_SUCCESS);
    return mivo::RegisterHandle(process);
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    using mivo::ProcessObject;
    if (hProcess == mivo::kCurrentProcessPseudo)
        _exit(static_cast<int>(uExitCode));
    auto process = mivo::LookupProcess(hProcess);
    if (!process)
        return FALSE;
    if (process->kind == ProcessObject::Self)
        _exit(static_cast<int>(uExitCode));
    {
        std::lock_guard<std::mutex> guard(mivo::WaitLock());
        process->Refresh();
        if (process->finished) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (kill(process->pid, SIGKILL) != 0) {
            SetLastError(errno == ESRCH ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED);
            return FALSE;
        }
        process->killed = true;
        process->killCode = uExitCode;
    }
    mivo::NotifyWaiters();
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    if (!lpExitCode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hProcess == mivo::kCurrentProcessPseudo) {
        *lpExitCode = STILL_ACTIVE;
        return TRUE;
    }
    auto process = mivo::LookupProcess(hProcess);
    if (!process)
        return FALSE;
    std::lock_guard<std::mutex> guard(mivo::WaitLock());
    process->Refresh();
    *lpExitCode = process->finished ? process->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD GetProcessId(HANDLE Process)
{
    if (Process == mivo::kCurrentProcessPseudo)
        return GetCurrentProcessId();
    auto process = mivo::LookupProcess(Process);
    return process ? static_cast<DWORD>(process->pid) : 0;
}

void ExitProcess(UINT uExitCode)
{
    exit(static_cast<int>(uExitCode));
}
