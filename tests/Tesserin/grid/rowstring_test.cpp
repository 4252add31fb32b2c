// The packed row string, number texts and the selection pattern.
#include <gtest/gtest.h>

#include "grid/GridNumberText.h"
#include "grid/GridPattern.h"
#include "grid/GridRowString.h"

namespace {

struct NumberCase {
    double value;
    int decimals;
    const char* text;
};

TEST(GridNumberText, GroupsThousandsAndCutsTheFraction)
{
    const NumberCase cases[] = {
        {9876.5, 2, "9,876.50"},  {-1234, 0, "-1,234"}, {-123, 0, "-123"},     {0.5, 8, "0.50000000"},
        {0.999, 2, "0.99"},       {1e20, 0, "100,000,000,000,000,000,000"}, {123456.789, 1, "123,456.7"},
        {-999999, 0, "-999,999"},
    };
    for (const NumberCase& c : cases)
        EXPECT_STREQ(c.text, GridNumberText::Format(c.value, c.decimals)) << c.value << " / " << c.decimals;
}

TEST(GridNumberText, ParsesWithoutCommas)
{
    EXPECT_DOUBLE_EQ(1234.5, GridNumberText::Parse("1,234.50"));
    EXPECT_DOUBLE_EQ(-1234.5, GridNumberText::Parse("-1,234.5"));
    EXPECT_DOUBLE_EQ(0.0, GridNumberText::Parse(""));
}

TEST(GridRowString, WritesReadsAndDeletesFields)
{
    CString row;
    GridRowString::Fill(row, 3, '|');
    EXPECT_STREQ("(-1,-1,-1,-1,-1,-1)|(-1,-1,-1,-1,-1,-1)|(-1,-1,-1,-1,-1,-1)|", row);
    GridCellFields cell;
    cell.iImage = 4;
    cell.iTextLength = 5;
    GridRowString::Replace(row, 1, '|', cell, "a(b)c");
    char text[32];
    GridCellFields back;
    EXPECT_EQ(1, GridRowString::Read(row, 1, '|', back, text, sizeof(text)));
    EXPECT_EQ(4, back.iImage);
    EXPECT_STREQ("a(b)c", text);
    GridCellFields empty;
    EXPECT_EQ(0, GridRowString::Read(row, 2, '|', empty, text, sizeof(text)));
    GridRowString::Delete(row, 0, '|');
    EXPECT_EQ(1, GridRowString::Read(row, 0, '|', back, text, 3));
    EXPECT_STREQ("a(", text); // the buffer's size less one
}

TEST(GridRowString, DamagedFieldsKeepThePresetValues)
{
    const char* damaged[] = {"", "(", "(7,", "(7,x)|", "abc|", "(1,2,3,4,5,6", ")|"};
    for (const char* text : damaged) {
        CString row(text);
        GridCellFields cell;
        char buffer[16];
        GridRowString::Read(row, 0, '|', cell, buffer, sizeof(buffer));
        GridRowString::Read(row, 5, '|', cell, buffer, sizeof(buffer));
        SUCCEED() << text;
    }
    CString row("(7,x)|");
    GridCellFields cell;
    GridRowString::Read(row, 0, '|', cell, nullptr, 0);
    EXPECT_EQ(7, cell.iImage);
    EXPECT_EQ(-1, cell.iOverlay);
}

TEST(GridRowString, CutsNeverSplitADoubleByteCharacter)
{
    // "가" is two bytes in CP949: a cut at 3 bytes keeps "a가", at 2 only "a".
    CString text = "a가나";
    EXPECT_EQ(3, GridRowString::CutLength(text, 3));
    EXPECT_EQ(1, GridRowString::CutLength(text, 2));
    EXPECT_EQ(5, GridRowString::CutLength(text, 255));
}

TEST(GridRowString, ChangingTheSeparatorKeepsCellsApart)
{
    CString row;
    GridRowString::Fill(row, 2, '|');
    GridCellFields cell;
    cell.iTextLength = 3;
    GridRowString::Replace(row, 0, '|', cell, "a;b");
    GridRowString::ChangeSeparator(row, '|', ';');
    char text[16];
    GridCellFields back;
    GridRowString::Read(row, 0, ';', back, text, sizeof(text));
    EXPECT_STREQ("a b", text);
    EXPECT_EQ(0, GridRowString::Read(row, 1, ';', back, text, sizeof(text)));
}

struct PatternCase {
    const char* pattern;
    const char* text;
    bool match;
};

TEST(GridPattern, MatchesWithoutBacktracking)
{
    const PatternCase cases[] = {
        {"a*c", "abc", true},     {"a*c", "ac", true},        {"a*c", "abcbc", false}, // first "c" only
        {"a*b*c", "axbyc", true}, {"a*b*c", "abxbc", true},   {"a*b*c", "abcb", false},
        {"a?c", "abc", true},     {"a?c", "ac", false},       {"*", "", true},
        {"ab*", "ab", true},      {"A*", "abc", false},       {"abc", "abc", true},
        {"abc", "abcd", false},   {"*?", "x", true},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(c.match, GridPattern::Match(c.pattern, c.text)) << c.pattern << " on " << c.text;
}

} // namespace
