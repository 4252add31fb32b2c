// CMapPtrToPtr: untyped pointers to untyped pointers.
#pragma once

#include "mfc/Map.h"

class AFX_EXT_CLASS CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    using CMap<void*, void*, void*, void*>::CMap;
};
