#include <gtest/gtest.h>

#include "mfc.h"

#include <thread>
#include <vector>

TEST(CString, BuildsComparesAndSlices)
{
    CString s("사진첩");
    EXPECT_EQ(6, s.GetLength());
    EXPECT_EQ(CString("사진"), s.Left(4));
    EXPECT_EQ("첩", s.Right(2));
    EXPECT_EQ("진첩", s.Mid(2));
    EXPECT_EQ("", s.Mid(10));
    EXPECT_TRUE(s.Mid(2, 100) == "진첩");
    CString t = "abc" + CString("DEF") + 'g';
    EXPECT_STREQ("abcDEFg", t);
    EXPECT_EQ(0, t.CompareNoCase("ABCdefG"));
    EXPECT_LT(CString("a"), CString("b"));
    EXPECT_TRUE(CString().IsEmpty());
}

TEST(CString, MakeUpperLeavesHangulWithLetterTrailBytesAlone)
{
    CString s("x\x8C\x63y");  // a syllable whose trail byte is 'c'
    s.MakeUpper();
    EXPECT_STREQ("X\x8C\x63Y", s);
    s.MakeLower();
    EXPECT_STREQ("x\x8C\x63y", s);
}

TEST(CString, SearchesSkipTrailBytes)
{
    CString s("\x8C\x63" "c\\dir\\file.jpg");
    EXPECT_EQ(2, s.Find('c'));           // not the trail byte at 1
    EXPECT_EQ(2, s.Find("c\\"));
    EXPECT_EQ(7, s.ReverseFind('\\'));
    EXPECT_EQ(2, s.FindOneOf("xc"));
    EXPECT_EQ(-1, s.Find('c', 3));
    CString r(s);
    EXPECT_EQ(1, r.Replace('c', 'C'));
    EXPECT_STREQ("\x8C\x63" "C\\dir\\file.jpg", r);
    EXPECT_EQ(1, r.Remove('C'));
    EXPECT_STREQ("\x8C\x63\\dir\\file.jpg", r);
    CString rev("a한b");
    rev.MakeReverse();
    EXPECT_STREQ("b한a", rev);
}

TEST(CString, EditingMembers)
{
    struct Case {
        const char* start;
        CString (*edit)(CString);
        const char* expected;
    };
    const Case cases[] = {
        {"  x y \t", [](CString s) { return s.Trim(); }, "x y"},
        {"xxabcxx", [](CString s) { return s.Trim('x'); }, "abc"},
        {"..ab..", [](CString s) { return s.TrimLeft("."); }, "ab.."},
        {"a.b.c", [](CString s) { s.Replace(".", "::"); return s; }, "a::b::c"},
        {"abc", [](CString s) { s.Insert(1, "XY"); return s; }, "aXYbc"},
        {"abc", [](CString s) { s.Insert(99, 'Z'); return s; }, "abcZ"},
        {"abcdef", [](CString s) { s.Delete(1, 2); return s; }, "adef"},
        {"abcdef", [](CString s) { s.Delete(4, 99); return s; }, "abcd"},
        {"12ab34", [](CString s) { return s.SpanIncluding("0123456789"); }, "12"},
        {"ab;cd", [](CString s) { return s.SpanExcluding(";"); }, "ab"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, c.edit(CString(c.start))) << c.start;
}

TEST(CString, FormatAndBuffers)
{
    CString s;
    s.Format("%s-%05d-%.1f", "앨범", 42, 1.25);
    EXPECT_STREQ("앨범-00042-1.2", s);
    s.AppendFormat("[%c]", 'z');
    EXPECT_STREQ("앨범-00042-1.2[z]", s);

    CString b;
    char* p = b.GetBuffer(300);
    std::memset(p, 'q', 299);
    p[299] = 0;
    b.ReleaseBuffer();
    EXPECT_EQ(299, b.GetLength());
    b.GetBufferSetLength(3);
    EXPECT_EQ(3, b.GetLength());
    strcpy(b.GetBuffer(10), "hi");
    b.ReleaseBuffer();
    EXPECT_STREQ("hi", b);

    int pos = 0;
    CString line("key=value^next=2");
    EXPECT_STREQ("key=value", line.Tokenize("^", pos));
    EXPECT_STREQ("next=2", line.Tokenize("^", pos));
    EXPECT_STREQ("", line.Tokenize("^", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CString, CopiesAreIndependentAcrossThreads)
{
    CString shared("공유된 문자열");
    std::vector<std::thread> threads;
    std::vector<CString> results(8);
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            for (int k = 0; k < 2000; ++k) {
                CString copy = shared;
                copy.AppendFormat("%d", i);
                results[i] = copy;
            }
        });
    for (auto& t : threads)
        t.join();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(shared.GetLength() + 1, results[i].GetLength());
}

TEST(CString, WideTextConvertsToCp949)
{
    CString s(u"한국어 menu");
    EXPECT_STREQ("한국어 menu", s);
}

TEST(CString, LoadStringOfAMissingIdLeavesItEmpty)
{
    CString s("old");
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_TRUE(s.IsEmpty());
}
