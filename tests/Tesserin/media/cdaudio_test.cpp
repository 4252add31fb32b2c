// The audio CD class on the virtual drive: the exact command strings it sends (from the
// drive's command log), seconds from the answers, and where failures raise the error box.
#include <gtest/gtest.h>

#include "media/CDAudio.h"
#include "mivo/testing/cdaudio.h"
#include "support/MessageBoxCapture.h"

#include <memory>
#include <string>
#include <vector>

using mivo::VirtualCdDrive;
using Commands = std::vector<std::string>;

namespace {

// Three tracks of 3, 4 and 2 minutes: they start at 00:02:00, 03:02:00 and 07:02:00.
const std::vector<unsigned> kTracks = {3 * 60 * 75, 4 * 60 * 75, 2 * 60 * 75};
const unsigned kTrack2 = 150 + 3 * 60 * 75, kTrack3 = kTrack2 + 4 * 60 * 75;

class CDAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        drive = std::make_shared<VirtualCdDrive>();
        drive->InsertDisc(kTracks);
        mivo::UseVirtualCdDrive(drive);
    }
    void TearDown() override { mivo::UseNoCdDrive(); }

    bool Sent(const std::string& prefix) const
    {
        for (const std::string& c : drive->Commands())
            if (c.compare(0, prefix.size(), prefix) == 0)
                return true;
        return false;
    }

    std::shared_ptr<VirtualCdDrive> drive;
    mivotest::MessageBoxCapture boxes;
};

}  // namespace

TEST(CDAudioSeconds, MinutesAndSecondsFromTheAnswer)
{
    struct {
        const char* answer;
        int seconds;
    } cases[] = {{"03:27:40", 207}, {"00:00:00", 0}, {"99:59", 5999}, {"03:2", 0}, {"ab:cd:ef", 0}, {"", 0},
                 {nullptr, 0},      {"1:2:3", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.seconds, CDAudioSeconds(c.answer)) << (c.answer ? c.answer : "null");
}

TEST_F(CDAudio, PlaySendsStartAndEndAsMinutesSecondsAndFrameZero)
{
    CCDAudio cd;
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Play(125, 250));
    EXPECT_EQ(Commands({"play cdaudio from 02:05:00 to 04:10:00"}), drive->Commands());
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Play(65));
    EXPECT_EQ(Commands({"play cdaudio from 01:05:00"}), drive->Commands());
    EXPECT_TRUE(cd.IsPlaying());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CDAudio, LengthsAndPositionsInSeconds)
{
    CCDAudio cd;
    EXPECT_EQ(3, cd.GetTracksCount());
    EXPECT_EQ(240, cd.GetTrackLength(2));
    EXPECT_EQ(540, cd.GetLengthAllTracks());
    EXPECT_EQ(182, cd.GetTrackBeginTime(2));
    drive->MoveTo(kTrack3 + 75 * 10);
    EXPECT_EQ(3, cd.GetCurrentTrack());
    EXPECT_EQ(432, cd.GetCurrentPos());
}

TEST_F(CDAudio, TrackLengthWithoutADiscSendsNoLengthCommand)
{
    drive->RemoveDisc();
    CCDAudio cd;
    drive->ClearCommands();
    EXPECT_EQ(0, cd.GetTrackLength(1));
    EXPECT_EQ(Commands({"status cdaudio media present"}), drive->Commands());
}

TEST_F(CDAudio, ForwardPlaysTheNextTracksStartAndNothingOnTheLast)
{
    CCDAudio cd;
    drive->MoveTo(kTrack3 + 75);
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Forward());
    EXPECT_FALSE(Sent("play"));
    EXPECT_FALSE(Sent("status cdaudio position track"));

    drive->MoveTo(150 + 75 * 10);
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Forward());
    Commands sent = drive->Commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ("status cdaudio position track 2", sent[sent.size() - 2]);
    EXPECT_EQ("play cdaudio from 03:02:00", sent.back());
    EXPECT_EQ(2, cd.GetCurrentTrack());

    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Backward());
    EXPECT_EQ("play cdaudio from 00:02:00", drive->Commands().back());
}

TEST_F(CDAudio, StopSeeksToTheStartAndCloseStopsAPlayingDisc)
{
    CCDAudio cd;
    cd.Play();
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Stop());
    EXPECT_EQ(Commands({"stop cdaudio", "seek cdaudio to start"}), drive->Commands());

    cd.Play();
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.Close());
    Commands sent = drive->Commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ("stop cdaudio", sent[sent.size() - 2]);
    EXPECT_EQ("close cdaudio", sent.back());

    CCDAudio stopped;
    drive->ClearCommands();
    stopped.Close();
    EXPECT_FALSE(Sent("stop"));
}

TEST_F(CDAudio, EjectOpensWithADiscAndClosesWithout)
{
    CCDAudio cd;
    drive->ClearCommands();
    EXPECT_EQ(0u, cd.EjectCDROM());
    EXPECT_TRUE(drive->DoorOpen());
    EXPECT_EQ("Set CDAudio Door Open", drive->Commands().back());
    EXPECT_EQ(0u, cd.EjectCDROM());
    EXPECT_FALSE(drive->DoorOpen());
    EXPECT_EQ("Set CDAudio Door Closed", drive->Commands().back());
}

TEST_F(CDAudio, ErrorBoxOnlyForTheOperationsThatReportThem)
{
    CCDAudio cd;
    drive->RefusePlay(true);
    EXPECT_EQ((unsigned long)MCIERR_HARDWARE, cd.Play());
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("MCI Error", shown[0].caption);
    char text[128];
    ASSERT_TRUE(mciGetErrorString(MCIERR_HARDWARE, text, sizeof text));
    EXPECT_EQ(text, shown[0].text);
    EXPECT_EQ((UINT)MB_ICONSTOP, shown[0].type & MB_ICONMASK);

    drive->RemoveDisc();
    EXPECT_EQ(0, cd.GetTracksCount());
    EXPECT_EQ(0, cd.GetTrackBeginTime(1));
    EXPECT_EQ(0, cd.GetLengthAllTracks());
    EXPECT_FALSE(cd.IsPlaying());
    EXPECT_EQ(1u, boxes.shown().size());
    EXPECT_NE(0u, cd.Pause());
    EXPECT_NE(0u, cd.Stop());
    EXPECT_EQ(3u, boxes.shown().size());
}

TEST(CDAudioWithoutDrive, OpenFailsAndPlayShowsTheError)
{
    mivo::UseNoCdDrive();
    mivotest::MessageBoxCapture boxes;
    CCDAudio cd;
    EXPECT_EQ((unsigned long)MCIERR_DEVICE_NOT_INSTALLED, cd.Open());
    EXPECT_EQ((unsigned long)MCIERR_INVALID_DEVICE_NAME, cd.Play());
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("MCI Error", shown[0].caption);
    char text[128];
    mciGetErrorString(MCIERR_INVALID_DEVICE_NAME, text, sizeof text);
    EXPECT_EQ(text, shown[0].text);
    EXPECT_EQ(0, cd.GetTrackLength(1));
}
