// Area interface: the framework attaches its window objects through this hook.
#pragma once

#include "win32/types.h"

namespace mivo {

// Called on the creating thread for every new window, after its handle exists and
// before its first message (the framework attaches its window objects here).
typedef void (*WindowCreationHook)(HWND hwnd);
void SetWindowCreationHook(WindowCreationHook hook);

}  // namespace mivo
