// The look and the small chores the editor's parameter dialogs share:
// buttons with their pictures, on/off checks, colour swatches, the colour
// dialog and where a child control lies in its dialog.
#pragma once

#include "mfc.h"

class CImageButton;

namespace editor_dialogs {

// A push button with its picture, the hand cursor and a lighter face.
void StyleButton(CImageButton& button, int icon);
// A button without a picture of its own that gets the plain border too.
void StyleColorButton(CImageButton& button);
// An on/off check: the ticked and the empty box, the hand cursor, a border.
void StyleCheck(CImageButton& button, BOOL checked);

// The standard colour dialog opened at `colour`; TRUE and the new colour on OK.
BOOL PickColor(CWnd* parent, COLORREF& colour);

// The child's rectangle in the dialog's client coordinates (empty without it).
CRect ChildRect(CWnd* dialog, int id);
// A swatch: the rectangle filled with the colour inside a thin dark line.
void FillSwatch(CDC* dc, const CRect& rect, COLORREF colour);

// A typed ratio pulled into the range its slider offers.
int ClampRatio(int value, int low, int high);

}  // namespace editor_dialogs
