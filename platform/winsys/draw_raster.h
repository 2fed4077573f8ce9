// Scan conversion shared by regions and drawing, so that a region of a shape and the drawn
// shape cover the same pixels. Internal to the window system.
#pragma once

#include "platform/winsys/types.h"

#include <span>
#include <vector>

namespace winsys::raster {

// Pixels x0 .. x1 - 1 of row y.
struct Span {
    int y;
    int x0;
    int x1;
};

// Pixels whose centres lie inside the polygon through the pixel centres of the points, under
// the even-odd rule; edges follow the top-left convention (a centre exactly on a left or top
// edge is in, on a right or bottom edge is out). Only pixels within the limit are produced.
std::vector<Span> polygonSpans(std::span<const Point> points, Rect limit);

// Pixels whose centres lie strictly inside the ellipse inscribed in the box (edges of pixels,
// right and bottom exclusive), within the limit.
std::vector<Span> ellipseSpans(Rect box, Rect limit);

}  // namespace winsys::raster
