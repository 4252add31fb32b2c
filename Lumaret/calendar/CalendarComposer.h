// CCalendarComposer: one calendar page from a background, the user's picture and the inputs of
// the make-calendar dialog: the picture placed in its box, the year, month and description
// texts, then the day grid. The worker of the dialog calls it with a copy of the inputs taken
// when the composition started, so the user may change the controls meanwhile.
#pragma once

#include "mfc.h"

#include "calendar/CalendarForms.h"

class CImageObject;

struct CalendarComposeInput {
    CalendarForm form;
    CString strYear;
    CString strMonth;
    CString strYearFace;
    CString strMonthFace;
    CString strDayFace;
    CString strDescFace;
    CString strDescText;
    int nYearSize = 0;
    int nMonthSize = 0;
    int nDescSize = 0;
    int nTransparency = 0;
    BOOL bStretch = FALSE;
    BOOL bCrop = FALSE;
};

class CCalendarComposer {
public:
    // A new page (the caller owns it) drawn on a copy of back; null without pixels. A non-zero
    // *stop ends the work between steps and gives null.
    static CImageObject* Compose(CImageObject& back, CImageObject* picture, const CalendarComposeInput& in,
                                 CWnd* wnd, const volatile int* stop);
    // Puts the picture into the template's box by the fit mode; a box under 2 x 2 or an empty
    // picture places nothing.
    static void PlacePicture(CImageObject& page, CImageObject& picture, const CalendarForm& form, int transparency,
                             BOOL stretch, BOOL crop);
    // Digit height of the composed day numbers: two fifths of a cell.
    static int DigitHeight(const CalendarForm& form);
};
