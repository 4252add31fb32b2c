#include "mfc/StdioFile.h"

#include "kernel/FileObject.h"
#include "mivo/errors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

// The stream mode the run-time would use for these flags.
std::string StreamMode(UINT flags, bool& append)
{
    std::string mode;
    if (flags & CFile::modeCreate)
        mode = (flags & CFile::modeNoTruncate) ? "a" : "w";
    else if (flags & CFile::modeWrite)
        mode = "a";
    else
        mode = "r";
    append = mode[0] == 'a';
    const bool readWrite = (flags & CFile::modeReadWrite) != 0;
    if ((mode[0] == 'r' && readWrite) || (mode[0] != 'r' && !(flags & CFile::modeWrite)))
        mode += '+';
    mode += 'b';  // line breaks are handled by ReadString and WriteString
    return mode;
}

// A second descriptor on the file the handle names, for the stream to own.
int DuplicateDescriptor(HANDLE h)
{
    auto file = mivo::LookupHandleAs<mivo::FileObject>(h);
    return file ? fcntl(file->fd, F_DUPFD_CLOEXEC, 0) : -1;
}

}  // namespace

CStdioFile::CStdioFile() : m_pStream(nullptr), m_bText(true) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream), m_bText(true)
{
    if (!pOpenStream)
        return;
    int fd = fcntl(fileno(pOpenStream), F_DUPFD_CLOEXEC, 0);
    if (fd >= 0)
        m_hFile = mivo::RegisterHandle(std::make_shared<mivo::FileObject>(fd, std::string(), false));
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr), m_bText(true)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream || m_hFile != hFileNull)
        Abort();
    m_bText = !(nOpenFlags & typeBinary);
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;
    bool append = false;
    std::string mode = StreamMode(nOpenFlags, append);
    int fd = DuplicateDescriptor(m_hFile);
    if (fd >= 0 && append)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_APPEND);
    m_pStream = fd >= 0 ? fdopen(fd, mode.c_str()) : nullptr;
    if (!m_pStream) {
        int err = errno;
        if (fd >= 0)
            close(fd);
        if (pError) {
            pError->m_lOsError = static_cast<LONG>(mivo::ErrorFromErrno(err));
            pError->m_cause = CFileException::ErrnoToException(err);
            pError->m_strFileName = lpszFileName;
        }
        CFile::Abort();
        return FALSE;
    }
    if (append)
        fseeko(m_pStream, 0, SEEK_END);
    return TRUE;
}

void CStdioFile::ThrowStreamError() const
{
    CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    if (!m_pStream)
        return FALSE;
    bool any = false;
    char buffer[256];
    for (;;) {
        if (!fgets(buffer, sizeof buffer, m_pStream)) {
            if (ferror(m_pStream)) {
                clearerr(m_pStream);
                ThrowStreamError();
            }
            break;
        }
        any = true;
        size_t length = strlen(buffer);
        bool lineEnd = length > 0 && buffer[length - 1] == '\n';
        if (lineEnd) {
            --length;
            if (m_bText && length > 0 && buffer[length - 1] == '\r')
                --length;
        }
        rString.Append(buffer, static_cast<int>(length));
        if (lineEnd)
            break;
    }
    // A "\r\n" split across two reads leaves its '\r' at the end.
    if (m_bText && rString.GetLength() > 0 && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return any;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (!m_pStream || !lpsz || nMax == 0)
        return nullptr;
    if (!fgets(lpsz, static_cast<int>(nMax), m_pStream)) {
        if (ferror(m_pStream)) {
            clearerr(m_pStream);
            ThrowStreamError();
        }
        return nullptr;
    }
    size_t length = strlen(lpsz);
    if (m_bText && length >= 2 && lpsz[length - 2] == '\r' && lpsz[length - 1] == '\n') {
        lpsz[length - 2] = '\n';
        lpsz[length - 1] = '\0';
    }
    return lpsz;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (!lpsz || !m_pStream)
        return;
    for (const char* p = lpsz; *p; ++p) {
        if (m_bText && *p == '\n' && fputc('\r', m_pStream) == EOF)
            ThrowStreamError();
        if (fputc(*p, m_pStream) == EOF)
            ThrowStreamError();
    }
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || !m_pStream)
        return 0;
    size_t got = fread(lpBuf, 1, nCount, m_pStream);
    if (got == 0 && ferror(m_pStream)) {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return static_cast<UINT>(got);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0 || !m_pStream)
        return;
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError();
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (!m_pStream || fseeko(m_pStream, static_cast<off_t>(lOff), whence) != 0)
        AfxThrowFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const
{
    if (!m_pStream)
        return 0;
    fflush(m_pStream);
    struct stat st;
    if (fstat(fileno(m_pStream), &st) != 0)
        ThrowStreamError();
    return static_cast<ULONGLONG>(st.st_size);
}

ULONGLONG CStdioFile::GetPosition() const
{
    off_t position = m_pStream ? ftello(m_pStream) : -1;
    if (position < 0)
        ThrowStreamError();
    return static_cast<ULONGLONG>(position);
}

void CStdioFile::Flush()
{
    if (m_pStream && fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    int err = 0;
    if (m_pStream && fclose(m_pStream) != 0)
        err = errno;
    m_pStream = nullptr;
    CString name = m_strFileName;
    CFile::Close();
    if (err)
        CFileException::ThrowErrno(err, name);
}

void CStdioFile::Abort()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = nullptr;
    CFile::Abort();
}
