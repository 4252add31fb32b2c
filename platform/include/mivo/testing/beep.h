// Beeps in tests: the layer makes no sound, so a hook may listen instead.
#pragma once

#include "win32/types.h"

#include <functional>

namespace mivo {

// Called with the sound type of every MessageBeep while set; returns the previous hook.
using MessageBeepHook = std::function<void(UINT type)>;
MessageBeepHook SetMessageBeepHook(MessageBeepHook hook);

}  // namespace mivo
