// Small helpers shared by the drawing tests.
#pragma once

#include "platform/winsys/draw.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace winsys::testing {

inline constexpr Colour kPaper = rgb(0x20, 0x40, 0x60);
inline constexpr Colour kInk = rgb(0xF0, 0x10, 0x10);
inline constexpr Colour kFill = rgb(0x10, 0xE0, 0x30);

// A memory context over a bitmap of one colour.
struct Surface {
    Bitmap bitmap;
    DeviceContext dc;
    explicit Surface(int w = 120, int h = 100, Colour paper = kPaper) : bitmap(Bitmap::create(w, h)) {
        bitmap.fill(paper);
        dc.select(bitmap);
    }
    Colour at(int x, int y) const { return bitmap.pixel(x, y); }
    int count(Colour c) const {
        int n = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) n += bitmap.pixel(x, y) == c ? 1 : 0;
        }
        return n;
    }
    // Bounding box of the pixels that differ from the paper; empty when there are none.
    Rect inkBox(Colour paper = kPaper) const {
        Rect box{bitmap.width(), bitmap.height(), 0, 0};
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                if (bitmap.pixel(x, y) == paper) continue;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
        return box.isEmpty() ? Rect{} : box;
    }
};

inline std::string outputPath(const std::string& name) { return std::string(TAMBLO_TEST_OUTPUT_DIR) + "/" + name; }

// Exact even-odd point-in-polygon for the pixel whose centre is tested; vertices are pixel
// centres too, so the test happens on the integer lattice: a ray to the right, with the
// half-open rule for vertices.
inline bool insidePolygon(const std::vector<Point>& poly, int x, int y) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point a = poly[i], b = poly[j];
        if ((a.y > y) == (b.y > y)) continue;
        // x < crossing, with dy > 0 after ordering.
        const Point lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
        const long long dy = hi.y - lo.y;
        const long long lhs = static_cast<long long>(x) * dy;
        const long long rhs = static_cast<long long>(lo.x) * dy + static_cast<long long>(y - lo.y) * (hi.x - lo.x);
        if (lhs < rhs) in = !in;
    }
    return in;
}

// Centre of pixel (x, y) strictly inside the ellipse inscribed in the box, in floating point.
inline bool insideEllipse(Rect box, int x, int y) {
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double a = box.width() / 2.0, b = box.height() / 2.0;
    const double dx = (x + 0.5 - cx) / a, dy = (y + 0.5 - cy) / b;
    return dx * dx + dy * dy < 1.0;
}

}  // namespace winsys::testing
