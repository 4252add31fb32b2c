// How much work text layout does: the edit and rich edit controls count the
// bytes they step over while breaking lines, so that tests can check that
// layout stays linear in its input without timing it.
#pragma once

#include <cstdint>

namespace mivo {

uint64_t TextLayoutSteps();
void ResetTextLayoutSteps();

}  // namespace mivo
