// CStringList: a list of strings.
#pragma once

#include "mfc/List.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    using CList<CString, const CString&>::CList;
};
