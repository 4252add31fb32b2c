#include <gtest/gtest.h>

#include "framework/VXHttp.h"
#include "support/LoopbackHttpServer.h"
#include "support/MessageRecorder.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using mivotest::HttpReply;
using mivotest::HttpRequestRecord;
using mivotest::LoopbackHttpServer;
using mivotest::TempFolder;

namespace {

HttpReply answer(int status, const std::string& body)
{
    HttpReply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

// Every byte value, and more than one read piece of them.
std::string binaryObject(size_t size)
{
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i)
        data[i] = (char)((i * 7 + i / 256) & 0xFF);
    return data;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& data)
{
    std::ofstream(path, std::ios::binary) << data;
}

std::string executableName()
{
    return std::filesystem::read_symlink("/proc/self/exe").filename().string();
}

// A client connected to the loopback server, as the print-site chooser sets one up.
struct Client : CVXHttp {
    explicit Client(int port, const char* object = "/obj/a.jpg")
    {
        m_strHost = "127.0.0.1";
        m_nPort = port;
        m_strObject = object;
        EXPECT_EQ(1, MakeInternetSession());
        EXPECT_EQ(1, MakeHttpConnection());
    }
    using CVXHttp::RequestFlags;
};

// The WM_HTTP_PROGRESS values waiting for the window, taken off its queue.
std::vector<WPARAM> takeProgress(HWND window)
{
    std::vector<WPARAM> values;
    MSG msg;
    while (PeekMessage(&msg, window, WM_HTTP_PROGRESS, WM_HTTP_PROGRESS, PM_REMOVE)) {
        EXPECT_EQ(0, msg.lParam);
        values.push_back(msg.wParam);
    }
    return values;
}

// Percent as whole steps from 10000 (0 %) to 20000 (100 %), never going back.
void expectProgressSteps(const std::vector<WPARAM>& values, WPARAM highest)
{
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(0u, values[i] % 100) << i;
        EXPECT_GE(values[i], 10000u) << i;
        EXPECT_LE(values[i], highest) << i;
        if (i > 0) {
            EXPECT_GE(values[i], values[i - 1]) << i;
        }
    }
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

}  // namespace

TEST(VXHttp, DownloadWritesTheObjectByteForByteWithOrWithoutLength)
{
    struct Case {
        const char* name;
        size_t size;
        bool sendLength;
        size_t chunkBytes;
    } cases[] = {
        {"small with length", 300, true, 0},
        {"empty with length", 0, true, 0},
        {"large with length", 200000, true, 0},
        {"large without length", 200000, false, 0},
        {"slow pieces without length", 5000, false, 1000},
        {"slow pieces with length", 5000, true, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string object = binaryObject(c.size);
        LoopbackHttpServer server([&](const HttpRequestRecord&) {
            HttpReply reply = answer(200, object);
            reply.sendLength = c.sendLength;
            reply.chunkBytes = c.chunkBytes;
            reply.chunkDelayMs = c.chunkBytes ? 5 : 0;
            return reply;
        });
        TempFolder folder;
        Client client(server.port());
        client.m_strFormData = "site=3";
        EXPECT_EQ(1, client.DownloadHttpFile((folder.windowsPath() + "a.jpg").c_str()));
        EXPECT_EQ(object, readFile(folder.file("a.jpg")));
        EXPECT_EQ(std::vector<std::string>{"a.jpg"}, folder.names());

        auto seen = server.requests();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("GET", seen[0].method);
        EXPECT_EQ("/obj/a.jpg", seen[0].path);
        EXPECT_EQ("site=3", seen[0].body);
        EXPECT_NE(std::string::npos, seen[0].headers.find("Content-Type: application/x-www-form-urlencoded\r\n"));
        EXPECT_NE(std::string::npos, seen[0].headers.find("User-Agent: " + executableName() + "\r\n"));
    }
}

TEST(VXHttp, DownloadReplacesAnOlderFileOnlyWhenTheObjectArrivedWhole)
{
    const std::string older = "older good picture";
    const std::string page = "<html>missing</html>";
    struct Case {
        const char* name;
        int status;
        long long claimedLength;  // -1: the true length
        bool reachable;
        int result;
    } cases[] = {
        {"complete", 200, -1, true, 1},
        {"not found page", 404, -1, true, 0},
        {"server error page", 500, -1, true, 0},
        {"moved", 302, -1, true, 0},
        {"body shorter than its length", 200, 100000, true, 0},
        {"nobody listening", 200, -1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackHttpServer server([&](const HttpRequestRecord&) {
            HttpReply reply = answer(c.status, page);
            reply.claimedLength = c.claimedLength;
            return reply;
        });
        TempFolder folder;
        writeFile(folder.file("a.jpg"), older);
        Client client(c.reachable ? server.port() : closedPort());
        EXPECT_EQ(c.result, client.DownloadHttpFile((folder.windowsPath() + "a.jpg").c_str()));
        EXPECT_EQ(c.result ? page : older, readFile(folder.file("a.jpg")));
        EXPECT_EQ(std::vector<std::string>{"a.jpg"}, folder.names());
    }
}

TEST(VXHttp, FailedDownloadsCreateNoFile)
{
    LoopbackHttpServer server([](const HttpRequestRecord& r) {
        HttpReply reply = answer(r.path == "/short" ? 200 : 404, "partial");
        if (r.path == "/short")
            reply.claimedLength = 5000;
        return reply;
    });
    TempFolder folder;
    for (const char* object : {"/missing", "/short"}) {
        SCOPED_TRACE(object);
        Client client(server.port(), object);
        EXPECT_EQ(0, client.DownloadHttpFile((folder.windowsPath() + "new.jpg").c_str()));
        EXPECT_TRUE(folder.names().empty());
    }
    Client client(server.port(), "/short");
    EXPECT_EQ(0, client.DownloadHttpFile((folder.windowsPath() + "no such folder\\new.jpg").c_str()));
}

TEST(VXHttp, DownloadWithoutARequestFails)
{
    TempFolder folder;
    CVXHttp unconnected;
    EXPECT_EQ(0, unconnected.DownloadHttpFile((folder.windowsPath() + "a.jpg").c_str()));
    EXPECT_TRUE(folder.names().empty());
}

TEST(VXHttp, FileLengthAnswersOnlyForSuccessfulRepliesWithALength)
{
    LoopbackHttpServer server([](const HttpRequestRecord& r) {
        if (r.path == "/moved") {
            HttpReply reply = answer(302, "moved");
            reply.headers = {"Location: /elsewhere"};
            return reply;
        }
        if (r.path == "/missing")
            return answer(404, "not here");
        HttpReply reply = answer(200, std::string(1234, 'x'));
        reply.sendLength = r.path != "/unsized";
        return reply;
    });
    struct Case {
        const char* object;
        unsigned long length;
    } cases[] = {{"/pic.jpg", 1234}, {"/moved", 0}, {"/missing", 0}, {"/unsized", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.object);
        Client client(server.port(), c.object);
        client.m_strResponse = "stale";
        EXPECT_EQ(c.length, client.GetFileLength());
        EXPECT_TRUE(client.m_strResponse.IsEmpty());
    }
    auto seen = server.requests();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ("GET", seen[0].method);
    EXPECT_NE(std::string::npos, seen[0].headers.find("Content-Type: application/x-www-form-urlencoded\r\n"));
}

TEST(VXHttp, PostKeepsTheReplyAsText)
{
    const std::string reply = std::string(3000, 'r') + "end";
    LoopbackHttpServer server([&](const HttpRequestRecord& r) {
        return answer(r.path == "/fail" ? 500 : 200, reply);
    });
    for (const char* object : {"/form.asp", "/fail"}) {
        SCOPED_TRACE(object);
        Client client(server.port(), object);
        client.m_strFormData = "name=a&b=c";
        ASSERT_EQ(1, client.OpenPostHttpFile());
        EXPECT_EQ(1, client.ReadPostHttpFile());
        EXPECT_EQ(reply, std::string(client.m_strResponse));
    }
    auto seen = server.requests();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("POST", seen[0].method);
    EXPECT_EQ("name=a&b=c", seen[0].body);
    EXPECT_NE(std::string::npos, seen[0].headers.find("Content-Type: application/x-www-form-urlencoded\r\n"));
}

TEST(VXHttp, ReplyMemoryFollowsTheDataNotTheClaimedLength)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) {
        HttpReply reply = answer(200, "tiny");
        reply.claimedLength = 4000000000LL;
        return reply;
    });
    Client client(server.port());
    ASSERT_EQ(1, client.OpenPostHttpFile());
    EXPECT_EQ(0, client.ReadPostHttpFile()) << "four bytes of a claimed four billion";
    EXPECT_EQ("tiny", std::string(client.m_strResponse));
}

TEST(VXHttp, PostReplyCutShortOfItsLengthFails)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) {
        HttpReply reply = answer(200, std::string(5000, 'c'));
        reply.claimedLength = 100000;
        return reply;
    });
    Client client(server.port());
    ASSERT_EQ(1, client.OpenPostHttpFile());
    EXPECT_EQ(0, client.ReadPostHttpFile());
    EXPECT_EQ(5000, client.m_strResponse.GetLength()) << "what came is still there to look at";

    Client nobody(1, "/form.asp");
    ASSERT_EQ(1, nobody.OpenPostHttpFile());
    EXPECT_EQ(0, nobody.ReadPostHttpFile()) << "no server, no reply";
}

TEST(VXHttp, RequestFlagsAddTheSecureOnesOnPort443)
{
    Client plain(80), secure(443), other(8443);
    EXPECT_EQ(0x84400100u, plain.RequestFlags());
    EXPECT_EQ(0x84C03100u, secure.RequestFlags());
    EXPECT_EQ(0x84400100u, other.RequestFlags());
}

TEST(VXHttp, ProgressParameterCountsPercentFrom10000To20000)
{
    struct Case {
        uint64_t received, total;
        vxhttp::ProgressUnit unit;
        WPARAM expected;
    } cases[] = {
        {0, 300, vxhttp::PROGRESS_BYTES, 10000},
        {150, 300, vxhttp::PROGRESS_BYTES, 15000},
        {299, 300, vxhttp::PROGRESS_BYTES, 19900},
        {300, 300, vxhttp::PROGRESS_BYTES, 20000},
        {1023, 4096, vxhttp::PROGRESS_KILOBYTES, 10000},  // whole kilobytes only
        {2048, 4096, vxhttp::PROGRESS_KILOBYTES, 15000},
        {4096, 4096, vxhttp::PROGRESS_KILOBYTES, 20000},
        {3000000000ULL, 6000000000ULL, vxhttp::PROGRESS_BYTES, 15000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, vxhttp::ProgressParam(c.received, c.total, c.unit)) << c.received << "/" << c.total;
}

TEST(VXHttp, StatusTextDescribesFiveStates)
{
    char host[] = "127.0.0.1";
    struct Case {
        DWORD status;
        const char* expected;
    } cases[] = {
        {INTERNET_STATUS_RESOLVING_NAME, "Resolving name : 127.0.0.1"},
        {INTERNET_STATUS_NAME_RESOLVED, "Resolved name to  127.0.0.1"},
        {INTERNET_STATUS_CONNECTING_TO_SERVER, "Connecting to 127.0.0.1"},
        {INTERNET_STATUS_CONNECTED_TO_SERVER, "Connected to 127.0.0.1"},
        {INTERNET_STATUS_REDIRECT, "Redirecting to 127.0.0.1"},
        {INTERNET_STATUS_RESPONSE_RECEIVED, ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, vxhttp::StatusText(c.status, host, sizeof host)) << c.status;
    // Information without its terminating zero is cut at its length.
    EXPECT_STREQ("Connected to 127", vxhttp::StatusText(INTERNET_STATUS_CONNECTED_TO_SERVER, host, 3));
    EXPECT_STREQ("Connected to ", vxhttp::StatusText(INTERNET_STATUS_CONNECTED_TO_SERVER, nullptr, 0));
}

TEST(VXHttp, DownloadPostsKilobyteProgressBeforeTheLastPiece)
{
    struct Case {
        const char* name;
        size_t size;
        bool sendLength;
        size_t chunkBytes;
        size_t fewest;  // messages at least
    } cases[] = {
        {"whole in the first read", 300, true, 0, 0},
        {"in pieces with a length", 200000, true, 50000, 3},  // a read takes at most 64 KB
        {"without a length", 200000, false, 50000, 0},
    };
    HWND window = mivo::test::CreateTestWindow("progress", WS_POPUP, 0, 0, 10, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string object = binaryObject(c.size);
        LoopbackHttpServer server([&](const HttpRequestRecord&) {
            HttpReply reply = answer(200, object);
            reply.sendLength = c.sendLength;
            reply.chunkBytes = c.chunkBytes;
            reply.chunkDelayMs = c.chunkBytes ? 10 : 0;
            return reply;
        });
        TempFolder folder;
        Client client(server.port());
        client.SetTargetWindow(window);
        EXPECT_EQ(1, client.DownloadHttpFile((folder.windowsPath() + "a.jpg").c_str()));
        EXPECT_EQ(object, readFile(folder.file("a.jpg")));
        std::vector<WPARAM> progress = takeProgress(window);
        EXPECT_GE(progress.size(), c.fewest);
        if (!c.sendLength || c.fewest == 0) {
            EXPECT_TRUE(progress.empty());
        }
        expectProgressSteps(progress, 19900);
    }
    DestroyWindow(window);
}

TEST(VXHttp, PostReplyProgressCountsKilobytesFrom1024Bytes)
{
    HWND window = mivo::test::CreateTestWindow("progress", WS_POPUP, 0, 0, 10, 10);
    struct Case {
        size_t size;
        bool sendLength;
        bool posts;
    } cases[] = {{1000, true, false}, {3000, true, true}, {3000, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        LoopbackHttpServer server([&](const HttpRequestRecord&) {
            HttpReply reply = answer(200, std::string(c.size, 'r'));
            reply.sendLength = c.sendLength;
            return reply;
        });
        Client client(server.port());
        client.SetTargetWindow(window);
        ASSERT_EQ(1, client.OpenPostHttpFile());
        EXPECT_EQ(1, client.ReadPostHttpFile());
        EXPECT_EQ(c.size, (size_t)client.m_strResponse.GetLength());
        std::vector<WPARAM> progress = takeProgress(window);
        EXPECT_EQ(c.posts, !progress.empty());
        if (c.posts) {
            EXPECT_EQ(20000u, progress.back());
        }
        expectProgressSteps(progress, 20000);
    }
    DestroyWindow(window);
}
