// The virtual CD drive of tests: a table of contents, a clock while it plays, a command log.
#include "CdDrive.h"
#include "mivo/testing/cdaudio.h"

#include <chrono>
#include <mutex>

namespace mivo {

class VirtualCdState : public CdDrive {
public:
    bool MediaPresent() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return present_ && !doorOpen_;
    }
    bool ReadToc(Toc& toc) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!present_ || doorOpen_)
            return false;
        toc = toc_;
        return true;
    }
    Mode CurrentMode() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (doorOpen_)
            return Mode::Open;
        if (!present_)
            return Mode::NotReady;
        Advance();
        return mode_;
    }
    bool Position(unsigned& frame) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!present_ || doorOpen_)
            return false;
        Advance();
        frame = position_;
        return true;
    }
    bool Play(unsigned from, unsigned to) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!present_ || doorOpen_ || refuse_ || from >= to || to > toc_.leadOut)
            return false;
        position_ = from;
        playTo_ = to;
        started_ = Clock::now();
        mode_ = Mode::Playing;
        return true;
    }
    bool Pause() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Advance();
        if (mode_ != Mode::Playing)
            return false;
        mode_ = Mode::Paused;
        return true;
    }
    bool Resume() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (mode_ != Mode::Paused)
            return false;
        started_ = Clock::now();
        mode_ = Mode::Playing;
        return true;
    }
    bool Stop() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Advance();
        if (present_ && !doorOpen_)
            mode_ = Mode::Stopped;
        return present_ && !doorOpen_;
    }
    bool Seek(unsigned frame) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!present_ || doorOpen_)
            return false;
        mode_ = Mode::Stopped;
        position_ = std::min(frame, toc_.leadOut);
        return true;
    }
    bool SetDoor(bool open) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        doorOpen_ = open;
        mode_ = Mode::Stopped;
        return true;
    }
    void Note(const char* command) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        log_.push_back(command ? command : "");
    }

    void Insert(const std::vector<unsigned>& frames)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        toc_ = Toc();
        unsigned at = 150;
        for (unsigned f : frames) {
            toc_.trackStarts.push_back(at);
            at += f;
        }
        toc_.leadOut = at;
        present_ = !frames.empty();
        position_ = 150;
        mode_ = Mode::Stopped;
    }
    void Remove()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        present_ = false;
        mode_ = Mode::NotReady;
    }
    void MoveTo(unsigned frame)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        position_ = frame;
        mode_ = Mode::Stopped;
    }
    void Refuse(bool refuse)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        refuse_ = refuse;
    }
    bool DoorIsOpen()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return doorOpen_;
    }
    std::vector<std::string> Log()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }
    void ClearLog()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        log_.clear();
    }

private:
    using Clock = std::chrono::steady_clock;

    // The clock moves the head while playing, up to where the play ends.
    void Advance()
    {
        if (mode_ != Mode::Playing)
            return;
        auto now = Clock::now();
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - started_).count();
        unsigned frames = (unsigned)(ms * 75 / 1000);
        if (!frames)
            return;
        started_ += std::chrono::milliseconds((long long)frames * 1000 / 75);
        position_ = std::min(playTo_, position_ + frames);
        if (position_ >= playTo_)
            mode_ = Mode::Stopped;
    }

    std::mutex mutex_;
    Toc toc_;
    bool present_ = false;
    bool doorOpen_ = false;
    bool refuse_ = false;
    Mode mode_ = Mode::NotReady;
    unsigned position_ = 0;
    unsigned playTo_ = 0;
    Clock::time_point started_;
    std::vector<std::string> log_;
};

VirtualCdDrive::VirtualCdDrive() : state_(std::make_shared<VirtualCdState>()) {}
VirtualCdDrive::~VirtualCdDrive() = default;

void VirtualCdDrive::InsertDisc(const std::vector<unsigned>& trackFrames)
{
    state_->Insert(trackFrames);
}

void VirtualCdDrive::RemoveDisc()
{
    state_->Remove();
}

void VirtualCdDrive::MoveTo(unsigned frame)
{
    state_->MoveTo(frame);
}

void VirtualCdDrive::RefusePlay(bool refuse)
{
    state_->Refuse(refuse);
}

bool VirtualCdDrive::DoorOpen() const
{
    return state_->DoorIsOpen();
}

std::vector<std::string> VirtualCdDrive::Commands() const
{
    return state_->Log();
}

void VirtualCdDrive::ClearCommands()
{
    state_->ClearLog();
}

namespace {

enum class DriveChoice { System, Virtual, None };

struct DriveSelection {
    std::mutex mutex;
    DriveChoice choice = DriveChoice::System;
    std::shared_ptr<CdDrive> drive;
};

DriveSelection& Selection()
{
    static DriveSelection* selection = new DriveSelection;
    return *selection;
}

void Choose(DriveChoice choice, std::shared_ptr<CdDrive> drive)
{
    DriveSelection& s = Selection();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.choice = choice;
    s.drive = std::move(drive);
}

}  // namespace

std::shared_ptr<CdDrive> OpenCdDrive()
{
    DriveSelection& s = Selection();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.choice == DriveChoice::System)
        return OpenSystemCdDrive();
    return s.drive;
}

void UseVirtualCdDrive(const std::shared_ptr<VirtualCdDrive>& drive)
{
    Choose(drive ? DriveChoice::Virtual : DriveChoice::None, drive ? drive->State() : nullptr);
}

void UseNoCdDrive()
{
    Choose(DriveChoice::None, nullptr);
}

void UseSystemCdDrive()
{
    Choose(DriveChoice::System, nullptr);
}

}  // namespace mivo
