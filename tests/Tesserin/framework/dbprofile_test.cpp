// CDBProfile: record texts, the record kinds, section walks, compaction, persistence and failures.
#include <gtest/gtest.h>

#include "framework/DBProfile.h"
#include "support/TempFolder.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char kFile[] = "Profile.MivoTest";

// The profile with the raw text of the record read last.
class RawProfile : public CDBProfile {
public:
    using CDBProfile::CDBProfile;
    std::string RawKey() const { return m_pKeyBuf; }
    std::string RawData() const { return m_pDataBuf; }
    bool Read(const char* section, const char* entry)
    {
        GetBasicCode(section, entry);
        return GetStatus() == 0;
    }
};

std::string Blanks(size_t n) { return std::string(n, ' '); }
std::string Padded(const std::string& s, size_t width) { return s + Blanks(width - s.size()); }

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override { Reopen(); }
    void Reopen()
    {
        m_profile.reset();
        m_profile.reset(new RawProfile(m_folder.windowsPath().c_str(), kFile, FALSE));
        ASSERT_TRUE(m_profile->IsDBOpen());
    }
    std::string FileBytes()
    {
        std::ifstream in(m_folder.file(kFile), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Exists(const std::string& name)
    {
        struct stat st;
        return stat(m_folder.file(name).c_str(), &st) == 0;
    }
    mivotest::TempFolder m_folder;
    std::unique_ptr<RawProfile> m_profile;
};

TEST_F(ProfileTest, IntegersAreStoredZeroPaddedToTheColumn)
{
    struct Case {
        int value;
        std::string column;
    } cases[] = {
        {5, std::string(127, '0') + "5"},
        {-1, "-" + std::string(126, '0') + "1"},
        {0, std::string(128, '0')},
        {2147483647, std::string(118, '0') + "2147483647"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(m_profile->SaveStateInt("Main", "Count", c.value), 1);
        EXPECT_EQ(m_profile->LoadStateInt("Main", "Count"), c.value);
        ASSERT_TRUE(m_profile->Read("Main", "Count"));
        EXPECT_EQ(m_profile->RawKey(), Padded("Main", 32) + Padded("Count", 32));
        // Column 0 empty, column 1 the number, columns 2 to 6 empty, column 7 blanks while
        // no state string has been written through this store.
        EXPECT_EQ(m_profile->RawData(), Blanks(128) + c.column + Blanks(4 * 128 + 20) + Blanks(4096)) << c.value;
    }
}

TEST_F(ProfileTest, StateStringsAreUnpaddedAndLoseTrailingBlanks)
{
    ASSERT_EQ(m_profile->SaveStateString("Main", "Name", "abc "), 1);
    EXPECT_STREQ(m_profile->LoadStateString("Main", "Name"), "abc");
    ASSERT_TRUE(m_profile->Read("Main", "Name"));
    EXPECT_EQ(m_profile->RawData(), Blanks(6 * 128 + 20) + "abc ");

    // The text column's pad flag sticks to the open store: later records leave it empty.
    ASSERT_EQ(m_profile->SaveStateInt("Main", "Count", 5), 1);
    ASSERT_TRUE(m_profile->Read("Main", "Count"));
    EXPECT_EQ(m_profile->RawData().size(), 6u * 128 + 20);
    EXPECT_EQ(m_profile->LoadStateInt("Main", "Count"), 5);
}

TEST_F(ProfileTest, AnIntegerAndAStringShareOneRecord)
{
    ASSERT_EQ(m_profile->SaveStateString("S", "E", "text"), 1);
    ASSERT_EQ(m_profile->SaveStateInt("S", "E", 7), 1);
    EXPECT_STREQ(m_profile->LoadStateString("S", "E"), "");
    EXPECT_EQ(m_profile->LoadStateInt("S", "E"), 7);
    ASSERT_EQ(m_profile->SaveStateString("S", "E", "again"), 1);
    EXPECT_EQ(m_profile->LoadStateInt("S", "E"), 0);
    EXPECT_EQ(m_profile->GetRowCount(), 1);
}

TEST_F(ProfileTest, AbsentValues)
{
    EXPECT_STREQ(m_profile->LoadStateString("None", "None"), "");
    EXPECT_EQ(m_profile->LoadStateInt("None", "None"), 0);

    RECT r = {1, 2, 3, 4};
    EXPECT_EQ(m_profile->RtrvWindowPos("NeverSaved", &r), 0);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, -1);
    EXPECT_EQ(r.bottom, -1);

    int size = 0;
    COLORREF color = 0;
    EXPECT_STREQ(m_profile->RtrvWindowFont("Grid", &size, &color), "돋움");
    EXPECT_EQ(size, 10);
    EXPECT_EQ(color, 0xC0C0C0u);
    EXPECT_STREQ(m_profile->RtrvWindowFont("Grid", nullptr, nullptr), "돋움");
}

TEST_F(ProfileTest, WindowPositionAndFontRecords)
{
    RECT saved = {-10, 20, 800, 600};
    m_profile->SaveWindowPos("MainFrame", &saved, 3);
    RECT r = {};
    EXPECT_EQ(m_profile->RtrvWindowPos("MainFrame", &r), 1);  // any nonzero state is stored as 1
    EXPECT_EQ(r.left, -10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.bottom, 600);
    ASSERT_TRUE(m_profile->Read("WinPosition", "MainFrame"));
    EXPECT_EQ(m_profile->RawData().substr(5 * 128, 128), std::string(127, '0') + "1");

    // A font record written by other means is read from columns 1, 2 and 6.
    m_profile->InitRowBuffer();
    m_profile->SetKeyColumnString(0, "WinFont", TRUE);
    m_profile->SetKeyColumnString(1, "Grid", TRUE);
    m_profile->SetDataColumnString(1, "굴림", TRUE);
    m_profile->SetDataColumnInt(2, 9);
    m_profile->SetDataColumnInt(6, 0x123456);
    ASSERT_EQ(m_profile->Write(), 0);
    int size = 0;
    COLORREF color = 0;
    EXPECT_STREQ(m_profile->RtrvWindowFont("Grid", &size, &color), "굴림");
    EXPECT_EQ(size, 9);
    EXPECT_EQ(color, 0x123456u);
}

TEST_F(ProfileTest, SectionWalkReturnsOnlyTheSectionsOwnRecordsInEntryOrder)
{
    m_profile->SaveStateString("Ab", "b", "Ab-b");
    m_profile->SaveStateString("Abc", "a", "Abc-a");
    m_profile->SaveStateString("Ab", "a", "Ab-a");
    m_profile->SaveStateString("Aa", "z", "Aa-z");
    m_profile->SaveStateString("Ab ", "c", "Ab-c");  // a trailing blank names the same section

    CStringArray arr;
    arr.Add("left over");
    m_profile->FillCodeStringArray("Ab", arr);
    ASSERT_EQ(arr.GetSize(), 3);
    EXPECT_STREQ(arr[0], "Ab-a");
    EXPECT_STREQ(arr[1], "Ab-b");
    EXPECT_STREQ(arr[2], "Ab-c");

    m_profile->FillCodeStringArray("Empty", arr);
    EXPECT_EQ(arr.GetSize(), 0);
    m_profile->FillCodeStringArray("Abc", arr);
    ASSERT_EQ(arr.GetSize(), 1);
    EXPECT_STREQ(arr[0], "Abc-a");

    m_profile->StartGubn("Ab");
    ASSERT_EQ(m_profile->GetNext(), 0);
    EXPECT_STREQ(m_profile->GetKeyColumnString(1), "a");
}

TEST_F(ProfileTest, RowCountTruncationAndCompaction)
{
    EXPECT_EQ(m_profile->GetRowCount(), 0);
    m_profile->SaveStateInt("A", "a", 1);
    EXPECT_EQ(m_profile->GetRowCount(), 1);
    for (int i = 0; i < 300; ++i) m_profile->SaveStateString("Bulk", std::to_string(i).c_str(), "x");
    int before = m_profile->GetDBSizeInKB();

    // Compaction keeps every record, the first in key order included.
    ASSERT_EQ(m_profile->CompressDB(), 1);
    EXPECT_EQ(m_profile->GetRowCount(), 301);
    EXPECT_EQ(m_profile->LoadStateInt("A", "a"), 1);
    EXPECT_STREQ(m_profile->LoadStateString("Bulk", "299"), "x");

    ASSERT_EQ(m_profile->TruncateDB(), 1);
    ASSERT_EQ(m_profile->CompressDB(), 1);
    EXPECT_EQ(m_profile->GetRowCount(), 0);
    EXPECT_LT(m_profile->GetDBSizeInKB(), before);
    EXPECT_LE(m_profile->GetDBSizeInKB(), 16);
    EXPECT_FALSE(Exists("VXcompress.tmp"));

    // The store works on after the reset, and the cursor walks again.
    ASSERT_EQ(m_profile->SaveStateString("After", "x", "y"), 1);
    CStringArray arr;
    m_profile->FillCodeStringArray("After", arr);
    EXPECT_EQ(arr.GetSize(), 1);
}

TEST_F(ProfileTest, FailedCompactionKeepsTheStoreAndItsFile)
{
    m_profile->SaveStateString("Keep", "me", "safe");
    ASSERT_EQ(mkdir(m_folder.file("VXcompress.tmp").c_str(), 0700), 0);
    EXPECT_EQ(m_profile->CompressDB(), 0);
    EXPECT_STREQ(m_profile->LoadStateString("Keep", "me"), "safe");
    EXPECT_EQ(m_profile->SaveStateInt("Keep", "more", 2), 1);
    Reopen();
    EXPECT_STREQ(m_profile->LoadStateString("Keep", "me"), "safe");
    EXPECT_EQ(m_profile->LoadStateInt("Keep", "more"), 2);
}

TEST_F(ProfileTest, ValuesPersistAcrossCloseAndReopen)
{
    RECT saved = {1, 2, 3, 4};
    m_profile->SaveWindowPos("Dlg", &saved, 0);
    m_profile->SaveStateString("Main", "Last", "C:\\사진\\a.jpg");
    m_profile->SaveStateInt("Main", "Zoom", 1000);
    Reopen();
    RECT r = {};
    EXPECT_EQ(m_profile->RtrvWindowPos("Dlg", &r), 0);
    EXPECT_EQ(r.right, 3);
    EXPECT_STREQ(m_profile->LoadStateString("Main", "Last"), "C:\\사진\\a.jpg");
    EXPECT_EQ(m_profile->LoadStateInt("Main", "Zoom"), 1000);
}

TEST_F(ProfileTest, OverlongNamesAndTextsAreCutAndLeaveNeighboursAlone)
{
    std::string longName = std::string(31, 's') + "가나";  // byte 32 would split "가"
    std::string longText = std::string(4095, 't') + "다라";
    ASSERT_EQ(m_profile->SaveStateString("Neighbour", "before", "B"), 1);
    ASSERT_EQ(m_profile->SaveStateString(longName.c_str(), std::string(40, 'e').c_str(), longText.c_str()), 1);
    ASSERT_EQ(m_profile->SaveStateString("Neighbour", "after", "A"), 1);

    EXPECT_STREQ(m_profile->LoadStateString("Neighbour", "before"), "B");
    EXPECT_STREQ(m_profile->LoadStateString("Neighbour", "after"), "A");
    CString text = m_profile->LoadStateString(longName.c_str(), std::string(40, 'e').c_str());
    EXPECT_EQ(text.GetLength(), 4095);
    EXPECT_EQ(std::string(text), std::string(4095, 't'));

    // The same record is reached by its cut names.
    ASSERT_TRUE(m_profile->Read(std::string(31, 's').c_str(), std::string(32, 'e').c_str()));
    EXPECT_EQ(m_profile->RawKey(), std::string(31, 's') + " " + std::string(32, 'e'));
    EXPECT_EQ(m_profile->GetRowCount(), 3);
}

TEST(ProfileOpen, NoFolderOrNoNameLeavesTheStoreClosed)
{
    mivotest::TempFolder folder;
    struct Case {
        std::string dir;
        const char* name;
    } cases[] = {{"", kFile}, {folder.windowsPath(), ""}, {folder.windowsPath(), nullptr}};
    for (const Case& c : cases) {
        RawProfile p(c.dir.c_str(), c.name, FALSE);
        EXPECT_FALSE(p.IsDBOpen());
        EXPECT_EQ(p.SaveStateString("S", "E", "x"), 0);
        EXPECT_EQ(p.SaveStateInt("S", "E", 1), 0);
        RECT r = {0, 0, 0, 0};
        p.SaveWindowPos("W", &r, 1);
        EXPECT_STREQ(p.LoadStateString("S", "E"), "");
        EXPECT_EQ(p.LoadStateInt("S", "E"), 0);
        EXPECT_EQ(p.RtrvWindowPos("W", &r), 0);
        EXPECT_EQ(r.left, -1);
        CStringArray arr;
        p.FillCodeStringArray("S", arr);
        EXPECT_EQ(arr.GetSize(), 0);
    }
    struct stat st;
    EXPECT_NE(stat((std::string("/") + kFile).c_str(), &st), 0);  // nothing written into the root folder
}

TEST(ProfileOpen, DamagedFileIsNeitherOpenedNorTouched)
{
    mivotest::TempFolder folder;
    const std::string junk = std::string(5000, '\x5a') + "not a database";
    std::ofstream(folder.file(kFile), std::ios::binary) << junk;
    {
        RawProfile p(folder.windowsPath().c_str(), kFile, FALSE);
        EXPECT_FALSE(p.IsDBOpen());
        EXPECT_EQ(p.SaveStateInt("S", "E", 1), 0);
        EXPECT_EQ(p.LoadStateInt("S", "E"), 0);
        EXPECT_EQ(p.CompressDB(), 0);
    }
    std::ifstream in(folder.file(kFile), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), junk);
}

TEST(ProfileOpen, BrokenDatabaseFileNeverCrashesAndIsNeverReplaced)
{
    enum Damage { kTruncated, kScribbled };
    for (Damage damage : {kTruncated, kScribbled}) {
        mivotest::TempFolder folder;
        {
            RawProfile p(folder.windowsPath().c_str(), kFile, FALSE);
            for (int i = 0; i < 200; ++i) p.SaveStateString("S", std::to_string(i).c_str(), "value");
        }
        if (damage == kTruncated) {
            ASSERT_EQ(truncate(folder.file(kFile).c_str(), 3000), 0);
        } else {
            std::fstream f(folder.file(kFile), std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(1024);  // over the first pages after the meta page
            for (int i = 0; i < 700; ++i) f.put((char)(i * 37));
        }
        struct stat before;
        ASSERT_EQ(stat(folder.file(kFile).c_str(), &before), 0);
        {
            RawProfile p(folder.windowsPath().c_str(), kFile, FALSE);
            for (int i = 0; i < 200; i += 10) p.LoadStateString("S", std::to_string(i).c_str());
            p.SaveStateString("S", "new", "v");
            CStringArray arr;
            p.FillCodeStringArray("S", arr);
            p.GetRowCount();
            EXPECT_EQ(p.CompressDB(), 0) << damage;  // never a partial copy in the file's place
        }
        struct stat after;
        ASSERT_EQ(stat(folder.file(kFile).c_str(), &after), 0) << damage;
        EXPECT_EQ(after.st_ino, before.st_ino) << damage;
        EXPECT_FALSE(stat(folder.file("VXcompress.tmp").c_str(), &after) == 0) << damage;
    }
}

// The single-instance hand-over: a second copy writes "OpenFile" and ends; the first copy, which
// wrote its own records before, closes and reopens its store and finds both.
TEST(ProfileHandOver, SecondProcessWriteReachesTheFirstAfterReopening)
{
    mivotest::TempFolder folder;
    std::string dir = folder.windowsPath();
    std::unique_ptr<RawProfile> first(new RawProfile(dir.c_str(), kFile, FALSE));
    ASSERT_EQ(first->SaveStateInt("MivoTest", "Start", 1), 1);
    RECT frame = {10, 20, 30, 40};
    first->SaveWindowPos("MivoTest", &frame, 0);

    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int ok;
        {
            RawProfile second(dir.c_str(), kFile, FALSE);
            ok = second.SaveStateString("MivoTest", "OpenFile", "C:\\사진\\b.jpg");
        }
        _exit(ok == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    first->CloseDB();
    first.reset(new RawProfile(dir.c_str(), kFile, FALSE));
    EXPECT_STREQ(first->LoadStateString("MivoTest", "OpenFile"), "C:\\사진\\b.jpg");
    RECT r = {};
    first->RtrvWindowPos("MivoTest", &r);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_EQ(first->LoadStateInt("MivoTest", "Start"), 1);
}

}  // namespace
