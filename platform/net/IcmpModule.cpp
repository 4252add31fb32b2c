// The in-process "ICMP.DLL": echo requests over the system's unprivileged ping sockets, or
// over a transport the tests set. Absent when the system forbids ping sockets.
#include "EchoPacket.h"
#include "win32.h"
#include "win32/icmpapi.h"
#include "mivo/modules.h"
#include "mivo/testing/net.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <set>

namespace {

const char kModuleName[] = "ICMP.DLL";
const size_t kMaxRequest = 65500;

struct EchoHandle {
    int fd = -1;
};

std::mutex g_lock;
std::set<EchoHandle*> g_handles;
mivo::EchoTransport g_transport;
HMODULE g_module = nullptr;
bool g_withdrawn = false;
std::atomic<uint16_t> g_sequence{1};

int OpenPingSocket()
{
    return ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
}

bool SystemAllowsPing()
{
    int fd = OpenPingSocket();
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

// Sends one request on a ping socket and waits for the matching reply.
bool PingSocketExchange(int fd, uint32_t address, const std::vector<uint8_t>& request, uint16_t sequence,
                        unsigned timeoutMs, std::vector<uint8_t>& reply)
{
    if (fd < 0)
        return false;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    if (::sendto(fd, (const void*)request.data(), request.size(), 0, (const sockaddr*)&to, (socklen_t)sizeof to) < 0)
        return false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<uint8_t> buffer(65536);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() < 0)
            return false;
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, (int)left.count()) <= 0)
            return false;
        ssize_t n = ::recv(fd, (void*)buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (n <= 0)
            continue;
        reply.assign(buffer.begin(), buffer.begin() + n);
        const uint8_t* data;
        size_t size;
        // The kernel hands this socket only replies to its own identifier; older ones are skipped.
        if (mivo::ParseEchoReply(reply, sequence, data, size))
            return true;
    }
}

HANDLE WINAPI IcmpCreateFile()
{
    auto* h = new EchoHandle;
    std::lock_guard<std::mutex> hold(g_lock);
    if (!g_transport) {
        h->fd = OpenPingSocket();
        if (h->fd < 0) {
            delete h;
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    }
    g_handles.insert(h);
    return (HANDLE)h;
}

BOOL WINAPI IcmpCloseHandle(HANDLE handle)
{
    auto* h = (EchoHandle*)handle;
    std::lock_guard<std::mutex> hold(g_lock);
    if (!g_handles.erase(h)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (h->fd >= 0)
        close(h->fd);
    delete h;
    return TRUE;
}

void FillReply(void* replyBuffer, DWORD replySize, IPAddr address, ULONG rtt, const uint8_t* data, size_t size)
{
    auto* r = (ICMP_ECHO_REPLY*)replyBuffer;
    memset(r, 0, sizeof *r);
    size_t room = replySize - sizeof(ICMP_ECHO_REPLY);
    size_t kept = size < room ? size : room;
    uint8_t* place = (uint8_t*)replyBuffer + sizeof(ICMP_ECHO_REPLY);
    if (kept)
        memcpy(place, data, kept);
    r->Address = address;
    r->Status = IP_SUCCESS;
    r->RoundTripTime = rtt;
    r->DataSize = (USHORT)kept;
    r->Data = place;
    r->Options.Ttl = 64;
}

DWORD WINAPI IcmpSendEcho(HANDLE handle, IPAddr destination, LPVOID requestData, WORD requestSize,
                          PIP_OPTION_INFORMATION, LPVOID replyBuffer, DWORD replySize, DWORD timeout)
{
    int fd;
    mivo::EchoTransport transport;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (!g_handles.count((EchoHandle*)handle)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        fd = ((EchoHandle*)handle)->fd;
        transport = g_transport;
    }
    if (!replyBuffer || replySize < sizeof(ICMP_ECHO_REPLY)) {
        SetLastError(IP_BUF_TOO_SMALL);
        return 0;
    }
    if ((requestSize && !requestData) || requestSize > kMaxRequest) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    uint16_t sequence = g_sequence++;
    auto request = mivo::BuildEchoRequest((uint16_t)getpid(), sequence, (const uint8_t*)requestData, requestSize);
    auto start = std::chrono::steady_clock::now();
    std::vector<uint8_t> reply;
    bool answered = transport ? transport(destination, request, timeout, reply)
                              : PingSocketExchange(fd, destination, request, sequence, timeout, reply);
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!answered || !mivo::ParseEchoReply(reply, sequence, data, size)) {
        SetLastError(IP_REQ_TIMED_OUT);
        return 0;
    }
    auto rtt = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    FillReply(replyBuffer, replySize, destination, (ULONG)rtt.count(), data, size);
    return 1;
}

void RegisterModuleLocked()
{
    if (g_module || g_withdrawn)
        return;
    g_module = mivo::RegisterInProcessModule(kModuleName, mivo::ExportMap{
                                                              {"IcmpCreateFile", (void*)&IcmpCreateFile},
                                                              {"IcmpCloseHandle", (void*)&IcmpCloseHandle},
                                                              {"IcmpSendEcho", (void*)&IcmpSendEcho},
                                                          });
}

void UnregisterModuleLocked()
{
    if (g_module)
        mivo::UnregisterInProcessModule(g_module);
    g_module = nullptr;
}

// The module is there from the start wherever ping sockets are allowed.
struct ModuleAtLoad {
    ModuleAtLoad()
    {
        if (SystemAllowsPing()) {
            std::lock_guard<std::mutex> hold(g_lock);
            RegisterModuleLocked();
        }
    }
} g_moduleAtLoad;

}  // namespace

namespace mivo {

void SetEchoTransport(EchoTransport transport)
{
    bool allowed = transport || SystemAllowsPing();
    std::lock_guard<std::mutex> hold(g_lock);
    g_transport = std::move(transport);
    if (allowed)
        RegisterModuleLocked();
    else
        UnregisterModuleLocked();
}

void WithdrawEchoModule(bool withdrawn)
{
    bool allowed = SystemAllowsPing();
    std::lock_guard<std::mutex> hold(g_lock);
    g_withdrawn = withdrawn;
    if (withdrawn)
        UnregisterModuleLocked();
    else if (allowed || g_transport)
        RegisterModuleLocked();
}

}  // namespace mivo
