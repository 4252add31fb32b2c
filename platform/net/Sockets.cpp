// Windows Sockets start-up: the system's sockets are always ready, so this only counts start-ups
// and fills the version data programs read.
#include "win32.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<int> g_startups{0};
std::atomic<bool> g_frameworkStarted{false};

const WORD kHighVersion = MAKEWORD(2, 2);

void FillData(LPWSADATA data, WORD version)
{
    memset(data, 0, sizeof *data);
    data->wVersion = version;
    data->wHighVersion = kHighVersion;
    snprintf(data->szDescription, sizeof data->szDescription, "WinSock 2.0");
    snprintf(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
}

void CleanupAtExit()
{
    WSACleanup();
}

}  // namespace

int WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData)
{
    BYTE major = LOBYTE(wVersionRequested), minor = HIBYTE(wVersionRequested);
    if (major < 1 || (major == 1 && minor < 1)) {
        if (lpWSAData)
            FillData(lpWSAData, kHighVersion);
        return WSAVERNOTSUPPORTED;
    }
    bool above = major > 2 || (major == 2 && minor > 2);
    if (lpWSAData)
        FillData(lpWSAData, above ? kHighVersion : wVersionRequested);
    ++g_startups;
    return 0;
}

int WSACleanup()
{
    int count = g_startups.load();
    while (count > 0 && !g_startups.compare_exchange_weak(count, count - 1)) {
    }
    if (count <= 0) {
        SetLastError(WSANOTINITIALISED);
        return SOCKET_ERROR;
    }
    return 0;
}

// As on Windows, the socket error is the thread's last error.
int WSAGetLastError()
{
    return (int)GetLastError();
}

void WSASetLastError(int iError)
{
    SetLastError((DWORD)iError);
}

// Starts once per process, as the framework does once per module; later calls only report.
BOOL AfxSocketInit(WSADATA* lpwsaData)
{
    WSADATA data;
    if (!g_frameworkStarted.exchange(true)) {
        if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
            g_frameworkStarted = false;
            return FALSE;
        }
        atexit(CleanupAtExit);
    } else {
        FillData(&data, MAKEWORD(1, 1));
    }
    if (lpwsaData)
        *lpwsaData = data;
    return TRUE;
}
