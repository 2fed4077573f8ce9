// A window class that records every message it gets, for the window system's tests.
#pragma once

#include "platform/winsys/headless/driver.h"
#include "platform/winsys/window.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace winsys::testing {

struct Probe {
    std::vector<Message> log;
    Colour paintColour = rgb(200, 30, 30);
    // Answers a message instead of the default handling when it returns a value.
    std::function<std::optional<std::intptr_t>(WindowHandle, const Message&)> hook;

    // Registers a class whose windows log into this probe, paint their client area in
    // paintColour and pass everything else to the default procedure.
    bool registerAs(const std::string& name, std::optional<Colour> background = rgb(255, 255, 255)) {
        WindowClass cls;
        cls.name = name;
        cls.background = background;
        cls.procedure = [this](WindowHandle w, const Message& m) -> std::intptr_t {
            log.push_back(m);
            if (hook) {
                if (auto r = hook(w, m)) return *r;
            }
            if (m.id == MessageId::Paint) {
                PaintSession s = beginPainting(w);
                s.dc().fillRect(clientRect(w), paintColour);
                endPainting(s);
                return 0;
            }
            return defaultProcedure(w, m);
        };
        return registerClass(cls);
    }

    std::vector<Message> of(MessageId id) const {
        std::vector<Message> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out), [id](const Message& m) { return m.id == id; });
        return out;
    }
    int count(MessageId id) const { return static_cast<int>(of(id).size()); }
    // The ids of the messages logged, without the noise of set-cursor messages.
    std::vector<MessageId> ids() const {
        std::vector<MessageId> out;
        for (const Message& m : log) {
            if (m.id != MessageId::SetCursor) out.push_back(m.id);
        }
        return out;
    }
    void clear() { log.clear(); }
};

inline headless::DriverOptions startingAt(std::uint32_t ticks) {
    headless::DriverOptions o;
    o.startTicks = ticks;
    return o;
}

inline headless::DriverOptions withScreen(Size screen) {
    headless::DriverOptions o;
    o.screen = screen;
    return o;
}

inline WindowClass plainClass(const std::string& name, std::optional<Colour> background = std::nullopt,
                              CursorHandle cursor = {}) {
    WindowClass cls;
    cls.name = name;
    cls.procedure = defaultProcedure;
    cls.background = background;
    cls.cursor = cursor;
    return cls;
}

inline MessageId user(int n) { return static_cast<MessageId>(static_cast<int>(MessageId::User) + n); }

// A caption window of the probe's class at a screen rectangle, shown, created on the program thread.
inline WindowHandle makeWindow(headless::Driver& driver, const std::string& cls, Rect rect,
                               unsigned windowStyle = style::CaptionWindow | style::Visible, unsigned exStyle = 0,
                               const std::string& title = "Probe") {
    WindowHandle w;
    driver.call([&] { w = createWindow(cls, title, windowStyle, exStyle, rect); });
    return w;
}

}  // namespace winsys::testing
