// Composition of a top-level window's image: frame + client Bitmap + child windows, cut by the
// shape. Pixels outside the shape are transparent.
#pragma once

#include "platform/winsys/draw.h"
#include "platform/winsys/types.h"
#include "platform/winsys/window.h"

#include <cstdint>
#include <string>
#include <vector>

namespace winsys {

class ComposedImage {
public:
    ComposedImage() = default;
    ComposedImage(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }
    // 0xAARRGGBB words, row-major without padding; alpha is 0 or 255.
    const std::vector<std::uint32_t>& argb() const { return argb_; }
    std::vector<std::uint32_t>& argb() { return argb_; }
    bool isOpaque(int x, int y) const;
    // kInvalidColour for transparent pixels and outside the image.
    Colour colour(int x, int y) const;
    Colour colour(Point p) const { return colour(p.x, p.y); }
    bool writePng(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> argb_;
};

// Empty for an invalid handle, a child window or a window of no size.
ComposedImage composeWindow(WindowHandle window);
// Every visible, not minimised top-level window in z-order over a desktop of one colour.
ComposedImage composeScreen(Colour desktop);
// The frame of a caption window (title bar and border) into a bitmap of the window's size.
void drawFrame(DeviceContext& dc, Size windowSize, std::string_view title, unsigned style, bool active);

constexpr Size sizeOf(Rect r) { return {r.right - r.left, r.bottom - r.top}; }

// Where the frame's boxes lie, in window coordinates (empty rectangles when absent).
Rect closeBoxRect(Size windowSize, unsigned style);
Rect minimiseBoxRect(Size windowSize, unsigned style);
// Which part of a window a point (window coordinates) lies in.
HitArea frameHitTest(Size windowSize, unsigned style, Point p);

}  // namespace winsys
