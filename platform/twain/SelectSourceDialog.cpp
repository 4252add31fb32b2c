#include "twain/SelectSourceDialog.h"

#include "mivo/testing/twain.h"
#include "res/resource.h"
#include "win32/controls.h"
#include "win32/user.h"
#include "win32/dialogs.h"
#include "win32/msgbox.h"

#include <mutex>

namespace mivo::twain {

namespace {

std::mutex g_hookLock;
TwainSelectionHook g_hook;

}  // namespace

int SelectSourceDialog::Run(HWND owner)
{
    TwainSelectionHook hook;
    {
        std::lock_guard<std::mutex> hold(g_hookLock);
        hook = g_hook;
    }
    if (hook) {
        int chosen = hook(m_names);
        return chosen >= 0 && chosen < (int)m_names.size() ? chosen : -1;
    }
    INT_PTR result = DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_TWAIN_SELECT), owner, Proc, (LPARAM)this);
    return result == IDOK ? m_choice : -1;
}

void SelectSourceDialog::Fill(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_TWAIN_SOURCE_LIST);
    for (const std::string& name : m_names)
        SendMessage(list, LB_ADDSTRING, 0, (LPARAM)name.c_str());
    SendMessage(list, LB_SETCURSEL, m_choice >= 0 ? m_choice : 0, 0);
    EnableWindow(GetDlgItem(dialog, IDOK), !m_names.empty());
}

void SelectSourceDialog::Choose(HWND dialog)
{
    LRESULT selected = SendDlgItemMessage(dialog, IDC_TWAIN_SOURCE_LIST, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    m_choice = (int)selected;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SelectSourceDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        ((SelectSourceDialog*)lParam)->Fill(dialog);
        return TRUE;
    }
    auto* self = (SelectSourceDialog*)GetWindowLongPtr(dialog, DWLP_USER);
    if (!self || message != WM_COMMAND)
        return FALSE;
    bool doubleClicked = LOWORD(wParam) == IDC_TWAIN_SOURCE_LIST && HIWORD(wParam) == LBN_DBLCLK;
    if (LOWORD(wParam) == IDOK || doubleClicked) {
        self->Choose(dialog);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace mivo::twain

namespace mivo {

TwainSelectionHook SetTwainSelectionHook(TwainSelectionHook hook)
{
    std::lock_guard<std::mutex> hold(twain::g_hookLock);
    std::swap(hook, twain::g_hook);
    return hook;
}

}  // namespace mivo
