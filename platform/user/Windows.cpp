// The HWND table, creation and destruction, relations, window data and text.
#include "user/MessageLoop.h"
#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "user/Geometry.h"
#include "user/NativeSurface.h"
#include "win32/paint.h"
#include "user/ForeignWindows.h"
#include "user/CreationHook.h"
#include "user/MenuObjects.h"

#include <atomic>

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace mivo {

Window* FindWindowLocked(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& table = State().windows;
    auto it = table.find((uintptr_t)hwnd);
    return it == table.end() ? nullptr : it->second.get();
}

std::shared_ptr<Window> WindowRef(HWND hwnd)
{
    auto& table = State().windows;
    auto it = table.find((uintptr_t)hwnd);
    return it == table.end() ? nullptr : it->second;
}

bool IsDescendantLocked(HWND ancestor, HWND hwnd)
{
    Window* w = FindWindowLocked(hwnd);
    while (w && w->parent) {
        if (w->parent == ancestor)
            return true;
        w = FindWindowLocked(w->parent);
    }
    return false;
}

Window* TopLevelOf(Window* w)
{
    while (w && w->parent) {
        Window* p = FindWindowLocked(w->parent);
        if (!p)
            break;
        w = p;
    }
    return w;
}

POINT WindowScreenOrigin(const Window& w)
{
    POINT pt{w.rect.left, w.rect.top};
    if (w.parent) {
        if (Window* p = FindWindowLocked(w.parent)) {
            POINT c = ClientScreenOrigin(*p);
            pt.x += c.x;
            pt.y += c.y;
        }
    }
    return pt;
}

POINT ClientScreenOrigin(const Window& w)
{
    POINT pt = WindowScreenOrigin(w);
    pt.x += w.client.left;
    pt.y += w.client.top;
    return pt;
}

std::vector<HWND>& SiblingListLocked(Window& w)
{
    if (w.parent)
        if (Window* p = FindWindowLocked(w.parent))
            return p->children;
    return State().topLevels;
}

void UnlinkLocked(Window& w)
{
    auto& list = SiblingListLocked(w);
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

// Puts a window into its sibling list: top-level windows go on top (below topmost
// ones unless topmost themselves), children at the bottom, as creation does.
void LinkLocked(Window& w, bool atBottom)
{
    auto& list = SiblingListLocked(w);
    if (atBottom) {
        list.push_back(w.handle);
        return;
    }
    auto pos = list.begin();
    if (!(w.exStyle & WS_EX_TOPMOST))
        while (pos != list.end()) {
            Window* s = FindWindowLocked(*pos);
            if (!s || !(s->exStyle & WS_EX_TOPMOST))
                break;
            ++pos;
        }
    list.insert(pos, w.handle);
}

void DropWindowsOfThread(DWORD threadId)
{
    std::vector<std::shared_ptr<Window>> gone;
    {
        UserGuard guard(UserLock());
        auto& table = State().windows;
        for (auto it = table.begin(); it != table.end();) {
            if (it->second->threadId == threadId) {
                gone.push_back(it->second);
                it = table.erase(it);
            } else {
                ++it;
            }
        }
        for (auto& w : gone) {
            auto& top = State().topLevels;
            top.erase(std::remove(top.begin(), top.end(), w->handle), top.end());
            if (Window* p = FindWindowLocked(w->parent))
                p->children.erase(std::remove(p->children.begin(), p->children.end(), w->handle), p->children.end());
            ForgetInputStateLocked(w->handle);
        }
    }
    for (auto& w : gone)
        ReleaseNativeWindow(*w);
}

}  // namespace mivo

using namespace mivo;

namespace {

std::atomic<WindowCreationHook> g_creationHook{nullptr};

void DefaultPlacement(DWORD style, HWND parent, int& x, int& y, int& cx, int& cy)
{
    bool child = (style & WS_CHILD) != 0;
    if (x == CW_USEDEFAULT) {
        if (child) {
            x = 0;
            y = 0;
        } else {
            static int cascade = 0;
            x = 24 + 26 * (cascade % 8);
            y = x;
            ++cascade;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (child || (style & WS_POPUP)) {
            cx = 0;
            cy = 0;
        } else {
            SIZE screen = ScreenSize();
            cx = screen.cx * 3 / 4;
            cy = screen.cy * 3 / 4;
        }
    }
    (void)parent;
}

// Sends WM_PARENTNOTIFY up the chain of parents, as creation and destruction of a child do.
void NotifyParents(HWND hwnd, UINT event)
{
    HWND cur = hwnd;
    for (;;) {
        HWND parent;
        int id;
        {
            UserGuard guard(UserLock());
            Window* w = FindWindowLocked(cur);
            if (!w || !(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY))
                return;
            parent = w->parent;
            Window* child = FindWindowLocked(hwnd);
            id = child ? (int)child->id : 0;
        }
        if (!parent)
            return;
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), (LPARAM)hwnd);
        cur = parent;
    }
}

}  // namespace

HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    CurrentQueue();
    auto w = std::make_shared<Window>();
    bool messageOnly = hWndParent == HWND_MESSAGE;
    if (messageOnly)
        hWndParent = nullptr;
    {
        UserGuard guard(UserLock());
        auto cls = FindClassLocked(lpClassName, hInstance);
        if (!cls)
            return nullptr;
        if ((dwStyle & WS_CHILD) && !FindWindowLocked(hWndParent))
            return nullptr;
        if (hWndParent && !FindWindowLocked(hWndParent))
            return nullptr;
        w->cls = cls;
        w->proc = cls->proc;
        w->extra.assign((size_t)cls->wndExtra, 0);
    }
    // Top-level windows made without a menu get their class's.
    if (!hMenu && !(dwStyle & WS_CHILD) && hWndParent != HWND_MESSAGE && !messageOnly)
        hMenu = LoadClassMenu(hInstance, w->cls->menuId ? w->cls->menuId
                                         : (w->cls->menuName.empty() ? nullptr : w->cls->menuName.c_str()));
    DefaultPlacement(dwStyle, hWndParent, X, Y, nWidth, nHeight);

    // Overlapped windows always have a caption and clip their siblings.
    if (!(dwStyle & (WS_CHILD | WS_POPUP)))
        dwStyle |= WS_CAPTION | WS_CLIPSIBLINGS;
    if ((dwStyle & WS_DLGFRAME) || (dwStyle & WS_THICKFRAME) || (dwExStyle & WS_EX_DLGMODALFRAME))
        if (!(dwStyle & WS_CHILD) || (dwStyle & WS_DLGFRAME))
            dwExStyle |= WS_EX_WINDOWEDGE;

    w->threadId = CurrentThreadId();
    w->style = dwStyle & ~WS_VISIBLE;
    w->exStyle = dwExStyle;
    w->instance = hInstance;
    w->id = (LONG_PTR)hMenu;
    w->messageOnly = messageOnly;
    w->rect = RECT{X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
    {
        UserGuard guard(UserLock());
        if (dwStyle & WS_CHILD) {
            w->parent = hWndParent;
        } else if (hWndParent) {
            Window* o = TopLevelOf(FindWindowLocked(hWndParent));
            w->owner = o ? o->handle : nullptr;
        }
        uintptr_t h = State().nextHandle;
        State().nextHandle += 2;
        if (State().nextHandle > 0x7FFFFFF0)
            State().nextHandle = 0x10010;
        while (State().windows.count(h))
            h += 2;
        w->handle = (HWND)h;
        State().windows[h] = w;
        LinkLocked(*w, (dwStyle & WS_CHILD) != 0);
        if (!w->parent && !messageOnly)
            AttachSurfaceLocked(*w);
    }

    HWND hwnd = w->handle;
    if (WindowCreationHook hook = g_creationHook.load())
        hook(hwnd);

    CREATESTRUCTA cs;
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.cy = nHeight;
    cs.cx = nWidth;
    cs.y = Y;
    cs.x = X;
    cs.style = (LONG)dwStyle;
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;

    if (!(dwStyle & WS_CHILD)) {
        MINMAXINFO mmi = DefaultMinMaxInfo(hwnd);
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, (LPARAM)&cs)) {
        FinishDestroy(hwnd);
        return nullptr;
    }
    {
        UserGuard guard(UserLock());
        if (Window* p = FindWindowLocked(hwnd))
            p->created = true;
        else
            return nullptr;
    }
    RecalcClientRect(hwnd, nullptr);
    if (SendMessage(hwnd, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    POINT origin = ClientOriginInParent(hwnd);
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    NotifyParents(hwnd, WM_CREATE);
    if (!IsWindow(hwnd))
        return nullptr;
    if (dwStyle & WS_VISIBLE) {
        int cmd = (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (dwStyle & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
        ShowWindow(hwnd, cmd);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

namespace {

// Owned windows, then the children as they are now (topmost first).
std::vector<HWND> OwnedWindows(HWND hwnd)
{
    UserGuard guard(UserLock());
    std::vector<HWND> out;
    for (auto& e : State().windows)
        if (e.second->owner == hwnd && !e.second->destroying)
            out.push_back(e.second->handle);
    return out;
}

std::vector<HWND> ChildrenOf(HWND hwnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    return w ? w->children : std::vector<HWND>();
}

// WM_DESTROY goes to the window first, then to its children; WM_NCDESTROY
// goes to the children first and the window last.
void SendDestroy(HWND hwnd)
{
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND c : ChildrenOf(hwnd))
        SendDestroy(c);
}

}  // namespace

namespace mivo {

// Last step of destruction: WM_NCDESTROY bottom-up, then the handles leave the table.
void FinishDestroy(HWND hwnd)
{
    for (HWND c : ChildrenOf(hwnd))
        FinishDestroy(c);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    std::shared_ptr<Window> gone;
    {
        UserGuard guard(UserLock());
        gone = WindowRef(hwnd);
        if (!gone)
            return;
        for (HWND c : gone->children)
            if (Window* cw = FindWindowLocked(c))
                cw->parent = nullptr;
        UnlinkLocked(*gone);
        State().windows.erase((uintptr_t)hwnd);
        PurgeWindowMessagesLocked(hwnd);
        if (auto q = QueueOfThreadLocked(gone->threadId))
            KillWindowTimersLocked(*q, hwnd);
        ForgetInputStateLocked(hwnd);
        for (auto& e : State().windows)
            if (e.second->owner == hwnd)
                e.second->owner = nullptr;
    }
    ReleaseNativeWindow(*gone);
    ForgetWindowMenus(hwnd, (gone->style & WS_CHILD) ? nullptr : (HMENU)gone->id);
}

}  // namespace mivo

void mivo::SetWindowCreationHook(WindowCreationHook hook)
{
    g_creationHook.store(hook);
}

BOOL DestroyWindow(HWND hWnd)
{
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || w->destroying)
            return FALSE;
        if (w->threadId != CurrentThreadId()) {
            guard.unlock();
            return (BOOL)RunOnOwnerThread(hWnd, [hWnd]() -> LRESULT { return DestroyWindow(hWnd); });
        }
    }
    for (HWND owned : OwnedWindows(hWnd))
        DestroyWindow(owned);
    bool child;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || w->destroying)
            return FALSE;
        w->destroying = true;
        child = (w->style & WS_CHILD) != 0;
    }
    if (child)
        NotifyParents(hWnd, WM_DESTROY);
    if (IsWindowVisible(hWnd))
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                         (child ? SWP_NOACTIVATE : 0));
    ReleaseInputStateOnDestroy(hWnd);
    SendDestroy(hWnd);
    FinishDestroy(hWnd);
    return TRUE;
}

BOOL IsWindow(HWND hWnd)
{
    {
        UserGuard guard(UserLock());
        if (FindWindowLocked(hWnd))
            return TRUE;
    }
    ForeignWindows* foreign = ForeignWindowsFor(hWnd);
    return foreign && foreign->IsWindow(hWnd);
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    while (w && (w->style & WS_CHILD) && w->parent) {
        if (w->parent == hWndParent)
            return TRUE;
        w = FindWindowLocked(w->parent);
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    while (w) {
        if (!(w->style & WS_VISIBLE))
            return FALSE;
        if (!w->parent)
            return TRUE;
        w = FindWindowLocked(w->parent);
    }
    return FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND hWnd)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->IsIconic(hWnd);
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    bool wasDisabled;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !bEnable)
            return wasDisabled;
        if (bEnable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
    }
    if (!bEnable)
        ReleaseInputStateOnDisable(hWnd);
    SendMessage(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

HWND GetParent(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return nullptr;
    if (w->style & WS_CHILD)
        return w->parent;
    if (w->style & WS_POPUP)
        return w->owner;
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent ? w->parent : DesktopHandle();
    case GA_ROOT:
        return TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* r = TopLevelOf(w);
        while (r->owner) {
            Window* o = FindWindowLocked(r->owner);
            if (!o)
                break;
            r = TopLevelOf(o);
        }
        return r->handle;
    }
    }
    return nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    HWND old;
    bool visible = IsWindowVisible(hWndChild);
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWndChild);
        if (!w)
            return nullptr;
        if (hWndNewParent && (!FindWindowLocked(hWndNewParent) || hWndNewParent == hWndChild ||
                              IsDescendantLocked(hWndChild, hWndNewParent)))
            return nullptr;
        old = w->parent;
        if (old == hWndNewParent)
            return old ? old : DesktopHandle();
        UnlinkLocked(*w);
        bool wasTop = !w->parent;
        w->parent = hWndNewParent;
        if (wasTop && hWndNewParent)
            DetachSurfaceLocked(*w);
        LinkLocked(*w, false);
        if (!hWndNewParent)
            AttachSurfaceLocked(*w);
    }
    if (visible)
        InvalidateAfterReparent(hWndChild, old);
    return old ? old : GetDesktopWindow();
}

HWND GetDesktopWindow()
{
    return DesktopWindow();
}

HWND GetLastActivePopup(HWND hWnd)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->GetLastActivePopup(hWnd);
    HWND popup = GetWindow(hWnd, GW_ENABLEDPOPUP);
    return popup ? popup : (IsWindow(hWnd) ? hWnd : nullptr);
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    ForeignWindows* foreign = uCmd == GW_ENABLEDPOPUP ? ForeignWindowsFor(hWnd) : nullptr;
    if (foreign) {
        HWND popup = foreign->GetLastActivePopup(hWnd);
        return popup == hWnd ? nullptr : popup;
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD && hWnd == DesktopHandle()) {
        for (HWND h : State().topLevels) {
            Window* t = FindWindowLocked(h);
            if (t && !t->messageOnly)
                return h;
        }
        return nullptr;
    }
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return w->owner;
    if (uCmd == GW_ENABLEDPOPUP) {
        for (HWND h : State().topLevels) {
            Window* p = FindWindowLocked(h);
            if (p && p->owner == hWnd && (p->style & WS_VISIBLE) && !(p->style & WS_DISABLED))
                return h;
        }
        return nullptr;
    }
    auto& list = SiblingListLocked(*w);
    auto it = std::find(list.begin(), list.end(), hWnd);
    if (it == list.end())
        return nullptr;
    switch (uCmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it + 1) == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
    }
    return nullptr;
}

HWND GetTopWindow(HWND hWnd)
{
    if (!hWnd || hWnd == DesktopHandle()) {
        UserGuard guard(UserLock());
        for (HWND h : State().topLevels) {
            Window* w = FindWindowLocked(h);
            if (w && !w->messageOnly)
                return h;
        }
        return nullptr;
    }
    return GetWindow(hWnd, GW_CHILD);
}

HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return GetWindow(hWnd, wCmd);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hDlg);
    if (!w)
        return nullptr;
    for (HWND c : w->children) {
        Window* cw = FindWindowLocked(c);
        if (cw && (int)cw->id == nIDDlgItem)
            return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    return w && (w->style & WS_CHILD) ? (int)w->id : 0;
}

int SetDlgCtrlID(HWND hWnd, int nID)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    int old = (int)w->id;
    w->id = nID;
    return old;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd)) {
        DWORD pid = foreign->ProcessId(hWnd);
        if (lpdwProcessId)
            *lpdwProcessId = pid;
        return pid ? 1 : 0;  // some thread of that process
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = (DWORD)getpid();
    return w->threadId;
}

namespace {

bool Matches(Window& w, LPCSTR cls, LPCSTR title)
{
    if (cls) {
        if (IS_INTRESOURCE(cls)) {
            if (w.cls->atom != (ATOM)(ULONG_PTR)cls)
                return false;
        } else if (FoldCaseCp949(w.cls->name.c_str()) != FoldCaseCp949(cls)) {
            return false;
        }
    }
    return !title || w.text == title;
}

}  // namespace

HWND FindWindowEx(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow)
{
    UserGuard guard(UserLock());
    std::vector<HWND> list;
    if (hWndParent == HWND_MESSAGE) {
        for (auto& e : State().windows)
            if (e.second->messageOnly)
                list.push_back(e.second->handle);
    } else if (hWndParent && hWndParent != DesktopHandle()) {
        Window* p = FindWindowLocked(hWndParent);
        if (!p)
            return nullptr;
        list = p->children;
    } else {
        list = State().topLevels;
    }
    bool started = hWndChildAfter == nullptr;
    for (HWND h : list) {
        if (!started) {
            started = h == hWndChildAfter;
            continue;
        }
        Window* w = FindWindowLocked(h);
        if (!w || (w->messageOnly && hWndParent != HWND_MESSAGE))
            continue;
        if (Matches(*w, lpszClass, lpszWindow))
            return h;
    }
    return nullptr;
}

HWND FindWindow(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    HWND local = FindWindowEx(nullptr, nullptr, lpClassName, lpWindowName);
    if (local)
        return local;
    // A window of another copy of the program, when that copy offers its class.
    ForeignWindows* foreign = RegisteredForeignWindows();
    return foreign ? foreign->Find(lpClassName, lpWindowName) : nullptr;
}

namespace {

std::vector<HWND> Snapshot(const std::vector<HWND>& list)
{
    return list;
}

bool EnumDescendants(HWND parent, WNDENUMPROC proc, LPARAM lParam)
{
    for (HWND c : ChildrenOf(parent)) {
        if (!IsWindow(c))
            continue;
        if (!proc(c, lParam))
            return false;
        if (!EnumDescendants(c, proc, lParam))
            return false;
    }
    return true;
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    std::vector<HWND> list;
    {
        UserGuard guard(UserLock());
        for (HWND h : Snapshot(State().topLevels)) {
            Window* w = FindWindowLocked(h);
            if (w && !w->messageOnly)
                list.push_back(h);
        }
    }
    for (HWND h : list)
        if (IsWindow(h) && !lpEnumFunc(h, lParam))
            return FALSE;
    return TRUE;
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (!hWndParent)
        return EnumWindows(lpEnumFunc, lParam);
    EnumDescendants(hWndParent, lpEnumFunc, lParam);
    return TRUE;
}

BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam)
{
    std::vector<HWND> list;
    {
        UserGuard guard(UserLock());
        for (HWND h : State().topLevels) {
            Window* w = FindWindowLocked(h);
            if (w && w->threadId == dwThreadId && !w->messageOnly)
                list.push_back(h);
        }
    }
    for (HWND h : list)
        if (IsWindow(h) && !lpfn(h, lParam))
            return FALSE;
    return TRUE;
}

// --- menu bars

HMENU GetMenu(HWND hWnd)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    return w && !(w->style & WS_CHILD) ? (HMENU)w->id : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu)
{
    if (hMenu && !IsMenu(hMenu))
        return FALSE;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || (w->style & WS_CHILD))
            return FALSE;
        w->id = (LONG_PTR)hMenu;
    }
    // The menu bar takes its height from the frame, so the client area changes.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return RedrawWindow(hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// --- window data

namespace {

bool ExtraRange(const Window& w, int index, size_t size)
{
    return index >= 0 && (size_t)index + size <= w.extra.size();
}

}  // namespace

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    if (nIndex >= 0) {
        if (!ExtraRange(*w, nIndex, sizeof(LONG_PTR)))
            return 0;
        LONG_PTR v;
        std::memcpy(&v, &w->extra[(size_t)nIndex], sizeof(v));
        return v;
    }
    switch (nIndex) {
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->instance;
    case GWLP_HWNDPARENT: return (LONG_PTR)(w->parent ? w->parent : w->owner);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return w->id;
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    }
    return 0;
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR value)
{
    if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE) {
        STYLESTRUCT ss;
        {
            UserGuard guard(UserLock());
            Window* w = FindWindowLocked(hWnd);
            if (!w)
                return 0;
            ss.styleOld = nIndex == GWL_STYLE ? w->style : w->exStyle;
        }
        ss.styleNew = (DWORD)value;
        SendMessage(hWnd, WM_STYLECHANGING, (WPARAM)nIndex, (LPARAM)&ss);
        {
            UserGuard guard(UserLock());
            Window* w = FindWindowLocked(hWnd);
            if (!w)
                return 0;
            if (nIndex == GWL_STYLE) {
                // Visibility only changes through ShowWindow and SetWindowPos.
                DWORD old = w->style;
                w->style = (ss.styleNew & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
                // Scroll bar bits set or cleared here show or hide the bars from the next frame change.
                if ((old ^ w->style) & WS_HSCROLL)
                    w->hscroll.shown = (w->style & WS_HSCROLL) != 0;
                if ((old ^ w->style) & WS_VSCROLL)
                    w->vscroll.shown = (w->style & WS_VSCROLL) != 0;
            } else {
                w->exStyle = ss.styleNew;
            }
        }
        SendMessage(hWnd, WM_STYLECHANGED, (WPARAM)nIndex, (LPARAM)&ss);
        return (LONG_PTR)(LONG)ss.styleOld;
    }
    if (nIndex == GWLP_HWNDPARENT) {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return 0;
        if (w->style & WS_CHILD) {
            guard.unlock();
            return (LONG_PTR)SetParent(hWnd, (HWND)value);
        }
        HWND old = w->owner;
        w->owner = (HWND)value;
        return (LONG_PTR)old;
    }
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return 0;
    LONG_PTR old = 0;
    if (nIndex >= 0) {
        if (!ExtraRange(*w, nIndex, sizeof(LONG_PTR)))
            return 0;
        std::memcpy(&old, &w->extra[(size_t)nIndex], sizeof(old));
        std::memcpy(&w->extra[(size_t)nIndex], &value, sizeof(value));
        return old;
    }
    switch (nIndex) {
    case GWLP_WNDPROC:
        old = (LONG_PTR)w->proc;
        w->proc = (WNDPROC)value;
        break;
    case GWLP_HINSTANCE:
        old = (LONG_PTR)w->instance;
        w->instance = (HINSTANCE)value;
        break;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        break;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        break;
    }
    return old;
}

LONG GetWindowLong(HWND hWnd, int nIndex)
{
    if (nIndex >= 0) {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || !ExtraRange(*w, nIndex, sizeof(LONG)))
            return 0;
        LONG v;
        std::memcpy(&v, &w->extra[(size_t)nIndex], sizeof(v));
        return v;
    }
    return (LONG)GetWindowLongPtr(hWnd, nIndex);
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    if (nIndex >= 0) {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w || !ExtraRange(*w, nIndex, sizeof(LONG)))
            return 0;
        LONG old;
        std::memcpy(&old, &w->extra[(size_t)nIndex], sizeof(old));
        std::memcpy(&w->extra[(size_t)nIndex], &dwNewLong, sizeof(dwNewLong));
        return old;
    }
    if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
        return (LONG)SetWindowLongPtr(hWnd, nIndex, (LONG_PTR)(DWORD)dwNewLong);
    return (LONG)SetWindowLongPtr(hWnd, nIndex, dwNewLong);
}

WORD GetWindowWord(HWND hWnd, int nIndex)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w || !ExtraRange(*w, nIndex, sizeof(WORD)))
        return 0;
    WORD v;
    std::memcpy(&v, &w->extra[(size_t)nIndex], sizeof(v));
    return v;
}

WORD SetWindowWord(HWND hWnd, int nIndex, WORD wNewWord)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w || !ExtraRange(*w, nIndex, sizeof(WORD)))
        return 0;
    WORD old;
    std::memcpy(&old, &w->extra[(size_t)nIndex], sizeof(old));
    std::memcpy(&w->extra[(size_t)nIndex], &wNewWord, sizeof(wNewWord));
    return old;
}

// --- properties

namespace {

std::string PropKey(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string((unsigned)(ULONG_PTR)name);
    return FoldCaseCp949(name);
}

}  // namespace

BOOL SetProp(HWND hWnd, LPCSTR lpString, HANDLE hData)
{
    if (!lpString)
        return FALSE;
    std::string key = PropKey(lpString);
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return FALSE;
    for (auto& p : w->props)
        if (p.first == key) {
            p.second = hData;
            return TRUE;
        }
    w->props.emplace_back(key, hData);
    return TRUE;
}

HANDLE GetProp(HWND hWnd, LPCSTR lpString)
{
    if (!lpString)
        return nullptr;
    std::string key = PropKey(lpString);
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return nullptr;
    for (auto& p : w->props)
        if (p.first == key)
            return p.second;
    return nullptr;
}

HANDLE RemoveProp(HWND hWnd, LPCSTR lpString)
{
    if (!lpString)
        return nullptr;
    std::string key = PropKey(lpString);
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hWnd);
    if (!w)
        return nullptr;
    for (auto it = w->props.begin(); it != w->props.end(); ++it)
        if (it->first == key) {
            HANDLE h = it->second;
            w->props.erase(it);
            return h;
        }
    return nullptr;
}

int EnumProps(HWND hWnd, PROPENUMPROC lpEnumFunc)
{
    std::vector<std::pair<std::string, HANDLE>> props;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hWnd);
        if (!w)
            return -1;
        props = w->props;
    }
    int last = -1;
    for (auto& p : props) {
        last = lpEnumFunc(hWnd, p.first.c_str(), p.second);
        if (!last)
            break;
    }
    return last;
}

// --- window text

namespace mivo {

void SetWindowTextLocked(Window& w, LPCSTR text)
{
    w.text = text ? text : "";
}

int CopyWindowTextLocked(const Window& w, LPSTR buffer, int max)
{
    if (!buffer || max <= 0)
        return 0;
    size_t n = std::min<size_t>(w.text.size(), (size_t)max - 1);
    // Never end on the lead byte of a double-byte character.
    size_t i = 0;
    while (i < n) {
        size_t step = ((unsigned char)w.text[i] >= 0x81 && i + 1 < w.text.size()) ? 2 : 1;
        if (i + step > n)
            break;
        i += step;
    }
    std::memcpy(buffer, w.text.data(), i);
    buffer[i] = 0;
    return (int)i;
}

}  // namespace mivo

BOOL SetWindowText(HWND hWnd, LPCSTR lpString)
{
    return SendMessage(hWnd, WM_SETTEXT, 0, (LPARAM)lpString) ? TRUE : FALSE;
}

int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    return (int)SendMessage(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int GetWindowTextLength(HWND hWnd)
{
    return (int)SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0);
}

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    return h ? SetWindowText(h, lpString) : FALSE;
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    if (!h) {
        if (lpString && cchMax > 0)
            lpString[0] = 0;
        return 0;
    }
    return (UINT)GetWindowText(h, lpString, cchMax);
}

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND h = GetDlgItem(hDlg, nIDDlgItem);
    return h ? SendMessage(h, Msg, wParam, lParam) : 0;
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (!lpPrevWndFunc)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
