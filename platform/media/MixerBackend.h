// Area interface of the sound mixers: a card's simple-mixer elements (raw values in the
// element's own range), over ALSA or the virtual mixer of tests.
#pragma once

#include <string>
#include <vector>

namespace mivo {

struct MixerElementInfo {
    enum class Role { Master, Pcm, Capture };
    std::string name;
    Role role = Role::Master;
    unsigned channels = 2;
    bool hasVolume = true;
    long minimum = 0, maximum = 0;  // raw volume range
    // Master and PCM: the playback switch (on = sounding); capture: the capture switch.
    bool hasSwitch = false;
};

class MixerBackend {
public:
    virtual ~MixerBackend() = default;
    virtual std::string Name() const = 0;
    // Fixed once the mixer is open.
    virtual std::vector<MixerElementInfo> Elements() = 0;
    virtual bool GetVolume(size_t element, unsigned channel, long& raw) = 0;
    // Sets every channel.
    virtual bool SetVolume(size_t element, long raw) = 0;
    virtual bool GetSwitch(size_t element, bool& on) = 0;
    virtual bool SetSwitch(size_t element, bool on) = 0;
    // Waits up to `timeoutMs` for a change made anywhere (or Wake); false on time-out.
    virtual bool WaitForChange(int timeoutMs) = 0;
    virtual void Wake() = 0;
};

}  // namespace mivo
