#include "gdi/Region.h"

#include <algorithm>
#include <climits>

namespace mivo {
namespace gdi {

namespace {

// Sorts and merges intervals given as pairs; touching intervals join.
void NormalizeIntervals(std::vector<int>& xs)
{
    size_t n = xs.size() / 2;
    std::vector<std::pair<int, int>> spans;
    spans.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (xs[2 * i] < xs[2 * i + 1])
            spans.emplace_back(xs[2 * i], xs[2 * i + 1]);
    std::sort(spans.begin(), spans.end());
    xs.clear();
    for (const auto& s : spans) {
        if (!xs.empty() && s.first <= xs.back()) {
            if (s.second > xs.back())
                xs.back() = s.second;
        } else {
            xs.push_back(s.first);
            xs.push_back(s.second);
        }
    }
}

bool Apply(int mode, bool inA, bool inB)
{
    switch (mode) {
    case RGN_AND:
        return inA && inB;
    case RGN_OR:
        return inA || inB;
    case RGN_XOR:
        return inA != inB;
    case RGN_DIFF:
        return inA && !inB;
    default:
        return inA;
    }
}

// Combines two normalized interval lists.
void CombineIntervals(const std::vector<int>& a, const std::vector<int>& b, int mode, std::vector<int>& out)
{
    out.clear();
    size_t i = 0, j = 0;
    bool inA = false, inB = false, inOut = false;
    while (i < a.size() || j < b.size()) {
        int x;
        if (j >= b.size() || (i < a.size() && a[i] <= b[j]))
            x = a[i];
        else
            x = b[j];
        while (i < a.size() && a[i] == x) {
            inA = !inA;
            ++i;
        }
        while (j < b.size() && b[j] == x) {
            inB = !inB;
            ++j;
        }
        bool now = Apply(mode, inA, inB);
        if (now != inOut) {
            if (now) {
                if (!out.empty() && out.back() == x)
                    out.pop_back();
                else
                    out.push_back(x);
            } else {
                out.push_back(x);
            }
            inOut = now;
        }
    }
}

}  // namespace

Region::Region(const RECT& rect)
{
    if (rect.left < rect.right && rect.top < rect.bottom)
        bands_.push_back(Band{(int)rect.top, (int)rect.bottom, {(int)rect.left, (int)rect.right}});
}

void Region::AppendBand(int top, int bottom, std::vector<int>&& xs)
{
    if (xs.empty() || top >= bottom)
        return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().xs == xs) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back(Band{top, bottom, std::move(xs)});
}

Region Region::FromRows(int top, std::vector<std::vector<int>>& rows)
{
    Region r;
    for (size_t i = 0; i < rows.size(); ++i) {
        NormalizeIntervals(rows[i]);
        int y = top + (int)i;
        r.AppendBand(y, y + 1, std::move(rows[i]));
    }
    return r;
}

Region Region::Combine(const Region& a, const Region& b, int mode)
{
    if (mode == RGN_COPY)
        return a;
    std::vector<int> ys;
    ys.reserve((a.bands_.size() + b.bands_.size()) * 2);
    for (const Band& band : a.bands_) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    for (const Band& band : b.bands_) {
        ys.push_back(band.top);
        ys.push_back(band.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    static const std::vector<int> kNone;
    Region out;
    size_t ia = 0, ib = 0;
    std::vector<int> xs;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        int y0 = ys[k], y1 = ys[k + 1];
        while (ia < a.bands_.size() && a.bands_[ia].bottom <= y0)
            ++ia;
        while (ib < b.bands_.size() && b.bands_[ib].bottom <= y0)
            ++ib;
        const std::vector<int>& xa = (ia < a.bands_.size() && a.bands_[ia].top <= y0) ? a.bands_[ia].xs : kNone;
        const std::vector<int>& xb = (ib < b.bands_.size() && b.bands_[ib].top <= y0) ? b.bands_[ib].xs : kNone;
        CombineIntervals(xa, xb, mode, xs);
        out.AppendBand(y0, y1, std::vector<int>(xs));
    }
    return out;
}

RECT Region::Bounds() const
{
    RECT r = {0, 0, 0, 0};
    if (bands_.empty())
        return r;
    int left = INT_MAX, right = INT_MIN;
    for (const Band& band : bands_) {
        left = std::min(left, band.xs.front());
        right = std::max(right, band.xs.back());
    }
    r.left = left;
    r.top = bands_.front().top;
    r.right = right;
    r.bottom = bands_.back().bottom;
    return r;
}

int Region::Complexity() const
{
    if (bands_.empty())
        return NULLREGION;
    if (bands_.size() == 1 && bands_[0].xs.size() == 2)
        return SIMPLEREGION;
    return COMPLEXREGION;
}

const Region::Band* Region::BandAt(int y) const
{
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                               [](int value, const Band& band) { return value < band.bottom; });
    if (it == bands_.end() || it->top > y)
        return nullptr;
    return &*it;
}

bool Region::Contains(int x, int y) const
{
    const Band* band = BandAt(y);
    if (band == nullptr)
        return false;
    for (size_t i = 0; i + 1 < band->xs.size(); i += 2)
        if (x >= band->xs[i] && x < band->xs[i + 1])
            return true;
    return false;
}

bool Region::Intersects(const RECT& rect) const
{
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return false;
    for (const Band& band : bands_) {
        if (band.bottom <= rect.top || band.top >= rect.bottom)
            continue;
        for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
            if (band.xs[i] < rect.right && band.xs[i + 1] > rect.left)
                return true;
    }
    return false;
}

void Region::Offset(int dx, int dy)
{
    for (Band& band : bands_) {
        band.top += dy;
        band.bottom += dy;
        for (int& x : band.xs)
            x += dx;
    }
}

std::vector<RECT> Region::Rects() const
{
    std::vector<RECT> out;
    for (const Band& band : bands_)
        for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
            out.push_back(RECT{band.xs[i], band.top, band.xs[i + 1], band.bottom});
    return out;
}

bool Region::operator==(const Region& other) const
{
    if (bands_.size() != other.bands_.size())
        return false;
    for (size_t i = 0; i < bands_.size(); ++i)
        if (bands_[i].top != other.bands_[i].top || bands_[i].bottom != other.bands_[i].bottom ||
            bands_[i].xs != other.bands_[i].xs)
            return false;
    return true;
}

void SpanBuilder::Add(int y, int x0, int x1)
{
    if (x0 >= x1)
        return;
    if (rows_.empty()) {
        top_ = y;
        rows_.emplace_back();
    } else if (y < top_) {
        rows_.insert(rows_.begin(), (size_t)(top_ - y), std::vector<int>());
        top_ = y;
    } else if (y >= top_ + (int)rows_.size()) {
        rows_.resize((size_t)(y - top_ + 1));
    }
    std::vector<int>& row = rows_[(size_t)(y - top_)];
    row.push_back(x0);
    row.push_back(x1);
}

void SpanBuilder::AddRegion(const Region& region)
{
    for (const Region::Band& band : region.Bands())
        for (int y = band.top; y < band.bottom; ++y)
            for (size_t i = 0; i + 1 < band.xs.size(); i += 2)
                Add(y, band.xs[i], band.xs[i + 1]);
}

Region SpanBuilder::Build()
{
    Region r = Region::FromRows(top_, rows_);
    rows_.clear();
    return r;
}

}  // namespace gdi
}  // namespace mivo
