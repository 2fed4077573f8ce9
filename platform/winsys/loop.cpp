// The message queue, timers, the loop and the routing of input to windows.
#include "platform/winsys/backend.h"
#include "platform/winsys/compose.h"
#include "platform/winsys/services.h"
#include "platform/winsys/window.h"
#include "platform/winsys/window_internal.h"

#include <algorithm>

namespace winsys {
namespace detail {
namespace {

// Signed distance from now to a tick, so that due times compare across the wrap.
std::int32_t ticksUntil(std::uint32_t due, std::uint32_t now) { return static_cast<std::int32_t>(due - now); }

void post(WindowHandle window, Message m) {
    m.window = window;
    m.time = backend().ticks();
    state().queue.push_back(std::move(m));
}

struct Hit {
    WindowHandle window;  // receives the message
    HitArea area = HitArea::Nowhere;
    Point client;          // client pixels of `window`
    WindowHandle top;      // its top-level window
};

bool shapeContains(const WindowRecord& w, Point screen) {
    if (!w.rect.contains(screen)) return false;
    if (!w.shape) return true;
    return w.shape->contains(screen.x - w.rect.left, screen.y - w.rect.top);
}

// The deepest child under a client point of `parent` that takes the mouse.
WindowHandle childAt(WindowRecord& parent, Point client, Point& childClient) {
    for (auto it = parent.children.rbegin(); it != parent.children.rend(); ++it) {
        WindowRecord* c = find(*it);
        if (!c || !c->visible || c->destroying || !c->rect.contains(client)) continue;
        // Static texts let the mouse through to their parent, as do disabled children.
        if (!c->enabled || c->cls->kind == ControlKind::Static) return {};
        Point inner{client.x - c->rect.left, client.y - c->rect.top};
        Point deeper;
        if (WindowHandle d = childAt(*c, inner, deeper)) {
            childClient = deeper;
            return d;
        }
        childClient = inner;
        return c->handle;
    }
    return {};
}

Hit hitTest(Point screen) {
    auto& s = state();
    for (auto it = s.zOrder.rbegin(); it != s.zOrder.rend(); ++it) {
        WindowRecord* w = find(*it);
        if (!w || !w->visible || w->minimised || w->destroying || !w->enabled) continue;
        if (!shapeContains(*w, screen)) continue;
        Hit hit;
        hit.top = w->handle;
        Point local{screen.x - w->rect.left, screen.y - w->rect.top};
        hit.area = frameHitTest(sizeOf(w->rect), w->style, local);
        hit.window = w->handle;
        Point off = clientOffsetOf(*w);
        hit.client = {local.x - off.x, local.y - off.y};
        if (hit.area == HitArea::Client) {
            Point childClient;
            if (WindowHandle c = childAt(*w, hit.client, childClient)) {
                hit.window = c;
                hit.client = childClient;
            }
        }
        return hit;
    }
    return {};
}

void releaseCapture() {
    auto& s = state();
    if (s.captureKind == CaptureKind::None) return;
    s.capture = {};
    s.captureKind = CaptureKind::None;
    s.captureBox = HitArea::Nowhere;
    backend().captureMouse(false);
}

void setCapture(WindowHandle window, CaptureKind kind) {
    auto& s = state();
    s.capture = window;
    s.captureKind = kind;
    backend().captureMouse(true);
}

Message mouseMessage(MessageId id, Point client) {
    Message m;
    m.id = id;
    m.point = client;
    return m;
}

void activateForClick(WindowHandle top) {
    WindowRecord* w = find(top);
    if (!w) return;
    raiseWindow(*w);
    activate(top);
}

void mouseMoved(Point screen) {
    auto& s = state();
    s.mouse = screen;
    s.mouseKnown = true;
    if (s.captureKind == CaptureKind::Caption) {
        WindowRecord* w = find(s.capture);
        if (!w) {
            releaseCapture();
            return;
        }
        Point origin{screen.x - s.dragOffset.x, screen.y - s.dragOffset.y};
        if (origin.x == w->rect.left && origin.y == w->rect.top) return;
        Placement p;
        p.position = origin;
        setWindowPos(s.capture, p);
        if ((w = find(s.capture))) {
            Message moving;
            moving.id = MessageId::Moving;
            moving.rect = w->rect;
            post(s.capture, moving);
        }
        return;
    }
    if (s.captureKind == CaptureKind::FrameBox) return;
    if (s.captureKind == CaptureKind::Control) {
        if (!find(s.capture)) {
            releaseCapture();
            return;
        }
        post(s.capture, mouseMessage(MessageId::MouseMove, screenToClient(s.capture, screen)));
        return;
    }
    Hit hit = hitTest(screen);
    if (!hit.window) {
        s.lastMoveTarget = {};
        return;
    }
    Message setCursorMsg;
    setCursorMsg.id = MessageId::SetCursor;
    setCursorMsg.source = hit.window;
    setCursorMsg.code = static_cast<int>(hit.area);
    // Queued with the mouse message it goes with, so that it keeps its place among the
    // messages that arrived before it.
    post(hit.window, setCursorMsg);
    if (hit.area != HitArea::Client) {
        s.lastMoveTarget = {};
        return;
    }
    if (hit.window == s.lastMoveTarget && hit.client == s.lastMovePoint) return;
    s.lastMoveTarget = hit.window;
    s.lastMovePoint = hit.client;
    post(hit.window, mouseMessage(MessageId::MouseMove, hit.client));
}

void buttonDown(MouseButton button, Point screen) {
    auto& s = state();
    s.mouse = screen;
    s.mouseKnown = true;
    if (s.captureKind != CaptureKind::None) return;  // the held button keeps its target
    Hit hit = hitTest(screen);
    if (!hit.window) return;
    activateForClick(hit.top);
    if (hit.area == HitArea::Client) {
        WindowRecord* w = find(hit.window);
        if (button == MouseButton::Left && w && w->cls->kind == ControlKind::Button) setCapture(hit.window, CaptureKind::Control);
        post(hit.window, mouseMessage(button == MouseButton::Left ? MessageId::LeftButtonDown : MessageId::RightButtonDown, hit.client));
        return;
    }
    if (button != MouseButton::Left) return;
    WindowRecord* top = find(hit.top);
    if (!top) return;
    if (hit.area == HitArea::Caption) {
        setCapture(hit.top, CaptureKind::Caption);
        s.dragOffset = {screen.x - top->rect.left, screen.y - top->rect.top};
    } else if (hit.area == HitArea::CloseBox || hit.area == HitArea::MinimiseBox) {
        setCapture(hit.top, CaptureKind::FrameBox);
        s.captureBox = hit.area;
    }
}

void buttonUp(MouseButton button, Point screen) {
    auto& s = state();
    s.mouse = screen;
    s.mouseKnown = true;
    if (s.captureKind != CaptureKind::None && button == MouseButton::Left) {
        WindowHandle target = s.capture;
        CaptureKind kind = s.captureKind;
        HitArea box = s.captureBox;
        releaseCapture();
        WindowRecord* w = find(target);
        if (!w) return;
        if (kind == CaptureKind::Control) {
            post(target, mouseMessage(MessageId::LeftButtonUp, screenToClient(target, screen)));
        } else if (kind == CaptureKind::FrameBox) {
            Point local{screen.x - w->rect.left, screen.y - w->rect.top};
            if (frameHitTest(sizeOf(w->rect), w->style, local) == box) {
                Message sys;
                sys.id = MessageId::SysCommand;
                sys.code = static_cast<int>(box == HitArea::CloseBox ? SysCommandKind::Close : SysCommandKind::Minimise);
                post(target, sys);
            }
        }
        return;
    }
    if (s.captureKind != CaptureKind::None) return;
    Hit hit = hitTest(screen);
    if (!hit.window || hit.area != HitArea::Client) return;
    post(hit.window, mouseMessage(button == MouseButton::Left ? MessageId::LeftButtonUp : MessageId::RightButtonUp, hit.client));
}

void keyEvent(int vk, bool down) {
    auto& s = state();
    if (vk < 0 || vk >= key::Count) return;
    if (down) {
        s.keyDown[vk] = true;
        s.keyPressed[vk] = true;
    } else {
        s.keyDown[vk] = false;
    }
    WindowHandle target = isWindow(s.focus) ? s.focus : activeWindow();
    if (!target) return;
    Message m;
    m.id = down ? MessageId::KeyDown : MessageId::KeyUp;
    m.itemId = vk;
    post(target, m);
}

void pumpInput() {
    InputEvent event;
    while (backend().pollEvent(event)) {
        handleInput(event);
        event = InputEvent{};
    }
}

// The invalid, showing window invalidated first.
WindowRecord* windowToPaint() {
    WindowRecord* best = nullptr;
    for (auto& [id, w] : state().windows) {
        if (!w->invalid || !isShowing(*w)) continue;
        if (!best || w->invalidOrder < best->invalidOrder) best = w.get();
    }
    return best;
}

TimerRecord* dueTimer(std::uint32_t now) {
    TimerRecord* best = nullptr;
    for (TimerRecord& t : state().timers) {
        if (ticksUntil(t.due, now) > 0) continue;
        if (!best || ticksUntil(t.due, now) < ticksUntil(best->due, now)) best = &t;
    }
    return best;
}

Message quitMessage(int code) {
    Message m;
    m.id = MessageId::Quit;
    m.param1 = code;
    return m;
}

// One step of the loop: false with Quit on quit, false with None when nothing is ready and
// waiting is not wanted.
bool nextMessage(Message& message, bool wait) {
    auto& s = state();
    for (;;) {
        if (s.stopping) {
            message = quitMessage(0);
            return false;
        }
        pumpInput();
        if (!s.queue.empty()) {
            message = std::move(s.queue.front());
            s.queue.pop_front();
            return true;
        }
        if (s.quitPosted) {
            s.quitPosted = false;
            message = quitMessage(s.quitCode);
            return false;
        }
        if (WindowRecord* w = windowToPaint()) {
            // The paint message stands for the invalid part until beginPainting takes it; a
            // procedure that never paints gets no second paint for the same invalidation.
            w->invalid = false;
            w->paintPending = true;
            message = Message{};
            message.window = w->handle;
            message.id = MessageId::Paint;
            message.time = backend().ticks();
            return true;
        }
        std::uint32_t now = backend().ticks();
        if (TimerRecord* t = dueTimer(now)) {
            message = Message{};
            message.window = t->window;
            message.id = MessageId::Timer;
            message.itemId = t->id;
            message.time = now;
            t->due += t->period;
            if (ticksUntil(t->due, now) <= 0) t->due = now + t->period;
            return true;
        }
        presentDirtyWindows();
        if (!wait) {
            message = Message{};
            return false;
        }
        if (!backend().waitEvent(nextTimerDue())) {
            message = quitMessage(0);
            return false;
        }
    }
}

}  // namespace

void handleInput(const InputEvent& event) {
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
        mouseMoved(event.point);
        break;
    case InputEvent::Kind::ButtonDown:
        buttonDown(event.button, event.point);
        break;
    case InputEvent::Kind::ButtonUp:
        buttonUp(event.button, event.point);
        break;
    case InputEvent::Kind::KeyDown:
        keyEvent(event.key, true);
        break;
    case InputEvent::Kind::KeyUp:
        keyEvent(event.key, false);
        break;
    case InputEvent::Kind::CloseRequest:
    case InputEvent::Kind::Minimised:
    case InputEvent::Kind::Restored: {
        if (!isWindow(event.window)) break;
        Message sys;
        sys.id = MessageId::SysCommand;
        sys.code = static_cast<int>(event.kind == InputEvent::Kind::CloseRequest ? SysCommandKind::Close
                                    : event.kind == InputEvent::Kind::Minimised  ? SysCommandKind::Minimise
                                                                                 : SysCommandKind::Restore);
        post(event.window, sys);
        break;
    }
    case InputEvent::Kind::Expose:
        markImageDirty(find(event.window));
        break;
    case InputEvent::Kind::Task:
        if (event.task) event.task();
        break;
    }
}

void presentDirtyWindows() {
    Backend& b = backend();
    if (!b.wantsImages()) return;
    for (WindowHandle h : std::vector<WindowHandle>(state().zOrder)) {
        WindowRecord* w = find(h);
        if (!w || !w->imageDirty || !isShowing(*w)) continue;
        w->imageDirty = false;
        ComposedImage image = composeWindow(h);
        b.present(surfaceInfo(h), image);
    }
}

}  // namespace detail

using namespace detail;

std::optional<std::uint32_t> nextTimerDue() {
    auto& s = state();
    if (s.timers.empty()) return std::nullopt;
    std::uint32_t now = backend().ticks();
    const TimerRecord* best = &s.timers.front();
    for (const TimerRecord& t : s.timers) {
        if (ticksUntil(t.due, now) < ticksUntil(best->due, now)) best = &t;
    }
    return best->due;
}

bool setTimer(WindowHandle window, int timerId, std::uint32_t periodMs) {
    if (!isWindow(window)) return false;
    auto& s = state();
    std::uint32_t period = std::clamp<std::uint32_t>(periodMs, 10u, 0x7FFFFFFFu);
    std::uint32_t due = backend().ticks() + period;
    for (TimerRecord& t : s.timers) {
        if (t.window == window && t.id == timerId) {
            t.period = period;
            t.due = due;
            return true;
        }
    }
    s.timers.push_back({window, timerId, period, due});
    return true;
}

bool killTimer(WindowHandle window, int timerId) {
    auto& s = state();
    auto removed = std::erase_if(s.timers, [&](const TimerRecord& t) { return t.window == window && t.id == timerId; });
    return removed != 0;
}

std::intptr_t sendMessage(WindowHandle window, Message message) {
    WindowRecord* w = find(window);
    if (!w) return 0;
    message.window = window;
    if (message.time == 0) message.time = backend().ticks();
    std::shared_ptr<const ClassRecord> cls = w->cls;  // keeps the procedure alive through a destroy
    return cls->procedure(window, message);
}

bool postMessage(WindowHandle window, Message message) {
    if (window && !isWindow(window)) return false;
    post(window, std::move(message));
    return true;
}

bool getMessage(Message& message) { return nextMessage(message, true); }

bool peekMessage(Message& message) { return nextMessage(message, false); }

void translateMessage(const Message& message) {
    if (message.id != MessageId::KeyDown) return;
    int vk = message.itemId;
    int ch = 0;
    bool shift = state().keyDown[key::Shift];
    if (vk >= key::Digit0 && vk <= key::Digit0 + 9) ch = vk;
    else if (vk >= key::LetterA && vk <= key::LetterA + 25) ch = shift ? vk : vk - 'A' + 'a';
    else if (vk >= key::Numpad0 && vk <= key::Numpad0 + 9) ch = '0' + (vk - key::Numpad0);
    else if (vk == key::Space || vk == key::Return || vk == key::Tab || vk == key::Escape || vk == key::Back) ch = vk;
    if (!ch) return;
    Message c;
    c.window = message.window;
    c.id = MessageId::Char;
    c.itemId = ch;
    c.time = message.time;
    state().queue.push_front(std::move(c));
}

std::intptr_t dispatchMessage(const Message& message) {
    if (!message.window) return 0;
    WindowRecord* w = find(message.window);
    if (!w) return 0;
    // A timer killed after its message was made sends nothing more.
    if (message.id == MessageId::Timer) {
        auto& timers = state().timers;
        bool alive = std::any_of(timers.begin(), timers.end(),
                                 [&](const TimerRecord& t) { return t.window == message.window && t.id == message.itemId; });
        if (!alive) return 0;
    }
    std::shared_ptr<const ClassRecord> cls = w->cls;
    return cls->procedure(message.window, message);
}

void postQuitMessage(int exitCode) {
    auto& s = state();
    s.quitPosted = true;
    s.quitCode = exitCode;
}

int runMessageLoop() {
    Message m;
    while (getMessage(m)) {
        translateMessage(m);
        dispatchMessage(m);
    }
    return static_cast<int>(m.param1);
}

int asyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= key::Count) return 0;
    auto& s = state();
    int result = (s.keyDown[virtualKey] ? 0x8000 : 0) | (s.keyPressed[virtualKey] ? 1 : 0);
    s.keyPressed[virtualKey] = false;
    return result;
}

}  // namespace winsys
