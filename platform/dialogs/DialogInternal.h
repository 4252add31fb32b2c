// What the parts of the dialog manager share: the state kept per dialog window.
#pragma once

#include "win32/user.h"
#include "win32/dialogs.h"
#include "win32/codepage.h"
#include "win32/gditext.h"
#include "win32/paint.h"
#include "win32/rect.h"
#include "dialogs/DialogHost.h"

#include <memory>
#include <string>

namespace mivo {

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;
    SIZE units = {8, 16};      // pixels per 4 horizontal and 8 vertical dialog units
    WORD defId = 0;            // DM_SETDEFID; 0 while none was set
    HWND focusSave = nullptr;  // the control that had the focus when the dialog was left
    bool ended = false;
    INT_PTR result = 0;
    bool modal = false;
    HWND ownerToEnable = nullptr;  // the owner the modal loop disabled
    HWND ownerFocus = nullptr;     // the owner's control that had the focus, for after the loop
};

// The state of a window made by the dialog manager, or null.
std::shared_ptr<DialogState> FindDialogState(HWND hDlg);
std::shared_ptr<DialogState> CreateDialogState(HWND hDlg);
void DropDialogState(HWND hDlg);

// The dialog font for a template font, and its base units.
HFONT CreateDialogFont(const std::u16string& face, WORD pointSize, WORD weight, BYTE italic, BYTE charset);
SIZE SystemDialogUnits();

// Moves the focus to a control as dialog navigation does: edits get their
// text selected and push buttons take the default look while they hold it.
void DialogSetFocus(HWND hDlg, HWND control);
// The control that should get the focus when the dialog gets it back.
void SaveDialogFocus(HWND hDlg);
bool RestoreDialogFocus(HWND hDlg);

// The send to a control of WM_GETDLGCODE, as navigation asks it.
UINT DialogCode(HWND control, const MSG* msg = nullptr);
// The default push button helpers.
HWND DialogDefaultButton(HWND hDlg);
void ShowDefaultButton(HWND hDlg, HWND oldFocus, HWND newFocus);

// The text of a window as it is (CP949).
std::string WindowTextOf(HWND hwnd);

}  // namespace mivo
