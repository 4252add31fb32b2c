// The one sound of PlaySound: played on the caller's thread or on a worker; a new sound stops
// the one playing.
#pragma once

#include "AudioOutput.h"

#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace mivo {

class SoundPlayer {
public:
    static SoundPlayer& Instance();

    // Stops the sound playing, then plays this one; false when it is no playable WAVE image.
    bool Play(std::vector<uint8_t> wave, bool async, bool loop);
    void Stop();
    bool Playing();

private:
    SoundPlayer() = default;
    void PlayToEnd(const std::vector<uint8_t>& wave, bool loop, unsigned generation);

    std::mutex lock_;
    std::thread worker_;
    AudioOutput* current_ = nullptr;
    unsigned generation_ = 0;
    bool playing_ = false;
};

}  // namespace mivo
