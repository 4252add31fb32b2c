// The mixer functions over the process's mixer system.
#include "MixerSystem.h"
#include "VirtualMixerState.h"
#include "mivo/testing/mixer.h"

#include <cstring>

using mivo::MixerControlModel;
using mivo::MixerDevice;
using mivo::MixerLineModel;
using mivo::MixerSystem;

namespace {

void CopyName(char* to, size_t size, const std::string& from)
{
    size_t n = std::min(size - 1, from.size());
    memcpy(to, from.data(), n);
    to[n] = 0;
}

void FillLine(MixerDevice& device, const MixerLineModel& model, MIXERLINEA& line)
{
    DWORD_PTR user = line.dwUser;
    memset(&line, 0, sizeof line);
    line.cbStruct = sizeof line;
    line.dwUser = user;
    line.dwDestination = model.destination;
    line.dwSource = model.isSource ? model.source : 0;
    line.dwLineID = model.id;
    line.fdwLine = MIXERLINE_LINEF_ACTIVE | (model.isSource ? MIXERLINE_LINEF_SOURCE : 0);
    line.dwComponentType = model.componentType;
    line.cChannels = model.channels;
    line.cConnections = model.isSource ? 0 : model.connections;
    line.cControls = (DWORD)model.controls.size();
    CopyName(line.szShortName, sizeof line.szShortName, model.shortName);
    CopyName(line.szName, sizeof line.szName, model.name);
    line.Target.dwType = model.targetType;
    CopyName(line.Target.szPname, sizeof line.Target.szPname, device.Name());
}

void FillControl(const MixerControlModel& model, MIXERCONTROLA& control)
{
    memset(&control, 0, sizeof control);
    control.cbStruct = sizeof control;
    control.dwControlID = model.id;
    control.dwControlType = model.type;
    CopyName(control.szShortName, sizeof control.szShortName, model.shortName);
    CopyName(control.szName, sizeof control.szName, model.name);
    if (model.type == MIXERCONTROL_CONTROLTYPE_MUX) {
        control.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
        control.cMultipleItems = (DWORD)model.items.size();
        control.Bounds.dwMaximum = control.cMultipleItems ? control.cMultipleItems - 1 : 0;
    } else if (model.type == MIXERCONTROL_CONTROLTYPE_MUTE) {
        control.fdwControl = MIXERCONTROL_CONTROLF_UNIFORM;
        control.Bounds.dwMaximum = 1;
    } else {
        control.Bounds.dwMaximum = 65535;
    }
}

// The step count of a volume control is its element's own number of values.
DWORD StepsOf(MixerDevice& device, const MixerControlModel& model)
{
    if (model.type != MIXERCONTROL_CONTROLTYPE_VOLUME)
        return 0;
    auto elements = device.Backend().Elements();
    const auto& e = elements[(size_t)model.element];
    return (DWORD)std::min<long long>(65536, (long long)e.maximum - e.minimum + 1);
}

const MixerLineModel* FindLine(MixerDevice& device, const MIXERLINEA& line, DWORD query)
{
    switch (query) {
    case MIXER_GETLINEINFOF_DESTINATION: return device.Destination(line.dwDestination);
    case MIXER_GETLINEINFOF_SOURCE: return device.Source(line.dwDestination, line.dwSource);
    case MIXER_GETLINEINFOF_LINEID: return device.LineById(line.dwLineID);
    case MIXER_GETLINEINFOF_COMPONENTTYPE: return device.LineByComponent(line.dwComponentType);
    default: return nullptr;
    }
}

// Values travel as one DWORD-sized item per channel and multiple item.
size_t ValueCount(const MixerControlModel& model, const MIXERCONTROLDETAILS& details)
{
    if (model.type == MIXERCONTROL_CONTROLTYPE_MUX)
        return model.items.size();
    return details.cChannels ? details.cChannels : 1;
}

}  // namespace

UINT mixerGetNumDevs()
{
    return MixerSystem::Instance().Count();
}

MMRESULT mixerGetDevCapsA(UINT_PTR uMxId, LPMIXERCAPSA pmxcaps, UINT cbmxcaps)
{
    if (!pmxcaps || cbmxcaps < sizeof(MIXERCAPSA))
        return MMSYSERR_INVALPARAM;
    return MixerSystem::Instance().WithDevice((UINT)uMxId, [&](MixerDevice& device) {
        memset(pmxcaps, 0, sizeof *pmxcaps);
        CopyName(pmxcaps->szPname, sizeof pmxcaps->szPname, device.Name());
        pmxcaps->cDestinations = device.Destinations();
        return (MMRESULT)MMSYSERR_NOERROR;
    });
}

MMRESULT mixerGetDevCaps(UINT_PTR uMxId, LPMIXERCAPS pmxcaps, UINT cbmxcaps)
{
    return mixerGetDevCapsA(uMxId, pmxcaps, cbmxcaps);
}

MMRESULT mixerOpen(LPHMIXER phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    DWORD kind = fdwOpen & CALLBACK_TYPEMASK;
    if (kind != CALLBACK_NULL && kind != CALLBACK_WINDOW)
        return MMSYSERR_INVALFLAG;
    HWND window = kind == CALLBACK_WINDOW ? (HWND)dwCallback : nullptr;
    if (window && !IsWindow(window))
        return MMSYSERR_INVALPARAM;
    UINT id = uMxId;
    if ((fdwOpen & MIXER_OBJECTF_TYPEMASK) != MIXER_OBJECTF_MIXER) {
        MMRESULT rc = MixerSystem::Instance().Resolve((HMIXEROBJ)(uintptr_t)uMxId, fdwOpen & MIXER_OBJECTF_TYPEMASK, id);
        if (rc != MMSYSERR_NOERROR)
            return rc;
    }
    return MixerSystem::Instance().Open(phmx, id, window);
}

MMRESULT mixerClose(HMIXER hmx)
{
    return MixerSystem::Instance().Close(hmx);
}

MMRESULT mixerGetID(HMIXEROBJ hmxobj, UINT* puMxId, DWORD fdwId)
{
    if (!puMxId)
        return MMSYSERR_INVALPARAM;
    return MixerSystem::Instance().Resolve(hmxobj, fdwId, *puMxId);
}

MMRESULT mixerGetLineInfoA(HMIXEROBJ hmxobj, LPMIXERLINEA pmxl, DWORD fdwInfo)
{
    if (!pmxl || pmxl->cbStruct < sizeof(MIXERLINEA))
        return MMSYSERR_INVALPARAM;
    UINT id = 0;
    MMRESULT rc = MixerSystem::Instance().Resolve(hmxobj, fdwInfo & MIXER_OBJECTF_TYPEMASK, id);
    if (rc != MMSYSERR_NOERROR)
        return rc;
    return MixerSystem::Instance().WithDevice(id, [&](MixerDevice& device) {
        const MixerLineModel* model = FindLine(device, *pmxl, fdwInfo & MIXER_GETLINEINFOF_QUERYMASK);
        if (!model)
            return (MMRESULT)MIXERR_INVALLINE;
        FillLine(device, *model, *pmxl);
        return (MMRESULT)MMSYSERR_NOERROR;
    });
}

MMRESULT mixerGetLineInfo(HMIXEROBJ hmxobj, LPMIXERLINE pmxl, DWORD fdwInfo)
{
    return mixerGetLineInfoA(hmxobj, pmxl, fdwInfo);
}

MMRESULT mixerGetLineControlsA(HMIXEROBJ hmxobj, LPMIXERLINECONTROLSA pmxlc, DWORD fdwControls)
{
    if (!pmxlc || pmxlc->cbStruct < sizeof(MIXERLINECONTROLSA) || !pmxlc->pamxctrl ||
        pmxlc->cbmxctrl < sizeof(MIXERCONTROLA))
        return MMSYSERR_INVALPARAM;
    UINT id = 0;
    MMRESULT rc = MixerSystem::Instance().Resolve(hmxobj, fdwControls & MIXER_OBJECTF_TYPEMASK, id);
    if (rc != MMSYSERR_NOERROR)
        return rc;
    return MixerSystem::Instance().WithDevice(id, [&](MixerDevice& device) {
        auto fill = [&](size_t slot, const MixerControlModel& model) {
            auto* control = (MIXERCONTROLA*)((char*)pmxlc->pamxctrl + slot * pmxlc->cbmxctrl);
            FillControl(model, *control);
            control->Metrics.cSteps = StepsOf(device, model);
        };
        switch (fdwControls & MIXER_GETLINECONTROLSF_QUERYMASK) {
        case MIXER_GETLINECONTROLSF_ONEBYID: {
            const MixerControlModel* model = device.Control(pmxlc->dwControlID);
            if (!model)
                return (MMRESULT)MIXERR_INVALCONTROL;
            pmxlc->dwLineID = model->lineId;
            fill(0, *model);
            return (MMRESULT)MMSYSERR_NOERROR;
        }
        case MIXER_GETLINECONTROLSF_ONEBYTYPE:
        case MIXER_GETLINECONTROLSF_ALL: {
            const MixerLineModel* line = device.LineById(pmxlc->dwLineID);
            if (!line)
                return (MMRESULT)MIXERR_INVALLINE;
            bool all = (fdwControls & MIXER_GETLINECONTROLSF_QUERYMASK) == MIXER_GETLINECONTROLSF_ALL;
            if (all && pmxlc->cControls < line->controls.size())
                return (MMRESULT)MMSYSERR_INVALPARAM;
            size_t slot = 0;
            for (size_t index : line->controls) {
                const MixerControlModel& model = device.Controls()[index];
                if (!all && model.type != pmxlc->dwControlType)
                    continue;
                fill(slot++, model);
                if (!all)
                    return (MMRESULT)MMSYSERR_NOERROR;
            }
            return all ? (MMRESULT)MMSYSERR_NOERROR : (MMRESULT)MIXERR_INVALCONTROL;
        }
        default: return (MMRESULT)MMSYSERR_INVALFLAG;
        }
    });
}

MMRESULT mixerGetLineControls(HMIXEROBJ hmxobj, LPMIXERLINECONTROLS pmxlc, DWORD fdwControls)
{
    return mixerGetLineControlsA(hmxobj, pmxlc, fdwControls);
}

namespace {

MMRESULT ControlDetails(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD flags, bool write)
{
    if (!pmxcd || pmxcd->cbStruct < sizeof(MIXERCONTROLDETAILS) || !pmxcd->paDetails)
        return MMSYSERR_INVALPARAM;
    UINT id = 0;
    MMRESULT rc = MixerSystem::Instance().Resolve(hmxobj, flags & MIXER_OBJECTF_TYPEMASK, id);
    if (rc != MMSYSERR_NOERROR)
        return rc;
    DWORD query = flags & MIXER_GETCONTROLDETAILSF_QUERYMASK;
    rc = MixerSystem::Instance().WithDevice(id, [&](MixerDevice& device) {
        const MixerControlModel* model = device.Control(pmxcd->dwControlID);
        if (!model)
            return (MMRESULT)MIXERR_INVALCONTROL;
        if (query == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
            if (write || model->type != MIXERCONTROL_CONTROLTYPE_MUX ||
                pmxcd->cbDetails < sizeof(MIXERCONTROLDETAILS_LISTTEXTA))
                return (MMRESULT)MMSYSERR_INVALPARAM;
            for (size_t i = 0; i < model->items.size(); ++i) {
                auto* text = (MIXERCONTROLDETAILS_LISTTEXTA*)((char*)pmxcd->paDetails + i * pmxcd->cbDetails);
                text->dwParam1 = model->itemLines[i];
                text->dwParam2 = MIXERLINE_COMPONENTTYPE_SRC_ANALOG;
                const MixerLineModel* line = device.LineById(model->itemLines[i]);
                CopyName(text->szName, sizeof text->szName, line ? line->name : "");
            }
            return (MMRESULT)MMSYSERR_NOERROR;
        }
        if (query != MIXER_GETCONTROLDETAILSF_VALUE || pmxcd->cbDetails < sizeof(DWORD))
            return (MMRESULT)MMSYSERR_INVALPARAM;
        size_t count = ValueCount(*model, *pmxcd);
        auto slot = [&](size_t i) { return (DWORD*)((char*)pmxcd->paDetails + i * pmxcd->cbDetails); };
        std::vector<DWORD> values;
        if (write) {
            for (size_t i = 0; i < count; ++i)
                values.push_back(*slot(i));
            return device.Write(*model, values) ? (MMRESULT)MMSYSERR_NOERROR : (MMRESULT)MIXERR_INVALVALUE;
        }
        if (!device.Read(*model, values))
            return (MMRESULT)MMSYSERR_ERROR;
        for (size_t i = 0; i < count; ++i)
            *slot(i) = values.empty() ? 0 : values[std::min(i, values.size() - 1)];
        return (MMRESULT)MMSYSERR_NOERROR;
    });
    if (write && rc == MMSYSERR_NOERROR)
        MixerSystem::Instance().Changed();
    return rc;
}

}  // namespace

MMRESULT mixerGetControlDetailsA(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    return ControlDetails(hmxobj, pmxcd, fdwDetails, false);
}

MMRESULT mixerGetControlDetails(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    return ControlDetails(hmxobj, pmxcd, fdwDetails, false);
}

MMRESULT mixerSetControlDetails(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    return ControlDetails(hmxobj, pmxcd, fdwDetails, true);
}

UINT waveOutGetNumDevs()
{
    return 1;
}

UINT waveInGetNumDevs()
{
    return 1;
}

MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR, DWORD_PTR, DWORD)
{
    if (!phwo)
        return MMSYSERR_INVALPARAM;
    HANDLE handle = nullptr;
    MMRESULT rc = MixerSystem::Instance().OpenWave(false, uDeviceID, pwfx, handle);
    *phwo = (HWAVEOUT)handle;
    return rc;
}

MMRESULT waveOutClose(HWAVEOUT hwo)
{
    return MixerSystem::Instance().CloseWave(false, (HANDLE)hwo);
}

MMRESULT waveInOpen(LPHWAVEIN phwi, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR, DWORD_PTR, DWORD)
{
    if (!phwi)
        return MMSYSERR_INVALPARAM;
    HANDLE handle = nullptr;
    MMRESULT rc = MixerSystem::Instance().OpenWave(true, uDeviceID, pwfx, handle);
    *phwi = (HWAVEIN)handle;
    return rc;
}

MMRESULT waveInClose(HWAVEIN hwi)
{
    return MixerSystem::Instance().CloseWave(true, (HANDLE)hwi);
}

namespace mivo {

void UseVirtualMixer(const std::shared_ptr<VirtualMixer>& mixer)
{
    MixerSystem::Instance().Replace(mixer ? mixer->State() : nullptr, false);
}

void UseNoMixer()
{
    MixerSystem::Instance().Replace(nullptr, false);
}

void UseSystemMixer()
{
    MixerSystem::Instance().Replace(nullptr, true);
}

}  // namespace mivo
