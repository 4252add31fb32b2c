// Creating menus and changing their items. The A forms take CP949 text, the
// W forms UTF-16; items keep UTF-16.
#include "user/MenuObjects.h"
#include "user/UserState.h"
#include "mivo/codepage.h"
#include "win32/rect.h"
#include "win32/errors.h"
#include "win32/usersys.h"

#include <algorithm>
#include <cstring>

using namespace mivo;

namespace {

typedef std::lock_guard<std::recursive_mutex> MenuGuard;

const UINT kTypeFlags = MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY |
                        MFT_RADIOCHECK;
const UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE;

std::u16string Wide(LPCSTR text)
{
    return text ? AnsiToUtf16(text) : std::u16string();
}

std::u16string Wide(LPCWSTR text)
{
    return text ? std::u16string(text) : std::u16string();
}

// An item as the old-style flags describe it; `content` is the text, bitmap or item data.
template <typename Text>
bool ItemFromFlags(UINT flags, UINT_PTR idOrMenu, Text content, MenuItem& item)
{
    item.type = flags & kTypeFlags & ~MFT_RADIOCHECK;
    item.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        item.sub = (HMENU)idOrMenu;
        item.id = (UINT)idOrMenu;
        if (!FindMenuLocked(item.sub))
            return false;
    } else {
        item.id = (UINT)idOrMenu;
    }
    if (flags & MF_SEPARATOR) {
        item.id = 0;
        item.sub = nullptr;
        if (flags & MF_OWNERDRAW)  // an owner-drawn separator keeps its data for the owner
            item.data = (ULONG_PTR)content;
        return true;
    }
    if (flags & MF_BITMAP)
        item.bitmap = (HBITMAP)content;
    else if (flags & MF_OWNERDRAW)
        item.data = (ULONG_PTR)content;
    else
        item.text = Wide(content);
    return true;
}

template <typename Text>
BOOL InsertByFlags(HMENU hMenu, UINT position, UINT flags, UINT_PTR id, Text text)
{
    MenuGuard guard(MenuLock());
    MenuItem item;
    if (!ItemFromFlags(flags, id, text, item)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    Menu* menu = FindMenuLocked(hMenu);
    size_t index = 0;
    if (position == (UINT)-1 && (flags & MF_BYPOSITION)) {
        index = menu ? menu->items.size() : 0;
    } else if (!LocateItemLocked(hMenu, position, (flags & MF_BYPOSITION) != 0, &menu, &index)) {
        if (!menu || !(flags & MF_BYPOSITION)) {
            // By command with no such item: appended, as Windows does.
            if (!menu) {
                SetLastError(ERROR_INVALID_MENU_HANDLE);
                return FALSE;
            }
        }
        index = menu->items.size();
    }
    menu->items.insert(menu->items.begin() + (std::ptrdiff_t)index, item);
    return TRUE;
}

template <typename Text>
BOOL AppendByFlags(HMENU hMenu, UINT flags, UINT_PTR id, Text text)
{
    return InsertByFlags(hMenu, (UINT)-1, flags | MF_BYPOSITION, id, text);
}

template <typename Text>
BOOL ModifyByFlags(HMENU hMenu, UINT position, UINT flags, UINT_PTR id, Text text)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, position, (flags & MF_BYPOSITION) != 0, &menu, &index))
        return FALSE;
    MenuItem item;
    if (!ItemFromFlags(flags, id, text, item))
        return FALSE;
    MenuItem& old = menu->items[index];
    // A popup replaced by something else is destroyed, as Windows does.
    if (old.sub && old.sub != item.sub)
        DestroyMenuLocked(old.sub);
    item.checked = old.checked;
    item.unchecked = old.unchecked;
    item.type |= old.type & MFT_RADIOCHECK;
    item.state |= old.state & MFS_DEFAULT;
    old = item;
    return TRUE;
}

BOOL RemoveItem(HMENU hMenu, UINT position, UINT flags, bool destroy)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, position, (flags & MF_BYPOSITION) != 0, &menu, &index))
        return FALSE;
    HMENU sub = menu->items[index].sub;
    menu->items.erase(menu->items.begin() + (std::ptrdiff_t)index);
    if (destroy && sub)
        DestroyMenuLocked(sub);
    return TRUE;
}

UINT OldStyleFlags(const Menu& menu, const MenuItem& item)
{
    UINT flags = item.type | item.state;
    if (item.sub) {
        Menu* sub = FindMenuLocked(item.sub);
        size_t count = sub ? sub->items.size() : 0;
        return (UINT)((count & 0xFF) << 8) | (flags & 0xFF) | MF_POPUP;
    }
    (void)menu;
    return flags;
}

// Copies text into a caller's buffer of `max` units; answers the length copied,
// or the whole length when there is no buffer.
template <typename Char>
int CopyOut(const std::basic_string<Char>& text, Char* buffer, int max)
{
    if (!buffer)
        return (int)text.size();
    if (max <= 0)
        return 0;
    size_t n = std::min(text.size(), (size_t)max - 1);
    std::copy(text.begin(), text.begin() + (std::ptrdiff_t)n, buffer);
    buffer[n] = 0;
    return (int)n;
}

std::string CutAnsi(const std::string& text, size_t maxBytes)
{
    return text.substr(0, CutToCharBoundary(text.data(), text.size(), maxBytes));
}

template <typename Info>
bool ValidInfo(const Info* info)
{
    return info && info->cbSize >= offsetof(Info, hbmpItem);
}

void SetTextFromInfo(MenuItem& item, LPSTR text)
{
    item.text = Wide((LPCSTR)text);
}

void SetTextFromInfo(MenuItem& item, LPWSTR text)
{
    item.text = Wide((LPCWSTR)text);
}

template <typename Info>
BOOL SetInfo(HMENU hMenu, UINT position, BOOL byPosition, const Info* info, bool insert)
{
    if (!ValidInfo(info))
        return FALSE;
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    MenuItem fresh;
    MenuItem* item = nullptr;
    if (insert) {
        menu = FindMenuLocked(hMenu);
        if (!menu)
            return FALSE;
        Menu* at = nullptr;
        if (LocateItemLocked(hMenu, position, byPosition != FALSE, &at, &index))
            menu = at;
        else
            index = menu->items.size();
        item = &fresh;
    } else {
        if (!LocateItemLocked(hMenu, position, byPosition != FALSE, &menu, &index))
            return FALSE;
        item = &menu->items[index];
    }
    UINT mask = info->fMask;
    if (mask & MIIM_SUBMENU) {
        if (info->hSubMenu && !FindMenuLocked(info->hSubMenu))
            return FALSE;
        item->sub = info->hSubMenu;
    }
    if (mask & (MIIM_TYPE | MIIM_FTYPE)) {
        UINT keepBitmap = item->type & MFT_BITMAP;
        item->type = info->fType & (kTypeFlags | MFT_RADIOCHECK);
        if (mask & MIIM_FTYPE && !(mask & MIIM_TYPE))
            item->type = (item->type & ~MFT_BITMAP) | keepBitmap;
    }
    if (mask & MIIM_TYPE) {
        if (info->fType & MFT_BITMAP)
            item->bitmap = (HBITMAP)info->dwTypeData;
        else if (!(info->fType & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            SetTextFromInfo(*item, info->dwTypeData);
    }
    if (mask & MIIM_STRING)
        SetTextFromInfo(*item, info->dwTypeData);
    if (mask & MIIM_BITMAP)
        item->bitmap = info->hbmpItem;
    if (mask & MIIM_STATE)
        item->state = info->fState & (kStateFlags | MFS_DEFAULT);
    if (mask & MIIM_ID)
        item->id = info->wID;
    if (mask & MIIM_CHECKMARKS) {
        item->checked = info->hbmpChecked;
        item->unchecked = info->hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        item->data = info->dwItemData;
    if (insert)
        menu->items.insert(menu->items.begin() + (std::ptrdiff_t)index, fresh);
    return TRUE;
}

void GetTextInto(const MenuItem& item, MENUITEMINFOA* info)
{
    std::string text = Utf16ToAnsi(item.text);
    if (!info->dwTypeData || info->cch == 0) {
        info->cch = (UINT)text.size();
        return;
    }
    std::string cut = CutAnsi(text, info->cch - 1);
    std::memcpy(info->dwTypeData, cut.c_str(), cut.size() + 1);
    info->cch = (UINT)cut.size();
}

void GetTextInto(const MenuItem& item, MENUITEMINFOW* info)
{
    if (!info->dwTypeData || info->cch == 0) {
        info->cch = (UINT)item.text.size();
        return;
    }
    info->cch = (UINT)CopyOut(item.text, info->dwTypeData, (int)info->cch);
}

template <typename Info>
BOOL GetInfo(HMENU hMenu, UINT position, BOOL byPosition, Info* info)
{
    if (!ValidInfo(info))
        return FALSE;
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, position, byPosition != FALSE, &menu, &index))
        return FALSE;
    const MenuItem& item = menu->items[index];
    UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        info->fType = item.type;
    if (mask & MIIM_TYPE) {
        if (item.type & MFT_BITMAP)
            info->dwTypeData = (decltype(info->dwTypeData))item.bitmap;
        else if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            GetTextInto(item, info);
    }
    if (mask & MIIM_STRING)
        GetTextInto(item, info);
    if (mask & MIIM_BITMAP)
        info->hbmpItem = item.bitmap;
    if (mask & MIIM_STATE)
        info->fState = item.state;
    if (mask & MIIM_ID)
        info->wID = item.id;
    if (mask & MIIM_SUBMENU)
        info->hSubMenu = item.sub;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item.checked;
        info->hbmpUnchecked = item.unchecked;
    }
    if (mask & MIIM_DATA)
        info->dwItemData = item.data;
    return TRUE;
}

}  // namespace

// --- menus

HMENU CreateMenu()
{
    MenuGuard guard(MenuLock());
    return NewMenuLocked(false);
}

HMENU CreatePopupMenu()
{
    MenuGuard guard(MenuLock());
    return NewMenuLocked(true);
}

BOOL DestroyMenu(HMENU hMenu)
{
    MenuGuard guard(MenuLock());
    if (!FindMenuLocked(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    DestroyMenuLocked(hMenu);
    return TRUE;
}

BOOL IsMenu(HMENU hMenu)
{
    MenuGuard guard(MenuLock());
    return FindMenuLocked(hMenu) != nullptr;
}

BOOL SetMenuContextHelpId(HMENU hMenu, DWORD dwContextHelpId)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    if (!m)
        return FALSE;
    m->helpId = dwContextHelpId;
    return TRUE;
}

DWORD GetMenuContextHelpId(HMENU hMenu)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    return m ? m->helpId : 0;
}

// --- items by flags

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return AppendByFlags(hMenu, uFlags, uIDNewItem, lpNewItem);
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return AppendByFlags(hMenu, uFlags, uIDNewItem, lpNewItem);
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    return AppendByFlags(hMenu, uFlags, uIDNewItem, lpNewItem);
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return InsertByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return InsertByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    return InsertByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL ModifyMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return ModifyByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL ModifyMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    return ModifyByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL ModifyMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem)
{
    return ModifyByFlags(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem);
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return RemoveItem(hMenu, uPosition, uFlags, false);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return RemoveItem(hMenu, uPosition, uFlags, true);
}

// --- items by MENUITEMINFO

BOOL InsertMenuItem(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi)
{
    return SetInfo(hMenu, item, fByPosition, lpmi, true);
}

BOOL InsertMenuItemA(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi)
{
    return SetInfo(hMenu, item, fByPosition, lpmi, true);
}

BOOL InsertMenuItemW(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOW lpmi)
{
    return SetInfo(hMenu, item, fByPosition, lpmi, true);
}

BOOL SetMenuItemInfo(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmii)
{
    return SetInfo(hMenu, item, fByPosition, lpmii, false);
}

BOOL SetMenuItemInfoA(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmii)
{
    return SetInfo(hMenu, item, fByPosition, lpmii, false);
}

BOOL SetMenuItemInfoW(HMENU hMenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOW lpmii)
{
    return SetInfo(hMenu, item, fByPosition, lpmii, false);
}

BOOL GetMenuItemInfo(HMENU hMenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii)
{
    return GetInfo(hMenu, item, fByPosition, lpmii);
}

BOOL GetMenuItemInfoA(HMENU hMenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii)
{
    return GetInfo(hMenu, item, fByPosition, lpmii);
}

BOOL GetMenuItemInfoW(HMENU hMenu, UINT item, BOOL fByPosition, LPMENUITEMINFOW lpmii)
{
    return GetInfo(hMenu, item, fByPosition, lpmii);
}

// --- reading items

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uIDItem, (flags & MF_BYPOSITION) != 0, &menu, &index)) {
        if (lpString && cchMax > 0)
            lpString[0] = 0;
        return 0;
    }
    std::string text = Utf16ToAnsi(menu->items[index].text);
    if (!lpString)
        return (int)text.size();
    if (cchMax <= 0)
        return 0;
    std::string cut = CutAnsi(text, (size_t)cchMax - 1);
    std::memcpy(lpString, cut.c_str(), cut.size() + 1);
    return (int)cut.size();
}

int GetMenuString(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    return GetMenuStringA(hMenu, uIDItem, lpString, cchMax, flags);
}

int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uIDItem, (flags & MF_BYPOSITION) != 0, &menu, &index)) {
        if (lpString && cchMax > 0)
            lpString[0] = 0;
        return 0;
    }
    return CopyOut(menu->items[index].text, lpString, cchMax);
}

int GetMenuItemCount(HMENU hMenu)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return (int)m->items.size();
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    if (!m || nPos < 0 || (size_t)nPos >= m->items.size())
        return (UINT)-1;
    const MenuItem& item = m->items[(size_t)nPos];
    return item.sub ? (UINT)-1 : item.id;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uId, (uFlags & MF_BYPOSITION) != 0, &menu, &index))
        return (UINT)-1;
    return OldStyleFlags(*menu, menu->items[index]);
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    if (!m || nPos < 0 || (size_t)nPos >= m->items.size())
        return nullptr;
    return m->items[(size_t)nPos].sub;
}

// --- states

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uIDCheckItem, (uCheck & MF_BYPOSITION) != 0, &menu, &index))
        return (DWORD)-1;
    MenuItem& item = menu->items[index];
    DWORD old = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU hMenu, UINT first, UINT last, UINT check, UINT flags)
{
    MenuGuard guard(MenuLock());
    bool byPosition = (flags & MF_BYPOSITION) != 0;
    Menu* checkMenu = nullptr;
    size_t checkIndex = 0;
    if (!LocateItemLocked(hMenu, check, byPosition, &checkMenu, &checkIndex))
        return FALSE;
    Menu* menu = checkMenu;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        MenuItem& item = menu->items[i];
        UINT key = byPosition ? (UINT)i : item.id;
        if (item.sub || item.Separator() || key < std::min(first, last) || key > std::max(first, last))
            continue;
        if (i == checkIndex) {
            item.state |= MF_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MF_CHECKED;
        }
    }
    return TRUE;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uIDEnableItem, (uEnable & MF_BYPOSITION) != 0, &menu, &index))
        return (BOOL)-1;
    MenuItem& item = menu->items[index];
    UINT old = item.state & (MF_GRAYED | MF_DISABLED);
    item.state = (item.state & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return (BOOL)old;
}

BOOL SetMenuItemBitmaps(HMENU hMenu, UINT uPosition, UINT uFlags, HBITMAP hBitmapUnchecked, HBITMAP hBitmapChecked)
{
    MenuGuard guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(hMenu, uPosition, (uFlags & MF_BYPOSITION) != 0, &menu, &index))
        return FALSE;
    menu->items[index].unchecked = hBitmapUnchecked;
    menu->items[index].checked = hBitmapChecked;
    return TRUE;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos)
{
    MenuGuard guard(MenuLock());
    Menu* m = FindMenuLocked(hMenu);
    if (!m)
        return FALSE;
    size_t chosen = m->items.size();
    if (uItem != (UINT)-1) {
        Menu* at = nullptr;
        size_t index = 0;
        // The default item belongs to this menu itself, not to one of its popups.
        if (!LocateItemLocked(hMenu, uItem, fByPos != FALSE, &at, &index) || at != m)
            return FALSE;
        chosen = index;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        if (i == chosen)
            m->items[i].state |= MFS_DEFAULT;
        else
            m->items[i].state &= ~MFS_DEFAULT;
    }
    return TRUE;
}

namespace {

// A disabled or greyed default counts only when asked for; with GMDI_GOINTOPOPUPS a default that
// opens a submenu answers with that submenu's default, if it has a usable one.
UINT DefaultItemLocked(HMENU hMenu, UINT fByPos, UINT gmdiFlags, int depth)
{
    Menu* m = FindMenuLocked(hMenu);
    if (!m || depth > 32)
        return (UINT)-1;
    auto it = std::find_if(m->items.begin(), m->items.end(),
                           [](const MenuItem& item) { return (item.state & MFS_DEFAULT) != 0; });
    if (it == m->items.end() || ((it->state & (MF_GRAYED | MF_DISABLED)) && !(gmdiFlags & GMDI_USEDISABLED)))
        return (UINT)-1;
    UINT found = fByPos ? (UINT)(it - m->items.begin()) : it->id;
    if (!(gmdiFlags & GMDI_GOINTOPOPUPS) || !it->sub)
        return found;
    UINT inner = DefaultItemLocked(it->sub, fByPos, gmdiFlags, depth + 1);
    return inner == (UINT)-1 ? found : inner;
}

}  // namespace

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags)
{
    MenuGuard guard(MenuLock());
    return DefaultItemLocked(hMenu, fByPos, gmdiFlags, 0);
}

LONG GetMenuCheckMarkDimensions()
{
    return (LONG)MAKELONG(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK));
}

BOOL HiliteMenuItem(HWND hWnd, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite)
{
    {
        MenuGuard guard(MenuLock());
        Menu* menu = nullptr;
        size_t index = 0;
        if (!LocateItemLocked(hMenu, uIDHiliteItem, (uHilite & MF_BYPOSITION) != 0, &menu, &index))
            return FALSE;
        MenuItem& item = menu->items[index];
        item.state = (uHilite & MF_HILITE) ? (item.state | MFS_HILITE) : (item.state & ~MFS_HILITE);
    }
    if (hWnd && GetMenu(hWnd) == hMenu)
        DrawMenuBar(hWnd);
    return TRUE;
}
