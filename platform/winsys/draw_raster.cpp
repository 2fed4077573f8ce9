#include "platform/winsys/draw_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace winsys::raster {

namespace {

__extension__ typedef __int128 Wide;

// Beyond this, coordinates are pulled in; the products below then stay within 64 bits.
constexpr std::int64_t kCoordLimit = std::int64_t{1} << 29;

std::int64_t clampCoord(int v) { return std::clamp<std::int64_t>(v, -kCoordLimit, kCoordLimit); }

std::int64_t ceilDiv(std::int64_t num, std::int64_t den) {  // den > 0
    std::int64_t q = num / den;
    if (num % den != 0 && num > 0) ++q;
    return q;
}

struct Edge {
    std::int64_t yTop;  // first row crossed
    std::int64_t yEnd;  // first row no longer crossed
    std::int64_t x0, y0, dx, dy;  // from the upper end, dy > 0
};

int clampInt(std::int64_t v, int lo, int hi) { return static_cast<int>(std::clamp<std::int64_t>(v, lo, hi)); }

}  // namespace

std::vector<Span> polygonSpans(std::span<const Point> points, Rect limit) {
    std::vector<Span> spans;
    const std::size_t n = points.size();
    if (n < 3 || limit.isEmpty()) return spans;
    std::vector<Edge> edges;
    edges.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::int64_t ax = clampCoord(points[i].x), ay = clampCoord(points[i].y);
        std::int64_t bx = clampCoord(points[(i + 1) % n].x), by = clampCoord(points[(i + 1) % n].y);
        if (ay == by) continue;  // horizontal edges cross no row
        if (ay > by) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        // Half-open in y: the edge crosses rows ay .. by - 1, so a shared vertex counts once.
        edges.push_back(Edge{ay, by, ax, ay, bx - ax, by - ay});
    }
    if (edges.empty()) return spans;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });
    std::int64_t yFirst = std::max<std::int64_t>(edges.front().yTop, limit.top);
    std::int64_t yLast = limit.top;
    for (const Edge& e : edges) yLast = std::max(yLast, e.yEnd);
    yLast = std::min<std::int64_t>(yLast, limit.bottom);

    std::vector<const Edge*> active;
    std::vector<std::int64_t> xs;
    std::size_t next = 0;
    for (std::int64_t y = yFirst; y < yLast; ++y) {
        while (next < edges.size() && edges[next].yTop <= y) {
            active.push_back(&edges[next]);
            ++next;
        }
        std::erase_if(active, [y](const Edge* e) { return e->yEnd <= y; });
        xs.clear();
        for (const Edge* e : active) {
            if (e->yTop > y) continue;
            // Crossing at x0 + (y - y0) * dx / dy; a centre x is in when x >= crossing.
            xs.push_back(ceilDiv(e->x0 * e->dy + (y - e->y0) * e->dx, e->dy));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x0 = clampInt(xs[i], limit.left, limit.right), x1 = clampInt(xs[i + 1], limit.left, limit.right);
            if (x0 < x1) spans.push_back(Span{static_cast<int>(y), x0, x1});
        }
    }
    return spans;
}

std::vector<Span> ellipseSpans(Rect box, Rect limit) {
    std::vector<Span> spans;
    if (box.isEmpty() || limit.isEmpty()) return spans;
    // In doubled coordinates centred on the box: pixel x has X = 2x + 1 - (l + r), and the
    // centre is inside when X^2 B^2 + Y^2 A^2 < A^2 B^2 with A, B the box's width and height.
    const std::int64_t l = clampCoord(box.left), r = clampCoord(box.right);
    const std::int64_t t = clampCoord(box.top), b = clampCoord(box.bottom);
    const Wide A = r - l, B = b - t;
    const Wide AB2 = A * A * B * B;
    auto X = [&](std::int64_t x) { return 2 * x + 1 - (l + r); };
    auto inside = [&](std::int64_t Xv, std::int64_t Y) { return Wide{Xv} * Xv * B * B + Wide{Y} * Y * A * A < AB2; };
    const std::int64_t yFrom = std::max<std::int64_t>(t, limit.top), yTo = std::min<std::int64_t>(b, limit.bottom);
    const double a = static_cast<double>(r - l), bb = static_cast<double>(b - t);
    for (std::int64_t y = yFrom; y < yTo; ++y) {
        const std::int64_t Y = 2 * y + 1 - (t + b);
        // Estimate the last column inside, then settle it exactly; the row is symmetric.
        const double q = static_cast<double>(Y) / bb;
        const double xLim = a * std::sqrt(std::max(0.0, 1.0 - q * q));
        std::int64_t xHi = static_cast<std::int64_t>(std::floor((xLim + static_cast<double>(l + r) - 1.0) / 2.0));
        xHi = std::clamp<std::int64_t>(xHi, (l + r - 1) / 2 - 1, r - 1);
        while (xHi + 1 < r && inside(X(xHi + 1), Y)) ++xHi;
        while (X(xHi) >= 0 && !inside(X(xHi), Y)) --xHi;
        if (X(xHi) < 0) continue;
        const std::int64_t xLo = (l + r) - 1 - xHi;
        int x0 = clampInt(xLo, limit.left, limit.right), x1 = clampInt(xHi + 1, limit.left, limit.right);
        if (x0 < x1) spans.push_back(Span{static_cast<int>(y), x0, x1});
    }
    return spans;
}

}  // namespace winsys::raster
