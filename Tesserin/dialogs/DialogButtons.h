// The look every button of the library's own dialogs shares: the hand cursor, a border in the
// normal state and a lighter background, with an icon where the dialog gives one.
#pragma once

#include "controls/ImageButton.h"

// icon 0 leaves the button without one.
AFX_EXT_API void SetupDialogButton(CImageButton& button, int icon = 0);
