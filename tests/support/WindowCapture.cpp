#include "support/WindowCapture.h"
#include "mivo/testing/input.h"

namespace mivo::test {

namespace {

COLORREF ToColorRef(uint32_t p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

COLORREF WindowImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    return ToColorRef(pixels[(size_t)y * (size_t)width + (size_t)x]);
}

int WindowImage::Count(COLORREF color) const
{
    int n = 0;
    for (uint32_t p : pixels)
        n += ToColorRef(p) == color;
    return n;
}

WindowImage CaptureWindow(HWND hwnd, bool clientOnly)
{
    WindowImage img;
    mivo::CaptureWindowPixels(hwnd, clientOnly, img.pixels, img.width, img.height);
    return img;
}

}  // namespace mivo::test
