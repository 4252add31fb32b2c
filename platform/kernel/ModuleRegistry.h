// The process's modules: the program, shared libraries (dlopen), libraries
// known from their resource tables, and modules registered in-process.
// Handle values are never reused, so a stale handle names no module.
#pragma once

#include "win32/modules.h"
#include "mivo/modules.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace mivo {

class ModuleRegistry {
public:
    static ModuleRegistry& Instance();

    HMODULE Program();
    // LoadLibrary: one more reference; NULL with `error` set on failure.
    HMODULE Load(const char* name, DWORD& error);
    bool Free(HMODULE module, DWORD& error);
    // GetModuleHandle: a module already loaded, without a reference.
    HMODULE Find(const char* name);
    void* Symbol(HMODULE module, LPCSTR procName, DWORD& error);
    HMODULE RegisterInProcess(const char* name, const ExportMap& exports, const OrdinalMap& ordinals,
                              ExportLookup lookup, DWORD& error);
    bool UnregisterInProcess(HMODULE module);
    bool FilePath(HMODULE module, std::string& posixPath);
    bool IsModule(HMODULE module);
    // The library module a resource table at `address` belongs to.
    HMODULE ForLibraryResources(const char* name, const void* address);

private:
    struct Record {
        HMODULE handle = nullptr;
        std::string key;       // name compared ignoring case, folder, lib/.dll/.so
        std::string path;      // POSIX path of the file; empty in-process
        void* dl = nullptr;    // our dlopen reference while LoadLibrary references exist
        bool program = false;
        bool inProcess = false;
        int loadCount = 0;
        ExportMap exports;
        OrdinalMap ordinals;
        ExportLookup lookup;
    };

    ModuleRegistry() = default;
    std::shared_ptr<Record> ProgramLocked();
    std::shared_ptr<Record> ByHandleLocked(HMODULE module);
    std::shared_ptr<Record> ByKeyLocked(const std::string& key);
    std::shared_ptr<Record> ByPathLocked(const std::string& path);
    std::shared_ptr<Record> AddLocked(const std::string& key, const std::string& path);

    std::mutex lock_;
    std::map<HMODULE, std::shared_ptr<Record>> records_;
    uintptr_t lastHandle_ = 0x10000000;
};

// The name by which modules are compared: "C:\x\TWAIN_32.DLL", "twain_32",
// "libTWAIN_32.so" all give "twain_32".
std::string ModuleKey(const std::string& name);

}  // namespace mivo
