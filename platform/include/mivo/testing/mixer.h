// A sound mixer for tests: elements with raw ranges that "another program" can change; the
// layer's mixer functions and their change notices then work over it instead of the card.
#pragma once

#include <memory>
#include <string>

namespace mivo {

class VirtualMixerState;

class VirtualMixer {
public:
    enum class Role { Master, Pcm, Capture };

    VirtualMixer();
    ~VirtualMixer();

    // Capture elements become the recording sources in the order added.
    void Add(const std::string& name, Role role, long minimum, long maximum, unsigned channels = 2,
             bool hasSwitch = true);
    // As another program would change them: every channel's raw value, or the switch.
    void SetFromElsewhere(const std::string& name, long raw);
    void SetSwitchFromElsewhere(const std::string& name, bool on);
    long Raw(const std::string& name, unsigned channel = 0) const;
    bool SwitchOn(const std::string& name) const;

    std::shared_ptr<VirtualMixerState> State() const { return state_; }

private:
    std::shared_ptr<VirtualMixerState> state_;
};

// The mixer the layer uses from now on (mixers open then are closed first): the virtual one,
// none at all, or the card's again.
void UseVirtualMixer(const std::shared_ptr<VirtualMixer>& mixer);
void UseNoMixer();
void UseSystemMixer();

}  // namespace mivo
