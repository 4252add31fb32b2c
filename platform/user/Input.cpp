// Mouse and keyboard input: routing into queues, key state, double clicks,
// mouse tracking, TranslateMessage, the caret and input-method modes.
#include "user/MessageLoop.h"
#include "user/InputRouting.h"
#include "user/NativeLink.h"
#include "user/Geometry.h"
#include "win32/codepage.h"
#include "win32/input.h"
#include "win32/paint.h"
#include "win32/usersys.h"
#include "mivo/testing/input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace mivo {

namespace {

DesktopState& Desk()
{
    return State().desktop;
}

std::vector<BYTE>& KeysOfLocked(DWORD thread)
{
    auto& k = Desk().threadKeys[thread];
    if (k.empty())
        k.assign(256, 0);
    return k;
}

}  // namespace

POINT CursorScreenPos()
{
    return Desk().cursor.Load();
}

void ForgetMouseTrackingLocked(HWND hwnd)
{
    if (Desk().tracking.hwnd == hwnd)
        Desk().tracking = MouseTracking();
    if (Desk().lastMouseWindow == hwnd)
        Desk().lastMouseWindow = nullptr;
    if (Desk().lastClick.hwnd == hwnd)
        Desk().lastClick = ClickMemory();
}

// The thread's view of the keyboard follows the messages it takes from its queue.
void NoteInputRetrievedLocked(const MSG& m)
{
    std::vector<BYTE>& keys = KeysOfLocked(CurrentThreadId());
    auto press = [&](int vk, bool down) {
        if (down) {
            if (!(keys[(size_t)vk] & 0x80))
                keys[(size_t)vk] ^= 0x01;
            keys[(size_t)vk] |= 0x80;
        } else {
            keys[(size_t)vk] &= (BYTE)~0x80;
        }
    };
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
        int vk = (int)(m.wParam & 0xFF);
        press(vk, down);
        if (vk == VK_LSHIFT || vk == VK_RSHIFT)
            press(VK_SHIFT, down);
        if (vk == VK_LCONTROL || vk == VK_RCONTROL)
            press(VK_CONTROL, down);
        if (vk == VK_LMENU || vk == VK_RMENU)
            press(VK_MENU, down);
        break;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: press(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: press(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: press(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: case WM_NCRBUTTONUP: press(VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: press(VK_MBUTTON, true); break;
    case WM_MBUTTONUP: case WM_NCMBUTTONUP: press(VK_MBUTTON, false); break;
    }
}

namespace {

POINT ClipToCursorRectLocked(POINT pt)
{
    const DesktopState& d = Desk();
    if (!d.clipped)
        return pt;
    pt.x = std::max(d.clip.left, std::min(pt.x, d.clip.right - 1));
    pt.y = std::max(d.clip.top, std::min(pt.y, d.clip.bottom - 1));
    return pt;
}

// Moves the pointer to a screen point, kept inside the ClipCursor rectangle; returns where it went.
POINT MoveCursorTo(POINT pt)
{
    UserGuard guard(UserLock());
    pt = ClipToCursorRectLocked(pt);
    Desk().cursor.Store(pt);
    return pt;
}

WPARAM MouseKeyFlags()
{
    WPARAM f = 0;
    if (Desk().asyncKeys[VK_LBUTTON] & 0x80) f |= MK_LBUTTON;
    if (Desk().asyncKeys[VK_RBUTTON] & 0x80) f |= MK_RBUTTON;
    if (Desk().asyncKeys[VK_MBUTTON] & 0x80) f |= MK_MBUTTON;
    if (Desk().asyncKeys[VK_SHIFT] & 0x80) f |= MK_SHIFT;
    if (Desk().asyncKeys[VK_CONTROL] & 0x80) f |= MK_CONTROL;
    return f;
}

struct Target {
    HWND hwnd = nullptr;
    LRESULT hit = HTNOWHERE;
    bool captured = false;
};

// Which window gets a mouse event at a screen point, and where in it.
Target FindTarget(POINT pt)
{
    Target t;
    {
        UserGuard guard(UserLock());
        t.hwnd = CaptureWindowLocked();
    }
    if (t.hwnd) {
        t.captured = true;
        t.hit = HTCLIENT;
        return t;
    }
    t.hwnd = HitTestWindowAt(pt, &t.hit);
    return t;
}

void UpdateMouseTracking(HWND now, LRESULT hit)
{
    HWND leaveTo = nullptr;
    UINT leaveMsg = 0;
    {
        UserGuard guard(UserLock());
        if (Desk().tracking.hwnd && (Desk().tracking.flags & TME_LEAVE)) {
            bool nonClient = (Desk().tracking.flags & TME_NONCLIENT) != 0;
            bool stillIn = Desk().tracking.hwnd == now && (nonClient ? hit != HTCLIENT : hit == HTCLIENT);
            if (!stillIn) {
                leaveTo = Desk().tracking.hwnd;
                leaveMsg = nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE;
                Desk().tracking = MouseTracking();
            }
        }
        Desk().lastMouseWindow = now;
    }
    if (leaveTo)
        PostMessage(leaveTo, leaveMsg, 0, 0);
}

void CALLBACK HoverCheck(HWND, UINT, UINT_PTR, DWORD)
{
    HWND target = nullptr;
    POINT client;
    {
        UserGuard guard(UserLock());
        if (!Desk().tracking.hwnd || !(Desk().tracking.flags & TME_HOVER))
            return;
        int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (std::abs(Desk().cursor.Load().x - Desk().tracking.hoverPt.x) > cx || std::abs(Desk().cursor.Load().y - Desk().tracking.hoverPt.y) > cy) {
            Desk().tracking.hoverPt = Desk().cursor.Load();
            Desk().tracking.hoverStart = MonotonicMs();
            return;
        }
        if (MonotonicMs() - Desk().tracking.hoverStart < Desk().tracking.hoverTime)
            return;
        target = Desk().tracking.hwnd;
        Desk().tracking.flags &= ~TME_HOVER;
        client = Desk().cursor.Load();
    }
    ScreenToClient(target, &client);
    PostMessage(target, WM_MOUSEHOVER, MouseKeyFlags(), MAKELPARAM((SHORT)client.x, (SHORT)client.y));
}

UINT ButtonMessage(MouseButton b, bool down)
{
    switch (b) {
    case MouseButton::Left: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case MouseButton::Right: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case MouseButton::Middle: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return WM_MOUSEMOVE;
    }
}

int ButtonVk(MouseButton b)
{
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

// Turns a button-down into a double click when it follows a click close enough in time and place.
UINT MaybeDoubleClick(HWND hwnd, UINT downMsg, POINT pt, bool nonClient)
{
    UserGuard guard(UserLock());
    DWORD now = TickNow();
    bool same = Desk().lastClick.hwnd == hwnd && Desk().lastClick.downMsg == downMsg && !Desk().lastClick.pairUsed &&
                now - Desk().lastClick.time <= GetDoubleClickTime() &&
                std::abs(pt.x - Desk().lastClick.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                std::abs(pt.y - Desk().lastClick.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    Window* w = FindWindowLocked(hwnd);
    bool wants = nonClient || (w && w->cls && (w->cls->style & CS_DBLCLKS));
    if (same && wants) {
        Desk().lastClick.pairUsed = true;
        return downMsg + 2;  // WM_xBUTTONDBLCLK follows WM_xBUTTONUP
    }
    Desk().lastClick = ClickMemory{hwnd, downMsg, now, pt, false};
    return downMsg;
}


// A button pressed over a disabled window: the cursor asks with HTERROR (the default
// answer beeps) and the pop-up that holds the window disabled comes to the front.
void ClickOnDisabledWindow(HWND hwnd, UINT msg)
{
    SendMessage(hwnd, WM_SETCURSOR, (WPARAM)hwnd, MAKELPARAM((WORD)(SHORT)HTERROR, msg));
    if (HWND popup = EnabledPopupOf(GetAncestor(hwnd, GA_ROOT)))
        SetForegroundWindow(popup);
}

void PostMouse(const Target& t, UINT clientMsg, POINT pt, WPARAM extra)
{
    bool client = t.captured || t.hit == HTCLIENT;
    if (client) {
        POINT c = pt;
        ScreenToClient(t.hwnd, &c);
        PostInputMessage(t.hwnd, clientMsg, MouseKeyFlags() | extra, MAKELPARAM((SHORT)c.x, (SHORT)c.y), pt);
    } else {
        UINT nc = clientMsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        PostInputMessage(t.hwnd, nc, (WPARAM)t.hit, MAKELPARAM((SHORT)pt.x, (SHORT)pt.y), pt);
    }
}

}  // namespace

}  // namespace mivo

using namespace mivo;

// A window answering HTTRANSPARENT lets the event through to what lies beneath it:
// its siblings under the point, then its parent (a group box to the buttons inside it).
HWND mivo::HitTestWindowAt(POINT pt, LRESULT* hit)
{
    HWND found = nullptr;
    *hit = HTNOWHERE;
    for (HWND candidate : WindowsAtPoint(pt)) {
        if (!IsWindow(candidate))
            continue;
        found = candidate;
        // A disabled window is not asked: the pointer over it is an error.
        if (!IsWindowEnabled(candidate)) {
            *hit = HTERROR;
            break;
        }
        *hit = SendMessage(candidate, WM_NCHITTEST, 0, MAKELPARAM((SHORT)pt.x, (SHORT)pt.y));
        if (*hit != HTTRANSPARENT)
            break;
    }
    return found;
}

// Its enabled owned pop-up, or the one a disabled owned pop-up leads to (a message
// box over a modal dialog).
HWND mivo::EnabledPopupOf(HWND disabled)
{
    HWND at = disabled;
    for (int depth = 0; at && depth < 16; ++depth) {
        if (HWND popup = GetWindow(at, GW_ENABLEDPOPUP))
            return popup;
        HWND next = nullptr;
        for (HWND h = GetTopWindow(nullptr); h && !next; h = GetWindow(h, GW_HWNDNEXT))
            if (GetWindow(h, GW_OWNER) == at && IsWindowVisible(h) && !IsWindowEnabled(h))
                next = h;
        at = next;
    }
    return nullptr;
}

void mivo::InjectMouseLeftWindows()
{
    UpdateMouseTracking(nullptr, HTNOWHERE);
}

void mivo::InjectMouseMove(POINT screen)
{
    screen = MoveCursorTo(screen);
    Target t = FindTarget(screen);
    UpdateMouseTracking(t.hwnd, t.hit);
    if (!t.hwnd)
        return;
    if (!t.captured)
        SendMessage(t.hwnd, WM_SETCURSOR, (WPARAM)t.hwnd, MAKELPARAM((WORD)(SHORT)t.hit, WM_MOUSEMOVE));
    if (t.hit != HTERROR)
        PostMouse(t, WM_MOUSEMOVE, screen, 0);
}

void mivo::InjectMouseButton(POINT screen, MouseButton button, bool down)
{
    screen = MoveCursorTo(screen);
    if (Desk().swapButtons && button == MouseButton::Left)
        button = MouseButton::Right;
    else if (Desk().swapButtons && button == MouseButton::Right)
        button = MouseButton::Left;
    int vk = ButtonVk(button);
    if (down)
        Desk().asyncKeys[vk] |= 0x80;
    else
        Desk().asyncKeys[vk] &= (BYTE)~0x80;
    Target t = FindTarget(screen);
    UpdateMouseTracking(t.hwnd, t.hit);
    if (!t.hwnd)
        return;
    UINT msg = ButtonMessage(button, down);
    if (t.hit == HTERROR) {
        if (down)
            ClickOnDisabledWindow(t.hwnd, msg);
        return;
    }
    if (down && !t.captured) {
        HWND top = GetAncestor(t.hwnd, GA_ROOT);
        LRESULT ma = MA_ACTIVATE;
        if (t.hwnd != GetActiveWindow() || GetActiveWindow() != top)
            ma = SendMessage(t.hwnd, WM_MOUSEACTIVATE, (WPARAM)top, MAKELPARAM((WORD)(SHORT)t.hit, msg));
        if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) && GetActiveWindow() != top)
            ActivateByClick(top);
        SendMessage(t.hwnd, WM_SETCURSOR, (WPARAM)t.hwnd, MAKELPARAM((WORD)(SHORT)t.hit, msg));
        if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT)
            return;
    }
    if (down)
        msg = MaybeDoubleClick(t.hwnd, msg, screen, !(t.captured || t.hit == HTCLIENT));
    PostMouse(t, msg, screen, 0);
}

void mivo::InjectMouseWheel(POINT screen, int delta)
{
    POINT cursor = MoveCursorTo(screen);
    // The wheel goes to the focus window, which passes it up if it does not scroll.
    HWND target = GetFocus();
    if (!target) {
        UserGuard guard(UserLock());
        HWND active;
        target = FocusOfForegroundLocked(&active);
        if (!target)
            target = active;
    }
    if (!target)
        target = WindowFromPoint(cursor);
    if (!target)
        return;
    WPARAM wp = MAKEWPARAM((WORD)MouseKeyFlags(), (WORD)(SHORT)delta);
    PostInputMessage(target, WM_MOUSEWHEEL, wp, MAKELPARAM((SHORT)cursor.x, (SHORT)cursor.y), cursor);
}

namespace {

UINT ScanCodeOf(UINT vk)
{
    static const BYTE letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                     0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (vk >= 'A' && vk <= 'Z')
        return letters[vk - 'A'];
    if (vk >= '1' && vk <= '9')
        return 0x02 + (vk - '1');
    if (vk == '0')
        return 0x0B;
    if (vk >= VK_F1 && vk <= VK_F10)
        return 0x3B + (vk - VK_F1);
    switch (vk) {
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return 0x1D;
    case VK_SHIFT: case VK_LSHIFT: return 0x2A;
    case VK_RSHIFT: return 0x36;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_CAPITAL: return 0x3A;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    }
    return 0;
}

bool IsExtendedKey(UINT vk)
{
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RCONTROL: case VK_RMENU:
    case VK_DIVIDE: case VK_NUMLOCK:
        return true;
    }
    return false;
}

HWND KeyboardTarget(bool* sys)
{
    UserGuard guard(UserLock());
    HWND active;
    HWND focus = FocusOfForegroundLocked(&active);
    *sys = false;
    if (focus)
        return focus;
    *sys = true;  // with no focus, keys go to the active window as system keys
    return FindWindowLocked(active) ? active : nullptr;
}

}  // namespace

void mivo::InjectKey(UINT vk, bool down)
{
    vk &= 0xFF;
    bool wasDown = (Desk().asyncKeys[vk] & 0x80) != 0;
    auto setKey = [&](UINT k) {
        if (down)
            Desk().asyncKeys[k] |= 0x80;
        else
            Desk().asyncKeys[k] &= (BYTE)~0x80;
    };
    setKey(vk);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT)
        setKey(VK_SHIFT);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL)
        setKey(VK_CONTROL);
    if (vk == VK_LMENU || vk == VK_RMENU)
        setKey(VK_MENU);
    bool sysNoFocus;
    HWND target = KeyboardTarget(&sysNoFocus);
    if (!target)
        return;
    bool alt = (Desk().asyncKeys[VK_MENU] & 0x80) != 0;
    bool ctrl = (Desk().asyncKeys[VK_CONTROL] & 0x80) != 0;
    bool sys = sysNoFocus || (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU;
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1 | ((LPARAM)ScanCodeOf(vk) << 16);
    if (IsExtendedKey(vk))
        lp |= (LPARAM)1 << 24;
    if (alt)
        lp |= (LPARAM)1 << 29;
    if (down ? wasDown : true)
        lp |= (LPARAM)1 << 30;
    if (!down)
        lp |= (LPARAM)1 << 31;
    PostInputMessage(target, msg, vk, (LPARAM)(DWORD)lp, Desk().cursor.Load());
}

void mivo::InjectText(const std::string& cp949)
{
    bool sys;
    HWND target = KeyboardTarget(&sys);
    if (!target)
        return;
    for (unsigned char c : cp949)
        PostInputMessage(target, WM_CHAR, c, 1, Desk().cursor.Load());
}

void mivo::InjectComposition(const std::string& cp949)
{
    bool sys;
    HWND target = KeyboardTarget(&sys);
    if (!target || sys)
        return;
    std::string previous;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked(target);
        if (!w || w->imeComposition == cp949)
            return;
        previous = w->imeComposition;
        w->imeComposition = cp949;
    }
    const POINT at = Desk().cursor.Load();
    if (previous.empty())
        PostInputMessage(target, WM_IME_STARTCOMPOSITION, 0, 0, at);
    if (cp949.empty()) {
        PostInputMessage(target, WM_IME_ENDCOMPOSITION, 0, 0, at);
        return;
    }
    // wParam is the composition's last character, a double-byte one as lead and trail.
    size_t last = 0;
    for (size_t i = 0; i < cp949.size(); i += IsDBCSLeadByte((BYTE)cp949[i]) && i + 1 < cp949.size() ? 2 : 1)
        last = i;
    WPARAM ch = (BYTE)cp949[last];
    if (last + 1 < cp949.size())
        ch = (ch << 8) | (BYTE)cp949[last + 1];
    PostInputMessage(target, WM_IME_COMPOSITION, ch, GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS, at);
}

// --- TranslateMessage

namespace {

// The character a key makes on a US keyboard with the given modifiers; 0 for none.
int CharOfKey(UINT vk, bool shift, bool ctrl, bool caps)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return (int)(vk - 'A' + 1);
        bool upper = shift != caps;
        return upper ? (int)vk : (int)(vk - 'A' + 'a');
    }
    if (ctrl) {
        if (vk == VK_OEM_4) return 0x1B;
        if (vk == VK_OEM_6) return 0x1D;
        if (vk == VK_OEM_5) return 0x1C;
        if (vk == VK_RETURN) return 0x0A;
        if (vk == VK_BACK) return 0x7F;
        return 0;
    }
    if (vk >= '0' && vk <= '9')
        return shift ? ")!@#$%^&*("[vk - '0'] : (int)vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return (int)('0' + (vk - VK_NUMPAD0));
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_BACK: return '\b';
    case VK_ESCAPE: return 0x1B;
    case VK_OEM_1: return shift ? ':' : ';';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_2: return shift ? '?' : '/';
    case VK_OEM_3: return shift ? '~' : '`';
    case VK_OEM_4: return shift ? '{' : '[';
    case VK_OEM_5: return shift ? '|' : '\\';
    case VK_OEM_6: return shift ? '}' : ']';
    case VK_OEM_7: return shift ? '"' : '\'';
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    }
    return 0;
}

}  // namespace

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    int ch = CharOfKey((UINT)lpMsg->wParam, shift, ctrl, caps);
    if (!ch)
        return FALSE;
    UINT msg = lpMsg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    auto q = CurrentQueue();
    MSG m = *lpMsg;
    m.message = msg;
    m.wParam = (WPARAM)ch;
    UserGuard guard(UserLock());
    // The character comes next, before anything already waiting.
    q->posted.push_front(m);
    WakeQueueLocked(*q);
    return TRUE;
}

// --- key state and cursor

SHORT GetKeyState(int nVirtKey)
{
    UserGuard guard(UserLock());
    BYTE b = KeysOfLocked(CurrentThreadId())[(size_t)(nVirtKey & 0xFF)];
    return (SHORT)(((b & 0x80) ? 0x8000 : 0) | (b & 0x01));
}

SHORT GetAsyncKeyState(int vKey)
{
    return (Desk().asyncKeys[vKey & 0xFF] & 0x80) ? (SHORT)0x8000 : 0;
}

BOOL GetKeyboardState(PBYTE lpKeyState)
{
    if (!lpKeyState)
        return FALSE;
    UserGuard guard(UserLock());
    std::memcpy(lpKeyState, KeysOfLocked(CurrentThreadId()).data(), 256);
    return TRUE;
}

BOOL SetKeyboardState(LPBYTE lpKeyState)
{
    if (!lpKeyState)
        return FALSE;
    UserGuard guard(UserLock());
    std::memcpy(KeysOfLocked(CurrentThreadId()).data(), lpKeyState, 256);
    return TRUE;
}

UINT MapVirtualKey(UINT uCode, UINT uMapType)
{
    switch (uMapType) {
    case MAPVK_VK_TO_VSC:
        return ScanCodeOf(uCode);
    case MAPVK_VSC_TO_VK:
        for (UINT vk = 1; vk < 256; ++vk)
            if (ScanCodeOf(vk) == uCode)
                return vk;
        return 0;
    case MAPVK_VK_TO_CHAR:
        return (UINT)CharOfKey(uCode, false, false, true);
    }
    return 0;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    *lpPoint = Desk().cursor.Load();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y)
{
    InjectMouseMove(POINT{X, Y});
    return TRUE;
}

BOOL ClipCursor(const RECT* lpRect)
{
    UserGuard guard(UserLock());
    DesktopState& d = Desk();
    d.clipped = lpRect != nullptr;
    if (lpRect) {
        d.clip = *lpRect;
        d.cursor.Store(ClipToCursorRectLocked(d.cursor.Load()));
    }
    return TRUE;
}

BOOL GetClipCursor(LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    {
        UserGuard guard(UserLock());
        if (Desk().clipped) {
            *lpRect = Desk().clip;
            return TRUE;
        }
    }
    SIZE s = ScreenSize();
    *lpRect = RECT{0, 0, s.cx, s.cy};
    return TRUE;
}

BOOL SwapMouseButton(BOOL fSwap)
{
    return Desk().swapButtons.exchange(fSwap != FALSE);
}

BOOL DragDetect(HWND hwnd, POINT pt)
{
    // Waits for the mouse to leave the drag rectangle or the button to come up.
    int cx = GetSystemMetrics(SM_CXDRAG), cy = GetSystemMetrics(SM_CYDRAG);
    ClientToScreen(hwnd, &pt);
    RECT r{pt.x - cx, pt.y - cy, pt.x + cx + 1, pt.y + cy + 1};
    MSG msg;
    SetCapture(hwnd);
    BOOL dragged = FALSE;
    while (GetCapture() == hwnd) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            POINT p = msg.pt;
            if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) {
                dragged = TRUE;
                break;
            }
            continue;
        }
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return dragged;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT e)
{
    if (!e)
        return FALSE;
    if (e->dwFlags & TME_QUERY) {
        UserGuard guard(UserLock());
        e->dwFlags = Desk().tracking.flags;
        e->hwndTrack = Desk().tracking.hwnd;
        e->dwHoverTime = Desk().tracking.hoverTime;
        return TRUE;
    }
    if (!IsWindow(e->hwndTrack))
        return FALSE;
    if (e->dwFlags & TME_CANCEL) {
        UserGuard guard(UserLock());
        if (Desk().tracking.hwnd == e->hwndTrack) {
            Desk().tracking.flags &= ~(e->dwFlags & (TME_HOVER | TME_LEAVE));
            if (!(Desk().tracking.flags & (TME_HOVER | TME_LEAVE)))
                Desk().tracking = MouseTracking();
        }
        return TRUE;
    }
    bool postLeave = false;
    {
        UserGuard guard(UserLock());
        // Tracking a window the mouse is not over ends at once with WM_MOUSELEAVE.
        if ((e->dwFlags & TME_LEAVE) && Desk().lastMouseWindow != e->hwndTrack) {
            postLeave = true;
        } else {
            if (Desk().tracking.hwnd != e->hwndTrack)
                Desk().tracking = MouseTracking();
            Desk().tracking.hwnd = e->hwndTrack;
            Desk().tracking.flags |= e->dwFlags & (TME_HOVER | TME_LEAVE | TME_NONCLIENT);
            if (e->dwFlags & TME_HOVER) {
                Desk().tracking.hoverTime = e->dwHoverTime == HOVER_DEFAULT ? 400 : e->dwHoverTime;
                Desk().tracking.hoverStart = MonotonicMs();
                Desk().tracking.hoverPt = Desk().cursor.Load();
            }
        }
    }
    if (postLeave)
        PostMessage(e->hwndTrack, (e->dwFlags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    if ((e->dwFlags & TME_HOVER) && !postLeave)
        Desk().hoverTimer = SetTimer(nullptr, Desk().hoverTimer, 50, HoverCheck);
    return TRUE;
}

void keybd_event(BYTE bVk, BYTE, DWORD dwFlags, ULONG_PTR)
{
    InjectKey(bVk, !(dwFlags & KEYEVENTF_KEYUP));
}

void mouse_event(DWORD dwFlags, DWORD dx, DWORD dy, DWORD dwData, ULONG_PTR)
{
    POINT pt = Desk().cursor.Load();
    if (dwFlags & MOUSEEVENTF_MOVE) {
        if (dwFlags & MOUSEEVENTF_ABSOLUTE) {
            SIZE s = ScreenSize();
            pt = POINT{(LONG)((uint64_t)dx * (uint64_t)s.cx / 65536), (LONG)((uint64_t)dy * (uint64_t)s.cy / 65536)};
        } else {
            pt.x += (LONG)dx;
            pt.y += (LONG)dy;
        }
        InjectMouseMove(pt);
    }
    if (dwFlags & MOUSEEVENTF_LEFTDOWN) InjectMouseButton(pt, MouseButton::Left, true);
    if (dwFlags & MOUSEEVENTF_LEFTUP) InjectMouseButton(pt, MouseButton::Left, false);
    if (dwFlags & MOUSEEVENTF_RIGHTDOWN) InjectMouseButton(pt, MouseButton::Right, true);
    if (dwFlags & MOUSEEVENTF_RIGHTUP) InjectMouseButton(pt, MouseButton::Right, false);
    if (dwFlags & MOUSEEVENTF_MIDDLEDOWN) InjectMouseButton(pt, MouseButton::Middle, true);
    if (dwFlags & MOUSEEVENTF_MIDDLEUP) InjectMouseButton(pt, MouseButton::Middle, false);
    if (dwFlags & MOUSEEVENTF_WHEEL) InjectMouseWheel(pt, (int)(LONG)dwData);
}

// --- input method modes, recorded per window

HIMC ImmGetContext(HWND hWnd)
{
    return IsWindow(hWnd) ? (HIMC)hWnd : nullptr;
}

BOOL ImmReleaseContext(HWND, HIMC)
{
    return TRUE;
}

HIMC ImmAssociateContext(HWND hWnd, HIMC)
{
    return ImmGetContext(hWnd);
}

BOOL ImmGetConversionStatus(HIMC hIMC, LPDWORD lpfdwConversion, LPDWORD lpfdwSentence)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked((HWND)hIMC);
    if (!w)
        return FALSE;
    if (lpfdwConversion)
        *lpfdwConversion = w->imeConversion;
    if (lpfdwSentence)
        *lpfdwSentence = w->imeSentence;
    return TRUE;
}

BOOL ImmSetConversionStatus(HIMC hIMC, DWORD fdwConversion, DWORD fdwSentence)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked((HWND)hIMC);
    if (!w)
        return FALSE;
    w->imeConversion = fdwConversion;
    w->imeSentence = fdwSentence;
    return TRUE;
}

LONG ImmGetCompositionString(HIMC hIMC, DWORD dwIndex, LPVOID lpBuf, DWORD dwBufLen)
{
    std::string text;
    {
        UserGuard guard(UserLock());
        Window* w = FindWindowLocked((HWND)hIMC);
        if (!w)
            return IMM_ERROR_GENERAL;
        if (dwIndex != GCS_COMPSTR)
            return 0;
        text = w->imeComposition;
    }
    if (!lpBuf || dwBufLen == 0)
        return (LONG)text.size();
    const size_t n = std::min<size_t>(text.size(), dwBufLen);
    std::memcpy(lpBuf, text.data(), n);
    return (LONG)n;
}

LONG ImmGetCompositionStringA(HIMC hIMC, DWORD dwIndex, LPVOID lpBuf, DWORD dwBufLen)
{
    return ImmGetCompositionString(hIMC, dwIndex, lpBuf, dwBufLen);
}

BOOL ImmGetOpenStatus(HIMC hIMC)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked((HWND)hIMC);
    return w && w->imeOpen;
}

BOOL ImmSetOpenStatus(HIMC hIMC, BOOL fOpen)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked((HWND)hIMC);
    if (!w)
        return FALSE;
    w->imeOpen = fOpen != FALSE;
    return TRUE;
}
