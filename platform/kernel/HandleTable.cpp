#include "kernel/HandleTable.h"

#include "win32/errors.h"
#include "win32/handleapi.h"

#include <mutex>
#include <unordered_map>

namespace mivo {

KernelObject::~KernelObject() = default;

bool KernelObject::Close()
{
    return true;
}

namespace {

// Values start high and step by 4 like Windows handles, far from NULL,
// INVALID_HANDLE_VALUE and the pseudo handles (-1, -2).
constexpr uintptr_t kFirstHandle = 0x10004;
constexpr uintptr_t kHandleStep = 4;

struct Table {
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
    uintptr_t next = kFirstHandle;
};

Table& TheTable()
{
    static Table* table = new Table;  // never destroyed: handles may close during exit
    return *table;
}

}  // namespace

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object)
{
    if (!object)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    uintptr_t value = t.next;
    t.next += kHandleStep;
    t.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle)
{
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

bool CloseKernelHandle(HANDLE handle)
{
    std::shared_ptr<KernelObject> object;
    {
        Table& t = TheTable();
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.objects.end())
            return false;
        object = std::move(it->second);
        t.objects.erase(it);
    }
    // Outside the lock: closing may wake threads that use the table.
    return object->Close();
}

}  // namespace mivo

BOOL CloseHandle(HANDLE hObject)
{
    if (!mivo::LookupHandle(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A failing Close sets its own error code.
    return mivo::CloseKernelHandle(hObject) ? TRUE : FALSE;
}
