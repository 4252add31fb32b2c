#include "afx/HtmlFetch.h"

#include "win32.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

struct Address {
    bool secure = false;
    std::string host;
    INTERNET_PORT port = 0;
    std::string path;  // from the first slash, "/" at least
};

bool StartsWithNoCase(const std::string& s, const char* prefix)
{
    size_t n = std::char_traits<char>::length(prefix);
    if (s.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower((unsigned char)s[i]) != prefix[i])
            return false;
    return true;
}

bool SplitAddress(const std::string& url, Address& out)
{
    size_t rest;
    if (StartsWithNoCase(url, "http://")) {
        rest = 7;
    } else if (StartsWithNoCase(url, "https://")) {
        rest = 8;
        out.secure = true;
    } else {
        return false;
    }
    size_t slash = url.find_first_of("/?#", rest);
    std::string authority = url.substr(rest, slash == std::string::npos ? std::string::npos : slash - rest);
    out.path = slash == std::string::npos ? "/" : url.substr(slash);
    if (!out.path.empty() && out.path[0] != '/')
        out.path = "/" + out.path;
    size_t hash = out.path.find('#');
    if (hash != std::string::npos)
        out.path.erase(hash);
    if (authority.find('@') != std::string::npos)
        return false;  // no credentials in addresses from pages
    size_t colon = authority.rfind(':');
    out.port = out.secure ? 443 : INTERNET_DEFAULT_HTTP_PORT;
    if (colon != std::string::npos) {
        std::string digits = authority.substr(colon + 1);
        char* stop = nullptr;
        long port = std::strtol(digits.c_str(), &stop, 10);
        if (digits.empty() || *stop || port <= 0 || port > 65535)
            return false;
        out.port = (INTERNET_PORT)port;
        authority.erase(colon);
    }
    out.host = authority;
    return !out.host.empty();
}

// A page of the program's own on disk ("file://" and an absolute POSIX path).
bool ReadLocalPage(const std::string& url, size_t limit, mivo::afx::HtmlFetchResult& result)
{
    if (!StartsWithNoCase(url, "file://") || url.size() <= 7 || url[7] != '/')
        return false;
    std::ifstream in(url.substr(7), std::ios::binary);
    if (!in)
        return true;
    std::vector<char> buffer(limit);
    in.read(buffer.data(), (std::streamsize)limit);
    result.body.assign(buffer.data(), (size_t)in.gcount());
    result.contentType = "text/html";
    result.ok = true;
    return true;
}

}  // namespace

mivo::afx::HtmlFetchResult mivo::afx::FetchPage(const std::string& url, size_t limit)
{
    HtmlFetchResult result;
    if (ReadLocalPage(url, limit, result))
        return result;
    Address address;
    if (!SplitAddress(url, address))
        return result;
    HINTERNET net = ::InternetOpen("Mivo", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = net ? ::InternetConnect(net, address.host.c_str(), address.port, nullptr, nullptr,
                                                   INTERNET_SERVICE_HTTP, 0, 0)
                               : nullptr;
    DWORD flags = INTERNET_FLAG_RELOAD | (address.secure ? INTERNET_FLAG_SECURE : 0);
    HINTERNET request = connection ? ::HttpOpenRequest(connection, "GET", address.path.c_str(), nullptr, nullptr,
                                                       nullptr, flags, 0)
                                   : nullptr;
    if (request && ::HttpSendRequest(request, nullptr, 0, nullptr, 0)) {
        DWORD status = 0, size = sizeof(status);
        if (::HttpQueryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            result.status = (int)status;
        char type[256] = {};
        DWORD typeSize = sizeof(type) - 1;
        if (::HttpQueryInfo(request, HTTP_QUERY_CONTENT_TYPE, type, &typeSize, nullptr))
            result.contentType.assign(type, std::min<DWORD>(typeSize, sizeof(type) - 1));
        char buffer[16384];
        DWORD read = 0;
        while (result.body.size() < limit && ::InternetReadFile(request, buffer, sizeof(buffer), &read) && read > 0)
            result.body.append(buffer, std::min<size_t>(read, limit - result.body.size()));
        result.ok = result.status == 0 || (result.status >= 200 && result.status < 300);
    }
    if (request)
        ::InternetCloseHandle(request);
    if (connection)
        ::InternetCloseHandle(connection);
    if (net)
        ::InternetCloseHandle(net);
    return result;
}

std::string mivo::afx::ResolveLink(const std::string& base, const std::string& href)
{
    if (StartsWithNoCase(href, "http://") || StartsWithNoCase(href, "https://"))
        return href;
    if (href.empty() || (href.find(':') != std::string::npos && href.find(':') < href.find_first_of("/?#")))
        return std::string();  // another scheme (mailto:, javascript:...)
    Address address;
    if (!SplitAddress(base, address))
        return std::string();
    size_t hostEnd = base.find('/', base.find("//") + 2);
    std::string origin = hostEnd == std::string::npos ? base : base.substr(0, hostEnd);
    if (href.compare(0, 2, "//") == 0)
        return (address.secure ? "https:" : "http:") + href;
    if (href[0] == '/')
        return origin + href;
    std::string folder = address.path.substr(0, address.path.find_first_of("?"));
    folder.erase(folder.rfind('/') + 1);
    return origin + folder + href;
}

std::string mivo::afx::ResolveResource(const std::string& base, const std::string& src)
{
    if (!StartsWithNoCase(base, "file:///"))
        return ResolveLink(base, src);
    if (src.empty() || src.find(':') != std::string::npos || src.find("..") != std::string::npos)
        return std::string();
    if (src[0] == '/')
        return "file://" + src;
    std::string folder = base.substr(0, base.find_first_of("?#"));
    folder.erase(folder.rfind('/') + 1);
    return folder + src;
}
