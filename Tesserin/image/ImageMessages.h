// Messages the image library sends to an image object's progress window.
#pragma once

#include "win32.h"

// wParam: percent done during a row loop (lParam 0).
#define WM_IMAGE_PROGRESS (WM_USER + 0x44F)
// wParam: 100 after a load, 0 at the end of a composition (lParam 0).
#define WM_IMAGE_DONE (WM_USER + 0x450)
