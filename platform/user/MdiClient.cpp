// "MDICLIENT": the window inside an MDI frame that holds the document
// children, activates, maximizes, arranges them and lists them in the
// frame's Window menu.
#include "win32.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const int kMostListedChildren = 9;
const int kCascadeStep = 24;

struct MdiClient {
    HMENU windowMenu = nullptr;
    UINT idFirstChild = 0;
    HWND active = nullptr;
    std::vector<HWND> children;  // in creation order: their Window-menu ids follow it
    bool activating = false;
    bool listed = false;          // the Window menu holds our separator and items
    HMENU barMenu = nullptr;      // the frame menu showing a maximized child's icon and buttons
    HWND barChild = nullptr;
};

MdiClient* StateOf(HWND client)
{
    return (MdiClient*)GetWindowLongPtr(client, 0);
}

bool IsOurChild(HWND client, HWND child)
{
    return child && IsWindow(child) && GetParent(child) == client;
}

// The Window menu ends with a separator and one item per child ("&1 title").
void RefreshWindowMenu(MdiClient& s)
{
    if (!s.windowMenu || !IsMenu(s.windowMenu))
        return;
    for (UINT i = 0; i < (UINT)kMostListedChildren + 1; ++i)
        DeleteMenu(s.windowMenu, s.idFirstChild + i, MF_BYCOMMAND);
    if (s.listed) {
        int last = GetMenuItemCount(s.windowMenu) - 1;
        if (last >= 0 && GetMenuItemID(s.windowMenu, last) == 0)
            DeleteMenu(s.windowMenu, (UINT)last, MF_BYPOSITION);
    }
    s.listed = false;
    if (s.children.empty())
        return;
    AppendMenu(s.windowMenu, MF_SEPARATOR, 0, nullptr);
    s.listed = true;
    int shown = 0;
    for (HWND child : s.children) {
        if (shown == kMostListedChildren)
            break;
        char title[256] = {};
        GetWindowText(child, title, sizeof(title));
        std::string item = "&" + std::to_string(shown + 1) + " " + title;
        UINT id = s.idFirstChild + (UINT)shown++;
        AppendMenu(s.windowMenu, MF_STRING, id, item.c_str());
        CheckMenuItem(s.windowMenu, id, MF_BYCOMMAND | (child == s.active ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool IsBarButton(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP | MIIM_ID;
    if (!GetMenuItemInfoW(menu, (UINT)position, TRUE, &info))
        return false;
    return info.hbmpItem == HBMMENU_MBAR_MINIMIZE || info.hbmpItem == HBMMENU_MBAR_RESTORE ||
           info.hbmpItem == HBMMENU_MBAR_CLOSE || info.hbmpItem == HBMMENU_MBAR_MINIMIZE_D ||
           info.hbmpItem == HBMMENU_MBAR_CLOSE_D;
}

// A maximized child shows its system menu (its icon) first in the frame's menu bar and its
// minimize, restore and close buttons at the bar's right end.
void RemoveBarItems(MdiClient& s)
{
    HMENU menu = s.barMenu;
    s.barMenu = nullptr;
    s.barChild = nullptr;
    if (!menu || !IsMenu(menu))
        return;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        if (IsBarButton(menu, i))
            RemoveMenu(menu, (UINT)i, MF_BYPOSITION);
    MENUITEMINFOW first = {};
    first.cbSize = sizeof(first);
    first.fMask = MIIM_BITMAP;
    if (GetMenuItemInfoW(menu, 0, TRUE, &first) && first.hbmpItem == HBMMENU_SYSTEM)
        RemoveMenu(menu, 0, MF_BYPOSITION);  // the popup is the child's system menu: kept
}

void AddBarButton(HMENU menu, UINT id, HBITMAP bitmap)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_ID;
    info.fType = MFT_RIGHTJUSTIFY;
    info.wID = id;
    info.hbmpItem = bitmap;
    InsertMenuItemW(menu, (UINT)GetMenuItemCount(menu), TRUE, &info);
}

void SyncBarItems(HWND client, MdiClient& s)
{
    HWND frame = GetParent(client);
    HMENU menu = frame ? GetMenu(frame) : nullptr;
    HWND child = s.active && IsWindow(s.active) && IsZoomed(s.active) ? s.active : nullptr;
    if (menu == s.barMenu && child == s.barChild && (!menu || IsMenu(menu)))
        return;
    RemoveBarItems(s);
    if (menu && child) {
        HMENU system = GetSystemMenu(child, FALSE);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP | MIIM_SUBMENU | MIIM_DATA | MIIM_ID;
        info.hbmpItem = HBMMENU_SYSTEM;
        info.hSubMenu = system;
        info.wID = (UINT)(uintptr_t)system;
        info.dwItemData = (ULONG_PTR)child;
        if (system)
            InsertMenuItemW(menu, 0, TRUE, &info);
        AddBarButton(menu, SC_MINIMIZE, HBMMENU_MBAR_MINIMIZE);
        AddBarButton(menu, SC_RESTORE, HBMMENU_MBAR_RESTORE);
        AddBarButton(menu, SC_CLOSE, HBMMENU_MBAR_CLOSE);
        s.barMenu = menu;
        s.barChild = child;
    }
    if (frame)
        DrawMenuBar(frame);
}

void Activate(HWND client, MdiClient& s, HWND child)
{
    if (child == s.active || s.activating || (child && !IsOurChild(client, child)))
        return;
    s.activating = true;
    HWND old = s.active;
    bool carryMaximized = old && IsZoomed(old) && child;
    s.active = child;
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
    }
    if (child) {
        if (carryMaximized) {
            ShowWindow(child, SW_SHOWMAXIMIZED);
            ShowWindow(old, SW_SHOWNOACTIVATE);
            ShowWindow(old, SW_RESTORE);
        }
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessage(child, WM_NCACTIVATE, TRUE, 0);
        SendMessage(child, WM_MDIACTIVATE, (WPARAM)old, (LPARAM)child);
        HWND root = GetAncestor(client, GA_ROOT);
        if (GetActiveWindow() == root) {
            HWND focus = GetFocus();
            if (focus != child && !IsChild(child, focus))
                SetFocus(child);
        }
    }
    s.activating = false;
    RefreshWindowMenu(s);
    SyncBarItems(client, s);
}

// The next child in z-order below `from` (or above it, for the previous one).
HWND NextChild(HWND client, HWND from, bool previous)
{
    std::vector<HWND> order;
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w) && IsWindowEnabled(w))
            order.push_back(w);
    if (order.size() < 2)
        return nullptr;
    auto it = std::find(order.begin(), order.end(), from);
    if (it == order.end())
        return order.front();
    if (previous)
        return order.back() == from ? order[order.size() - 2] : order.back();
    return *(it + 1 == order.end() ? order.begin() : it + 1);
}

HWND CreateChild(HWND client, MdiClient& s, const MDICREATESTRUCTA* mcs)
{
    if (!mcs)
        return nullptr;
    bool maximize = s.active && IsZoomed(s.active);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_CAPTION | WS_THICKFRAME |
                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX | (mcs->style & ~(WS_POPUP | WS_VISIBLE | WS_MAXIMIZE));
    RECT area;
    GetClientRect(client, &area);
    int index = (int)s.children.size() % 8;
    int x = mcs->x == CW_USEDEFAULT ? index * kCascadeStep : mcs->x;
    int y = mcs->y == CW_USEDEFAULT ? index * kCascadeStep : mcs->y;
    int cx = mcs->cx == CW_USEDEFAULT ? std::max(100, (int)(area.right * 3 / 4)) : mcs->cx;
    int cy = mcs->cy == CW_USEDEFAULT ? std::max(80, (int)(area.bottom * 3 / 4)) : mcs->cy;
    HWND child = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, client, nullptr,
                                (HINSTANCE)mcs->hOwner, (LPVOID)mcs);
    if (!child)
        return nullptr;
    s.children.push_back(child);
    ShowWindow(child, maximize || (mcs->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    Activate(client, s, child);
    return child;
}

void Forget(HWND client, MdiClient& s, HWND child)
{
    s.children.erase(std::remove(s.children.begin(), s.children.end(), child), s.children.end());
    if (s.active == child) {
        // The next child takes over (maximized if this one was); the last one
        // hears that nothing replaces it, so its frame can put back its own menu.
        HWND next = NextChild(client, child, false);
        if (next && next != child) {
            Activate(client, s, next);
        } else {
            s.active = nullptr;
            if (IsWindow(child)) {
                SendMessage(child, WM_NCACTIVATE, FALSE, 0);
                SendMessage(child, WM_MDIACTIVATE, (WPARAM)child, 0);
            }
        }
    }
    RefreshWindowMenu(s);
    SyncBarItems(client, s);
}

void Cascade(HWND client, MdiClient& s)
{
    RECT area;
    GetClientRect(client, &area);
    int i = 0;
    for (auto it = s.children.begin(); it != s.children.end(); ++it) {
        if (IsIconic(*it) || !IsWindowVisible(*it))
            continue;
        if (IsZoomed(*it))
            ShowWindow(*it, SW_RESTORE);
        int offset = (i++ % 8) * kCascadeStep;
        SetWindowPos(*it, nullptr, offset, offset, area.right * 3 / 4, area.bottom * 3 / 4,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Tile(HWND client, MdiClient& s, bool horizontal)
{
    std::vector<HWND> shown;
    for (HWND w : s.children)
        if (IsWindowVisible(w) && !IsIconic(w))
            shown.push_back(w);
    if (shown.empty())
        return;
    RECT area;
    GetClientRect(client, &area);
    int n = (int)shown.size();
    for (int i = 0; i < n; ++i) {
        if (IsZoomed(shown[i]))
            ShowWindow(shown[i], SW_RESTORE);
        RECT r = area;
        if (horizontal) {
            r.top = area.bottom * i / n;
            r.bottom = area.bottom * (i + 1) / n;
        } else {
            r.left = area.right * i / n;
            r.right = area.right * (i + 1) / n;
        }
        SetWindowPos(shown[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ArrangeIcons(HWND client, MdiClient& s)
{
    RECT area;
    GetClientRect(client, &area);
    int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    int x = 0, y = area.bottom - cy;
    for (HWND w : s.children) {
        if (!IsIconic(w))
            continue;
        SetWindowPos(w, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += cx;
        if (x + cx > area.right) {
            x = 0;
            y -= cy;
        }
    }
}

LRESULT SetMenus(HWND client, MdiClient& s, HMENU frameMenu, HMENU windowMenu)
{
    HWND frame = GetParent(client);
    HMENU old = frame ? GetMenu(frame) : nullptr;
    if (frameMenu && frame && frameMenu != old) {
        RemoveBarItems(s);
        SetMenu(frame, frameMenu);
    }
    if (windowMenu && windowMenu != s.windowMenu) {
        // The list moves to the new Window menu.
        std::vector<HWND> keep = s.children;
        s.children.clear();
        RefreshWindowMenu(s);
        s.children = keep;
        s.windowMenu = windowMenu;
    }
    RefreshWindowMenu(s);
    SyncBarItems(client, s);
    return (LRESULT)old;
}

LRESULT CALLBACK MdiClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MdiClient* s = StateOf(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new MdiClient;
        auto* cs = (const CREATESTRUCTA*)lParam;
        if (cs && cs->lpCreateParams) {
            auto* ccs = (const CLIENTCREATESTRUCT*)cs->lpCreateParams;
            state->windowMenu = (HMENU)ccs->hWindowMenu;
            state->idFirstChild = ccs->idFirstChild;
        }
        SetWindowLongPtr(hwnd, 0, (LONG_PTR)state);
        break;
    }
    case WM_NCDESTROY:
        if (s)
            RemoveBarItems(*s);
        delete s;
        SetWindowLongPtr(hwnd, 0, 0);
        break;
    case WM_MDICREATE:
        return s ? (LRESULT)CreateChild(hwnd, *s, (const MDICREATESTRUCTA*)lParam) : 0;
    case WM_MDIDESTROY:
        if (s && IsOurChild(hwnd, (HWND)wParam)) {
            HWND child = (HWND)wParam;
            Forget(hwnd, *s, child);
            DestroyWindow(child);
        }
        return 0;
    case WM_PARENTNOTIFY:
        if (s && LOWORD(wParam) == WM_DESTROY)
            Forget(hwnd, *s, (HWND)lParam);
        return 0;
    case WM_MDIACTIVATE:
        if (s)
            Activate(hwnd, *s, (HWND)wParam);
        return 0;
    case WM_MDIGETACTIVE:
        if (lParam)
            *(BOOL*)lParam = s && s->active && IsZoomed(s->active);
        return s ? (LRESULT)s->active : 0;
    case WM_MDIMAXIMIZE:
        if (s && IsOurChild(hwnd, (HWND)wParam)) {
            ShowWindow((HWND)wParam, SW_SHOWMAXIMIZED);
            SyncBarItems(hwnd, *s);
        }
        return 0;
    case WM_MDIRESTORE:
        if (s && IsOurChild(hwnd, (HWND)wParam)) {
            ShowWindow((HWND)wParam, SW_RESTORE);
            SyncBarItems(hwnd, *s);
        }
        return 0;
    case WM_MDINEXT:
        if (s) {
            HWND from = wParam ? (HWND)wParam : s->active;
            HWND next = NextChild(hwnd, from, lParam != 0);
            if (next) {
                bool maximized = from && IsZoomed(from);
                Activate(hwnd, *s, next);
                // The one left goes to the bottom, so repeated presses visit every child.
                if (!lParam && from && !maximized)
                    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        return 0;
    case WM_MDICASCADE:
        if (s)
            Cascade(hwnd, *s);
        return TRUE;
    case WM_MDITILE:
        if (s)
            Tile(hwnd, *s, (wParam & MDITILE_HORIZONTAL) != 0);
        return TRUE;
    case WM_MDIICONARRANGE:
        if (s)
            ArrangeIcons(hwnd, *s);
        return 0;
    case WM_MDISETMENU:
        return s ? SetMenus(hwnd, *s, (HMENU)wParam, (HMENU)lParam) : 0;
    case WM_MDIREFRESHMENU:
        if (s)
            RefreshWindowMenu(*s);
        return s ? (LRESULT)GetMenu(GetParent(hwnd)) : 0;
    case WM_SETFOCUS:
        if (s && s->active && IsWindow(s->active))
            SetFocus(s->active);
        return 0;
    case WM_SIZE:
        // A maximized child keeps filling the client.
        if (s && s->active && IsZoomed(s->active)) {
            ShowWindow(s->active, SW_RESTORE);
            ShowWindow(s->active, SW_SHOWMAXIMIZED);
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct MdiClientRegistrar {
    MdiClientRegistrar()
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = MdiClientProc;
        wc.cbWndExtra = (int)sizeof(LONG_PTR);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = MDICLIENT_CLASS;
        RegisterClassEx(&wc);
    }
};

MdiClientRegistrar registrar;

}  // namespace

// Child ids from the Window menu activate that child; the frame's focus goes to the client.
LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    MdiClient* s = hWndMDIClient ? StateOf(hWndMDIClient) : nullptr;
    switch (uMsg) {
    case WM_COMMAND:
        if (s && HIWORD(wParam) == 0 && LOWORD(wParam) >= s->idFirstChild &&
            LOWORD(wParam) < s->idFirstChild + (UINT)kMostListedChildren) {
            size_t index = LOWORD(wParam) - s->idFirstChild;
            if (index < s->children.size()) {
                HWND child = s->children[index];
                if (IsIconic(child))
                    ShowWindow(child, SW_RESTORE);
                SendMessage(hWndMDIClient, WM_MDIACTIVATE, (WPARAM)child, 0);
                return 0;
            }
        }
        // The maximized child's buttons in the frame's menu bar.
        if (s && HIWORD(wParam) == 0 && LOWORD(wParam) >= 0xF000 && s->active && IsZoomed(s->active)) {
            SendMessage(s->active, WM_SYSCOMMAND, LOWORD(wParam), 0);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (hWndMDIClient && IsWindow(hWndMDIClient))
            SetFocus(hWndMDIClient);
        return 0;
    case WM_SIZE:
        if (hWndMDIClient && IsWindow(hWndMDIClient))
            MoveWindow(hWndMDIClient, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    HWND client = GetParent(hWnd);
    switch (uMsg) {
    case WM_MOUSEACTIVATE:
        if (client)
            SendMessage(client, WM_MDIACTIVATE, (WPARAM)hWnd, 0);
        return MA_ACTIVATE;
    case WM_CHILDACTIVATE:
        if (client)
            SendMessage(client, WM_MDIACTIVATE, (WPARAM)hWnd, 0);
        return 0;
    case WM_SETFOCUS:
        if (client && StateOf(client) && StateOf(client)->active != hWnd)
            SendMessage(client, WM_MDIACTIVATE, (WPARAM)hWnd, 0);
        break;
    case WM_CLOSE:
        if (client)
            SendMessage(client, WM_MDIDESTROY, (WPARAM)hWnd, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
            if (client)
                SendMessage(client, WM_MDIMAXIMIZE, (WPARAM)hWnd, 0);
            return 0;
        case SC_RESTORE:
            if (client)
                SendMessage(client, WM_MDIRESTORE, (WPARAM)hWnd, 0);
            return 0;
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
            if (client)
                SendMessage(client, WM_MDINEXT, 0, (wParam & 0xFFF0) == SC_PREVWINDOW);
            return 0;
        default:
            break;
        }
        break;
    case WM_SIZE:
        if (MdiClient* s = client ? StateOf(client) : nullptr)
            SyncBarItems(client, *s);
        break;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProc(hWnd, uMsg, wParam, lParam);
        if (MdiClient* s = client ? StateOf(client) : nullptr)
            RefreshWindowMenu(*s);
        return r;
    }
    default:
        break;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg)
{
    if (!lpMsg || !hWndClient || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    if (!(GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    MdiClient* s = StateOf(hWndClient);
    if (!s || !s->active)
        return FALSE;
    switch (lpMsg->wParam) {
    case VK_F6:
        SendMessage(hWndClient, WM_MDINEXT, 0, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return TRUE;
    case VK_F4:
        SendMessage(s->active, WM_SYSCOMMAND, SC_CLOSE, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
