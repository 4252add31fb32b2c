// Entry points of the window manager beyond the Win32 names: the native backend
// and the tests feed input through them and read window pixels back.
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mivo {

enum class MouseButton { None, Left, Right, Middle };

// A mouse event at a screen point, routed as real input is: capture, hit test,
// WM_SETCURSOR, WM_MOUSEACTIVATE, double clicks, mouse tracking.
void InjectMouseMove(POINT screen);
void InjectMouseButton(POINT screen, MouseButton button, bool down);
void InjectMouseWheel(POINT screen, int delta);
// A key going down or up (virtual-key code), sent to the focus of the foreground window.
void InjectKey(UINT vk, bool down);
// Typed text (CP949): each character arrives as WM_CHAR, double-byte ones as two.
void InjectText(const std::string& cp949);

// A copy of a window's pixels (0x00RRGGBB, rows top-down) from its top-level surface.
bool CaptureWindowPixels(HWND hwnd, bool clientOnly, std::vector<uint32_t>& pixels, int& width, int& height);

// What the native window of a top-level window shows on screen (a screenshot
// through the display); false without a native window. Call on the UI thread.
bool GrabNativeWindowPixels(HWND hwnd, std::vector<uint32_t>& pixels, int& width, int& height);
// Opacity of a top-level window's native side (0 to 255), as layered windows ask.
void SetNativeWindowOpacity(HWND hwnd, BYTE alpha);
// Feeds the native window of a top-level window a left button press or release
// at a point of the native window, or text committed by the input method, as
// the display would; false without a native window. For tests of the backend.
bool SimulateNativeMouseButton(HWND hwnd, POINT nativeLocal, bool down);
bool SimulateNativeKeyText(HWND hwnd, const std::string& cp949);
// Keeps native windows from being made (programs and tests without a display).
void DisableQtBackend();

// Draws the menu bar of a window's frame (the menus install it); `bar` is in window coordinates.
typedef void (*MenuBarPainter)(HWND hwnd, HDC dc, const RECT& bar);
void SetMenuBarPainter(MenuBarPainter painter);

// Handles what other threads sent to the calling thread; for waits that must keep
// cross-thread SendMessage flowing. Returns whether anything ran.
bool PumpSentMessages();
// Whether the calling thread has a message queue (owns windows or has called a message function).
bool ThreadHasMessageQueue();
// Wakes a thread that waits in a pumping wait, so it looks at its queue again.
void WakeThreadQueue(DWORD threadId);

// Called on the creating thread for every new window, after its handle exists and
// before its first message (the framework attaches its window objects here).
typedef void (*WindowCreationHook)(HWND hwnd);
void SetWindowCreationHook(WindowCreationHook hook);

}  // namespace mivo
