// CStringArray: an array of strings.
#pragma once

#include "mfc/Array.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
};
