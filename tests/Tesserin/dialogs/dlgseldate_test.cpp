// The date picker and its four launchers: arrow keys across month ends, the starting day from
// each form (today for nothing usable), a click ending it at once, and where it drops.
#include "PickerFixture.h"

#include "dialogs/DlgSelDate.h"
#include "res/resource.h"
#include "support/InputSynth.h"

#include <cstring>
#include <memory>

using mivo::test::ModalScript;
using mivo::test::QueueKey;

namespace {

typedef char* (*Launcher)(char*, const char*, CWnd*);

std::string CalendarDay(HWND dialog)
{
    SYSTEMTIME st = {};
    ::SendDlgItemMessage(dialog, IDC_SELDATE_CALENDAR, MCM_GETCURSEL, 0, (LPARAM)&st);
    char text[24];
    snprintf(text, sizeof(text), "%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
    return text;
}

std::string Today()
{
    return (const char*)COleDateTime::GetCurrentTime().Format("%Y-%m-%d");
}

// A copy of text in a block of exactly its size, so a read past its end is a read past the block.
std::unique_ptr<char[]> Exact(const char* text)
{
    std::unique_ptr<char[]> copy(new char[strlen(text) + 1]);
    memcpy(copy.get(), text, strlen(text) + 1);
    return copy;
}

struct DatePicker : ::testing::Test {
    CWinApp app{"date picker"};
    char out[32];

    DatePicker() { memset(out, '#', sizeof(out)); }
    bool OutUntouched() const
    {
        for (char c : out)
            if (c != '#')
                return false;
        return true;
    }
};

}  // namespace

TEST_F(DatePicker, ArrowsMoveByDaysAndWeeksAcrossMonthEnds)
{
    struct Case {
        const char* initial;
        UINT key;
        const char* chosen;
    } cases[] = {
        {"2005-02-28", VK_DOWN, "2005-03-07"},
        {"2004-02-28", VK_DOWN, "2004-03-06"},
        {"2005-03-01", VK_LEFT, "2005-02-28"},
        {"2004-12-31", VK_RIGHT, "2005-01-01"},
        {"2005-01-03", VK_UP, "2004-12-27"},
    };
    for (const Case& c : cases) {
        ScriptedOwner run(app);
        ModalScript& steps = run.script;
        steps.Then([&](HWND) { QueueKey(c.key); }).Then([&](HWND dialog) {
            EXPECT_EQ(c.chosen, CalendarDay(dialog)) << c.initial;
            QueueKey(VK_RETURN);
        });
        EXPECT_EQ(out, SelectDate(out, c.initial, nullptr)) << c.initial;
        EXPECT_STREQ(c.chosen, out) << c.initial;
    }
}

TEST_F(DatePicker, EachLauncherOpensOnItsFormAndAnswersInIt)
{
    struct Case {
        Launcher launcher;
        const char* initial;
        const char* shown;
        const char* answer;
    } cases[] = {
        {SelectDate, "2003-12-25", "2003-12-25", "2003-12-25"},
        {SelectCompactDate, "20031225", "2003-12-25", "20031225"},
        {SelectMonth, "2004-02", "2004-02-01", "2004-02"},
        {SelectCompactMonth, "200402", "2004-02-01", "200402"},
    };
    for (const Case& c : cases) {
        ScriptedOwner run(app);
        ModalScript& steps = run.script;
        steps.Then([&](HWND dialog) {
            EXPECT_EQ(c.shown, CalendarDay(dialog)) << c.initial;
            QueueKey(VK_RETURN);
        });
        memset(out, '#', sizeof(out));
        EXPECT_EQ(out, c.launcher(out, c.initial, nullptr)) << c.initial;
        EXPECT_STREQ(c.answer, out) << c.initial;
    }
}

TEST_F(DatePicker, MonthFromAReadOnlyLiteralKeepsTheMonthOfTheChosenDay)
{
    ScriptedOwner run(app);
    run.script.Then([](HWND) { QueueKey(VK_RIGHT); }).Then([](HWND dialog) {
        EXPECT_EQ("2004-02-02", CalendarDay(dialog));
        QueueKey(VK_RETURN);
    });
    // A literal lives in read-only memory: a launcher writing into it would crash here.
    EXPECT_EQ(out, SelectMonth(out, "2004-02", nullptr));
    EXPECT_STREQ("2004-02", out);
}

TEST_F(DatePicker, NothingUsableOpensOnToday)
{
    const char* initials[] = {"", "1900-01-01", "1899-12-30", "2005-13-40", "2005-02-2", "2005", "abcd-ef-gh"};
    for (const char* initial : initials) {
        ScriptedOwner run(app);
        ModalScript& steps = run.script;
        steps.Then([&](HWND dialog) {
            EXPECT_EQ(Today(), CalendarDay(dialog)) << "'" << initial << "'";
            QueueKey(VK_ESCAPE);
        });
        std::unique_ptr<char[]> exact = Exact(initial);
        EXPECT_EQ(nullptr, SelectDate(out, exact.get(), nullptr)) << initial;
        EXPECT_TRUE(OutUntouched()) << initial;
    }
}

TEST_F(DatePicker, ShortCompactTextsAndNullOpenOnToday)
{
    struct Case {
        Launcher launcher;
        const char* initial;
    } cases[] = {
        {SelectCompactDate, "2005022"}, {SelectCompactMonth, "20052"}, {SelectMonth, "2005-"},
        {SelectDate, nullptr},          {SelectCompactDate, nullptr},  {SelectMonth, nullptr},
    };
    for (const Case& c : cases) {
        ScriptedOwner run(app);
        ModalScript& steps = run.script;
        steps.Then([&](HWND dialog) {
            EXPECT_EQ(Today(), CalendarDay(dialog)) << (c.initial ? c.initial : "null");
            QueueKey(VK_ESCAPE);
        });
        std::unique_ptr<char[]> exact = c.initial ? Exact(c.initial) : nullptr;
        EXPECT_EQ(nullptr, c.launcher(out, exact.get(), nullptr));
    }
}

TEST_F(DatePicker, AClickOnADayEndsItAtOnce)
{
    ScriptedOwner run(app);
    run.script.Then([](HWND dialog) {
        HWND calendar = ::GetDlgItem(dialog, IDC_SELDATE_CALENDAR);
        RECT client;
        ::GetClientRect(calendar, &client);
        for (int y = 0; y < client.bottom; y += 2) {
            for (int x = 0; x < client.right; x += 2) {
                MCHITTESTINFO hit = {sizeof(hit)};
                hit.pt = {x, y};
                if (::SendMessage(calendar, MCM_HITTEST, 0, (LPARAM)&hit) == MCHT_CALENDARDATE &&
                    hit.st.wMonth == 6 && hit.st.wDay == 17) {
                    mivo::test::Click(calendar, x, y);
                    return;
                }
            }
        }
        ADD_FAILURE() << "no point shows 17 June";
    });
    ASSERT_EQ(out, SelectDate(out, "2005-06-01", nullptr));
    EXPECT_STREQ("2005-06-17", out);
}

TEST_F(DatePicker, DropsUnderItsAnchorOrAboveItAtTheScreenCorner)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        CRect anchor;
        bool atCorner;
    } cases[] = {
        {CRect(100, 80, 220, 102), false},
        {CRect(screenWidth - 60, screenHeight - 22, screenWidth, screenHeight), true},
    };
    for (const Case& c : cases) {
        CWnd anchor;
        ASSERT_TRUE(anchor.CreateEx(0, "Edit", "2005-02-28", WS_POPUP | WS_VISIBLE | WS_BORDER, c.anchor, nullptr, 0));
        ScriptedOwner run(app);
        ModalScript& steps = run.script;
        CRect placed;
        steps.Then([&](HWND dialog) {
            ::GetWindowRect(dialog, &placed);
            QueueKey(VK_ESCAPE);
        });
        EXPECT_EQ(nullptr, SelectDate(out, "2005-02-28", &anchor));
        EXPECT_EQ("2005-02-28", WindowTextOf(anchor.m_hWnd)) << "a cancelled pick leaves the field alone";
        if (c.atCorner) {
            EXPECT_EQ(screenWidth, placed.right);
            EXPECT_EQ(c.anchor.top, placed.bottom);
        } else {
            EXPECT_EQ(c.anchor.left, placed.left);
            EXPECT_EQ(c.anchor.bottom, placed.top);
        }
        anchor.DestroyWindow();
    }
}

TEST_F(DatePicker, TheChosenDayIsWrittenIntoTheAnchor)
{
    CWnd anchor;
    ASSERT_TRUE(anchor.CreateEx(0, "Edit", "20050228", WS_POPUP | WS_VISIBLE | WS_BORDER, CRect(50, 50, 150, 70),
                                nullptr, 0));
    ScriptedOwner run(app);
    run.script.Then([](HWND) { QueueKey(VK_DOWN); }).Then([](HWND) { QueueKey(VK_RETURN); });
    EXPECT_EQ(out, SelectCompactDate(out, "20050228", &anchor));
    EXPECT_STREQ("20050307", out);
    EXPECT_EQ("20050307", WindowTextOf(anchor.m_hWnd));
    anchor.DestroyWindow();
}
