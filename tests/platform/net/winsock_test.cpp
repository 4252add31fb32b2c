// Windows Sockets over the system's: host names, errors, and events told to a window.
#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/testing/net.h"
#include "support/MessageLoop.h"

#include <ifaddrs.h>
#include <net/if.h>

#include <string>
#include <vector>

using mivo::test::PumpUntil;

namespace {

std::string Dotted(const char* bytes)
{
    const auto* b = (const unsigned char*)bytes;
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]);
}

std::vector<std::string> Addresses(const hostent* h)
{
    std::vector<std::string> out;
    for (int i = 0; h && h->h_addr_list[i]; ++i)
        out.push_back(Dotted(h->h_addr_list[i]));
    return out;
}

struct ResolverFixture : ::testing::Test {
    void SetUp() override
    {
        mivo::SetHostResolver([](const std::string& name, std::vector<uint32_t>& out) {
            if (name != "photo.example")
                return false;
            out.push_back(inet_addr("203.0.113.7"));
            out.push_back(inet_addr("198.51.100.2"));
            return true;
        });
    }
    void TearDown() override { mivo::SetHostResolver(nullptr); }
};

}  // namespace

TEST(WinsockHostNames, OwnNameListsTheInterfaceAddresses)
{
    char name[128] = {};
    ASSERT_EQ(0, gethostname(name, (int)sizeof name));
    hostent* h = gethostbyname(name);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(AF_INET, h->h_addrtype);
    EXPECT_EQ(4, h->h_length);

    std::vector<std::string> expected;
    ifaddrs* list = nullptr;
    ASSERT_EQ(0, getifaddrs(&list));
    for (ifaddrs* i = list; i; i = i->ifa_next)
        if (i->ifa_addr && i->ifa_addr->sa_family == AF_INET && (i->ifa_flags & IFF_UP) &&
            !(i->ifa_flags & IFF_LOOPBACK))
            expected.push_back(Dotted((const char*)&((sockaddr_in*)i->ifa_addr)->sin_addr));
    freeifaddrs(list);
    if (expected.empty())
        expected.push_back("127.0.0.1");
    EXPECT_EQ(expected, Addresses(h));
}

TEST(WinsockHostNames, NameTooLongForTheBufferFails)
{
    char name[1];
    EXPECT_EQ(SOCKET_ERROR, gethostname(name, 1));
    EXPECT_EQ(WSAEFAULT, WSAGetLastError());
}

TEST_F(ResolverFixture, NamesGoThroughTheResolverAndDottedAddressesStandForThemselves)
{
    struct Case {
        const char* name;
        std::vector<std::string> addresses;
    } cases[] = {
        {"photo.example", {"203.0.113.7", "198.51.100.2"}},
        {"10.1.2.3", {"10.1.2.3"}},
        {"127.0.0.1", {"127.0.0.1"}},
    };
    for (const Case& c : cases) {
        hostent* h = gethostbyname(c.name);
        ASSERT_NE(h, nullptr) << c.name;
        EXPECT_STREQ(c.name, h->h_name);
        EXPECT_EQ(c.addresses, Addresses(h)) << c.name;
    }
}

TEST_F(ResolverFixture, UnknownNameIsHostNotFound)
{
    EXPECT_EQ(nullptr, gethostbyname("nowhere.example"));
    EXPECT_EQ(WSAHOST_NOT_FOUND, WSAGetLastError());
}

TEST(WinsockHostNames, TheHookMayAnswerForTheOwnNameAndElseTheInterfacesStay)
{
    char name[128] = {};
    ASSERT_EQ(0, gethostname(name, (int)sizeof name));
    const std::vector<std::string> interfaces = Addresses(gethostbyname(name));
    const std::string own = name;
    mivo::SetHostResolver([own](const std::string& asked, std::vector<uint32_t>& out) {
        if (asked != own)
            return false;
        out.push_back(inet_addr("192.168.1.5"));
        out.push_back(inet_addr("127.0.1.1"));
        return true;
    });
    EXPECT_EQ((std::vector<std::string>{"192.168.1.5", "127.0.1.1"}), Addresses(gethostbyname(name)));
    EXPECT_EQ((std::vector<std::string>{"192.168.1.5", "127.0.1.1"}), Addresses(gethostbyname("")));
    mivo::SetHostResolver([](const std::string&, std::vector<uint32_t>&) { return false; });
    EXPECT_EQ(interfaces, Addresses(gethostbyname(name)));
    mivo::SetHostResolver(nullptr);
}

TEST(WinsockCalls, StaleHandlesFailWithNotASocket)
{
    SOCKET s = WSASocket(AF_INET, SOCK_STREAM, 0);
    ASSERT_NE(INVALID_SOCKET, s);
    EXPECT_EQ(0, closesocket(s));
    char b;
    EXPECT_EQ(SOCKET_ERROR, recv(s, &b, 1, 0));
    EXPECT_EQ(WSAENOTSOCK, WSAGetLastError());
    EXPECT_EQ(SOCKET_ERROR, closesocket(s));
    EXPECT_EQ(WSAENOTSOCK, WSAGetLastError());
    SOCKET again = WSASocket(AF_INET, SOCK_STREAM, 0);
    EXPECT_NE(s, again);  // a closed handle never comes back
    closesocket(again);
}

TEST(WinsockCalls, ConnectingToAClosedPortIsRefused)
{
    SOCKET probe = WSASocket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    ASSERT_EQ(0, bind(probe, (sockaddr*)&a, (int)sizeof a));
    int len = sizeof a;
    ASSERT_EQ(0, getsockname(probe, (sockaddr*)&a, &len));
    closesocket(probe);  // the port is now free and nobody listens

    SOCKET s = WSASocket(AF_INET, SOCK_STREAM, 0);
    EXPECT_EQ(SOCKET_ERROR, connect(s, (sockaddr*)&a, (int)sizeof a));
    EXPECT_EQ(WSAECONNREFUSED, WSAGetLastError());
    closesocket(s);
}

namespace {

const UINT kSocketMessage = WM_APP + 7;

struct Notice {
    SOCKET socket;
    int event;
    int error;
};

std::vector<Notice>* g_notices;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kSocketMessage) {
        g_notices->push_back(Notice{(SOCKET)wParam, WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam)});
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct SelectFixture : ::testing::Test {
    std::vector<Notice> notices;
    HWND window = nullptr;

    void SetUp() override
    {
        g_notices = &notices;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = "WinsockNoticeRecorder";
        RegisterClassA(&wc);
        window = CreateWindowA("WinsockNoticeRecorder", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    bool Told(SOCKET s, int event)
    {
        return PumpUntil([&] {
            for (const Notice& n : notices)
                if (n.socket == s && n.event == event)
                    return true;
            return false;
        });
    }
    int Count(SOCKET s, int event)
    {
        int n = 0;
        for (const Notice& x : notices)
            n += x.socket == s && x.event == event;
        return n;
    }
};

sockaddr_in Loopback(SOCKET listener)
{
    sockaddr_in a = {};
    int len = sizeof a;
    getsockname(listener, (sockaddr*)&a, &len);
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    return a;
}

SOCKET Listener()
{
    SOCKET s = WSASocket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    bind(s, (sockaddr*)&a, (int)sizeof a);
    listen(s, 5);
    return s;
}

}  // namespace

TEST_F(SelectFixture, EventsAreToldOnceUntilTheCallThatReEnablesThem)
{
    SOCKET listener = Listener();
    ASSERT_EQ(0, WSAAsyncSelect(listener, window, kSocketMessage, FD_ACCEPT));
    SOCKET client = WSASocket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(0, WSAAsyncSelect(client, window, kSocketMessage, FD_CONNECT | FD_WRITE | FD_READ | FD_CLOSE));
    sockaddr_in a = Loopback(listener);
    int rc = connect(client, (sockaddr*)&a, (int)sizeof a);
    EXPECT_TRUE(rc == 0 || WSAGetLastError() == WSAEWOULDBLOCK);

    ASSERT_TRUE(Told(listener, FD_ACCEPT));
    ASSERT_TRUE(Told(client, FD_CONNECT));
    ASSERT_TRUE(Told(client, FD_WRITE));
    SOCKET server = accept(listener, nullptr, nullptr);
    ASSERT_NE(INVALID_SOCKET, server);
    EXPECT_EQ(1, Count(listener, FD_ACCEPT));

    ASSERT_EQ(3, send(server, "abc", 3, 0));
    ASSERT_EQ(3, send(server, "def", 3, 0));
    ASSERT_TRUE(Told(client, FD_READ));
    mivo::test::PumpUntilIdle();
    EXPECT_EQ(1, Count(client, FD_READ));  // told once, though more came
    char buffer[2];
    ASSERT_EQ(2, recv(client, buffer, 2, 0));
    ASSERT_TRUE(PumpUntil([&] { return Count(client, FD_READ) == 2; }));  // re-enabled: more is waiting

    char rest[16];
    EXPECT_EQ(4, recv(client, rest, sizeof rest, 0));
    EXPECT_EQ(SOCKET_ERROR, recv(client, rest, sizeof rest, 0));
    EXPECT_EQ(WSAEWOULDBLOCK, WSAGetLastError());

    closesocket(server);
    ASSERT_TRUE(Told(client, FD_CLOSE));
    EXPECT_EQ(0, recv(client, rest, sizeof rest, 0));
    closesocket(client);
    closesocket(listener);
}
