// Windows: mouse in client pixels, controls, the frame's caption and boxes, shapes, composition.
#include "platform/winsys/backend.h"
#include "platform/winsys/compose.h"
#include "platform/winsys/cursor.h"
#include "platform/winsys/services.h"
#include "tests/platform/winsys/window_test_support.h"

#include <gtest/gtest.h>

namespace winsys {
namespace {

using headless::Driver;
using testing::makeWindow;
using testing::Probe;

constexpr Rect kWindowRect{100, 100, 500, 400};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver.startLoop();
        driver.call([&] { ASSERT_TRUE(probe.registerAs("probe")); });
        window = makeWindow(driver, "probe", kWindowRect);
        ASSERT_TRUE(window);
        probe.clear();
    }
    Point client(int x, int y) const { return clientToScreen(window, {x, y}); }

    Driver driver;
    Probe probe;
    WindowHandle window;
};

TEST_F(WindowTest, RectanglesAndConversions) {
    EXPECT_EQ(windowRect(window), kWindowRect);
    Rect c = clientRect(window);
    EXPECT_EQ(c, (Rect{0, 0, 400 - 2 * kFrameBorder, 300 - 2 * kFrameBorder - kCaptionHeight}));
    EXPECT_EQ(clientOffset(window), (Point{kFrameBorder, kFrameBorder + kCaptionHeight}));
    EXPECT_EQ(clientToScreen(window, {0, 0}), (Point{100 + kFrameBorder, 100 + kFrameBorder + kCaptionHeight}));
    EXPECT_EQ(screenToClient(window, clientToScreen(window, {17, -4})), (Point{17, -4}));
    EXPECT_EQ(clientBitmap(window).size(), (Size{c.width(), c.height()}));
}

struct MouseCase {
    const char* name;
    bool right;
    Point client;
};

TEST_F(WindowTest, MouseMessagesCarryClientPixels) {
    const MouseCase cases[] = {{"left at the client origin", false, {0, 0}},
                               {"left inside", false, {123, 45}},
                               {"right at the far corner", true, {393, 267}}};
    for (const MouseCase& mc : cases) {
        SCOPED_TRACE(mc.name);
        probe.clear();
        Point p = client(mc.client.x, mc.client.y);
        if (mc.right) driver.rightClick(p);
        else driver.leftClick(p);
        MessageId down = mc.right ? MessageId::RightButtonDown : MessageId::LeftButtonDown;
        MessageId up = mc.right ? MessageId::RightButtonUp : MessageId::LeftButtonUp;
        ASSERT_EQ(probe.count(down), 1);
        ASSERT_EQ(probe.count(up), 1);
        EXPECT_EQ(probe.of(down)[0].point, mc.client);
        EXPECT_EQ(probe.of(up)[0].point, mc.client);
        ASSERT_EQ(probe.count(MessageId::MouseMove), 1);
        EXPECT_EQ(probe.of(MessageId::MouseMove)[0].point, mc.client);
        EXPECT_EQ(probe.of(MessageId::SetCursor)[0].code, static_cast<int>(HitArea::Client));
    }
}

TEST_F(WindowTest, ClicksOutsideEveryWindowAndOnTheFrameGiveNoClientMessages) {
    driver.leftClick({50, 50});
    driver.leftClick({kWindowRect.left + 1, kWindowRect.bottom - 1});  // border
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
    EXPECT_EQ(probe.count(MessageId::LeftButtonUp), 0);
}

TEST_F(WindowTest, ADisabledWindowGetsNoMouse) {
    driver.call([&] { EXPECT_TRUE(enableWindow(window, false)); });
    driver.leftClick(client(10, 10));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
    driver.call([&] { EXPECT_FALSE(enableWindow(window, true)); });
    driver.leftClick(client(10, 10));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 1);
}

class ButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        driver.call([&] {
            button = createWindow(kButtonClass, "Go", style::Child | style::Border | style::Visible, 0, {10, 10, 90, 40}, window, 42);
        });
        ASSERT_TRUE(button);
        probe.clear();
    }
    std::vector<Message> commands() const { return probe.of(MessageId::Command); }
    WindowHandle button;
};

TEST_F(ButtonTest, AClickSendsTheCommandWithTheControlId) {
    driver.clickControl(button);
    ASSERT_EQ(commands().size(), 1u);
    EXPECT_EQ(commands()[0].itemId, 42);
    EXPECT_EQ(commands()[0].code, 0);
    EXPECT_EQ(commands()[0].source, button);
    // The button's own mouse messages do not reach the parent.
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
}

TEST_F(ButtonTest, ReleasingOutsideTheButtonCancelsTheClick) {
    Point inside = driver.centreOf(button);
    driver.mouseMove(inside);
    driver.leftDown(inside);
    driver.mouseMove(client(200, 200));
    driver.leftUp(client(200, 200));
    EXPECT_TRUE(commands().empty());
    // The capture went with the release: the next click in the client area reaches the parent.
    driver.leftClick(client(200, 200));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 1);
}

TEST_F(ButtonTest, ADisabledButtonSendsNothingAndLooksGrey) {
    ComposedImage enabledLook = driver.image(window);
    driver.call([&] { enableWindow(button, false); });
    driver.clickControl(button);
    EXPECT_TRUE(commands().empty());
    ComposedImage disabledLook = driver.image(window);
    EXPECT_NE(enabledLook.argb(), disabledLook.argb());
}

TEST_F(ButtonTest, TheButtonLooksPressedWhileTheMouseHoldsIt) {
    Point centre = driver.centreOf(button);
    Rect r = screenRect(button);
    auto buttonPixels = [&](const ComposedImage& img) {
        std::vector<Colour> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.push_back(img.colour(x - kWindowRect.left, y - kWindowRect.top));
        return out;
    };
    auto up = buttonPixels(driver.image(window));
    driver.mouseMove(centre);
    driver.leftDown(centre);
    auto held = buttonPixels(driver.image(window));
    driver.leftUp(centre);
    auto released = buttonPixels(driver.image(window));
    EXPECT_NE(up, held);
    EXPECT_EQ(up, released);
}

TEST_F(ButtonTest, StaticTextLetsTheMouseThroughAndShowsItsText) {
    WindowHandle text;
    driver.call([&] {
        text = createWindow(kStaticClass, "Hello", style::Child | style::Border | style::Visible | style::CentreText, 0,
                            {100, 100, 200, 120}, window, 28);
    });
    driver.leftClick(clientToScreen(text, {5, 5}));
    ASSERT_EQ(probe.count(MessageId::LeftButtonDown), 1);
    EXPECT_EQ(probe.of(MessageId::LeftButtonDown)[0].point, (Point{105, 105}));
    // Dark text pixels inside the field, and its border.
    Bitmap pixels = clientBitmap(text);
    int dark = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 98; ++x) dark += pixels.pixel(x, y) == rgb(0, 0, 0);
    EXPECT_GT(dark, 10);
    EXPECT_EQ(pixels.pixel(0, 0), rgb(0, 0, 0));
    driver.call([&] { setWindowText(text, ""); });
    EXPECT_EQ(windowText(text), "");
    dark = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 98; ++x) dark += clientBitmap(text).pixel(x, y) == rgb(0, 0, 0);
    EXPECT_EQ(dark, 0);
}

TEST_F(WindowTest, DraggingTheCaptionMovesTheWindowWithMovingMessages) {
    Point grab{kWindowRect.left + 60, kWindowRect.top + kFrameBorder + 5};
    driver.drag(grab, {grab.x + 40, grab.y + 30}, 4);
    EXPECT_EQ(windowRect(window), (Rect{140, 130, 540, 430}));
    std::vector<Message> moving = probe.of(MessageId::Moving);
    ASSERT_EQ(moving.size(), 4u);
    EXPECT_EQ(moving[0].rect, (Rect{110, 107, 510, 407}));
    EXPECT_EQ(moving.back().rect, (Rect{140, 130, 540, 430}));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
    // The client area followed.
    EXPECT_EQ(clientToScreen(window, {0, 0}), (Point{140 + kFrameBorder, 130 + kFrameBorder + kCaptionHeight}));
}

TEST_F(WindowTest, TheCloseBoxSendsCloseAndTheDefaultDestroys) {
    Rect close = closeBoxRect(sizeOf(kWindowRect), style::CaptionWindow);
    ASSERT_FALSE(close.isEmpty());
    driver.leftClick({kWindowRect.left + close.left + 5, kWindowRect.top + close.top + 5});
    EXPECT_EQ(probe.count(MessageId::Close), 1);
    EXPECT_EQ(probe.count(MessageId::Destroy), 1);
    EXPECT_FALSE(isWindow(window));
}

TEST_F(WindowTest, ACloseTheProcedureRefusesKeepsTheWindow) {
    probe.hook = [](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
        if (m.id == MessageId::Close) return 0;
        return std::nullopt;
    };
    Rect close = closeBoxRect(sizeOf(kWindowRect), style::CaptionWindow);
    driver.leftClick({kWindowRect.left + close.left + 5, kWindowRect.top + close.top + 5});
    EXPECT_EQ(probe.count(MessageId::Close), 1);
    EXPECT_TRUE(isWindow(window));
}

TEST_F(WindowTest, TheMinimiseBoxMinimisesAndRestoringSizesAgain) {
    Rect box = minimiseBoxRect(sizeOf(kWindowRect), style::CaptionWindow);
    driver.leftClick({kWindowRect.left + box.left + 5, kWindowRect.top + box.top + 5});
    EXPECT_TRUE(isMinimised(window));
    ASSERT_EQ(probe.count(MessageId::Size), 1);
    EXPECT_EQ(probe.of(MessageId::Size)[0].code, static_cast<int>(SizeKind::Minimised));
    EXPECT_TRUE(driver.windows().empty());
    // A minimised window takes no mouse.
    driver.leftClick(client(10, 10));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);

    probe.clear();
    driver.call([&] { showWindow(window, ShowCommand::Restore); });
    EXPECT_FALSE(isMinimised(window));
    ASSERT_EQ(probe.count(MessageId::Size), 1);
    EXPECT_EQ(probe.of(MessageId::Size)[0].code, static_cast<int>(SizeKind::Restored));
    EXPECT_EQ(probe.of(MessageId::Size)[0].size, (Size{clientRect(window).width(), clientRect(window).height()}));
    EXPECT_EQ(probe.count(MessageId::Paint), 1);
}

TEST_F(WindowTest, TheDesktopMinimisesRestoresAndClosesThroughTheProcedure) {
    driver.minimiseFromDesktop(window);
    EXPECT_TRUE(isMinimised(window));
    EXPECT_EQ(probe.count(MessageId::SysCommand), 1);
    driver.restoreFromDesktop(window);
    EXPECT_FALSE(isMinimised(window));
    std::vector<Message> sizes = probe.of(MessageId::Size);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].code, static_cast<int>(SizeKind::Minimised));
    EXPECT_EQ(sizes[1].code, static_cast<int>(SizeKind::Restored));
    driver.closeFromDesktop(window);
    EXPECT_EQ(probe.count(MessageId::Close), 1);
    EXPECT_FALSE(isWindow(window));
    driver.closeFromDesktop(window);  // a stale handle: nothing
}

TEST_F(WindowTest, ResizingSendsSizeAndResizesTheClientBitmap) {
    driver.call([&] { setWindowPos(window, Placement::sized({300, 200})); });
    ASSERT_EQ(probe.count(MessageId::Size), 1);
    Size expected{300 - 2 * kFrameBorder, 200 - 2 * kFrameBorder - kCaptionHeight};
    EXPECT_EQ(probe.of(MessageId::Size)[0].size, expected);
    EXPECT_EQ(clientBitmap(window).size(), expected);
    EXPECT_EQ(probe.count(MessageId::Paint), 1);
}

TEST_F(WindowTest, TheFrameShowsTheTitleAndTheClient) {
    ComposedImage before = driver.image(window);
    driver.call([&] { setWindowText(window, "Another title"); });
    ComposedImage after = driver.image(window);
    EXPECT_NE(before.argb(), after.argb());
    EXPECT_EQ(probe.count(MessageId::Paint), 0);  // the caption changed, not the client
    Point off = clientOffset(window);
    EXPECT_EQ(after.colour(off.x + 50, off.y + 50), probe.paintColour);
    EXPECT_NE(after.colour(kFrameBorder + 50, kFrameBorder + 3), probe.paintColour);
}

class ShapedWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // A disc in the middle of the window, in window coordinates.
        shape = Region::ellipse(Rect{100, 50, 300, 250});
        driver.call([&] { setWindowShape(window, shape); });
        probe.clear();
    }
    Region shape;
};

TEST_F(ShapedWindowTest, OnlyTheShapesPixelsAreShown) {
    ComposedImage image = driver.image(window);
    ASSERT_EQ(image.width(), kWindowRect.width());
    int shown = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            bool inside = shape.contains(x, y);
            ASSERT_EQ(image.isOpaque(x, y), inside) << x << "," << y;
            shown += inside;
        }
    }
    EXPECT_EQ(shown, shape.pixelCount());
    EXPECT_EQ(image.colour(200, 150), probe.paintColour);
    EXPECT_EQ(image.colour(0, 0), kInvalidColour);
}

TEST_F(ShapedWindowTest, NoMouseMessageOutsideTheShape) {
    // Inside the rectangle and the client area, outside the disc.
    Point outside{kWindowRect.left + 110, kWindowRect.top + 60};
    ASSERT_FALSE(shape.contains(110, 60));
    driver.leftClick(outside);
    driver.rightClick(outside);
    EXPECT_TRUE(probe.log.empty());
    driver.leftClick({kWindowRect.left + 200, kWindowRect.top + 150});
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 1);
}

TEST_F(ShapedWindowTest, TheMouseGoesThroughTheHoleToTheWindowBelow) {
    Probe below;
    driver.call([&] { below.registerAs("below"); });
    WindowHandle back = makeWindow(driver, "below", {0, 0, 800, 600}, style::Popup | style::Visible);
    driver.call([&] { setWindowPos(window, Placement::raised(ZOrder::Top)); });
    below.clear();
    driver.leftClick({kWindowRect.left + 110, kWindowRect.top + 60});
    ASSERT_EQ(below.count(MessageId::LeftButtonDown), 1);
    EXPECT_EQ(below.of(MessageId::LeftButtonDown)[0].point, (Point{210, 160}));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
    // The screen shows the lower window through the hole and the desktop nowhere.
    ComposedImage screen = driver.screen(rgb(0, 0, 255));
    EXPECT_EQ(screen.colour(kWindowRect.left + 110, kWindowRect.top + 60), below.paintColour);
    EXPECT_EQ(screen.colour(900, 900), rgb(0, 0, 255));
    (void)back;
}

TEST_F(ShapedWindowTest, RemovingTheShapeShowsTheWholeWindow) {
    driver.call([&] { setWindowShape(window, std::nullopt); });
    ComposedImage image = driver.image(window);
    EXPECT_TRUE(image.isOpaque(0, 0));
    EXPECT_TRUE(image.isOpaque(image.width() - 1, image.height() - 1));
}

TEST_F(WindowTest, TopmostWindowsStayAboveAndTakeTheMouse) {
    Probe popup;
    driver.call([&] { popup.registerAs("popup"); });
    WindowHandle tip = makeWindow(driver, "popup", {150, 150, 250, 200}, style::Popup | style::Visible,
                                  exstyle::Topmost | exstyle::ToolWindow);
    // Clicking the main window raises it, yet not above the topmost popup.
    driver.leftClick(client(300, 200));
    EXPECT_EQ(topLevelWindows().back(), tip);
    popup.clear();
    probe.clear();
    driver.leftClick({160, 160});
    EXPECT_EQ(popup.count(MessageId::LeftButtonDown), 1);
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
}

TEST_F(WindowTest, ADisabledPopupAboveLetsTheMouseThrough) {
    Probe popup;
    driver.call([&] { popup.registerAs("tip"); });
    makeWindow(driver, "tip", {150, 150, 250, 200}, style::Popup | style::Visible | style::Disabled, exstyle::Topmost);
    popup.clear();
    driver.leftClick({160, 160});
    EXPECT_EQ(popup.count(MessageId::LeftButtonDown), 0);
    ASSERT_EQ(probe.count(MessageId::LeftButtonDown), 1);
    EXPECT_EQ(probe.of(MessageId::LeftButtonDown)[0].point, screenToClient(window, {160, 160}));
}

TEST_F(WindowTest, InputQueuedFromTheProgramsThreadIsTakenUpLater) {
    driver.call([&] { driver.leftClick(client(20, 20)); });
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 1);
    EXPECT_EQ(probe.count(MessageId::LeftButtonUp), 1);
}

TEST_F(WindowTest, KeysGoToTheFocusWindowAndFocusChangesAreTold) {
    Probe other;
    WindowHandle child;
    driver.call([&] {
        other.registerAs("focusable");
        child = createWindow("focusable", "", style::Child | style::Visible, 0, {0, 0, 50, 50}, window);
        EXPECT_FALSE(setFocus(window));  // nothing had it
        EXPECT_EQ(setFocus(child), window);
    });
    EXPECT_EQ(probe.count(MessageId::KillFocus), 1);
    EXPECT_EQ(other.count(MessageId::SetFocus), 1);
    driver.keyPress('A');
    ASSERT_EQ(other.count(MessageId::KeyDown), 1);
    EXPECT_EQ(other.of(MessageId::KeyDown)[0].itemId, 'A');
    ASSERT_EQ(other.count(MessageId::Char), 1);
    EXPECT_EQ(other.of(MessageId::Char)[0].itemId, 'a');
    EXPECT_EQ(other.count(MessageId::KeyUp), 1);
    EXPECT_EQ(probe.count(MessageId::KeyDown), 0);
}

TEST_F(WindowTest, TheClassCursorIsSetWhenTheMouseMovesOverTheClient) {
    WindowHandle w;
    CursorHandle own;
    driver.call([&] {
        CursorPlane andPlane;
        CursorPlane xorPlane{};
        andPlane.fill(0xFF);
        own = createCursor({1, 1}, andPlane, xorPlane);
        WindowClass cls = testing::plainClass("withcursor", rgb(0, 0, 0), own);
        registerClass(cls);
        w = createWindow("withcursor", "", style::Popup | style::Visible, 0, {600, 600, 700, 700});
        setCursor(loadSystemCursor(SystemCursor::Wait));
    });
    driver.mouseMove({650, 650});
    EXPECT_EQ(currentCursor(), own);
    driver.mouseMove(client(5, 5));  // the probe class has no cursor: it stays
    EXPECT_EQ(currentCursor(), own);
    driver.mouseMove({kWindowRect.left + 60, kWindowRect.top + 5});  // the caption: arrow
    EXPECT_TRUE(isSystemCursor(currentCursor(), SystemCursor::Arrow));
    EXPECT_EQ(cursorPosition(), (Point{kWindowRect.left + 60, kWindowRect.top + 5}));
}

TEST_F(WindowTest, FindingWindowsByClassAndTitle) {
    EXPECT_EQ(driver.findWindow("PROBE"), window);
    EXPECT_EQ(driver.findWindow("probe", "Probe"), window);
    EXPECT_FALSE(driver.findWindow("probe", "Other"));
    EXPECT_EQ(className(window), "probe");
    ASSERT_EQ(driver.windows().size(), 1u);
}

TEST_F(WindowTest, BadArgumentsFailHarmlessly) {
    driver.call([&] {
        EXPECT_FALSE(createWindow("probe", "", style::Popup, 0, {10, 10, 0, 0}));  // inverted rectangle
        EXPECT_FALSE(createWindow("probe", "", style::Child, 0, {0, 0, 5, 5}, WindowHandle{12345}));
        WindowHandle stale{12345};
        EXPECT_FALSE(setTimer(stale, 1, 100));
        EXPECT_FALSE(invalidate(stale));
        EXPECT_FALSE(setWindowText(stale, "x"));
        EXPECT_FALSE(setWindowShape(stale, Region()));
        EXPECT_EQ(windowRect(stale), Rect{});
        EXPECT_FALSE(destroyWindow(stale));
        EXPECT_EQ(dispatchMessage(Message(MessageId::Paint)), 0);  // no window
        // A negative size is taken as empty; the window still exists and can grow again.
        EXPECT_TRUE(setWindowPos(window, Placement::sized({-5, -5})));
        EXPECT_EQ(windowRect(window).width(), 0);
        EXPECT_TRUE(clientRect(window).isEmpty());
        EXPECT_TRUE(driver.image(window).isEmpty());
        EXPECT_TRUE(setWindowPos(window, Placement::sized({200, 100})));
        EXPECT_EQ(clientBitmap(window).width(), 200 - 2 * kFrameBorder);
        // A tiny timer period is raised to 10 ms.
        EXPECT_TRUE(setTimer(window, 3, 0));
    });
    driver.advance(35);
    EXPECT_EQ(probe.count(MessageId::Timer), 3);
}

}  // namespace
}  // namespace winsys
