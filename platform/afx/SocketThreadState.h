// The sockets of one thread and the hidden window their events arrive at.
#pragma once

#include "win32.h"

#include <map>

class CAsyncSocket;

namespace mivo {

class SocketThreadState {
public:
    static SocketThreadState& Current();

    // Registers the object for its handle; the window to select events for, or null.
    HWND Add(SOCKET s, CAsyncSocket* socket);
    void Remove(SOCKET s);
    CAsyncSocket* Find(SOCKET s) const;
    HWND Window() const { return window_; }

    static const UINT kNotifyMessage = 0x0373;

private:
    ~SocketThreadState();
    friend struct SocketThreadStateHolder;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::map<SOCKET, CAsyncSocket*> sockets_;
};

}  // namespace mivo
