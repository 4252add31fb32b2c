// The sockets behind SOCKET handles: their descriptors and what their owners asked to be told.
#pragma once

#include "win32/types.h"
#include "win32/winsock.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace mivo {

// One socket. Fields other than fd are guarded by the table's lock.
struct SocketRecord {
    int fd = -1;
    bool nonBlocking = false;
    bool listening = false;
    bool connecting = false;  // a non-blocking connect has not finished
    bool connected = false;
    HWND window = nullptr;    // WSAAsyncSelect target
    UINT message = 0;
    long events = 0;          // events asked for
    long armed = 0;           // events that may be told now
    bool closeTold = false;
};

class SocketTable {
public:
    static SocketTable& Instance();

    // A new handle for a descriptor the table now owns.
    SOCKET Add(int fd, bool connected);
    std::shared_ptr<SocketRecord> Find(SOCKET s);
    // The same while the caller holds Lock().
    std::shared_ptr<SocketRecord> FindLocked(SOCKET s);
    // Takes the socket out of the table; the caller closes its descriptor.
    std::shared_ptr<SocketRecord> Remove(SOCKET s);
    // The sockets that want to be told about events, with their handles.
    std::vector<std::pair<SOCKET, std::shared_ptr<SocketRecord>>> Watched();

    std::mutex& Lock() { return lock_; }

private:
    SocketTable() = default;

    std::mutex lock_;
    std::map<SOCKET, std::shared_ptr<SocketRecord>> sockets_;
    SOCKET next_ = 0x100;
};

// The WSAE code of a system error number.
int WsaErrorFromErrno(int error);

}  // namespace mivo
