// Shapes: polygons, ellipses, rectangles and lines land on the pixels they should.
#include "platform/winsys/draw.h"
#include "tests/platform/winsys/draw_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <climits>

namespace winsys {
namespace {

using testing::insideEllipse;
using testing::insidePolygon;
using testing::kFill;
using testing::kInk;
using testing::kPaper;
using testing::Surface;

// Distance from the centre of pixel (x, y) to the segment between the centres of a and b.
double distanceToSegment(Point a, Point b, int x, int y) {
    const double px = x, py = y, ax = a.x, ay = a.y, bx = b.x, by = b.y;
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((px - ax) * dx + (py - ay) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// --- polygons ---------------------------------------------------------------------------------

struct PolygonCase {
    const char* name;
    std::vector<Point> points;
};

void PrintTo(const PolygonCase& c, std::ostream* os) { *os << c.name; }

class winsys_draw_PolygonFill : public ::testing::TestWithParam<PolygonCase> {};

TEST_P(winsys_draw_PolygonFill, FillsExactlyThePixelsInsideAndTheRegionAgrees) {
    const auto& poly = GetParam().points;
    Surface s;
    s.dc.select(stockNullPen());
    const Brush brush = Brush::solid(kFill);
    s.dc.select(brush);
    ASSERT_TRUE(s.dc.polygon(poly));
    const Region region = Region::polygon(poly);
    int inside = 0;
    for (int y = 0; y < s.bitmap.height(); ++y) {
        for (int x = 0; x < s.bitmap.width(); ++x) {
            const bool expected = insidePolygon(poly, x, y);
            inside += expected ? 1 : 0;
            ASSERT_EQ(s.at(x, y) == kFill, expected) << GetParam().name << " at " << x << "," << y;
            ASSERT_EQ(region.contains(x, y), expected) << GetParam().name << " region at " << x << "," << y;
        }
    }
    EXPECT_GT(inside, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, winsys_draw_PolygonFill,
    ::testing::Values(PolygonCase{"triangle", {{20, 80}, {60, 11}, {100, 80}}},
                      PolygonCase{"slanted", {{5, 5}, {90, 17}, {33, 95}}},
                      PolygonCase{"concave", {{10, 10}, {110, 10}, {60, 50}, {110, 90}, {10, 90}}},
                      PolygonCase{"star (alternate filling leaves the middle)", {{60, 5}, {85, 90}, {12, 35}, {108, 35}, {35, 90}}},
                      PolygonCase{"hexagon", {{40, 20}, {80, 20}, {100, 55}, {80, 90}, {40, 90}, {20, 55}}},
                      PolygonCase{"partly outside", {{-30, -20}, {150, 40}, {20, 130}}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(winsys_draw_PolygonDraw, StarCentreStaysEmptyWithAlternateFilling) {
    Surface s;
    s.dc.select(stockNullPen());
    s.dc.select(Brush::solid(kFill));
    const std::vector<Point> star{{60, 5}, {85, 90}, {12, 35}, {108, 35}, {35, 90}};
    s.dc.polygon(star);
    EXPECT_EQ(s.at(60, 50), kPaper);  // the pentagon in the middle is crossed twice
    EXPECT_EQ(s.at(60, 20), kFill);   // a point of the star
}

TEST(winsys_draw_PolygonDraw, OutlineWithOnePixelPenLiesOnTheEdgesAndClosesItself) {
    Surface s;
    const Pen pen = Pen::solid(1, kInk);
    s.dc.select(pen);
    s.dc.select(Brush::solid(kFill));
    const std::vector<Point> square{{10, 10}, {50, 10}, {50, 40}, {10, 40}};
    ASSERT_TRUE(s.dc.polygon(square));
    // On: every vertex and the edges, the closing edge (10,40)-(10,10) included.
    for (const Point p : square) EXPECT_EQ(s.at(p.x, p.y), kInk) << p.x << "," << p.y;
    EXPECT_EQ(s.at(30, 10), kInk);
    EXPECT_EQ(s.at(50, 25), kInk);
    EXPECT_EQ(s.at(30, 40), kInk);
    EXPECT_EQ(s.at(10, 25), kInk);
    // Inside: the brush.
    EXPECT_EQ(s.at(11, 11), kFill);
    EXPECT_EQ(s.at(30, 25), kFill);
    EXPECT_EQ(s.at(49, 39), kFill);
    // Just outside.
    EXPECT_EQ(s.at(9, 25), kPaper);
    EXPECT_EQ(s.at(51, 25), kPaper);
    EXPECT_EQ(s.at(30, 9), kPaper);
    EXPECT_EQ(s.at(30, 41), kPaper);
}

TEST(winsys_draw_PolygonDraw, HollowBrushLeavesTheInsideAndNullPenLeavesTheEdges) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(stockNullBrush());
    s.dc.polygon(std::vector<Point>{{10, 10}, {50, 10}, {30, 40}});
    EXPECT_EQ(s.at(30, 20), kPaper);
    EXPECT_EQ(s.at(30, 10), kInk);

    Surface t;
    t.dc.select(stockNullPen());
    t.dc.select(stockNullBrush());
    EXPECT_TRUE(t.dc.polygon(std::vector<Point>{{10, 10}, {50, 10}, {30, 40}}));
    EXPECT_EQ(t.count(kPaper), 120 * 100);
}

TEST(winsys_draw_PolygonDraw, WidePenCoversTheEdgesBothSides) {
    Surface s;
    s.dc.select(Pen::solid(5, kInk));
    s.dc.select(stockNullBrush());
    const std::vector<Point> tri{{20, 20}, {100, 20}, {60, 85}};
    s.dc.polygon(tri);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 120; ++x) {
            double d = 1e9;
            for (std::size_t i = 0; i < tri.size(); ++i) d = std::min(d, distanceToSegment(tri[i], tri[(i + 1) % 3], x, y));
            if (d < 2.5 - 0.75) {
                ASSERT_EQ(s.at(x, y), kInk) << x << "," << y;
            }
            if (d > 2.5 + 0.75) {
                ASSERT_EQ(s.at(x, y), kPaper) << x << "," << y;
            }
        }
    }
}

// --- ellipses ---------------------------------------------------------------------------------

class winsys_draw_EllipseDraw : public ::testing::TestWithParam<Rect> {};

TEST_P(winsys_draw_EllipseDraw, CoversTheInscribedPixelsWithOutlineAndInterior) {
    const Rect box = GetParam();
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(Brush::solid(kFill));
    ASSERT_TRUE(s.dc.ellipse(box));
    const Region region = Region::ellipse(box);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool in = insideEllipse(box, x, y);
            ASSERT_EQ(region.contains(x, y), in) << x << "," << y;
            ASSERT_EQ(s.at(x, y) != kPaper, in) << x << "," << y;
            if (!in) continue;
            // A pixel of the shape with a 4-neighbour outside is on the outline.
            const bool edge = !insideEllipse(box, x - 1, y) || !insideEllipse(box, x + 1, y) || !insideEllipse(box, x, y - 1) ||
                              !insideEllipse(box, x, y + 1);
            if (edge) {
                ASSERT_EQ(s.at(x, y), kInk) << x << "," << y;
            }
        }
    }
    // The middle is the brush's.
    EXPECT_EQ(s.at((box.left + box.right) / 2, (box.top + box.bottom) / 2), kFill);
}

INSTANTIATE_TEST_SUITE_P(Boxes, winsys_draw_EllipseDraw,
                         ::testing::Values(Rect{10, 10, 70, 70}, Rect{5, 20, 115, 60}, Rect{40, 3, 61, 97}, Rect{30, 30, 37, 35},
                                           Rect{-40, -30, 60, 50}));

TEST(winsys_draw_EllipseProbe, CircleEdgesAreWhereTheBoxSays) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(Brush::solid(kFill));
    s.dc.ellipse(Rect{20, 10, 60, 50});  // circle of radius 20 centred on (40, 30)
    EXPECT_EQ(s.at(20, 29), kInk);  // leftmost column, on
    EXPECT_EQ(s.at(19, 29), kPaper);  // just outside
    EXPECT_EQ(s.at(59, 30), kInk);  // rightmost column: right edge exclusive
    EXPECT_EQ(s.at(60, 30), kPaper);
    EXPECT_EQ(s.at(39, 10), kInk);
    EXPECT_EQ(s.at(39, 9), kPaper);
    EXPECT_EQ(s.at(40, 49), kInk);
    EXPECT_EQ(s.at(40, 50), kPaper);
    EXPECT_EQ(s.at(22, 29), kFill);  // inside
    EXPECT_EQ(s.at(21, 12), kPaper);  // the box corner is outside the circle
}

TEST(winsys_draw_EllipseProbe, WidePenOutlineIsAsThickAsThePen) {
    Surface s;
    s.dc.select(Pen::solid(4, kInk));
    s.dc.select(Brush::solid(kFill));
    s.dc.ellipse(Rect{20, 10, 60, 50});
    for (int x = 20; x < 24; ++x) EXPECT_EQ(s.at(x, 30), kInk) << x;
    EXPECT_EQ(s.at(24, 30), kFill);
    EXPECT_EQ(s.at(19, 30), kPaper);
    for (int y = 46; y < 50; ++y) EXPECT_EQ(s.at(40, y), kInk) << y;
    EXPECT_EQ(s.at(40, 45), kFill);
}

// --- rectangles -------------------------------------------------------------------------------

TEST(winsys_draw_RectangleDraw, FrameOnTheOutermostPixelsAndBrushInside) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(Brush::solid(kFill));
    ASSERT_TRUE(s.dc.rectangle(10, 20, 30, 35));
    EXPECT_EQ(s.at(10, 20), kInk);
    EXPECT_EQ(s.at(29, 34), kInk);
    EXPECT_EQ(s.at(20, 20), kInk);
    EXPECT_EQ(s.at(29, 27), kInk);
    EXPECT_EQ(s.at(30, 27), kPaper);
    EXPECT_EQ(s.at(20, 35), kPaper);
    EXPECT_EQ(s.at(11, 21), kFill);
    EXPECT_EQ(s.at(28, 33), kFill);
    EXPECT_EQ(s.count(kInk) + s.count(kFill), 20 * 15);
    EXPECT_EQ(s.count(kFill), 18 * 13);
}

TEST(winsys_draw_RectangleDraw, NullPenFillsOnePixelLessAndInvertedCornersAreNormalised) {
    Surface s;
    s.dc.select(stockNullPen());
    s.dc.select(Brush::solid(kFill));
    s.dc.rectangle(30, 35, 10, 20);
    EXPECT_EQ(s.count(kFill), 19 * 14);
    EXPECT_EQ(s.at(10, 20), kFill);
    EXPECT_EQ(s.at(28, 33), kFill);
    EXPECT_EQ(s.at(29, 33), kPaper);
}

TEST(winsys_draw_RectangleDraw, FillRectFillsExactlyTheRectangle) {
    Surface s;
    s.dc.fillRect(Rect{5, 6, 15, 9}, kFill);
    EXPECT_EQ(s.count(kFill), 30);
    EXPECT_EQ(s.inkBox(), (Rect{5, 6, 15, 9}));
    EXPECT_TRUE(s.dc.fillRect(Rect{0, 0, 10, 10}, stockNullBrush()));
    EXPECT_EQ(s.count(kFill), 30);
}

// --- lines ------------------------------------------------------------------------------------

struct LineCase {
    Point a, b;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y; }

class winsys_draw_OnePixelLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(winsys_draw_OnePixelLine, LightsOnePixelPerStepFromStartToBeforeTheEnd) {
    const auto [a, b] = GetParam();
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.moveTo(a);
    ASSERT_TRUE(s.dc.lineTo(b));
    EXPECT_EQ(s.dc.currentPosition(), b);
    EXPECT_EQ(s.at(a.x, a.y), kInk) << "start lit";
    EXPECT_EQ(s.at(b.x, b.y), kPaper) << "end excluded";
    const int adx = std::abs(b.x - a.x), ady = std::abs(b.y - a.y);
    const int steps = std::max(adx, ady);
    EXPECT_EQ(s.count(kInk), steps);
    // One pixel on each step of the major axis, within half a pixel of the ideal line.
    for (int i = 0; i < steps; ++i) {
        int found = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 120; ++x) {
                const int major = adx >= ady ? x : y;
                const int m0 = adx >= ady ? a.x : a.y, m1 = adx >= ady ? b.x : b.y;
                const int step = (m1 > m0) ? major - m0 : m0 - major;
                if (step != i || s.at(x, y) != kInk) continue;
                ++found;
                const double t = static_cast<double>(i) / steps;
                const double ideal = adx >= ady ? a.y + t * (b.y - a.y) : a.x + t * (b.x - a.x);
                EXPECT_LE(std::abs((adx >= ady ? y : x) - ideal), 0.5 + 1e-9) << x << "," << y;
            }
        }
        EXPECT_EQ(found, 1) << "step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Octants, winsys_draw_OnePixelLine,
                         ::testing::Values(LineCase{{2, 3}, {12, 7}}, LineCase{{12, 7}, {2, 3}}, LineCase{{50, 10}, {53, 90}},
                                           LineCase{{53, 90}, {50, 10}}, LineCase{{10, 50}, {110, 50}}, LineCase{{60, 90}, {60, 5}},
                                           LineCase{{10, 10}, {60, 60}}, LineCase{{100, 10}, {20, 70}}, LineCase{{5, 95}, {115, 40}}));

TEST(winsys_draw_OnePixelLineProbe, KnownPixelsOfAShallowLine) {
    Surface s;
    s.dc.select(Pen::solid(0, kInk));  // width 0 is the 1-pixel pen too
    s.dc.moveTo(2, 3);
    s.dc.lineTo(12, 7);
    for (const Point p : {Point{2, 3}, Point{3, 3}, Point{6, 5}, Point{11, 7}}) EXPECT_EQ(s.at(p.x, p.y), kInk) << p.x << "," << p.y;
    for (const Point p : {Point{12, 7}, Point{2, 4}, Point{11, 6}, Point{1, 3}}) EXPECT_EQ(s.at(p.x, p.y), kPaper) << p.x << "," << p.y;
}

TEST(winsys_draw_OnePixelLineProbe, PolylineJoinsWithoutGapsAndLineToSamePointDrawsNothing) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.moveTo(10, 10);
    s.dc.lineTo(10, 10);
    EXPECT_EQ(s.count(kInk), 0);
    s.dc.lineTo(30, 10);
    s.dc.lineTo(30, 30);
    EXPECT_EQ(s.count(kInk), 40);
    EXPECT_EQ(s.at(30, 10), kInk);  // the shared vertex, lit by the second segment
    EXPECT_EQ(s.at(30, 30), kPaper);
}

class winsys_draw_WideLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(winsys_draw_WideLine, FourPixelPenCoversTheSegmentWithRoundCaps) {
    const auto [a, b] = GetParam();
    Surface s;
    s.dc.select(Pen::solid(4, kInk));
    s.dc.moveTo(a);
    s.dc.lineTo(b);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 120; ++x) {
            const double d = distanceToSegment(a, b, x, y);
            if (d < 2 - 0.75) {
                ASSERT_EQ(s.at(x, y), kInk) << x << "," << y;
            }
            if (d > 2 + 0.75) {
                ASSERT_EQ(s.at(x, y), kPaper) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, winsys_draw_WideLine,
                         ::testing::Values(LineCase{{10, 20}, {50, 20}}, LineCase{{60, 10}, {60, 80}}, LineCase{{10, 10}, {100, 90}},
                                           LineCase{{100, 15}, {20, 60}}, LineCase{{40, 40}, {40, 40}}));

TEST(winsys_draw_WideLineProbe, HorizontalFourPixelLine) {
    Surface s;
    s.dc.select(Pen::solid(4, kInk));
    s.dc.moveTo(10, 20);
    s.dc.lineTo(50, 20);
    for (int y = 19; y <= 21; ++y) EXPECT_EQ(s.at(30, y), kInk) << y;
    EXPECT_EQ(s.at(30, 16), kPaper);
    EXPECT_EQ(s.at(30, 24), kPaper);
    EXPECT_EQ(s.at(9, 20), kInk);   // the round cap reaches past the start
    EXPECT_EQ(s.at(51, 20), kInk);  // and past the end
    EXPECT_EQ(s.at(7, 20), kPaper);
    EXPECT_EQ(s.at(53, 20), kPaper);
    EXPECT_EQ(s.at(8, 18), kPaper);  // rounded, not square
}

// --- clipping and the viewport ------------------------------------------------------------------

TEST(winsys_draw_DrawClip, ClipRegionLimitsEveryKindOfDrawing) {
    Surface s;
    const Region clip = Region::rectangle(0, 0, 60, 100);
    s.dc.setClip(clip);
    s.dc.select(Pen::solid(3, kInk));
    s.dc.select(Brush::solid(kFill));
    s.dc.rectangle(10, 10, 110, 30);
    s.dc.ellipse(10, 40, 110, 60);
    s.dc.moveTo(10, 70);
    s.dc.lineTo(110, 70);
    s.dc.select(Pen::solid(1, kInk));
    s.dc.moveTo(10, 80);
    s.dc.lineTo(110, 80);
    s.dc.textOut(50, 85, "WWWW");
    EXPECT_LE(s.inkBox().right, 60);
    EXPECT_GT(s.inkBox().right, 50);
    s.dc.clearClip();
    s.dc.moveTo(10, 90);
    s.dc.lineTo(110, 90);
    EXPECT_EQ(s.at(100, 90), kInk);
}

TEST(winsys_draw_DrawClip, ViewportOriginShiftsDrawing) {
    Surface s;
    s.dc.setViewportOrigin(Point{30, 20});
    s.dc.fillRect(Rect{0, 0, 5, 5}, kFill);
    s.dc.select(Pen::solid(1, kInk));
    s.dc.moveTo(0, 10);
    s.dc.lineTo(10, 10);
    EXPECT_EQ(s.inkBox(), (Rect{30, 20, 40, 31}));
    EXPECT_EQ(s.at(30, 20), kFill);
    EXPECT_EQ(s.at(30, 30), kInk);
    EXPECT_EQ(s.dc.pixel(Point{0, 0}), kFill);
}

// --- bad input --------------------------------------------------------------------------------

TEST(winsys_draw_DrawBadInput, DegenerateShapesAreRefusedOrEmpty) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(Brush::solid(kFill));
    EXPECT_FALSE(s.dc.polygon(std::vector<Point>{}));
    EXPECT_FALSE(s.dc.polygon(std::vector<Point>{{5, 5}}));
    EXPECT_FALSE(s.dc.polygon(nullptr, 3));
    const Point two[2] = {{5, 5}, {20, 5}};
    EXPECT_FALSE(s.dc.polygon(two, -2));
    EXPECT_TRUE(s.dc.polygon(two, 2));  // a flat polygon is its outline
    EXPECT_EQ(s.count(kInk), 16);
    EXPECT_TRUE(s.dc.ellipse(Rect{50, 50, 50, 80}));  // no width
    EXPECT_TRUE(s.dc.rectangle(Rect{70, 70, 70, 70}));
    EXPECT_EQ(s.count(kInk), 16);
    EXPECT_EQ(s.count(kFill), 0);
}

TEST(winsys_draw_DrawBadInput, HugeCoordinatesAreDrawnAsFarAsTheyShow) {
    Surface s;
    s.dc.select(Pen::solid(1, kInk));
    s.dc.select(Brush::solid(kFill));
    // A triangle far larger than the bitmap covers it.
    ASSERT_TRUE(s.dc.polygon(std::vector<Point>{{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}}));
    EXPECT_EQ(s.at(60, 50), kFill);
    s.dc.moveTo(INT_MIN, 50);
    EXPECT_TRUE(s.dc.lineTo(INT_MAX, 50));
    EXPECT_EQ(s.at(0, 50), kInk);
    EXPECT_EQ(s.at(119, 50), kInk);
    s.dc.select(Pen::solid(6, kInk));
    s.dc.moveTo(-1000000000, 70);
    EXPECT_TRUE(s.dc.lineTo(1000000000, 70));
    EXPECT_EQ(s.at(60, 70), kInk);
    EXPECT_TRUE(s.dc.ellipse(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
    EXPECT_TRUE(s.dc.rectangle(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}));
    EXPECT_TRUE(s.dc.textOut(INT_MAX, INT_MIN, "far away"));
    s.dc.select(Pen::solid(INT_MAX, kInk));  // a pen wider than everything
    EXPECT_TRUE(s.dc.ellipse(Rect{10, 10, 30, 30}));
    EXPECT_TRUE(s.dc.lineTo(0, 0));
    s.dc.setViewportOrigin(Point{INT_MAX, INT_MAX});
    EXPECT_TRUE(s.dc.fillRect(Rect{INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX}, kInk));
}

TEST(winsys_draw_DrawBadInput, NullAndEmptyTargetsDrawNothing) {
    DeviceContext none{Bitmap()};
    none.select(Pen::solid(1, kInk));
    EXPECT_FALSE(none.lineTo(10, 10));
    EXPECT_FALSE(none.polygon(std::vector<Point>{{0, 0}, {5, 0}, {0, 5}}));
    EXPECT_FALSE(none.ellipse(0, 0, 5, 5));
    EXPECT_FALSE(none.rectangle(0, 0, 5, 5));
    EXPECT_FALSE(none.textOut(0, 0, "x"));
    EXPECT_FALSE(none.fillRect(Rect{0, 0, 5, 5}, kInk));
    EXPECT_EQ(none.pixel(Point{0, 0}), kInvalidColour);
    EXPECT_EQ(none.pixelSize(), (Size{0, 0}));

    DeviceContext empty{Bitmap::create(0, 0)};
    EXPECT_FALSE(empty.rectangle(0, 0, 5, 5));
    EXPECT_EQ(empty.textExtent("abc").cx, DeviceContext().textExtent("abc").cx);
}

}  // namespace
}  // namespace winsys
