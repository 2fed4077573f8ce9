#include "render/back_buffer.h"

#include <gtest/gtest.h>

#include "render/canvas.h"
#include "render/region_holder.h"

namespace tamblo {
namespace {

TEST(ClientSize, HalvesTruncate) {
    ClientSize s;
    s.set(801, 601);
    EXPECT_EQ(s.halfWidth, 400);
    EXPECT_EQ(s.halfHeight, 300);
}

TEST(BackBuffer, BaseIsTheBackgroundColourFramedInBlack) {
    ClientSize client;
    client.set(40, 30);
    BackBuffer buffer(client);
    EXPECT_TRUE(buffer.resize());
    ASSERT_TRUE(buffer.hasBase());
    EXPECT_FALSE(buffer.hasBackground());
    EXPECT_EQ(buffer.base().size(), (winsys::Size{40, 30}));
    EXPECT_EQ(buffer.base().pixel(20, 15), 0xFFFF00u);
    EXPECT_EQ(buffer.base().pixel(0, 15), 0x000000u);
    EXPECT_EQ(buffer.base().pixel(39, 29), 0x000000u);
    EXPECT_TRUE(sharedBrush().handle().isNull());
}

TEST(BackBuffer, ResizeKeepsOrDropsTheBitmaps) {
    ClientSize client;
    client.set(50, 40);
    BackBuffer buffer(client);
    buffer.makeWorking();
    winsys::Bitmap base = buffer.base(), background = buffer.background(), working = buffer.working();

    EXPECT_FALSE(buffer.resize());
    EXPECT_TRUE(buffer.base() == base);
    EXPECT_TRUE(buffer.background() == background);
    EXPECT_TRUE(buffer.working() == working);

    client.set(60, 40);
    EXPECT_TRUE(buffer.resize());
    EXPECT_TRUE(buffer.hasBase());
    EXPECT_FALSE(buffer.base() == base);
    EXPECT_FALSE(buffer.hasBackground());
    EXPECT_FALSE(buffer.hasWorking());
    EXPECT_EQ(buffer.width(), 60);
}

TEST(BackBuffer, WorkingFromNothingBuildsAllThree) {
    ClientSize client;
    client.set(20, 10);
    BackBuffer buffer(client);
    buffer.makeWorking();
    EXPECT_TRUE(buffer.hasBase());
    EXPECT_TRUE(buffer.hasBackground());
    EXPECT_TRUE(buffer.hasWorking());
    EXPECT_TRUE(buffer.working().samePixels(buffer.base()));
}

TEST(BackBuffer, DroppingCascades) {
    ClientSize client;
    client.set(20, 10);
    BackBuffer buffer(client);
    buffer.makeWorking();
    buffer.dropWorking();
    EXPECT_TRUE(buffer.hasBackground());
    buffer.makeWorking();
    buffer.dropBackground();
    EXPECT_TRUE(buffer.hasBase());
    EXPECT_FALSE(buffer.hasWorking());
    buffer.makeWorking();
    buffer.dropBase();
    EXPECT_FALSE(buffer.hasBase() || buffer.hasBackground() || buffer.hasWorking());
}

TEST(BackBuffer, BackgroundPassRunsOnlyWhenRebuilt) {
    ClientSize client;
    client.set(30, 20);
    BackBuffer buffer(client);
    winsys::Bitmap window = winsys::Bitmap::create(30, 20);
    winsys::DeviceContext windowDc(window);
    Canvas canvas;
    canvas.attach(&windowDc, "ecran");
    int backgrounds = 0, contents = 0;
    PaintPasses passes{[&](Canvas& c) {
                           ++backgrounds;
                           c.setOrigin(0, 0);
                           c.pen(1, 0x0000FF);
                           c.line(-15, 0, 15, 0);
                       },
                       [&](Canvas& c) {
                           ++contents;
                           c.pen(1, 0x00FF00);
                           c.line(0, -10, 0, 10);
                       }};
    EXPECT_TRUE(paintThroughBackBuffer(buffer, canvas, windowDc, passes));
    EXPECT_FALSE(paintThroughBackBuffer(buffer, canvas, windowDc, passes));
    EXPECT_EQ(backgrounds, 1);
    EXPECT_EQ(contents, 2);
    // The background line stays in the background bitmap; the contents reach only the window.
    EXPECT_EQ(buffer.background().pixel(5, 10), 0x0000FFu);
    EXPECT_EQ(buffer.background().pixel(15, 5), 0xFFFF00u);
    EXPECT_EQ(window.pixel(15, 5), 0x00FF00u);
    EXPECT_EQ(window.pixel(5, 10), 0x0000FFu);
    EXPECT_EQ(canvas.deviceContext(), &windowDc);

    buffer.dropBackground();
    EXPECT_TRUE(paintThroughBackBuffer(buffer, canvas, windowDc, passes));
    EXPECT_EQ(backgrounds, 2);
}

TEST(RegionHolder, OffsetWithoutWindow) {
    RegionHolder holder;
    EXPECT_EQ(holder.clientOffsetX(), 6);
    EXPECT_EQ(holder.clientOffsetY(), 32);
    EXPECT_TRUE(holder.hasRegion());
    EXPECT_TRUE(holder.region().isEmpty());
}

TEST(RegionHolder, OffsetOfACaptionWindow) {
    winsys::WindowClass cls;
    cls.name = "RenderRegionProbe";
    cls.procedure = [](winsys::WindowHandle w, const winsys::Message& m) { return winsys::defaultProcedure(w, m); };
    ASSERT_TRUE(winsys::isClassRegistered(cls.name) || winsys::registerClass(cls));
    winsys::WindowHandle window =
        winsys::createWindow(cls.name, "probe", winsys::style::CaptionWindow, 0, {100, 100, 400, 300});
    ASSERT_TRUE(window);
    RegionHolder holder(window);
    winsys::Point expected = winsys::clientOffset(window);
    EXPECT_EQ(holder.clientOffsetX(), expected.x);
    EXPECT_EQ(holder.clientOffsetY(), expected.y);
    EXPECT_GT(holder.clientOffsetY(), holder.clientOffsetX());
    winsys::destroyWindow(window);
}

TEST(RegionHolder, ShapesCombine) {
    RegionHolder holder;
    holder.addRectangle(0, 0, 10, 10);
    holder.addEllipse(30, 5, 10, 10);
    winsys::Point triangle[4] = {{50, 0}, {60, 0}, {50, 10}, {50, 0}};
    holder.addPolygon(triangle, 4);
    EXPECT_TRUE(holder.region().contains(9, 9));
    EXPECT_FALSE(holder.region().contains(10, 10));
    EXPECT_TRUE(holder.region().contains(30, 5));
    EXPECT_FALSE(holder.region().contains(25, 0));
    EXPECT_TRUE(holder.region().contains(51, 1));
    EXPECT_FALSE(holder.region().contains(59, 9));

    holder.intersectWith(winsys::Region::rectangle(0, 0, 20, 20));
    EXPECT_TRUE(holder.region().contains(5, 5));
    EXPECT_FALSE(holder.region().contains(30, 5));

    RegionHolder other;
    other.addRectangle(100, 100, 1, 1);
    holder.addRegion(other.region());
    EXPECT_TRUE(holder.region().contains(100, 100));

    holder.deleteRegion();
    EXPECT_FALSE(holder.hasRegion());
    holder.makeEmpty();
    EXPECT_TRUE(holder.hasRegion());
    EXPECT_TRUE(holder.region().isEmpty());
}

}  // namespace
}  // namespace tamblo
