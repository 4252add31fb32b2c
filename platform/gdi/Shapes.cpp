#include "gdi/Shapes.h"

#include <algorithm>
#include <cmath>

namespace mivo {
namespace gdi {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEps = 1e-9;

// Pixel columns [x0, x1) whose centres lie within `half` of `centre`.
bool CentredSpan(double centre, double half, int& x0, int& x1)
{
    if (half < 0)
        return false;
    x0 = (int)std::ceil(centre - half - 0.5 - kEps);
    x1 = (int)std::floor(centre + half - 0.5 + kEps) + 1;
    return x0 < x1;
}

}  // namespace

Region EllipseRegion(int l, int t, int r, int b)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (r - l <= 0 || b - t <= 0)
        return Region();
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    double ax = (r - l) / 2.0, by = (b - t) / 2.0;
    SpanBuilder sb;
    for (int y = t; y < b; ++y) {
        double dy = (y + 0.5 - cy) / by;
        double k = 1.0 - dy * dy;
        if (k < 0)
            continue;
        int x0, x1;
        if (CentredSpan(cx, ax * std::sqrt(k), x0, x1))
            sb.Add(y, std::max(x0, l), std::min(x1, r));
    }
    return sb.Build();
}

Region RoundRectRegion(int l, int t, int r, int b, int w, int h)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (r - l <= 0 || b - t <= 0)
        return Region();
    w = std::min(std::abs(w), r - l);
    h = std::min(std::abs(h), b - t);
    if (w < 2 || h < 2)
        return Region(RECT{l, t, r, b});
    // Rows of an ellipse w x h give how far each corner row is cut in.
    Region corner = EllipseRegion(0, 0, w, h);
    SpanBuilder sb;
    for (int y = t; y < b; ++y) {
        int row = -1;
        if (y - t < h / 2)
            row = y - t;
        else if (b - 1 - y < h / 2)
            row = h - (b - y);
        if (row < 0) {
            sb.Add(y, l, r);
            continue;
        }
        const Region::Band* band = corner.BandAt(row);
        if (band == nullptr)
            continue;
        int inLeft = band->xs.front();
        int inRight = w - band->xs.back();
        sb.Add(y, l + inLeft, r - inRight);
    }
    return sb.Build();
}

Region PolygonRegion(const std::vector<std::vector<PointF>>& contours, int fillMode)
{
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double minY = 1e300, maxY = -1e300;
    for (const auto& c : contours) {
        size_t n = c.size();
        if (n < 2)
            continue;
        for (size_t i = 0; i < n; ++i) {
            PointF a = c[i], b = c[(i + 1) % n];
            if (a.y == b.y)
                continue;
            int dir = 1;
            if (a.y > b.y) {
                std::swap(a, b);
                dir = -1;
            }
            edges.push_back(Edge{a.x, a.y, b.x, b.y, dir});
            minY = std::min(minY, a.y);
            maxY = std::max(maxY, b.y);
        }
    }
    if (edges.empty())
        return Region();
    const double limit = 1 << 28;
    minY = std::max(minY, -limit);
    maxY = std::min(maxY, limit);
    int yStart = (int)std::ceil(minY - 0.5);
    int yEnd = (int)std::ceil(maxY - 0.5);
    SpanBuilder sb;
    std::vector<std::pair<double, int>> xs;
    for (int y = yStart; y < yEnd; ++y) {
        double sy = y + 0.5;
        xs.clear();
        for (const Edge& e : edges) {
            if (sy < e.y0 || sy >= e.y1)
                continue;
            double x = e.x0 + (e.x1 - e.x0) * (sy - e.y0) / (e.y1 - e.y0);
            xs.emplace_back(x, e.dir);
        }
        std::sort(xs.begin(), xs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        int winding = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += xs[i].second;
            bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside)
                continue;
            double xl = std::max(xs[i].first, -limit), xr = std::min(xs[i + 1].first, limit);
            int x0 = (int)std::ceil(xl - 0.5);
            int x1 = (int)std::ceil(xr - 0.5);
            sb.Add(y, x0, x1);
        }
    }
    return sb.Build();
}

Region PolygonRegion(const std::vector<std::vector<POINT>>& contours, int fillMode)
{
    std::vector<std::vector<PointF>> f;
    for (const auto& c : contours) {
        f.emplace_back();
        for (const POINT& p : c)
            f.back().push_back(PointF{(double)p.x, (double)p.y});
    }
    return PolygonRegion(f, fillMode);
}

Region Outline(const Region& shape)
{
    Region inner = shape;
    const int offsets[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& o : offsets) {
        Region moved = shape;
        moved.Offset(o[0], o[1]);
        inner = Region::Combine(inner, moved, RGN_AND);
    }
    return Region::Combine(shape, inner, RGN_DIFF);
}

namespace {

void AddDisc(SpanBuilder& sb, double cx, double cy, double radius)
{
    int y0 = (int)std::floor(cy - radius), y1 = (int)std::ceil(cy + radius);
    for (int y = y0; y <= y1; ++y) {
        double dy = y + 0.5 - cy;
        double k = radius * radius - dy * dy;
        if (k < 0)
            continue;
        int x0, x1;
        if (CentredSpan(cx, std::sqrt(k), x0, x1))
            sb.Add(y, x0, x1);
    }
}

}  // namespace

Region StrokeRegion(const std::vector<POINT>& points, bool closed, double width, bool flatCaps)
{
    SpanBuilder sb;
    double half = width / 2.0;
    size_t n = points.size();
    if (n == 0)
        return Region();
    // Pixel positions name pixel centres here.
    auto centre = [&](size_t i) { return PointF{points[i].x + 0.5, points[i].y + 0.5}; };
    size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        PointF a = centre(i), b = centre((i + 1) % n);
        double dx = b.x - a.x, dy = b.y - a.y;
        double len = std::sqrt(dx * dx + dy * dy);
        if (len < kEps)
            continue;
        double nx = -dy / len * half, ny = dx / len * half;
        std::vector<std::vector<PointF>> quad = {
            {PointF{a.x + nx, a.y + ny}, PointF{b.x + nx, b.y + ny}, PointF{b.x - nx, b.y - ny},
             PointF{a.x - nx, a.y - ny}}};
        sb.AddRegion(PolygonRegion(quad, WINDING));
    }
    for (size_t i = 0; i < n; ++i) {
        bool end = !closed && (i == 0 || i == n - 1);
        if (end && flatCaps)
            continue;
        PointF c = centre(i);
        AddDisc(sb, c.x, c.y, half);
    }
    return sb.Build();
}

std::vector<POINT> ArcPoints(int l, int t, int r, int b, int xs, int ys, int xe, int ye, bool clockwise)
{
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0;
    double a = (r - l - 1) / 2.0, bb = (b - t - 1) / 2.0;
    std::vector<POINT> out;
    if (a < 0 || bb < 0)
        return out;
    // Angles measured with the y axis pointing up on the screen.
    double start = std::atan2(-(ys - cy), xs - cx);
    double end = std::atan2(-(ye - cy), xe - cx);
    double sweep = clockwise ? start - end : end - start;
    while (sweep <= kEps)
        sweep += 2 * kPi;
    int steps = std::max(8, (int)std::ceil(sweep * std::max(a, bb) * 1.5));
    for (int i = 0; i <= steps; ++i) {
        double th = start + (clockwise ? -1 : 1) * sweep * i / steps;
        POINT p = {(LONG)std::lround(cx + a * std::cos(th)), (LONG)std::lround(cy - bb * std::sin(th))};
        if (out.empty() || out.back().x != p.x || out.back().y != p.y)
            out.push_back(p);
    }
    return out;
}

std::vector<POINT> FlattenBezier(const POINT* pts, size_t count)
{
    std::vector<POINT> out;
    if (pts == nullptr || count == 0)
        return out;
    out.push_back(pts[0]);
    for (size_t i = 0; i + 3 < count; i += 3) {
        PointF p0{(double)pts[i].x, (double)pts[i].y}, p1{(double)pts[i + 1].x, (double)pts[i + 1].y},
            p2{(double)pts[i + 2].x, (double)pts[i + 2].y}, p3{(double)pts[i + 3].x, (double)pts[i + 3].y};
        double len = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                     std::hypot(p3.x - p2.x, p3.y - p2.y);
        int steps = std::max(2, std::min(1000, (int)std::ceil(len / 2)));
        for (int s = 1; s <= steps; ++s) {
            double u = (double)s / steps, v = 1 - u;
            double x = v * v * v * p0.x + 3 * v * v * u * p1.x + 3 * v * u * u * p2.x + u * u * u * p3.x;
            double y = v * v * v * p0.y + 3 * v * v * u * p1.y + 3 * v * u * u * p2.y + u * u * u * p3.y;
            POINT p = {(LONG)std::lround(x), (LONG)std::lround(y)};
            if (out.back().x != p.x || out.back().y != p.y)
                out.push_back(p);
        }
    }
    return out;
}

}  // namespace gdi
}  // namespace mivo
