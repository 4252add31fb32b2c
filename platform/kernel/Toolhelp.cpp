// Toolhelp process snapshots read from /proc.
#include "HandleTable.h"

#include "win32/codepage.h"
#include "win32/procapi.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

struct Snapshot : mivo::KernelObject {
    std::vector<PROCESSENTRY32> processes;
    size_t next = 0;
};

// Windows base priorities from the nice value: idle 4, below normal 6, normal 8,
// above normal 10, high 13.
LONG BasePriority(long nice)
{
    if (nice <= -10)
        return 13;
    if (nice < 0)
        return 10;
    if (nice == 0)
        return 8;
    return nice < 10 ? 6 : 4;
}

void CopyName(const std::string& ansi, CHAR (&out)[MAX_PATH])
{
    size_t n = mivo::CutToCharBoundary(ansi.c_str(), ansi.size(), MAX_PATH - 1);
    std::memcpy(out, ansi.data(), n);
    out[n] = 0;
}

// The program's file name: the executable's name, else the kernel's short name.
std::string ProgramName(const std::string& dir, const std::string& comm)
{
    char target[PATH_MAX];
    ssize_t n = readlink((dir + "/exe").c_str(), target, sizeof target - 1);
    if (n > 0) {
        std::string path(target, static_cast<size_t>(n));
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        std::string ansi;
        if (mivo::Utf8ToAnsi(path.substr(path.rfind('/') + 1), ansi) && !ansi.empty())
            return ansi;
    }
    std::string ansi;
    mivo::Utf8ToAnsi(comm, ansi);
    return ansi;
}

// Reads /proc/<pid>/stat: "pid (comm) state ppid ... nice num_threads ...".
bool ReadProcess(pid_t pid, PROCESSENTRY32& entry)
{
    const std::string dir = "/proc/" + std::to_string(pid);
    std::ifstream file(dir + "/stat");
    std::string text;
    if (!std::getline(file, text))
        return false;
    const size_t open = text.find('(');
    const size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return false;
    const std::string comm = text.substr(open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 1));
    std::string field;
    std::vector<std::string> fields;  // fields[0] is the state (field 3 of the file)
    while (rest >> field)
        fields.push_back(field);
    if (fields.size() < 18)
        return false;
    std::memset(&entry, 0, sizeof entry);
    entry.dwSize = sizeof entry;
    entry.cntUsage = 0;
    entry.th32ProcessID = static_cast<DWORD>(pid);
    entry.th32ParentProcessID = static_cast<DWORD>(std::strtoul(fields[1].c_str(), nullptr, 10));
    entry.pcPriClassBase = BasePriority(std::strtol(fields[16].c_str(), nullptr, 10));
    entry.cntThreads = static_cast<DWORD>(std::strtoul(fields[17].c_str(), nullptr, 10));
    CopyName(ProgramName(dir, comm), entry.szExeFile);
    return true;
}

PROCESSENTRY32 SystemProcess()
{
    PROCESSENTRY32 entry;
    std::memset(&entry, 0, sizeof entry);
    entry.dwSize = sizeof entry;
    long cpus = sysconf(_SC_NPROCESSORS_ONLN);
    entry.cntThreads = cpus > 0 ? static_cast<DWORD>(cpus) : 1;
    std::strcpy(entry.szExeFile, "[System Process]");
    return entry;
}

BOOL Fetch(HANDLE hSnapshot, LPPROCESSENTRY32 lppe, bool first)
{
    auto snapshot = mivo::LookupHandleAs<Snapshot>(hSnapshot);
    if (!snapshot) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lppe || lppe->dwSize < sizeof(PROCESSENTRY32)) {
        SetLastError(ERROR_BAD_LENGTH);
        return FALSE;
    }
    if (first)
        snapshot->next = 0;
    if (snapshot->next >= snapshot->processes.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lppe = snapshot->processes[snapshot->next++];
    return TRUE;
}

}  // namespace

HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD)
{
    auto snapshot = std::make_shared<Snapshot>();
    if (dwFlags & TH32CS_SNAPPROCESS) {
        DIR* proc = opendir("/proc");
        if (!proc) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        std::vector<pid_t> pids;
        while (dirent* e = readdir(proc)) {
            if (std::isdigit(static_cast<unsigned char>(e->d_name[0])))
                pids.push_back(static_cast<pid_t>(std::strtol(e->d_name, nullptr, 10)));
        }
        closedir(proc);
        std::sort(pids.begin(), pids.end());
        snapshot->processes.push_back(SystemProcess());
        for (pid_t pid : pids) {
            PROCESSENTRY32 entry;
            if (ReadProcess(pid, entry))  // a process may end while we read
                snapshot->processes.push_back(entry);
        }
    }
    return mivo::RegisterHandle(snapshot);
}

BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe)
{
    return Fetch(hSnapshot, lppe, true);
}

BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe)
{
    return Fetch(hSnapshot, lppe, false);
}
