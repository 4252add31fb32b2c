// CStdioFile: a CFile read and written through a stdio stream, with lines.
#pragma once

#include "mfc/File.h"

#include <cstdio>

// Text mode (typeText, the default) stores lines as Windows does: WriteString
// writes "\n" as "\r\n" and ReadString drops the '\r' of "\r\n". Read and Write
// pass bytes unchanged. As with the run-time's streams, modeCreate|modeNoTruncate
// and modeWrite without modeCreate append every write at the end.
class AFX_EXT_CLASS CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // Takes over an open stream; Close closes it.
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its line break; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Up to nMax - 1 bytes of the next line, keeping its "\n"; NULL at the end.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual void WriteString(LPCTSTR lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream;

private:
    void ThrowStreamError() const;
    bool m_bText;
};
