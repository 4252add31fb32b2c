// Menus built from MENU and MENUEX templates, from resources or memory, and
// the menus a window class names.
#include "user/MenuObjects.h"
#include "mivo/codepage.h"
#include "mivo/templates.h"
#include "win32/errors.h"

using namespace mivo;

namespace {

typedef std::lock_guard<std::recursive_mutex> MenuGuard;

// Templates in memory carry no size; the reader stops at the last item's end mark.
const size_t kIndirectTemplateLimit = 1u << 20;

void AddItemsLocked(HMENU target, const std::vector<MenuTemplateItem>& items, bool extended)
{
    Menu* menu = FindMenuLocked(target);
    if (!menu)
        return;
    for (const MenuTemplateItem& t : items) {
        MenuItem item;
        if (extended) {
            item.type = t.flags & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBARBREAK | MFT_MENUBREAK |
                                   MFT_RADIOCHECK | MFT_RIGHTJUSTIFY);
            item.state = t.state & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT | MFS_HILITE);
        } else {
            item.type = t.flags & (MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP);
            item.state = t.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        }
        if (t.separator)
            item.type |= MFT_SEPARATOR;
        item.id = t.id;
        item.text = t.text;
        if (t.popup) {
            item.sub = NewMenuLocked(true);
            if (!extended)
                item.id = (UINT)(uintptr_t)item.sub;
            if (Menu* sub = FindMenuLocked(item.sub))
                sub->helpId = t.helpId;
            // The new popup may move the table's storage, never the menu objects.
            menu = FindMenuLocked(target);
            AddItemsLocked(item.sub, t.children, extended);
        }
        menu = FindMenuLocked(target);
        if (!menu)
            return;
        menu->items.push_back(item);
    }
}

HMENU MenuFromTemplate(const void* data, size_t size)
{
    MenuTemplateInfo info;
    if (!data || !ReadMenuTemplate(data, size, info))
        return nullptr;
    MenuGuard guard(MenuLock());
    HMENU menu = NewMenuLocked(false);
    if (Menu* m = FindMenuLocked(menu))
        m->helpId = info.helpId;
    AddItemsLocked(menu, info.items, info.extended);
    return menu;
}

HMENU LoadFromModule(HMODULE module, LPCSTR name)
{
    HRSRC found = FindResourceA(module, name, RT_MENU);
    if (!found && module)
        found = FindResourceA(nullptr, name, RT_MENU);  // the rest of the resource chain
    if (!found) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HMODULE owner = module;
    HGLOBAL loaded = LoadResource(owner, found);
    if (!loaded)
        loaded = LoadResource(nullptr, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(owner, found);
    if (!size)
        size = SizeofResource(nullptr, found);
    return MenuFromTemplate(data, size);
}

}  // namespace

namespace mivo {

HMENU LoadClassMenu(HINSTANCE instance, LPCSTR name)
{
    return name ? LoadFromModule(instance, name) : nullptr;
}

}  // namespace mivo

HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName)
{
    return LoadFromModule(hInstance, lpMenuName);
}

HMENU LoadMenu(HINSTANCE hInstance, LPCSTR lpMenuName)
{
    return LoadFromModule(hInstance, lpMenuName);
}

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName)
{
    if (IS_INTRESOURCE(lpMenuName))
        return LoadFromModule(hInstance, (LPCSTR)lpMenuName);
    std::string name = Utf16ToAnsi(lpMenuName);
    return LoadFromModule(hInstance, name.c_str());
}

HMENU LoadMenuIndirect(const void* lpMenuTemplate)
{
    return MenuFromTemplate(lpMenuTemplate, kIndirectTemplateLimit);
}

HMENU LoadMenuIndirectA(const void* lpMenuTemplate)
{
    return MenuFromTemplate(lpMenuTemplate, kIndirectTemplateLimit);
}

HMENU LoadMenuIndirectW(const void* lpMenuTemplate)
{
    return MenuFromTemplate(lpMenuTemplate, kIndirectTemplateLimit);
}
