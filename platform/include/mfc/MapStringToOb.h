// CMapStringToOb: strings to CObject pointers; it never deletes them.
#pragma once

#include "mfc/Map.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    using CMap<CString, LPCTSTR, CObject*, CObject*>::CMap;
};
