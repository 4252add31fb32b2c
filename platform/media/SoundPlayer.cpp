#include "SoundPlayer.h"

namespace mivo {

SoundPlayer& SoundPlayer::Instance()
{
    // Never destroyed: a worker may still play while the process exits.
    static SoundPlayer* player = new SoundPlayer;
    return *player;
}

void SoundPlayer::Stop()
{
    std::thread worker;
    {
        std::lock_guard<std::mutex> hold(lock_);
        ++generation_;
        if (current_)
            current_->Interrupt();
        worker.swap(worker_);
    }
    if (worker.joinable())
        worker.join();
}

bool SoundPlayer::Playing()
{
    std::lock_guard<std::mutex> hold(lock_);
    return playing_;
}

bool SoundPlayer::Play(std::vector<uint8_t> wave, bool async, bool loop)
{
    Stop();
    WaveImage image;
    if (!ParseWave(wave.data(), wave.size(), image))
        return false;
    unsigned generation;
    {
        std::lock_guard<std::mutex> hold(lock_);
        generation = generation_;
    }
    if (!async) {
        PlayToEnd(wave, false, generation);
        return true;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (generation != generation_)
        return true;  // stopped meanwhile
    worker_ = std::thread([this, w = std::move(wave), loop, generation] { PlayToEnd(w, loop, generation); });
    return true;
}

void SoundPlayer::PlayToEnd(const std::vector<uint8_t>& wave, bool loop, unsigned generation)
{
    WaveImage image;
    if (!ParseWave(wave.data(), wave.size(), image))
        return;
    std::unique_ptr<AudioOutput> output = AudioOutput::Open(image.format);
    if (!output)
        return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (generation != generation_)
            return;
        current_ = output.get();
        playing_ = true;
    }
    bool more = true;
    while (more) {
        more = output->Write(image.samples, image.frames) && loop && image.frames > 0;
    }
    output->Drain();
    std::lock_guard<std::mutex> hold(lock_);
    if (current_ == output.get()) {
        current_ = nullptr;
        playing_ = false;
    }
}

}  // namespace mivo
