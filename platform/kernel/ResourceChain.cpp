#include "kernel/ResourceChain.h"

#include "win32/errors.h"
#include "mivo/resources.h"

#include <strings.h>

#include <algorithm>
#include <mutex>

namespace mivo {

bool ResourceIdMatches(LPCSTR wanted, WORD id, const char* name)
{
    if (IS_INTRESOURCE(wanted))
        return !name && id == LOWORD((ULONG_PTR)wanted) && id != 0;
    if (wanted[0] == '#') {
        unsigned long n = 0;
        const char* p = wanted + 1;
        if (!*p)
            return false;
        for (; *p; ++p) {
            if (*p < '0' || *p > '9' || n > 0xFFFF)
                return false;
            n = n * 10 + (unsigned long)(*p - '0');
        }
        return !name && n <= 0xFFFF && id == n;
    }
    return name && strcasecmp(wanted, name) == 0;
}

ResourceChain& ResourceChain::Instance()
{
    // Never destroyed: module registrars unregister during exit.
    static ResourceChain* instance = new ResourceChain;
    return *instance;
}

void ResourceChain::Add(HMODULE module, const ResourceTable* table, bool program)
{
    if (!table)
        return;
    std::unique_lock<std::shared_mutex> guard(lock_);
    for (const Link& l : links_)
        if (l.table == table)
            return;
    Link link{module, table, program};
    if (program) {
        auto firstLibrary = std::find_if(links_.begin(), links_.end(), [](const Link& l) { return !l.program; });
        links_.insert(firstLibrary, link);
    } else {
        links_.push_back(link);
    }
}

void ResourceChain::Remove(const ResourceTable* table)
{
    std::unique_lock<std::shared_mutex> guard(lock_);
    links_.erase(std::remove_if(links_.begin(), links_.end(), [table](const Link& l) { return l.table == table; }),
                 links_.end());
}

void ResourceChain::RemoveModule(HMODULE module)
{
    std::unique_lock<std::shared_mutex> guard(lock_);
    links_.erase(std::remove_if(links_.begin(), links_.end(), [module](const Link& l) { return l.module == module; }),
                 links_.end());
}

bool ResourceChain::HasModule(HMODULE module) const
{
    std::shared_lock<std::shared_mutex> guard(lock_);
    for (const Link& l : links_)
        if (l.module == module)
            return true;
    return false;
}

bool ResourceChain::Find(HMODULE module, LPCSTR type, LPCSTR name, Hit& hit, DWORD& error) const
{
    std::shared_lock<std::shared_mutex> guard(lock_);
    bool anyTable = false;
    bool typeSeen = false;
    for (const Link& l : links_) {
        if (module && l.module != module)
            continue;
        anyTable = true;
        for (size_t i = 0; i < l.table->count; ++i) {
            const ResourceEntry& e = l.table->entries[i];
            if (!ResourceIdMatches(type, e.typeId, e.typeName))
                continue;
            typeSeen = true;
            if (ResourceIdMatches(name, e.nameId, e.name)) {
                hit.module = l.module;
                hit.entry = &e;
                return true;
            }
        }
    }
    error = !anyTable ? ERROR_RESOURCE_DATA_NOT_FOUND
                      : !typeSeen ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND;
    return false;
}

std::vector<HMODULE> ResourceChain::Modules() const
{
    std::shared_lock<std::shared_mutex> guard(lock_);
    std::vector<HMODULE> out;
    for (const Link& l : links_)
        if (std::find(out.begin(), out.end(), l.module) == out.end())
            out.push_back(l.module);
    return out;
}

bool ResourceChain::Owner(const ResourceEntry* entry, HMODULE& module) const
{
    std::shared_lock<std::shared_mutex> guard(lock_);
    for (const Link& l : links_) {
        uintptr_t begin = (uintptr_t)l.table->entries;
        uintptr_t at = (uintptr_t)entry;
        if (begin && at >= begin && at < begin + l.table->count * sizeof(ResourceEntry) &&
            (at - begin) % sizeof(ResourceEntry) == 0) {
            module = l.module;
            return true;
        }
    }
    return false;
}

}  // namespace mivo
