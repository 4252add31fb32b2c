// Built only where SANE is.
#if defined(MIVO_HAVE_SANE)

#include "twain/SaneScan.h"

#include <algorithm>
#include <cstring>

namespace mivo::twain {

namespace {

// A picture bigger than this is refused instead of filling memory.
const size_t kMaxBytes = size_t(1) << 30;
const int kMaxSide = 1 << 16;

int ChannelOf(SANE_Frame frame)
{
    return frame == SANE_FRAME_GREEN ? 1 : frame == SANE_FRAME_BLUE ? 2 : 0;
}

bool ThreePass(SANE_Frame frame)
{
    return frame == SANE_FRAME_RED || frame == SANE_FRAME_GREEN || frame == SANE_FRAME_BLUE;
}

// Sample `index` of a line as 8 bits; a set bit of 1-bit data is black.
uint8_t SampleAt(const uint8_t* line, int index, int depth)
{
    if (depth == 1)
        return (line[index / 8] >> (7 - index % 8)) & 1 ? 0 : 255;
    if (depth == 8)
        return line[index];
    uint16_t wide;
    memcpy(&wide, line + 2 * size_t(index), 2);
    return uint8_t(wide >> 8);
}

}  // namespace

bool SaneScan::Read(SanePicture& picture, const std::atomic<bool>& cancelled)
{
    picture = SanePicture();
    bool last = false;
    for (int frames = 0; !last; frames++) {
        if (frames == 3 || !ReadFrame(picture, cancelled, last))
            return false;
    }
    return picture.width > 0 && picture.height > 0;
}

bool SaneScan::Usable(const SANE_Parameters& p)
{
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    if (p.pixels_per_line <= 0 || p.pixels_per_line > kMaxSide || p.bytes_per_line <= 0 || p.lines > kMaxSide)
        return false;
    if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB && !ThreePass(p.format))
        return false;
    if (p.format == SANE_FRAME_RGB && p.depth == 1)
        return false;
    int samples = p.pixels_per_line * (p.format == SANE_FRAME_RGB ? 3 : 1);
    int64_t needed = (int64_t(samples) * p.depth + 7) / 8;
    return needed <= p.bytes_per_line;
}

bool SaneScan::ReadBytes(std::vector<uint8_t>& raw, const std::atomic<bool>& cancelled)
{
    SANE_Byte buffer[32768];
    for (;;) {
        if (cancelled)
            return false;
        SANE_Int got = 0;
        SANE_Status status = sane_read(m_device, buffer, sizeof buffer, &got);
        if (status == SANE_STATUS_EOF)
            return true;
        if (status != SANE_STATUS_GOOD || got < 0 || got > (SANE_Int)sizeof buffer)
            return false;
        if (raw.size() + size_t(got) > kMaxBytes)
            return false;
        raw.insert(raw.end(), buffer, buffer + got);
    }
}

bool SaneScan::ReadFrame(SanePicture& picture, const std::atomic<bool>& cancelled, bool& last)
{
    if (sane_start(m_device) != SANE_STATUS_GOOD)
        return false;
    SANE_Parameters p;
    if (sane_get_parameters(m_device, &p) != SANE_STATUS_GOOD || !Usable(p))
        return false;
    std::vector<uint8_t> raw;
    if (!ReadBytes(raw, cancelled))
        return false;
    // An unknown line count is whatever came; a known one is kept, short data padded.
    int lines = p.lines >= 0 ? p.lines : int(std::min<size_t>(raw.size() / size_t(p.bytes_per_line), kMaxSide));
    if (lines <= 0)
        return false;
    bool first = picture.channels == 0;
    if (first) {
        picture.width = p.pixels_per_line;
        picture.height = lines;
        picture.channels = p.format == SANE_FRAME_GRAY ? 1 : 3;
        picture.lineart = p.depth == 1;
        picture.samples.assign(size_t(picture.width) * picture.height * picture.channels, 0);
    } else if (!ThreePass(p.format) || picture.channels != 3 || p.pixels_per_line != picture.width) {
        return false;
    }
    Place(p, raw, std::min(lines, picture.height), picture);
    last = p.last_frame != 0;
    return true;
}

void SaneScan::Place(const SANE_Parameters& p, const std::vector<uint8_t>& raw, int lines, SanePicture& picture)
{
    int lineSamples = p.pixels_per_line * (p.format == SANE_FRAME_RGB ? 3 : 1);
    int stride = picture.channels;
    int offset = ThreePass(p.format) ? ChannelOf(p.format) : 0;
    for (int y = 0; y < lines; y++) {
        size_t start = size_t(y) * size_t(p.bytes_per_line);
        if (start + size_t(p.bytes_per_line) > raw.size())
            break;  // short data: the rest stays black
        const uint8_t* line = raw.data() + start;
        uint8_t* out = picture.samples.data() + size_t(y) * picture.width * stride;
        if (ThreePass(p.format)) {
            for (int x = 0; x < picture.width; x++)
                out[size_t(x) * stride + offset] = SampleAt(line, x, p.depth);
        } else {
            for (int i = 0; i < lineSamples; i++)
                out[i] = SampleAt(line, i, p.depth);
        }
    }
}

}  // namespace mivo::twain

#endif
