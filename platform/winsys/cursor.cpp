// Cursors: system ones and two-plane ones, and the current cursor.
#include "platform/winsys/cursor.h"

#include "platform/winsys/backend.h"
#include "platform/winsys/window_internal.h"

#include <algorithm>

namespace winsys {
namespace {

using detail::state;

// System cursors have fixed handles below the first own one.
constexpr std::uint32_t kArrowId = 1;
constexpr std::uint32_t kWaitId = 2;

void ensureSystemCursors() {
    auto& cursors = state().cursors;
    if (!cursors.count(kArrowId)) {
        detail::CursorRecord arrow;
        arrow.shape.isSystem = true;
        arrow.shape.system = SystemCursor::Arrow;
        cursors.emplace(kArrowId, arrow);
    }
    if (!cursors.count(kWaitId)) {
        detail::CursorRecord wait;
        wait.shape.isSystem = true;
        wait.shape.system = SystemCursor::Wait;
        cursors.emplace(kWaitId, wait);
    }
}

}  // namespace

CursorHandle loadSystemCursor(SystemCursor which) {
    ensureSystemCursors();
    return CursorHandle{which == SystemCursor::Wait ? kWaitId : kArrowId};
}

CursorHandle createCursor(Point hotSpot, std::span<const std::uint8_t> andPlane, std::span<const std::uint8_t> xorPlane) {
    if (hotSpot.x < 0 || hotSpot.y < 0 || hotSpot.x >= kCursorSide || hotSpot.y >= kCursorSide) return {};
    if (andPlane.size() != kCursorPlaneBytes || xorPlane.size() != kCursorPlaneBytes) return {};
    ensureSystemCursors();
    auto& s = state();
    detail::CursorRecord record;
    std::copy(andPlane.begin(), andPlane.end(), record.shape.andPlane.begin());
    std::copy(xorPlane.begin(), xorPlane.end(), record.shape.xorPlane.begin());
    record.shape.hotSpot = hotSpot;
    std::uint32_t id = s.nextCursorId++;
    s.cursors.emplace(id, record);
    return CursorHandle{id};
}

bool destroyCursor(CursorHandle cursor) {
    auto& s = state();
    auto it = s.cursors.find(cursor.value);
    if (it == s.cursors.end() || it->second.shape.isSystem) return false;
    s.cursors.erase(it);
    if (s.currentCursor == cursor) {
        s.currentCursor = loadSystemCursor(SystemCursor::Arrow);
        backend().cursorChanged(s.currentCursor, cursorShape(s.currentCursor));
    }
    return true;
}

CursorHandle setCursor(CursorHandle cursor) {
    ensureSystemCursors();
    auto& s = state();
    if (cursor && !s.cursors.count(cursor.value)) return {};
    CursorHandle previous = s.currentCursor;
    if (previous == cursor) return previous;
    s.currentCursor = cursor;
    backend().cursorChanged(cursor, cursorShape(cursor));
    return previous;
}

CursorHandle currentCursor() {
    ensureSystemCursors();
    return state().currentCursor;
}

const CursorShape* cursorShape(CursorHandle cursor) {
    auto& s = state();
    auto it = s.cursors.find(cursor.value);
    return it == s.cursors.end() ? nullptr : &it->second.shape;
}

bool isSystemCursor(CursorHandle cursor, SystemCursor which) {
    const CursorShape* shape = cursorShape(cursor);
    return shape && shape->isSystem && shape->system == which;
}

CursorPixel cursorPixel(const CursorShape& shape, int x, int y) {
    if (x < 0 || y < 0 || x >= kCursorSide || y >= kCursorSide) return CursorPixel::Transparent;
    int byte = y * (kCursorSide / 8) + x / 8;
    int bit = 7 - (x % 8);
    bool a = (shape.andPlane[byte] >> bit) & 1;
    bool x1 = (shape.xorPlane[byte] >> bit) & 1;
    if (!a) return x1 ? CursorPixel::White : CursorPixel::Black;
    return x1 ? CursorPixel::Inverted : CursorPixel::Transparent;
}

CursorMaskAndData cursorMaskAndData(const CursorShape& shape) {
    CursorMaskAndData out;
    for (int i = 0; i < kCursorPlaneBytes; ++i) {
        out.mask[i] = static_cast<std::uint8_t>(~shape.andPlane[i]);
        out.data[i] = static_cast<std::uint8_t>(~(shape.andPlane[i] ^ shape.xorPlane[i]));
    }
    return out;
}

Point cursorPosition() { return state().mouse; }

}  // namespace winsys
