#include <gtest/gtest.h>

#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::build(grid, {"X", "XA", "XB", "XC", "XD", "XE", "XF"});
        grid.buildCells();
        grid.buildPeerTable();
    }
    bool isPeer(int c, int p) const {
        for (int i = 0; i < 12; ++i)
            if (grid.peer(c, i) == p) return true;
        return false;
    }
    HexGrid grid;
};

TEST_F(RulesTest, EmptyGridAllowsEverything) {
    grid.recomputeCandidates();
    for (int c = 1; c <= grid.cellCount(); ++c) {
        EXPECT_EQ(grid.candidates(c), 63);
        EXPECT_FALSE(grid.allows(c, 0));
        EXPECT_FALSE(grid.allows(c, 7));
    }
}

TEST_F(RulesTest, ADigitIsRemovedFromItsPeersOnly) {
    for (int d = 1; d <= 6; ++d) {
        const int c = grid.cellIndex(":AB");
        for (int i = 1; i <= grid.cellCount(); ++i) grid.setValue(i, 0);
        grid.setValue(c, d);
        grid.recomputeCandidates();
        for (int p = 1; p <= grid.cellCount(); ++p) {
            const int expected = p == c ? digitBit(d) : isPeer(c, p) ? (63 & digitNotBit(d)) : 63;
            EXPECT_EQ(grid.candidates(p), expected) << p;
        }
        EXPECT_TRUE(grid.allows(c, d));
        EXPECT_FALSE(grid.allows(grid.peer(c, 0), d));
    }
}

TEST_F(RulesTest, FilledCellsKeepTheirOwnDigitWhateverThePeersHold) {
    const int a = grid.cellIndex(":AB");
    const int b = grid.cellIndex(":AF");
    ASSERT_TRUE(isPeer(a, b));
    grid.setValue(a, 3);
    grid.setValue(b, 3);  // against the rule, but set value does not check
    grid.setValue(grid.cellIndex("C:AF"), 5);
    grid.recomputeCandidates();
    EXPECT_EQ(grid.candidates(a), digitBit(3));
    EXPECT_EQ(grid.candidates(b), digitBit(3));
    const int empty = grid.cellIndex("D:AB");
    EXPECT_EQ(grid.candidates(empty), 63 & digitNotBit(3) & digitNotBit(5));
    EXPECT_EQ(grid.candidateStorage(empty), grid.candidates(empty));
}

TEST_F(RulesTest, CompletionMarksAndReturnToGivens) {
    EXPECT_FALSE(grid.isComplete());
    for (int c = 1; c <= grid.cellCount(); ++c) grid.setValue(c, 1 + c % 6);
    EXPECT_TRUE(grid.isComplete());
    grid.setValue(5, 0);
    EXPECT_FALSE(grid.isComplete());

    HexGrid empty;
    EXPECT_TRUE(empty.isComplete());

    grid.toggleMark(2, 4);
    EXPECT_EQ(grid.marks(2), 8);
    grid.toggleMark(2, 4);
    EXPECT_EQ(grid.marks(2), 0);
    EXPECT_FALSE(grid.hasAnyMarks());
    grid.setMarks(3, 63);
    grid.toggleMark(4, 1);
    EXPECT_TRUE(grid.hasAnyMarks());
    grid.clearMarks(3);
    EXPECT_EQ(grid.marks(3), 0);
    EXPECT_TRUE(grid.hasAnyMarks());
    grid.clearAllMarks();
    EXPECT_FALSE(grid.hasAnyMarks());

    // Givens and marks survive; every other cell empties and candidates wait for a recomputation.
    HexGrid level;
    test::loadLikeCatalogue(level, test::loneHexagon(), 3);
    level.prepare();
    level.recomputeCandidates();
    level.setValue(3, 2);
    level.setMarks(4, 6);
    level.returnToGivens();
    EXPECT_EQ(level.value(1), 1);
    EXPECT_EQ(level.value(3), 0);
    EXPECT_EQ(level.marks(4), 6);
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(level.candidates(c), 0);
}

}  // namespace
}  // namespace tamblo
