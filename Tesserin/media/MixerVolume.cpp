#include "media/MixerVolume.h"

#include <vector>

namespace {

const DWORD kUnavailable = 0xFFFFFFFF;

// The format the wave device is opened with, only to learn its mixer.
WAVEFORMATEX ProbeFormat()
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    return format;
}

bool MixerOfWaveDevice(bool input, UINT& mixerId)
{
    WAVEFORMATEX format = ProbeFormat();
    MMRESULT rc;
    if (input) {
        HWAVEIN wave = nullptr;
        if (waveInOpen(&wave, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
            return false;
        rc = mixerGetID((HMIXEROBJ)wave, &mixerId, MIXER_OBJECTF_HWAVEIN);
        waveInClose(wave);
    } else {
        HWAVEOUT wave = nullptr;
        if (waveOutOpen(&wave, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
            return false;
        rc = mixerGetID((HMIXEROBJ)wave, &mixerId, MIXER_OBJECTF_HWAVEOUT);
        waveOutClose(wave);
    }
    return rc == MMSYSERR_NOERROR;
}

}  // namespace

CMixerVolume::CMixerVolume()
    : m_bInitialized(false), m_bLineFound(false), m_bAvailable(false), m_uMixerID(0), m_hMixer(nullptr),
      m_dwLineID(0), m_dwControlID(0), m_dwChannels(0), m_hWnd(nullptr), m_dwMinimalVolume(kUnavailable),
      m_dwMaximalVolume(kUnavailable), m_dwVolumeStep(0), m_pfnNotify(nullptr), m_dwUserValue(0)
{
}

CMixerVolume::~CMixerVolume()
{
    Done();
}

bool CMixerVolume::Init(bool input, const WindowNames& names)
{
    if (mixerGetNumDevs() == 0 || !MixerOfWaveDevice(input, m_uMixerID))
        return false;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = names.proc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = names.className;
    RegisterClassA(&wc);  // already registered by an earlier object: the same class
    m_hWnd = CreateWindowA(names.className, names.title, WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
    if (!m_hWnd)
        return false;
    if (mixerOpen(&m_hMixer, m_uMixerID, (DWORD_PTR)m_hWnd, 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        m_hMixer = nullptr;
        return false;
    }
    m_bInitialized = true;
    return true;
}

void CMixerVolume::Done()
{
    if (m_hMixer)
        mixerClose(m_hMixer);
    m_hMixer = nullptr;
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    m_bInitialized = false;
    m_bLineFound = false;
    m_bAvailable = false;
}

bool CMixerVolume::InitOutputLine(const WindowNames& names, DWORD componentType)
{
    if (!Init(false, names))
        return false;
    MIXERLINE line = {sizeof line};
    line.dwComponentType = componentType;
    if (mixerGetLineInfo((HMIXEROBJ)m_hMixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    m_dwLineID = line.dwLineID;
    m_dwChannels = line.cChannels;
    m_bLineFound = true;
    return FindVolumeControl();
}

bool CMixerVolume::FindVolumeControl()
{
    MIXERCONTROL control = {sizeof control};
    MIXERLINECONTROLS controls = {sizeof controls};
    controls.dwLineID = m_dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControls((HMIXEROBJ)m_hMixer, &controls,
                             MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
        return false;
    m_dwControlID = control.dwControlID;
    m_dwMinimalVolume = control.Bounds.dwMinimum;
    m_dwMaximalVolume = control.Bounds.dwMaximum;
    m_dwVolumeStep = control.Metrics.cSteps;
    m_bAvailable = true;
    return true;
}

bool CMixerVolume::SetBoolean(HMIXER mixer, DWORD controlId, bool on)
{
    MIXERCONTROLDETAILS_BOOLEAN value = {on ? 1 : 0};
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    return mixerSetControlDetails((HMIXEROBJ)mixer, &details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

bool CMixerVolume::SetSelectItems(HMIXER mixer, const MIXERCONTROL& control, DWORD channels, bool on)
{
    DWORD items = control.cMultipleItems ? control.cMultipleItems : 1;
    DWORD perItem = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : channels;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(items * perItem, MIXERCONTROLDETAILS_BOOLEAN{on ? 1 : 0});
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = control.dwControlID;
    details.cChannels = perItem;
    details.cMultipleItems = control.cMultipleItems;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = values.data();
    return mixerSetControlDetails((HMIXEROBJ)mixer, &details,
                                  MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

bool CMixerVolume::EnableLine(bool bEnable)
{
    if (!m_bInitialized)
        return false;
    MIXERLINE line = {sizeof line};
    line.dwLineID = m_dwLineID;
    if (mixerGetLineInfo((HMIXEROBJ)m_hMixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_LINEID) !=
            MMSYSERR_NOERROR ||
        line.cControls == 0)
        return false;
    std::vector<MIXERCONTROL> all(line.cControls);
    MIXERLINECONTROLS controls = {sizeof controls};
    controls.dwLineID = m_dwLineID;
    controls.cControls = line.cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROL);
    controls.pamxctrl = all.data();
    if (mixerGetLineControls((HMIXEROBJ)m_hMixer, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
        return false;
    bool ok = true;
    for (const MIXERCONTROL& control : all) {
        switch (control.dwControlType) {
        case MIXERCONTROL_CONTROLTYPE_SINGLESELECT:
        case MIXERCONTROL_CONTROLTYPE_MULTIPLESELECT:
        case MIXERCONTROL_CONTROLTYPE_MUX:
        case MIXERCONTROL_CONTROLTYPE_MIXER:
            ok &= SetSelectItems(m_hMixer, control, line.cChannels, bEnable);
            break;
        case MIXERCONTROL_CONTROLTYPE_MUTE: ok &= SetBoolean(m_hMixer, control.dwControlID, !bEnable); break;
        default: break;
        }
    }
    return ok;
}

bool CMixerVolume::IsAvailable()
{
    return m_bAvailable;
}

void CMixerVolume::Enable()
{
    EnableLine(true);
}

void CMixerVolume::Disable()
{
    EnableLine(false);
}

DWORD CMixerVolume::GetVolumeMetric()
{
    return m_bAvailable ? m_dwVolumeStep : kUnavailable;
}

DWORD CMixerVolume::GetMinimalVolume()
{
    return m_bAvailable ? m_dwMinimalVolume : kUnavailable;
}

DWORD CMixerVolume::GetMaximalVolume()
{
    return m_bAvailable ? m_dwMaximalVolume : kUnavailable;
}

DWORD CMixerVolume::GetCurrentVolume()
{
    if (!m_bAvailable || m_dwChannels == 0)
        return kUnavailable;
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(m_dwChannels);
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = m_dwControlID;
    details.cChannels = m_dwChannels;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values.data();
    if (mixerGetControlDetails((HMIXEROBJ)m_hMixer, &details,
                               MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return kUnavailable;
    return values[0].dwValue;
}

void CMixerVolume::SetCurrentVolume(DWORD dwValue)
{
    if (!m_bAvailable || dwValue < m_dwMinimalVolume || dwValue > m_dwMaximalVolume || m_dwChannels == 0)
        return;
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(m_dwChannels, MIXERCONTROLDETAILS_UNSIGNED{dwValue});
    MIXERCONTROLDETAILS details = {sizeof details};
    details.dwControlID = m_dwControlID;
    details.cChannels = m_dwChannels;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values.data();
    mixerSetControlDetails((HMIXEROBJ)m_hMixer, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

void CMixerVolume::RegisterNotificationSink(PONVOLUMECHANGE pfn, DWORD dwUserValue)
{
    m_pfnNotify = pfn;
    m_dwUserValue = dwUserValue;
}

void CMixerVolume::Notify(LPARAM controlId)
{
    if ((DWORD)controlId != m_dwControlID)
        return;
    DWORD volume = GetCurrentVolume();
    if (volume != kUnavailable && m_pfnNotify)
        m_pfnNotify(volume, m_dwUserValue);
}
