// Composition of window images, and the self-drawn frame.
#include "platform/winsys/compose.h"

#include "platform/winsys/services.h"
#include "platform/winsys/window_internal.h"

#include <algorithm>
#include <cairo.h>

namespace winsys {

using detail::find;
using detail::WindowRecord;

ComposedImage::ComposedImage(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)), argb_(static_cast<std::size_t>(width_) * height_, 0u) {}

bool ComposedImage::isOpaque(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return (argb_[static_cast<std::size_t>(y) * width_ + x] >> 24) != 0;
}

Colour ComposedImage::colour(int x, int y) const {
    if (!isOpaque(x, y)) return kInvalidColour;
    return colourFromNative(argb_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFFu);
}

bool ComposedImage::writePng(const std::string& path) const {
    if (isEmpty()) return false;
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width_);
    if (stride != width_ * 4) return false;
    // Transparent pixels are all zero, so the words are already premultiplied.
    std::vector<std::uint32_t> copy = argb_;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(copy.data()),
                                                                   CAIRO_FORMAT_ARGB32, width_, height_, stride);
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
              cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

// ------------------------------------------------------------------------------------------

namespace {

constexpr int kBoxWidth = 20;
constexpr int kBoxHeight = 18;
constexpr int kBoxGap = 2;

const Colour kCaptionActive = rgb(0, 84, 153);
const Colour kCaptionInactive = rgb(120, 140, 160);
const Colour kFrameColour = rgb(90, 110, 130);

Font captionFont() {
    static Font font = Font::create(-13, 0, 0, 700, false, "Arial");
    return font;
}

void drawBox(DeviceContext& dc, Rect r, bool close) {
    dc.fillRect(r, systemColour(SystemColour::ButtonFace));
    Pen frame = Pen::solid(1, rgb(60, 60, 60));
    Pen oldPen = dc.select(frame);
    Brush oldBrush = dc.select(stockNullBrush());
    dc.rectangle(r);
    Pen glyph = Pen::solid(2, rgb(0, 0, 0));
    dc.select(glyph);
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    if (close) {
        dc.moveTo(cx - 4, cy - 4);
        dc.lineTo(cx + 4, cy + 4);
        dc.moveTo(cx + 4, cy - 4);
        dc.lineTo(cx - 4, cy + 4);
    } else {
        dc.moveTo(cx - 4, cy + 4);
        dc.lineTo(cx + 4, cy + 4);
    }
    dc.select(oldPen);
    dc.select(oldBrush);
}

// The game's own little emblem: a hexagon split in six.
void drawIcon(DeviceContext& dc, Point centre) {
    Point corners[6] = {{centre.x + 7, centre.y}, {centre.x + 3, centre.y - 6}, {centre.x - 3, centre.y - 6},
                        {centre.x - 7, centre.y}, {centre.x - 3, centre.y + 6}, {centre.x + 3, centre.y + 6}};
    Pen pen = Pen::solid(1, rgb(0, 0, 0));
    Brush brush = Brush::solid(rgb(255, 220, 90));
    Pen oldPen = dc.select(pen);
    Brush oldBrush = dc.select(brush);
    dc.polygon(corners, 6);
    for (int k = 0; k < 3; ++k) {
        dc.moveTo(corners[k]);
        dc.lineTo(corners[k + 3]);
    }
    dc.select(oldPen);
    dc.select(oldBrush);
}

void composeChildren(DeviceContext& dc, const WindowRecord& parent, Point origin, Rect clip) {
    for (WindowHandle h : parent.children) {
        WindowRecord* c = find(h);
        if (!c || !c->visible || c->destroying) continue;
        Rect r{origin.x + c->rect.left, origin.y + c->rect.top, origin.x + c->rect.right, origin.y + c->rect.bottom};
        Rect inner{std::max(r.left, clip.left), std::max(r.top, clip.top), std::min(r.right, clip.right),
                   std::min(r.bottom, clip.bottom)};
        if (inner.isEmpty()) continue;
        dc.setClip(Region::rectangle(inner));
        dc.blockCopy(r.left, r.top, r.width(), r.height(), c->client, 0, 0);
        composeChildren(dc, *c, {r.left, r.top}, inner);
    }
    dc.clearClip();
}

}  // namespace

Rect closeBoxRect(Size size, unsigned style) {
    if (!(style & style::Caption) || !(style & style::SysMenu)) return {};
    int right = size.cx - kFrameBorder - kBoxGap;
    int top = kFrameBorder + (kCaptionHeight - kBoxHeight) / 2;
    return {right - kBoxWidth, top, right, top + kBoxHeight};
}

Rect minimiseBoxRect(Size size, unsigned style) {
    if (!(style & style::Caption) || !(style & style::MinimiseBox)) return {};
    Rect close = closeBoxRect(size, style);
    int right = close.isEmpty() ? size.cx - kFrameBorder - kBoxGap : close.left - kBoxGap;
    int top = kFrameBorder + (kCaptionHeight - kBoxHeight) / 2;
    return {right - kBoxWidth, top, right, top + kBoxHeight};
}

HitArea frameHitTest(Size size, unsigned style, Point p) {
    if (p.x < 0 || p.y < 0 || p.x >= size.cx || p.y >= size.cy) return HitArea::Nowhere;
    if (style & style::Child) return HitArea::Client;
    if (style & style::Caption) {
        if (closeBoxRect(size, style).contains(p)) return HitArea::CloseBox;
        if (minimiseBoxRect(size, style).contains(p)) return HitArea::MinimiseBox;
        if (p.x < kFrameBorder || p.x >= size.cx - kFrameBorder || p.y < kFrameBorder || p.y >= size.cy - kFrameBorder)
            return HitArea::Border;
        if (p.y < kFrameBorder + kCaptionHeight) return HitArea::Caption;
        return HitArea::Client;
    }
    if (style & style::Border) {
        if (p.x == 0 || p.y == 0 || p.x == size.cx - 1 || p.y == size.cy - 1) return HitArea::Border;
    }
    return HitArea::Client;
}

void drawFrame(DeviceContext& dc, Size size, std::string_view title, unsigned style, bool active) {
    if (!(style & style::Caption)) {
        if (style & style::Border) {
            Pen oldPen = dc.select(stockBlackPen());
            Brush oldBrush = dc.select(stockNullBrush());
            dc.rectangle(0, 0, size.cx, size.cy);
            dc.select(oldPen);
            dc.select(oldBrush);
        }
        return;
    }
    dc.fillRect(Rect{0, 0, size.cx, size.cy}, kFrameColour);
    Rect caption{kFrameBorder, kFrameBorder, size.cx - kFrameBorder, kFrameBorder + kCaptionHeight};
    dc.fillRect(caption, active ? kCaptionActive : kCaptionInactive);
    drawIcon(dc, {kFrameBorder + 12, kFrameBorder + kCaptionHeight / 2});

    Rect close = closeBoxRect(size, style);
    Rect minimise = minimiseBoxRect(size, style);
    int textRight = caption.right - 4;
    if (!minimise.isEmpty()) textRight = minimise.left - 4;
    else if (!close.isEmpty()) textRight = close.left - 4;
    Rect textClip{kFrameBorder + 24, caption.top, textRight, caption.bottom};
    if (!textClip.isEmpty() && !title.empty()) {
        Font oldFont = dc.select(captionFont());
        Colour oldColour = dc.setTextColour(systemColour(SystemColour::CaptionText));
        BackgroundMode oldMode = dc.setBackgroundMode(BackgroundMode::Transparent);
        TextAlign oldAlign = dc.setTextAlign(TextAlign::LeftTop);
        dc.setClip(Region::rectangle(textClip));
        int textHeight = dc.textMetrics().height;
        dc.textOut(textClip.left, caption.top + (kCaptionHeight - textHeight) / 2, title);
        dc.clearClip();
        dc.setTextAlign(oldAlign);
        dc.setBackgroundMode(oldMode);
        dc.setTextColour(oldColour);
        dc.select(oldFont);
    }
    if (!minimise.isEmpty()) drawBox(dc, minimise, false);
    if (!close.isEmpty()) drawBox(dc, close, true);
}

ComposedImage composeWindow(WindowHandle window) {
    WindowRecord* w = find(window);
    if (!w || !detail::isTopLevel(*w) || w->rect.isEmpty()) return {};
    Size size = sizeOf(w->rect);
    Bitmap canvas = Bitmap::create(size);
    if (canvas.isNull()) return {};
    DeviceContext dc(canvas);
    drawFrame(dc, size, w->text, w->style, activeWindow() == window);
    Point off = detail::clientOffsetOf(*w);
    Size client = detail::clientSizeOf(*w);
    dc.blockCopy(off.x, off.y, client.cx, client.cy, w->client, 0, 0);
    composeChildren(dc, *w, off, Rect{off.x, off.y, off.x + client.cx, off.y + client.cy});

    ComposedImage image(size.cx, size.cy);
    std::vector<std::uint8_t> mask;
    if (w->shape) mask = w->shape->maskA8(size);
    const std::uint32_t* rows = canvas.pixels();
    int strideWords = canvas.stride() / 4;
    auto& out = image.argb();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            std::size_t i = static_cast<std::size_t>(y) * size.cx + x;
            bool inside = mask.empty() || mask[i] != 0;
            out[i] = inside ? (0xFF000000u | (rows[static_cast<std::size_t>(y) * strideWords + x] & 0xFFFFFFu)) : 0u;
        }
    }
    return image;
}

ComposedImage composeScreen(Colour desktop) {
    Size screen = screenSize();
    ComposedImage image(screen.cx, screen.cy);
    std::fill(image.argb().begin(), image.argb().end(), 0xFF000000u | nativeFromColour(desktop));
    for (WindowHandle h : topLevelWindows()) {
        WindowRecord* w = find(h);
        if (!w || !detail::isShowing(*w)) continue;
        ComposedImage part = composeWindow(h);
        for (int y = 0; y < part.height(); ++y) {
            int sy = w->rect.top + y;
            if (sy < 0 || sy >= screen.cy) continue;
            for (int x = 0; x < part.width(); ++x) {
                int sx = w->rect.left + x;
                if (sx < 0 || sx >= screen.cx) continue;
                std::uint32_t px = part.argb()[static_cast<std::size_t>(y) * part.width() + x];
                if (px >> 24) image.argb()[static_cast<std::size_t>(sy) * screen.cx + sx] = px;
            }
        }
    }
    return image;
}

}  // namespace winsys
