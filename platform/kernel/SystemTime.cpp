// Clock, calendar conversions and the local time zone.
#include "win32/systime.h"

#include "Calendar.h"
#include "mivo/filetime.h"

#include <cstring>
#include <time.h>

namespace {

using namespace mivo;

constexpr int64_t kTicksPerSecond = 10000000;            // FILETIME units per second
constexpr int64_t kUnixEpochSeconds = 11644473600LL;     // 1601-01-01 to 1970-01-01
constexpr int64_t kMaxFileTime = 0x7FFFFFFFFFFFFFFFLL;   // Windows refuses larger values
constexpr int64_t kSecondsPerDay = 86400;

int64_t ToInt(const FILETIME& ft)
{
    return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

FILETIME FromInt(int64_t v)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) >> 32);
    return ft;
}

// Fills a SYSTEMTIME from seconds since 1970 (any zone) and milliseconds.
void SplitSeconds(int64_t seconds, int milliseconds, SYSTEMTIME& st)
{
    int64_t days = seconds / kSecondsPerDay;
    int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    int64_t y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeekFromDays(days));
    st.wHour = static_cast<WORD>(rest / 3600);
    st.wMinute = static_cast<WORD>(rest / 60 % 60);
    st.wSecond = static_cast<WORD>(rest % 60);
    st.wMilliseconds = static_cast<WORD>(milliseconds);
}

bool IsValidSystemTime(const SYSTEMTIME& st)
{
    return st.wYear >= 1601 && st.wYear <= 30827 && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 && st.wMinute < 60 && st.wSecond < 60 &&
           st.wMilliseconds < 1000;
}

timespec Now(clockid_t clock)
{
    timespec ts;
    clock_gettime(clock, &ts);
    return ts;
}

// Seconds east of UTC in force at `t` in the local zone.
long LocalOffsetAt(time_t t)
{
    tm local;
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

void CopyZoneName(const char* name, WCHAR* out)
{
    size_t i = 0;
    for (; name && name[i] && i < 31; ++i)
        out[i] = static_cast<unsigned char>(name[i]);
    out[i] = 0;
}

}  // namespace

namespace mivo {

FILETIME TimeTToFileTime(time_t t)
{
    return FromInt((static_cast<int64_t>(t) + kUnixEpochSeconds) * kTicksPerSecond);
}

time_t FileTimeToTimeT(const FILETIME& ft)
{
    int64_t ticks = ToInt(ft);
    int64_t seconds = ticks / kTicksPerSecond;
    if (ticks < 0 && ticks % kTicksPerSecond != 0)
        --seconds;
    return static_cast<time_t>(seconds - kUnixEpochSeconds);
}

FILETIME TimeSpecToFileTime(const struct timespec& ts)
{
    return FromInt((static_cast<int64_t>(ts.tv_sec) + kUnixEpochSeconds) * kTicksPerSecond + ts.tv_nsec / 100);
}

}  // namespace mivo

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    timespec ts = Now(CLOCK_REALTIME);
    SplitSeconds(ts.tv_sec, static_cast<int>(ts.tv_nsec / 1000000), *lpSystemTime);
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    timespec ts = Now(CLOCK_REALTIME);
    SplitSeconds(ts.tv_sec + LocalOffsetAt(ts.tv_sec), static_cast<int>(ts.tv_nsec / 1000000), *lpSystemTime);
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    *lpSystemTimeAsFileTime = mivo::TimeSpecToFileTime(Now(CLOCK_REALTIME));
}

BOOL SetLocalTime(const SYSTEMTIME*)
{
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
}

BOOL SetSystemTime(const SYSTEMTIME*)
{
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
}

ULONGLONG GetTickCount64()
{
    timespec ts = Now(CLOCK_BOOTTIME);
    return static_cast<ULONGLONG>(ts.tv_sec) * 1000 + static_cast<ULONGLONG>(ts.tv_nsec / 1000000);
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}

DWORD timeGetTime()
{
    return GetTickCount();
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount)
{
    timespec ts = Now(CLOCK_MONOTONIC);
    lpPerformanceCount->QuadPart = static_cast<LONGLONG>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency)
{
    lpFrequency->QuadPart = 1000000000LL;
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime)
{
    if (!lpSystemTime || !lpFileTime || !IsValidSystemTime(*lpSystemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& st = *lpSystemTime;
    int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay);
    int64_t seconds = days * kSecondsPerDay + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
    *lpFileTime = FromInt((seconds + kUnixEpochSeconds) * kTicksPerSecond + st.wMilliseconds * 10000LL);
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    if (!lpFileTime || !lpSystemTime || ToInt(*lpFileTime) < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int64_t ticks = ToInt(*lpFileTime);
    SplitSeconds(ticks / kTicksPerSecond - kUnixEpochSeconds, static_cast<int>(ticks % kTicksPerSecond / 10000),
                 *lpSystemTime);
    return TRUE;
}

namespace {

BOOL ShiftFileTime(const FILETIME* in, LPFILETIME out, int64_t seconds)
{
    if (!in || !out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int64_t value = ToInt(*in);
    int64_t shift = seconds * kTicksPerSecond;
    if (value < 0 || (shift > 0 && value > kMaxFileTime - shift) || value + shift < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *out = FromInt(value + shift);
    return TRUE;
}

}  // namespace

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    return ShiftFileTime(lpFileTime, lpLocalFileTime, LocalOffsetAt(time(nullptr)));
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime)
{
    return ShiftFileTime(lpLocalFileTime, lpFileTime, -LocalOffsetAt(time(nullptr)));
}

LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2)
{
    uint64_t a = (static_cast<uint64_t>(lpFileTime1->dwHighDateTime) << 32) | lpFileTime1->dwLowDateTime;
    uint64_t b = (static_cast<uint64_t>(lpFileTime2->dwHighDateTime) << 32) | lpFileTime2->dwLowDateTime;
    return a < b ? -1 : a > b ? 1 : 0;
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION tzi)
{
    if (!tzi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    tzset();
    std::memset(tzi, 0, sizeof *tzi);
    const time_t now = time(nullptr);
    tm local;
    localtime_r(&now, &local);
    // Standard time has the smaller offset of January and July; daylight the larger.
    tm probe = local;
    probe.tm_mon = 0;
    probe.tm_mday = 1;
    probe.tm_isdst = -1;
    const long january = LocalOffsetAt(mktime(&probe));
    probe = local;
    probe.tm_mon = 6;
    probe.tm_mday = 1;
    probe.tm_isdst = -1;
    const long july = LocalOffsetAt(mktime(&probe));
    const long standard = january < july ? january : july;
    const long daylight = january < july ? july : january;

    tzi->Bias = static_cast<LONG>(-standard / 60);
    tzi->StandardBias = 0;
    tzi->DaylightBias = static_cast<LONG>(-(daylight - standard) / 60);
    CopyZoneName(tzname[0], tzi->StandardName);
    CopyZoneName(tzname[1], tzi->DaylightName);
    if (standard == daylight)
        return TIME_ZONE_ID_UNKNOWN;
    return local.tm_isdst > 0 ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZone, const SYSTEMTIME* lpUniversalTime,
                                     LPSYSTEMTIME lpLocalTime)
{
    FILETIME ft;
    if (!lpLocalTime || !SystemTimeToFileTime(lpUniversalTime, &ft))
        return FALSE;
    const time_t t = mivo::FileTimeToTimeT(ft);
    const long offset = lpTimeZone ? -60L * lpTimeZone->Bias : LocalOffsetAt(t);
    SplitSeconds(static_cast<int64_t>(t) + offset, lpUniversalTime->wMilliseconds, *lpLocalTime);
    return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME* lpFileTime, LPWORD lpFatDate, LPWORD lpFatTime)
{
    SYSTEMTIME st;
    if (!lpFatDate || !lpFatTime || !FileTimeToSystemTime(lpFileTime, &st))
        return FALSE;
    if (st.wYear < 1980 || st.wYear > 2107) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFatDate = static_cast<WORD>(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
    *lpFatTime = static_cast<WORD>((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
    return TRUE;
}

BOOL DosDateTimeToFileTime(WORD wFatDate, WORD wFatTime, LPFILETIME lpFileTime)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(1980 + (wFatDate >> 9));
    st.wMonth = static_cast<WORD>((wFatDate >> 5) & 0x0F);
    st.wDay = static_cast<WORD>(wFatDate & 0x1F);
    st.wHour = static_cast<WORD>(wFatTime >> 11);
    st.wMinute = static_cast<WORD>((wFatTime >> 5) & 0x3F);
    st.wSecond = static_cast<WORD>((wFatTime & 0x1F) * 2);
    return SystemTimeToFileTime(&st, lpFileTime);
}
