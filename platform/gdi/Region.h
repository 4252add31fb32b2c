// A set of pixels kept as horizontal bands of sorted, disjoint x intervals.
// Used for region objects, clipping and the scan conversion of shapes.
#pragma once

#include "win32/types.h"
#include "win32/gdi.h"

#include <vector>

namespace mivo {
namespace gdi {

class Region {
public:
    struct Band {
        int top;
        int bottom;           // exclusive
        std::vector<int> xs;  // pairs [x0, x1), sorted, disjoint, never touching
    };

    Region() = default;
    explicit Region(const RECT& rect);

    // Builds from one list of intervals per row, rows starting at `top`.
    // Each row's intervals may overlap and come in any order.
    static Region FromRows(int top, std::vector<std::vector<int>>& rows);
    static Region Combine(const Region& a, const Region& b, int mode);

    bool IsEmpty() const { return bands_.empty(); }
    RECT Bounds() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rect) const;
    void Offset(int dx, int dy);
    std::vector<RECT> Rects() const;
    const std::vector<Band>& Bands() const { return bands_; }
    // The band holding row y, or null.
    const Band* BandAt(int y) const;

    bool operator==(const Region& other) const;
    bool operator!=(const Region& other) const { return !(*this == other); }

    Region Intersect(const Region& other) const { return Combine(*this, other, RGN_AND); }
    Region Intersect(const RECT& rect) const { return Combine(*this, Region(rect), RGN_AND); }

private:
    void AppendBand(int top, int bottom, std::vector<int>&& xs);
    std::vector<Band> bands_;
};

// Visits the parts of [x0, x1) on row y that lie inside `clip`.
template <class F>
void ForEachClipped(const Region& clip, int y, int x0, int x1, F&& visit)
{
    if (x0 >= x1)
        return;
    const Region::Band* band = clip.BandAt(y);
    if (band == nullptr)
        return;
    const std::vector<int>& xs = band->xs;
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        if (xs[i] >= x1)
            break;
        int a = xs[i] > x0 ? xs[i] : x0;
        int b = xs[i + 1] < x1 ? xs[i + 1] : x1;
        if (a < b)
            visit(a, b);
    }
}

// Collects pixel intervals row by row for a shape, then gives a Region.
class SpanBuilder {
public:
    void Add(int y, int x0, int x1);
    void AddRegion(const Region& region);
    Region Build();
    bool IsEmpty() const { return rows_.empty(); }

private:
    int top_ = 0;
    std::vector<std::vector<int>> rows_;
};

}  // namespace gdi
}  // namespace mivo
