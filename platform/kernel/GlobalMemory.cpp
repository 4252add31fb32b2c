// HGLOBAL blocks on a handle table, so stale handles fail instead of touching freed memory.
#include "win32/globalmem.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>
#include <unordered_map>

namespace {

struct Block {
    void* data = nullptr;  // null while discarded
    SIZE_T size = 0;
    SIZE_T capacity = 0;
    UINT flags = 0;  // GMEM_MOVEABLE, GMEM_DISCARDABLE, GMEM_DDESHARE
    UINT locks = 0;
};

struct Table {
    std::mutex lock;
    std::unordered_map<uintptr_t, Block> blocks;       // by handle
    std::unordered_map<uintptr_t, uintptr_t> handles;  // handle by block address
    // Moveable handles are 8 modulo 16, so they can never equal an address that
    // malloc returns (16-aligned), and are never handed out twice.
    uintptr_t nextMoveable = 0x100008;
};

Table& TheTable()
{
    static Table* table = new Table;  // never destroyed: blocks may be freed during exit
    return *table;
}

// One block can be at most as large as the machine's memory.
SIZE_T LargestBlock()
{
    static const SIZE_T largest = [] {
        long pages = sysconf(_SC_PHYS_PAGES);
        long page = sysconf(_SC_PAGESIZE);
        if (pages <= 0 || page <= 0)
            return static_cast<SIZE_T>(1) << 32;
        return static_cast<SIZE_T>(pages) * static_cast<SIZE_T>(page);
    }();
    return largest;
}

// Zeroed memory for `size` bytes (at least one, so every block has an address).
void* NewBytes(SIZE_T size)
{
    if (size > LargestBlock())
        return nullptr;
    return calloc(std::max<SIZE_T>(size, 1), 1);
}

uintptr_t Key(HGLOBAL h)
{
    return reinterpret_cast<uintptr_t>(h);
}

Block* Find(Table& t, HGLOBAL h)
{
    auto it = t.blocks.find(Key(h));
    if (it == t.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

bool IsMoveable(const Block& b)
{
    return (b.flags & GMEM_MOVEABLE) != 0;
}

void Discard(Table& t, Block& b)
{
    t.handles.erase(reinterpret_cast<uintptr_t>(b.data));
    free(b.data);
    b.data = nullptr;
    b.size = b.capacity = 0;
}

// Gives block `b` a new size, moving it when `mayMove`. False when it cannot.
bool Resize(Table& t, uintptr_t handle, Block& b, SIZE_T size, bool mayMove)
{
    if (b.data && size <= b.capacity) {
        if (size > b.size)
            std::memset(static_cast<char*>(b.data) + b.size, 0, size - b.size);
        b.size = size;
        return true;
    }
    if (!mayMove)
        return false;
    void* fresh = NewBytes(size);
    if (!fresh)
        return false;
    if (b.data) {
        std::memcpy(fresh, b.data, std::min(b.size, size));
        t.handles.erase(reinterpret_cast<uintptr_t>(b.data));
        free(b.data);
    }
    b.data = fresh;
    b.size = size;
    b.capacity = std::max<SIZE_T>(size, 1);
    t.handles[reinterpret_cast<uintptr_t>(fresh)] = handle;
    return true;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    Table& t = TheTable();
    Block b;
    b.flags = uFlags & (GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_DDESHARE);
    const bool moveable = IsMoveable(b);
    if (!moveable || dwBytes > 0) {
        b.data = NewBytes(dwBytes);
        if (!b.data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        b.size = dwBytes;
        b.capacity = std::max<SIZE_T>(dwBytes, 1);
    }
    std::lock_guard<std::mutex> guard(t.lock);
    // A moveable block of size 0 starts out discarded, as on Windows.
    const uintptr_t handle = moveable ? (t.nextMoveable += 16) : reinterpret_cast<uintptr_t>(b.data);
    if (b.data)
        t.handles[reinterpret_cast<uintptr_t>(b.data)] = handle;
    t.blocks[handle] = b;
    return reinterpret_cast<HGLOBAL>(handle);
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    if (!b)
        return nullptr;
    if (uFlags & GMEM_MODIFY) {
        if (IsMoveable(*b))
            b->flags = (b->flags & ~GMEM_DISCARDABLE) | (uFlags & GMEM_DISCARDABLE);
        return hMem;
    }
    const bool mayMove = (uFlags & GMEM_MOVEABLE) != 0;
    if (IsMoveable(*b)) {
        if (dwBytes == 0 && mayMove) {
            if (b->locks > 0) {
                SetLastError(ERROR_INVALID_HANDLE);
                return nullptr;
            }
            Discard(t, *b);
            return hMem;
        }
        // An unlocked moveable block may always move; its handle stays.
        if (!Resize(t, Key(hMem), *b, dwBytes, mayMove || b->locks == 0)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        return hMem;
    }
    // A fixed block's handle is its address: moving it makes a new handle.
    const uintptr_t oldHandle = Key(hMem);
    Block moved = *b;
    if (!Resize(t, oldHandle, moved, dwBytes, mayMove)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const uintptr_t newHandle = reinterpret_cast<uintptr_t>(moved.data);
    t.blocks.erase(oldHandle);
    t.blocks[newHandle] = moved;
    t.handles[newHandle] = newHandle;
    return reinterpret_cast<HGLOBAL>(newHandle);
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!hMem)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    if (!b)
        return hMem;
    Discard(t, *b);
    t.blocks.erase(Key(hMem));
    return nullptr;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    if (!b)
        return nullptr;
    if (!b->data) {
        SetLastError(ERROR_DISCARDED);
        return nullptr;
    }
    if (IsMoveable(*b) && b->locks < GMEM_LOCKCOUNT)
        ++b->locks;
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    if (!b)
        return FALSE;
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--b->locks > 0)
        return TRUE;
    SetLastError(ERROR_SUCCESS);
    return FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    return b ? b->size : 0;
}

UINT GlobalFlags(HGLOBAL hMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    Block* b = Find(t, hMem);
    if (!b)
        return GMEM_INVALID_HANDLE;
    UINT flags = b->locks & GMEM_LOCKCOUNT;
    flags |= b->flags & (GMEM_DISCARDABLE | GMEM_DDESHARE);
    if (IsMoveable(*b) && !b->data)
        flags |= GMEM_DISCARDED;
    return flags;
}

HGLOBAL GlobalHandle(LPCVOID pMem)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.handles.find(reinterpret_cast<uintptr_t>(pMem));
    if (!pMem || it == t.handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(it->second);
}
