// One HTTP request driven step by step with libcurl's multi interface, so
// the reply's head arrives in HttpSendRequest and the body is read on demand.
#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <string>
#include <vector>

namespace mivo {

// Where a request goes: straight to the server, through the desktop's proxy
// settings (the environment's http_proxy and no_proxy), or through a given proxy.
enum class ProxyMode { Direct, Environment, Given };

struct HttpRequestSpec {
    std::string url;
    ProxyMode proxyMode = ProxyMode::Environment;
    std::string proxy;    // host:port for ProxyMode::Given
    std::string noProxy;  // comma-separated hosts that bypass it
    std::string verb;
    std::string agent;
    std::vector<std::string> headers;
    std::string body;
    bool hasBody = false;
    std::string connectTo;  // libcurl's "host:port:tohost:toport" when the socket goes elsewhere
};

class HttpTransfer {
public:
    explicit HttpTransfer(CURLSH* share);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Sends the request and waits for the reply's head. False when no reply
    // came; `curlError` then says why.
    bool Start(const HttpRequestSpec& spec);
    // Copies up to `capacity` body bytes; 0 at the end. False when the
    // transfer broke off before the body was complete.
    bool Read(void* buffer, size_t capacity, size_t& got);

    int Status() const { return m_status; }
    const std::string& StatusText() const { return m_statusText; }
    // The last value of a header (case-insensitive name); false when absent.
    bool Header(const std::string& name, std::string& value) const;
    std::string RawHeaders() const;
    CURLcode Error() const { return m_result; }

private:
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    bool step();

    CURL* m_easy;
    CURLM* m_multi;
    curl_slist* m_headerList = nullptr;
    curl_slist* m_connectTo = nullptr;
    std::string m_body;
    std::vector<char> m_pending;
    size_t m_pendingStart = 0;
    bool m_paused = false;
    bool m_headDone = false;
    bool m_done = false;
    CURLcode m_result = CURLE_OK;
    int m_status = 0;
    std::string m_statusText;
    std::vector<std::string> m_headerLines;
};

}  // namespace mivo
