// What the common dialogs share: the thread's extended error, the layer's
// own templates and strings, and the hook call every dialog makes first.
#pragma once

#include "win32/types.h"
#include "win32/user.h"
#include "win32/dialogs.h"

#include <string>

namespace mivo {

// The value CommDlgExtendedError answers on this thread.
void SetCommonDialogError(DWORD code);

// A string of the layer's resource script (CP949); empty when missing.
std::string PlatformString(UINT id);

// Runs one of the layer's dialog templates modally; -1 when it cannot be made.
INT_PTR RunPlatformDialog(UINT templateId, HWND owner, DLGPROC proc, LPARAM param);

// The pixel rectangle of a rectangle in the dialog's units.
RECT DialogUnitsRect(HWND hDlg, int x, int y, int cx, int cy);

// The CP949 text of a dialog item.
std::string ItemText(HWND hDlg, int id);

}  // namespace mivo
