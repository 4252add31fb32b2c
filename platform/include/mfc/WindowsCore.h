// Command targets, windows, threads and the application object.
#pragma once

#include "mfc/CmdTarget.h"
#include "mfc/CmdUI.h"
#include "mfc/Wnd.h"
#include "mfc/WinThread.h"
#include "mfc/WinApp.h"
#include "mfc/WaitCursor.h"
#include "mfc/Menu.h"
