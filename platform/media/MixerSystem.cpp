#include "MixerSystem.h"

#include "AlsaMixer.h"

namespace mivo {

MixerSystem& MixerSystem::Instance()
{
    static MixerSystem* system = new MixerSystem;  // lives to the end: the watcher may still run
    return *system;
}

MixerSystem::~MixerSystem()
{
    StopWatcher();
}

MixerDevice* MixerSystem::DeviceLocked()
{
    if (!chosen_) {
        chosen_ = true;
        if (system_ && !backend_)
            backend_ = OpenAlsaMixer();
        if (backend_)
            device_.reset(new MixerDevice(backend_));
    }
    return device_.get();
}

UINT MixerSystem::Count()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return DeviceLocked() ? 1 : 0;
}

MMRESULT MixerSystem::Open(HMIXER* handle, UINT id, HWND window)
{
    if (!handle)
        return MMSYSERR_INVALPARAM;
    *handle = nullptr;
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!DeviceLocked() || id != 0)
            return MMSYSERR_BADDEVICEID;
        uintptr_t h = ++nextHandle_;
        first = mixers_.empty();
        mixers_[h] = window;
        *handle = (HMIXER)h;
    }
    if (first)
        StartWatcher();
    return MMSYSERR_NOERROR;
}

MMRESULT MixerSystem::Close(HMIXER handle)
{
    bool last = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!mixers_.erase((uintptr_t)handle))
            return MMSYSERR_INVALHANDLE;
        last = mixers_.empty();
    }
    if (last)
        StopWatcher();
    return MMSYSERR_NOERROR;
}

MMRESULT MixerSystem::Resolve(HMIXEROBJ object, DWORD flags, UINT& id)
{
    std::lock_guard<std::mutex> lock(mutex_);
    uintptr_t value = (uintptr_t)object;
    switch (flags & MIXER_OBJECTF_TYPEMASK) {
    case MIXER_OBJECTF_HMIXER:
        if (!mixers_.count(value))
            return MMSYSERR_INVALHANDLE;
        break;
    case MIXER_OBJECTF_MIXER:
        if (value != 0)
            return MMSYSERR_BADDEVICEID;
        break;
    case MIXER_OBJECTF_HWAVEOUT:
    case MIXER_OBJECTF_HWAVEIN: {
        auto found = waves_.find(value);
        bool input = (flags & MIXER_OBJECTF_TYPEMASK) == MIXER_OBJECTF_HWAVEIN;
        if (found == waves_.end() || found->second != input)
            return MMSYSERR_INVALHANDLE;
        break;
    }
    case MIXER_OBJECTF_WAVEOUT:
    case MIXER_OBJECTF_WAVEIN:
        if (value != 0 && (UINT)value != WAVE_MAPPER)
            return MMSYSERR_BADDEVICEID;
        break;
    default: return MMSYSERR_INVALFLAG;
    }
    if (!DeviceLocked())
        return MMSYSERR_NODRIVER;
    id = 0;
    return MMSYSERR_NOERROR;
}

MMRESULT MixerSystem::OpenWave(bool input, UINT device, const WAVEFORMATEX* format, HANDLE& handle)
{
    handle = nullptr;
    if (device != WAVE_MAPPER && device != 0)
        return MMSYSERR_BADDEVICEID;
    if (!format)
        return MMSYSERR_INVALPARAM;
    bool pcm = format->wFormatTag == WAVE_FORMAT_PCM && format->nChannels >= 1 && format->nChannels <= 2 &&
               (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) && format->nSamplesPerSec > 0 &&
               format->nBlockAlign == format->nChannels * format->wBitsPerSample / 8 &&
               format->nAvgBytesPerSec == format->nSamplesPerSec * format->nBlockAlign;
    if (!pcm)
        return WAVERR_BADFORMAT;
    std::lock_guard<std::mutex> lock(mutex_);
    uintptr_t h = ++nextHandle_;
    waves_[h] = input;
    handle = (HANDLE)h;
    return MMSYSERR_NOERROR;
}

MMRESULT MixerSystem::CloseWave(bool input, HANDLE handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = waves_.find((uintptr_t)handle);
    if (found == waves_.end() || found->second != input)
        return MMSYSERR_INVALHANDLE;
    waves_.erase(found);
    return MMSYSERR_NOERROR;
}

void MixerSystem::Replace(std::shared_ptr<MixerBackend> backend, bool system)
{
    StopWatcher();
    std::lock_guard<std::mutex> lock(mutex_);
    mixers_.clear();
    device_.reset();
    backend_ = std::move(backend);
    system_ = system;
    chosen_ = false;
}

void MixerSystem::Changed()
{
    std::shared_ptr<MixerBackend> backend;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        backend = backend_;
    }
    if (backend)
        backend->Wake();
}

void MixerSystem::StartWatcher()
{
    std::shared_ptr<MixerBackend> backend;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        backend = backend_;
        if (!device_ || watcher_.joinable())
            return;
        snapshot_ = device_->Snapshot();
    }
    stop_ = false;
    watcher_ = std::thread([this, backend] { Watch(backend); });
}

void MixerSystem::StopWatcher()
{
    if (!watcher_.joinable())
        return;
    stop_ = true;
    std::shared_ptr<MixerBackend> backend;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        backend = backend_;
    }
    if (backend)
        backend->Wake();
    watcher_.join();
}

void MixerSystem::Watch(std::shared_ptr<MixerBackend> backend)
{
    while (!stop_) {
        backend->WaitForChange(250);
        if (stop_)
            break;
        TellChanges();
    }
}

// Every control whose values differ from the last look is announced to every callback window.
void MixerSystem::TellChanges()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!device_)
        return;
    auto now = device_->Snapshot();
    for (size_t i = 0; i < now.size() && i < snapshot_.size(); ++i) {
        if (now[i] == snapshot_[i])
            continue;
        for (const auto& open : mixers_)
            if (open.second)
                PostMessage(open.second, MM_MIXM_CONTROL_CHANGE, (WPARAM)open.first,
                            (LPARAM)device_->Controls()[i].id);
    }
    snapshot_ = std::move(now);
}

}  // namespace mivo
