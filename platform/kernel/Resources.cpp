// FindResource, LoadResource, LoadString and the framework's resource lookups
// over the resource chain.
#include "win32/resources.h"

#include "kernel/ModuleRegistry.h"
#include "kernel/ResourceChain.h"
#include "win32/codepage.h"
#include "win32/errors.h"
#include "mivo/codepage.h"
#include "mivo/modules.h"
#include "mivo/resources.h"

#include <cstring>

namespace {

using mivo::ResourceChain;

// NULL searches the chain; any other handle must name a module.
bool CheckModule(HMODULE module)
{
    if (!module || mivo::ModuleRegistry::Instance().IsModule(module))
        return true;
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
}

HRSRC Find(HMODULE module, LPCSTR type, LPCSTR name)
{
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!CheckModule(module))
        return nullptr;
    ResourceChain::Hit hit;
    DWORD error = ERROR_SUCCESS;
    if (!ResourceChain::Instance().Find(module, type, name, hit, error)) {
        SetLastError(error);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<mivo::ResourceEntry*>(hit.entry));
}

// The entry behind a live HRSRC, or null when its table is gone.
const mivo::ResourceEntry* EntryOf(HRSRC resource)
{
    const mivo::ResourceEntry* entry = reinterpret_cast<const mivo::ResourceEntry*>(resource);
    HMODULE owner = nullptr;
    if (!entry || !ResourceChain::Instance().Owner(entry, owner)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return entry;
}

char16_t UnitAt(const BYTE* units, size_t i)
{
    return (char16_t)(units[2 * i] | (units[2 * i + 1] << 8));
}

// String `id` inside its block: where its UTF-16 units start and their count.
bool StringInBlock(const mivo::ResourceEntry* block, UINT id, const BYTE*& text, size_t& length)
{
    const BYTE* p = block->data;
    size_t size = block->size;
    size_t pos = 0;
    for (UINT k = 0; k <= id % 16; ++k) {
        if (pos + 2 > size)
            return false;
        size_t n = (size_t)p[pos] | ((size_t)p[pos + 1] << 8);
        pos += 2;
        if (pos + 2 * n > size)
            return false;
        if (k == id % 16) {
            text = p + pos;
            length = n;
            return n > 0;
        }
        pos += 2 * n;
    }
    return false;
}

// The first module (the given one, or along the chain) with a non-empty string `id`.
bool FindString(HMODULE module, UINT id, const BYTE*& text, size_t& length, HMODULE* found = nullptr)
{
    if (id > 0xFFFF) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    std::vector<HMODULE> modules;
    if (module)
        modules.push_back(module);
    else
        modules = ResourceChain::Instance().Modules();
    LPCSTR blockName = MAKEINTRESOURCE(id / 16 + 1);
    for (HMODULE m : modules) {
        ResourceChain::Hit hit;
        DWORD error;
        if (ResourceChain::Instance().Find(m, RT_STRING, blockName, hit, error) &&
            StringInBlock(hit.entry, id, text, length)) {
            if (found)
                *found = m;
            return true;
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
}

}  // namespace

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return Find(hModule, lpType, lpName);
}

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return Find(hModule, lpType, lpName);
}

HRSRC FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD)
{
    return Find(hModule, lpType, lpName);
}

HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage)
{
    return FindResourceExA(hModule, lpType, lpName, wLanguage);
}

HGLOBAL LoadResource(HMODULE, HRSRC hResInfo)
{
    const mivo::ResourceEntry* entry = EntryOf(hResInfo);
    return entry ? const_cast<BYTE*>(entry->data) : nullptr;
}

LPVOID LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD SizeofResource(HMODULE, HRSRC hResInfo)
{
    const mivo::ResourceEntry* entry = EntryOf(hResInfo);
    return entry ? entry->size : 0;
}

BOOL FreeResource(HGLOBAL)
{
    return FALSE;
}

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    lpBuffer[0] = '\0';
    std::string text;
    if (!CheckModule(hInstance) || !mivo::LoadResourceString(hInstance, uID, text))
        return 0;
    size_t n = mivo::CutToCharBoundary(text.data(), text.size(), (size_t)cchBufferMax - 1);
    memcpy(lpBuffer, text.data(), n);
    lpBuffer[n] = '\0';
    return (int)n;
}

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    return LoadStringA(hInstance, uID, lpBuffer, cchBufferMax);
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (cchBufferMax > 0)
        lpBuffer[0] = 0;
    const BYTE* text = nullptr;
    size_t length = 0;
    if (!CheckModule(hInstance) || !FindString(hInstance, uID, text, length))
        return 0;
    if (cchBufferMax == 0) {
        // The compiled tables keep string blocks 2-byte aligned.
        *reinterpret_cast<const WCHAR**>(lpBuffer) = reinterpret_cast<const WCHAR*>(text);
        return (int)length;
    }
    size_t n = length < (size_t)cchBufferMax - 1 ? length : (size_t)cchBufferMax - 1;
    // Never end on the first half of a surrogate pair.
    if (n > 0 && n < length && UnitAt(text, n - 1) >= 0xD800 && UnitAt(text, n - 1) <= 0xDBFF)
        --n;
    for (size_t i = 0; i < n; ++i)
        lpBuffer[i] = UnitAt(text, i);
    lpBuffer[n] = 0;
    return (int)n;
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE current = AfxGetResourceHandle();
    ResourceChain::Hit hit;
    DWORD error;
    if (lpszName && lpszType) {
        if (ResourceChain::Instance().Find(current, lpszType, lpszName, hit, error))
            return current;
        if (ResourceChain::Instance().Find(nullptr, lpszType, lpszName, hit, error))
            return hit.module;
    }
    return current;
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    const BYTE* text;
    size_t length;
    HMODULE found = nullptr;
    if (FindString(AfxGetResourceHandle(), nID, text, length, &found) ||
        FindString(nullptr, nID, text, length, &found))
        return found;
    return nullptr;
}

namespace mivo {

void RegisterModuleResources(const char* moduleName, const ResourceTable* table, bool isProgram)
{
    HMODULE module = isProgram ? ProgramModule()
                               : ModuleRegistry::Instance().ForLibraryResources(moduleName, table);
    ResourceChain::Instance().Add(module, table, isProgram);
}

void RegisterModuleResources(HMODULE module, const ResourceTable* table, bool isProgram)
{
    ResourceChain::Instance().Add(module ? module : ProgramModule(), table, isProgram);
}

void UnregisterModuleResources(const ResourceTable* table)
{
    ResourceChain::Instance().Remove(table);
}

bool LoadResourceStringW(HMODULE module, UINT id, std::u16string& text)
{
    const BYTE* units = nullptr;
    size_t length = 0;
    if (!FindString(module, id, units, length))
        return false;
    text.resize(length);
    for (size_t i = 0; i < length; ++i)
        text[i] = UnitAt(units, i);
    return true;
}

bool LoadResourceString(HMODULE module, UINT id, std::string& ansi)
{
    std::u16string wide;
    if (!LoadResourceStringW(module, id, wide))
        return false;
    ansi = Utf16ToAnsi(wide);
    return true;
}

bool LoadAcceleratorEntries(HMODULE module, LPCSTR name, std::vector<ACCEL>& entries)
{
    entries.clear();
    HRSRC found = FindResourceA(module, name, RT_ACCELERATOR);
    const ResourceEntry* entry = found ? EntryOf(found) : nullptr;
    if (!entry)
        return false;
    for (size_t pos = 0; pos + sizeof(ACCELTABLEENTRY) <= entry->size; pos += sizeof(ACCELTABLEENTRY)) {
        ACCELTABLEENTRY raw;
        memcpy(&raw, entry->data + pos, sizeof raw);
        ACCEL a;
        a.fVirt = (BYTE)(raw.fFlags & 0x7F);
        a.key = raw.wAnsi;
        a.cmd = raw.wId;
        entries.push_back(a);
        if (raw.fFlags & 0x80)
            return true;
    }
    // No entry carries the end mark: a damaged table.
    entries.clear();
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return false;
}

}  // namespace mivo
