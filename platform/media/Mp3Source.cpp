#include "Mp3Source.h"

#include <mpg123.h>

#include <mutex>

namespace mivo {

namespace {

bool LibraryReady()
{
    static bool ready = [] {
#if MPG123_API_VERSION < 46
        return mpg123_init() == MPG123_OK;
#else
        return true;
#endif
    }();
    return ready;
}

}  // namespace

std::unique_ptr<Mp3Source> Mp3Source::Open(const std::string& posixPath)
{
    if (!LibraryReady())
        return nullptr;
    int error = 0;
    mpg123_handle* h = mpg123_new(nullptr, &error);
    if (!h)
        return nullptr;
    std::unique_ptr<Mp3Source> s(new Mp3Source(h));
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Always 16-bit samples, at whatever rate and channel count the file has.
    mpg123_format_none(h);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(h, posixPath.c_str()) != MPG123_OK)
        return nullptr;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(h, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels <= 0)
        return nullptr;
    s->format_.rate = (unsigned)rate;
    s->format_.channels = (unsigned)channels;
    s->format_.bits = 16;
    mpg123_scan(h);
    off_t length = mpg123_length(h);
    if (length <= 0)
        return nullptr;
    s->frames_ = (size_t)length;
    return s;
}

Mp3Source::~Mp3Source()
{
    mpg123_close(handle_);
    mpg123_delete(handle_);
}

bool Mp3Source::Seek(size_t frame)
{
    return mpg123_seek(handle_, (off_t)(frame < frames_ ? frame : frames_), SEEK_SET) >= 0;
}

size_t Mp3Source::Read(uint8_t* out, size_t frames)
{
    size_t want = frames * format_.FrameBytes(), done = 0;
    while (done < want) {
        size_t got = 0;
        int rc = mpg123_read(handle_, out + done, want - done, &got);
        done += got;
        if (rc == MPG123_NEW_FORMAT)
            continue;
        if (rc != MPG123_OK || got == 0)
            break;
    }
    return done / format_.FrameBytes();
}

}  // namespace mivo
