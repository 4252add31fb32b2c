// Screen, window and client rectangles and what a move or resize invalidates (Geometry.cpp).
#pragma once

#include "user/UserState.h"

namespace mivo {

SIZE ScreenSize();
inline HWND DesktopHandle() { return (HWND)(uintptr_t)0x10000; }
void EnsureDesktopLocked();
HWND DesktopWindow();  // makes sure the desktop window exists and has the screen's size
void RefreshDisplaySurface();
void OffsetRectBy(RECT& r, int dx, int dy);
void ResizeSurfaceLocked(Window& w);
// Invalidates what a move, resize, show or hide uncovered or changed.
void InvalidateAfterMove(HWND hwnd, const RECT& oldRect, const RECT& oldClient, bool wasVisible, bool shown,
                         bool hidden, bool sized, bool moved, bool zordered, bool frameChanged);
MINMAXINFO DefaultMinMaxInfo(HWND hwnd);
// Asks the window for its client area (WM_NCCALCSIZE) after its frame or size changed.
void RecalcClientRect(HWND hwnd, WINDOWPOS* pos);
POINT ClientOriginInParent(HWND hwnd);
bool HasMenuBarLocked(const Window& w);
RECT WindowRectInTopLevelLocked(const Window& w);  // window rectangle in top-level window coordinates

}  // namespace mivo
