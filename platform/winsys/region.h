// Regions: exact sets of pixels, built from rectangles, ellipses and polygons and combined.
// They serve as window shapes (through a mask), for clipping and for hit testing.
#pragma once

#include "platform/winsys/types.h"

#include <cstdint>
#include <span>
#include <vector>

typedef struct _cairo_region cairo_region_t;

namespace winsys {

// Coordinates of every region are kept inside this range; shapes reaching beyond it are cut.
// It is far larger than any screen, and keeps the pixel arithmetic in plain integers.
inline constexpr int kRegionLimit = 1 << 15;

// A set of pixels, a value type: copies are independent. Every operation is defined for
// every input (empty, inverted or huge shapes give empty or cut regions) and never throws.
class Region {
public:
    // The empty region.
    Region();
    ~Region();
    Region(const Region& other);
    Region(Region&& other) noexcept;
    Region& operator=(const Region& other);
    Region& operator=(Region&& other) noexcept;

    // The pixels of the rectangle (right and bottom exclusive); an inverted or empty rectangle
    // gives the empty region.
    static Region rectangle(Rect r);
    static Region rectangle(int left, int top, int right, int bottom) { return rectangle(Rect{left, top, right, bottom}); }

    // The pixels whose centres lie inside the ellipse inscribed in the box (right and bottom
    // exclusive). These are exactly the pixels a drawn ellipse of that box covers, outline included.
    static Region ellipse(Rect box);
    static Region ellipse(int left, int top, int right, int bottom) { return ellipse(Rect{left, top, right, bottom}); }

    // The interior of the closed polygon through the points, filled alternately (even-odd): the
    // pixels whose centres lie inside, as a drawn polygon fills them. Fewer than three points
    // give the empty region.
    static Region polygon(std::span<const Point> points);
    static Region polygon(const Point* points, int count);

    // Combinations; each returns *this so that they chain.
    Region& unite(const Region& other);
    Region& intersect(const Region& other);
    Region& subtract(const Region& other);
    Region& exclusiveOr(const Region& other);
    Region& offset(int dx, int dy);

    friend Region operator|(Region a, const Region& b) { return a.unite(b); }
    friend Region operator&(Region a, const Region& b) { return a.intersect(b); }
    friend Region operator-(Region a, const Region& b) { return a.subtract(b); }

    bool isEmpty() const;
    bool contains(Point p) const;
    bool contains(int x, int y) const { return contains(Point{x, y}); }
    // Smallest rectangle holding every pixel; {0, 0, 0, 0} for the empty region.
    Rect bounds() const;
    // Disjoint rectangles whose union is the region, in rows from top to bottom, left to right.
    std::vector<Rect> rectangles() const;
    int pixelCount() const;
    // Same pixel set.
    friend bool operator==(const Region& a, const Region& b);

    // Masks of the region over a w x h surface whose top-left pixel is (origin.x, origin.y),
    // row-major without padding. A8: 255 inside, 0 outside. ARGB (0xAARRGGBB words): opaque
    // white inside, fully transparent outside (what a shaped window wants). Sizes below 1 give
    // an empty vector.
    std::vector<std::uint8_t> maskA8(Size size, Point origin = {}) const;
    std::vector<std::uint32_t> maskArgb(Size size, Point origin = {}) const;

    // For the window system itself: the underlying Cairo region (never null).
    cairo_region_t* cairoRegion() const { return region_; }

private:
    explicit Region(cairo_region_t* adopted);
    cairo_region_t* region_;
};

}  // namespace winsys
