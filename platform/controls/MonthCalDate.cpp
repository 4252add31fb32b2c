// Day numbers of the proleptic Gregorian calendar, counted in 400-year eras.
#include "controls/MonthCalDate.h"

namespace mivo {

namespace {

bool Leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

}  // namespace

long CalendarDate::DayNumber() const
{
    int y = year - (month <= 2 ? 1 : 0);
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long mp = (month + 9) % 12;  // March is 0
    long doy = (153 * mp + 2) / 5 + day - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate CalendarDate::FromDayNumber(long days)
{
    days += 719468;
    long era = (days >= 0 ? days : days - 146096) / 146097;
    long doe = days - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    CalendarDate d;
    d.day = (int)(doy - (153 * mp + 2) / 5 + 1);
    d.month = (int)(mp < 10 ? mp + 3 : mp - 9);
    d.year = (int)(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
    return d;
}

int CalendarDate::DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && Leap(year) ? 29 : days[month - 1];
}

bool CalendarDate::Valid(int year, int month, int day)
{
    return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool CalendarDate::FromSystemTime(const SYSTEMTIME& st, CalendarDate* out)
{
    if (!Valid(st.wYear, st.wMonth, st.wDay))
        return false;
    out->year = st.wYear;
    out->month = st.wMonth;
    out->day = st.wDay;
    return true;
}

int CalendarDate::DayOfWeek() const
{
    long n = DayNumber();  // 1 January 1970 was a Thursday
    return (int)(((n % 7) + 7 + 4) % 7);
}

CalendarDate CalendarDate::AddDays(long days) const
{
    return FromDayNumber(DayNumber() + days);
}

CalendarDate CalendarDate::AddMonths(int months) const
{
    long index = (long)year * 12 + (month - 1) + months;
    CalendarDate d;
    d.year = (int)(index / 12);
    d.month = (int)(index % 12) + 1;
    int last = DaysInMonth(d.year, d.month);
    d.day = day > last ? last : day;
    return d;
}

SYSTEMTIME CalendarDate::ToSystemTime() const
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    st.wDayOfWeek = (WORD)DayOfWeek();
    return st;
}

}  // namespace mivo
