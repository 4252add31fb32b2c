// CTime (a moment as C time, seconds since 1970 UTC, shown in local time) and
// CTimeSpan (a signed number of seconds).
#pragma once

#include "win32/systime.h"
#include "mfc/String.h"

#include <ctime>

// The framework's 64-bit C time; time_t is 64 bits here already.
#ifndef MIVO_HAVE_TIME64
#define MIVO_HAVE_TIME64
typedef time_t __time64_t;
#endif

class AFX_EXT_CLASS CTimeSpan {
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(__time64_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONGLONG GetDays() const { return m_timeSpan / 86400; }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_timeSpan; }

    // %D days, %H hours, %M minutes, %S seconds (two digits), %% a percent sign.
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nID) const;

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }
    CTimeSpan operator-() const { return CTimeSpan(-m_timeSpan); }
    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

private:
    __time64_t m_timeSpan;
};

class AFX_EXT_CLASS CTime {
public:
    static CTime GetCurrentTime();
    static BOOL IsValidFILETIME(const FILETIME& ft);

    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    // Local time; nDST -1 lets the time zone decide, 0 means standard time and 1
    // daylight saving time. Fields out of range (year before 1900, month 13,
    // day 0 ...) throw CInvalidArgException, as the framework does. Days past the
    // end of a month roll over (31 April is 1 May).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    CTime(const FILETIME& ft, int nDST = -1);  // UTC file time

    CTime& operator=(__time64_t time) { m_time = time; return *this; }

    __time64_t GetTime() const { return m_time; }
    struct tm* GetGmtTm(struct tm* ptm) const;
    struct tm* GetLocalTm(struct tm* ptm) const;
    bool GetAsSystemTime(SYSTEMTIME& st) const;  // local time

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday

    // strftime codes in local time (Format) or UTC (FormatGmt); see FormatTime for
    // the Windows conventions (%#d, %c).
    CString Format(LPCSTR pszFormat) const;
    CString FormatGmt(LPCSTR pszFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    __time64_t m_time;
};
