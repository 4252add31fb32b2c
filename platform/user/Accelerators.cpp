// Accelerator tables and TranslateAccelerator. A key whose command is a
// disabled item of the window's menu sends nothing; the menu's owner gets
// WM_INITMENU and WM_INITMENUPOPUP first, so it can bring the states up to date.
#include "user/MenuObjects.h"
#include "mivo/resources.h"
#include "win32/errors.h"
#include "win32/input.h"
#include "win32/messages.h"
#include "win32/user.h"

#include <map>
#include <string>

using namespace mivo;

namespace {

const uintptr_t kFirstAccel = 0x00D00004;

struct AccelTables {
    std::mutex lock;
    std::map<uintptr_t, std::vector<ACCEL>> tables;
    std::map<std::pair<HMODULE, std::string>, HACCEL> loaded;
    uintptr_t next = kFirstAccel;
};

AccelTables& Tables()
{
    static auto* t = new AccelTables;
    return *t;
}

HACCEL NewTable(const std::vector<ACCEL>& entries)
{
    AccelTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    uintptr_t h = t.next;
    while (t.tables.count(h))
        h += 4;
    t.next = h + 4 > 0x7FFFFFF0 ? kFirstAccel : h + 4;
    t.tables[h] = entries;
    return (HACCEL)h;
}

bool EntriesOf(HACCEL table, std::vector<ACCEL>& out)
{
    AccelTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.tables.find((uintptr_t)table);
    if (it == t.tables.end())
        return false;
    out = it->second;
    return true;
}

std::string NameKey(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string((uintptr_t)name) : std::string(name ? name : "");
}

bool Held(int vk)
{
    return GetKeyState(vk) < 0;
}

bool Matches(const ACCEL& a, const MSG& m)
{
    bool keyMessage = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    bool charMessage = m.message == WM_CHAR || m.message == WM_SYSCHAR;
    if (a.fVirt & FVIRTKEY) {
        if (!keyMessage || a.key != (WORD)m.wParam)
            return false;
        bool alt = m.message == WM_SYSKEYDOWN ? (m.lParam & (1 << 29)) != 0 : Held(VK_MENU);
        return ((a.fVirt & FSHIFT) != 0) == Held(VK_SHIFT) && ((a.fVirt & FCONTROL) != 0) == Held(VK_CONTROL) &&
               ((a.fVirt & FALT) != 0) == alt;
    }
    if (!charMessage || a.key != (WORD)(m.wParam & 0xFFFF))
        return false;
    bool alt = (m.lParam & (1 << 29)) != 0;
    return ((a.fVirt & FALT) != 0) == alt;
}

// The popup of `bar` (or the bar) that holds `id`, with the popup's place in its parent.
bool PopupHolding(HMENU bar, UINT id, HMENU* popup, int* position, HMENU* parent)
{
    std::lock_guard<std::recursive_mutex> guard(MenuLock());
    Menu* menu = nullptr;
    size_t index = 0;
    if (!LocateItemLocked(bar, id, false, &menu, &index))
        return false;
    *popup = menu->handle;
    *position = 0;
    *parent = nullptr;
    // Find the popup's place among its parent's items.
    std::vector<HMENU> stack{bar};
    while (!stack.empty()) {
        Menu* m = FindMenuLocked(stack.back());
        stack.pop_back();
        if (!m)
            continue;
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (m->items[i].sub == menu->handle) {
                *position = (int)i;
                *parent = m->handle;
                return true;
            }
            if (m->items[i].sub)
                stack.push_back(m->items[i].sub);
        }
    }
    return true;
}

// Whether the command may be sent: not a disabled item of the window's menu.
bool CommandEnabled(HWND hwnd, UINT id)
{
    HMENU bar = GetMenu(hwnd);
    if (!bar)
        return true;
    HMENU popup = nullptr, parent = nullptr;
    int position = 0;
    if (!PopupHolding(bar, id, &popup, &position, &parent))
        return true;
    SendMessage(hwnd, WM_INITMENU, (WPARAM)bar, 0);
    if (popup != bar)
        SendMessage(hwnd, WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(position, FALSE));
    UINT state = GetMenuState(bar, id, MF_BYCOMMAND);
    return state == (UINT)-1 || !(state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel)
{
    if (!paccel || cAccel <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewTable(std::vector<ACCEL>(paccel, paccel + cAccel));
}

HACCEL CreateAcceleratorTableA(LPACCEL paccel, int cAccel)
{
    return CreateAcceleratorTable(paccel, cAccel);
}

BOOL DestroyAcceleratorTable(HACCEL hAccel)
{
    AccelTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    for (auto it = t.loaded.begin(); it != t.loaded.end(); ++it)
        if (it->second == hAccel)
            return FALSE;  // tables loaded from resources live as long as the process
    return t.tables.erase((uintptr_t)hAccel) ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries)
{
    std::vector<ACCEL> entries;
    if (!EntriesOf(hAccelSrc, entries))
        return 0;
    if (!lpAccelDst)
        return (int)entries.size();
    int n = std::min((int)entries.size(), std::max(cAccelEntries, 0));
    for (int i = 0; i < n; ++i)
        lpAccelDst[i] = entries[(size_t)i];
    return n;
}

int CopyAcceleratorTableA(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries)
{
    return CopyAcceleratorTable(hAccelSrc, lpAccelDst, cAccelEntries);
}

HACCEL LoadAccelerators(HINSTANCE hInstance, LPCSTR lpTableName)
{
    auto key = std::make_pair((HMODULE)hInstance, NameKey(lpTableName));
    {
        AccelTables& t = Tables();
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.loaded.find(key);
        if (it != t.loaded.end())
            return it->second;
    }
    std::vector<ACCEL> entries;
    if (!LoadAcceleratorEntries(hInstance, lpTableName, entries) &&
        (!hInstance || !LoadAcceleratorEntries(nullptr, lpTableName, entries)))
        return nullptr;
    HACCEL table = NewTable(entries);
    AccelTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    t.loaded[key] = table;
    return table;
}

HACCEL LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName)
{
    return LoadAccelerators(hInstance, lpTableName);
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    if (!lpMsg || !IsWindow(hWnd))
        return 0;
    UINT msg = lpMsg->message;
    if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN && msg != WM_CHAR && msg != WM_SYSCHAR)
        return 0;
    std::vector<ACCEL> entries;
    if (!EntriesOf(hAccTable, entries))
        return 0;
    for (const ACCEL& a : entries) {
        if (!Matches(a, *lpMsg))
            continue;
        // A disabled window or menu command eats the key without a command.
        if (IsWindowEnabled(hWnd) && CommandEnabled(hWnd, a.cmd))
            SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}

int TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    return TranslateAccelerator(hWnd, hAccTable, lpMsg);
}
