// Area interface of audio CD drives: the table of contents, the drive's own audio play and
// the tray; positions are frames (75 a second) from the start of the disc.
#pragma once

#include <memory>
#include <vector>

namespace mivo {

class CdDrive {
public:
    enum class Mode { NotReady, Open, Playing, Paused, Stopped };
    struct Toc {
        std::vector<unsigned> trackStarts;  // first frame of each track
        unsigned leadOut = 0;               // the frame after the last track
    };

    virtual ~CdDrive() = default;
    virtual bool MediaPresent() = 0;
    virtual bool ReadToc(Toc& toc) = 0;
    virtual Mode CurrentMode() = 0;
    virtual bool Position(unsigned& frame) = 0;
    virtual bool Play(unsigned from, unsigned to) = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    virtual bool Stop() = 0;
    virtual bool Seek(unsigned frame) = 0;
    virtual bool SetDoor(bool open) = 0;
    // Each command string the device was given, for the virtual drive's log.
    virtual void Note(const char*) {}
};

// The drive "open cdaudio" reaches now: the computer's (null without one), or a test's.
std::shared_ptr<CdDrive> OpenCdDrive();
std::shared_ptr<CdDrive> OpenSystemCdDrive();

}  // namespace mivo
