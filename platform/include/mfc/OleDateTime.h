// COleDateTime and COleDateTimeSpan: dates as days since 30 December 1899
// (the time of day is the fraction; before that day the fraction still counts
// forward from midnight), years 100 to 9999, with a valid/invalid/null status.
#pragma once

#include "win32/systime.h"
#include "mfc/String.h"

#include <ctime>

#ifndef MIVO_HAVE_DATE
#define MIVO_HAVE_DATE
typedef double DATE;
#endif

#ifndef VAR_TIMEVALUEONLY
#define VAR_TIMEVALUEONLY ((DWORD)0x00000001)
#define VAR_DATEVALUEONLY ((DWORD)0x00000002)
#endif
#ifndef LOCALE_USER_DEFAULT
#define LANG_USER_DEFAULT ((WORD)0x0400)
#define LOCALE_USER_DEFAULT ((LCID)0x0400)
#define LOCALE_SYSTEM_DEFAULT ((LCID)0x0800)
#endif

class COleDateTimeSpan;

class AFX_EXT_CLASS COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    static COleDateTime GetCurrentTime();

    COleDateTime();  // 0.0: 30 December 1899, midnight, valid
    COleDateTime(DATE dtSrc);
    COleDateTime(time_t timeSrc);  // local time
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);  // UTC, shown in local time
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime(WORD wDosDate, WORD wDosTime);

    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(time_t timeSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(const FILETIME& filetimeSrc);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // Parts of a valid date; -1 for an invalid or null one.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;  // 1 = 1 January
    bool GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // 0 on success; 1 for a date or time that does not exist (status invalid).
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);
    int SetTime(int nHour, int nMin, int nSec);  // on 30 December 1899

    // Understands "2024-01-05", "2024/1/5", "2024.01.05", "2024년 1월 5일", "1/5/2024",
    // each optionally followed by a time, and times "13:04", "13:04:05", "1:04 PM",
    // "오후 1:04:05". VAR_DATEVALUEONLY or VAR_TIMEVALUEONLY drop the other part.
    // On failure the status is invalid and the result FALSE.
    bool ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // The Korean regional form: "2024-01-05 오후 3:04:05"; the date alone at
    // midnight, the time alone on day 0. "Invalid DateTime" when invalid, empty when null.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // strftime codes on the local calendar fields (%#d and friends drop leading zeros).
    CString Format(LPCSTR lpszFormat) const;
    // (No Format(UINT nFormatID): DWORD and UINT are one type here, so it would
    // collide with Format(dwFlags). Load the format string and pass it instead.)

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const;
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const;
    bool operator<=(const COleDateTime& date) const;
    bool operator>=(const COleDateTime& date) const;

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    DATE m_dt;
    DateTimeStatus m_status;

private:
    bool GetParts(struct tm& parts) const;
    void SetFromSystemTime(const SYSTEMTIME& st);
};

class AFX_EXT_CLASS COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan();
    COleDateTimeSpan(double dblSpanSrc);
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);
    operator double() const { return m_span; }

    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;
    // Parts, rounded to the second, with the sign of the span.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    // %D days, %H hours, %M minutes, %S seconds (two digits), %% a percent sign.
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nID) const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan operator-() const;

    bool operator==(const COleDateTimeSpan& dateSpan) const;
    bool operator!=(const COleDateTimeSpan& dateSpan) const;
    bool operator<(const COleDateTimeSpan& dateSpan) const;
    bool operator>(const COleDateTimeSpan& dateSpan) const;
    bool operator<=(const COleDateTimeSpan& dateSpan) const;
    bool operator>=(const COleDateTimeSpan& dateSpan) const;

    double m_span;
    DateTimeSpanStatus m_status;

private:
    long long RoundedSeconds() const;
};
