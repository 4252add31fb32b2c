// Area interface for the sound players: one output that plays PCM and keeps time. Over ALSA
// where a card is, else a null device that only lets the time pass (also MIVO_AUDIO=null).
#pragma once

#include "WaveFile.h"

#include <memory>

namespace mivo {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Plays `frames` frames; returns when they have been played (or handed to the card), or
    // false at once when Interrupt was called meanwhile or the device failed.
    virtual bool Write(const uint8_t* samples, size_t frames) = 0;
    // Ends a Write in progress (from any thread); later Writes fail until Resume.
    virtual void Interrupt() = 0;
    virtual void Resume() = 0;
    // Lets what was handed over play to its end.
    virtual void Drain() = 0;

    // An output for the format, or null when no output can take it.
    static std::unique_ptr<AudioOutput> Open(const PcmFormat& format);
};

}  // namespace mivo
