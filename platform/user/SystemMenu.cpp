// Window system menus: one copy per window, made when first asked for.
#include "user/MenuDraw.h"
#include "mivo/codepage.h"
#include "win32/messages.h"
#include "win32/user.h"

#include <map>

using namespace mivo;

namespace {

typedef std::lock_guard<std::recursive_mutex> MenuGuard;

std::map<HWND, HMENU>& SystemMenus()
{
    static auto* menus = new std::map<HWND, HMENU>;
    return *menus;
}

void AddCommand(HMENU menu, UINT id, const char16_t* text)
{
    MenuItem item;
    item.id = id;
    item.text = text;
    if (Menu* m = FindMenuLocked(menu))
        m->items.push_back(item);
}

void AddSeparator(HMENU menu)
{
    MenuItem item;
    item.type = MFT_SEPARATOR;
    if (Menu* m = FindMenuLocked(menu))
        m->items.push_back(item);
}

HMENU MakeSystemMenuLocked(bool mdiChild)
{
    HMENU menu = NewMenuLocked(true);
    FindMenuLocked(menu)->system = true;
    AddCommand(menu, SC_RESTORE, u"이전 크기로(&R)");
    AddCommand(menu, SC_MOVE, u"이동(&M)");
    AddCommand(menu, SC_SIZE, u"크기 조정(&S)");
    AddCommand(menu, SC_MINIMIZE, u"최소화(&N)");
    AddCommand(menu, SC_MAXIMIZE, u"최대화(&X)");
    AddSeparator(menu);
    AddCommand(menu, SC_CLOSE, mdiChild ? u"닫기(&C)\tCtrl+F4" : u"닫기(&C)\tAlt+F4");
    if (mdiChild) {
        AddSeparator(menu);
        AddCommand(menu, SC_NEXTWINDOW, u"다음(&T)\tCtrl+F6");
    }
    return menu;
}

void SetGrayed(Menu& menu, UINT id, bool grayed)
{
    for (MenuItem& item : menu.items)
        if (item.id == id && !item.sub)
            item.state = grayed ? (item.state | MFS_GRAYED) : (item.state & ~MFS_GRAYED);
}

}  // namespace

namespace mivo {

HMENU SystemMenuOf(HWND hwnd)
{
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    if (!IsWindow(hwnd) || !(style & WS_SYSMENU))
        return nullptr;
    bool mdiChild = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    MenuGuard guard(MenuLock());
    HMENU& slot = SystemMenus()[hwnd];
    if (!slot || !FindMenuLocked(slot))
        slot = MakeSystemMenuLocked(mdiChild);
    return slot;
}

void UpdateSystemMenuStates(HWND hwnd, HMENU handle)
{
    DWORD style = (DWORD)GetWindowLongPtr(hwnd, GWL_STYLE);
    bool maximized = (style & WS_MAXIMIZE) != 0, minimized = (style & WS_MINIMIZE) != 0;
    bool sizable = (style & WS_THICKFRAME) != 0;
    MenuGuard guard(MenuLock());
    Menu* menu = FindMenuLocked(handle);
    if (!menu)
        return;
    SetGrayed(*menu, SC_RESTORE, !maximized && !minimized);
    SetGrayed(*menu, SC_MOVE, maximized);
    SetGrayed(*menu, SC_SIZE, !sizable || maximized || minimized);
    SetGrayed(*menu, SC_MINIMIZE, !(style & WS_MINIMIZEBOX) || minimized);
    SetGrayed(*menu, SC_MAXIMIZE, !(style & WS_MAXIMIZEBOX) || maximized);
}

void ForgetWindowMenus(HWND hwnd, HMENU bar)
{
    MenuGuard guard(MenuLock());
    auto it = SystemMenus().find(hwnd);
    if (it != SystemMenus().end()) {
        DestroyMenuLocked(it->second);
        SystemMenus().erase(it);
    }
    if (bar)
        DestroyMenuLocked(bar);
}

}  // namespace mivo

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    if (bRevert) {
        MenuGuard guard(MenuLock());
        auto it = SystemMenus().find(hWnd);
        if (it != SystemMenus().end()) {
            DestroyMenuLocked(it->second);
            SystemMenus().erase(it);
        }
        return nullptr;
    }
    return SystemMenuOf(hWnd);
}

namespace mivo {

HWND SystemMenuOwner(HMENU menu)
{
    MenuGuard guard(MenuLock());
    for (auto& e : SystemMenus())
        if (e.second == menu)
            return e.first;
    return nullptr;
}

}  // namespace mivo
