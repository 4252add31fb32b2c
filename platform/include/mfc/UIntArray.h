// CUIntArray: an array of unsigned numbers.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};
