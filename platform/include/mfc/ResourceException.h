// CResourceException: a resource could not be found or a system object could not be made.
#pragma once

#include "mfc/SimpleException.h"

class AFX_EXT_CLASS CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
};

[[noreturn]] AFX_EXT_API void AfxThrowResourceException();
