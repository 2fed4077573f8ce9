// A small program for the real-desktop tests: a caption window shaped as two overlapping
// hexagons, with a push button and a static text, painting a known picture and writing every
// message its procedure receives to a log, one line each. With --backdrop it is instead a
// full-screen window of one colour, so that screenshots have a known desktop behind.
#include "platform/winsys/backend.h"
#include "platform/winsys/cursor.h"
#include "platform/winsys/sdl/sdl_backend.h"
#include "platform/winsys/services.h"
#include "platform/winsys/window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace winsys;

namespace {

// Outer size of the probe window; the hexagons are in window coordinates (frame included).
constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr Colour kClientColour = rgb(40, 160, 80);
constexpr Colour kSquareColour = rgb(230, 200, 40);
constexpr Rect kSquare{120, 150, 200, 230};  // client pixels
constexpr int kButtonId = 101;

std::FILE* logFile = stdout;
WindowHandle mainWindow;

const char* nameOf(MessageId id) {
    switch (id) {
    case MessageId::Create: return "Create";
    case MessageId::Destroy: return "Destroy";
    case MessageId::Paint: return "Paint";
    case MessageId::EraseBackground: return "EraseBackground";
    case MessageId::Size: return "Size";
    case MessageId::Moving: return "Moving";
    case MessageId::Close: return "Close";
    case MessageId::SetCursor: return "SetCursor";
    case MessageId::Command: return "Command";
    case MessageId::Timer: return "Timer";
    case MessageId::MouseMove: return "MouseMove";
    case MessageId::LeftButtonDown: return "LeftButtonDown";
    case MessageId::LeftButtonUp: return "LeftButtonUp";
    case MessageId::RightButtonDown: return "RightButtonDown";
    case MessageId::RightButtonUp: return "RightButtonUp";
    case MessageId::KeyDown: return "KeyDown";
    case MessageId::KeyUp: return "KeyUp";
    case MessageId::Char: return "Char";
    case MessageId::SetFocus: return "SetFocus";
    case MessageId::KillFocus: return "KillFocus";
    case MessageId::SysCommand: return "SysCommand";
    case MessageId::SetText: return "SetText";
    case MessageId::SetFont: return "SetFont";
    default: return "Other";
    }
}

void logMessage(const Message& m) {
    std::fprintf(logFile, "%u %s pt=%d,%d item=%d code=%d size=%d,%d rect=%d,%d,%d,%d\n", m.time, nameOf(m.id), m.point.x,
                 m.point.y, m.itemId, m.code, m.size.cx, m.size.cy, m.rect.left, m.rect.top, m.rect.right, m.rect.bottom);
    std::fflush(logFile);
}

// A regular hexagon with flat top and bottom.
Region hexagon(int cx, int cy, int r) {
    int h = (r * 866 + 500) / 1000;
    Point p[6] = {{cx - r, cy}, {cx - r / 2, cy - h}, {cx + r / 2, cy - h}, {cx + r, cy}, {cx + r / 2, cy + h}, {cx - r / 2, cy + h}};
    return Region::polygon(p, 6);
}

// The right hexagon reaches past the window's top and right edges, so that the caption's
// boxes lie inside the shape; the top-left and bottom-right corners lie outside.
Region probeShape() { return hexagon(160, 220, 150) | hexagon(390, 120, 180); }

// A plus sign with a white outline, from the two planes.
CursorHandle crossCursor() {
    CursorPlane andPlane;
    CursorPlane xorPlane;
    andPlane.fill(0xFF);
    xorPlane.fill(0x00);
    auto set = [&](int x, int y, bool white) {
        int byte = y * 4 + x / 8;
        auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
        andPlane[byte] = static_cast<std::uint8_t>(andPlane[byte] & ~bit);
        if (white) xorPlane[byte] = static_cast<std::uint8_t>(xorPlane[byte] | bit);
        else xorPlane[byte] = static_cast<std::uint8_t>(xorPlane[byte] & ~bit);
    };
    for (int i = 4; i < 28; ++i) {
        for (int d = -2; d <= 2; ++d) {
            bool edge = d == -2 || d == 2;
            set(i, 16 + d, edge);
            set(16 + d, i, edge);
        }
    }
    return createCursor({16, 16}, andPlane, xorPlane);
}

std::intptr_t probeProcedure(WindowHandle window, const Message& m) {
    logMessage(m);
    switch (m.id) {
    case MessageId::Paint: {
        PaintSession ps = beginPainting(window);
        Rect client = clientRect(window);
        ps.dc().fillRect(client, kClientColour);
        ps.dc().fillRect(kSquare, kSquareColour);
        endPainting(ps);
        return 0;
    }
    case MessageId::KeyDown:
        std::fprintf(logFile, "async key=%d down=%d\n", m.itemId, (asyncKeyState(m.itemId) & 0x8000) ? 1 : 0);
        if (m.itemId == key::LetterA + 1) {
            std::uint32_t before = tickCount();
            beep(800, 120);
            std::fprintf(logFile, "beep elapsed=%u\n", tickCount() - before);
        }
        std::fflush(logFile);
        return 0;
    case MessageId::Destroy:
        postQuitMessage(0);
        return 0;
    default:
        return defaultProcedure(window, m);
    }
}

std::intptr_t backdropProcedure(WindowHandle window, const Message& m) {
    if (m.id == MessageId::Destroy) postQuitMessage(0);
    return defaultProcedure(window, m);
}

int runBackdrop(Colour colour) {
    WindowClass cls;
    cls.name = "ProbeBackdrop";
    cls.procedure = backdropProcedure;
    cls.background = colour;
    if (!registerClass(cls)) return 1;
    Size screen = screenSize();
    WindowHandle w = createWindow("ProbeBackdrop", "Probe backdrop", style::Popup | style::Visible, 0, {0, 0, screen.cx, screen.cy});
    if (!w) return 1;
    return runMessageLoop();
}

int runProbe(Point at) {
    WindowClass cls;
    cls.name = "DesktopProbe";
    cls.procedure = probeProcedure;
    cls.background = kClientColour;
    cls.cursor = crossCursor();
    if (!registerClass(cls)) return 1;
    mainWindow = createWindow("DesktopProbe", "Tamblo desktop probe", style::CaptionWindow, 0,
                              {at.x, at.y, at.x + kWidth, at.y + kHeight});
    if (!mainWindow) return 1;
    setWindowShape(mainWindow, probeShape());
    createWindow(kButtonClass, "Press", style::Child | style::Visible, 0, {250, 160, 350, 190}, mainWindow, kButtonId);
    createWindow(kStaticClass, "Static probe text", style::Child | style::Visible, 0, {40, 240, 200, 260}, mainWindow, 102);
    setTimer(mainWindow, 1, 200);
    showWindow(mainWindow, ShowCommand::Show);
    updateWindow(mainWindow);
    int code = runMessageLoop();
    std::fprintf(logFile, "exit %d\n", code);
    std::fflush(logFile);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    std::string logPath;
    Point at{300, 200};
    long backdrop = -1;
    std::string backendName = "sdl";
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--log" && i + 1 < argc) logPath = argv[++i];
        else if (a == "--at" && i + 2 < argc) {
            at.x = std::atoi(argv[++i]);
            at.y = std::atoi(argv[++i]);
        } else if (a == "--backdrop" && i + 1 < argc) backdrop = std::strtol(argv[++i], nullptr, 16);
        else if (a == "--backend" && i + 1 < argc) backendName = argv[++i];
    }
    if (!start(backendName, argc, argv)) {
        const std::string& why = sdlStartError();
        std::fprintf(stderr, "desktop_probe: %s\n", why.empty() ? "unknown backend" : why.c_str());
        return 1;
    }
    if (!logPath.empty()) {
        logFile = std::fopen(logPath.c_str(), "w");
        if (!logFile) {
            std::fprintf(stderr, "desktop_probe: cannot write %s\n", logPath.c_str());
            return 1;
        }
    }
    int code = 0;
    if (backdrop >= 0) {
        auto v = static_cast<unsigned long>(backdrop);
        code = runBackdrop(rgb(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)));
    } else {
        code = runProbe(at);
    }
    shutdown();
    return code;
}
