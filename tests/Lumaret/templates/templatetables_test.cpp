// The three template tables through the functions every editor and picker shares: keys that
// follow the highest row, apostrophes kept as 0x1E, pictures stored and unpacked byte for byte,
// saves that rewrite the date and keep unchosen pictures, and rows from outside (unknown
// extensions, empty or missing columns, an unwritable Temp folder) opened without harm.
#include "TemplateFixture.h"

#include "framework/ODBCQuery.h"
#include "templates/TemplateTables.h"

using templatetest::Bytes;
using templatetest::Exists;
using templatetest::ReadAll;
using templatetest::TemplateDatabase;

namespace {

struct Family {
    TemplateFamily family;
    const char* table;
    const char* key;
    const char* name;
    const char* date;
    const char* memo;
    const char* size;  // "width x height" of the row
    const char* fileType;
    const char* image;
    const char* tempPrefix;  // of picture slot 0
};

const Family kFamilies[] = {
    {TEMPLATE_FRAME, "FrameImgs", "FrameNo", "FrameName", "FrameDate", "FrameMemo",
     "FrameWidth||'x'||FrameHeight", "FileType1", "FrameImage1",
     "TmplFrame1"},
    {TEMPLATE_MASK, "MaskImgs", "MaskNo", "MaskName", "MaskDate", "MaskMemo", "MaskWidth||'x'||MaskHeight",
     "FileType", "MaskImage", "TmplMask"},
    {TEMPLATE_PATTERN, "PatternImgs", "PatternNo", "PatternName", "PatternDate", "PatternMemo",
     "PatternWidth||'x'||PatternHeight", "FileType",
     "PatternImage", "TmplPattern"},
};

class Tables : public TemplateDatabase {
protected:
    // Inserts through the shared function with every slot the family has.
    int Insert(const Family& f, TemplateInfo& info, const CString& path, const char* type, const CString& edge = "")
    {
        TemplatePictureFile first{path, type}, second{edge.IsEmpty() ? path : edge, type};
        const TemplatePictureFile* files[2] = {&first, f.family == TEMPLATE_FRAME ? &second : nullptr};
        return CTemplateTables::Insert(f.family, info, files);
    }
    // A row written behind the program's back, with any SQL values after the key.
    void RawRow(const Family& f, const std::string& columns, const std::string& values)
    {
        ASSERT_TRUE(db.exec(std::string("insert into ") + f.table + " (" + f.key + "," + columns + ") values (" + values +
                            ")"));
    }
    std::string Column(const Family& f, const std::string& expr, int key) const
    {
        return db.scalar("select " + expr + " from " + f.table + " where " + f.key + " = " + std::to_string(key));
    }
};

}  // namespace

TEST_F(Tables, KeysStartAtOneAndFollowTheHighestRow)
{
    CString jpg = Picture("a.jpg", 12, 10);
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        TemplateInfo info;
        info.strName = "first";
        EXPECT_EQ(1, Insert(f, info, jpg, "jpg"));
        EXPECT_EQ(1, info.nKey);
        ASSERT_TRUE(db.exec(std::string("insert into ") + f.table + " (" + f.key + ") values (2), (5)"));
        std::unique_ptr<CODBCQuery> query = CTemplateTables::OpenTemplateQuery();
        EXPECT_EQ(6, CTemplateTables::NextKey(*query, f.family));
        EXPECT_EQ(6, Insert(f, info, jpg, "jpg"));
        // Removing the highest row gives its key again; a highest key below 1 gives 1.
        EXPECT_EQ(1, CTemplateTables::Delete(f.family, 6));
        EXPECT_EQ(6, CTemplateTables::NextKey(*query, f.family));
        ASSERT_TRUE(db.exec(std::string("delete from ") + f.table + "; insert into " + f.table + " (" + f.key +
                            ") values (-1)"));
        EXPECT_EQ(1, CTemplateTables::NextKey(*query, f.family));
    }
}

TEST_F(Tables, ApostrophesAreStoredAs1EAndReadBack)
{
    CString bmp = Picture("a.bmp", 8, 8);
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        TemplateInfo info;
        info.strName = "Tom's 액자";
        info.strMemo = "line 'one'\r\nline two";
        int key = Insert(f, info, bmp, "bmp");
        ASSERT_EQ(1, key);
        EXPECT_EQ(u8"Tom\x1Es 액자|line \x1Eone\x1E\r\nline two",
                  Column(f, std::string(f.name) + "||'|'||" + f.memo, key));
        std::vector<TemplateInfo> rows = CTemplateTables::List(f.family);
        ASSERT_EQ(1u, rows.size());
        EXPECT_STREQ("Tom's 액자", rows[0].strName);
        EXPECT_STREQ("line 'one'\r\nline two", rows[0].strMemo);
        TemplateInfo loaded;
        TemplateUnpacked unpacked[2];
        ASSERT_EQ(1, CTemplateTables::Load(f.family, key, loaded, unpacked));
        EXPECT_STREQ("Tom's 액자", loaded.strName);
        EXPECT_STREQ("line 'one'\r\nline two", loaded.strMemo);
        EXPECT_STREQ("User", loaded.strRegUser);
    }
}

TEST_F(Tables, PicturesOfEachFormatComeBackByteForByte)
{
    const struct {
        const char* file;
        const char* type;
    } kFormats[] = {{"p.jpg", "jpg"}, {"p.bmp", "BMP"}, {"p.gif", "gif"}};
    int key = 0;
    for (const auto& format : kFormats) {
        CString path = Picture(format.file, 20, 12);
        ASSERT_FALSE(path.IsEmpty());
        Bytes original = ReadAll(PosixPicture(format.file));
        CString edge = Picture(std::string("e") + format.file, 6, 3);
        Bytes edgeBytes = ReadAll(PosixPicture(std::string("e") + format.file));
        ++key;
        for (const Family& f : kFamilies) {
            SCOPED_TRACE(std::string(f.table) + " " + format.file);
            TemplateInfo info;
            info.strName = format.file;
            ASSERT_EQ(key, Insert(f, info, path, format.type, edge));
            TemplateInfo loaded;
            TemplateUnpacked unpacked[2];
            ASSERT_EQ(1, CTemplateTables::Load(f.family, key, loaded, unpacked));
            std::string name = std::string(f.tempPrefix) + std::to_string(key) + "." + format.type;
            EXPECT_EQ(TemplateUnpacked::WRITTEN, unpacked[0].nState);
            EXPECT_STREQ(TempPath(name), unpacked[0].strPath);
            EXPECT_EQ(original, ReadAll(TempFile(name)));
            EXPECT_STREQ(format.type, loaded.strFileType[0]);
            if (f.family == TEMPLATE_FRAME) {
                std::string name2 = "TmplFrame2" + std::to_string(key) + "." + format.type;
                EXPECT_STREQ(TempPath(name2), unpacked[1].strPath);
                EXPECT_EQ(edgeBytes, ReadAll(TempFile(name2)));
            } else {
                EXPECT_TRUE(unpacked[1].strPath.IsEmpty());
            }
        }
    }
    // A longer file is written whole over a shorter one of the same name.
    EXPECT_EQ(std::to_string(ReadAll(PosixPicture("p.gif")).size()),
              db.scalar("select length(PatternImage) from PatternImgs where PatternNo = 3"));
}

TEST_F(Tables, AnEmptyPictureWritesNoFileAndKeepsItsName)
{
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        RawRow(f, std::string(f.name) + "," + f.fileType + "," + f.image, "7,'empty','jpg',X''");
        TemplateInfo info;
        TemplateUnpacked unpacked[2];
        ASSERT_EQ(1, CTemplateTables::Load(f.family, 7, info, unpacked));
        std::string name = std::string(f.tempPrefix) + "7.jpg";
        EXPECT_EQ(TemplateUnpacked::EMPTY, unpacked[0].nState);
        EXPECT_STREQ(TempPath(name), unpacked[0].strPath);
        EXPECT_FALSE(Exists(TempFile(name)));
    }
}

TEST_F(Tables, ASecondSaveRewritesDateAndSizesAndKeepsAnUnchosenPicture)
{
    CString jpg = Picture("a.jpg", 30, 20);
    CString gif = Picture("b.gif", 9, 9);
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        TemplateInfo info;
        info.nWidth = 30;
        info.nHeight = 20;
        int key = Insert(f, info, jpg, "jpg");
        ASSERT_EQ(1, key);
        ASSERT_TRUE(db.exec(std::string("update ") + f.table + " set " + f.date + " = '2001-02-03'"));
        std::string stored = Column(f, std::string("hex(") + f.image + ")", key);

        info.strMemo = "changed";
        info.nWidth = 31;
        info.nHeight = 21;
        const TemplatePictureFile* none[2] = {nullptr, nullptr};
        ASSERT_EQ(1, CTemplateTables::Update(f.family, info, none));
        EXPECT_EQ((LPCSTR)CTemplateTables::Today(), Column(f, f.date, key));
        EXPECT_EQ(10u, Column(f, f.date, key).size());
        EXPECT_EQ("31x21:changed:jpg:User",
                  Column(f, std::string(f.size) + "||':'||" + f.memo + "||':'||" + f.fileType + "||':'||RegUser", key));
        EXPECT_EQ(stored, Column(f, std::string("hex(") + f.image + ")", key));

        // A picture chosen since then replaces only its own slot.
        TemplatePictureFile chosen{gif, "gif"};
        const TemplatePictureFile* first[2] = {&chosen, nullptr};
        ASSERT_EQ(1, CTemplateTables::Update(f.family, info, first));
        EXPECT_EQ("gif", Column(f, f.fileType, key));
        EXPECT_EQ(std::to_string(ReadAll(PosixPicture("b.gif")).size()),
                  Column(f, std::string("length(") + f.image + ")", key));
        if (f.family == TEMPLATE_FRAME) {
            EXPECT_EQ("jpg", Column(f, "FileType2", key));
        }
    }
}

TEST_F(Tables, APictureGoneBeforeTheSaveWritesNothing)
{
    CString jpg = Picture("a.jpg", 10, 10);
    CString gone = Picture("gone.jpg", 10, 10);
    ASSERT_EQ(0, ::unlink(PosixPicture("gone.jpg").c_str()));
    Picture("empty.bmp", 1, 1);
    { std::ofstream truncate(PosixPicture("empty.bmp"), std::ios::trunc); }
    CString empty = (pictures.windowsPath() + "empty.bmp").c_str();
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        for (const CString& bad : {gone, empty}) {
            TemplateInfo info;
            EXPECT_EQ(0, Insert(f, info, bad, "jpg"));
            EXPECT_EQ(-1, info.nKey);
        }
        EXPECT_EQ("0", db.scalar(std::string("select count(*) from ") + f.table));
        TemplateInfo info;
        ASSERT_EQ(1, Insert(f, info, jpg, "jpg"));
        std::string stored = Column(f, std::string("hex(") + f.image + ")", 1);
        info.strName = "renamed";
        for (const CString& bad : {gone, empty}) {
            TemplatePictureFile chosen{bad, "bmp"};
            const TemplatePictureFile* files[2] = {&chosen, nullptr};
            EXPECT_EQ(0, CTemplateTables::Update(f.family, info, files));
        }
        EXPECT_EQ(stored, Column(f, std::string("hex(") + f.image + ")", 1));
        EXPECT_EQ("", Column(f, f.name, 1));
    }
    // A frame needs both pictures for a new row.
    TemplateInfo info;
    TemplatePictureFile one{jpg, "jpg"};
    const TemplatePictureFile* onlyFirst[2] = {&one, nullptr};
    EXPECT_EQ(0, CTemplateTables::Insert(TEMPLATE_FRAME, info, onlyFirst));
}

TEST_F(Tables, AJpegExtensionIsStoredButDoesNotLoad)
{
    Picture("tile.jpg", 16, 16);
    ASSERT_EQ(0, ::rename(PosixPicture("tile.jpg").c_str(), PosixPicture("tile.jpeg").c_str()));
    TemplateInfo info;
    TemplatePictureFile tile{(pictures.windowsPath() + "tile.jpeg").c_str(), "jpeg"};
    const TemplatePictureFile* files[2] = {&tile, nullptr};
    ASSERT_EQ(1, CTemplateTables::Insert(TEMPLATE_PATTERN, info, files));
    EXPECT_EQ("jpeg", db.scalar("select FileType from PatternImgs"));
    TemplateInfo loaded;
    TemplateUnpacked unpacked[2];
    ASSERT_EQ(1, CTemplateTables::Load(TEMPLATE_PATTERN, 1, loaded, unpacked));
    EXPECT_STREQ(TempPath("TmplPattern1.jpeg"), unpacked[0].strPath);
    CImageObject image;
    EXPECT_EQ(0, image.LoadImageFromFile(unpacked[0].strPath, 0));
}

TEST_F(Tables, FileTypesThatLeaveTheTempFolderUnpackNothing)
{
    const char* kTypes[] = {"../x", "..", "a/b", "a\\b", "c:", "j\tpg", "averyveryverylongextension"};
    int key = 0;
    for (const char* type : kTypes) {
        SCOPED_TRACE(type);
        ++key;
        ASSERT_TRUE(db.exec("insert into MaskImgs (MaskNo, FileType, MaskImage) values (" + std::to_string(key) +
                            ", '" + type + "', X'FFD8FFD9')"));
        TemplateInfo info;
        TemplateUnpacked unpacked[2];
        ASSERT_EQ(1, CTemplateTables::Load(TEMPLATE_MASK, key, info, unpacked));
        EXPECT_EQ(TemplateUnpacked::BAD_TYPE, unpacked[0].nState);
        EXPECT_TRUE(unpacked[0].strPath.IsEmpty());
    }
    EXPECT_TRUE(data.names() == std::vector<std::string>{"Temp"});
    EXPECT_TRUE(TempNames().empty());
    EXPECT_STREQ("", CTemplateTables::TempFileName(TEMPLATE_FRAME, 0, 1, "../x"));
    EXPECT_STREQ("", CTemplateTables::TempFileName(TEMPLATE_MASK, 1, 1, "jpg"));
}

TEST_F(Tables, MalformedRowsReadAsEmptyValues)
{
    // Text where numbers belong, nulls everywhere, a BLOB column holding text.
    ASSERT_TRUE(db.exec("insert into FrameImgs (FrameNo, FrameName, FrameWidth, FrameHeight, FileType1, FileType2, "
                        "FrameImage1, FrameImage2) values (3, null, 'wide', '12px', 'gif', null, 'GIF89a', null)"));
    std::vector<TemplateInfo> rows = CTemplateTables::List(TEMPLATE_FRAME);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(3, rows[0].nKey);
    EXPECT_STREQ("", rows[0].strName);
    EXPECT_EQ(0, rows[0].nWidth);
    EXPECT_EQ(12, rows[0].nHeight);
    TemplateInfo info;
    TemplateUnpacked unpacked[2];
    ASSERT_EQ(1, CTemplateTables::Load(TEMPLATE_FRAME, 3, info, unpacked));
    EXPECT_EQ(TemplateUnpacked::WRITTEN, unpacked[0].nState);
    EXPECT_EQ(Bytes({'G', 'I', 'F', '8', '9', 'a'}), ReadAll(TempFile("TmplFrame13.gif")));
    EXPECT_EQ(TemplateUnpacked::EMPTY, unpacked[1].nState);
    EXPECT_STREQ(TempPath("TmplFrame23."), unpacked[1].strPath);
    // A key with no row leaves what the caller had.
    info.strName = "kept";
    EXPECT_EQ(0, CTemplateTables::Load(TEMPLATE_FRAME, 99, info, unpacked));
    EXPECT_STREQ("kept", info.strName);
}

TEST_F(Tables, ATableWithoutItsColumnsIsReadAsNoRows)
{
    ASSERT_TRUE(db.exec("drop table PatternImgs; create table PatternImgs (PatternNo integer, PatternName text)"));
    ASSERT_TRUE(db.exec("insert into PatternImgs values (1, 'old')"));
    EXPECT_TRUE(CTemplateTables::List(TEMPLATE_PATTERN).empty());
    TemplateInfo info;
    TemplateUnpacked unpacked[2];
    EXPECT_EQ(0, CTemplateTables::Load(TEMPLATE_PATTERN, 1, info, unpacked));
    CString jpg = Picture("a.jpg", 4, 4);
    TemplatePictureFile tile{jpg, "jpg"};
    const TemplatePictureFile* files[2] = {&tile, nullptr};
    EXPECT_EQ(0, CTemplateTables::Insert(TEMPLATE_PATTERN, info, files));
}

TEST_F(Tables, AnUnwritableTempFolderGivesNoPath)
{
    CString jpg = Picture("a.jpg", 10, 10);
    TemplateInfo info;
    TemplatePictureFile tile{jpg, "jpg"};
    const TemplatePictureFile* files[2] = {&tile, nullptr};
    ASSERT_EQ(1, CTemplateTables::Insert(TEMPLATE_MASK, info, files));
    // An older file of that name is never offered in place of the stored picture.
    ASSERT_TRUE(db.exec("update MaskImgs set MaskWidth = 10, MaskHeight = 10"));
    ::rmdir(data.file("Temp").c_str());
    { std::ofstream blocker(data.file("Temp")); }
    TemplateInfo loaded;
    TemplateUnpacked unpacked[2];
    ASSERT_EQ(1, CTemplateTables::Load(TEMPLATE_MASK, 1, loaded, unpacked));
    EXPECT_EQ(TemplateUnpacked::NOT_WRITTEN, unpacked[0].nState);
    EXPECT_TRUE(unpacked[0].strPath.IsEmpty());
    EXPECT_EQ(10, loaded.nWidth);
}
