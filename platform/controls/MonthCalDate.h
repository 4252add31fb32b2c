// Calendar arithmetic for the month calendar: proleptic Gregorian dates as
// day numbers, so that adding days and finding weekdays is plain arithmetic.
#pragma once

#include "win32/systime.h"

namespace mivo {

struct CalendarDate {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31

    static const int kMinYear = 1601;
    static const int kMaxYear = 9999;

    // Days since 1 January 1970 (negative before).
    long DayNumber() const;
    static CalendarDate FromDayNumber(long days);
    static int DaysInMonth(int year, int month);
    static bool Valid(int year, int month, int day);
    static bool FromSystemTime(const SYSTEMTIME& st, CalendarDate* out);

    // 0 Sunday .. 6 Saturday.
    int DayOfWeek() const;
    CalendarDate AddDays(long days) const;
    // The same day `months` later, the last of the month when it has fewer days.
    CalendarDate AddMonths(int months) const;
    SYSTEMTIME ToSystemTime() const;
    bool operator==(const CalendarDate& o) const { return year == o.year && month == o.month && day == o.day; }
    bool operator<(const CalendarDate& o) const { return DayNumber() < o.DayNumber(); }
};

}  // namespace mivo
