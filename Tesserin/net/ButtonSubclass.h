// The transfer dialogs' buttons take their look from the dialog template's control.
#pragma once

#include "mfc.h"

namespace ft {

BOOL SubclassShadeButton(CButton& button, UINT id, CWnd* dialog);

}  // namespace ft
