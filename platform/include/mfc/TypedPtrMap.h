// CTypedPtrMap: one of the pointer maps seen with typed keys and values.
#pragma once

#include "mfc/Map.h"

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
public:
    typedef typename BASE_CLASS::BASE_KEY BaseKey;
    typedef typename BASE_CLASS::BASE_ARG_KEY BaseArgKey;
    typedef typename BASE_CLASS::BASE_VALUE BaseValue;

    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(BaseArgKey key, VALUE& rValue) const
    {
        BaseValue value;
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](BaseArgKey key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        BaseKey key;
        BaseValue value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};
