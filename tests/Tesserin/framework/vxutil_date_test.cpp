// Date helpers: fixed-position readers, week numbers against a plain Sunday-week count, and
// the distance between two dates.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"

#include <string>

namespace {

std::string Text(const COleDateTime& d)
{
    if (d.GetStatus() != COleDateTime::valid)
        return "invalid";
    return (const char*)d.Format("%Y-%m-%d %H:%M:%S");
}

int MonthLength(int y, int m)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0) ? 29 : kDays[m - 1];
}

}  // namespace

TEST(VXUtilDate, ReadersTakeFixedPositions)
{
    const struct {
        const char* text;
        const char* date;
    } cases[] = {
        {"2004-02-29", "2004-02-29 00:00:00"},
        {"2004-02-29 13:00", "2004-02-29 00:00:00"},
        {"13:04:05", "2000-01-01 13:04:05"},
        {"", "1899-12-30 00:00:00"},
        {"20040229", "1899-12-30 00:00:00"},
        {"abc", "1899-12-30 00:00:00"},
        {"2004-02", "invalid"},
        {"2004-", "invalid"},
        {"13:", "2000-01-01 13:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.date, Text(OleDateTimeFromChars(c.text))) << c.text;
    EXPECT_EQ("2003-12-25 00:00:00", Text(OleDateTimeFromCompactChars("20031225")));
    EXPECT_EQ("invalid", Text(OleDateTimeFromCompactChars("2003")));

    CTime t = TimeFromChars("2003-12-25");
    EXPECT_EQ(2003, t.GetYear());
    EXPECT_EQ(12, t.GetMonth());
    EXPECT_EQ(25, t.GetDay());
    EXPECT_EQ(0, t.GetHour());
    EXPECT_EQ(7, TimeSpanFromChars("2003-12-25", "2004-01-01").GetDays());
}

TEST(VXUtilDate, WeeksOfEveryDayMatchAPlainSundayWeekCount)
{
    // 1 January 1995 was a Sunday.
    int dow = 1, yearWeek = 0, monthWeek = 0;
    for (int y = 1995; y <= 2030; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const int length = MonthLength(y, m);
            for (int d = 1; d <= length; ++d, dow = dow % 7 + 1) {
                yearWeek = m == 1 && d == 1 ? 1 : yearWeek + (dow == 1);
                monthWeek = d == 1 ? 1 : monthWeek + (dow == 1);
                // A week ending in the next month (or year) is that one's first.
                const bool endsLater = 7 - dow > length - d;
                int wantYearWeek = yearWeek, wantYear = y, wantMonthWeek = monthWeek, wantMonth = m,
                    wantMonthYear = y;
                if (endsLater && m == 12) {
                    wantYearWeek = 1;
                    wantYear = y + 1;
                }
                if (endsLater) {
                    wantMonthWeek = 1;
                    wantMonth = m == 12 ? 1 : m + 1;
                    wantMonthYear = m == 12 ? y + 1 : y;
                }
                const COleDateTime date(y, m, d, 0, 0, 0);
                int year = 0, month = 0;
                ASSERT_EQ(wantYearWeek, WeekOfYearFromDateTime(date, &year)) << Text(date);
                ASSERT_EQ(wantYear, year) << Text(date);
                year = 0;
                ASSERT_EQ(wantMonthWeek, WeekOfMonthFromDateTime(date, &year, &month)) << Text(date);
                ASSERT_EQ(wantMonthYear, year) << Text(date);
                ASSERT_EQ(wantMonth, month) << Text(date);
            }
        }
    }
}

TEST(VXUtilDate, WeeksFromText)
{
    int year = 0, month = 0;
    EXPECT_EQ(1, WeekOfYearFromChar("2023-01-07", &year)) << "a year that begins on a Sunday";
    EXPECT_EQ(2023, year);
    EXPECT_EQ(2, WeekOfYearFromChar("2023-01-08", nullptr));
    EXPECT_EQ(1, WeekOfYearFromChar("2024-12-31", &year));
    EXPECT_EQ(2025, year);
    EXPECT_EQ(1, WeekOfMonthFromChar("2023-10-07", &year, &month)) << "a month that begins on a Sunday";
    EXPECT_EQ(10, month);
    EXPECT_EQ(5, WeekOfMonthFromChar("2023-09-30", &year, &month)) << "a Saturday ends its own week";
    EXPECT_EQ(9, month);
    EXPECT_EQ(1, WeekOfMonthFromChar("2023-08-31", &year, &month));
    EXPECT_EQ(9, month);
    EXPECT_EQ(4, WeekOfMonthFromChar("2023-08-26", nullptr, nullptr));
    EXPECT_EQ(4, WeekOfMonthFromChar("2023-08-20", nullptr, nullptr));
}

TEST(VXUtilDate, DurationInYearsMonthsAndDays)
{
    const struct {
        const char* from;
        const char* to;
        int years, months, days, total;
    } cases[] = {
        {"2000-01-31", "2000-03-01", 0, 1, 1, 30},  // 31 January plus a month is 29 February
        {"2001-02-28", "2004-02-29", 3, 0, 1, 1096},
        {"2004-02-29", "2005-02-28", 1, 0, 0, 365},
        {"2003-05-10", "2003-05-10", 0, 0, 0, 0},
        {"2003-05-10", "2004-05-09", 0, 11, 29, 365},
        {"2004-05-10", "2003-05-10", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int years = -1, months = -1, days = -1, total = -1;
        FindDurationFromDateTimes(OleDateTimeFromChars(c.from), OleDateTimeFromChars(c.to), &years, &months, &days,
                                  &total);
        EXPECT_EQ(c.years, years) << c.from << " - " << c.to;
        EXPECT_EQ(c.months, months) << c.from << " - " << c.to;
        EXPECT_EQ(c.days, days) << c.from << " - " << c.to;
        EXPECT_EQ(c.total, total) << c.from << " - " << c.to;
    }
    FindDurationFromDateTimes(OleDateTimeFromChars("2000-01-01"), OleDateTimeFromChars("2001-01-01"), nullptr,
                              nullptr, nullptr, nullptr);
}
