// Windows of other processes of the same user: how a second copy of a program finds the first
// copy's main window by its class and talks to it (the single-instance hand-over).
//
// A process offers a window class with PublishInstanceClass: it listens on a per-user socket named
// after the class in the folder of the named mutexes ($XDG_RUNTIME_DIR/mivo, else /tmp/mivo-<uid>;
// only the user can enter it). The socket's name is the class name with ASCII letters in capitals,
// bytes other than letters, digits, '_', '-' and '.' written %XX, and ".wnd" appended.
// Another process finds a top-level window of that class with FindInstanceWindow and gets a proxy
// handle for it. The proxy works with the Foreign* functions below; the window manager's own
// functions (FindWindow, PostMessage, SendMessage, ShowWindow, ...) hand proxies to them. A socket
// left behind by a process that died is removed and ignored.
//
// Only messages that carry no pointers cross: WM_NULL, WM_CLOSE, WM_COMMAND, WM_SYSCOMMAND and
// everything from WM_USER up. wParam and lParam arrive as the integers the sender gave; the
// receiver must not take them for addresses. Other messages fail (ERROR_ACCESS_DENIED).
#pragma once

#include "win32/types.h"

namespace mivo {

// Makes this process's top-level windows of class `className` findable from other processes.
// FALSE when another live process offers the class already, or the socket cannot be made. Calling
// it again for a class this process offers is harmless and TRUE. Class names compare ignoring ASCII
// case, as window classes do.
BOOL PublishInstanceClass(const char* className);
// As PublishInstanceClass, and answers `hwnd` for the class while it exists (by default the first
// top-level window of the class is answered, looked up when asked).
BOOL PublishInstanceWindow(const char* className, HWND hwnd);
// Stops offering the class and removes its socket.
void WithdrawInstanceClass(const char* className);

// A top-level window of class `className` (with the title `windowName` unless it is null) in
// another process that offers the class, as a proxy handle; NULL when there is none. With a null
// `className`, every process that offers some class is asked for a top-level window of any class
// titled `windowName`. This process's own windows are never answered: FindWindow finds them.
HWND FindInstanceWindow(const char* className, const char* windowName);
inline HWND FindForeignWindow(const char* className) { return FindInstanceWindow(className, nullptr); }

// Whether `hwnd` is a proxy handle (whatever the state of the window behind it).
bool IsForeignWindow(HWND hwnd);
// Whether the window behind a proxy still exists.
BOOL ForeignIsWindow(HWND hwnd);
// Queued for the window's thread; TRUE once the other process queued it.
BOOL ForeignPostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Waits until the window procedure has handled the message and returns its result (0 when the
// window or its process is gone). While waiting, messages sent to the calling thread are handled.
LRESULT ForeignSendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL ForeignShowWindow(HWND hwnd, int nCmdShow);
BOOL ForeignSetForegroundWindow(HWND hwnd);
BOOL ForeignBringWindowToTop(HWND hwnd);
BOOL ForeignIsIconic(HWND hwnd);
// The window's enabled owned popup as a proxy, else `hwnd` itself; NULL when the window is gone.
HWND ForeignGetLastActivePopup(HWND hwnd);
// The id of the process the window belongs to; 0 for a handle that is not a proxy.
DWORD ForeignWindowProcessId(HWND hwnd);

}  // namespace mivo
