// The modal loop of a drag: follows the mouse over the registered drop
// targets until the button goes up or Escape ends it.
#pragma once

#include "win32.h"

class COleDataSource;

namespace mivo::afx {

DROPEFFECT RunDragLoop(COleDataSource* source, DWORD allowed, LPCRECT startRect);
// Lets drags of other programs reach this process's drop targets (done once a target registers).
void InstallDesktopDrops();

}  // namespace mivo::afx
