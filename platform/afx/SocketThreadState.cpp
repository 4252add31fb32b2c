#include "SocketThreadState.h"

#include "mfc/AsyncSocket.h"

namespace mivo {

namespace {

const char kClassName[] = "MivoSocketNotify";

void RegisterNotifyClass(WNDPROC proc)
{
    static bool registered = [proc] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

struct SocketThreadStateHolder {
    SocketThreadState state;
};

SocketThreadState& SocketThreadState::Current()
{
    static thread_local SocketThreadStateHolder holder;
    return holder.state;
}

SocketThreadState::~SocketThreadState()
{
    if (window_)
        DestroyWindow(window_);
}

HWND SocketThreadState::Add(SOCKET s, CAsyncSocket* socket)
{
    if (!window_) {
        RegisterNotifyClass(&SocketThreadState::WindowProc);
        window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    sockets_[s] = socket;
    return window_;
}

void SocketThreadState::Remove(SOCKET s)
{
    sockets_.erase(s);
    // The window goes with the thread's last socket, so no window outlives its thread.
    if (sockets_.empty() && window_) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

CAsyncSocket* SocketThreadState::Find(SOCKET s) const
{
    auto it = sockets_.find(s);
    return it == sockets_.end() ? nullptr : it->second;
}

LRESULT CALLBACK SocketThreadState::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kNotifyMessage) {
        CAsyncSocket::DoCallBack(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace mivo
