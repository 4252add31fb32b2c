// The volume classes over the virtual mixer: bounds and steps, setting, change notices through
// the last constructed object, the line's switches, and no mixer at all.
#include <gtest/gtest.h>

#include "media/VolumeInXXX.h"
#include "media/VolumeOutMaster.h"
#include "media/VolumeOutWave.h"
#include "mivo/testing/mixer.h"
#include "support/MessageLoop.h"
#include "support/MessageRecorder.h"

#include <memory>
#include <string>
#include <vector>

using mivo::VirtualMixer;
using mivo::test::MessageRecorder;
using mivo::test::PumpUntil;

namespace {

struct Heard {
    std::vector<DWORD> volumes;
};

// The sink's user value is 32 bits: it names a slot here, never a pointer.
Heard g_heard[3];

void CALLBACK Record(DWORD volume, DWORD user)
{
    g_heard[user].volumes.push_back(volume);
}

class Volume : public ::testing::Test {
protected:
    void SetUp() override
    {
        card = std::make_shared<VirtualMixer>();
        card->Add("Master", VirtualMixer::Role::Master, 0, 31);
        card->Add("PCM", VirtualMixer::Role::Pcm, 0, 255);
        card->Add("Line", VirtualMixer::Role::Capture, 0, 15);
        card->Add("Mic", VirtualMixer::Role::Capture, 0, 63, 1);
        card->Add("CD", VirtualMixer::Role::Capture, 0, 15);
        mivo::UseVirtualMixer(card);
    }
    void TearDown() override
    {
        mivo::UseNoMixer();
        for (Heard& heard : g_heard)
            heard.volumes.clear();
    }

    // Waits until the notification window has had a change notice.
    static bool NoticeArrives(MessageRecorder& recorder, HWND window)
    {
        return PumpUntil([&] { return recorder.Count(window, MM_MIXM_CONTROL_CHANGE) > 0; });
    }

    std::shared_ptr<VirtualMixer> card;
};

}  // namespace

TEST_F(Volume, BoundsStepsAndSettingWithinThem)
{
    CVolumeOutMaster master;
    CVolumeOutWave wave;
    ASSERT_TRUE(master.IsAvailable());
    ASSERT_TRUE(wave.IsAvailable());
    struct {
        CMixerVolume* volume;
        const char* element;
        DWORD steps;
        DWORD set;
        long raw;
    } cases[] = {{&master, "Master", 32, 65535, 31}, {&master, "Master", 32, 0, 0}, {&wave, "PCM", 256, 32896, 128}};
    for (const auto& c : cases) {
        EXPECT_EQ(0u, c.volume->GetMinimalVolume());
        EXPECT_EQ(65535u, c.volume->GetMaximalVolume());
        EXPECT_EQ(c.steps, c.volume->GetVolumeMetric());
        c.volume->SetCurrentVolume(c.set);
        EXPECT_EQ(c.raw, card->Raw(c.element, 0)) << c.element;
        EXPECT_EQ(c.raw, card->Raw(c.element, 1)) << c.element;
        EXPECT_EQ(c.set, c.volume->GetCurrentVolume()) << c.element;
    }
}

TEST_F(Volume, AValueAboveTheMaximumChangesNothing)
{
    CVolumeOutMaster master;
    master.SetCurrentVolume(65535);
    master.SetCurrentVolume(65536);
    EXPECT_EQ(31, card->Raw("Master"));
    EXPECT_EQ(65535u, master.GetCurrentVolume());
}

TEST_F(Volume, ChangeFromElsewhereReachesOnlyTheLastObjectsSink)
{
    Heard& first = g_heard[1];
    Heard& second = g_heard[2];
    CVolumeOutMaster a;
    CVolumeOutMaster b;
    a.RegisterNotificationSink(Record, 1);
    b.RegisterNotificationSink(Record, 2);
    card->SetFromElsewhere("Master", 10);
    ASSERT_TRUE(PumpUntil([&] { return !second.volumes.empty(); }));
    EXPECT_EQ(10u * 65535 / 31, second.volumes.back());
    EXPECT_TRUE(first.volumes.empty());
}

TEST_F(Volume, NoticeAfterTheNotifiedObjectIsGoneTouchesNothing)
{
    Heard& first = g_heard[1];
    CVolumeOutMaster a;
    a.RegisterNotificationSink(Record, 1);
    {
        CVolumeOutMaster b;
    }
    HWND window = FindWindowA("Master Output Volume Msg Wnd Class", "Master Output Volume Msg Wnd");
    ASSERT_NE(nullptr, window);
    MessageRecorder recorder;
    recorder.Attach(window);
    card->SetFromElsewhere("Master", 20);
    ASSERT_TRUE(NoticeArrives(recorder, window));
    EXPECT_TRUE(first.volumes.empty());
}

TEST_F(Volume, FailedConstructionClearsTheNotifiedObject)
{
    Heard& heard = g_heard[1];
    CVolumeInXXX line(0);
    ASSERT_TRUE(line.IsAvailable());
    line.RegisterNotificationSink(Record, 1);
    CVolumeInXXX beyond(3);
    EXPECT_FALSE(beyond.IsAvailable());
    HWND window = FindWindowA("Input Volume Msg Wnd Class", "Input Volume Msg Wnd");
    ASSERT_NE(nullptr, window);
    MessageRecorder recorder;
    recorder.Attach(window);
    card->SetFromElsewhere("Line", 5);
    ASSERT_TRUE(NoticeArrives(recorder, window));
    EXPECT_TRUE(heard.volumes.empty());
}

TEST_F(Volume, EnableUnmutesOutputsAndSelectsTheInputSource)
{
    card->SetSwitchFromElsewhere("Master", false);
    card->SetSwitchFromElsewhere("PCM", false);
    CVolumeOutMaster master;
    CVolumeOutWave wave;
    master.Enable();
    wave.Enable();
    EXPECT_TRUE(card->SwitchOn("Master"));
    EXPECT_TRUE(card->SwitchOn("PCM"));
    master.Disable();
    EXPECT_FALSE(card->SwitchOn("Master"));

    CVolumeInXXX mic(1);
    mic.Enable();
    EXPECT_FALSE(card->SwitchOn("Line"));
    EXPECT_TRUE(card->SwitchOn("Mic"));
    EXPECT_FALSE(card->SwitchOn("CD"));
    UINT index = 0;
    EXPECT_TRUE(mic.GetMicrophoneSourceLineIndex(&index));
    EXPECT_EQ(1u, index);
    EXPECT_FALSE(mic.GetMicrophoneSourceLineIndex(nullptr));
}

namespace {

struct Walk {
    std::vector<std::string> names;
    size_t stopAfter = 100;
};

Walk g_walks[3];

bool CALLBACK Collect(UINT index, MIXERLINE* line, DWORD user)
{
    Walk* walk = &g_walks[user];
    walk->names.push_back(std::to_string(index) + " " + line->szName);
    return walk->names.size() < walk->stopAfter;
}

}  // namespace

TEST_F(Volume, InputLinesAreWalkedInOrderUntilTheCallbackStops)
{
    Walk& all = g_walks[1];
    Walk& two = g_walks[2];
    two.stopAfter = 2;
    EXPECT_TRUE(CVolumeInXXX::EnumerateInputLines(Collect, 1));
    EXPECT_EQ(std::vector<std::string>({"0 Line", "1 Mic", "2 CD"}), all.names);
    EXPECT_TRUE(CVolumeInXXX::EnumerateInputLines(Collect, 2));
    EXPECT_EQ(std::vector<std::string>({"0 Line", "1 Mic"}), two.names);
    EXPECT_FALSE(CVolumeInXXX::EnumerateInputLines(nullptr, 0));
}

TEST(VolumeWithoutMixer, EverythingIsUnavailable)
{
    mivo::UseNoMixer();
    CVolumeOutMaster master;
    CVolumeInXXX input(0);
    for (CMixerVolume* volume : std::vector<CMixerVolume*>{&master, &input}) {
        EXPECT_FALSE(volume->IsAvailable());
        EXPECT_EQ(0xFFFFFFFFu, volume->GetVolumeMetric());
        EXPECT_EQ(0xFFFFFFFFu, volume->GetMinimalVolume());
        EXPECT_EQ(0xFFFFFFFFu, volume->GetMaximalVolume());
        EXPECT_EQ(0xFFFFFFFFu, volume->GetCurrentVolume());
        volume->SetCurrentVolume(100);
        volume->Enable();
    }
    EXPECT_EQ(nullptr, FindWindowA("Master Output Volume Msg Wnd Class", nullptr));
    EXPECT_FALSE(CVolumeInXXX::EnumerateInputLines(Collect, 0));
}
