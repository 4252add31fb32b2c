// CDWordArray: an array of DWORDs.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};
