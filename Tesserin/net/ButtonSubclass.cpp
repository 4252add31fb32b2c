#include "net/ButtonSubclass.h"

namespace ft {

BOOL SubclassShadeButton(CShadeButton& button, UINT id, CWnd* dialog)
{
    if (!button.SubclassDlgItem(id, dialog))
        return FALSE;
    button.SetShade(CShadeButton::SHS_SOFTBUMP, 8, 20, 20, RGB(90, 110, 160));
    return TRUE;
}

}  // namespace ft
