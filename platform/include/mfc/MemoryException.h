// CMemoryException: memory could not be had. AfxThrowMemoryException throws one static object, so it never allocates.
#pragma once

#include "mfc/SimpleException.h"

class AFX_EXT_CLASS CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
};

[[noreturn]] AFX_EXT_API void AfxThrowMemoryException();
