// One mixer as Windows sees it: destinations, source lines and controls over a backend's
// elements, with volumes scaled to 0-65535.
#pragma once

#include "MixerBackend.h"
#include "win32.h"

#include <memory>
#include <string>
#include <vector>

namespace mivo {

struct MixerControlModel {
    DWORD id = 0;
    DWORD type = 0;
    DWORD lineId = 0;
    int element = -1;           // volume and mute
    std::vector<int> items;     // multiplexer: the capture elements it chooses among
    std::vector<DWORD> itemLines;
    std::string shortName, name;
};

struct MixerLineModel {
    DWORD id = 0;
    DWORD destination = 0;
    DWORD source = 0;
    bool isSource = false;
    DWORD componentType = 0;
    DWORD targetType = 0;
    DWORD channels = 1;
    DWORD connections = 0;
    std::string shortName, name;
    std::vector<size_t> controls;  // indexes into Controls()
};

class MixerDevice {
public:
    explicit MixerDevice(std::shared_ptr<MixerBackend> backend);

    MixerBackend& Backend() { return *backend_; }
    std::string Name() const { return backend_->Name(); }
    DWORD Destinations() const;
    const MixerLineModel* Destination(DWORD index) const;
    const MixerLineModel* Source(DWORD destination, DWORD index) const;
    const MixerLineModel* LineById(DWORD id) const;
    const MixerLineModel* LineByComponent(DWORD componentType) const;
    const MixerControlModel* Control(DWORD id) const;
    const std::vector<MixerControlModel>& Controls() const { return controls_; }

    // Volume: one value per channel; mute: one; multiplexer: one per item.
    bool Read(const MixerControlModel& control, std::vector<DWORD>& values);
    bool Write(const MixerControlModel& control, const std::vector<DWORD>& values);
    // Every control's values, in the order of Controls().
    std::vector<std::vector<DWORD>> Snapshot();

private:
    void Build();
    size_t AddLine(MixerLineModel line);
    void AddControl(MixerLineModel& line, DWORD type, int element, const char* name);
    DWORD Scale(const MixerElementInfo& info, long raw) const;
    long Unscale(const MixerElementInfo& info, DWORD value) const;

    std::shared_ptr<MixerBackend> backend_;
    std::vector<MixerElementInfo> elements_;
    std::vector<MixerLineModel> lines_;
    std::vector<MixerControlModel> controls_;
};

}  // namespace mivo
