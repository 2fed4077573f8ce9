// Mouse cursors: the system arrow and wait cursors, and 32 x 32 monochrome cursors made of an
// AND plane and an XOR plane with a hot spot. The layer keeps the planes; a display backend
// turns them into real cursors. The current cursor is the layer's own state, readable by tests.
#pragma once

#include "platform/winsys/types.h"
#include "platform/winsys/window.h"

#include <array>
#include <cstdint>
#include <span>

namespace winsys {

inline constexpr int kCursorSide = 32;
// One plane: 32 rows of 4 bytes, most significant bit first (the classic monochrome layout).
inline constexpr int kCursorPlaneBytes = kCursorSide * kCursorSide / 8;
using CursorPlane = std::array<std::uint8_t, kCursorPlaneBytes>;

enum class SystemCursor { Arrow, Wait };

// What one pixel of a two-plane cursor shows: AND 0 XOR 0 black, 0 1 white, 1 0 transparent,
// 1 1 the inverted screen.
enum class CursorPixel { Black, White, Transparent, Inverted };

struct CursorShape {
    bool isSystem = false;
    SystemCursor system = SystemCursor::Arrow;  // when isSystem
    CursorPlane andPlane{};
    CursorPlane xorPlane{};
    Point hotSpot;
};

// The same handle every time for one kind.
CursorHandle loadSystemCursor(SystemCursor which);
// The null handle when the hot spot lies outside the 32 x 32 square or a plane is not
// kCursorPlaneBytes long.
CursorHandle createCursor(Point hotSpot, std::span<const std::uint8_t> andPlane, std::span<const std::uint8_t> xorPlane);
// Own cursors only (system cursors stay); the current cursor falls back to the arrow when it is
// the one destroyed. False for unknown handles and system cursors.
bool destroyCursor(CursorHandle cursor);
// Makes the cursor current and returns the previous one; the null handle hides the cursor.
// An invalid (destroyed) handle changes nothing and returns the null handle.
CursorHandle setCursor(CursorHandle cursor);
CursorHandle currentCursor();
// The shape behind a handle; null for an invalid one. Valid until the cursor is destroyed.
const CursorShape* cursorShape(CursorHandle cursor);
bool isSystemCursor(CursorHandle cursor, SystemCursor which);
CursorPixel cursorPixel(const CursorShape& shape, int x, int y);

// The two planes a display library wants (1 bits: mask = drawn, data = black): mask = ~AND,
// data = ~(AND ^ XOR), byte by byte.
struct CursorMaskAndData {
    CursorPlane mask{};
    CursorPlane data{};
};
CursorMaskAndData cursorMaskAndData(const CursorShape& shape);

// Screen position of the mouse as the layer last saw it.
Point cursorPosition();

}  // namespace winsys
