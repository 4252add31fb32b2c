// The calendar template table through the functions the editor and the make-calendar dialog
// share: keys that follow the highest row, apostrophes kept as 0x1E, background pictures stored
// and unpacked byte for byte, updates that keep an unchosen picture, and rows from outside
// (odd types, text in number columns) read without harm.
#include "../templates/TemplateFixture.h"

#include "calendar/CalendarForms.h"
#include "framework/ODBCQuery.h"
#include "templates/TemplateTables.h"

using templatetest::Bytes;
using templatetest::Exists;
using templatetest::ReadAll;
using templatetest::TemplateDatabase;

namespace {

class CalendarTable : public TemplateDatabase {
protected:
    CalendarForm Form(const char* name)
    {
        CalendarForm form;
        form.strName = name;
        form.strDir = "가로";
        form.strSize = "A4";
        for (int i = 0; i < CAL_VALUE_COUNT; ++i)
            form.nValue[i] = i * 10 + 1;
        form[CAL_DAYS_LINE_COLOR] = 0xFFFFFF;
        return form;
    }
    std::string Column(const std::string& expr, int key) const
    {
        return db.scalar("select " + expr + " from CalendarForms where CalNo = " + std::to_string(key));
    }
};

}  // namespace

TEST_F(CalendarTable, KeysStartAtOneAndADeletedHighestKeyComesBack)
{
    std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
    EXPECT_EQ(1, CCalendarForms::NextKey(*query));
    for (int expected : {1, 2, 3})
        EXPECT_EQ(expected, CCalendarForms::Save(Form("달력"), nullptr));
    EXPECT_EQ(1, CCalendarForms::Delete(3));
    EXPECT_EQ(3, CCalendarForms::NextKey(*query));
    // The list comes in key order with its three texts.
    ASSERT_TRUE(db.exec("update CalendarForms set CalNo = 9 where CalNo = 1"));
    std::vector<CalendarListRow> rows = CCalendarForms::List();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(2, rows[0].nCalNo);
    EXPECT_EQ(9, rows[1].nCalNo);
    EXPECT_STREQ("가로", rows[1].strDir);
    EXPECT_STREQ("A4", rows[1].strSize);
}

TEST_F(CalendarTable, AnApostropheIsStoredAs0x1EAndComesBack)
{
    int key = CCalendarForms::Save(Form("Tom's 달력"), nullptr);
    ASSERT_EQ(1, key);
    EXPECT_EQ(std::string(u8"Tom\x1Es 달력"), Column("CalName", key));
    CalendarForm form;
    CalendarUnpacked picture;
    ASSERT_EQ(1, CCalendarForms::Load(key, form, picture));
    EXPECT_STREQ("Tom's 달력", form.strName);
    EXPECT_EQ(0xFFFFFF, form[CAL_DAYS_LINE_COLOR]);
    EXPECT_EQ(CAL_DESC_HEIGHT * 10 + 1, form[CAL_DESC_HEIGHT]);
}

TEST_F(CalendarTable, PicturesAreStoredAndUnpackedByteForByte)
{
    struct Case {
        const char* file;
        const char* type;
        int key;
        const char* temp;
    } cases[] = {{"a.jpg", "JPG", 1, "TmplCal1.JPG"}, {"b.bmp", "bmp", 2, "TmplCal2.bmp"}, {"c.gif", "gif", 7, "TmplCal7.gif"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CString path = Picture(c.file, 24, 16);
        ASSERT_FALSE(path.IsEmpty());
        CalendarForm form = Form("그림");
        form.strFileType = c.type;
        if (c.key == 7) {
            ASSERT_TRUE(db.exec("insert into CalendarForms (CalNo) values (6)"));
        }
        ASSERT_EQ(c.key, CCalendarForms::Save(form, &path));
        CalendarForm loaded;
        CalendarUnpacked picture;
        ASSERT_EQ(1, CCalendarForms::Load(c.key, loaded, picture));
        EXPECT_EQ(CalendarUnpacked::WRITTEN, picture.nState);
        EXPECT_STREQ(TempPath(c.temp), picture.strPath);
        EXPECT_EQ(ReadAll(PosixPicture(c.file)), ReadAll(TempFile(c.temp)));
    }
}

TEST_F(CalendarTable, ARowWithoutPictureWritesNoFileAndAnUpdateKeepsThePicture)
{
    CalendarForm bare = Form("빈 달력");
    ASSERT_EQ(1, CCalendarForms::Save(bare, nullptr));
    CalendarForm loaded;
    CalendarUnpacked picture;
    ASSERT_EQ(1, CCalendarForms::Load(1, loaded, picture));
    EXPECT_EQ(CalendarUnpacked::EMPTY, picture.nState);
    EXPECT_TRUE(TempNames().empty());

    CString path = Picture("p.bmp", 10, 10);
    CalendarForm form = Form("그림");
    form.strFileType = "bmp";
    ASSERT_EQ(2, CCalendarForms::Save(form, &path));
    form.nCalNo = 2;
    form.strName = "고친 이름";
    form.strFileType = "jpg";  // not stored without a new picture
    EXPECT_EQ(2, CCalendarForms::Save(form, nullptr));
    EXPECT_EQ("bmp", Column("FileType", 2));
    EXPECT_EQ(std::to_string(ReadAll(PosixPicture("p.bmp")).size()), Column("length(CalBackImg)", 2));
    EXPECT_EQ(std::string(u8"고친 이름"), Column("CalName", 2));
}

TEST_F(CalendarTable, SavingAPictureThatCannotBeReadStoresNothing)
{
    CalendarForm form = Form("없는 그림");
    CString missing = TempPath("nothing.jpg");
    EXPECT_EQ(0, CCalendarForms::Save(form, &missing));
    EXPECT_EQ("0", db.scalar("select count(*) from CalendarForms"));
}

TEST_F(CalendarTable, RowsFromOutsideAreReadWithoutHarm)
{
    ASSERT_TRUE(db.exec("insert into CalendarForms (CalNo, CalName, YearX, YearColor, FileType, CalBackImg) values "
                        "(1, NULL, 'abc', '16777215', '..\\x', X'0102'),"
                        "(2, 'n', NULL, NULL, 'jpg', X''),"
                        "(3, 'm', 12, 5, 'a/b', X'0102')"));
    CalendarForm form;
    CalendarUnpacked picture;
    ASSERT_EQ(1, CCalendarForms::Load(1, form, picture));
    EXPECT_EQ(0, form[CAL_YEAR_X]);
    EXPECT_EQ(0xFFFFFF, form[CAL_YEAR_COLOR]);
    EXPECT_EQ(CalendarUnpacked::BAD_TYPE, picture.nState);
    EXPECT_TRUE(picture.strPath.IsEmpty());
    ASSERT_EQ(1, CCalendarForms::Load(2, form, picture));
    EXPECT_EQ(CalendarUnpacked::EMPTY, picture.nState);
    ASSERT_EQ(1, CCalendarForms::Load(3, form, picture));
    EXPECT_EQ(CalendarUnpacked::BAD_TYPE, picture.nState);
    EXPECT_TRUE(TempNames().empty());
    EXPECT_EQ(0, CCalendarForms::Load(4, form, picture));
    EXPECT_EQ(3, form.nCalNo);  // untouched by the missing row

    int year = -1, month = -1, desc = -1;
    CCalendarForms::FontHeights(4, year, month, desc);
    EXPECT_EQ(0, year + month + desc);
}

TEST_F(CalendarTable, AnUnwritableTempFileLoadsNoOlderFile)
{
    CString path = Picture("p.bmp", 10, 10);
    CalendarForm form = Form("그림");
    form.strFileType = "bmp";
    ASSERT_EQ(1, CCalendarForms::Save(form, &path));
    // A folder where the file should go cannot be replaced by it.
    ASSERT_EQ(0, ::mkdir(TempFile("TmplCal1.bmp").c_str(), 0700));
    CalendarForm loaded;
    CalendarUnpacked picture;
    ASSERT_EQ(1, CCalendarForms::Load(1, loaded, picture));
    EXPECT_EQ(CalendarUnpacked::NOT_WRITTEN, picture.nState);
    EXPECT_TRUE(picture.strPath.IsEmpty());
}
