// The test driver of the headless backend: runs a program function on a second thread with a
// strict hand-off, so that exactly one of the two threads runs at a time. The program runs until
// its loop would wait with nothing due; then the test goes on. Every action of the test (mouse,
// keys, clock, answers to boxes) wakes the program and returns once it is idle again, so a test
// reads as a player's session and everything is deterministic.
//
// While the program is idle the test may also read or call the layer directly (windows, images,
// cursors); settle() then lets the program take up what that caused. Driver calls made from
// the program's thread (inside call()) only queue their input: the program takes it up when it
// next looks for messages.
#pragma once

#include "platform/winsys/compose.h"
#include "platform/winsys/headless/headless_backend.h"
#include "platform/winsys/message_box.h"
#include "platform/winsys/window.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace winsys::headless {

struct DriverOptions {
    Size screen = HeadlessBackend::kDefaultScreen;
    std::uint32_t startTicks = 0;
};

class Driver {
public:
    Driver();
    explicit Driver(const DriverOptions& options);
    // Stops a program still running (forced stop) and resets the layer.
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    HeadlessBackend& backend() { return backend_; }

    // Starts the program function on its thread and returns when it is idle or has ended.
    // False when a program was already started.
    bool start(std::function<int()> program);
    // A program that only runs the message loop: windows are then made with call().
    bool startLoop();
    bool isRunning() const;
    bool hasEnded() const;
    // The program function's result once it has ended.
    std::optional<int> exitCode() const;
    // Lets the program run until it is idle again.
    void settle();
    // Runs the function on the program's thread (inside its loop), then until idle.
    void call(std::function<void()> function);
    // Forced stop: every loop answers quit and every box returns, until the program function
    // returns; then the thread is joined.
    void stop();

    // Virtual time. advance() moves the clock by ms, stopping at every timer due on the way so
    // that each fires at its own time.
    void advance(std::uint32_t ms);
    std::uint32_t now() const;

    // Mouse at screen points; each step runs the program until idle.
    void mouseMove(Point screen);
    void leftDown(Point screen);
    void leftUp(Point screen);
    void rightDown(Point screen);
    void rightUp(Point screen);
    void leftClick(Point screen);
    void rightClick(Point screen);
    // Press at `from`, move in `steps` even steps to `to`, release there.
    void drag(Point from, Point to, int steps = 8);
    // A point of a window's client area on the screen.
    Point screenPoint(WindowHandle window, Point client) const;
    // The middle of a window (a control) on the screen.
    Point centreOf(WindowHandle window) const;
    void clickControl(WindowHandle control);

    // What the desktop does to a window from outside: restore it from the taskbar, minimise it,
    // ask it to close.
    void restoreFromDesktop(WindowHandle window);
    void minimiseFromDesktop(WindowHandle window);
    void closeFromDesktop(WindowHandle window);

    void keyDown(int virtualKey);
    void keyUp(int virtualKey);
    void keyPress(int virtualKey);

    // Visible top-level windows, bottom to top.
    std::vector<WindowHandle> windows() const;
    WindowHandle findWindow(std::string_view className, std::string_view title = {}) const;
    ComposedImage image(WindowHandle window) const;
    bool writePng(WindowHandle window, const std::string& path) const;
    ComposedImage screen(Colour desktop) const;

    // The innermost open box.
    std::optional<BoxInfo> currentBox() const;
    std::vector<BoxInfo> boxesShown() const;
    // Clicks the button of the current box; false when no box is open or it has no such button.
    bool answerBox(BoxResult button);
    bool answerBox(std::string_view label);

    const std::vector<BeepRecord>& beeps() const { return backend_.beeps(); }

private:
    void inject(InputEvent event);
    void resume();
    bool park(std::optional<std::uint32_t> due);

    HeadlessBackend backend_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool programTurn_ = false;
    bool started_ = false;
    bool ended_ = false;
    std::optional<int> exitCode_;
    std::thread thread_;
    std::thread::id programThread_;
};

}  // namespace winsys::headless
