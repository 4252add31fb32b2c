#include "dialogs/DialogButtons.h"

#include "res/resource.h"

namespace {
const short kBackgroundLift = 50;
}

void SetupDialogButton(CImageButton& button, int icon)
{
    if (icon)
        button.SetIcon(icon);
    button.SetNormalBorder(TRUE);
    button.SetBtnCursor(IDC_TESSERIN_HAND, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kBackgroundLift, TRUE);
}
