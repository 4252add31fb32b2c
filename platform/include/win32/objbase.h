// The COM shapes the shell's interfaces are made of: GUIDs, IUnknown and the task allocator.
#pragma once

#include "win32/types.h"

#include <cstring>

// GUID, IID and CLSID come from the basic types.
typedef const IID& REFIID;
typedef const GUID& REFGUID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define HRESULT_FROM_WIN32(x) ((HRESULT)(x) <= 0 ? (HRESULT)(x) : (HRESULT)(((x)&0x0000FFFF) | 0x80070000))
#define MAKE_HRESULT(sev, fac, code) ((HRESULT)(((unsigned long)(sev) << 31) | ((unsigned long)(fac) << 16) | ((unsigned long)(code))))
#define SEVERITY_SUCCESS 0
#define SCODE_CODE(sc) ((sc)&0xFFFF)
#define HRESULT_CODE(hr) ((hr)&0xFFFF)

#define STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

extern const IID IID_IUnknown;
extern const IID IID_IMalloc;

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) = 0;
    STDMETHOD_(ULONG, AddRef)() = 0;
    STDMETHOD_(ULONG, Release)() = 0;

protected:
    ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

struct IMalloc : IUnknown {
    STDMETHOD_(void*, Alloc)(SIZE_T cb) = 0;
    STDMETHOD_(void*, Realloc)(void* pv, SIZE_T cb) = 0;
    STDMETHOD_(void, Free)(void* pv) = 0;
    STDMETHOD_(SIZE_T, GetSize)(void* pv) = 0;
    STDMETHOD_(int, DidAlloc)(void* pv) = 0;
    STDMETHOD_(void, HeapMinimize)() = 0;

protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;

// The task allocator; the shell's allocator hands out the same blocks.
void* CoTaskMemAlloc(SIZE_T cb);
void* CoTaskMemRealloc(void* pv, SIZE_T cb);
void CoTaskMemFree(void* pv);
