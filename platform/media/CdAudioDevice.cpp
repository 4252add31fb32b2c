#include "CdAudioDevice.h"

#include <cstdio>

namespace mivo {

namespace {

const unsigned kFramesPerSecond = 75;

std::string Join(const std::vector<std::string>& words, size_t from, size_t count)
{
    std::string text;
    for (size_t i = from; i < words.size() && i < from + count; ++i)
        text += (text.empty() ? "" : " ") + words[i];
    return text;
}

bool ParseNumber(const std::string& text, unsigned& value)
{
    if (text.empty() || text.size() > 6)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (unsigned)(c - '0');
    }
    return true;
}

const char* ModeName(CdDrive::Mode mode)
{
    switch (mode) {
    case CdDrive::Mode::Open: return "open";
    case CdDrive::Mode::Playing: return "playing";
    case CdDrive::Mode::Paused: return "paused";
    case CdDrive::Mode::Stopped: return "stopped";
    default: return "not ready";
    }
}

}  // namespace

std::string FormatMsf(unsigned frame)
{
    char text[16];
    snprintf(text, sizeof text, "%02u:%02u:%02u", frame / (kFramesPerSecond * 60) % 100,
             frame / kFramesPerSecond % 60, frame % kFramesPerSecond);
    return text;
}

MCIERROR CdAudioDevice::ParsePosition(const std::string& text, unsigned& frame) const
{
    unsigned parts[3] = {0, 0, 0};
    size_t count = 0, start = 0;
    while (count < 3) {
        size_t colon = text.find(':', start);
        std::string piece = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!ParseNumber(piece, parts[count++]))
            return MCIERR_BAD_INTEGER;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
        if (count == 3)
            return MCIERR_BAD_INTEGER;
    }
    if (parts[1] >= 60 || parts[2] >= kFramesPerSecond)
        return MCIERR_OUTOFRANGE;
    frame = (parts[0] * 60 + parts[1]) * kFramesPerSecond + parts[2];
    return 0;
}

MCIERROR CdAudioDevice::Execute(const std::string& verb, const std::vector<std::string>& words, std::string& answer)
{
    if (verb == "close")
        return words.empty() ? 0 : MCIERR_EXTRA_CHARACTERS;
    if (verb == "status")
        return Status(words, answer);
    if (verb == "play")
        return Play(words);
    if (verb == "seek")
        return Seek(words);
    if (verb == "set")
        return Set(words);
    if (verb == "stop" || verb == "pause" || verb == "resume") {
        if (!words.empty())
            return MCIERR_EXTRA_CHARACTERS;
        if (!drive_->MediaPresent())
            return MCIERR_DEVICE_NOT_READY;
        bool ok = verb == "stop" ? drive_->Stop() : verb == "pause" ? drive_->Pause() : drive_->Resume();
        // Pausing what does not play leaves it as it is, as the drivers do.
        return ok || verb != "stop" ? 0 : MCIERR_HARDWARE;
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}

MCIERROR CdAudioDevice::Status(const std::vector<std::string>& words, std::string& answer)
{
    std::string item = Join(words, 0, words.size());
    if (item.empty())
        return MCIERR_MISSING_PARAMETER;
    if (item == "media present") {
        answer = drive_->MediaPresent() ? "true" : "false";
        return 0;
    }
    if (item == "mode") {
        answer = ModeName(drive_->CurrentMode());
        return 0;
    }
    if (item == "ready") {
        answer = drive_->MediaPresent() ? "true" : "false";
        return 0;
    }
    if (item == "time format") {
        answer = "msf";
        return 0;
    }
    return StatusOfDisc(words, answer);
}

MCIERROR CdAudioDevice::StatusOfDisc(const std::vector<std::string>& words, std::string& answer)
{
    std::string item = Join(words, 0, 2);
    bool ofTrack = words.size() == 3 && words[1] == "track" && (words[0] == "length" || words[0] == "position");
    if (!ofTrack && words.size() > 3)
        return MCIERR_EXTRA_CHARACTERS;
    CdDrive::Toc toc;
    if (!drive_->ReadToc(toc))
        return MCIERR_DEVICE_NOT_READY;
    const unsigned tracks = (unsigned)toc.trackStarts.size();
    auto trackEnd = [&](unsigned i) { return i + 1 < tracks ? toc.trackStarts[i + 1] : toc.leadOut; };
    if (ofTrack) {
        unsigned track = 0;
        if (!ParseNumber(words[2], track))
            return MCIERR_BAD_INTEGER;
        if (track < 1 || track > tracks)
            return MCIERR_OUTOFRANGE;
        unsigned start = toc.trackStarts[track - 1];
        answer = FormatMsf(words[0] == "length" ? trackEnd(track - 1) - start : start);
        return 0;
    }
    if (item == "number of" && words.size() == 3 && words[2] == "tracks") {
        answer = std::to_string(tracks);
        return 0;
    }
    unsigned position = 0;
    if (words.size() == 1 && words[0] == "length") {
        answer = FormatMsf(toc.leadOut - toc.trackStarts[0]);
        return 0;
    }
    if (!drive_->Position(position))
        return MCIERR_HARDWARE;
    if (words.size() == 1 && words[0] == "position") {
        answer = FormatMsf(position);
        return 0;
    }
    if (item == "current track" && words.size() == 2) {
        unsigned current = 1;
        for (unsigned i = 0; i < tracks; ++i)
            if (position >= toc.trackStarts[i])
                current = i + 1;
        answer = std::to_string(current);
        return 0;
    }
    return MCIERR_UNRECOGNIZED_KEYWORD;
}

MCIERROR CdAudioDevice::Play(const std::vector<std::string>& words)
{
    CdDrive::Toc toc;
    if (!drive_->ReadToc(toc))
        return MCIERR_DEVICE_NOT_READY;
    unsigned from = 0, to = toc.leadOut;
    bool haveFrom = false;
    for (size_t i = 0; i < words.size(); i += 2) {
        if (i + 1 >= words.size())
            return MCIERR_MISSING_PARAMETER;
        if (words[i] != "from" && words[i] != "to")
            return MCIERR_UNRECOGNIZED_KEYWORD;
        unsigned frame = 0;
        if (MCIERROR rc = ParsePosition(words[i + 1], frame))
            return rc;
        (words[i] == "from" ? from : to) = frame;
        haveFrom |= words[i] == "from";
    }
    if (!haveFrom && !drive_->Position(from))
        from = toc.trackStarts[0];
    from = std::max(from, toc.trackStarts[0]);
    if (from >= to || to > toc.leadOut)
        return MCIERR_OUTOFRANGE;
    return drive_->Play(from, to) ? 0 : MCIERR_HARDWARE;
}

MCIERROR CdAudioDevice::Seek(const std::vector<std::string>& words)
{
    if (words.size() != 2 || words[0] != "to")
        return MCIERR_MISSING_PARAMETER;
    CdDrive::Toc toc;
    if (!drive_->ReadToc(toc))
        return MCIERR_DEVICE_NOT_READY;
    unsigned frame = 0;
    if (words[1] == "start")
        frame = toc.trackStarts[0];
    else if (words[1] == "end")
        frame = toc.leadOut;
    else if (MCIERROR rc = ParsePosition(words[1], frame))
        return rc;
    if (frame > toc.leadOut)
        return MCIERR_OUTOFRANGE;
    return drive_->Seek(frame) ? 0 : MCIERR_HARDWARE;
}

MCIERROR CdAudioDevice::Set(const std::vector<std::string>& words)
{
    std::string item = Join(words, 0, words.size());
    if (item == "door open" || item == "door closed")
        return drive_->SetDoor(item == "door open") ? 0 : MCIERR_HARDWARE;
    if (item == "time format msf")
        return 0;
    if (words.size() == 3 && words[0] == "time" && words[1] == "format")
        return MCIERR_BAD_TIME_FORMAT;
    return words.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
}

}  // namespace mivo
