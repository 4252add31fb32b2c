// The MCI "cdaudio" device: its commands over a CD drive, positions as minutes:seconds:frames.
#pragma once

#include "CdDrive.h"
#include "win32.h"

#include <string>
#include <vector>

namespace mivo {

class CdAudioDevice {
public:
    explicit CdAudioDevice(std::shared_ptr<CdDrive> drive) : drive_(std::move(drive)) {}

    CdDrive& Drive() { return *drive_; }
    // One command's verb and its words after the device name (flags "wait" and "notify"
    // removed); the answer goes to `answer`.
    MCIERROR Execute(const std::string& verb, const std::vector<std::string>& words, std::string& answer);

private:
    MCIERROR Status(const std::vector<std::string>& words, std::string& answer);
    MCIERROR StatusOfDisc(const std::vector<std::string>& words, std::string& answer);
    MCIERROR Play(const std::vector<std::string>& words);
    MCIERROR Seek(const std::vector<std::string>& words);
    MCIERROR Set(const std::vector<std::string>& words);
    // A position word: "mm:ss:ff", "mm:ss" or "mm"; its frame.
    MCIERROR ParsePosition(const std::string& text, unsigned& frame) const;

    std::shared_ptr<CdDrive> drive_;
};

std::string FormatMsf(unsigned frame);

}  // namespace mivo
