// Area interface: running work on the thread that owns a window, as cross-thread sends do.
#pragma once

#include "win32/user.h"

#include <functional>

namespace mivo {

// Runs `task` on the thread that owns `hwnd`, waiting for it (directly when that is this thread).
LRESULT RunOnOwnerThread(HWND hwnd, const std::function<LRESULT()>& task);

}  // namespace mivo
