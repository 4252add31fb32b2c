// CMapWordToPtr: WORDs to untyped pointers.
#pragma once

#include "mfc/Map.h"

class AFX_EXT_CLASS CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    using CMap<WORD, WORD, void*, void*>::CMap;
};
