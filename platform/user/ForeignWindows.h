// Area interface: windows of other processes, as the window manager reaches them. The shell
// registers the implementation (its instance channel); without one there are none.
#pragma once

#include "win32/types.h"

namespace mivo {

struct ForeignWindows {
    virtual ~ForeignWindows() = default;
    // Whether `hwnd` is a handle of another process's window (whatever the state of that window).
    virtual bool Owns(HWND hwnd) = 0;
    // A top-level window of the class (and title unless it is null) offered by another process; NULL when
    // none. A null class asks every process on the channel for a window of that title.
    virtual HWND Find(const char* className, const char* windowName) = 0;
    virtual BOOL IsWindow(HWND hwnd) = 0;
    virtual BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL ShowWindow(HWND hwnd, int nCmdShow) = 0;
    virtual BOOL SetForegroundWindow(HWND hwnd) = 0;
    virtual BOOL BringWindowToTop(HWND hwnd) = 0;
    virtual BOOL IsIconic(HWND hwnd) = 0;
    virtual HWND GetLastActivePopup(HWND hwnd) = 0;
    virtual DWORD ProcessId(HWND hwnd) = 0;
};

// Installs the implementation; the shell does at load.
void SetForeignWindows(ForeignWindows* foreign);
// The implementation when `hwnd` is another process's window, else null.
ForeignWindows* ForeignWindowsFor(HWND hwnd);
// The implementation in use, or null.
ForeignWindows* RegisteredForeignWindows();

}  // namespace mivo
