// The headless backend: no display. A virtual clock that only moves when told (or by sleeps and
// beeps, which take their time on it without real waiting), recorded beeps, a configurable
// screen, and input events that a test driver injects.
#pragma once

#include "platform/winsys/backend.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace winsys::headless {

struct BeepRecord {
    std::uint32_t frequency = 0;
    std::uint32_t durationMs = 0;
    std::uint32_t startTick = 0;  // clock when the tone started
    friend bool operator==(const BeepRecord&, const BeepRecord&) = default;
};

class HeadlessBackend : public Backend {
public:
    static constexpr Size kDefaultScreen{1280, 1024};
    // Height the desktop keeps at the bottom of the screen for itself.
    static constexpr int kTaskbarHeight = 40;

    HeadlessBackend() = default;

    std::string_view name() const override { return "headless"; }
    std::uint32_t ticks() override { return now_; }
    void sleep(std::uint32_t ms) override { now_ += ms; }
    void beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    Size screenSize() override { return screen_; }
    Rect workArea() override;
    bool pollEvent(InputEvent& event) override;
    // Without a driver nothing can ever arrive: false. With one, the program thread parks here
    // and the test thread runs until it wakes it again.
    bool waitEvent(std::optional<std::uint32_t> dueTick) override;
    void cursorChanged(CursorHandle, const CursorShape*) override { ++cursorChanges_; }
    // Images are composed on demand; recording presents shows what a display backend would get.
    bool wantsImages() const override { return recordPresents_; }
    void present(const SurfaceInfo& surface, const ComposedImage& image) override;
    void windowChanged(const SurfaceInfo& surface) override { changes_.push_back(surface.window); }

    // Test side.
    void setTicks(std::uint32_t ticks) { now_ = ticks; }
    void advanceTicks(std::uint32_t ms) { now_ += ms; }
    // A work area is set with the screen: the screen less the taskbar, unless given.
    void setScreenSize(Size size, std::optional<Rect> workArea = std::nullopt);
    void pushEvent(InputEvent event) { events_.push_back(std::move(event)); }
    bool hasEvents() const { return !events_.empty(); }
    const std::vector<BeepRecord>& beeps() const { return beeps_; }
    void clearBeeps() { beeps_.clear(); }
    int cursorChanges() const { return cursorChanges_; }
    struct Presented {
        WindowHandle window;
        Rect rect;
        ComposedImage image;
    };
    void recordPresents(bool on) { recordPresents_ = on; }
    const std::vector<Presented>& presents() const { return presents_; }
    void clearPresents() { presents_.clear(); }
    // Windows whose position, size, visibility, title or shape the layer reported changed.
    const std::vector<WindowHandle>& changes() const { return changes_; }
    // Installed by the driver: parks the program thread; returns false to end the loop.
    void setParker(std::function<bool(std::optional<std::uint32_t>)> parker) { parker_ = std::move(parker); }

private:
    std::uint32_t now_ = 0;
    Size screen_ = kDefaultScreen;
    std::optional<Rect> workArea_;
    std::deque<InputEvent> events_;
    std::vector<BeepRecord> beeps_;
    int cursorChanges_ = 0;
    bool recordPresents_ = false;
    std::vector<Presented> presents_;
    std::vector<WindowHandle> changes_;
    std::function<bool(std::optional<std::uint32_t>)> parker_;
};

}  // namespace winsys::headless
