// CODBCQuery with the library's edit fields and combo boxes, on the real driver:
// codes stored from a combo box and named again on reading, dates and numbers
// from edit fields.
#include <gtest/gtest.h>

#include "controls/VXComboBox.h"
#include "controls/VXEdit.h"
#include "framework/ODBCQuery.h"
#include "support/MessageLoop.h"
#include "support/TempDatabase.h"

#include <memory>

using mivotest::TempDatabase;

namespace {

const char* kOrdersTable =
    "CREATE TABLE Orders (ID INTEGER PRIMARY KEY, City VARCHAR(20), Day VARCHAR(8), Amount NUMERIC(15,2));";
const char kBusanLong[] = "\xBA\xCE\xBB\xEA\xB1\xA4\xBF\xAA\xBD\xC3";  // 부산광역시

class ODBCQueryControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new TempDatabase("MivoControls", {}, kOrdersTable); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override
    {
        db->exec("DELETE FROM Orders;");
        host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr);
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 200, 150), &host, 1);
        edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 60), &host, 2);
        combo.AddStringCode("Seoul", "SEL");
        combo.AddStringCode(kBusanLong, "PUS");
        combo.AddStringCode("(none)", "");
    }
    void TearDown() override
    {
        host.DestroyWindow();
        mivo::test::PumpUntilIdle();
        mivo::test::DiscardQuitRequest();
    }
    std::unique_ptr<CODBCQuery> open()
    {
        auto q = std::make_unique<CODBCQuery>(CString(db->dsn().c_str()), "", "", 1);
        EXPECT_EQ(1, q->InitQuery());
        return q;
    }

    static TempDatabase* db;
    CWnd host;
    CVXComboBox combo;
    CVXEdit edit;
};

TempDatabase* ODBCQueryControlsTest::db = nullptr;

}  // namespace

TEST_F(ODBCQueryControlsTest, CodeDateAndNumberAreStoredFromTheControls)
{
    auto q = open();
    combo.SetWindowText(kBusanLong);
    edit.SetDateMode(TRUE);
    edit.SetEditCompactDate("20240509");
    q->SetNumberColumn("ID", 1, 0);
    q->SetStringColumnFromVXCombo("City", &combo);
    q->SetCompactDateColumnFromVXEdit("Day", &edit);
    ASSERT_EQ(1, q->RunStructQuery("Insert Into Orders"));

    CVXEdit amount;
    amount.Create(WS_CHILD, CRect(0, 80, 100, 100), &host, 3);
    amount.SetDecimals(2);
    amount.SetValue(1234.5);
    q->ResetQuery();
    q->SetNumberColumnFromVXEdit("Amount", &amount);
    q->SetFilter("ID = 1");
    ASSERT_EQ(1, q->RunStructQuery("Update Orders"));

    EXPECT_EQ(db->scalar("SELECT City FROM Orders"), "PUS");
    EXPECT_EQ(db->scalar("SELECT Day FROM Orders"), "20240509");
    EXPECT_EQ(db->scalar("SELECT Amount FROM Orders"), "1234.5");
}

TEST_F(ODBCQueryControlsTest, NamesAreReadBackCutToTheColumnBuffer)
{
    db->exec("INSERT INTO Orders VALUES (1, 'PUS', '20240509', 1234.5);");
    db->exec("INSERT INTO Orders VALUES (2, 'SEL', NULL, NULL);");
    db->exec("INSERT INTO Orders VALUES (3, NULL, NULL, NULL);");
    db->exec("INSERT INTO Orders VALUES (4, 'XYZ', NULL, NULL);");
    auto q = open();
    q->m_strQuery = "SELECT City, Amount FROM Orders ORDER BY ID";
    q->SetDataBufSize(0, 5);
    ASSERT_EQ(1, q->RunQuery());

    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ(q->ColumnValueNameInVXCombo("City", &combo), "\xBA\xCE\xBB\xEA") << "cut to 5 bytes, whole syllables";
    q->ColumnValueNumberToVXEdit("Amount", &edit);
    EXPECT_DOUBLE_EQ(edit.GetValue(), 1234.5);
    EXPECT_EQ(q->ColumnValueNameInVXCombo("Nowhere", &combo), nullptr);
    q->ColumnValueNumberToVXEdit("Nowhere", &edit);
    EXPECT_DOUBLE_EQ(edit.GetValue(), 1234.5) << "a missing column leaves the field";

    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ(q->ColumnValueNameInVXCombo(0, &combo), "Seoul");
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ(q->ColumnValueNameInVXCombo(0, &combo), "") << "no code names no item";
    ASSERT_EQ(1, q->FetchNextRow());
    EXPECT_STREQ(q->ColumnValueNameInVXCombo(0, &combo), "XYZ") << "an unknown code stays";
}
