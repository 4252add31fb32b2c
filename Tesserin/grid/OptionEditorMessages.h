// The key and focus protocol both option editors share with the options grid.
#pragma once

#include "mfc.h"

// Enter, Escape and a lost focus become a WM_USER request to the grid, which
// may delete the editor while it answers: nothing of the editor is read after
// the send. `callBase` runs the editor's base control on the message.
template <class CallBase>
LRESULT RouteOptionEditorMessage(HWND editor, const BOOL& closing, UINT message, WPARAM wParam, CallBase callBase)
{
    switch (message) {
    case WM_GETDLGCODE: return callBase() | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            ::SendMessage(::GetParent(editor), WM_USER, wParam, (LPARAM)editor);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT result = callBase();
        if (!closing)
            ::SendMessage(::GetParent(editor), WM_USER, 0, (LPARAM)editor);
        return result;
    }
    }
    return callBase();
}
