// The shell's allocator: the task allocator behind an IMalloc that is never destroyed.
#pragma once

#include "win32/objbase.h"

namespace mivo {

class ShellMalloc : public IMalloc {
public:
    static ShellMalloc& Instance();

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD_(void*, Alloc)(SIZE_T cb) override { return CoTaskMemAlloc(cb); }
    STDMETHOD_(void*, Realloc)(void* pv, SIZE_T cb) override { return CoTaskMemRealloc(pv, cb); }
    STDMETHOD_(void, Free)(void* pv) override { CoTaskMemFree(pv); }
    STDMETHOD_(SIZE_T, GetSize)(void* pv) override;
    STDMETHOD_(int, DidAlloc)(void* pv) override { return pv ? -1 : 0; }
    STDMETHOD_(void, HeapMinimize)() override {}

private:
    ShellMalloc() = default;
    virtual ~ShellMalloc() = default;
};

}  // namespace mivo
