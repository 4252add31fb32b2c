// Registry functions over the per-user store. An open key is a handle naming a root and a path;
// every call looks the path up again, so a key deleted meanwhile (by this or another process) is noticed.
#include "win32/registry.h"

#include "shell/RegistryStore.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <sys/stat.h>

using mivo::reg::Key;
using mivo::reg::Tree;
using mivo::reg::Value;

namespace {

const size_t kMaxKeyNameLen = 255;
const size_t kMaxValueNameLen = 16383;

struct OpenKey {
    int root = 0;
    std::vector<std::string> path;
    REGSAM access = 0;
};

std::mutex g_handleMutex;
std::map<ULONG_PTR, OpenKey> g_handles;
ULONG_PTR g_nextHandle = 0x1000;

int PredefinedRoot(HKEY h)
{
    if (h == HKEY_CLASSES_ROOT) return mivo::reg::kClassesRoot;
    if (h == HKEY_CURRENT_USER) return mivo::reg::kCurrentUser;
    if (h == HKEY_LOCAL_MACHINE) return mivo::reg::kLocalMachine;
    if (h == HKEY_USERS) return mivo::reg::kUsers;
    return -1;
}

bool Resolve(HKEY h, OpenKey& out)
{
    int root = PredefinedRoot(h);
    if (root >= 0) {
        out.root = root;
        out.path.clear();
        out.access = KEY_ALL_ACCESS;
        return true;
    }
    std::lock_guard<std::mutex> guard(g_handleMutex);
    auto it = g_handles.find((ULONG_PTR)h);
    if (it == g_handles.end()) return false;
    out = it->second;
    return true;
}

HKEY NewHandle(const OpenKey& key)
{
    std::lock_guard<std::mutex> guard(g_handleMutex);
    ULONG_PTR id = g_nextHandle;
    g_nextHandle += 4;
    g_handles[id] = key;
    return (HKEY)id;
}

REGSAM EffectiveAccess(REGSAM sam) { return (sam & MAXIMUM_ALLOWED) ? (REGSAM)KEY_ALL_ACCESS : sam; }

// Splits "A\B\C" into its names; empty names (doubled or trailing separators) are skipped.
bool SplitPath(LPCSTR subKey, std::vector<std::string>& parts)
{
    if (!subKey) return true;
    std::string current;
    for (const char* p = subKey;; ++p) {
        if (*p == '\\' || *p == 0) {
            if (current.size() > kMaxKeyNameLen) return false;
            if (!current.empty()) parts.push_back(current);
            current.clear();
            if (*p == 0) return true;
        } else {
            current += *p;
        }
    }
}

Key* Walk(const Tree& tree, int root, const std::vector<std::string>& path, size_t count)
{
    Key* key = const_cast<Key*>(&tree.roots[root]);
    for (size_t i = 0; i < count && key; ++i) key = key->Find(path[i]);
    return key;
}

Key* Walk(const Tree& tree, const OpenKey& k) { return Walk(tree, k.root, k.path, k.path.size()); }

std::string NameOrDefault(LPCSTR name) { return name ? std::string(name) : std::string(); }

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Copies value data by the rules of RegQueryValueEx: the size is always reported; a too-small buffer
// gives ERROR_MORE_DATA. Text that was stored without its terminating zero gets one when there is room.
LONG CopyData(const Value& v, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpType) *lpType = v.type;
    DWORD size = (DWORD)v.data.size();
    if (!lpData) {
        if (lpcbData) *lpcbData = size;
        return ERROR_SUCCESS;
    }
    if (*lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (size) memcpy(lpData, v.data.data(), size);
    if (IsTextType(v.type) && size < *lpcbData && (size == 0 || v.data.back() != 0)) lpData[size] = 0;
    *lpcbData = size;
    return ERROR_SUCCESS;
}

// Copies a name into a buffer of `*lpcch` characters including the zero; reports the length without it.
LONG CopyName(const std::string& name, LPSTR lpName, LPDWORD lpcch)
{
    if (name.size() + 1 > *lpcch) return ERROR_MORE_DATA;
    memcpy(lpName, name.c_str(), name.size() + 1);
    *lpcch = (DWORD)name.size();
    return ERROR_SUCCESS;
}

void ClearClass(LPSTR lpClass, LPDWORD lpcchClass)
{
    if (!lpcchClass) return;
    if (lpClass && *lpcchClass > 0) lpClass[0] = 0;
    *lpcchClass = 0;
}

// The store's last change as a FILETIME (100 ns since 1601).
void FillWriteTime(PFILETIME ft)
{
    if (!ft) return;
    ULONGLONG t = 0;
    struct stat st;
    if (stat(mivo::reg::StorePath().c_str(), &st) == 0)
        t = ((ULONGLONG)st.st_mtim.tv_sec + 11644473600ull) * 10000000ull + (ULONGLONG)st.st_mtim.tv_nsec / 100;
    ft->dwLowDateTime = (DWORD)(t & 0xFFFFFFFF);
    ft->dwHighDateTime = (DWORD)(t >> 32);
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    OpenKey base;
    if (!Resolve(hKey, base)) return ERROR_INVALID_HANDLE;
    OpenKey opened = base;
    if (!SplitPath(lpSubKey, opened.path)) return ERROR_INVALID_PARAMETER;
    opened.access = EffectiveAccess(samDesired);
    LONG result = mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        if (!Walk(tree, base)) return ERROR_KEY_DELETED;
        return Walk(tree, opened) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
    if (result == ERROR_SUCCESS) *phkResult = NewHandle(opened);
    return result;
}

LONG RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    if (!lpSubKey || !*lpSubKey) {
        OpenKey base;
        if (!Resolve(hKey, base)) return ERROR_INVALID_HANDLE;
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    return RegOpenKeyExA(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    OpenKey base;
    if (!Resolve(hKey, base)) return ERROR_INVALID_HANDLE;
    OpenKey created = base;
    if (!SplitPath(lpSubKey, created.path)) return ERROR_INVALID_PARAMETER;
    created.access = EffectiveAccess(samDesired);
    bool isNew = false;
    LONG result = mivo::reg::WriteStore([&](Tree& tree, bool& changed) -> LONG {
        Key* key = Walk(tree, base);
        if (!key) return ERROR_KEY_DELETED;
        bool mayCreate = (base.access & KEY_CREATE_SUB_KEY) != 0;
        for (size_t i = base.path.size(); i < created.path.size(); ++i) {
            Key* next = key->Find(created.path[i]);
            if (!next) {
                if (!mayCreate) return ERROR_ACCESS_DENIED;
                next = key->FindOrAdd(created.path[i], nullptr);
                isNew = changed = true;
            }
            key = next;
        }
        return ERROR_SUCCESS;
    });
    if (result != ERROR_SUCCESS) return result;
    *phkResult = NewHandle(created);
    if (lpdwDisposition) *lpdwDisposition = isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    if (!lpSubKey || !*lpSubKey) return RegOpenKeyA(hKey, lpSubKey, phkResult);
    return RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr,
                           phkResult, nullptr);
}

LONG RegCloseKey(HKEY hKey)
{
    if (PredefinedRoot(hKey) >= 0) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(g_handleMutex);
    return g_handles.erase((ULONG_PTR)hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// Every change reaches the file before its call returns.
LONG RegFlushKey(HKEY hKey)
{
    OpenKey k;
    return Resolve(hKey, k) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    std::string name = NameOrDefault(lpValueName);
    return mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        const Value* v = key->FindValue(name);
        if (!v) return ERROR_FILE_NOT_FOUND;
        return CopyData(*v, lpType, lpData, lpcbData);
    });
}

// The default value of a subkey as text; a key without one answers the empty text.
LONG RegQueryValueA(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData)
{
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!SplitPath(lpSubKey, k.path)) return ERROR_INVALID_PARAMETER;
    std::string text;
    LONG result = mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_FILE_NOT_FOUND;
        if (const Value* v = key->FindValue("")) text = v->data;
        return ERROR_SUCCESS;
    });
    if (result != ERROR_SUCCESS) return result;
    size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    LONG size = (LONG)text.size() + 1;
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        memcpy(lpData, text.c_str(), (size_t)size);
    }
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
    if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string name = NameOrDefault(lpValueName);
    if (name.size() > kMaxValueNameLen) return ERROR_INVALID_PARAMETER;
    std::string data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
    return mivo::reg::WriteStore([&](Tree& tree, bool& changed) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        Value* v = key->FindValue(name);
        if (!v) {
            key->values.push_back(Value());
            v = &key->values.back();
            v->name = name;
        }
        v->type = dwType;
        v->data = data;
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueA(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD)
{
    if (dwType != REG_SZ || !lpData) return ERROR_INVALID_PARAMETER;
    HKEY target = hKey;
    if (lpSubKey && *lpSubKey) {
        LONG r = RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                 &target, nullptr);
        if (r != ERROR_SUCCESS) return r;
    }
    LONG result = RegSetValueExA(target, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                                 (DWORD)strlen(lpData) + 1);
    if (target != hKey) RegCloseKey(target);
    return result;
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string name = NameOrDefault(lpValueName);
    return mivo::reg::WriteStore([&](Tree& tree, bool& changed) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        if (!key->RemoveValue(name)) return ERROR_FILE_NOT_FOUND;
        changed = true;
        return ERROR_SUCCESS;
    });
}

namespace {

// Deletes the key named by hKey + lpSubKey; without `recursive` only a key without subkeys.
LONG DeleteKey(HKEY hKey, LPCSTR lpSubKey, bool recursive)
{
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!SplitPath(lpSubKey, k.path)) return ERROR_INVALID_PARAMETER;
    if (k.path.empty()) return ERROR_ACCESS_DENIED;  // a root is never deleted
    return mivo::reg::WriteStore([&](Tree& tree, bool& changed) -> LONG {
        Key* parent = Walk(tree, k.root, k.path, k.path.size() - 1);
        Key* target = parent ? parent->Find(k.path.back()) : nullptr;
        if (!target) return ERROR_FILE_NOT_FOUND;
        if (!recursive && !target->subkeys.empty()) return ERROR_ACCESS_DENIED;
        parent->RemoveSubkey(k.path.back());
        changed = true;
        return ERROR_SUCCESS;
    });
}

}  // namespace

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) { return DeleteKey(hKey, lpSubKey, false); }

DWORD SHDeleteKeyA(HKEY hKey, LPCSTR pszSubKey)
{
    if (!pszSubKey || !*pszSubKey) return ERROR_INVALID_PARAMETER;  // never the key itself with all below
    return (DWORD)DeleteKey(hKey, pszSubKey, true);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                   LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!(k.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    LONG result = mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        if (dwIndex >= key->subkeys.size()) return ERROR_NO_MORE_ITEMS;
        auto it = key->subkeys.begin();
        std::advance(it, dwIndex);
        return CopyName(it->second->name, lpName, lpcchName);
    });
    if (result == ERROR_SUCCESS) {
        ClearClass(lpClass, lpcchClass);
        FillWriteTime(lpftLastWriteTime);
    }
    return result;
}

LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    return RegEnumKeyExA(hKey, dwIndex, lpName, &cchName, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                   LPBYTE lpData, LPDWORD lpcbData)
{
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    return mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        if (dwIndex >= key->values.size()) return ERROR_NO_MORE_ITEMS;
        const Value& v = key->values[dwIndex];
        LONG r = CopyName(v.name, lpValueName, lpcchValueName);
        if (r != ERROR_SUCCESS) return r;
        return CopyData(v, lpType, lpData, lpcbData);
    });
}

LONG RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                      LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                      LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                      PFILETIME lpftLastWriteTime)
{
    OpenKey k;
    if (!Resolve(hKey, k)) return ERROR_INVALID_HANDLE;
    if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    LONG result = mivo::reg::ReadStore([&](const Tree& tree) -> LONG {
        Key* key = Walk(tree, k);
        if (!key) return ERROR_KEY_DELETED;
        DWORD maxSubKey = 0, maxValueName = 0, maxValue = 0;
        for (const auto& sub : key->subkeys) maxSubKey = max(maxSubKey, (DWORD)sub.second->name.size());
        for (const Value& v : key->values) {
            maxValueName = max(maxValueName, (DWORD)v.name.size());
            maxValue = max(maxValue, (DWORD)v.data.size());
        }
        if (lpcSubKeys) *lpcSubKeys = (DWORD)key->subkeys.size();
        if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = maxSubKey;
        if (lpcValues) *lpcValues = (DWORD)key->values.size();
        if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = maxValueName;
        if (lpcbMaxValueLen) *lpcbMaxValueLen = maxValue;
        return ERROR_SUCCESS;
    });
    if (result != ERROR_SUCCESS) return result;
    ClearClass(lpClass, lpcchClass);
    if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    FillWriteTime(lpftLastWriteTime);
    return ERROR_SUCCESS;
}
