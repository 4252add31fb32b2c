// CVolumeOutMaster: the master output (the speakers) volume of the default wave device's mixer; the last one
// constructed hears of changes made elsewhere.
#pragma once

#include "media/MixerVolume.h"

class AFX_EXT_CLASS CVolumeOutMaster : public CMixerVolume {
public:
    CVolumeOutMaster();
    ~CVolumeOutMaster();

private:
    bool Initialize();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    static CVolumeOutMaster* s_pInstance;
};
