// The "ICMP.DLL" module: echo requests as a reachability test calls them, with a transport
// that answers in place of the network, and over the system's ping sockets where allowed.
#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/modules.h"
#include "mivo/testing/net.h"

#include <cstring>
#include <vector>

namespace {

struct Icmp {
    HMODULE module = LoadLibraryA("ICMP.DLL");
    PFN_IcmpCreateFile create = nullptr;
    PFN_IcmpSendEcho echo = nullptr;
    PFN_IcmpCloseHandle close = nullptr;

    Icmp()
    {
        if (!module)
            return;
        create = (PFN_IcmpCreateFile)(void*)GetProcAddress(module, "IcmpCreateFile");
        echo = (PFN_IcmpSendEcho)(void*)GetProcAddress(module, "IcmpSendEcho");
        close = (PFN_IcmpCloseHandle)(void*)GetProcAddress(module, "IcmpCloseHandle");
    }
    ~Icmp()
    {
        if (module)
            FreeLibrary(module);
    }

    // One echo of 80 bytes 0xAA into a 108-byte buffer; the answer of IcmpSendEcho.
    DWORD Ping(const char* address, unsigned char (&reply)[108])
    {
        HANDLE h = create();
        EXPECT_NE(INVALID_HANDLE_VALUE, h);
        unsigned char request[80];
        memset(request, 0xAA, sizeof request);
        DWORD n = echo(h, inet_addr(address), request, sizeof request, nullptr, reply, sizeof reply, 2000);
        EXPECT_TRUE(close(h));
        return n;
    }
};

// Answers like the network: the request turned into a reply, then changed by `damage`.
struct FakeNetwork {
    std::vector<uint8_t> (*damage)(std::vector<uint8_t>) = nullptr;

    mivo::EchoTransport Transport()
    {
        auto damage = this->damage;
        return [damage](uint32_t, const std::vector<uint8_t>& request, unsigned, std::vector<uint8_t>& reply) {
            reply = request;
            reply[0] = 0;  // echo reply
            if (damage)
                reply = damage(reply);
            return true;
        };
    }
};

struct FakeFixture : ::testing::Test {
    void TearDown() override { mivo::SetEchoTransport(nullptr); }
};

}  // namespace

TEST_F(FakeFixture, EchoIntoTheSmallBufferKeepsWhatFitsAfterTheRecord)
{
    FakeNetwork net;
    mivo::SetEchoTransport(net.Transport());
    Icmp icmp;
    ASSERT_NE(icmp.module, nullptr);
    ASSERT_TRUE(icmp.create && icmp.echo && icmp.close);
    unsigned char reply[108];
    ASSERT_EQ(1u, icmp.Ping("127.0.0.1", reply));
    const auto* r = (const ICMP_ECHO_REPLY*)reply;
    EXPECT_EQ(40u, sizeof(ICMP_ECHO_REPLY));
    EXPECT_EQ((ULONG)IP_SUCCESS, r->Status);
    EXPECT_EQ(inet_addr("127.0.0.1"), r->Address);
    EXPECT_LT(r->RoundTripTime, 2000u);
    EXPECT_EQ(108u - 40u, r->DataSize);
    EXPECT_EQ((void*)(reply + 40), r->Data);
    for (int i = 40; i < 108; ++i)
        ASSERT_EQ(0xAA, reply[i]) << i;
}

TEST_F(FakeFixture, DamagedOrForeignRepliesCountAsNoAnswer)
{
    std::vector<uint8_t> (*cases[])(std::vector<uint8_t>) = {
        [](std::vector<uint8_t>) { return std::vector<uint8_t>(); },
        [](std::vector<uint8_t> r) { return std::vector<uint8_t>(r.begin(), r.begin() + 7); },
        [](std::vector<uint8_t> r) { r[0] = 3; return r; },    // destination unreachable
        [](std::vector<uint8_t> r) { r[0] = 8; return r; },    // our own request
        [](std::vector<uint8_t> r) { r[7] ^= 0xFF; return r; },  // another request's sequence
        [](std::vector<uint8_t> r) { r[1] = 9; return r; },
    };
    for (auto damage : cases) {
        FakeNetwork net;
        net.damage = damage;
        mivo::SetEchoTransport(net.Transport());
        Icmp icmp;
        unsigned char reply[108];
        EXPECT_EQ(0u, icmp.Ping("127.0.0.1", reply));
        EXPECT_EQ((DWORD)IP_REQ_TIMED_OUT, GetLastError());
    }
}

TEST_F(FakeFixture, AReplyWithoutDataAndBadArgumentsAreHandled)
{
    FakeNetwork net;
    net.damage = [](std::vector<uint8_t> r) { return std::vector<uint8_t>(r.begin(), r.begin() + 8); };
    mivo::SetEchoTransport(net.Transport());
    Icmp icmp;
    unsigned char reply[108];
    ASSERT_EQ(1u, icmp.Ping("127.0.0.1", reply));
    EXPECT_EQ(0, ((const ICMP_ECHO_REPLY*)reply)->DataSize);

    HANDLE h = icmp.create();
    unsigned char small[39];
    EXPECT_EQ(0u, icmp.echo(h, inet_addr("127.0.0.1"), nullptr, 0, nullptr, small, sizeof small, 100));
    EXPECT_EQ((DWORD)IP_BUF_TOO_SMALL, GetLastError());
    EXPECT_TRUE(icmp.close(h));
    EXPECT_FALSE(icmp.close(h));
    EXPECT_EQ(0u, icmp.echo(h, inet_addr("127.0.0.1"), nullptr, 0, nullptr, reply, sizeof reply, 100));
}

TEST_F(FakeFixture, AWithdrawnModuleLeavesItsNameFreeUntilPutBack)
{
    FakeNetwork net;
    mivo::SetEchoTransport(net.Transport());
    mivo::WithdrawEchoModule(true);
    EXPECT_EQ(nullptr, LoadLibraryA("ICMP.DLL"));
    mivo::SetEchoTransport(net.Transport());
    EXPECT_EQ(nullptr, LoadLibraryA("ICMP.DLL")) << "a transport does not bring it back";
    HMODULE other = mivo::RegisterInProcessModule("ICMP.DLL", mivo::ExportMap{});
    EXPECT_NE(nullptr, other);
    EXPECT_EQ(nullptr, GetProcAddress(other, "IcmpSendEcho"));
    mivo::UnregisterInProcessModule(other);
    mivo::WithdrawEchoModule(false);
    Icmp icmp;
    ASSERT_NE(icmp.module, nullptr);
    unsigned char reply[108];
    EXPECT_EQ(1u, icmp.Ping("127.0.0.1", reply));
}

TEST(IcmpModule, LoopbackAnswersWhereTheSystemAllowsPingSockets)
{
    Icmp icmp;
    if (!icmp.module)
        GTEST_SKIP() << "ping sockets are not allowed here, so the module is absent";
    unsigned char reply[108];
    ASSERT_EQ(1u, icmp.Ping("127.0.0.1", reply));
    const auto* r = (const ICMP_ECHO_REPLY*)reply;
    EXPECT_EQ((ULONG)IP_SUCCESS, r->Status);
    EXPECT_EQ(68, r->DataSize);
}
