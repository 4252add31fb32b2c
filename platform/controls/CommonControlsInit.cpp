// The common control classes are registered when the layer loads; the
// initialisation calls only confirm it.
#include "controls/BarsInternal.h"

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
