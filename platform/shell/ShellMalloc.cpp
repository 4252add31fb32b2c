#include "ShellMalloc.h"

#include <malloc.h>

#include <cstdlib>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IMalloc = {0x00000002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void* CoTaskMemAlloc(SIZE_T cb)
{
    return malloc(cb ? cb : 1);
}

void* CoTaskMemRealloc(void* pv, SIZE_T cb)
{
    return realloc(pv, cb ? cb : 1);
}

void CoTaskMemFree(void* pv)
{
    free(pv);
}

namespace mivo {

ShellMalloc& ShellMalloc::Instance()
{
    static ShellMalloc* allocator = new ShellMalloc;
    return *allocator;
}

HRESULT ShellMalloc::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMalloc)) {
        *ppv = static_cast<IMalloc*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

SIZE_T ShellMalloc::GetSize(void* pv)
{
    return pv ? malloc_usable_size(pv) : (SIZE_T)-1;
}

}  // namespace mivo
