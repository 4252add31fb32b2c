// How the message box function reaches the dialog that shows a box on screen.
#pragma once

#include "win32/types.h"

namespace mivo {

// Shows the box on screen; installed by the dialog manager. Without it (and
// without a hook) the text goes to standard error and the default button answers.
using MessageBoxPresenter = int (*)(HWND owner, const char* text, const char* caption, UINT type);
void SetMessageBoxPresenter(MessageBoxPresenter presenter);

// The button a box answers with when nobody can be asked: its default button.
int DefaultMessageBoxAnswer(UINT type);

}  // namespace mivo
