// What a CATCH block holds of the exception it caught.
#pragma once

#include "mfc/afxdefs.h"

class CException;

namespace mivo {

// Deletes the exception caught by a CATCH block when the block ends, unless THROW_LAST passed it on.
class AFX_EXT_CLASS ExceptionLink {
public:
    ExceptionLink() = default;
    ~ExceptionLink();
    ExceptionLink(const ExceptionLink&) = delete;
    ExceptionLink& operator=(const ExceptionLink&) = delete;
    void Hold(CException* e) { m_pException = e; }
    void Release() { m_pException = nullptr; }

private:
    CException* m_pException = nullptr;
};

}  // namespace mivo
