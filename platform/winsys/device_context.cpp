// Device contexts: the drawing state and the drawing operations over a bitmap.
//
// Fills, 1-pixel lines and copies write the pixels directly (exact, and the fills share their
// scan conversion with regions); wide pens and text go through Cairo without antialiasing.
#include "platform/winsys/draw_internal.h"
#include "platform/winsys/draw_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

namespace winsys {

namespace {

__extension__ typedef __int128 Wide;

// Device coordinates handed to the scan conversion and to Cairo stay within this range.
constexpr std::int64_t kCoordLimit = std::int64_t{1} << 29;

int clampCoord(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, -kCoordLimit, kCoordLimit)); }

void setSource(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, redOf(c) / 255.0, greenOf(c) / 255.0, blueOf(c) / 255.0);
}

// Cuts the segment to the box (Liang-Barsky); false when nothing of it is inside.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hiX, double hiY) {
    const double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo, hiX - x0, y0 - lo, hiY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy, nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
    return true;
}

}  // namespace

struct DeviceContext::State {
    Pen pen = stockBlackPen();
    Brush brush = stockWhiteBrush();
    Font font = stockSystemFont();
    Bitmap bitmap;
    bool fixed = false;
    Colour text = rgb(0, 0, 0);
    Colour background = rgb(255, 255, 255);
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    TextAlign align = TextAlign::LeftTop;
    StretchMode stretch = StretchMode::BlackOnWhite;
    Point position{};
    Point viewport{};
    bool hasClip = false;
    Region clip;
    std::vector<Rect> clipRects;
    Size reported{};
    cairo_t* cr = nullptr;
    cairo_surface_t* crSurface = nullptr;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() {
        if (cr) cairo_destroy(cr);
    }

    int width() const { return bitmap.width(); }
    int height() const { return bitmap.height(); }
    bool drawable() const { return !bitmap.isNull() && width() > 0 && height() > 0; }

    std::int64_t devX(std::int64_t x) const { return x + viewport.x; }
    std::int64_t devY(std::int64_t y) const { return y + viewport.y; }
    Point devPoint(Point p) const { return Point{clampCoord(devX(p.x)), clampCoord(devY(p.y))}; }

    // Geometry of the target while pixels are written directly (between beginDirect and endDirect).
    unsigned char* base = nullptr;
    std::ptrdiff_t pitch = 0;
    int directWidth = 0;
    int directHeight = 0;

    std::uint32_t* row(int y) { return reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * pitch); }

    void beginDirect() {
        cairo_surface_flush(bitmap.cairoSurface());
        base = reinterpret_cast<unsigned char*>(bitmap.pixels());
        pitch = bitmap.stride();
        directWidth = base ? width() : 0;
        directHeight = base ? height() : 0;
    }
    void endDirect() {
        bitmap.markDirty();
        base = nullptr;
        directWidth = directHeight = 0;
    }

    // Calls f(x0, x1) for the parts of pixels x0 .. x1 - 1 of device row y that may be drawn.
    template <typename F>
    void forDrawable(std::int64_t y, std::int64_t x0, std::int64_t x1, F&& f) const {
        if (y < 0 || y >= directHeight) return;
        x0 = std::max<std::int64_t>(x0, 0);
        x1 = std::min<std::int64_t>(x1, directWidth);
        if (x0 >= x1) return;
        if (!hasClip) {
            f(static_cast<int>(x0), static_cast<int>(x1));
            return;
        }
        for (const Rect& r : clipRects) {
            if (r.top > y) break;  // rows come sorted by band
            if (y >= r.bottom) continue;
            const std::int64_t a = std::max<std::int64_t>(x0, r.left), b = std::min<std::int64_t>(x1, r.right);
            if (a < b) f(static_cast<int>(a), static_cast<int>(b));
        }
    }

    void fillRow(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t v) {
        forDrawable(y, x0, x1, [&](int a, int b) {
            std::uint32_t* r = row(static_cast<int>(y));
            std::fill(r + a, r + b, v);
        });
    }

    void plot(std::int64_t x, std::int64_t y, std::uint32_t v) { fillRow(y, x, x + 1, v); }

    void fillSpans(const std::vector<raster::Span>& spans, std::uint32_t v) {
        for (const raster::Span& s : spans) fillRow(s.y, s.x0, s.x1, v);
    }

    Rect deviceLimit() const { return Rect{0, 0, width(), height()}; }

    // The exact 1-pixel line from a to b in device pixels: a is lit, b is not. Only the visible
    // part of the major axis is walked, so far-away end points cost nothing.
    void bresenham(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::uint32_t v) {
        const std::int64_t dx = bx - ax, dy = by - ay;
        const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        if (adx == 0 && ady == 0) return;
        const bool xMajor = adx >= ady;
        const std::int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
        const std::int64_t m0 = xMajor ? ax : ay, n0 = xMajor ? ay : ax;
        const std::int64_t sm = (xMajor ? dx : dy) < 0 ? -1 : 1, sn = (xMajor ? dy : dx) < 0 ? -1 : 1;
        const std::int64_t extent = xMajor ? width() : height();
        std::int64_t from, to;  // steps i in [from, to) keep the major coordinate on the bitmap
        if (sm > 0) {
            from = std::max<std::int64_t>(0, -m0);
            to = std::min<std::int64_t>(major, extent - m0);
        } else {
            from = std::max<std::int64_t>(0, m0 - extent + 1);
            to = std::min<std::int64_t>(major, m0 + 1);
        }
        const bool narrow = major < (std::int64_t{1} << 30);  // then the products fit in 64 bits
        for (std::int64_t i = from; i < to; ++i) {
            const std::int64_t step = narrow ? (2 * i * minor + major) / (2 * major)
                                             : static_cast<std::int64_t>((Wide{2} * i * minor + major) / (Wide{2} * major));
            const std::int64_t m = m0 + sm * i, n = n0 + sn * step;
            if (xMajor) {
                plot(m, n, v);
            } else {
                plot(n, m, v);
            }
        }
    }

    void dropCairo() {
        if (cr) cairo_destroy(cr);
        cr = nullptr;
        crSurface = nullptr;
    }

    cairo_t* cairo() {
        cairo_surface_t* surface = bitmap.cairoSurface();
        if (cr == nullptr || crSurface != surface) {
            if (cr) cairo_destroy(cr);
            cr = cairo_create(surface);
            crSurface = surface;
        }
        cairo_new_path(cr);
        cairo_identity_matrix(cr);
        cairo_reset_clip(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        if (hasClip) {
            for (const Rect& r : clipRects) cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
            cairo_clip(cr);
        }
        return cr;
    }

    // Wide-pen segments in device pixels, each with round caps (which also makes round joins).
    void strokeSegments(const std::vector<Point>& pts, bool closed, const Pen& p) {
        const double w = p.width();
        const double lo = -w - 2, hiX = width() + w + 2, hiY = height() + w + 2;
        cairo_t* c = cairo();
        cairo_set_line_width(c, w);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
        setSource(c, p.colour());
        const std::size_t n = pts.size();
        const std::size_t segments = closed ? n : n - 1;
        bool any = false;
        for (std::size_t i = 0; i < segments; ++i) {
            const Point& a = pts[i];
            const Point& b = pts[(i + 1) % n];
            double x0 = a.x + 0.5, y0 = a.y + 0.5, x1 = b.x + 0.5, y1 = b.y + 0.5;
            if (!clipSegment(x0, y0, x1, y1, lo, hiX, hiY)) continue;
            cairo_move_to(c, x0, y0);
            cairo_line_to(c, x1, y1);
            any = true;
        }
        if (any) cairo_stroke(c);
        cairo_new_path(c);
    }

    void outline(const std::vector<Point>& devicePts, bool closed) {
        if (!pen.draws() || devicePts.size() < 2) return;
        if (pen.width() <= 1) {
            const std::uint32_t v = nativeFromColour(pen.colour());
            const std::size_t n = devicePts.size();
            const std::size_t segments = closed ? n : n - 1;
            beginDirect();
            for (std::size_t i = 0; i < segments; ++i) {
                const Point& a = devicePts[i];
                const Point& b = devicePts[(i + 1) % n];
                bresenham(a.x, a.y, b.x, b.y, v);
            }
            endDirect();
        } else {
            strokeSegments(devicePts, closed, pen);
        }
    }
};

DeviceContext::DeviceContext() : s_(std::make_unique<State>()) {
    s_->bitmap = detail::BitmapData::make(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1), false, true);
}

DeviceContext::DeviceContext(Bitmap target) : s_(std::make_unique<State>()) {
    s_->bitmap = std::move(target);
    s_->fixed = true;
}

DeviceContext::~DeviceContext() = default;

DeviceContext::DeviceContext(DeviceContext&& other) noexcept : s_(std::move(other.s_)) {
    other = DeviceContext();
}

DeviceContext& DeviceContext::operator=(DeviceContext&& other) noexcept {
    if (this != &other) {
        s_ = std::move(other.s_);
        other.s_ = std::make_unique<State>();
        other.s_->bitmap = detail::BitmapData::make(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1), false, true);
    }
    return *this;
}

Pen DeviceContext::select(const Pen& pen) {
    if (pen.isNull()) return Pen();
    Pen old = s_->pen;
    s_->pen = pen;
    return old;
}

Brush DeviceContext::select(const Brush& brush) {
    if (brush.isNull()) return Brush();
    Brush old = s_->brush;
    s_->brush = brush;
    return old;
}

Font DeviceContext::select(const Font& font) {
    if (font.isNull()) return Font();
    Font old = s_->font;
    s_->font = font;
    return old;
}

Bitmap DeviceContext::select(const Bitmap& bitmap) {
    if (bitmap.isNull() || s_->fixed) return Bitmap();
    Bitmap old = s_->bitmap;
    s_->bitmap = bitmap;
    s_->dropCairo();  // the old surface must not stay alive through the cached context
    return old;
}

DrawObject DeviceContext::select(const DrawObject& object) {
    return std::visit(
        [this](const auto& o) -> DrawObject {
            if constexpr (std::is_same_v<std::decay_t<decltype(o)>, std::monostate>) {
                return std::monostate{};
            } else {
                auto old = select(o);
                if (old.isNull()) return std::monostate{};
                return old;
            }
        },
        object);
}

const Pen& DeviceContext::pen() const { return s_->pen; }
const Brush& DeviceContext::brush() const { return s_->brush; }
const Font& DeviceContext::font() const { return s_->font; }
const Bitmap& DeviceContext::bitmap() const { return s_->bitmap; }
bool DeviceContext::hasFixedTarget() const { return s_->fixed; }

Colour DeviceContext::setTextColour(Colour c) { return std::exchange(s_->text, c & 0x00FFFFFFu); }
Colour DeviceContext::setBackgroundColour(Colour c) { return std::exchange(s_->background, c & 0x00FFFFFFu); }
BackgroundMode DeviceContext::setBackgroundMode(BackgroundMode mode) {
    if (mode != BackgroundMode::Opaque && mode != BackgroundMode::Transparent) return s_->backgroundMode;
    return std::exchange(s_->backgroundMode, mode);
}
TextAlign DeviceContext::setTextAlign(TextAlign align) {
    if (align != TextAlign::LeftTop && align != TextAlign::CentreTop) return s_->align;
    return std::exchange(s_->align, align);
}
StretchMode DeviceContext::setStretchMode(StretchMode mode) {
    if (mode != StretchMode::BlackOnWhite && mode != StretchMode::ColourOnColour) return s_->stretch;
    return std::exchange(s_->stretch, mode);
}
Colour DeviceContext::textColour() const { return s_->text; }
Colour DeviceContext::backgroundColour() const { return s_->background; }
BackgroundMode DeviceContext::backgroundMode() const { return s_->backgroundMode; }
TextAlign DeviceContext::textAlign() const { return s_->align; }
StretchMode DeviceContext::stretchMode() const { return s_->stretch; }

Point DeviceContext::setViewportOrigin(Point origin) { return std::exchange(s_->viewport, origin); }
Point DeviceContext::viewportOrigin() const { return s_->viewport; }

void DeviceContext::setClip(const Region& clip) {
    s_->clip = clip;
    s_->clipRects = clip.rectangles();
    s_->hasClip = true;
}
void DeviceContext::clearClip() {
    s_->clip = Region();
    s_->clipRects.clear();
    s_->hasClip = false;
}
bool DeviceContext::hasClip() const { return s_->hasClip; }

Point DeviceContext::moveTo(Point p) { return std::exchange(s_->position, p); }
Point DeviceContext::currentPosition() const { return s_->position; }

bool DeviceContext::lineTo(Point p) {
    const Point from = std::exchange(s_->position, p);
    if (!s_->drawable()) return false;
    s_->outline({s_->devPoint(from), s_->devPoint(p)}, false);
    return true;
}

bool DeviceContext::polygon(std::span<const Point> points) {
    if (points.size() < 2 || !s_->drawable()) return false;
    std::vector<Point> dev;
    dev.reserve(points.size());
    for (const Point& p : points) dev.push_back(s_->devPoint(p));
    if (s_->brush.fills() && dev.size() >= 3) {
        s_->beginDirect();
        s_->fillSpans(raster::polygonSpans(dev, s_->deviceLimit()), nativeFromColour(s_->brush.colour()));
        s_->endDirect();
    }
    s_->outline(dev, true);
    return true;
}

bool DeviceContext::polygon(const Point* points, int count) {
    if (points == nullptr || count < 2) return false;
    return polygon(std::span<const Point>(points, static_cast<std::size_t>(count)));
}

bool DeviceContext::ellipse(Rect box) {
    if (!s_->drawable()) return false;
    Rect b{clampCoord(s_->devX(std::min(box.left, box.right))), clampCoord(s_->devY(std::min(box.top, box.bottom))),
           clampCoord(s_->devX(std::max(box.left, box.right))), clampCoord(s_->devY(std::max(box.top, box.bottom)))};
    if (b.isEmpty()) return true;
    const Rect limit = s_->deviceLimit();
    if (!s_->pen.draws()) {
        s_->beginDirect();
        if (s_->brush.fills()) s_->fillSpans(raster::ellipseSpans(b, limit), nativeFromColour(s_->brush.colour()));
        s_->endDirect();
        return true;
    }
    // The outline is the rim of the shape, eroded pen-width times by 4-neighbours: so it always
    // closes the interior off, and it is as thick as the pen on the axes. Rows and columns are
    // scanned a little past the bitmap so that its edges are not taken for the shape's.
    const int w = s_->pen.width();
    const Rect wide{limit.left - w - 1, limit.top - w - 1, limit.right + w + 1, limit.bottom + w + 1};
    const std::vector<raster::Span> outer = raster::ellipseSpans(b, wide);
    s_->beginDirect();
    if (!outer.empty()) {
        const int y0 = outer.front().y, rows = outer.back().y - y0 + 1;
        // Ellipse rows are single runs; an empty row is x0 == x1.
        std::vector<std::pair<int, int>> shape(static_cast<std::size_t>(rows), {0, 0});
        for (const raster::Span& sp : outer) shape[static_cast<std::size_t>(sp.y - y0)] = {sp.x0, sp.x1};
        std::vector<std::pair<int, int>> inner = shape, next(shape.size());
        for (int step = 0; step < w; ++step) {
            for (int i = 0; i < rows; ++i) {
                const auto cur = inner[static_cast<std::size_t>(i)];
                const auto up = i > 0 ? inner[static_cast<std::size_t>(i - 1)] : std::pair<int, int>{0, 0};
                const auto down = i + 1 < rows ? inner[static_cast<std::size_t>(i + 1)] : std::pair<int, int>{0, 0};
                int lo = std::max({cur.first + 1, up.first, down.first});
                int hi = std::min({cur.second - 1, up.second, down.second});
                if (up.first >= up.second || down.first >= down.second || lo >= hi) lo = hi = 0;
                next[static_cast<std::size_t>(i)] = {lo, hi};
            }
            inner.swap(next);
            if (std::all_of(inner.begin(), inner.end(), [](const auto& r) { return r.first >= r.second; })) break;
        }
        const std::uint32_t penColour = nativeFromColour(s_->pen.colour());
        const bool fills = s_->brush.fills();
        const std::uint32_t brushColour = nativeFromColour(s_->brush.colour());
        for (int i = 0; i < rows; ++i) {
            const auto [ox0, ox1] = shape[static_cast<std::size_t>(i)];
            const auto [ix0, ix1] = inner[static_cast<std::size_t>(i)];
            const int y = y0 + i;
            if (ox0 >= ox1) continue;
            if (ix0 >= ix1) {
                s_->fillRow(y, ox0, ox1, penColour);
                continue;
            }
            s_->fillRow(y, ox0, ix0, penColour);
            s_->fillRow(y, ix1, ox1, penColour);
            if (fills) s_->fillRow(y, ix0, ix1, brushColour);
        }
    }
    s_->endDirect();
    return true;
}

bool DeviceContext::rectangle(Rect r) {
    if (!s_->drawable()) return false;
    std::int64_t l = s_->devX(std::min(r.left, r.right)), t = s_->devY(std::min(r.top, r.bottom));
    std::int64_t rr = s_->devX(std::max(r.left, r.right)), b = s_->devY(std::max(r.top, r.bottom));
    const bool fills = s_->brush.fills();
    const std::uint32_t brushColour = nativeFromColour(s_->brush.colour());
    s_->beginDirect();
    if (!s_->pen.draws()) {
        if (fills) {
            const std::int64_t y0 = std::max<std::int64_t>(t, 0), y1 = std::min<std::int64_t>(b - 1, s_->height());
            for (std::int64_t y = y0; y < y1; ++y) s_->fillRow(y, l, rr - 1, brushColour);
        }
        s_->endDirect();
        return true;
    }
    const std::int64_t w = s_->pen.width();
    const std::uint32_t penColour = nativeFromColour(s_->pen.colour());
    const std::int64_t y0 = std::max<std::int64_t>(t, 0), y1 = std::min<std::int64_t>(b, s_->height());
    for (std::int64_t y = y0; y < y1; ++y) {
        if (y < t + w || y >= b - w || rr - l <= 2 * w) {
            s_->fillRow(y, l, rr, penColour);
        } else {
            s_->fillRow(y, l, l + w, penColour);
            s_->fillRow(y, rr - w, rr, penColour);
            if (fills) s_->fillRow(y, l + w, rr - w, brushColour);
        }
    }
    s_->endDirect();
    return true;
}

bool DeviceContext::fillRect(Rect r, const Brush& brush) {
    if (!s_->drawable()) return false;
    if (!brush.fills()) return !brush.isNull();
    return fillRect(r, brush.colour());
}

bool DeviceContext::fillRect(Rect r, Colour colour) {
    if (!s_->drawable()) return false;
    const std::int64_t l = s_->devX(r.left), rr = s_->devX(r.right);
    const std::int64_t y0 = std::max<std::int64_t>(s_->devY(r.top), 0), y1 = std::min<std::int64_t>(s_->devY(r.bottom), s_->height());
    const std::uint32_t v = nativeFromColour(colour & 0x00FFFFFFu);
    s_->beginDirect();
    for (std::int64_t y = y0; y < y1; ++y) s_->fillRow(y, l, rr, v);
    s_->endDirect();
    return true;
}

bool DeviceContext::fillRegion(const Region& region, const Brush& brush) {
    if (!s_->drawable()) return false;
    if (!brush.fills()) return !brush.isNull();
    const std::uint32_t v = nativeFromColour(brush.colour());
    s_->beginDirect();
    for (const Rect& r : region.rectangles()) {
        const std::int64_t y0 = std::max<std::int64_t>(s_->devY(r.top), 0);
        const std::int64_t y1 = std::min<std::int64_t>(s_->devY(r.bottom), s_->height());
        for (std::int64_t y = y0; y < y1; ++y) s_->fillRow(y, s_->devX(r.left), s_->devX(r.right), v);
    }
    s_->endDirect();
    return true;
}

bool DeviceContext::setPixel(Point p, Colour colour) {
    if (!s_->drawable()) return false;
    s_->beginDirect();
    s_->plot(s_->devX(p.x), s_->devY(p.y), nativeFromColour(colour & 0x00FFFFFFu));
    s_->endDirect();
    return true;
}

Colour DeviceContext::pixel(Point p) const {
    const std::int64_t x = s_->devX(p.x), y = s_->devY(p.y);
    if (x < 0 || y < 0 || x >= s_->width() || y >= s_->height()) return kInvalidColour;
    return s_->bitmap.pixel(static_cast<int>(x), static_cast<int>(y));
}

bool DeviceContext::textOut(Point p, std::string_view text) {
    if (!s_->drawable()) return false;
    const detail::FontData* fd = detail::FontData::of(s_->font);
    if (fd == nullptr) return false;
    const std::string utf8 = detail::sanitiseUtf8(text);
    const int advance = fd->advance(utf8);
    const FontMetrics& m = fd->metrics;
    const double x = static_cast<double>(clampCoord(s_->devX(p.x)));
    const double y = static_cast<double>(clampCoord(s_->devY(p.y)));
    const int escapement = s_->font.request().escapement % 3600;
    // Far outside the bitmap even when rotated: nothing to draw.
    const double reach = static_cast<double>(advance) + m.height;
    if (x + reach < 0 || y + reach < 0 || x - reach > s_->width() || y - reach > s_->height()) return true;

    cairo_t* c = s_->cairo();
    cairo_translate(c, x, y);
    if (escapement != 0) cairo_rotate(c, -escapement * std::numbers::pi / 1800.0);
    const double left = s_->align == TextAlign::CentreTop ? -static_cast<double>(advance / 2) : 0.0;
    if (s_->backgroundMode == BackgroundMode::Opaque && advance > 0) {
        setSource(c, s_->background);
        cairo_rectangle(c, left, 0, advance, m.height);
        cairo_fill(c);
    }
    if (!utf8.empty()) {
        cairo_set_operator(c, CAIRO_OPERATOR_OVER);
        cairo_set_font_face(c, fd->face);
        cairo_set_font_matrix(c, &fd->matrix);
        cairo_set_font_options(c, fd->options);
        setSource(c, s_->text);
        cairo_move_to(c, left, m.ascent);
        cairo_show_text(c, utf8.c_str());
    }
    cairo_new_path(c);
    cairo_surface_flush(s_->bitmap.cairoSurface());
    return true;
}

Size DeviceContext::textExtent(std::string_view text) const { return s_->font.textExtent(text); }
FontMetrics DeviceContext::textMetrics() const { return s_->font.metrics(); }

namespace {

// Reads source pixels, from a private copy when source and destination are the same bitmap.
struct SourcePixels {
    const unsigned char* base = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> copy;

    SourcePixels(const Bitmap& source, bool sameAsDestination) {
        width = source.width();
        height = source.height();
        cairo_surface_flush(source.cairoSurface());
        base = reinterpret_cast<const unsigned char*>(source.pixels());
        stride = source.stride();
        if (sameAsDestination && base != nullptr) {
            copy.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
            for (int y = 0; y < height; ++y) {
                std::memcpy(copy.data() + static_cast<std::ptrdiff_t>(y) * width, base + y * stride, static_cast<std::size_t>(width) * 4);
            }
            base = reinterpret_cast<const unsigned char*>(copy.data());
            stride = static_cast<std::ptrdiff_t>(width) * 4;
        }
    }
    const std::uint32_t* row(int y) const { return reinterpret_cast<const std::uint32_t*>(base + y * stride); }
    std::uint32_t at(int x, int y) const {
        return row(std::clamp(y, 0, height - 1))[std::clamp(x, 0, width - 1)];
    }
};

}  // namespace

bool DeviceContext::blockCopy(int x, int y, int w, int h, const Bitmap& source, int sx, int sy) {
    if (w < 0 || h < 0 || source.isNull() || s_->bitmap.isNull()) return false;
    if (w == 0 || h == 0 || !s_->drawable() || source.width() == 0 || source.height() == 0) return true;
    const std::int64_t dx = s_->devX(x), dy = s_->devY(y);
    // Steps i (columns) and j (rows) of the block that land on both bitmaps.
    const std::int64_t i0 = std::max<std::int64_t>({0, -dx, -static_cast<std::int64_t>(sx)});
    const std::int64_t i1 = std::min<std::int64_t>({w, s_->width() - dx, source.width() - static_cast<std::int64_t>(sx)});
    const std::int64_t j0 = std::max<std::int64_t>({0, -dy, -static_cast<std::int64_t>(sy)});
    const std::int64_t j1 = std::min<std::int64_t>({h, s_->height() - dy, source.height() - static_cast<std::int64_t>(sy)});
    if (i0 >= i1 || j0 >= j1) return true;
    const SourcePixels src(source, source.cairoSurface() == s_->bitmap.cairoSurface());
    s_->beginDirect();
    for (std::int64_t j = j0; j < j1; ++j) {
        const std::uint32_t* from = src.row(static_cast<int>(sy + j));
        std::uint32_t* to = s_->row(static_cast<int>(dy + j));
        s_->forDrawable(dy + j, dx + i0, dx + i1, [&](int a, int b) {
            std::memcpy(to + a, from + (a - dx + sx), static_cast<std::size_t>(b - a) * 4);
        });
    }
    s_->endDirect();
    return true;
}

bool DeviceContext::blockCopy(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy) {
    const Point v = source.s_->viewport;
    return blockCopy(x, y, w, h, source.s_->bitmap, clampCoord(std::int64_t{sx} + v.x), clampCoord(std::int64_t{sy} + v.y));
}

bool DeviceContext::stretchCopy(int x, int y, int w, int h, const Bitmap& source, int sx, int sy, int sw, int sh) {
    if (w < 1 || h < 1 || sw < 1 || sh < 1 || source.isNull() || s_->bitmap.isNull()) return false;
    if (!s_->drawable() || source.width() == 0 || source.height() == 0) return true;
    const std::int64_t dx = s_->devX(x), dy = s_->devY(y);
    const std::int64_t i0 = std::max<std::int64_t>(0, -dx), i1 = std::min<std::int64_t>(w, s_->width() - dx);
    const std::int64_t j0 = std::max<std::int64_t>(0, -dy), j1 = std::min<std::int64_t>(h, s_->height() - dy);
    if (i0 >= i1 || j0 >= j1) return true;
    // Source columns merging into each destination column: [c0, c1), never empty.
    const auto n = static_cast<std::size_t>(i1 - i0);
    std::vector<std::int64_t> c0(n), c1(n);
    for (std::int64_t i = i0; i < i1; ++i) {
        const std::int64_t a = sx + i * sw / w;
        const std::int64_t b = sx + (i + 1) * sw / w;
        c0[static_cast<std::size_t>(i - i0)] = a;
        c1[static_cast<std::size_t>(i - i0)] = std::max(b, a + 1);
    }
    const SourcePixels src(source, source.cairoSurface() == s_->bitmap.cairoSurface());
    const bool andMode = s_->stretch == StretchMode::BlackOnWhite;
    // Pixels beyond the source repeat its edge; a merged run spanning more than the source adds nothing.
    auto clampX = [&](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, src.width - 1)); };
    auto clampY = [&](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, src.height - 1)); };
    s_->beginDirect();
    for (std::int64_t j = j0; j < j1; ++j) {
        const std::int64_t r0 = sy + j * sh / h;
        const std::int64_t r1 = std::max(sy + (j + 1) * sh / h, r0 + 1);
        std::uint32_t* to = s_->row(static_cast<int>(dy + j));
        s_->forDrawable(dy + j, dx + i0, dx + i1, [&](int a, int b) {
            for (int X = a; X < b; ++X) {
                const auto k = static_cast<std::size_t>(X - dx - i0);
                if (!andMode) {
                    to[X] = src.at(clampX(c0[k]), clampY(r0));
                    continue;
                }
                std::uint32_t v = 0xFFFFFFFFu;
                const int ya = clampY(r0), yb = clampY(r1 - 1);
                const int xa = clampX(c0[k]), xb = clampX(c1[k] - 1);
                for (int yy = ya; yy <= yb; ++yy) {
                    const std::uint32_t* sr = src.row(yy);
                    for (int xx = xa; xx <= xb; ++xx) v &= sr[xx];
                }
                to[X] = v;
            }
        });
    }
    s_->endDirect();
    return true;
}

bool DeviceContext::stretchCopy(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy, int sw, int sh) {
    const Point v = source.s_->viewport;
    return stretchCopy(x, y, w, h, source.s_->bitmap, clampCoord(std::int64_t{sx} + v.x), clampCoord(std::int64_t{sy} + v.y), sw, sh);
}

int DeviceContext::deviceCaps(DeviceCap cap) const {
    switch (cap) {
        case DeviceCap::HorizontalResolution: return pixelSize().cx;
        case DeviceCap::VerticalResolution: return pixelSize().cy;
        case DeviceCap::PixelsPerInchX:
        case DeviceCap::PixelsPerInchY: return kPixelsPerInch;
        case DeviceCap::BitsPerPixel: return 24;
    }
    return 0;
}

Size DeviceContext::pixelSize() const {
    if (s_->reported.cx > 0 && s_->reported.cy > 0) return s_->reported;
    return s_->bitmap.size();
}

void DeviceContext::setReportedSize(Size size) { s_->reported = size; }

}  // namespace winsys
