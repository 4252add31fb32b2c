// Host names: the own host's interface addresses, dotted addresses, and a resolver the tests
// can replace.
#include "win32.h"
#include "mivo/testing/net.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

namespace {

std::mutex g_resolverLock;
mivo::HostResolver g_resolver;

bool SystemResolve(const std::string& name, std::vector<uint32_t>& addresses)
{
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &list) != 0)
        return false;
    for (addrinfo* a = list; a; a = a->ai_next) {
        uint32_t address = ((const sockaddr_in*)a->ai_addr)->sin_addr.s_addr;
        bool seen = false;
        for (uint32_t x : addresses)
            seen = seen || x == address;
        if (!seen)
            addresses.push_back(address);
    }
    freeaddrinfo(list);
    return !addresses.empty();
}

// The IPv4 addresses of the interfaces that are up; loopback only when there is no other.
std::vector<uint32_t> InterfaceAddresses()
{
    std::vector<uint32_t> out;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (ifaddrs* i = list; i; i = i->ifa_next) {
            if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP) ||
                (i->ifa_flags & IFF_LOOPBACK))
                continue;
            out.push_back(((const sockaddr_in*)i->ifa_addr)->sin_addr.s_addr);
        }
        freeifaddrs(list);
    }
    if (out.empty())
        out.push_back(htonl(INADDR_LOOPBACK));
    return out;
}

std::string OwnHostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    return name;
}

bool IsDottedAddress(const char* name, uint32_t& address)
{
    in_addr a;
    if (inet_pton(AF_INET, name, &a) != 1)
        return false;
    address = a.s_addr;
    return true;
}

// The entry handed out belongs to the thread, as on Windows.
struct HostEntryStore {
    std::string name;
    std::vector<uint32_t> addresses;
    std::vector<char*> addressList;
    char* aliases[1] = {nullptr};
    hostent entry = {};

    hostent* Fill(const std::string& n, const std::vector<uint32_t>& a)
    {
        name = n;
        addresses = a;
        addressList.clear();
        for (uint32_t& x : addresses)
            addressList.push_back((char*)&x);
        addressList.push_back(nullptr);
        entry.h_name = &name[0];
        entry.h_aliases = aliases;
        entry.h_addrtype = AF_INET;
        entry.h_length = 4;
        entry.h_addr_list = addressList.data();
        return &entry;
    }
};

}  // namespace

namespace mivo {

HostResolver SetHostResolver(HostResolver resolver)
{
    std::lock_guard<std::mutex> hold(g_resolverLock);
    HostResolver previous = std::move(g_resolver);
    g_resolver = std::move(resolver);
    return previous;
}

struct hostent* GetHostByName(const char* name)
{
    static thread_local HostEntryStore store;
    std::string own = OwnHostName();
    std::vector<uint32_t> addresses;
    uint32_t dotted;
    HostResolver resolver;
    {
        std::lock_guard<std::mutex> hold(g_resolverLock);
        resolver = g_resolver;
    }
    if (!name || !*name || strcasecmp(name, own.c_str()) == 0) {
        // A hook may stand in for the interfaces; the system's own line for the name is never used.
        if (!resolver || !resolver(own, addresses) || addresses.empty())
            addresses = InterfaceAddresses();
        return WSASetLastError(0), store.Fill(own, addresses);
    }
    if (IsDottedAddress(name, dotted))
        return WSASetLastError(0), store.Fill(name, {dotted});
    bool found = resolver ? resolver(name, addresses) : SystemResolve(name, addresses);
    if (!found || addresses.empty()) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return nullptr;
    }
    WSASetLastError(0);
    return store.Fill(name, addresses);
}

}  // namespace mivo

int gethostname(char* name, int namelen)
{
    std::string own = OwnHostName();
    if (!name || namelen <= (int)own.size()) {
        WSASetLastError(WSAEFAULT);
        return SOCKET_ERROR;
    }
    memcpy(name, own.c_str(), own.size() + 1);
    WSASetLastError(0);
    return 0;
}
