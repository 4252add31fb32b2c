// CMapStringToPtr: strings to untyped pointers; it never owns what they point to.
#pragma once

#include "mfc/Map.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    using CMap<CString, LPCTSTR, void*, void*>::CMap;
};
