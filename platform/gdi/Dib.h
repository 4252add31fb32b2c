// Reading BITMAPINFO headers supplied by callers (untrusted sizes).
#pragma once

#include "gdi/DeviceContext.h"

#include <vector>

namespace mivo {
namespace gdi {

struct DibInfo {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bpp = 0;
    DWORD compression = BI_RGB;
    DWORD masks[3] = {0, 0, 0};
    std::vector<RGBQUAD> colors;
    int64_t stride = 0;
    int64_t headerBytes = 0;  // header, masks and colour table: where packed bits start
    int64_t imageBytes = 0;   // stride x height
};

// Checks a DIB header and gathers its layout and colours. DIB_PAL_COLORS
// tables are resolved through `palette` (null: the default palette).
bool ParseDibHeader(const BITMAPINFO* bmi, UINT usage, PaletteObject* palette, DibInfo& out);
// A view over caller-supplied bits laid out as described.
Raster DibRaster(const DibInfo& info, const void* bits);

}  // namespace gdi
}  // namespace mivo
