// The input box: an empty OK and a cancel leave the caller's buffer alone; long Korean text
// reaches the 128-byte buffer as at most 127 bytes of whole characters, typed or set.
#include "PickerFixture.h"

#include "dialogs/DlgUserInputBox.h"
#include "DialogTestSupport.h"
#include "res/resource.h"

#include <cstring>
#include <string>

using mivo::test::QueueKey;
using mivo::test::QueueText;

namespace {

std::string Repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

struct InputBox : ::testing::Test {
    dialogtest::ProfileApp profile;
    CVXApp& app = profile.app();
    // The caller's 128 bytes, and a guard band behind them.
    char buffer[kUserInputBufferSize + 16];

    InputBox()
    {
        memset(buffer, '#', sizeof(buffer));
    }
    bool Untouched(size_t from = 0) const
    {
        for (size_t i = from; i < sizeof(buffer); ++i)
            if (buffer[i] != '#')
                return false;
        return true;
    }
};

}  // namespace

TEST_F(InputBox, EmptyOKAndCancelLeaveTheBufferAlone)
{
    struct Case {
        const char* typed;
        UINT key;
    } cases[] = {{"", VK_RETURN}, {"앨범", VK_ESCAPE}};
    for (const Case& c : cases) {
        ScriptedOwner run(app);
        std::string title;
        run.script.Then([&](HWND box) {
            title = WindowTextOf(box);
            QueueText(c.typed);
            QueueKey(c.key);
        });
        EXPECT_EQ(0, GetUserInput("새 앨범 이름", buffer)) << c.typed;
        EXPECT_EQ("새 앨범 이름", title);
        EXPECT_TRUE(Untouched()) << c.typed;
    }
}

TEST_F(InputBox, TypedTextArrivesWhole)
{
    ScriptedOwner run(app);
    run.script.Then([](HWND) {
        QueueText("여름 바다 2005");
        QueueKey(VK_RETURN);
    });
    EXPECT_EQ(1, GetUserInput("이름", buffer));
    EXPECT_STREQ("여름 바다 2005", buffer);
    EXPECT_TRUE(Untouched(strlen("여름 바다 2005") + 1));
}

TEST_F(InputBox, LongKoreanTextArrivesAsAtMost127WholeBytes)
{
    struct Case {
        const char* how;
        std::string text;
        bool typed;
        std::string expected;
    } cases[] = {
        {"typed, even count", Repeat("가", 100), true, Repeat("가", 63)},
        {"typed, odd lead", "a" + Repeat("가", 100), true, "a" + Repeat("가", 63)},
        {"set, even count", Repeat("한", 100), false, Repeat("한", 63)},
        {"set, odd lead", "a" + Repeat("한", 100), false, "a" + Repeat("한", 63)},
        {"set, ascii", Repeat("x", 300), false, Repeat("x", 127)},
    };
    for (const Case& c : cases) {
        memset(buffer, '#', sizeof(buffer));
        ScriptedOwner run(app);
        run.script.Then([&](HWND box) {
            if (c.typed)
                QueueText(c.text);
            else
                ::SetDlgItemText(box, IDC_USERINPUT_EDIT, c.text.c_str());
            QueueKey(VK_RETURN);
        });
        EXPECT_EQ(1, GetUserInput("이름", buffer)) << c.how;
        EXPECT_EQ(c.expected, std::string(buffer)) << c.how;
        EXPECT_LE(strlen(buffer), 127u) << c.how;
        EXPECT_TRUE(Untouched(kUserInputBufferSize)) << c.how << ": nothing past the caller's buffer";
    }
}
