#include <gtest/gtest.h>

#include "framework/DataSource.h"
#include "framework/ODBCQuery.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"
#include "mivo/codepage.h"

#include <filesystem>
#include <memory>
#include <vector>

using mivotest::TempDatabase;

namespace {

CString build(const char* head, void (*list)(CODBCQuery&))
{
    CODBCQuery q;
    list(q);
    q.MakeStructQuery(head);
    return q.m_strQuery;
}

const char* kNotesTable =
    "CREATE TABLE Notes (ID INTEGER PRIMARY KEY, Name VARCHAR(255), Memo TEXT, Img LONGVARBINARY);";

class ODBCQueryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new TempDatabase("MivoTest", {}, kNotesTable); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override { db->exec("DELETE FROM Notes;"); }

    static std::unique_ptr<CODBCQuery> open(int autoCommit = 1)
    {
        auto q = std::make_unique<CODBCQuery>(CString(db->dsn().c_str()), "", "", autoCommit);
        EXPECT_EQ(1, q->InitQuery());
        return q;
    }

    static int insertNote(CODBCQuery& q, int id, CString name)
    {
        q.ResetQuery();
        q.SetNumberColumn("ID", id, 0);
        q.SetStringColumn(CString("Name"), name, 1);
        return q.RunStructQuery("Insert Into Notes");
    }

    static TempDatabase* db;
};

TempDatabase* ODBCQueryTest::db = nullptr;

}  // namespace

TEST(ODBCQueryStatement, BuildsTheFourFormsByteForByte)
{
    static char name[] = "O'Neil";
    CString insert = build("Insert Into TempReport", [](CODBCQuery& q) {
        q.SetStringColumn("Name", name, 1);
        q.SetNumberColumn("Size", 2, 0);
        q.SetBLOBColumn("Img", (void*)"x", 1);
    });
    EXPECT_STREQ("INSERT INTO TEMPREPORT (Name,Size,Img) Values ('O\x1ENeil',              2,?)", insert);
    EXPECT_STREQ("O\x1ENeil", name);  // converted in the caller's buffer

    CString update = build("Update CartMaster", [](CODBCQuery& q) {
        q.SetStringColumn("CartName", "새 장바구니", 1);
        q.SetNumberColumn("CartNo", 3, 0);
        q.SetFunctionColumn("Stamp", "Now()");
    });
    EXPECT_STREQ("UPDATE CARTMASTER set CartName = '새 장바구니',CartNo =               3,Stamp = Now()", update);

    CString remove = build("Delete From CartItems", [](CODBCQuery& q) { q.SetFilter("ID = 3"); });
    EXPECT_STREQ("DELETE FROM CARTITEMS  where ID = 3", remove);

    CString select = build("Select From BasCodes", [](CODBCQuery& q) {
        q.SetStringColumn("A", "", 1);
        q.SetStringColumn("B", "", 1);
    });
    EXPECT_STREQ("SELECT A,B FROM BASCODES ", select);

    CString ordered = build("Select From CalendarForms", [](CODBCQuery& q) {
        q.SetStringColumn("CalNo", "", 1);
        q.m_strFilter = "CalNo > 1";
        q.m_strOrder = "order by CalNo";
    });
    EXPECT_STREQ("SELECT CalNo FROM CALENDARFORMS where CalNo > 1 order by CalNo", ordered);
}

TEST(ODBCQueryStatement, VerbComesFromTheFirstWordOnly)
{
    CODBCQuery q;
    q.m_strQuery = "previous";
    q.MakeStructQuery("Truncate Everything");
    EXPECT_STREQ("previous", q.m_strQuery);

    q.SetFilter("LogNo = 1");
    q.MakeStructQuery("Delete From UpdateLog");
    EXPECT_STREQ("DELETE FROM UPDATELOG  where LogNo = 1", q.m_strQuery);

    CString insert = build("Insert Into SelectedItems", [](CODBCQuery& q) { q.SetNumberColumn("N", 1, 0); });
    EXPECT_STREQ("INSERT INTO SELECTEDITEMS (N) Values (              1)", insert);
}

TEST(ODBCQueryStatement, UnconvertedApostrophesAreDoubledAndNumbersAreBounded)
{
    CString text = build("Insert Into T", [](CODBCQuery& q) { q.SetStringColumn("Name", "it's", 0); });
    EXPECT_STREQ("INSERT INTO T (Name) Values ('it''s')", text);
    CString big = build("Insert Into T", [](CODBCQuery& q) { q.SetNumberColumn("N", 1e300, 0); });
    EXPECT_GT(big.GetLength(), 300);  // formatted whole, no fixed buffer
    CString decimals = build("Insert Into T", [](CODBCQuery& q) { q.SetNumberColumn("N", 2.5, 2); });
    EXPECT_STREQ("INSERT INTO T (N) Values (         2.50)", decimals);
}

TEST_F(ODBCQueryTest, KoreanTextIsStoredSearchedAndOrdered)
{
    auto q = open();
    ASSERT_EQ(1, insertNote(*q, 1, "사진 보기"));
    ASSERT_EQ(1, insertNote(*q, 2, "가족 앨범"));
    ASSERT_EQ(1, insertNote(*q, 3, "미리 보기 창"));
    EXPECT_EQ("사진 보기", mivo::ToAnsi(db->scalar("SELECT Name FROM Notes WHERE ID = 1")));

    q->ResetQuery();
    q->SetStringColumn("Name", "", 1);
    q->SetFilter("Name LIKE '%보기%'");
    q->m_strOrder = "order by Name";
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    std::vector<CString> names;
    while (q->FetchNextRow())
        names.push_back(q->ColumnValue(0, 1));
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ("미리 보기 창", names[0]);
    EXPECT_STREQ("사진 보기", names[1]);
}

TEST_F(ODBCQueryTest, ApostrophesTravelAsRecordSeparators)
{
    auto q = open();
    ASSERT_EQ(1, insertNote(*q, 1, "Tom's 사진"));
    EXPECT_EQ("Tom\x1Es 사진", mivo::ToAnsi(db->scalar("SELECT Name FROM Notes")));
    q->ResetQuery();
    q->SetStringColumn("Name", "", 1);
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ("Tom\x1Es 사진", q->ColumnValue("Name", 0));
    EXPECT_STREQ("Tom's 사진", q->ColumnValue("Name", 1));
    EXPECT_EQ(nullptr, q->ColumnValue("name", 1));  // names compare exactly
    EXPECT_EQ(nullptr, q->ColumnValue(5, 1));
}

TEST_F(ODBCQueryTest, BlobsRoundTripByteExact)
{
    for (int size : {30000, 40000, 2000000, 0}) {
        std::vector<BYTE> data(size);
        for (int i = 0; i < size; ++i)
            data[i] = (BYTE)(i * 7 + i / 256);
        auto q = open();
        q->SetNumberColumn("ID", size, 0);
        q->SetBLOBColumn("Img", data.data(), size);
        q->SetNumberColumn("Memo", 1, 0);  // a column after the BLOB keeps its place
        ASSERT_EQ(1, q->RunStructQuery("Insert Into Notes")) << size;

        q->ResetQuery();
        q->SetBLOBColumn("Img", nullptr, -1);
        q->SetStringColumn("Memo", "", 1);
        CString filter;
        filter.Format("ID = %d", size);
        q->SetFilter(filter);
        ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
        ASSERT_EQ(1, q->FetchNextRow());
        ASSERT_EQ(size, q->GetBLOBColumnLen("Img")) << size;
        std::vector<BYTE> back(size + 1, 0xEE);
        ASSERT_EQ(1, q->GetColumnValueBLOB("Img", back.data(), size)) << size;
        EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin())) << size;
        EXPECT_EQ(0xEE, back[size]);  // nothing written past the asked length
        EXPECT_STREQ("1", q->ColumnValue(1, 1));
        EXPECT_EQ(-1, q->GetBLOBColumnLen("NoSuch"));
    }
}

TEST_F(ODBCQueryTest, BlobTransfersReportProgressPerChunk)
{
    struct Case {
        int size;
        std::vector<WPARAM> percents;
    };
    const Case cases[] = {
        {30000, {100}},
        {40000, {82, 100}},
        {2000000, {17, 33, 50, 66, 82, 99, 100}},
    };
    mivo::test::MessageRecorder recorder;
    HWND hwnd = mivo::test::CreateTestWindow("progress", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    CWnd window;
    window.Attach(hwnd);
    for (const Case& c : cases) {
        std::vector<BYTE> data(c.size, 0x5A);
        for (int direction = 0; direction < 2; ++direction) {
            recorder.Clear();
            auto q = open();
            q->m_pProgressWnd = &window;
            if (direction == 0) {
                q->SetNumberColumn("ID", c.size, 0);
                q->SetBLOBColumn("Img", data.data(), c.size);
                ASSERT_EQ(1, q->RunStructQuery("Insert Into Notes"));
            } else {
                q->SetBLOBColumn("Img", nullptr, -1);
                CString filter;
                filter.Format("ID = %d", c.size);
                q->SetFilter(filter);
                ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
                ASSERT_EQ(1, q->FetchNextRow());
                std::vector<BYTE> back(c.size);
                ASSERT_EQ(1, q->GetColumnValueBLOB("Img", back.data(), c.size));
            }
            std::vector<WPARAM> seen;
            for (const auto& m : recorder.All())
                if (m.msg == WM_DB_PROGRESS && m.hwnd == hwnd) {
                    seen.push_back(m.wParam);
                    EXPECT_EQ(1, m.lParam);
                }
            EXPECT_EQ(c.percents, seen) << c.size << (direction ? " read" : " written");
        }
    }
    window.Detach();
    DestroyWindow(hwnd);
}

TEST_F(ODBCQueryTest, NullValuesGiveEmptyTextAndZeroLength)
{
    auto q = open();
    ASSERT_EQ(1, insertNote(*q, 1, "x"));
    q->ResetQuery();
    q->SetStringColumn("Memo", "", 1);
    q->SetBLOBColumn("Img", nullptr, -1);
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ("", q->ColumnValue(0, 1));
    EXPECT_EQ(0, q->GetBLOBColumnLen("Img"));

    q->ResetQuery();
    db->exec("DELETE FROM Notes;");
    q->SetStringColumn("Max(ID)+1", "", 1);
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    ASSERT_NE(nullptr, q->ColumnValue(0, 1));
    EXPECT_STREQ("", q->ColumnValue(0, 1));
}

TEST_F(ODBCQueryTest, LongTextArrivesCutAndTheRowStillCounts)
{
    CString longText('a', 300);
    longText += "한";
    CString korean;
    for (int i = 0; i < 200; ++i)
        korean += "가";
    auto q = open();
    ASSERT_EQ(1, insertNote(*q, 1, longText));
    ASSERT_EQ(1, insertNote(*q, 2, korean));
    q->ResetQuery();
    q->SetStringColumn("Name", "", 1);
    q->m_strOrder = "order by ID";
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_EQ(255, (int)strlen(q->ColumnValue(0, 1)));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_EQ(254, (int)strlen(q->ColumnValue(0, 1)));  // cut on a character boundary
    EXPECT_EQ(0, q->FetchNextRow());
}

TEST_F(ODBCQueryTest, DatesAreReshapedInPlace)
{
    db->exec("INSERT INTO Notes (ID, Name, Memo) VALUES (1, '20040506', '2004-05-06 00:00:00');"
             "INSERT INTO Notes (ID, Name, Memo) VALUES (2, '', '2004-05-06');");
    auto q = open();
    q->SetStringColumn("Name", "", 1);
    q->SetStringColumn("Memo", "", 1);
    q->m_strOrder = "order by ID";
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ("2004-05-06", q->ColumnValueLongDate(0));
    EXPECT_STREQ("2004-05-06", q->ColumnValueDate("Memo"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ("", q->ColumnValueLongDate(0));
    EXPECT_STREQ("2004-05-06", q->ColumnValueDate(1));
}

TEST_F(ODBCQueryTest, LookupsNameTheCodesAndAFailingLookupGivesNull)
{
    db->exec("INSERT INTO Notes (ID, Name) VALUES (1, 'A');");
    auto q = open();
    q->SetStringColumn("Name", "", 1);
    q->SetStringColumn("ID", "", 1);
    q->SetRefColumn("Name", "SELECT 'A', '첫째' UNION SELECT 'B', '둘째'");
    q->SetRefColumn("ID", "SELECT broken FROM nowhere");
    ASSERT_EQ(1, q->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ("첫째", q->GetRefData("Name", 1));
    EXPECT_EQ(nullptr, q->GetRefData("ID", 1));
    EXPECT_EQ(nullptr, q->GetRefData("Other", 1));
}

TEST_F(ODBCQueryTest, ManualCommitAndRollBack)
{
    auto q = open(0);
    ASSERT_EQ(1, insertNote(*q, 1, "kept"));
    q->Commit();
    ASSERT_EQ(1, insertNote(*q, 2, "dropped"));
    q->RollBack();
    EXPECT_EQ("1", db->scalar("SELECT COUNT(*) FROM Notes"));
    EXPECT_EQ("kept", db->scalar("SELECT Name FROM Notes"));
}

TEST_F(ODBCQueryTest, UpdateOrDeleteOfNoRowReportsFailure)
{
    auto q = open();
    q->SetStringColumn("Name", "x", 1);
    q->SetFilter("ID = 99");
    EXPECT_EQ(0, q->RunStructQuery("Update Notes"));
    ASSERT_EQ(1, insertNote(*q, 99, "y"));
    q->ResetQuery();
    q->SetStringColumn("Name", "z", 1);
    q->SetFilter("ID = 99");
    EXPECT_EQ(1, q->RunStructQuery("Update Notes"));
    q->ResetQuery();
    q->SetFilter("ID = 99");
    EXPECT_EQ(1, q->RunStructQuery("Delete From Notes"));
    EXPECT_EQ(0, q->RunStructQuery("Delete From Notes"));
    ASSERT_EQ(1, insertNote(*q, 5, "a"));
    EXPECT_EQ(0, insertNote(*q, 5, "b"));  // a broken key is refused, quietly
}

TEST_F(ODBCQueryTest, AnOpenSelectDoesNotLockOutAWriter)
{
    for (int i = 1; i <= 5; ++i)
        db->exec("INSERT INTO Notes (ID, Name) VALUES (" + std::to_string(i) + ", 'n');");
    auto reader = open();
    reader->SetStringColumn("ID", "", 1);
    ASSERT_EQ(1, reader->RunStructQuery("Select From Notes"));
    ASSERT_EQ(1, reader->FetchNextRow());
    auto writer = open();
    EXPECT_EQ(1, insertNote(*writer, 10, "written while reading"));
    int rows = 1;
    while (reader->FetchNextRow())
        ++rows;
    EXPECT_GE(rows, 5);
}

TEST_F(ODBCQueryTest, StatementsWithoutConnectionFail)
{
    mivotest::MessageBoxCapture boxes;
    CODBCQuery q("NoSuchSource", "user", "", 1);
    EXPECT_EQ(0, q.InitQuery());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ("DB Connection Failed ( DSN: NoSuchSource, UID: user)", boxes.shown()[0].text);
    EXPECT_EQ(0, q.RunStructQuery("Select From Notes"));
    EXPECT_EQ(0, q.FetchNextRow());
    EXPECT_EQ(nullptr, q.ColumnValue(0, 1));
}

TEST(LocalDataSource, ShippedDatabasesOpenWithTheirTablesAndSeedRows)
{
    mivotest::TempFolder folder;
    mivotest::UsePrivateOdbcIni(folder);
    for (const char* name : {"Mivo", "MivoUser"}) {
        std::filesystem::copy_file(std::string(MIVO_DATA_BUILD_DIR) + "/" + name + ".dat",
                                   folder.file(std::string(name) + ".dat"));
        ASSERT_TRUE(RegisterLocalDataSource(name, (folder.windowsPath() + name + ".dat").c_str()));
    }
    struct Probe {
        const char* dsn;
        const char* head;
        const char* column;
        const char* filter;
        const char* expected;
    };
    const Probe probes[] = {
        {"MivoUser", "Select From AlbumMaster", "AlbumID", "AlbumID = 0", "0"},
        {"MivoUser", "Select From BasCodes", "BasNum1", "BasCateg = 'JPEG' and BasCode = 'Quality'", "95"},
        {"MivoUser", "Select From BasCodes", "BasNum1", "BasCateg = 'Edit' and BasCode = 'UndoLevel'", "8"},
        {"MivoUser", "Select From TempReport", "Count(*)", "", "0"},
        {"MivoUser", "Select From CartItems", "Count(*)", "", "0"},
        {"MivoUser", "Select From ThumbImages", "Count(*)", "", "0"},
        {"Mivo", "Select From PrFormMaster", "Count(*)", "SizeName = 'A4'", "6"},
        {"Mivo", "Select From PrFormMaster", "FormName", "PrFormNo = 6", "A4 가로 4장"},
        {"Mivo", "Select From PrFormDetail", "Count(*)", "PrFormNo = 3 and DrawType = 'img'", "4"},
        {"Mivo", "Select From CalendarForms", "Count(*)", "length(CalBackImg) > 0", "2"},
        {"Mivo", "Select From FrameImgs", "Count(*)", "length(FrameImage1) > 0 and length(FrameImage2) > 0", "3"},
        {"Mivo", "Select From MaskImgs", "Count(*)", "length(MaskImage) > 0", "3"},
        {"Mivo", "Select From PatternImgs", "Count(*)", "length(PatternImage) > 0", "3"},
    };
    for (const Probe& p : probes) {
        CODBCQuery q(p.dsn, "", "", 1);
        ASSERT_EQ(1, q.InitQuery()) << p.dsn;
        q.SetStringColumn(p.column, "", 1);
        q.SetFilter(p.filter);
        ASSERT_EQ(1, q.RunStructQuery(p.head)) << p.head << " " << p.filter;
        ASSERT_EQ(1, q.FetchNextRow()) << p.head << " " << p.filter;
        EXPECT_STREQ(p.expected, q.ColumnValue(0, 1)) << p.head << " " << p.filter;
    }
}

TEST(LocalDataSource, MissingFileIsNotRegistered)
{
    mivotest::TempFolder folder;
    mivotest::UsePrivateOdbcIni(folder);
    EXPECT_FALSE(RegisterLocalDataSource("Ghost", (folder.windowsPath() + "Ghost.dat").c_str()));
    EXPECT_FALSE(RegisterLocalDataSource("", "C:\\x.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Ghost.dat")));
}
