// One picture read from a SANE device: gray, colour and three-pass frames of
// depth 1, 8 or 16, with a known line count or one that grows until the end
// of the data. The device's parameters are checked before they are trusted.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include <sane/sane.h>

namespace mivo::twain {

struct SanePicture {
    int width = 0;
    int height = 0;
    int channels = 0;      // 1 grey, 3 red-green-blue
    bool lineart = false;  // came as 1-bit
    std::vector<uint8_t> samples;  // top-down, 8 bits a sample, channels interleaved
};

class SaneScan {
public:
    explicit SaneScan(SANE_Handle device) : m_device(device) {}

    // Reads every frame of one picture; false on any error or when cancelled.
    bool Read(SanePicture& picture, const std::atomic<bool>& cancelled);

private:
    bool ReadFrame(SanePicture& picture, const std::atomic<bool>& cancelled, bool& last);
    bool ReadBytes(std::vector<uint8_t>& raw, const std::atomic<bool>& cancelled);
    static bool Usable(const SANE_Parameters& p);
    static void Place(const SANE_Parameters& p, const std::vector<uint8_t>& raw, int lines, SanePicture& picture);

    SANE_Handle m_device;
};

}  // namespace mivo::twain
