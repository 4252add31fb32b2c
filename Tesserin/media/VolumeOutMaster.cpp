#include "media/VolumeOutMaster.h"

CVolumeOutMaster* CVolumeOutMaster::s_pInstance = nullptr;

CVolumeOutMaster::CVolumeOutMaster()
{
    if (Initialize()) {
        s_pInstance = this;
        return;
    }
    Done();
    s_pInstance = nullptr;
}

// Changes must not reach an object that is gone.
CVolumeOutMaster::~CVolumeOutMaster()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

bool CVolumeOutMaster::Initialize()
{
    static const WindowNames names = {"Master Output Volume Msg Wnd Class", "Master Output Volume Msg Wnd", WindowProc};
    return InitOutputLine(names, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
}

LRESULT CALLBACK CVolumeOutMaster::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == MM_MIXM_CONTROL_CHANGE) {
        if (s_pInstance)
            s_pInstance->Notify(lParam);
        return 0;
    }
    return ::DefWindowProc(hwnd, msg, wParam, lParam);
}
