#include "SocketTable.h"

#include <cerrno>

namespace mivo {

SocketTable& SocketTable::Instance()
{
    // Never destroyed: the watcher thread may still look at it while the process exits.
    static SocketTable* table = new SocketTable;
    return *table;
}

SOCKET SocketTable::Add(int fd, bool connected)
{
    auto record = std::make_shared<SocketRecord>();
    record->fd = fd;
    record->connected = connected;
    std::lock_guard<std::mutex> hold(lock_);
    SOCKET handle = next_;
    next_ += 4;  // handles are never reused, so a late notification cannot reach a newer socket
    sockets_[handle] = record;
    return handle;
}

std::shared_ptr<SocketRecord> SocketTable::Find(SOCKET s)
{
    std::lock_guard<std::mutex> hold(lock_);
    return FindLocked(s);
}

std::shared_ptr<SocketRecord> SocketTable::FindLocked(SOCKET s)
{
    auto it = sockets_.find(s);
    return it == sockets_.end() ? nullptr : it->second;
}

std::shared_ptr<SocketRecord> SocketTable::Remove(SOCKET s)
{
    std::lock_guard<std::mutex> hold(lock_);
    auto it = sockets_.find(s);
    if (it == sockets_.end())
        return nullptr;
    auto record = it->second;
    sockets_.erase(it);
    return record;
}

std::vector<std::pair<SOCKET, std::shared_ptr<SocketRecord>>> SocketTable::Watched()
{
    std::vector<std::pair<SOCKET, std::shared_ptr<SocketRecord>>> out;
    std::lock_guard<std::mutex> hold(lock_);
    for (auto& entry : sockets_)
        if (entry.second->window && entry.second->events && !entry.second->closeTold)
            out.push_back(entry);
    return out;
}

int WsaErrorFromErrno(int error)
{
    switch (error) {
    case 0: return 0;
    case EINTR: return WSAEINTR;
    case EBADF: return WSAENOTSOCK;
    case EACCES: case EPERM: return WSAEACCES;
    case EFAULT: return WSAEFAULT;
    case EINVAL: return WSAEINVAL;
    case EMFILE: case ENFILE: return WSAEMFILE;
    case EAGAIN: return WSAEWOULDBLOCK;
    case EINPROGRESS: return WSAEWOULDBLOCK;
    case EALREADY: return WSAEALREADY;
    case ENOTSOCK: return WSAENOTSOCK;
    case EDESTADDRREQ: return WSAEDESTADDRREQ;
    case EMSGSIZE: return WSAEMSGSIZE;
    case EPROTOTYPE: return WSAEPROTOTYPE;
    case ENOPROTOOPT: return WSAENOPROTOOPT;
    case EPROTONOSUPPORT: return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT: return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP: return WSAEOPNOTSUPP;
    case EPFNOSUPPORT: return WSAEPFNOSUPPORT;
    case EAFNOSUPPORT: return WSAEAFNOSUPPORT;
    case EADDRINUSE: return WSAEADDRINUSE;
    case EADDRNOTAVAIL: return WSAEADDRNOTAVAIL;
    case ENETDOWN: return WSAENETDOWN;
    case ENETUNREACH: return WSAENETUNREACH;
    case ENETRESET: return WSAENETRESET;
    case ECONNABORTED: return WSAECONNABORTED;
    case ECONNRESET: case EPIPE: return WSAECONNRESET;
    case ENOBUFS: case ENOMEM: return WSAENOBUFS;
    case EISCONN: return WSAEISCONN;
    case ENOTCONN: return WSAENOTCONN;
    case ESHUTDOWN: return WSAESHUTDOWN;
    case ETIMEDOUT: return WSAETIMEDOUT;
    case ECONNREFUSED: return WSAECONNREFUSED;
    case EHOSTUNREACH: return WSAEHOSTUNREACH;
    default: return WSAEINVAL;
    }
}

}  // namespace mivo
