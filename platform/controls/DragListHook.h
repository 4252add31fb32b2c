// Area interface: the framework's drag list class takes notifications through this hook.
#pragma once

#include "win32/controls.h"

namespace mivo {

// Lets the framework's drag list class take a drag list's notifications
// before its parent does; true when it handled them (with the answer in *result).
typedef bool (*DragListHandler)(HWND list, DRAGLISTINFO* info, LRESULT* result);
void SetDragListHandler(DragListHandler handler);

}  // namespace mivo
