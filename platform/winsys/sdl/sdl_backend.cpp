// The real-desktop backend on SDL2.
//
// The layer owns the truth about every window; this file only mirrors it: one borderless SDL
// window per top-level window, drawn through its window surface (never a renderer, which would
// recreate the window and lose its shape), shaped with the X shape extension where SDL offers
// it. Input comes back as events at screen coordinates, read from the global mouse state so
// that a window being dragged does not shift the points under the drag.
#include "platform/winsys/sdl/sdl_backend.h"

#include "platform/winsys/cursor.h"
#include "platform/winsys/region.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <numbers>
#include <optional>
#include <vector>

namespace winsys {
namespace {

std::string& startErrorText() {
    static std::string text;
    return text;
}

constexpr int kSampleRate = 44100;

// What the display has been told about one top-level window.
struct Native {
    SDL_Window* window = nullptr;
    Uint32 id = 0;
    bool shaped = false;
    bool popup = false;
    Rect rect;
    Size size;  // the native size (at least 1 x 1)
    std::string title;
    bool shown = false;
    bool minimised = false;
    bool shapeApplied = false;
    std::optional<Region> shape;
    // Our own unmaps come back as "minimised" notices: they are not the desktop's doing.
    int ownUnmaps = 0;
};

Size nativeSize(Rect r) { return {std::max(1, r.width()), std::max(1, r.height())}; }

bool isPopup(const SurfaceInfo& info) { return info.topmost || info.toolWindow; }

int virtualKeyOf(const SDL_Keysym& k) {
    SDL_Scancode sc = k.scancode;
    if (k.sym >= SDLK_a && k.sym <= SDLK_z) return key::LetterA + static_cast<int>(k.sym - SDLK_a);
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return key::LetterA + (sc - SDL_SCANCODE_A);
    // The digit row by position, so that layouts with symbols there still give digits.
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return key::Digit0 + 1 + (sc - SDL_SCANCODE_1);
    if (sc == SDL_SCANCODE_0) return key::Digit0;
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return key::Numpad0 + 1 + (sc - SDL_SCANCODE_KP_1);
    if (sc == SDL_SCANCODE_KP_0) return key::Numpad0;
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return key::F1 + (sc - SDL_SCANCODE_F1);
    switch (sc) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return key::Return;
    case SDL_SCANCODE_ESCAPE: return key::Escape;
    case SDL_SCANCODE_BACKSPACE: return key::Back;
    case SDL_SCANCODE_TAB: return key::Tab;
    case SDL_SCANCODE_SPACE: return key::Space;
    case SDL_SCANCODE_DELETE: return key::Delete;
    case SDL_SCANCODE_LEFT: return key::Left;
    case SDL_SCANCODE_RIGHT: return key::Right;
    case SDL_SCANCODE_UP: return key::Up;
    case SDL_SCANCODE_DOWN: return key::Down;
    case SDL_SCANCODE_PAGEUP: return 0x21;
    case SDL_SCANCODE_PAGEDOWN: return 0x22;
    case SDL_SCANCODE_END: return 0x23;
    case SDL_SCANCODE_HOME: return 0x24;
    case SDL_SCANCODE_INSERT: return 0x2D;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return key::Shift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return key::Control;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return key::Alt;
    default: return 0;
    }
}

class SdlBackend final : public Backend {
public:
    SdlBackend() = default;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;
    ~SdlBackend() override;

    bool open(std::string& error);

    std::string_view name() const override { return "sdl"; }
    std::uint32_t ticks() override { return SDL_GetTicks(); }
    void sleep(std::uint32_t ms) override { SDL_Delay(ms); }
    void beep(std::uint32_t frequency, std::uint32_t durationMs) override;
    Size screenSize() override;
    Rect workArea() override;
    bool pollEvent(InputEvent& event) override;
    bool waitEvent(std::optional<std::uint32_t> dueTick) override;

    void windowCreated(const SurfaceInfo& info) override;
    void windowChanged(const SurfaceInfo& info) override { sync(info); }
    void windowDestroyed(WindowHandle window) override;
    void zOrderChanged(std::span<const WindowHandle> order) override;
    bool wantsImages() const override { return true; }
    void present(const SurfaceInfo& info, const ComposedImage& image) override;
    void cursorChanged(CursorHandle cursor, const CursorShape* shape) override;
    void captureMouse(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

private:
    Native* nativeOf(WindowHandle h);
    Native* nativeOf(Uint32 sdlId, WindowHandle& h);
    bool createNative(Native& n, const SurfaceInfo& info);
    void destroyNative(Native& n);
    void sync(const SurfaceInfo& info);
    void applyShape(Native& n, const Region* shape);
    void showNative(Native& n);
    void hideNative(Native& n);
    // Raises the shown windows standing above `from` in the layer's stack, bottom first, so
    // that the display's stacking follows the layer's again.
    void restackAbove(WindowHandle from);
    void translate(const SDL_Event& e);
    Point screenPoint(Uint32 sdlId, int x, int y);

    std::map<std::uint32_t, Native> natives_;  // key: the layer's handle value
    std::vector<WindowHandle> stack_;            // the layer's stack, bottom first
    std::deque<InputEvent> pending_;
    bool videoUp_ = false;
    bool x11_ = false;
    SDL_AudioDeviceID audio_ = 0;
    bool audioUp_ = false;
    std::map<std::uint32_t, SDL_Cursor*> ownCursors_;  // key: cursor handle value
    SDL_Cursor* arrow_ = nullptr;
    SDL_Cursor* wait_ = nullptr;
};

bool SdlBackend::open(std::string& error) {
    // Window surfaces without GL: otherwise the first surface recreates the window and drops
    // its shape.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click right after focus would otherwise be swallowed.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing is the layer's business, and signals keep their ordinary effect.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot open a display: ") + SDL_GetError();
        return false;
    }
    videoUp_ = true;
    const char* driver = SDL_GetCurrentVideoDriver();
    x11_ = driver && std::string_view(driver) == "x11";

    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        audioUp_ = true;
        SDL_AudioSpec want{};
        want.freq = kSampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 1;
        want.samples = 512;
        SDL_AudioSpec have{};
        audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (audio_) SDL_PauseAudioDevice(audio_, 0);
    }
    return true;
}

SdlBackend::~SdlBackend() {
    for (auto& [handle, n] : natives_) destroyNative(n);
    natives_.clear();
    for (auto& [handle, c] : ownCursors_) SDL_FreeCursor(c);
    if (arrow_) SDL_FreeCursor(arrow_);
    if (wait_) SDL_FreeCursor(wait_);
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (audioUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (videoUp_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// ------------------------------------------------------------------------------------------
// Clock, sound, screen.

void SdlBackend::beep(std::uint32_t frequency, std::uint32_t durationMs) {
    Uint32 start = SDL_GetTicks();
    if (audio_ && durationMs > 0) {
        std::size_t count = static_cast<std::size_t>(kSampleRate) * durationMs / 1000;
        // A short fade at both ends: a tone cut off mid-wave clicks.
        std::size_t fade = std::min<std::size_t>(kSampleRate / 1000, count / 2);
        std::vector<Sint16> samples(count);
        const double step = 2.0 * std::numbers::pi * frequency / kSampleRate;
        for (std::size_t i = 0; i < count; ++i) {
            double gain = 1.0;
            if (fade && i < fade) gain = static_cast<double>(i) / fade;
            if (fade && count - 1 - i < fade) gain = std::min(gain, static_cast<double>(count - 1 - i) / fade);
            samples[i] = static_cast<Sint16>(std::lround(9000.0 * gain * std::sin(step * static_cast<double>(i))));
        }
        SDL_QueueAudio(audio_, samples.data(), static_cast<Uint32>(count * sizeof(Sint16)));
    }
    // The caller goes on after the tone, whether or not anything could be heard.
    Uint32 elapsed = SDL_GetTicks() - start;
    if (elapsed < durationMs) SDL_Delay(durationMs - elapsed);
}

Size SdlBackend::screenSize() {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0) return {1024, 768};
    return {r.w, r.h};
}

Rect SdlBackend::workArea() {
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) {
        Size s = screenSize();
        return {0, 0, s.cx, s.cy};
    }
    return {r.x, r.y, r.x + r.w, r.y + r.h};
}

// ------------------------------------------------------------------------------------------
// Input.

bool SdlBackend::pollEvent(InputEvent& event) {
    SDL_Event e;
    while (pending_.empty() && SDL_PollEvent(&e)) translate(e);
    if (pending_.empty()) return false;
    event = std::move(pending_.front());
    pending_.pop_front();
    return true;
}

bool SdlBackend::waitEvent(std::optional<std::uint32_t> dueTick) {
    if (!pending_.empty()) return true;
    int timeout = -1;
    if (dueTick) {
        auto left = static_cast<std::int32_t>(*dueTick - SDL_GetTicks());
        timeout = std::max<std::int32_t>(0, left);
    }
    if (natives_.empty()) {
        // No window can bring input: only the clock is left to wait for.
        if (timeout < 0) return false;
        SDL_Delay(static_cast<Uint32>(timeout));
        return true;
    }
    SDL_Event e;
    // With a window open SDL blocks on the display connection itself: no polling.
    int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
    if (got) translate(e);
    return true;
}

Point SdlBackend::screenPoint(Uint32 sdlId, int x, int y) {
    if (x11_) {
        int gx = 0;
        int gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        return {gx, gy};
    }
    // Elsewhere the global state is not reliable: the layer's own position of the window.
    WindowHandle h;
    if (Native* n = nativeOf(sdlId, h)) return {n->rect.left + x, n->rect.top + y};
    return {x, y};
}

void SdlBackend::translate(const SDL_Event& e) {
    InputEvent out;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        out.kind = InputEvent::Kind::MouseMove;
        out.point = screenPoint(e.motion.windowID, e.motion.x, e.motion.y);
        // Only the latest position of a run of moves matters.
        if (!pending_.empty() && pending_.back().kind == InputEvent::Kind::MouseMove) pending_.pop_back();
        pending_.push_back(std::move(out));
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) return;
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp;
        out.button = e.button.button == SDL_BUTTON_LEFT ? MouseButton::Left : MouseButton::Right;
        out.point = screenPoint(e.button.windowID, e.button.x, e.button.y);
        pending_.push_back(std::move(out));
        return;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        int vk = virtualKeyOf(e.key.keysym);
        if (!vk) return;
        // Keys go to the layer's own active window whichever native window had the focus.
        out.kind = e.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        out.key = vk;
        pending_.push_back(std::move(out));
        return;
    }
    case SDL_WINDOWEVENT: {
        WindowHandle h;
        Native* n = nativeOf(e.window.windowID, h);
        if (!n) return;
        out.window = h;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = InputEvent::Kind::CloseRequest;
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            out.kind = InputEvent::Kind::Expose;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (n->ownUnmaps > 0) {
                --n->ownUnmaps;
                return;
            }
            if (!n->shown || n->minimised) return;
            n->minimised = true;
            out.kind = InputEvent::Kind::Minimised;
            break;
        case SDL_WINDOWEVENT_RESTORED:
            if (!n->shown || !n->minimised) return;
            n->minimised = false;
            out.kind = InputEvent::Kind::Restored;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // A window manager raises what it focuses: put the popups back above it.
            if (!n->popup) restackAbove(h);
            return;
        default:
            return;
        }
        pending_.push_back(std::move(out));
        return;
    }
    default:
        return;
    }
}

// ------------------------------------------------------------------------------------------
// Windows.

Native* SdlBackend::nativeOf(WindowHandle h) {
    auto it = natives_.find(h.value);
    return it == natives_.end() ? nullptr : &it->second;
}

Native* SdlBackend::nativeOf(Uint32 sdlId, WindowHandle& h) {
    for (auto& [value, n] : natives_) {
        if (n.window && n.id == sdlId) {
            h = WindowHandle{value};
            return &n;
        }
    }
    return nullptr;
}

bool SdlBackend::createNative(Native& n, const SurfaceInfo& info) {
    n = Native{};
    n.popup = isPopup(info);
    n.rect = info.rect;
    n.size = nativeSize(info.rect);
    n.title = info.title;
    // Popups are override-redirect windows: exact placement, no taskbar entry; we raise them.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (n.popup) flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
    if (info.shape && x11_) {
        // The position given here would be applied only when both coordinates are non-zero:
        // the position is always set afterwards instead.
        n.window = SDL_CreateShapedWindow(info.title.c_str(), 0, 0, static_cast<unsigned>(n.size.cx),
                                          static_cast<unsigned>(n.size.cy), flags);
        n.shaped = n.window != nullptr;
    }
    if (!n.window) {
        // Without shapes the layer still cuts the image and hit tests by the region itself.
        n.window = SDL_CreateWindow(info.title.c_str(), info.rect.left, info.rect.top, n.size.cx, n.size.cy, flags);
    }
    if (!n.window) return false;
    n.id = SDL_GetWindowID(n.window);
    return true;
}

void SdlBackend::destroyNative(Native& n) {
    if (n.window) SDL_DestroyWindow(n.window);
    n.window = nullptr;
    n.id = 0;
    n.shown = false;
}

void SdlBackend::windowCreated(const SurfaceInfo& info) {
    Native& n = natives_[info.window.value];
    createNative(n, info);
    sync(info);
}

void SdlBackend::windowDestroyed(WindowHandle window) {
    auto it = natives_.find(window.value);
    if (it == natives_.end()) return;
    destroyNative(it->second);
    natives_.erase(it);
    std::erase(stack_, window);
}

void SdlBackend::applyShape(Native& n, const Region* shape) {
    std::vector<std::uint32_t> mask =
        shape ? shape->maskArgb(n.size) : Region::rectangle(0, 0, n.size.cx, n.size.cy).maskArgb(n.size);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(mask.data(), n.size.cx, n.size.cy, 32, n.size.cx * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    n.shapeApplied = SDL_SetWindowShape(n.window, surface, &mode) == 0;
    SDL_FreeSurface(surface);
    n.shape = shape ? std::optional<Region>(*shape) : std::nullopt;
}

void SdlBackend::showNative(Native& n) {
    SDL_SetWindowPosition(n.window, n.rect.left, n.rect.top);
    SDL_ShowWindow(n.window);
    // A window manager may place a newly mapped window itself and leave SDL's idea of the
    // position stale: the layer's position is the truth, so it is set again once mapped.
    SDL_PumpEvents();
    SDL_SetWindowPosition(n.window, n.rect.left, n.rect.top);
    n.shown = true;
}

void SdlBackend::hideNative(Native& n) {
    if (!(SDL_GetWindowFlags(n.window) & SDL_WINDOW_MINIMIZED)) ++n.ownUnmaps;
    SDL_HideWindow(n.window);
    n.shown = false;
}

void SdlBackend::sync(const SurfaceInfo& info) {
    auto it = natives_.find(info.window.value);
    if (it == natives_.end()) return;
    Native& n = it->second;
    bool wantShaped = x11_ && (info.shape || n.shaped);
    if (!n.window || isPopup(info) != n.popup || wantShaped != n.shaped) {
        destroyNative(n);
        if (!createNative(n, info)) return;
    }
    if (info.title != n.title) {
        SDL_SetWindowTitle(n.window, info.title.c_str());
        n.title = info.title;
    }
    Size size = nativeSize(info.rect);
    if (size != n.size) {
        n.size = size;
        SDL_SetWindowSize(n.window, size.cx, size.cy);
        // A shape must match the new size exactly.
        if (n.shaped) applyShape(n, info.shape);
    } else if (n.shaped) {
        bool same = n.shapeApplied && ((!info.shape && !n.shape) || (info.shape && n.shape && *info.shape == *n.shape));
        if (!same) applyShape(n, info.shape);
    }
    if (info.rect.left != n.rect.left || info.rect.top != n.rect.top) {
        SDL_SetWindowPosition(n.window, info.rect.left, info.rect.top);
    }
    n.rect = info.rect;

    bool wantShown = info.visible && info.rect.width() > 0 && info.rect.height() > 0;
    if (!wantShown) {
        if (n.shown) hideNative(n);
        n.minimised = false;
        return;
    }
    bool justShown = false;
    if (!n.shown) {
        showNative(n);
        justShown = true;
    }
    if (info.minimised && !n.minimised) {
        n.minimised = true;
        SDL_MinimizeWindow(n.window);
    } else if (!info.minimised && n.minimised) {
        n.minimised = false;
        SDL_RestoreWindow(n.window);
        justShown = true;
    }
    if (justShown) restackAbove(info.window);
}

void SdlBackend::restackAbove(WindowHandle from) {
    auto at = std::find(stack_.begin(), stack_.end(), from);
    if (at == stack_.end()) return;
    for (auto it = at + 1; it != stack_.end(); ++it) {
        Native* n = nativeOf(*it);
        if (n && n->window && n->shown && !n->minimised) SDL_RaiseWindow(n->window);
    }
}

void SdlBackend::zOrderChanged(std::span<const WindowHandle> order) {
    std::vector<WindowHandle> before = std::move(stack_);
    stack_.assign(order.begin(), order.end());
    // A change of the topmost style shows here first.
    for (WindowHandle h : stack_) {
        Native* n = nativeOf(h);
        if (!n) continue;
        SurfaceInfo info = surfaceInfo(h);
        if (info.window && isPopup(info) != n->popup) sync(info);
    }
    // Raise from the first place where the shown windows stand differently.
    auto shownOnly = [&](const std::vector<WindowHandle>& list) {
        std::vector<WindowHandle> out;
        for (WindowHandle h : list) {
            Native* n = nativeOf(h);
            if (n && n->window && n->shown && !n->minimised) out.push_back(h);
        }
        return out;
    };
    std::vector<WindowHandle> oldShown = shownOnly(before);
    std::vector<WindowHandle> newShown = shownOnly(stack_);
    std::size_t same = 0;
    while (same < oldShown.size() && same < newShown.size() && oldShown[same] == newShown[same]) ++same;
    for (std::size_t i = same; i < newShown.size(); ++i) {
        if (Native* n = nativeOf(newShown[i])) SDL_RaiseWindow(n->window);
    }
}

void SdlBackend::present(const SurfaceInfo& info, const ComposedImage& image) {
    Native* n = nativeOf(info.window);
    if (!n || !n->window || image.isEmpty()) return;
    SDL_Surface* surface = SDL_GetWindowSurface(n->window);
    if (!surface) return;
    int w = std::min(surface->w, image.width());
    int h = std::min(surface->h, image.height());
    if (w <= 0 || h <= 0) return;
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, image.argb().data(), image.width() * 4, surface->format->format,
                      surface->pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(n->window);
}

// ------------------------------------------------------------------------------------------
// Cursors.

void SdlBackend::cursorChanged(CursorHandle cursor, const CursorShape* shape) {
    // Cursors the layer has destroyed since are let go here.
    SDL_Cursor* current = SDL_GetCursor();
    for (auto it = ownCursors_.begin(); it != ownCursors_.end();) {
        if (!cursorShape(CursorHandle{it->first}) && it->second != current) {
            SDL_FreeCursor(it->second);
            it = ownCursors_.erase(it);
        } else {
            ++it;
        }
    }
    if (!cursor || !shape) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor* chosen = nullptr;
    if (shape->isSystem) {
        SDL_Cursor*& slot = shape->system == SystemCursor::Wait ? wait_ : arrow_;
        if (!slot) slot = SDL_CreateSystemCursor(shape->system == SystemCursor::Wait ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
        chosen = slot;
    } else {
        auto it = ownCursors_.find(cursor.value);
        if (it != ownCursors_.end()) {
            chosen = it->second;
        } else {
            CursorMaskAndData planes = cursorMaskAndData(*shape);
            chosen = SDL_CreateCursor(planes.data.data(), planes.mask.data(), kCursorSide, kCursorSide, shape->hotSpot.x,
                                      shape->hotSpot.y);
            if (chosen) ownCursors_.emplace(cursor.value, chosen);
        }
    }
    SDL_ShowCursor(SDL_ENABLE);
    if (chosen) SDL_SetCursor(chosen);
}

}  // namespace

std::unique_ptr<Backend> makeSdlBackend() {
    auto backend = std::make_unique<SdlBackend>();
    std::string error;
    if (!backend->open(error)) {
        startErrorText() = error;
        return nullptr;
    }
    startErrorText().clear();
    return backend;
}

const std::string& sdlStartError() { return startErrorText(); }

}  // namespace winsys
