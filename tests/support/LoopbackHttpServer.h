// A small HTTP/1.1 server on 127.0.0.1 for tests: answers with what the test
// says, optionally without a length or slowly, and records every request.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mivotest {

struct HttpRequestRecord {
    std::string method;
    std::string path;
    std::string headers;  // raw head lines after the request line, CR LF separated
    std::string body;
    int connection = 0;   // which accepted connection carried it
};

struct HttpReply {
    int status = 200;
    std::string body;
    bool sendLength = true;         // false: no Content-Length, the connection closes after the body
    std::vector<std::string> headers;
    size_t chunkBytes = 0;          // when set, the body goes out in pieces of this size
    int chunkDelayMs = 0;           // with a pause between them
    long long claimedLength = -1;   // when 0 or more, the Content-Length sent whatever the body's size;
                                    // the connection closes after the body
};

// One HTML page, as every request of a page-showing scene or test is answered.
inline HttpReply HtmlReply(const std::string& page)
{
    HttpReply reply;
    reply.body = page;
    reply.headers = {"Content-Type: text/html"};
    return reply;
}

class LoopbackHttpServer {
public:
    using Handler = std::function<HttpReply(const HttpRequestRecord&)>;

    explicit LoopbackHttpServer(Handler handler);
    // On a given port (0: any free one); throws when it cannot listen there.
    LoopbackHttpServer(Handler handler, int port);
    ~LoopbackHttpServer();

    int port() const { return m_port; }
    std::vector<HttpRequestRecord> requests() const;

private:
    void acceptLoop();
    void serve(int fd, int connection);
    bool readRequest(int fd, std::string& buffer, HttpRequestRecord& request);

    Handler m_handler;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptThread;
    mutable std::mutex m_lock;
    std::vector<std::thread> m_workers;
    std::vector<HttpRequestRecord> m_requests;
};

}  // namespace mivotest
