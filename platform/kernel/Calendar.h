// Proleptic Gregorian calendar arithmetic shared by the time functions and classes.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace mivo {

inline bool IsLeapYear(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

inline int DaysInMonth(int64_t y, int m)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a date (any year; month 1-12, day 1-31).
inline int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

inline void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

// 0 = Sunday.
inline int DayOfWeekFromDays(int64_t days)
{
    return static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
}

// Fills the calendar fields of `t` (tm_isdst -1, no zone) from seconds counted
// from 1970-01-01 00:00 of the same clock.
void SplitLinearSeconds(int64_t seconds, struct tm& t);

// strftime with the Windows run-time's conventions: %c is "%m/%d/%y %H:%M:%S",
// a '#' flag drops leading zeros from numbers (%#d, %#H ...) and makes %#c and
// %#x long dates. Unknown codes are copied as they are.
std::string FormatTime(const char* format, const struct tm& t);

}  // namespace mivo
