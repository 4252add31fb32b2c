// CFile, CStdioFile and CFileFind.
#include "FileFixture.h"
#include "mfc.h"
#include "mivo/codepage.h"

#include <fcntl.h>
#include <map>

namespace {

using MfcFiles = FileFixture;

TEST_F(MfcFiles, FileRoundTripSeekAndLength)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(Win("사진.dat").c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite));
        EXPECT_EQ(CString(Win("사진.dat").c_str()), file.GetFilePath());
        EXPECT_EQ(CString("사진.dat"), file.GetFileName());
        EXPECT_EQ(CString("사진"), file.GetFileTitle());
        file.Write("hello world", 11);
        EXPECT_EQ(11u, file.GetLength());
        file.SeekToBegin();
        char buffer[16] = {};
        EXPECT_EQ(5u, file.Read(buffer, 5));
        EXPECT_STREQ("hello", buffer);
        EXPECT_EQ(5u, file.GetPosition());
        EXPECT_EQ(11u, file.SeekToEnd());
        EXPECT_EQ(6u, file.Seek(-5, CFile::end));
        file.SetLength(8);
        EXPECT_EQ(8u, file.GetLength());
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_EQ("hello wo", ReadPosix(Posix(u8"사진.dat")));

    // modeNoTruncate keeps what is there.
    CFile again(Win("사진.dat").c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(8u, again.GetLength());
    again.SeekToEnd();
    again.Write("!", 1);
    again.Close();
    EXPECT_EQ("hello wo!", ReadPosix(Posix(u8"사진.dat")));
}

TEST_F(MfcFiles, FailuresFillOrThrowTheFileException)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Win("none.dat").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ((LONG)ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_EQ(CString(Win("none.dat").c_str()), error.m_strFileName);

    EXPECT_FALSE(file.Open(Win("no\\x.dat").c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_FALSE(file.Open(Win("\x80\xFF").c_str(), CFile::modeRead, &error));  // no crash on bytes that are not CP949

    int cause = -1;
    try {
        CFile thrown(Win("none.dat").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);

    WritePosix(Posix("a.dat"), "a");
    WritePosix(Posix("b.dat"), "b");
    cause = -1;
    try {
        CFile::Rename(Win("a.dat").c_str(), Win("b.dat").c_str());
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_NE(-1, cause);
    EXPECT_EQ("b", ReadPosix(Posix("b.dat")));
    CFile::Rename(Win("a.dat").c_str(), Win("c.dat").c_str());
    EXPECT_EQ("a", ReadPosix(Posix("c.dat")));
    CFile::Remove(Win("c.dat").c_str());
    EXPECT_FALSE(ExistsPosix(Posix("c.dat")));
    cause = -1;
    try {
        CFile::Remove(Win("c.dat").c_str());
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, cause);
}

TEST_F(MfcFiles, StatusOfFilesAndFolders)
{
    WritePosix(Posix("s.jpg"), "12345");
    struct timespec times[2] = {{1500000000, 0}, {1600000000, 0}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, Posix("s.jpg").c_str(), times, 0));

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Win("S.JPG").c_str(), status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(1600000000, status.m_mtime.GetTime());
    EXPECT_EQ(1500000000, status.m_atime.GetTime());
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_STREQ(Win("S.JPG").c_str(), status.m_szFullName);

    ASSERT_TRUE(CFile::GetStatus((Win() + "\\").c_str(), status));  // a folder, even with its backslash
    EXPECT_TRUE(status.m_attribute & CFile::directory);
    EXPECT_FALSE(CFile::GetStatus(Win("none").c_str(), status));
    EXPECT_FALSE(CFile::GetStatus(Win("*.jpg").c_str(), status));

    CFile file(Win("s.jpg").c_str(), CFile::modeRead | CFile::shareDenyNone);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(5u, status.m_size);
    EXPECT_EQ(1600000000, status.m_mtime.GetTime());
}

TEST_F(MfcFiles, StdioFileTextLines)
{
    {
        CStdioFile out(Win("목록.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        out.WriteString("첫째 줄\n");
        out.WriteString("second\n\nlast without break");
    }
    EXPECT_EQ(std::string(u8"첫째 줄\r\nsecond\r\n\r\nlast without break"),
              mivo::ToUtf8(ReadPosix(Posix(u8"목록.txt")).c_str()));

    CStdioFile in;
    ASSERT_TRUE(in.Open(Win("목록.txt").c_str(), CFile::modeRead | CFile::typeText));
    CString line;
    std::vector<std::string> lines;
    while (in.ReadString(line))
        lines.push_back((LPCSTR)line);
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("첫째 줄", lines[0]);
    EXPECT_EQ("second", lines[1]);
    EXPECT_EQ("", lines[2]);
    EXPECT_EQ("last without break", lines[3]);
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());

    in.SeekToBegin();
    char buffer[64];
    ASSERT_NE(nullptr, in.ReadString(buffer, sizeof buffer));
    EXPECT_STREQ("첫째 줄\n", buffer);
    in.Close();

    // A line longer than any internal buffer comes back whole.
    std::string longLine(1000, 'x');
    WritePosix(Posix("long.txt"), longLine + "\r\nend");
    CStdioFile longFile(Win("long.txt").c_str(), CFile::modeRead);
    ASSERT_TRUE(longFile.ReadString(line));
    EXPECT_EQ(longLine, (LPCSTR)line);
    ASSERT_TRUE(longFile.ReadString(line));
    EXPECT_EQ("end", std::string((LPCSTR)line));
}

TEST_F(MfcFiles, StdioFileBinaryAndAppendModes)
{
    WritePosix(Posix("log.txt"), "one\n");
    {
        // Without modeCreate a write-only stream appends, as the run-time's "a" does.
        CStdioFile log(Win("log.txt").c_str(), CFile::modeWrite | CFile::typeBinary);
        log.WriteString("two\n");
    }
    {
        CStdioFile log(Win("log.txt").c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite |
                                                   CFile::typeBinary);
        log.SeekToBegin();
        log.WriteString("three\n");
        EXPECT_EQ(14u, log.GetLength());
    }
    EXPECT_EQ("one\ntwo\nthree\n", ReadPosix(Posix("log.txt")));

    CStdioFile binary(Win("log.txt").c_str(), CFile::modeRead | CFile::typeBinary);
    char buffer[4] = {};
    EXPECT_EQ(3u, binary.Read(buffer, 3));
    EXPECT_STREQ("one", buffer);
    EXPECT_EQ(3u, binary.GetPosition());
    CString line;
    ASSERT_TRUE(binary.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    CFileStatus status;
    ASSERT_TRUE(binary.GetStatus(status));
    EXPECT_EQ(14u, status.m_size);
}

TEST_F(MfcFiles, FileFindWalksEntries)
{
    ASSERT_EQ(0, mkdir(Posix(u8"앨범").c_str(), 0755));
    ASSERT_EQ(0, mkdir(Posix(u8"앨범/Sub").c_str(), 0755));
    WritePosix(Posix(u8"앨범/바다.jpg"), "123");
    WritePosix(Posix(u8"앨범/.hidden"), "");
    ASSERT_EQ(0, chmod(Posix(u8"앨범/바다.jpg").c_str(), 0444));

    CFileFind finder;
    BOOL more = finder.FindFile(Win("앨범\\*.*").c_str());
    ASSERT_TRUE(more);
    EXPECT_EQ(CString((Win("앨범") + "\\").c_str()), finder.GetRoot());
    std::map<std::string, std::string> seen;
    while (more) {
        more = finder.FindNextFile();
        std::string what;
        if (finder.IsDots())
            what += "dots ";
        if (finder.IsDirectory())
            what += "dir ";
        if (finder.IsHidden())
            what += "hidden ";
        if (finder.IsReadOnly())
            what += "ro ";
        what += std::to_string(finder.GetLength());
        seen[(LPCSTR)finder.GetFileName()] = what;
        if (finder.GetFileName() == "바다.jpg") {
            EXPECT_EQ(CString(Win("앨범\\바다.jpg").c_str()), finder.GetFilePath());
            EXPECT_EQ(CString("바다"), finder.GetFileTitle());
            CTime written;
            ASSERT_TRUE(finder.GetLastWriteTime(written));
            struct stat st;
            ASSERT_EQ(0, stat(Posix(u8"앨범/바다.jpg").c_str(), &st));
            EXPECT_EQ(st.st_mtime, written.GetTime());
        }
    }
    std::map<std::string, std::string> expected = {
        {".", "dots dir 0"}, {"..", "dots dir 0"}, {"Sub", "dir 0"}, {"바다.jpg", "ro 3"}, {".hidden", "hidden 0"}};
    EXPECT_EQ(expected, seen);
    finder.Close();

    // A relative pattern is rooted in the current folder.
    ASSERT_TRUE(SetCurrentDirectory(Win("앨범").c_str()));
    ASSERT_TRUE(finder.FindFile("*.jpg"));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(CString(Win("앨범\\바다.jpg").c_str()), finder.GetFilePath());

    EXPECT_FALSE(finder.FindFile(Win("앨범\\*.gif").c_str()));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

}  // namespace
