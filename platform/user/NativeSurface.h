// A top-level window's pixel surface and its native window (Surfaces.cpp).
#pragma once

#include "user/UserState.h"

namespace mivo {

void AttachSurfaceLocked(Window& w);
void DetachSurfaceLocked(Window& w);
void ReleaseNativeWindow(Window& w);
// Tells the native window about geometry, visibility and state changes.
void SyncNativeWindow(HWND hwnd, bool shown, bool hidden);
void NotifyNativeState(HWND hwnd);

}  // namespace mivo
