// PCM sound in a RIFF WAVE image, read from outside bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mivo {

struct PcmFormat {
    unsigned rate = 0;
    unsigned channels = 0;
    unsigned bits = 0;  // 8 (unsigned samples) or 16 (signed little-endian)

    unsigned FrameBytes() const { return channels * bits / 8; }
};

struct WaveImage {
    PcmFormat format;
    const uint8_t* samples = nullptr;  // inside the parsed bytes
    size_t frames = 0;
};

// True for a PCM WAVE image of 8 or 16 bits, 1 to 8 channels, 1 Hz to 384 kHz. A data chunk
// longer than the image is cut to what is there; anything damaged before it answers false.
bool ParseWave(const uint8_t* bytes, size_t size, WaveImage& out);

}  // namespace mivo
