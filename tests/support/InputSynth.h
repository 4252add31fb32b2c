// Synthetic mouse and keyboard input, routed as real input is.
#pragma once

#include <win32.h>

#include <string>
#include "mivo/testing/input.h"

namespace mivo::test {

// Points are in the window's client coordinates; each call pumps the queue afterwards.
void MouseMove(HWND hwnd, int x, int y);
void MouseDown(HWND hwnd, int x, int y, mivo::MouseButton button = mivo::MouseButton::Left);
void MouseUp(HWND hwnd, int x, int y, mivo::MouseButton button = mivo::MouseButton::Left);
void Click(HWND hwnd, int x, int y, mivo::MouseButton button = mivo::MouseButton::Left);
void Wheel(HWND hwnd, int x, int y, int delta);
// A key press and release; with `shift` or `ctrl` held meanwhile.
void PressKey(UINT vk, bool shift = false, bool ctrl = false);
// Text typed into the focus window (CP949; double-byte characters as two WM_CHAR).
void TypeText(const std::string& cp949);

}  // namespace mivo::test
