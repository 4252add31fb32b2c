// CPtrList: a list of untyped pointers; it never owns what they point to.
#pragma once

#include "mfc/List.h"

class AFX_EXT_CLASS CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    using CList<void*, void*>::CList;
};
