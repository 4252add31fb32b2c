// The mixer functions over the virtual mixer: lines and controls as programs find them,
// volumes scaled to 0-65535, selection, change notices, and no mixer at all.
#include <gtest/gtest.h>

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

class Mixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        card = std::make_shared<VirtualMixer>();
        card->Add("Master", VirtualMixer::Role::Master, 0, 31);
        card->Add("PCM", VirtualMixer::Role::Pcm, 0, 255);
        card->Add("Line", VirtualMixer::Role::Capture, 0, 15);
        card->Add("Mic", VirtualMixer::Role::Capture, 0, 63, 1);
        mivo::UseVirtualMixer(card);
        ASSERT_EQ(MMSYSERR_NOERROR, mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL));
    }
    void TearDown() override
    {
        mixerClose(mixer);
        mivo::UseNoMixer();
    }

    MIXERLINE Line(DWORD componentType)
    {
        MIXERLINE line = {sizeof line};
        line.dwComponentType = componentType;
        EXPECT_EQ(MMSYSERR_NOERROR,
                  mixerGetLineInfo((HMIXEROBJ)mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE));
        return line;
    }
    MIXERCONTROL Control(DWORD lineId, DWORD type)
    {
        MIXERCONTROL control = {sizeof control};
        MIXERLINECONTROLS controls = {sizeof controls};
        controls.dwLineID = lineId;
        controls.dwControlType = type;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof control;
        controls.pamxctrl = &control;
        EXPECT_EQ(MMSYSERR_NOERROR, mixerGetLineControls((HMIXEROBJ)mixer, &controls,
                                                         MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE));
        return control;
    }
    MMRESULT Details(DWORD controlId, std::vector<DWORD>& values, bool set, DWORD channels = 0)
    {
        MIXERCONTROLDETAILS details = {sizeof details};
        details.dwControlID = controlId;
        details.cChannels = channels ? channels : (DWORD)values.size();
        details.cbDetails = sizeof(DWORD);
        details.paDetails = values.data();
        return set ? mixerSetControlDetails((HMIXEROBJ)mixer, &details, MIXER_OBJECTF_HMIXER)
                   : mixerGetControlDetails((HMIXEROBJ)mixer, &details, MIXER_OBJECTF_HMIXER);
    }

    std::shared_ptr<VirtualMixer> card;
    HMIXER mixer = nullptr;
};

}  // namespace

TEST_F(Mixer, LinesAreFoundByComponentTypeAndSourceIndex)
{
    EXPECT_EQ(1u, mixerGetNumDevs());
    MIXERLINE speakers = Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
    EXPECT_EQ(2u, speakers.cChannels);
    EXPECT_EQ(1u, speakers.cConnections);
    EXPECT_EQ(2u, speakers.cControls);
    MIXERLINE wave = Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT);
    EXPECT_EQ(0u, wave.dwDestination);
    EXPECT_TRUE(wave.fdwLine & MIXERLINE_LINEF_SOURCE);

    MIXERLINE recording = Line(MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
    EXPECT_EQ(2u, recording.cConnections);
    struct {
        DWORD index;
        DWORD componentType;
        DWORD channels;
        const char* name;
    } sources[] = {{0, MIXERLINE_COMPONENTTYPE_SRC_LINE, 2, "Line"}, {1, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 1, "Mic"}};
    for (const auto& s : sources) {
        MIXERLINE line = {sizeof line};
        line.dwDestination = recording.dwDestination;
        line.dwSource = s.index;
        ASSERT_EQ(MMSYSERR_NOERROR,
                  mixerGetLineInfo((HMIXEROBJ)mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE));
        EXPECT_EQ(s.componentType, line.dwComponentType);
        EXPECT_EQ(s.channels, line.cChannels);
        EXPECT_STREQ(s.name, line.szName);
    }
    MIXERLINE beyond = {sizeof beyond};
    beyond.dwDestination = recording.dwDestination;
    beyond.dwSource = 2;
    EXPECT_EQ((MMRESULT)MIXERR_INVALLINE,
              mixerGetLineInfo((HMIXEROBJ)mixer, &beyond, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE));
}

TEST_F(Mixer, VolumesAreScaledToTheFullRangeWithTheElementsStepCount)
{
    MIXERCONTROL volume = Control(Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
    EXPECT_EQ(0u, volume.Bounds.dwMinimum);
    EXPECT_EQ(65535u, volume.Bounds.dwMaximum);
    EXPECT_EQ(32u, volume.Metrics.cSteps);
    struct {
        DWORD set;
        long raw;
        DWORD readBack;
    } cases[] = {{0, 0, 0}, {65535, 31, 65535}, {32768, 16, 33824}, {2114, 1, 2114}, {1000, 0, 0}};
    for (const auto& c : cases) {
        std::vector<DWORD> values = {c.set, c.set};
        ASSERT_EQ(MMSYSERR_NOERROR, Details(volume.dwControlID, values, true));
        EXPECT_EQ(c.raw, card->Raw("Master", 0)) << c.set;
        EXPECT_EQ(c.raw, card->Raw("Master", 1)) << c.set;
        std::vector<DWORD> read(2, 7);
        ASSERT_EQ(MMSYSERR_NOERROR, Details(volume.dwControlID, read, false));
        EXPECT_EQ(std::vector<DWORD>({c.readBack, c.readBack}), read) << c.set;
    }
}

TEST_F(Mixer, MuteAndRecordingSelectionDriveTheSwitches)
{
    MIXERCONTROL mute = Control(Line(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS).dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE);
    std::vector<DWORD> on = {1};
    ASSERT_EQ(MMSYSERR_NOERROR, Details(mute.dwControlID, on, true));
    EXPECT_FALSE(card->SwitchOn("Master"));

    MIXERLINE recording = Line(MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
    MIXERCONTROL mux = Control(recording.dwLineID, MIXERCONTROL_CONTROLTYPE_MUX);
    ASSERT_EQ(2u, mux.cMultipleItems);
    MIXERCONTROLDETAILS_LISTTEXT texts[2] = {};
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = mux.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = 2;
    details.cbDetails = sizeof texts[0];
    details.paDetails = texts;
    ASSERT_EQ(MMSYSERR_NOERROR, mixerGetControlDetails((HMIXEROBJ)mixer, &details,
                                                       MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_LISTTEXT));
    EXPECT_STREQ("Line", texts[0].szName);
    EXPECT_STREQ("Mic", texts[1].szName);
    std::vector<DWORD> choice = {0, 1};
    ASSERT_EQ(MMSYSERR_NOERROR, Details(mux.dwControlID, choice, true, 1));
    EXPECT_FALSE(card->SwitchOn("Line"));
    EXPECT_TRUE(card->SwitchOn("Mic"));
}

TEST_F(Mixer, BadHandlesControlsAndFormatsAreRefused)
{
    std::vector<DWORD> values(2);
    EXPECT_EQ((MMRESULT)MIXERR_INVALCONTROL, Details(999, values, false));
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = 1;
    details.cChannels = 1;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = values.data();
    EXPECT_EQ((MMRESULT)MMSYSERR_INVALHANDLE,
              mixerGetControlDetails((HMIXEROBJ)(uintptr_t)0x1234, &details, MIXER_OBJECTF_HMIXER));
    EXPECT_EQ((MMRESULT)MMSYSERR_INVALHANDLE, mixerClose((HMIXER)(uintptr_t)0x1234));

    WAVEFORMATEX good = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    WAVEFORMATEX bad = good;
    bad.nAvgBytesPerSec = 1;
    HWAVEOUT out = nullptr;
    EXPECT_EQ((MMRESULT)WAVERR_BADFORMAT, waveOutOpen(&out, WAVE_MAPPER, &bad, 0, 0, CALLBACK_NULL));
    EXPECT_EQ((MMRESULT)MMSYSERR_BADDEVICEID, waveOutOpen(&out, 3, &good, 0, 0, CALLBACK_NULL));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutOpen(&out, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL));
    UINT id = 99;
    EXPECT_EQ(MMSYSERR_NOERROR, mixerGetID((HMIXEROBJ)out, &id, MIXER_OBJECTF_HWAVEOUT));
    EXPECT_EQ(0u, id);
    EXPECT_EQ((MMRESULT)MMSYSERR_INVALHANDLE, mixerGetID((HMIXEROBJ)out, &id, MIXER_OBJECTF_HWAVEIN));
    EXPECT_EQ(MMSYSERR_NOERROR, waveOutClose(out));
    EXPECT_EQ((MMRESULT)MMSYSERR_INVALHANDLE, waveOutClose(out));
}

TEST_F(Mixer, ChangesFromElsewhereReachTheCallbackWindow)
{
    MessageRecorder recorder;
    HWND window = mivo::test::CreateTestWindow("mixer", WS_POPUP, 0, 0, 10, 10);
    HMIXER notified = nullptr;
    ASSERT_EQ(MMSYSERR_NOERROR, mixerOpen(&notified, 0, (DWORD_PTR)window, 0, CALLBACK_WINDOW));
    MIXERCONTROL volume = Control(Line(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT).dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
    card->SetFromElsewhere("PCM", 200);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(window, MM_MIXM_CONTROL_CHANGE) > 0; }));
    for (const auto& m : recorder.All())
        if (m.msg == MM_MIXM_CONTROL_CHANGE) {
            EXPECT_EQ((WPARAM)notified, m.wParam);
            EXPECT_EQ((LPARAM)volume.dwControlID, m.lParam);
        }
    mixerClose(notified);
    DestroyWindow(window);
}

TEST(NoMixer, NothingOpensAndWaveDevicesHaveNoMixer)
{
    mivo::UseNoMixer();
    EXPECT_EQ(0u, mixerGetNumDevs());
    HMIXER mixer = nullptr;
    EXPECT_EQ((MMRESULT)MMSYSERR_BADDEVICEID, mixerOpen(&mixer, 0, 0, 0, CALLBACK_NULL));
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    HWAVEIN in = nullptr;
    ASSERT_EQ(MMSYSERR_NOERROR, waveInOpen(&in, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL));
    UINT id = 0;
    EXPECT_EQ((MMRESULT)MMSYSERR_NODRIVER, mixerGetID((HMIXEROBJ)in, &id, MIXER_OBJECTF_HWAVEIN));
    waveInClose(in);
}
