// Test hooks of the message spy: switch areas without the environment, and
// catch the lines instead of printing them.
#pragma once

#include <functional>
#include <string>

namespace mivo {

// The areas by the spelling of MIVO_TRACE ("user,controls"; "" for none).
void SetTraceAreas(const char* spec);
// Where trace lines go (without their line break); an empty function restores stderr.
void SetTraceSink(std::function<void(const std::string&)> sink);

}  // namespace mivo
