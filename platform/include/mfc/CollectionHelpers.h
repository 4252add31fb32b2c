// Element comparison and key hashing used by the collection templates.
// A collection of a key type without a HashKey here needs its own specialization.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"
#include "mfc/String.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "mivo/collections.h"

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    typedef typename std::remove_cv<typename std::remove_reference<ARG_KEY>::type>::type Key;
    if constexpr (std::is_pointer<Key>::value) {
        typedef typename std::remove_cv<typename std::remove_pointer<Key>::type>::type Pointee;
        if constexpr (std::is_same<Pointee, char>::value || std::is_same<Pointee, unsigned char>::value) {
            return key ? mivo::HashBytes(key, std::strlen((const char*)key)) : 0;
        } else {
            // Heap addresses share their low bits; fold the rest in.
            const uint64_t v = (uint64_t)(uintptr_t)key;
            return (UINT)((v >> 4) ^ (v >> 32));
        }
    } else if constexpr (std::is_integral<Key>::value || std::is_enum<Key>::value) {
        const uint64_t v = (uint64_t)key;
        return (UINT)(v ^ (v >> 32));
    } else {
        static_assert(mivo::AlwaysFalse<Key>::value, "no HashKey for this key type: specialize HashKey");
        return 0;
    }
}

template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return mivo::HashBytes(key.GetString(), (size_t)key.GetLength());
}

template <>
inline UINT AFXAPI HashKey<CString>(CString key)
{
    return HashKey<const CString&>(key);
}
