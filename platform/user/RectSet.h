// A set of pixels kept as disjoint rectangles: update regions and visible areas.
#pragma once

#include "win32/types.h"

#include <vector>

namespace mivo {

class RectSet {
public:
    RectSet() = default;
    explicit RectSet(const RECT& rc) { Add(rc); }

    bool IsEmpty() const { return m_rects.empty(); }
    const std::vector<RECT>& Rects() const { return m_rects; }
    RECT Bounds() const;
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rc) const;

    void Clear() { m_rects.clear(); }
    void Add(const RECT& rc);
    void Add(const RectSet& other);
    void Subtract(const RECT& rc);
    void Subtract(const RectSet& other);
    void IntersectWith(const RECT& rc);
    void IntersectWith(const RectSet& other);
    void Offset(int dx, int dy);

    static bool IsEmptyRect(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }
    static RECT Intersection(const RECT& a, const RECT& b);

private:
    std::vector<RECT> m_rects;
};

}  // namespace mivo
