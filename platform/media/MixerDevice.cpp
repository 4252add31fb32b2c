#include "MixerDevice.h"

namespace mivo {

namespace {

const DWORD kMaxVolume = 65535;

DWORD CaptureComponent(const std::string& name)
{
    auto has = [&name](const char* word) { return name.find(word) != std::string::npos; };
    if (has("Mic"))
        return MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
    if (has("Line"))
        return MIXERLINE_COMPONENTTYPE_SRC_LINE;
    if (has("CD"))
        return MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
    if (has("Aux"))
        return MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY;
    return MIXERLINE_COMPONENTTYPE_SRC_ANALOG;
}

}  // namespace

MixerDevice::MixerDevice(std::shared_ptr<MixerBackend> backend) : backend_(std::move(backend))
{
    elements_ = backend_->Elements();
    Build();
}

size_t MixerDevice::AddLine(MixerLineModel line)
{
    lines_.push_back(std::move(line));
    return lines_.size() - 1;
}

void MixerDevice::AddControl(MixerLineModel& line, DWORD type, int element, const char* name)
{
    MixerControlModel control;
    control.id = (DWORD)controls_.size() + 1;
    control.type = type;
    control.lineId = line.id;
    control.element = element;
    control.shortName = control.name = name;
    line.controls.push_back(controls_.size());
    controls_.push_back(control);
}

// Speakers (master, with the wave output as source) and recording (its capture sources).
void MixerDevice::Build()
{
    MixerLineModel speakers;
    speakers.id = 0xFFFF0000;
    speakers.componentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    speakers.targetType = MIXERLINE_TARGETTYPE_WAVEOUT;
    speakers.shortName = speakers.name = "Speakers";
    MixerLineModel recording;
    recording.id = 0xFFFF0001;
    recording.destination = 1;
    recording.componentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    recording.targetType = MIXERLINE_TARGETTYPE_WAVEIN;
    recording.shortName = recording.name = "Recording";
    std::vector<MixerLineModel> playbackSources, captureSources;
    for (size_t i = 0; i < elements_.size(); ++i) {
        const MixerElementInfo& e = elements_[i];
        if (e.role == MixerElementInfo::Role::Master) {
            speakers.channels = e.channels;
            AddControl(speakers, MIXERCONTROL_CONTROLTYPE_VOLUME, (int)i, "Master Volume");
            if (e.hasSwitch)
                AddControl(speakers, MIXERCONTROL_CONTROLTYPE_MUTE, (int)i, "Master Mute");
            continue;
        }
        std::vector<MixerLineModel>& into = e.role == MixerElementInfo::Role::Pcm ? playbackSources : captureSources;
        MixerLineModel source;
        source.isSource = true;
        source.destination = e.role == MixerElementInfo::Role::Pcm ? 0 : 1;
        source.source = (DWORD)into.size();
        source.id = (source.source << 16) | source.destination;
        source.channels = e.channels;
        source.shortName = e.name.substr(0, MIXER_SHORT_NAME_CHARS - 1);
        source.name = e.name.substr(0, MIXER_LONG_NAME_CHARS - 1);
        if (e.role == MixerElementInfo::Role::Pcm) {
            source.componentType = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
            source.targetType = MIXERLINE_TARGETTYPE_WAVEOUT;
            AddControl(source, MIXERCONTROL_CONTROLTYPE_VOLUME, (int)i, "Volume");
            if (e.hasSwitch)
                AddControl(source, MIXERCONTROL_CONTROLTYPE_MUTE, (int)i, "Mute");
        } else {
            source.componentType = CaptureComponent(e.name);
            AddControl(source, MIXERCONTROL_CONTROLTYPE_VOLUME, (int)i, "Volume");
        }
        into.push_back(source);
    }
    std::vector<int> selectable;
    std::vector<DWORD> selectableLines;
    for (const MixerLineModel& source : captureSources) {
        int element = controls_[source.controls[0]].element;
        if (elements_[element].hasSwitch) {
            selectable.push_back(element);
            selectableLines.push_back(source.id);
        }
    }
    if (!selectable.empty()) {
        AddControl(recording, MIXERCONTROL_CONTROLTYPE_MUX, -1, "Recording Source");
        controls_.back().items = selectable;
        controls_.back().itemLines = selectableLines;
    }
    speakers.connections = (DWORD)playbackSources.size();
    recording.connections = (DWORD)captureSources.size();
    AddLine(speakers);
    AddLine(recording);
    for (auto& source : playbackSources)
        AddLine(source);
    for (auto& source : captureSources)
        AddLine(source);
}

DWORD MixerDevice::Destinations() const
{
    return 2;
}

const MixerLineModel* MixerDevice::Destination(DWORD index) const
{
    return index < 2 ? &lines_[index] : nullptr;
}

const MixerLineModel* MixerDevice::Source(DWORD destination, DWORD index) const
{
    for (const MixerLineModel& line : lines_)
        if (line.isSource && line.destination == destination && line.source == index)
            return &line;
    return nullptr;
}

const MixerLineModel* MixerDevice::LineById(DWORD id) const
{
    for (const MixerLineModel& line : lines_)
        if (line.id == id)
            return &line;
    return nullptr;
}

const MixerLineModel* MixerDevice::LineByComponent(DWORD componentType) const
{
    for (const MixerLineModel& line : lines_)
        if (line.componentType == componentType)
            return &line;
    return nullptr;
}

const MixerControlModel* MixerDevice::Control(DWORD id) const
{
    return id >= 1 && id <= controls_.size() ? &controls_[id - 1] : nullptr;
}

DWORD MixerDevice::Scale(const MixerElementInfo& info, long raw) const
{
    long long span = (long long)info.maximum - info.minimum;
    if (span <= 0)
        return 0;
    long long offset = std::max(0LL, std::min(span, (long long)raw - info.minimum));
    return (DWORD)(offset * kMaxVolume / span);
}

long MixerDevice::Unscale(const MixerElementInfo& info, DWORD value) const
{
    long long span = (long long)info.maximum - info.minimum;
    value = std::min(value, kMaxVolume);
    return (long)(info.minimum + ((long long)value * span + kMaxVolume / 2) / kMaxVolume);
}

bool MixerDevice::Read(const MixerControlModel& control, std::vector<DWORD>& values)
{
    values.clear();
    if (control.type == MIXERCONTROL_CONTROLTYPE_MUX) {
        for (int element : control.items) {
            bool on = false;
            if (!backend_->GetSwitch((size_t)element, on))
                return false;
            values.push_back(on ? 1 : 0);
        }
        return true;
    }
    const MixerElementInfo& info = elements_[control.element];
    if (control.type == MIXERCONTROL_CONTROLTYPE_MUTE) {
        bool on = true;
        if (!backend_->GetSwitch((size_t)control.element, on))
            return false;
        values.push_back(on ? 0 : 1);
        return true;
    }
    for (unsigned channel = 0; channel < info.channels; ++channel) {
        long raw = 0;
        if (!backend_->GetVolume((size_t)control.element, channel, raw))
            return false;
        values.push_back(Scale(info, raw));
    }
    return true;
}

bool MixerDevice::Write(const MixerControlModel& control, const std::vector<DWORD>& values)
{
    if (values.empty())
        return false;
    if (control.type == MIXERCONTROL_CONTROLTYPE_MUX) {
        bool ok = true;
        for (size_t i = 0; i < control.items.size() && i < values.size(); ++i)
            ok &= backend_->SetSwitch((size_t)control.items[i], values[i] != 0);
        return ok;
    }
    if (control.type == MIXERCONTROL_CONTROLTYPE_MUTE)
        return backend_->SetSwitch((size_t)control.element, values[0] == 0);
    return backend_->SetVolume((size_t)control.element, Unscale(elements_[control.element], values[0]));
}

std::vector<std::vector<DWORD>> MixerDevice::Snapshot()
{
    std::vector<std::vector<DWORD>> all;
    for (const MixerControlModel& control : controls_) {
        std::vector<DWORD> values;
        Read(control, values);
        all.push_back(values);
    }
    return all;
}

}  // namespace mivo
