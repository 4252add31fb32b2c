#include "mfc/ResourceException.h"

#include "mfc/MemoryException.h"

#include <new>

namespace {
const LPCSTR kMessage = "필요한 리소스를 사용할 수 없습니다.";
}

IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

CResourceException::CResourceException() : CSimpleException(TRUE, kMessage) {}

CResourceException::CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMessage) {}

void AfxThrowResourceException()
{
    CResourceException* e = new (std::nothrow) CResourceException;
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
