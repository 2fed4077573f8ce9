// The layer's own state, shared by its source files (not for callers).
#pragma once

#include "platform/winsys/backend.h"
#include "platform/winsys/cursor.h"
#include "platform/winsys/message_box.h"
#include "platform/winsys/window.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace winsys::detail {

enum class ControlKind { None, Button, Static, Box };

struct ClassRecord {
    std::string name;
    WindowProcedure procedure;
    std::optional<Colour> background;
    CursorHandle cursor;
    IconHandle icon;
    ControlKind kind = ControlKind::None;
};

struct WindowRecord {
    WindowHandle handle;
    std::shared_ptr<const ClassRecord> cls;
    unsigned style = 0;
    unsigned exStyle = 0;
    WindowHandle parent;  // children only
    WindowHandle owner;   // top-level only
    std::vector<WindowHandle> children;  // bottom to top
    int id = 0;
    Rect rect;  // screen (top-level) or parent client (child)
    std::string text;
    Font font;
    bool visible = false;
    bool enabled = true;
    bool minimised = false;
    bool destroying = false;
    Bitmap client;
    bool invalid = false;
    bool eraseNeeded = false;
    Rect invalidPart;
    // A paint message went out for invalidPart and beginPainting has not taken it yet.
    bool paintPending = false;
    std::optional<Region> shape;
    std::uint64_t invalidOrder = 0;  // paints go out in the order of invalidation
    // Push buttons: the mouse holds it, and whether it is over it.
    bool tracking = false;
    bool pressed = false;
    // Message boxes: the answer once given.
    std::optional<BoxResult> boxAnswer;
    bool imageDirty = true;
};

struct TimerRecord {
    WindowHandle window;
    int id = 0;
    std::uint32_t period = 0;
    std::uint32_t due = 0;
};

enum class CaptureKind { None, Control, Caption, FrameBox };

struct CursorRecord {
    CursorShape shape;
};

struct State {
    Backend* backend = nullptr;
    std::unique_ptr<Backend> ownedBackend;

    std::map<std::uint32_t, std::unique_ptr<WindowRecord>> windows;
    std::vector<WindowHandle> zOrder;  // top-level windows, bottom to top
    std::map<std::string, std::shared_ptr<ClassRecord>> classes;  // key: lower-case name
    std::uint32_t nextWindowId = 1;
    std::uint64_t invalidCounter = 0;

    std::deque<Message> queue;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<TimerRecord> timers;

    WindowHandle focus;
    WindowHandle active;

    // Mouse routing.
    Point mouse;
    bool mouseKnown = false;
    WindowHandle capture;
    CaptureKind captureKind = CaptureKind::None;
    HitArea captureBox = HitArea::Nowhere;
    Point dragOffset;  // caption drags: mouse minus window origin
    WindowHandle lastMoveTarget;
    Point lastMovePoint;

    std::array<bool, key::Count> keyDown{};
    std::array<bool, key::Count> keyPressed{};

    std::map<std::uint32_t, CursorRecord> cursors;
    std::uint32_t nextCursorId = 16;
    CursorHandle currentCursor{1};  // the system arrow

    std::vector<BoxInfo> openBoxes;
    std::vector<BoxInfo> boxHistory;

    bool stopping = false;
};

State& state();
// Creates the standard classes when they are missing.
void ensureBuiltInClasses();
WindowRecord* find(WindowHandle window);
bool isTopLevel(const WindowRecord& w);
Point clientOffsetOf(const WindowRecord& w);
Size clientSizeOf(const WindowRecord& w);
// True when the window and all its ancestors are visible (and the top-level not minimised).
bool isShowing(const WindowRecord& w);
WindowRecord* topLevelOf(WindowRecord* w);
void markImageDirty(WindowRecord* w);
void notifyChanged(WindowRecord& w);
void notifyZOrder();
void raiseWindow(WindowRecord& w);
// Makes the top-level window the active one (the null handle: none).
void activate(WindowHandle window);

// Built-in procedures and painting of the standard controls and the boxes.
std::intptr_t buttonProcedure(WindowHandle window, const Message& message);
std::intptr_t staticProcedure(WindowHandle window, const Message& message);
std::intptr_t boxProcedure(WindowHandle window, const Message& message);
void paintControl(WindowRecord& w, DeviceContext& dc);

// Input from the backend, routed to windows.
void handleInput(const InputEvent& event);
// Composes and presents every window whose image changed, when the backend shows images.
void presentDirtyWindows();

// Classic default look.
Font defaultControlFont();
Colour classBackground(const WindowRecord& w);

// Forgets everything but the backend choice.
void resetState();

}  // namespace winsys::detail
