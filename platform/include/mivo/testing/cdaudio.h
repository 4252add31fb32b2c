// An audio CD drive for tests: a disc of given track lengths, a clock that moves while it
// plays, and the log of every MCI command string sent while it is in use.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace mivo {

class VirtualCdState;

class VirtualCdDrive {
public:
    VirtualCdDrive();
    ~VirtualCdDrive();

    // Track lengths in frames (75 a second); the first track starts 2 seconds in, as on discs.
    void InsertDisc(const std::vector<unsigned>& trackFrames);
    void RemoveDisc();
    // Places the head (and stops there) as if it had played up to `frame`.
    void MoveTo(unsigned frame);
    // The drive refuses to play (a hardware error).
    void RefusePlay(bool refuse);
    bool DoorOpen() const;
    std::vector<std::string> Commands() const;
    void ClearCommands();

    std::shared_ptr<VirtualCdState> State() const { return state_; }

private:
    std::shared_ptr<VirtualCdState> state_;
};

// The drive "open cdaudio" uses from now on: the virtual one, none, or the computer's again.
void UseVirtualCdDrive(const std::shared_ptr<VirtualCdDrive>& drive);
void UseNoCdDrive();
void UseSystemCdDrive();

}  // namespace mivo
