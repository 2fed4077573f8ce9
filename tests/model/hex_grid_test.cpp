#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

using test::build;
using test::entries;
using test::peerCount;

struct ShapeCase {
    const char* name;
    TextLines description;
    int cells, full, partial, touching;
    std::vector<std::pair<const char*, int>> peers;  // cell name, peer count
};

TEST(HexGridShapes, CountsAndPeersOfSmallShapes) {
    const ShapeCase cases[] = {
        {"one hexagon", entries({"X"}), 6, 1, 0, 7, {{":AB", 5}, {"E:AB", 5}}},
        {"two neighbours", entries({"X", "XA"}), 10, 2, 2, 10, {{":AB", 9}, {":AF", 9}, {"D:AB", 5}, {"A:AB", 5}, {"B:AF", 6}}},
        {"centre and six", entries({"X", "XA", "XB", "XC", "XD", "XE", "XF"}), 24, 7, 6, 19,
         {{":AB", 12}, {":AF", 12}, {"C:AF", 12}, {"D:AB", 12}, {"D:AF", 12}, {"E:AB", 12}}},
        {"two steps apart", entries({"X", "XAA"}), 12, 2, 1, 13, {{"D:AB", 5}}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        HexGrid grid;
        grid.setfromgrivecdef(c.description);
        grid.buildTouchingList();
        grid.buildPeerTable();
        EXPECT_EQ(grid.cellCount(), c.cells);
        EXPECT_EQ(grid.fullHexagonCount(), c.full);
        EXPECT_EQ(grid.partialHexagonCount(), c.partial);
        EXPECT_EQ(grid.hexagonCount(), c.full + c.partial);
        EXPECT_EQ(grid.touchingHexagonCount(), c.touching);
        EXPECT_EQ(grid.cellList().count(), c.cells);
        EXPECT_EQ(grid.touchingList().count(), c.touching);
        for (auto [name, n] : c.peers) EXPECT_EQ(peerCount(grid, grid.cellIndex(name)), n) << name;
        // Peer rows hold real cells only, each once, never the cell itself, then zeros.
        for (int cell = 1; cell <= grid.cellCount(); ++cell) {
            int n = peerCount(grid, cell);
            for (int i = 0; i < 15; ++i) {
                int p = grid.peerTable().at(cell, i);
                if (i < n) {
                    EXPECT_TRUE(p >= 1 && p <= grid.cellCount() && p != cell);
                    if (i > 0) {
                        EXPECT_LT(grid.peerTable().at(cell, i - 1), p);
                    }
                } else {
                    EXPECT_EQ(p, 0);
                }
            }
        }
        for (int i = 0; i < 15; ++i) EXPECT_EQ(grid.peerTable().at(0, i), 0);
    }
}

// Numbers are observable in progress texts and settings files: sorted names, full hexagons first.
TEST(HexGridNumbering, CellsFollowSortedNamesAndFullHexagonsComeFirst) {
    HexGrid grid;
    build(grid, {"XA", "X"});
    const std::vector<std::string> cells = {":AB", ":AF", "A:AB", "A:AF", "B:AF", "C:AF", "D:AB", "D:AF", "E:AB", "F:AB"};
    ASSERT_EQ(grid.cellCount(), 10);
    for (int c = 1; c <= 10; ++c) {
        EXPECT_EQ(grid.cellName(c), cells[static_cast<size_t>(c - 1)]);
        EXPECT_EQ(grid.cellIndex(cells[static_cast<size_t>(c - 1)]), c);
    }
    EXPECT_EQ(grid.cellIndex("a:ab"), 3);  // case ignored
    EXPECT_EQ(grid.cellIndex("AD:AB"), 0);  // not a name of the list
    EXPECT_EQ(grid.cellIndex(""), 0);
    const std::vector<std::string> hexagons = {"", "A", "B", "F"};
    for (int h = 1; h <= 4; ++h) EXPECT_EQ(grid.hexagonName(h), hexagons[static_cast<size_t>(h - 1)]);
    EXPECT_EQ(grid.hexagonList().count(), 2);
    EXPECT_EQ(grid.partialHexagonList().lineAt(1), std::string("B"));
    // The partial hexagon B holds three cells of the grid, the full ones all six.
    int present = 0;
    for (int k = 0; k < 6; ++k) present += grid.hexagonCell(3, k) > 0 ? 1 : 0;
    EXPECT_EQ(present, 3);
    for (int k = 0; k < 6; ++k) EXPECT_GT(grid.hexagonCell(1, k), 0);
}

TEST(HexGridNumbering, PeerLinesListSortedPeerNames) {
    HexGrid grid;
    build(grid, {"X"});
    grid.buildPeerLines();
    ASSERT_EQ(grid.peerLines().count(), 6);
    EXPECT_STREQ(grid.peerLines().lineAt(1), ":AB,  :AF,C:AF,D:AB,D:AF,E:AB,");
    EXPECT_STREQ(grid.peerLines().lineAt(6), "E:AB,  :AB,:AF,C:AF,D:AB,D:AF,");
}

TEST(HexGridDerivation, DirectCellsCountForTheirHexagons) {
    HexGrid grid;
    // The four cells complete the hexagon at A, which the description never names.
    build(grid, {"X", "A:AB", "B:AF", "F:AB", "A:AF"});
    EXPECT_EQ(grid.fullHexagonCount(), 2);
    EXPECT_EQ(grid.hexagonList().indexOf("A"), 2);
    // A lone cell named alone is still a cell of the grid.
    HexGrid single;
    build(single, {"AAAA:AF"});
    EXPECT_EQ(single.cellCount(), 1);
    EXPECT_EQ(single.fullHexagonCount(), 0);
    EXPECT_EQ(single.partialHexagonCount(), 0);
}

TEST(HexGridDerivation, ClearAllEmptiesEverythingButKeepsDisplayAndLevel) {
    HexGrid grid;
    grid.setIdText("2046-11");
    grid.setStepSize(30);
    build(grid, {"X", "XA"});
    grid.setLevel(3);
    grid.prepare();
    grid.buildPeerTable();
    grid.clearAll();
    EXPECT_EQ(grid.cellCount(), 0);
    EXPECT_EQ(grid.hexagonCount(), 0);
    EXPECT_EQ(grid.touchingHexagonCount(), 0);
    EXPECT_TRUE(grid.cellList().isEmpty());
    EXPECT_TRUE(grid.hexagonList().isEmpty());
    EXPECT_TRUE(grid.peerTable().isEmpty());
    EXPECT_FALSE(grid.listsDerived() || grid.cellRecordsBuilt() || grid.positionsComputed() || grid.peerTableBuilt());
    EXPECT_EQ(grid.idText(), "2046-11");
    EXPECT_EQ(grid.stepSize(), 30);
    EXPECT_EQ(grid.shownLevel(), 3);
    EXPECT_EQ(grid.appliedPercentage(), 0);
    // Reading beyond the records is harmless.
    EXPECT_EQ(grid.value(1), 0);
    EXPECT_EQ(grid.peer(1, 0), 0);
    grid.setValue(1, 3);
    EXPECT_EQ(grid.value(1), 0);
}

TEST(HexGridDerivation, ClearDerivedKeepsTheHexagonListForRederiving) {
    HexGrid grid;
    build(grid, {"X", "XA"});
    grid.clearDerived();
    EXPECT_EQ(grid.cellCount(), 0);
    EXPECT_EQ(grid.hexagonList().count(), 2);
    grid.deriveLists();
    EXPECT_EQ(grid.cellCount(), 10);
    EXPECT_EQ(grid.hexagonCount(), 4);
}

TEST(HexGridDerivation, PrepareBuildsWhatThePaintingNeeds) {
    HexGrid grid;
    build(grid, {"X"});
    grid.prepare();
    EXPECT_TRUE(grid.listsDerived() && grid.touchingListBuilt() && grid.hexagonRecordsBuilt() &&
                grid.cellRecordsBuilt() && grid.positionsComputed() && grid.outlineListsBuilt());
    EXPECT_EQ(grid.allocatedHexagonCount(), 2);
    EXPECT_EQ(grid.boundaryOutlineList().count(), 6);
    grid.buildCornerLists();
    EXPECT_EQ(grid.outerList().count(), 18);
    EXPECT_EQ(grid.gapList().count(), 0);
}

}  // namespace
}  // namespace tamblo
