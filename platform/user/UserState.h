// The window manager's shared state: classes, the HWND table and the thread queues.
// Everything here is guarded by UserLock(); window procedures are always called
// with the lock released.
#pragma once

#include "win32/user.h"
#include "user/RectSet.h"
#include "user/NativeLink.h"
#include "user/OwnerThread.h"
#include "user/DesktopState.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace mivo {

struct Surface;
struct ThreadQueue;

std::mutex& UserLock();
typedef std::unique_lock<std::mutex> UserGuard;

DWORD TickNow();

struct WindowClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    LPCSTR menuId = nullptr;  // integer resource id, when given as one
    std::vector<BYTE> extra;
    bool system = false;
};

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool shown = false;
    UINT disabledArrows = 0;
};

struct Window {
    HWND handle = nullptr;
    DWORD threadId = 0;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;  // control id for children, menu for others
    std::string text;
    HWND parent = nullptr;
    HWND owner = nullptr;
    std::vector<HWND> children;  // z-order, topmost first
    std::vector<BYTE> extra;
    std::vector<std::pair<std::string, HANDLE>> props;

    RECT rect = {0, 0, 0, 0};    // window rectangle in parent client (top-level: screen) coordinates
    RECT client = {0, 0, 0, 0};  // client rectangle relative to the window's top-left corner

    // Painting state.
    RectSet update;            // client coordinates
    bool eraseNeeded = false;
    bool ncPaintNeeded = false;
    bool internalPaint = false;
    bool redrawOff = false;    // WM_SETREDRAW FALSE
    bool inPaint = false;
    HRGN windowRgn = nullptr;
    RectSet shape;          // what SetWindowRgn left of the window, window coordinates
    bool shaped = false;

    std::shared_ptr<Surface> surface;  // top-level windows only
    void* native = nullptr;            // backend's window for top-level windows
    BYTE layeredAlpha = 255;           // opacity a layered window asked for
    COLORREF layeredKey = CLR_INVALID; // its colour key, kept but not shown

    ScrollBarState hscroll, vscroll;
    HICON iconBig = nullptr, iconSmall = nullptr;
    HFONT font = nullptr;
    DWORD imeConversion = 0, imeSentence = 0;
    bool imeOpen = false;
    std::string imeComposition;  // the syllable the input method is composing (CP949)

    bool created = false;     // WM_NCCREATE was accepted
    bool destroying = false;  // DestroyWindow started
    bool messageOnly = false;
    bool ncActive = false;  // the caption shows as active
    bool maximized = false, minimized = false;
    RECT restoreRect = {0, 0, 0, 0};
};

struct SentMessage {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    bool wantsReply = true;
    SENDASYNCPROC callback = nullptr;
    ULONG_PTR callbackData = 0;
    std::function<LRESULT()> task;  // runs instead of the window procedure
    std::shared_ptr<ThreadQueue> sender;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;
};

struct ThreadQueue {
    DWORD threadId = 0;
    std::condition_variable cv;
    uint64_t wakeCount = 0;  // bumped whenever something arrives
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    std::vector<SentMessage*> receiving;  // sent messages being handled now, innermost last
    bool dead = false;
    QueueWaiter* waiter = nullptr;
    MSG last = {};
    LPARAM extraInfo = 0;
};

struct UserState {
    std::unordered_map<uintptr_t, std::shared_ptr<Window>> windows;
    std::vector<HWND> topLevels;  // z-order, topmost first
    uintptr_t nextHandle = 0x10010;
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
    std::map<std::string, UINT> registeredMessages;
    UINT nextRegisteredMessage = 0xC100;
    std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> queues;
    UINT_PTR nextThreadTimerId = 0x7FF0;
    DesktopState desktop;
};

UserState& State();

// Lookups; the lock must be held.
Window* FindWindowLocked(HWND hwnd);
std::shared_ptr<Window> WindowRef(HWND hwnd);
std::shared_ptr<ThreadQueue> QueueOfThreadLocked(DWORD threadId);
// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> CurrentQueue();
void WakeQueueLocked(ThreadQueue& q);
std::shared_ptr<WindowClass> FindClassLocked(LPCSTR name, HINSTANCE instance);
bool IsDescendantLocked(HWND ancestor, HWND hwnd);
void RegisterSystemClassesOnce();

// Direct call of a window's procedure on its own thread.
LRESULT CallWindowProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Handles the messages other threads sent to this one; returns whether any ran.
bool ProcessSentMessages(ThreadQueue& q);
// Removes everything queued for a window that is going away.
void PurgeWindowMessagesLocked(HWND hwnd);
void KillWindowTimersLocked(ThreadQueue& q, HWND hwnd);

// Window coordinate helpers (lock held).
POINT WindowScreenOrigin(const Window& w);  // top-left of the window in screen coordinates
POINT ClientScreenOrigin(const Window& w);
Window* TopLevelOf(Window* w);

}  // namespace mivo
