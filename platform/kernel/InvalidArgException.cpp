#include "mfc/InvalidArgException.h"

#include "mfc/MemoryException.h"

#include <new>

namespace {
const LPCSTR kMessage = "잘못된 인수가 사용되었습니다.";
}

IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)

CInvalidArgException::CInvalidArgException() : CSimpleException(TRUE, kMessage) {}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMessage) {}

void AfxThrowInvalidArgException()
{
    CInvalidArgException* e = new (std::nothrow) CInvalidArgException;
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
