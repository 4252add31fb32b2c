// Thread-local storage slots. Each slot has a generation that TlsAlloc advances,
// so a slot handed out again reads NULL in every thread without visiting them.
#include "win32/sync.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace {

constexpr DWORD kSlotCount = 1088;

struct SlotTable {
    std::mutex lock;
    bool used[kSlotCount] = {};
    std::atomic<uint64_t> generation[kSlotCount] = {};
};

SlotTable& Slots()
{
    static SlotTable* table = new SlotTable;  // never destroyed: threads may outlive statics
    return *table;
}

struct SlotValue {
    uint64_t generation = 0;
    void* value = nullptr;
};

thread_local std::vector<SlotValue> t_values;

bool IsAllocated(DWORD index)
{
    if (index >= kSlotCount)
        return false;
    SlotTable& t = Slots();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.used[index];
}

}  // namespace

DWORD TlsAlloc()
{
    SlotTable& t = Slots();
    std::lock_guard<std::mutex> guard(t.lock);
    for (DWORD i = 0; i < kSlotCount; ++i) {
        if (!t.used[i]) {
            t.used[i] = true;
            ++t.generation[i];
            return i;
        }
    }
    SetLastError(ERROR_NO_MORE_ITEMS);
    return TLS_OUT_OF_INDEXES;
}

BOOL TlsFree(DWORD dwTlsIndex)
{
    SlotTable& t = Slots();
    std::lock_guard<std::mutex> guard(t.lock);
    if (dwTlsIndex >= kSlotCount || !t.used[dwTlsIndex]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    t.used[dwTlsIndex] = false;
    return TRUE;
}

LPVOID TlsGetValue(DWORD dwTlsIndex)
{
    if (!IsAllocated(dwTlsIndex)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    if (dwTlsIndex >= t_values.size())
        return nullptr;
    const SlotValue& slot = t_values[dwTlsIndex];
    return slot.generation == Slots().generation[dwTlsIndex].load() ? slot.value : nullptr;
}

BOOL TlsSetValue(DWORD dwTlsIndex, LPVOID lpTlsValue)
{
    if (!IsAllocated(dwTlsIndex)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (dwTlsIndex >= t_values.size())
        t_values.resize(dwTlsIndex + 1);
    t_values[dwTlsIndex] = {Slots().generation[dwTlsIndex].load(), lpTlsValue};
    return TRUE;
}
