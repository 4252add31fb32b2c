// Input synthesis and window pixels for tests: events are routed as real input is.
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
// What the input method is composing (CP949), shown by the focus window until
// it is committed (through InjectText) or given up; "" ends the composition.
// The focus gets WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (GCS_COMPSTR) and
// WM_IME_ENDCOMPOSITION, and reads the text with ImmGetCompositionString.
void InjectComposition(const std::string& cp949);

// Puts the pointer, the keyboard, mouse tracking, ClipCursor and the changeable settings
// (double-click and caret times, work area, swapped buttons) back as a fresh desktop has them.
// Windows, focus and cursor handles are left alone.
void ResetDesktopInput();

// A copy of a window's pixels (0x00RRGGBB, rows top-down) from its top-level surface.
bool CaptureWindowPixels(HWND hwnd, bool clientOnly, std::vector<uint32_t>& pixels, int& width, int& height);

}  // namespace mivo
