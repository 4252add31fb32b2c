// PlaySound and the MCI window on the null sound device (no card is needed): the sound takes
// its time, damaged files fail, the window plays on its own thread.
#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/codepage.h"
#include "mivo/testing/audio.h"
#include "support/MessageLoop.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using mivotest::TempFolder;

namespace {

std::vector<uint8_t> Wave(unsigned rate, unsigned channels, unsigned ms)
{
    unsigned frames = rate * ms / 1000;
    unsigned dataSize = frames * channels * 2;
    std::vector<uint8_t> w;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back((uint8_t)(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { w.push_back((uint8_t)v); w.push_back((uint8_t)(v >> 8)); };
    auto tag = [&](const char* t) { w.insert(w.end(), t, t + 4); };
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16((uint16_t)channels);
    put32(rate);
    put32(rate * channels * 2);
    put16((uint16_t)(channels * 2));
    put16(16);
    tag("data");
    put32(dataSize);
    for (unsigned i = 0; i < frames * channels; ++i)
        put16((uint16_t)((i * 37) & 0x3FFF));
    return w;
}

// MPEG-1 layer III frames of silence: 128 kbit/s at 44.1 kHz, 1152 samples each.
std::vector<uint8_t> SilentMp3(int frames)
{
    std::vector<uint8_t> out;
    for (int f = 0; f < frames; ++f) {
        std::vector<uint8_t> frame(417, 0);
        frame[0] = 0xFF;
        frame[1] = 0xFB;
        frame[2] = 0x90;
        frame[3] = 0x04;
        out.insert(out.end(), frame.begin(), frame.end());
    }
    return out;
}

std::string Write(const TempFolder& dir, const std::string& name, const std::vector<uint8_t>& bytes)
{
    FILE* f = fopen(dir.file(mivo::ToUtf8(name.c_str())).c_str(), "wb");
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return dir.windowsPath() + name;
}

long long ElapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count();
}

struct NullDevice : ::testing::Test {
    TempFolder dir{"mivo-sound"};
    void SetUp() override { setenv("MIVO_AUDIO", "null", 1); }
    void TearDown() override { PlaySound(nullptr, nullptr, 0); }
};

}  // namespace

TEST_F(NullDevice, SyncPlayTakesTheSoundsLengthAndAsyncReturnsAtOnce)
{
    std::string path = Write(dir, "한글소리.wav", Wave(22050, 1, 300));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_GE(ElapsedMs(start), 290);

    std::string longer = Write(dir, "long.wav", Wave(8000, 2, 5000));
    start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySound(longer.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT));
    EXPECT_LT(ElapsedMs(start), 5000);
    ASSERT_TRUE(mivo::test::PumpUntil([] { return mivo::NullDevice().playing; }));
    EXPECT_EQ(8000u, mivo::NullDevice().rate);
    EXPECT_EQ(2u, mivo::NullDevice().channels);

    // A new sound stops the old one.
    EXPECT_TRUE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
    ASSERT_TRUE(mivo::test::PumpUntil([] { return mivo::NullDevice().rate == 22050; }));
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
    EXPECT_FALSE(mivo::NullDevice().playing);
}

TEST_F(NullDevice, SoundsInMemoryPlayAndNoStopRespectsThePlayingOne)
{
    std::vector<uint8_t> w = Wave(8000, 1, 2000);
    EXPECT_TRUE(PlaySound((LPCSTR)w.data(), nullptr, SND_MEMORY | SND_ASYNC));
    ASSERT_TRUE(mivo::test::PumpUntil([] { return mivo::NullDevice().playing; }));
    EXPECT_FALSE(PlaySound((LPCSTR)w.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP));
    EXPECT_TRUE(sndPlaySound(nullptr, 0));
}

TEST_F(NullDevice, DamagedOrMissingSoundsFailWithoutACrash)
{
    std::vector<uint8_t> good = Wave(8000, 1, 100);
    std::vector<std::vector<uint8_t>> damaged = {
        {},
        std::vector<uint8_t>(good.begin(), good.begin() + 11),
        std::vector<uint8_t>(good.begin(), good.begin() + 30),  // format chunk cut short
        [&] { auto w = good; w[20] = 3; return w; }(),         // not PCM
        [&] { auto w = good; w[22] = 0; return w; }(),         // no channels
        [&] { auto w = good; w[34] = 12; return w; }(),        // 12-bit samples
        [&] { auto w = good; w[16] = 0xFF; w[17] = 0xFF; w[18] = 0xFF; w[19] = 0x7F; return w; }(),
        [&] { auto w = good; memcpy(&w[36], "junk", 4); return w; }(),  // no data chunk
    };
    int n = 0;
    for (const auto& bytes : damaged) {
        std::string path = Write(dir, "bad" + std::to_string(n++) + ".wav", bytes);
        EXPECT_FALSE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) << path;
    }
    EXPECT_FALSE(PlaySound((dir.windowsPath() + "없는파일.wav").c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
    EXPECT_FALSE(PlaySound("SystemStart", nullptr, SND_ALIAS | SND_NODEFAULT));

    // A data chunk that claims more than the file holds plays what is there.
    auto cut = good;
    cut.resize(cut.size() - 100);
    EXPECT_TRUE(PlaySound(Write(dir, "cut.wav", cut).c_str(), nullptr, SND_FILENAME));
}

namespace {

void ExpectMciWindowPlays(const std::string& path, long minLength, long maxLength)
{
    HWND w = MCIWndCreate(nullptr, nullptr, WS_CHILD | MCIWNDF_NOMENU, path.c_str());
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(0, MCIWndSetTimeFormat(w, "ms"));
    long length = MCIWndGetLength(w);
    EXPECT_GE(length, minLength);
    EXPECT_LE(length, maxLength);
    EXPECT_EQ(0, MCIWndGetPosition(w));

    EXPECT_EQ(0, MCIWndPlay(w));
    EXPECT_EQ(MCI_MODE_PLAY, MCIWndGetMode(w, nullptr, 0));
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return MCIWndGetPosition(w) >= 100; }));

    EXPECT_EQ(0, MCIWndPause(w));
    EXPECT_EQ(MCI_MODE_PAUSE, MCIWndGetMode(w, nullptr, 0));
    long paused = MCIWndGetPosition(w);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_EQ(paused, MCIWndGetPosition(w));

    EXPECT_EQ(0, MCIWndSeek(w, length / 2));
    EXPECT_EQ(length / 2, MCIWndGetPosition(w));
    EXPECT_EQ(0, MCIWndPlay(w));
    ASSERT_TRUE(mivo::test::PumpUntil([&] { return MCIWndGetPosition(w) > length / 2 + 50; }));
    EXPECT_EQ(0, MCIWndStop(w));
    EXPECT_EQ(MCI_MODE_STOP, MCIWndGetMode(w, nullptr, 0));

    SendMessage(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
}

}  // namespace

TEST_F(NullDevice, MciWindowPlaysAGeneratedWave)
{
    ExpectMciWindowPlays(Write(dir, "음악.wav", Wave(44100, 2, 1000)), 1000, 1000);
}

TEST_F(NullDevice, MciWindowPlaysAShortMp3)
{
    // 40 frames of 1152 samples: about 1045 ms.
    ExpectMciWindowPlays(Write(dir, "짧은곡.mp3", SilentMp3(40)), 950, 1100);
}

TEST_F(NullDevice, MciWindowOnAFileItCannotPlayHasNoLength)
{
    std::vector<std::string> paths = {
        Write(dir, "text.mp3", std::vector<uint8_t>(5000, 'x')),
        Write(dir, "bad.wav", std::vector<uint8_t>{'R', 'I', 'F', 'F', 1, 2}),
        dir.windowsPath() + "missing.wav",
    };
    for (const std::string& p : paths) {
        HWND w = MCIWndCreate(nullptr, nullptr, WS_CHILD | MCIWNDF_NOMENU, p.c_str());
        ASSERT_NE(w, nullptr) << p;
        EXPECT_EQ(0, MCIWndGetLength(w)) << p;
        EXPECT_NE(0, MCIWndPlay(w)) << p;
        MCIWndDestroy(w);
        EXPECT_FALSE(IsWindow(w));
    }
}
