// CPaintDC, CClientDC and CWindowDC need the window class of the window
// manager's framework part; until it is there they are left out.
#pragma once

#if __has_include("mfc/Wnd.h")
#include "mfc.h"
#include "mfc/Wnd.h"
#define MIVO_HAVE_CWND 1
#endif
