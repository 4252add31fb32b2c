// CNotSupportedException: the object does not support the requested operation.
#pragma once

#include "mfc/SimpleException.h"

class AFX_EXT_CLASS CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
};

[[noreturn]] AFX_EXT_API void AfxThrowNotSupportedException();
