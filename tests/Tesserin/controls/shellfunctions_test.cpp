// The identifier-list and path helpers of the folder tree, as tables.
#include <gtest/gtest.h>

#include "controls/ShellFunctions.h"

#include <string>
#include <vector>

namespace {

struct ChildPathCase {
    const char* path;
    unsigned n;
    const char* out;
    bool found;
    bool net;
};

class ChildPath : public ::testing::TestWithParam<ChildPathCase> {};

TEST_P(ChildPath, CopiesTheFirstComponentsWithTheirSeparators)
{
    const ChildPathCase& c = GetParam();
    char out[kShellPathMax] = "junk";
    bool net = false;
    EXPECT_EQ(c.found, SHGetChildPath(c.path, out, net, c.n));
    EXPECT_STREQ(c.out, out);
    EXPECT_EQ(c.net, net);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChildPath,
    ::testing::Values(ChildPathCase{"C:\\Photos\\2004", 2, "C:\\Photos\\", true, false},
                      ChildPathCase{"C:\\Photos\\2004", 3, "C:\\Photos\\2004", true, false},
                      ChildPathCase{"C:\\Photos\\2004", 4, "C:\\Photos\\2004", false, false},
                      ChildPathCase{"C:\\Photos\\2004", 0, "", true, false},
                      ChildPathCase{"C:\\", 1, "C:\\", true, false},
                      ChildPathCase{"C:\\", 2, "C:\\", false, false},
                      ChildPathCase{"C:\\\\\\사진\\a", 1, "C:\\\\\\", true, false},
                      ChildPathCase{"C:\\\\\\사진\\a", 2, "C:\\\\\\사진\\", true, false},
                      ChildPathCase{"C:/a/b", 2, "C:/a/", true, false},
                      ChildPathCase{"C:\\a/\\b", 2, "C:\\a/\\", true, false},
                      ChildPathCase{"\\\\server\\share\\dir", 1, "\\\\server\\", true, true},
                      ChildPathCase{"\\\\server\\share\\dir", 2, "\\\\server\\share\\", true, true},
                      ChildPathCase{"\\\\server\\\\share\\dir", 1, "\\\\server\\\\share\\", true, true},
                      ChildPathCase{"\\\\server", 0, "", true, true},
                      ChildPathCase{"", 1, "", false, false}));

TEST(ChildPath, APathTooLongForTheBufferIsRefused)
{
    std::string path = "C:\\" + std::string(kShellPathMax, 'a');
    char out[kShellPathMax] = "junk";
    bool net = false;
    EXPECT_FALSE(SHGetChildPath(path.c_str(), out, net, 1));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0u, SHGetChildrenN(path.c_str()));
}

TEST(ChildPath, TheNetworkFlagIsNeverCleared)
{
    char out[kShellPathMax];
    bool net = true;
    SHGetChildPath("C:\\a", out, net, 1);
    EXPECT_TRUE(net);
}

TEST(ChildrenCount, CountsComponentsOfPaths)
{
    const std::pair<const char*, unsigned> cases[] = {
        {"C:\\Photos\\2004", 3}, {"C:\\", 1}, {"C:", 1}, {"", 0}, {"C:/a//b/", 3}, {"\\\\srv\\share", 2},
        {"M:\\앨범\\여름\\", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, SHGetChildrenN(c.first)) << c.first;
}

// Two identifiers ("ab", "c") and the terminator: 9 bytes.
struct Lists : ::testing::Test {
    std::vector<BYTE> two = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0};
    std::vector<BYTE> first = {4, 0, 'a', 'b', 0, 0};
    std::vector<BYTE> other = {4, 0, 'a', 'x', 0, 0};
    std::vector<BYTE> empty = {0, 0};
    const ITEMIDLIST* L(const std::vector<BYTE>& b) { return (const ITEMIDLIST*)b.data(); }
};

TEST_F(Lists, CountSizeAndPositions)
{
    EXPECT_EQ(2u, SHGetChildrenN(L(two)));
    EXPECT_EQ(0u, SHGetChildrenN(L(empty)));
    EXPECT_EQ(0u, SHGetChildrenN((const ITEMIDLIST*)nullptr));
    EXPECT_EQ(9u, SHGetIDLSize(L(two)));
    EXPECT_EQ(2u, SHGetIDLSize(L(empty)));
    EXPECT_EQ(0u, SHGetIDLSize(nullptr));
    EXPECT_EQ((const void*)two.data(), (const void*)SHGetIDL(L(two), 0));
    EXPECT_EQ((const void*)(two.data() + 4), (const void*)SHGetIDL(L(two), 1));
    EXPECT_EQ((const void*)(two.data() + 7), (const void*)SHGetIDL(L(two), 2));  // the terminator
    EXPECT_EQ(nullptr, SHGetIDL(L(two), 3));                                      // past the end
    EXPECT_EQ(nullptr, SHGetIDL(nullptr, 0));
}

TEST_F(Lists, IdentifiersCompareBySizeThenBytes)
{
    BYTE a0[] = {0, 0}, b0[] = {0, 0}, a2[] = {2, 0}, b2[] = {2, 0};
    EXPECT_TRUE(SHCompareID(*(SHITEMID*)a0, *(SHITEMID*)b0));
    EXPECT_TRUE(SHCompareID(*(SHITEMID*)a2, *(SHITEMID*)b2));
    EXPECT_TRUE(SHCompareID(L(two)->mkid, L(first)->mkid));
    EXPECT_FALSE(SHCompareID(L(two)->mkid, L(other)->mkid));
    EXPECT_FALSE(SHCompareID(L(two)->mkid, *(SHITEMID*)a2));
}

TEST_F(Lists, SubListsAndCopies)
{
    EXPECT_TRUE(SHIsSubIDL(L(empty), L(two)));
    EXPECT_TRUE(SHIsSubIDL(L(first), L(two)));
    EXPECT_FALSE(SHIsSubIDL(L(two), L(first)));  // the child is shorter
    EXPECT_FALSE(SHIsSubIDL(L(other), L(two)));
    EXPECT_FALSE(SHIsSubIDL(nullptr, L(two)));
    EXPECT_FALSE(SHIsSubIDL(L(two), nullptr));
    ITEMIDLIST* copy = SHCopyIDL(L(two));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(0, memcmp(copy, two.data(), two.size()));
    SHFree1(copy);
    EXPECT_EQ(nullptr, SHCopyIDL(nullptr));
}

TEST(NetPaths, UncPathsAndTheNetworkBranch)
{
    EXPECT_TRUE(SHIsNetPath("\\\\server\\share"));
    EXPECT_FALSE(SHIsNetPath("C:\\a"));
    EXPECT_FALSE(SHIsNetPath("\\a"));
    EXPECT_FALSE(SHIsNetPath((const char*)nullptr));
    ITEMIDLIST* network = SHCreateSpecialPIDL(CSIDL_NETWORK);
    ITEMIDLIST* computer = SHCreateSpecialPIDL(CSIDL_DRIVES);
    ASSERT_NE(nullptr, network);
    ASSERT_NE(nullptr, computer);
    EXPECT_TRUE(SHIsNetPath(network));
    EXPECT_FALSE(SHIsNetPath(computer));
    EXPECT_EQ(nullptr, SHCreateSpecialPIDL(0x7777));
    SHFree1(network);
    SHFree1(computer);
}

}  // namespace
