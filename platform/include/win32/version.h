// The Windows version the layer answers: Windows XP Service Pack 3, an NT-family workstation.
#pragma once

#include "win32/types.h"

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

#define VER_NT_WORKSTATION 0x0000001
#define VER_NT_DOMAIN_CONTROLLER 0x0000002
#define VER_NT_SERVER 0x0000003

#define VER_SUITE_SINGLEUSERTS 0x00000100
#define VER_SUITE_PERSONAL 0x00000200

typedef struct _OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFOA, *POSVERSIONINFOA, *LPOSVERSIONINFOA, OSVERSIONINFO, *POSVERSIONINFO, *LPOSVERSIONINFO;

typedef struct _OSVERSIONINFOEXA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
} OSVERSIONINFOEXA, *POSVERSIONINFOEXA, *LPOSVERSIONINFOEXA, OSVERSIONINFOEX, *POSVERSIONINFOEX, *LPOSVERSIONINFOEX;

// Low byte major, next byte minor, high word build; the high bit clear marks the NT family.
DWORD GetVersion();
// Fills a structure whose dwOSVersionInfoSize is the size of OSVERSIONINFO or OSVERSIONINFOEX;
// any other size fails with ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation);
inline BOOL GetVersionEx(LPOSVERSIONINFOA lpVersionInformation) { return GetVersionExA(lpVersionInformation); }
inline BOOL GetVersionEx(LPOSVERSIONINFOEXA lpVersionInformation)
{
    return GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(lpVersionInformation));
}
inline BOOL GetVersionExA(LPOSVERSIONINFOEXA lpVersionInformation)
{
    return GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(lpVersionInformation));
}
