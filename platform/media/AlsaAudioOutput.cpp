#include "AlsaAudioOutput.h"

#include <alsa/asoundlib.h>

namespace mivo {

namespace {

// Written in slices so that an interruption is seen within a short time.
const size_t kSliceMs = 50;

void Quiet(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::unique_ptr<AlsaAudioOutput> AlsaAudioOutput::Open(const PcmFormat& format)
{
    // A machine without a card is normal here; the library must not complain on stderr.
    static bool quiet = (snd_lib_error_set_handler(&Quiet), true);
    (void)quiet;
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return nullptr;
    snd_pcm_format_t f = format.bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm, f, SND_PCM_ACCESS_RW_INTERLEAVED, format.channels, format.rate, 1, 200000) < 0) {
        snd_pcm_close(pcm);
        return nullptr;
    }
    return std::unique_ptr<AlsaAudioOutput>(new AlsaAudioOutput(pcm, format));
}

AlsaAudioOutput::~AlsaAudioOutput()
{
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
}

bool AlsaAudioOutput::Write(const uint8_t* samples, size_t frames)
{
    size_t slice = format_.rate * kSliceMs / 1000 + 1;
    while (frames > 0) {
        if (interrupted_)
            return false;
        size_t n = frames < slice ? frames : slice;
        snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, n);
        if (written < 0) {
            if (snd_pcm_recover(pcm_, (int)written, 1) < 0)
                return false;
            continue;
        }
        samples += (size_t)written * format_.FrameBytes();
        frames -= (size_t)written;
    }
    return true;
}

void AlsaAudioOutput::Interrupt()
{
    interrupted_ = true;
    snd_pcm_drop(pcm_);
}

void AlsaAudioOutput::Resume()
{
    interrupted_ = false;
    snd_pcm_prepare(pcm_);
}

void AlsaAudioOutput::Drain()
{
    if (!interrupted_)
        snd_pcm_drain(pcm_);
}

}  // namespace mivo
