// The sound card's default PCM output through ALSA.
#pragma once

#include "AudioOutput.h"

#include <atomic>

typedef struct _snd_pcm snd_pcm_t;

namespace mivo {

class AlsaAudioOutput : public AudioOutput {
public:
    // Null when the card cannot be opened in the format.
    static std::unique_ptr<AlsaAudioOutput> Open(const PcmFormat& format);
    ~AlsaAudioOutput() override;
    bool Write(const uint8_t* samples, size_t frames) override;
    void Interrupt() override;
    void Resume() override;
    void Drain() override;

private:
    AlsaAudioOutput(snd_pcm_t* pcm, const PcmFormat& format) : pcm_(pcm), format_(format) {}

    snd_pcm_t* pcm_;
    PcmFormat format_;
    std::atomic<bool> interrupted_{false};
};

}  // namespace mivo
