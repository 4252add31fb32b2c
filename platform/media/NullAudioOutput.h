// The output of a machine without a sound card: samples take their time and go nowhere.
#pragma once

#include "AudioOutput.h"

#include <condition_variable>
#include <mutex>

namespace mivo {

class NullAudioOutput : public AudioOutput {
public:
    explicit NullAudioOutput(const PcmFormat& format);
    ~NullAudioOutput() override;
    bool Write(const uint8_t* samples, size_t frames) override;
    void Interrupt() override;
    void Resume() override;
    void Drain() override {}

private:
    PcmFormat format_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool interrupted_ = false;
};

}  // namespace mivo
