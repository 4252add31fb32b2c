// The Korean locale's number separators, and the buffer rules of GetLocaleInfo.
#include <gtest/gtest.h>

#include <win32.h>

TEST(LocaleInfo, SeparatorsAndBufferRules)
{
    char text[8] = "zzzz";
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof(text)), 2);
    EXPECT_STREQ(text, ".");
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_STHOUSAND, text, sizeof(text)), 2);
    EXPECT_STREQ(text, ",");
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, nullptr, 0), 2) << "size only";

    char small[1] = {'q'};
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, small, 1), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, text, sizeof(text)), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}
