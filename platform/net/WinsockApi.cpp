// Windows socket calls over the system's sockets. Handles are the table's; errors go to the
// thread's last error as WSAE codes.
#include "SocketTable.h"
#include "SocketWatcher.h"
#include "win32.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using mivo::SocketRecord;
using mivo::SocketTable;
using mivo::SocketWatcher;

namespace {

int Fail(int wsaError)
{
    WSASetLastError(wsaError);
    return SOCKET_ERROR;
}

int FailErrno()
{
    return Fail(mivo::WsaErrorFromErrno(errno));
}

std::shared_ptr<SocketRecord> Lookup(SOCKET s)
{
    auto r = SocketTable::Instance().Find(s);
    if (!r)
        WSASetLastError(WSAENOTSOCK);
    return r;
}

void SetNonBlocking(int fd, bool on)
{
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

// A call that re-enables an event makes the watcher look again.
void Arm(SocketRecord& r, long event)
{
    bool wake;
    {
        std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
        wake = r.window && (r.events & event) && !(r.armed & event);
        r.armed |= r.events & event;
    }
    if (wake)
        SocketWatcher::Instance().Wake();
}

int Succeed(int value)
{
    WSASetLastError(0);
    return value;
}

}  // namespace

SOCKET WSASocket(int af, int type, int protocol, void*, unsigned, DWORD)
{
    int fd = ::socket(af, type | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        FailErrno();
        return INVALID_SOCKET;
    }
    WSASetLastError(0);
    return SocketTable::Instance().Add(fd, false);
}

int closesocket(SOCKET s)
{
    auto r = SocketTable::Instance().Remove(s);
    if (!r)
        return Fail(WSAENOTSOCK);
    // Shutting down first wakes a thread blocked in this socket's calls.
    ::shutdown(r->fd, SHUT_RDWR);
    ::close(r->fd);
    SocketWatcher::Instance().Wake();
    return Succeed(0);
}

int bind(SOCKET s, const struct sockaddr* name, int namelen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!name || namelen <= 0)
        return Fail(WSAEFAULT);
    int yes = 1;  // Windows lets a listener take a port that closed connections still hold
    ::setsockopt(r->fd, SOL_SOCKET, SO_REUSEADDR, &yes, (socklen_t)sizeof yes);
    if (::bind(r->fd, name, (socklen_t)namelen) != 0)
        return FailErrno();
    return Succeed(0);
}

int listen(SOCKET s, int backlog)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (::listen(r->fd, backlog) != 0)
        return FailErrno();
    {
        std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
        r->listening = true;
        r->armed |= r->events & FD_ACCEPT;
    }
    SocketWatcher::Instance().Wake();
    return Succeed(0);
}

SOCKET accept(SOCKET s, struct sockaddr* addr, int* addrlen)
{
    auto r = Lookup(s);
    if (!r)
        return INVALID_SOCKET;
    sockaddr_storage peer = {};
    socklen_t len = sizeof peer;
    int fd = ::accept4(r->fd, (sockaddr*)&peer, &len, SOCK_CLOEXEC);
    int error = errno;
    Arm(*r, FD_ACCEPT);
    if (fd < 0) {
        WSASetLastError(mivo::WsaErrorFromErrno(error));
        return INVALID_SOCKET;
    }
    if (addr && addrlen) {
        if (*addrlen < (int)sizeof(sockaddr_in)) {
            ::close(fd);
            WSASetLastError(WSAEFAULT);
            return INVALID_SOCKET;
        }
        int n = (int)len < *addrlen ? (int)len : *addrlen;
        memcpy(addr, &peer, n);
        *addrlen = n;
    }
    SOCKET accepted = SocketTable::Instance().Add(fd, true);
    auto a = SocketTable::Instance().Find(accepted);
    // The new socket has the listener's selection, as on Windows.
    {
        std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
        a->nonBlocking = r->nonBlocking;
        a->window = r->window;
        a->message = r->message;
        a->events = r->events;
        a->armed = r->events & ~(FD_ACCEPT | FD_CONNECT);
    }
    SetNonBlocking(fd, a->nonBlocking);
    if (a->window)
        SocketWatcher::Instance().Wake();
    WSASetLastError(0);
    return accepted;
}

int connect(SOCKET s, const struct sockaddr* name, int namelen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!name || namelen <= 0)
        return Fail(WSAEFAULT);
    int rc = ::connect(r->fd, name, (socklen_t)namelen);
    int error = errno;
    if (rc == 0) {
        {
            std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
            r->connected = true;
            if (r->window) {
                // Told at once, as a finished connect is on Windows.
                PostMessage(r->window, r->message, (WPARAM)s, WSAMAKESELECTREPLY(FD_CONNECT, 0));
                r->armed |= r->events & (FD_READ | FD_WRITE | FD_CLOSE | FD_OOB);
            }
        }
        SocketWatcher::Instance().Wake();
        return Succeed(0);
    }
    if (error == EINPROGRESS) {
        {
            std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
            r->connecting = true;
            r->armed |= r->events & (FD_READ | FD_WRITE | FD_CLOSE | FD_OOB);
        }
        SocketWatcher::Instance().Wake();
        return Fail(WSAEWOULDBLOCK);
    }
    return Fail(mivo::WsaErrorFromErrno(error));
}

int send(SOCKET s, const char* buf, int len, int flags)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (len < 0 || (!buf && len > 0))
        return Fail(WSAEFAULT);
    ssize_t n = ::send(r->fd, (const void*)buf, (size_t)len, (flags & MSG_OOB) | MSG_NOSIGNAL);
    if (n < 0) {
        int error = errno;
        if (error == EAGAIN)
            Arm(*r, FD_WRITE);
        return Fail(mivo::WsaErrorFromErrno(error));
    }
    return Succeed((int)n);
}

int recv(SOCKET s, char* buf, int len, int flags)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (len < 0 || (!buf && len > 0))
        return Fail(WSAEFAULT);
    ssize_t n = ::recv(r->fd, (void*)buf, (size_t)len, flags & (MSG_PEEK | MSG_OOB));
    int error = errno;
    Arm(*r, FD_READ);
    if (n < 0)
        return Fail(mivo::WsaErrorFromErrno(error));
    return Succeed((int)n);
}

int shutdown(SOCKET s, int how)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    int h = how == SD_RECEIVE ? SHUT_RD : how == SD_SEND ? SHUT_WR : SHUT_RDWR;
    if (::shutdown(r->fd, h) != 0)
        return FailErrno();
    return Succeed(0);
}

int getpeername(SOCKET s, struct sockaddr* name, int* namelen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!name || !namelen || *namelen < 0)
        return Fail(WSAEFAULT);
    socklen_t len = (socklen_t)*namelen;
    if (::getpeername(r->fd, name, &len) != 0)
        return FailErrno();
    *namelen = (int)len;
    return Succeed(0);
}

int getsockname(SOCKET s, struct sockaddr* name, int* namelen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!name || !namelen || *namelen < 0)
        return Fail(WSAEFAULT);
    socklen_t len = (socklen_t)*namelen;
    if (::getsockname(r->fd, name, &len) != 0)
        return FailErrno();
    *namelen = (int)len;
    return Succeed(0);
}

int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (optlen < 0 || (!optval && optlen > 0))
        return Fail(WSAEFAULT);
    if (::setsockopt(r->fd, level, optname, (const void*)optval, (socklen_t)optlen) != 0)
        return FailErrno();
    return Succeed(0);
}

int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!optval || !optlen || *optlen < 0)
        return Fail(WSAEFAULT);
    socklen_t len = (socklen_t)*optlen;
    if (::getsockopt(r->fd, level, optname, (void*)optval, &len) != 0)
        return FailErrno();
    *optlen = (int)len;
    return Succeed(0);
}

int ioctlsocket(SOCKET s, long cmd, ULONG* argp)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (!argp)
        return Fail(WSAEFAULT);
    if (cmd == WS_FIONBIO) {
        {
            std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
            // Windows keeps a socket with a window selection non-blocking.
            if (!*argp && r->window && r->events)
                return Fail(WSAEINVAL);
            r->nonBlocking = *argp != 0;
        }
        SetNonBlocking(r->fd, *argp != 0);
        return Succeed(0);
    }
    if (cmd == WS_FIONREAD) {
        int waiting = 0;
        if (::ioctl(r->fd, FIONREAD, &waiting) != 0)
            return FailErrno();
        *argp = (ULONG)waiting;
        return Succeed(0);
    }
    return Fail(WSAEINVAL);
}

int WSAAsyncSelect(SOCKET s, HWND hWnd, UINT wMsg, long lEvent)
{
    auto r = Lookup(s);
    if (!r)
        return SOCKET_ERROR;
    if (lEvent && !IsWindow(hWnd))
        return Fail(WSAEINVAL);
    {
        std::lock_guard<std::mutex> hold(SocketTable::Instance().Lock());
        r->window = lEvent ? hWnd : nullptr;
        r->message = wMsg;
        r->events = lEvent & FD_ALL_EVENTS;
        r->armed = r->events;
        r->closeTold = false;
        r->nonBlocking = true;
    }
    SetNonBlocking(r->fd, true);
    SocketWatcher::Instance().Wake();
    return Succeed(0);
}
