// Scan conversion of shapes into regions. Integer coordinates name pixels;
// pixel (x, y) covers [x, x+1) x [y, y+1) and is inside a shape when its
// centre is (left and top edges in, right and bottom edges out).
#pragma once

#include "gdi/Region.h"

#include <vector>

namespace mivo {
namespace gdi {

struct PointF {
    double x;
    double y;
};

// Filled ellipse touching all four sides of the box [l, r) x [t, b).
Region EllipseRegion(int l, int t, int r, int b);
// Box with its corners rounded by quarters of an ellipse of size w x h.
Region RoundRectRegion(int l, int t, int r, int b, int w, int h);
// Polygons in continuous coordinates (pixel centres at .5), ALTERNATE or WINDING.
Region PolygonRegion(const std::vector<std::vector<PointF>>& contours, int fillMode);
// Integer polygon vertices as pixel corners (CreatePolygonRgn, Polygon fill).
Region PolygonRegion(const std::vector<std::vector<POINT>>& contours, int fillMode);
// The pixels of `shape` that touch a pixel outside it (4-neighbours).
Region Outline(const Region& shape);
// A stroke of width w along a polyline through pixel positions (round caps and joins
// unless `flatCaps`).
Region StrokeRegion(const std::vector<POINT>& points, bool closed, double width, bool flatCaps);
// Points of an elliptic arc inside the box [l, r) x [t, b) (pixel positions),
// from the radial through (xs, ys) to the one through (xe, ye), counter-clockwise
// on the screen unless `clockwise`.
std::vector<POINT> ArcPoints(int l, int t, int r, int b, int xs, int ys, int xe, int ye, bool clockwise);
// Flattens a cubic Bezier chain (1 + 3n points) into a polyline.
std::vector<POINT> FlattenBezier(const POINT* pts, size_t count);

}  // namespace gdi
}  // namespace mivo
