// CVolumeOutWave: the wave output volume of the default wave device's mixer; the last one
// constructed hears of changes made elsewhere.
#pragma once

#include "media/MixerVolume.h"

class AFX_EXT_CLASS CVolumeOutWave : public CMixerVolume {
public:
    CVolumeOutWave();
    ~CVolumeOutWave();

private:
    bool Initialize();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    static CVolumeOutWave* s_pInstance;
};
