// The modal menu loop: popup windows, the menu bar in keyboard and mouse
// modes, nested popups, mnemonics and WM_MENUCHAR, and the notifications the
// owner hears. Messages that are not input keep flowing while it runs.
#include "user/MenuDraw.h"
#include "user/MenuTracking.h"
#include "user/NonClient.h"
#include "win32/rect.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/messages.h"
#include "win32/msgbox.h"
#include "win32/user.h"
#include "win32/usersys.h"

#include <algorithm>

namespace mivo {

namespace {

const char kPopupClass[] = "#32768";
const int kSubmenuOverlap = 3;

struct PopupView {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    SIZE size = {0, 0};
    int selected = -1;
};

struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;
    PopupView* view = nullptr;
    RECT screen = {0, 0, 0, 0};
};

struct Tracker {
    HWND owner = nullptr;
    UINT flags = 0;
    bool notify = true;
    bool popupMode = false;  // TrackPopupMenu, not the menu bar
    HMENU bar = nullptr;
    int barSelected = -1;
    bool barOpen = false;
    std::vector<Level> levels;
    bool done = false;
    UINT command = 0;
    HWND commandTarget = nullptr;  // a system menu's window: the command is a WM_SYSCOMMAND
    bool buttonDown = false;
    bool ownerGone = false;
    UINT_PTR showTimer = 0;  // opens the hovered item's submenu after the menu show delay
};

thread_local Tracker* g_tracker = nullptr;

// --- the popup window

PopupView* ViewOf(HWND hwnd)
{
    return (PopupView*)GetWindowLongPtr(hwnd, 0);
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = (const CREATESTRUCTA*)lParam;
        SetWindowLongPtr(hwnd, 0, (LONG_PTR)(cs ? cs->lpCreateParams : nullptr));
        break;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PopupView* view = ViewOf(hwnd);
        Menu menu;
        if (dc && view && SnapshotMenu(view->menu, menu)) {
            DrawPopupFrame(dc, view->size);
            for (size_t i = 0; i < menu.items.size(); ++i)
                DrawPopupItem(dc, view->owner, view->menu, menu.items[i], (int)i == view->selected,
                              ODA_DRAWENTIRE);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct PopupClassRegistrar {
    PopupClassRegistrar()
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS;
        wc.lpfnWndProc = PopupProc;
        wc.cbWndExtra = (int)sizeof(LONG_PTR);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_MENU + 1);
        wc.lpszClassName = kPopupClass;
        RegisterClassEx(&wc);
    }
};
PopupClassRegistrar popupClass;

// --- notifications

bool Notify(const Tracker& t)
{
    return t.notify && IsWindow(t.owner);
}

bool IsSystem(HMENU menu)
{
    return SystemMenuOwner(menu) != nullptr;
}

void SendMenuSelect(Tracker& t, HMENU menu, int index, bool mouse)
{
    if (!Notify(t))
        return;
    Menu m;
    if (index < 0 || !SnapshotMenu(menu, m) || (size_t)index >= m.items.size()) {
        SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(0, 0), (LPARAM)menu);
        return;
    }
    const MenuItem& item = m.items[(size_t)index];
    UINT flags = (item.type | item.state | MF_HILITE) & 0xFFFF;
    if (mouse)
        flags |= MF_MOUSESELECT;
    if (item.sub)
        flags |= MF_POPUP;
    if (m.system)
        flags |= MF_SYSMENU;
    UINT id = item.sub ? (UINT)index : item.id;
    SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(id, flags), (LPARAM)menu);
}

// --- popups

RECT ScreenRect()
{
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Overlaps(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where a popup of `size` goes for a point and the TPM_ flags: aligned, kept off
// `exclude`, flipped back onto the screen at its edges.
POINT PlacePopup(POINT at, SIZE size, UINT flags, const RECT* exclude)
{
    RECT screen = ScreenRect();
    int x = at.x, y = at.y;
    if (flags & TPM_CENTERALIGN)
        x -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        x -= size.cx;
    if (flags & TPM_VCENTERALIGN)
        y -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN)
        y -= size.cy;
    if (x + size.cx > screen.right)
        x = (flags & (TPM_RIGHTALIGN | TPM_CENTERALIGN)) ? screen.right - size.cx : at.x - size.cx;
    if (x < screen.left)
        x = screen.left;
    if (y + size.cy > screen.bottom)
        y = (flags & (TPM_BOTTOMALIGN | TPM_VCENTERALIGN)) ? screen.bottom - size.cy : at.y - size.cy;
    if (y < screen.top)
        y = screen.top;
    if (exclude) {
        RECT r{x, y, x + size.cx, y + size.cy};
        if (Overlaps(r, *exclude)) {
            if (flags & TPM_VERTICAL) {
                y = exclude->bottom + size.cy <= screen.bottom ? exclude->bottom : exclude->top - size.cy;
            } else {
                x = exclude->right + size.cx <= screen.right ? exclude->right : exclude->left - size.cx;
            }
        }
    }
    return POINT{x, y};
}

void InitPopup(Tracker& t, HMENU menu, int indexInParent)
{
    HWND sysOwner = SystemMenuOwner(menu);
    if (sysOwner)
        UpdateSystemMenuStates(sysOwner, menu);
    if (Notify(t))
        SendMessage(t.owner, WM_INITMENUPOPUP, (WPARAM)menu, MAKELPARAM(indexInParent, sysOwner ? TRUE : FALSE));
}

void OpenPopup(Tracker& t, HMENU menu, int indexInParent, POINT at, UINT flags, const RECT* exclude)
{
    InitPopup(t, menu, indexInParent);
    if (t.done || !IsMenu(menu))
        return;
    auto* view = new PopupView;
    view->menu = menu;
    view->owner = t.owner;
    PopupGeometry g = LayOutPopup(t.owner, menu);
    view->size = g.size;
    POINT p = PlacePopup(at, g.size, flags, exclude);
    HWND w = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, "", WS_POPUP, p.x, p.y,
                            g.size.cx, g.size.cy, t.owner, nullptr, nullptr, view);
    if (!w) {
        delete view;
        return;
    }
    Level level;
    level.menu = menu;
    level.window = w;
    level.view = view;
    level.screen = RECT{p.x, p.y, p.x + g.size.cx, p.y + g.size.cy};
    t.levels.push_back(level);
    SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(w);
}

void ClosePopupsAbove(Tracker& t, size_t keep)
{
    while (t.levels.size() > keep) {
        Level level = t.levels.back();
        t.levels.pop_back();
        if (IsWindow(level.window))
            DestroyWindow(level.window);
        delete level.view;
        if (Notify(t))
            SendMessage(t.owner, WM_UNINITMENUPOPUP, (WPARAM)level.menu, MAKELPARAM(0, IsSystem(level.menu)));
    }
}

// Redraws two items of a popup as the selection moves.
void RedrawItem(Level& level, int index, bool selected)
{
    Menu menu;
    if (index < 0 || !SnapshotMenu(level.menu, menu) || (size_t)index >= menu.items.size())
        return;
    HDC dc = GetDC(level.window);
    if (!dc)
        return;
    DrawPopupItem(dc, level.view->owner, level.menu, menu.items[(size_t)index], selected, ODA_SELECT);
    ReleaseDC(level.window, dc);
}

void StopShowTimer(Tracker& t)
{
    if (t.showTimer)
        KillTimer(nullptr, t.showTimer);
    t.showTimer = 0;
}

void SelectInLevel(Tracker& t, size_t levelIndex, int index, bool mouse)
{
    Level& level = t.levels[levelIndex];
    if (level.view->selected == index)
        return;
    StopShowTimer(t);
    ClosePopupsAbove(t, levelIndex + 1);
    int old = level.view->selected;
    level.view->selected = index;
    RedrawItem(level, old, false);
    RedrawItem(level, index, true);
    if (index >= 0)
        SendMenuSelect(t, level.menu, index, mouse);
}

bool ItemAt(HMENU handle, int index, MenuItem& out)
{
    Menu menu;
    if (index < 0 || !SnapshotMenu(handle, menu) || (size_t)index >= menu.items.size())
        return false;
    out = menu.items[(size_t)index];
    return true;
}

// Opens the popup of the selected item of the top level; `selectFirst` for the keyboard.
void OpenSubmenu(Tracker& t, bool selectFirst);

// --- the menu bar

void SelectBarItem(Tracker& t, int index, bool open, bool mouse);

void OpenBarPopup(Tracker& t, bool selectFirst)
{
    MenuItem item;
    if (!ItemAt(t.bar, t.barSelected, item) || !item.sub || item.Disabled())
        return;
    RECT r;
    if (!MenuBarItemRect(t.owner, t.barSelected, &r))
        return;
    t.barOpen = true;
    SetBarHighlight(t.owner, t.barSelected, BarItemLook::Open);
    OpenPopup(t, item.sub, t.barSelected, POINT{r.left, r.bottom}, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, &r);
    if (selectFirst && !t.levels.empty()) {
        Menu menu;
        if (SnapshotMenu(t.levels.back().menu, menu))
            for (size_t i = 0; i < menu.items.size(); ++i)
                if (!menu.items[i].Separator()) {
                    SelectInLevel(t, t.levels.size() - 1, (int)i, false);
                    break;
                }
    }
}

void SelectBarItem(Tracker& t, int index, bool open, bool mouse)
{
    if (index == t.barSelected && (open == t.barOpen))
        return;
    ClosePopupsAbove(t, 0);
    t.barSelected = index;
    t.barOpen = false;
    SetBarHighlight(t.owner, index, BarItemLook::Hot);
    if (index >= 0)
        SendMenuSelect(t, t.bar, index, mouse);
    if (open)
        OpenBarPopup(t, !mouse);
}

// --- choosing

void Finish(Tracker& t, UINT command, HWND target)
{
    t.command = command;
    t.commandTarget = target;
    t.done = true;
}

// Carries out item `index` of `menu`: a popup opens, a command ends the loop.
void Execute(Tracker& t, size_t levelIndex, int index, bool keyboard)
{
    HMENU handle = levelIndex < t.levels.size() ? t.levels[levelIndex].menu : t.bar;
    MenuItem item;
    if (!ItemAt(handle, index, item) || item.Separator())
        return;
    if (item.sub) {
        if (levelIndex >= t.levels.size()) {
            SelectBarItem(t, index, true, !keyboard);
            if (!t.barOpen)
                OpenBarPopup(t, keyboard);
        } else {
            SelectInLevel(t, levelIndex, index, !keyboard);
            OpenSubmenu(t, keyboard);
        }
        return;
    }
    if (item.Disabled())
        return;
    Finish(t, item.id, SystemMenuOwner(handle));
}

void OpenSubmenu(Tracker& t, bool selectFirst)
{
    if (t.levels.empty())
        return;
    size_t top = t.levels.size() - 1;
    Level level = t.levels[top];
    MenuItem item;
    if (!ItemAt(level.menu, level.view->selected, item) || !item.sub || item.Disabled())
        return;
    ClosePopupsAbove(t, top + 1);
    RECT r = item.rect;
    OffsetRect(&r, level.screen.left, level.screen.top);
    RECT parent = level.screen;
    RECT exclude{parent.left + kSubmenuOverlap, r.top, parent.right - kSubmenuOverlap, r.bottom};
    OpenPopup(t, item.sub, level.view->selected, POINT{parent.right - kSubmenuOverlap, r.top - kPopupBorder},
              TPM_LEFTALIGN | TPM_TOPALIGN, &exclude);
    if (selectFirst && t.levels.size() > top + 1) {
        Menu menu;
        if (SnapshotMenu(item.sub, menu))
            for (size_t i = 0; i < menu.items.size(); ++i)
                if (!menu.items[i].Separator()) {
                    SelectInLevel(t, top + 1, (int)i, false);
                    break;
                }
    }
}

// --- keyboard

int NextSelectable(const Menu& menu, int from, int step)
{
    int n = (int)menu.items.size();
    int i = from < 0 ? (step > 0 ? -1 : n) : from;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        if (!menu.items[(size_t)i].Separator())
            return i;
    }
    return -1;
}

void MoveInTop(Tracker& t, int step)
{
    size_t top = t.levels.size() - 1;
    Menu menu;
    if (!SnapshotMenu(t.levels[top].menu, menu))
        return;
    int next = NextSelectable(menu, t.levels[top].view->selected, step);
    if (next >= 0)
        SelectInLevel(t, top, next, false);
}

void MoveOnBar(Tracker& t, int step)
{
    Menu bar;
    if (!SnapshotMenu(t.bar, bar))
        return;
    int next = NextSelectable(bar, t.barSelected, step);
    if (next >= 0)
        SelectBarItem(t, next, t.barOpen, false);
}

// A typed character: the item with that mnemonic, else the owner's WM_MENUCHAR answer.
void Mnemonic(Tracker& t, char16_t ch)
{
    bool onBar = t.levels.empty();
    size_t levelIndex = onBar ? t.levels.size() : t.levels.size() - 1;
    HMENU handle = onBar ? t.bar : t.levels.back().menu;
    Menu menu;
    if (!handle || !SnapshotMenu(handle, menu))
        return;
    char16_t key = LowerChar(ch);
    std::vector<int> matches;
    for (size_t i = 0; i < menu.items.size(); ++i)
        if (!menu.items[i].OwnerDraw() && MnemonicOf(menu.items[i].text) == key && key)
            matches.push_back((int)i);
    if (matches.size() == 1) {
        Execute(t, levelIndex, matches[0], true);
        return;
    }
    int current = onBar ? t.barSelected : t.levels.back().view->selected;
    if (matches.size() > 1) {
        // Several items share the mnemonic: each press selects the next.
        int next = matches[0];
        for (int m : matches)
            if (m > current) {
                next = m;
                break;
            }
        if (onBar)
            SelectBarItem(t, next, false, false);
        else
            SelectInLevel(t, levelIndex, next, false);
        return;
    }
    UINT flags = onBar ? 0 : MF_POPUP;
    if (menu.system)
        flags |= MF_SYSMENU;
    LRESULT answer = IsWindow(t.owner) ? SendMessage(t.owner, WM_MENUCHAR, MAKEWPARAM(ch, flags), (LPARAM)handle) : 0;
    int index = (int)(short)LOWORD(answer);
    switch (HIWORD(answer)) {
    case MNC_EXECUTE:
        Execute(t, levelIndex, index, true);
        break;
    case MNC_SELECT:
        if (index >= 0 && (size_t)index < menu.items.size()) {
            if (onBar)
                SelectBarItem(t, index, false, false);
            else
                SelectInLevel(t, levelIndex, index, false);
        }
        break;
    case MNC_CLOSE:
        Finish(t, 0, nullptr);
        break;
    default:
        MessageBeep(0);
        break;
    }
}

void KeyDown(Tracker& t, UINT vk)
{
    bool onBar = t.levels.empty();
    switch (vk) {
    case VK_ESCAPE:
        if (t.popupMode) {
            if (t.levels.size() > 1)
                ClosePopupsAbove(t, t.levels.size() - 1);
            else
                Finish(t, 0, nullptr);
        } else if (t.levels.size() > 1) {
            ClosePopupsAbove(t, t.levels.size() - 1);
        } else if (!onBar) {
            ClosePopupsAbove(t, 0);
            t.barOpen = false;
            SetBarHighlight(t.owner, t.barSelected, BarItemLook::Hot);
        } else {
            Finish(t, 0, nullptr);
        }
        break;
    case VK_MENU:
    case VK_F10:
        Finish(t, 0, nullptr);
        break;
    case VK_UP:
    case VK_DOWN:
        if (onBar)
            OpenBarPopup(t, true);
        else
            MoveInTop(t, vk == VK_DOWN ? 1 : -1);
        break;
    case VK_LEFT:
        if (t.levels.size() > 1)
            ClosePopupsAbove(t, t.levels.size() - 1);
        else if (t.bar)
            MoveOnBar(t, -1);
        break;
    case VK_RIGHT: {
        MenuItem item;
        if (!onBar && ItemAt(t.levels.back().menu, t.levels.back().view->selected, item) && item.sub)
            OpenSubmenu(t, true);
        else if (t.bar)
            MoveOnBar(t, 1);
        break;
    }
    case VK_RETURN:
        if (onBar)
            Execute(t, 0, t.barSelected, true);
        else
            Execute(t, t.levels.size() - 1, t.levels.back().view->selected, true);
        break;
    default:
        break;
    }
}

// --- mouse

// The popup level under a screen point (the deepest first), or -1.
int LevelAt(const Tracker& t, POINT pt)
{
    for (size_t i = t.levels.size(); i-- > 0;)
        if (PtInRect(&t.levels[i].screen, pt))
            return (int)i;
    return -1;
}

int ItemInLevel(const Level& level, POINT pt)
{
    Menu menu;
    if (!SnapshotMenu(level.menu, menu))
        return -1;
    POINT local{pt.x - level.screen.left, pt.y - level.screen.top};
    for (size_t i = 0; i < menu.items.size(); ++i)
        if (PtInRect(&menu.items[i].rect, local))
            return (int)i;
    return -1;
}

void CALLBACK ShowSubmenuOnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    Tracker* t = g_tracker;
    if (!t || t->showTimer != id)
        return;
    StopShowTimer(*t);
    OpenSubmenu(*t, false);
}

// The pointer resting on an item with a submenu opens it after the menu show delay, so
// that passing over items on the way elsewhere does not flash their submenus.
void OpenSubmenuAfterDelay(Tracker& t)
{
    UINT delay = 0;
    SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    if (delay == 0) {
        OpenSubmenu(t, false);
        return;
    }
    if (!t.showTimer)
        t.showTimer = SetTimer(nullptr, 0, delay, ShowSubmenuOnTimer);
}

void MouseMove(Tracker& t, POINT pt)
{
    int level = LevelAt(t, pt);
    if (level >= 0) {
        int index = ItemInLevel(t.levels[(size_t)level], pt);
        if (index < 0)
            return;
        MenuItem item;
        if (ItemAt(t.levels[(size_t)level].menu, index, item) && item.Separator())
            return;
        SelectInLevel(t, (size_t)level, index, true);
        if (item.sub && !item.Disabled() && t.levels.size() == (size_t)level + 1)
            OpenSubmenuAfterDelay(t);
        return;
    }
    if (t.bar) {
        int index = MenuBarItemAt(t.owner, pt, nullptr);
        if (index >= 0 && index != t.barSelected)
            SelectBarItem(t, index, t.barOpen, true);
    }
}

void ButtonDown(Tracker& t, POINT pt)
{
    t.buttonDown = true;
    int level = LevelAt(t, pt);
    if (level >= 0) {
        // A click on an item with a submenu opens it at once.
        int index = ItemInLevel(t.levels[(size_t)level], pt);
        MenuItem item;
        if (index >= 0 && ItemAt(t.levels[(size_t)level].menu, index, item) && item.sub && !item.Disabled()) {
            SelectInLevel(t, (size_t)level, index, true);
            StopShowTimer(t);
            if (t.levels.size() == (size_t)level + 1)
                OpenSubmenu(t, false);
        }
        return;
    }
    if (t.bar) {
        int index = MenuBarItemAt(t.owner, pt, nullptr);
        if (index >= 0) {
            if (index == t.barSelected && t.barOpen)
                Finish(t, 0, nullptr);  // a click on the open item closes the menu
            else
                SelectBarItem(t, index, true, true);
            return;
        }
    }
    Finish(t, 0, nullptr);
}

void ButtonUp(Tracker& t, POINT pt, bool right)
{
    if (right && t.popupMode && !(t.flags & TPM_RIGHTBUTTON))
        return;
    int level = LevelAt(t, pt);
    if (level >= 0) {
        int index = ItemInLevel(t.levels[(size_t)level], pt);
        MenuItem item;
        if (index >= 0 && ItemAt(t.levels[(size_t)level].menu, index, item) && !item.sub && !item.Separator())
            Execute(t, (size_t)level, index, false);
        return;
    }
    if (t.bar) {
        int index = MenuBarItemAt(t.owner, pt, nullptr);
        MenuItem item;
        if (index >= 0 && index == t.barSelected && ItemAt(t.bar, index, item) && !item.sub)
            Execute(t, t.levels.size(), index, false);
    }
}

// --- the loop

bool IsKey(UINT msg)
{
    return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

bool IsMouse(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

void HandleInput(Tracker& t, MSG& m)
{
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        TranslateMessage(&m);
        KeyDown(t, (UINT)m.wParam);
        return;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (m.wParam >= 0x20)
            Mnemonic(t, (char16_t)m.wParam);
        return;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        MouseMove(t, m.pt);
        return;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        ButtonDown(t, m.pt);
        return;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        ButtonUp(t, m.pt, false);
        return;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        ButtonUp(t, m.pt, true);
        return;
    default:
        return;
    }
}

void RunLoop(Tracker& t)
{
    bool idleSent = false;
    while (!t.done) {
        if (!IsWindow(t.owner)) {
            t.ownerGone = true;
            break;
        }
        MSG m;
        if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleSent && Notify(t)) {
                idleSent = true;
                HWND top = t.levels.empty() ? t.owner : t.levels.back().window;
                SendMessage(t.owner, WM_ENTERIDLE, MSGF_MENU, (LPARAM)top);
                continue;
            }
            WaitMessage();
            continue;
        }
        idleSent = false;
        if (m.message == WM_QUIT) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        if (IsKey(m.message) || IsMouse(m.message)) {
            HandleInput(t, m);
            continue;
        }
        DispatchMessage(&m);
    }
}

UINT RunTracking(Tracker& t)
{
    Tracker* outer = g_tracker;
    g_tracker = &t;
    RunLoop(t);
    StopShowTimer(t);
    g_tracker = outer;
    ClosePopupsAbove(t, 0);
    if (t.bar)
        SetBarHighlight(t.owner, -1, BarItemLook::Plain);
    if (Notify(t)) {
        SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessage(t.owner, WM_EXITMENULOOP, t.popupMode ? TRUE : FALSE, 0);
    }
    return t.command;
}

bool Begin(Tracker& t, HMENU initMenu)
{
    if (g_tracker && !(t.flags & TPM_RECURSE))
        return false;
    if (GetCapture())
        ReleaseCapture();
    if (Notify(t)) {
        SendMessage(t.owner, WM_ENTERMENULOOP, t.popupMode ? TRUE : FALSE, 0);
        SendMessage(t.owner, WM_INITMENU, (WPARAM)initMenu, 0);
    }
    return true;
}

void Deliver(const Tracker& t)
{
    if (!t.command)
        return;
    if (t.commandTarget && IsWindow(t.commandTarget))
        PostMessage(t.commandTarget, WM_SYSCOMMAND, t.command, 0);
    else if (IsWindow(t.owner))
        PostMessage(t.owner, WM_COMMAND, MAKEWPARAM(t.command, 0), 0);
}

HWND BarOwner(HWND hwnd)
{
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return root ? root : hwnd;
}

}  // namespace

void TrackMenuBarByMouse(HWND hwnd, POINT screen)
{
    Tracker t;
    t.owner = hwnd;
    t.bar = GetMenu(hwnd);
    int index = MenuBarItemAt(hwnd, screen, nullptr);
    if (!t.bar || index < 0 || !Begin(t, t.bar))
        return;
    t.buttonDown = true;
    SelectBarItem(t, index, true, true);
    RunTracking(t);
    Deliver(t);
}

void TrackMenuBarByKey(HWND window, UINT ch)
{
    HWND hwnd = BarOwner(window);
    if (ch == ' ') {
        RECT r;
        GetWindowRect(hwnd, &r);
        TrackSystemMenu(hwnd, POINT{r.left, r.top + GetSystemMetrics(SM_CYCAPTION)});
        return;
    }
    Tracker t;
    t.owner = hwnd;
    t.bar = GetMenu(hwnd);
    if (!t.bar) {
        if (ch)
            MessageBeep(0);
        return;
    }
    if (!Begin(t, t.bar))
        return;
    Menu bar;
    SnapshotMenu(t.bar, bar);
    if (ch) {
        Mnemonic(t, (char16_t)ch);
        if (t.barSelected < 0 && !t.done)
            Finish(t, 0, nullptr);
    } else {
        for (size_t i = 0; i < bar.items.size(); ++i)
            if (!bar.items[i].Separator() && !(bar.items[i].bitmap && bar.items[i].text.empty())) {
                SelectBarItem(t, (int)i, false, false);
                break;
            }
    }
    RunTracking(t);
    Deliver(t);
}

void TrackSystemMenu(HWND hwnd, POINT screen)
{
    HMENU menu = SystemMenuOf(hwnd);
    if (!menu)
        return;
    Tracker t;
    t.owner = hwnd;
    t.popupMode = false;
    if (!Begin(t, menu))
        return;
    OpenPopup(t, menu, 0, screen, TPM_LEFTALIGN | TPM_TOPALIGN, nullptr);
    if (!t.levels.empty())
        SelectInLevel(t, 0, 0, false);
    RunTracking(t);
    Deliver(t);
}

}  // namespace mivo

using namespace mivo;

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, LPTPMPARAMS lptpm)
{
    if (!IsMenu(hMenu) || !IsWindow(hWnd))
        return FALSE;
    Tracker t;
    t.owner = hWnd;
    t.flags = uFlags;
    t.notify = !(uFlags & TPM_NONOTIFY);
    t.popupMode = true;
    if (!Begin(t, hMenu))
        return FALSE;
    const RECT* exclude = lptpm && lptpm->cbSize >= sizeof(TPMPARAMS) ? &lptpm->rcExclude : nullptr;
    OpenPopup(t, hMenu, 0, POINT{x, y}, uFlags, exclude);
    if (t.levels.empty()) {
        RunTracking(t);
        return FALSE;
    }
    UINT command = RunTracking(t);
    if (uFlags & TPM_RETURNCMD)
        return (BOOL)command;
    Deliver(t);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*)
{
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL EndMenu()
{
    if (!g_tracker)
        return FALSE;
    g_tracker->done = true;
    g_tracker->command = 0;
    return TRUE;
}

bool mivo::EndMenuOf(HWND owner)
{
    if (!g_tracker || g_tracker->owner != owner)
        return false;
    return EndMenu() != FALSE;
}

BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem)
{
    if (!lprcItem || !IsMenu(hMenu))
        return FALSE;
    if (hWnd && hMenu == GetMenu(hWnd))
        return MenuBarItemRect(hWnd, (int)uItem, lprcItem) ? TRUE : FALSE;
    // A popup has a place on the screen only while it is open.
    if (!g_tracker)
        return FALSE;
    for (const Level& level : g_tracker->levels) {
        MenuItem item;
        if (level.menu != hMenu || !ItemAt(hMenu, (int)uItem, item))
            continue;
        *lprcItem = item.rect;
        OffsetRect(lprcItem, level.screen.left, level.screen.top);
        return TRUE;
    }
    return FALSE;
}

int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen)
{
    if (hWnd && hMenu && hMenu == GetMenu(hWnd))
        return MenuBarItemAt(hWnd, ptScreen, nullptr);
    if (g_tracker)
        for (const Level& level : g_tracker->levels)
            if (level.menu == hMenu && PtInRect(&level.screen, ptScreen))
                return ItemInLevel(level, ptScreen);
    return -1;
}
