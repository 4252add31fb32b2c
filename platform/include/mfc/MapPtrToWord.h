// CMapPtrToWord: untyped pointers to WORDs.
#pragma once

#include "mfc/Map.h"

class AFX_EXT_CLASS CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    using CMap<void*, void*, WORD, WORD>::CMap;
};
