// CException, the base of the framework's exceptions, and the TRY/CATCH macros.
// The framework throws exception objects by pointer (`throw new CMemoryException`);
// the catcher owns the object and ends with `e->Delete()`.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"

#include <functional>

class AFX_EXT_CLASS CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    ~CException() override;

    // Frees the object unless it is a static or stack object (m_bAutoDelete FALSE).
    void Delete();
    // Copies the message (cut on a character boundary) into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the message to the user; nMessageID names the string to show when there is none.
    virtual int ReportError(UINT nType = 0 /* MB_OK */, UINT nMessageID = 0);

    BOOL m_bAutoDelete;

protected:
    // Shared by the family: copies a message into a caller's buffer.
    static BOOL CopyErrorMessage(LPCSTR pszMessage, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
};

#include "mivo/exceptionlink.h"

// The framework's exception macros. Unlike a plain catch, a CATCH block
// deletes its exception at END_CATCH, so such blocks never call Delete.
#define TRY \
    { \
        ::mivo::ExceptionLink _afxExceptionLink; \
        try {
#define CATCH(class_name, e) \
    } \
    catch (class_name * e) \
    { \
        _afxExceptionLink.Hold(e);
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH \
    } \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY \
    } \
    catch (CException * _afxUnhandled) { _afxExceptionLink.Hold(_afxUnhandled); } \
    }
#define THROW(e) throw e
#define THROW_LAST() \
    do { \
        _afxExceptionLink.Release(); \
        throw; \
    } while (0)
