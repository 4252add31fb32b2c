// The bar and small common controls: progress bars, trackbars, tabs, month
// calendars, status bars, tool bars and rebars.
#pragma once

#include "win32/commctrl.h"
