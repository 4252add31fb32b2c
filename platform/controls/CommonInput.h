// Input helpers the list and tree controls share: focus changes, mouse
// presses taken apart, scroll bar codes and wheel turns.
#pragma once

#include "win32/user.h"

namespace mivo {

// WM_SETFOCUS or WM_KILLFOCUS: the flag, a repaint, then NM_SETFOCUS or NM_KILLFOCUS to the parent.
void ViewFocusChanged(HWND view, bool& focused, bool gained);

struct MousePress {
    POINT point;
    bool doubleClick;
    bool right;
};
// A button-down or double-click message of either button.
MousePress PressOf(UINT msg, LPARAM lParam);

// Moves `pos` as a WM_VSCROLL or WM_HSCROLL code asks, by `line` per line and
// the bar's page per page; false for codes that move nothing.
bool ScrollBarTarget(HWND view, int bar, WPARAM code, int line, int& pos);

// Rows a wheel turn scrolls by: 3 a notch, positive towards the end.
int WheelRows(WPARAM wParam);

}  // namespace mivo
