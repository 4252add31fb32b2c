// Modal dialogs: the loop that runs them with their owner disabled, and EndDialog.
#include "dialogs/DialogInternal.h"
#include "win32/input.h"

namespace mivo {

namespace {

void EnableOwnerAgain(DialogState& state)
{
    HWND owner = state.ownerToEnable;
    state.ownerToEnable = nullptr;
    if (!owner || !IsWindow(owner))
        return;
    // A dialog owner gets back the control it had when it takes the activation again.
    auto ownerState = FindDialogState(owner);
    if (ownerState && state.ownerFocus && IsChild(owner, state.ownerFocus))
        ownerState->focusSave = state.ownerFocus;
    EnableWindow(owner, TRUE);
}

// Disabling the owner took its focus; the control that had it gets it back.
void RestoreOwnerFocus(const DialogState& state)
{
    HWND focus = state.ownerFocus;
    if (!focus || !IsWindow(focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus) || GetFocus() == focus)
        return;
    HWND root = GetAncestor(focus, GA_ROOT);
    if (GetActiveWindow() != root || !IsWindowEnabled(root))
        return;
    if (FindDialogState(root))
        DialogSetFocus(root, focus);
    else
        SetFocus(focus);
}

INT_PTR RunModalLoop(HWND hDlg)
{
    auto state = FindDialogState(hDlg);
    if (!state)
        return -1;
    HWND owner = GetWindow(hDlg, GW_OWNER);
    bool waitingToShow = !(GetWindowLong(hDlg, GWL_STYLE) & WS_VISIBLE);
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!state->ended) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // The dialog appears once everything its start queued has run.
            if (waitingToShow) {
                waitingToShow = false;
                ShowWindow(hDlg, SW_SHOWNORMAL);
                UpdateWindow(hDlg);
                continue;
            }
            if (owner && !(GetWindowLong(hDlg, GWL_STYLE) & DS_NOIDLEMSG))
                SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)hDlg);
            if (state->ended || !IsWindow(hDlg))
                break;
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                quit = true;
                quitCode = (int)msg.wParam;
                break;
            }
        } else if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = (int)msg.wParam;
            break;
        }
        if (!IsWindow(hDlg))
            break;
        if (!IsDialogMessage(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (!IsWindow(hDlg))
            break;
    }
    if (quit)
        PostQuitMessage(quitCode);  // the application's own loop must see it too
    INT_PTR result = state->ended ? state->result : (quit ? 0 : -1);
    EnableOwnerAgain(*state);
    if (IsWindow(hDlg))
        DestroyWindow(hDlg);
    RestoreOwnerFocus(*state);
    return result;
}

}  // namespace

}  // namespace mivo

using namespace mivo;

INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    HWND hDlg = CreateDialogFromTemplate(hInstance, hDialogTemplate, kIndirectTemplateLimit, hWndParent,
                                         lpDialogFunc, dwInitParam, true);
    if (!hDlg)
        return -1;
    return RunModalLoop(hDlg);
}

INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam)
{
    const void* data = nullptr;
    size_t size = 0;
    HINSTANCE owner = hInstance;
    if (!FindDialogTemplate(hInstance, lpTemplateName, &data, &size, &owner))
        return -1;
    HWND hDlg = CreateDialogFromTemplate(owner, data, size, hWndParent, lpDialogFunc, dwInitParam, true);
    if (!hDlg)
        return -1;
    return RunModalLoop(hDlg);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    auto state = FindDialogState(hDlg);
    if (!state)
        return FALSE;
    state->result = nResult;
    state->ended = true;
    // The owner comes back first so that it takes the activation the dialog gives up.
    EnableOwnerAgain(*state);
    if (IsWindowVisible(hDlg))
        SetWindowPos(hDlg, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    PostMessage(hDlg, WM_NULL, 0, 0);  // wakes the modal loop
    return TRUE;
}
