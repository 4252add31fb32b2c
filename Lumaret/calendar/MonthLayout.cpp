#include "calendar/MonthLayout.h"

void CMonthLayout::Make(int year, int month)
{
    for (int& day : m_nDays)
        day = 0;
    m_nFirstDay = m_nLastDay = 0;
    COleDateTime first(year, month, 1, 0, 0, 0);
    if (first.GetStatus() != COleDateTime::valid)
        return;
    m_nFirstDay = first.GetDayOfWeek() - 1;
    if (m_nFirstDay == 0)
        m_dtFirstCell = first;
    for (int i = 1; i <= m_nFirstDay; ++i) {
        COleDateTime before = first - COleDateTimeSpan(i, 0, 0, 0);
        m_nDays[m_nFirstDay - i] = before.GetDay();
        if (i == m_nFirstDay)
            m_dtFirstCell = before;
    }
    COleDateTime next = month < 12 ? COleDateTime(year, month + 1, 1, 0, 0, 0) : COleDateTime(year + 1, 1, 1, 0, 0, 0);
    int length = (next - COleDateTimeSpan(1, 0, 0, 0)).GetDay();
    m_nLastDay = m_nFirstDay + length - 1;
    for (int day = 1; day <= length; ++day)
        m_nDays[m_nFirstDay + day - 1] = day;
    int following = 1;
    for (int i = m_nLastDay + 1; i < CELLS; ++i)
        m_nDays[i] = following++;
}
