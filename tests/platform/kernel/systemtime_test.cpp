#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/filetime.h"

#include <cstdlib>
#include <string>

namespace {

// Runs a test in a fixed time zone (POSIX rules, no zone database needed).
class ZoneTest : public ::testing::Test {
protected:
    void UseZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    void SetUp() override
    {
        const char* old = getenv("TZ");
        hadZone_ = old != nullptr;
        if (old)
            oldZone_ = old;
        UseZone("KST-9");
    }
    void TearDown() override
    {
        if (hadZone_)
            setenv("TZ", oldZone_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool hadZone_ = false;
    std::string oldZone_;
};

SYSTEMTIME MakeSystemTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

ULONGLONG Ticks(const FILETIME& ft)
{
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool ThrowsInvalidArg(void (*make)())
{
    try {
        make();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace

TEST(SystemTime, FileTimeConversionsRoundTrip)
{
    struct Case {
        SYSTEMTIME st;
        ULONGLONG ticks;
        WORD dayOfWeek;
    } cases[] = {
        {MakeSystemTime(1601, 1, 1), 0, 1},
        {MakeSystemTime(1970, 1, 1), 116444736000000000ull, 4},
        {MakeSystemTime(2000, 2, 29, 12, 34, 56, 789), 125963012967890000ull, 2},
        {MakeSystemTime(2024, 12, 31, 23, 59, 59, 999), 133801631999990000ull, 2},
    };
    for (const Case& c : cases) {
        FILETIME ft;
        ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft)) << c.st.wYear;
        EXPECT_EQ(c.ticks, Ticks(ft)) << c.st.wYear;
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
        EXPECT_EQ(c.st.wYear, back.wYear);
        EXPECT_EQ(c.st.wMonth, back.wMonth);
        EXPECT_EQ(c.st.wDay, back.wDay);
        EXPECT_EQ(c.st.wHour, back.wHour);
        EXPECT_EQ(c.st.wMinute, back.wMinute);
        EXPECT_EQ(c.st.wSecond, back.wSecond);
        EXPECT_EQ(c.st.wMilliseconds, back.wMilliseconds);
        EXPECT_EQ(c.dayOfWeek, back.wDayOfWeek) << c.st.wYear;
    }
}

TEST(SystemTime, ImpossibleDatesAreRefused)
{
    const SYSTEMTIME bad[] = {
        MakeSystemTime(2023, 2, 29), MakeSystemTime(1900, 2, 29), MakeSystemTime(2024, 13, 1),
        MakeSystemTime(2024, 4, 31), MakeSystemTime(2024, 1, 1, 24), MakeSystemTime(1600, 12, 31),
        MakeSystemTime(2024, 1, 0),  MakeSystemTime(2024, 1, 1, 0, 0, 0, 1000),
    };
    for (const SYSTEMTIME& st : bad) {
        FILETIME ft;
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&st, &ft)) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    }
    SYSTEMTIME leap = MakeSystemTime(2000, 2, 29);
    FILETIME ft;
    EXPECT_TRUE(SystemTimeToFileTime(&leap, &ft));
    FILETIME negative = {0, 0x80000000u};
    SYSTEMTIME out;
    EXPECT_FALSE(FileTimeToSystemTime(&negative, &out));
}

TEST(SystemTime, TimeTAndFileTimeMeet)
{
    const time_t samples[] = {0, 1, 1700000000, -86400, 4102444800};
    for (time_t t : samples) {
        FILETIME ft = mivo::TimeTToFileTime(t);
        EXPECT_EQ(t, mivo::FileTimeToTimeT(ft)) << t;
    }
    EXPECT_EQ(116444736000000000ull, Ticks(mivo::TimeTToFileTime(0)));
    // Sub-second parts are dropped towards the past.
    FILETIME almost = mivo::TimeTToFileTime(10);
    almost.dwLowDateTime += 9999999;
    EXPECT_EQ(10, mivo::FileTimeToTimeT(almost));

    FILETIME a = mivo::TimeTToFileTime(100), b = mivo::TimeTToFileTime(200);
    EXPECT_EQ(-1, CompareFileTime(&a, &b));
    EXPECT_EQ(1, CompareFileTime(&b, &a));
    EXPECT_EQ(0, CompareFileTime(&a, &a));
}

TEST_F(ZoneTest, LocalFileTimesUseTheZone)
{
    FILETIME utc = mivo::TimeTToFileTime(0), local, back;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    EXPECT_EQ(Ticks(utc) + 9ull * 3600 * 10000000, Ticks(local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(Ticks(utc), Ticks(back));

    TIME_ZONE_INFORMATION tzi;
    EXPECT_EQ(static_cast<DWORD>(TIME_ZONE_ID_UNKNOWN), GetTimeZoneInformation(&tzi));
    EXPECT_EQ(-540, tzi.Bias);
    EXPECT_EQ(0, tzi.DaylightBias);

    UseZone("EST5EDT,M3.2.0,M11.1.0");
    DWORD id = GetTimeZoneInformation(&tzi);
    EXPECT_TRUE(id == TIME_ZONE_ID_STANDARD || id == TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(300, tzi.Bias);
    EXPECT_EQ(-60, tzi.DaylightBias);
    EXPECT_EQ(u'E', tzi.StandardName[0]);
}

TEST_F(ZoneTest, LocalAndSystemTimeDifferByTheZone)
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    FILETIME l, u;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &l));
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &u));
    const LONGLONG difference = static_cast<LONGLONG>(Ticks(l) - Ticks(u)) / 10000000;
    EXPECT_NEAR(9 * 3600, difference, 5);

    EXPECT_FALSE(SetLocalTime(&local));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD), GetLastError());
}

TEST(SystemTime, CountersNeverGoBack)
{
    DWORD first = GetTickCount();
    ULONGLONG first64 = GetTickCount64();
    LARGE_INTEGER c1, c2, f;
    QueryPerformanceCounter(&c1);
    Sleep(2);
    QueryPerformanceCounter(&c2);
    EXPECT_GE(GetTickCount() - first, 0u);
    EXPECT_GE(GetTickCount64(), first64);
    EXPECT_GT(c2.QuadPart, c1.QuadPart);
    ASSERT_TRUE(QueryPerformanceFrequency(&f));
    EXPECT_GT(f.QuadPart, 0);
}

TEST(SystemTime, DosDateAndTimeWords)
{
    SYSTEMTIME st = MakeSystemTime(2024, 2, 29, 13, 45, 58);
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    WORD date = 0, time = 0;
    ASSERT_TRUE(FileTimeToDosDateTime(&ft, &date, &time));
    EXPECT_EQ(((2024 - 1980) << 9) | (2 << 5) | 29, date);
    EXPECT_EQ((13 << 11) | (45 << 5) | 29, time);
    FILETIME back;
    ASSERT_TRUE(DosDateTimeToFileTime(date, time, &back));
    EXPECT_EQ(0, CompareFileTime(&ft, &back));

    SYSTEMTIME old = MakeSystemTime(1979, 12, 31);
    SystemTimeToFileTime(&old, &ft);
    EXPECT_FALSE(FileTimeToDosDateTime(&ft, &date, &time));
}

TEST_F(ZoneTest, CTimeFieldsFormatAndArithmetic)
{
    CTime t(2024, 2, 28, 21, 5, 9);
    EXPECT_EQ(2024, t.GetYear());
    EXPECT_EQ(2, t.GetMonth());
    EXPECT_EQ(28, t.GetDay());
    EXPECT_EQ(21, t.GetHour());
    EXPECT_EQ(5, t.GetMinute());
    EXPECT_EQ(9, t.GetSecond());
    EXPECT_EQ(4, t.GetDayOfWeek());  // Wednesday
    EXPECT_EQ(1709121909, t.GetTime());

    EXPECT_STREQ("2024-02-28 21:05:09", t.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2024-02-28 12:05:09", t.FormatGmt("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("Wednesday, February 28", t.Format("%A, %B %d"));
    EXPECT_STREQ("2/28/2024 9:5", t.Format("%#m/%#d/%Y %#I:%#M"));
    EXPECT_STREQ("02/28/24 21:05:09", t.Format("%c"));
    EXPECT_STREQ("100% 2024년", t.Format("100%% %Y년"));
    CString stamp = t.Format("[APPLOG %Y-%m-%d %H:%M:%S]\r\n");
    EXPECT_EQ(30, stamp.GetLength());

    // Leap day and month ends.
    EXPECT_STREQ("2024-02-29", (t + CTimeSpan(1, 0, 0, 0)).Format("%Y-%m-%d"));
    EXPECT_STREQ("2024-03-01", (t + CTimeSpan(2, 0, 0, 0)).Format("%Y-%m-%d"));
    EXPECT_STREQ("2023-03-01", (CTime(2023, 2, 28, 0, 0, 0) + CTimeSpan(1, 0, 0, 0)).Format("%Y-%m-%d"));
    EXPECT_STREQ("2024-05-01", CTime(2024, 4, 31, 0, 0, 0).Format("%Y-%m-%d"));  // rolls over
    EXPECT_EQ(29, (CTime(2024, 3, 1, 0, 0, 0) - CTime(2024, 2, 1, 0, 0, 0)).GetDays());
    EXPECT_EQ(365, (CTime(2024, 1, 1, 0, 0, 0) - CTime(2023, 1, 1, 0, 0, 0)).GetDays());

    CTime u = t;
    u += CTimeSpan(0, 3, 0, 0);
    EXPECT_EQ(0, u.GetHour());
    EXPECT_TRUE(u > t);
    u -= CTimeSpan(0, 3, 0, 0);
    EXPECT_TRUE(u == t);
}

TEST_F(ZoneTest, CTimeRefusesFieldsOutOfRange)
{
    EXPECT_TRUE(ThrowsInvalidArg([] { CTime(2024, 13, 1, 0, 0, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([] { CTime(2024, 1, 0, 0, 0, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([] { CTime(1899, 1, 1, 0, 0, 0); }));
    EXPECT_TRUE(ThrowsInvalidArg([] { CTime(2024, 1, 1, 24, 0, 0); }));
    EXPECT_FALSE(ThrowsInvalidArg([] { CTime(2024, 2, 29, 23, 59, 59); }));
}

TEST_F(ZoneTest, CTimeFromSystemAndFileTimes)
{
    SYSTEMTIME st = MakeSystemTime(2024, 7, 1, 8, 30, 0);
    CTime local(st);
    EXPECT_EQ(8, local.GetHour());
    SYSTEMTIME back;
    ASSERT_TRUE(local.GetAsSystemTime(back));
    EXPECT_EQ(1, back.wDay);
    EXPECT_EQ(1, back.wDayOfWeek);  // Monday

    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);  // 08:30 UTC
    CTime fromFile(ft);
    EXPECT_EQ(17, fromFile.GetHour());
    EXPECT_EQ(local.GetTime() + 9 * 3600, fromFile.GetTime());
}

TEST(TimeSpan, PartsAndFormat)
{
    CTimeSpan span(3, 4, 5, 6);
    EXPECT_EQ(3, span.GetDays());
    EXPECT_EQ(4, span.GetHours());
    EXPECT_EQ(5, span.GetMinutes());
    EXPECT_EQ(6, span.GetSeconds());
    EXPECT_EQ(76, span.GetTotalHours());
    EXPECT_EQ(3 * 86400 + 4 * 3600 + 5 * 60 + 6, span.GetTotalSeconds());
    EXPECT_STREQ("3 days 04:05:06 100%", span.Format("%D days %H:%M:%S 100%%"));

    CTimeSpan negative = -span;
    EXPECT_EQ(-3, negative.GetDays());
    EXPECT_EQ(-4, negative.GetHours());
    EXPECT_TRUE(negative < span);
    EXPECT_EQ(0, (span + negative).GetTotalSeconds());
}

TEST(OleDateTime, SetDateValidatesTheCalendar)
{
    struct Case {
        int y, m, d;
        bool ok;
    } cases[] = {
        {2024, 2, 29, true}, {2023, 2, 29, false}, {2000, 2, 29, true}, {1900, 2, 29, false},
        {2024, 4, 31, false}, {2024, 12, 31, true}, {2024, 0, 1, false}, {2024, 13, 1, false},
        {99, 1, 1, false},    {100, 1, 1, true},    {9999, 12, 31, true}, {10000, 1, 1, false},
    };
    for (const Case& c : cases) {
        COleDateTime date;
        EXPECT_EQ(c.ok ? 0 : 1, date.SetDate(c.y, c.m, c.d)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(c.ok ? COleDateTime::valid : COleDateTime::invalid, date.GetStatus());
        if (!c.ok) {
            EXPECT_EQ(-1, date.GetYear());
            EXPECT_STREQ("Invalid DateTime", date.Format("%Y"));
        }
    }
    COleDateTime t;
    EXPECT_EQ(1, t.SetTime(24, 0, 0));
    EXPECT_EQ(1, t.SetDateTime(2024, 1, 1, 12, 60, 0));
    EXPECT_EQ(0, t.SetTime(23, 59, 59));
    EXPECT_EQ(1899, t.GetYear());
}

TEST(OleDateTime, DayZeroAndEarlierDates)
{
    COleDateTime zero;
    EXPECT_EQ(COleDateTime::valid, zero.GetStatus());
    EXPECT_EQ(1899, zero.GetYear());
    EXPECT_EQ(12, zero.GetMonth());
    EXPECT_EQ(30, zero.GetDay());
    EXPECT_EQ(7, zero.GetDayOfWeek());  // Saturday

    COleDateTime morning(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(-1.25, morning.m_dt);
    COleDateTime evening(1899, 12, 29, 18, 0, 0);
    EXPECT_DOUBLE_EQ(-1.75, evening.m_dt);
    EXPECT_TRUE(morning < evening);  // not the plain order of the numbers
    EXPECT_EQ(6, COleDateTime(-1.25).GetHour());
    EXPECT_NEAR(0.5, (evening - morning).GetTotalDays(), 1e-9);
    EXPECT_STREQ("1899-12-30 00:00", (evening + COleDateTimeSpan(0, 6, 0, 0)).Format("%Y-%m-%d %H:%M"));
}

TEST(OleDateTime, ArithmeticAcrossMonthEndsAndLeapYears)
{
    COleDateTime jan31(2024, 1, 31, 0, 0, 0);
    EXPECT_STREQ("2024-02-01", (jan31 + COleDateTimeSpan(1, 0, 0, 0)).Format("%Y-%m-%d"));
    COleDateTime feb28(2024, 2, 28, 0, 0, 0);
    EXPECT_STREQ("2024-02-29", (feb28 + COleDateTimeSpan(1)).Format("%Y-%m-%d"));
    EXPECT_EQ(29, (COleDateTime(2024, 3, 1, 0, 0, 0) - COleDateTime(2024, 2, 1, 0, 0, 0)).GetDays());
    EXPECT_EQ(28, (COleDateTime(2023, 3, 1, 0, 0, 0) - COleDateTime(2023, 2, 1, 0, 0, 0)).GetDays());
    EXPECT_EQ(366, COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear());
    EXPECT_EQ(60, COleDateTime(2024, 2, 29, 0, 0, 0).GetDayOfYear());

    COleDateTime t(2024, 12, 31, 23, 30, 0);
    t += COleDateTimeSpan(0, 1, 0, 0);
    EXPECT_STREQ("2025-01-01 00:30:00", t.Format("%Y-%m-%d %H:%M:%S"));
    t -= COleDateTimeSpan(0, 0, 31, 0);
    EXPECT_STREQ("2024-12-31 23:59:00", t.Format("%Y-%m-%d %H:%M:%S"));

    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(COleDateTime::invalid, (invalid + COleDateTimeSpan(1)).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (invalid - t).GetStatus());
}

TEST(OleDateTime, FormatsInTheKoreanRegionalForm)
{
    EXPECT_STREQ("2024-01-05 오후 3:04:05", COleDateTime(2024, 1, 5, 15, 4, 5).Format());
    EXPECT_STREQ("2024-01-05 오전 12:00:01", COleDateTime(2024, 1, 5, 0, 0, 1).Format());
    EXPECT_STREQ("2024-01-05", COleDateTime(2024, 1, 5, 0, 0, 0).Format());
    EXPECT_STREQ("오전 9:30:00", COleDateTime(1899, 12, 30, 9, 30, 0).Format());
    EXPECT_STREQ("2024-01-05", COleDateTime(2024, 1, 5, 15, 4, 5).Format(VAR_DATEVALUEONLY));
    EXPECT_STREQ("오후 3:04:05", COleDateTime(2024, 1, 5, 15, 4, 5).Format(VAR_TIMEVALUEONLY));
    COleDateTime null;
    null.SetStatus(COleDateTime::null);
    EXPECT_STREQ("", null.Format());
    EXPECT_STREQ("20240105", COleDateTime(2024, 1, 5, 0, 0, 0).Format("%Y%m%d"));
}

TEST(OleDateTime, ParsesCommonForms)
{
    struct Case {
        const char* text;
        int y, mo, d, h, mi, s;
    } cases[] = {
        {"2024-01-05", 2024, 1, 5, 0, 0, 0},
        {"2024/1/5 13:04", 2024, 1, 5, 13, 4, 0},
        {"  2024.01.05 13:04:05 ", 2024, 1, 5, 13, 4, 5},
        {"2024년 1월 5일", 2024, 1, 5, 0, 0, 0},
        {"1/5/2024 1:04 PM", 2024, 1, 5, 13, 4, 0},
        {"2024-01-05 오후 3:04:05", 2024, 1, 5, 15, 4, 5},
        {"오전 12:30", 1899, 12, 30, 0, 30, 0},
        {"13:04:05", 1899, 12, 30, 13, 4, 5},
    };
    for (const Case& c : cases) {
        COleDateTime t;
        ASSERT_TRUE(t.ParseDateTime(c.text)) << c.text;
        EXPECT_EQ(c.y, t.GetYear()) << c.text;
        EXPECT_EQ(c.mo, t.GetMonth()) << c.text;
        EXPECT_EQ(c.d, t.GetDay()) << c.text;
        EXPECT_EQ(c.h, t.GetHour()) << c.text;
        EXPECT_EQ(c.mi, t.GetMinute()) << c.text;
        EXPECT_EQ(c.s, t.GetSecond()) << c.text;
    }
    const char* bad[] = {"", "   ", "2024-02-30", "2024-13-01", "25:00", "hello", "2024-01-05 13", "13:4x",
                         "12345678901234567890-1-1", "13:00 PM"};
    for (const char* text : bad) {
        COleDateTime t(2024, 1, 1, 0, 0, 0);
        EXPECT_FALSE(t.ParseDateTime(text)) << text;
        EXPECT_EQ(COleDateTime::invalid, t.GetStatus()) << text;
    }
    COleDateTime dateOnly;
    ASSERT_TRUE(dateOnly.ParseDateTime("2024-01-05 13:04", VAR_DATEVALUEONLY));
    EXPECT_EQ(0, dateOnly.GetHour());
    COleDateTime timeOnly;
    ASSERT_TRUE(timeOnly.ParseDateTime("2024-01-05 13:04", VAR_TIMEVALUEONLY));
    EXPECT_EQ(1899, timeOnly.GetYear());
    EXPECT_EQ(13, timeOnly.GetHour());
}

TEST_F(ZoneTest, OleDateTimeFromSystemFileAndCTimes)
{
    SYSTEMTIME st = MakeSystemTime(2024, 7, 1, 8, 30, 15, 500);
    COleDateTime fromSystem(st);
    EXPECT_STREQ("2024-07-01 08:30:15", fromSystem.Format("%Y-%m-%d %H:%M:%S"));
    SYSTEMTIME back;
    ASSERT_TRUE(fromSystem.GetAsSystemTime(back));
    EXPECT_EQ(1, back.wDayOfWeek);
    EXPECT_EQ(15, back.wSecond);

    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    EXPECT_EQ(17, COleDateTime(ft).GetHour());  // UTC shown in local time

    COleDateTime fromTimeT(static_cast<time_t>(0));
    EXPECT_STREQ("1970-01-01 09:00:00", fromTimeT.Format("%Y-%m-%d %H:%M:%S"));

    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_GE(now.GetYear(), 2024);
}

TEST(OleDateTimeSpan, PartsFollowTheSign)
{
    COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(2, span.GetDays());
    EXPECT_EQ(3, span.GetHours());
    EXPECT_EQ(4, span.GetMinutes());
    EXPECT_EQ(5, span.GetSeconds());
    EXPECT_NEAR(51.0683, span.GetTotalHours(), 1e-3);
    EXPECT_STREQ("2 03:04:05", span.Format("%D %H:%M:%S"));

    COleDateTimeSpan negative = -span;
    EXPECT_EQ(-2, negative.GetDays());
    EXPECT_EQ(-3, negative.GetHours());
    EXPECT_TRUE(negative < span);
    EXPECT_EQ(0, (span + negative).GetTotalSeconds());
    EXPECT_EQ(span, COleDateTimeSpan(2.0) + COleDateTimeSpan(0, 3, 4, 5));
}
