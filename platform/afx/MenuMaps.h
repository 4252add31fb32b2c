// What the window classes need to know of the menu objects.
#pragma once

#include "mfc.h"

namespace mivo::afx {

// The popup CMenu::TrackPopupMenu is tracking on this thread, or null.
HMENU TrackingMenu();
// The permanent menu object of the popup (searched from `root`) that holds item `id`, or null.
CMenu* FindPopupMenuFromID(HMENU root, UINT id);

}  // namespace mivo::afx
