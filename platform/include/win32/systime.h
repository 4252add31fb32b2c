// Clock and calendar: SYSTEMTIME, FILETIME, tick counts, the local time zone.
//
// Local time is the process's time zone (TZ, else /etc/localtime).
#pragma once

#include "win32/types.h"
#include "win32/errors.h"

#include <ctime>

typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

// 100-nanosecond intervals since 1 January 1601 (UTC unless named local).
// FILETIME is shared with the file functions; whichever header comes first defines it.
#ifndef MIVO_HAVE_FILETIME
#define MIVO_HAVE_FILETIME
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;
#endif

typedef struct _TIME_ZONE_INFORMATION {
    LONG Bias;  // minutes: UTC = local time + Bias
    WCHAR StandardName[32];
    SYSTEMTIME StandardDate;
    LONG StandardBias;
    WCHAR DaylightName[32];
    SYSTEMTIME DaylightDate;
    LONG DaylightBias;
} TIME_ZONE_INFORMATION, *PTIME_ZONE_INFORMATION, *LPTIME_ZONE_INFORMATION;

#define TIME_ZONE_ID_INVALID ((DWORD)0xFFFFFFFF)
#define TIME_ZONE_ID_UNKNOWN 0
#define TIME_ZONE_ID_STANDARD 1
#define TIME_ZONE_ID_DAYLIGHT 2

void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
// Programs may not set the clock: both fail with ERROR_PRIVILEGE_NOT_HELD.
BOOL SetLocalTime(const SYSTEMTIME* lpSystemTime);
BOOL SetSystemTime(const SYSTEMTIME* lpSystemTime);

// Milliseconds since boot (suspend included), wrapping after 49.7 days; never goes back.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
DWORD timeGetTime();
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);

// Conversions. A SYSTEMTIME must name a real date from 1601 to 30827 with a valid
// time of day; wDayOfWeek is ignored on input and filled in on output.
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
// Both use the bias in force now (daylight saving included), as Windows does,
// not the one in force at the converted time.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
// -1, 0 or 1.
LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);
BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZone, const SYSTEMTIME* lpUniversalTime,
                                     LPSYSTEMTIME lpLocalTime);
// The current zone's bias and names; daylight saving is reported by its current
// state, without transition dates.
DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation);

// MS-DOS date and time words (2-second resolution, years 1980 to 2107). No zone
// conversion happens: callers convert to local time first, as on Windows.
BOOL FileTimeToDosDateTime(const FILETIME* lpFileTime, LPWORD lpFatDate, LPWORD lpFatTime);
BOOL DosDateTimeToFileTime(WORD wFatDate, WORD wFatTime, LPFILETIME lpFileTime);
