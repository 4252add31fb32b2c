// Finding and talking to windows of other processes of the same user over per-user Unix sockets.
#include "shell/InstanceChannel.h"

#include "kernel/NamedMutexFile.h"
#include "mivo/instance.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace mivo::instance {

namespace {

const int kIoTimeoutMs = 10000;  // a peer that stops answering halfway through a record
const int kMaxServing = 32;      // connections served at once; more are turned away
const uintptr_t kProxyBase = 0x80000001;  // odd and above every handle the window manager hands out
const size_t kMaxProxies = 0x10000000;
const size_t kMaxOfferedSockets = 256;  // a title search asks at most this many sockets

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

uint64_t HashOf(const std::string& text)
{
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// A file-name-safe form: letters, digits, '_', '-' and '.' stay, every other byte becomes %XX.
std::string EscapeName(const std::string& name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
            c == '.') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (out.empty() || out[0] == '.')
        out = "%" + out;
    return out;
}

void SetTimeouts(int fd, int milliseconds, bool receive)
{
    timeval tv;
    tv.tv_sec = milliseconds / 1000;
    tv.tv_usec = (milliseconds % 1000) * 1000;
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    if (receive)
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

bool PeerOf(int fd, ucred& peer)
{
    socklen_t length = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && length == sizeof peer;
}

bool FillAddress(const std::string& path, sockaddr_un& address)
{
    memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A connection to the socket at `path` owned by this user; -1 with `error` set otherwise.
int ConnectTo(const std::string& path, int& error)
{
    sockaddr_un address;
    if (!FillAddress(path, address)) {
        error = ENAMETOOLONG;
        return -1;
    }
    // Not blocking: a listener whose backlog is full answers EAGAIN instead of holding us up.
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    int rc;
    do {
        rc = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    ucred peer;
    if (rc != 0) {
        error = errno;
    } else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = errno;
        rc = -1;
    } else if (!PeerOf(fd, peer) || peer.uid != geteuid()) {
        error = EACCES;
        rc = -1;
    }
    if (rc != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Nobody listens there: the process that made it died without removing it (or it is no socket).
bool IsStale(int error)
{
    return error == ECONNREFUSED || error == ENOTSOCK;
}

// Serialises the test-and-replace of sockets between processes, so that a process removing a
// stale socket never removes the live one another process has just put in its place.
class FolderLock {
public:
    explicit FolderLock(const std::string& socketPath)
    {
        std::string folder = socketPath.substr(0, socketPath.rfind('/'));
        fd_ = open((folder + "/instance.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ >= 0) {
            while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

// Removes the socket at `path` when nobody listens on it. Call with the folder lock held.
// True when the path is free now.
bool ClearStaleLocked(const std::string& path)
{
    int error = 0;
    int fd = ConnectTo(path, error);
    if (fd >= 0) {
        close(fd);
        return false;
    }
    if (error == ENOENT)
        return true;
    if (!IsStale(error))
        return false;
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

void ClearStale(const std::string& path)
{
    FolderLock lock(path);
    ClearStaleLocked(path);
}

void CopyName(char (&to)[kNameSize], const char* from)
{
    snprintf(to, sizeof to, "%s", from ? from : "");
}

// ---- proxies: handles of this process for windows of others ----

struct Proxy {
    pid_t pid = 0;
    uint64_t remote = 0;
    std::string path;
};

std::mutex& ProxyMutex()
{
    static std::mutex* m = new std::mutex;
    return *m;
}

std::vector<Proxy>& Proxies()
{
    static std::vector<Proxy>* list = new std::vector<Proxy>;
    return *list;
}

HWND MakeProxy(pid_t pid, uint64_t remote, const std::string& path)
{
    std::lock_guard<std::mutex> guard(ProxyMutex());
    std::vector<Proxy>& list = Proxies();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].pid == pid && list[i].remote == remote && list[i].path == path)
            return (HWND)(kProxyBase + 2 * i);
    }
    if (list.size() >= kMaxProxies)
        return nullptr;
    list.push_back(Proxy{pid, remote, path});
    return (HWND)(kProxyBase + 2 * (list.size() - 1));
}

bool FindProxy(HWND hwnd, Proxy& proxy)
{
    uintptr_t value = (uintptr_t)hwnd;
    if (value < kProxyBase || (value - kProxyBase) % 2 != 0)
        return false;
    size_t index = (value - kProxyBase) / 2;
    std::lock_guard<std::mutex> guard(ProxyMutex());
    if (index >= Proxies().size())
        return false;
    proxy = Proxies()[index];
    return true;
}

// Reads the reply on a helper thread while this thread waits in the kernel, which keeps handling
// the messages other threads send to it (as SendMessage does while it waits).
bool ReadWhileHandlingSentMessages(int fd, Reply& reply)
{
    HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    if (!done)
        return ReadAll(fd, &reply, sizeof reply);
    bool ok = false;
    std::thread reader([&] {
        ok = ReadAll(fd, &reply, sizeof reply);
        SetEvent(done);
    });
    WaitForSingleObject(done, INFINITE);
    reader.join();
    CloseHandle(done);
    return ok;
}

// One request to the process behind a proxy. False when the window or its process is gone or the
// request was refused.
bool CallProxy(HWND hwnd, Request& request, Reply& reply, bool waitForHandler = false)
{
    Proxy proxy;
    if (!FindProxy(hwnd, proxy)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    int error = 0;
    int fd = ConnectTo(proxy.path, error);
    if (fd < 0) {
        if (IsStale(error))
            ClearStale(proxy.path);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    ucred peer;
    bool ok = PeerOf(fd, peer) && peer.pid == proxy.pid;  // the class may have a new owner by now
    if (ok) {
        request.window = proxy.remote;
        SetTimeouts(fd, kIoTimeoutMs, !waitForHandler);
        ok = WriteAll(fd, &request, sizeof request);
        if (ok)
            ok = waitForHandler ? ReadWhileHandlingSentMessages(fd, reply) : ReadAll(fd, &reply, sizeof reply);
        ok = ok && reply.magic == kReplyMagic;
    }
    close(fd);
    if (!ok) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return reply.status == 1;
}

bool CallSimple(HWND hwnd, Operation operation, Reply& reply, int argument = 0)
{
    Request request;
    request.operation = operation;
    request.argument = argument;
    return CallProxy(hwnd, request, reply);
}

}  // namespace

std::string FoldClassName(const char* className)
{
    std::string folded;
    if (!className)
        return folded;
    for (const unsigned char* p = (const unsigned char*)className; *p; ++p) {
        if (IsLeadByte(*p) && p[1]) {
            folded += (char)p[0];
            folded += (char)p[1];
            ++p;
        } else {
            folded += (char)((*p >= 'a' && *p <= 'z') ? *p - 'a' + 'A' : *p);
        }
    }
    return folded;
}

std::string SocketPath(const char* className)
{
    std::string folder = NamedMutexFile::LockFolder();
    if (folder.empty())
        return std::string();
    std::string name = EscapeName(FoldClassName(className));
    std::string path = folder + "/" + name + ".wnd";
    if (path.size() >= sizeof(sockaddr_un::sun_path)) {
        char tail[24];
        snprintf(tail, sizeof tail, "~%016llx", (unsigned long long)HashOf(FoldClassName(className)));
        path = folder + "/" + name.substr(0, 24) + tail + ".wnd";
        if (path.size() >= sizeof(sockaddr_un::sun_path))
            return std::string();
    }
    return path;
}

std::vector<std::string> OfferedSockets()
{
    std::vector<std::string> paths;
    std::string folder = NamedMutexFile::LockFolder();
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir)
        return paths;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wnd") == 0 && paths.size() < kMaxOfferedSockets)
            paths.push_back(folder + "/" + name);
    }
    closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool MayCross(UINT message)
{
    switch (message) {
    case WM_NULL:
    case WM_CLOSE:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
        return true;
    default:
        return message >= WM_USER && message <= 0xFFFF;
    }
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = send(fd, static_cast<const void*>(p), size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= (size_t)n;
    }
    return true;
}

bool ReadAll(int fd, void* data, size_t size)
{
    char* p = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = recv(fd, static_cast<void*>(p), size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= (size_t)n;
    }
    return true;
}

// ---- the listening side ----

Server& Server::Instance()
{
    // Never destroyed: the listener and the connections may still run while the process exits.
    static Server* server = new Server;
    return *server;
}

Server::Server() {}

BOOL Server::Publish(const char* className, HWND pinned)
{
    if (!className || IS_INTRESOURCE(className) || !*className || strlen(className) >= kNameSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string folded = FoldClassName(className);
    std::lock_guard<std::mutex> guard(mutex_);
    auto known = offers_.find(folded);
    if (known != offers_.end()) {
        if (pinned)
            known->second.pinned = pinned;
        return TRUE;
    }
    Offer offer;
    offer.className = className;
    offer.pinned = pinned;
    offer.path = SocketPath(className);
    sockaddr_un address;
    if (!FillAddress(offer.path, address)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    FolderLock lock(offer.path);
    if (!ClearStaleLocked(offer.path)) {
        SetLastError(ERROR_ALREADY_EXISTS);  // another live process offers the class
        return FALSE;
    }
    offer.fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    struct stat st;
    if (offer.fd < 0 || bind(offer.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        chmod(offer.path.c_str(), 0600) != 0 || listen(offer.fd, 16) != 0 || stat(offer.path.c_str(), &st) != 0) {
        if (offer.fd >= 0) {
            close(offer.fd);
            unlink(offer.path.c_str());
        }
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    offer.inode = st.st_ino;
    offers_[folded] = offer;
    if (!exitHookInstalled_) {
        exitHookInstalled_ = true;
        atexit(&Server::RemoveSocketsAtExit);
    }
    StartListenerLocked();
    Wake();
    return TRUE;
}

void Server::Withdraw(const char* className)
{
    if (!className || IS_INTRESOURCE(className))
        return;
    std::lock_guard<std::mutex> guard(mutex_);
    auto it = offers_.find(FoldClassName(className));
    if (it == offers_.end())
        return;
    struct stat st;
    if (stat(it->second.path.c_str(), &st) == 0 && st.st_ino == it->second.inode)
        unlink(it->second.path.c_str());
    shutdown(it->second.fd, SHUT_RDWR);
    retired_.push_back(it->second.fd);  // closed by the listener, which may be polling it now
    offers_.erase(it);
    Wake();
}

bool Server::Offers(const std::string& foldedName)
{
    std::lock_guard<std::mutex> guard(mutex_);
    return offers_.count(foldedName) != 0;
}

void Server::StartListenerLocked()
{
    if (listenerStarted_)
        return;
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    listenerStarted_ = true;
    std::thread(&Server::Listen, this).detach();
}

void Server::Wake()
{
    if (wake_[1] >= 0) {
        char byte = 1;
        ssize_t ignored = write(wake_[1], &byte, 1);
        (void)ignored;
    }
}

void Server::Listen()
{
    for (;;) {
        std::vector<pollfd> fds;
        std::vector<std::string> names;
        {
            std::lock_guard<std::mutex> guard(mutex_);
            for (int fd : retired_)
                close(fd);
            retired_.clear();
            fds.push_back(pollfd{wake_[0], POLLIN, 0});
            for (auto& offer : offers_) {
                fds.push_back(pollfd{offer.second.fd, POLLIN, 0});
                names.push_back(offer.first);
            }
        }
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents) {
            char buffer[64];
            while (read(wake_[0], buffer, sizeof buffer) > 0) {
            }
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            int connection = accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            if (serving_.load() >= kMaxServing) {
                close(connection);
                continue;
            }
            ++serving_;
            std::thread(&Server::Serve, this, connection, names[i - 1]).detach();
        }
    }
}

void Server::Serve(int connection, std::string foldedName)
{
    ucred peer;
    Request request;
    if (PeerOf(connection, peer) && peer.uid == geteuid()) {
        SetTimeouts(connection, kIoTimeoutMs, true);
        if (ReadAll(connection, &request, sizeof request) && request.magic == kRequestMagic) {
            Reply reply = Answer(request, foldedName);
            WriteAll(connection, &reply, sizeof reply);
        }
    }
    close(connection);
    --serving_;
}

HWND Server::FindOffered(const Request& request, const std::string& foldedName)
{
    if (request.anyClass)
        return request.hasWindowName ? FindWindowEx(nullptr, nullptr, nullptr, request.windowName) : nullptr;
    if (FoldClassName(request.className) != foldedName)
        return nullptr;
    const char* title = request.hasWindowName ? request.windowName : nullptr;
    if (!title) {
        std::lock_guard<std::mutex> guard(mutex_);
        auto it = offers_.find(foldedName);
        if (it == offers_.end())
            return nullptr;
        if (it->second.pinned && IsWindow(it->second.pinned))
            return it->second.pinned;
    }
    return FindWindowEx(nullptr, nullptr, request.className, title);
}

bool Server::HandedOut(HWND hwnd)
{
    std::lock_guard<std::mutex> guard(mutex_);
    return handedOut_.count(hwnd) != 0;
}

Reply Server::Answer(const Request& received, const std::string& foldedName)
{
    Request request = received;
    request.className[kNameSize - 1] = 0;
    request.windowName[kNameSize - 1] = 0;
    Reply reply;
    if (request.operation == kFind) {
        HWND found = FindOffered(request, foldedName);
        if (found) {
            std::lock_guard<std::mutex> guard(mutex_);
            handedOut_.insert(found);
            reply.window = (uint64_t)(uintptr_t)found;
            reply.status = 1;
        }
        return reply;
    }
    HWND hwnd = (HWND)(uintptr_t)request.window;
    if (!HandedOut(hwnd) || !IsWindow(hwnd))
        return reply;
    switch (request.operation) {
    case kIsWindow:
        reply.status = 1;
        reply.value = 1;
        break;
    case kPost:
        if (MayCross(request.message))
            reply.status = PostMessage(hwnd, request.message, (WPARAM)request.wParam, (LPARAM)request.lParam) ? 1 : 0;
        break;
    case kSend:
        if (MayCross(request.message)) {
            reply.value = (int64_t)SendMessage(hwnd, request.message, (WPARAM)request.wParam, (LPARAM)request.lParam);
            reply.status = 1;
        }
        break;
    case kShow:
        if (request.argument >= SW_HIDE && request.argument <= SW_MAX) {
            reply.value = ShowWindow(hwnd, request.argument);
            reply.status = 1;
        }
        break;
    case kSetForeground:
        reply.status = SetForegroundWindow(hwnd) ? 1 : 0;
        break;
    case kBringToTop:
        reply.status = BringWindowToTop(hwnd) ? 1 : 0;
        break;
    case kIsIconic:
        reply.value = IsIconic(hwnd);
        reply.status = 1;
        break;
    case kLastActivePopup: {
        HWND popup = GetWindow(hwnd, GW_ENABLEDPOPUP);
        if (!popup)
            popup = hwnd;
        std::lock_guard<std::mutex> guard(mutex_);
        handedOut_.insert(popup);
        reply.window = (uint64_t)(uintptr_t)popup;
        reply.status = 1;
        break;
    }
    default:
        break;
    }
    return reply;
}

void Server::RemoveSocketsAtExit()
{
    Instance().RemoveSockets();
}

void Server::RemoveSockets()
{
    std::lock_guard<std::mutex> guard(mutex_);
    for (auto& offer : offers_) {
        struct stat st;
        if (stat(offer.second.path.c_str(), &st) == 0 && st.st_ino == offer.second.inode)
            unlink(offer.second.path.c_str());
    }
}

}  // namespace mivo::instance

// ---- the public functions ----

namespace mivo {

using namespace instance;

BOOL PublishInstanceClass(const char* className)
{
    return Server::Instance().Publish(className, nullptr);
}

BOOL PublishInstanceWindow(const char* className, HWND hwnd)
{
    return Server::Instance().Publish(className, hwnd);
}

void WithdrawInstanceClass(const char* className)
{
    Server::Instance().Withdraw(className);
}

namespace {

// Asks the process listening at `path` for a window; a proxy for it, or NULL.
HWND AskSocket(const std::string& path, const Request& request)
{
    int error = 0;
    int fd = ConnectTo(path, error);
    if (fd < 0) {
        if (IsStale(error))
            ClearStale(path);
        return nullptr;
    }
    ucred peer;
    Reply reply;
    bool ok = PeerOf(fd, peer) && peer.pid != getpid();
    if (ok) {
        SetTimeouts(fd, kIoTimeoutMs, true);
        ok = WriteAll(fd, &request, sizeof request) && ReadAll(fd, &reply, sizeof reply) &&
             reply.magic == kReplyMagic && reply.status == 1 && reply.window != 0;
    }
    close(fd);
    return ok ? MakeProxy(peer.pid, reply.window, path) : nullptr;
}

// A window of that title in any process on the channel (a dialog has no class of its own to offer).
HWND FindTitleOnChannel(const char* windowName)
{
    Request request;
    request.operation = kFind;
    request.anyClass = 1;
    request.hasWindowName = 1;
    CopyName(request.windowName, windowName);
    for (const std::string& path : OfferedSockets()) {
        if (HWND found = AskSocket(path, request))
            return found;
    }
    return nullptr;
}

}  // namespace

HWND FindInstanceWindow(const char* className, const char* windowName)
{
    if (windowName && strlen(windowName) >= kNameSize)
        return nullptr;
    if (!className)
        return windowName ? FindTitleOnChannel(windowName) : nullptr;
    if (IS_INTRESOURCE(className) || !*className || strlen(className) >= kNameSize)
        return nullptr;
    if (Server::Instance().Offers(FoldClassName(className)))
        return nullptr;  // ours: the window manager finds our own windows
    std::string path = SocketPath(className);
    if (path.empty())
        return nullptr;
    Request request;
    request.operation = kFind;
    CopyName(request.className, className);
    if (windowName) {
        request.hasWindowName = 1;
        CopyName(request.windowName, windowName);
    }
    return AskSocket(path, request);
}

bool IsForeignWindow(HWND hwnd)
{
    Proxy proxy;
    return FindProxy(hwnd, proxy);
}

BOOL ForeignIsWindow(HWND hwnd)
{
    Reply reply;
    return CallSimple(hwnd, kIsWindow, reply) && reply.value == 1;
}

BOOL ForeignPostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!MayCross(msg)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    Request request;
    Reply reply;
    request.operation = kPost;
    request.message = msg;
    request.wParam = (uint64_t)wParam;
    request.lParam = (int64_t)lParam;
    return CallProxy(hwnd, request, reply) ? TRUE : FALSE;
}

LRESULT ForeignSendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!MayCross(msg)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    Request request;
    Reply reply;
    request.operation = kSend;
    request.message = msg;
    request.wParam = (uint64_t)wParam;
    request.lParam = (int64_t)lParam;
    return CallProxy(hwnd, request, reply, true) ? (LRESULT)reply.value : 0;
}

BOOL ForeignShowWindow(HWND hwnd, int nCmdShow)
{
    Reply reply;
    return CallSimple(hwnd, kShow, reply, nCmdShow) ? (BOOL)reply.value : FALSE;
}

BOOL ForeignSetForegroundWindow(HWND hwnd)
{
    Reply reply;
    return CallSimple(hwnd, kSetForeground, reply) ? TRUE : FALSE;
}

BOOL ForeignBringWindowToTop(HWND hwnd)
{
    Reply reply;
    return CallSimple(hwnd, kBringToTop, reply) ? TRUE : FALSE;
}

BOOL ForeignIsIconic(HWND hwnd)
{
    Reply reply;
    return CallSimple(hwnd, kIsIconic, reply) ? (BOOL)reply.value : FALSE;
}

HWND ForeignGetLastActivePopup(HWND hwnd)
{
    Proxy proxy;
    Reply reply;
    if (!FindProxy(hwnd, proxy) || !CallSimple(hwnd, kLastActivePopup, reply) || !reply.window)
        return nullptr;
    return MakeProxy(proxy.pid, reply.window, proxy.path);
}

DWORD ForeignWindowProcessId(HWND hwnd)
{
    Proxy proxy;
    return FindProxy(hwnd, proxy) ? (DWORD)proxy.pid : 0;
}

}  // namespace mivo
