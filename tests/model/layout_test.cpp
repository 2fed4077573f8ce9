#include <gtest/gtest.h>

#include <random>

#include "foundation/text.h"
#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

using test::build;

TEST(Layout, PositionsOfCellsAndHexagons) {
    HexGrid grid;
    build(grid, {"X", "XA"});
    grid.prepare();
    struct Case {
        const char* cell;
        int x, y;
    };
    for (Case c : {Case{":AB", 20, 11}, Case{":AF", 20, -11}, Case{"D:AB", -20, 11}, Case{"C:AF", 0, 24},
                   Case{"A:AF", 60, -11}, Case{"B:AF", 40, 24}}) {
        int n = grid.cellIndex(c.cell);
        EXPECT_EQ(grid.x(n), c.x) << c.cell;
        EXPECT_EQ(grid.y(n), c.y) << c.cell;
    }
    EXPECT_EQ(grid.centreX(2), 40);  // "A"
    EXPECT_EQ(grid.centreX(3), 20);  // "B", the first partial hexagon
    EXPECT_EQ(grid.centreY(3), 35);
    // A new step size drops the positions; they come back on demand.
    grid.setStepSize(30);
    EXPECT_FALSE(grid.positionsComputed());
    EXPECT_EQ(grid.x(1), 0);
    grid.computePositions();
    EXPECT_EQ(grid.x(1), 15);
    EXPECT_EQ(grid.y(1), 8);
    grid.setAngle(60);
    grid.computePositions();
    EXPECT_EQ(grid.centreX(2), 15);  // "A" now points where B pointed
    EXPECT_EQ(grid.centreY(2), 26);
}

TEST(Layout, TextLayoutAndLabels) {
    HexGrid origin;
    build(origin, {":AB", ":AF"});
    origin.buildCells();
    EXPECT_EQ(origin.column(1), 1);
    EXPECT_EQ(origin.column(2), 1);
    EXPECT_EQ(origin.row(1), 1);
    EXPECT_EQ(origin.row(2), 2);
    EXPECT_EQ(origin.rowCount(), 2);
    EXPECT_EQ(origin.columnCount(), 1);
    EXPECT_EQ(origin.cellLabel(2, true, " "), "L2 C1");
    EXPECT_EQ(origin.cellLabel(1, false, ""), "L1-P1");

    HexGrid far;
    build(far, {"AAAA:AB", "AAAAA:AB"});  // raw columns 9 and 11: the search starts from 7
    far.buildCells();
    EXPECT_EQ(far.column(1), 3);
    EXPECT_EQ(far.column(2), 5);

    HexGrid hexagon;
    build(hexagon, {"X"});
    hexagon.buildCells();
    const int dab = hexagon.cellIndex("D:AB");
    const int caf = hexagon.cellIndex("C:AF");
    EXPECT_EQ(hexagon.column(dab), 1);  // raw column -1
    EXPECT_EQ(hexagon.column(caf), 2);
    EXPECT_EQ(hexagon.row(caf), 1);  // raw row 1 - 1 + 1 = 1
    EXPECT_EQ(hexagon.row(hexagon.cellIndex("E:AB")), 2);
    EXPECT_EQ(hexagon.rowCount(), 2);
    EXPECT_EQ(hexagon.columnCount(), 3);
}

TEST(Layout, MarkOffsetsAtStep40) {
    HexGrid grid;
    grid.computeMarkOffsets(6);
    const PixelPoint ab[6] = {{0, 11}, {-5, 3}, {5, 3}, {-10, -5}, {0, -5}, {10, -5}};
    const PixelPoint af[6] = {{-10, 5}, {0, 5}, {10, 5}, {-5, -3}, {5, -3}, {0, -11}};
    for (int d = 1; d <= 6; ++d) {
        EXPECT_EQ(grid.markOffset(true, d), ab[d - 1]) << d;
        EXPECT_EQ(grid.markOffset(false, d), af[d - 1]) << d;
    }
    grid.setStepSize(80);
    grid.computeMarkOffsets(5);  // other layouts leave the offsets alone
    EXPECT_EQ(grid.markOffset(true, 1), ab[0]);
    EXPECT_EQ(grid.markOffset(true, 0), (PixelPoint{0, 0}));
}

TEST(Layout, HitTests) {
    HexGrid grid;
    build(grid, {"X", "XA"});
    grid.prepare();
    grid.computeMarkOffsets(6);
    const int ab = grid.cellIndex(":AB");  // (20, 11)
    struct Case {
        int x, y, cell;
    };
    for (Case c : {Case{20, 11, ab}, Case{20, 31, ab}, Case{20, 32, 0}, Case{20, 0, ab}, Case{20, -1, grid.cellIndex(":AF")},
                   Case{-400, 0, 0}}) {
        EXPECT_EQ(grid.cellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    }
    EXPECT_EQ(grid.markAt(ab, 20, 22), 1);
    EXPECT_EQ(grid.markAt(ab, 26, 22), 1);
    EXPECT_EQ(grid.markAt(ab, 27, 22), 0);
    EXPECT_EQ(grid.markAt(ab, 30, 6), 6);
    EXPECT_EQ(grid.markAt(0, 0, 0), 0);
    EXPECT_EQ(grid.markPosition(ab, 4), (PixelPoint{10, 6}));

    EXPECT_EQ(grid.hexagonAt(46, 0), 2);
    EXPECT_EQ(grid.hexagonAt(47, 0), 0);
    EXPECT_EQ(grid.hexagonAt(20, 35), 0);  // partial: not a full hexagon
    EXPECT_EQ(grid.hexagonOrPartialAt(30, 35), 3);
    EXPECT_EQ(grid.hexagonOrPartialAt(31, 35), 0);
    EXPECT_EQ(grid.hexagonOrPartialAt(20, -25), 4);  // "F"
    EXPECT_EQ(grid.hexagonOrPartialAt(3, 0), 1);
    EXPECT_EQ(grid.touchingHexagonAt(0, 0), grid.touchingList().indexOf(""));
    EXPECT_EQ(grid.touchingHexagonAt(-40, 0), grid.touchingList().indexOf("D"));
    EXPECT_EQ(grid.touchingHexagonAt(-47, 0), 0);
}

// The bucket index must give what a scan of every cell in number order gives.
TEST(Layout, CellAtAgreesWithAFullScan) {
    HexGrid grid;
    TextLines d;
    for (const char* p : {"", "AA", "BB", "CC", "DD", "EE", "FF", "AAB", "DDE", "A5", "C3"}) d.append(std::string("X") + p);
    grid.setfromgrivecdef(d);
    grid.setStepSize(30);
    grid.prepare();
    std::mt19937 random(11);
    for (int i = 0; i < 4000; ++i) {
        int px = static_cast<int>(random() % 400) - 200;
        int py = static_cast<int>(random() % 300) - 150;
        long best = 32760;
        int expected = 0;
        for (int c = 1; c <= grid.cellCount(); ++c) {
            long dist = manhattan(grid.x(c), grid.y(c), px, py);
            if (dist < best) {
                best = dist;
                expected = c;
            }
        }
        if (best > 15) expected = 0;
        ASSERT_EQ(grid.cellAt(px, py), expected) << px << "," << py;
    }
}

TEST(Layout, BoundsAndOutlines) {
    HexGrid grid;
    build(grid, {"X"});
    grid.prepare();
    EXPECT_EQ(grid.cellBounds(), (GridRect{-60, 64, 60, -64}));
    HexGrid empty;
    EXPECT_EQ(empty.cellBounds(), GridRect{});

    EXPECT_EQ(grid.cellOutline(1), (CellOutline{{{0, 0}, {40, 0}, {20, 35}, {0, 0}}}));
    EXPECT_EQ(grid.cellOutlineOfName("B:AF"), (CellOutline{{{20, 35}, {60, 35}, {40, 0}, {20, 35}}}));
}

}  // namespace
}  // namespace tamblo
