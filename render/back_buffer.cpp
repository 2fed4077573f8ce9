#include "render/back_buffer.h"

#include "render/canvas.h"

namespace tamblo {

void ClientSize::set(int w, int h) {
    width = static_cast<std::int16_t>(w);
    height = static_cast<std::int16_t>(h);
    halfWidth = static_cast<std::int16_t>(width / 2);
    halfHeight = static_cast<std::int16_t>(height / 2);
}

void ClientSize::read(winsys::WindowHandle window) {
    winsys::Rect r = winsys::clientRect(window);
    set(r.width(), r.height());
}

ClientSize& clientSize() {
    static ClientSize record;
    return record;
}

BackBuffer& backBuffer() {
    static BackBuffer buffer;
    return buffer;
}

bool BackBuffer::resize() {
    bool changed = client_->width != width_ || client_->height != height_;
    if (changed) {
        width_ = client_->width;
        height_ = client_->height;
        dropBase();
    }
    if (!hasBase()) makeBase();
    return changed;
}

void BackBuffer::makeBase() {
    width_ = client_->width;
    height_ = client_->height;
    dropBase();
    base_ = winsys::Bitmap::create(width_, height_);
    if (base_.isNull()) return;
    winsys::DeviceContext dc;
    dc.select(base_);
    // The context's own black pen frames the fill, one pixel wide.
    BrushHolder& brush = sharedBrush();
    brush.adoptAndSelect(dc, winsys::Brush::solid(backgroundColour));
    dc.rectangle(0, 0, width_, height_);
    brush.release();
    brush.forgetContext(&dc);
}

winsys::Bitmap BackBuffer::copyOf(const winsys::Bitmap& source) const {
    winsys::Bitmap copy = winsys::Bitmap::create(width_, height_);
    if (copy.isNull()) return copy;
    winsys::DeviceContext dc;
    dc.select(copy);
    dc.blockCopy(0, 0, width_, height_, source, 0, 0);
    return copy;
}

void BackBuffer::makeBackground() {
    if (!hasBase()) makeBase();
    dropBackground();
    background_ = copyOf(base_);
}

void BackBuffer::makeWorking() {
    if (!hasBase()) makeBase();
    if (!hasBackground()) makeBackground();
    // A working bitmap of the right size is overwritten rather than made anew: the pixels come
    // out the same, and a paint saves allocating and clearing a screenful.
    if (hasWorking() && working_.size() == background_.size()) {
        winsys::DeviceContext dc;
        dc.select(working_);
        dc.blockCopy(0, 0, width_, height_, background_, 0, 0);
        return;
    }
    dropWorking();
    working_ = copyOf(background_);
}

void BackBuffer::dropBase() {
    dropBackground();
    base_ = winsys::Bitmap();
}

void BackBuffer::dropBackground() {
    dropWorking();
    background_ = winsys::Bitmap();
}

void BackBuffer::dropWorking() { working_ = winsys::Bitmap(); }

bool paintThroughBackBuffer(BackBuffer& buffer, Canvas& canvas, winsys::DeviceContext& window, const PaintPasses& passes) {
    winsys::DeviceContext* own = canvas.deviceContext();
    bool backgroundPainted = false;

    winsys::DeviceContext backgroundDc;
    if (!buffer.hasBackground()) {
        buffer.makeBackground();
        backgroundDc.select(buffer.background());
        canvas.setDeviceContext(&backgroundDc);
        if (passes.background) passes.background(canvas);
        canvas.releaseDrawingObjects();
        backgroundPainted = true;
    } else {
        backgroundDc.select(buffer.background());
        canvas.setDeviceContext(&backgroundDc);
    }

    // The working bitmap starts as a copy of the background already.
    buffer.makeWorking();
    winsys::DeviceContext workingDc;
    workingDc.select(buffer.working());
    canvas.setDeviceContext(&workingDc);
    if (passes.contents) passes.contents(canvas);
    canvas.releaseDrawingObjects();

    window.blockCopy(0, 0, buffer.width(), buffer.height(), workingDc, 0, 0);
    canvas.setDeviceContext(own);
    return backgroundPainted;
}

}  // namespace tamblo
