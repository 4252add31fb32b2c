// Helpers for GDI tests: memory DCs over bitmaps, pixel counting.
#pragma once

#include "win32.h"

#include <gtest/gtest.h>

#include <functional>

namespace gditest {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A memory DC with a bitmap of w x h selected, filled with `fill`.
class Canvas {
public:
    Canvas(int w, int h, COLORREF fill = kWhite, int bpp = 32) : width(w), height(h)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(w, h, 1, bpp, nullptr);
        old = SelectObject(dc, bitmap);
        Fill(fill);
    }
    // Wraps a bitmap made elsewhere (a DIB section).
    Canvas(HBITMAP bmp, int w, int h) : width(w), height(h), bitmap(bmp)
    {
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF c)
    {
        HBRUSH b = CreateSolidBrush(c);
        RECT r = {0, 0, width, height};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    int Count(const std::function<bool(COLORREF)>& match) const
    {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (match(At(x, y)))
                    ++n;
        return n;
    }
    int Count(COLORREF c) const
    {
        return Count([c](COLORREF p) { return p == c; });
    }
    // Bounding box of pixels that differ from `background` (empty when none).
    RECT Extent(COLORREF background) const
    {
        RECT r = {width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y) != background) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        if (r.left >= r.right)
            r = RECT{0, 0, 0, 0};
        return r;
    }

    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

inline bool IsDark(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 384;
}

// Selects an object for the lifetime of the guard.
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~Select() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

inline ::testing::AssertionResult RectIs(const RECT& r, LONG l, LONG t, LONG rt, LONG b)
{
    if (r.left == l && r.top == t && r.right == rt && r.bottom == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "rect is (" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                                         << "), expected (" << l << "," << t << "," << rt << "," << b << ")";
}

}  // namespace gditest
