// Windows-form paths reaching the right POSIX files.
#include "mivo/paths.h"
#include "FileFixture.h"

namespace {

using PathMapping = FileFixture;

std::string WriteThroughHandle(const std::string& winPath, const std::string& content)
{
    HANDLE h = CreateFile(winPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "open failed " + std::to_string(GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == content.size() ? std::string() : "write failed";
}

std::string ReadThroughHandle(const std::string& winPath)
{
    HANDLE h = CreateFile(winPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<error " + std::to_string(GetLastError()) + ">";
    char buffer[256];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::string(buffer, got);
}

TEST_F(PathMapping, KoreanFolderNamesReachTheUtf8PosixFile)
{
    ASSERT_TRUE(CreateDirectory(Win("사진").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectory(Win("사진\\가족 여행").c_str(), nullptr));
    EXPECT_TRUE(IsDirPosix(Posix(u8"사진/가족 여행")));

    ASSERT_EQ("", WriteThroughHandle(Win("사진\\가족 여행\\바다.jpg"), "jpeg bytes"));
    EXPECT_EQ("jpeg bytes", ReadPosix(Posix(u8"사진/가족 여행/바다.jpg")));

    // And back: the POSIX name gives the CP949 Windows form.
    EXPECT_EQ(Win("사진\\가족 여행\\바다.jpg"), mivo::FromPosixPath(Posix(u8"사진/가족 여행/바다.jpg")));
    std::string posix;
    ASSERT_TRUE(mivo::ToPosixPath(Win("사진\\가족 여행\\바다.jpg").c_str(), posix));
    EXPECT_EQ(Posix(u8"사진/가족 여행/바다.jpg"), posix);
}

TEST_F(PathMapping, SeparatorsDotsAndTrailingBackslashes)
{
    WritePosix(Posix("a.txt"), "A");
    ASSERT_EQ(0, mkdir(Posix("sub").c_str(), 0755));
    const std::string cases[] = {
        Win("a.txt"),
        Win("sub\\..\\a.txt"),
        Win(".\\sub\\.\\..\\a.txt"),
        posix_ + "/a.txt",  // forward slashes, rooted on the current drive
        Win("sub/../a.txt"),
        Win("a.txt."),  // Windows drops trailing dots and spaces
        Win("a.txt  "),
    };
    for (const std::string& c : cases)
        EXPECT_EQ("A", ReadThroughHandle(c)) << c;

    EXPECT_EQ("C:\\", mivo::FromPosixPath("/"));
    EXPECT_EQ(Win("sub"), mivo::FromPosixPath(Posix("sub/")));  // folders keep no trailing separator
    std::string posix;
    ASSERT_TRUE(mivo::ToPosixPath("C:\\", posix));
    EXPECT_EQ("/", posix);
    ASSERT_TRUE(mivo::ToPosixPath("c:\\..\\..", posix));
    EXPECT_EQ("/", posix);
}

TEST_F(PathMapping, CaseIsIgnoredWhenTheExactNameIsMissing)
{
    ASSERT_EQ(0, mkdir(Posix("Photos").c_str(), 0755));
    ASSERT_EQ(0, mkdir(Posix("Photos/Sub").c_str(), 0755));
    WritePosix(Posix("Photos/Sub/Pic.JPG"), "pic");
    EXPECT_EQ("pic", ReadThroughHandle(Win("PHOTOS\\sub\\pic.jpg")));

    // A new name inside a folder found by case is created as written.
    ASSERT_EQ("", WriteThroughHandle(Win("photos\\SUB\\New.txt"), "new"));
    EXPECT_EQ("new", ReadPosix(Posix("Photos/Sub/New.txt")));
}

TEST_F(PathMapping, ExactNameWinsOverOthersDifferingInCase)
{
    WritePosix(Posix("a.txt"), "lower");
    WritePosix(Posix("A.TXT"), "upper");
    EXPECT_EQ("lower", ReadThroughHandle(Win("a.txt")));
    EXPECT_EQ("upper", ReadThroughHandle(Win("A.TXT")));
    // Neither exact: the choice is stable (the smallest name).
    EXPECT_EQ("upper", ReadThroughHandle(Win("A.txt")));
    EXPECT_EQ("upper", ReadThroughHandle(Win("a.TXT")));
}

TEST_F(PathMapping, RelativePathsFollowTheCurrentDirectory)
{
    ASSERT_EQ(0, mkdir(Posix(u8"작업").c_str(), 0755));
    ASSERT_TRUE(SetCurrentDirectory(Win("작업").c_str()));
    char current[MAX_PATH];
    ASSERT_EQ(Win("작업").size(), GetCurrentDirectory(MAX_PATH, current));
    EXPECT_EQ(Win("작업"), current);
    EXPECT_EQ(Win("작업").size() + 1, GetCurrentDirectory(3, current));  // too small: size needed

    ASSERT_EQ("", WriteThroughHandle("rel.txt", "r"));
    EXPECT_EQ("r", ReadPosix(Posix(u8"작업/rel.txt")));
    EXPECT_EQ("r", ReadThroughHandle("..\\작업\\REL.TXT"));

    char full[MAX_PATH];
    LPSTR filePart = nullptr;
    std::string expected = Win("작업\\sub\\x.jpg");
    EXPECT_EQ(expected.size(), GetFullPathName("sub\\.\\x.jpg", MAX_PATH, full, &filePart));
    EXPECT_EQ(expected, full);
    EXPECT_STREQ("x.jpg", filePart);
    EXPECT_EQ(Win("작업\\"), (GetFullPathName("..\\작업\\", MAX_PATH, full, &filePart), std::string(full)));
    EXPECT_EQ(nullptr, filePart);

    EXPECT_FALSE(SetCurrentDirectory(Win("missing").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
}

TEST_F(PathMapping, OtherDrivesComeFromTheSettingOrTheEnvironment)
{
    ASSERT_EQ(0, mkdir(Posix("d").c_str(), 0755));
    ASSERT_EQ(0, mkdir(Posix("e").c_str(), 0755));
    WritePosix(Posix("d/x.txt"), "on d");
    WritePosix(Posix("e/y.txt"), "on e");

    mivo::SetDriveRoot('d', Posix("d") + "/");
    setenv("MIVO_DRIVE_E", Posix("e").c_str(), 1);
    EXPECT_EQ("on d", ReadThroughHandle("D:\\x.txt"));
    EXPECT_EQ("on e", ReadThroughHandle("e:/Y.TXT"));
    EXPECT_EQ("D:\\x.txt", mivo::FromPosixPath(Posix("d/x.txt")));
    EXPECT_EQ("D:\\", mivo::FromPosixPath(Posix("d")));
    EXPECT_EQ(DWORD(1u << 2 | 1u << 3 | 1u << 4), GetLogicalDrives() & 0x1C);
    EXPECT_EQ((UINT)DRIVE_FIXED, GetDriveType("D:\\"));
    EXPECT_EQ((UINT)DRIVE_NO_ROOT_DIR, GetDriveType("Q:\\"));

    mivo::SetDriveRoot('D', "");
    unsetenv("MIVO_DRIVE_E");
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFile("D:\\x.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_EQ(Win("d\\x.txt"), mivo::FromPosixPath(Posix("d/x.txt")));
}

// Paths that have no mapping fail with a clear code and never crash.
TEST_F(PathMapping, UnmappablePathsFailCleanly)
{
    struct Case {
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {Win("\x80\xFF.jpg"), ERROR_NO_UNICODE_TRANSLATION},  // not CP949
        {Win("\xB0"), ERROR_NO_UNICODE_TRANSLATION},          // lead byte cut off
        {Win("a<b.jpg"), ERROR_INVALID_NAME},
        {Win("a|b"), ERROR_INVALID_NAME},
        {Win("a\x01"), ERROR_INVALID_NAME},
        {Win("x:y"), ERROR_INVALID_NAME},
        {"\\\\server\\share\\a.jpg", ERROR_BAD_NETPATH},
        {"", ERROR_PATH_NOT_FOUND},
        {"Q:\\nothing.jpg", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(INVALID_HANDLE_VALUE,
                  CreateFile(c.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        EXPECT_EQ(c.error, GetLastError()) << c.path;
        std::string posix;
        EXPECT_FALSE(mivo::ToPosixPath(c.path.c_str(), posix));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributes(c.path.c_str()));
        EXPECT_EQ(nullptr, mivo::FOpen(c.path.c_str(), "wb"));
        EXPECT_FALSE(CreateDirectory(c.path.c_str(), nullptr));
    }
    // Nothing was created along the way.
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(Win("*").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    int count = 1;
    while (FindNextFile(h, &data))
        ++count;
    FindClose(h);
    EXPECT_EQ(2, count);  // "." and ".."
}

TEST_F(PathMapping, NamesWithoutCp949FormAreNotListedButDoNotDisturb)
{
    WritePosix(Posix(u8"smile\U0001F600.jpg"), "x");
    WritePosix(Posix("plain.jpg"), "y");
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(Win("*.jpg").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_STREQ("plain.jpg", data.cFileName);
    EXPECT_FALSE(FindNextFile(h, &data));
    EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
    FindClose(h);

    std::string win;
    EXPECT_FALSE(mivo::FromPosixPath(Posix(u8"smile\U0001F600.jpg"), win));
}

TEST_F(PathMapping, ModuleTempAndDiskQueries)
{
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileName(nullptr, buffer, MAX_PATH);
    ASSERT_GT(length, 3u);
    EXPECT_EQ(':', buffer[1]);
    EXPECT_NE(nullptr, strstr(buffer, "test_platform_kernel"));
    char tiny[5];
    EXPECT_EQ(5u, GetModuleFileName(nullptr, tiny, 5));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(4u, strlen(tiny));

    setenv("TMPDIR", posix_.c_str(), 1);
    length = GetTempPath(MAX_PATH, buffer);
    unsetenv("TMPDIR");
    EXPECT_EQ(Win() + "\\", buffer);
    EXPECT_EQ(length, strlen(buffer));

    ULARGE_INTEGER avail, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceEx(Win().c_str(), &avail, &total, &free));
    EXPECT_GT(total.QuadPart, 0u);
    EXPECT_LE(free.QuadPart, total.QuadPart);

    EXPECT_TRUE(PathFileExists(Win().c_str()));
    EXPECT_FALSE(PathFileExists(Win("none").c_str()));
}

}  // namespace
