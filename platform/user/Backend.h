// Area interface: what the window manager asks of the native side (the Qt backend in this build).
// Without a backend, windows live only in our tables and surfaces.
#pragma once

#include "win32/user.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mivo {

struct NativeBackend {
    virtual ~NativeBackend() = default;
    // Screen size in pixels; false when unknown.
    virtual bool ScreenSize(SIZE* size) = 0;
    // Called on the window's thread, without the window manager's lock.
    virtual void* CreateNative(HWND hwnd) = 0;
    virtual void DestroyNative(void* native) = 0;
    // Window rectangle on screen, visibility, minimized/maximized, title, topmost.
    virtual void UpdateNative(void* native, const RECT& screenRect, bool visible, DWORD style, DWORD exStyle,
                              const std::string& title) = 0;
    // The native window of the owner's top-level window (nullptr: none), so that the desktop
    // keeps an owned window above its owner and out of the task bar.
    virtual void SetNativeOwner(void* /*native*/, void* /*ownerNative*/) {}
    // The surface changed inside `dirty` (window coordinates); may be called from any thread.
    virtual void FlushNative(void* native, const RECT& dirty) = 0;
    virtual void ActivateNative(void* native) = 0;
    virtual void SetNativeCursor(void* native, HCURSOR cursor) = 0;
    // Lets the native window system move (HTCAPTION) or size (HTLEFT...) the window
    // with the mouse; false when it cannot, and the window manager does it itself.
    virtual bool StartNativeMoveSize(void* native, int hit) = 0;
    // Opacity of the whole native window, 0 to 1 (layered windows); may be called from any
    // thread, without the window manager's lock. Ignored where the display cannot show it.
    virtual void SetNativeOpacity(void* /*native*/, double /*opacity*/) {}
    // The pixels the display shows in `area` (screen coordinates), rows top-down as 0x00RRGGBB,
    // other programs' windows included; false where the display cannot be read (no X11, or not
    // the backend's thread), and the desktop is then composed of this program's windows.
    virtual bool GrabScreen(const RECT& /*area*/, std::vector<uint32_t>& /*pixels*/) { return false; }
    // Hands a drag that left our windows to the desktop: the dragged list (CF_TEXT, CP949) goes
    // as text and its paths as file URLs; the effect another program chose, DROPEFFECT_NONE
    // when none took it. Called on the thread that runs the native event loop.
    virtual DWORD RunNativeDrag(const std::string& /*cp949Text*/, DWORD /*allowed*/) { return 0; }
    // Whether the desktop can take a drag from us at all.
    virtual bool CanDragToDesktop() { return false; }
};

// The backend in use, or nullptr while none runs.
NativeBackend* Backend();
// The backend, started now when this thread may own it; nullptr when none can run here.
NativeBackend* EnsureBackend();
// Lets tests or programs without a display run with no native windows.
void SetNativeBackend(NativeBackend* backend);

// What the Qt backend provides: its start on the calling thread (nullptr when it cannot run here),
// and the backend once started (else nullptr).
NativeBackend* StartQtBackend();
NativeBackend* StartedQtBackend();

}  // namespace mivo
