// MCI command strings over the virtual CD drive: the interpreter's words, answers bounded by
// the caller's buffer, Windows error numbers with their texts, and notification.
#include <gtest/gtest.h>

#include "mivo/testing/cdaudio.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <memory>
#include <string>

using mivo::VirtualCdDrive;

namespace {

class Mci : public ::testing::Test {
protected:
    void SetUp() override
    {
        drive = std::make_shared<VirtualCdDrive>();
        drive->InsertDisc({3 * 60 * 75, 4 * 60 * 75 + 10});
        mivo::UseVirtualCdDrive(drive);
        ASSERT_EQ(0u, mciSendString("open cdaudio", nullptr, 0, nullptr));
    }
    void TearDown() override
    {
        mciSendString("close cdaudio", nullptr, 0, nullptr);
        mivo::UseNoCdDrive();
    }

    std::string Ask(const char* command, MCIERROR expected = 0)
    {
        char answer[64];
        memset(answer, 'x', sizeof answer);
        EXPECT_EQ(expected, mciSendString(command, answer, sizeof answer, nullptr)) << command;
        return answer;
    }

    std::shared_ptr<VirtualCdDrive> drive;
};

}  // namespace

TEST_F(Mci, StatusAnswersInMinutesSecondsAndFrames)
{
    struct {
        const char* command;
        const char* answer;
    } cases[] = {
        {"status cdaudio media present", "true"},
        {"status cdaudio mode wait", "stopped"},
        {"STATUS CDAudio Number Of Tracks", "2"},
        {"status cdaudio current track", "1"},
        {"status cdaudio length", "07:00:10"},
        {"status cdaudio length track 2", "04:00:10"},
        {"status cdaudio position track 2", "03:02:00"},
        {"status cdaudio position", "00:02:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, Ask(c.command)) << c.command;
}

TEST_F(Mci, PlayPauseResumeSeekAndDoor)
{
    EXPECT_EQ("", Ask("play cdaudio from 03:02:00 to 03:10:00 wait"));
    EXPECT_EQ("playing", Ask("status cdaudio mode"));
    EXPECT_EQ("2", Ask("status cdaudio current track"));
    Ask("pause cdaudio");
    EXPECT_EQ("paused", Ask("status cdaudio mode"));
    Ask("resume cdaudio");
    EXPECT_EQ("playing", Ask("status cdaudio mode"));
    Ask("stop cdaudio");
    Ask("seek cdaudio to start");
    EXPECT_EQ("00:02:00", Ask("status cdaudio position"));
    Ask("set cdaudio door open");
    EXPECT_TRUE(drive->DoorOpen());
    EXPECT_EQ("open", Ask("status cdaudio mode"));
    EXPECT_EQ("false", Ask("status cdaudio media present"));
    Ask("set cdaudio door closed");
    EXPECT_FALSE(drive->DoorOpen());
}

TEST_F(Mci, ErrorsCarryWindowsNumbers)
{
    struct {
        const char* command;
        MCIERROR error;
    } cases[] = {
        {"", MCIERR_MISSING_COMMAND_STRING},
        {"play", MCIERR_MISSING_DEVICE_NAME},
        {"play videodisc", MCIERR_INVALID_DEVICE_NAME},
        {"open cdaudio", MCIERR_DEVICE_OPEN},
        {"open sequencer", MCIERR_INVALID_DEVICE_NAME},
        {"dance cdaudio", MCIERR_UNRECOGNIZED_COMMAND},
        {"status cdaudio length track 9", MCIERR_OUTOFRANGE},
        {"status cdaudio length track x", MCIERR_BAD_INTEGER},
        {"status cdaudio colour", MCIERR_UNRECOGNIZED_KEYWORD},
        {"play cdaudio from 99:99:99", MCIERR_OUTOFRANGE},
        {"play cdaudio from 1:2:3:4", MCIERR_BAD_INTEGER},
        {"play cdaudio from", MCIERR_MISSING_PARAMETER},
        {"play cdaudio to 00:01:00", MCIERR_OUTOFRANGE},
        {"set cdaudio time format milliseconds", MCIERR_BAD_TIME_FORMAT},
        {"open \"cdaudio", MCIERR_EXTRA_CHARACTERS},
    };
    for (const auto& c : cases) {
        char answer[8] = "stale";
        EXPECT_EQ(c.error, mciSendString(c.command, answer, sizeof answer, nullptr)) << c.command;
        EXPECT_STREQ("", answer) << c.command;
    }
    EXPECT_EQ((MCIERROR)MCIERR_MISSING_COMMAND_STRING, mciSendString(nullptr, nullptr, 0, nullptr));
}

TEST_F(Mci, AnswerIsBoundedByTheCallersLength)
{
    char answer[5];
    EXPECT_EQ((MCIERROR)MCIERR_PARAM_OVERFLOW, mciSendString("status cdaudio length", answer, sizeof answer, nullptr));
    EXPECT_STREQ("07:0", answer);
}

TEST_F(Mci, NotifyPostsTheResultToTheCallbackWindow)
{
    mivo::test::MessageRecorder recorder;
    HWND window = mivo::test::CreateTestWindow("mci", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(0u, mciSendString("play cdaudio notify", nullptr, 0, window));
    EXPECT_NE(0u, mciSendString("play cdaudio from 88:00:00 notify", nullptr, 0, window));
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return recorder.Count(window, MM_MCINOTIFY) == 2; }));
    std::vector<WPARAM> results;
    for (const auto& m : recorder.All())
        if (m.msg == MM_MCINOTIFY)
            results.push_back(m.wParam);
    EXPECT_EQ(std::vector<WPARAM>({MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_FAILURE}), results);
    DestroyWindow(window);
}

TEST_F(Mci, CommandsAreLoggedByTheVirtualDrive)
{
    drive->ClearCommands();
    Ask("Set CDAudio Door Open");
    Ask("status cdaudio mode wait");
    EXPECT_EQ(std::vector<std::string>({"Set CDAudio Door Open", "status cdaudio mode wait"}), drive->Commands());
}

TEST(MciErrorText, KoreanTextsForWindowsNumbers)
{
    char text[128];
    ASSERT_TRUE(mciGetErrorString(MCIERR_INVALID_DEVICE_NAME, text, sizeof text));
    EXPECT_STREQ("지정한 장치가 열려 있지 않거나 MCI가 인식할 수 없습니다.", text);
    EXPECT_EQ(263, MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(262, MCIERR_HARDWARE);
    char small[6];
    EXPECT_TRUE(mciGetErrorString(MCIERR_HARDWARE, small, sizeof small));
    EXPECT_STREQ("미디", small);
    EXPECT_FALSE(mciGetErrorString(12345, text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST(MciWithoutDrive, OpenFails)
{
    mivo::UseNoCdDrive();
    EXPECT_EQ((MCIERROR)MCIERR_DEVICE_NOT_INSTALLED, mciSendString("open cdaudio", nullptr, 0, nullptr));
    EXPECT_EQ((MCIERROR)MCIERR_INVALID_DEVICE_NAME, mciSendString("play cdaudio", nullptr, 0, nullptr));
}
