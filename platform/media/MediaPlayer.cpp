#include "MediaPlayer.h"

#include <vector>

namespace mivo {

namespace {

// Frames handed to the output at once: a short slice, so pause and stop act quickly.
const unsigned kSliceMs = 40;

}  // namespace

MediaPlayer::MediaPlayer(std::unique_ptr<PcmSource> source)
    : source_(std::move(source)), mode_(source_ ? Mode::Stopped : Mode::NotReady)
{
    if (!source_)
        return;
    output_ = AudioOutput::Open(source_->Format());
    if (!output_) {
        source_.reset();
        mode_ = Mode::NotReady;
        return;
    }
    thread_ = std::thread([this] { Run(); });
}

MediaPlayer::~MediaPlayer()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        quit_ = true;
        if (output_)
            output_->Interrupt();
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

unsigned MediaPlayer::LengthMs() const
{
    if (!source_)
        return 0;
    return (unsigned)((unsigned long long)source_->Frames() * 1000 / source_->Format().rate);
}

unsigned MediaPlayer::PositionMs()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!source_)
        return 0;
    unsigned rate = source_->Format().rate;
    return (unsigned)(((unsigned long long)position_ * 1000 + rate / 2) / rate);
}

MediaPlayer::Mode MediaPlayer::CurrentMode()
{
    std::lock_guard<std::mutex> hold(lock_);
    return mode_;
}

bool MediaPlayer::Play()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!source_)
        return false;
    if (position_ >= source_->Frames())
        position_ = 0;
    output_->Resume();
    mode_ = Mode::Playing;
    changed_.notify_all();
    return true;
}

bool MediaPlayer::Pause()
{
    std::unique_lock<std::mutex> hold(lock_);
    if (mode_ != Mode::Playing)
        return mode_ == Mode::Paused;
    Halt(hold);
    mode_ = Mode::Paused;
    return true;
}

bool MediaPlayer::Resume()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (mode_ != Mode::Paused)
            return mode_ == Mode::Playing;
    }
    return Play();
}

bool MediaPlayer::Stop()
{
    std::unique_lock<std::mutex> hold(lock_);
    if (!source_)
        return false;
    Halt(hold);
    mode_ = Mode::Stopped;
    return true;
}

bool MediaPlayer::SeekMs(unsigned ms)
{
    std::unique_lock<std::mutex> hold(lock_);
    if (!source_)
        return false;
    Halt(hold);
    size_t frame = (size_t)((unsigned long long)ms * source_->Format().rate / 1000);
    position_ = frame < source_->Frames() ? frame : source_->Frames();
    mode_ = Mode::Stopped;
    return true;
}

// Makes the player thread let go of the output; the caller holds the lock.
void MediaPlayer::Halt(std::unique_lock<std::mutex>& hold)
{
    if (mode_ != Mode::Playing)
        return;
    mode_ = Mode::Stopped;
    output_->Interrupt();
    changed_.notify_all();
    (void)hold;
}

void MediaPlayer::Run()
{
    PcmFormat format = source_->Format();
    size_t slice = format.rate * kSliceMs / 1000 + 1;
    std::vector<uint8_t> buffer(slice * format.FrameBytes());
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        changed_.wait(hold, [this] { return quit_ || mode_ == Mode::Playing; });
        if (quit_)
            return;
        size_t from = position_;
        if (from != sourceAt_)
            source_->Seek(from);
        size_t got = source_->Read(buffer.data(), slice);
        sourceAt_ = from + got;
        if (got == 0) {
            position_ = source_->Frames();
            mode_ = Mode::Stopped;
            continue;
        }
        hold.unlock();
        bool played = output_->Write(buffer.data(), got);
        hold.lock();
        // A pause, stop or seek meanwhile decides the position itself.
        if (played && mode_ == Mode::Playing && position_ == from)
            position_ = from + got;
    }
}

}  // namespace mivo
