#include "mfc/SimpleException.h"

IMPLEMENT_DYNAMIC(CSimpleException, CException)

CSimpleException::CSimpleException() : CException(TRUE), m_pszMessage(nullptr) {}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete), m_pszMessage(nullptr) {}

CSimpleException::CSimpleException(BOOL bAutoDelete, LPCSTR pszMessage)
    : CException(bAutoDelete), m_pszMessage(pszMessage)
{
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage(m_pszMessage, lpszError, nMaxError, pnHelpContext);
}
