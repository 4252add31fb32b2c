// Small pictures for the tests of the image operations: image objects made
// from a colour function, pixels read back top-down without the library.
#pragma once

#include "mfc.h"
#include "image/ImageObject.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace opstest {

using ImagePtr = std::unique_ptr<CImageObject>;

// A width x height object whose pixel (x, y counted from the top) is colour(x, y).
ImagePtr MakeImage(int width, int height, const std::function<COLORREF(int x, int y)>& colour,
                   CWnd* progressWnd = nullptr);
ImagePtr MakeUniform(int width, int height, COLORREF colour, CWnd* progressWnd = nullptr);

// Pixel (x, y counted from the top) as a COLORREF, read from the block.
COLORREF Pixel(const CImageObject& img, int x, int y);
// The first pixel that differs from colour, as "(x,y)=rrggbb", or "" when all match.
std::string FirstOtherThan(const CImageObject& img, COLORREF colour);
// The picture as rows of COLORREFs, top row first.
std::vector<std::vector<COLORREF>> Table(const CImageObject& img);

// A memory DC over a 32-bit bitmap of w x h, filled with `fill`.
class MemoryCanvas {
public:
    MemoryCanvas(int w, int h, COLORREF fill);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;

private:
    HGDIOBJ m_old = nullptr;
};

// A packed DIB in a new global block: a 40-byte (or `headerSize`) info
// header, then `extra` (masks, colour table) and `rows` as given.
struct DibSpec {
    int width = 1;
    int height = 1;  // negative: top-down
    int bits = 24;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    DWORD sizeImage = 0;
    DWORD headerSize = 40;
    std::vector<BYTE> extra;
    std::vector<BYTE> rows;
};
HGLOBAL MakeDib(const DibSpec& spec);

// A distinct colour for every pixel of small pictures.
inline COLORREF Distinct(int x, int y) { return RGB(10 + 20 * x, 100 + 30 * y, 7 * x + 11 * y); }

}  // namespace opstest
