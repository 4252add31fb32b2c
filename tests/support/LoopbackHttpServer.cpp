#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <strings.h>

namespace mivotest {

namespace {

bool sendAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::send(fd, static_cast<const void*>(data), size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

const char* reasonFor(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

size_t contentLengthOf(const std::string& head)
{
    size_t pos = 0;
    while ((pos = head.find("\r\n", pos)) != std::string::npos) {
        pos += 2;
        if (strncasecmp(head.c_str() + pos, "Content-Length:", 15) == 0)
            return (size_t)std::strtoul(head.c_str() + pos + 15, nullptr, 10);
    }
    return 0;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : LoopbackHttpServer(std::move(handler), 0) {}

LoopbackHttpServer::LoopbackHttpServer(Handler handler, int port) : m_handler(std::move(handler))
{
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons((uint16_t)port);
    if (::bind(m_listen, (sockaddr*)&addr, sizeof addr) != 0 || ::listen(m_listen, 16) != 0) {
        ::close(m_listen);
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    socklen_t len = sizeof addr;
    ::getsockname(m_listen, (sockaddr*)&addr, &len);
    m_port = ntohs(addr.sin_port);
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stop = true;
    ::shutdown(m_listen, SHUT_RDWR);
    ::close(m_listen);
    m_acceptThread.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        workers.swap(m_workers);
    }
    for (std::thread& t : workers)
        t.join();
}

std::vector<HttpRequestRecord> LoopbackHttpServer::requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

void LoopbackHttpServer::acceptLoop()
{
    int connection = 0;
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> guard(m_lock);
        int id = ++connection;
        m_workers.emplace_back([this, fd, id] { serve(fd, id); });
    }
}

bool LoopbackHttpServer::readRequest(int fd, std::string& buffer, HttpRequestRecord& request)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    size_t headEnd;
    while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos ||
           buffer.size() < headEnd + 4 + contentLengthOf(buffer.substr(0, headEnd + 2))) {
        if (m_stop || std::chrono::steady_clock::now() > deadline)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char chunk[65536];
        ssize_t n = ::recv(fd, static_cast<void*>(chunk), sizeof chunk, 0);
        if (n <= 0)
            return false;
        buffer.append(chunk, (size_t)n);
    }
    std::string head = buffer.substr(0, headEnd + 2);
    size_t length = contentLengthOf(head);
    size_t lineEnd = head.find("\r\n");
    std::string line = head.substr(0, lineEnd);
    size_t s1 = line.find(' '), s2 = line.rfind(' ');
    request.method = line.substr(0, s1);
    request.path = s2 > s1 ? line.substr(s1 + 1, s2 - s1 - 1) : std::string();
    request.headers = head.substr(lineEnd + 2);
    request.body = buffer.substr(headEnd + 4, length);
    buffer.erase(0, headEnd + 4 + length);
    return true;
}

void LoopbackHttpServer::serve(int fd, int connection)
{
    std::string buffer;
    for (;;) {
        HttpRequestRecord request;
        request.connection = connection;
        if (!readRequest(fd, buffer, request))
            break;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_requests.push_back(request);
        }
        HttpReply reply = m_handler(request);
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonFor(reply.status) + "\r\n";
        for (const std::string& h : reply.headers)
            head += h + "\r\n";
        bool lying = reply.sendLength && reply.claimedLength >= 0;
        size_t length = lying ? (size_t)reply.claimedLength : reply.body.size();
        head += reply.sendLength ? "Content-Length: " + std::to_string(length) + "\r\n"
                                 : std::string("Connection: close\r\n");
        head += "\r\n";
        bool ok = sendAll(fd, head.data(), head.size());
        size_t step = reply.chunkBytes ? reply.chunkBytes : reply.body.size();
        for (size_t at = 0; ok && at < reply.body.size(); at += step) {
            if (at > 0 && reply.chunkDelayMs)
                std::this_thread::sleep_for(std::chrono::milliseconds(reply.chunkDelayMs));
            ok = sendAll(fd, reply.body.data() + at, std::min(step, reply.body.size() - at));
        }
        if (!ok || !reply.sendLength || lying)
            break;
    }
    ::close(fd);
}

}  // namespace mivotest
