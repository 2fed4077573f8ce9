#include "platform/winsys/headless/headless_backend.h"

namespace winsys::headless {

void HeadlessBackend::beep(std::uint32_t frequency, std::uint32_t durationMs) {
    beeps_.push_back({frequency, durationMs, now_});
    now_ += durationMs;
}

Rect HeadlessBackend::workArea() {
    if (workArea_) return *workArea_;
    return {0, 0, screen_.cx, std::max(0, screen_.cy - kTaskbarHeight)};
}

void HeadlessBackend::setScreenSize(Size size, std::optional<Rect> workArea) {
    screen_ = {std::max(1, size.cx), std::max(1, size.cy)};
    workArea_ = workArea;
}

void HeadlessBackend::present(const SurfaceInfo& surface, const ComposedImage& image) {
    presents_.push_back({surface.window, surface.rect, image});
}

bool HeadlessBackend::pollEvent(InputEvent& event) {
    if (events_.empty()) return false;
    event = std::move(events_.front());
    events_.pop_front();
    return true;
}

bool HeadlessBackend::waitEvent(std::optional<std::uint32_t> dueTick) {
    if (!events_.empty()) return true;
    if (!parker_) return false;
    return parker_(dueTick);
}

}  // namespace winsys::headless
