#include <gtest/gtest.h>

#include "mfc.h"
#include "support/LoopbackHttpServer.h"

#include <cstdlib>
#include <string>

using mivotest::HttpReply;
using mivotest::HttpRequestRecord;
using mivotest::LoopbackHttpServer;

namespace {

const char* kForm = "Content-Type: application/x-www-form-urlencoded";

struct Client {
    HINTERNET session = InternetOpen("MivoTest", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = nullptr;

    explicit Client(int port)
    {
        connection = InternetConnect(session, "127.0.0.1", (INTERNET_PORT)port, nullptr, nullptr,
                                     INTERNET_SERVICE_HTTP, 0, 0);
    }
    ~Client()
    {
        InternetCloseHandle(connection);
        InternetCloseHandle(session);
    }

    HINTERNET send(const char* verb, const char* path, const std::string& body = "")
    {
        const char* accept[] = {"*/*", nullptr};
        HINTERNET request = HttpOpenRequest(connection, verb, path, "HTTP/1.1", nullptr, accept, 0x84400100, 0);
        if (!HttpSendRequest(request, kForm, 47, body.empty() ? nullptr : (LPVOID)body.data(), (DWORD)body.size())) {
            InternetCloseHandle(request);
            return nullptr;
        }
        return request;
    }

    static std::string readAll(HINTERNET request, DWORD piece = 7)
    {
        std::string out;
        char buffer[64];
        DWORD got = 0;
        while (InternetReadFile(request, buffer, piece, &got) && got > 0)
            out.append(buffer, got);
        return out;
    }
};

HttpReply answer(int status, const std::string& body)
{
    HttpReply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

std::string queryText(HINTERNET request, DWORD level)
{
    char buffer[64];
    DWORD length = sizeof buffer;
    return HttpQueryInfo(request, level, buffer, &length, nullptr) ? std::string(buffer, length) : "<none>";
}

}  // namespace

TEST(WinInet, PostSendsTheHeaderAndBodyAsGiven)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) { return answer(200, "a~/b~|"); });
    Client client(server.port());
    HINTERNET request = client.send("POST", "/wdbc/wdbc_sel.asp", "DBSP=P&a=1");
    ASSERT_NE(nullptr, request);
    EXPECT_EQ("200", queryText(request, HTTP_QUERY_STATUS_CODE));
    EXPECT_EQ("6", queryText(request, HTTP_QUERY_CONTENT_LENGTH));
    DWORD status = 0, size = sizeof status;
    ASSERT_TRUE(HttpQueryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr));
    EXPECT_EQ(200u, status);
    EXPECT_EQ("a~/b~|", Client::readAll(request));
    InternetCloseHandle(request);

    auto seen = server.requests();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("POST", seen[0].method);
    EXPECT_EQ("/wdbc/wdbc_sel.asp", seen[0].path);
    EXPECT_EQ("DBSP=P&a=1", seen[0].body);
    EXPECT_NE(std::string::npos, seen[0].headers.find(kForm));
    EXPECT_EQ(std::string::npos, seen[0].headers.find("Expect"));
    EXPECT_NE(std::string::npos, seen[0].headers.find("User-Agent: MivoTest"));
}

TEST(WinInet, GetMayCarryABodyAndRequestsShareTheConnection)
{
    LoopbackHttpServer server([](const HttpRequestRecord& r) { return answer(200, "got " + r.body); });
    Client client(server.port());
    for (int i = 0; i < 3; ++i) {
        HINTERNET request = client.send("GET", "/file.jpg", "x=1");
        ASSERT_NE(nullptr, request);
        EXPECT_EQ("got x=1", Client::readAll(request));
        InternetCloseHandle(request);
    }
    auto seen = server.requests();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("GET", seen[0].method);
    EXPECT_EQ("x=1", seen[0].body);
    EXPECT_EQ(seen[0].connection, seen[2].connection);
}

TEST(WinInet, RepliesWithoutLengthSlowOrRedirectedArriveAsSent)
{
    std::string big(200000, 'q');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = (char)('a' + i % 26);
    LoopbackHttpServer server([&](const HttpRequestRecord& r) {
        HttpReply reply = answer(404, "<html>missing</html>");
        if (r.path == "/nolength") {
            reply = answer(200, big);
            reply.sendLength = false;
        } else if (r.path == "/slow") {
            reply = answer(200, "slowly");
            reply.chunkBytes = 2;
            reply.chunkDelayMs = 20;
        } else if (r.path == "/moved") {
            reply = answer(302, "moved");
            reply.headers = {"Location: /elsewhere"};
        }
        return reply;
    });
    Client client(server.port());

    HINTERNET request = client.send("GET", "/nolength");
    ASSERT_NE(nullptr, request);
    EXPECT_EQ("<none>", queryText(request, HTTP_QUERY_CONTENT_LENGTH));
    EXPECT_EQ(ERROR_HTTP_HEADER_NOT_FOUND, GetLastError());
    EXPECT_EQ(big, Client::readAll(request, 64));
    InternetCloseHandle(request);

    request = client.send("GET", "/slow");
    EXPECT_EQ("slowly", Client::readAll(request, 64));
    InternetCloseHandle(request);

    request = client.send("GET", "/moved");
    EXPECT_EQ("302", queryText(request, HTTP_QUERY_STATUS_CODE));
    EXPECT_EQ("/elsewhere", queryText(request, HTTP_QUERY_LOCATION));
    EXPECT_EQ("moved", Client::readAll(request));
    InternetCloseHandle(request);
    EXPECT_EQ(3u, server.requests().size());  // the redirect was not followed

    request = client.send("GET", "/other");
    EXPECT_EQ("404", queryText(request, HTTP_QUERY_STATUS_CODE));
    InternetCloseHandle(request);
}

TEST(WinInet, FailuresAreReportedAndHandlesChecked)
{
    int closedPort;
    {
        LoopbackHttpServer server([](const HttpRequestRecord&) { return answer(200, ""); });
        closedPort = server.port();
    }
    Client client(closedPort);
    SetLastError(0);
    EXPECT_EQ(nullptr, client.send("GET", "/"));
    EXPECT_EQ(ERROR_INTERNET_CANNOT_CONNECT, GetLastError());

    char buffer[8];
    DWORD got = 1;
    EXPECT_FALSE(InternetReadFile((HINTERNET)0x12345, buffer, sizeof buffer, &got));
    EXPECT_EQ(0u, got);
    EXPECT_FALSE(InternetCloseHandle((HINTERNET)0x12345));
    EXPECT_EQ(nullptr, InternetConnect((HINTERNET)0x12345, "127.0.0.1", 80, nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0));
}

namespace {

// Sets an environment variable for the test's lifetime; unset when `value` is null.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (old)
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name, m_old;
    bool m_had = false;
};

// One GET through a session opened with the given access type; the reply's body.
std::string fetchThrough(DWORD access, const char* proxy, const char* bypass, int port)
{
    HINTERNET session = InternetOpen("MivoTest", access, proxy, bypass, 0);
    if (!session)
        return "<no session>";
    HINTERNET connection =
        InternetConnect(session, "127.0.0.1", (INTERNET_PORT)port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET request = HttpOpenRequest(connection, "GET", "/photo.jpg", "HTTP/1.1", nullptr, nullptr, 0, 0);
    std::string body = HttpSendRequest(request, nullptr, 0, nullptr, 0) ? Client::readAll(request) : "<failed>";
    InternetCloseHandle(request);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    return body;
}

}  // namespace

TEST(WinInet, SessionsHonourTheirAccessType)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) { return answer(200, "server"); });
    LoopbackHttpServer proxy([](const HttpRequestRecord&) { return answer(200, "proxy"); });
    std::string viaEnvironment = "http://127.0.0.1:" + std::to_string(proxy.port());
    ScopedEnv httpProxy("http_proxy", viaEnvironment.c_str());
    ScopedEnv noProxy("no_proxy", nullptr);
    ScopedEnv noProxyUpper("NO_PROXY", nullptr);
    std::string given = "127.0.0.1:" + std::to_string(proxy.port());

    EXPECT_EQ("server", fetchThrough(INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, server.port()))
        << "DIRECT ignores the environment's proxy";
    EXPECT_EQ(0u, proxy.requests().size());
    EXPECT_EQ("proxy", fetchThrough(INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, server.port()))
        << "PRECONFIG takes the desktop's setting";
    ASSERT_EQ(1u, proxy.requests().size());
    EXPECT_EQ("http://127.0.0.1:" + std::to_string(server.port()) + "/photo.jpg", proxy.requests()[0].path);

    {
        ScopedEnv none("http_proxy", nullptr);
        EXPECT_EQ("proxy", fetchThrough(INTERNET_OPEN_TYPE_PROXY, given.c_str(), nullptr, server.port()))
            << "PROXY uses the one given";
        std::string perScheme = "https=127.0.0.1:1 http=" + given;
        EXPECT_EQ("proxy", fetchThrough(INTERNET_OPEN_TYPE_PROXY, perScheme.c_str(), nullptr, server.port()));
        EXPECT_EQ("server", fetchThrough(INTERNET_OPEN_TYPE_PROXY, given.c_str(), "<local>;*.example.com",
                                         server.port()))
            << "the bypass list";
    }
    EXPECT_EQ(3u, proxy.requests().size());

    SetLastError(0);
    EXPECT_EQ(nullptr, InternetOpen("MivoTest", INTERNET_OPEN_TYPE_PROXY, nullptr, nullptr, 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(nullptr, InternetOpen("MivoTest", 2, nullptr, nullptr, 0));
}
