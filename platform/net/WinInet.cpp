// Internet handles: sessions, connections to one host, and HTTP requests.
#include "win32/wininet.h"

#include "net/HttpTransfer.h"
#include "net/PortMap.h"
#include "win32/codepage.h"
#include "win32/errors.h"
#include "mivo/codepage.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Session {
    std::string agent;
    DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG;
    std::string proxyList;   // INTERNET_OPEN_TYPE_PROXY: "host:port" or "http=host:port https=..."
    std::string bypassList;
    INTERNET_STATUS_CALLBACK callback = nullptr;
};

struct Connection {
    std::shared_ptr<Session> session;
    std::string host;
    INTERNET_PORT port = 80;
    std::string connectTo;  // where the socket goes instead, from the port map
    DWORD_PTR context = 0;
    CURLSH* share = nullptr;

    ~Connection()
    {
        if (share)
            curl_share_cleanup(share);
    }
};

struct Request {
    std::shared_ptr<Connection> connection;
    std::string verb;
    std::string object;
    DWORD flags = 0;
    DWORD_PTR context = 0;
    std::unique_ptr<mivo::HttpTransfer> transfer;
};

struct Node {
    std::shared_ptr<Session> session;
    std::shared_ptr<Connection> connection;
    std::shared_ptr<Request> request;
};

std::mutex tableLock;
std::map<HINTERNET, Node>& table()
{
    static std::map<HINTERNET, Node> nodes;
    return nodes;
}
uintptr_t nextHandle = 0x1000;

HINTERNET addNode(Node node)
{
    std::lock_guard<std::mutex> guard(tableLock);
    HINTERNET h = (HINTERNET)(nextHandle += 4);
    table()[h] = std::move(node);
    return h;
}

bool findNode(HINTERNET h, Node& out)
{
    std::lock_guard<std::mutex> guard(tableLock);
    auto it = table().find(h);
    if (it == table().end())
        return false;
    out = it->second;
    return true;
}

void ensureCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void notify(const Connection& c, HINTERNET h, DWORD_PTR context, DWORD status, const std::string& info)
{
    if (c.session && c.session->callback && c.session->callback != INTERNET_INVALID_STATUS_CALLBACK)
        c.session->callback(h, context, status, (LPVOID)info.c_str(), (DWORD)info.size() + 1);
}

DWORD errorFor(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_INTERNET_TIMEOUT;
    case CURLE_URL_MALFORMAT:
        return ERROR_INTERNET_INVALID_URL;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
        return ERROR_INTERNET_SEC_CERT_ERRORS;
    case CURLE_COULDNT_CONNECT:
        return ERROR_INTERNET_CANNOT_CONNECT;
    default:
        return ERROR_INTERNET_CONNECTION_ABORTED;
    }
}

// Splits a header block of CR LF separated lines; `length` -1 means NUL-terminated.
std::vector<std::string> headerLines(LPCSTR headers, DWORD length)
{
    std::vector<std::string> lines;
    if (headers == nullptr)
        return lines;
    std::string text = length == (DWORD)-1 ? std::string(headers) : std::string(headers, strnlen(headers, length));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty())
            lines.push_back(mivo::ToUtf8(line.c_str()));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

// Copies text to a caller's buffer with the size rules of HttpQueryInfo.
BOOL answerText(const std::string& text, LPVOID buffer, LPDWORD length)
{
    if (length == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (buffer == nullptr || *length < text.size() + 1) {
        *length = (DWORD)text.size() + 1;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *length = (DWORD)text.size();
    return TRUE;
}

BOOL answerNumber(const std::string& text, LPVOID buffer, LPDWORD length)
{
    if (length == nullptr || buffer == nullptr || *length < sizeof(DWORD)) {
        if (length)
            *length = sizeof(DWORD);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *(DWORD*)buffer = (DWORD)std::strtoul(text.c_str(), nullptr, 10);
    *length = sizeof(DWORD);
    return TRUE;
}

// The entries of a WinInet proxy or bypass list, separated by blanks or semicolons.
std::vector<std::string> listEntries(const std::string& list)
{
    std::vector<std::string> out;
    std::string entry;
    for (char ch : list + ";") {
        if (ch == ';' || ch == ' ' || ch == '\t' || ch == ',') {
            if (!entry.empty())
                out.push_back(entry);
            entry.clear();
        } else {
            entry += ch;
        }
    }
    return out;
}

// The proxy of the list for a scheme: its "scheme=" entry, else one that names no scheme.
std::string proxyFor(const std::string& list, const std::string& scheme)
{
    std::string plain;
    for (const std::string& e : listEntries(list)) {
        size_t eq = e.find('=');
        if (eq == std::string::npos) {
            if (plain.empty())
                plain = e;
        } else if (e.compare(0, eq, scheme) == 0) {
            return e.substr(eq + 1);
        }
    }
    return plain;
}

// WinInet bypass entries as libcurl's: "*.example.com" is "example.com", "<local>" the local host.
std::string noProxyFor(const std::string& bypass)
{
    std::string out;
    for (std::string e : listEntries(bypass)) {
        if (e == "<local>")
            e = "localhost,127.0.0.1";
        else if (e.compare(0, 2, "*.") == 0)
            e = e.substr(2);
        out += (out.empty() ? "" : ",") + e;
    }
    return out;
}

void applyAccessType(const Session& session, const std::string& scheme, mivo::HttpRequestSpec& spec)
{
    if (session.accessType == INTERNET_OPEN_TYPE_DIRECT) {
        spec.proxyMode = mivo::ProxyMode::Direct;
    } else if (session.accessType == INTERNET_OPEN_TYPE_PROXY) {
        spec.proxy = proxyFor(session.proxyList, scheme);
        // A list without a proxy for this scheme sends it straight.
        spec.proxyMode = spec.proxy.empty() ? mivo::ProxyMode::Direct : mivo::ProxyMode::Given;
        spec.noProxy = noProxyFor(session.bypassList);
    } else {
        spec.proxyMode = mivo::ProxyMode::Environment;
    }
}

}  // namespace

HINTERNET InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy, LPCSTR lpszProxyBypass, DWORD)
{
    bool known = dwAccessType == INTERNET_OPEN_TYPE_PRECONFIG || dwAccessType == INTERNET_OPEN_TYPE_DIRECT ||
                 dwAccessType == INTERNET_OPEN_TYPE_PROXY ||
                 dwAccessType == INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
    if (!known || (dwAccessType == INTERNET_OPEN_TYPE_PROXY && (lpszProxy == nullptr || *lpszProxy == 0))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ensureCurl();
    Node node;
    node.session = std::make_shared<Session>();
    node.session->agent = mivo::ToUtf8(lpszAgent ? lpszAgent : "Mivo");
    node.session->accessType = dwAccessType;
    if (dwAccessType == INTERNET_OPEN_TYPE_PROXY) {
        node.session->proxyList = mivo::ToUtf8(lpszProxy);
        node.session->bypassList = mivo::ToUtf8(lpszProxyBypass ? lpszProxyBypass : "");
    }
    return addNode(node);
}

HINTERNET InternetOpen(LPCSTR a, DWORD b, LPCSTR c, LPCSTR d, DWORD e)
{
    return InternetOpenA(a, b, c, d, e);
}

INTERNET_STATUS_CALLBACK InternetSetStatusCallback(HINTERNET hInternet, INTERNET_STATUS_CALLBACK lpfnCallback)
{
    Node node;
    if (!findNode(hInternet, node) || !node.session) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INTERNET_INVALID_STATUS_CALLBACK;
    }
    INTERNET_STATUS_CALLBACK old = node.session->callback;
    node.session->callback = lpfnCallback;
    return old;
}

HINTERNET InternetConnectA(HINTERNET hInternet, LPCSTR lpszServerName, INTERNET_PORT nServerPort, LPCSTR, LPCSTR,
                           DWORD dwService, DWORD, DWORD_PTR dwContext)
{
    Node parent;
    if (!findNode(hInternet, parent) || !parent.session) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (dwService != INTERNET_SERVICE_HTTP || lpszServerName == nullptr || *lpszServerName == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Node node;
    node.connection = std::make_shared<Connection>();
    node.connection->session = parent.session;
    node.connection->host = mivo::ToUtf8(lpszServerName);
    node.connection->port = nServerPort ? nServerPort : INTERNET_DEFAULT_HTTP_PORT;
    node.connection->context = dwContext;
    // The map is read when the connection is made, so a test or demo can set it at any time before.
    node.connection->connectTo = mivo::ConnectToFromEnvironment(node.connection->host, node.connection->port);
    // Requests of one connection share libcurl's connection cache, so they reuse the socket.
    node.connection->share = curl_share_init();
    if (node.connection->share)
        curl_share_setopt(node.connection->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    return addNode(node);
}

HINTERNET InternetConnect(HINTERNET a, LPCSTR b, INTERNET_PORT c, LPCSTR d, LPCSTR e, DWORD f, DWORD g, DWORD_PTR h)
{
    return InternetConnectA(a, b, c, d, e, f, g, h);
}

HINTERNET HttpOpenRequestA(HINTERNET hConnect, LPCSTR lpszVerb, LPCSTR lpszObjectName, LPCSTR, LPCSTR, LPCSTR*,
                           DWORD dwFlags, DWORD_PTR dwContext)
{
    Node parent;
    if (!findNode(hConnect, parent) || !parent.connection) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Node node;
    node.request = std::make_shared<Request>();
    node.request->connection = parent.connection;
    node.request->verb = lpszVerb && *lpszVerb ? lpszVerb : "GET";
    std::string object = mivo::ToUtf8(lpszObjectName ? lpszObjectName : "/");
    node.request->object = object.empty() || object[0] != '/' ? "/" + object : object;
    node.request->flags = dwFlags;
    node.request->context = dwContext;
    return addNode(node);
}

HINTERNET HttpOpenRequest(HINTERNET a, LPCSTR b, LPCSTR c, LPCSTR d, LPCSTR e, LPCSTR* f, DWORD g, DWORD_PTR h)
{
    return HttpOpenRequestA(a, b, c, d, e, f, g, h);
}

BOOL HttpSendRequestA(HINTERNET hRequest, LPCSTR lpszHeaders, DWORD dwHeadersLength, LPVOID lpOptional,
                      DWORD dwOptionalLength)
{
    Node node;
    if (!findNode(hRequest, node) || !node.request) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Request& r = *node.request;
    Connection& c = *r.connection;
    bool secure = (r.flags & INTERNET_FLAG_SECURE) != 0;
    mivo::HttpRequestSpec spec;
    spec.url = std::string(secure ? "https://" : "http://") + c.host + ":" + std::to_string(c.port) + r.object;
    spec.verb = r.verb;
    spec.agent = c.session->agent;
    spec.connectTo = c.connectTo;
    applyAccessType(*c.session, secure ? "https" : "http", spec);
    spec.headers = headerLines(lpszHeaders, dwHeadersLength);
    if (lpOptional && dwOptionalLength > 0) {
        spec.body.assign((const char*)lpOptional, dwOptionalLength);
        spec.hasBody = true;
    }
    notify(c, hRequest, r.context, INTERNET_STATUS_RESOLVING_NAME, c.host);
    notify(c, hRequest, r.context, INTERNET_STATUS_CONNECTING_TO_SERVER, c.host);
    r.transfer = std::make_unique<mivo::HttpTransfer>(c.share);
    if (!r.transfer->Start(spec)) {
        SetLastError(errorFor(r.transfer->Error()));
        return FALSE;
    }
    notify(c, hRequest, r.context, INTERNET_STATUS_CONNECTED_TO_SERVER, c.host);
    notify(c, hRequest, r.context, INTERNET_STATUS_RESPONSE_RECEIVED, c.host);
    return TRUE;
}

BOOL HttpSendRequest(HINTERNET a, LPCSTR b, DWORD c, LPVOID d, DWORD e)
{
    return HttpSendRequestA(a, b, c, d, e);
}

BOOL HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer, LPDWORD lpdwBufferLength, LPDWORD)
{
    Node node;
    if (!findNode(hRequest, node) || !node.request) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    mivo::HttpTransfer* t = node.request->transfer.get();
    if (t == nullptr) {
        SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
        return FALSE;
    }
    bool asNumber = (dwInfoLevel & HTTP_QUERY_FLAG_NUMBER) != 0;
    std::string text;
    switch (dwInfoLevel & 0xFFFF) {
    case HTTP_QUERY_STATUS_CODE:
        text = std::to_string(t->Status());
        break;
    case HTTP_QUERY_STATUS_TEXT:
        text = t->StatusText();
        break;
    case HTTP_QUERY_RAW_HEADERS_CRLF:
        text = t->RawHeaders();
        break;
    case HTTP_QUERY_CONTENT_LENGTH:
    case HTTP_QUERY_CONTENT_TYPE:
    case HTTP_QUERY_LOCATION: {
        const char* name = (dwInfoLevel & 0xFFFF) == HTTP_QUERY_CONTENT_LENGTH ? "Content-Length"
                           : (dwInfoLevel & 0xFFFF) == HTTP_QUERY_CONTENT_TYPE ? "Content-Type"
                                                                               : "Location";
        if (!t->Header(name, text)) {
            SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
            return FALSE;
        }
        break;
    }
    default:
        SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
        return FALSE;
    }
    return asNumber ? answerNumber(text, lpBuffer, lpdwBufferLength) : answerText(text, lpBuffer, lpdwBufferLength);
}

BOOL HttpQueryInfo(HINTERNET a, DWORD b, LPVOID c, LPDWORD d, LPDWORD e)
{
    return HttpQueryInfoA(a, b, c, d, e);
}

BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead, LPDWORD lpdwNumberOfBytesRead)
{
    if (lpdwNumberOfBytesRead)
        *lpdwNumberOfBytesRead = 0;
    Node node;
    if (!findNode(hFile, node) || !node.request || lpBuffer == nullptr || lpdwNumberOfBytesRead == nullptr) {
        SetLastError(node.request ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    mivo::HttpTransfer* t = node.request->transfer.get();
    if (t == nullptr) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
        return FALSE;
    }
    size_t got = 0;
    if (!t->Read(lpBuffer, dwNumberOfBytesToRead, got)) {
        SetLastError(errorFor(t->Error()));
        return FALSE;
    }
    *lpdwNumberOfBytesRead = (DWORD)got;
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET hInternet)
{
    std::lock_guard<std::mutex> guard(tableLock);
    if (table().erase(hInternet) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL InternetGetConnectedState(LPDWORD lpdwFlags, DWORD)
{
    if (lpdwFlags)
        *lpdwFlags = INTERNET_CONNECTION_LAN;
    return TRUE;
}
