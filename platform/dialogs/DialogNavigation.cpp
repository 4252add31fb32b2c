// Keyboard navigation in dialogs: Tab and Shift+Tab over tab stops, arrows
// within groups, Enter and Escape, mnemonics; and IsDialogMessage around them.
#include "dialogs/DialogInternal.h"
#include "win32/controls.h"
#include "win32/input.h"
#include "win32/msgbox.h"

#include <vector>

namespace mivo {

namespace {

LONG StyleOf(HWND h)
{
    return GetWindowLong(h, GWL_STYLE);
}

// The dialog's controls in tab order; children that are control parents
// (nested dialogs, property pages) stand for their own controls.
void CollectControls(HWND parent, std::vector<HWND>& out, int depth = 0)
{
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG style = StyleOf(c);
        if ((GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && depth < 16) {
            if ((style & WS_VISIBLE) && !(style & WS_DISABLED))
                CollectControls(c, out, depth + 1);
            continue;
        }
        out.push_back(c);
    }
}

// Visible and enabled as far as the dialog is concerned: the dialog itself may still be hidden.
bool Usable(HWND hDlg, HWND h)
{
    for (HWND w = h; w && w != hDlg; w = GetParent(w)) {
        LONG style = StyleOf(w);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
            return false;
        if (!(style & WS_CHILD))
            break;
    }
    return true;
}

// The entry of `list` that is `h` or contains it (the edit inside a combo box).
int IndexOf(const std::vector<HWND>& list, HWND h)
{
    for (HWND w = h; w; w = GetParent(w)) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == w)
                return (int)i;
        if (!(StyleOf(w) & WS_CHILD))
            break;
    }
    return -1;
}

HWND Step(const std::vector<HWND>& list, int start, int from, int to, bool previous, HWND hDlg, LONG needStyle)
{
    int count = to - from;
    if (count <= 0)
        return nullptr;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = previous ? i - 1 : i + 1;
        if (i < from)
            i = to - 1;
        if (i >= to)
            i = from;
        HWND c = list[(size_t)i];
        if (Usable(hDlg, c) && (StyleOf(c) & needStyle) == needStyle)
            return c;
    }
    return nullptr;
}

bool IsButtonClass(HWND h)
{
    char name[16];
    return GetClassName(h, name, sizeof(name)) > 0 && lstrcmpi(name, "Button") == 0;
}

bool IsStaticClass(HWND h)
{
    char name[16];
    return GetClassName(h, name, sizeof(name)) > 0 && lstrcmpi(name, "Static") == 0;
}

// The letter after a single '&' in a control's text, upper-cased; 0 when none.
char MnemonicOf(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = (unsigned char)text[i];
        if (c >= 0x81 && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (c != '&' || i + 1 >= text.size())
            continue;
        unsigned char next = (unsigned char)text[i + 1];
        if (next == '&') {
            ++i;
            continue;
        }
        if (next >= 0x80)
            return 0;
        return (char)((next >= 'a' && next <= 'z') ? next - 32 : next);
    }
    return 0;
}

bool HasMnemonicText(HWND h)
{
    if (IsStaticClass(h)) {
        LONG type = StyleOf(h) & SS_TYPEMASK;
        return !(StyleOf(h) & SS_NOPREFIX) && (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP);
    }
    if (IsButtonClass(h))
        return (StyleOf(h) & BS_TYPEMASK) != BS_OWNERDRAW && (StyleOf(h) & BS_TYPEMASK) != BS_GROUPBOX;
    return false;
}

// Runs the control a mnemonic names. True when one matched.
bool DoMnemonic(HWND hDlg, HWND from, char key)
{
    if (key >= 'a' && key <= 'z')
        key = (char)(key - 32);
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    if (list.empty())
        return false;
    int start = IndexOf(list, from);
    if (start < 0)
        start = (int)list.size() - 1;
    for (size_t n = 1; n <= list.size(); ++n) {
        HWND c = list[(start + n) % list.size()];
        if (!HasMnemonicText(c) || MnemonicOf(WindowTextOf(c)) != key)
            continue;
        if (IsStaticClass(c)) {
            // A label hands over to the next control that can take the focus.
            int at = IndexOf(list, c);
            HWND target = Step(list, at, 0, (int)list.size(), false, hDlg, WS_TABSTOP);
            if (!target)
                target = Step(list, at, 0, (int)list.size(), false, hDlg, 0);
            if (target)
                DialogSetFocus(hDlg, target);
            return true;
        }
        if (!Usable(hDlg, c))
            continue;
        UINT code = DialogCode(c);
        if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            SendMessage(c, BM_CLICK, 0, 0);
        } else {
            DialogSetFocus(hDlg, c);
            SendMessage(c, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

void SendButtonCommand(HWND hDlg, int id, HWND button)
{
    SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

void PressDefault(HWND hDlg, HWND focus, UINT code)
{
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
        SendButtonCommand(hDlg, GetDlgCtrlID(focus), focus);
        return;
    }
    LRESULT def = SendMessage(hDlg, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) {
        HWND button = GetDlgItem(hDlg, LOWORD(def));
        if (button && !IsWindowEnabled(button)) {
            MessageBeep(0);
            return;
        }
        SendButtonCommand(hDlg, LOWORD(def), button);
        return;
    }
    SendButtonCommand(hDlg, IDOK, GetDlgItem(hDlg, IDOK));
}

void MoveInGroup(HWND hDlg, HWND focus, bool previous)
{
    HWND next = GetNextDlgGroupItem(hDlg, focus, previous);
    if (!next || next == focus)
        return;
    DialogSetFocus(hDlg, next);
    // Arrowing onto an automatic radio button selects it.
    if ((DialogCode(next) & DLGC_RADIOBUTTON) && (StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
        SendMessage(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
        SendMessage(next, BM_CLICK, 0, 0);
}

// A key the dialog takes for itself; false leaves it to the control.
bool HandleKey(HWND hDlg, const MSG& msg, UINT code)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (msg.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        // Moved here rather than by WM_NEXTDLGCTL, which only a dialog's procedure knows.
        if (HWND next = GetNextDlgTabItem(hDlg, GetFocus(), shift))
            DialogSetFocus(hDlg, next);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS)
            return false;
        MoveInGroup(hDlg, msg.hwnd, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        return true;
    case VK_RETURN:
    case VK_EXECUTE:
        PressDefault(hDlg, msg.hwnd, code);
        return true;
    case VK_ESCAPE:
        SendButtonCommand(hDlg, IDCANCEL, GetDlgItem(hDlg, IDCANCEL));
        return true;
    }
    return false;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    if (list.empty())
        return nullptr;
    int at = (hCtl && hCtl != hDlg) ? IndexOf(list, hCtl) : -1;
    if (at < 0)
        at = bPrevious ? 0 : (int)list.size() - 1;
    HWND found = Step(list, at, 0, (int)list.size(), bPrevious != FALSE, hDlg, WS_TABSTOP);
    if (found)
        return found;
    return (hCtl && hCtl != hDlg) ? hCtl : nullptr;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> list;
    CollectControls(hDlg, list);
    if (list.empty())
        return nullptr;
    int at = (hCtl && hCtl != hDlg) ? IndexOf(list, hCtl) : -1;
    if (at < 0)
        at = 0;
    int from = at;
    while (from > 0 && !(StyleOf(list[(size_t)from]) & WS_GROUP))
        --from;
    int to = at + 1;
    while (to < (int)list.size() && !(StyleOf(list[(size_t)to]) & WS_GROUP))
        ++to;
    HWND found = Step(list, at, from, to, bPrevious != FALSE, hDlg, 0);
    return found ? found : hCtl;
}

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    if (!hDlg || !lpMsg || !IsWindow(hDlg))
        return FALSE;
    MSG& msg = *lpMsg;
    if (msg.hwnd != hDlg && !IsChild(hDlg, msg.hwnd))
        return FALSE;
    switch (msg.message) {
    case WM_KEYDOWN: {
        UINT code = DialogCode(msg.hwnd, &msg);
        if (!(code & DLGC_WANTMESSAGE) && HandleKey(hDlg, msg, code))
            return TRUE;
        break;
    }
    case WM_CHAR: {
        UINT code = DialogCode(msg.hwnd, &msg);
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))
            break;
        if (msg.wParam == '\t' || msg.wParam == '\r' || msg.wParam == 27)
            return TRUE;  // already handled as keys
        if (msg.wParam > ' ' && msg.wParam < 0x80 && DoMnemonic(hDlg, msg.hwnd, (char)msg.wParam))
            return TRUE;
        break;
    }
    case WM_SYSCHAR:
        if (msg.wParam > ' ' && msg.wParam < 0x80 && DoMnemonic(hDlg, msg.hwnd, (char)msg.wParam))
            return TRUE;
        break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return TRUE;
}
