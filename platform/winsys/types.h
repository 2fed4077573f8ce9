// Plain value types shared by every part of the window system.
#pragma once

#include <cstdint>

namespace winsys {

// Colours are 0x00BBGGRR everywhere, as the game stores and compares them.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

// Right and bottom are exclusive, as in every rectangle the game computes.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Size size() const { return {right - left, bottom - top}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend constexpr bool operator==(Rect, Rect) = default;
};

}  // namespace winsys
