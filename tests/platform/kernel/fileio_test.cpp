// File handles, stdio on Windows paths, temporary names, path splitting and error texts.
#include "mivo/errors.h"
#include "mivo/filetime.h"
#include "mivo/paths.h"
#include "FileFixture.h"

#include <set>
#include <thread>

namespace {

using FileIo = FileFixture;

TEST_F(FileIo, HandleReadWriteSeekAndSize)
{
    HANDLE h = CreateFile(Win("data.bin").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(h, "0123456789", 10, &n, nullptr));
    EXPECT_EQ(10u, n);
    DWORD high = 7;
    EXPECT_EQ(10u, GetFileSize(h, &high));
    EXPECT_EQ(0u, high);

    EXPECT_EQ(4u, SetFilePointer(h, 4, nullptr, FILE_BEGIN));
    char buffer[16] = {};
    ASSERT_TRUE(ReadFile(h, buffer, 3, &n, nullptr));
    EXPECT_EQ("456", std::string(buffer, n));
    EXPECT_EQ(5u, SetFilePointer(h, -2, nullptr, FILE_CURRENT));
    EXPECT_EQ(8u, SetFilePointer(h, -2, nullptr, FILE_END));
    ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &n, nullptr));
    EXPECT_EQ("89", std::string(buffer, n));
    ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &n, nullptr));  // at the end: success, nothing read
    EXPECT_EQ(0u, n);

    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(h, -20, nullptr, FILE_CURRENT));
    EXPECT_EQ((DWORD)ERROR_NEGATIVE_SEEK, GetLastError());

    LARGE_INTEGER to, now;
    to.QuadPart = 6;
    ASSERT_TRUE(SetFilePointerEx(h, to, &now, FILE_BEGIN));
    EXPECT_EQ(6, now.QuadPart);
    ASSERT_TRUE(SetEndOfFile(h));
    LARGE_INTEGER size;
    ASSERT_TRUE(GetFileSizeEx(h, &size));
    EXPECT_EQ(6, size.QuadPart);

    // Beyond 4 GB the high part carries the rest; the file stays sparse.
    LONG highMove = 1;
    EXPECT_EQ(16u, SetFilePointer(h, 16, &highMove, FILE_BEGIN));
    EXPECT_EQ(1, highMove);

    FILETIME written;
    ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &written));
    FILETIME past = mivo::FileTimeFromUnix(1000000000);
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &past));
    ASSERT_TRUE(FlushFileBuffers(h));
    ASSERT_TRUE(CloseHandle(h));
    struct stat st;
    ASSERT_EQ(0, stat(Posix("data.bin").c_str(), &st));
    EXPECT_EQ(1000000000, st.st_mtime);
    EXPECT_EQ("012345", ReadPosix(Posix("data.bin")));

    EXPECT_FALSE(ReadFile(h, buffer, 1, &n, nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_FALSE(CloseHandle(h));
}

TEST_F(FileIo, DispositionsAndDeleteOnClose)
{
    WritePosix(Posix("t.txt"), "long content");
    HANDLE h = CreateFile(Win("T.TXT").c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    EXPECT_EQ("", ReadPosix(Posix("t.txt")));

    WritePosix(Posix("t.txt"), "again");
    h = CreateFile(Win("t.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    CloseHandle(h);
    EXPECT_EQ("", ReadPosix(Posix("t.txt")));

    h = CreateFile(Win("temp.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_TRUE(ExistsPosix(Posix("temp.txt")));
    CloseHandle(h);
    EXPECT_FALSE(ExistsPosix(Posix("temp.txt")));
}

TEST_F(FileIo, StdioOpensWindowsPaths)
{
    ASSERT_EQ(0, mkdir(Posix(u8"그림").c_str(), 0755));
    FILE* f = mivo::FOpen(Win("그림\\out.bmp").c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fputs("BM", f);
    fclose(f);
    EXPECT_EQ("BM", ReadPosix(Posix(u8"그림/out.bmp")));

    for (const char* mode : {"rb", "rt", "r", "r+b"}) {
        f = _tfopen(Win("그림\\OUT.BMP").c_str(), mode);
        ASSERT_NE(nullptr, f) << mode;
        char buffer[4] = {};
        EXPECT_EQ(2u, fread(buffer, 1, 4, f)) << mode;
        fclose(f);
    }
    f = _fsopen(Win("그림\\out.bmp").c_str(), "ab", _SH_DENYWR);
    ASSERT_NE(nullptr, f);
    fputs("xx", f);
    fclose(f);
    EXPECT_EQ("BMxx", ReadPosix(Posix(u8"그림/out.bmp")));

    EXPECT_EQ(nullptr, mivo::FOpen(Win("none.bmp").c_str(), "rb"));
    EXPECT_EQ(ENOENT, errno);
    EXPECT_EQ(nullptr, mivo::FOpen(Win("그림").c_str(), "rb"));
    EXPECT_EQ(EACCES, errno);
    EXPECT_EQ(nullptr, mivo::FOpen(Win("x.bmp").c_str(), "q"));
}

TEST_F(FileIo, TempFileNamesAreUniqueAndCreated)
{
    std::set<std::string> names;
    for (int i = 0; i < 200; ++i) {
        char name[MAX_PATH];
        UINT number = GetTempFileName(Win().c_str(), "img", 0, name);
        ASSERT_NE(0u, number);
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_EQ(0u, GetFileAttributes(name) & FILE_ATTRIBUTE_DIRECTORY);
    }
    char name[MAX_PATH];
    EXPECT_EQ(0x2Au, GetTempFileName((Win() + "\\").c_str(), "사진첩", 0x2A, name));
    EXPECT_EQ(Win("사2A.tmp"), name);  // three bytes of prefix, never half a character
    EXPECT_FALSE(ExistsPosix(Posix(u8"사2A.tmp")));  // a given number creates nothing

    EXPECT_EQ(0u, GetTempFileName(Win("missing").c_str(), "x", 0, name));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST(SplitPath, SplitsAndJoinsAsTheRuntime)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\사진\\여름\\바다.jpg", "C:", "\\사진\\여름\\", "바다", ".jpg"},
        {"d:/a/b.c.txt", "d:", "/a/", "b.c", ".txt"},
        {"name", "", "", "name", ""},
        {"dir.x\\noext", "", "dir.x\\", "noext", ""},
        {"C:", "C:", "", "", ""},
        {"\\\\srv\\share\\f.", "", "\\\\srv\\share\\", "f", "."},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(c.drive, drive) << c.path;
        EXPECT_STREQ(c.dir, dir) << c.path;
        EXPECT_STREQ(c.fname, fname) << c.path;
        EXPECT_STREQ(c.ext, ext) << c.path;
    }
    char fname[_MAX_FNAME];
    _splitpath("C:\\x\\only.name", nullptr, nullptr, fname, nullptr);
    EXPECT_STREQ("only", fname);

    char path[_MAX_PATH];
    _makepath(path, "C", "\\사진", "바다", "jpg");
    EXPECT_STREQ("C:\\사진\\바다.jpg", path);
    _makepath(path, "", "dir/", "f", ".bmp");
    EXPECT_STREQ("dir/f.bmp", path);
    _makepath(path, nullptr, nullptr, "f", nullptr);
    EXPECT_STREQ("f", path);
}

TEST(Errors, LastErrorIsPerThreadAndHasSystemTexts)
{
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seenByOther = 1;
    std::thread([&] { seenByOther = GetLastError(); }).join();
    EXPECT_EQ(0u, seenByOther);
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());

    LPSTR text = nullptr;
    DWORD length = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                 (LPSTR)&text, 0, nullptr);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(strlen(text), length);
    EXPECT_STREQ("The system cannot find the file specified.\r\n", text);
    EXPECT_EQ(nullptr, LocalFree(text));

    char small[8];
    EXPECT_EQ(0u, FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, small, 8, nullptr));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    char big[256];
    EXPECT_EQ(0u, FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0x7FFF1234, 0, big, 256, nullptr));
    EXPECT_EQ((DWORD)ERROR_MR_MID_NOT_FOUND, GetLastError());

    // The registry reports these; each has its system text.
    for (DWORD code : {ERROR_BADDB, ERROR_BADKEY, ERROR_CANTOPEN, ERROR_CANTREAD, ERROR_CANTWRITE,
                       ERROR_REGISTRY_IO_FAILED, ERROR_KEY_DELETED}) {
        SCOPED_TRACE(code);
        EXPECT_NE(0u, FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, big, 256, nullptr));
        EXPECT_STRNE("", mivo::SystemErrorText(code));
    }
    FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_KEY_DELETED, 0, big, 256, nullptr);
    EXPECT_STREQ("Illegal operation attempted on a registry key that has been marked for deletion.\r\n", big);

    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, mivo::ErrorFromErrno(ENOENT));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, mivo::ErrorFromErrno(ENOSPC));
    EXPECT_EQ((DWORD)ERROR_DIR_NOT_EMPTY, mivo::ErrorFromErrno(ENOTEMPTY));
}

TEST(Errors, LocalMemoryKeepsItsSize)
{
    HLOCAL block = LocalAlloc(LPTR, 10);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(10u, LocalSize(block));
    EXPECT_EQ(0, static_cast<char*>(block)[9]);
    block = LocalReAlloc(block, 100, LMEM_ZEROINIT);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(100u, LocalSize(block));
    EXPECT_EQ(0, static_cast<char*>(block)[99]);
    EXPECT_EQ(nullptr, LocalFree(block));
    EXPECT_EQ(nullptr, LocalFree(nullptr));
}

}  // namespace
