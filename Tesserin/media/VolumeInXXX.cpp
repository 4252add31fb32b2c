#include "media/VolumeInXXX.h"

#include <vector>

CVolumeInXXX* CVolumeInXXX::s_pInstance = nullptr;

namespace {

const UINT kNone = 0xFFFFFFFF;

bool DefaultRecordingMixer(UINT& mixerId)
{
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    HWAVEIN wave = nullptr;
    if (waveInOpen(&wave, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        return false;
    MMRESULT rc = mixerGetID((HMIXEROBJ)wave, &mixerId, MIXER_OBJECTF_HWAVEIN);
    waveInClose(wave);
    return rc == MMSYSERR_NOERROR;
}

bool SourceLine(HMIXER mixer, const MIXERLINE& destination, UINT index, MIXERLINE& source)
{
    source = MIXERLINE{sizeof source};
    source.dwDestination = destination.dwDestination;
    source.dwSource = index;
    return mixerGetLineInfo((HMIXEROBJ)mixer, &source, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) ==
           MMSYSERR_NOERROR;
}

}  // namespace

CVolumeInXXX::CVolumeInXXX(UINT uLineIndex) : m_uSourceLineIndex(uLineIndex), m_uMicrophoneSourceLineIndex(kNone)
{
    if (Initialize()) {
        s_pInstance = this;
        return;
    }
    Done();
    s_pInstance = nullptr;
}

// Changes must not reach an object that is gone.
CVolumeInXXX::~CVolumeInXXX()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

bool CVolumeInXXX::WaveInDestination(HMIXER mixer, MIXERLINE& destination)
{
    destination = MIXERLINE{sizeof destination};
    destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    return mixerGetLineInfo((HMIXEROBJ)mixer, &destination,
                            MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) == MMSYSERR_NOERROR;
}

bool CVolumeInXXX::FindSourceLine(const MIXERLINE& destination)
{
    for (UINT i = 0; i < destination.cConnections; ++i) {
        MIXERLINE source;
        if (SourceLine(m_hMixer, destination, i, source) &&
            source.dwComponentType == MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE) {
            m_uMicrophoneSourceLineIndex = i;
            break;
        }
    }
    MIXERLINE source;
    if (m_uSourceLineIndex >= destination.cConnections || !SourceLine(m_hMixer, destination, m_uSourceLineIndex, source))
        return false;
    m_dwLineID = source.dwLineID;
    m_dwChannels = source.cChannels;
    m_bLineFound = true;
    return true;
}

bool CVolumeInXXX::Initialize()
{
    static const WindowNames names = {"Input Volume Msg Wnd Class", "Input Volume Msg Wnd", WindowProc};
    MIXERLINE destination;
    return Init(true, names) && WaveInDestination(m_hMixer, destination) && FindSourceLine(destination) &&
           FindVolumeControl();
}

// The selection control of the recording destination gets this line's item alone.
void CVolumeInXXX::Enable()
{
    MIXERLINE destination;
    if (!m_bLineFound || !WaveInDestination(m_hMixer, destination) || destination.cControls == 0)
        return;
    std::vector<MIXERCONTROL> all(destination.cControls);
    MIXERLINECONTROLS controls = {sizeof controls};
    controls.dwLineID = destination.dwLineID;
    controls.cControls = destination.cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROL);
    controls.pamxctrl = all.data();
    if (mixerGetLineControls((HMIXEROBJ)m_hMixer, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR)
        return;
    for (const MIXERCONTROL& control : all) {
        DWORD type = control.dwControlType;
        if (type != MIXERCONTROL_CONTROLTYPE_MUX && type != MIXERCONTROL_CONTROLTYPE_SINGLESELECT &&
            type != MIXERCONTROL_CONTROLTYPE_MIXER && type != MIXERCONTROL_CONTROLTYPE_MULTIPLESELECT)
            continue;
        DWORD items = control.cMultipleItems;
        std::vector<MIXERCONTROLDETAILS_LISTTEXT> texts(items);
        std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(items);
        MIXERCONTROLDETAILS details = {sizeof details};
        details.dwControlID = control.dwControlID;
        details.cChannels = 1;
        details.cMultipleItems = items;
        details.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXT);
        details.paDetails = texts.data();
        if (!items || mixerGetControlDetails((HMIXEROBJ)m_hMixer, &details,
                                             MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_LISTTEXT) !=
                          MMSYSERR_NOERROR)
            continue;
        for (DWORD i = 0; i < items; ++i)
            values[i].fValue = texts[i].dwParam1 == m_dwLineID;
        details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
        details.paDetails = values.data();
        mixerSetControlDetails((HMIXEROBJ)m_hMixer, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
    }
}

void CVolumeInXXX::Disable() {}

bool CVolumeInXXX::GetMicrophoneSourceLineIndex(UINT* puLineIndex)
{
    if (!puLineIndex || m_uMicrophoneSourceLineIndex == kNone)
        return false;
    *puLineIndex = m_uMicrophoneSourceLineIndex;
    return true;
}

bool CVolumeInXXX::EnumerateInputLines(PINPUTLINEPROC pProc, DWORD dwUserValue)
{
    UINT mixerId = 0;
    HMIXER mixer = nullptr;
    if (!pProc || mixerGetNumDevs() == 0 || !DefaultRecordingMixer(mixerId) ||
        mixerOpen(&mixer, mixerId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        return false;
    MIXERLINE destination;
    bool found = WaveInDestination(mixer, destination);
    for (UINT i = 0; found && i < destination.cConnections; ++i) {
        MIXERLINE source;
        if (!SourceLine(mixer, destination, i, source) || !pProc(i, &source, dwUserValue))
            break;
    }
    mixerClose(mixer);
    return found;
}

LRESULT CALLBACK CVolumeInXXX::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == MM_MIXM_CONTROL_CHANGE) {
        if (s_pInstance)
            s_pInstance->Notify(lParam);
        return 0;
    }
    return ::DefWindowProc(hwnd, msg, wParam, lParam);
}
