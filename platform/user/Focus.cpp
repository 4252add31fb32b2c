// Focus, activation and mouse capture, kept per thread as the system does.
#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/Backend.h"
#include "win32/input.h"
#include "user/ForeignWindows.h"

namespace mivo {

namespace {

std::unordered_map<DWORD, ThreadInput>& Inputs()
{
    return State().desktop.inputs;
}

ThreadInput& MineLocked()
{
    return Inputs()[CurrentThreadId()];
}

}  // namespace

HWND CaptureWindowLocked()
{
    // The capture that input follows: the foreground thread's, else any.
    for (auto& e : Inputs())
        if (e.second.capture && FindWindowLocked(e.second.capture))
            return e.second.capture;
    return nullptr;
}

HWND FocusOfForegroundLocked(HWND* active)
{
    HWND fg = State().desktop.foreground;
    Window* w = FindWindowLocked(fg);
    if (!w) {
        *active = nullptr;
        return nullptr;
    }
    ThreadInput& ti = Inputs()[w->threadId];
    *active = ti.active ? ti.active : fg;
    return FindWindowLocked(ti.focus) ? ti.focus : nullptr;
}

void ForgetInputStateLocked(HWND hwnd)
{
    for (auto& e : Inputs()) {
        if (e.second.focus == hwnd)
            e.second.focus = nullptr;
        if (e.second.active == hwnd)
            e.second.active = nullptr;
        if (e.second.capture == hwnd)
            e.second.capture = nullptr;
    }
    if (State().desktop.foreground == hwnd)
        State().desktop.foreground = nullptr;
    ForgetMouseTrackingLocked(hwnd);
}

static bool InSubtreeLocked(HWND root, HWND h)
{
    return h && (h == root || IsDescendantLocked(root, h));
}

void ReleaseInputStateOnDestroy(HWND hwnd)
{
    ForgetCaretOf(hwnd);
    bool wasActive, hadCapture, hadFocus;
    {
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        hadCapture = InSubtreeLocked(hwnd, ti.capture);
        hadFocus = InSubtreeLocked(hwnd, ti.focus);
        wasActive = ti.active == hwnd;
    }
    if (hadCapture)
        ReleaseCapture();
    // The focus window hears that it loses the keyboard before it goes; no window takes it.
    if (hadFocus) {
        SetFocus(nullptr);
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        if (InSubtreeLocked(hwnd, ti.focus))
            ti.focus = nullptr;
    }
    if (wasActive)
        ActivateOtherOnHide(hwnd);
}

void ReleaseInputStateOnDisable(HWND hwnd)
{
    bool focus, capture;
    {
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        focus = InSubtreeLocked(hwnd, ti.focus);
        capture = InSubtreeLocked(hwnd, ti.capture);
    }
    if (focus)
        SetFocus(nullptr);
    if (capture)
        ReleaseCapture();
}

static HWND ActivateWindow(HWND hwnd, WORD how)
{
    HWND old;
    bool appActivates;
    void* native = nullptr;
    {
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        old = ti.active;
        if (old == hwnd)
            return old;
        if (hwnd) {
            Window* w = FindWindowLocked(hwnd);
            if (!w || w->threadId != CurrentThreadId())
                return nullptr;
            Window* top = TopLevelOf(w);
            hwnd = top->handle;
            if (old == hwnd)
                return old;
            native = top->native;
        }
        appActivates = !FindWindowLocked(old) && hwnd;
        ti.active = hwnd;
        if (hwnd)
            State().desktop.foreground = hwnd;
    }
    if (IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), (LPARAM)hwnd);
    }
    if (!hwnd) {
        if (IsWindow(old))
            SendMessage(old, WM_ACTIVATEAPP, FALSE, 0);
        // No window is active: the focus window hears that it lost the keyboard.
        HWND lost;
        {
            UserGuard guard(UserLock());
            lost = MineLocked().focus;
            MineLocked().focus = nullptr;
        }
        if (IsWindow(lost))
            SendMessage(lost, WM_KILLFOCUS, 0, 0);
        return old;
    }
    if (appActivates)
        SendMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0), (LPARAM)old);
    if (native)
        if (NativeBackend* b = Backend())
            b->ActivateNative(native);
    return old;
}

HWND ActivateByClick(HWND topLevel)
{
    return ActivateWindow(topLevel, WA_CLICKACTIVE);
}

void ActivateOnShow(HWND hwnd)
{
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(hwnd);
        if (!w || w->parent || w->messageOnly || (w->exStyle & WS_EX_NOACTIVATE) || (w->style & WS_DISABLED) ||
            w->threadId != CurrentThreadId())
            return;
    }
    ActivateWindow(hwnd, WA_ACTIVE);
}

void ActivateOtherOnHide(HWND hwnd)
{
    HWND next = nullptr;
    {
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        if (ti.active != hwnd)
            return;
        Window* w = FindWindowLocked(hwnd);
        auto usable = [&](Window* c) {
            return c && c->handle != hwnd && !c->destroying && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) &&
                   !c->messageOnly && c->threadId == CurrentThreadId();
        };
        if (w && usable(FindWindowLocked(w->owner)))
            next = w->owner;
        if (!next)
            for (HWND h : State().topLevels)
                if (usable(FindWindowLocked(h))) {
                    next = h;
                    break;
                }
    }
    ActivateWindow(next, WA_ACTIVE);
}

}  // namespace mivo

using namespace mivo;

HWND SetFocus(HWND hWnd)
{
    HWND top = nullptr;
    {
        UserGuard guard(UserLock());
        if (hWnd) {
            Window* w = FindWindowLocked(hWnd);
            if (!w || w->threadId != CurrentThreadId())
                return nullptr;
            // A window inside a disabled or minimized parent cannot take the focus.
            for (Window* p = w; p; p = FindWindowLocked(p->parent)) {
                if ((p->style & WS_DISABLED) && p != w)
                    return nullptr;
                if (!p->parent)
                    top = p->handle;
            }
        }
    }
    if (top && GetActiveWindow() != top)
        ActivateWindow(top, WA_ACTIVE);
    HWND old;
    {
        UserGuard guard(UserLock());
        if (hWnd && !FindWindowLocked(hWnd))
            return nullptr;
        ThreadInput& ti = MineLocked();
        old = ti.focus;
        if (old == hWnd)
            return old;
        ti.focus = hWnd;
    }
    if (IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, (WPARAM)hWnd, 0);
    if (hWnd && GetFocus() == hWnd)
        SendMessage(hWnd, WM_SETFOCUS, (WPARAM)old, 0);
    return IsWindow(old) ? old : nullptr;
}

HWND GetFocus()
{
    UserGuard guard(UserLock());
    HWND f = MineLocked().focus;
    return FindWindowLocked(f) ? f : nullptr;
}

HWND SetActiveWindow(HWND hWnd)
{
    return ActivateWindow(hWnd, WA_ACTIVE);
}

HWND GetActiveWindow()
{
    UserGuard guard(UserLock());
    HWND a = MineLocked().active;
    return FindWindowLocked(a) ? a : nullptr;
}

BOOL SetForegroundWindow(HWND hWnd)
{
    if (ForeignWindows* foreign = ForeignWindowsFor(hWnd))
        return foreign->SetForegroundWindow(hWnd);
    if (!IsWindow(hWnd))
        return FALSE;
    DWORD owner = GetWindowThreadProcessId(hWnd, nullptr);
    if (owner == CurrentThreadId())
        ActivateWindow(hWnd, WA_ACTIVE);
    else
        RunOnOwnerThread(hWnd, [hWnd]() -> LRESULT { return (LRESULT)ActivateWindow(hWnd, WA_ACTIVE); });
    return TRUE;
}

HWND GetForegroundWindow()
{
    UserGuard guard(UserLock());
    return FindWindowLocked(State().desktop.foreground) ? State().desktop.foreground : nullptr;
}

HWND SetCapture(HWND hWnd)
{
    HWND old;
    {
        UserGuard guard(UserLock());
        if (!FindWindowLocked(hWnd))
            return nullptr;
        ThreadInput& ti = MineLocked();
        old = ti.capture;
        if (old == hWnd)
            return old;
        ti.capture = hWnd;
    }
    if (IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, (LPARAM)hWnd);
    return IsWindow(old) ? old : nullptr;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        UserGuard guard(UserLock());
        ThreadInput& ti = MineLocked();
        old = ti.capture;
        ti.capture = nullptr;
    }
    if (IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    UserGuard guard(UserLock());
    HWND c = MineLocked().capture;
    return FindWindowLocked(c) ? c : nullptr;
}

BOOL IsWindowUnicode(HWND)
{
    return FALSE;
}

BOOL FlashWindow(HWND hWnd, BOOL)
{
    return IsWindow(hWnd) && GetActiveWindow() == hWnd;
}
