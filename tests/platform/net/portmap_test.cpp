// MIVO_HTTP_PORT_MAP: where the socket of an HTTP connection goes, read when the connection is
// made; the URL and the Host header keep what the program asked for.
#include <gtest/gtest.h>

#include "mfc.h"
#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

using mivotest::HttpReply;
using mivotest::HttpRequestRecord;
using mivotest::LoopbackHttpServer;

namespace {

// A loopback port nobody listens on: bound, then let go.
int ClosedPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, (sockaddr*)&addr, sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(fd, (sockaddr*)&addr, &len);
    close(fd);
    return ntohs(addr.sin_port);
}

class ScopedMap {
public:
    explicit ScopedMap(const std::string& map) { setenv("MIVO_HTTP_PORT_MAP", map.c_str(), 1); }
    ~ScopedMap() { unsetenv("MIVO_HTTP_PORT_MAP"); }
};

struct Session {
    HINTERNET session = InternetOpen("MivoTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ~Session() { InternetCloseHandle(session); }

    HINTERNET connect(const char* host, int port)
    {
        return InternetConnect(session, host, (INTERNET_PORT)port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    }
};

// Sends one GET on the connection; the reply's body, or "<failed>".
std::string Get(HINTERNET connection, const char* path)
{
    HINTERNET request = HttpOpenRequest(connection, "GET", path, "HTTP/1.1", nullptr, nullptr, 0, 0);
    std::string out = "<failed>";
    if (request && HttpSendRequest(request, nullptr, 0, nullptr, 0)) {
        out.clear();
        char buffer[64];
        DWORD got = 0;
        while (InternetReadFile(request, buffer, sizeof buffer, &got) && got > 0)
            out.append(buffer, got);
    }
    InternetCloseHandle(request);
    return out;
}

std::string HostHeader(const HttpRequestRecord& r)
{
    size_t at = r.headers.find("Host: ");
    return at == std::string::npos ? "" : r.headers.substr(at + 6, r.headers.find("\r\n", at) - at - 6);
}

}  // namespace

TEST(HttpPortMap, MappedConnectionReachesTheStandInWithTheProgramsHostAndPath)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) {
        HttpReply r;
        r.body = "stand-in";
        return r;
    });
    int closed = ClosedPort();
    Session s;
    ScopedMap map("127.0.0.1:" + std::to_string(closed) + "=127.0.0.1:" + std::to_string(server.port()));
    HINTERNET c = s.connect("127.0.0.1", closed);
    EXPECT_EQ("stand-in", Get(c, "/wdbc/wdbc_sel.asp"));
    InternetCloseHandle(c);
    ASSERT_EQ(1u, server.requests().size());
    EXPECT_EQ("/wdbc/wdbc_sel.asp", server.requests()[0].path);
    EXPECT_EQ("127.0.0.1:" + std::to_string(closed), HostHeader(server.requests()[0]));
}

TEST(HttpPortMap, PortEightyKeepsAHostHeaderWithoutPort)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) { return HttpReply(); });
    Session s;
    ScopedMap map("LOCALHOST:80=127.0.0.1:" + std::to_string(server.port()));
    HINTERNET c = s.connect("localhost", 80);
    EXPECT_EQ("", Get(c, "/x"));
    InternetCloseHandle(c);
    ASSERT_EQ(1u, server.requests().size());
    EXPECT_EQ("localhost", HostHeader(server.requests()[0]));
}

TEST(HttpPortMap, BadEntriesAreSkippedAndOnlyTheNamedHostAndPortMove)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) {
        HttpReply r;
        r.body = "ok";
        return r;
    });
    const std::string closed = std::to_string(ClosedPort());
    const std::string to = "127.0.0.1:" + std::to_string(server.port());
    const struct {
        std::string map;
        bool reaches;
    } cases[] = {
        {"127.0.0.1:" + closed + "=" + to, true},
        {" 127.0.0.1:" + closed + " = " + to + " ", true},
        {"garbage,=,:1=:2,127.0.0.1:" + closed + "=" + to, true},
        {"127.0.0.1:" + closed + "=127.0.0.1:99999," + "127.0.0.1:" + closed + "=" + to, true},
        {"127.0.0.1:" + closed + "=" + to + "=" + to, false},
        {"127.0.0.1:" + closed + "=127.0.0.1", false},
        {"127.0.0.1:" + closed + "=127.0.0.1:0", false},
        {"127.0.0.1:" + closed + "=127.0.0.1:12ab", false},
        {"127.0.0.1:" + closed + "=127.0.0.1:1:2", false},
        {"127.0.0.1:" + closed + "=h/st:80", false},
        {"127.0.0.2:" + closed + "=" + to, false},
        {"127.0.0.1:" + std::to_string(server.port() ^ 1) + "=" + to, false},
        {"", false},
    };
    for (const auto& c : cases) {
        ScopedMap map(c.map);
        Session s;
        HINTERNET connection = s.connect("127.0.0.1", std::stoi(closed));
        EXPECT_EQ(c.reaches ? "ok" : "<failed>", Get(connection, "/")) << c.map;
        InternetCloseHandle(connection);
    }
}

TEST(HttpPortMap, TheMapIsReadWhenTheConnectionIsMade)
{
    LoopbackHttpServer server([](const HttpRequestRecord&) {
        HttpReply r;
        r.body = "ok";
        return r;
    });
    int closed = ClosedPort();
    Session s;
    HINTERNET before = s.connect("127.0.0.1", closed);
    HINTERNET after;
    {
        ScopedMap map("127.0.0.1:" + std::to_string(closed) + "=127.0.0.1:" + std::to_string(server.port()));
        after = s.connect("127.0.0.1", closed);
        EXPECT_EQ("<failed>", Get(before, "/"));
    }
    // The mapped connection keeps its target after the map is gone.
    EXPECT_EQ("ok", Get(after, "/"));
    EXPECT_EQ("ok", Get(after, "/again"));
    InternetCloseHandle(before);
    InternetCloseHandle(after);
}
