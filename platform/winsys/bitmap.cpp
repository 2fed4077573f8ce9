// Bitmaps: owned or wrapped 24-bit RGB Cairo image surfaces.
#include "platform/winsys/draw_internal.h"

#include <algorithm>
#include <cstring>

namespace winsys {

namespace detail {

BitmapData::~BitmapData() {
    if (surface) cairo_surface_destroy(surface);
}

Bitmap BitmapData::make(cairo_surface_t* adopted, bool wrapped, bool stock) {
    if (adopted == nullptr) return Bitmap();
    if (cairo_surface_status(adopted) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(adopted);
        return Bitmap();
    }
    auto data = std::make_shared<BitmapData>();
    data->surface = adopted;
    data->wrapped = wrapped;
    data->stock = stock;
    Bitmap b;
    b.data_ = std::move(data);
    return b;
}

}  // namespace detail

namespace {

bool sideOk(int v) { return v >= 0 && v <= kMaxBitmapSide; }

cairo_surface_t* blankSurface(int w, int h) {
    // Cairo clears new image surfaces to 0, which is black in RGB24.
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
}

bool wrapOk(const void* pixels, int w, int h, int stride) {
    return pixels != nullptr && w > 0 && h > 0 && sideOk(w) && sideOk(h) && stride % 4 == 0 &&
           static_cast<long long>(stride) >= 4LL * w;
}

}  // namespace

Bitmap Bitmap::create(int width, int height) {
    if (!sideOk(width) || !sideOk(height)) return Bitmap();
    return detail::BitmapData::make(blankSurface(width, height), false, false);
}

Bitmap Bitmap::wrap(void* pixels, int width, int height, int stride) {
    if (!wrapOk(pixels, width, height, stride)) return Bitmap();
    return detail::BitmapData::make(
        cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), CAIRO_FORMAT_RGB24, width, height, stride), true,
        false);
}

Bitmap Bitmap::readPng(const std::string& path) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return Bitmap();
    }
    const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    Bitmap b = create(w, h);
    if (!b.isNull()) {
        cairo_t* cr = cairo_create(b.cairoSurface());
        cairo_set_source_surface(cr, png, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    cairo_surface_destroy(png);
    return b;
}

int Bitmap::width() const { return data_ ? cairo_image_surface_get_width(data_->surface) : 0; }
int Bitmap::height() const { return data_ ? cairo_image_surface_get_height(data_->surface) : 0; }
bool Bitmap::isStock() const { return data_ && data_->stock; }

bool Bitmap::resize(int w, int h) {
    if (!data_ || data_->wrapped || !sideOk(w) || !sideOk(h)) return false;
    if (w == width() && h == height()) return true;
    cairo_surface_t* fresh = blankSurface(w, h);
    if (cairo_surface_status(fresh) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(fresh);
        return false;
    }
    cairo_t* cr = cairo_create(fresh);
    cairo_set_source_surface(cr, data_->surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, 0, 0, std::min(w, width()), std::min(h, height()));
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(data_->surface);
    data_->surface = fresh;
    return true;
}

bool Bitmap::rewrap(void* pixels, int w, int h, int stride) {
    if (!data_ || !data_->wrapped || !wrapOk(pixels, w, h, stride)) return false;
    cairo_surface_t* fresh =
        cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), CAIRO_FORMAT_RGB24, w, h, stride);
    if (cairo_surface_status(fresh) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(fresh);
        return false;
    }
    cairo_surface_destroy(data_->surface);
    data_->surface = fresh;
    return true;
}

Bitmap Bitmap::clone() const {
    if (!data_) return Bitmap();
    Bitmap copy = create(width(), height());
    if (copy.isNull() || width() == 0 || height() == 0) return copy;
    cairo_surface_flush(data_->surface);
    const std::uint32_t* src = pixels();
    std::uint32_t* dst = copy.pixels();
    for (int y = 0; y < height(); ++y) {
        std::memcpy(reinterpret_cast<unsigned char*>(dst) + static_cast<std::ptrdiff_t>(y) * copy.stride(),
                    reinterpret_cast<const unsigned char*>(src) + static_cast<std::ptrdiff_t>(y) * stride(),
                    static_cast<std::size_t>(width()) * 4);
    }
    copy.markDirty();
    return copy;
}

Colour Bitmap::pixel(int x, int y) const {
    if (!data_ || x < 0 || y < 0 || x >= width() || y >= height()) return kInvalidColour;
    cairo_surface_flush(data_->surface);
    const auto* row = reinterpret_cast<const unsigned char*>(pixels()) + static_cast<std::ptrdiff_t>(y) * stride();
    return colourFromNative(reinterpret_cast<const std::uint32_t*>(row)[x] & 0x00FFFFFFu);
}

bool Bitmap::setPixel(int x, int y, Colour colour) {
    if (!data_ || x < 0 || y < 0 || x >= width() || y >= height()) return false;
    cairo_surface_flush(data_->surface);
    auto* row = reinterpret_cast<unsigned char*>(pixels()) + static_cast<std::ptrdiff_t>(y) * stride();
    reinterpret_cast<std::uint32_t*>(row)[x] = nativeFromColour(colour & 0x00FFFFFFu);
    markDirty();
    return true;
}

void Bitmap::fill(Colour colour) { fillRect(Rect{0, 0, width(), height()}, colour); }

void Bitmap::fillRect(Rect r, Colour colour) {
    if (!data_) return;
    const int x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    if (x0 >= x1 || y0 >= y1) return;
    cairo_surface_flush(data_->surface);
    const std::uint32_t v = nativeFromColour(colour & 0x00FFFFFFu);
    for (int y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(reinterpret_cast<unsigned char*>(pixels()) + static_cast<std::ptrdiff_t>(y) * stride());
        std::fill(row + x0, row + x1, v);
    }
    markDirty();
}

bool Bitmap::samePixels(const Bitmap& other) const {
    if (isNull() || other.isNull() || size() != other.size()) return false;
    cairo_surface_flush(data_->surface);
    cairo_surface_flush(other.data_->surface);
    for (int y = 0; y < height(); ++y) {
        const auto* a = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(pixels()) + static_cast<std::ptrdiff_t>(y) * stride());
        const auto* b = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(other.pixels()) + static_cast<std::ptrdiff_t>(y) * other.stride());
        for (int x = 0; x < width(); ++x) {
            if (((a[x] ^ b[x]) & 0x00FFFFFFu) != 0) return false;
        }
    }
    return true;
}

bool Bitmap::writePng(const std::string& path) const {
    if (!data_ || width() == 0 || height() == 0) return false;
    return cairo_surface_write_to_png(data_->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::uint32_t* Bitmap::pixels() {
    if (!data_) return nullptr;
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(data_->surface));
}
const std::uint32_t* Bitmap::pixels() const {
    if (!data_) return nullptr;
    return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(data_->surface));
}
int Bitmap::stride() const { return data_ ? cairo_image_surface_get_stride(data_->surface) : 0; }
void Bitmap::markDirty() {
    if (data_) cairo_surface_mark_dirty(data_->surface);
}
cairo_surface_t* Bitmap::cairoSurface() const { return data_ ? data_->surface : nullptr; }

}  // namespace winsys
