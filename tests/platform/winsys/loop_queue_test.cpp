// The message loop: order of messages, paints, timers, quit.
#include "platform/winsys/backend.h"
#include "platform/winsys/services.h"
#include "tests/platform/winsys/window_test_support.h"

#include <gtest/gtest.h>

namespace winsys {
namespace {

using headless::Driver;
using headless::DriverOptions;
using testing::makeWindow;
using testing::Probe;
using testing::user;

class LoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver.startLoop();
        driver.call([&] { ASSERT_TRUE(probe.registerAs("probe")); });
        window = makeWindow(driver, "probe", {100, 100, 400, 300});
        ASSERT_TRUE(window);
        probe.clear();
    }
    Driver driver;
    Probe probe;
    WindowHandle window;
};

TEST_F(LoopTest, PostedMessagesArriveInOrderAcrossWindows) {
    Probe other;
    driver.call([&] { other.registerAs("other"); });
    WindowHandle second = makeWindow(driver, "other", {500, 100, 700, 300});
    other.clear();
    std::vector<std::pair<int, int>> arrivals;  // (window, n)
    auto record = [&](int which) {
        return [&, which](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
            if (m.id >= MessageId::User) arrivals.push_back({which, static_cast<int>(m.id) - static_cast<int>(MessageId::User)});
            return std::nullopt;
        };
    };
    probe.hook = record(1);
    other.hook = record(2);
    driver.call([&] {
        postMessage(window, Message(user(1)));
        postMessage(second, Message(user(2)));
        postMessage(window, Message(user(3)));
        postMessage(second, Message(user(4)));
    });
    std::vector<std::pair<int, int>> expected{{1, 1}, {2, 2}, {1, 3}, {2, 4}};
    EXPECT_EQ(arrivals, expected);
}

TEST_F(LoopTest, MouseInputTakesItsPlaceAfterWhatWasQueuedBefore) {
    driver.call([&] {
        postMessage(window, Message(user(1)));
        driver.mouseMove(clientToScreen(window, {7, 8}));
        postMessage(window, Message(user(2)));
    });
    std::vector<MessageId> ids;
    for (const Message& m : probe.log) ids.push_back(m.id);
    std::vector<MessageId> expected{user(1), user(2), MessageId::SetCursor, MessageId::MouseMove};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(probe.log.back().point, (Point{7, 8}));
}

TEST_F(LoopTest, SeveralInvalidationsGiveOnePaintAfterTheQueuedMessages) {
    driver.call([&] {
        invalidate(window);
        invalidate(window, Rect{0, 0, 10, 10});
        postMessage(window, Message(user(1)));
        invalidate(window);
        postMessage(window, Message(user(2)));
    });
    std::vector<MessageId> expected{user(1), user(2), MessageId::Paint, MessageId::EraseBackground};
    EXPECT_EQ(probe.ids(), expected);
    EXPECT_FALSE(isInvalid(window));
}

TEST_F(LoopTest, PaintGivesAContextOnTheClientBitmap) {
    probe.paintColour = rgb(10, 200, 10);
    driver.call([&] { invalidate(window); });
    EXPECT_EQ(clientBitmap(window).pixel(5, 5), rgb(10, 200, 10));
    ComposedImage image = driver.image(window);
    Point off = clientOffset(window);
    EXPECT_EQ(image.colour(off.x + 5, off.y + 5), rgb(10, 200, 10));
}

TEST_F(LoopTest, AHiddenWindowIsPaintedOnlyOnceShown) {
    driver.call([&] {
        showWindow(window, ShowCommand::Hide);
        invalidate(window);
    });
    EXPECT_EQ(probe.count(MessageId::Paint), 0);
    driver.call([&] { showWindow(window, ShowCommand::Show); });
    EXPECT_EQ(probe.count(MessageId::Paint), 1);
}

TEST_F(LoopTest, UpdateWindowPaintsAtOnce) {
    bool paintedInside = false;
    driver.call([&] {
        invalidate(window);
        updateWindow(window);
        paintedInside = probe.count(MessageId::Paint) == 1;
    });
    EXPECT_TRUE(paintedInside);
    EXPECT_EQ(probe.count(MessageId::Paint), 1);
}

TEST_F(LoopTest, TimerFiresEvery200MsOfVirtualTime) {
    std::uint32_t start = driver.now();
    driver.call([&] { ASSERT_TRUE(setTimer(window, 1, 200)); });
    driver.advance(199);
    EXPECT_EQ(probe.count(MessageId::Timer), 0);
    driver.advance(1001);  // up to 1200 ms
    std::vector<Message> timers = probe.of(MessageId::Timer);
    ASSERT_EQ(timers.size(), 6u);
    for (std::size_t i = 0; i < timers.size(); ++i) {
        EXPECT_EQ(timers[i].itemId, 1);
        EXPECT_EQ(timers[i].time - start, 200u * (i + 1));
    }
    driver.call([&] { EXPECT_TRUE(killTimer(window, 1)); });
    driver.advance(1000);
    EXPECT_EQ(probe.count(MessageId::Timer), 6);
    driver.call([&] { EXPECT_FALSE(killTimer(window, 1)); });
}

TEST_F(LoopTest, TwoTimersInterleaveByDueTime) {
    std::vector<int> order;
    probe.hook = [&](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
        if (m.id == MessageId::Timer) order.push_back(m.itemId);
        return std::nullopt;
    };
    driver.call([&] {
        setTimer(window, 1, 300);
        setTimer(window, 2, 200);
    });
    driver.advance(600);
    // 200: 2, 300: 1, 400: 2, 600: both, the one set first first.
    EXPECT_EQ(order, std::vector<int>({2, 1, 2, 1, 2}));
}

TEST_F(LoopTest, TimersKeepTheirPeriodAcrossTheClockWrap) {
    Driver wrapped(testing::startingAt(0xFFFFFF00u));
    Probe p;
    wrapped.startLoop();
    wrapped.call([&] { p.registerAs("probe"); });
    WindowHandle w = makeWindow(wrapped, "probe", {0, 0, 100, 100});
    wrapped.call([&] { setTimer(w, 7, 200); });
    wrapped.advance(1000);
    std::vector<Message> timers = p.of(MessageId::Timer);
    ASSERT_EQ(timers.size(), 5u);
    EXPECT_EQ(timers[0].time, 0xFFFFFFC8u);
    EXPECT_EQ(timers[1].time, 0x00000090u);  // past the wrap
    EXPECT_EQ(timers[4].time - timers[0].time, 800u);
}

TEST_F(LoopTest, QuitEndsTheLoopWithItsCode) {
    probe.hook = [&](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
        if (m.id == user(9)) postQuitMessage(static_cast<int>(m.param1));
        return std::nullopt;
    };
    driver.call([&] { postMessage(window, Message(user(9), 42)); });
    EXPECT_TRUE(driver.hasEnded());
    EXPECT_EQ(driver.exitCode(), 42);
}

TEST_F(LoopTest, MessagesQueuedBeforeTheQuitAreStillDelivered) {
    driver.call([&] {
        postMessage(window, Message(user(1)));
        postQuitMessage(3);
        postMessage(window, Message(user(2)));
    });
    EXPECT_EQ(driver.exitCode(), 3);
    EXPECT_EQ(probe.count(user(1)), 1);
    EXPECT_EQ(probe.count(user(2)), 1);
}

TEST_F(LoopTest, DestroyWindowSendsDestroyToChildrenAndKillsTimers) {
    Probe childProbe;
    WindowHandle child;
    driver.call([&] {
        childProbe.registerAs("childprobe");
        child = createWindow("childprobe", "", style::Child | style::Visible, 0, {10, 10, 50, 50}, window);
        setTimer(window, 1, 100);
        destroyWindow(window);
    });
    EXPECT_EQ(probe.count(MessageId::Destroy), 1);
    EXPECT_EQ(childProbe.count(MessageId::Destroy), 1);
    EXPECT_FALSE(isWindow(window));
    EXPECT_FALSE(isWindow(child));
    EXPECT_FALSE(nextTimerDue().has_value());
    // A stale handle fails harmlessly.
    EXPECT_FALSE(showWindow(window, ShowCommand::Show));
    EXPECT_EQ(sendMessage(window, Message(user(1))), 0);
    EXPECT_FALSE(postMessage(window, Message(user(1))));
}

TEST_F(LoopTest, CreateAnsweringMinusOneFails) {
    Probe refusing;
    refusing.hook = [](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
        if (m.id == MessageId::Create) return -1;
        return std::nullopt;
    };
    WindowHandle w;
    driver.call([&] {
        refusing.registerAs("refusing");
        w = createWindow("refusing", "", style::Popup, 0, {0, 0, 10, 10});
    });
    EXPECT_FALSE(w);
    EXPECT_EQ(refusing.count(MessageId::Destroy), 1);
}

TEST_F(LoopTest, UnknownClassesAndOrphanChildrenGiveNullHandles) {
    driver.call([&] {
        EXPECT_FALSE(createWindow("nosuchclass", "", style::Popup, 0, {0, 0, 10, 10}));
        EXPECT_FALSE(createWindow("probe", "", style::Child, 0, {0, 0, 10, 10}, WindowHandle{}));
        EXPECT_FALSE(registerClass(testing::plainClass("PROBE")));
        EXPECT_FALSE(registerClass(testing::plainClass("Button")));
        EXPECT_FALSE(registerClass(testing::plainClass("")));
    });
}

TEST(LoopWithoutDriver, AWaitingLoopWithNothingToComeEnds) {
    shutdown();
    WindowClass cls = testing::plainClass("lonely");
    ASSERT_TRUE(registerClass(cls));
    WindowHandle w = createWindow("lonely", "", style::Popup | style::Visible, 0, {0, 0, 10, 10});
    ASSERT_TRUE(w);
    setTimer(w, 1, 200);
    EXPECT_EQ(runMessageLoop(), 0);
    Message m;
    EXPECT_FALSE(peekMessage(m));
    EXPECT_EQ(m.id, MessageId::None);
    shutdown();
}

}  // namespace
}  // namespace winsys
