// FindFirstFile patterns as Windows matches them.
#include "mivo/filetime.h"
#include "FileFixture.h"

#include <vector>

namespace {

class FindFile : public FileFixture {
protected:
    void SetUp() override
    {
        FileFixture::SetUp();
        for (const char* name : {"a.JPG", "b.jpg", "c.jpeg", "noext", "a.txt", "ab.txt", "abc.txt", "axb.bmp",
                                 "ab", "x.tar.gz", ".hidden"})
            WritePosix(Posix(name), "12");
        WritePosix(Posix(u8"사진.jpg"), "k");
        ASSERT_EQ(0, mkdir(Posix("Sub").c_str(), 0755));
    }

    // Every name FindFirstFile/FindNextFile return for `pattern`, in order, joined by spaces.
    std::string Find(const std::string& pattern, DWORD* error = nullptr)
    {
        WIN32_FIND_DATA data;
        HANDLE h = FindFirstFile(pattern.c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) {
            if (error)
                *error = GetLastError();
            return "<none>";
        }
        std::string names = data.cFileName;
        while (FindNextFile(h, &data))
            names += std::string(" ") + data.cFileName;
        EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
        EXPECT_TRUE(FindClose(h));
        return names;
    }
};

TEST_F(FindFile, PatternsMatchAsOnWindows)
{
    struct Case {
        const char* pattern;
        const char* names;
    };
    const Case cases[] = {
        {"*.*", ". .. .hidden a.JPG a.txt ab ab.txt abc.txt axb.bmp b.jpg c.jpeg noext Sub x.tar.gz 사진.jpg"},
        {"*", ". .. .hidden a.JPG a.txt ab ab.txt abc.txt axb.bmp b.jpg c.jpeg noext Sub x.tar.gz 사진.jpg"},
        {"*.jpg", "a.JPG b.jpg 사진.jpg"},
        {"*.JPG", "a.JPG b.jpg 사진.jpg"},
        {"?.txt", "a.txt"},
        {"??.txt", "a.txt ab.txt"},
        {"a*b.*", "ab ab.txt axb.bmp"},
        {"*.", ". .. ab noext Sub"},
        {"*.gz", "x.tar.gz"},
        {"*.tar", "<none>"},
        {"a*", "a.JPG a.txt ab ab.txt abc.txt axb.bmp"},
        {"A.JPG", "a.JPG"},
        {"사진.*", "사진.jpg"},
        {"sub", "Sub"},
        {"*.jp?", "a.JPG b.jpg 사진.jpg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.names, Find(Win(c.pattern))) << c.pattern;
}

TEST_F(FindFile, DataDescribesEachEntry)
{
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(Win("Sub").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(h);

    h = FindFirstFile(Win("b.jpg").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(2u, data.nFileSizeLow);
    EXPECT_EQ(0u, data.nFileSizeHigh);
    struct stat st;
    ASSERT_EQ(0, stat(Posix("b.jpg").c_str(), &st));
    EXPECT_EQ((int64_t)st.st_mtime, mivo::UnixFromFileTime(data.ftLastWriteTime));
    EXPECT_TRUE(CloseHandle(h));  // find handles close either way
    EXPECT_FALSE(FindClose(h));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());

    h = FindFirstFile(Win(".hidden").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
    FindClose(h);
}

TEST_F(FindFile, FailuresAndSpecialFolders)
{
    DWORD error = 0;
    EXPECT_EQ("<none>", Find(Win("*.xyz"), &error));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, error);
    EXPECT_EQ("<none>", Find(Win("missing\\*.*"), &error));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, error);
    EXPECT_EQ("<none>", Find(Win("a|b*"), &error));
    EXPECT_EQ((DWORD)ERROR_INVALID_NAME, error);
    EXPECT_EQ("<none>", Find(Win("\x80\xFF*"), &error));
    EXPECT_EQ((DWORD)ERROR_NO_UNICODE_TRANSLATION, error);

    // A drive root has no "." and ".." entries.
    std::string root = Find("C:\\*");
    EXPECT_NE(std::string::npos, root.find("tmp"));
    EXPECT_EQ(std::string::npos, (" " + root + " ").find(" . "));

    // A pattern without a folder searches the current one.
    ASSERT_TRUE(SetCurrentDirectory(Win("Sub").c_str()));
    WritePosix(Posix("Sub/inner.txt"), "");
    EXPECT_EQ("inner.txt", Find("*.txt"));
    EXPECT_EQ("ab ab.txt", Find("..\\ab.*"));  // "name.*" also finds "name"

    WIN32_FIND_DATA data;
    EXPECT_FALSE(FindNextFile(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
}

}  // namespace
