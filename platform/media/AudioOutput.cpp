#include "AudioOutput.h"

#include "AlsaAudioOutput.h"
#include "NullAudioOutput.h"

#include <cstdlib>
#include <cstring>

namespace mivo {

namespace {

bool NullRequested()
{
    const char* choice = getenv("MIVO_AUDIO");
    return choice && strcmp(choice, "null") == 0;
}

}  // namespace

std::unique_ptr<AudioOutput> AudioOutput::Open(const PcmFormat& format)
{
    if (format.rate == 0 || format.channels == 0 || (format.bits != 8 && format.bits != 16))
        return nullptr;
    if (!NullRequested()) {
        if (auto alsa = AlsaAudioOutput::Open(format))
            return alsa;
    }
    return std::unique_ptr<AudioOutput>(new NullAudioOutput(format));
}

}  // namespace mivo
