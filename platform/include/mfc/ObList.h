// CObList: a list of CObject pointers; it never deletes them.
#pragma once

#include "mfc/List.h"

class AFX_EXT_CLASS CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    using CList<CObject*, CObject*>::CList;
};
