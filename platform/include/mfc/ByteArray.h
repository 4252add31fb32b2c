// CByteArray: an array of bytes.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};
