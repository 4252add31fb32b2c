// CCalendarPainter: what the template editor's preview and the composition draw alike: texts
// in the calendar's font record, and the day grid (segment lines and day numbers) of a month.
// Only the digit height differs between the two, so the caller passes it.
#pragma once

#include "mfc.h"

#include <initializer_list>

class CImageObject;
class CMonthLayout;
struct CalendarForm;

class CCalendarPainter {
public:
    enum {
        SUNDAY_COLOR = 0x0000FF,
        SATURDAY_COLOR = 0xFF0000,
        WEEKDAY_COLOR = 0x000000,
        NEIGHBOUR_OPACITY = 20,
        LINE_WIDTH = 3,
        INSET_DIVISOR = 25,
        KEY_COLOR = 0xFFFFFF
    };

    // Weight 400, character set 1, pitch and family 0x31, the face cut to 31 bytes on a
    // character boundary.
    static LOGFONT MakeFont(const CString& face, int height);
    // The text at (x, y), white keyed out, at the opacity.
    static void DrawText(CImageObject& image, const CString& text, int x, int y, const CString& face, int height,
                         COLORREF colour, int opacity, CWnd* wnd);
    // Cell width and height of the template's day area.
    static int CellWidth(const CalendarForm& form);
    static int CellHeight(const CalendarForm& form);
    // The segment lines (when the template asks for them), then the 42 day numbers.
    static void DrawDayGrid(CImageObject& image, const CalendarForm& form, const CMonthLayout& layout,
                            const CString& dayFace, int digitHeight, CWnd* wnd);
    static void DrawGridLines(CImageObject& image, const CalendarForm& form);
};

// Adds every font family of the screen to each combo box (the calendar windows' face lists).
void AddCalendarFaceNames(CWnd& wnd, std::initializer_list<CComboBox*> combos);
