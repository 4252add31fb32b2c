// CVolumeInXXX: the volume of one recording source of the default recording device's mixer,
// which it can make the selected source; the last one constructed hears of changes.
#pragma once

#include "media/MixerVolume.h"

typedef bool(CALLBACK* PINPUTLINEPROC)(UINT uLineIndex, MIXERLINE* pLineInfo, DWORD dwUserValue);

class AFX_EXT_CLASS CVolumeInXXX : public CMixerVolume {
public:
    explicit CVolumeInXXX(UINT uLineIndex);
    ~CVolumeInXXX();

    // Makes this source line the recording destination's selected source.
    void Enable() override;
    void Disable() override;

    bool GetMicrophoneSourceLineIndex(UINT* puLineIndex);
    // Calls pProc for each source line of the default recording device's recording
    // destination, in order, until it answers false.
    static bool EnumerateInputLines(PINPUTLINEPROC pProc, DWORD dwUserValue);

private:
    bool Initialize();
    bool FindSourceLine(const MIXERLINE& destination);
    static bool WaveInDestination(HMIXER mixer, MIXERLINE& destination);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_uSourceLineIndex;
    UINT m_uMicrophoneSourceLineIndex;

    static CVolumeInXXX* s_pInstance;
};
