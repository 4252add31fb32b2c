// CMapWordToOb: WORDs to CObject pointers; it never deletes them.
#pragma once

#include "mfc/Map.h"

class AFX_EXT_CLASS CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapWordToOb)
public:
    using CMap<WORD, WORD, CObject*, CObject*>::CMap;
};
