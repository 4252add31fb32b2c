// The process-wide chain of resource tables: the program's tables first,
// then the libraries' in the order they registered.
#pragma once

#include "win32/resources.h"
#include "mivo/resources.h"

#include <shared_mutex>
#include <string>
#include <vector>

namespace mivo {

// A string resource as CP949 (or UTF-16) text; NULL module searches the chain.
bool LoadResourceString(HMODULE module, UINT id, std::string& ansi);
bool LoadResourceStringW(HMODULE module, UINT id, std::u16string& text);

class ResourceChain {
public:
    static ResourceChain& Instance();

    void Add(HMODULE module, const ResourceTable* table, bool program);
    void Remove(const ResourceTable* table);
    void RemoveModule(HMODULE module);
    bool HasModule(HMODULE module) const;

    struct Hit {
        HMODULE module = nullptr;
        const ResourceEntry* entry = nullptr;
    };
    // Looks in `module`, or along the whole chain when it is NULL. On failure
    // `error` says what was missing: the module's resources, the type, or the name.
    bool Find(HMODULE module, LPCSTR type, LPCSTR name, Hit& hit, DWORD& error) const;
    // Modules in search order, each once.
    std::vector<HMODULE> Modules() const;
    // True when `entry` belongs to a registered table (a live HRSRC); gives its module.
    bool Owner(const ResourceEntry* entry, HMODULE& module) const;

private:
    struct Link {
        HMODULE module;
        const ResourceTable* table;
        bool program;
    };

    ResourceChain() = default;

    mutable std::shared_mutex lock_;
    std::vector<Link> links_;
};

// True when a resource type or name argument (an integer resource, "#123",
// or a name compared ignoring ASCII case) designates the entry's id.
bool ResourceIdMatches(LPCSTR wanted, WORD id, const char* name);

}  // namespace mivo
