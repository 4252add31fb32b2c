// What an MCI window plays: one decoded source played on the player's own thread, with a
// position that moves as the output takes the sound.
#pragma once

#include "AudioOutput.h"
#include "PcmSource.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace mivo {

class MediaPlayer {
public:
    enum class Mode { NotReady, Stopped, Playing, Paused };

    // Takes the source (null: nothing to play, length 0).
    explicit MediaPlayer(std::unique_ptr<PcmSource> source);
    ~MediaPlayer();

    unsigned LengthMs() const;
    unsigned PositionMs();
    Mode CurrentMode();

    bool Play();    // from the current position; from the start when at the end
    bool Pause();
    bool Resume();
    bool Stop();    // the position stays
    bool SeekMs(unsigned ms);  // stops; the position moves

private:
    void Run();
    void Halt(std::unique_lock<std::mutex>& hold);

    std::unique_ptr<PcmSource> source_;
    std::unique_ptr<AudioOutput> output_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::thread thread_;
    Mode mode_;
    size_t position_ = 0;  // frames played
    size_t sourceAt_ = 0;  // where the source will read next
    bool quit_ = false;
};

}  // namespace mivo
