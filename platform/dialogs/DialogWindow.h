// The skeleton of the common dialogs, as ControlWindow<State> is the controls':
// the object that runs the dialog is found from the dialog window (a window
// property set on WM_INITDIALOG, removed on WM_NCDESTROY), and the caller's
// hook, where the dialog's structure brings one, sees every message first.
//
// A dialog derives from the skeleton and names it a friend:
//
//     class ColorDialog : public DialogWindow<ColorDialog> {
//         friend class DialogWindow<ColorDialog>;
//         void OnInit();                                   // dlg_ is set by then
//         INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
//         HookFunction HookProc() const;                   // optional: the caller's hook or null
//         LPARAM HookData() const;                         // what the hook's WM_INITDIALOG carries
//         INT_PTR InitAnswer() const;                      // optional: FALSE when OnInit set the focus
//     };
//     RunPlatformDialog(IDD_COLOR_DIALOG, owner, Procedure, (LPARAM)this);
//
// On WM_INITDIALOG the hook's answer replaces InitAnswer's. Any other message goes
// to the hook first; a nonzero answer of the hook ends it there, else Handle.
#pragma once

#include "win32/user.h"

namespace mivo {

template <typename Self>
class DialogWindow {
public:
    typedef UINT_PTR(CALLBACK* HookFunction)(HWND, UINT, WPARAM, LPARAM);

    // The object running the dialog `hDlg`; null before WM_INITDIALOG and from WM_NCDESTROY on.
    static Self* Of(HWND hDlg)
    {
        return (Self*)GetProp(hDlg, kSelfProperty);
    }

    static INT_PTR CALLBACK Procedure(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        Self* self = Of(hDlg);
        if (msg == WM_INITDIALOG) {
            self = (Self*)lParam;
            self->dlg_ = hDlg;
            SetProp(hDlg, kSelfProperty, (HANDLE)self);
            self->OnInit();
            if (HookFunction hook = self->HookProc())
                return (INT_PTR)hook(hDlg, msg, wParam, self->HookData());
            return self->InitAnswer();
        }
        if (self == nullptr)
            return FALSE;
        if (msg == WM_NCDESTROY) {
            RemoveProp(hDlg, kSelfProperty);
            return FALSE;
        }
        if (HookFunction hook = self->HookProc()) {
            UINT_PTR handled = hook(hDlg, msg, wParam, lParam);
            if (handled)
                return (INT_PTR)handled;
        }
        return self->Handle(msg, wParam, lParam);
    }

protected:
    // No hook unless the dialog names one; the dialog's first control takes the focus.
    HookFunction HookProc() const { return nullptr; }
    LPARAM HookData() const { return 0; }
    INT_PTR InitAnswer() const { return TRUE; }

    HWND dlg_ = nullptr;

private:
    static constexpr const char* kSelfProperty = "MivoDialogSelf";
};

}  // namespace mivo
