// Decoded sound the MCI window plays: a format, a length and frames read from a position.
#pragma once

#include "WaveFile.h"

#include <memory>
#include <string>

namespace mivo {

class PcmSource {
public:
    virtual ~PcmSource() = default;
    virtual PcmFormat Format() const = 0;
    virtual size_t Frames() const = 0;
    // Moves to a frame (clamped to the length).
    virtual bool Seek(size_t frame) = 0;
    // Up to `frames` frames from the current position into `out`; 0 at the end.
    virtual size_t Read(uint8_t* out, size_t frames) = 0;

    // A source for a WAVE or MP3 file (POSIX path), or null when it cannot be played.
    static std::unique_ptr<PcmSource> OpenFile(const std::string& posixPath);
};

}  // namespace mivo
