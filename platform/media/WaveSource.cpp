#include "WaveSource.h"

#include <cstring>

namespace mivo {

std::unique_ptr<WaveSource> WaveSource::FromBytes(std::vector<uint8_t> bytes)
{
    std::unique_ptr<WaveSource> s(new WaveSource);
    s->bytes_ = std::move(bytes);
    if (!ParseWave(s->bytes_.data(), s->bytes_.size(), s->image_))
        return nullptr;
    return s;
}

bool WaveSource::Seek(size_t frame)
{
    position_ = frame < image_.frames ? frame : image_.frames;
    return true;
}

size_t WaveSource::Read(uint8_t* out, size_t frames)
{
    size_t n = image_.frames - position_;
    if (frames < n)
        n = frames;
    size_t step = image_.format.FrameBytes();
    memcpy(out, image_.samples + position_ * step, n * step);
    position_ += n;
    return n;
}

}  // namespace mivo
