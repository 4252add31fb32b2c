// Reading back what a window shows.
#pragma once

#include <win32.h>

#include <cstdint>
#include <vector>

namespace mivo::test {

struct WindowImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top-down

    // The pixel as a COLORREF (0x00BBGGRR), or CLR_INVALID outside.
    COLORREF At(int x, int y) const;
    // How many pixels have this colour.
    int Count(COLORREF color) const;
};

// The window's pixels from its top-level surface (client area only when asked).
WindowImage CaptureWindow(HWND hwnd, bool clientOnly = false);

}  // namespace mivo::test
