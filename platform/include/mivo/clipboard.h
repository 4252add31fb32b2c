// The desktop's own clipboard, beside the Windows clipboard functions.
#pragma once

#include <string>

namespace mivo {

// The desktop's clipboard as UTF-8 text, as other programs see it. False when
// it holds no text or cannot be reached from the calling thread (only the
// thread that runs the native event loop talks to it).
bool GetSystemClipboardText(std::string& utf8);
bool SetSystemClipboardText(const std::string& utf8);

}  // namespace mivo
