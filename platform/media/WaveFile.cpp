#include "WaveFile.h"

#include <cstring>

namespace mivo {

namespace {

uint32_t Le32(const uint8_t* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint16_t Le16(const uint8_t* p)
{
    return (uint16_t)(p[0] | p[1] << 8);
}

const uint16_t kFormatPcm = 1;
const uint16_t kFormatExtensible = 0xFFFE;

bool ReadFormat(const uint8_t* p, uint32_t size, PcmFormat& f)
{
    if (size < 16)
        return false;
    uint16_t tag = Le16(p);
    if (tag != kFormatPcm && tag != kFormatExtensible)
        return false;
    f.channels = Le16(p + 2);
    f.rate = Le32(p + 4);
    f.bits = Le16(p + 14);
    return f.channels >= 1 && f.channels <= 8 && f.rate >= 1 && f.rate <= 384000 && (f.bits == 8 || f.bits == 16);
}

}  // namespace

bool ParseWave(const uint8_t* bytes, size_t size, WaveImage& out)
{
    out = WaveImage();
    if (!bytes || size < 12 || memcmp(bytes, "RIFF", 4) != 0 || memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint8_t* chunk = bytes + pos;
        uint64_t length = Le32(chunk + 4);
        uint64_t room = size - pos - 8;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (length > room || !ReadFormat(chunk + 8, (uint32_t)length, out.format))
                return false;
            haveFormat = true;
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return false;
            uint64_t kept = length < room ? length : room;
            out.samples = chunk + 8;
            out.frames = (size_t)(kept / out.format.FrameBytes());
            return true;
        }
        pos += 8 + (size_t)length + (length & 1);  // chunks are padded to even sizes
        if (length > room)
            break;
    }
    return false;
}

}  // namespace mivo
