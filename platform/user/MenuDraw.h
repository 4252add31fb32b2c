// Measuring and drawing menu items, in popups and in menu bars.
#pragma once

#include "user/MenuObjects.h"

namespace mivo {

// The frame around a popup's items.
const int kPopupBorder = 3;

struct PopupGeometry {
    SIZE size = {0, 0};       // the popup window
    std::vector<RECT> items;  // item rectangles in the popup's client coordinates
};

// Lays out a popup, asking `owner` to measure its owner-drawn items, and keeps the
// rectangles in the menu.
PopupGeometry LayOutPopup(HWND owner, HMENU menu);
// Lays out a menu bar inside `bar` (window coordinates of `hwnd`) and keeps the rectangles.
std::vector<RECT> LayOutBar(HWND hwnd, HMENU menu, const RECT& bar);

enum class BarItemLook { Plain, Hot, Open };

void DrawPopupFrame(HDC dc, const SIZE& size);
void DrawPopupItem(HDC dc, HWND owner, HMENU menu, const MenuItem& item, bool selected, UINT action);
void DrawBarItem(HDC dc, HWND hwnd, HMENU menu, const MenuItem& item, BarItemLook look);

// The menu font (the non-client metrics' menu font).
HFONT MenuFont(bool bold);

// How the bar of a window is tracked: the item shown hot or open, set by the tracking loop.
void SetBarHighlight(HWND hwnd, int index, BarItemLook look);
int BarHighlight(HWND hwnd, BarItemLook* look);

// The window whose system menu this is, or null.
HWND SystemMenuOwner(HMENU menu);

}  // namespace mivo
