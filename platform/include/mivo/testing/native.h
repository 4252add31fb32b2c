// The native windows behind top-level windows, as the display sees them (tests of the backend).
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mivo {

// What the native window of a top-level window shows on screen (a screenshot
// through the display); false without a native window. Call on the UI thread.
bool GrabNativeWindowPixels(HWND hwnd, std::vector<uint32_t>& pixels, int& width, int& height);
// The window whose native window the desktop keeps this one's transient for; null when none.
HWND NativeTransientOwner(HWND hwnd);
// How the desktop is asked to treat a top-level window's native window.
struct NativeLook {
    bool dialog = false;            // kept above its transient owner, no task-bar entry of its own
    bool unmanaged = false;         // bypasses the window manager (override-redirect)
    bool takesFocus = true;
    bool fixedSize = false;         // the user cannot size it
    bool minimizeButton = false;
    bool maximizeButton = false;
    bool closeButton = false;
    bool fullScreen = false;        // in the desktop's full-screen state (no panels above it)
};
// False without a native window. Call on the UI thread.
bool GetNativeLook(HWND hwnd, NativeLook* look);
// Feeds the native window of a top-level window a left button press or release
// at a point of the native window, or text committed by the input method, as
// the display would; false without a native window. For tests of the backend.
bool SimulateNativeMouseButton(HWND hwnd, POINT nativeLocal, bool down);
bool SimulateNativeKeyText(HWND hwnd, const std::string& cp949);
// An input method event: the syllable being composed and the text committed with it (either may be "").
bool SimulateNativeComposition(HWND hwnd, const std::string& preedit, const std::string& commit);
// Feeds the native window file URLs dragged from another program, entering (drop false) or
// dropped, as the display would; whether the window took them. For tests of the backend.
bool SimulateNativeFileDrop(HWND hwnd, POINT nativeLocal, const std::vector<std::string>& fileUrls, bool drop);
// What the desktop would get from a drag that left our windows: text/plain (UTF-8) and
// text/uri-list.
struct RecordedDesktopDrag {
    std::string text;
    std::vector<std::string> urls;
};
// While set, such drags go to the recorder instead of the desktop (on any display), and the
// effect it answers is the one the desktop chose. An empty function ends the recording.
void RecordDesktopDrags(std::function<DWORD(const RecordedDesktopDrag&)> recorder);
// Tells the native window it got the keyboard focus, as the window manager would on a click.
bool SimulateNativeFocusIn(HWND hwnd);
// Keeps native windows from being made (programs and tests without a display).
void DisableQtBackend();

}  // namespace mivo
