// CString: the framework's 8-bit string, holding CP949 text.
// Each object owns its buffer, so copies may travel between threads.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"

#include <cstdarg>

class AFX_EXT_CLASS CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(const unsigned char* psz);
    CString(char ch, int nRepeat = 1);
    // Wide text is converted to CP949; unmapped characters become '?'.
    CString(LPCWSTR pwsz);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);
    CString& operator=(LPCWSTR pwsz);

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);

    operator LPCSTR() const { return m_pchData; }
    LPCSTR GetString() const { return m_pchData; }
    int GetLength() const { return m_nDataLength; }
    BOOL IsEmpty() const { return m_nDataLength == 0; }
    void Empty();

    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void AppendChar(char ch);

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;
    int CollateNoCase(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Case changes touch single-byte ASCII letters only.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& Truncate(int nNewLength);

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);

    // Searches match whole characters only: a trail byte never matches.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    void Format(LPCSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormat(LPCSTR pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormatV(LPCSTR pszFormat, va_list args);
    void Format(UINT nFormatID, ...);

    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    LPSTR LockBuffer();
    void UnlockBuffer() {}
    void FreeExtra();
    void Preallocate(int nLength);
    int GetAllocLength() const { return m_nAllocLength; }

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

private:
    void assign(LPCSTR pch, int nLength);
    void reserve(int nLength);
    void release();
    void setLength(int nLength);
    int charLengthAt(int i) const;
    bool isCharStart(int i) const;

    char* m_pchData;
    int m_nDataLength;
    int m_nAllocLength;
};

AFX_EXT_API bool operator==(const CString& a, const CString& b);
AFX_EXT_API bool operator==(const CString& a, LPCSTR b);
AFX_EXT_API bool operator==(LPCSTR a, const CString& b);
AFX_EXT_API bool operator!=(const CString& a, const CString& b);
AFX_EXT_API bool operator!=(const CString& a, LPCSTR b);
AFX_EXT_API bool operator!=(LPCSTR a, const CString& b);
AFX_EXT_API bool operator<(const CString& a, const CString& b);
AFX_EXT_API bool operator<(const CString& a, LPCSTR b);
AFX_EXT_API bool operator<(LPCSTR a, const CString& b);
AFX_EXT_API bool operator>(const CString& a, const CString& b);
AFX_EXT_API bool operator>(const CString& a, LPCSTR b);
AFX_EXT_API bool operator>(LPCSTR a, const CString& b);
AFX_EXT_API bool operator<=(const CString& a, const CString& b);
AFX_EXT_API bool operator<=(const CString& a, LPCSTR b);
AFX_EXT_API bool operator>=(const CString& a, const CString& b);
AFX_EXT_API bool operator>=(const CString& a, LPCSTR b);

typedef CString CStringA;
