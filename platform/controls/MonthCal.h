// The "SysMonthCal32" control's state and geometry; layout and painting in
// MonthCalLayout.cpp, the window procedure in MonthCal.cpp.
#pragma once

#include "controls/BarsInternal.h"
#include "controls/MonthCalDate.h"

#include <vector>

namespace mivo {

const int kColorCount = 6;
const int kRows = 6;

struct MonthGeometry {
    RECT title, prev, next, names, days, today;
    int cellW, cellH;
};

class MonthCalState {
public:
    CalendarDate selected;
    CalendarDate shown;  // its year and month are on display
    CalendarDate today;
    bool todaySet = false;
    int firstDay = 6;  // the control's numbering: 0 Monday .. 6 Sunday
    COLORREF colors[kColorCount] = {CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT};
    DWORD rangeFlags = 0;
    CalendarDate rangeMin, rangeMax;
    int monthDelta = 0;  // 0: one month
    int maxSelCount = 7;
    bool pressedOnDate = false;
    std::vector<MONTHDAYSTATE> dayStates;

    explicit MonthCalState(HWND)
    {
        SYSTEMTIME now;
        GetLocalTime(&now);
        CalendarDate::FromSystemTime(now, &today);
        selected = shown = today;
    }

    bool InRange(const CalendarDate& d) const
    {
        if ((rangeFlags & GDTR_MIN) && d < rangeMin)
            return false;
        if ((rangeFlags & GDTR_MAX) && rangeMax < d)
            return false;
        return true;
    }

    // The date in the grid's first cell.
    CalendarDate GridStart() const
    {
        CalendarDate first = shown;
        first.day = 1;
        int sundayBased = (firstDay + 1) % 7;  // 0 Sunday
        int back = (first.DayOfWeek() - sundayBased + 7) % 7;
        return first.AddDays(-back);
    }
};

// The colour of an MCSC_ slot, the system's when none was set.
COLORREF MonthCalColor(const MonthCalState& mc, int index);
// Where the title, its buttons, the weekday names, the days and the today line are.
MonthGeometry MeasureMonthCal(HWND hwnd);
// The MCHT_ code under a client point and the date there, if any.
UINT MonthCalHitTest(HWND hwnd, const MonthCalState& mc, POINT pt, CalendarDate* date);
void PaintMonthCal(HWND hwnd, MonthCalState& mc, HDC hdc);

}  // namespace mivo
