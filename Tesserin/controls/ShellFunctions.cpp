#include "controls/ShellFunctions.h"
#include "controls/ShellGlobals.h"

#include <cstring>

namespace {

// A caller's list carries no size: walks stop this far in, where no list of ours reaches.
const size_t kListLimit = 65536;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

USHORT IdSize(const BYTE* at)
{
    USHORT cb;
    memcpy(&cb, at, sizeof cb);
    return cb;
}

// Byte offsets of the identifiers of a list, and where its terminator lies.
size_t WalkIds(const ITEMIDLIST* pidl, unsigned stopAfter, unsigned& count)
{
    count = 0;
    if (!pidl)
        return 0;
    auto p = (const BYTE*)pidl;
    size_t pos = 0;
    for (USHORT cb; count < stopAfter && (cb = IdSize(p + pos)) >= 2 && pos + cb < kListLimit; pos += cb)
        ++count;
    return pos;
}

}  // namespace

bool SHGetChildPath(const char* path, char* out, bool& isNet, unsigned n)
{
    out[0] = 0;
    size_t len = path ? strlen(path) : 0;
    if (len >= kShellPathMax)
        return false;
    bool net = len >= 2 && path[0] == '\\' && path[1] == '\\';
    if (net)
        isNet = true;
    if (n == 0)
        return true;
    unsigned found = 0;
    size_t start = 0, j = 0;  // start of the component being read, reading position
    while (j < len) {
        while (j < len && !IsSeparator(path[j]))
            ++j;
        if (j == len)
            break;
        size_t k = j;
        while (k < len && IsSeparator(path[k]))
            ++k;
        // Separators before any name, and runs inside a network name, belong to the component.
        if (j == start || (net && k - j >= 2)) {
            j = k;
            continue;
        }
        if (++found == n) {
            memcpy(out, path, k);
            out[k] = 0;
            return true;
        }
        start = j = k;
    }
    memcpy(out, path, len + 1);
    return start < len && ++found == n;
}

unsigned SHGetChildrenN(const char* path)
{
    char out[kShellPathMax];
    bool net = false;
    unsigned n = 0;
    size_t len = path ? strlen(path) : 0;
    while (n <= len && SHGetChildPath(path, out, net, n + 1))
        ++n;
    return n;
}

unsigned SHGetChildrenN(const ITEMIDLIST* pidl)
{
    unsigned count;
    WalkIds(pidl, UINT_MAX, count);
    return count;
}

ITEMIDLIST* SHGetIDL(const ITEMIDLIST* pidl, unsigned n)
{
    unsigned count;
    size_t pos = WalkIds(pidl, n, count);
    if (!pidl || count < n)
        return nullptr;
    return (ITEMIDLIST*)((const BYTE*)pidl + pos);
}

unsigned SHGetIDLSize(const ITEMIDLIST* pidl)
{
    if (!pidl)
        return 0;
    unsigned count;
    return (unsigned)WalkIds(pidl, UINT_MAX, count) + 2;
}

bool SHCompareID(const SHITEMID& a, const SHITEMID& b)
{
    if (a.cb != b.cb)
        return false;
    return a.cb <= 2 || memcmp(a.abID, b.abID, a.cb - 2) == 0;
}

bool SHIsSubIDL(const ITEMIDLIST* parent, const ITEMIDLIST* child)
{
    if (!parent || !child)
        return false;
    unsigned parentCount = SHGetChildrenN(parent), childCount = SHGetChildrenN(child);
    if (childCount < parentCount)
        return false;
    for (unsigned i = 0; i < parentCount; ++i)
        if (!SHCompareID(SHGetIDL(parent, i)->mkid, SHGetIDL(child, i)->mkid))
            return false;
    return true;
}

ITEMIDLIST* SHCopyIDL(const ITEMIDLIST* pidl)
{
    if (!pidl)
        return nullptr;
    unsigned size = SHGetIDLSize(pidl);
    auto copy = (ITEMIDLIST*)ShellGlobals::Instance().Alloc(size);
    if (!copy)
        return nullptr;
    memcpy(copy, pidl, size - 2);
    memset((BYTE*)copy + size - 2, 0, 2);
    return copy;
}

ITEMIDLIST* SHCreateSpecialPIDL(int csidl)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)))
        return nullptr;
    return pidl;
}

void SHFree1(void* block)
{
    ShellGlobals::Instance().FreeItem(block);
}

bool SHIsNetPath(const char* path)
{
    return path && path[0] == '\\' && path[1] == '\\';
}

bool SHIsNetPath(const ITEMIDLIST* pidl)
{
    return SHIsSubIDL(ShellGlobals::Instance().GetNetworkPIDL(), pidl);
}
