#include "media/VolumeOutWave.h"

CVolumeOutWave* CVolumeOutWave::s_pInstance = nullptr;

CVolumeOutWave::CVolumeOutWave()
{
    if (Initialize()) {
        s_pInstance = this;
        return;
    }
    Done();
    s_pInstance = nullptr;
}

// Changes must not reach an object that is gone.
CVolumeOutWave::~CVolumeOutWave()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

bool CVolumeOutWave::Initialize()
{
    static const WindowNames names = {"Wave Output Volume Msg Wnd Class", "Wave Output Volume Msg Wnd", WindowProc};
    return InitOutputLine(names, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT);
}

LRESULT CALLBACK CVolumeOutWave::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == MM_MIXM_CONTROL_CHANGE) {
        if (s_pInstance)
            s_pInstance->Notify(lParam);
        return 0;
    }
    return ::DefWindowProc(hwnd, msg, wParam, lParam);
}
