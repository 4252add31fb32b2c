#include "mfc/BaseException.h"

#include "mfc/String.h"
#include "win32/codepage.h"
#include "mivo/codepage.h"
#include "mivo/exceptions.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

const int kIdOk = 1;  // what a message box with only an OK button returns
const LPCSTR kNoMessageText = "사용할 수 있는 오류 메시지가 없습니다.";

std::mutex& reporterLock()
{
    static std::mutex lock;
    return lock;
}

std::function<void(const char*)>& currentReporter()
{
    static std::function<void(const char*)> reporter;
    return reporter;
}

void report(const char* text)
{
    std::function<void(const char*)> reporter;
    {
        std::lock_guard<std::mutex> guard(reporterLock());
        reporter = currentReporter();
    }
    if (reporter)
        reporter(text);
    else
        std::fprintf(stderr, "%s\n", mivo::ToUtf8(text).c_str());
}

}  // namespace

IMPLEMENT_DYNAMIC(CException, CObject)

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorMessage(nullptr, lpszError, nMaxError, pnHelpContext);
}

int CException::ReportError(UINT, UINT nMessageID)
{
    char message[512];
    if (GetErrorMessage(message, sizeof(message))) {
        report(message);
        return kIdOk;
    }
    CString text;
    if (nMessageID == 0 || !text.LoadString(nMessageID))
        text = kNoMessageText;
    report(text);
    return kIdOk;
}

BOOL CException::CopyErrorMessage(LPCSTR pszMessage, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    if (pszMessage == nullptr) {
        lpszError[0] = '\0';
        return FALSE;
    }
    const size_t length = std::strlen(pszMessage);
    const size_t kept = mivo::CutToCharBoundary(pszMessage, length, nMaxError - 1);
    std::memcpy(lpszError, pszMessage, kept);
    lpszError[kept] = '\0';
    return TRUE;
}

namespace mivo {

std::function<void(const char*)> SetExceptionReporter(std::function<void(const char*)> reporter)
{
    std::lock_guard<std::mutex> guard(reporterLock());
    std::function<void(const char*)> previous = std::move(currentReporter());
    currentReporter() = std::move(reporter);
    return previous;
}

ExceptionLink::~ExceptionLink()
{
    if (m_pException != nullptr)
        m_pException->Delete();
}

}  // namespace mivo
