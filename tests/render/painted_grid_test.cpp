#include "render/painted_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "render/cursors.h"
#include "render/glyph_stamps.h"
#include "tests/render/render_test_support.h"

namespace tamblo {
namespace {

using test::PaintBench;

void savePicture(const PaintBench& bench, const std::string& name) {
    bench.buffer.working().writePng(std::string(TAMBLO_TEST_OUTPUT_DIR) + "/render_" + name + ".png");
}

// Pixels of one colour in the box of half-size r around a canvas point, and their extent.
struct Blob {
    int count = 0;
    int left = 1 << 20, right = -(1 << 20), top = 1 << 20, bottom = -(1 << 20);
};
Blob blobAround(const PaintBench& bench, int x, int y, int r, Colour colour) {
    Blob b;
    const winsys::Bitmap& bmp = bench.buffer.working();
    int cx = bench.canvas.deviceX(x), cy = bench.canvas.deviceY(y);
    for (int py = cy - r; py <= cy + r; ++py) {
        for (int px = cx - r; px <= cx + r; ++px) {
            if (bmp.pixel(px, py) != colour) continue;
            ++b.count;
            b.left = std::min(b.left, px);
            b.right = std::max(b.right, px);
            b.top = std::min(b.top, py);
            b.bottom = std::max(b.bottom, py);
        }
    }
    return b;
}

// Every painting test starts from the default scheme and conditions.
class PaintedGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPaintColours();
        paintConditions() = PaintConditions{};
        scrollArrows() = ScrollArrows{};
        catalogueId_ = BuiltInCatalogue().idAt(1);
        ASSERT_TRUE(test::loadCataloguePuzzle(grid, catalogueId_, 40));
    }
    void TearDown() override {
        paintConditions() = PaintConditions{};
        scrollArrows() = ScrollArrows{};
    }
    void clearValues() {
        for (int c = 1; c <= grid.cellCount(); ++c) grid.setValue(c, 0);
    }
    int firstEmptyCell(bool ab) const {
        for (int c = 1; c <= grid.cellCount(); ++c)
            if (grid.isEmpty(c) && grid.marks(c) == 0 && grid.isAB(c) == ab) return c;
        return 0;
    }

    std::string catalogueId_;
    PaintedGrid grid;
};

TEST(PaintedGridSettings, CellSizeFortySizes) {
    PaintedGrid g;
    EXPECT_EQ(g.cellSize(), 15);
    EXPECT_EQ(g.markLayout(), 6);
    g.applyCellSize(40);
    EXPECT_EQ(g.valueHeight(), 22);
    EXPECT_EQ(g.stepSize(), 40);
    g.applyCellSize(70);
    EXPECT_EQ(g.valueHeight(), 38);
    EXPECT_EQ(markShift(40), 5);
    EXPECT_EQ(markShift(50), 6);
    EXPECT_EQ(markShift(60), 8);
    EXPECT_EQ(markShift(70), 9);
    EXPECT_EQ(markShift(45), 0);
    EXPECT_EQ(valueText(4), "4");
}

TEST(PaintedGridSettings, ColourScheme) {
    resetPaintColours();
    const PaintColours& c = paintColours();
    EXPECT_EQ(c.cellFill, 0x99FFFFu);
    EXPECT_EQ(c.gapFill, 0xFF9999u);
    EXPECT_EQ(c.arrowOff, 0xCCCCCCu);
    paintColours().cellFill = 0;
    resetPaintColours();
    EXPECT_EQ(paintColours().cellFill, 0x99FFFFu);
}

TEST(PaintedGridSettings, LoadingTheSameGridTwiceDoesNotRebuild) {
    PaintedGrid a;
    BuiltInCatalogue::appendEntries(
        [] {
            TextLines body;
            body.append("X,%100,WJA,DVMA,VOA,%90,CVKA,%75,DWLA,%80,EWNA");
            return body;
        }(),
        a.description());
    a.setDescriptionId("one");
    a.applyCellSize(40);
    a.load();
    EXPECT_EQ(a.buildCount(), 1);
    EXPECT_EQ(a.cellCount(), 6);
    EXPECT_EQ(a.fullHexagonCount(), 1);
    a.applyCellSize(50);
    a.setLevelPercentageSetting(75);
    a.load();
    EXPECT_EQ(a.buildCount(), 1);
    EXPECT_EQ(a.stepSize(), 50);
    EXPECT_EQ(a.requestedPercentage(), 75);

    // Another grid object under the same id is still built.
    PaintedGrid b;
    b.description() = a.description();
    b.setDescriptionId("one");
    b.load();
    EXPECT_EQ(b.buildCount(), 1);
    EXPECT_EQ(b.cellCount(), 6);

    a.setDescriptionId("two");
    a.load();
    EXPECT_EQ(a.buildCount(), 2);
}

TEST(PaintedGridSettings, ExtentInMillimetres) {
    PaintedGrid g;
    ASSERT_TRUE(test::loadCataloguePuzzle(g, BuiltInCatalogue().idAt(1), 40));
    Canvas canvas;
    canvas.setResolution(96, 96);
    GridRect b = g.cellBounds();
    ShortRect e = g.computeExtent(canvas);
    EXPECT_EQ(e.left, static_cast<int>(b.left * 25.4f / 96.0f));
    EXPECT_EQ(e.top, static_cast<int>(b.top * 25.4f / 96.0f));
    EXPECT_EQ(gridExtent().right, e.right);
    EXPECT_EQ(gridExtent().bottom, e.bottom);
    EXPECT_GT(e.top, e.bottom);
}

TEST_F(PaintedGridTest, CellFillAtEmptyCellsWithoutMarks) {
    PaintBench bench(grid);
    bench.paint(grid);
    savePicture(bench, "fill");
    int probed = 0;
    for (int c = 1; c <= grid.cellCount(); ++c) {
        if (!grid.isEmpty(c) || grid.marks(c) != 0) continue;
        EXPECT_EQ(bench.at(grid.x(c), grid.y(c)), 0x99FFFFu) << "cell " << c;
        ++probed;
    }
    EXPECT_GT(probed, 0);
    // Outside the cells the base colour shows.
    EXPECT_EQ(bench.buffer.working().pixel(3, 3), 0xFFFF00u);
}

TEST_F(PaintedGridTest, GapFillInsideEnclosedGaps) {
    BuiltInCatalogue catalogue;
    PaintedGrid withGaps;
    for (int i = 1; i <= catalogue.count(); ++i) {
        PaintedGrid g;
        ASSERT_TRUE(test::loadCataloguePuzzle(g, catalogue.idAt(i), 40));
        g.buildCornerLists();
        if (g.gapList().count() > 0) {
            ASSERT_TRUE(test::loadCataloguePuzzle(withGaps, catalogue.idAt(i), 40));
            break;
        }
    }
    withGaps.buildCornerLists();
    ASSERT_GT(withGaps.gapList().count(), 0) << "no catalogue puzzle encloses a gap";
    PaintBench bench(withGaps);
    bench.paint(withGaps);
    savePicture(bench, "gaps");
    for (int i = 1; i <= withGaps.gapList().count(); ++i) {
        CellOutline t = withGaps.cellOutlineOfName(withGaps.gapList().lineAt(i));
        int x = (t[0].x + t[1].x + t[2].x) / 3, y = (t[0].y + t[1].y + t[2].y) / 3;
        EXPECT_EQ(bench.at(x, y), 0xFF9999u) << withGaps.gapList().lineAt(i);
    }
}

// The run of outline-coloured pixels across the middle of the first horizontal segment.
int edgeWidth(const PaintBench& bench, PaintedGrid& g, const TextLines& segments) {
    for (int i = 1; i <= segments.count(); ++i) {
        std::string s = segments.lineAt(i);
        size_t colon = s.find(':');
        if (colon == std::string::npos || s.substr(colon) != ":A") continue;
        std::string point = s.substr(0, colon);
        int x = (g.mainDirectionSet().pixelX(point) + g.mainDirectionSet().pixelX(point + "A")) / 2;
        int y = g.mainDirectionSet().pixelY(point);
        int dx = bench.canvas.deviceX(x), dy = bench.canvas.deviceY(y);
        const winsys::Bitmap& bmp = bench.buffer.working();
        if (bmp.pixel(dx, dy) != 0xFF0000u) return -1;
        int top = dy, bottom = dy;
        while (bmp.pixel(dx, top - 1) == 0xFF0000u) --top;
        while (bmp.pixel(dx, bottom + 1) == 0xFF0000u) ++bottom;
        return bottom - top + 1;
    }
    return 0;
}

TEST_F(PaintedGridTest, BoundaryFourPixelsInnerOnePixel) {
    clearValues();
    PaintBench bench(grid);
    bench.paint(grid);
    savePicture(bench, "edges");
    EXPECT_EQ(edgeWidth(bench, grid, grid.boundaryOutlineList()), 4);
    EXPECT_EQ(edgeWidth(bench, grid, grid.innerOutlineList()), 1);
}

TEST_F(PaintedGridTest, GivenBlackEnteredMagentaAtTheCentre) {
    int given = 0;
    for (int c = 1; c <= grid.cellCount() && given == 0; ++c)
        if (grid.isGiven(c) && grid.value(c) > 0) given = c;
    ASSERT_NE(given, 0);
    int entered = firstEmptyCell(true);
    ASSERT_NE(entered, 0);
    grid.setValue(entered, 5);
    ASSERT_FALSE(grid.isGiven(entered));

    PaintBench bench(grid);
    bench.paint(grid);
    savePicture(bench, "values");
    struct Case {
        int cell;
        Colour colour;
    };
    for (const Case& k : {Case{given, 0x000000}, Case{entered, 0xFF00FF}}) {
        Blob b = blobAround(bench, grid.x(k.cell), grid.y(k.cell), 12, k.colour);
        EXPECT_GT(b.count, 10) << k.cell;
        // Centred on the cell centre, a narrow digit no higher than the value height.
        EXPECT_NEAR((b.left + b.right) / 2.0, bench.canvas.deviceX(grid.x(k.cell)), 2.0) << k.cell;
        EXPECT_NEAR((b.top + b.bottom) / 2.0, bench.canvas.deviceY(grid.y(k.cell)), 3.0) << k.cell;
        EXPECT_LE(b.right - b.left + 1, 13) << k.cell;
        EXPECT_LE(b.bottom - b.top + 1, 22) << k.cell;
        EXPECT_GE(b.bottom - b.top + 1, 10) << k.cell;
    }
    EXPECT_EQ(blobAround(bench, grid.x(entered), grid.y(entered), 12, 0x000000).count, 0);
}

TEST_F(PaintedGridTest, PencilMarksOneAndSix) {
    for (bool ab : {true, false}) {
        int c = firstEmptyCell(ab);
        ASSERT_NE(c, 0);
        grid.setMarks(c, digitBit(1) | digitBit(6));
        PaintBench bench(grid);
        bench.paint(grid);
        savePicture(bench, ab ? "marks_ab" : "marks_af");
        for (int d = 1; d <= 6; ++d) {
            PixelPoint p = grid.markPosition(c, d);
            Blob b = blobAround(bench, p.x, p.y, 2, 0xFF0000);
            if (d == 1 || d == 6)
                EXPECT_GT(b.count, 0) << "mark " << d;
            else
                EXPECT_EQ(b.count, 0) << "mark " << d;
        }
        // A mark is not a value: the centre keeps its fill.
        EXPECT_EQ(bench.at(grid.x(c), grid.y(c)), 0x99FFFFu);
        grid.clearMarks(c);
    }
}

TEST_F(PaintedGridTest, LinkOverlayJoinsPeersInsteadOfMarks) {
    clearValues();
    int c = firstEmptyCell(true);
    ASSERT_NE(c, 0);
    grid.setMarks(c, digitBit(4));
    paintConditions().linkOverlay = true;
    PaintBench bench(grid);
    bench.paint(grid);
    savePicture(bench, "links");
    int peers = 0;
    for (int i = 0; i < 12; ++i) {
        int p = grid.peer(c, i);
        if (p == 0) continue;
        ++peers;
        // A quarter of the way from the cell towards its peer.
        int x = grid.x(c) + (grid.x(p) - grid.x(c)) / 4, y = grid.y(c) + (grid.y(p) - grid.y(c)) / 4;
        EXPECT_GT(blobAround(bench, x, y, 1, 0x00FF00).count, 0) << "peer " << p;
    }
    EXPECT_GE(peers, 5);
    EXPECT_EQ(bench.at(grid.x(c), grid.y(c)), 0x00FF00u);  // the circle round the centre
    PixelPoint m = grid.markPosition(c, 4);
    EXPECT_EQ(blobAround(bench, m.x, m.y, 2, 0xFF0000).count, 0);
}

TEST_F(PaintedGridTest, HexagonCentreDots) {
    clearValues();
    PaintBench bench(grid);
    bench.paint(grid);
    savePicture(bench, "dots");
    ASSERT_GT(grid.fullHexagonCount(), 0);
    for (int h = 1; h <= grid.fullHexagonCount(); ++h) {
        EXPECT_GT(blobAround(bench, grid.centreX(h), grid.centreY(h), 2, 0x000000).count, 0) << h;
    }
    // Black appears nowhere in the background bitmap.
    const winsys::Bitmap& bg = bench.buffer.background();
    int cx = bench.canvas.deviceX(grid.centreX(1)), cy = bench.canvas.deviceY(grid.centreY(1));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) EXPECT_NE(bg.pixel(cx + dx, cy + dy), 0x000000u);
}

TEST_F(PaintedGridTest, ScrollArrows) {
    PaintBench bench(grid);
    int w = bench.client.width, h = bench.client.height;
    ScrollArrows& a = scrollArrows();
    a.left.triangle = {{{14, h / 2 - 8}, {14, h / 2 + 8}, {4, h / 2}, {14, h / 2 - 8}}};
    a.right.triangle = {{{w - 14, h / 2 - 8}, {w - 14, h / 2 + 8}, {w - 4, h / 2}, {w - 14, h / 2 - 8}}};
    a.up.triangle = {{{w / 2 + 8, 14}, {w / 2 - 8, 14}, {w / 2, 4}, {w / 2 + 8, 14}}};
    a.down.triangle = {{{w / 2 + 8, h - 14}, {w / 2 - 8, h - 14}, {w / 2, h - 4}, {w / 2 + 8, h - 14}}};

    bench.paint(grid);
    const winsys::Bitmap& bmp = bench.buffer.working();
    EXPECT_EQ(bmp.pixel(11, h / 2), 0xFFFF00u);  // no arrow on, none drawn
    EXPECT_EQ(bmp.pixel(w - 11, h / 2), 0xFFFF00u);

    a.right.on = true;
    bench.paint(grid);
    savePicture(bench, "arrows");
    EXPECT_EQ(bench.buffer.working().pixel(w - 11, h / 2), 0x0000FFu);
    EXPECT_EQ(bench.buffer.working().pixel(11, h / 2), 0xCCCCCCu);
    EXPECT_EQ(bench.buffer.working().pixel(w / 2, 11), 0xFFFF00u);
    EXPECT_EQ(bench.buffer.working().pixel(w / 2, h - 11), 0xFFFF00u);
}

TEST_F(PaintedGridTest, PassesKeepOriginAndBusyBalanced) {
    PaintBench bench(grid);
    cursors().enterBusy();  // the paint's own
    int originX = bench.canvas.originX(), originY = bench.canvas.originY();
    EXPECT_TRUE(bench.paint(grid));
    EXPECT_EQ(bench.canvas.originX(), originX);
    EXPECT_EQ(bench.canvas.originY(), originY);
    EXPECT_TRUE(bench.canvas.originStack().isEmpty());
    EXPECT_EQ(cursors().busyCount(), 1);
    cursors().leaveBusy();
    // Contents alone: its leave brings the count to 0, the paint's own is absorbed.
    cursors().enterBusy();
    EXPECT_FALSE(bench.paint(grid));
    EXPECT_EQ(cursors().busyCount(), 0);
    cursors().leaveBusy();
    EXPECT_EQ(cursors().busyCount(), 0);
}

TEST_F(PaintedGridTest, MarksWithoutShiftAtOtherSizes) {
    ASSERT_TRUE(test::loadCataloguePuzzle(grid, catalogueId_, 45));
    int c = firstEmptyCell(true);
    ASSERT_NE(c, 0);
    grid.setMarks(c, digitBit(1));
    PaintBench bench(grid);
    bench.paint(grid);
    PixelPoint p = grid.markPosition(c, 1);
    // Drawn from its position downwards: nothing above it, the digit below.
    EXPECT_EQ(blobAround(bench, p.x, p.y + 4, 2, 0xFF0000).count, 0);
    EXPECT_GT(blobAround(bench, p.x, p.y - 5, 3, 0xFF0000).count, 0);
}

}  // namespace
}  // namespace tamblo

namespace tamblo {
namespace {

TEST(GlyphStampsTest, StampedDigitsMatchTextOut) {
    for (int size : {40, 70}) {
        PaintedGrid stamped, drawn;
        std::string id = BuiltInCatalogue().idAt(1);
        ASSERT_TRUE(test::loadCataloguePuzzle(stamped, id, size));
        ASSERT_TRUE(test::loadCataloguePuzzle(drawn, id, size));
        for (PaintedGrid* g : {&stamped, &drawn}) {
            for (int c = 1, n = 0; c <= g->cellCount(); ++c) {
                if (!g->isEmpty(c)) continue;
                if (n % 3 == 0) g->setMarks(c, 63);
                if (n % 3 == 1) g->setValue(c, 1 + n % 6);
                ++n;
            }
        }
        drawn.stampDigits = false;
        test::PaintBench a(stamped), b(drawn);
        a.paint(stamped);
        a.paint(stamped);  // the second paint stamps from the stamps of the first
        b.paint(drawn);
        EXPECT_GT(stamped.stamps().stamped, 0);
        EXPECT_EQ(stamped.stamps().fallbacks, 0);
        EXPECT_TRUE(a.buffer.working().samePixels(b.buffer.working())) << size;
    }
}

TEST(GlyphStampsTest, ClippedContextFallsBackToTextOut) {
    winsys::Bitmap target = winsys::Bitmap::create(40, 40);
    winsys::DeviceContext dc;
    dc.select(target);
    dc.select(winsys::Font::create(20, 10, 0, 200, false, "Arial"));
    dc.setClip(winsys::Region::rectangle(0, 0, 20, 40));
    GlyphStamps stamps;
    stamps.draw(dc, 25, 10, '3', 0xFFFFFF);
    EXPECT_EQ(stamps.fallbacks, 1);
    EXPECT_EQ(stamps.stamped, 0);
    dc.clearClip();
    stamps.draw(dc, 5, 10, '3', 0xFFFFFF);
    EXPECT_EQ(stamps.stamped, 1);
}

}  // namespace
}  // namespace tamblo
