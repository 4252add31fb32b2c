// Dates read from fixed-position texts, week numbers and the distance between two dates.
#include "framework/VXUtil.h"

#include <cstdio>
#include <cstring>

namespace {

const int kDaysPerWeek = 7;
// From this day of the year on, a week may end in the next year.
const int kLastWeekDays = 358;
// From this day of a month on, a week may end in the next month.
const int kLastMonthWeekDay = 22;

// The number at [at, at + width) of text, as atoi reads it; 0 past the text's end.
int FieldAt(const char* text, size_t at, size_t width)
{
    const size_t length = text ? strlen(text) : 0;
    if (at >= length)
        return 0;
    char field[8] = {};
    const size_t take = length - at < width ? length - at : width;
    memcpy(field, text + at, take);
    return atoi(field);
}

bool CharAt(const char* text, size_t at, char c)
{
    return text && strlen(text) > at && text[at] == c;
}

// The week of `day` (1-based) in a run of days whose day `day` falls on weekday `dow`
// (1 Sunday): weeks run Sunday to Saturday and week 1 holds day 1.
int WeekInRun(int day, int dow)
{
    const int firstDow = ((dow - 1 - (day - 1)) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    return (day - 1 + firstDow) / kDaysPerWeek + 1;
}

// The Saturday that ends d's week.
COleDateTime WeekEnd(const COleDateTime& d)
{
    return d + COleDateTimeSpan(kDaysPerWeek - d.GetDayOfWeek(), 0, 0, 0);
}

int DateKey(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

int DateKey(const COleDateTime& d)
{
    return DateKey(d.GetYear(), d.GetMonth(), d.GetDay());
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// from moved on by whole months, its day clamped to the target month's length.
int KeyAfterMonths(const COleDateTime& from, int months)
{
    const int total = from.GetYear() * 12 + (from.GetMonth() - 1) + months;
    const int year = total / 12, month = total % 12 + 1;
    const int days = DaysInMonth(year, month);
    return DateKey(year, month, from.GetDay() < days ? from.GetDay() : days);
}

}  // namespace

CTime TimeFromChars(const char* date)
{
    return CTime(FieldAt(date, 0, 4), FieldAt(date, 5, 2), FieldAt(date, 8, 2), 0, 0, 0);
}

CTimeSpan TimeSpanFromChars(const char* from, const char* to)
{
    return TimeFromChars(to) - TimeFromChars(from);
}

COleDateTime OleDateTimeFromChars(const char* text)
{
    if (CharAt(text, 4, '-'))
        return COleDateTime(FieldAt(text, 0, 4), FieldAt(text, 5, 2), FieldAt(text, 8, 2), 0, 0, 0);
    if (CharAt(text, 2, ':'))
        return COleDateTime(2000, 1, 1, FieldAt(text, 0, 2), FieldAt(text, 3, 2), FieldAt(text, 6, 2));
    return COleDateTime();
}

COleDateTime OleDateTimeFromCompactChars(const char* compact)
{
    return COleDateTime(FieldAt(compact, 0, 4), FieldAt(compact, 4, 2), FieldAt(compact, 6, 2), 0, 0, 0);
}

int WeekOfYearFromDateTime(COleDateTime d, int* year)
{
    const int doy = d.GetDayOfYear();
    int y = d.GetYear();
    int week = WeekInRun(doy, d.GetDayOfWeek());
    if (doy > kLastWeekDays && WeekEnd(d).GetYear() > y) {
        week = 1;
        ++y;
    }
    if (year)
        *year = y;
    return week;
}

int WeekOfMonthFromDateTime(COleDateTime d, int* year, int* month)
{
    const int doy = d.GetDayOfYear();
    int y = d.GetYear(), m = d.GetMonth();
    int week = WeekInRun(d.GetDay(), d.GetDayOfWeek());
    if (doy > kLastWeekDays) {
        if (WeekEnd(d).GetYear() > y) {
            week = 1;
            m = 1;
            ++y;
        }
    } else if (d.GetDay() >= kLastMonthWeekDay && WeekEnd(d).GetMonth() != m) {
        week = 1;
        ++m;
    }
    if (year)
        *year = y;
    if (month)
        *month = m;
    return week;
}

int WeekOfYearFromChar(const char* text, int* year)
{
    return WeekOfYearFromDateTime(OleDateTimeFromChars(text), year);
}

int WeekOfMonthFromChar(const char* text, int* year, int* month)
{
    return WeekOfMonthFromDateTime(OleDateTimeFromChars(text), year, month);
}

void FindDurationFromDateTimes(COleDateTime from, COleDateTime to, int* years, int* months, int* days,
                               int* totalDays)
{
    int wholeYears = 0, wholeMonths = 0, restDays = 0, allDays = 0;
    const int target = DateKey(to);
    if (from.GetStatus() == COleDateTime::valid && to.GetStatus() == COleDateTime::valid && DateKey(from) <= target) {
        while (KeyAfterMonths(from, (wholeYears + 1) * 12) <= target)
            ++wholeYears;
        while (wholeMonths < 11 && KeyAfterMonths(from, wholeYears * 12 + wholeMonths + 1) <= target)
            ++wholeMonths;
        const int stepped = KeyAfterMonths(from, wholeYears * 12 + wholeMonths);
        COleDateTime reached(stepped / 10000, stepped / 100 % 100, stepped % 100, from.GetHour(), from.GetMinute(),
                             from.GetSecond());
        restDays = (int)(to - reached).GetDays();
        allDays = (int)(to - from).GetDays();
        if (restDays < 0)
            restDays = 0;
    }
    if (years)
        *years = wholeYears;
    if (months)
        *months = wholeMonths;
    if (days)
        *days = restDays;
    if (totalDays)
        *totalDays = allDays;
}
