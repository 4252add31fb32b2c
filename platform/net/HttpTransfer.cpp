#include "net/HttpTransfer.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

// Above this much unread body the transfer pauses until the reader catches up.
const size_t kPendingLimit = 4 * 1024 * 1024;

std::string trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

}  // namespace

HttpTransfer::HttpTransfer(CURLSH* share) : m_easy(curl_easy_init()), m_multi(curl_multi_init())
{
    if (m_easy && share)
        curl_easy_setopt(m_easy, CURLOPT_SHARE, share);
}

HttpTransfer::~HttpTransfer()
{
    if (m_multi && m_easy)
        curl_multi_remove_handle(m_multi, m_easy);
    if (m_easy)
        curl_easy_cleanup(m_easy);
    if (m_multi)
        curl_multi_cleanup(m_multi);
    curl_slist_free_all(m_headerList);
    curl_slist_free_all(m_connectTo);
}

size_t HttpTransfer::onBody(char* data, size_t size, size_t count, void* self)
{
    HttpTransfer* t = (HttpTransfer*)self;
    size_t n = size * count;
    if (t->m_pending.size() - t->m_pendingStart > kPendingLimit) {
        t->m_paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    t->m_pending.insert(t->m_pending.end(), data, data + n);
    return n;
}

size_t HttpTransfer::onHeader(char* data, size_t size, size_t count, void* self)
{
    HttpTransfer* t = (HttpTransfer*)self;
    size_t n = size * count;
    std::string line(data, n);
    if (line.compare(0, 5, "HTTP/") == 0) {
        // A new status line (after 1xx) starts the head afresh.
        t->m_headerLines.clear();
        t->m_status = 0;
        size_t space = line.find(' ');
        if (space != std::string::npos) {
            t->m_status = std::atoi(line.c_str() + space + 1);
            size_t text = line.find(' ', space + 1);
            t->m_statusText = text == std::string::npos ? std::string() : trim(line.substr(text + 1));
        }
        t->m_headerLines.push_back(trim(line));
    } else if (trim(line).empty()) {
        if (t->m_status >= 200 || t->m_status == 0)
            t->m_headDone = true;
    } else {
        t->m_headerLines.push_back(trim(line));
    }
    return n;
}

bool HttpTransfer::Start(const HttpRequestSpec& spec)
{
    if (!m_easy || !m_multi)
        return false;
    curl_easy_setopt(m_easy, CURLOPT_URL, spec.url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(m_easy, CURLOPT_USERAGENT, spec.agent.c_str());
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &HttpTransfer::onBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    // An empty proxy turns off the environment's; a given one comes with its own bypass list.
    if (spec.proxyMode == ProxyMode::Direct) {
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
    } else if (spec.proxyMode == ProxyMode::Given) {
        curl_easy_setopt(m_easy, CURLOPT_PROXY, spec.proxy.c_str());
        curl_easy_setopt(m_easy, CURLOPT_NOPROXY, spec.noProxy.c_str());
    }

    if (!spec.connectTo.empty()) {
        m_connectTo = curl_slist_append(m_connectTo, spec.connectTo.c_str());
        curl_easy_setopt(m_easy, CURLOPT_CONNECT_TO, m_connectTo);
    }

    m_body = spec.body;
    if (spec.verb == "POST") {
        curl_easy_setopt(m_easy, CURLOPT_POST, 1L);
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDS, m_body.data());
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE, (curl_off_t)m_body.size());
    } else if (spec.hasBody && !m_body.empty()) {
        // A GET may carry a body, as the form-data downloads send one.
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDS, m_body.data());
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE, (curl_off_t)m_body.size());
        curl_easy_setopt(m_easy, CURLOPT_CUSTOMREQUEST, spec.verb.c_str());
    } else if (spec.verb != "GET") {
        curl_easy_setopt(m_easy, CURLOPT_CUSTOMREQUEST, spec.verb.c_str());
    }
    for (const std::string& h : spec.headers)
        m_headerList = curl_slist_append(m_headerList, h.c_str());
    m_headerList = curl_slist_append(m_headerList, "Expect:");
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headerList);

    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK)
        return false;
    while (!m_headDone && !m_done)
        if (!step())
            break;
    return m_headDone || (m_done && m_status != 0);
}

bool HttpTransfer::step()
{
    int running = 0;
    if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
        m_done = true;
        m_result = CURLE_RECV_ERROR;
        return false;
    }
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(m_multi, &queued)) {
        if (msg->msg == CURLMSG_DONE) {
            m_done = true;
            m_result = msg->data.result;
        }
    }
    if (running == 0)
        m_done = true;
    if (!m_done && !m_headDone && m_pending.size() == m_pendingStart)
        curl_multi_poll(m_multi, nullptr, 0, 100, nullptr);
    return true;
}

bool HttpTransfer::Read(void* buffer, size_t capacity, size_t& got)
{
    got = 0;
    for (;;) {
        size_t available = m_pending.size() - m_pendingStart;
        if (available > 0) {
            got = std::min(available, capacity);
            std::memcpy(buffer, m_pending.data() + m_pendingStart, got);
            m_pendingStart += got;
            if (m_pendingStart == m_pending.size()) {
                m_pending.clear();
                m_pendingStart = 0;
            }
            return true;
        }
        if (m_done)
            return m_result == CURLE_OK;
        if (m_paused) {
            m_paused = false;
            curl_easy_pause(m_easy, CURLPAUSE_CONT);
        }
        if (!step())
            return false;
        if (!m_done && m_pending.size() == m_pendingStart)
            curl_multi_poll(m_multi, nullptr, 0, 100, nullptr);
    }
}

bool HttpTransfer::Header(const std::string& name, std::string& value) const
{
    bool found = false;
    for (size_t i = 1; i < m_headerLines.size(); ++i) {
        const std::string& line = m_headerLines[i];
        size_t colon = line.find(':');
        if (colon == std::string::npos || colon != name.size())
            continue;
        if (strncasecmp(line.c_str(), name.c_str(), colon) == 0) {
            value = trim(line.substr(colon + 1));
            found = true;
        }
    }
    return found;
}

std::string HttpTransfer::RawHeaders() const
{
    std::string raw;
    for (const std::string& line : m_headerLines)
        raw += line + "\r\n";
    return raw + "\r\n";
}

}  // namespace mivo
