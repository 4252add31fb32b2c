// Defaults DefWindowProc gives controls and frames: scroll bars, control colours, menu bar hook.
#pragma once

#include "user/UserState.h"

namespace mivo {

void EnsureScrollBarsFromStyle(HWND hwnd);
HBRUSH DefaultControlColor(UINT msg, HDC hdc);
HBRUSH ScrollBarTroughBrush();
bool NonClientActive(HWND hwnd);
void DrawMenuBarHook(HWND hwnd, HDC dc, const RECT& bar);
bool ScrollBarInfo(HWND hwnd, int bar, ScrollBarState* out);
void SetScrollTrackPos(HWND hwnd, int bar, int trackPos);

}  // namespace mivo
