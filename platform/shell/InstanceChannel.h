// The socket channel behind mivo/instance.h.
//
// Each offered window class has one listening Unix socket "<class>.wnd" in the user's private runtime
// folder (the folder of the named mutexes). A request is one fixed-size record on a fresh connection,
// answered by one reply record; the connection then closes. The server answers only processes of
// its own user, and only for windows it has handed out (found by class, or their popups).
#pragma once

#include "win32.h"

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace mivo::instance {

enum Operation : uint32_t {
    kFind = 1,
    kIsWindow,
    kPost,
    kSend,
    kShow,
    kSetForeground,
    kBringToTop,
    kIsIconic,
    kLastActivePopup,
    kOperationEnd
};

const uint32_t kRequestMagic = 0x4D564951;  // "MVIQ"
const uint32_t kReplyMagic = 0x4D564952;    // "MVIR"
const size_t kNameSize = 256;

struct Request {
    uint32_t magic = kRequestMagic;
    uint32_t operation = 0;
    uint64_t window = 0;  // the handle in the receiving process
    uint32_t message = 0;
    int32_t argument = 0;  // ShowWindow's command
    uint64_t wParam = 0;
    int64_t lParam = 0;
    uint32_t hasWindowName = 0;
    uint32_t anyClass = 0;  // kFind: a top-level window of any class with the title

    char className[kNameSize] = {};
    char windowName[kNameSize] = {};
};

struct Reply {
    uint32_t magic = kReplyMagic;
    int32_t status = 0;  // 1 done, 0 refused or failed
    int64_t value = 0;
    uint64_t window = 0;
};

// Upper-cases ASCII letters of a class name, leaving CP949 double-byte characters whole.
std::string FoldClassName(const char* className);
// The socket path for a class; empty when the private folder cannot be made or the path would not
// fit a socket address.
std::string SocketPath(const char* className);
// Whether a message may cross to another process (it carries no pointer).
bool MayCross(UINT message);

// The sockets of every offered class in the private folder, sorted.
std::vector<std::string> OfferedSockets();

// Sends and receives whole records; false on error, end of stream or time-out.
bool WriteAll(int fd, const void* data, size_t size);
bool ReadAll(int fd, void* data, size_t size);

// The listening side of this process.
class Server {
public:
    static Server& Instance();

    BOOL Publish(const char* className, HWND pinned);
    void Withdraw(const char* className);
    bool Offers(const std::string& foldedName);

private:
    struct Offer {
        std::string className;
        std::string path;
        int fd = -1;
        ino_t inode = 0;
        HWND pinned = nullptr;
    };

    Server();
    void StartListenerLocked();
    void Wake();
    void Listen();
    void Serve(int connection, std::string foldedName);
    Reply Answer(const Request& request, const std::string& foldedName);
    HWND FindOffered(const Request& request, const std::string& foldedName);
    bool HandedOut(HWND hwnd);
    static void RemoveSocketsAtExit();
    void RemoveSockets();

    std::mutex mutex_;
    std::map<std::string, Offer> offers_;  // by folded class name
    std::vector<int> retired_;              // withdrawn sockets the listener closes
    std::set<HWND> handedOut_;
    int wake_[2] = {-1, -1};
    bool listenerStarted_ = false;
    bool exitHookInstalled_ = false;
    std::atomic<int> serving_{0};
};

}  // namespace mivo::instance
