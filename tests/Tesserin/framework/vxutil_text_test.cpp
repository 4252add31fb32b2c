// Text helpers: grouped numbers, lines out of buffers, inserting lines, index sorting and the
// scrambler.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

TEST(VXUtilText, FormatNumberCommaGroupsFromTheRight)
{
    const struct {
        int n;
        const char* text;
    } cases[] = {
        {0, "0"},         {-5, "-5"},           {999, "999"},         {1000, "1,000"},
        {-1234, "-1,234"}, {-100000, "-100,000"}, {-1000000, "-1,000,000"}, {INT_MAX, "2,147,483,647"},
        {INT_MIN, "-2,147,483,648"},
    };
    for (const auto& c : cases) {
        char out[32];
        memset(out, 'x', sizeof out);
        EXPECT_EQ(out, FormatNumberComma(out, c.n));
        EXPECT_STREQ(c.text, out) << c.n;
    }
}

TEST(VXUtilText, FormatDoubleCommaDropsTrailingZerosAndThePoint)
{
    const struct {
        double d;
        const char* text;
    } cases[] = {
        {1234.5, "1,234.5"}, {1000.0, "1,000"}, {-0.25, "-0.25"}, {12.0, "12"}, {0.0, "0"},
        {-1234567.125, "-1,234,567.125"}, {0.0000004, "0"}, {999.9999996, "1,000"},
    };
    for (const auto& c : cases) {
        char out[64];
        EXPECT_EQ(out, FormatDoubleComma(out, c.d));
        EXPECT_STREQ(c.text, out) << c.d;
    }
}

TEST(VXUtilText, FormatDoubleCommaHoldsTheLargestDouble)
{
    // 309 digits, 102 commas and the sign.
    std::vector<char> out(512, 'x');
    FormatDoubleComma(out.data(), -1.7976931348623157e308);
    std::string text = out.data();
    EXPECT_EQ(1u + 309 + 102, text.size());
    EXPECT_EQ("-179,769,313,486,231,570,8", text.substr(0, 26));
    EXPECT_EQ(",368", text.substr(text.size() - 4));
}

TEST(VXUtilText, RemoveCrLfAndMakeLongDate)
{
    char out[32] = "untouched";
    EXPECT_STREQ("ab c", RemoveCrLfFromString(out, "a\r\nb\r \nc\n"));
    EXPECT_STREQ("", RemoveCrLfFromString(out, ""));
    strcpy(out, "untouched");
    EXPECT_STREQ("2003-12-25", MakeLongDate("20031225", out));
    EXPECT_STREQ("2003-12", MakeLongDate("200312", out)) << "nothing read past a short date";
    strcpy(out, "untouched");
    EXPECT_STREQ("untouched", MakeLongDate("", out));
}

TEST(VXUtilText, GetOneLineFromBufWalksTheLines)
{
    const char buf[] = "a\r\nb\nc";
    const struct {
        int start;
        const char* line;
        int next;
    } cases[] = {
        {0, "a", 3}, {3, "b", 5}, {5, "c", -1}, {6, "", -1}, {99, "", -1}, {-1, "", -1}, {1, "", 3},
    };
    for (const auto& c : cases) {
        char line[16] = {};
        EXPECT_EQ(c.next, GetOneLineFromBuf(buf, line, c.start)) << c.start;
        EXPECT_STREQ(c.line, line) << c.start;
    }
    char line[16] = {};
    EXPECT_EQ(-1, GetOneLineFromBuf("last\r\n", line, 0)) << "the line end is the end of the text";
    EXPECT_STREQ("last", line);
    memset(line, 0, sizeof line);
    EXPECT_EQ(4, GetOneLineFromBuf("a\rb\nc", line, 0)) << "a lone CR is text";
    EXPECT_STREQ("a\rb", line);
}

TEST(VXUtilText, InsertLinesAfterRebuildsWithCrLf)
{
    const struct {
        const char* name;
        const char* buf;
        const char* after;
        const char* until;
        const char* text;
        const char* result;
    } cases[] = {
        {"after the first match only", "[a]\nx=1\n[a]\n", "[a]", nullptr, "y=2\r\n", "[a]\r\ny=2\r\nx=1\r\n[a]\r\n"},
        {"through the until line", "[a]\nx=1\nend\nz\n", "[a]", "end", "y\r\n", "[a]\r\nx=1\r\nend\r\ny\r\nz\r\n"},
        {"until never found", "[a]\nx=1", "[a]", "end", "y\r\n", "[a]\r\nx=1\r\ny\r\n"},
        {"no match", "p\r\nq", "zz", nullptr, "y\r\n", "p\r\nq\r\n"},
        {"substring match", "key=1\nother\n", "y=", nullptr, "+\r\n", "key=1\r\n+\r\nother\r\n"},
    };
    for (const auto& c : cases) {
        char buf[128];
        memset(buf, 'x', sizeof buf);
        strcpy(buf, c.buf);
        EXPECT_EQ(1, InsertLinesAfter(buf, c.after, c.text, c.until, sizeof buf)) << c.name;
        EXPECT_STREQ(c.result, buf) << c.name;
        EXPECT_EQ(0, buf[sizeof buf - 1]) << c.name << ": the rest is cleared";
    }
}

TEST(VXUtilText, InsertLinesAfterThatDoesNotFitChangesNothing)
{
    char buf[16] = "[a]\nb\n";
    const std::string before(buf, sizeof buf);
    EXPECT_EQ(0, InsertLinesAfter(buf, "[a]", "0123456789\r\n", nullptr, sizeof buf));
    EXPECT_EQ(before, std::string(buf, sizeof buf));
    // 15 bytes and the terminator fit exactly.
    EXPECT_EQ(1, InsertLinesAfter(buf, "[a]", "01234\r\n", nullptr, sizeof buf));
    EXPECT_STREQ("[a]\r\n01234\r\nb\r\n", buf);
}

TEST(VXUtilText, SortsGiveStableIndexOrders)
{
    CStringArray strings;
    for (const char* s : {"b", "a", "b", "B", "가", "a"})
        strings.Add(s);
    CUIntArray order;
    SortStringArray(&strings, &order);
    std::vector<UINT> got;
    for (INT_PTR i = 0; i < order.GetSize(); ++i)
        got.push_back(order[i]);
    EXPECT_EQ((std::vector<UINT>{3, 1, 5, 0, 2, 4}), got) << "byte order, equal ones as they came";
    EXPECT_STREQ("b", strings[0]);

    CUIntArray numbers, numberOrder;
    for (UINT n : {7u, 0xFFFFFFFFu, 3u, 7u, 0u})
        numbers.Add(n);
    numberOrder.Add(99);
    SortUIntArray(&numbers, &numberOrder);
    got.clear();
    for (INT_PTR i = 0; i < numberOrder.GetSize(); ++i)
        got.push_back(numberOrder[i]);
    EXPECT_EQ((std::vector<UINT>{4, 2, 0, 3, 1}), got);

    CStringArray none;
    CUIntArray kept;
    kept.Add(42);
    SortStringArray(&none, &kept);
    ASSERT_EQ(1, kept.GetSize());
    EXPECT_EQ(42u, kept[0]);
}

TEST(VXUtilText, ScramblerDigitsAndTerminator)
{
    // 31 bytes take ten characters ("3+abc" and five blanks) and the terminator.
    char out[31];
    memset(out, 'x', sizeof out);
    out[0] = '\0';
    EXPECT_EQ(out, EncodeVantrelString("abc", out, sizeof out));
    EXPECT_STREQ("200171238254240160181172165160", out);
    // 30 bytes: nine characters, never a thirty-first byte.
    char exact[31];
    memset(exact, 'x', sizeof exact);
    exact[0] = '\0';
    EncodeVantrelString("abc", exact, 30);
    EXPECT_STREQ("200171238254240160181172165", exact);
    EXPECT_EQ('x', exact[30]);
    char back[16];
    EXPECT_STREQ("abc", DecodeVantrelString(out, back));
    EXPECT_STREQ("abc", DVS(exact, back));
}

TEST(VXUtilText, ScramblerRoundTrips)
{
    const char* texts[] = {"", "a", "password 1234", "한글 암호", "~!@#$%^&*()_+|", "\x7f\x80\xff"};
    for (const char* text : texts) {
        char code[301] = "";
        EVS(text, code, sizeof code);
        EXPECT_EQ(300u, strlen(code)) << text;
        char plain[128];
        memset(plain, 'x', sizeof plain);
        EXPECT_STREQ(text, DecodeVantrelString(code, plain)) << text;
    }
}

TEST(VXUtilText, ScramblerDecodesOnlyWhatIsThere)
{
    // A text too long for the code keeps its length prefix; decoding stops at the end.
    char code[16] = "";
    EncodeVantrelString("abcdefgh", code, sizeof code);  // five characters: "8+abc"
    char plain[32];
    memset(plain, 'x', sizeof plain);
    EXPECT_STREQ("abc", DecodeVantrelString(code, plain));
    const char* broken[] = {"", "12", "200171", "20017123x254"};
    for (const char* in : broken) {
        memset(plain, 'x', sizeof plain);
        DecodeVantrelString(in, plain);
        EXPECT_LT(strlen(plain), 4u) << in;
    }
}
