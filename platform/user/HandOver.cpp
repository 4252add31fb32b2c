// Windows of other processes: each process answers for the classes of its
// top-level windows on a per-user Unix socket named after the class, so that
// FindWindow finds a window of another instance and messages with plain
// number parameters reach it (the single-instance hand-over).
#include "user/UserInternal.h"
#include "win32/input.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mivo {

namespace {

constexpr int kTimeoutMs = 5000;

std::string SocketFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string dir = (runtime && *runtime) ? std::string(runtime) + "/mivo-windows"
                                            : "/tmp/mivo-windows-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    return dir;
}

// The socket of a class: its name in hex, or a hash of it when that would be too long.
std::string SocketPath(const std::string& className)
{
    std::string key = FoldCaseCp949(className.c_str());
    std::string hex;
    for (unsigned char c : key) {
        char b[3];
        std::snprintf(b, sizeof(b), "%02x", c);
        hex += b;
    }
    std::string dir = SocketFolder();
    if (dir.size() + hex.size() + 6 >= sizeof(sockaddr_un::sun_path)) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : key)
            h = (h ^ c) * 1099511628211ull;
        char b[20];
        std::snprintf(b, sizeof(b), "%016llx", (unsigned long long)h);
        hex = b;
    }
    return dir + "/w" + hex;
}

bool FillAddress(const std::string& path, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof(addr.sun_path))
        return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool WriteAll(int fd, const std::string& s)
{
    size_t done = 0;
    while (done < s.size()) {
        ssize_t n = send(fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
        done += (size_t)n;
    }
    return true;
}

// One line, up to 4 KB, within the time limit.
bool ReadLine(int fd, std::string& line)
{
    line.clear();
    char c;
    while (line.size() < 4096) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, kTimeoutMs) <= 0)
            return false;
        ssize_t n = recv(fd, &c, 1, 0);
        if (n <= 0)
            return false;
        if (c == '\n')
            return true;
        line += c;
    }
    return false;
}

std::string Hex(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        char b[3];
        std::snprintf(b, sizeof(b), "%02x", c);
        out += b;
    }
    return out.empty() ? "-" : out;
}

std::string Unhex(const std::string& s)
{
    std::string out;
    if (s == "-")
        return out;
    for (size_t i = 0; i + 1 < s.size(); i += 2)
        out += (char)std::strtol(s.substr(i, 2).c_str(), nullptr, 16);
    return out;
}

// --- answering for our own windows

struct Listener {
    std::string path;
    int fd = -1;
    int count = 0;  // our top-level windows of this class
};

// Never destroyed: the listening thread may still look at them while the process ends.
std::mutex& g_lock = *new std::mutex;
std::map<std::string, Listener>& g_listeners = *new std::map<std::string, Listener>;  // by folded class name
int g_wakeRead = -1, g_wakeWrite = -1;
bool g_threadRunning = false;

bool OurWindowOfClass(HWND h, const std::string& cls)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(h);
    return w && !w->parent && !w->messageOnly && w->foreignSocket.empty() && FoldCaseCp949(w->cls->name.c_str()) == cls;
}

HWND FindOurs(const std::string& cls, bool anyTitle, const std::string& title)
{
    UserGuard guard(UserLock());
    for (HWND h : State().topLevels) {
        Window* w = FindWindowLocked(h);
        if (!w || w->messageOnly || !w->foreignSocket.empty() || FoldCaseCp949(w->cls->name.c_str()) != cls)
            continue;
        if (anyTitle || w->text == title)
            return h;
    }
    return nullptr;
}

std::string Answer(const std::string& cls, const std::string& request)
{
    char verb[16] = "";
    unsigned long long handle = 0;
    long long a = 0, b = 0, c = 0;
    char text[4200] = "";
    if (std::sscanf(request.c_str(), "%15s", verb) != 1)
        return "NO";
    std::string v = verb;
    if (v == "FIND") {
        std::sscanf(request.c_str(), "%*s %4199s", text);
        HWND found = FindOurs(cls, std::string(text) == "-", Unhex(text));
        return found ? "OK " + std::to_string((unsigned long long)(uintptr_t)found) : "NO";
    }
    if (std::sscanf(request.c_str(), "%*s %llu %lld %lld %lld", &handle, &a, &b, &c) < 1)
        return "NO";
    HWND h = (HWND)(uintptr_t)handle;
    if (!OurWindowOfClass(h, cls))
        return "NO";
    if (v == "SEND")
        return "OK " + std::to_string((long long)SendMessage(h, (UINT)a, (WPARAM)b, (LPARAM)c));
    if (v == "POST")
        return PostMessage(h, (UINT)a, (WPARAM)b, (LPARAM)c) ? "OK 1" : "NO";
    if (v == "SHOW")
        return "OK " + std::to_string(ShowWindow(h, (int)a));
    if (v == "FRONT")
        return "OK " + std::to_string(SetForegroundWindow(h));
    if (v == "ICONIC")
        return "OK " + std::to_string(IsIconic(h));
    if (v == "ALIVE")
        return "OK 1";
    return "NO";
}

void ServeConnection(int fd, const std::string& cls)
{
    std::string request;
    if (ReadLine(fd, request))
        WriteAll(fd, Answer(cls, request) + "\n");
    close(fd);
}

void ListenLoop()
{
    for (;;) {
        std::vector<pollfd> fds;
        std::vector<std::string> classes;
        {
            std::lock_guard<std::mutex> guard(g_lock);
            fds.push_back(pollfd{g_wakeRead, POLLIN, 0});
            classes.push_back("");
            for (auto& l : g_listeners)
                if (l.second.fd >= 0) {
                    fds.push_back(pollfd{l.second.fd, POLLIN, 0});
                    classes.push_back(l.first);
                }
        }
        if (poll(fds.data(), (nfds_t)fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents) {
            char buf[64];
            (void)!read(g_wakeRead, buf, sizeof(buf));
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            int client = accept(fds[i].fd, nullptr, nullptr);
            if (client >= 0)
                ServeConnection(client, classes[i]);
        }
    }
}

void WakeListener()
{
    if (g_wakeWrite >= 0)
        (void)!write(g_wakeWrite, "x", 1);
}

// Binds the class's socket unless another live process already answers for it.
int BindSocket(const std::string& path)
{
    sockaddr_un addr;
    if (!FillAddress(path, addr))
        return -1;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (bind(fd, (sockaddr*)&addr, sizeof(addr)) != 0) {
        int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bool alive = probe >= 0 && connect(probe, (sockaddr*)&addr, sizeof(addr)) == 0;
        if (probe >= 0)
            close(probe);
        // A socket left by a process that ended is taken over.
        if (alive || unlink(path.c_str()) != 0 || bind(fd, (sockaddr*)&addr, sizeof(addr)) != 0) {
            close(fd);
            return -1;
        }
    }
    if (listen(fd, 8) != 0) {
        close(fd);
        unlink(path.c_str());
        return -1;
    }
    return fd;
}

}  // namespace

void AnnounceTopLevelClass(const std::string& className, bool added)
{
    if (className.empty() || className[0] == '#')
        return;
    std::string key = FoldCaseCp949(className.c_str());
    std::lock_guard<std::mutex> guard(g_lock);
    Listener& l = g_listeners[key];
    if (added) {
        if (l.count++ > 0)
            return;
        l.path = SocketPath(className);
        l.fd = BindSocket(l.path);
        if (l.fd >= 0 && !g_threadRunning) {
            int pipes[2];
            if (pipe2(pipes, O_CLOEXEC | O_NONBLOCK) == 0) {
                g_wakeRead = pipes[0];
                g_wakeWrite = pipes[1];
                g_threadRunning = true;
                std::thread(ListenLoop).detach();
            }
        }
    } else if (l.count > 0 && --l.count == 0) {
        if (l.fd >= 0) {
            close(l.fd);
            unlink(l.path.c_str());
            l.fd = -1;
        }
    }
    WakeListener();
}

// --- reaching windows of other processes

namespace {

bool Ask(const std::string& socketPath, const std::string& request, std::string& reply)
{
    sockaddr_un addr;
    if (!FillAddress(socketPath, addr))
        return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = connect(fd, (sockaddr*)&addr, sizeof(addr)) == 0 && WriteAll(fd, request + "\n") && ReadLine(fd, reply);
    close(fd);
    return ok && reply.compare(0, 2, "OK") == 0;
}

std::shared_ptr<WindowClass> ForeignClass()
{
    static auto cls = [] {
        auto c = std::make_shared<WindowClass>();
        c->name = "#foreign";
        return c;
    }();
    return cls;
}

}  // namespace

HWND FindForeignWindow(LPCSTR cls, LPCSTR title)
{
    if (!cls || IS_INTRESOURCE(cls) || !*cls)
        return nullptr;
    std::string path = SocketPath(cls);
    {
        // Our own windows were searched already; our socket is not asked.
        std::lock_guard<std::mutex> guard(g_lock);
        auto it = g_listeners.find(FoldCaseCp949(cls));
        if (it != g_listeners.end() && it->second.fd >= 0)
            return nullptr;
    }
    std::string reply;
    if (!Ask(path, "FIND " + (title ? Hex(title) : std::string("-")), reply))
        return nullptr;
    unsigned long long remote = std::strtoull(reply.c_str() + 3, nullptr, 10);
    auto w = std::make_shared<Window>();
    w->cls = ForeignClass();
    w->messageOnly = true;
    w->foreignSocket = path;
    w->foreignHandle = remote;
    UserGuard guard(UserLock());
    uintptr_t h = State().nextHandle;
    State().nextHandle += 2;
    while (State().windows.count(h))
        h += 2;
    w->handle = (HWND)h;
    State().windows[h] = w;
    return w->handle;
}

bool IsForeignWindow(HWND hwnd, std::string* socket, unsigned long long* remote)
{
    UserGuard guard(UserLock());
    Window* w = FindWindowLocked(hwnd);
    if (!w || w->foreignSocket.empty())
        return false;
    if (socket)
        *socket = w->foreignSocket;
    if (remote)
        *remote = w->foreignHandle;
    return true;
}

// Asks the other process; false when the window or the process is gone.
bool AskForeign(HWND hwnd, const char* verb, long long a, long long b, long long c, long long* result)
{
    std::string socket;
    unsigned long long remote;
    if (!IsForeignWindow(hwnd, &socket, &remote))
        return false;
    std::string reply;
    std::string request = std::string(verb) + " " + std::to_string(remote) + " " + std::to_string(a) + " " +
                          std::to_string(b) + " " + std::to_string(c);
    if (!Ask(socket, request, reply))
        return false;
    if (result)
        *result = std::strtoll(reply.c_str() + 3, nullptr, 10);
    return true;
}

}  // namespace mivo
