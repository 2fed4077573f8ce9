// The back buffer of the main window: three bitmaps of the client size, each a copy of the one
// before it, so the grid's background is painted once and every paint only adds the contents.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/winsys/draw.h"
#include "platform/winsys/window.h"

namespace tamblo {

class Canvas;

// Client width and height of the main window and half of each.
struct ClientSize {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t halfWidth = 0;
    std::int16_t halfHeight = 0;

    void set(int w, int h);
    // From the window's client rectangle.
    void read(winsys::WindowHandle window);
};

// The main window's client size, read at its creation.
ClientSize& clientSize();

class BackBuffer {
public:
    static constexpr winsys::Colour kBackgroundColour = 0xFFFF00;

    // Sizes come from the client size record.
    explicit BackBuffer(const ClientSize& client = clientSize()) : client_(&client) {}

    // Takes the client size when it differs (dropping every bitmap), then makes the base when it
    // is missing. Returns whether the size changed.
    bool resize();
    void makeBase();
    void makeBackground();
    void makeWorking();
    void dropBase();
    void dropBackground();
    void dropWorking();

    bool hasBase() const { return !base_.isNull(); }
    bool hasBackground() const { return !background_.isNull(); }
    bool hasWorking() const { return !working_.isNull(); }
    const winsys::Bitmap& base() const { return base_; }
    const winsys::Bitmap& background() const { return background_; }
    const winsys::Bitmap& working() const { return working_; }
    int width() const { return width_; }
    int height() const { return height_; }
    winsys::Colour backgroundColour = kBackgroundColour;

private:
    winsys::Bitmap copyOf(const winsys::Bitmap& source) const;

    const ClientSize* client_;
    winsys::Bitmap base_;
    winsys::Bitmap background_;
    winsys::Bitmap working_;
    std::int16_t width_ = 0;
    std::int16_t height_ = 0;
};

// The program's back buffer.
BackBuffer& backBuffer();

// The passes a paint runs; either may be empty.
struct PaintPasses {
    std::function<void(Canvas&)> background;  // into the background bitmap, only when it is rebuilt
    std::function<void(Canvas&)> contents;    // into the working bitmap, at every paint
};

// One paint through the back buffer: the background bitmap (rebuilt and painted when missing),
// the working bitmap with the contents, and its copy to the window's context. The canvas gets
// each memory context in turn and its own context back at the end. Returns whether the
// background pass ran.
bool paintThroughBackBuffer(BackBuffer& buffer, Canvas& canvas, winsys::DeviceContext& window, const PaintPasses& passes);

}  // namespace tamblo
