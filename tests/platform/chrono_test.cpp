#include "platform/chrono.h"

#include <gtest/gtest.h>

#include "platform/winsys/backend.h"
#include "platform/winsys/headless/headless_backend.h"

namespace tamblo {
namespace {

class ChronoTest : public ::testing::Test {
protected:
    void SetUp() override { winsys::useBackend(&clock_); }
    void TearDown() override { winsys::useBackend(nullptr); }
    std::string shown(Chrono& c) {
        DynString s;
        c.format(s);
        return s.str();
    }
    winsys::headless::HeadlessBackend clock_;
};

TEST_F(ChronoTest, FormatsEveryRange) {
    struct Case {
        std::uint32_t seconds;
        const char* text;
    };
    const Case cases[] = {{0, "0s"},          {5, "5s"},           {59, " 59s"},        {60, "1mn 00s"},
                          {605, "10mn 05s"},  {3725, "1h 02mn"},   {90000, "25h 00mn"}, {125, "2mn 05s"}};
    for (const Case& c : cases) {
        Chrono chrono;
        chrono.addSeconds(c.seconds);  // a restored time, without any resume
        EXPECT_EQ(shown(chrono), c.text) << c.seconds;
    }
}

TEST_F(ChronoTest, EachRunIsTruncatedSeparately) {
    Chrono c;
    c.resume();
    clock_.advanceTicks(1600);
    c.pause();
    c.resume();
    clock_.advanceTicks(1700);
    EXPECT_EQ(c.elapsedSeconds(), 2u);  // counts the current run without stopping it
    EXPECT_TRUE(c.isRunning());
    c.pause();
    EXPECT_EQ(c.elapsedSeconds(), 2u);
    EXPECT_EQ(c.totalTenths, 33u);
    c.pause();  // stopped: nothing
    clock_.advanceTicks(5000);
    EXPECT_EQ(c.elapsedSeconds(), 2u);
    c.resume();
    clock_.advanceTicks(2500);
    c.resume();  // a resume while running folds the run in and drops its fraction
    clock_.advanceTicks(600);
    EXPECT_EQ(c.elapsedSeconds(), 4u);
    c.reset();
    EXPECT_EQ(c.elapsedSeconds(), 0u);
    EXPECT_FALSE(c.isRunning());
}

TEST_F(ChronoTest, ARunAcrossTheClockWrapMeasuresCorrectly) {
    clock_.setTicks(0xFFFFFFFFu - 1500);
    Chrono c;
    c.resume();
    clock_.advanceTicks(4000);
    EXPECT_LT(clock_.ticks(), 3000u);
    EXPECT_EQ(c.elapsedSeconds(), 4u);
    c.pause();
    EXPECT_EQ(shown(c), "4s");
}

}  // namespace
}  // namespace tamblo
