#include "mfc/FileFind.h"

#include "kernel/FileInfo.h"
#include "mivo/filetime.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

CTime TimeOf(const FILETIME& ft)
{
    return CTime(static_cast<time_t>(mivo::UnixFromFileTime(ft)));
}

// "C:\photos\" for "C:\photos\*.jpg", resolved against the current folder.
CString RootOf(LPCTSTR pattern)
{
    char full[MAX_PATH * 2];
    DWORD length = GetFullPathName(pattern, sizeof full, full, nullptr);
    CString path = (length > 0 && length < sizeof full) ? CString(full) : CString(pattern);
    char drive[_MAX_DRIVE], dir[_MAX_DIR], root[_MAX_PATH];
    _splitpath(path, drive, dir, nullptr, nullptr);
    _makepath(root, drive, dir, nullptr, nullptr);
    return CString(root);
}

}  // namespace

CFileFind::CFileFind()
    : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_hContext(nullptr), m_chDirSeparator('\\')
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    delete m_pFoundInfo;
    m_pFoundInfo = nullptr;
    delete m_pNextInfo;
    m_pNextInfo = nullptr;
    if (m_hContext && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = nullptr;
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD /*dwUnused*/)
{
    Close();
    if (!pstrName)
        pstrName = "*.*";
    m_pNextInfo = new WIN32_FIND_DATA;
    m_hContext = ::FindFirstFile(pstrName, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        Close();
        SetLastError(error);
        return FALSE;
    }
    m_strRoot = RootOf(pstrName);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hContext || !m_pNextInfo)
        return FALSE;
    if (!m_pFoundInfo)
        m_pFoundInfo = new WIN32_FIND_DATA;
    std::swap(m_pFoundInfo, m_pNextInfo);
    return ::FindNextFile(m_hContext, m_pNextInfo);
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_pFoundInfo)
        return 0;
    return (static_cast<ULONGLONG>(m_pFoundInfo->nFileSizeHigh) << 32) | m_pFoundInfo->nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    CString path = m_strRoot;
    if (!path.IsEmpty()) {
        char last = path[path.GetLength() - 1];
        if (last != '\\' && last != '/')
            path += m_chDirSeparator;
    }
    return path + GetFileName();
}

CString CFileFind::GetFileTitle() const
{
    char fname[_MAX_FNAME];
    _splitpath(GetFileName(), nullptr, nullptr, fname, nullptr);
    return CString(fname);
}

CString CFileFind::GetFileURL() const
{
    return CString("file://") + GetFilePath();
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_pFoundInfo || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (!m_pFoundInfo || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (!m_pFoundInfo || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_pFoundInfo->ftCreationTime;
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!m_pFoundInfo)
        return FALSE;
    refTime = TimeOf(m_pFoundInfo->ftLastWriteTime);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (!m_pFoundInfo)
        return FALSE;
    refTime = TimeOf(m_pFoundInfo->ftLastAccessTime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!m_pFoundInfo)
        return FALSE;
    refTime = TimeOf(m_pFoundInfo->ftCreationTime);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo && (m_pFoundInfo->dwFileAttributes & dwMask) ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const
{
    if (!m_pFoundInfo || !IsDirectory())
        return FALSE;
    const char* name = m_pFoundInfo->cFileName;
    return (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) ? TRUE : FALSE;
}
