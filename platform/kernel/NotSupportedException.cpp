#include "mfc/NotSupportedException.h"

#include "mfc/MemoryException.h"

#include <new>

namespace {
const LPCSTR kMessage = "지원되지 않는 작업을 시도했습니다.";
}

IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)

CNotSupportedException::CNotSupportedException() : CSimpleException(TRUE, kMessage) {}

CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMessage) {}

void AfxThrowNotSupportedException()
{
    CNotSupportedException* e = new (std::nothrow) CNotSupportedException;
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
