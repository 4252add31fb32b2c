// The virtual mixer of tests.
#include "VirtualMixerState.h"
#include "mivo/testing/mixer.h"

namespace mivo {

VirtualMixer::VirtualMixer() : state_(std::make_shared<VirtualMixerState>()) {}

VirtualMixer::~VirtualMixer() = default;

void VirtualMixer::Add(const std::string& name, Role role, long minimum, long maximum, unsigned channels,
                       bool hasSwitch)
{
    MixerElementInfo info;
    info.name = name;
    info.role = role == Role::Master ? MixerElementInfo::Role::Master
                : role == Role::Pcm  ? MixerElementInfo::Role::Pcm
                                     : MixerElementInfo::Role::Capture;
    info.minimum = minimum;
    info.maximum = maximum;
    info.channels = channels ? channels : 1;
    info.hasSwitch = hasSwitch;
    state_->Add(info);
}

void VirtualMixer::SetFromElsewhere(const std::string& name, long raw)
{
    int i = state_->Find(name);
    if (i >= 0)
        state_->SetVolume((size_t)i, raw);
}

void VirtualMixer::SetSwitchFromElsewhere(const std::string& name, bool on)
{
    int i = state_->Find(name);
    if (i >= 0)
        state_->SetSwitch((size_t)i, on);
}

long VirtualMixer::Raw(const std::string& name, unsigned channel) const
{
    return state_->Raw(name, channel);
}

bool VirtualMixer::SwitchOn(const std::string& name) const
{
    return state_->SwitchOn(name);
}

}  // namespace mivo
