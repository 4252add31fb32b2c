// A WAVE file held in memory.
#pragma once

#include "PcmSource.h"

#include <vector>

namespace mivo {

class WaveSource : public PcmSource {
public:
    // Null when the bytes are no playable WAVE image.
    static std::unique_ptr<WaveSource> FromBytes(std::vector<uint8_t> bytes);
    PcmFormat Format() const override { return image_.format; }
    size_t Frames() const override { return image_.frames; }
    bool Seek(size_t frame) override;
    size_t Read(uint8_t* out, size_t frames) override;

private:
    WaveSource() = default;
    std::vector<uint8_t> bytes_;
    WaveImage image_;
    size_t position_ = 0;
};

}  // namespace mivo
