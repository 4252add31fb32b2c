#include "mfc/MemoryException.h"

namespace {
const LPCSTR kMessage = "메모리가 부족합니다.";
}

IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)

CMemoryException::CMemoryException() : CSimpleException(TRUE, kMessage) {}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMessage) {}

// One static object: throwing must not need memory. Its Delete does nothing.
void AfxThrowMemoryException()
{
    static CMemoryException outOfMemory(FALSE);
    throw &outOfMemory;
}
