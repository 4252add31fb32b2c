// CInvalidArgException: an argument, such as an index, is out of its range.
#pragma once

#include "mfc/SimpleException.h"

class AFX_EXT_CLASS CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
};

[[noreturn]] AFX_EXT_API void AfxThrowInvalidArgException();
