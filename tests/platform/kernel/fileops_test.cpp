// Moving, copying, deleting, folders and attributes; the error codes they give.
#include "mivo/filetime.h"
#include "mivo/paths.h"
#include "FileFixture.h"

#include <sys/wait.h>

namespace {

using FileOps = FileFixture;

TEST_F(FileOps, MoveFileRefusesAnExistingTargetAndKeepsBoth)
{
    WritePosix(Posix("src.jpg"), "source");
    WritePosix(Posix("dst.jpg"), "target");
    EXPECT_FALSE(MoveFile(Win("src.jpg").c_str(), Win("dst.jpg").c_str()));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    // Also when the target differs only in case from an existing name.
    EXPECT_FALSE(MoveFile(Win("src.jpg").c_str(), Win("DST.JPG").c_str()));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_EQ("source", ReadPosix(Posix("src.jpg")));
    EXPECT_EQ("target", ReadPosix(Posix("dst.jpg")));

    ASSERT_TRUE(MoveFileEx(Win("src.jpg").c_str(), Win("dst.jpg").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ("source", ReadPosix(Posix("dst.jpg")));
    EXPECT_FALSE(ExistsPosix(Posix("src.jpg")));
}

TEST_F(FileOps, MoveFileMovesFilesAndFoldersAndChangesCase)
{
    ASSERT_EQ(0, mkdir(Posix(u8"앨범").c_str(), 0755));
    WritePosix(Posix(u8"앨범/1.jpg"), "one");
    ASSERT_TRUE(MoveFile(Win("앨범").c_str(), Win("새 앨범").c_str()));
    EXPECT_EQ("one", ReadPosix(Posix(u8"새 앨범/1.jpg")));
    EXPECT_FALSE(ExistsPosix(Posix(u8"앨범")));

    ASSERT_TRUE(MoveFile(Win("새 앨범\\1.jpg").c_str(), Win("1.jpg").c_str()));
    EXPECT_EQ("one", ReadPosix(Posix("1.jpg")));

    // Only the case changes: the file is the target itself.
    WritePosix(Posix("photo.jpg"), "p");
    ASSERT_TRUE(MoveFile(Win("photo.jpg").c_str(), Win("Photo.JPG").c_str()));
    EXPECT_EQ("p", ReadPosix(Posix("Photo.JPG")));
    EXPECT_FALSE(ExistsPosix(Posix("photo.jpg")));

    EXPECT_FALSE(MoveFile(Win("none.jpg").c_str(), Win("x.jpg").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(MoveFile(Win("1.jpg").c_str(), Win("missing\\1.jpg").c_str()));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ("one", ReadPosix(Posix("1.jpg")));
}

// The path taken when source and target lie on different file systems.
TEST_F(FileOps, MoveByCopyCopiesTreesWithoutFollowingLinksThenDeletes)
{
    ASSERT_EQ(0, mkdir(Posix("outside").c_str(), 0755));
    WritePosix(Posix("outside/keep.txt"), "keep");
    ASSERT_EQ(0, mkdir(Posix("tree").c_str(), 0755));
    ASSERT_EQ(0, mkdir(Posix("tree/sub").c_str(), 0700));
    WritePosix(Posix("tree/sub/a.bin"), std::string("\0\x01\x02", 3));
    ASSERT_EQ(0, symlink(Posix("outside").c_str(), Posix("tree/link").c_str()));

    ASSERT_EQ(0, mivo::MoveByCopy(Posix("tree"), Posix("moved"), false));
    EXPECT_FALSE(ExistsPosix(Posix("tree")));
    EXPECT_EQ(std::string("\0\x01\x02", 3), ReadPosix(Posix("moved/sub/a.bin")));
    char target[4096] = {};
    ASSERT_GT(readlink(Posix("moved/link").c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(Posix("outside"), target);
    EXPECT_EQ("keep", ReadPosix(Posix("outside/keep.txt")));  // the link's target is untouched

    WritePosix(Posix("f.txt"), "file");
    WritePosix(Posix("g.txt"), "other");
    EXPECT_EQ(EEXIST, mivo::MoveByCopy(Posix("f.txt"), Posix("g.txt"), false));
    EXPECT_EQ("file", ReadPosix(Posix("f.txt")));
    EXPECT_EQ("other", ReadPosix(Posix("g.txt")));
    EXPECT_EQ(0, mivo::MoveByCopy(Posix("f.txt"), Posix("g.txt"), true));
    EXPECT_EQ("file", ReadPosix(Posix("g.txt")));
    EXPECT_FALSE(ExistsPosix(Posix("f.txt")));
}

TEST_F(FileOps, CopyFileHonoursFailIfExists)
{
    WritePosix(Posix("a.jpg"), "new");
    WritePosix(Posix("b.jpg"), "old");
    chmod(Posix("a.jpg").c_str(), 0640);

    EXPECT_FALSE(CopyFile(Win("a.jpg").c_str(), Win("B.JPG").c_str(), TRUE));
    EXPECT_EQ((DWORD)ERROR_FILE_EXISTS, GetLastError());
    EXPECT_EQ("old", ReadPosix(Posix("b.jpg")));

    ASSERT_TRUE(CopyFile(Win("a.jpg").c_str(), Win("b.jpg").c_str(), FALSE));
    EXPECT_EQ("new", ReadPosix(Posix("b.jpg")));
    ASSERT_TRUE(CopyFile(Win("a.jpg").c_str(), Win("c.jpg").c_str(), TRUE));
    EXPECT_EQ("new", ReadPosix(Posix("c.jpg")));
    struct stat st;
    ASSERT_EQ(0, stat(Posix("c.jpg").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 0777);

    // A file copied onto itself must not be lost.
    EXPECT_FALSE(CopyFile(Win("a.jpg").c_str(), Win("A.jpg").c_str(), FALSE));
    EXPECT_EQ("new", ReadPosix(Posix("a.jpg")));
    EXPECT_FALSE(CopyFile(Win("none.jpg").c_str(), Win("d.jpg").c_str(), FALSE));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(ExistsPosix(Posix("d.jpg")));
}

TEST_F(FileOps, FoldersAndDeletion)
{
    ASSERT_TRUE(CreateDirectory(Win("dir").c_str(), nullptr));
    EXPECT_FALSE(CreateDirectory(Win("DIR").c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_FALSE(CreateDirectory(Win("no\\dir").c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());

    WritePosix(Posix("dir/f.txt"), "f");
    EXPECT_FALSE(RemoveDirectory(Win("dir").c_str()));
    EXPECT_EQ((DWORD)ERROR_DIR_NOT_EMPTY, GetLastError());
    EXPECT_FALSE(RemoveDirectory(Win("dir\\f.txt").c_str()));
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, GetLastError());
    EXPECT_FALSE(DeleteFile(Win("dir").c_str()));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());

    ASSERT_TRUE(SetFileAttributes(Win("dir\\f.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFile(Win("dir\\F.TXT").c_str()));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    ASSERT_TRUE(SetFileAttributes(Win("dir\\f.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFile(Win("dir\\F.TXT").c_str()));
    EXPECT_FALSE(DeleteFile(Win("dir\\f.txt").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_TRUE(RemoveDirectory(Win("Dir").c_str()));
    EXPECT_FALSE(IsDirPosix(Posix("dir")));

    EXPECT_EQ(0, _mkdir(Win("폴더").c_str()));
    EXPECT_EQ(-1, _mkdir(Win("폴더").c_str()));
    EXPECT_EQ(EEXIST, errno);
    EXPECT_EQ(0, _access(Win("폴더").c_str(), 0));
    EXPECT_EQ(0, _rmdir(Win("폴더").c_str()));
    EXPECT_EQ(-1, _access(Win("폴더").c_str(), 0));
}

// Links are marked, and removing one never touches what it points to.
TEST_F(FileOps, LinksToFoldersAreMarkedAndRemovedAlone)
{
    ASSERT_EQ(0, mkdir(Posix("real").c_str(), 0755));
    WritePosix(Posix("real/keep.jpg"), "k");
    ASSERT_EQ(0, symlink(Posix("real").c_str(), Posix("link").c_str()));

    DWORD attributes = GetFileAttributes(Win("link").c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_FALSE(GetFileAttributes(Win("real").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    ASSERT_TRUE(RemoveDirectory(Win("link").c_str()));
    EXPECT_FALSE(ExistsPosix(Posix("link")));
    EXPECT_EQ("k", ReadPosix(Posix("real/keep.jpg")));
}

TEST_F(FileOps, AttributesFollowPermissionsAndDotNames)
{
    WritePosix(Posix("plain.txt"), "12345");
    WritePosix(Posix(".hidden"), "");
    ASSERT_EQ(0, mkdir(Posix("sub").c_str(), 0755));

    DWORD plain = GetFileAttributes(Win("plain.txt").c_str());
    EXPECT_EQ(0u, plain & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(GetFileAttributes(Win(".hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributes(Win("SUB").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    ASSERT_TRUE(SetFileAttributes(Win("plain.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(GetFileAttributes(Win("plain.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(-1, _access(Win("plain.txt").c_str(), 2));
    struct stat st;
    ASSERT_EQ(0, stat(Posix("plain.txt").c_str(), &st));
    EXPECT_EQ(0u, st.st_mode & 0222);
    ASSERT_TRUE(SetFileAttributes(Win("plain.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(GetFileAttributes(Win("plain.txt").c_str()) & FILE_ATTRIBUTE_READONLY);

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesEx(Win("plain.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(5u, data.nFileSizeLow);
    ASSERT_EQ(0, stat(Posix("plain.txt").c_str(), &st));
    EXPECT_EQ((int64_t)st.st_mtime, mivo::UnixFromFileTime(data.ftLastWriteTime));

    struct _stat cst;
    ASSERT_EQ(0, _stat(Win("plain.txt").c_str(), &cst));
    EXPECT_EQ(5, cst.st_size);
    EXPECT_EQ(st.st_mtime, cst.st_mtime);

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes(Win("none").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes(Win("none\\x").c_str()));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST_F(FileOps, OpenErrorsHaveTheWindowsCodes)
{
    WritePosix(Posix("there.txt"), "x");
    ASSERT_EQ(0, mkdir(Posix("folder").c_str(), 0755));
    struct Case {
        const char* name;
        DWORD disposition;
        DWORD flags;
        DWORD error;
    };
    const Case cases[] = {
        {"none.txt", OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"none\\x.txt", OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
        {"none\\x.txt", CREATE_ALWAYS, 0, ERROR_PATH_NOT_FOUND},
        {"there.txt\\x.txt", OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
        {"THERE.TXT", CREATE_NEW, 0, ERROR_FILE_EXISTS},
        {"folder", OPEN_EXISTING, 0, ERROR_ACCESS_DENIED},
        {"there.txt", 99, 0, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        HANDLE h = CreateFile(Win(c.name).c_str(), GENERIC_READ, 0, nullptr, c.disposition, c.flags, nullptr);
        EXPECT_EQ(INVALID_HANDLE_VALUE, h) << c.name;
        EXPECT_EQ(c.error, GetLastError()) << c.name;
    }
    HANDLE folder = CreateFile(Win("folder").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, folder);
    CloseHandle(folder);

    HANDLE h = CreateFile(Win("there.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    CloseHandle(h);
    h = CreateFile(Win("fresh.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    EXPECT_EQ((DWORD)ERROR_SUCCESS, GetLastError());
    DWORD written = 5;
    EXPECT_FALSE(WriteFile(h, "x", 1, &written, nullptr));  // opened for reading only
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(0u, written);
    CloseHandle(h);
}

// Read-only files are not written over, whoever runs the program.
TEST_F(FileOps, ReadOnlyFilesAreNotOverwritten)
{
    WritePosix(Posix("ro.jpg"), "keep");
    WritePosix(Posix("other.jpg"), "other");
    ASSERT_TRUE(SetFileAttributes(Win("ro.jpg").c_str(), FILE_ATTRIBUTE_READONLY));
    for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING, OPEN_EXISTING}) {
        EXPECT_EQ(INVALID_HANDLE_VALUE,
                  CreateFile(Win("ro.jpg").c_str(), GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr));
        EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    }
    EXPECT_EQ(nullptr, mivo::FOpen(Win("ro.jpg").c_str(), "wb"));
    EXPECT_EQ(nullptr, mivo::FOpen(Win("ro.jpg").c_str(), "r+b"));
    EXPECT_FALSE(CopyFile(Win("other.jpg").c_str(), Win("ro.jpg").c_str(), FALSE));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(MoveFileEx(Win("other.jpg").c_str(), Win("ro.jpg").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ("keep", ReadPosix(Posix("ro.jpg")));
    EXPECT_EQ("other", ReadPosix(Posix("other.jpg")));

    HANDLE h = CreateFile(Win("ro.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
}

// Permissions do not stop root, so the check runs in a child without privileges.
TEST_F(FileOps, UnreadableFilesGiveAccessDenied)
{
    WritePosix(Posix("secret.jpg"), "x");
    ASSERT_EQ(0, chmod(Posix("secret.jpg").c_str(), 0));
    ASSERT_EQ(0, chmod(posix_.c_str(), 0755));
    const std::string path = Win("secret.jpg");
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(3);
            HANDLE h = CreateFile(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE)
                _exit(1);
            if (GetLastError() != ERROR_ACCESS_DENIED)
                _exit(2);
            if (mivo::FOpen(path.c_str(), "rb") != nullptr || errno != EACCES)
                _exit(4);
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
