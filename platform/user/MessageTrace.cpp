// The message spy's switch and printing (see mivo/Trace.h).
#include "mivo/Trace.h"
#include "mivo/testing/TraceSink.h"
#include "win32/user.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace mivo {

namespace trace_detail {
std::atomic<int> g_areas{-1};
}  // namespace trace_detail

namespace {

const size_t kClassNameBytes = 64;

struct Area {
    const char* name;
    TraceArea bit;
};

const Area kAreas[] = {{"user", kTraceUser}, {"controls", kTraceControls}};

const char* AreaName(TraceArea area)
{
    for (const Area& a : kAreas)
        if (a.bit == area)
            return a.name;
    return "?";
}

// "user,controls" to bits; unknown names and stray spaces are passed over.
int ParseAreas(const char* spec)
{
    int bits = 0;
    const char* p = spec ? spec : "";
    while (*p) {
        p += std::strspn(p, " ,");
        size_t n = std::strcspn(p, " ,");
        for (const Area& a : kAreas)
            if (n == std::strlen(a.name) && std::strncmp(p, a.name, n) == 0)
                bits |= a.bit;
        p += n;
    }
    return bits;
}

std::mutex& SinkLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::function<void(const std::string&)>& Sink()
{
    static auto* sink = new std::function<void(const std::string&)>;
    return *sink;
}

void Emit(const std::string& line)
{
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard<std::mutex> guard(SinkLock());
        sink = Sink();
    }
    if (sink)
        sink(line);
    else
        std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

namespace trace_detail {

int ReadAreas()
{
    int bits = ParseAreas(std::getenv("MIVO_TRACE"));
    int unread = -1;
    // A test may have set the areas meanwhile; that choice stands.
    if (!g_areas.compare_exchange_strong(unread, bits, std::memory_order_relaxed))
        return unread;
    return bits;
}

}  // namespace trace_detail

void SetTraceAreas(const char* spec)
{
    trace_detail::g_areas.store(ParseAreas(spec), std::memory_order_relaxed);
}

void SetTraceSink(std::function<void(const std::string&)> sink)
{
    std::lock_guard<std::mutex> guard(SinkLock());
    Sink() = std::move(sink);
}

void TraceMessage(TraceArea area, HWND hwnd, const char* className, UINT msg, WPARAM wParam, LPARAM lParam)
{
    char cls[kClassNameBytes] = "";
    if (className)
        std::snprintf(cls, sizeof(cls), "%s", className);
    else if (hwnd && GetClassName(hwnd, cls, (int)sizeof(cls)) <= 0)
        cls[0] = '\0';
    char line[256];
    std::snprintf(line, sizeof(line), "[%s] %#" PRIxPTR " \"%s\" %s wParam=%#" PRIxPTR " lParam=%#" PRIxPTR,
                  AreaName(area), (uintptr_t)hwnd, cls, MessageName(msg).c_str(), (uintptr_t)wParam,
                  (uintptr_t)lParam);
    Emit(line);
}

}  // namespace mivo
