// CWordArray: an array of WORDs.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};
