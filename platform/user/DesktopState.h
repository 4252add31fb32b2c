// What the window manager keeps for the whole desktop beside its windows: the pointer and the
// keyboard, mouse tracking and clicks, focus, activation and capture per thread, cursors, and the
// settings programs may change. It is part of UserState. Compound fields are guarded by
// UserLock(); the few read where the lock may already be held or must not be taken (message time
// stamps, key polls, settings read inside locked code) are atomics.
#pragma once

#include "win32/user.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace mivo {

struct CursorObject;

struct ClickMemory {
    HWND hwnd = nullptr;
    UINT downMsg = 0;
    DWORD time = 0;
    POINT pt = {0, 0};
    bool pairUsed = false;
};

struct MouseTracking {
    HWND hwnd = nullptr;
    DWORD flags = 0;
    DWORD hoverTime = 0;
    uint64_t hoverStart = 0;
    POINT hoverPt = {0, 0};
};

struct ThreadInput {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
};

// The pointer position packed into one word so that it is read and written whole.
class AtomicPoint {
public:
    POINT Load() const
    {
        uint64_t v = m_value.load(std::memory_order_relaxed);
        return POINT{(LONG)(int32_t)(uint32_t)(v >> 32), (LONG)(int32_t)(uint32_t)v};
    }
    void Store(POINT p)
    {
        m_value.store(((uint64_t)(uint32_t)p.x << 32) | (uint32_t)p.y, std::memory_order_relaxed);
    }

private:
    std::atomic<uint64_t> m_value{0};
};

struct DesktopState {
    // Pointer and keyboard.
    AtomicPoint cursor;
    std::atomic<BYTE> asyncKeys[256] = {};
    std::atomic<bool> swapButtons{false};
    bool clipped = false;
    RECT clip = {0, 0, 0, 0};
    std::unordered_map<DWORD, std::vector<BYTE>> threadKeys;  // each thread's view of the keyboard

    // Mouse tracking and double clicks.
    ClickMemory lastClick;
    MouseTracking tracking;
    HWND lastMouseWindow = nullptr;

    // Focus, activation and capture.
    std::unordered_map<DWORD, ThreadInput> inputs;
    HWND foreground = nullptr;

    // Cursors and icons.
    std::map<uintptr_t, std::shared_ptr<CursorObject>> cursorObjects;
    uintptr_t nextCursorHandle = 0x30010;
    HCURSOR currentCursor = nullptr;
    int cursorShowCount = 0;

    // Settings.
    RECT workArea = {0, 0, 0, 0};
    bool workAreaSet = false;
    std::atomic<UINT> doubleClickTime{500};
    std::atomic<UINT> caretBlinkTime{530};
    std::atomic<UINT> menuShowDelay{400};  // ms before a hovered item's submenu opens
    std::atomic<UINT_PTR> hoverTimer{0};  // the thread timer that watches for hovering

    // Back to a fresh desktop's input and settings; windows, focus and cursors stay. Lock held.
    void ResetInputAndSettingsLocked();
};

}  // namespace mivo
