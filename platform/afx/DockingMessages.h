// Messages the docking classes send each other.
#pragma once

#include "win32.h"

namespace mivo::afx {

// Posted to a floating frame whose last bar left: it goes once the current message is done.
const UINT kFloatingFrameEmptied = 0x037E;

}  // namespace mivo::afx
