#include "platform/winsys/headless/driver.h"

#include "platform/winsys/backend.h"

#include <algorithm>

namespace winsys::headless {

Driver::Driver() : Driver(DriverOptions{}) {}

Driver::Driver(const DriverOptions& options) {
    backend_.setScreenSize(options.screen);
    backend_.setTicks(options.startTicks);
    backend_.setParker([this](std::optional<std::uint32_t> due) { return park(due); });
    useBackend(&backend_);
}

Driver::~Driver() {
    stop();
    shutdown();
}

bool Driver::park(std::optional<std::uint32_t>) {
    if (stopRequested()) return true;
    // Only the program thread hands over; anyone else waiting would wait for itself.
    if (std::this_thread::get_id() != programThread_) return false;
    std::unique_lock lock(mutex_);
    programTurn_ = false;
    cv_.notify_all();
    cv_.wait(lock, [this] { return programTurn_; });
    return true;
}

bool Driver::start(std::function<int()> program) {
    if (started_) return false;
    started_ = true;
    thread_ = std::thread([this, program = std::move(program)] {
        {
            std::unique_lock lock(mutex_);
            cv_.wait(lock, [this] { return programTurn_; });
        }
        int code = program ? program() : 0;
        std::unique_lock lock(mutex_);
        exitCode_ = code;
        ended_ = true;
        programTurn_ = false;
        cv_.notify_all();
    });
    programThread_ = thread_.get_id();
    resume();
    return true;
}

bool Driver::startLoop() {
    return start([] { return runMessageLoop(); });
}

bool Driver::isRunning() const {
    std::unique_lock lock(mutex_);
    return started_ && !ended_;
}

bool Driver::hasEnded() const {
    std::unique_lock lock(mutex_);
    return ended_;
}

std::optional<int> Driver::exitCode() const {
    std::unique_lock lock(mutex_);
    return exitCode_;
}

void Driver::resume() {
    // Called from the program's own thread (a task using the driver), the program simply goes
    // on: waiting for itself would never end.
    if (std::this_thread::get_id() == programThread_) return;
    std::unique_lock lock(mutex_);
    if (!started_ || ended_) return;
    programTurn_ = true;
    cv_.notify_all();
    cv_.wait(lock, [this] { return !programTurn_; });
}

void Driver::settle() { resume(); }

void Driver::inject(InputEvent event) {
    backend_.pushEvent(std::move(event));
    resume();
}

void Driver::call(std::function<void()> function) {
    if (!isRunning()) {
        if (function) function();
        return;
    }
    InputEvent e;
    e.kind = InputEvent::Kind::Task;
    e.task = std::move(function);
    inject(std::move(e));
}

void Driver::stop() {
    if (started_) {
        if (!hasEnded()) {
            requestStop();
            resume();
        }
        if (thread_.joinable()) thread_.join();
    }
}

void Driver::advance(std::uint32_t ms) {
    std::int64_t remaining = ms;
    while (isRunning()) {
        std::optional<std::uint32_t> due = nextTimerDue();
        if (!due) break;
        std::int64_t until = static_cast<std::int32_t>(*due - backend_.ticks());
        if (until > remaining) break;
        if (until < 0) until = 0;
        backend_.advanceTicks(static_cast<std::uint32_t>(until));
        remaining -= until;
        std::uint32_t before = backend_.ticks();
        resume();
        // A timer that stays due at the same time (its window ignores it) must not stall us.
        std::optional<std::uint32_t> after = nextTimerDue();
        if (until == 0 && after && *after == *due && backend_.ticks() == before) break;
    }
    if (remaining > 0) backend_.advanceTicks(static_cast<std::uint32_t>(remaining));
    resume();
}

std::uint32_t Driver::now() const { return const_cast<HeadlessBackend&>(backend_).ticks(); }

namespace {
InputEvent mouseEvent(InputEvent::Kind kind, Point p, MouseButton button = MouseButton::Left) {
    InputEvent e;
    e.kind = kind;
    e.point = p;
    e.button = button;
    return e;
}
}  // namespace

void Driver::mouseMove(Point p) { inject(mouseEvent(InputEvent::Kind::MouseMove, p)); }
void Driver::leftDown(Point p) { inject(mouseEvent(InputEvent::Kind::ButtonDown, p)); }
void Driver::leftUp(Point p) { inject(mouseEvent(InputEvent::Kind::ButtonUp, p)); }
void Driver::rightDown(Point p) { inject(mouseEvent(InputEvent::Kind::ButtonDown, p, MouseButton::Right)); }
void Driver::rightUp(Point p) { inject(mouseEvent(InputEvent::Kind::ButtonUp, p, MouseButton::Right)); }

void Driver::leftClick(Point p) {
    mouseMove(p);
    leftDown(p);
    leftUp(p);
}

void Driver::rightClick(Point p) {
    mouseMove(p);
    rightDown(p);
    rightUp(p);
}

void Driver::drag(Point from, Point to, int steps) {
    steps = std::max(1, steps);
    mouseMove(from);
    leftDown(from);
    for (int i = 1; i <= steps; ++i) {
        mouseMove({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    }
    leftUp(to);
}

Point Driver::screenPoint(WindowHandle window, Point client) const { return clientToScreen(window, client); }

Point Driver::centreOf(WindowHandle window) const {
    Rect r = screenRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Driver::clickControl(WindowHandle control) { leftClick(centreOf(control)); }

namespace {
InputEvent desktopEvent(InputEvent::Kind kind, WindowHandle window) {
    InputEvent e;
    e.kind = kind;
    e.window = window;
    return e;
}
}  // namespace

void Driver::restoreFromDesktop(WindowHandle window) { inject(desktopEvent(InputEvent::Kind::Restored, window)); }
void Driver::minimiseFromDesktop(WindowHandle window) { inject(desktopEvent(InputEvent::Kind::Minimised, window)); }
void Driver::closeFromDesktop(WindowHandle window) { inject(desktopEvent(InputEvent::Kind::CloseRequest, window)); }

void Driver::keyDown(int vk) {
    InputEvent e;
    e.kind = InputEvent::Kind::KeyDown;
    e.key = vk;
    inject(std::move(e));
}

void Driver::keyUp(int vk) {
    InputEvent e;
    e.kind = InputEvent::Kind::KeyUp;
    e.key = vk;
    inject(std::move(e));
}

void Driver::keyPress(int vk) {
    keyDown(vk);
    keyUp(vk);
}

std::vector<WindowHandle> Driver::windows() const {
    std::vector<WindowHandle> out;
    for (WindowHandle h : topLevelWindows()) {
        if (isVisible(h) && !isMinimised(h)) out.push_back(h);
    }
    return out;
}

WindowHandle Driver::findWindow(std::string_view cls, std::string_view title) const { return winsys::findWindow(cls, title); }

ComposedImage Driver::image(WindowHandle window) const { return composeWindow(window); }

bool Driver::writePng(WindowHandle window, const std::string& path) const { return composeWindow(window).writePng(path); }

ComposedImage Driver::screen(Colour desktop) const { return composeScreen(desktop); }

std::optional<BoxInfo> Driver::currentBox() const {
    std::vector<BoxInfo> boxes = openBoxes();
    if (boxes.empty()) return std::nullopt;
    return boxes.back();
}

std::vector<BoxInfo> Driver::boxesShown() const { return boxHistory(); }

bool Driver::answerBox(BoxResult button) {
    std::optional<BoxInfo> box = currentBox();
    if (!box) return false;
    for (std::size_t i = 0; i < box->buttons.size(); ++i) {
        if (box->buttons[i] == button) {
            clickControl(box->buttonWindows[i]);
            return true;
        }
    }
    return false;
}

bool Driver::answerBox(std::string_view label) {
    std::optional<BoxInfo> box = currentBox();
    if (!box) return false;
    for (std::size_t i = 0; i < box->labels.size(); ++i) {
        if (box->labels[i] == label) {
            clickControl(box->buttonWindows[i]);
            return true;
        }
    }
    return false;
}

}  // namespace winsys::headless
