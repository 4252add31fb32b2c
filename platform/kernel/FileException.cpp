#include "mfc/FileException.h"

#include "mfc/MemoryException.h"
#include "win32/errors.h"
#include "mivo/errors.h"

#include <cerrno>
#include <new>

namespace {

struct CodeCause {
    LONG code;
    int cause;
};

const CodeCause kOsErrorCauses[] = {
    {ERROR_SUCCESS, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::fileNotFound},
    {ERROR_BAD_FORMAT, CFileException::invalidFile},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_NOT_SAME_DEVICE, CFileException::badPath},
    {ERROR_NO_MORE_FILES, CFileException::fileNotFound},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_WRITE_FAULT, CFileException::accessDenied},
    {ERROR_READ_FAULT, CFileException::badSeek},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_CANNOT_MAKE, CFileException::accessDenied},
    {ERROR_BUFFER_OVERFLOW, CFileException::badPath},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_DIR_NOT_EMPTY, CFileException::removeCurrentDir},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_BUSY, CFileException::accessDenied},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_BAD_EXE_FORMAT, CFileException::invalidFile},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_DIRECTORY, CFileException::badPath},
    {ERROR_OPERATION_ABORTED, CFileException::hardIO},
    {ERROR_IO_INCOMPLETE, CFileException::hardIO},
    {ERROR_IO_PENDING, CFileException::hardIO},
};

const CodeCause kErrnoCauses[] = {
    {0, CFileException::none},
    {ENOENT, CFileException::fileNotFound},
    {ENOTDIR, CFileException::badPath},
    {ENAMETOOLONG, CFileException::badPath},
    {ELOOP, CFileException::badPath},
    {EXDEV, CFileException::badPath},
    {EMFILE, CFileException::tooManyOpenFiles},
    {ENFILE, CFileException::tooManyOpenFiles},
    {EACCES, CFileException::accessDenied},
    {EPERM, CFileException::accessDenied},
    {EROFS, CFileException::accessDenied},
    {EEXIST, CFileException::accessDenied},
    {EISDIR, CFileException::accessDenied},
    {EBADF, CFileException::invalidFile},
    {ENOTEMPTY, CFileException::removeCurrentDir},
    {ESPIPE, CFileException::badSeek},
    {EIO, CFileException::hardIO},
    {EBUSY, CFileException::sharingViolation},
    {EDEADLK, CFileException::lockViolation},
    {ENOLCK, CFileException::lockViolation},
    {ENOSPC, CFileException::diskFull},
    {EDQUOT, CFileException::diskFull},
};

template <size_t N>
int causeFor(const CodeCause (&table)[N], LONG code)
{
    for (const CodeCause& entry : table)
        if (entry.code == code)
            return entry.cause;
    return CFileException::genericException;
}

// %1 stands for the file's name.
const LPCSTR kCauseTexts[] = {
    "오류가 발생하지 않았습니다.",
    "%1에 접근하는 중 알 수 없는 오류가 발생했습니다.",
    "%1을(를) 찾을 수 없습니다.",
    "%1의 경로가 올바르지 않습니다.",
    "열려 있는 파일이 너무 많아 %1을(를) 열 수 없습니다.",
    "%1에 대한 액세스가 거부되었습니다.",
    "%1에 잘못된 파일 핸들이 사용되었습니다.",
    "%1은(는) 현재 디렉터리이므로 제거할 수 없습니다.",
    "디렉터리가 가득 차서 %1을(를) 만들 수 없습니다.",
    "%1에서 위치를 옮기지 못했습니다.",
    "%1에 접근하는 중 하드웨어 입출력 오류가 발생했습니다.",
    "%1에 접근하는 중 공유 위반이 발생했습니다.",
    "%1에서 이미 잠긴 영역을 잠그려고 했습니다.",
    "%1에 쓰는 중 디스크가 가득 찼습니다.",
    "%1의 끝을 지나서 접근하려고 했습니다.",
};
const LPCSTR kUnnamedFile = "이름 없는 파일";

}  // namespace

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    return causeFor(kOsErrorCauses, lOsError);
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    return causeFor(kErrnoCauses, nErrno);
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), (LONG)mivo::ErrorFromErrno(nErrno), lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
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

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    CFileException* e = new (std::nothrow) CFileException(cause, lOsError, lpszFileName);
    if (e == nullptr)
        AfxThrowMemoryException();
    throw e;
}
