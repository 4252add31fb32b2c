// The network probe: one ICMP echo through "ICMP.DLL", and the own host's addresses.
#include "framework/VXUtil.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int kPingReachable = 256;
const int kPingNoLibrary = 2;
const int kPingNoHost = 3;
const WORD kEchoDataSize = 80;
const BYTE kEchoFill = 0xAA;
const DWORD kEchoTimeoutMs = 2000;
const int kHostNameSize = 128;

std::string Dotted(const char* address)
{
    const auto* b = (const unsigned char*)address;
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
           std::to_string(b[3]);
}

// Private ranges and link-local addresses by their first two bytes.
bool IsPrivateOrLinkLocal(const char* address)
{
    const auto* b = (const unsigned char*)address;
    return b[0] == 10 || (b[0] == 172 && b[1] >= 16 && b[1] <= 31) || (b[0] == 192 && b[1] == 168) ||
           (b[0] == 169 && b[1] == 254);
}

int Echo(HMODULE icmp, IPAddr address)
{
    auto create = (PFN_IcmpCreateFile)(void*)GetProcAddress(icmp, "IcmpCreateFile");
    auto close = (PFN_IcmpCloseHandle)(void*)GetProcAddress(icmp, "IcmpCloseHandle");
    auto send = (PFN_IcmpSendEcho)(void*)GetProcAddress(icmp, "IcmpSendEcho");
    if (!create || !close || !send)
        return 0;
    HANDLE echo = create();
    if (echo == INVALID_HANDLE_VALUE)
        return 0;
    BYTE request[kEchoDataSize];
    memset(request, kEchoFill, sizeof request);
    // One reply record and room for all the data echoed back.
    const DWORD replySize = sizeof(ICMP_ECHO_REPLY) + kEchoDataSize;
    alignas(ICMP_ECHO_REPLY) BYTE reply[replySize];
    int result = 0;
    if (send(echo, address, request, kEchoDataSize, nullptr, reply, replySize, kEchoTimeoutMs))
        result = kPingReachable + (int)((ICMP_ECHO_REPLY*)reply)->RoundTripTime;
    close(echo);
    return result;
}

}  // namespace

int PINGTest(const char* host)
{
    HMODULE icmp = LoadLibrary("ICMP.DLL");
    if (!icmp)
        return kPingNoLibrary;
    hostent* entry = gethostbyname(host);
    if (!entry || !entry->h_addr_list || !entry->h_addr_list[0]) {
        FreeLibrary(icmp);
        return kPingNoHost;
    }
    IPAddr address;
    memcpy(&address, entry->h_addr_list[0], sizeof address);
    const int result = Echo(icmp, address);
    FreeLibrary(icmp);
    return result;
}

int IsInternetConnected()
{
    char name[kHostNameSize] = "";
    if (gethostname(name, sizeof name) != 0)
        return 0;
    hostent* entry = gethostbyname(name);
    if (!entry || !entry->h_addr_list)
        return 0;
    for (int i = 0; entry->h_addr_list[i]; ++i) {
        const char* address = entry->h_addr_list[i];
        const std::string dotted = Dotted(address);
        // Only 127.0.0.1 is taken for the local host; other loopback addresses count.
        if (!IsPrivateOrLinkLocal(address) && dotted != "127.0.0.1" && !dotted.empty())
            return 1;
    }
    return 0;
}

char* FindUserIPAddress(char* out)
{
    char diagnostic[256];
    char name[kHostNameSize] = "";
    *out = '\0';
    if (gethostname(name, sizeof name) != 0) {
        snprintf(diagnostic, sizeof diagnostic, "gethostname() error : %d", WSAGetLastError());
        return out;
    }
    hostent* entry = gethostbyname(name);
    if (!entry || !entry->h_addr_list || !entry->h_addr_list[0]) {
        snprintf(diagnostic, sizeof diagnostic, "gethostbyname() error : %d", WSAGetLastError());
        return out;
    }
    const std::string dotted = Dotted(entry->h_addr_list[0]);
    snprintf(diagnostic, sizeof diagnostic, "Host %s has IP Address %s !!!", name, dotted.c_str());
    strcpy(out, dotted.c_str());
    return out;
}
