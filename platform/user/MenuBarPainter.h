// The menus draw the menu bar through this hook.
#pragma once

#include "win32/types.h"

namespace mivo {

// Draws the menu bar of a window's frame (the menus install it); `bar` is in window coordinates.
typedef void (*MenuBarPainter)(HWND hwnd, HDC dc, const RECT& bar);
void SetMenuBarPainter(MenuBarPainter painter);

}  // namespace mivo
