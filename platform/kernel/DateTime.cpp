#include "mfc/DateTime.h"

#include "mfc/InvalidArgException.h"

#include "Calendar.h"

#include <cstring>

namespace {

CString FormatSpan(const CTimeSpan& span, LPCSTR format)
{
    CString text;
    if (!format)
        return text;
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            text += *p;
            continue;
        }
        switch (*++p) {
        case 'D': text.AppendFormat("%lld", static_cast<long long>(span.GetDays())); break;
        case 'H': text.AppendFormat("%02ld", static_cast<long>(span.GetHours())); break;
        case 'M': text.AppendFormat("%02ld", static_cast<long>(span.GetMinutes())); break;
        case 'S': text.AppendFormat("%02ld", static_cast<long>(span.GetSeconds())); break;
        case '%': text += '%'; break;
        default:
            text += '%';
            text += *p;
        }
    }
    return text;
}

CString LoadFormat(UINT id)
{
    CString format;
    format.LoadString(id);
    return format;
}

// Local time from calendar fields; mktime normalises overflowing days.
__time64_t LocalTimeFromFields(int year, int month, int day, int hour, int minute, int second, int dst)
{
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        AfxThrowInvalidArgException();
    struct tm t;
    std::memset(&t, 0, sizeof t);
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = dst < 0 ? -1 : dst > 0 ? 1 : 0;
    time_t result = mktime(&t);
    if (result == static_cast<time_t>(-1) && !(t.tm_year == 69 && t.tm_mon == 11 && t.tm_mday == 31))
        AfxThrowInvalidArgException();
    return result;
}

}  // namespace

// ---- CTimeSpan ----

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(static_cast<__time64_t>(lDays) * 86400 + static_cast<__time64_t>(nHours) * 3600 +
                 static_cast<__time64_t>(nMins) * 60 + nSecs)
{
}

CString CTimeSpan::Format(LPCSTR pFormat) const
{
    return FormatSpan(*this, pFormat);
}

CString CTimeSpan::Format(UINT nID) const
{
    return FormatSpan(*this, LoadFormat(nID));
}

// ---- CTime ----

CTime CTime::GetCurrentTime()
{
    return CTime(static_cast<__time64_t>(time(nullptr)));
}

BOOL CTime::IsValidFILETIME(const FILETIME& ft)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st))
        return FALSE;
    return st.wYear >= 1900 ? TRUE : FALSE;
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(LocalTimeFromFields(nYear, nMonth, nDay, nHour, nMin, nSec, nDST))
{
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : m_time(LocalTimeFromFields(1980 + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
                                 (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST))
{
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : m_time(LocalTimeFromFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST))
{
}

CTime::CTime(const FILETIME& ft, int nDST) : m_time(0)
{
    // The framework goes through local calendar fields, so nDST applies here too.
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st))
        AfxThrowInvalidArgException();
    m_time = LocalTimeFromFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (!ptm)
        return nullptr;
    time_t t = static_cast<time_t>(m_time);
    return gmtime_r(&t, ptm);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (!ptm)
        return nullptr;
    time_t t = static_cast<time_t>(m_time);
    return localtime_r(&t, ptm);
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (!GetLocalTm(&t))
        return false;
    st.wYear = static_cast<WORD>(t.tm_year + 1900);
    st.wMonth = static_cast<WORD>(t.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
    st.wDay = static_cast<WORD>(t.tm_mday);
    st.wHour = static_cast<WORD>(t.tm_hour);
    st.wMinute = static_cast<WORD>(t.tm_min);
    st.wSecond = static_cast<WORD>(t.tm_sec);
    st.wMilliseconds = 0;
    return true;
}

namespace {

struct tm LocalFields(__time64_t value)
{
    struct tm t;
    time_t v = static_cast<time_t>(value);
    if (!localtime_r(&v, &t))
        std::memset(&t, 0, sizeof t);
    return t;
}

}  // namespace

int CTime::GetYear() const { return LocalFields(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalFields(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalFields(m_time).tm_mday; }
int CTime::GetHour() const { return LocalFields(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalFields(m_time).tm_min; }
int CTime::GetSecond() const { return LocalFields(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return LocalFields(m_time).tm_wday + 1; }

CString CTime::Format(LPCSTR pszFormat) const
{
    struct tm t;
    if (!pszFormat || !GetLocalTm(&t))
        return CString();
    return CString(mivo::FormatTime(pszFormat, t).c_str());
}

CString CTime::FormatGmt(LPCSTR pszFormat) const
{
    struct tm t;
    if (!pszFormat || !GetGmtTm(&t))
        return CString();
    return CString(mivo::FormatTime(pszFormat, t).c_str());
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(static_cast<LPCSTR>(LoadFormat(nFormatID)));
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(static_cast<LPCSTR>(LoadFormat(nFormatID)));
}
