// Pens realized for a target, and line drawing by Windows' rules: a line
// covers the pixels from its start up to, not including, its end.
#pragma once

#include "gdi/DeviceContext.h"

#include <vector>

namespace mivo {
namespace gdi {

struct PenInfo {
    bool null = false;
    int style = PS_SOLID;
    int width = 1;  // device pixels
    bool insideFrame = false;
    bool flatCaps = false;
    uint32_t native = 0;
    uint8_t rop = 0xF0;
    std::vector<int> dashes;  // on, off, on, off ... in pixels; empty for solid
    bool opaqueGaps = false;
    uint32_t gapNative = 0;
};

PenInfo RealizePen(const DeviceContext& dc, const DrawTarget& t);

// Draws one-pixel lines; dash patterns run on from segment to segment.
class LinePainter {
public:
    LinePainter(DrawTarget& t, const PenInfo& pen);
    ~LinePainter();
    void Segment(POINT a, POINT b, bool lastPixel);

private:
    void Plot(int x, int y);
    void Flush();
    DrawTarget& t_;
    const PenInfo& pen_;
    int dashIndex_ = 0;
    int dashLeft_ = 0;
    int runX_ = 0, runY_ = 0, runLen_ = 0;
};

// Strokes a polyline given in raster coordinates.
void StrokePolyline(DrawTarget& t, const PenInfo& pen, const std::vector<POINT>& pts, bool closed, bool lastPixel);

}  // namespace gdi
}  // namespace mivo
