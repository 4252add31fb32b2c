// CFile (binary file over a kernel file handle) and CFileStatus; includes the
// other file classes, CStdioFile and CFileFind.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"
#include "mfc/String.h"
#include "mfc/Time.h"
#include "mfc/FileException.h"

struct CFileStatus {
    CTime m_ctime;      // creation
    CTime m_mtime;      // last write
    CTime m_atime;      // last access
    ULONGLONG m_size;
    BYTE m_attribute;   // CFile::Attribute bits
    BYTE _m_padding;
    TCHAR m_szFullName[_MAX_PATH];
};

class AFX_EXT_CLASS CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    // The share flags are accepted and have no effect: POSIX files are not
    // locked against other openers. typeText and typeBinary matter only to
    // CStdioFile.
    enum OpenFlags {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Throws CFileException when the file cannot be opened.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    // FALSE on failure, with *pError (when given) describing it.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // The operations below throw CFileException on failure.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing, whatever the state.
    virtual void Abort();

    // The full path given to Open, its name, and the name without extension.
    virtual CString GetFilePath() const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    BOOL GetStatus(CFileStatus& rStatus) const;
    // FALSE when nothing exists at the path; folders and files both succeed.
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Throw CFileException on failure; Rename never replaces an existing file.
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;
    BOOL m_bCloseOnDelete;
    CString m_strFileName;

protected:
    void ThrowLastError() const;
};

#include "mfc/StdioFile.h"
#include "mfc/FileFind.h"
