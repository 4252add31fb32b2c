#include "user/DesktopState.h"
#include "user/UserState.h"
#include "mivo/testing/input.h"

namespace mivo {

void DesktopState::ResetInputAndSettingsLocked()
{
    cursor.Store(POINT{0, 0});
    for (auto& key : asyncKeys)
        key = 0;
    swapButtons = false;
    clipped = false;
    clip = RECT{0, 0, 0, 0};
    threadKeys.clear();
    lastClick = ClickMemory();
    tracking = MouseTracking();
    lastMouseWindow = nullptr;
    workArea = RECT{0, 0, 0, 0};
    workAreaSet = false;
    doubleClickTime = 500;
    caretBlinkTime = 530;
    menuShowDelay = 400;
}

void ResetDesktopInput()
{
    UserGuard guard(UserLock());
    State().desktop.ResetInputAndSettingsLocked();
}

}  // namespace mivo
