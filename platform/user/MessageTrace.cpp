// The message spy's line (see mivo/Trace.h).
#include "mivo/Trace.h"
#include "win32/user.h"

#include <cinttypes>
#include <cstdio>

namespace mivo {

namespace {

const size_t kClassNameBytes = 64;

}  // namespace

void TraceMessage(TraceArea area, HWND hwnd, const char* className, UINT msg, WPARAM wParam, LPARAM lParam)
{
    char cls[kClassNameBytes] = "";
    if (className)
        std::snprintf(cls, sizeof(cls), "%s", className);
    else if (hwnd && GetClassName(hwnd, cls, (int)sizeof(cls)) <= 0)
        cls[0] = '\0';
    TracePrintf(area, TraceLevel::Trace, "%#" PRIxPTR " \"%s\" %s wParam=%#" PRIxPTR " lParam=%#" PRIxPTR,
                (uintptr_t)hwnd, cls, MessageName(msg).c_str(), (uintptr_t)wParam, (uintptr_t)lParam);
}

}  // namespace mivo
