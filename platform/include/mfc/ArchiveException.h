// CArchiveException: reading or writing an archive failed; m_cause says how.
#pragma once

#include "mfc/BaseException.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFX_EXT_API void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
