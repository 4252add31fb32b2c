// CSimpleException: base of the exceptions whose message is one fixed text.
#pragma once

#include "mfc/BaseException.h"

class AFX_EXT_CLASS CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    CSimpleException(BOOL bAutoDelete, LPCSTR pszMessage);

private:
    LPCSTR m_pszMessage;
};
