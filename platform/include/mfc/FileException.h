// CFileException: a file operation failed; m_cause says how, m_lOsError gives the system's code.
#pragma once

#include "mfc/BaseException.h"
#include "mfc/String.h"

class AFX_EXT_CLASS CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

    // The cause for a Windows error code (GetLastError) or a POSIX errno value.
    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    // Throw a CFileException for the code; a zero code means success and throws nothing.
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] AFX_EXT_API void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
