// Module handles: the program, shared libraries loaded with dlopen, and
// modules registered in-process (stand-ins such as the TWAIN source manager,
// fakes in tests).
//
// Library names. "X.dll" (or "X", or "X." without extension) is looked up as
// "libX.so", then "X.so", then both in lower case, first in the executable's
// folder and then on the dynamic loader's search path (LD_LIBRARY_PATH, the
// run path, the system folders). A name with a folder searches only that
// folder (Windows form "C:\..\X.dll" or a POSIX path); a name ending in ".so"
// or with a version ("libc.so.6") is tried as it stands. Names compare ignoring case, folder, a "lib" prefix
// and the ".dll", ".exe" or ".so" suffix, so "TWAIN_32.DLL", "twain_32" and
// "libTWAIN_32.so" name one module. Modules registered in-process are found
// first. GetProcAddress by ordinal works for in-process modules only (shared
// libraries carry no ordinals).
#pragma once

#include "win32/types.h"

#include <functional>
#include <map>
#include <string>

typedef INT_PTR(WINAPI* FARPROC)();
typedef INT_PTR(WINAPI* NEARPROC)();
typedef INT_PTR(WINAPI* PROC)();

#define DONT_RESOLVE_DLL_REFERENCES 0x00000001
#define LOAD_LIBRARY_AS_DATAFILE 0x00000002
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008
#define LOAD_IGNORE_CODE_AUTHZ_LEVEL 0x00000010
#define LOAD_LIBRARY_AS_IMAGE_RESOURCE 0x00000020
#define LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE 0x00000040

// Fails with ERROR_MOD_NOT_FOUND when no file is found, ERROR_BAD_EXE_FORMAT
// when a file is found but cannot be loaded. Each successful call counts one
// reference that FreeLibrary gives back.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
// The flags are accepted and have no effect.
HMODULE LoadLibraryEx(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
HMODULE LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
// A library is unloaded when its last LoadLibrary reference is freed; the
// program, libraries linked at start-up and in-process modules stay.
BOOL FreeLibrary(HMODULE hLibModule);
// lpProcName is a name or an ordinal (MAKEINTRESOURCE). NULL module: the program.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// NULL: the program. Otherwise a module already loaded; takes no reference.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
HMODULE GetModuleHandleA(LPCSTR lpModuleName);

// The framework's module state: the instance handle is the program's; the
// resource handle (where resources are looked for first) starts as the program.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxLoadLibrary(LPCSTR lpszModuleName);
BOOL AfxFreeLibrary(HINSTANCE hInstLib);
