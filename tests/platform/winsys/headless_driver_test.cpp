// The headless backend and its driver: virtual clock, beeps, screen, images, program runs.
#include "platform/winsys/backend.h"
#include "platform/winsys/message_box.h"
#include "platform/winsys/services.h"
#include "tests/platform/winsys/window_test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace winsys {
namespace {

using headless::BeepRecord;
using headless::Driver;
using headless::DriverOptions;
using testing::makeWindow;
using testing::Probe;

TEST(HeadlessClockTest, BeepsAreRecordedWithTheirTimesAndTakeTheirTime) {
    Driver driver(testing::startingAt(1000));
    driver.start([] {
        beep(800, 5);
        beep(1200, 5);
        sleepMs(100);
        beep(200, 50);
        EXPECT_FALSE(beep(20, 100));     // below the audible range: refused at once
        EXPECT_FALSE(beep(40000, 100));
        return 0;
    });
    std::vector<BeepRecord> expected{{800, 5, 1000}, {1200, 5, 1005}, {200, 50, 1110}};
    EXPECT_EQ(driver.beeps(), expected);
    EXPECT_EQ(driver.now(), 1160u);
    EXPECT_EQ(driver.exitCode(), 0);
}

TEST(HeadlessClockTest, AdvancingMovesTheClockOnly) {
    Driver driver;
    driver.startLoop();
    std::uint32_t before = tickCount();
    driver.advance(12345);
    EXPECT_EQ(tickCount() - before, 12345u);
    EXPECT_TRUE(driver.isRunning());
}

TEST(HeadlessClockTest, TheTickCountWrapsAndDifferencesStayRight) {
    Driver driver(testing::startingAt(0xFFFFFFF0u));
    std::uint32_t start = tickCount();
    driver.advance(0x20);
    EXPECT_EQ(tickCount(), 0x10u);
    EXPECT_EQ(tickCount() - start, 0x20u);
}

TEST(HeadlessScreenTest, DefaultAndConfiguredScreens) {
    {
        Driver driver;
        EXPECT_EQ(screenSize(), (Size{1280, 1024}));
        Rect area = workArea();
        EXPECT_EQ(area.width(), 1280);
        EXPECT_LT(area.height(), 1024);
    }
    {
        Driver driver(testing::withScreen({800, 600}));
        EXPECT_EQ(screenSize(), (Size{800, 600}));
        driver.backend().setScreenSize({1920, 1080}, Rect{0, 30, 1920, 1080});
        EXPECT_EQ(screenSize(), (Size{1920, 1080}));
        EXPECT_EQ(workArea(), (Rect{0, 30, 1920, 1080}));
    }
}

TEST(HeadlessProgramTest, AProgramRunsUntilItsLoopEndsAndGivesItsExitCode) {
    Driver driver;
    Probe probe;
    driver.start([&] {
        probe.registerAs("app");
        WindowHandle w = createWindow("app", "App", style::CaptionWindow | style::Visible, 0, {60, 60, 360, 260});
        probe.hook = [](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
            if (m.id == MessageId::Destroy) postQuitMessage(9);
            return std::nullopt;
        };
        (void)w;
        return runMessageLoop();
    });
    EXPECT_TRUE(driver.isRunning());
    WindowHandle app = driver.findWindow("app", "App");
    ASSERT_TRUE(app);
    EXPECT_EQ(driver.windows(), std::vector<WindowHandle>{app});
    Rect close = closeBoxRect(sizeOf(windowRect(app)), windowStyle(app));
    driver.leftClick({60 + close.left + 3, 60 + close.top + 3});
    EXPECT_TRUE(driver.hasEnded());
    EXPECT_EQ(driver.exitCode(), 9);
    // Actions after the end do nothing harmful.
    driver.leftClick({100, 100});
    driver.advance(100);
}

TEST(HeadlessProgramTest, AForcedStopUnwindsAProgramWaitingInABox) {
    BoxResult seen = BoxResult::None;
    bool returned = false;
    {
        Driver driver;
        driver.start([&] {
            seen = messageBox({}, "Quit?", "T", BoxStyle{BoxButtons::YesNo, BoxIcon::Stop, 1, true});
            runMessageLoop();
            returned = true;
            return 4;
        });
        ASSERT_TRUE(driver.currentBox());
        driver.stop();
        EXPECT_TRUE(driver.hasEnded());
        EXPECT_EQ(driver.exitCode(), 4);
    }
    EXPECT_TRUE(returned);
    EXPECT_EQ(seen, BoxResult::No);
}

TEST(HeadlessProgramTest, TheDriversEndStopsARunningProgram) {
    bool returned = false;
    {
        Driver driver;
        driver.start([&] {
            runMessageLoop();
            returned = true;
            return 0;
        });
    }
    EXPECT_TRUE(returned);
    // The layer is fresh for the next one.
    Driver next;
    EXPECT_TRUE(topLevelWindows().empty());
    EXPECT_FALSE(stopRequested());
}

TEST(HeadlessImageTest, AWindowsImageIsWrittenAsPng) {
    Driver driver;
    Probe probe;
    probe.paintColour = rgb(0, 128, 255);
    driver.startLoop();
    driver.call([&] { probe.registerAs("pic"); });
    WindowHandle w = makeWindow(driver, "pic", {10, 10, 110, 90});
    driver.call([&] { setWindowShape(w, Region::rectangle(Rect{0, 0, 50, 80})); });
    std::string path = std::string(TAMBLO_TEST_OUTPUT_DIR) + "/winsys_headless_window.png";
    ASSERT_TRUE(driver.writePng(w, path));
    Bitmap back = Bitmap::readPng(path);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), (Size{100, 80}));
    ComposedImage image = driver.image(w);
    Point off = clientOffset(w);
    EXPECT_EQ(back.pixel(off.x + 10, off.y + 10), rgb(0, 128, 255));
    EXPECT_EQ(back.pixel(off.x + 10, off.y + 10), image.colour(off.x + 10, off.y + 10));
    EXPECT_FALSE(image.isOpaque(70, 40));
    EXPECT_FALSE(driver.writePng(WindowHandle{}, path + ".none"));
}

TEST(HeadlessImageTest, TheScreenShowsTheDesktopWhereNoWindowIs) {
    Driver driver(testing::withScreen({400, 300}));
    Probe probe;
    driver.startLoop();
    driver.call([&] { probe.registerAs("pic"); });
    makeWindow(driver, "pic", {100, 100, 200, 200}, style::Popup | style::Visible);
    ComposedImage screen = driver.screen(rgb(1, 2, 3));
    EXPECT_EQ(screen.width(), 400);
    EXPECT_EQ(screen.colour(50, 50), rgb(1, 2, 3));
    EXPECT_EQ(screen.colour(150, 150), probe.paintColour);
}

TEST(HeadlessBackendTest, NamesAndSelection) {
    EXPECT_TRUE(isBackendAvailable("headless"));
    EXPECT_FALSE(isBackendAvailable("nonsense"));
    const char* argv[] = {"prog", "a", "b c"};
    EXPECT_FALSE(start("nonsense", 3, argv));
    ASSERT_TRUE(start("headless", 3, argv));
    EXPECT_EQ(backend().name(), "headless");
    EXPECT_EQ(commandLine(), "a b c");
    shutdown();
}

TEST(HeadlessBackendTest, AProgramChoosingItsBackendUnderTheDriverKeepsTheDrivers) {
    Driver driver;
    driver.start([&] {
        const char* argv[] = {"Tamblo-demo126", "killexe=old"};
        EXPECT_TRUE(start("sdl", 2, argv));
        EXPECT_EQ(&backend(), &driver.backend());
        return commandLine() == "killexe=old" ? 0 : 1;
    });
    EXPECT_EQ(driver.exitCode(), 0);
}

}  // namespace
}  // namespace winsys

namespace winsys {
namespace {

// What a display backend gets: the composed image of a changed window, once, before the loop
// sleeps; nothing while nothing changes; again after an expose.
TEST(HeadlessPresentTest, ChangedWindowsArePresentedBeforeTheLoopSleeps) {
    Driver driver;
    driver.backend().recordPresents(true);
    Probe probe;
    driver.startLoop();
    driver.call([&] { probe.registerAs("pic"); });
    WindowHandle w = makeWindow(driver, "pic", {10, 10, 110, 90}, style::Popup | style::Visible);
    const auto& presents = driver.backend().presents();
    ASSERT_FALSE(presents.empty());
    EXPECT_EQ(presents.back().window, w);
    EXPECT_EQ(presents.back().rect, (Rect{10, 10, 110, 90}));
    EXPECT_EQ(presents.back().image.colour(5, 5), probe.paintColour);
    std::size_t count = presents.size();
    driver.advance(1000);
    driver.mouseMove({500, 500});
    EXPECT_EQ(presents.size(), count);  // nothing changed
    probe.paintColour = rgb(1, 2, 3);
    driver.call([&] { invalidate(w); });
    ASSERT_EQ(presents.size(), count + 1);
    EXPECT_EQ(presents.back().image.colour(5, 5), rgb(1, 2, 3));
    InputEvent expose;
    expose.kind = InputEvent::Kind::Expose;
    expose.window = w;
    driver.backend().pushEvent(expose);
    driver.settle();
    EXPECT_EQ(presents.size(), count + 2);
    // Moves are told as changes; hidden windows are not presented.
    driver.call([&] {
        setWindowPos(w, Placement::at({40, 40}));
        showWindow(w, ShowCommand::Hide);
    });
    EXPECT_EQ(presents.size(), count + 2);
    EXPECT_GE(std::count(driver.backend().changes().begin(), driver.backend().changes().end(), w), 2);
}

}  // namespace
}  // namespace winsys
