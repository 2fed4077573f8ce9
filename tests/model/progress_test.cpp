#include <gtest/gtest.h>

#include <random>
#include <string>

#include "grid_test_util.h"
#include "model/hex_grid.h"

namespace tamblo {
namespace {

using test::build;

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override { HexGrid::pendingEntries().clear(); }
    void TearDown() override { HexGrid::pendingEntries().clear(); }

    // The lone hexagon at level 3: givens ":AB" = 1 (cell 1), ":AF" = 6 (cell 2), "D:AF" = 4 (cell 5).
    void loadLevel3(HexGrid& grid) { test::loadLikeCatalogue(grid, test::loneHexagon(), 3); }

    void expectOnlyGivens(HexGrid& grid) {
        EXPECT_EQ(grid.value(1), 1);
        EXPECT_EQ(grid.value(2), 6);
        EXPECT_EQ(grid.value(5), 4);
        for (int c : {3, 4, 6}) EXPECT_EQ(grid.value(c), 0) << c;
        EXPECT_FALSE(grid.hasAnyMarks());
        EXPECT_TRUE(HexGrid::pendingEntries().isEmpty());
    }
};

TEST_F(ProgressTest, WritesCompressedText) {
    HexGrid seven;
    build(seven, {"X", "A:AB"});
    seven.buildCells();
    ASSERT_EQ(seven.cellCount(), 7);
    EXPECT_EQ(seven.progressText(), "KKG");

    HexGrid four;
    build(four, {":AB", ":AF", "C:AF", "D:AB"});
    four.buildCells();
    four.setValue(1, 2);
    four.setMarks(2, 9);
    EXPECT_EQ(four.progressText(), "B11H");

    // Runs of four, five and six empty cells.
    struct Case {
        int empty;
        const char* text;
    };
    for (Case c : {Case{4, "KG"}, Case{5, "KH"}, Case{6, "KK"}, Case{2, "H"}, Case{1, "G"}}) {
        HexGrid g;
        build(g, {"X"});
        g.buildCells();
        for (int i = c.empty + 1; i <= 6; ++i) g.setValue(i, 3);
        std::string expected = std::string(c.text) + std::string(static_cast<size_t>(6 - c.empty), 'C');
        EXPECT_EQ(g.progressText(), expected) << c.empty;
    }
}

TEST_F(ProgressTest, ApplyingEmptyCellsQueuesNothing) {
    HexGrid grid;
    build(grid, {"X", "A:AB"});
    grid.buildCells();
    grid.setMarks(3, 5);
    grid.applyProgress("KKG");
    for (int c = 1; c <= 7; ++c) {
        EXPECT_EQ(grid.value(c), 0);
        EXPECT_EQ(grid.marks(c), 0);
    }
    EXPECT_TRUE(HexGrid::pendingEntries().isEmpty());
}

TEST_F(ProgressTest, RoundTripRestoresThePlayerAfterPreparation) {
    HexGrid played;
    loadLevel3(played);
    played.prepare();
    played.setValue(3, 2);
    played.setMarks(4, 9);
    played.setMarks(6, 63);
    const DynString text = played.progressText();
    EXPECT_EQ(text, "AFB11D77");

    HexGrid grid;
    loadLevel3(grid);
    grid.applyProgress(text);
    // Not prepared yet: no givens, so every letter is queued, the givens' ones too.
    ASSERT_EQ(HexGrid::pendingEntries().count(), 4);
    EXPECT_STREQ(HexGrid::pendingEntries().lineAt(1), "v,1,1");
    EXPECT_STREQ(HexGrid::pendingEntries().lineAt(4), "v,5,4");
    grid.prepare();
    EXPECT_TRUE(HexGrid::pendingEntries().isEmpty());
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(grid.value(c), played.value(c)) << c;
        EXPECT_EQ(grid.marks(c), played.marks(c)) << c;
        EXPECT_EQ(grid.isGiven(c), played.isGiven(c)) << c;
    }
    EXPECT_EQ(grid.progressText(), text);
}

TEST_F(ProgressTest, LowerCaseReadsAsUpperCase) {
    HexGrid grid;
    build(grid, {"X", "A:AB"});
    grid.buildCells();
    grid.applyProgress("bk21g");
    EXPECT_EQ(grid.value(1), 2);
    EXPECT_EQ(grid.value(4), 0);
    EXPECT_EQ(grid.marks(5), 10);
    EXPECT_EQ(grid.progressText(), "BK21H");
}

TEST_F(ProgressTest, TextShorterThanTheGridLeavesTheRest) {
    HexGrid grid;
    build(grid, {"X"});
    grid.buildCells();
    grid.setValue(6, 5);
    grid.applyProgress("C");
    EXPECT_EQ(grid.value(1), 3);
    EXPECT_EQ(grid.value(6), 5);
}

// Texts that do not belong to the grid: after the next preparation only the givens remain.
TEST_F(ProgressTest, ForeignTextsLeaveOnlyTheGivens) {
    const std::string cases[] = {
        "AFBCDEG",        // one cell too many
        "AFGGGGGGGGGG",   // far too many
        "AFKKK",
        "BFG",            // contradicts the given of cell 1 once the givens are set
        "AFB?",           // a byte outside the format
        "AFB 1",
        "AFB1",           // a mark pair cut after its first digit
        "AFB18",          // a second mark digit outside 0..7
        "AFB9G",
        "AFBI",
        std::string("AF\0B", 4),
        "\xff\xfe",
        "AFBBDE",         // cells 3 and 4 share the hexagon and both hold 2
        "AFDCDE",         // cell 3 repeats the given 4 of cell 5
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        HexGrid grid;
        loadLevel3(grid);
        grid.prepare();
        grid.setValue(3, 2);
        grid.setMarks(4, 3);
        grid.applyProgress(text);
        grid.prepare();
        expectOnlyGivens(grid);
    }
}

TEST_F(ProgressTest, ContradictionOfAKnownGivenIsFoundAtOnce) {
    HexGrid grid;
    loadLevel3(grid);
    grid.prepare();
    grid.applyProgress("BFG");
    expectOnlyGivens(grid);
    EXPECT_EQ(grid.candidates(3), 0);
}

TEST_F(ProgressTest, RandomBytesNeverCrashOrReachBeyondTheGrid) {
    std::mt19937 random(7);
    const std::string alphabet = "ABCDEFGHK01234567 89?abcgk\n";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text.push_back(round % 3 == 0 ? static_cast<char>(random() % 256)
                                          : alphabet[random() % alphabet.size()]);
        }
        HexGrid grid;
        loadLevel3(grid);
        grid.applyProgress(text);
        grid.prepare();
        for (int c = 1; c <= 6; ++c) {
            EXPECT_GE(grid.value(c), 0);
            EXPECT_LE(grid.value(c), 6);
            EXPECT_LE(grid.marks(c), 63);
        }
        EXPECT_TRUE(HexGrid::pendingEntries().isEmpty());
        // Whatever was kept obeys the rule.
        for (int c = 1; c <= 6; ++c)
            for (int i = 0; i < 12; ++i)
                if (grid.peer(c, i) > 0 && grid.value(c) > 0) {
                    EXPECT_NE(grid.value(c), grid.value(grid.peer(c, i)));
                }
    }
    HexGrid grid;
    loadLevel3(grid);
    grid.applyProgress(std::string(1 << 20, 'K'));  // a megabyte of empty cells
    grid.prepare();
    expectOnlyGivens(grid);
}

TEST_F(ProgressTest, PendingEntriesWaitForTheGridTheyWereAppliedTo) {
    HexGrid grid;
    loadLevel3(grid);
    HexGrid other;
    build(other, {"X"});
    grid.applyProgress("AFB");
    other.prepare();
    EXPECT_EQ(other.value(3), 0);
    EXPECT_EQ(HexGrid::pendingEntries().count(), 3);
    grid.prepare();
    EXPECT_EQ(grid.value(3), 2);
    EXPECT_TRUE(HexGrid::pendingEntries().isEmpty());
}

TEST_F(ProgressTest, ReplaySkipsGivensAndUnknownLines) {
    HexGrid grid;
    loadLevel3(grid);
    grid.prepare();
    TextLines& pending = HexGrid::pendingEntries();
    pending.append("v,1,3");   // a given: left alone
    pending.append("x,3,2");   // unknown kind: dropped
    pending.append("V,6,5");
    pending.append("v,99,1");  // beyond the grid
    pending.append("v,4,9");   // not a digit
    grid.replayPendingEntries();
    EXPECT_TRUE(pending.isEmpty());
    EXPECT_EQ(grid.value(1), 1);
    EXPECT_EQ(grid.value(3), 0);
    EXPECT_EQ(grid.value(4), 0);
    EXPECT_EQ(grid.value(6), 5);
}

}  // namespace
}  // namespace tamblo
