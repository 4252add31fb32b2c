#include "editor/EditorDialogs.h"

#include "controls/ImageButton.h"
#include "resource.h"

namespace editor_dialogs {

namespace {
const short kFaceLift = 50;
}

void StyleButton(CImageButton& button, int icon)
{
    if (icon)
        button.SetIcon(icon);
    button.SetBtnCursor(IDC_HAND_POINTER, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kFaceLift, TRUE);
}

void StyleColorButton(CImageButton& button)
{
    button.SetNormalBorder(TRUE);
    StyleButton(button, 0);
}

void StyleCheck(CImageButton& button, BOOL checked)
{
    button.SetIcon(IDI_CHECK_ON, IDI_CHECK_OFF);
    button.SetBtnCursor(IDC_HAND_POINTER, TRUE);
    button.OffsetColor(CImageButton::COLOR_BK_IN, kFaceLift, TRUE);
    button.DrawBorder(TRUE, TRUE);
    button.SetCheck(checked ? 1 : 0);
}

BOOL PickColor(CWnd* parent, COLORREF& colour)
{
    CColorDialog dialog(colour, CC_RGBINIT | CC_FULLOPEN, parent);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    colour = dialog.GetColor();
    return TRUE;
}

CRect ChildRect(CWnd* dialog, int id)
{
    CRect rect(0, 0, 0, 0);
    CWnd* child = dialog ? dialog->GetDlgItem(id) : nullptr;
    if (!child)
        return rect;
    child->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    return rect;
}

void FillSwatch(CDC* dc, const CRect& rect, COLORREF colour)
{
    if (rect.IsRectEmpty())
        return;
    dc->FillSolidRect(rect, RGB(96, 96, 96));
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    dc->FillSolidRect(inner, colour);
}

int ClampRatio(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

}  // namespace editor_dialogs
