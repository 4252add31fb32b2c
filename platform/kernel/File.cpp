#include "mfc/File.h"

#include "kernel/FileInfo.h"
#include "mivo/filetime.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD AccessFor(UINT flags)
{
    switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD DispositionFor(UINT flags)
{
    if (!(flags & CFile::modeCreate))
        return OPEN_EXISTING;
    return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

DWORD FlagsFor(UINT flags)
{
    DWORD result = FILE_ATTRIBUTE_NORMAL;
    if (flags & CFile::osWriteThrough)
        result |= FILE_FLAG_WRITE_THROUGH;
    if (flags & CFile::osRandomAccess)
        result |= FILE_FLAG_RANDOM_ACCESS;
    if (flags & CFile::osSequentialScan)
        result |= FILE_FLAG_SEQUENTIAL_SCAN;
    return result;
}

CTime TimeOf(const FILETIME& ft)
{
    if (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0)
        return CTime();
    return CTime(static_cast<time_t>(mivo::UnixFromFileTime(ft)));
}

// The last path component of a Windows-form path.
CString NamePart(const CString& path)
{
    int slash = path.ReverseFind('\\');
    int other = path.ReverseFind('/');
    int cut = slash > other ? slash : other;
    if (cut < 0 && path.GetLength() >= 2 && path[1] == ':')
        cut = 1;
    return path.Mid(cut + 1);
}

CString FullPathOf(LPCTSTR name)
{
    char full[MAX_PATH * 2];
    DWORD length = GetFullPathName(name, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return CString(name);
    return CString(full);
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (!lpszFileName) {
        if (pError) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
            pError->m_strFileName.Empty();
        }
        return FALSE;
    }
    m_strFileName = FullPathOf(lpszFileName);
    HANDLE h = CreateFile(lpszFileName, AccessFor(nOpenFlags), FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          DispositionFor(nOpenFlags), FlagsFor(nOpenFlags), nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (pError) {
            pError->m_lOsError = static_cast<LONG>(error);
            pError->m_cause = CFileException::OsErrorToException(static_cast<LONG>(error));
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    DWORD error = GetLastError();
    CFileException::ThrowOsError(static_cast<LONG>(error ? error : ERROR_GEN_FAILURE), m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        ThrowLastError();
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError();
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != hFileNull)
        ok = CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        ThrowLastError();
    m_strFileName.Empty();
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    return NamePart(m_strFileName);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName ? FullPathOf(lpszNewName) : CString();
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    memset(&rStatus.m_size, 0, sizeof rStatus.m_size);
    rStatus.m_attribute = 0;
    rStatus._m_padding = 0;
    rStatus.m_szFullName[0] = '\0';
    if (m_hFile == hFileNull)
        return FALSE;
    FILETIME created, accessed, written;
    LARGE_INTEGER size;
    if (!GetFileTime(m_hFile, &created, &accessed, &written) || !GetFileSizeEx(m_hFile, &size))
        return FALSE;
    rStatus.m_ctime = TimeOf(created);
    rStatus.m_atime = TimeOf(accessed);
    rStatus.m_mtime = TimeOf(written);
    rStatus.m_size = static_cast<ULONGLONG>(size.QuadPart);
    if (!m_strFileName.IsEmpty()) {
        DWORD attributes = GetFileAttributes(m_strFileName);
        if (attributes != INVALID_FILE_ATTRIBUTES)
            rStatus.m_attribute = static_cast<BYTE>(attributes & ~FILE_ATTRIBUTE_NORMAL);
        lstrcpyn(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
    }
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!lpszFileName || !GetFileAttributesEx(lpszFileName, GetFileExInfoStandard, &data)) {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    lstrcpyn(rStatus.m_szFullName, FullPathOf(lpszFileName), _MAX_PATH);
    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus._m_padding = 0;
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_ctime = TimeOf(data.ftCreationTime);
    rStatus.m_atime = TimeOf(data.ftLastAccessTime);
    rStatus.m_mtime = TimeOf(data.ftLastWriteTime);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFile(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFile(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
