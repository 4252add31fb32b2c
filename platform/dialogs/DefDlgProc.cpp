// The dialog window procedure: the dialog procedure's answers, the focus kept
// across activation, default push buttons, WM_NEXTDLGCTL and the dialog class.
#include "dialogs/DialogInternal.h"
#include "win32/controls.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/msgbox.h"
#include "win32/uidraw.h"

namespace mivo {

namespace {

bool ReturnsDirectly(UINT msg)
{
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
           msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
}

bool IsPushButtonCode(UINT code)
{
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void SetButtonType(HWND button, DWORD type)
{
    SendMessage(button, BM_SETSTYLE, type, TRUE);
}

// Every direct or nested control of the dialog that shows the default look.
void ClearDefaultLook(HWND hDlg, HWND except)
{
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c != except && (DialogCode(c) & DLGC_DEFPUSHBUTTON))
            SetButtonType(c, BS_PUSHBUTTON);
        if (GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            ClearDefaultLook(c, except);
    }
}

HWND FindDefaultLookButton(HWND hDlg)
{
    for (HWND c = GetWindow(hDlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (DialogCode(c) & DLGC_DEFPUSHBUTTON)
            return c;
        if (GetWindowLong(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            if (HWND inner = FindDefaultLookButton(c))
                return inner;
    }
    return nullptr;
}

LRESULT GetDefId(HWND hDlg)
{
    auto state = FindDialogState(hDlg);
    if (state && state->defId)
        return MAKELRESULT(state->defId, DC_HASDEFID);
    if (HWND b = FindDefaultLookButton(hDlg))
        return MAKELRESULT(GetDlgCtrlID(b), DC_HASDEFID);
    return 0;
}

LRESULT SetDefId(HWND hDlg, WORD id)
{
    auto state = FindDialogState(hDlg);
    if (!state)
        return FALSE;
    HWND next = GetDlgItem(hDlg, id);
    ClearDefaultLook(hDlg, next);
    state->defId = id;
    if (next && (DialogCode(next) & DLGC_UNDEFPUSHBUTTON))
        SetButtonType(next, BS_DEFPUSHBUTTON);
    return TRUE;
}

void NextControl(HWND hDlg, WPARAM wParam, LPARAM lParam)
{
    HWND target;
    if (LOWORD(lParam))
        target = (HWND)wParam;
    else
        target = GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
    if (target && IsWindow(target))
        DialogSetFocus(hDlg, target);
}

void EraseWithDialogBrush(HWND hDlg, HDC hdc)
{
    HBRUSH brush = (HBRUSH)SendMessage(hDlg, WM_CTLCOLORDLG, (WPARAM)hdc, (LPARAM)hDlg);
    if (!brush)
        return;
    RECT rc;
    GetClientRect(hDlg, &rc);
    FillRect(hdc, &rc, brush);
}

void CloseAsCancel(HWND hDlg)
{
    HWND cancel = GetDlgItem(hDlg, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
}

LRESULT DefaultHandling(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        EraseWithDialogBrush(hDlg, (HDC)wParam);
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            RestoreDialogFocus(hDlg);
        else
            SaveDialogFocus(hDlg);
        return 0;
    case WM_SETFOCUS:
        RestoreDialogFocus(hDlg);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            SaveDialogFocus(hDlg);
        return DefWindowProc(hDlg, msg, wParam, lParam);
    case WM_CLOSE:
        CloseAsCancel(hDlg);
        return 0;
    case WM_NEXTDLGCTL:
        NextControl(hDlg, wParam, lParam);
        return 0;
    case DM_GETDEFID:
        return GetDefId(hDlg);
    case DM_SETDEFID:
        return SetDefId(hDlg, (WORD)wParam);
    case DM_REPOSITION:
        return 0;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return -1;
    case WM_COMPAREITEM:
    case WM_INITDIALOG:
        return 0;
    case WM_NCDESTROY: {
        LRESULT r = DefWindowProc(hDlg, msg, wParam, lParam);
        DropDialogState(hDlg);
        return r;
    }
    }
    return DefWindowProc(hDlg, msg, wParam, lParam);
}

struct DialogClassRegistrar {
    DialogClassRegistrar()
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
        wc.lpfnWndProc = DefDlgProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = WC_DIALOG;
        RegisterClassEx(&wc);
    }
};

DialogClassRegistrar registrar;

}  // namespace

UINT DialogCode(HWND control, const MSG* msg)
{
    if (!control)
        return 0;
    return (UINT)SendMessage(control, WM_GETDLGCODE, msg ? msg->wParam : 0, (LPARAM)msg);
}

HWND DialogDefaultButton(HWND hDlg)
{
    LRESULT r = SendMessage(hDlg, DM_GETDEFID, 0, 0);
    if (HIWORD(r) != DC_HASDEFID)
        return nullptr;
    return GetDlgItem(hDlg, LOWORD(r));
}

void ShowDefaultButton(HWND hDlg, HWND oldFocus, HWND newFocus)
{
    if (oldFocus == newFocus)
        return;
    UINT newCode = DialogCode(newFocus);
    if (IsPushButtonCode(newCode)) {
        ClearDefaultLook(hDlg, newFocus);
        if (newCode & DLGC_UNDEFPUSHBUTTON)
            SetButtonType(newFocus, BS_DEFPUSHBUTTON);
        return;
    }
    if (!IsPushButtonCode(DialogCode(oldFocus)))
        return;
    // The focus left the push buttons: the dialog's own default button looks default again.
    auto state = FindDialogState(hDlg);
    HWND def = state && state->defId ? GetDlgItem(hDlg, state->defId) : nullptr;
    ClearDefaultLook(hDlg, def);
    if (def && (DialogCode(def) & DLGC_UNDEFPUSHBUTTON))
        SetButtonType(def, BS_DEFPUSHBUTTON);
}

void DialogSetFocus(HWND hDlg, HWND control)
{
    HWND old = GetFocus();
    if (DialogCode(control) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
    ShowDefaultButton(hDlg, old, control);
    // Focusing a control of an inactive dialog activates it first; the activation must restore this control.
    if (auto state = FindDialogState(hDlg))
        state->focusSave = control;
    SetFocus(control);
}

void SaveDialogFocus(HWND hDlg)
{
    auto state = FindDialogState(hDlg);
    HWND focus = GetFocus();
    if (state && focus && IsChild(hDlg, focus))
        state->focusSave = focus;
}

bool RestoreDialogFocus(HWND hDlg)
{
    auto state = FindDialogState(hDlg);
    if (!state || IsIconic(hDlg))
        return false;
    HWND saved = state->focusSave;
    HWND focus = GetFocus();
    if (focus && IsChild(hDlg, focus))
        return true;
    if (saved && IsWindow(saved) && IsChild(hDlg, saved) && IsWindowEnabled(saved)) {
        SetFocus(saved);
        return true;
    }
    HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (!first)
        return false;
    DialogSetFocus(hDlg, first);
    return true;
}

}  // namespace mivo

using namespace mivo;

LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    DLGPROC proc = (DLGPROC)GetWindowLongPtr(hDlg, DWLP_DLGPROC);
    INT_PTR handled = 0;
    if (proc) {
        SetWindowLongPtr(hDlg, DWLP_MSGRESULT, 0);
        handled = proc(hDlg, Msg, wParam, lParam);
    }
    if (handled) {
        if (ReturnsDirectly(Msg))
            return handled;
        return IsWindow(hDlg) ? GetWindowLongPtr(hDlg, DWLP_MSGRESULT) : 0;
    }
    if (!IsWindow(hDlg))
        return 0;
    return DefaultHandling(hDlg, Msg, wParam, lParam);
}
