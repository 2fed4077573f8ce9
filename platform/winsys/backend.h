// The display backend: what the layer needs from a display, a clock, input, sound and cursors.
//
// The layer keeps the truth about every window (position, size, visibility, z-order, shape,
// image); a backend only mirrors it on the display and feeds input back as events at SCREEN
// coordinates, which the layer routes itself (hit tests, capture, caption drags). A backend that
// shows real windows asks for the composed images (wantsImages) and gets them before the loop
// sleeps.
#pragma once

#include "platform/winsys/compose.h"
#include "platform/winsys/cursor.h"
#include "platform/winsys/types.h"
#include "platform/winsys/window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace winsys {

enum class MouseButton { Left, Right };

struct InputEvent {
    enum class Kind {
        MouseMove,    // point
        ButtonDown,   // button, point
        ButtonUp,     // button, point
        KeyDown,      // key: a virtual key of window.h
        KeyUp,        // key
        CloseRequest, // window: the desktop asks the window to close
        Minimised,    // window: the desktop minimised it
        Restored,     // window: the desktop restored it
        Expose,       // window: the display lost its pixels (the image is sent again)
        Task,         // task: run on the program's thread (test drivers)
    };
    Kind kind = Kind::MouseMove;
    Point point;  // screen pixels
    MouseButton button = MouseButton::Left;
    int key = 0;
    WindowHandle window;
    std::function<void()> task;
};

// What a backend sees of a top-level window.
struct SurfaceInfo {
    WindowHandle window;
    Rect rect;  // screen pixels
    std::string title;
    bool visible = false;
    bool minimised = false;
    bool topmost = false;
    bool toolWindow = false;
    bool framed = false;  // caption style (the layer draws the frame itself in every case)
    const Region* shape = nullptr;  // window coordinates; null: the whole rectangle
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::string_view name() const = 0;

    // Clock, sleep and sound.
    virtual std::uint32_t ticks() = 0;
    virtual void sleep(std::uint32_t ms) = 0;
    virtual void beep(std::uint32_t frequency, std::uint32_t durationMs) = 0;

    virtual Size screenSize() = 0;
    virtual Rect workArea() = 0;

    // Input: the next event without waiting.
    virtual bool pollEvent(InputEvent& event) = 0;
    // Sleeps until an event may be there or the clock reaches dueTick (none: no time limit).
    // False when nothing can ever arrive (the loop then ends as on quit).
    virtual bool waitEvent(std::optional<std::uint32_t> dueTick) = 0;

    // Mirroring of the top-level windows.
    virtual void windowCreated(const SurfaceInfo&) {}
    // Position, size, visibility, minimised state, title or shape changed.
    virtual void windowChanged(const SurfaceInfo&) {}
    virtual void windowDestroyed(WindowHandle) {}
    // Top-level windows from the bottom of the stack to the top.
    virtual void zOrderChanged(std::span<const WindowHandle>) {}
    virtual bool wantsImages() const { return false; }
    // The window's composed image (window size; transparent outside the shape).
    virtual void present(const SurfaceInfo&, const ComposedImage&) {}

    virtual void cursorChanged(CursorHandle, const CursorShape*) {}
    // While the layer drags a caption or holds a button, the mouse should keep reporting to it
    // even outside the window.
    virtual void captureMouse(bool) {}
};

// The backend names start() accepts: "headless", and "sdl" where it is built in.
bool isBackendAvailable(std::string_view name);
// Selects and owns a backend for the rest of the run and keeps the program's arguments.
// False (with nothing changed) for an unknown or unavailable backend. When a caller-owned
// backend is installed (a test driver runs the program), that one stays whatever the name.
bool start(std::string_view backendName, int argc, const char* const* argv);
// Installs a backend the caller owns (the headless test driver), resetting the layer.
void useBackend(Backend* backend);
// The backend in use; a headless one without driver when none was chosen.
Backend& backend();
// Destroys every window (without messages), timers, queued messages, classes and own cursors,
// and forgets the backend: the layer is as at program start.
void shutdown();

// A forced stop (a test ending early): from now on every getMessage answers quit, every box
// returns at once and nothing waits, so the program unwinds by itself.
void requestStop();
bool stopRequested();

// The earliest due timer, if any (what the loop would wake for).
std::optional<std::uint32_t> nextTimerDue();
// The layer's surface description of a top-level window.
SurfaceInfo surfaceInfo(WindowHandle window);

}  // namespace winsys
