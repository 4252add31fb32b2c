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

namespace mivo {

// Exports of an in-process module by name, and its ordinals (ordinal -> export name).
typedef std::map<std::string, void*> ExportMap;
typedef std::map<WORD, std::string> OrdinalMap;
// Answers GetProcAddress for an in-process module; `procName` is a name or,
// when IS_INTRESOURCE(procName), an ordinal. Returns null when there is none.
typedef std::function<void*(LPCSTR procName)> ExportLookup;

// Registers a module that lives in the process under `name` (e.g. "TWAIN_32.DLL").
// LoadLibrary and GetModuleHandle find it by that name before any file.
// Returns NULL (ERROR_ALREADY_EXISTS) when a module of that name is registered.
HMODULE RegisterInProcessModule(const char* name, const ExportMap& exports, const OrdinalMap& ordinals = {});
HMODULE RegisterInProcessModule(const char* name, ExportLookup lookup);
// Removes an in-process module; its handle becomes invalid for good.
bool UnregisterInProcessModule(HMODULE module);

// The POSIX path of a module's file (NULL: the program). False for in-process
// modules and handles that name no module. GetModuleFileName builds on it.
bool ModuleFilePath(HMODULE module, std::string& posixPath);

// The program's module handle (what GetModuleHandle(NULL) answers).
HMODULE ProgramModule();

}  // namespace mivo
