// The menu handle table. Handles are small numbers that are not reused soon,
// so a stale handle fails instead of reaching another menu.
#include "user/MenuObjects.h"

#include <map>
#include <memory>

namespace mivo {

namespace {

const uintptr_t kFirstHandle = 0x00C00004;
const uintptr_t kLastHandle = 0x7FFFFFF0;

struct MenuTable {
    std::map<uintptr_t, std::unique_ptr<Menu>> menus;
    uintptr_t next = kFirstHandle;
};

MenuTable& Table()
{
    static auto* table = new MenuTable;
    return *table;
}

}  // namespace

std::recursive_mutex& MenuLock()
{
    static auto* lock = new std::recursive_mutex;
    return *lock;
}

Menu* FindMenuLocked(HMENU handle)
{
    auto it = Table().menus.find((uintptr_t)handle);
    return it == Table().menus.end() ? nullptr : it->second.get();
}

HMENU NewMenuLocked(bool popup)
{
    MenuTable& t = Table();
    uintptr_t h = t.next;
    while (t.menus.count(h))
        h += 4;
    t.next = h + 4 > kLastHandle ? kFirstHandle : h + 4;
    auto menu = std::make_unique<Menu>();
    menu->handle = (HMENU)h;
    menu->popup = popup;
    t.menus[h] = std::move(menu);
    return (HMENU)h;
}

void DestroyMenuLocked(HMENU handle)
{
    auto it = Table().menus.find((uintptr_t)handle);
    if (it == Table().menus.end())
        return;
    std::unique_ptr<Menu> menu = std::move(it->second);
    Table().menus.erase(it);
    for (const MenuItem& item : menu->items)
        if (item.sub)
            DestroyMenuLocked(item.sub);
}

namespace {

bool FindCommandLocked(Menu* menu, UINT id, int depth, Menu** found, size_t* index)
{
    if (!menu || depth > 32)
        return false;
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.sub) {
            if (FindCommandLocked(FindMenuLocked(item.sub), id, depth + 1, found, index))
                return true;
        } else if (item.id == id) {
            *found = menu;
            *index = i;
            return true;
        }
    }
    // A popup item may be named by its handle, as its id.
    for (size_t i = 0; i < menu->items.size(); ++i) {
        if (menu->items[i].sub && (UINT)(uintptr_t)menu->items[i].sub == id) {
            *found = menu;
            *index = i;
            return true;
        }
    }
    return false;
}

}  // namespace

bool LocateItemLocked(HMENU handle, UINT item, bool byPosition, Menu** menu, size_t* index)
{
    Menu* m = FindMenuLocked(handle);
    if (!m)
        return false;
    if (byPosition) {
        if (item >= m->items.size())
            return false;
        *menu = m;
        *index = item;
        return true;
    }
    return FindCommandLocked(m, item, 0, menu, index);
}

bool SnapshotMenu(HMENU handle, Menu& out)
{
    std::lock_guard<std::recursive_mutex> guard(MenuLock());
    Menu* m = FindMenuLocked(handle);
    if (!m)
        return false;
    out = *m;
    return true;
}

void StoreItemRects(HMENU handle, const std::vector<RECT>& rects)
{
    std::lock_guard<std::recursive_mutex> guard(MenuLock());
    Menu* m = FindMenuLocked(handle);
    if (!m)
        return;
    for (size_t i = 0; i < rects.size() && i < m->items.size(); ++i)
        m->items[i].rect = rects[i];
}

std::u16string LabelPart(const std::u16string& text)
{
    size_t tab = text.find(u'\t');
    return tab == std::u16string::npos ? text : text.substr(0, tab);
}

std::u16string AcceleratorPart(const std::u16string& text)
{
    size_t tab = text.rfind(u'\t');
    return tab == std::u16string::npos ? std::u16string() : text.substr(tab + 1);
}

char16_t LowerChar(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? (char16_t)(c - u'A' + u'a') : c;
}

char16_t MnemonicOf(const std::u16string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return LowerChar(text[i + 1]);
    }
    return 0;
}

}  // namespace mivo
