// Start-up calls of the common controls: every class is registered with the
// layer, so there is nothing left to do but answer.
#include "win32/commctrl.h"

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
