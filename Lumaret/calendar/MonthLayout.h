// CMonthLayout: the 42 cells of a month page, six weeks of seven days from Sunday, with the last
// days of the month before and the first days of the month after. The template editor's preview
// and the composition both lay their day grid out with it.
#pragma once

#include "mfc.h"

class CMonthLayout {
public:
    enum { CELLS = 42, COLUMNS = 7, ROWS = 6 };

    // Fills the cells for year-month; a year and month that make no date leave every cell 0.
    void Make(int year, int month);

    // Whether cell i holds a day of the month itself (not of its neighbours).
    bool InMonth(int i) const { return i >= m_nFirstDay && i <= m_nLastDay; }

    int m_nDays[CELLS] = {};
    COleDateTime m_dtFirstCell;
    int m_nFirstDay = 0;
    int m_nLastDay = 0;
};
