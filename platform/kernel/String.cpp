#include "mfc/String.h"

#include "win32/codepage.h"
#include "mivo/codepage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char emptyString[1] = {0};

int safeLength(LPCSTR psz)
{
    return psz ? (int)std::strlen(psz) : 0;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

CString::CString() : m_pchData(emptyString), m_nDataLength(0), m_nAllocLength(0) {}

CString::CString(const CString& other) : CString()
{
    assign(other.m_pchData, other.m_nDataLength);
}

CString::CString(CString&& other) noexcept
    : m_pchData(other.m_pchData), m_nDataLength(other.m_nDataLength), m_nAllocLength(other.m_nAllocLength)
{
    other.m_pchData = emptyString;
    other.m_nDataLength = 0;
    other.m_nAllocLength = 0;
}

CString::CString(LPCSTR psz) : CString()
{
    // A resource id passed as a string loads that string, as the framework does.
    if (psz != nullptr && IS_INTRESOURCE(psz)) {
        LoadString((UINT)(ULONG_PTR)psz);
        return;
    }
    assign(psz, safeLength(psz));
}

CString::CString(LPCSTR pch, int nLength) : CString()
{
    if (pch != nullptr && nLength > 0)
        assign(pch, nLength);
}

CString::CString(const unsigned char* psz) : CString((LPCSTR)psz) {}

CString::CString(char ch, int nRepeat) : CString()
{
    if (nRepeat > 0) {
        reserve(nRepeat);
        std::memset(m_pchData, ch, nRepeat);
        setLength(nRepeat);
    }
}

CString::CString(LPCWSTR pwsz) : CString()
{
    *this = pwsz;
}

CString::~CString()
{
    release();
}

void CString::release()
{
    if (m_nAllocLength > 0)
        std::free(m_pchData);
    m_pchData = emptyString;
    m_nDataLength = 0;
    m_nAllocLength = 0;
}

void CString::reserve(int nLength)
{
    if (nLength <= m_nAllocLength)
        return;
    int grown = m_nAllocLength + m_nAllocLength / 2;
    int capacity = nLength > grown ? nLength : grown;
    char* p = (char*)std::malloc((size_t)capacity + 1);
    if (p == nullptr)
        throw std::bad_alloc();
    std::memcpy(p, m_pchData, (size_t)m_nDataLength + 1);
    if (m_nAllocLength > 0)
        std::free(m_pchData);
    m_pchData = p;
    m_nAllocLength = capacity;
}

void CString::setLength(int nLength)
{
    m_nDataLength = nLength;
    if (m_nAllocLength > 0)
        m_pchData[nLength] = 0;
}

void CString::assign(LPCSTR pch, int nLength)
{
    if (nLength <= 0 || pch == nullptr) {
        setLength(0);
        return;
    }
    if (pch >= m_pchData && pch <= m_pchData + m_nDataLength) {
        // Assigning part of ourselves.
        std::memmove(m_pchData, pch, nLength);
        setLength(nLength);
        return;
    }
    reserve(nLength);
    std::memcpy(m_pchData, pch, nLength);
    setLength(nLength);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        assign(other.m_pchData, other.m_nDataLength);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        release();
        m_pchData = other.m_pchData;
        m_nDataLength = other.m_nDataLength;
        m_nAllocLength = other.m_nAllocLength;
        other.m_pchData = emptyString;
        other.m_nDataLength = 0;
        other.m_nAllocLength = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    assign(psz, safeLength(psz));
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = (LPCSTR)psz;
}

CString& CString::operator=(char ch)
{
    assign(&ch, 1);
    return *this;
}

CString& CString::operator=(LPCWSTR pwsz)
{
    std::u16string wide;
    if (pwsz)
        wide = pwsz;
    std::string ansi = mivo::Utf16ToAnsi(wide);
    assign(ansi.data(), (int)ansi.size());
    return *this;
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (pch == nullptr || nLength <= 0)
        return;
    int old = m_nDataLength;
    if (pch >= m_pchData && pch <= m_pchData + m_nDataLength) {
        CString copy(pch, nLength);
        reserve(old + nLength);
        std::memcpy(m_pchData + old, copy.m_pchData, nLength);
    } else {
        reserve(old + nLength);
        std::memcpy(m_pchData + old, pch, nLength);
    }
    setLength(old + nLength);
}

void CString::Append(LPCSTR psz)
{
    Append(psz, safeLength(psz));
}

void CString::AppendChar(char ch)
{
    Append(&ch, 1);
}

CString& CString::operator+=(const CString& other)
{
    Append(other.m_pchData, other.m_nDataLength);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    Append(psz);
    return *this;
}

CString& CString::operator+=(char ch)
{
    AppendChar(ch);
    return *this;
}

void CString::Empty()
{
    release();
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > m_nDataLength)
        return 0;
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < m_nDataLength)
        m_pchData[nIndex] = ch;
}

int CString::Compare(LPCSTR psz) const
{
    int r = std::strcmp(m_pchData, psz ? psz : "");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCSTR psz) const
{
    int r = mivo::AnsiCompareNoCase(m_pchData, psz);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::Collate(LPCSTR psz) const
{
    return Compare(psz);
}

int CString::CollateNoCase(LPCSTR psz) const
{
    return CompareNoCase(psz);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nDataLength);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > m_nDataLength)
        return CString();
    if (nCount > m_nDataLength - nFirst)
        nCount = m_nDataLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nDataLength)
        nCount = m_nDataLength;
    return CString(m_pchData + m_nDataLength - nCount, nCount);
}

int CString::charLengthAt(int i) const
{
    return mivo::IsLeadAt(m_pchData, (size_t)m_nDataLength, (size_t)i) ? 2 : 1;
}

bool CString::isCharStart(int target) const
{
    int i = 0;
    while (i < target)
        i += charLengthAt(i);
    return i == target;
}

namespace {

// True when the character at s[i..i+n) is one of the set's characters.
bool inCharSet(LPCSTR set, const char* ch, int n)
{
    if (set == nullptr)
        return false;
    size_t len = std::strlen(set);
    for (size_t i = 0; i < len;) {
        int m = mivo::IsLeadAt(set, len, i) ? 2 : 1;
        if (m == n && std::memcmp(set + i, ch, n) == 0)
            return true;
        i += m;
    }
    return false;
}

}  // namespace

CString CString::SpanIncluding(LPCSTR pszCharSet) const
{
    int i = 0;
    while (i < m_nDataLength) {
        int n = charLengthAt(i);
        if (!inCharSet(pszCharSet, m_pchData + i, n))
            break;
        i += n;
    }
    return Left(i);
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const
{
    int i = 0;
    while (i < m_nDataLength) {
        int n = charLengthAt(i);
        if (inCharSet(pszCharSet, m_pchData + i, n))
            break;
        i += n;
    }
    return Left(i);
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= m_nDataLength) {
        iStart = -1;
        return CString();
    }
    int i = iStart;
    while (i < m_nDataLength && inCharSet(pszTokens, m_pchData + i, charLengthAt(i)))
        i += charLengthAt(i);
    if (i >= m_nDataLength) {
        iStart = -1;
        return CString();
    }
    int start = i;
    while (i < m_nDataLength && !inCharSet(pszTokens, m_pchData + i, charLengthAt(i)))
        i += charLengthAt(i);
    iStart = i + (i < m_nDataLength ? charLengthAt(i) : 0);
    return Mid(start, i - start);
}

CString& CString::MakeUpper()
{
    mivo::AnsiUpper(m_pchData, (size_t)m_nDataLength);
    return *this;
}

CString& CString::MakeLower()
{
    mivo::AnsiLower(m_pchData, (size_t)m_nDataLength);
    return *this;
}

CString& CString::MakeReverse()
{
    // Reverse by characters so double-byte characters stay whole.
    CString reversed;
    reversed.reserve(m_nDataLength);
    int out = m_nDataLength;
    for (int i = 0; i < m_nDataLength;) {
        int n = charLengthAt(i);
        out -= n;
        std::memcpy(reversed.m_pchData + out, m_pchData + i, n);
        i += n;
    }
    reversed.setLength(m_nDataLength);
    *this = std::move(reversed);
    return *this;
}

int CString::Find(char ch, int nStart) const
{
    char s[2] = {ch, 0};
    return Find(s, nStart);
}

int CString::Find(LPCSTR pszSub, int nStart) const
{
    int subLength = safeLength(pszSub);
    if (nStart < 0)
        nStart = 0;
    if (nStart > m_nDataLength || subLength == 0)
        return subLength == 0 && nStart <= m_nDataLength ? -1 : -1;
    int i = 0;
    while (i < nStart)
        i += charLengthAt(i);
    for (; i + subLength <= m_nDataLength; i += charLengthAt(i))
        if (std::memcmp(m_pchData + i, pszSub, subLength) == 0)
            return i;
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (int i = 0; i < m_nDataLength; i += charLengthAt(i))
        if (charLengthAt(i) == 1 && m_pchData[i] == ch)
            found = i;
    return found;
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    for (int i = 0; i < m_nDataLength; i += charLengthAt(i))
        if (inCharSet(pszCharSet, m_pchData + i, charLengthAt(i)))
            return i;
    return -1;
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    for (int i = 0; i < m_nDataLength; i += charLengthAt(i)) {
        if (charLengthAt(i) == 1 && m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    int oldLength = safeLength(pszOld);
    if (oldLength == 0)
        return 0;
    CString result;
    int count = 0;
    int i = 0;
    while (i < m_nDataLength) {
        if (i + oldLength <= m_nDataLength && std::memcmp(m_pchData + i, pszOld, oldLength) == 0) {
            result.Append(pszNew);
            i += oldLength;
            ++count;
        } else {
            int n = charLengthAt(i);
            result.Append(m_pchData + i, n);
            i += n;
        }
    }
    if (count)
        *this = std::move(result);
    return count;
}

int CString::Remove(char ch)
{
    int out = 0, count = 0;
    for (int i = 0; i < m_nDataLength;) {
        int n = charLengthAt(i);
        if (n == 1 && m_pchData[i] == ch) {
            ++count;
        } else {
            std::memmove(m_pchData + out, m_pchData + i, n);
            out += n;
        }
        i += n;
    }
    if (count)
        setLength(out);
    return count;
}

int CString::Insert(int nIndex, char ch)
{
    char s[2] = {ch, 0};
    return Insert(nIndex, s);
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > m_nDataLength)
        nIndex = m_nDataLength;
    int n = safeLength(psz);
    if (n > 0) {
        CString tail = Mid(nIndex);
        CString insert(psz, n);
        setLength(nIndex);
        Append(insert);
        Append(tail);
    }
    return m_nDataLength;
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < m_nDataLength) {
        if (nCount > m_nDataLength - nIndex)
            nCount = m_nDataLength - nIndex;
        std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, m_nDataLength - nIndex - nCount);
        setLength(m_nDataLength - nCount);
    }
    return m_nDataLength;
}

CString& CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < m_nDataLength)
        setLength(nNewLength);
    return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    int i = 0;
    while (i < m_nDataLength && inCharSet(pszTargets, m_pchData + i, charLengthAt(i)))
        i += charLengthAt(i);
    if (i > 0)
        Delete(0, i);
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    int keep = 0;
    for (int i = 0; i < m_nDataLength;) {
        int n = charLengthAt(i);
        if (!inCharSet(pszTargets, m_pchData + i, n))
            keep = i + n;
        i += n;
    }
    setLength(keep);
    return *this;
}

CString& CString::TrimLeft()
{
    int i = 0;
    while (i < m_nDataLength && isSpace(m_pchData[i]))
        ++i;
    if (i > 0)
        Delete(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    int n = m_nDataLength;
    // Space bytes are never trail bytes, so trimming bytes from the end is safe.
    while (n > 0 && isSpace(m_pchData[n - 1]))
        --n;
    setLength(n);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    char s[2] = {chTarget, 0};
    return TrimLeft(s);
}

CString& CString::TrimRight(char chTarget)
{
    char s[2] = {chTarget, 0};
    return TrimRight(s);
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    setLength(0);
    AppendFormatV(pszFormat, args);
}

void CString::AppendFormatV(LPCSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        return;
    va_list measure;
    va_copy(measure, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (n <= 0)
        return;
    int old = m_nDataLength;
    reserve(old + n);
    std::vsnprintf(m_pchData + old, (size_t)n + 1, pszFormat, args);
    setLength(old + n);
}

void CString::Format(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID))
        return;
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(m_nDataLength);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < m_nDataLength)
        nMinBufLength = m_nDataLength;
    // The caller writes into the buffer, so it must be our own even when empty.
    if (m_nAllocLength == 0 || nMinBufLength > m_nAllocLength) {
        int capacity = nMinBufLength > 0 ? nMinBufLength : 1;
        char* p = (char*)std::malloc((size_t)capacity + 1);
        if (p == nullptr)
            throw std::bad_alloc();
        std::memcpy(p, m_pchData, (size_t)m_nDataLength + 1);
        if (m_nAllocLength > 0)
            std::free(m_pchData);
        m_pchData = p;
        m_nAllocLength = capacity;
    }
    return m_pchData;
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    setLength(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_nAllocLength == 0) {
        m_nDataLength = 0;
        return;
    }
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pchData, (size_t)m_nAllocLength);
    if (nNewLength > m_nAllocLength)
        nNewLength = m_nAllocLength;
    setLength(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    ReleaseBuffer(nNewLength);
}

LPSTR CString::LockBuffer()
{
    return GetBuffer();
}

void CString::FreeExtra()
{
    if (m_nAllocLength > m_nDataLength) {
        CString copy(m_pchData, m_nDataLength);
        *this = std::move(copy);
    }
}

void CString::Preallocate(int nLength)
{
    reserve(nLength);
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() && std::memcmp((LPCSTR)a, (LPCSTR)b, a.GetLength()) == 0;
}
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
