#include "mfc/UserException.h"

#include "mfc/MemoryException.h"

#include <new>

namespace {
// The user has been told already, so there is nothing more to show.
const LPCSTR kMessage = nullptr;
}

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

CUserException::CUserException() : CSimpleException(TRUE, kMessage) {}

CUserException::CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMessage) {}

void AfxThrowUserException()
{
    CUserException* e = new (std::nothrow) CUserException;
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
