// CSysProcess over the process snapshot. Both walks pass over the snapshot's first entry
// (the system's idle process) and stop at the first failing step.
#include "framework/SysProcess.h"

namespace {

// Calls `visit` for each process entry after the first; a snapshot that cannot be taken visits none.
template <class Visit>
void WalkProcesses(Visit visit)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry;
    memset(&entry, 0, sizeof entry);
    entry.dwSize = sizeof entry;
    if (Process32First(snapshot, &entry)) {
        while (Process32Next(snapshot, &entry)) visit(entry);
    }
    CloseHandle(snapshot);
}

}  // namespace

CSysProcess::CSysProcess() {}

CSysProcess::~CSysProcess() {}

int CSysProcess::GetProcessList()
{
    WalkProcesses([this](const PROCESSENTRY32& entry) {
        m_arrPriority.Add((UINT)entry.pcPriClassBase);
        m_arrProcessID.Add((UINT)entry.th32ProcessID);
        m_arrThreadCount.Add((UINT)entry.cntThreads);
        m_arrExeName.Add(CString(entry.szExeFile));
    });
    return 1;
}

int CSysProcess::GetProcessCount(CString strExeName)
{
    int count = 0;
    WalkProcesses([&](const PROCESSENTRY32& entry) {
        if (strExeName.CompareNoCase(entry.szExeFile) == 0) ++count;
    });
    return count;
}
