// Path helpers: splitting, relative and absolute forms, whole-file reads and writes, and
// emptying folders that hold links or must never be emptied.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"
#include "mivo/paths.h"
#include "support/TempFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using mivotest::TempFolder;
namespace fs = std::filesystem;

TEST(VXUtilPath, DivideFilePathAndNameSplitsIntoFolderNameAndExtension)
{
    const struct {
        const char* path;
        const char* dir;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\a\\b.jpg", "C:\\a\\", "b.jpg", ".jpg"},
        {"b", "", "b", ""},
        {"C:\\photo\\", "C:\\photo\\", "", ""},
        {"\\\\srv\\share\\x.tar.gz", "\\\\srv\\share\\", "x.tar.gz", ".gz"},
        {"D:name.txt", "D:", "name.txt", ".txt"},
        {"C:\\사진\\가족.JPG", "C:\\사진\\", "가족.JPG", ".JPG"},
        {"C:\\a.b\\c", "C:\\a.b\\", "c", ""},
    };
    for (const auto& c : cases) {
        char dir[_MAX_PATH] = "x", name[_MAX_PATH] = "x", ext[_MAX_PATH] = "x";
        EXPECT_EQ(name, DivideFilePathAndName(c.path, dir, name, ext));
        EXPECT_STREQ(c.dir, dir) << c.path;
        EXPECT_STREQ(c.name, name) << c.path;
        EXPECT_STREQ(c.ext, ext) << c.path;
    }
    char only[_MAX_PATH] = "";
    EXPECT_EQ(nullptr, DivideFilePathAndName("C:\\a\\b.jpg", nullptr, nullptr, only));
    EXPECT_STREQ(".jpg", only);
}

TEST(VXUtilPath, RelativeAndFullPaths)
{
    const struct {
        const char* base;
        const char* full;
        const char* relative;
    } relatives[] = {
        {"C:\\photo", "C:\\photo\\a.jpg", "a.jpg"},
        {"C:\\photo\\", "C:\\photo\\sub\\a.jpg", "sub\\a.jpg"},
        {"C:\\photo", "C:\\photos\\a.jpg", "C:\\photos\\a.jpg"},
        {"C:\\photo", "D:\\C:\\photo\\a.jpg", "D:\\C:\\photo\\a.jpg"},
        {"C:\\photo", "C:\\photo", "C:\\photo"},
        {"", "C:\\a.jpg", "C:\\a.jpg"},
    };
    for (const auto& c : relatives) {
        char out[_MAX_PATH];
        EXPECT_EQ(out, RelativePathFromFullPath(c.base, c.full, out));
        EXPECT_STREQ(c.relative, out) << c.base << " | " << c.full;
    }
    const struct {
        const char* base;
        const char* rel;
        const char* full;
    } fulls[] = {
        {"C:\\x", "y\\z", "C:\\x\\y\\z"},
        {"C:\\x\\", "y", "C:\\x\\y"},
        {"C:\\x", "D:\\z", "D:\\z"},
        {"C:\\x", "\\\\srv\\z", "\\\\srv\\z"},
        {"C:\\표", "a", "C:\\표\\a"},
    };
    for (const auto& c : fulls) {
        char out[_MAX_PATH];
        EXPECT_EQ(out, FullPathFromRelativePath(c.base, c.rel, out));
        EXPECT_STREQ(c.full, out) << c.base << " | " << c.rel;
    }
}

TEST(VXUtilPath, WholeFileReadAndWrite)
{
    TempFolder dir("mivo-vxutil");
    const CString path = (dir.windowsPath() + "note.txt").c_str();
    EXPECT_EQ(1, WriteFileFromBuf(path, "첫 줄\r\nsecond"));
    char buf[64] = {};
    EXPECT_EQ(1, ReadFileToBuf(path, buf, sizeof buf - 1));
    EXPECT_STREQ("첫 줄\r\nsecond", buf);
    EXPECT_EQ(1, WriteFileFromBuf(path, "x"));
    memset(buf, 0, sizeof buf);
    EXPECT_EQ(1, ReadFileToBuf(path, buf, 2));
    EXPECT_STREQ("x", buf) << "the file was truncated";
    EXPECT_EQ(0, ReadFileToBuf((dir.windowsPath() + "none.txt").c_str(), buf, 2));
    EXPECT_EQ(0, WriteFileFromBuf((dir.windowsPath() + "none\\x.txt").c_str(), "x"));
}

namespace {

void Touch(const std::string& path)
{
    std::ofstream(path) << "keep";
}

// A folder to empty holding files, a subfolder and links to a folder and a file outside it.
struct LinkedTree {
    TempFolder dir{"mivo-vxutil"};
    std::string victim = dir.path() + "/victim", outside = dir.path() + "/outside";

    LinkedTree()
    {
        fs::create_directories(victim + "/sub/deeper");
        fs::create_directories(outside + "/inner");
        Touch(victim + "/a.txt");
        Touch(victim + "/sub/deeper/b.txt");
        Touch(outside + "/keep.txt");
        Touch(outside + "/inner/keep2.txt");
        fs::create_directory_symlink(outside, victim + "/sub/folderLink");
        fs::create_symlink(outside + "/keep.txt", victim + "/fileLink");
        fs::create_symlink(dir.path() + "/gone", victim + "/dangling");
    }
    CString Windows(const std::string& posix) const { return mivo::FromPosixPath(posix).c_str(); }
    bool OutsideIntact() const
    {
        return fs::exists(outside + "/keep.txt") && fs::exists(outside + "/inner/keep2.txt");
    }
};

}  // namespace

TEST(VXUtilPath, RecursiveDeleteEmptiesTheFolderAndLeavesLinkTargets)
{
    LinkedTree tree;
    RecursiveDeleteFolder(tree.Windows(tree.victim));
    EXPECT_TRUE(fs::is_directory(tree.victim));
    EXPECT_TRUE(fs::is_empty(tree.victim));
    EXPECT_TRUE(tree.OutsideIntact());
}

TEST(VXUtilPath, EraseFolderRemovesItAndLeavesLinkTargets)
{
    LinkedTree tree;
    EraseFolder(tree.Windows(tree.victim) + "\\");
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree.victim)));
    EXPECT_TRUE(tree.OutsideIntact());
}

TEST(VXUtilPath, AFolderThatIsALinkIsRemovedNeverEntered)
{
    LinkedTree tree;
    const std::string link = tree.dir.path() + "/linkToOutside";
    fs::create_directory_symlink(tree.outside, link);
    RecursiveDeleteFolder(tree.Windows(link));
    RecursiveDeleteFolder(tree.Windows(link) + "\\");
    EXPECT_TRUE(tree.OutsideIntact());
    EraseFolder(tree.Windows(link) + "\\");
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_TRUE(tree.OutsideIntact());
}

namespace {

// Drive C: and the home folder moved into a sandbox, so that a refusal that fails costs nothing.
class SandboxedRoots : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedC = mivo::DriveRoot('C');
        const char* home = getenv("HOME");
        hadHome = home != nullptr;
        savedHome = home ? home : "";
        fs::create_directories(sandbox.path() + "/root/home/user/docs");
        Touch(sandbox.path() + "/root/top.txt");
        Touch(sandbox.path() + "/root/home/user/docs/mine.txt");
        mivo::SetDriveRoot('C', sandbox.path() + "/root");
        setenv("HOME", (sandbox.path() + "/root/home/user").c_str(), 1);
    }
    void TearDown() override
    {
        mivo::SetDriveRoot('C', savedC);
        if (hadHome)
            setenv("HOME", savedHome.c_str(), 1);
        else
            unsetenv("HOME");
    }
    bool AllThere() const
    {
        return fs::exists(sandbox.path() + "/root/top.txt") &&
               fs::exists(sandbox.path() + "/root/home/user/docs/mine.txt");
    }

    TempFolder sandbox{"mivo-vxutil"};
    std::string savedC, savedHome;
    bool hadHome = false;
};

}  // namespace

TEST_F(SandboxedRoots, EmptyPathsRootsAndTheHomeFolderAreRefused)
{
    const char* refused[] = {"", "C:\\", "C:", "C:\\\\", "C:\\home\\user", "C:\\home\\user\\", "C:\\home",
                             "C:\\HOME\\USER", "C:\\home\\user\\docs\\.."};
    for (const char* folder : refused) {
        RecursiveDeleteFolder(folder);
        EraseFolder(folder);
        ASSERT_TRUE(AllThere()) << folder;
    }
    // Below the home folder is fine.
    EraseFolder("C:\\home\\user\\docs");
    EXPECT_FALSE(fs::exists(sandbox.path() + "/root/home/user/docs"));
    EXPECT_TRUE(fs::exists(sandbox.path() + "/root/home/user"));
}
