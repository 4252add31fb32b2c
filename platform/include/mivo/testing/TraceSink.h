// Test hooks of the trace facility: switch channels without the environment,
// and catch the lines instead of printing them.
#pragma once

#include <functional>
#include <string>

namespace mivo {

// The channels by the spelling of MIVO_TRACE ("user,controls:fixme"; "" for none).
// Also forgets which fixme kinds were reported, so they print again.
void SetTraceAreas(const char* spec);
// Where trace lines go (without their line break); an empty function restores stderr.
void SetTraceSink(std::function<void(const std::string&)> sink);

}  // namespace mivo
