// Menu objects and their handle table, shared by the menu functions, the
// menu bar and the tracking loop.
#pragma once

#include "win32/types.h"
#include "win32/menus.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace mivo {

struct MenuItem {
    UINT type = MFT_STRING;  // MFT_*
    UINT state = 0;          // MFS_*
    UINT id = 0;
    HMENU sub = nullptr;
    std::u16string text;
    ULONG_PTR data = 0;
    HBITMAP checked = nullptr;
    HBITMAP unchecked = nullptr;
    HBITMAP bitmap = nullptr;  // MFT_BITMAP items and hbmpItem
    // Filled by the layout: the item's size and place in its menu window or bar.
    RECT rect = {0, 0, 0, 0};

    bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool OwnerDraw() const { return (type & MFT_OWNERDRAW) != 0; }
    bool Disabled() const { return (state & MFS_GRAYED) != 0; }
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;
    bool system = false;  // a window's system menu
    DWORD helpId = 0;
    std::vector<MenuItem> items;
};

// One lock over every menu; never held while a message is sent.
std::recursive_mutex& MenuLock();
// The menu behind a handle, or null for a stale or foreign handle. Call with the lock held.
Menu* FindMenuLocked(HMENU handle);
HMENU NewMenuLocked(bool popup);
// Destroys a menu and its popups.
void DestroyMenuLocked(HMENU handle);
// The menu and position holding item `item`: by position, or the first item with that command
// searched depth first through the popups.
bool LocateItemLocked(HMENU handle, UINT item, bool byPosition, Menu** menu, size_t* index);

// A copy of a menu's items (for layout and drawing without the lock).
bool SnapshotMenu(HMENU handle, Menu& out);
// Stores item rectangles computed by the layout.
void StoreItemRects(HMENU handle, const std::vector<RECT>& rects);

// The item's text up to its tab, and after it (the accelerator column).
std::u16string LabelPart(const std::u16string& text);
std::u16string AcceleratorPart(const std::u16string& text);
// The character after the first single '&', lower-cased; 0 when none.
char16_t MnemonicOf(const std::u16string& text);
char16_t LowerChar(char16_t c);

// Loads a class's menu for a top-level window made without one.
HMENU LoadClassMenu(HINSTANCE instance, LPCSTR name);

}  // namespace mivo

namespace mivo {

// A window's system menu, made on first use; null when the window has none.
HMENU SystemMenuOf(HWND hwnd);
// Greys the system commands that do not apply to the window's present state.
void UpdateSystemMenuStates(HWND hwnd, HMENU menu);
// The window is gone: its system menu and its menu bar go with it.
void ForgetWindowMenus(HWND hwnd, HMENU bar);

}  // namespace mivo
