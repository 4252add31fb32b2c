// CBDB: fixed-width columns, exact reads, cursor walks, counting and compaction.
#include <gtest/gtest.h>

#include "framework/BDB.h"
#include "support/TempFolder.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// A table keyed by a number (width 4) and a name (width 8) with one data column of width 10.
class Table : public CBDB {
public:
    explicit Table(const std::string& file) : CBDB(file.c_str(), FALSE, FALSE, 2, 1, 64, 64)
    {
        PrepareKey(4, 8);
        PrepareData(10);
    }
    void Put(int number, const char* name, int value)
    {
        InitRowBuffer();
        SetKeyColumnInt(0, number);
        SetKeyColumnString(1, name, TRUE);
        SetDataColumnInt(0, value);
        ASSERT_EQ(Write(), 0);
    }
    std::string Row() const
    {
        return std::to_string(GetKeyColumnInt(0)) + ":" + (LPCSTR)GetKeyColumnString(1);
    }
    // The raw text of the record read last.
    std::string RawKey() const { return m_pKeyBuf; }
    std::string RawData() const { return m_pDataBuf; }
};

class BDBTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_table.reset(new Table(m_folder.windowsPath() + "table.db"));
        ASSERT_EQ(m_table->OpenDB(), 1);
        ASSERT_EQ(m_table->OpenCursor(), 1);
        for (auto r : std::vector<std::pair<int, const char*>>{{3, "c"}, {1, "b"}, {2, "a"}, {1, "a"}})
            m_table->Put(r.first, r.second, r.first * 10 + (r.second[0] - 'a'));
    }
    mivotest::TempFolder m_folder;
    std::unique_ptr<Table> m_table;
};

TEST_F(BDBTest, RecordTextIsPaddedColumnsAndReadsBackTrimmed)
{
    Table& t = *m_table;
    t.InitRowBuffer();
    t.SetKeyColumnInt(0, -7);
    t.SetKeyColumnString(1, "x y ", TRUE);
    t.SetDataColumnString(0, "unpadded", FALSE);
    ASSERT_EQ(t.Write(), 0);

    t.InitRowBuffer();
    t.SetKeyColumnInt(0, -7);
    t.SetKeyColumnString(1, "x y", TRUE);
    ASSERT_NE(t.GetData(), nullptr);
    EXPECT_EQ(t.RawKey(), "-007x y     ");
    EXPECT_EQ(t.RawData(), "unpadded");
    EXPECT_EQ(t.GetKeyColumnInt(0), -7);
    EXPECT_STREQ(t.GetKeyColumnString(1), "x y");
    EXPECT_STREQ(t.GetDataColumnString(0), "unpadded");

    t.AddKeyColumnInt(0, 10);
    EXPECT_STREQ(t.GetKeyColumnString(0), "0003");

    t.SetKeyColumnString(1, "nothing", TRUE);
    EXPECT_EQ(t.GetData(), nullptr);
    EXPECT_NE(t.GetStatus(), 0);
}

TEST_F(BDBTest, TextIsCutToTheColumnWithoutSplittingACharacter)
{
    Table& t = *m_table;
    t.InitRowBuffer();
    t.SetKeyColumnString(1, "abcdefghijk", TRUE);
    EXPECT_STREQ(t.GetKeyColumnString(1), "abcdefgh");
    t.SetKeyColumnString(1, "abcdefg가", TRUE);  // the double-byte character would straddle the width
    EXPECT_STREQ(t.GetKeyColumnString(1), "abcdefg");
    t.SetKeyColumnString(1, "abc가나", TRUE);
    EXPECT_STREQ(t.GetKeyColumnString(1), "abc가나");
    t.SetKeyColumnInt(0, 123456);  // wider than its column: never past it
    EXPECT_EQ(t.GetKeyColumnString(0).GetLength(), 4);
    t.SetKeyColumnString(9, "out of range", TRUE);
    EXPECT_STREQ(t.GetKeyColumnString(9), "");
}

TEST_F(BDBTest, WalkForwardFromAKeyAndBackFromTheLastOfAPrefix)
{
    Table& t = *m_table;
    t.InitRowBuffer();
    t.SetKeyColumnInt(0, 2);
    ASSERT_EQ(t.Start(), 0);
    std::vector<std::string> rows;
    while (t.GetNext() == 0) rows.push_back(t.Row());
    EXPECT_EQ(rows, (std::vector<std::string>{"2:a", "3:c"}));

    // Exactly on a key: the first step back returns that record itself.
    t.InitRowBuffer();
    t.SetKeyColumnInt(0, 1);
    t.SetKeyColumnString(1, "b", TRUE);
    ASSERT_EQ(t.Start(), 0);
    ASSERT_EQ(t.GetPrev(), 0);
    EXPECT_EQ(t.Row(), "1:b");
    ASSERT_EQ(t.GetPrev(), 0);
    EXPECT_EQ(t.Row(), "1:a");
    EXPECT_NE(t.GetPrev(), 0);

    struct Case {
        int number;
        const char* expected;
    } cases[] = {{1, "1:b"}, {2, "2:a"}, {3, "3:c"}, {9, "3:c"}};
    for (const Case& c : cases) {
        t.InitRowBuffer();
        t.SetKeyColumnInt(0, c.number);
        t.StartLastKey(1);
        ASSERT_EQ(t.GetPrev(), 0) << c.number;
        EXPECT_EQ(t.Row(), c.expected) << c.number;
    }
}

TEST_F(BDBTest, CountsRowsAndPrefixesWithLargestAndSmallest)
{
    Table& t = *m_table;
    EXPECT_EQ(t.GetRowCount(), 4);

    int largest = -1, smallest = -1;
    t.InitRowBuffer();
    t.SetKeyColumnInt(0, 1);
    EXPECT_EQ(t.FindCountMaxMinInt(1, FALSE, 0, &largest, &smallest), 2);
    EXPECT_EQ(largest, 11);
    EXPECT_EQ(smallest, 10);
    EXPECT_EQ(t.GetKeyColumnInt(0), 1);  // the row buffer is left as it was
    EXPECT_EQ(t.FindCountMaxMinInt(1, TRUE, 0, &largest, &smallest), 2);
    EXPECT_EQ(largest, 1);
    EXPECT_EQ(t.FindCountMaxMinInt(0, FALSE, -1, nullptr, nullptr), 4);

    t.SetKeyColumnInt(0, 5);
    EXPECT_EQ(t.FindCountMaxMinInt(1, FALSE, 0, &largest, &smallest), 0);
    EXPECT_EQ(largest, 0);
    EXPECT_EQ(smallest, 0);

    t.SetKeyColumnInt(0, 3);
    t.SetKeyColumnString(1, "c", TRUE);
    ASSERT_EQ(t.Delete(), 0);
    EXPECT_EQ(t.GetRowCount(), 3);
    t.InitRowBuffer();
    ASSERT_EQ(t.Start(), 0);
    ASSERT_EQ(t.GetNext(), 0);
    ASSERT_EQ(t.DeleteCurrent(), 0);
    EXPECT_EQ(t.GetRowCount(), 2);
    EXPECT_EQ(t.TruncateDB(), 1);
    EXPECT_EQ(t.GetRowCount(), 0);
}

TEST_F(BDBTest, NamesTheFileAndItsSize)
{
    char name[MAX_PATH];
    m_table->GetFileName(name);
    EXPECT_STREQ(name, "table.db");
    m_table->Commit();
    struct stat st;
    ASSERT_EQ(stat(m_folder.file("table.db").c_str(), &st), 0);
    EXPECT_EQ(m_table->GetDBSizeInKB(), (int)(st.st_size / 1024));
    EXPECT_GT(m_table->GetDBSizeInKB(), 0);
}

TEST_F(BDBTest, CompactionKeepsEveryRecordAndLeavesNoTemporaryFile)
{
    Table& t = *m_table;
    // A stale temporary file of an interrupted run: its records must not come back.
    {
        Table stale(m_folder.windowsPath() + "VXcompress.tmp");
        ASSERT_EQ(stale.OpenDB(), 1);
        stale.Put(0, "stale", 1);
    }
    ASSERT_EQ(t.CompressDB(), 1);
    EXPECT_EQ(t.GetRowCount(), 4);
    struct stat st;
    EXPECT_NE(stat(m_folder.file("VXcompress.tmp").c_str(), &st), 0);

    t.InitRowBuffer();
    ASSERT_EQ(t.Start(), 0);  // the cursor was reopened
    std::vector<std::string> rows;
    while (t.GetNext() == 0) rows.push_back(t.Row());
    EXPECT_EQ(rows, (std::vector<std::string>{"1:a", "1:b", "2:a", "3:c"}));
}

TEST_F(BDBTest, FailedCompactionKeepsTheOriginalOpenAndWhole)
{
    Table& t = *m_table;
    // Something that cannot be removed stands where the temporary file would go.
    ASSERT_EQ(mkdir(m_folder.file("VXcompress.tmp").c_str(), 0700), 0);
    EXPECT_EQ(t.CompressDB(), 0);
    EXPECT_TRUE(t.IsDBOpen());
    EXPECT_EQ(t.GetRowCount(), 4);
    t.Put(4, "d", 40);
    EXPECT_EQ(t.GetRowCount(), 5);
    t.CloseDB();

    Table again(m_folder.windowsPath() + "table.db");
    ASSERT_EQ(again.OpenDB(), 1);
    EXPECT_EQ(again.GetRowCount(), 5);
}

TEST(BDBOpen, CreateAfreshEmptiesAnExistingFile)
{
    mivotest::TempFolder folder;
    std::string file = folder.windowsPath() + "fresh.db";
    {
        Table t(file);
        ASSERT_EQ(t.OpenDB(), 1);
        t.Put(1, "a", 1);
    }
    CBDB fresh(file.c_str(), FALSE, TRUE, 2, 1, 64, 64);
    ASSERT_EQ(fresh.OpenDB(), 1);
    EXPECT_EQ(fresh.GetRowCount(), 0);
}

TEST(BDBOpen, ReadOnlyCreatesAMissingFile)
{
    mivotest::TempFolder folder;
    Table t(folder.windowsPath() + "ro.db");
    t.SetReadOnly(TRUE);
    ASSERT_EQ(t.OpenDB(), 1);
    struct stat st;
    EXPECT_EQ(stat(folder.file("ro.db").c_str(), &st), 0);
}

TEST(BDBOpen, ClosedStoreAnswersEveryCallWithoutCrashing)
{
    Table t("");
    EXPECT_EQ(t.OpenDB(), 0);
    EXPECT_FALSE(t.IsDBOpen());
    EXPECT_EQ(t.OpenCursor(), 0);
    EXPECT_NE(t.Write(), 0);
    EXPECT_EQ(t.GetData(), nullptr);
    EXPECT_NE(t.Start(), 0);
    EXPECT_NE(t.GetNext(), 0);
    EXPECT_NE(t.GetPrev(), 0);
    EXPECT_EQ(t.GetRowCount(), 0);
    EXPECT_EQ(t.TruncateDB(), 0);
    EXPECT_EQ(t.CompressDB(), 0);
    EXPECT_EQ(t.GetDBSizeInKB(), 0);
    EXPECT_EQ(t.CloseDB(), 1);
}

}  // namespace
