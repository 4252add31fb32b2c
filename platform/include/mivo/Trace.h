// The one trace facility of the layer, the library and the programs.
//
// Every area writes on its own channel at one of three levels:
//   trace  the calls it serves (chatty; the message spy is here too),
//   warn   a call that failed or was refused for a reason worth knowing,
//   fixme  a message, flag or call the layer does not handle (once per kind).
// MIVO_TRACE switches channels on, read once when first asked:
//   MIVO_TRACE=gdi,odbc              every level of gdi and odbc
//   MIVO_TRACE=user,controls:fixme   user at every level, controls only its fixme lines
//   MIVO_TRACE=all:warn              warn and fixme lines of every channel
// "channel:level" shows that level and the ones after it in the order trace, warn, fixme.
// Unknown names are passed over. Nothing is on by default, and a switched-off
// channel costs one load and one branch:
//
//     MIVO_TRACE(kTraceGdi, "BitBlt %p <- %p", dst, src);
//     MIVO_WARN(kTraceOdbc, "SQLConnect(%s) failed", dsn);
//     MIVO_FIXME_ONCE(kTraceControls, kind, "%s does not handle %s", cls, name);
//
// Lines go to stderr as "[gdi] text", "[odbc] warn: text", "[controls] fixme: text".
#pragma once

#include "win32/types.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace mivo {

// One channel per area of the layer, of the library, and per program.
enum TraceArea : int {
    kTraceKernel,
    kTraceGdi,
    kTraceUser,
    kTraceControls,
    kTraceDialogs,
    kTraceShell,
    kTraceNet,
    kTraceMedia,
    kTraceTwain,
    kTraceAfx,
    kTraceBackend,
    kTraceRes,
    kTraceOdbc,
    kTraceImage,
    kTraceGrid,
    kTraceFramework,
    kTraceKestrune,
    kTraceLumaret,
    kTraceAreaCount
};

enum class TraceLevel : int { Trace, Warn, Fixme };

// The channel's name as MIVO_TRACE spells it ("gdi"); "?" out of range.
const char* TraceAreaName(TraceArea area);

// The message's name ("WM_PAINT", "WM_USER+0x0005"), its number in hex when it has none.
std::string MessageName(UINT msg);

namespace trace_detail {
const uint64_t kUnread = uint64_t(1) << 63;
// One bit per channel and level; every bit set until MIVO_TRACE is read.
extern std::atomic<uint64_t> g_switches;
uint64_t ReadSwitches();

constexpr uint64_t Bit(TraceArea area, TraceLevel level)
{
    return uint64_t(1) << ((int)level * kTraceAreaCount + (int)area);
}
}  // namespace trace_detail

// Whether a channel prints at a level: while tracing is off, one load and one branch.
inline bool Tracing(TraceArea area, TraceLevel level = TraceLevel::Trace)
{
    uint64_t bit = trace_detail::Bit(area, level);
    uint64_t on = trace_detail::g_switches.load(std::memory_order_relaxed);
    if (__builtin_expect((on & bit) == 0, 1))
        return false;
    if (on & trace_detail::kUnread)
        on = trace_detail::ReadSwitches();
    return (on & bit) != 0;
}

// Prints one line on a channel, whether or not it is on (callers ask Tracing first).
void TraceLine(TraceArea area, TraceLevel level, const std::string& text);
void TracePrintf(TraceArea area, TraceLevel level, const char* format, ...) __attribute__((format(printf, 3, 4)));

// A fixme line for `kind` the first time this kind is seen on the channel
// since tracing was switched; later ones are dropped. Returns whether it printed.
bool FixmeOnce(TraceArea area, const std::string& kind, const std::string& text);
bool FixmeOnceFormatted(TraceArea area, const std::string& kind, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// One trace line for a message; `className` may be null (it is looked up then).
void TraceMessage(TraceArea area, HWND hwnd, const char* className, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace mivo

#define MIVO_TRACE_AT(area, level, ...)                                   \
    do {                                                                  \
        if (::mivo::Tracing(::mivo::area, level))                         \
            ::mivo::TracePrintf(::mivo::area, level, __VA_ARGS__);        \
    } while (0)
#define MIVO_TRACE(area, ...) MIVO_TRACE_AT(area, ::mivo::TraceLevel::Trace, __VA_ARGS__)
#define MIVO_WARN(area, ...) MIVO_TRACE_AT(area, ::mivo::TraceLevel::Warn, __VA_ARGS__)
#define MIVO_FIXME(area, ...) MIVO_TRACE_AT(area, ::mivo::TraceLevel::Fixme, __VA_ARGS__)
// `kind` is a string naming what is not handled; the line is formatted only when it prints.
#define MIVO_FIXME_ONCE(area, kind, ...)                                                        \
    do {                                                                                        \
        if (::mivo::Tracing(::mivo::area, ::mivo::TraceLevel::Fixme))                           \
            ::mivo::FixmeOnceFormatted(::mivo::area, kind, __VA_ARGS__);                        \
    } while (0)
