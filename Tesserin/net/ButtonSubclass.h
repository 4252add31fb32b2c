// The transfer dialogs' buttons: shaded buttons over the template's push buttons.
#pragma once

#include "controls/ShadeButton.h"

namespace ft {

BOOL SubclassShadeButton(CShadeButton& button, UINT id, CWnd* dialog);

}  // namespace ft
