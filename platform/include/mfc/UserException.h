// CUserException: the user was told already; catchers end the operation quietly.
#pragma once

#include "mfc/SimpleException.h"

class AFX_EXT_CLASS CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
    explicit CUserException(BOOL bAutoDelete);
};

[[noreturn]] AFX_EXT_API void AfxThrowUserException();
