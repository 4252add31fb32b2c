// Area interface: what MFC's dialog class asks of the dialog manager: templates from the
// resource chain, creation from template bytes, and the end a Windows call gave a dialog.
#pragma once

#include "win32/user.h"
#include "win32/dialogs.h"

#include <cstddef>

namespace mivo {

// A template in memory carries no size; reads stay within a bound no real template reaches.
const size_t kIndirectTemplateLimit = 0x40000;

// Creates a dialog from template bytes; `size` bounds every read.
HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND parent, DLGPROC proc,
                              LPARAM param, bool modal);
// Finds a dialog template: the module's own first, then the resource chain.
bool FindDialogTemplate(HINSTANCE instance, LPCSTR name, const void** data, size_t* size, HINSTANCE* owner);

// Whether EndDialog ended the dialog; its result goes to `result`.
bool DialogEndedWith(HWND hDlg, INT_PTR* result);

}  // namespace mivo
