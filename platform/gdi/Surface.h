// Area interface: a 32-bit drawing surface shared by the window manager and GDI.
// Pixels are 0x00RRGGBB, rows top-down, as a 32-bit top-down DIB section.
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace mivo {

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // Held while drawing; any thread may draw (GetDC from a worker).
    std::recursive_mutex lock;
    // Bumped after each change so the backend knows when to flush.
    uint64_t generation = 0;

    void Resize(int w, int h)
    {
        std::lock_guard<std::recursive_mutex> guard(lock);
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
        pixels.assign((size_t)width * (size_t)height, 0x00FFFFFF);
        ++generation;
    }
};

// A DC drawing into part of a surface: logical (0,0) sits at `origin` in
// surface pixels, and drawing is clipped to `clip` (surface coordinates;
// copied; NULL means the whole surface). `owner` is the window the DC
// belongs to, or NULL. Implemented by GDI, used by the window manager.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, HRGN clip, HWND owner);
// Replaces origin and clip of a surface DC (window moved, update region changed).
BOOL SetSurfaceDCGeometry(HDC hdc, POINT origin, HRGN clip);
// Frees a DC made by CreateSurfaceDC.
BOOL DeleteSurfaceDC(HDC hdc);

}  // namespace mivo
