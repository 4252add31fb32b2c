// Area interface: drags that cross to other programs. The native side reports drags of the
// desktop over our windows here; the framework's drop targets answer through the handler it
// installs. The native side runs drags that leave our windows.
#pragma once

#include "win32/types.h"

#include <string>

namespace mivo {

enum class NativeDropStep { Over, Drop, Leave };

// Answers the drop effect at a screen point for a dragged list (CF_TEXT, CP949), or does the
// drop; Leave ends a drag that went elsewhere.
typedef DWORD (*NativeDropHandler)(NativeDropStep step, POINT screen, const std::string& cp949Text);
void SetNativeDropHandler(NativeDropHandler handler);
// DROPEFFECT_NONE while no handler is installed.
DWORD DeliverNativeDrop(NativeDropStep step, POINT screen, const std::string& cp949Text);

}  // namespace mivo
