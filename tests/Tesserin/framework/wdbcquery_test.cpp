#include <gtest/gtest.h>

#include "framework/WDBCQuery.h"
#include "support/LoopbackHttpServer.h"
#include "support/MessageBoxCapture.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using mivotest::HttpReply;
using mivotest::HttpRequestRecord;
using mivotest::LoopbackHttpServer;
using mivotest::MessageBoxCapture;
using mivotest::TempFolder;

namespace {

using Rows = std::vector<std::vector<std::string>>;

HttpReply answer(int status, const std::string& body)
{
    HttpReply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

// A web database page that answers every call with the same reply.
struct Page {
    HttpReply reply;
    LoopbackHttpServer server{[this](const HttpRequestRecord&) { return reply; }};

    explicit Page(const std::string& body, int status = 200) : reply(answer(status, body)) {}
    std::string lastBody() const
    {
        auto seen = server.requests();
        return seen.empty() ? "<no request>" : seen.back().body;
    }
};

struct Query : CWDBCQuery {
    explicit Query(int port, const char* object = "/wdbc/wdbc_sel.asp") : CWDBCQuery("127.0.0.1", port, object) {}
    using CWDBCQuery::RequestFlags;
};

// Fetches every row, each as the fields ColumnValue hands out.
Rows fetchAll(CWDBCQuery& query, int decode = 0)
{
    Rows rows;
    while (query.FetchNextRow()) {
        std::vector<std::string> row;
        for (int column = 0; column < 300; ++column) {
            const char* value = query.ColumnValue(column, decode);
            if (value == nullptr)
                break;
            row.push_back(value);
        }
        rows.push_back(row);
    }
    return rows;
}

int closedPort()
{
    int port;
    {
        LoopbackHttpServer gone([](const HttpRequestRecord&) { return answer(200, ""); });
        port = gone.port();
    }
    return port;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(WDBCQuery, BodyNamesTheProcedureAndItsParametersInOrder)
{
    Page page("");
    Query query(page.server.port());
    ASSERT_EQ(1, query.InitQuery());

    query.SetDBProc("SP_MIVO_ORDER_NOTICE");
    EXPECT_EQ(1, query.RunQuery());
    EXPECT_EQ("DBSP=SP_MIVO_ORDER_NOTICE", page.lastBody());

    query.ResetQuery();
    query.SetDBProc("P");
    query.SetStringColumn(CString("a"), CString("1"), 1);
    query.SetStringColumn(CString("b"), CString("x y"), 1);
    EXPECT_EQ(1, query.RunQuery());
    EXPECT_EQ("DBSP=P&a=1&b=x\x19y", page.lastBody());

    query.ResetQuery();
    query.SetDBProc("P");
    query.SetStringColumn(CString("n"), CString("1"), 0);
    query.SetNumberColumn(CString("n"), 2, 0);
    query.SetStringColumn(CString("m"), CString("a b"), 0);
    query.SetNumberColumn(CString("n"), 3.14159, 2);
    EXPECT_EQ(1, query.RunQuery());
    EXPECT_EQ("DBSP=P&n=1&n=2&m=a b&n=3.14", page.lastBody());

    auto seen = page.server.requests();
    ASSERT_EQ(3u, seen.size());
    for (const HttpRequestRecord& r : seen) {
        EXPECT_EQ("POST", r.method);
        EXPECT_EQ("/wdbc/wdbc_sel.asp", r.path);
        EXPECT_NE(std::string::npos, r.headers.find("Content-Type: application/x-www-form-urlencoded\r\n"));
        EXPECT_EQ(seen[0].connection, r.connection);  // the connection stays open between queries
    }
}

TEST(WDBCQuery, EscapedValuesTravelAsControlBytesAndDecodeBack)
{
    Page page(std::string("a\x19") + "b\x1F" + "c~|");
    Query query(page.server.port());
    ASSERT_EQ(1, query.InitQuery());
    query.SetDBProc("P");

    char value[] = "a b&c";
    char name[] = "v";
    query.SetStringColumn(name, value, 1);
    EXPECT_EQ(std::string("a\x19") + "b\x1F" + "c", value);  // changed in the caller's text
    char every[] = "\\'&\n\r\t +%";
    char all[] = "all";
    query.SetStringColumn(all, every, 1);
    query.SetStringColumn(CString("raw"), CString("a b&c"), 0);
    query.SetStringColumn(CString("kor"), CString("사진 앨범"), 1);
    ASSERT_EQ(1, query.RunQuery());
    EXPECT_EQ(std::string("DBSP=P&v=a\x19") + "b\x1F" + "c&all=\x1A\x18\x1F\x1C\x1D\x1B\x19\x17\x16" +
                  "&raw=a b&c&kor=" + "사진\x19" + "앨범",
              page.lastBody());

    ASSERT_EQ(1, query.FetchNextRow());
    EXPECT_STREQ("a b&c", query.ColumnValue(0, 1));

    page.reply.body = "\x1A\x18\x1F\x1C\x1D\x1B\x19\x17\x16~/\x19~|";
    query.ResetQuery();
    query.SetDBProc("P");
    ASSERT_EQ(1, query.RunQuery());
    EXPECT_EQ((Rows{{"\x1A\x18\x1F\x1C\x1D\x1B\x19\x17\x16", "\x19"}}), fetchAll(query, 0));
    query.ResetQuery();
    query.SetDBProc("P");
    ASSERT_EQ(1, query.RunQuery());
    EXPECT_EQ((Rows{{"\\'&\n\r\t +%", " "}}), fetchAll(query, 1));
}

TEST(WDBCQuery, NumberTextsHaveTheirDecimalsAndNoPadding)
{
    Page page("");
    Query query(page.server.port());
    ASSERT_EQ(1, query.InitQuery());
    struct Case {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {3.14159, 2, "3.14"},
        {7, 0, "7"},
        {-2.5, 1, "-2.5"},
        {0, 3, "0.000"},
        {3.7, -1, "4"},
        {123456789012345.0, 2, "123456789012345.00"},
        {1e20, 2, "100000000000000000000.00"},  // longer than any fixed buffer: never cut
    };
    for (const Case& c : cases) {
        query.ResetQuery();
        query.SetDBProc("P");
        char name[] = "n";
        query.SetNumberColumn(name, c.value, c.decimals);
        ASSERT_EQ(1, query.RunQuery());
        EXPECT_EQ(std::string("DBSP=P&n=") + c.text, page.lastBody());
    }
}

TEST(WDBCQuery, RepliesAreCutIntoRowsAndFields)
{
    struct Case {
        const char* name;
        std::string reply;
        Rows rows;
    } cases[] = {
        {"two rows", "1~/x~|2~/y~|", {{"1", "x"}, {"2", "y"}}},
        {"no separators", "ab", {{"ab"}}},
        {"empty", "", {}},
        {"second row longer", "a~/b~|c~/d~/e~|", {{"a", "b"}, {"c", "d"}}},
        {"second row shorter", "a~/b~|c~|", {{"a", "b"}, {"c"}}},
        {"text after the last row", "a~/b~|tail", {{"a", "b"}, {"tail"}}},
        {"ends after a field", "a~/b~/", {{"a", "b"}}},
        {"empty fields", "~/~|", {{"", ""}}},
        {"lone tilde", "a~", {{"a~"}}},
        {"korean", "사진~/앨범~|", {{"사진", "앨범"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxCapture boxes;
        Page page(c.reply);
        Query query(page.server.port());
        ASSERT_EQ(1, query.InitQuery());
        query.SetDBProc("P");
        ASSERT_EQ(1, query.RunQuery());
        EXPECT_EQ(c.rows, fetchAll(query));
        EXPECT_EQ(0, query.FetchNextRow());
        EXPECT_EQ(nullptr, query.ColumnValue(0, 0));
        EXPECT_EQ(nullptr, query.ColumnValue(-1, 0));
        EXPECT_TRUE(boxes.shown().empty());
    }
}

TEST(WDBCQuery, FieldsBeyondTheSlotsAreIgnored)
{
    std::string reply;
    for (int i = 0; i < 300; ++i)
        reply += "f" + std::to_string(i) + (i == 299 ? "~|" : "~/");
    reply += "next~|";
    Page page(reply);
    Query query(page.server.port());
    ASSERT_EQ(1, query.InitQuery());
    query.SetDBProc("P");
    ASSERT_EQ(1, query.RunQuery());
    ASSERT_EQ(1, query.FetchNextRow());
    EXPECT_STREQ("f0", query.ColumnValue(0, 0));
    EXPECT_STREQ("f254", query.ColumnValue(254, 0));
    EXPECT_EQ(nullptr, query.ColumnValue(255, 0));
    EXPECT_EQ(nullptr, query.ColumnValue(299, 0));
    ASSERT_EQ(1, query.FetchNextRow());
    EXPECT_STREQ("next", query.ColumnValue(0, 0));
    EXPECT_EQ(0, query.FetchNextRow());
}

TEST(WDBCQuery, ErrorRepliesFailTheQueryAndAreReportedWhenFetched)
{
    for (int status : {400, 404, 500}) {
        SCOPED_TRACE(status);
        MessageBoxCapture boxes;
        Page page("a~/b~|", status);
        Query query(page.server.port());
        ASSERT_EQ(1, query.InitQuery());
        query.SetDBProc("P");
        EXPECT_EQ(0, query.RunQuery());
        EXPECT_EQ(0, query.FetchNextRow());
        EXPECT_EQ(nullptr, query.ColumnValue(0, 0));
        auto shown = boxes.shown();
        ASSERT_EQ(1u, shown.size());
        CString expected;
        expected.Format("웹 사이트 접속중 오류가 발생하였습니다.(%d)", status);
        EXPECT_EQ(std::string(expected), shown[0].text);
        EXPECT_EQ((UINT)MB_OK, shown[0].type & MB_TYPEMASK);
    }
}

TEST(WDBCQuery, AnUnreachableServerFailsTheQuery)
{
    MessageBoxCapture boxes;
    Query query(closedPort());
    ASSERT_EQ(1, query.InitQuery());  // connecting waits for the first request
    query.SetDBProc("P");
    EXPECT_EQ(0, query.RunQuery());
    EXPECT_EQ(0, query.FetchNextRow());
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(std::string("웹 사이트 접속중 오류가 발생하였습니다.(0)"), shown[0].text);
}

TEST(WDBCQuery, InitQueryReportsAConnectionThatCannotBeMade)
{
    MessageBoxCapture boxes;
    CWDBCQuery query("", 80, "/wdbc/wdbc_sel.asp");
    EXPECT_EQ(0, query.InitQuery());
    auto shown = boxes.shown();
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(std::string("웹 사이트에 접속할 수 없습니다."), shown[0].text);
    EXPECT_EQ((UINT)MB_OK, shown[0].type & MB_TYPEMASK);
}

TEST(WDBCQuery, FetchingBeforeAnyReplyReportsStatusZero)
{
    MessageBoxCapture boxes;
    Query query(closedPort());
    EXPECT_EQ(0, query.FetchNextRow());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ(std::string("웹 사이트 접속중 오류가 발생하였습니다.(0)"), boxes.shown()[0].text);
}

TEST(WDBCQuery, AReplyShorterThanItsLengthFailsTheQuery)
{
    // A length of 4 GB must not be taken as a size to allocate either.
    for (long long claimed : {7LL, 4000000000LL}) {
        SCOPED_TRACE(claimed);
        Page page("a~/b~|");
        page.reply.claimedLength = claimed;
        Query query(page.server.port());
        ASSERT_EQ(1, query.InitQuery());
        query.SetDBProc("P");
        EXPECT_EQ(0, query.RunQuery());
        EXPECT_EQ(0, query.FetchNextRow());
    }
}

TEST(WDBCQuery, AReplyBeyondTheMemoryCapIsRefused)
{
    Page page(std::string(vxhttp::kMaxReplyBytes + 1, 'x'));
    page.reply.sendLength = false;
    Query query(page.server.port());
    ASSERT_EQ(1, query.InitQuery());
    query.SetDBProc("P");
    EXPECT_EQ(0, query.RunQuery());
}

TEST(WDBCQuery, RequestFlagsAddTheSecureOnesOnPort443)
{
    EXPECT_EQ(0x84400100u, Query(80).RequestFlags());
    EXPECT_EQ(0x84C03100u, Query(443).RequestFlags());
    EXPECT_EQ(0x84400100u, Query(8443).RequestFlags());
}

TEST(WDBCQuery, LengthQueryAndDownloadWorkOnTheQuerysConnection)
{
    const std::string picture(5000, 'p');
    LoopbackHttpServer server([&](const HttpRequestRecord& r) {
        if (r.path == "/moved") {
            HttpReply reply = answer(302, "moved");
            reply.headers = {"Location: /elsewhere"};
            return reply;
        }
        return r.path == "/site/logo.gif" ? answer(200, picture) : answer(404, "no");
    });
    struct Case {
        const char* object;
        unsigned long length;
    } cases[] = {{"/site/logo.gif", 5000}, {"/moved", 0}, {"/missing", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.object);
        CWDBCQuery query("127.0.0.1", server.port(), c.object);
        ASSERT_EQ(1, query.InitQuery());
        EXPECT_EQ(c.length, query.GetFileLength());
    }
    auto seen = server.requests();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("GET", seen[0].method);
    EXPECT_NE(std::string::npos, seen[0].headers.find("Content-Type: text/plain\r\n"));

    TempFolder folder;
    std::ofstream(folder.file("logo.gif"), std::ios::binary) << "older";
    CWDBCQuery missing("127.0.0.1", server.port(), "/missing");
    ASSERT_EQ(1, missing.InitQuery());
    EXPECT_EQ(0, missing.DownloadHttpFile((folder.windowsPath() + "logo.gif").c_str()));
    EXPECT_EQ("older", readFile(folder.file("logo.gif")));
    CWDBCQuery logo("127.0.0.1", server.port(), "/site/logo.gif");
    ASSERT_EQ(1, logo.InitQuery());
    EXPECT_EQ(1, logo.DownloadHttpFile((folder.windowsPath() + "logo.gif").c_str()));
    EXPECT_EQ(picture, readFile(folder.file("logo.gif")));
    EXPECT_EQ(1, (int)std::distance(std::filesystem::directory_iterator(folder.path()),
                                     std::filesystem::directory_iterator()));
}

TEST(WDBCQuery, ReplyProgressCountsBytesUpTo20000)
{
    HWND window = mivo::test::CreateTestWindow("progress", WS_POPUP, 0, 0, 10, 10);
    struct Case {
        const char* name;
        bool sendLength;
        size_t chunkBytes;
    } cases[] = {{"at once", true, 0}, {"in pieces", true, 100}, {"without a length", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Page page(std::string(298, 'v') + "~|");
        page.reply.sendLength = c.sendLength;
        page.reply.chunkBytes = c.chunkBytes;
        page.reply.chunkDelayMs = c.chunkBytes ? 10 : 0;
        Query query(page.server.port());
        query.SetTargetWindow(window);
        ASSERT_EQ(1, query.InitQuery());
        query.SetDBProc("P");
        ASSERT_EQ(1, query.RunQuery());
        std::vector<WPARAM> progress;
        MSG msg;
        while (PeekMessage(&msg, window, WM_HTTP_PROGRESS, WM_HTTP_PROGRESS, PM_REMOVE)) {
            EXPECT_EQ(0, msg.lParam);
            progress.push_back(msg.wParam);
        }
        if (!c.sendLength) {
            EXPECT_TRUE(progress.empty());
            continue;
        }
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(20000u, progress.back());
        for (size_t i = 0; i < progress.size(); ++i) {
            EXPECT_GE(progress[i], 10000u);
            EXPECT_EQ(0u, progress[i] % 100);
            if (i > 0) {
                EXPECT_GE(progress[i], progress[i - 1]);
            }
        }
    }
    DestroyWindow(window);
}
