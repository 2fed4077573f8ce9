// Regions: exact pixel sets from shapes, their combinations, masks and bad input.
#include "platform/winsys/region.h"
#include "platform/winsys/draw.h"
#include "tests/platform/winsys/draw_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace winsys {
namespace {

using testing::insideEllipse;
using testing::insidePolygon;

const Rect kRect{10, 15, 60, 50};
const Rect kEllipseBox{40, 5, 100, 65};
const std::vector<Point> kPolygon{{30, 40}, {110, 30}, {70, 95}, {5, 80}};

bool inRect(int x, int y) { return kRect.contains(Point{x, y}); }
bool inEllipse(int x, int y) { return insideEllipse(kEllipseBox, x, y); }
bool inPolygon(int x, int y) { return insidePolygon(kPolygon, x, y); }

// Every pixel of a window around the shapes (and a margin) against the predicate.
void expectPixels(const Region& r, const std::function<bool(int, int)>& expected, const char* what) {
    int count = 0;
    for (int y = -10; y < 110; ++y) {
        for (int x = -10; x < 130; ++x) {
            const bool e = expected(x, y);
            count += e ? 1 : 0;
            ASSERT_EQ(r.contains(x, y), e) << what << " at " << x << "," << y;
        }
    }
    EXPECT_EQ(r.pixelCount(), count) << what;
}

TEST(winsys_draw_RegionShapes, EachShapeHoldsExactlyItsPixels) {
    expectPixels(Region::rectangle(kRect), inRect, "rectangle");
    expectPixels(Region::ellipse(kEllipseBox), inEllipse, "ellipse");
    expectPixels(Region::polygon(kPolygon), inPolygon, "polygon");
}

TEST(winsys_draw_RegionCombine, UnionAndIntersectionOfRectangleEllipseAndPolygon) {
    const Region rect = Region::rectangle(kRect), ell = Region::ellipse(kEllipseBox), poly = Region::polygon(kPolygon);
    expectPixels(rect | ell | poly, [](int x, int y) { return inRect(x, y) || inEllipse(x, y) || inPolygon(x, y); }, "union");
    expectPixels(rect & ell & poly, [](int x, int y) { return inRect(x, y) && inEllipse(x, y) && inPolygon(x, y); },
                 "intersection");
    expectPixels((rect | poly) & ell, [](int x, int y) { return (inRect(x, y) || inPolygon(x, y)) && inEllipse(x, y); }, "mixed");
    expectPixels(ell - rect, [](int x, int y) { return inEllipse(x, y) && !inRect(x, y); }, "subtraction");
    Region x = rect;
    x.exclusiveOr(poly);
    expectPixels(x, [](int a, int b) { return inRect(a, b) != inPolygon(a, b); }, "exclusive or");
    // The three overlap, so the intersection is not empty.
    EXPECT_FALSE((rect & ell & poly).isEmpty());
}

TEST(winsys_draw_RegionCombine, CombiningWorksInPlaceAndLeavesTheOperandAlone) {
    Region a = Region::rectangle(0, 0, 10, 10);
    const Region b = Region::rectangle(5, 5, 15, 15);
    a.unite(b).intersect(Region::rectangle(0, 0, 12, 12));
    EXPECT_EQ(a.pixelCount(), 100 + 49 - 25);
    EXPECT_EQ(b.pixelCount(), 100);
    Region self = b;
    self.unite(self);
    EXPECT_EQ(self, b);
    self.subtract(self);
    EXPECT_TRUE(self.isEmpty());
}

TEST(winsys_draw_RegionQueries, BoundsRectanglesOffsetAndEquality) {
    const Region u = Region::ellipse(kEllipseBox) | Region::rectangle(kRect);
    const Rect b = u.bounds();
    EXPECT_EQ(b, (Rect{10, 5, 100, 65}));
    // The rectangles are disjoint and cover exactly the region.
    Region rebuilt;
    int area = 0;
    for (const Rect& r : u.rectangles()) {
        EXPECT_FALSE(r.isEmpty());
        EXPECT_TRUE((rebuilt & Region::rectangle(r)).isEmpty());
        rebuilt.unite(Region::rectangle(r));
        area += r.width() * r.height();
    }
    EXPECT_EQ(rebuilt, u);
    EXPECT_EQ(area, u.pixelCount());

    Region moved = u;
    moved.offset(-10, 7);
    EXPECT_EQ(moved.bounds(), (Rect{0, 12, 90, 72}));
    EXPECT_EQ(moved.contains(50 - 10, 30 + 7), u.contains(50, 30));
    EXPECT_FALSE(moved == u);
    moved.offset(10, -7);
    EXPECT_EQ(moved, u);

    EXPECT_EQ(Region().bounds(), (Rect{}));
    EXPECT_TRUE(Region().rectangles().empty());
}

TEST(winsys_draw_RegionQueries, CopiesAreIndependent) {
    Region a = Region::rectangle(0, 0, 4, 4);
    Region b = a;
    b.unite(Region::rectangle(10, 10, 12, 12));
    EXPECT_EQ(a.pixelCount(), 16);
    EXPECT_EQ(b.pixelCount(), 20);
    Region c = std::move(b);
    EXPECT_EQ(c.pixelCount(), 20);
    a = c;
    EXPECT_EQ(a, c);
}

TEST(winsys_draw_RegionMasks, A8AndArgbMasksFollowTheRegion) {
    const Region r = Region::ellipse(2, 1, 10, 7) | Region::rectangle(0, 0, 2, 2);
    const Size size{12, 8};
    const auto a8 = r.maskA8(size);
    const auto argb = r.maskArgb(size);
    ASSERT_EQ(a8.size(), 96u);
    ASSERT_EQ(argb.size(), 96u);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * size.cx + x);
            EXPECT_EQ(a8[i], r.contains(x, y) ? 255 : 0) << x << "," << y;
            EXPECT_EQ(argb[i], r.contains(x, y) ? 0xFFFFFFFFu : 0u) << x << "," << y;
        }
    }
    // With an origin the mask looks at another part of the plane.
    const auto shifted = r.maskA8(Size{4, 4}, Point{4, 2});
    EXPECT_EQ(shifted[0], r.contains(4, 2) ? 255 : 0);
    EXPECT_EQ(shifted[15], r.contains(7, 5) ? 255 : 0);
    EXPECT_TRUE(r.maskA8(Size{0, 5}).empty());
    EXPECT_TRUE(r.maskArgb(Size{-3, 5}).empty());
}

TEST(winsys_draw_RegionDrawing, DrawnFillsMatchRegionsPixelForPixel) {
    // What the window shape holds and what is painted agree.
    Bitmap b = Bitmap::create(130, 110);
    DeviceContext dc{b};
    dc.select(stockNullPen());
    dc.select(Brush::solid(rgb(255, 255, 255)));
    dc.polygon(kPolygon);
    dc.ellipse(kEllipseBox);
    const Region drawn = Region::polygon(kPolygon) | Region::ellipse(kEllipseBox);
    for (int y = 0; y < 110; ++y) {
        for (int x = 0; x < 130; ++x) ASSERT_EQ(b.pixel(x, y) == rgb(255, 255, 255), drawn.contains(x, y)) << x << "," << y;
    }
    // And a fill through a region paints just the region.
    Bitmap c = Bitmap::create(130, 110);
    DeviceContext cdc{c};
    cdc.fillRegion(drawn, Brush::solid(rgb(255, 255, 255)));
    EXPECT_TRUE(c.samePixels(b));
}

TEST(winsys_draw_RegionBadInput, DegenerateAndHugeShapes) {
    EXPECT_TRUE(Region::rectangle(10, 10, 5, 20).isEmpty());
    EXPECT_TRUE(Region::rectangle(10, 10, 10, 20).isEmpty());
    EXPECT_TRUE(Region::ellipse(10, 10, 5, 20).isEmpty());
    EXPECT_TRUE(Region::ellipse(10, 10, 11, 10).isEmpty());
    EXPECT_EQ(Region::ellipse(10, 10, 11, 11).pixelCount(), 1);
    EXPECT_TRUE(Region::polygon(nullptr, 5).isEmpty());
    EXPECT_TRUE(Region::polygon(std::vector<Point>{}).isEmpty());
    EXPECT_TRUE(Region::polygon(std::vector<Point>{{0, 0}, {10, 10}}).isEmpty());
    EXPECT_TRUE(Region::polygon(std::vector<Point>{{0, 0}, {10, 10}, {20, 20}}).isEmpty());  // flat
    const Point three[3] = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_TRUE(Region::polygon(three, -1).isEmpty());
    EXPECT_FALSE(Region::polygon(three, 3).isEmpty());

    // Huge shapes are cut at the limit instead of overflowing.
    const Region big = Region::rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(big.bounds(), (Rect{-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit}));
    const Region tri = Region::polygon(std::vector<Point>{{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}});
    EXPECT_TRUE(tri.contains(0, 0));
    EXPECT_TRUE(Region::ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX).contains(0, 0));
    Region far = Region::rectangle(0, 0, 10, 10);
    far.offset(INT_MAX, INT_MAX);
    EXPECT_TRUE(far.isEmpty());
    Region edge = Region::rectangle(0, 0, 10, 10);
    edge.offset(kRegionLimit - 5, 0);
    EXPECT_EQ(edge.pixelCount(), 50);
}

}  // namespace
}  // namespace winsys
