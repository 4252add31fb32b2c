// CObArray: an array of CObject pointers; it never deletes them.
#pragma once

#include "mfc/Array.h"

class AFX_EXT_CLASS CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};
