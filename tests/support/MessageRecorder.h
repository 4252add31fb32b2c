// Records the messages windows receive, in order, for tests of message sequences.
#pragma once

#include <win32.h>
#include <mivo/Trace.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace mivo::test {

struct RecordedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool posted = false;   // came from the queue through DispatchMessage, not sent
    bool defProc = false;  // arrived while the recorder had passed a message on to DefWindowProc
                           // (an attached window's own procedure is not seen into)
    HWND parent = nullptr; // the window's parent when it got the message (children only)
};

class MessageRecorder {
public:
    // A handler may answer a message itself; returning false falls through to the default.
    typedef std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> Handler;

    MessageRecorder();
    ~MessageRecorder();

    // A window class whose procedure records into this recorder (one recorder at a time).
    static const char* ClassName();
    static const char* ClassNameDblClks();

    // Records messages of an existing window by subclassing it.
    void Attach(HWND hwnd);

    void OnMessage(UINT msg, Handler handler);
    void Clear();
    std::vector<RecordedMessage> All() const;
    // The message numbers received by `hwnd` (all windows when NULL), optionally
    // keeping only those listed in `only`.
    std::vector<UINT> Messages(HWND hwnd = nullptr, const std::vector<UINT>& only = {}) const;
    int Count(HWND hwnd, UINT msg) const;

    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, WNDPROC next);

private:
    mutable std::mutex m_lock;
    std::vector<RecordedMessage> m_log;
    std::map<UINT, Handler> m_handlers;
    std::map<HWND, WNDPROC> m_subclassed;
};

// Creates a top-level or child window of the recorder's class.
HWND CreateTestWindow(const char* title, DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr,
                      int id = 0, DWORD exStyle = 0, const char* cls = nullptr);

// The messages by name (the layer's MessageName), for readable failures.
std::string MessageList(const std::vector<UINT>& msgs);

}  // namespace mivo::test
