#include "SocketWatcher.h"

#include "SocketTable.h"
#include "win32.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace mivo {

namespace {

short PollEventsOf(const SocketRecord& r)
{
    if (r.listening)
        return (r.armed & FD_ACCEPT) ? POLLIN : 0;
    if (r.connecting)
        return POLLOUT;
    if (!r.connected)
        return 0;
    short ev = 0;
    if (r.armed & FD_READ)
        ev |= POLLIN;
    else if ((r.armed & FD_CLOSE) && !(r.events & FD_READ))
        ev |= POLLRDHUP;  // only the close matters; waiting data must not wake the watcher
    if (r.armed & FD_WRITE)
        ev |= POLLOUT;
    return ev;
}

struct Notice {
    HWND window;
    UINT message;
    SOCKET socket;
    long event;
    int error;
};

// Decides what a socket's poll result tells its window. Called under the table's lock.
void Collect(SOCKET s, SocketRecord& r, short revents, std::vector<Notice>& out)
{
    auto tell = [&](long event, int error) {
        if (r.events & event)
            out.push_back(Notice{r.window, r.message, s, event, error});
    };
    if (r.listening) {
        if (revents & POLLIN) {
            r.armed &= ~FD_ACCEPT;
            tell(FD_ACCEPT, 0);
        }
        return;
    }
    if (r.connecting) {
        int error = 0;
        socklen_t len = sizeof error;
        getsockopt(r.fd, SOL_SOCKET, SO_ERROR, &error, &len);
        r.connecting = false;
        r.connected = error == 0;
        tell(FD_CONNECT, WsaErrorFromErrno(error));
        if (r.connected && (r.armed & FD_WRITE)) {
            r.armed &= ~FD_WRITE;
            tell(FD_WRITE, 0);
        }
        return;
    }
    if (!(r.events & FD_READ) && (revents & (POLLRDHUP | POLLHUP | POLLERR))) {
        r.closeTold = true;
        r.armed = 0;
        tell(FD_CLOSE, (revents & POLLERR) ? WSAECONNRESET : 0);
        return;
    }
    if (revents & (POLLIN | POLLHUP | POLLERR)) {
        char probe;
        ssize_t n = ::recv(r.fd, (void*)&probe, (size_t)1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0) {
            if (r.armed & FD_READ) {
                r.armed &= ~FD_READ;
                tell(FD_READ, 0);
            }
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            int error = n == 0 ? 0 : WsaErrorFromErrno(errno);
            r.closeTold = true;
            r.armed = 0;
            tell(FD_CLOSE, error == WSAECONNRESET ? WSAECONNRESET : error ? WSAECONNABORTED : 0);
            return;
        }
    }
    if ((revents & POLLOUT) && (r.armed & FD_WRITE)) {
        r.armed &= ~FD_WRITE;
        tell(FD_WRITE, 0);
    }
}

}  // namespace

SocketWatcher& SocketWatcher::Instance()
{
    // Never destroyed: its thread runs until the process ends.
    static SocketWatcher* watcher = new SocketWatcher;
    return *watcher;
}

SocketWatcher::SocketWatcher()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
    std::thread([this] { Run(); }).detach();
}

void SocketWatcher::Wake()
{
    char b = 1;
    if (wakeWrite_ >= 0 && write(wakeWrite_, &b, 1) < 0) {
        // A full pipe already wakes the watcher.
    }
}

void SocketWatcher::Run()
{
    SocketTable& table = SocketTable::Instance();
    std::vector<pollfd> fds;
    std::vector<std::pair<SOCKET, std::shared_ptr<SocketRecord>>> watched;
    std::vector<Notice> notices;
    for (;;) {
        watched.clear();
        fds.clear();
        fds.push_back(pollfd{wakeRead_, POLLIN, 0});
        {
            auto all = table.Watched();
            std::lock_guard<std::mutex> hold(table.Lock());
            for (auto& entry : all) {
                short ev = PollEventsOf(*entry.second);
                if (!ev)
                    continue;
                fds.push_back(pollfd{entry.second->fd, ev, 0});
                watched.push_back(entry);
            }
        }
        if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            continue;
        if (fds[0].revents) {
            char drain[64];
            while (read(wakeRead_, drain, sizeof drain) > 0) {
            }
        }
        notices.clear();
        {
            std::lock_guard<std::mutex> hold(table.Lock());
            for (size_t i = 0; i < watched.size(); ++i) {
                short rev = fds[i + 1].revents;
                // A socket closed meanwhile has left the table; its descriptor may be another's now.
                if (!rev || (rev & POLLNVAL))
                    continue;
                auto current = table.FindLocked(watched[i].first);
                if (current != watched[i].second || !current->window)
                    continue;
                Collect(watched[i].first, *current, rev, notices);
            }
        }
        for (const Notice& n : notices)
            PostMessage(n.window, n.message, (WPARAM)n.socket, WSAMAKESELECTREPLY(n.event, n.error));
    }
}

}  // namespace mivo
