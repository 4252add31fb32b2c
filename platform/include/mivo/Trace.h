// The message spy. MIVO_TRACE names the areas whose messages are printed to
// stderr as they are dispatched, one line each (window, class, message name,
// wParam, lParam): "user" for every message the window manager hands to a
// window procedure, "controls" for those a built-in control leaves to
// DefWindowProc; "user,controls" for both. Read once, when first asked.
#pragma once

#include "win32/types.h"

#include <atomic>
#include <string>

namespace mivo {

enum TraceArea : int {
    kTraceUser = 1 << 0,
    kTraceControls = 1 << 1,
};

// The message's name ("WM_PAINT", "WM_USER+0x0005"), its number in hex when it has none.
std::string MessageName(UINT msg);

namespace trace_detail {
extern std::atomic<int> g_areas;  // negative until MIVO_TRACE is read
int ReadAreas();
}  // namespace trace_detail

// Whether an area is traced: one cached load while tracing is off.
inline bool Tracing(TraceArea area)
{
    int areas = trace_detail::g_areas.load(std::memory_order_relaxed);
    if (areas < 0)
        areas = trace_detail::ReadAreas();
    return (areas & area) != 0;
}

// Prints one line for a message; `className` may be null (it is looked up then).
void TraceMessage(TraceArea area, HWND hwnd, const char* className, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace mivo
