// Owners for drawing objects: each holder remembers what its first selection displaced in a
// device context and puts it back before letting its own object go.
#pragma once

#include <cstdint>
#include <functional>

#include "foundation/dyn_string.h"
#include "platform/winsys/draw.h"

namespace tamblo {

using winsys::Colour;

template <typename Object>
class SelectionHolder {
public:
    SelectionHolder() = default;
    SelectionHolder(const SelectionHolder&) = delete;
    SelectionHolder& operator=(const SelectionHolder&) = delete;
    ~SelectionHolder() { release(); }

    void adopt(Object handle) {
        release();
        handle_ = std::move(handle);
        owned = !handle_.isNull();
    }
    void selectInto(winsys::DeviceContext& dc) {
        dc_ = &dc;
        Object previous = dc.select(handle_);
        if (!selected && !handle_.isNull()) {
            displaced_ = std::move(previous);
            selected = true;
        }
    }
    void adoptAndSelect(winsys::DeviceContext& dc, Object handle) {
        adopt(std::move(handle));
        selectInto(dc);
    }
    // Puts the displaced object back into the last context, then drops the owned object.
    void release() {
        if (selected && dc_ != nullptr && !displaced_.isNull()) dc_->select(displaced_);
        selected = false;
        displaced_ = Object();
        if (owned) {
            handle_ = Object();
            owned = false;
        }
    }
    const Object& handle() const { return handle_; }
    winsys::DeviceContext* deviceContext() const { return dc_; }
    // Forget a context that is about to go away, so release does not touch it.
    void forgetContext(const winsys::DeviceContext* dc) {
        if (dc_ == dc) {
            dc_ = nullptr;
            selected = false;
            displaced_ = Object();
        }
    }

    bool owned = false;
    bool selected = false;

protected:
    Object handle_;
    Object displaced_;
    winsys::DeviceContext* dc_ = nullptr;
};

class PenHolder : public SelectionHolder<winsys::Pen> {};
class BrushHolder : public SelectionHolder<winsys::Brush> {};

class FontHolder : public SelectionHolder<winsys::Font> {
public:
    void create(int height, int width, int escapement, bool italic, int weight, TextRef face);
    // As create, with the offset that centres the text vertically on its point along the
    // font's baseline angle.
    void createRotated(int height, int width, int escapement, bool italic, int weight, TextRef face);
    void setTextColour(Colour c) {
        textColour = c;
        opaque = false;
    }
    void setCentred(bool flag);
    void drawText(int x, int y, TextRef text);
    void drawTextAligned(int x, int y, TextRef text);

    Colour textColour = 0x000000;
    Colour backgroundColour = 0xFFFFFF;
    bool opaque = true;
    bool centred = false;
    std::int16_t offsetX = 0;
    std::int16_t offsetY = 0;
};

class BitmapHolder : public SelectionHolder<winsys::Bitmap> {
public:
    bool stretchDraw(winsys::DeviceContext& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh);
    std::int16_t width() const { return static_cast<std::int16_t>(handle_.width()); }
    std::int16_t height() const { return static_cast<std::int16_t>(handle_.height()); }
};

// The program's resource bitmaps come from a provider (the rules-page painter registers one);
// a missing resource leaves the bitmap empty.
using ResourceProvider = std::function<winsys::Bitmap(int id)>;
void setResourceProvider(ResourceProvider provider);

class ResBitmap {
public:
    bool loadResource(int id);
    void release();
    // Source size 0 by 0 means the whole bitmap.
    bool stretchDraw(winsys::DeviceContext& dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) const;
    const winsys::Bitmap& handle() const { return bitmap_; }

    std::int16_t width = 0;
    std::int16_t height = 0;
    bool owned = false;

private:
    winsys::Bitmap bitmap_;
};

// The square of side n centred on the origin.
struct ShortRect {
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    bool normalised = false;
    static ShortRect centredSquare(int n);
};

constexpr Colour lighten(Colour c) { return c | 0x999999u; }
constexpr Colour greyOf(int darknessPercent) {
    Colour v = static_cast<Colour>((100 - darknessPercent) * 255 / 100) & 0xFF;
    return v | (v << 8) | (v << 16);
}

void offsetPoints(const winsys::Point* source, winsys::Point* target, int count, int dx, int dy);
void mirrorPoints(const winsys::Point* source, winsys::Point* target, int count);
// Half away from zero: 2.5 gives 3, -2.5 gives -3.
std::int16_t roundToShort(float x);

}  // namespace tamblo
