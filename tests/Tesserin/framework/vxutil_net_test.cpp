// The network probe against a fake "ICMP.DLL" and host names answered by the look-up hook:
// nothing leaves the machine and no name server is asked.
#include <gtest/gtest.h>

#include "framework/VXUtil.h"
#include "mivo/modules.h"
#include "mivo/testing/net.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t Address(const char* dotted)
{
    return inet_addr(dotted);
}

// The own host name and one outside name answered by the hook; everything else unknown.
class HostTable {
public:
    explicit HostTable(std::vector<std::string> ownAddresses) : m_own(std::move(ownAddresses))
    {
        char name[128] = "";
        gethostname(name, sizeof name);
        std::string own = name;
        mivo::SetHostResolver([own, listed = m_own](const std::string& asked, std::vector<uint32_t>& out) {
            if (asked == own) {
                for (const std::string& a : listed)
                    out.push_back(Address(a.c_str()));
                return !out.empty();
            }
            if (asked == "photo.example") {
                out.push_back(Address("203.0.113.7"));
                return true;
            }
            return false;
        });
    }
    ~HostTable() { mivo::SetHostResolver(nullptr); }

private:
    std::vector<std::string> m_own;
};

// What the fake module saw and how it answers.
struct FakeEcho {
    enum Answer { kReply, kSilence, kNoHandle };
    static Answer answer;
    static int opened, closed, sent;
    static IPAddr destination;
    static std::vector<BYTE> request;
    static DWORD timeout, replySize;

    static void Reset(Answer a)
    {
        answer = a;
        opened = closed = sent = 0;
        destination = 0;
        request.clear();
        timeout = replySize = 0;
    }
    static HANDLE WINAPI Create()
    {
        if (answer == kNoHandle)
            return INVALID_HANDLE_VALUE;
        ++opened;
        return (HANDLE)&opened;
    }
    static BOOL WINAPI Close(HANDLE)
    {
        ++closed;
        return TRUE;
    }
    static DWORD WINAPI Send(HANDLE, IPAddr to, LPVOID data, WORD size, PIP_OPTION_INFORMATION, LPVOID reply,
                             DWORD replyBytes, DWORD waitMs)
    {
        ++sent;
        destination = to;
        request.assign((BYTE*)data, (BYTE*)data + size);
        timeout = waitMs;
        replySize = replyBytes;
        if (answer != kReply)
            return 0;
        auto* r = (ICMP_ECHO_REPLY*)reply;
        memset(r, 0, sizeof *r);
        r->Address = to;
        r->RoundTripTime = 7;
        return 1;
    }
};
FakeEcho::Answer FakeEcho::answer = FakeEcho::kReply;
int FakeEcho::opened = 0, FakeEcho::closed = 0, FakeEcho::sent = 0;
IPAddr FakeEcho::destination = 0;
std::vector<BYTE> FakeEcho::request;
DWORD FakeEcho::timeout = 0, FakeEcho::replySize = 0;

class VXUtilPing : public ::testing::Test {
protected:
    void SetUp() override { mivo::WithdrawEchoModule(true); }
    void TearDown() override
    {
        if (fake)
            mivo::UnregisterInProcessModule(fake);
        mivo::WithdrawEchoModule(false);
    }
    void RegisterFake(bool withSend = true)
    {
        mivo::ExportMap exports = {{"IcmpCreateFile", (void*)&FakeEcho::Create},
                                   {"IcmpCloseHandle", (void*)&FakeEcho::Close}};
        if (withSend)
            exports["IcmpSendEcho"] = (void*)&FakeEcho::Send;
        fake = mivo::RegisterInProcessModule("ICMP.DLL", exports);
        ASSERT_NE(nullptr, fake);
    }

    HostTable hosts{{"192.168.1.5"}};
    HMODULE fake = nullptr;
};

}  // namespace

TEST_F(VXUtilPing, WithoutTheModuleTheAnswerIsTwo)
{
    EXPECT_EQ(2, PINGTest("photo.example"));
    EXPECT_EQ(2, PINGTest("nowhere.example"));
}

TEST_F(VXUtilPing, OneEchoOfEightyBytesWithinTwoSeconds)
{
    RegisterFake();
    FakeEcho::Reset(FakeEcho::kReply);
    EXPECT_EQ(263, PINGTest("photo.example"));
    EXPECT_EQ(1, FakeEcho::sent);
    EXPECT_EQ(Address("203.0.113.7"), FakeEcho::destination);
    EXPECT_EQ(std::vector<BYTE>(80, 0xAA), FakeEcho::request);
    EXPECT_EQ(2000u, FakeEcho::timeout);
    EXPECT_GE(FakeEcho::replySize, sizeof(ICMP_ECHO_REPLY) + 80);
    EXPECT_EQ(FakeEcho::opened, FakeEcho::closed);
}

TEST_F(VXUtilPing, FailuresAreThreeForTheNameAndZeroForTheRest)
{
    RegisterFake();
    const struct {
        const char* name;
        FakeEcho::Answer answer;
        const char* host;
        int result;
        int sent;
    } cases[] = {
        {"no reply", FakeEcho::kSilence, "photo.example", 0, 1},
        {"no handle", FakeEcho::kNoHandle, "photo.example", 0, 0},
        {"unknown name", FakeEcho::kReply, "nowhere.example", 3, 0},
        {"dotted address", FakeEcho::kReply, "127.0.0.1", 263, 1},
    };
    for (const auto& c : cases) {
        FakeEcho::Reset(c.answer);
        EXPECT_EQ(c.result, PINGTest(c.host)) << c.name;
        EXPECT_EQ(c.sent, FakeEcho::sent) << c.name;
        EXPECT_EQ(FakeEcho::opened, FakeEcho::closed) << c.name;
    }
}

TEST_F(VXUtilPing, AModuleWithoutTheSendCallAnswersZero)
{
    RegisterFake(false);
    FakeEcho::Reset(FakeEcho::kReply);
    EXPECT_EQ(0, PINGTest("photo.example"));
    EXPECT_EQ(0, FakeEcho::opened);
}

TEST(VXUtilNet, PublicAddressesOfTheOwnHostCount)
{
    const struct {
        std::vector<std::string> addresses;
        int connected;
    } cases[] = {
        {{"192.168.1.5", "127.0.0.1"}, 0},
        {{"192.168.1.5", "127.0.0.1", "203.0.113.7"}, 1},
        {{"172.15.0.1"}, 1},
        {{"172.16.0.1"}, 0},
        {{"172.31.255.1"}, 0},
        {{"172.32.0.1"}, 1},
        {{"10.1.2.3", "169.254.7.7"}, 0},
        {{"169.253.0.1"}, 1},
        {{"127.0.0.1"}, 0},
        {{"127.0.1.1"}, 1},
    };
    for (const auto& c : cases) {
        HostTable hosts(c.addresses);
        EXPECT_EQ(c.connected, IsInternetConnected()) << c.addresses.back();
    }
}

TEST(VXUtilNet, FindUserIPAddressGivesTheFirstAddress)
{
    {
        HostTable hosts({"10.0.0.7", "203.0.113.7"});
        char out[32] = "x";
        EXPECT_STREQ("10.0.0.7", FindUserIPAddress(out));
    }
    // Without the hook the own name lists the interfaces, never the hosts file's 127.0.1.1.
    char out[32] = "x";
    FindUserIPAddress(out);
    EXPECT_STRNE("127.0.1.1", out);
    EXPECT_NE(INADDR_NONE, inet_addr(out)) << out;
}
