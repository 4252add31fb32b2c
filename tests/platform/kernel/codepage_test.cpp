#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/codepage.h"

#include <cstring>
#include <string>

namespace {

// "가" is B0 A1; "갔" is B0 AC; "똠" (a UHC extension syllable) is 8C 63: its trail byte is 'c'.
const char* kHangul = "한글 사진";

}  // namespace

TEST(CodePage, Cp949RoundTripsThroughUtf16AndUtf8)
{
    WCHAR wide[32];
    int n = MultiByteToWideChar(CP_ACP, 0, kHangul, -1, wide, 32);
    ASSERT_EQ(6, n);  // five characters and the terminator
    EXPECT_EQ(u'한', wide[0]);
    EXPECT_EQ(u'진', wide[4]);

    char back[32];
    ASSERT_EQ(10, WideCharToMultiByte(CP_ACP, 0, wide, -1, back, 32, nullptr, nullptr));
    EXPECT_STREQ(kHangul, back);

    std::string utf8;
    EXPECT_TRUE(mivo::AnsiToUtf8(kHangul, utf8));
    EXPECT_EQ(std::string(u8"한글 사진"), utf8);
    EXPECT_EQ(kHangul, mivo::ToAnsi(utf8));

    EXPECT_EQ(u'똠', mivo::AnsiToUtf16("\x8C\x63")[0]);
}

TEST(CodePage, SizeQueriesAndShortBuffers)
{
    EXPECT_EQ(6, MultiByteToWideChar(CP_ACP, 0, kHangul, -1, nullptr, 0));
    WCHAR small[3];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, kHangul, -1, small, 3));
    EXPECT_EQ(122u, GetLastError());  // ERROR_INSUFFICIENT_BUFFER
    EXPECT_EQ(10, WideCharToMultiByte(CP_ACP, 0, u"한글 사진", -1, nullptr, 0, nullptr, nullptr));
}

TEST(CodePage, InvalidBytesAreReportedNotCrashed)
{
    const char bad[] = "A\xFF\x81";  // 0xFF is never valid; a lone lead byte at the end
    WCHAR wide[8];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bad, 3, wide, 8));
    EXPECT_EQ(1113u, GetLastError());  // ERROR_NO_UNICODE_TRANSLATION
    ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, bad, 3, wide, 8));
    EXPECT_EQ(u'A', wide[0]);
    EXPECT_EQ(u'?', wide[1]);

    std::string utf8;
    EXPECT_FALSE(mivo::AnsiToUtf8(bad, utf8));
    std::string ansi;
    EXPECT_FALSE(mivo::Utf8ToAnsi("\xC3\x28", ansi));       // broken UTF-8
    EXPECT_FALSE(mivo::Utf8ToAnsi("\xF0\x9F\x98\x80", ansi));  // an emoji has no CP949 form
    BOOL usedDefault = FALSE;
    char out[8];
    WideCharToMultiByte(CP_ACP, 0, u"\u0E01x", -1, out, 8, nullptr, &usedDefault);
    EXPECT_TRUE(usedDefault);
}

TEST(CodePage, CaseFoldingNeverAltersDoubleByteCharacters)
{
    // 0x8C 0x63 is one syllable whose trail byte reads as 'c'.
    char text[] = "ab\x8C\x63z";
    CharUpper(text);
    EXPECT_STREQ("AB\x8C\x63Z", text);
    CharLower(text);
    EXPECT_STREQ("ab\x8C\x63z", text);
    EXPECT_EQ(0, lstrcmpi("\x8C\x63X", "\x8C\x63x"));
    EXPECT_NE(0, lstrcmpi("\x8C\x63", "\x8C\x43"));  // trail bytes compare exactly
}

TEST(CodePage, CuttingKeepsWholeCharacters)
{
    const char* s = "a한b";  // a, two bytes, b
    EXPECT_EQ(1u, mivo::CutToCharBoundary(s, 4, 2));
    EXPECT_EQ(3u, mivo::CutToCharBoundary(s, 4, 3));
    char buf[3];
    lstrcpyn(buf, s, 3);
    EXPECT_STREQ("a", buf);
    EXPECT_EQ(s + 1, CharNext(s));
    EXPECT_EQ(s + 3, CharNext(s + 1));
    EXPECT_EQ(s + 1, CharPrev(s, s + 3));
    EXPECT_TRUE(IsDBCSLeadByte((BYTE)s[1]));
    EXPECT_FALSE(IsDBCSLeadByte('a'));
}

TEST(CodePage, CopyingACutNeverLeavesHalfACharacter)
{
    const struct {
        const char* text;
        size_t maxBytes;
        const char* expected;
    } cases[] = {
        {"a한b", 2, "a"},      // the cut would fall inside 한
        {"a한b", 3, "a한"},
        {"a한b", 10, "a한b"},
        {"한글", 3, "한"},
        {"", 4, ""},
        {nullptr, 4, ""},
    };
    for (const auto& c : cases) {
        char out[16];
        std::memset(out, 'x', sizeof out);
        size_t n = mivo::CopyCutToCharBoundary(out, c.text, c.maxBytes);
        EXPECT_STREQ(c.expected, out) << "cut at " << c.maxBytes;
        EXPECT_EQ(std::strlen(c.expected), n);
    }
}
