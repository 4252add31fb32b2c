// The modal menu loop's entry points for the default window procedure.
#pragma once

#include "win32/types.h"

namespace mivo {

// A click on the menu bar of `hwnd` at a screen point.
void TrackMenuBarByMouse(HWND hwnd, POINT screen);
// Alt or F10 (`ch` 0), Alt+character (a mnemonic of the bar), Alt+Space (the system menu).
void TrackMenuBarByKey(HWND hwnd, UINT ch);
// The system menu from the caption icon, dropped below `screen`.
void TrackSystemMenu(HWND hwnd, POINT screen);

// Ends the menu this thread tracks for `owner` (WM_CANCELMODE); false when it tracks none.
bool EndMenuOf(HWND owner);

// The bar item of `hwnd` under a screen point, -1 when none; `rect` gets its screen rectangle.
int MenuBarItemAt(HWND hwnd, POINT screen, RECT* rect);
// The screen rectangle of bar item `index`.
bool MenuBarItemRect(HWND hwnd, int index, RECT* rect);

}  // namespace mivo
