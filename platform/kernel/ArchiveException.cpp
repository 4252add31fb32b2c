#include "mfc/ArchiveException.h"

#include "mfc/MemoryException.h"

#include <new>

namespace {

// %1 stands for the archive's file name.
const LPCSTR kCauseTexts[] = {
    "오류가 발생하지 않았습니다.",
    "%1을(를) 읽거나 쓰는 중 알 수 없는 오류가 발생했습니다.",
    "읽기 전용으로 연 %1에 쓰려고 했습니다.",
    "%1을(를) 읽는 중 파일의 끝에 이르렀습니다.",
    "쓰기 전용으로 연 %1에서 읽으려고 했습니다.",
    "%1의 형식이 올바르지 않습니다.",
    "%1에 예상하지 않은 개체가 들어 있습니다.",
    "%1에 지원되지 않는 버전의 개체가 들어 있습니다.",
};
const LPCSTR kUnnamedFile = "이름 없는 파일";

}  // namespace

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    const int causeCount = (int)(sizeof(kCauseTexts) / sizeof(kCauseTexts[0]));
    const int cause = (m_cause >= 0 && m_cause < causeCount) ? m_cause : (int)genericException;
    CString message(kCauseTexts[cause]);
    const int insert = message.Find("%1");
    if (insert >= 0)
        message = message.Left(insert) + (m_strFileName.IsEmpty() ? CString(kUnnamedFile) : m_strFileName) +
                  message.Mid(insert + 2);
    return CopyErrorMessage(message, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    CArchiveException* e = new (std::nothrow) CArchiveException(cause, lpszArchiveName);
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
