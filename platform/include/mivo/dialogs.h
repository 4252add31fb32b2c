// Dialog initialisation data and dialog units, for the framework's dialogs.
#pragma once

#include "win32/types.h"

#include <cstddef>
#include <string>

namespace mivo {

// Fills the dialog's controls from a DLGINIT resource (the framework's
// initialisation data): list box and combo box strings. `data` is the
// resource's bytes; returns false when they are damaged (what came before the
// damage is applied).
bool ApplyDialogInit(HWND hDlg, const void* data, size_t size);
// Looks the DLGINIT resource named like the dialog template up (module, then
// the chain) and applies it; true when there is none.
bool ExecuteDialogInit(HWND hDlg, HINSTANCE instance, LPCSTR templateName);

// The pixel size of dialog units for a template font, as the dialog manager
// computes it: horizontal base units per 4 DLU, vertical per 8 DLU.
SIZE DialogBaseUnitsForFont(const std::u16string& face, WORD pointSize);

}  // namespace mivo
