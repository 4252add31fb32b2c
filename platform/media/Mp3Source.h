// An MP3 file decoded by libmpg123 as it plays.
#pragma once

#include "PcmSource.h"

typedef struct mpg123_handle_struct mpg123_handle;

namespace mivo {

class Mp3Source : public PcmSource {
public:
    // Null when the file holds no MPEG audio that decodes.
    static std::unique_ptr<Mp3Source> Open(const std::string& posixPath);
    ~Mp3Source() override;
    PcmFormat Format() const override { return format_; }
    size_t Frames() const override { return frames_; }
    bool Seek(size_t frame) override;
    size_t Read(uint8_t* out, size_t frames) override;

private:
    explicit Mp3Source(mpg123_handle* h) : handle_(h) {}
    mpg123_handle* handle_;
    PcmFormat format_;
    size_t frames_ = 0;
};

}  // namespace mivo
