// Modules that live in the process (stand-ins and fakes) and module paths.
#pragma once

#include "win32/types.h"

#include <functional>
#include <map>
#include <string>

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
