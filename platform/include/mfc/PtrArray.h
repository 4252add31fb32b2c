// CPtrArray: an array of untyped pointers; it never owns what they point to.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};
