#include "user/RectSet.h"

#include <algorithm>

namespace mivo {

RECT RectSet::Intersection(const RECT& a, const RECT& b)
{
    RECT r;
    r.left = std::max(a.left, b.left);
    r.top = std::max(a.top, b.top);
    r.right = std::min(a.right, b.right);
    r.bottom = std::min(a.bottom, b.bottom);
    if (IsEmptyRect(r))
        r = RECT{0, 0, 0, 0};
    return r;
}

RECT RectSet::Bounds() const
{
    if (m_rects.empty())
        return RECT{0, 0, 0, 0};
    RECT b = m_rects.front();
    for (const RECT& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool RectSet::Contains(int x, int y) const
{
    for (const RECT& r : m_rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    return false;
}

bool RectSet::Intersects(const RECT& rc) const
{
    for (const RECT& r : m_rects)
        if (!IsEmptyRect(Intersection(r, rc)))
            return true;
    return false;
}

void RectSet::Add(const RECT& rc)
{
    if (IsEmptyRect(rc))
        return;
    Subtract(rc);
    m_rects.push_back(rc);
}

void RectSet::Add(const RectSet& other)
{
    for (const RECT& r : other.m_rects)
        Add(r);
}

// Cuts `cut` out of every rectangle, leaving up to four pieces of each.
void RectSet::Subtract(const RECT& cut)
{
    if (IsEmptyRect(cut))
        return;
    std::vector<RECT> out;
    out.reserve(m_rects.size() + 4);
    for (const RECT& r : m_rects) {
        RECT i = Intersection(r, cut);
        if (IsEmptyRect(i)) {
            out.push_back(r);
            continue;
        }
        if (r.top < i.top)
            out.push_back(RECT{r.left, r.top, r.right, i.top});
        if (i.bottom < r.bottom)
            out.push_back(RECT{r.left, i.bottom, r.right, r.bottom});
        if (r.left < i.left)
            out.push_back(RECT{r.left, i.top, i.left, i.bottom});
        if (i.right < r.right)
            out.push_back(RECT{i.right, i.top, r.right, i.bottom});
    }
    m_rects.swap(out);
}

void RectSet::Subtract(const RectSet& other)
{
    for (const RECT& r : other.m_rects)
        Subtract(r);
}

void RectSet::IntersectWith(const RECT& rc)
{
    std::vector<RECT> out;
    for (const RECT& r : m_rects) {
        RECT i = Intersection(r, rc);
        if (!IsEmptyRect(i))
            out.push_back(i);
    }
    m_rects.swap(out);
}

void RectSet::IntersectWith(const RectSet& other)
{
    std::vector<RECT> out;
    for (const RECT& a : m_rects)
        for (const RECT& b : other.m_rects) {
            RECT i = Intersection(a, b);
            if (!IsEmptyRect(i))
                out.push_back(i);
        }
    m_rects.swap(out);
}

void RectSet::Offset(int dx, int dy)
{
    for (RECT& r : m_rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

}  // namespace mivo
