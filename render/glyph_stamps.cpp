#include "render/glyph_stamps.h"

namespace tamblo {

namespace {
constexpr winsys::Colour kSentinel = 0x010203;
constexpr winsys::Colour kInk = 0xFEFDFC;
}  // namespace

const GlyphStamps::Stamp& GlyphStamps::stampFor(const winsys::Font& font, winsys::TextAlign align, char c) {
    for (const Stamp& s : stamps_)
        if (s.c == c && s.align == align && s.font == font) return s;
    Stamp s;
    s.font = font;
    s.align = align;
    s.c = c;
    const char text[2] = {c, '\0'};
    winsys::Size extent = font.textExtent(text);
    int margin = 4 + extent.cy;
    int w = extent.cx + 2 * margin, h = extent.cy + 2 * margin;
    winsys::Bitmap scratch = winsys::Bitmap::create(w, h);
    if (!scratch.isNull()) {
        scratch.fill(kSentinel);
        winsys::DeviceContext dc;
        dc.select(scratch);
        dc.select(font);
        dc.setTextAlign(align);
        dc.setBackgroundMode(winsys::BackgroundMode::Transparent);
        dc.setTextColour(kInk);
        const int rx = margin + (align == winsys::TextAlign::CentreTop ? extent.cx / 2 : 0), ry = margin;
        dc.textOut(rx, ry, text);
        s.usable = true;
        for (int y = 0; y < h && s.usable; ++y) {
            for (int x = 0; x < w; ++x) {
                winsys::Colour p = scratch.pixel(x, y);
                if (p == kSentinel) continue;
                if (p != kInk || x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    s.usable = false;  // blended or cut: not a stamp
                    break;
                }
                s.offsets.push_back(x - rx);
                s.offsets.push_back(y - ry);
            }
        }
    }
    stamps_.push_back(std::move(s));
    return stamps_.back();
}

void GlyphStamps::draw(winsys::DeviceContext& dc, int x, int y, char c, winsys::Colour colour) {
    const char text[2] = {c, '\0'};
    bool plain = !dc.hasClip() && dc.viewportOrigin() == winsys::Point{} && !dc.font().isNull() &&
                 dc.font().request().escapement == 0;
    const Stamp* s = plain ? &stampFor(dc.font(), dc.textAlign(), c) : nullptr;
    winsys::Bitmap target = dc.bitmap();
    std::uint32_t* pixels = target.isNull() ? nullptr : target.pixels();
    if (s == nullptr || !s->usable || pixels == nullptr) {
        dc.setBackgroundMode(winsys::BackgroundMode::Transparent);
        dc.setTextColour(colour);
        dc.textOut(x, y, text);
        ++fallbacks;
        return;
    }
    const int w = target.width(), h = target.height(), stride = target.stride() / 4;
    const std::uint32_t native = winsys::nativeFromColour(colour);
    for (size_t i = 0; i + 1 < s->offsets.size(); i += 2) {
        int px = x + s->offsets[i], py = y + s->offsets[i + 1];
        if (px >= 0 && py >= 0 && px < w && py < h) pixels[static_cast<size_t>(py) * static_cast<size_t>(stride) + static_cast<size_t>(px)] = native;
    }
    target.markDirty();
    ++stamped;
}

}  // namespace tamblo
