// The month layout both the template editor and the composition draw their day grid from.
#include <gtest/gtest.h>

#include "calendar/MonthLayout.h"

#include <string>

namespace {

// "first:last:cells" with the cells as one list.
std::string Describe(int year, int month)
{
    CMonthLayout layout;
    layout.Make(year, month);
    std::string text = std::to_string(layout.m_nFirstDay) + ":" + std::to_string(layout.m_nLastDay) + ":";
    for (int i = 0; i < CMonthLayout::CELLS; ++i)
        text += (i ? "," : "") + std::to_string(layout.m_nDays[i]);
    return text;
}

}  // namespace

TEST(MonthLayout, CellsHoldTheMonthBetweenItsNeighbours)
{
    struct Case {
        int year, month;
        const char* expected;
    } cases[] = {
        // 1 February 2026 is a Sunday: no cell of January.
        {2026, 2, "0:27:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,"
                  "1,2,3,4,5,6,7,8,9,10,11,12,13,14"},
        // 1 August 2026 is a Saturday: 26 to 31 July first.
        {2026, 8, "6:36:26,27,28,29,30,31,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,"
                  "27,28,29,30,31,1,2,3,4,5"},
        // December's length comes from 1 January of the next year.
        {2026, 12, "2:32:29,30,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,"
                   "31,1,2,3,4,5,6,7,8,9"},
        // A leap February.
        {2024, 2, "4:32:28,29,30,31,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,"
                  "29,1,2,3,4,5,6,7,8,9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Describe(c.year, c.month)) << c.year << "-" << c.month;
}

TEST(MonthLayout, TheFirstCellsDateIsKept)
{
    CMonthLayout layout;
    layout.Make(2026, 8);
    EXPECT_EQ(7, layout.m_dtFirstCell.GetMonth());
    EXPECT_EQ(26, layout.m_dtFirstCell.GetDay());
    layout.Make(2026, 2);
    EXPECT_EQ(1, layout.m_dtFirstCell.GetDay());
}

TEST(MonthLayout, ANumberThatMakesNoMonthLeavesEveryCellEmpty)
{
    for (int month : {0, 13, -1}) {
        CMonthLayout layout;
        layout.Make(2026, month);
        for (int day : layout.m_nDays)
            EXPECT_EQ(0, day);
        EXPECT_EQ(0, layout.m_nLastDay);
    }
}
