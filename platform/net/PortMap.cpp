#include "net/PortMap.h"

#include <strings.h>

#include <cstdlib>

namespace mivo {

namespace {

const size_t kMaxMapLength = 4096;  // longer maps are ignored as a whole
const size_t kMaxHostLength = 253;

struct Endpoint {
    std::string host;
    int port = 0;
};

// Names and addresses only: letters, digits, '.', '-' and '_' (nothing that
// could break libcurl's own "host:port:host:port" syntax).
bool IsHostName(const std::string& host)
{
    if (host.empty() || host.size() > kMaxHostLength)
        return false;
    for (unsigned char c : host) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                  c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

bool ParsePort(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

bool ParseEndpoint(const std::string& text, Endpoint& out)
{
    size_t colon = text.find(':');
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos)
        return false;
    out.host = text.substr(0, colon);
    return IsHostName(out.host) && ParsePort(text.substr(colon + 1), out.port);
}

std::string Trimmed(const std::string& text)
{
    size_t a = text.find_first_not_of(" \t");
    size_t b = text.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : text.substr(a, b - a + 1);
}

}  // namespace

std::string ConnectToEntry(const char* map, const std::string& host, int port)
{
    if (map == nullptr)
        return std::string();
    std::string text(map);
    if (text.size() > kMaxMapLength)
        return std::string();
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string entry = Trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
        size_t eq = entry.find('=');
        if (eq == std::string::npos || entry.find('=', eq + 1) != std::string::npos)
            continue;
        Endpoint from, to;
        if (!ParseEndpoint(Trimmed(entry.substr(0, eq)), from) || !ParseEndpoint(Trimmed(entry.substr(eq + 1)), to))
            continue;
        if (from.port != port || strcasecmp(from.host.c_str(), host.c_str()) != 0)
            continue;
        return host + ":" + std::to_string(port) + ":" + to.host + ":" + std::to_string(to.port);
    }
    return std::string();
}

std::string ConnectToFromEnvironment(const std::string& host, int port)
{
    return ConnectToEntry(std::getenv("MIVO_HTTP_PORT_MAP"), host, port);
}

}  // namespace mivo
