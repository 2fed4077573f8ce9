#include "render/cursors.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tamblo {
namespace {

int blackPixels(const CursorPlanes& p) {
    winsys::CursorShape shape;
    shape.andPlane = p.andPlane;
    shape.xorPlane = p.xorPlane;
    int n = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) n += winsys::cursorPixel(shape, x, y) == winsys::CursorPixel::Black ? 1 : 0;
    return n;
}

class Cursors : public ::testing::Test {
protected:
    void SetUp() override { set.createAll(); }
    void TearDown() override { set.destroyAll(); }
    CursorSet set;
};

TEST(CursorPlanesTest, ShapesAndHotSpots) {
    struct Case {
        int index;
        winsys::Point hot;
        bool emptyXor;
    };
    for (const Case& k : {Case{0, {16, 16}, true}, Case{1, {1, 1}, false}, Case{6, {1, 1}, false},
                          Case{9, {16, 16}, true}, Case{10, {15, 22}, true}}) {
        CursorPlanes p;
        ASSERT_TRUE(ownCursorPlanes(k.index, p)) << k.index;
        EXPECT_EQ(p.hotSpot, k.hot) << k.index;
        bool xorEmpty = std::all_of(p.xorPlane.begin(), p.xorPlane.end(), [](auto b) { return b == 0; });
        EXPECT_EQ(xorEmpty, k.emptyXor) << k.index;
        EXPECT_GT(blackPixels(p), 30) << k.index;
    }
    CursorPlanes p;
    EXPECT_FALSE(ownCursorPlanes(7, p));
    EXPECT_FALSE(ownCursorPlanes(8, p));
    EXPECT_FALSE(ownCursorPlanes(11, p));
    EXPECT_FALSE(ownCursorPlanes(-1, p));
}

TEST(CursorPlanesTest, DigitCursorsDiffer) {
    CursorPlanes a, b;
    for (int d = 1; d < 6; ++d) {
        ownCursorPlanes(d, a);
        ownCursorPlanes(d + 1, b);
        EXPECT_NE(a.andPlane, b.andPlane) << d;
    }
}

TEST(CursorPlanesTest, CrossCentreIsBlackCornersClear) {
    CursorPlanes p;
    ownCursorPlanes(0, p);
    winsys::CursorShape shape;
    shape.andPlane = p.andPlane;
    shape.xorPlane = p.xorPlane;
    EXPECT_EQ(winsys::cursorPixel(shape, 16, 16), winsys::CursorPixel::Black);
    EXPECT_EQ(winsys::cursorPixel(shape, 16, 2), winsys::CursorPixel::Transparent);
}

TEST_F(Cursors, AllElevenExist) {
    for (int i = 0; i < kCursorCount; ++i) EXPECT_TRUE(set.handle(i)) << i;
    EXPECT_TRUE(winsys::isSystemCursor(set.handle(kCursorWait), winsys::SystemCursor::Wait));
    EXPECT_TRUE(winsys::isSystemCursor(set.handle(kCursorArrow), winsys::SystemCursor::Arrow));
    const winsys::CursorShape* burst = winsys::cursorShape(set.handle(kCursorBurst));
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(burst->hotSpot, (winsys::Point{15, 22}));
}

TEST_F(Cursors, ChoiceOrder) {
    struct Case {
        int busy;
        bool rules, hover, erase;
        int number;
        int expected;
    };
    const Case cases[] = {
        {1, true, true, true, 3, kCursorWait},   {0, true, true, true, 3, kCursorArrow},
        {0, false, true, true, 3, kCursorHexagon}, {0, false, false, true, 3, kCursorBurst},
        {0, false, false, false, 3, 3},           {0, false, false, false, 0, kCursorErase},
        {0, false, false, false, 9, kCursorErase},
    };
    for (const Case& k : cases) {
        CursorSet s;
        s.conditions = {k.rules, k.hover, k.erase, k.number};
        for (int i = 0; i < k.busy; ++i) s.enterBusy();
        EXPECT_EQ(s.chosenIndex(), k.expected);
    }
}

TEST_F(Cursors, ChooseOnlyWhenChangedUnlessForced) {
    set.conditions.selectedNumber = 4;
    set.choose(false);
    EXPECT_EQ(set.lastIndex(), 4);
    EXPECT_EQ(winsys::currentCursor(), set.handle(4));
    int sets = set.setCount();
    set.choose(false);
    EXPECT_EQ(set.setCount(), sets);
    set.choose(true);
    EXPECT_EQ(set.setCount(), sets + 1);
}

TEST_F(Cursors, BusyNestsAndNeverGoesNegative) {
    set.conditions.selectedNumber = 2;
    set.choose(true);
    set.enterBusy();
    set.enterBusy();
    EXPECT_EQ(set.busyCount(), 2);
    EXPECT_EQ(winsys::currentCursor(), set.handle(kCursorWait));
    set.leaveBusy();
    EXPECT_EQ(winsys::currentCursor(), set.handle(kCursorWait));
    int sets = set.setCount();
    set.leaveBusy();
    EXPECT_EQ(set.busyCount(), 0);
    EXPECT_EQ(winsys::currentCursor(), set.handle(2));
    EXPECT_EQ(set.setCount(), sets + 1);
    set.leaveBusy();
    set.leaveBusy();
    EXPECT_EQ(set.busyCount(), 0);
    EXPECT_EQ(set.setCount(), sets + 1);
    set.enterBusy();
    EXPECT_EQ(set.busyCount(), 1);
    EXPECT_EQ(winsys::currentCursor(), set.handle(kCursorWait));
}

TEST_F(Cursors, DestroyKeepsSystemCursors) {
    winsys::CursorHandle own = set.handle(1);
    set.destroyAll();
    EXPECT_FALSE(set.handle(1));
    EXPECT_EQ(winsys::cursorShape(own), nullptr);
    EXPECT_TRUE(set.handle(kCursorWait));
}

}  // namespace
}  // namespace tamblo
