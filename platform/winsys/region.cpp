#include "platform/winsys/region.h"

#include "platform/winsys/draw_raster.h"

#include <cairo.h>

#include <algorithm>

namespace winsys {

namespace {

constexpr Rect kLimitRect{-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit};

int clampToLimit(int v) { return std::clamp(v, -kRegionLimit, kRegionLimit); }

cairo_region_t* fromSpans(const std::vector<raster::Span>& spans) {
    if (spans.empty()) return cairo_region_create();
    std::vector<cairo_rectangle_int_t> rects;
    rects.reserve(spans.size());
    // Spans come row by row. A row holding one span equal to the single span of the row above
    // extends that rectangle: ellipses and convex shapes then cost a few rectangles, not one per row.
    bool previousRowSingle = false;
    for (std::size_t i = 0; i < spans.size();) {
        std::size_t j = i;
        while (j < spans.size() && spans[j].y == spans[i].y) ++j;
        const raster::Span& s = spans[i];
        if (j - i == 1 && previousRowSingle) {
            cairo_rectangle_int_t& last = rects.back();
            if (last.x == s.x0 && last.width == s.x1 - s.x0 && last.y + last.height == s.y) {
                ++last.height;
                i = j;
                continue;
            }
        }
        for (std::size_t k = i; k < j; ++k) {
            rects.push_back(cairo_rectangle_int_t{spans[k].x0, spans[k].y, spans[k].x1 - spans[k].x0, 1});
        }
        previousRowSingle = (j - i == 1);
        i = j;
    }
    return cairo_region_create_rectangles(rects.data(), static_cast<int>(rects.size()));
}

}  // namespace

Region::Region() : region_(cairo_region_create()) {}
Region::Region(cairo_region_t* adopted) : region_(adopted) {}
Region::~Region() { cairo_region_destroy(region_); }
Region::Region(const Region& other) : region_(cairo_region_copy(other.region_)) {}
Region::Region(Region&& other) noexcept : region_(other.region_) { other.region_ = cairo_region_create(); }
Region& Region::operator=(const Region& other) {
    if (this != &other) {
        cairo_region_t* copy = cairo_region_copy(other.region_);
        cairo_region_destroy(region_);
        region_ = copy;
    }
    return *this;
}
Region& Region::operator=(Region&& other) noexcept {
    std::swap(region_, other.region_);
    return *this;
}

Region Region::rectangle(Rect r) {
    Rect c{clampToLimit(r.left), clampToLimit(r.top), clampToLimit(r.right), clampToLimit(r.bottom)};
    if (c.isEmpty()) return Region();
    cairo_rectangle_int_t rect{c.left, c.top, c.width(), c.height()};
    return Region(cairo_region_create_rectangle(&rect));
}

Region Region::ellipse(Rect box) { return Region(fromSpans(raster::ellipseSpans(box, kLimitRect))); }

Region Region::polygon(std::span<const Point> points) {
    return Region(fromSpans(raster::polygonSpans(points, kLimitRect)));
}

Region Region::polygon(const Point* points, int count) {
    if (points == nullptr || count < 3) return Region();
    return polygon(std::span<const Point>(points, static_cast<std::size_t>(count)));
}

Region& Region::unite(const Region& other) {
    cairo_region_union(region_, other.region_);
    return *this;
}
Region& Region::intersect(const Region& other) {
    cairo_region_intersect(region_, other.region_);
    return *this;
}
Region& Region::subtract(const Region& other) {
    cairo_region_subtract(region_, other.region_);
    return *this;
}
Region& Region::exclusiveOr(const Region& other) {
    cairo_region_xor(region_, other.region_);
    return *this;
}
Region& Region::offset(int dx, int dy) {
    // Moved pixels beyond the limit are dropped, so the limit keeps holding.
    Rect b = bounds();
    if (isEmpty()) return *this;
    long long nl = static_cast<long long>(b.left) + dx, nt = static_cast<long long>(b.top) + dy;
    long long nr = static_cast<long long>(b.right) + dx, nb = static_cast<long long>(b.bottom) + dy;
    if (nl >= kRegionLimit || nt >= kRegionLimit || nr <= -kRegionLimit || nb <= -kRegionLimit) {
        *this = Region();
        return *this;
    }
    dx = static_cast<int>(std::clamp<long long>(dx, -4LL * kRegionLimit, 4LL * kRegionLimit));
    dy = static_cast<int>(std::clamp<long long>(dy, -4LL * kRegionLimit, 4LL * kRegionLimit));
    cairo_region_translate(region_, dx, dy);
    if (nl < -kRegionLimit || nt < -kRegionLimit || nr > kRegionLimit || nb > kRegionLimit) {
        intersect(rectangle(-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit));
    }
    return *this;
}

bool Region::isEmpty() const { return cairo_region_is_empty(region_) != 0; }

bool Region::contains(Point p) const { return cairo_region_contains_point(region_, p.x, p.y) != 0; }

Rect Region::bounds() const {
    if (isEmpty()) return Rect{};
    cairo_rectangle_int_t e;
    cairo_region_get_extents(region_, &e);
    return Rect{e.x, e.y, e.x + e.width, e.y + e.height};
}

std::vector<Rect> Region::rectangles() const {
    std::vector<Rect> out;
    const int n = cairo_region_num_rectangles(region_);
    out.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region_, i, &r);
        out.push_back(Rect{r.x, r.y, r.x + r.width, r.y + r.height});
    }
    return out;
}

int Region::pixelCount() const {
    long long total = 0;
    for (const Rect& r : rectangles()) total += static_cast<long long>(r.width()) * r.height();
    return static_cast<int>(std::min<long long>(total, 0x7FFFFFFF));
}

bool operator==(const Region& a, const Region& b) { return cairo_region_equal(a.region_, b.region_) != 0; }

namespace {

template <typename T>
std::vector<T> makeMask(const Region& region, Size size, Point origin, T inside) {
    if (size.cx < 1 || size.cy < 1) return {};
    std::vector<T> mask(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy), T{0});
    const long long ox = origin.x, oy = origin.y;
    for (const Rect& r : region.rectangles()) {
        const long long x0 = std::max<long long>(r.left - ox, 0), x1 = std::min<long long>(r.right - ox, size.cx);
        const long long y0 = std::max<long long>(r.top - oy, 0), y1 = std::min<long long>(r.bottom - oy, size.cy);
        for (long long y = y0; y < y1; ++y) {
            T* row = mask.data() + y * size.cx;
            std::fill(row + x0, row + std::max(x0, x1), inside);
        }
    }
    return mask;
}

}  // namespace

std::vector<std::uint8_t> Region::maskA8(Size size, Point origin) const {
    return makeMask<std::uint8_t>(*this, size, origin, 0xFF);
}

std::vector<std::uint32_t> Region::maskArgb(Size size, Point origin) const {
    return makeMask<std::uint32_t>(*this, size, origin, 0xFFFFFFFFu);
}

}  // namespace winsys
