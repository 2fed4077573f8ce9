// Windows, window classes, messages and the message loop.
//
// Everything runs on one thread: windows are in-process objects named by handles, every window
// has a procedure (a callable) that receives its messages, and one queue carries the messages
// of all windows in arrival order. Handles of destroyed windows stay invalid for good: every
// operation on them fails harmlessly (false, a null handle or an empty value).
//
// A top-level window (no Child style) lives at screen coordinates; a child lives in its parent's
// client coordinates. A window's rectangle is its outer rectangle; its client area is what is
// left inside the self-drawn frame (caption style: border and caption strip; Border style: one
// pixel). Every window owns a client Bitmap that painting draws into; a top-level window's
// image is frame + client + children, cut by its shape (see compose.h).
#pragma once

#include "platform/winsys/draw.h"
#include "platform/winsys/region.h"
#include "platform/winsys/types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsys {

struct WindowHandle {
    std::uint32_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(WindowHandle, WindowHandle) = default;
};

struct CursorHandle {
    std::uint32_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(CursorHandle, CursorHandle) = default;
};

struct IconHandle {
    std::uint32_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(IconHandle, IconHandle) = default;
};

// Window styles (combine with |).
namespace style {
inline constexpr unsigned Child = 1u << 0;        // a child of its parent's client area
inline constexpr unsigned Popup = 1u << 1;        // a top-level window without frame
inline constexpr unsigned Caption = 1u << 2;      // self-drawn frame: border, title, minimise, close
inline constexpr unsigned Border = 1u << 3;       // a thin one-pixel border
inline constexpr unsigned Visible = 1u << 4;      // shown at creation
inline constexpr unsigned Disabled = 1u << 5;     // created disabled
inline constexpr unsigned SysMenu = 1u << 6;      // caption with the close box
inline constexpr unsigned MinimiseBox = 1u << 7;  // caption with the minimise box
inline constexpr unsigned CentreText = 1u << 8;   // static text: centred (left otherwise)
inline constexpr unsigned DefaultButton = 1u << 9;  // push button drawn as the default one
// The usual caption window: caption, close box and minimise box, no sizing border.
inline constexpr unsigned CaptionWindow = Caption | SysMenu | MinimiseBox;
}  // namespace style

// Extended styles.
namespace exstyle {
inline constexpr unsigned Topmost = 1u << 0;     // stays above every window that is not topmost
inline constexpr unsigned ToolWindow = 1u << 1;  // no taskbar entry
}  // namespace exstyle

// The standard child controls, created by these class names.
inline constexpr std::string_view kButtonClass = "button";
inline constexpr std::string_view kStaticClass = "static";

// Frame metrics of the caption style, in pixels.
inline constexpr int kFrameBorder = 3;
inline constexpr int kCaptionHeight = 26;

enum class MessageId : std::uint16_t {
    None = 0,
    Create,           // sent during creation; a result of -1 makes the creation fail
    Destroy,          // sent while the window is being destroyed (before its children)
    Paint,            // the window has an invalid part: begin and end painting
    EraseBackground,  // sent by beginPainting when the invalidation asked for it
    Size,             // code: SizeKind; size: the new client size
    Moving,           // the user drags the caption; rect: the window's new rectangle
    Close,            // the close box or a request to close: the default destroys the window
    SetCursor,        // the mouse moved over the window; source: the window under it; code: HitArea
    Command,          // itemId: control id; code: notification (0 = clicked); source: the control
    Timer,            // itemId: timer id
    MouseMove,        // point: client pixels (for all mouse messages)
    LeftButtonDown,
    LeftButtonUp,
    RightButtonDown,
    RightButtonUp,
    KeyDown,          // itemId: virtual key (given to the focus window, or the active one)
    KeyUp,
    Char,             // itemId: the character, made by translateMessage from a key down
    SetFocus,         // the window received the keyboard focus; source: the one that lost it
    KillFocus,        // the window lost the keyboard focus; source: the one that gets it
    SysCommand,       // code: SysCommandKind (the frame's boxes); the default carries it out
    SetText,          // text: the new text (the default stores it)
    SetFont,          // font: the new font (the default stores it)
    Quit,             // only ever seen by getMessage's caller: param1 holds the exit code
    User = 0x400,     // the program's own messages start here
};

enum class SizeKind { Restored = 0, Minimised = 1, Maximised = 2 };
enum class HitArea { Nowhere = 0, Client = 1, Caption = 2, Border = 3, MinimiseBox = 8, CloseBox = 20 };
enum class SysCommandKind { Minimise = 1, Close = 2, Restore = 3 };

struct Message {
    Message() = default;
    explicit Message(MessageId messageId, std::intptr_t first = 0, std::intptr_t second = 0)
        : id(messageId), param1(first), param2(second) {}

    WindowHandle window;
    MessageId id = MessageId::None;
    Point point;           // mouse messages: client pixels of `window`
    int code = 0;          // see MessageId
    int itemId = 0;        // see MessageId
    Size size;             // Size
    Rect rect;             // Moving
    WindowHandle source;   // Command, SetCursor, focus changes
    std::string text;      // SetText
    Font font;             // SetFont
    std::intptr_t param1 = 0;  // Quit: exit code; free for User messages
    std::intptr_t param2 = 0;
    std::uint32_t time = 0;    // tick count when the message was queued
};

using WindowProcedure = std::function<std::intptr_t(WindowHandle, const Message&)>;

// What a window does with a message its procedure does not handle: close destroys the window,
// erase fills the invalid part with the class background, set-cursor asks the parent first and
// then sets the class cursor, paint validates, system commands minimise, restore or close, set
// text and set font store what they carry. Everything else returns 0.
std::intptr_t defaultProcedure(WindowHandle window, const Message& message);

// A background for the class: a colour, or none (the erase message then leaves the pixels).
struct WindowClass {
    std::string name;  // compared ignoring ASCII case
    WindowProcedure procedure;
    std::optional<Colour> background;
    CursorHandle cursor;
    IconHandle icon;
};

// False when the name is empty or taken (the control classes are taken), or the procedure empty.
bool registerClass(const WindowClass& windowClass);
bool isClassRegistered(std::string_view name);

struct CreateParams {
    std::string className;
    std::string title;  // the caption's title, or a control's label or text
    unsigned style = 0;
    unsigned exStyle = 0;
    Rect rect;          // outer rectangle: screen pixels, or the parent's client pixels for a child
    WindowHandle parent;  // required for a child; the owner of a top-level window otherwise
    int id = 0;           // a control's id, carried by its command messages
};

// The null handle when the class is unknown, a child has no valid parent, or the create
// message answers -1.
WindowHandle createWindow(const CreateParams& params);
WindowHandle createWindow(std::string_view className, std::string_view title, unsigned style, unsigned exStyle,
                          Rect rect, WindowHandle parent = {}, int id = 0);
// Destroys the window and its children (destroy messages, timers killed, focus and capture
// dropped). False for an invalid handle.
bool destroyWindow(WindowHandle window);
bool isWindow(WindowHandle window);

// ------------------------------------------------------------------------------------------
// Placement and state.

enum class ShowCommand { Hide, Show, ShowNoActivate, Minimise, Restore };
// Returns whether the window was visible before.
bool showWindow(WindowHandle window, ShowCommand command);
bool isVisible(WindowHandle window);
bool isMinimised(WindowHandle window);

enum class ZOrder { Keep, Top, Topmost, NotTopmost };
struct Placement {
    std::optional<Point> position;
    std::optional<Size> size;
    std::optional<bool> show;  // show or hide as well
    ZOrder zOrder = ZOrder::Keep;

    static Placement at(Point p) {
        Placement pl;
        pl.position = p;
        return pl;
    }
    static Placement sized(Size s) {
        Placement pl;
        pl.size = s;
        return pl;
    }
    static Placement raised(ZOrder z) {
        Placement pl;
        pl.zOrder = z;
        return pl;
    }
};
// Moves and sizes the window. A new size resizes the client Bitmap (its pixels kept where they
// still fit), sends the size message and invalidates the window.
bool setWindowPos(WindowHandle window, const Placement& placement);
bool moveWindow(WindowHandle window, Rect rect);

// Outer rectangle: screen pixels for a top-level window, parent's client pixels for a child.
// An empty rectangle for an invalid handle.
Rect windowRect(WindowHandle window);
// The rectangle on the screen whatever the kind of window.
Rect screenRect(WindowHandle window);
// Always at (0, 0): the size of the client area.
Rect clientRect(WindowHandle window);
// Position of the client area's top-left corner inside the window's outer rectangle.
Point clientOffset(WindowHandle window);
Point clientToScreen(WindowHandle window, Point p);
Point screenToClient(WindowHandle window, Point p);

// Returns whether the window was enabled before. A disabled window gets no mouse input.
bool enableWindow(WindowHandle window, bool enable);
bool isEnabled(WindowHandle window);

// Sends the set-text or set-font message (the default procedure stores it and repaints).
bool setWindowText(WindowHandle window, std::string_view text);
std::string windowText(WindowHandle window);
bool setWindowFont(WindowHandle window, const Font& font);
Font windowFont(WindowHandle window);

std::string className(WindowHandle window);
int controlId(WindowHandle window);
WindowHandle parentOf(WindowHandle window);
unsigned windowStyle(WindowHandle window);
unsigned windowExStyle(WindowHandle window);

// Returns the window that had the focus (the null handle when none).
WindowHandle setFocus(WindowHandle window);
WindowHandle focusWindow();
// The top-level window that takes key messages when nothing has the focus.
WindowHandle activeWindow();

// Top-level windows from the bottom of the stack to the top, hidden ones included.
std::vector<WindowHandle> topLevelWindows();
std::vector<WindowHandle> childWindows(WindowHandle parent);
// The first window of that class, or that title (empty matches any), among all windows.
WindowHandle findWindow(std::string_view className, std::string_view title = {});

// ------------------------------------------------------------------------------------------
// Shape: only the region's pixels (window coordinates, frame included) are shown and take the
// mouse. No region shows the whole rectangle. The window keeps its own copy.
bool setWindowShape(WindowHandle window, std::optional<Region> shape);
std::optional<Region> windowShape(WindowHandle window);

// ------------------------------------------------------------------------------------------
// Painting.

// Marks the client area (or a part of it, client pixels) for painting: one paint message follows
// when the queue has nothing else, however many invalidations came before. `erase` asks the
// paint's beginPainting for an erase-background message first.
bool invalidate(WindowHandle window, std::optional<Rect> part = std::nullopt, bool erase = true);
bool validate(WindowHandle window);
bool isInvalid(WindowHandle window);
// Invalidates the window and all its descendants (and the frame).
bool redrawWindow(WindowHandle window);
// Paints now (a paint message sent at once) when the window has an invalid part.
bool updateWindow(WindowHandle window);

// A device context on the window's client Bitmap, for the time of one paint. The invalid part
// counts as painted from beginPainting on.
class PaintSession {
public:
    PaintSession() = default;
    PaintSession(PaintSession&&) = default;
    PaintSession& operator=(PaintSession&&) = default;
    DeviceContext& dc() { return dc_; }
    Rect paintRect() const { return rect_; }
    WindowHandle window() const { return window_; }
    bool isValid() const { return static_cast<bool>(window_); }

private:
    friend PaintSession beginPainting(WindowHandle window);
    DeviceContext dc_;
    Rect rect_;
    WindowHandle window_;
};
PaintSession beginPainting(WindowHandle window);
void endPainting(PaintSession& session);
// A device context on the client Bitmap outside of painting (drawing shows at the next
// composition).
DeviceContext windowContext(WindowHandle window);
// The client framebuffer itself (shared handle).
Bitmap clientBitmap(WindowHandle window);

// ------------------------------------------------------------------------------------------
// Timers: periodic timer messages every `periodMs` (at least 10) while the timer lives. Setting
// an existing id of the same window restarts it with the new period.
bool setTimer(WindowHandle window, int timerId, std::uint32_t periodMs);
bool killTimer(WindowHandle window, int timerId);

// ------------------------------------------------------------------------------------------
// Messages and the loop.

// Calls the window's procedure at once and returns its result (0 for an invalid handle).
std::intptr_t sendMessage(WindowHandle window, Message message);
// Queues the message after everything already queued. A null window posts a thread message
// (getMessage returns it; dispatching it does nothing).
bool postMessage(WindowHandle window, Message message);
// Waits for the next message: queued ones in order, then a paint of an invalid window, then a
// due timer. False once the quit message arrives (its code in message.param1).
bool getMessage(Message& message);
// The same without waiting: false when nothing is ready (message.id None) or on quit (Quit).
bool peekMessage(Message& message);
// Turns a key down into a character message for the printable keys.
void translateMessage(const Message& message);
// Calls the procedure of the message's window; 0 when the window is gone.
std::intptr_t dispatchMessage(const Message& message);
void postQuitMessage(int exitCode);
// getMessage / translate / dispatch until quit; returns the exit code.
int runMessageLoop();

// ------------------------------------------------------------------------------------------
// Virtual keys (the numeric codes the game polls).
namespace key {
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Alt = 0x12;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Delete = 0x2E;
inline constexpr int Digit0 = 0x30;  // '0' .. '9' are 0x30 .. 0x39
inline constexpr int LetterA = 0x41;  // 'A' .. 'Z' are 0x41 .. 0x5A
inline constexpr int Numpad0 = 0x60;  // keypad 0 .. 9 are 0x60 .. 0x69
inline constexpr int F1 = 0x70;       // F1 .. F12 are 0x70 .. 0x7B
inline constexpr int Count = 256;
}  // namespace key

// Non-zero while the key is down (bit 15) or when it was pressed since the last query of
// that key (bit 0); the query clears the second. 0 for codes outside 0 .. 255.
int asyncKeyState(int virtualKey);

}  // namespace winsys
