#include "net/ButtonSubclass.h"

namespace ft {

// A plain button until the shaded button class is available.
BOOL SubclassShadeButton(CButton& button, UINT id, CWnd* dialog)
{
    return button.SubclassDlgItem(id, dialog);
}

}  // namespace ft
