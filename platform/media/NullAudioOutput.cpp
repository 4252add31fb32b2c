#include "NullAudioOutput.h"

#include "mivo/testing/audio.h"

#include <chrono>

namespace mivo {

namespace {

std::mutex g_stateLock;
int g_open = 0;
PcmFormat g_lastFormat;

}  // namespace

NullAudioOutput::NullAudioOutput(const PcmFormat& format) : format_(format)
{
    std::lock_guard<std::mutex> hold(g_stateLock);
    ++g_open;
    g_lastFormat = format;
}

NullAudioOutput::~NullAudioOutput()
{
    std::lock_guard<std::mutex> hold(g_stateLock);
    --g_open;
}

bool NullAudioOutput::Write(const uint8_t*, size_t frames)
{
    auto duration = std::chrono::microseconds((long long)frames * 1000000 / format_.rate);
    std::unique_lock<std::mutex> hold(lock_);
    return !wake_.wait_for(hold, duration, [this] { return interrupted_; });
}

void NullAudioOutput::Interrupt()
{
    std::lock_guard<std::mutex> hold(lock_);
    interrupted_ = true;
    wake_.notify_all();
}

void NullAudioOutput::Resume()
{
    std::lock_guard<std::mutex> hold(lock_);
    interrupted_ = false;
}

NullDeviceState NullDevice()
{
    std::lock_guard<std::mutex> hold(g_stateLock);
    NullDeviceState s;
    s.playing = g_open > 0;
    s.rate = g_lastFormat.rate;
    s.channels = g_lastFormat.channels;
    s.bits = g_lastFormat.bits;
    return s;
}

}  // namespace mivo
