// The version answers: Windows XP (5.1, build 2600) with Service Pack 3, so the system's version
// checks take the newest look they know.
#include "win32/version.h"

#include "win32/errors.h"

#include <cstring>

namespace {

const DWORD kMajor = 5;
const DWORD kMinor = 1;
const DWORD kBuild = 2600;
const char kServicePack[] = "Service Pack 3";

}  // namespace

DWORD GetVersion()
{
    return kMajor | kMinor << 8 | kBuild << 16;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info)
{
    if (!info) return FALSE;
    DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    info->dwMajorVersion = kMajor;
    info->dwMinorVersion = kMinor;
    info->dwBuildNumber = kBuild;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    memcpy(info->szCSDVersion, kServicePack, sizeof kServicePack);
    if (size == sizeof(OSVERSIONINFOEXA)) {
        LPOSVERSIONINFOEXA ex = reinterpret_cast<LPOSVERSIONINFOEXA>(info);
        ex->wServicePackMajor = 3;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = VER_SUITE_SINGLEUSERTS;
        ex->wProductType = VER_NT_WORKSTATION;
        ex->wReserved = 0;
    }
    return TRUE;
}
