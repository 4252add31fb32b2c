// Win32 constants a resource script may name without including a header:
// window, dialog and control styles, virtual keys, menu flags, dialog ids.
#pragma once

#include <cstdint>

namespace rc {

struct NamedConstant {
    const char* name;
    int64_t value;
};

struct NamedString {
    const char* name;
    const char* value;
};

// Both lists end with a null name.
const NamedConstant* Win32Constants();
const NamedString* Win32ClassNames();

}  // namespace rc
