// Reading the notice and the site list from the web database, and refreshing the cached pictures
// and the maker's program by their update time.
#include <gtest/gtest.h>

#include "KestruneTestSupport.h"
#include "SiteCache.h"
#include "support/MessageBoxCapture.h"
#include "support/WebDatabaseSeed.h"

#include "framework/WDBCQuery.h"

using kestrunetest::DataFolder;
using kestrunetest::Exists;
using kestrunetest::MappedStub;
using kestrunetest::PinnedZone;
using kestrunetest::ReadFile;
using kestrunetest::WriteFile;
using mivotest::SiteRow;
using mivotest::WdbcRow;

namespace {

const char kStamp[] = "2026-12-01 10:00:00";
const char kOneSecondLater[] = "2026-12-01 10:00:01";

std::string HostOf(const mivotest::HttpRequestRecord& r)
{
    size_t at = r.headers.find("Host: ");
    return at == std::string::npos ? "" : r.headers.substr(at + 6, r.headers.find("\r\n", at) - at - 6);
}

struct Loaded {
    CString notice = "\r\n";
    CSiteTable sites;
    int kept = 0;
};

void Load(Loaded& out)
{
    CWDBCQuery query("127.0.0.1", 80, "/wdbc/wdbc_sel.asp");
    if (query.InitQuery())
        CSiteCache::ReadNotice(query, out.notice);
    out.kept = CSiteCache::ReadSites(query, out.sites);
}

}  // namespace

TEST(SiteCache, AsksForTheNoticeAndTheListOnPortEightyAndDecodesTheNotice)
{
    MappedStub mapped;
    mapped.stub().SetProcedure("SP_MIVO_ORDER_NOTICE", {{"주문 & 배송 안내"}, {""}, {"  두 칸 띄운 줄\t끝"}});
    Loaded loaded;
    Load(loaded);
    EXPECT_STREQ("\r\n주문 & 배송 안내\r\n\r\n  두 칸 띄운 줄\t끝\r\n", loaded.notice);
    EXPECT_EQ(0, loaded.kept);
    auto requests = mapped.stub().requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ("DBSP=SP_MIVO_ORDER_NOTICE", requests[0].body);
    EXPECT_EQ("DBSP=SP_MIVO_SITE_LIST", requests[1].body);
    for (const auto& r : requests) {
        EXPECT_EQ("POST", r.method);
        EXPECT_EQ("/wdbc/wdbc_sel.asp", r.path);
        EXPECT_EQ("127.0.0.1", HostOf(r)) << "the program's host and port 80, not the mapped port";
    }
}

TEST(SiteCache, KeepsElevenColumnsOfShownRowsInReplyOrder)
{
    MappedStub mapped;
    WdbcRow full(20);
    for (int c = 0; c < 20; ++c)
        full[c] = "c" + std::to_string(c);
    full[16] = "N";
    WdbcRow hiddenUpper = SiteRow("H1", "u", "", "h1.jpg", "/h1.jpg", kStamp, "Partner", "Y");
    WdbcRow hiddenLower = SiteRow("H2", "u", "", "h2.jpg", "/h2.jpg", kStamp, "Partner", "y");
    WdbcRow shown = SiteRow("S2", "http://b/", "", "b.jpg", "/b.jpg", kStamp, "Partner", "YES");
    WdbcRow shortRow = {"S3", "x", "http://c/"};
    mapped.stub().SetProcedure("SP_MIVO_SITE_LIST", {full, hiddenUpper, shown, hiddenLower, shortRow});

    Loaded loaded;
    Load(loaded);
    ASSERT_EQ(3, loaded.kept);
    const CSiteTable& t = loaded.sites;
    ASSERT_EQ(3, t.GetSiteCount());
    const CStringArray* columns[] = {&t.m_arrSiteId,      &t.m_arrColumn1,  &t.m_arrSiteUrl,
                                     &t.m_arrProgramPath, &t.m_arrHomePage, &t.m_arrPictureFile,
                                     &t.m_arrPicturePath, &t.m_arrPhone,    &t.m_arrFax,
                                     &t.m_arrUpdateTime,  &t.m_arrProvider};
    const int numbers[] = {0, 1, 2, 3, 4, 5, 6, 13, 14, 15, 19};
    for (int k = 0; k < 11; ++k) {
        EXPECT_STREQ(("c" + std::to_string(numbers[k])).c_str(), (*columns[k])[0]) << "column " << numbers[k];
        EXPECT_EQ(3, (int)columns[k]->GetSize());
    }
    EXPECT_STREQ("S2", t.m_arrSiteId[1]);
    // A row the server cut short: its missing columns are empty.
    EXPECT_STREQ("S3", t.m_arrSiteId[2]);
    EXPECT_STREQ("http://c/", t.m_arrSiteUrl[2]);
    for (int k = 3; k < 11; ++k)
        EXPECT_STREQ("", (*columns[k])[2]) << "column " << numbers[k];
}

TEST(SiteCache, TimeTextIsTheLocalModificationTime)
{
    PinnedZone zone;
    DataFolder data;
    WriteFile(data.temp("a.jpg"), "x", kStamp);
    EXPECT_STREQ(kStamp, CSiteCache::FileTimeText((data.dataDir() + "Temp\\a.jpg").c_str()));
    EXPECT_STREQ("", CSiteCache::FileTimeText((data.dataDir() + "Temp\\none.jpg").c_str()));
}

TEST(SiteCache, NamesFromTheServerAreBareFileNames)
{
    const struct {
        const char* name;
        BOOL bare;
        BOOL program;
    } cases[] = {
        {"site.jpg", TRUE, FALSE},     {"Order.EXE", TRUE, TRUE},    {"주문.exe", TRUE, TRUE},
        {"", FALSE, FALSE},            {".", FALSE, FALSE},          {"..", FALSE, FALSE},
        {"..\\x.exe", FALSE, FALSE},   {"../x.exe", FALSE, FALSE},   {"a/b.jpg", FALSE, FALSE},
        {"C:x.exe", FALSE, FALSE},     {"\\x.exe", FALSE, FALSE},    {".exe", TRUE, FALSE},
        {"Profile.MivoOrder", TRUE, FALSE}, {"Kestrune", TRUE, FALSE}, {"x.exe.jpg", TRUE, FALSE},
        {"사진 1.jpg", TRUE, FALSE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bare, CSiteCache::IsBareFileName(c.name)) << c.name;
        EXPECT_EQ(c.program, CSiteCache::IsProgramFileName(c.name)) << c.name;
    }
}

TEST(SiteCache, FilesAreFetchedOnlyWhenTheServerTimeIsNewer)
{
    PinnedZone zone;
    DataFolder data;
    MappedStub mapped;
    mivotest::WebDatabaseStub& stub = mapped.stub();
    for (const char* name : {"same", "newer", "missing", "never", "gone", "lower", "own"})
        stub.SetFile(std::string("/p/") + name + ".jpg", std::string("new ") + name);
    stub.SetFile("/prog/Order.exe", "program");
    stub.SetFile("/prog/lower.exe", "lower program");
    stub.RemoveFile("/p/gone.jpg");

    WriteFile(data.temp("same.jpg"), "old same", kStamp);
    WriteFile(data.temp("newer.jpg"), "old newer", kStamp);
    WriteFile(data.temp("gone.jpg"), "old gone", kStamp);
    WdbcRow own = SiteRow("V1", "Order.exe", "", "own.jpg", "/p/own.jpg", kStamp, "Vantrel");
    own[3] = "/prog/Order.exe";
    WdbcRow lower = SiteRow("V2", "lower.exe", "", "lower.jpg", "/p/lower.jpg", kStamp, "vantrel");
    lower[3] = "/prog/lower.exe";
    stub.SetProcedure("SP_MIVO_SITE_LIST",
                      {SiteRow("A", "u", "", "same.jpg", "/p/same.jpg", kStamp),
                       SiteRow("B", "u", "", "newer.jpg", "/p/newer.jpg", kOneSecondLater),
                       SiteRow("C", "u", "", "missing.jpg", "/p/missing.jpg", "0"),
                       SiteRow("D", "u", "", "never.jpg", "/p/never.jpg", ""),
                       SiteRow("E", "u", "", "gone.jpg", "/p/gone.jpg", kOneSecondLater), own, lower});
    Loaded loaded;
    Load(loaded);
    ASSERT_EQ(7, loaded.kept);
    CSiteCache::RefreshFiles(loaded.sites, "127.0.0.1", data.dataDir().c_str(), nullptr);

    std::vector<std::string> expected = {"/p/newer.jpg", "/p/missing.jpg", "/p/gone.jpg", "/prog/Order.exe",
                                         "/p/own.jpg",   "/p/lower.jpg"};
    EXPECT_EQ(expected, stub.downloads());
    EXPECT_EQ("old same", ReadFile(data.temp("same.jpg")));
    EXPECT_EQ("new newer", ReadFile(data.temp("newer.jpg")));
    EXPECT_EQ("new missing", ReadFile(data.temp("missing.jpg")));
    EXPECT_FALSE(Exists(data.temp("never.jpg")));
    EXPECT_EQ("old gone", ReadFile(data.temp("gone.jpg"))) << "a 404 keeps the old file";
    EXPECT_EQ("program", ReadFile(data.posix("Order.exe")));
    EXPECT_FALSE(Exists(data.posix("lower.exe"))) << "only \"Vantrel\" is the maker's own site";
    EXPECT_EQ(std::vector<std::string>({"Order.exe", "Temp"}), data.folder().names());
}

TEST(SiteCache, NamesThatAreNoPlainFileNamesWriteNothing)
{
    PinnedZone zone;
    DataFolder data;
    MappedStub mapped;
    mivotest::WebDatabaseStub& stub = mapped.stub();
    stub.SetFile("/x", "payload");
    std::vector<WdbcRow> rows;
    const char* pictures[] = {"..\\escaped.jpg", "../escaped.jpg", "sub\\x.jpg", "C:escaped.jpg", "..", ".", ""};
    for (const char* name : pictures)
        rows.push_back(SiteRow("P", "u", "", name, "/x", kOneSecondLater));
    const char* programs[] = {"..\\Kestrune.exe", "Profile.MivoOrder", "Mivo.dat", "Temp", "Kestrune"};
    for (const char* name : programs) {
        WdbcRow own = SiteRow("V", name, "", "", "", kOneSecondLater, "Vantrel");
        own[3] = "/x";
        rows.push_back(own);
    }
    stub.SetProcedure("SP_MIVO_SITE_LIST", rows);
    Loaded loaded;
    Load(loaded);
    ASSERT_EQ(12, loaded.kept);
    CSiteCache::RefreshFiles(loaded.sites, "127.0.0.1", data.dataDir().c_str(), nullptr);
    EXPECT_TRUE(stub.downloads().empty());
    EXPECT_EQ(std::vector<std::string>({"Temp"}), data.folder().names());
    EXPECT_TRUE(data.folder().names().size() == 1 && !Exists(data.folder().path() + "/../escaped.jpg"));
}

TEST(SiteCache, AnUnreachableServerIsReportedAndGivesNoSites)
{
    mivotest::MessageBoxCapture boxes;
    MappedStub mapped(kestrunetest::ClosedPort());
    Loaded loaded;
    Load(loaded);
    EXPECT_STREQ("\r\n", loaded.notice);
    EXPECT_EQ(0, loaded.kept);
    auto shown = boxes.shown();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ("웹 사이트 접속중 오류가 발생하였습니다.(0)", shown[0].text);
}
