// The trace facility's switches, the once-per-kind memory and the printing (see mivo/Trace.h).
#include "mivo/Trace.h"
#include "mivo/testing/TraceSink.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>
#include <utility>

namespace mivo {

namespace trace_detail {
std::atomic<uint64_t> g_switches{~uint64_t(0)};
}  // namespace trace_detail

namespace {

// In the order of TraceArea.
const char* const kAreaNames[] = {
    "kernel", "gdi",     "user", "controls", "dialogs", "shell", "net",       "media",    "twain",
    "afx",    "backend", "res",  "odbc",     "image",   "grid",  "framework", "kestrune", "lumaret",
};
static_assert(sizeof(kAreaNames) / sizeof(kAreaNames[0]) == kTraceAreaCount, "a channel without a name");
static_assert(3 * kTraceAreaCount < 63, "the switches fit beside the unread bit");

const char* const kLevelNames[] = {"trace", "warn", "fixme"};
const int kLevelCount = 3;

// The longest line printed; longer text is cut.
const size_t kLineBytes = 1024;

// The switch of one level and those after it.
uint64_t LevelsFrom(TraceArea area, int first)
{
    uint64_t bits = 0;
    for (int level = first; level < kLevelCount; ++level)
        bits |= trace_detail::Bit(area, (TraceLevel)level);
    return bits;
}

int LevelByName(const char* p, size_t n)
{
    for (int level = 0; level < kLevelCount; ++level)
        if (n == std::strlen(kLevelNames[level]) && std::strncmp(p, kLevelNames[level], n) == 0)
            return level;
    return -1;
}

// One item, "gdi" or "odbc:warn" or "all:fixme"; a name or level not known switches nothing.
uint64_t ParseItem(const char* p, size_t n)
{
    const char* colon = (const char*)std::memchr(p, ':', n);
    size_t nameLength = colon ? (size_t)(colon - p) : n;
    int first = 0;
    if (colon) {
        first = LevelByName(colon + 1, n - nameLength - 1);
        if (first < 0)
            return 0;
    }
    bool all = nameLength == 3 && std::strncmp(p, "all", 3) == 0;
    uint64_t bits = 0;
    for (int area = 0; area < kTraceAreaCount; ++area) {
        const char* name = kAreaNames[area];
        if (all || (nameLength == std::strlen(name) && std::strncmp(p, name, nameLength) == 0))
            bits |= LevelsFrom((TraceArea)area, first);
    }
    return bits;
}

uint64_t ParseSwitches(const char* spec)
{
    uint64_t bits = 0;
    const char* p = spec ? spec : "";
    while (*p) {
        p += std::strspn(p, " ,");
        size_t n = std::strcspn(p, " ,");
        bits |= ParseItem(p, n);
        p += n;
    }
    return bits;
}

struct Output {
    std::mutex lock;
    std::function<void(const std::string&)> sink;
    std::set<std::pair<int, std::string>> reported;  // the fixme kinds printed so far
};

// Never destroyed: threads may still trace while the process exits.
Output& Out()
{
    static auto* out = new Output;
    return *out;
}

std::string Formatted(const char* format, va_list args)
{
    char text[kLineBytes];
    std::vsnprintf(text, sizeof(text), format, args);
    return text;
}

}  // namespace

namespace trace_detail {

uint64_t ReadSwitches()
{
    uint64_t bits = ParseSwitches(std::getenv("MIVO_TRACE"));
    uint64_t unread = ~uint64_t(0);
    // A test may have set the switches meanwhile; that choice stands.
    if (!g_switches.compare_exchange_strong(unread, bits, std::memory_order_relaxed))
        return unread;
    return bits;
}

}  // namespace trace_detail

const char* TraceAreaName(TraceArea area)
{
    return area >= 0 && area < kTraceAreaCount ? kAreaNames[area] : "?";
}

void SetTraceAreas(const char* spec)
{
    {
        std::lock_guard<std::mutex> guard(Out().lock);
        Out().reported.clear();
    }
    trace_detail::g_switches.store(ParseSwitches(spec), std::memory_order_relaxed);
}

void SetTraceSink(std::function<void(const std::string&)> sink)
{
    std::lock_guard<std::mutex> guard(Out().lock);
    Out().sink = std::move(sink);
}

void TraceLine(TraceArea area, TraceLevel level, const std::string& text)
{
    std::string line = std::string("[") + TraceAreaName(area) + "] ";
    if (level != TraceLevel::Trace)
        line += std::string(kLevelNames[(int)level]) + ": ";
    line += text;
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard<std::mutex> guard(Out().lock);
        sink = Out().sink;
    }
    if (sink)
        sink(line);
    else
        std::fprintf(stderr, "%s\n", line.c_str());
}

void TracePrintf(TraceArea area, TraceLevel level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Formatted(format, args);
    va_end(args);
    TraceLine(area, level, text);
}

bool FixmeOnce(TraceArea area, const std::string& kind, const std::string& text)
{
    if (!Tracing(area, TraceLevel::Fixme))
        return false;
    {
        std::lock_guard<std::mutex> guard(Out().lock);
        if (!Out().reported.emplace((int)area, kind).second)
            return false;
    }
    TraceLine(area, TraceLevel::Fixme, text);
    return true;
}

bool FixmeOnceFormatted(TraceArea area, const std::string& kind, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = Formatted(format, args);
    va_end(args);
    return FixmeOnce(area, kind, text);
}

}  // namespace mivo
