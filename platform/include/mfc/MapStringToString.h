// CMapStringToString: strings to strings; keys compare exactly, byte for byte.
#pragma once

#include "mfc/Map.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_DYNAMIC(CMapStringToString)
public:
    using CMap<CString, LPCTSTR, CString, LPCTSTR>::CMap;
};
