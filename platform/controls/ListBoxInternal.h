// What the list box and the combo box share: the "ComboLBox" class is the
// list box code serving a combo box, which hears its notifications.
#pragma once

#include "win32/types.h"

namespace mivo {

extern const char kComboListClass[];

// The list of a combo box is made with the combo's handle as its creation parameter.
// The combo box learns from it that the user picked (ok) or dismissed the dropped list.
void ComboListDismissed(HWND combo, bool ok);
// Whether the combo's list is dropped down now.
bool ComboIsDropped(HWND combo);

}  // namespace mivo
