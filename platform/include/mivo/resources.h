// Resource tables as the resource compiler generates them, and the
// process-wide chain they register in.
#pragma once

#include "win32/types.h"
#include "win32/resources.h"

#include <cstddef>
#include <vector>

namespace mivo {

struct ResourceEntry {
    WORD typeId;           // integer type, 0 when the type has a name
    const char* typeName;  // upper-case name of a named type, else nullptr
    WORD nameId;           // integer id, 0 when the resource has a name
    const char* name;      // upper-case name, else nullptr
    const BYTE* data;
    DWORD size;
};

struct ResourceTable {
    const ResourceEntry* entries;
    size_t count;
};

// Called by the generated registrar. The program's table is searched before
// every library's. A library's module is found by `moduleName` or created
// for the shared object the table lives in.
void RegisterModuleResources(const char* moduleName, const ResourceTable* table, bool isProgram);
void RegisterModuleResources(HMODULE module, const ResourceTable* table, bool isProgram);
void UnregisterModuleResources(const ResourceTable* table);

// The entries of an accelerator table resource; false when it is not found
// or damaged.
bool LoadAcceleratorEntries(HMODULE module, LPCSTR name, std::vector<ACCEL>& entries);

}  // namespace mivo
