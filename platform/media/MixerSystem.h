// The process's mixers: which backend serves them (the card, the virtual one of tests or none),
// the open mixer and wave handles, and the thread that tells callback windows of changes.
#pragma once

#include "MixerDevice.h"

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace mivo {

class MixerSystem {
public:
    static MixerSystem& Instance();

    // Runs `work` with the mixer `id` under the system's lock; MMSYSERR_BADDEVICEID when none.
    template <class Work>
    MMRESULT WithDevice(UINT id, Work work)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        MixerDevice* device = DeviceLocked();
        if (!device || id != 0)
            return MMSYSERR_BADDEVICEID;
        return work(*device);
    }
    UINT Count();

    MMRESULT Open(HMIXER* handle, UINT id, HWND window);
    MMRESULT Close(HMIXER handle);
    // The mixer id a mixer object names, per the MIXER_OBJECTF_ flags.
    MMRESULT Resolve(HMIXEROBJ object, DWORD flags, UINT& id);

    // Wave handles, kept only to answer which mixer they belong to.
    MMRESULT OpenWave(bool input, UINT device, const WAVEFORMATEX* format, HANDLE& handle);
    MMRESULT CloseWave(bool input, HANDLE handle);

    // Tests: a different backend from now on (null: no mixer); `system` goes back to the card's.
    void Replace(std::shared_ptr<MixerBackend> backend, bool system);
    // Own changes reach the watcher at once.
    void Changed();

private:
    MixerSystem() = default;
    ~MixerSystem();
    MixerDevice* DeviceLocked();
    void StartWatcher();
    void StopWatcher();
    void Watch(std::shared_ptr<MixerBackend> backend);
    void TellChanges();

    std::mutex mutex_;
    bool chosen_ = false;
    bool system_ = true;
    std::shared_ptr<MixerBackend> backend_;
    std::unique_ptr<MixerDevice> device_;
    std::map<uintptr_t, HWND> mixers_;             // handle -> callback window
    std::map<uintptr_t, bool> waves_;              // handle -> input
    uintptr_t nextHandle_ = 0x4D580000;
    std::vector<std::vector<DWORD>> snapshot_;
    std::thread watcher_;
    std::atomic<bool> stop_{false};
};

}  // namespace mivo
